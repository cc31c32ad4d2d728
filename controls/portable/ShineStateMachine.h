#pragma once
// How the shine button moves between its visual states: the rules over the state, the
// mouse-inside and pressing flags, Down and the group fields, with everything the
// platform knows or does reached through the host. The button owns the machine and hands
// each message to it; the machine reaches the button only through the host.
#include "controls/portable/ShineTypes.h"

struct ShineButtonVars {
    TShineButtonState State = sbsUp;
    bool MouseInside = false;
    bool Pressing = false;
    bool Down = false;
    int GroupIndex = 0;
    bool AllowAllUp = false;
    bool ClickDownHook = false;
    bool AccelCharDown = false;
};

class ShineButtonHost {
public:
    virtual ~ShineButtonHost() = default;
    // What the platform answers.
    virtual bool Enabled() = 0;
    virtual bool HasParent() = 0;
    virtual bool CursorOverThis() = 0;  // the topmost control under the cursor is this one
    virtual bool AutoDrag() = 0;        // DragMode is dmAutomatic
    virtual bool CaptureHeld() = 0;     // some window holds the mouse capture
    // What the platform does.
    virtual void Invalidate() = 0;      // a deferred repaint
    virtual void Repaint() = 0;         // paints at once
    virtual void SetTimerEnabled(bool on) = 0;
    // The button's events: OnMouseEnter / OnMouseLeave with the current shift state and
    // cursor position, OnClick (or the action), OnDblClick.
    virtual void FireMouseEnter() = 0;
    virtual void FireMouseLeave() = 0;
    virtual void FireClick() = 0;
    virtual void FireDblClick() = 0;
    // Tells every control of the parent, synchronously, that this button's group is
    // (GroupIndex, Down, AllowAllUp) now.
    virtual void AnnounceGroup(int groupIndex, bool down, bool allowAllUp) = 0;
};

class ShineStateMachine {
public:
    explicit ShineStateMachine(ShineButtonHost& host) : H(host) {}
    ShineButtonVars V;

    void MouseDown(bool leftButton);
    void MouseMove(bool inside);
    void MouseUp(bool inside);
    void UpdateTracking();
    // The mouse entered or left the button (the events fire even when the look stays).
    void MouseEnter();
    void MouseLeave();
    void TimerTick(bool cursorInside);
    void Click();
    // After the base handling of a double click (which pressed the button again).
    void DoubleClicked();
    void EnabledChanged();
    // A typed character that is this button's accelerator (the caller has checked the
    // caption, the enabled and visible state and the parent). Returns true: claimed.
    bool Accelerator();
    void SetDown(bool value);
    void SetGroupIndex(int value);
    void SetAllowAllUp(bool value);
    void GroupUpdateStatus(int index);
    // A group notification from a sender with these values (senderIsOwn: this button
    // itself; senderNull: no sender).
    void ButtonPressed(int groupIndex, bool senderNull, bool senderIsOwn, bool senderDown,
                       bool senderAllowAllUp);
    // Painting a disabled control.
    void PaintingDisabled();

private:
    ShineButtonHost& H;
};
