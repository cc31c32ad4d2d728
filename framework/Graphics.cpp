#include "framework/Graphics.h"

#include "framework/SystemColors.h"
#include "framework/WideText.h"

COLORREF ColorRef(TColor c) { return static_cast<COLORREF>(ResolveColor(c)); }

// --- TFont

TFont::TFont() : FName("ＭＳ Ｐゴシック"), FHeight(-12), FColor(clWindowText), FCharset(SHIFTJIS_CHARSET) {}

void TFont::Touch() {
    FHandle.Reset();
    Changed();
}

void TFont::SetName(const std::string& v) {
    if (v == FName) return;
    FName = v;
    Touch();
}
void TFont::SetHeight(int v) {
    if (v == FHeight) return;
    FHeight = v;
    Touch();
}
int TFont::Size() const { return -MulDiv(FHeight, 72, 96); }
void TFont::SetSize(int points) { SetHeight(-MulDiv(points, 96, 72)); }
void TFont::SetColor(TColor v) {
    if (v == FColor) return;
    FColor = v;
    Changed();
}
void TFont::SetStyle(unsigned v) {
    if (v == FStyle) return;
    FStyle = v;
    Touch();
}
void TFont::SetCharset(BYTE v) {
    if (v == FCharset) return;
    FCharset = v;
    Touch();
}

bool TFont::SameAs(const TFont& o) const {
    return FName == o.FName && FHeight == o.FHeight && FColor == o.FColor && FStyle == o.FStyle &&
           FCharset == o.FCharset;
}

void TFont::Assign(TPersistent* Source) {
    if (auto* f = dynamic_cast<TFont*>(Source)) {
        FName = f->FName;
        FHeight = f->FHeight;
        FColor = f->FColor;
        FStyle = f->FStyle;
        FCharset = f->FCharset;
        Touch();
        return;
    }
    TGraphicsObject::Assign(Source);
}

HFONT TFont::Handle() {
    if (!FHandle.Get()) {
        FHandle.Reset(CreateFontW(FHeight, 0, 0, 0, (FStyle & fsBold) ? FW_BOLD : FW_NORMAL,
                                  (FStyle & fsItalic) != 0, (FStyle & fsUnderline) != 0,
                                  (FStyle & fsStrikeOut) != 0, FCharset, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                  Widen(FName).c_str()));
    }
    return static_cast<HFONT>(FHandle.Get());
}

// --- TBrush

void TBrush::SetColor(TColor v) {
    if (v == FColor && FStyle == bsSolid) return;
    FColor = v;
    FStyle = bsSolid;
    FHandle.Reset();
    Changed();
}
void TBrush::SetStyle(TBrushStyle v) {
    if (v == FStyle) return;
    FStyle = v;
    FHandle.Reset();
    Changed();
}
void TBrush::Assign(TPersistent* Source) {
    if (auto* b = dynamic_cast<TBrush*>(Source)) {
        FColor = b->FColor;
        FStyle = b->FStyle;
        FHandle.Reset();
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}
HBRUSH TBrush::Handle() {
    if (!FHandle.Get())
        FHandle.Reset(FStyle == bsClear ? GetStockObject(NULL_BRUSH) : CreateSolidBrush(ColorRef(FColor)));
    return static_cast<HBRUSH>(FHandle.Get());
}

// --- TPen

void TPen::SetColor(TColor v) {
    if (v == FColor) return;
    FColor = v;
    FHandle.Reset();
    Changed();
}
void TPen::SetStyle(TPenStyle v) {
    if (v == FStyle) return;
    FStyle = v;
    FHandle.Reset();
    Changed();
}
void TPen::SetWidth(int v) {
    if (v == FWidth) return;
    FWidth = v;
    FHandle.Reset();
    Changed();
}
void TPen::Assign(TPersistent* Source) {
    if (auto* p = dynamic_cast<TPen*>(Source)) {
        FColor = p->FColor;
        FStyle = p->FStyle;
        FWidth = p->FWidth;
        FHandle.Reset();
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}
HPEN TPen::Handle() {
    if (!FHandle.Get()) {
        int style = FStyle == psDash ? PS_DASH : FStyle == psDot ? PS_DOT : FStyle == psClear ? PS_NULL : PS_SOLID;
        FHandle.Reset(CreatePen(style, FWidth, ColorRef(FColor)));
    }
    return static_cast<HPEN>(FHandle.Get());
}

// --- TCanvas

TCanvas::TCanvas() = default;

TCanvas::~TCanvas() { SetHandle(nullptr); }

void TCanvas::SetHandle(HDC dc) {
    if (FDC == dc) return;
    // Put the device context's own objects back before ours are deleted.
    FOwnFont.reset();
    FOwnBrush.reset();
    FOwnPen.reset();
    FDC = dc;
    if (FDC) {
        // Selecting what is selected changes nothing and remembers it.
        FOwnFont.emplace(FDC, GetCurrentObject(FDC, OBJ_FONT));
        FOwnBrush.emplace(FDC, GetCurrentObject(FDC, OBJ_BRUSH));
        FOwnPen.emplace(FDC, GetCurrentObject(FDC, OBJ_PEN));
    }
}

void TCanvas::SelectFont() {
    SelectObject(FDC, Font.Handle());
    SetTextColor(FDC, ColorRef(Font.Color()));
}
void TCanvas::SelectBrush() {
    SelectObject(FDC, Brush.Handle());
    if (Brush.Style() == bsClear) {
        SetBkMode(FDC, TRANSPARENT);
    } else {
        SetBkMode(FDC, OPAQUE);
        SetBkColor(FDC, ColorRef(Brush.Color()));
    }
}
void TCanvas::SelectPen() {
    SelectObject(FDC, Pen.Handle());
    SetROP2(FDC, R2_COPYPEN);
}

void TCanvas::FillRect(const TRect& r) {
    RECT rc{r.Left, r.Top, r.Right, r.Bottom};
    ::FillRect(FDC, &rc, Brush.Handle());
    Changed();
}

void TCanvas::FrameRect(const TRect& r) {
    RECT rc{r.Left, r.Top, r.Right, r.Bottom};
    ::FrameRect(FDC, &rc, Brush.Handle());
    Changed();
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    SelectPen();
    SelectBrush();
    ::Rectangle(FDC, left, top, right, bottom);
    Changed();
}

void TCanvas::MoveTo(int x, int y) { MoveToEx(FDC, x, y, nullptr); }

void TCanvas::LineTo(int x, int y) {
    SelectPen();
    ::LineTo(FDC, x, y);
    Changed();
}

void TCanvas::TextAt(int x, int y, const std::string& text) {
    SelectFont();
    SelectBrush();
    const std::wstring wide = Widen(text);
    ExtTextOutW(FDC, x, y, 0, nullptr, wide.data(), static_cast<UINT>(wide.size()), nullptr);
    Changed();
}

TPoint TCanvas::TextExtent(const std::string& text) {
    SelectFont();
    SIZE sz{};
    const std::wstring wide = Widen(text);
    GetTextExtentPoint32W(FDC, wide.data(), static_cast<int>(wide.size()), &sz);
    return {sz.cx, sz.cy};
}

int TCanvas::DrawTextIn(const std::string& text, TRect& r, UINT format) {
    SelectFont();
    SelectBrush();
    RECT rc{r.Left, r.Top, r.Right, r.Bottom};
    const std::wstring wide = Widen(text);
    int h = ::DrawTextW(FDC, wide.data(), static_cast<int>(wide.size()), &rc, format);
    r = {rc.left, rc.top, rc.right, rc.bottom};
    if (!(format & DT_CALCRECT)) Changed();
    return h;
}
