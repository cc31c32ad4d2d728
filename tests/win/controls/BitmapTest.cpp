#include "framework/Bitmap.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::uint32_t Sys(int index) {
    return GetSysColor(index);
}

// A 5 x 3 image whose pixels all differ, so a swapped row or channel shows.
void Paint5x3(TBitmap& b) {
    b.SetSize(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            b.ScanLine(y)[x] = 0x00102030u + 0x00010203u * (y * 5 + x);
}

TEST(Bitmap, RowsAreTopDownPixelsInRgbOrder) {
    TBitmap b(2, 2);
    b.ScanLine(0)[1] = 0x00FF0000; // red
    // GetPixel reads through GDI, which answers in 0x00BBGGRR.
    EXPECT_EQ(GetPixel(b.DC(), 1, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(b.DC(), 0, 1), RGB(0, 0, 0));
}

TEST(Bitmap, ConversionsKeepTheColours) {
    for (TPixelFormat through : {TPixelFormat::pfDevice, TPixelFormat::pf32bit}) {
        TBitmap b;
        Paint5x3(b);
        b.SetPixelFormat(through);
        b.SetPixelFormat(TPixelFormat::pf32bit);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(b.ScanLine(y)[x], 0x00102030u + 0x00010203u * (y * 5 + x))
                    << int(through) << " " << x << "," << y;
    }
}

TEST(Bitmap, OneBitKeepsBlackAndTurnsEveryOtherColourWhite) {
    TBitmap b(3, 1);
    b.ScanLine(0)[0] = 0;
    b.ScanLine(0)[1] = 0x00FFFFFF;
    b.ScanLine(0)[2] = 0x00123456;
    b.SetPixelFormat(TPixelFormat::pf1bit);
    EXPECT_EQ(b.ScanLine(0), nullptr);
    EXPECT_EQ(b.Pixel(0, 0), 0u);
    EXPECT_EQ(b.Pixel(1, 0), 0x00FFFFFFu);
    EXPECT_EQ(b.Pixel(2, 0), 0x00FFFFFFu);
}

TEST(Bitmap, AssignIsADeepCopyWithTransparency) {
    TBitmap a;
    Paint5x3(a);
    a.SetTransparent(true);
    a.SetTransparentColor(0x00008080);
    TBitmap b;
    int changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    b.Assign(&a);
    EXPECT_EQ(changes, 1);
    a.ScanLine(0)[0] = 0; // the copy must not share pixels
    EXPECT_EQ(b.Width(), 5);
    EXPECT_EQ(b.Height(), 3);
    EXPECT_EQ(b.ScanLine(0)[0], 0x00102030u);
    EXPECT_EQ(b.ScanLine(2)[4], 0x00102030u + 0x00010203u * 14);
    EXPECT_TRUE(b.Transparent());
    EXPECT_EQ(b.TransparentColor(), 0x00008080u);
    b.Assign(nullptr);
    EXPECT_TRUE(b.Empty());
}

TEST(Bitmap, NotifiesOnlyRealChanges) {
    TBitmap b(2, 2);
    int changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    b.SetPixelFormat(TPixelFormat::pf32bit);
    b.SetSize(2, 2);
    b.SetTransparentColor(0);
    EXPECT_EQ(changes, 0);
    b.SetTransparentColor(0x00008080);
    b.SetSize(3, 2);
    b.SetPixelFormat(TPixelFormat::pfDevice);
    EXPECT_EQ(changes, 3);
}

TEST(Bitmap, TransparentDrawLeavesOutTheKeyColour) {
    TBitmap target(3, 1);
    target.Fill(clBlue, Sys);
    TBitmap glyph(3, 1);
    glyph.ScanLine(0)[0] = 0x00008080; // key, as a pixel
    glyph.ScanLine(0)[1] = 0x00FF0000;
    glyph.ScanLine(0)[2] = 0x00008080;
    glyph.SetTransparent(true);
    glyph.SetTransparentColor(RGBColor(0x00, 0x80, 0x80));
    DrawBitmap(target.DC(), 0, 0, glyph, Sys);
    EXPECT_EQ(target.Pixel(0, 0), 0x000000FFu);
    EXPECT_EQ(target.Pixel(1, 0), 0x00FF0000u);
    EXPECT_EQ(target.Pixel(2, 0), 0x000000FFu);
}

TEST(Bitmap, StretchDrawRepeatsPixelsWithoutBlending) {
    TBitmap strip(1, 2);
    strip.ScanLine(0)[0] = 0x00000000;
    strip.ScanLine(1)[0] = 0x00FFFFFF;
    TBitmap target(2, 4);
    StretchDrawBitmap(target.DC(), 0, 0, 2, 4, strip);
    const std::vector<std::uint32_t> column{0, 0, 0xFFFFFF, 0xFFFFFF};
    for (int y = 0; y < 4; ++y)
        EXPECT_EQ(target.Pixel(1, y), column[y]) << y;
}

} // namespace
