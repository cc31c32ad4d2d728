#include "controls/portable/GlyphEffects.h"

#include <algorithm>
#include <cstdlib>

std::vector<bool> Image32::ToOneBit() const {
    std::vector<bool> bits(FPixels.size());
    for (size_t i = 0; i < FPixels.size(); ++i) bits[i] = (FPixels[i] & 0xFFFFFF) != 0;
    return bits;
}

namespace {

constexpr std::uint32_t Rgb24 = 0xFFFFFF;

unsigned Ch(std::uint32_t p, int shift) { return (p >> shift) & 0xFF; }
std::uint32_t Pack(unsigned r, unsigned g, unsigned b) { return (r << 16) | (g << 8) | b; }

// Applies f(channel, shineOrFace channel) to every opaque pixel.
template <class F> void PerChannel(Image32& img, std::uint32_t key, std::uint32_t other, F f) {
    for (int y = 0; y < img.Height(); ++y) {
        std::uint32_t* row = img.Row(y);
        for (int x = 0; x < img.Width(); ++x) {
            const std::uint32_t p = row[x];
            if ((p & Rgb24) == key) continue;
            row[x] = Pack(f(Ch(p, 16), Ch(other, 16)), f(Ch(p, 8), Ch(other, 8)), f(Ch(p, 0), Ch(other, 0)));
        }
    }
}

void Grayscale(Image32& img, std::uint32_t key) {
    for (int y = 0; y < img.Height(); ++y) {
        std::uint32_t* row = img.Row(y);
        for (int x = 0; x < img.Width(); ++x) {
            const std::uint32_t p = row[x];
            if ((p & Rgb24) == key) continue;
            const unsigned g = (Ch(p, 16) + Ch(p, 8) + Ch(p, 0)) / 3;
            row[x] = Pack(g, g, g);
        }
    }
}

// Every opaque pixel with x + y odd becomes `with`.
void Dither(Image32& img, std::uint32_t key, std::uint32_t with) {
    for (int y = 0; y < img.Height(); ++y) {
        std::uint32_t* row = img.Row(y);
        for (int x = (y & 1) ? 0 : 1; x < img.Width(); x += 2)
            if ((row[x] & Rgb24) != key) row[x] = with;
    }
}

// Transparent pixels within city-block distance `reach` (1 or 2) of an opaque pixel of
// the unchanged glyph become the shine pixel.
void FrameLight(const Image32& glyph, Image32& out, std::uint32_t key, std::uint32_t shine, int reach) {
    const int w = glyph.Width(), h = glyph.Height();
    auto opaque = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < w && y < h && (glyph.Pixel(x, y) & Rgb24) != key;
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (opaque(x, y)) continue;
            bool lit = false;
            for (int dy = -reach; dy <= reach && !lit; ++dy)
                for (int dx = -reach; dx <= reach && !lit; ++dx)
                    if (std::abs(dx) + std::abs(dy) <= reach && (dx || dy)) lit = opaque(x + dx, y + dy);
            if (lit) out.SetPixel(x, y, shine);
        }
}

// White wherever one of the two diagonals of a 2x2 block differs (exact colours,
// transparent pixels included); the last row and column stay black.
void EdgeMask(const Image32& glyph, Image32& out) {
    out.Fill(0);
    for (int y = 0; y + 1 < glyph.Height(); ++y)
        for (int x = 0; x + 1 < glyph.Width(); ++x) {
            const bool d1 = (glyph.Pixel(x, y) & Rgb24) != (glyph.Pixel(x + 1, y + 1) & Rgb24);
            const bool d2 = (glyph.Pixel(x + 1, y) & Rgb24) != (glyph.Pixel(x, y + 1) & Rgb24);
            if (d1 || d2) out.SetPixel(x, y, Rgb24);
        }
    out.Mask = true;
}

void ApplyActive(const Image32& glyph, Image32& out, TActiveImageType type, std::uint32_t key,
                 std::uint32_t shine) {
    switch (type) {
    case aiNormal: break;
    case aiXorLight: PerChannel(out, key, shine, [](unsigned c, unsigned s) { return c ^ s; }); break;
    case aiHalfLight: PerChannel(out, key, shine, [](unsigned c, unsigned s) { return (s + c) / 2; }); break;
    case aiQuaterLight:
        PerChannel(out, key, shine, [](unsigned c, unsigned s) { return (3 * s + c) / 4; });
        break;
    case aiAddLight:
        PerChannel(out, key, shine, [](unsigned c, unsigned s) { return std::min(s + c, 255u); });
        break;
    case aiFrameLight: FrameLight(glyph, out, key, shine, 1); break;
    case aiFrameLight2: FrameLight(glyph, out, key, shine, 2); break;
    case aiMaskLight: Dither(out, key, shine); break;
    }
}

void ApplyDisabled(const Image32& glyph, Image32& out, TDisabledImageType type, std::uint32_t key,
                   std::uint32_t face) {
    switch (type) {
    case diDefault: EdgeMask(glyph, out); break;
    case diGrayscale: Grayscale(out, key); break;
    case diAlphaHalfTrans: PerChannel(out, key, face, [](unsigned c, unsigned f) { return (f + c) / 2; }); break;
    case diAlphaQuaterTrans:
        PerChannel(out, key, face, [](unsigned c, unsigned f) { return (3 * f + c) / 4; });
        break;
    case diMaskTrans: Dither(out, key, key); break;
    }
}

} // namespace

std::optional<Image32> MakeStateGlyph(const Image32& glyph, const GlyphEffectInput& in) {
    if (glyph.Empty()) return std::nullopt;
    Image32 out = glyph;
    out.Mask = false;
    const std::uint32_t key = glyph.Pixel(0, glyph.Height() - 1) & Rgb24;
    switch (in.State) {
    case sbsUp:
    case sbsDown: break;
    case sbsActive:
    case sbsActiveDown: ApplyActive(glyph, out, in.ActiveImage, key, in.ShinePixel & Rgb24); break;
    case sbsDisabled: ApplyDisabled(glyph, out, in.DisabledImage, key, in.FacePixel & Rgb24); break;
    }
    out.Transparent = true;
    out.TransparentColor = out.Mask ? 0 : (out.Pixel(0, out.Height() - 1) & Rgb24);
    return out;
}
