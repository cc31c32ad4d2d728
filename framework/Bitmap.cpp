#include "framework/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

namespace {

BITMAPINFO Info32(int w, int h) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h; // top-down: row 0 is the top row
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return bi;
}

HBITMAP NewDib(int w, int h, std::uint32_t** bits) {
    BITMAPINFO bi = Info32(w, h);
    void* p = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
    if (!bmp) throw std::bad_alloc();
    *bits = static_cast<std::uint32_t*>(p);
    return bmp;
}

// Any bitmap's pixels as top-down 0x00RRGGBB rows. The handle must not be selected.
std::vector<std::uint32_t> ReadPixels(HBITMAP bmp, int w, int h) {
    std::vector<std::uint32_t> px(static_cast<std::size_t>(w) * h);
    BITMAPINFO bi = Info32(w, h);
    const WindowDC screen;
    GetDIBits(screen.Get(), bmp, 0, h, px.data(), &bi, DIB_RGB_COLORS);
    for (auto& p : px)
        p &= 0xFFFFFF;
    return px;
}

HBITMAP NewMono(int w, int h, const std::uint32_t* px) {
    const int stride = ((w + 15) / 16) * 2; // CreateBitmap wants rows on WORD boundaries
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(stride) * h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (px[static_cast<std::size_t>(y) * w + x] & 0xFFFFFF)
                rows[static_cast<std::size_t>(y) * stride + x / 8] |= std::uint8_t(0x80 >> (x % 8));
    HBITMAP bmp = CreateBitmap(w, h, 1, 1, rows.data());
    if (!bmp) throw std::bad_alloc();
    return bmp;
}

HBITMAP NewDevice(int w, int h, const std::uint32_t* px) {
    const WindowDC screen;
    HBITMAP bmp = CreateCompatibleBitmap(screen.Get(), w, h);
    if (!bmp) throw std::bad_alloc();
    BITMAPINFO bi = Info32(w, h);
    SetDIBits(screen.Get(), bmp, 0, h, px, &bi, DIB_RGB_COLORS);
    return bmp;
}

} // namespace

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) {
    SetSize(width, height);
}

TBitmap::~TBitmap() {
    OnChange = nullptr;
    Release();
}

void TBitmap::Deselect() {
    if (FCanvas) FCanvas->SetHandle(nullptr);
    FSelected.reset(); // the memory DC gets its own bitmap back before it goes
    FDC.Reset();
}

void TBitmap::Release() {
    Deselect();
    FHandle.Reset();
    FBits = nullptr;
}

void TBitmap::Replace(HBITMAP handle, TPixelFormat format, int w, int h, std::uint32_t* bits) {
    Release();
    FHandle.Reset(handle);
    FFormat = format;
    FWidth = w;
    FHeight = h;
    FBits = bits;
}

void TBitmap::Rebuild(TPixelFormat format, int w, int h, const std::vector<std::uint32_t>& px) {
    if (format == TPixelFormat::pf32bit) {
        std::uint32_t* bits = nullptr;
        HBITMAP bmp = NewDib(w, h, &bits);
        std::memcpy(bits, px.data(), px.size() * 4);
        Replace(bmp, format, w, h, bits);
    } else {
        HBITMAP bmp =
            format == TPixelFormat::pf1bit ? NewMono(w, h, px.data()) : NewDevice(w, h, px.data());
        Replace(bmp, format, w, h, nullptr);
    }
}

void TBitmap::Changed() {
    if (OnChange) OnChange(this);
}

void TBitmap::SetSize(int w, int h) {
    w = std::max(w, 0);
    h = std::max(h, 0);
    if (w == FWidth && h == FHeight) return;
    std::vector<std::uint32_t> old;
    if (FHandle.Get()) {
        Deselect();
        old = ReadPixels(Handle(), FWidth, FHeight);
    }
    std::vector<std::uint32_t> px(static_cast<std::size_t>(w) * h, 0);
    for (int y = 0; y < std::min(h, FHeight); ++y)
        for (int x = 0; x < std::min(w, FWidth); ++x)
            px[static_cast<std::size_t>(y) * w + x] = old[static_cast<std::size_t>(y) * FWidth + x];
    const TPixelFormat format = FFormat;
    if (w == 0 || h == 0)
        Replace(nullptr, format, w, h, nullptr);
    else
        Rebuild(format, w, h, px);
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
    if (format == FFormat) return;
    if (!FHandle.Get()) {
        FFormat = format;
        Changed();
        return;
    }
    Deselect();
    Rebuild(format, FWidth, FHeight, ReadPixels(Handle(), FWidth, FHeight));
    Changed();
}

void TBitmap::Assign(TPersistent* Source) {
    if (!Source || dynamic_cast<TBitmap*>(Source)) {
        CopyFrom(static_cast<const TBitmap*>(Source));
        return;
    }
    TPersistent::Assign(Source);
}

