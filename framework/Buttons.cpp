#include "framework/Buttons.h"

#include "framework/Messages.h"

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) {
    // Clicks come from the button's own press tracking, not from the base.
    ControlStyle = csCaptureMouse | csOpaque | csDoubleClicks;
    FWidth = 23;
    FHeight = 22;
}

void TSpeedButton::SetGroupIndex(int value) {
    if (StoreIfChanged(FGroupIndex, value)) Announce();
}

void TSpeedButton::SetDown(bool value) {
    if (FGroupIndex == 0) value = false;
    if (value == FDown) return;
    if (FDown && !FAllowAllUp) return;
    FDown = value;
    Invalidate();
    if (value) Announce();
}

void TSpeedButton::SetAllowAllUp(bool value) {
    if (StoreIfChanged(FAllowAllUp, value)) Announce();
}

void TSpeedButton::Announce() {
    if (FGroupIndex == 0 || !Parent()) return;
    TMessage m{CM_BUTTONPRESSED, static_cast<WPARAM>(FGroupIndex),
               reinterpret_cast<LPARAM>(static_cast<TObject*>(this)), 0};
    Parent()->Broadcast(m);
}

void TSpeedButton::Dispatch(TMessage& msg) {
    if (msg.Msg != CM_BUTTONPRESSED) {
        TGraphicControl::Dispatch(msg);
        return;
    }
    if (static_cast<int>(msg.WParam) != FGroupIndex) return;
    // Any control may announce; only latching buttons carry values to adopt.
    auto* sender = dynamic_cast<const TGroupLatch*>(reinterpret_cast<TObject*>(msg.LParam));
    if (!sender || sender == this) return;
    if (sender->Down() && FDown) {
        FDown = false;
        Invalidate();
    }
    FAllowAllUp = sender->AllowAllUp();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled()) return;
    FPressing = FPressedLook = true;
    Invalidate();
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
    TGraphicControl::MouseMove(shift, x, y);
    if (FPressing && Inside(x, y) != FPressedLook) {
        FPressedLook = !FPressedLook;
        Invalidate();
    }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseUp(button, shift, x, y);
    if (!FPressing) return;
    FPressing = FPressedLook = false;
    Invalidate();
    if (!Inside(x, y)) return;
    if (FGroupIndex != 0) SetDown(!FDown);
    Click();
}

void TSpeedButton::Paint() {
    TCanvas& c = *Canvas();
    TRect r = ClientRect();
    c.Brush.SetColor(clBtnFace);
    c.FillRect(r);
    RECT edge{r.Left, r.Top, r.Right, r.Bottom};
    DrawEdge(c.Handle(), &edge, FDown || FPressedLook ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    if (FDown || FPressedLook) r = r.Offset(1, 1);
    c.Brush.SetStyle(bsClear);
    c.Font.Assign(Font());
    c.Font.SetColor(Enabled() ? clBtnText : clGrayText);
    c.DrawTextIn(Caption(), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
