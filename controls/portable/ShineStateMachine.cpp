#include "controls/portable/ShineStateMachine.h"

void ShineStateMachine::MouseDown(bool leftButton) {
    if (!leftButton || !H.Enabled()) return;
    V.State = sbsActiveDown;
    // A latched button already looks pressed.
    if (!V.Down) H.Invalidate();
    V.Pressing = true;
}

void ShineStateMachine::MouseMove(bool inside) {
    if (V.Pressing) {
        const TShineButtonState target = inside ? sbsActiveDown : (V.Down ? sbsDown : sbsUp);
        if (target != V.State) {
            V.State = target;
            H.Invalidate();
        }
    } else if (!V.MouseInside) {
        UpdateTracking();
    }
}

void ShineStateMachine::MouseUp(bool inside) {
    if (!V.Pressing) return;
    if (V.GroupIndex == 0) {
        V.State = sbsUp;
        V.MouseInside = false;
        V.Down = false;
        if (inside) H.Repaint();
    } else if (inside) {
        SetDown(!V.Down);
        if (V.Down) H.Repaint();
    } else {
        V.State = V.Down ? sbsActiveDown : sbsActive;
        H.Repaint();
    }
    V.Pressing = false;
    if (inside) Click();
    UpdateTracking();
}

void ShineStateMachine::UpdateTracking() {
    if (!H.Enabled()) return;
    const bool over = H.CursorOverThis();
    // The opposite first, so the enter or leave handling does not stop at its first test.
    V.MouseInside = !over;
    if (over)
        MouseEnter();
    else
        MouseLeave();
}

void ShineStateMachine::MouseEnter() {
    H.FireMouseEnter();
    if (V.MouseInside || !H.Enabled() || H.AutoDrag() || H.CaptureHeld()) return;
    V.MouseInside = true;
    if (V.State == sbsUp) V.State = sbsActive;
    else if (V.State == sbsDown) V.State = sbsActiveDown;
    H.Repaint();
    H.SetTimerEnabled(true);
}

void ShineStateMachine::MouseLeave() {
    H.FireMouseLeave();
    if (!V.MouseInside || !H.Enabled() || V.Pressing) return;
    H.SetTimerEnabled(false);
    V.MouseInside = false;
    if (V.State == sbsActive) V.State = sbsUp;
    else if (V.State == sbsActiveDown) V.State = sbsDown;
    H.Repaint();
}

void ShineStateMachine::TimerTick(bool cursorInside) {
    if (!V.MouseInside || !H.Enabled() || V.Pressing) {
        H.SetTimerEnabled(false);
        return;
    }
    if (cursorInside) return;
    // The mouse left without a leave message arriving.
    MouseLeave();
}

void ShineStateMachine::Click() {
    const TShineButtonState saved = V.State;
    if (V.ClickDownHook) {
        V.State = sbsActiveDown;
        H.Repaint();
    }
    H.FireClick();
    if (V.ClickDownHook) {
        V.State = saved;
        H.Repaint();
    }
}

void ShineStateMachine::DoubleClicked() {
    if (V.Down) H.FireDblClick();
}

void ShineStateMachine::EnabledChanged() {
    V.Down = false;
    V.State = H.Enabled() ? sbsUp : sbsDisabled;
    UpdateTracking();
    H.Invalidate();
}

bool ShineStateMachine::Accelerator() {
    if (V.AccelCharDown) SetDown(!V.Down);
    Click();
    return true;
}

void ShineStateMachine::SetDown(bool value) {
    if (value == V.Down || V.GroupIndex == 0) return;
    if (V.AllowAllUp) {
        V.Down = value;
        GroupUpdateStatus(V.GroupIndex);
        V.State = V.Down ? sbsDown : sbsUp;
        H.Repaint();
        return;
    }
    // Without all-up a down button goes up only when another of its group goes down.
    if (V.Down) return;
    V.Down = true;
    GroupUpdateStatus(V.GroupIndex);
    V.State = sbsDown;
    H.Repaint();
}

void ShineStateMachine::SetGroupIndex(int value) {
    if (value != V.GroupIndex) GroupUpdateStatus(value);
}

void ShineStateMachine::SetAllowAllUp(bool value) {
    if (value == V.AllowAllUp) return;
    V.AllowAllUp = value;
    GroupUpdateStatus(V.GroupIndex);
}

void ShineStateMachine::GroupUpdateStatus(int index) {
    V.GroupIndex = index;
    if (index == 0 || !H.HasParent()) return;
    H.AnnounceGroup(V.GroupIndex, V.Down, V.AllowAllUp);
}

void ShineStateMachine::ButtonPressed(int groupIndex, bool senderNull, bool senderIsOwn, bool senderDown,
                                      bool senderAllowAllUp) {
    if (groupIndex != V.GroupIndex || senderNull || senderIsOwn) return;
    if (senderDown && V.Down) {
        V.Down = false;
        V.State = sbsUp;  // even with the mouse over it
        H.Invalidate();
    }
    V.AllowAllUp = senderAllowAllUp;
}

void ShineStateMachine::PaintingDisabled() {
    V.State = sbsDisabled;
    V.Pressing = false;
}
