#pragma once
// What the shine button draws in each state, where, and in which colours. The button
// measures text and draws; everything decided before that lives here.
#include "controls/portable/ShineTypes.h"
#include "framework/portable/Geometry.h"

#include <array>
#include <cstdint>
#include <vector>

// States 0 and 1 show the pressed look (PressedColors) and move glyph and caption by one.
bool UsesPressedLook(TShineButtonState state);
// States 0 and 2 (mouse over the button) use ActiveFont; the others Font.
bool UsesActiveFont(TShineButtonState state);
TPoint PressedOffset(TShineButtonState state);
bool FrameShown(TShineButtonState state, bool activeFrame, bool upFrame, bool downFrame);

// 256 pixels 0x00RRGGBB running from `from` (step 0) to `to` (step 255).
std::array<std::uint32_t, 256> GradientStrip(TColor from, TColor to, SysColorFn sys);

struct TSegment {
    TPoint From, To;  // To itself is not painted
    TColor Color;
    friend bool operator==(const TSegment&, const TSegment&) = default;
};

// The bevel lines in drawing order. The enclosed frame's outline always takes
// colors.DarkShadow, whichever look is shown.
std::vector<TSegment> FrameSegments(TFrameType type, bool pressedLook, int w, int h,
                                    const TShineColorValues& colors,
                                    const TShineColorValues& pressedColors);

struct TShineLayoutInput {
    TButtonLayout Layout = blGlyphLeft;
    int Margin = -1, Spacing = 4;
    int GlyphW = 0, GlyphH = 0;
    bool HasGlyph = false;
    int TextW = 0, TextH = 0;  // measured caption extent
    bool HasText = false;
    int ClientW = 0, ClientH = 0;
};

struct TShineLayout {
    TPoint Glyph;   // top-left corner, before the pressed offset
    TRect Caption;  // before the pressed offset
    int BlockW = 0, BlockH = 0;
};

TShineLayout CalcDrawPosition(const TShineLayoutInput& in);

enum class TCaptionSource { FontColor, FontShadow, FontHighlight, DisabledHighlight, DisabledShadow };

struct TCaptionCopy {
    TPoint Offset;  // from the caption rectangle after the pressed offset
    TCaptionSource Source;
    friend bool operator==(const TCaptionCopy&, const TCaptionCopy&) = default;
};

// The caption draws in order; clNone in fontShadow/fontHighlight means no such copy.
std::vector<TCaptionCopy> CaptionCopies(TShineButtonState state, TColor fontShadow,
                                        TColor fontHighlight);
