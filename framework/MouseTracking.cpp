// Which control the mouse is over, found when the message queue runs empty: graphic
// controls have no window of their own, so they learn that the mouse came or went from
// CM_MOUSEENTER and CM_MOUSELEAVE sent here.
#include "framework/Controls.h"
#include "framework/Messages.h"

namespace {

// The control the last tracking step found under the mouse; cleared when it dies.
TControl* g_mouseControl = nullptr;

} // namespace

TControl* FindDragTarget(TPoint screenPos, bool allowDisabled) {
    HWND wnd = WindowFromPoint(POINT{screenPos.X, screenPos.Y});
    // A system window inside one of ours (the edit field of a combo box) counts as ours.
    TWinControl* owner = nullptr;
    while (wnd && !(owner = FindControl(wnd))) wnd = GetParent(wnd);
    if (!owner) return nullptr;
    if (TControl* child = owner->ControlAtPos(owner->ScreenToClient(screenPos), allowDisabled)) return child;
    return owner;
}

TControl* GetCaptureControl() {
    TWinControl* owner = FindControl(GetCapture());
    if (!owner) return nullptr;
    return owner->CaptureControl ? owner->CaptureControl : owner;
}

void TrackMouseControl() {
    POINT p{};
    TControl* now = GetCursorPos(&p) ? FindDragTarget({p.x, p.y}, true) : nullptr;
    if (now == g_mouseControl) return;
    // While a control holds the capture, only it hears that the mouse came or went.
    TControl* capture = GetCaptureControl();
    auto told = [capture](TControl* c) { return c && (!capture || c == capture); };
    TControl* old = g_mouseControl;
    g_mouseControl = now;
    if (told(old)) old->Perform(CM_MOUSELEAVE);
    // The leave handling may have destroyed the new control.
    if (told(g_mouseControl)) g_mouseControl->Perform(CM_MOUSEENTER);
}

void ForgetMouseControl(TControl* c) {
    if (g_mouseControl == c) g_mouseControl = nullptr;
}
