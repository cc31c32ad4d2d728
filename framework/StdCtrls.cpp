#include "framework/StdCtrls.h"

#include "framework/portable/Accelerator.h"

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
    ControlStyle = csReplicatable | csOpaque | csSetCaption | csClickEvents | csDoubleClicks;
    FWidth = 65;
    FHeight = 17;
}

void TLabel::SetTransparent(bool v) {
    if (v == FTransparent) return;
    FTransparent = v;
    if (v)
        ControlStyle &= ~csOpaque;
    else
        ControlStyle |= csOpaque;
    Invalidate();
}

void TLabel::Paint() {
    TCanvas& c = *Canvas();
    TRect r = ClientRect();
    if (!FTransparent) {
        c.Brush.SetColor(Color());
        c.FillRect(r);
    }
    c.Brush.SetStyle(bsClear);
    UINT format = DT_EXPANDTABS | DT_WORDBREAK;
    format |= Alignment == taRightJustify ? DT_RIGHT : Alignment == taCenter ? DT_CENTER : DT_LEFT;
    if (!Enabled()) {
        TRect shifted = r.Offset(1, 1);
        c.Font.SetColor(clBtnHighlight);
        c.DrawTextIn(Caption(), shifted, format);
        c.Font.SetColor(clBtnShadow);
    }
    c.DrawTextIn(Caption(), r, format);
}

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner) {
    ControlStyle = csSetCaption | csDoubleClicks;
    TabStop = true;
    FWidth = 75;
    FHeight = 25;
}

void TButton::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.BaseClass = "BUTTON";
    p.Style |= BS_PUSHBUTTON;
}

void TButton::Dispatch(TMessage& msg) {
    if (msg.Msg == CN_COMMAND && HIWORD(msg.WParam) == BN_CLICKED) {
        Click();
        return;
    }
    if (msg.Msg == CM_DIALOGCHAR) {
        CMDialogChar(msg);
        return;
    }
    TWinControl::Dispatch(msg);
}

void TButton::CMDialogChar(TMessage& msg) {
    // A letter typed without Alt is no accelerator of a push button, not even while the
    // button has the focus.
    const bool alt = (msg.LParam & (static_cast<LPARAM>(KF_ALTDOWN) << 16)) != 0;
    if (alt && msg.WParam < 0x100 && IsAccel(static_cast<char>(msg.WParam), Caption(), CodePage::Cp932()) &&
        Enabled() && Visible() && Parent() && Parent()->Showing()) {
        Click();
        msg.Result = 1;
        return;
    }
    TWinControl::Dispatch(msg);
}
