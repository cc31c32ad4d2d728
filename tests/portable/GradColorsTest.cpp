#include "controls/portable/GradColors.h"

#include <gtest/gtest.h>

namespace {

// Every system colour resolves to a value no interpolation below would produce by chance.
std::uint32_t SysTable(int index) { return 0x00102030u + static_cast<std::uint32_t>(index); }

TColarray Table(TColor top, TColor last, TGradStyle style) {
    TColarray t;
    t.fill(0xDEADBEEF);
    FillColarray(t, top, last, style, SysTable);
    return t;
}

TEST(GradColors, GetRgbResolvesOnlyTheClassicSystemColours) {
    struct Case { TColor in; unsigned char r, g, b; };
    const Case cases[] = {
        {0x00332211, 0x11, 0x22, 0x33},
        {clScrollBar, 0x30, 0x20, 0x10},                  // index 0
        {clInfoBk, 0x30 + 24, 0x20, 0x10},                // index 24, the last resolved
        {0x80000019, 0x19, 0x00, 0x00},                   // index 25 split raw
        {0x8000001A, 0x1A, 0x00, 0x00},
        {0x12345678, 0x78, 0x56, 0x34},                   // top byte ignored
    };
    for (const Case& c : cases) {
        unsigned char r, g, b;
        GetRGB(c.in, SysTable, r, g, b);
        EXPECT_EQ(r, c.r) << std::hex << c.in;
        EXPECT_EQ(g, c.g) << std::hex << c.in;
        EXPECT_EQ(b, c.b) << std::hex << c.in;
    }
}

TEST(GradColors, BlackToWhiteRunsThroughEveryGrey) {
    const TColarray t = Table(clBlack, clWhite, gsTopBottom);
    EXPECT_EQ(t[0], clBlack);
    EXPECT_EQ(t[255], clWhite);
    for (unsigned i = 1; i <= 254; ++i) EXPECT_EQ(t[i], i * 0x010101u) << i;
}

TEST(GradColors, FallingChannelsTruncateTowardZero) {
    // 100 -> 0 in red: v = 100 - i*100/255 accumulated; truncation keeps 99 at i = 1.
    const TColarray t = Table(RGBColor(100, 255, 0), RGBColor(0, 0, 0), gsLeftRight);
    EXPECT_EQ(RedOf(t[1]), 99);
    EXPECT_EQ(GreenOf(t[1]), 254);
    EXPECT_EQ(RedOf(t[254]), 0);
    EXPECT_EQ(GreenOf(t[254]), 1);
    EXPECT_EQ(RedOf(t[128]), 49);  // 100 - 50.196
}

// The running values keep a 64-bit mantissa: with doubles, or with i * d in place of the
// repeated subtraction, these entries come out one off.
TEST(GradColors, RunningValuesKeepTheirExtendedPrecision) {
    struct Row { int i; unsigned char r, g, b; };
    const Row rows[] = {
        {17, 93, 254, 6},   {34, 86, 253, 13},  {51, 79, 252, 19},  {102, 59, 249, 40},
        {153, 39, 246, 60}, {204, 19, 243, 80}, {238, 6, 241, 93},
    };
    auto check = [&](const char* how) {
        const TColarray t = Table(RGBColor(100, 255, 0), RGBColor(0, 240, 100), gsTopBottom);
        for (const Row& r : rows) {
            EXPECT_EQ(RedOf(t[r.i]), r.r) << how << ", entry " << r.i;
            EXPECT_EQ(GreenOf(t[r.i]), r.g) << how << ", entry " << r.i;
            EXPECT_EQ(BlueOf(t[r.i]), r.b) << how << ", entry " << r.i;
        }
    };
    check("as the program starts");
#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
    // A process may start with the x87 unit rounding to 53 bits (Windows' own default);
    // the table must not depend on what it finds.
    unsigned short saved, cw;
    __asm__ volatile("fnstcw %0" : "=m"(saved));
    cw = static_cast<unsigned short>((saved & ~0x300u) | 0x200u);
    __asm__ volatile("fldcw %0" : : "m"(cw));
    check("with the x87 unit set to 53 bits");
    __asm__ volatile("fldcw %0" : : "m"(saved));
#endif
}

TEST(GradColors, ReversedStylesSwapTheEnds) {
    for (TGradStyle s : {gsBottomTop, gsRightLeft}) {
        const TColarray t = Table(clBlack, clWhite, s);
        EXPECT_EQ(t[0], clWhite);
        EXPECT_EQ(t[255], clBlack);
        EXPECT_EQ(t[1], 0xFEFEFEu);
        EXPECT_EQ(t[254], 0x010101u);
    }
}

TEST(GradColors, EqualColoursFillTheWholeTable) {
    const TColarray t = Table(0x00405060, 0x00405060, gsTopBottom);
    for (TColor c : t) EXPECT_EQ(c, 0x00405060u);
}

TEST(GradColors, EndsStayUnresolvedWhileTheMiddleIsResolved) {
    const TColarray t = Table(clWindow, clBtnFace, gsTopBottom);
    EXPECT_EQ(t[0], clWindow);
    EXPECT_EQ(t[255], clBtnFace);
    EXPECT_EQ(RedOf(t[1]), 0x35);  // 0x35 -> 0x3F, one step of 10/255 truncated
    EXPECT_EQ(RedOf(t[254]), 0x3E);
}

TEST(GradColors, HighSystemIndexInterpolatesFromRawBytes) {
    const TColarray t = Table(0x8000001A, 0x8000001A, gsTopBottom);
    EXPECT_EQ(t[0], 0x8000001Au);
    EXPECT_EQ(t[255], 0x8000001Au);
    for (int i = 1; i <= 254; ++i) EXPECT_EQ(t[i], 0x00001Au) << i;
}

TEST(GradColors, NoneLeavesTheTableAndDrawsNoBand) {
    const TColarray t = Table(clBlack, clWhite, gsNone);
    for (TColor c : t) EXPECT_EQ(c, 0xDEADBEEFu);
    EXPECT_TRUE(GradBands(200, 100, gsNone).empty());
}

// The entry a pixel line shows: the last band covering it wins.
int EntryAt(const std::vector<TBandFill>& bands, int pos, bool rows) {
    int entry = -1;
    for (const TBandFill& b : bands) {
        const int lo = rows ? b.Rect.Top : b.Rect.Left, hi = rows ? b.Rect.Bottom : b.Rect.Right;
        if (pos >= lo && pos < hi) entry = b.Index;
    }
    return entry;
}

TEST(GradColors, BandsAreAlways256InTableOrder) {
    for (TGradStyle s : {gsTopBottom, gsBottomTop, gsLeftRight, gsRightLeft}) {
        const auto bands = GradBands(492, 37, s);
        ASSERT_EQ(bands.size(), 256u);
        for (int i = 0; i < 256; ++i) EXPECT_EQ(bands[i].Index, i);
    }
}

TEST(GradColors, MainWindowHeightRowsShowTheLastBandStartingThere) {
    const auto bands = GradBands(492, 37, gsTopBottom);
    EXPECT_EQ(bands[0].Rect, (TRect{0, 0, 492, 1}));
    EXPECT_EQ(bands[1].Rect, (TRect{0, 0, 492, 1}));
    EXPECT_EQ(EntryAt(bands, 0, true), 7);
    EXPECT_EQ(EntryAt(bands, 1, true), 14);
    EXPECT_EQ(EntryAt(bands, 2, true), 21);
    EXPECT_EQ(EntryAt(bands, 36, true), 255);
    for (int y = 0; y < 37; ++y) {
        int highest = -1;
        for (int i = 1; i <= 255; ++i)
            if ((i - 1) * 37 / 255 == y) highest = i;
        EXPECT_EQ(EntryAt(bands, y, true), highest) << y;
    }
}

TEST(GradColors, StepOneBandsAreTwoThickAndHideEntryZero) {
    const auto rows = GradBands(10, 255, gsBottomTop);
    const auto cols = GradBands(255, 10, gsRightLeft);
    for (int p = 0; p < 255; ++p) {
        EXPECT_EQ(EntryAt(rows, p, true), p + 1) << p;
        EXPECT_EQ(EntryAt(cols, p, false), p + 1) << p;
    }
    EXPECT_EQ(rows[255].Rect, (TRect{0, 254, 10, 256}));
    EXPECT_EQ(cols[255].Rect, (TRect{254, 0, 256, 10}));
}

TEST(GradColors, VerticalBandsSpanTheHeightAndReachTheRightEdge) {
    const auto bands = GradBands(600, 30, gsLeftRight);  // step 2.35, thickness 3
    EXPECT_EQ(bands[0].Rect, (TRect{0, 0, 3, 30}));
    EXPECT_EQ(bands[2].Rect, (TRect{2, 0, 5, 30}));
    EXPECT_EQ(bands[255].Rect, (TRect{597, 0, 600, 30}));
    for (int x = 0; x < 600; ++x) EXPECT_GE(EntryAt(bands, x, false), 1) << x;
}

TEST(GradColors, CaptionPlans) {
    using enum TCaptionInk;
    const TRect r{10, 10, 200, 100};
    auto at = [&](int d) { return r.Offset(d, d); };
    struct Case {
        bool enabled, font3D;
        TFontStyle3D style;
        unsigned char depth;
        std::vector<TCaptionDraw> plan;
    };
    const Case cases[] = {
        {false, true, fsRaise3D, 3, {{at(1), White}, {r, Gray}}},
        {false, false, fsLowShadow, 0, {{at(1), White}, {r, Gray}}},
        {true, false, fsRaise3D, 3, {{r, FontColor}}},
        {true, true, fsLowShadow, 0, {{r, BackFont}, {r, FontColor}}},
        {true, true, fsLowShadow, 1, {{at(1), BackFont}, {r, FontColor}}},
        {true, true, fsLowShadow, 3, {{at(3), BackFont}, {r, FontColor}}},
        {true, true, fsRaiseShadow, 0, {{r, BackFont}, {r, FontColor}}},
        {true, true, fsRaiseShadow, 3, {{at(-3), BackFont}, {r, FontColor}}},
        {true, true, fsLow3D, 0, {{r, FontColor}}},
        {true, true, fsLow3D, 1, {{at(1), BackFont}, {r, FontColor}}},
        {true, true, fsLow3D, 3, {{at(1), BackFont}, {at(2), BackFont}, {at(3), BackFont}, {r, FontColor}}},
        {true, true, fsRaise3D, 0, {{r, FontColor}}},
        {true, true, fsRaise3D, 3, {{at(-1), BackFont}, {at(-2), BackFont}, {at(-3), BackFont}, {r, FontColor}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CaptionPlan(c.enabled, c.font3D, c.style, c.depth, r), c.plan)
            << c.enabled << c.font3D << c.style << int(c.depth);
    EXPECT_EQ(CaptionPlan(true, true, fsLow3D, 255, r).size(), 256u);
}

}  // namespace
