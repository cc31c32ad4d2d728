#include "controls/portable/ShineStateMachine.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

struct Group;

// One button on a parent: records what the machine asks of the platform.
struct FakeButton : ShineButtonHost {
    explicit FakeButton(Group* g = nullptr) : group(g), m(*this) {}
    Group* group;
    ShineStateMachine m;
    bool enabled = true, cursorOver = false, autoDrag = false, capture = false, timer = false;
    std::vector<std::string> log;

    bool Enabled() override { return enabled; }
    bool HasParent() override { return group != nullptr; }
    bool CursorOverThis() override { return cursorOver; }
    bool AutoDrag() override { return autoDrag; }
    bool CaptureHeld() override { return capture; }
    void Invalidate() override { log.push_back("invalidate"); }
    void Repaint() override { log.push_back("repaint " + std::to_string(m.V.State)); }
    void SetTimerEnabled(bool on) override { timer = on; }
    // The events, each with the state the machine has when it fires them.
    void FireMouseEnter() override { log.push_back("OnMouseEnter " + std::to_string(m.V.State)); }
    void FireMouseLeave() override { log.push_back("OnMouseLeave " + std::to_string(m.V.State)); }
    void FireClick() override { log.push_back("OnClick " + std::to_string(m.V.State)); }
    void FireDblClick() override { log.push_back("OnDblClick"); }
    void AnnounceGroup(int index, bool down, bool allowAllUp) override;

    // A press and release as the framework delivers them (events first).
    void Press() {
        log.push_back("OnMouseDown");
        m.MouseDown(true);
    }
    void Release(bool inside) {
        log.push_back("OnMouseUp");
        m.MouseUp(inside);
    }
    // The framework's tracking finds the cursor over the button.
    void Enter() {
        cursorOver = true;
        m.MouseEnter();
    }
    int Count(const std::string& what) const { return static_cast<int>(std::count(log.begin(), log.end(), what)); }
};

struct Group {
    std::vector<std::unique_ptr<FakeButton>> buttons;
    FakeButton& Add(int groupIndex, bool allowAllUp = false) {
        buttons.push_back(std::make_unique<FakeButton>(this));
        FakeButton& b = *buttons.back();
        b.m.V.GroupIndex = groupIndex;
        b.m.V.AllowAllUp = allowAllUp;
        return b;
    }
};

void FakeButton::AnnounceGroup(int index, bool down, bool allowAllUp) {
    log.push_back("announce");
    for (auto& b : group->buttons) b->m.ButtonPressed(index, false, b.get() == this, down, allowAllUp);
}

} // namespace

TEST(ShineStateMachine, APlainClickFiresInOrderAndLeavesTheButtonLitWithTheTimerRunning) {
    FakeButton b;
    b.Enter();
    EXPECT_EQ(b.m.V.State, sbsActive);
    b.log.clear();
    b.Press();
    b.Release(true);
    EXPECT_EQ(b.log, (std::vector<std::string>{"OnMouseDown", "invalidate", "OnMouseUp", "repaint 3", "OnClick 3",
                                               "OnMouseEnter 3", "repaint 2"}));
    EXPECT_EQ(b.m.V.State, sbsActive);
    EXPECT_TRUE(b.m.V.MouseInside);
    EXPECT_TRUE(b.timer);
}

TEST(ShineStateMachine, PressMoveOutAndBackAndReleaseWhere) {
    FakeButton b;
    b.Enter();
    b.Press();
    b.m.MouseMove(false);
    EXPECT_EQ(b.m.V.State, sbsUp);
    b.m.MouseMove(true);
    EXPECT_EQ(b.m.V.State, sbsActiveDown);
    b.Release(true);
    EXPECT_EQ(b.Count("OnClick 3"), 1);

    FakeButton out;
    out.Enter();
    out.Press();
    out.m.MouseMove(false);
    out.cursorOver = false;
    out.Release(false);
    EXPECT_EQ(out.Count("OnClick 3"), 0);
    EXPECT_EQ(out.m.V.State, sbsUp);
    EXPECT_FALSE(out.m.V.MouseInside);
    EXPECT_FALSE(out.timer);
}

TEST(ShineStateMachine, GroupsLatchOneButtonAndAllowAllUpLetsItGo) {
    for (bool allowAllUp : {false, true}) {
        SCOPED_TRACE(allowAllUp);
        Group g;
        FakeButton &a = g.Add(1, allowAllUp), &b = g.Add(1, allowAllUp), &c = g.Add(1, allowAllUp);
        a.m.SetDown(true);
        EXPECT_TRUE(a.m.V.Down);
        for (FakeButton* click : {&b, &b}) {
            click->Enter();
            click->Press();
            click->Release(true);
        }
        // The second click on b: kept down without all-up, raised with it; OnClick both times.
        EXPECT_EQ(b.Count("OnClick 0") + b.Count("OnClick 2") + b.Count("OnClick 1") + b.Count("OnClick 3"), 2);
        EXPECT_FALSE(a.m.V.Down);
        EXPECT_EQ(a.m.V.State, sbsUp);
        EXPECT_EQ(b.m.V.Down, !allowAllUp);
        EXPECT_FALSE(c.m.V.Down);
        EXPECT_EQ(b.m.V.State, allowAllUp ? sbsActive : sbsActiveDown);
    }
}

