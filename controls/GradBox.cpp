#include "controls/GradBox.h"

#include "framework/SystemColors.h"

TGradBox::TGradBox(TComponent* AOwner) : TGraphicControl(AOwner) {
    // Replicatable, and not opaque: the parent erases the area beneath before each paint.
    ControlStyle |= csReplicatable;
    ControlStyle &= ~csOpaque;
    FWidth = 200;
    FHeight = 100;
}

template <class T> void TGradBox::Store(T& field, T value, bool repaint) {
    if (StoreIfChanged(field, value) && repaint) Invalidate();
}

void TGradBox::SetCaptionLeft(int v) { Store(FCaptionLeft, v); }
void TGradBox::SetCaptionTop(int v) { Store(FCaptionTop, v); }
void TGradBox::SetTopColor(TColor v) { Store(FTopColor, v); }
void TGradBox::SetLastColor(TColor v) { Store(FLastColor, v); }
void TGradBox::SetOutLineColor(TColor v) { Store(FOutLineColor, v, FDrawOutLine); }
void TGradBox::SetDrawOutLine(bool v) { Store(FDrawOutLine, v); }
void TGradBox::SetGradStyle(TGradStyle v) { Store(FGradStyle, v); }
void TGradBox::SetFont3D(bool v) { Store(FFont3D, v); }
void TGradBox::SetFontDepth(unsigned char v) { Store(FFontDepth, v, FFont3D); }
void TGradBox::SetStyle3D(TFontStyle3D v) { Store(FStyle3D, v); }
void TGradBox::SetBackFont(TColor v) { Store(FBackFont, v, FFont3D); }

void TGradBox::GetRGB(TColor Color, unsigned char& R, unsigned char& G, unsigned char& B) const {
    ::GetRGB(Color, SystemColor, R, G, B);
}

void TGradBox::SetColarray(TColor start, TColor end, TGradStyle style) {
    FillColarray(FColarray, start, end, style, SystemColor);
}

void TGradBox::Dispatch(TMessage& msg) {
    if (msg.Msg == CM_TEXTCHANGED) {
        DefaultHandler(msg);
        Invalidate();
        return;
    }
    TGraphicControl::Dispatch(msg);
}

void TGradBox::Paint() {
    TCanvas& c = *Canvas();
    SetColarray(FTopColor, FLastColor, FGradStyle);
    for (const TBandFill& band : GradBands(FWidth, FHeight, FGradStyle)) {
        c.Brush.SetColor(FColarray[static_cast<size_t>(band.Index)]);
        c.FillRect(band.Rect);
    }
    c.Font.Assign(Font());
    c.Brush.SetStyle(bsClear);
    c.Pen.SetColor(FOutLineColor);
    c.Pen.SetStyle(psSolid);
    if (FDrawOutLine) c.Rectangle(0, 0, FWidth, FHeight);
    // Left, top, right, bottom: the caption wraps at the box's right edge and is clipped
    // at its bottom, wherever it starts.
    DrawCaptionText(TRect{FCaptionLeft, FCaptionTop, FWidth, FHeight});
    if (OnPaint) OnPaint(this);
}

void TGradBox::DrawCaptionText(const TRect& rect) {
    TCanvas& c = *Canvas();
    c.Brush.SetStyle(bsClear);
    c.Font.Assign(Font());
    const TColor own = Font()->Color();
    for (const TCaptionDraw& d : CaptionPlan(Enabled(), FFont3D, FStyle3D, FFontDepth, rect)) {
        switch (d.Ink) {
        case TCaptionInk::BackFont: c.Font.SetColor(FBackFont); break;
        case TCaptionInk::FontColor: c.Font.SetColor(own); break;
        case TCaptionInk::White: c.Font.SetColor(0xFFFFFF); break;
        case TCaptionInk::Gray: c.Font.SetColor(0x808080); break;
        }
        TRect r = d.Rect;
        c.DrawTextIn(Caption(), r, DT_WORDBREAK | DT_EXPANDTABS);
    }
}
