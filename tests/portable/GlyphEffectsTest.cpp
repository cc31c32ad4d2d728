#include "controls/portable/GlyphEffects.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t Key = 0x00FF00FF;      // magenta background
constexpr std::uint32_t Yellow = 0x00FFFF00;   // ColorToPixel of 0x00FFFF: R and G full
constexpr std::uint32_t Sample = 0x00336699;   // (R, G, B) = (0x33, 0x66, 0x99)

Image32 Glyph(int w, int h, std::initializer_list<std::pair<int, int>> opaque, std::uint32_t color = Sample) {
    Image32 img(w, h, Key);
    for (auto [x, y] : opaque) img.SetPixel(x, y, color);
    return img;
}

Image32 Effect(const Image32& g, TShineButtonState s, TActiveImageType a = aiNormal,
            TDisabledImageType d = diDefault, std::uint32_t face = 0x00D4D0C8) {
    auto r = MakeStateGlyph(g, {s, a, d, Yellow, face});
    EXPECT_TRUE(r.has_value());
    return r ? *r : Image32();
}

int Count(const Image32& img, std::uint32_t p) {
    int n = 0;
    for (int y = 0; y < img.Height(); ++y)
        for (int x = 0; x < img.Width(); ++x) n += (img.Pixel(x, y) & 0xFFFFFF) == p;
    return n;
}

} // namespace

TEST(GlyphEffects, PerPixelEffectsOnOneSamplePixel) {
    struct Row {
        TShineButtonState state;
        TActiveImageType active;
        TDisabledImageType disabled;
        std::uint32_t want;
    } rows[] = {
        {sbsActive, aiXorLight, diDefault, 0x00CC9999},
        {sbsActive, aiHalfLight, diDefault, 0x0099B24C},
        {sbsActive, aiQuaterLight, diDefault, 0x00CCD826},
        {sbsActiveDown, aiAddLight, diDefault, 0x00FFFF99},
        {sbsActive, aiNormal, diDefault, Sample},
        {sbsDisabled, aiNormal, diGrayscale, 0x00666666},
        // face 0xD4D0C8: (0xD4+0x33)/2, (0xD0+0x66)/2, (0xC8+0x99)/2
        {sbsDisabled, aiNormal, diAlphaHalfTrans, 0x00839BB0},
        // (3*0xD4+0x33)/4, (3*0xD0+0x66)/4, (3*0xC8+0x99)/4
        {sbsDisabled, aiNormal, diAlphaQuaterTrans, 0x00ABB5BC},
    };
    const Image32 g = Glyph(3, 3, {{1, 1}});
    for (const Row& r : rows) {
        Image32 out = Effect(g, r.state, r.active, r.disabled);
        EXPECT_EQ(out.Pixel(1, 1), r.want) << r.state << " " << r.active << " " << r.disabled;
        EXPECT_EQ(Count(out, Key), 8) << "transparent pixels are never changed";
        EXPECT_TRUE(out.Transparent);
        EXPECT_EQ(out.TransparentColor, Key);
    }
}

TEST(GlyphEffects, UpAndDownAreExactCopiesWhateverTheActiveEffect) {
    Image32 g = Glyph(4, 3, {{1, 1}, {2, 1}});
    g.SetPixel(3, 0, 0xAB123456);  // the top byte is kept too
    for (auto s : {sbsUp, sbsDown}) {
        Image32 out = Effect(g, s, aiXorLight);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x) EXPECT_EQ(out.Pixel(x, y), g.Pixel(x, y));
    }
}

TEST(GlyphEffects, AnEffectResultEqualToTheKeyBecomesTransparent) {
    // XOR with yellow turns 0x0000FF (blue) into 0xFFFF FF.. pick a pixel that XORs onto the key.
    const std::uint32_t becomesKey = Key ^ Yellow;  // 0x00FF00FF ^ 0x00FFFF00 = 0x0000FFFF
    Image32 g = Glyph(3, 3, {{1, 1}}, becomesKey);
    Image32 out = Effect(g, sbsActive, aiXorLight);
    EXPECT_EQ(out.Pixel(1, 1), Key);
    EXPECT_EQ(out.TransparentColor, Key);
}

