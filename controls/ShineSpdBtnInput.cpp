// How the shine button answers the mouse, the keyboard, enabling and its group. The
// rules live in the state machine; this file turns messages into its events and answers
// its questions with the platform.
#include "controls/ShineSpdBtn.h"

#include "framework/portable/Accelerator.h"

namespace {

TPoint CursorPos() {
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

} // namespace

// ---- Messages -------------------------------------------------------------------

void TShineSpeedButton::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_LBUTTONDBLCLK:
        WMLButtonDblClick(Message);
        return;
    case CM_DIALOGCHAR:
        CMDialogChar(Message);
        return;
    case CM_ENABLEDCHANGED:
        FMachine.EnabledChanged();
        return;
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
    case CM_SYSCOLORCHANGE:
        Invalidate();
        return;
    case CM_MOUSEENTER:
        FMachine.MouseEnter();
        return;
    case CM_MOUSELEAVE:
        FMachine.MouseLeave();
        return;
    case CM_BUTTONPRESSED:
        CMButtonPressed(Message);
        return;
    default:
        TGraphicControl::Dispatch(Message);
    }
}

void TShineSpeedButton::WMLButtonDblClick(TMessage& Message) {
    // The base handling presses the button again (a mouse-down with the double-click flag).
    TGraphicControl::Dispatch(Message);
    FMachine.DoubleClicked();
}

void TShineSpeedButton::CMDialogChar(TMessage& Message) {
    const bool accelerator = Message.WParam < 0x100 &&
                             IsAccel(static_cast<char>(Message.WParam), Caption(), CodePage::Cp932()) &&
                             Enabled() && Visible() && Parent() && Parent()->Showing();
    if (!accelerator) {
        TGraphicControl::Dispatch(Message);
        return;
    }
    FMachine.Accelerator();
    Message.Result = 1;
}

void TShineSpeedButton::CMButtonPressed(TMessage& Message) {
    // Only latching buttons carry a group's values, so any other sender is treated as none.
    auto* sender = dynamic_cast<const TGroupLatch*>(reinterpret_cast<TObject*>(Message.LParam));
    FMachine.ButtonPressed(static_cast<int>(Message.WParam), sender == nullptr, sender == this,
                           sender && sender->Down(), sender && sender->AllowAllUp());
}

// ---- Mouse ------------------------------------------------------------------------

void TShineSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    FMachine.MouseDown(Button == mbLeft);
}

void TShineSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    FMachine.MouseMove(ClientRect().Contains({X, Y}));
}

void TShineSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    FMachine.MouseUp(ClientRect().Contains({X, Y}));
}

void TShineSpeedButton::ActiveButtonTimerOnTimer(TObject*) {
    FMachine.TimerTick(ClientRect().Contains(ScreenToClient(CursorPos())));
}

// A click from outside (the mouse and accelerators click through the machine itself).
void TShineSpeedButton::Click() {
    FMachine.Click();
}

// ---- Down and the group ---------------------------------------------------------

void TShineSpeedButton::SetDown(bool value) {
    FMachine.SetDown(value);
}

// ---- The platform's answers -----------------------------------------------------

bool TShineSpeedButton::Host::Enabled() {
    return B.Enabled();
}
bool TShineSpeedButton::Host::HasParent() {
    return B.Parent() != nullptr;
}
bool TShineSpeedButton::Host::CursorOverThis() {
    return FindDragTarget(CursorPos(), true) == &B;
}
bool TShineSpeedButton::Host::AutoDrag() {
    return B.DragMode == dmAutomatic;
}
bool TShineSpeedButton::Host::CaptureHeld() {
    return GetCapture() != nullptr;
}
void TShineSpeedButton::Host::Invalidate() {
    B.Invalidate();
}
void TShineSpeedButton::Host::Repaint() {
    B.Repaint();
}
void TShineSpeedButton::Host::SetTimerEnabled(bool on) {
    B.FActiveButtonTimer->SetEnabled(on);
}
void TShineSpeedButton::Host::FireMouseEnter() {
    if (!B.OnMouseEnter) return;
    const TPoint p = B.ScreenToClient(CursorPos());
    B.OnMouseEnter(&B, CurrentShiftState(), p.X, p.Y);
}
void TShineSpeedButton::Host::FireMouseLeave() {
    if (!B.OnMouseLeave) return;
    const TPoint p = B.ScreenToClient(CursorPos());
    B.OnMouseLeave(&B, CurrentShiftState(), p.X, p.Y);
}
void TShineSpeedButton::Host::FireClick() {
    B.TGraphicControl::Click();
}
void TShineSpeedButton::Host::FireDblClick() {
    B.DblClick();
}

void TShineSpeedButton::Host::AnnounceGroup(int groupIndex, bool, bool) {
    // The receivers read Down and AllowAllUp from this button, which holds them already.
    TMessage m{CM_BUTTONPRESSED, static_cast<WPARAM>(groupIndex),
               reinterpret_cast<LPARAM>(static_cast<TObject*>(&B)), 0};
    B.Parent()->Broadcast(m);
}