TEST(ShineStateMachine, AllowAllUpSpreadsAndGroupZeroNeverLatches) {
    Group g;
    FakeButton &a = g.Add(2), &b = g.Add(2), &other = g.Add(3);
    a.m.SetAllowAllUp(true);
    EXPECT_TRUE(b.m.V.AllowAllUp);
    EXPECT_FALSE(other.m.V.AllowAllUp);
    FakeButton plain;
    plain.m.SetDown(true);
    EXPECT_FALSE(plain.m.V.Down);
    EXPECT_TRUE(plain.log.empty());
}

TEST(ShineStateMachine, TheAnnouncerIgnoresItself) {
    Group g;
    FakeButton& a = g.Add(1);
    a.m.V.Down = true;
    a.m.ButtonPressed(1, false, true, true, true);
    EXPECT_TRUE(a.m.V.Down);
    EXPECT_FALSE(a.m.V.AllowAllUp);
    a.m.ButtonPressed(1, true, false, true, true);  // no sender
    EXPECT_TRUE(a.m.V.Down);
    a.m.ButtonPressed(2, false, false, true, true);  // another group
    EXPECT_TRUE(a.m.V.Down);
    a.m.ButtonPressed(1, false, false, true, true);
    EXPECT_FALSE(a.m.V.Down);
    EXPECT_TRUE(a.m.V.AllowAllUp);
}

TEST(ShineStateMachine, DisablingClearsDownAndEnteringIsRefusedWhileDisabledDraggingOrCaptured) {
    Group g;
    FakeButton& a = g.Add(1);
    a.m.SetDown(true);
    a.enabled = false;
    a.m.EnabledChanged();
    EXPECT_FALSE(a.m.V.Down);
    EXPECT_EQ(a.m.V.State, sbsDisabled);
    a.log.clear();
    a.Enter();  // refused: the event fires, but no repaint, no timer
    EXPECT_EQ(a.log, std::vector<std::string>{"OnMouseEnter 4"});
    EXPECT_FALSE(a.timer);
    EXPECT_FALSE(a.m.V.MouseInside);
    EXPECT_EQ(a.m.V.State, sbsDisabled);
    a.enabled = true;
    a.m.EnabledChanged();
    EXPECT_EQ(a.m.V.State, sbsActive);  // the cursor is over it

    for (int which = 0; which < 2; ++which) {
        FakeButton b;
        (which ? b.capture : b.autoDrag) = true;
        b.Enter();
        EXPECT_EQ(b.m.V.State, sbsUp);
        EXPECT_FALSE(b.timer);
    }
}

TEST(ShineStateMachine, TheTimerCatchesAMissedLeave) {
    FakeButton b;
    b.Enter();
    b.m.TimerTick(true);
    EXPECT_EQ(b.m.V.State, sbsActive);
    b.log.clear();
    b.cursorOver = false;
    b.m.TimerTick(false);
    EXPECT_EQ(b.m.V.State, sbsUp);
    EXPECT_EQ(b.log, (std::vector<std::string>{"OnMouseLeave 2", "repaint 3"}));
    EXPECT_FALSE(b.timer);
}

TEST(ShineStateMachine, DoubleClicks) {
    FakeButton plain;
    plain.Enter();
    plain.Press();
    plain.Release(true);
    plain.Press();  // the second press of a double click
    plain.m.DoubleClicked();
    plain.Release(true);
    EXPECT_EQ(plain.Count("OnClick 3"), 2);
    EXPECT_EQ(plain.Count("OnDblClick"), 0);

    Group g;
    FakeButton& b = g.Add(1, true);
    b.Enter();
    b.Press();
    b.Release(true);
    EXPECT_TRUE(b.m.V.Down);
    b.Press();
    b.m.DoubleClicked();
    EXPECT_EQ(b.Count("OnDblClick"), 1);
    b.Release(true);
    EXPECT_FALSE(b.m.V.Down);  // all-up: the second click raised it again
}

TEST(ShineStateMachine, AcceleratorsClickAndMayToggleDown) {
    Group g;
    FakeButton& b = g.Add(1);
    b.m.Accelerator();
    EXPECT_FALSE(b.m.V.Down);
    EXPECT_EQ(b.Count("OnClick 3"), 1);
    b.m.V.AccelCharDown = true;
    b.m.Accelerator();
    EXPECT_TRUE(b.m.V.Down);
}

TEST(ShineStateMachine, ClickDownHookShowsThePressedLookDuringOnClickOnly) {
    FakeButton b;
    b.m.V.ClickDownHook = true;
    b.m.Accelerator();
    EXPECT_EQ(b.log, (std::vector<std::string>{"repaint 0", "OnClick 0", "repaint 3"}));
    EXPECT_EQ(b.m.V.State, sbsUp);
}
