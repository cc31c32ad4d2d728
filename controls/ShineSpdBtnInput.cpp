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
    case CM_MOUSELEAVE: {
        const TPoint p = ScreenToClient(CursorPos());
        if (Message.Msg == CM_MOUSEENTER)
            MouseEnter(CurrentShiftState(), p.X, p.Y);
        else
            MouseLeave(CurrentShiftState(), p.X, p.Y);
        return;
    }
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
    // Only standard speed buttons announce (shine buttons through one of their own), so
    // any other sender is treated as none.
    auto* sender = dynamic_cast<TSpeedButton*>(reinterpret_cast<TObject*>(Message.LParam));
    FMachine.ButtonPressed(static_cast<int>(Message.WParam), sender == nullptr, sender == FGroupAnnouncer,
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

void TShineSpeedButton::MouseEnter(TShiftState Shift, int X, int Y) {
    if (OnMouseEnter) OnMouseEnter(this, Shift, X, Y);
    FMachine.MouseEnter();
}

void TShineSpeedButton::MouseLeave(TShiftState Shift, int X, int Y) {
    if (OnMouseLeave) OnMouseLeave(this, Shift, X, Y);
    FMachine.MouseLeave();
}

void TShineSpeedButton::UpdateTracking() {
    FMachine.UpdateTracking();
}

void TShineSpeedButton::ActiveButtonTimerOnTimer(TObject*) {
    FMachine.TimerTick(ClientRect().Contains(ScreenToClient(CursorPos())));
}

void TShineSpeedButton::Click() {
    FMachine.Click();
}

// ---- Down and the group ---------------------------------------------------------

void TShineSpeedButton::SetDown(bool value) {
    FMachine.SetDown(value);
}

void TShineSpeedButton::GroupUpdateStatus(int Index) {
    FMachine.GroupUpdateStatus(Index);
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
void TShineSpeedButton::Host::PerformMouseEnter() {
    B.Perform(CM_MOUSEENTER);
}
void TShineSpeedButton::Host::PerformMouseLeave() {
    B.Perform(CM_MOUSELEAVE);
}
void TShineSpeedButton::Host::CallMouseLeave() {
    const TPoint p = B.ScreenToClient(CursorPos());
    B.MouseLeave(CurrentShiftState(), p.X, p.Y);
}
void TShineSpeedButton::Host::CallClick() {
    B.Click();
}
void TShineSpeedButton::Host::BaseClick() {
    B.TGraphicControl::Click();
}
void TShineSpeedButton::Host::BaseDblClick() {
    B.DblClick();
}

void TShineSpeedButton::Host::AnnounceGroup(int groupIndex, bool down, bool allowAllUp) {
    TWinControl* parent = B.Parent();
    // Setting the announcer's values already announces them, so it is known as this
    // button's own before the first one.
    B.FGroupAnnouncer = new TSpeedButton(parent);
    struct Release {
        TShineSpeedButton& b;
        TWinControl* parent;
        ~Release() {
            parent->RemoveControl(b.FGroupAnnouncer);
            delete b.FGroupAnnouncer;
            b.FGroupAnnouncer = nullptr;
        }
    } release{B, parent};
    TSpeedButton& a = *B.FGroupAnnouncer;
    a.SetVisible(false);
    parent->InsertControl(&a);
    a.SetGroupIndex(groupIndex);
    a.SetAllowAllUp(allowAllUp);
    a.SetDown(down);
    TMessage m{CM_BUTTONPRESSED, static_cast<WPARAM>(groupIndex), reinterpret_cast<LPARAM>(static_cast<TObject*>(&a)), 0};
    parent->Broadcast(m);
}
