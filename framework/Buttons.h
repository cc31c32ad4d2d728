#pragma once
// The standard speed button: a flat push button without a window that can latch in a
// group. Buttons of one group on one parent tell each other with CM_BUTTONPRESSED
// (first parameter the group index, second the announcing button) whenever one goes
// down or the group's all-up rule changes; other latching buttons hear the same message.
#include "framework/Controls.h"

// A button that latches in a group: what an announcing button tells the others.
class TGroupLatch {
public:
    virtual bool Down() const = 0;
    virtual bool AllowAllUp() const = 0;

protected:
    ~TGroupLatch() = default;
};

class TSpeedButton : public TGraphicControl, public TGroupLatch {
public:
    explicit TSpeedButton(TComponent* AOwner);
    const char* ClassName() const override { return "TSpeedButton"; }
    void Dispatch(TMessage& msg) override;

    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int value);
    // Outside a group a button never stays down; in a group without all-up the down
    // button goes up only when another one goes down.
    bool Down() const override { return FDown; }
    void SetDown(bool value);
    bool AllowAllUp() const override { return FAllowAllUp; }
    void SetAllowAllUp(bool value);

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

protected:
    void Paint() override;

private:
    // Tells the group on the parent this button's Down and AllowAllUp.
    void Announce();
    bool Inside(int x, int y) const { return ClientRect().Contains({x, y}); }

    int FGroupIndex = 0;
    bool FDown = false;
    bool FAllowAllUp = false;
    bool FPressing = false;  // the left button went down on this button and is still held
    bool FPressedLook = false;
};
