#pragma once
// A bitmap that is either a 32-bit top-down DIB section (rows addressable as 0x00RRGGBB
// pixels), a one-bit monochrome bitmap, or a screen-compatible (device-dependent) bitmap
// handed over for drawing. It owns its GDI handle and, while a canvas is in use, a
// memory DC with the bitmap selected into it.
#include "framework/Classes.h"
#include "framework/Graphics.h"
#include "framework/Handles.h"
#include "framework/portable/Colors.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

enum class TPixelFormat { pfDevice, pf1bit, pf32bit };

class TBitmap : public TPersistent {
public:
    TBitmap();
    TBitmap(int width, int height); // 32-bit, black
    ~TBitmap() override;
    const char* ClassName() const override { return "TBitmap"; }
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetWidth(int w) { SetSize(w, FHeight); }
    void SetHeight(int h) { SetSize(FWidth, h); }
    // Keeps the pixel format; the contents of a resized image are undefined but the
    // top-left part survives for DIBs.
    void SetSize(int w, int h);
    bool Empty() const { return FWidth == 0 || FHeight == 0; }

    // Deep copy of image, format and transparency; a null source empties this bitmap.
    // Other sources go to the framework's assignment (a conversion error).
    void Assign(TPersistent* Source) override;
    // Drops the image: empty afterwards, format unchanged; notifies like any change.
    void FreeImage();

    TPixelFormat PixelFormat() const { return FFormat; }
    // Converts, keeping the colours (to one bit: black stays 0, every other colour 1).
    void SetPixelFormat(TPixelFormat format);
    // The device-dependent hand-over for drawing on the screen.
    void HandOverToDevice() { SetPixelFormat(TPixelFormat::pfDevice); }

    // Rows of a 32-bit image, row 0 at the top. Null for other formats or out of range.
    // A row taken for writing notifies (OnChange); a row read through a const bitmap not.
    std::uint32_t* ScanLine(int row);
    const std::uint32_t* ScanLine(int row) const;
    std::uint32_t Pixel(int x, int y) const; // any format, as 0x00RRGGBB
    void Fill(TColor color, SysColorFn sys);

    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    TColor TransparentColor() const { return FTransparentColor; }
    void SetTransparentColor(TColor value);

    HBITMAP Handle() const { return static_cast<HBITMAP>(FHandle.Get()); }
    // A memory DC with the bitmap selected, made on first use and kept until the image
    // changes. Drawing through it does not notify; call Changed afterwards.
    HDC DC();
    // A canvas on DC(); every drawing through it notifies.
    TCanvas* Canvas();

    TNotifyEvent OnChange;
    void Changed();

private:
    std::uint32_t* Row(int row) const;
    void Release();
    void Deselect();
    void CopyFrom(const TBitmap* source);
    void Replace(HBITMAP handle, TPixelFormat format, int w, int h, std::uint32_t* bits);
    // Makes the image anew in `format` from top-down 0x00RRGGBB pixels.
    void Rebuild(TPixelFormat format, int w, int h, const std::vector<std::uint32_t>& px);

    GdiObject FHandle;
    std::uint32_t* FBits = nullptr; // only for pf32bit
    TPixelFormat FFormat = TPixelFormat::pf32bit;
    int FWidth = 0, FHeight = 0;
    bool FTransparent = false;
    TColor FTransparentColor = 0;
    MemoryDC FDC;
    std::optional<ScopedSelect> FSelected; // the bitmap in FDC
    std::unique_ptr<TCanvas> FCanvas;
};

// Drawing a bitmap on a device context: transparent bitmaps leave out their transparent
// colour, the others are plain copies.
void DrawBitmap(HDC dc, int x, int y, TBitmap& bitmap, SysColorFn sys);
// Stretches without smoothing (COLORONCOLOR); on palette displays halftone is used.
void StretchDrawBitmap(HDC dc, int left, int top, int width, int height, TBitmap& bitmap);
// The whole bitmap at (x, y) with a raster operation, e.g. a masked brush fill.
void BitBltBitmap(HDC dc, int x, int y, TBitmap& bitmap, DWORD rop);
