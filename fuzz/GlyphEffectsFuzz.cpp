// The glyph effects on random images: every state and effect runs without reading or
// writing outside the image, keeps the size, never touches a pixel of the key colour
// outside the frame lights and dithers, and gives a black-and-white mask for the default
// disabled look.
#include "controls/portable/GlyphEffects.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 6) return 0;
    const int w = data[0] % 24, h = data[1] % 24;
    const auto state = static_cast<TShineButtonState>(data[2] % 5);
    const auto active = static_cast<TActiveImageType>(data[3] % 8);
    const auto disabled = static_cast<TDisabledImageType>(data[4] % 5);
    const std::uint8_t palette = data[5];
    data += 6;
    size -= 6;
    Image32 img(w, h);
    // A few colours, so the key colour and equal neighbours are common.
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::size_t i = static_cast<std::size_t>(y * w + x);
            const std::uint8_t b = i < size ? data[i] : 0;
            img.SetPixel(x, y, (b % 4) * (0x00404040u + palette) | (b & 0x80 ? 0xFF000000u : 0));
        }
    const auto out = MakeStateGlyph(img, {state, active, disabled, 0x00FFFF00, 0x00D4D0C8});
    if (img.Empty()) {
        if (out) std::abort();
        return 0;
    }
    if (!out || out->Width() != w || out->Height() != h || !out->Transparent) std::abort();
    const std::uint32_t key = img.Pixel(0, h - 1) & 0xFFFFFF;
    const bool mask = state == sbsDisabled && disabled == diDefault;
    const bool lightsAround = (state == sbsActive || state == sbsActiveDown) &&
                              (active == aiFrameLight || active == aiFrameLight2 || active == aiMaskLight);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = out->Pixel(x, y) & 0xFFFFFF;
            if (mask && p != 0 && p != 0xFFFFFF) std::abort();
            if (mask && (x == w - 1 || y == h - 1) && p != 0) std::abort();
            // Transparent pixels stay as they were, except where a light is drawn around the shape.
            if (!mask && !lightsAround && (img.Pixel(x, y) & 0xFFFFFF) == key && out->Pixel(x, y) != img.Pixel(x, y))
                std::abort();
        }
    return 0;
}
