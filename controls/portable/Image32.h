#pragma once
// A 32-bit image as the glyph effects see it: rows from the top, each pixel 0x00RRGGBB
// (blue in the low byte, as the bytes lie in memory), one contiguous block.
#include <cstddef>
#include <cstdint>
#include <vector>

class Image32 {
public:
    Image32() = default;
    Image32(int width, int height, std::uint32_t fill = 0)
        : FWidth(width > 0 ? width : 0), FHeight(height > 0 ? height : 0),
          FPixels(static_cast<std::size_t>(FWidth) * static_cast<std::size_t>(FHeight), fill) {}

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    bool Empty() const { return FWidth == 0 || FHeight == 0; }

    std::uint32_t* Row(int y) { return FPixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(FWidth); }
    const std::uint32_t* Row(int y) const { return FPixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(FWidth); }
    std::uint32_t Pixel(int x, int y) const { return Row(y)[x]; }
    void SetPixel(int x, int y, std::uint32_t p) { Row(y)[x] = p; }
    void Fill(std::uint32_t p) { FPixels.assign(FPixels.size(), p); }

    // One bit per pixel, rows from the top: black (low 24 bits 0) is 0, every other colour 1.
    std::vector<bool> ToOneBit() const;

    bool Transparent = false;
    std::uint32_t TransparentColor = 0;  // a pixel value, 0x00RRGGBB
    // Marks an image whose pixels are only black and white and are meant as a mask.
    bool Mask = false;

private:
    int FWidth = 0, FHeight = 0;
    std::vector<std::uint32_t> FPixels;
};
