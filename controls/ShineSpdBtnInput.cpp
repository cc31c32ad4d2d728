// How the shine button follows the mouse. This version tracks the mouse over the button
// (enter, leave, the polling timer) and repaints on colour and text messages; pressing,
// latching announcements and accelerators come with the interaction work, which takes
// over this file.
#include "controls/ShineSpdBtn.h"

namespace {

TPoint CursorPos() {
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

} // namespace

void TShineSpeedButton::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
    case CM_SYSCOLORCHANGE:
        Invalidate();
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE: {
        const TPoint p = ScreenToClient(CursorPos());
        if (Message.Msg == CM_MOUSEENTER)
            MouseEnter(CurrentShiftState(), p.X, p.Y);
        else
            MouseLeave(CurrentShiftState(), p.X, p.Y);
        return;
    }
    default:
        TGraphicControl::Dispatch(Message);
    }
}

void TShineSpeedButton::Click() {
    TGraphicControl::Click();
}

void TShineSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseDown(Button, Shift, X, Y);
}

void TShineSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!FPressing && !FMouseInside) UpdateTracking();
}

void TShineSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void TShineSpeedButton::MouseEnter(TShiftState Shift, int X, int Y) {
    if (OnMouseEnter) OnMouseEnter(this, Shift, X, Y);
    if (FMouseInside || !Enabled() || DragMode == dmAutomatic || GetCapture()) return;
    FMouseInside = true;
    if (FState == sbsUp) FState = sbsActive;
    if (FState == sbsDown) FState = sbsActiveDown;
    Repaint();
    FActiveButtonTimer->SetEnabled(true);
}

void TShineSpeedButton::MouseLeave(TShiftState Shift, int X, int Y) {
    if (OnMouseLeave) OnMouseLeave(this, Shift, X, Y);
    if (!FMouseInside || !Enabled() || FPressing) return;
    FActiveButtonTimer->SetEnabled(false);
    FMouseInside = false;
    if (FState == sbsActive) FState = sbsUp;
    if (FState == sbsActiveDown) FState = sbsDown;
    Repaint();
}

void TShineSpeedButton::UpdateTracking() {
    if (!Enabled()) return;
    bool over = false;
    if (TWinControl* parent = Parent()) {
        const TPoint screen = CursorPos();
        const TPoint origin = parent->ClientOrigin();
        over = parent->ControlAtPos({screen.X - origin.X, screen.Y - origin.Y}, true) == this;
    }
    // The flag is set to the opposite first so that the enter or leave handling does not
    // stop at its first test.
    FMouseInside = !over;
    Perform(over ? CM_MOUSEENTER : CM_MOUSELEAVE);
}

void TShineSpeedButton::ActiveButtonTimerOnTimer(TObject*) {
    if (!FMouseInside || !Enabled() || FPressing) {
        FActiveButtonTimer->SetEnabled(false);
        return;
    }
    const TPoint p = ScreenToClient(CursorPos());
    if (ClientRect().Contains(p)) return;
    MouseLeave(CurrentShiftState(), p.X, p.Y);
}

// Announcing the group's state to the siblings comes with the latching work.
void TShineSpeedButton::GroupUpdateStatus(int Index) {
    FGroupIndex = Index;
}

void TShineSpeedButton::SetDown(bool value) {
    if (value == FDown || FGroupIndex == 0) return;
    if (!FAllowAllUp && FDown) return; // a group without all-up keeps its down button
    FDown = value;
    GroupUpdateStatus(FGroupIndex);
    FState = FDown ? sbsDown : sbsUp;
    Repaint();
}
