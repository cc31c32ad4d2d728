#pragma once
// Fonts, brushes and pens described by properties, with the GDI objects made from them
// on demand; and the canvas that draws with them on a device context.
#include "framework/Classes.h"
#include "framework/Handles.h"
#include "framework/portable/Colors.h"
#include "framework/portable/Geometry.h"

#include <windows.h>

#include <optional>
#include <string>

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// Anything whose change the owner hears of through OnChange.
class TGraphicsObject : public TPersistent {
public:
    TNotifyEvent OnChange;

protected:
    void Changed() {
        if (OnChange) OnChange(this);
    }
};

// A new font is the program's window font: ＭＳ Ｐゴシック, 12 pixels high, Shift-JIS.
class TFont : public TGraphicsObject {
public:
    TFont();
    const char* ClassName() const override { return "TFont"; }
    void Assign(TPersistent* Source) override;

    std::string Name() const { return FName; }
    void SetName(const std::string& v);
    int Height() const { return FHeight; }
    void SetHeight(int v);
    int Size() const;  // points at 96 pixels per inch
    void SetSize(int points);
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    unsigned Style() const { return FStyle; }
    void SetStyle(unsigned v);
    BYTE Charset() const { return FCharset; }
    void SetCharset(BYTE v);

    HFONT Handle();
    bool SameAs(const TFont& other) const;

private:
    void Touch();
    std::string FName;
    int FHeight;
    TColor FColor;
    unsigned FStyle = 0;
    BYTE FCharset;
    GdiObject FHandle;
};

enum TBrushStyle { bsSolid, bsClear };

class TBrush : public TGraphicsObject {
public:
    const char* ClassName() const override { return "TBrush"; }
    void Assign(TPersistent* Source) override;
    TColor Color() const { return FColor; }
    void SetColor(TColor v);  // makes the brush solid, as a fill colour does
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle v);
    HBRUSH Handle();

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    GdiObject FHandle;
};

enum TPenStyle { psSolid, psDash, psDot, psClear };

class TPen : public TGraphicsObject {
public:
    const char* ClassName() const override { return "TPen"; }
    void Assign(TPersistent* Source) override;
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle v);
    int Width() const { return FWidth; }
    void SetWidth(int v);
    HPEN Handle();

private:
    TColor FColor = clBlack;
    TPenStyle FStyle = psSolid;
    int FWidth = 1;
    GdiObject FHandle;
};

// Draws on a device context it is given (it does not own it). The font, brush and pen
// are selected on each drawing call, so property changes take effect at the next call.
class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;
    const char* ClassName() const override { return "TCanvas"; }

    HDC Handle() const { return FDC; }
    // Hands the canvas a device context (or none); the previous one gets its objects back.
    void SetHandle(HDC dc);

    TFont Font;
    TBrush Brush;
    TPen Pen;

    void FillRect(const TRect& r);
    void FrameRect(const TRect& r);
    void Rectangle(int left, int top, int right, int bottom);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void TextAt(int x, int y, const std::string& text);
    TPoint TextExtent(const std::string& text);
    int TextHeight(const std::string& text) { return TextExtent(text).Y; }
    int DrawTextIn(const std::string& text, TRect& r, UINT format);
    // After every drawing: what owns the surface (a bitmap) hears that it changed.
    TNotifyEvent OnChange;

private:
    void Changed() {
        if (OnChange) OnChange(this);
    }
    void SelectFont();
    void SelectBrush();
    void SelectPen();
    HDC FDC = nullptr;
    // The device context's own font, brush and pen, put back when the canvas lets it go.
    std::optional<ScopedSelect> FOwnFont, FOwnBrush, FOwnPen;
};

// A canvas drawing on a device context for a scope, handed none again at the end (so the
// context gets its own objects back).
class CanvasOn {
public:
    CanvasOn(TCanvas& canvas, HDC dc) : FCanvas(canvas) { FCanvas.SetHandle(dc); }
    ~CanvasOn() { FCanvas.SetHandle(nullptr); }
    CanvasOn(const CanvasOn&) = delete;
    CanvasOn& operator=(const CanvasOn&) = delete;

private:
    TCanvas& FCanvas;
};

// Resolves a colour for GDI (system colours through GetSysColor).
COLORREF ColorRef(TColor c);
