#include "controls/portable/ShineLook.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::uint32_t SysTable(int index) { return 0x00102030u + static_cast<std::uint32_t>(index); }

TEST(ShineLook, StateChoices) {
    struct Case { TShineButtonState s; bool pressed, activeFont; TPoint offset; };
    const Case cases[] = {
        {sbsActiveDown, true, true, {1, 1}},
        {sbsDown, true, false, {1, 1}},
        {sbsActive, false, true, {0, 0}},
        {sbsUp, false, false, {0, 0}},
        {sbsDisabled, false, false, {0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UsesPressedLook(c.s), c.pressed) << int(c.s);
        EXPECT_EQ(UsesActiveFont(c.s), c.activeFont) << int(c.s);
        EXPECT_EQ(PressedOffset(c.s), c.offset) << int(c.s);
    }
}

TEST(ShineLook, EachStateListensToItsOwnFrameSwitch) {
    // 0 = ActiveFrame, 1 = UpFrame, 2 = DownFrame
    const int switchOf[] = {0, 2, 0, 1, 1};
    for (int s = 0; s < 5; ++s)
        for (int on = 0; on < 3; ++on) {
            const auto st = static_cast<TShineButtonState>(s);
            EXPECT_EQ(FrameShown(st, on == 0, on == 1, on == 2), on == switchOf[s]) << s << on;
            EXPECT_EQ(FrameShown(st, on != 0, on != 1, on != 2), on != switchOf[s]) << s << on;
        }
}

TEST(ShineLook, GradientStripEndsExactAndTruncatesTowardZero) {
    const auto grey = GradientStrip(clBlack, clWhite, SysTable);
    for (unsigned i = 0; i < 256; ++i) EXPECT_EQ(grey[i], i * 0x010101u) << i;

    // Red 100 -> 0 and blue 0 -> 100: -100/255 truncates to 0, not -1.
    const auto s = GradientStrip(RGBColor(100, 7, 0), RGBColor(0, 7, 100), SysTable);
    EXPECT_EQ(s[0], 0x640700u);
    EXPECT_EQ(s[1], 0x640700u);
    EXPECT_EQ(s[128], 0x320732u);  // 100 - 50 and 0 + 50
    EXPECT_EQ(s[254], 0x010763u);
    EXPECT_EQ(s[255], 0x000764u);

    const auto sys = GradientStrip(clBtnFace, clBtnFace, SysTable);
    EXPECT_EQ(sys[77], 0x3F2010u);  // resolved, red in the high byte
}

TEST(ShineLook, UnknownFrameTypeDrawsNothing) {
    EXPECT_TRUE(FrameSegments(static_cast<TFrameType>(3), false, 10, 8, {}, {}).empty());
}

struct LayoutCase {
    const char* name;
    TShineLayoutInput in;
    TPoint glyph;
    TRect caption;
    int bw, bh;
};

TShineLayoutInput In(TButtonLayout l, int margin, bool glyph, bool text, int cw, int ch,
                     int tw = 30) {
    return {l, margin, 4, 16, 16, glyph, tw, 13, text, cw, ch};
}

TEST(ShineLook, CalcDrawPosition) {
    const LayoutCase cases[] = {
        {"left centred", In(blGlyphLeft, -1, true, true, 80, 25), {15, 4}, {35, 5, 65, 18}, 50, 16},
        {"margin -7 centres", In(blGlyphLeft, -7, true, true, 80, 25), {15, 4}, {35, 5, 65, 18}, 50, 16},
        {"top centred", In(blGlyphTop, -1, true, true, 60, 50), {22, 8}, {15, 28, 45, 41}, 30, 33},
        {"right centred", In(blGlyphRight, -1, true, true, 80, 25), {49, 4}, {15, 5, 45, 18}, 50, 16},
        {"bottom centred", In(blGlyphBottom, -1, true, true, 60, 50), {22, 25}, {15, 8, 45, 21}, 30, 33},
        {"right margin 0", In(blGlyphRight, 0, true, true, 80, 25), {64, 4}, {30, 5, 60, 18}, 50, 16},
        {"left margin 3", In(blGlyphLeft, 3, true, true, 80, 25), {3, 4}, {23, 5, 53, 18}, 50, 16},
        {"right margin 3", In(blGlyphRight, 3, true, true, 80, 25), {61, 4}, {27, 5, 57, 18}, 50, 16},
        {"top margin 3", In(blGlyphTop, 3, true, true, 60, 50), {22, 3}, {15, 23, 45, 36}, 30, 33},
        {"bottom margin 3", In(blGlyphBottom, 3, true, true, 60, 50), {22, 31}, {15, 14, 45, 27}, 30, 33},
        {"too wide", In(blGlyphLeft, -1, false, true, 80, 25, 85), {-2, 6}, {-2, 6, 83, 19}, 85, 13},
        {"too tall", In(blGlyphTop, -1, true, true, 60, 10), {22, -11}, {15, 9, 45, 22}, 30, 33},
        {"nothing", In(blGlyphTop, -1, false, false, 80, 25), {40, 12}, {40, 12, 70, 25}, 0, 0},
    };
    for (const LayoutCase& c : cases) {
        const TShineLayout r = CalcDrawPosition(c.in);
        EXPECT_EQ(r.Glyph, c.glyph) << c.name;
        EXPECT_EQ(r.Caption, c.caption) << c.name;
        EXPECT_EQ(r.BlockW, c.bw) << c.name;
        EXPECT_EQ(r.BlockH, c.bh) << c.name;
    }
}

TEST(ShineLook, CaptionOnlyIsCentredWithoutSpacingInEveryLayout) {
    for (TButtonLayout l : {blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom}) {
        const TShineLayout r = CalcDrawPosition(In(l, -1, false, true, 80, 25));
        EXPECT_EQ(r.Caption, (TRect{25, 6, 55, 19})) << l;
        EXPECT_EQ(r.BlockW * 100 + r.BlockH, 3013) << l;
    }
}

TEST(ShineLook, CaptionCopies) {
    using enum TCaptionSource;
    struct Case { TShineButtonState s; TColor shadow, highlight; std::vector<TCaptionCopy> plan; };
    const Case cases[] = {
        {sbsUp, clNone, clNone, {{{0, 0}, FontColor}}},
        {sbsActive, clBlack, clNone, {{{1, 1}, FontShadow}, {{0, 0}, FontColor}}},
        {sbsDown, clNone, clWhite, {{{-1, -1}, FontHighlight}, {{0, 0}, FontColor}}},
        {sbsActiveDown, clBlack, clWhite,
         {{{1, 1}, FontShadow}, {{-1, -1}, FontHighlight}, {{0, 0}, FontColor}}},
        {sbsDisabled, clBlack, clWhite, {{{1, 1}, DisabledHighlight}, {{0, 0}, DisabledShadow}}},
        {sbsDisabled, clNone, clNone, {{{1, 1}, DisabledHighlight}, {{0, 0}, DisabledShadow}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CaptionCopies(c.s, c.shadow, c.highlight), c.plan) << int(c.s);
}

}  // namespace
