#pragma once
// The gradient box: a control without a window of its own that paints a two-colour
// gradient over its whole area, an optional one-pixel outline and its caption, plain or
// with a 3-D shadow or extrusion.
#include "controls/portable/GradColors.h"
#include "framework/Controls.h"

class TGradBox : public TGraphicControl {
public:
    explicit TGradBox(TComponent* AOwner);
    const char* ClassName() const override { return "TGradBox"; }
    void Dispatch(TMessage& msg) override;

    int CaptionLeft() const { return FCaptionLeft; }
    int CaptionTop() const { return FCaptionTop; }
    TColor TopColor() const { return FTopColor; }
    TColor LastColor() const { return FLastColor; }
    TColor OutLineColor() const { return FOutLineColor; }
    bool DrawOutLine() const { return FDrawOutLine; }
    TGradStyle GradStyle() const { return FGradStyle; }
    bool Font3D() const { return FFont3D; }
    unsigned char FontDepth() const { return FFontDepth; }
    TFontStyle3D Style3D() const { return FStyle3D; }
    TColor BackFont() const { return FBackFont; }

    void SetCaptionLeft(int v);
    void SetCaptionTop(int v);
    void SetTopColor(TColor v);
    void SetLastColor(TColor v);
    // The three below store without repainting while their feature is off.
    void SetOutLineColor(TColor v);
    void SetDrawOutLine(bool v);
    void SetGradStyle(TGradStyle v);
    void SetFont3D(bool v);
    void SetFontDepth(unsigned char v);
    void SetStyle3D(TFontStyle3D v);
    void SetBackFont(TColor v);

    TNotifyEvent OnPaint;

    // Splits a colour into its channels (system colours 0 to 24 resolved).
    void GetRGB(TColor Color, unsigned char& R, unsigned char& G, unsigned char& B) const;
    // Fills the colour table for the two colours and the style.
    void SetColarray(TColor start, TColor end, TGradStyle style);
    const TColarray& Colarray() const { return FColarray; }

protected:
    void Paint() override;
    void DrawCaptionText(const TRect& rect);

private:
    template <class T> void Store(T& field, T value, bool repaint = true);

    int FCaptionLeft = 10;
    int FCaptionTop = 10;
    TColor FBackFont = clYellow;
    TColor FTopColor = clGreen;
    TColor FLastColor = clLime;
    TColor FOutLineColor = clBlack;
    bool FFont3D = false;
    bool FDrawOutLine = false;
    unsigned char FFontDepth = 1;
    TFontStyle3D FStyle3D = fsRaise3D;
    TGradStyle FGradStyle = gsTopBottom;
    TColarray FColarray{};
};