TEST(GlyphEffects, FrameLightsHugTheShape) {
    Image32 g = Glyph(5, 5, {{2, 2}});
    Image32 one = Effect(g, sbsActive, aiFrameLight);
    EXPECT_EQ(Count(one, Yellow), 4);
    for (auto [x, y] : {std::pair{1, 2}, {3, 2}, {2, 1}, {2, 3}}) EXPECT_EQ(one.Pixel(x, y), Yellow);
    EXPECT_EQ(one.Pixel(2, 2), Sample);
    Image32 two = Effect(g, sbsActive, aiFrameLight2);
    EXPECT_EQ(Count(two, Yellow), 12);
    EXPECT_EQ(two.Pixel(0, 2), Yellow);
    EXPECT_EQ(two.Pixel(1, 1), Yellow);
    EXPECT_EQ(two.Pixel(0, 0), Key);
    EXPECT_EQ(two.Pixel(2, 2), Sample);
    // A light on the bottom-left pixel makes the shine colour the transparent colour.
    Image32 corner = Effect(Glyph(3, 3, {{0, 1}}), sbsActive, aiFrameLight);
    EXPECT_EQ(corner.Pixel(0, 2), Yellow);
    EXPECT_EQ(corner.TransparentColor, Yellow);
}

TEST(GlyphEffects, DitherIsTheSameCheckerboardForEverySize) {
    for (auto [w, h] : {std::pair{4, 4}, {5, 3}, {3, 5}, {1, 2}, {2, 1}}) {
        Image32 g(w, h, Sample);
        // Transparent pixels in two corners, some of them where the checkerboard falls.
        g.SetPixel(0, h - 1, Key);
        g.SetPixel(w - 1, 0, Key);
        Image32 lit = Effect(g, sbsActive, aiMaskLight);
        Image32 faded = Effect(g, sbsDisabled, aiNormal, diMaskTrans);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                if ((x == 0 && y == h - 1) || (x == w - 1 && y == 0)) {
                    EXPECT_EQ(lit.Pixel(x, y), Key) << w << "x" << h << " " << x << "," << y << " stays transparent";
                    EXPECT_EQ(faded.Pixel(x, y), Key);
                    continue;
                }
                const bool odd = (x + y) % 2 == 1;
                EXPECT_EQ(lit.Pixel(x, y), odd ? Yellow : Sample) << w << "x" << h << " " << x << "," << y;
                EXPECT_EQ(faded.Pixel(x, y), odd ? Key : Sample);
            }
        if (h > 1 && w > 1) {
            EXPECT_EQ(lit.Pixel(0, 0), Sample);  // (0, 0) is never replaced
        }
    }
}

TEST(GlyphEffects, TheDisabledDefaultIsAnEdgeMaskOfColourBoundaries) {
    Image32 m = Effect(Glyph(3, 3, {{1, 1}}), sbsDisabled, aiNormal, diDefault);
    EXPECT_TRUE(m.Mask);
    EXPECT_EQ(m.TransparentColor, 0u);
    const std::uint32_t W = 0xFFFFFF;
    const std::uint32_t want[3][3] = {{W, W, 0}, {W, W, 0}, {0, 0, 0}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(m.Pixel(x, y), want[y][x]) << x << "," << y;
    // One pixel wide or high: nothing to compare, nothing drawn.
    for (auto [w, h] : {std::pair{1, 4}, {4, 1}}) EXPECT_EQ(Count(Effect(Image32(w, h, Sample), sbsDisabled), 0), w * h);
    // A boundary inside the shape is outlined too, not only the shape's border.
    Image32 two(4, 2, 0x00111111);
    two.SetPixel(2, 0, 0x00222222);
    two.SetPixel(3, 0, 0x00222222);
    two.SetPixel(2, 1, 0x00222222);
    two.SetPixel(3, 1, 0x00222222);
    Image32 inner = Effect(two, sbsDisabled);
    EXPECT_EQ(inner.Pixel(1, 0), W);
    EXPECT_EQ(inner.Pixel(0, 0), 0u);
    EXPECT_EQ(inner.Pixel(2, 0), 0u);
    auto bits = inner.ToOneBit();
    EXPECT_EQ(std::count(bits.begin(), bits.end(), true), 1);
}

TEST(GlyphEffects, AnEmptyGlyphGivesNothingInEveryState) {
    for (auto s : {sbsActiveDown, sbsDown, sbsActive, sbsUp, sbsDisabled})
        EXPECT_FALSE(MakeStateGlyph(Image32(), {s, aiFrameLight, diDefault, Yellow, 0}).has_value());
}
