#pragma once
// The gradient box's arithmetic: colour table, band rectangles and caption plan.
// Nothing here draws; the control turns the results into fills and text calls.
#include <array>
#include <vector>

#include "framework/portable/Colors.h"
#include "framework/portable/Geometry.h"

enum TGradStyle { gsTopBottom, gsBottomTop, gsLeftRight, gsRightLeft, gsNone };
enum TFontStyle3D { fsLowShadow, fsRaiseShadow, fsLow3D, fsRaise3D };

using TColarray = std::array<TColor, 256>;

// Only the classic system colours (index 0 to 24) are resolved; anything else,
// higher system indexes included, is split as its raw bytes.
void GetRGB(TColor color, SysColorFn sys, unsigned char& r, unsigned char& g, unsigned char& b);

// Fills the table from start to end in 255 steps. The end entries keep the colours as
// given (the brush resolves them); gsNone leaves the table untouched.
void FillColarray(TColarray& table, TColor topColor, TColor lastColor, TGradStyle style,
                  SysColorFn sys);

struct TBandFill {
    TRect Rect;
    int Index;  // entry of the colour table
};

// The fills in painting order; later bands overlap and win over earlier ones.
std::vector<TBandFill> GradBands(int width, int height, TGradStyle style);

enum class TCaptionInk { BackFont, FontColor, White, Gray };

struct TCaptionDraw {
    TRect Rect;
    TCaptionInk Ink;
    friend bool operator==(const TCaptionDraw&, const TCaptionDraw&) = default;
};

// The text draws of the caption, first to last; the caption itself comes last.
std::vector<TCaptionDraw> CaptionPlan(bool enabled, bool font3D, TFontStyle3D style,
                                      unsigned char depth, const TRect& rect);