void TBitmap::CopyFrom(const TBitmap* source) {
    if (source == this) return;
    if (!source || source->Empty()) {
        Replace(nullptr, source ? source->FFormat : FFormat, source ? source->FWidth : 0,
                source ? source->FHeight : 0, nullptr);
    } else {
        // Reading needs the source's handle out of its DC; the source keeps its pixels.
        const_cast<TBitmap*>(source)->Deselect();
        Rebuild(source->FFormat, source->FWidth, source->FHeight,
                ReadPixels(source->Handle(), source->FWidth, source->FHeight));
    }
    if (source) {
        FTransparent = source->FTransparent;
        FTransparentColor = source->FTransparentColor;
    }
    Changed();
}

void TBitmap::FreeImage() {
    Replace(nullptr, FFormat, 0, 0, nullptr);
    Changed();
}

std::uint32_t* TBitmap::Row(int row) const {
    if (!FBits || row < 0 || row >= FHeight) return nullptr;
    GdiFlush(); // drawing through the DC may still be queued
    return FBits + static_cast<std::size_t>(row) * FWidth;
}

// A row handed out for writing is a change: the owner hears of it now and repaints later,
// after the caller has written.
std::uint32_t* TBitmap::ScanLine(int row) {
    std::uint32_t* r = Row(row);
    if (r) Changed();
    return r;
}

const std::uint32_t* TBitmap::ScanLine(int row) const { return Row(row); }

std::uint32_t TBitmap::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return 0;
    if (FBits) return ScanLine(y)[x] & 0xFFFFFF;
    auto* self = const_cast<TBitmap*>(this);
    self->Deselect();
    return ReadPixels(Handle(), FWidth, FHeight)[static_cast<std::size_t>(y) * FWidth + x];
}

void TBitmap::Fill(TColor color, SysColorFn sys) {
    if (Empty()) return;
    if (FBits) {
        const std::uint32_t p = ColorToPixel(color, sys);
        GdiFlush();
        std::fill(FBits, FBits + static_cast<std::size_t>(FWidth) * FHeight, p);
    } else {
        const GdiObject brush(CreateSolidBrush(ColorToRGB(color, sys)));
        RECT r{0, 0, FWidth, FHeight};
        FillRect(DC(), &r, static_cast<HBRUSH>(brush.Get()));
    }
    Changed();
}

void TBitmap::SetTransparent(bool value) {
    if (value == FTransparent) return;
    FTransparent = value;
    Changed();
}

void TBitmap::SetTransparentColor(TColor value) {
    if (value == FTransparentColor) return;
    FTransparentColor = value;
    Changed();
}

HDC TBitmap::DC() {
    if (!FDC.Get()) {
        const WindowDC screen;
        FDC.Reset(CreateCompatibleDC(screen.Get()));
        if (!FDC.Get()) throw std::bad_alloc();
        if (FHandle.Get()) FSelected.emplace(FDC.Get(), FHandle.Get());
    }
    return FDC.Get();
}

TCanvas* TBitmap::Canvas() {
    if (!FCanvas) {
        FCanvas = std::make_unique<TCanvas>();
        FCanvas->OnChange = [this](TObject*) { Changed(); };
    }
    FCanvas->SetHandle(DC());
    return FCanvas.get();
}

void DrawBitmap(HDC dc, int x, int y, TBitmap& bitmap, SysColorFn sys) {
    if (bitmap.Empty()) return;
    const int w = bitmap.Width(), h = bitmap.Height();
    if (bitmap.Transparent())
        TransparentBlt(dc, x, y, w, h, bitmap.DC(), 0, 0, w, h,
                       ColorToRGB(bitmap.TransparentColor(), sys));
    else
        BitBlt(dc, x, y, w, h, bitmap.DC(), 0, 0, SRCCOPY);
}

void StretchDrawBitmap(HDC dc, int left, int top, int width, int height, TBitmap& bitmap) {
    if (bitmap.Empty()) return;
    // Palette displays cannot show 256 bands; there halftone gives the nearer look.
    const int mode = GetDeviceCaps(dc, BITSPIXEL) <= 8 ? HALFTONE : COLORONCOLOR;
    const int old = SetStretchBltMode(dc, mode);
    if (mode == HALFTONE) SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, left, top, width, height, bitmap.DC(), 0, 0, bitmap.Width(), bitmap.Height(),
               SRCCOPY);
    SetStretchBltMode(dc, old);
}

void BitBltBitmap(HDC dc, int x, int y, TBitmap& bitmap, DWORD rop) {
    if (bitmap.Empty()) return;
    BitBlt(dc, x, y, bitmap.Width(), bitmap.Height(), bitmap.DC(), 0, 0, rop);
}
