// The shine button under real mouse and keyboard messages: three buttons on a shown
// form, the cursor placed with SetCursorPos, mouse messages posted to the form as the
// system would send them, and the idle-time tracking step run where the loop would idle.
#include "controls/ShineSpdBtn.h"
#include "framework/Buttons.h"
#include "framework/Forms.h"
#include "tests/win/common/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class TLoggedButton : public TShineSpeedButton {
public:
    using TShineSpeedButton::FMachine;
    using TShineSpeedButton::TShineSpeedButton;
    void Paint() override {
        ++Paints;
        TShineSpeedButton::Paint();
    }
    int Paints = 0;
};

class ShineInput : public ::testing::Test {
protected:
    void SetUp() override {
        form.SetBounds(100, 100, 420, 160);
        const char* const names[]{"A", "B", "C"};
        for (int i = 0; i < 3; ++i) {
            auto* b = new TLoggedButton(&form);
            b->SetParent(&form);
            b->SetBounds(20 + 100 * i, 20, 75, 25);
            b->SetCaption(names[i]);
            const std::string n = names[i];
            b->OnMouseDown = [this, n](TObject*, TMouseButton, TShiftState, int, int) { Log(n + " down"); };
            b->OnMouseUp = [this, n](TObject*, TMouseButton, TShiftState, int, int) { Log(n + " up"); };
            b->OnClick = [this, n](TObject*) { Log(n + " click"); };
            b->OnDblClick = [this, n](TObject*) { Log(n + " dblclick"); };
            b->OnMouseEnter = [this, n](TObject*, TShiftState, int, int) { Log(n + " enter"); };
            b->OnMouseLeave = [this, n](TObject*, TShiftState, int, int) { Log(n + " leave"); };
            btn[i] = b;
        }
        form.Show();
        Away();
        TestSupport::Pump(30);
        log.clear();
    }
    void TearDown() override { Away(); }

    void Log(const std::string& s) { log.push_back(s); }

    // The cursor far from the form, and the tracking step that notices it.
    void Away() {
        SetCursorPos(5, 700);
        TrackMouseControl();
    }
    // The cursor at a point of a button (its client coordinates) and the tracking step of
    // the next idle moment, with no move message of our own.
    void Hover(TControl* c, int x, int y) {
        const TPoint s = c->ClientToScreen({x, y});
        SetCursorPos(s.X, s.Y);
        TrackMouseControl();
        Application->ProcessMessages();
    }
    // The cursor at a point of a button, the move message the window gets for it, then
    // the tracking step of the next idle moment.
    void MoveTo(TControl* c, int x, int y) {
        const TPoint s = c->ClientToScreen({x, y});
        SetCursorPos(s.X, s.Y);
        Post(WM_MOUSEMOVE, c, x, y, 0);
        TrackMouseControl();
    }
    void Post(UINT msg, TControl* c, int x, int y, WPARAM keys) {
        PostMessageA(form.Handle(), msg, keys, MAKELPARAM(c->Left() + x, c->Top() + y));
        Application->ProcessMessages();
    }
    void Press(TControl* c, int x = 10, int y = 10) { Post(WM_LBUTTONDOWN, c, x, y, MK_LBUTTON); }
    void Release(TControl* c, int x = 10, int y = 10) { Post(WM_LBUTTONUP, c, x, y, 0); }
    void ClickOn(TControl* c) {
        MoveTo(c, 10, 10);
        Press(c);
        Release(c);
    }
    void Group(int index, bool allowAllUp) {
        for (auto* b : btn) {
            b->SetGroupIndex(index);
            b->SetAllowAllUp(allowAllUp);
        }
    }
    std::vector<bool> Downs() const { return {btn[0]->Down(), btn[1]->Down(), btn[2]->Down()}; }

    TForm form{nullptr};
    TLoggedButton* btn[3]{};
    std::vector<std::string> log;
};

using Events = std::vector<std::string>;

// The events with repeats in a row folded: a move message and the tracking step both
// tell a button the mouse came, and when the system adds moves of its own is its affair.
Events Folded(const Events& log) {
    Events out;
    for (const auto& e : log)
        if (out.empty() || out.back() != e) out.push_back(e);
    return out;
}

TEST_F(ShineInput, APlainClickFiresDownUpClickAndLeavesTheButtonLitWithTheTimerRunning) {
    ClickOn(btn[0]);
    EXPECT_EQ(Folded(log), (Events{"A enter", "A down", "A up", "A click", "A enter"}));
    EXPECT_EQ(btn[0]->State(), sbsActive);
    EXPECT_TRUE(btn[0]->FMachine.V.MouseInside);
    EXPECT_TRUE(btn[0]->ActiveButtonTimer()->Enabled());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ShineInput, PressingAndMovingFollowsTheCursorAndOnlyAReleaseInsideClicks) {
    struct Step {
        const char* name;
        int releaseX;        // where the button is released, after a visit outside
        bool backInside;     // moved back in before the release
        TShineButtonState whileOut, end;
        bool clicked;
    } steps[]{
        {"released outside", 85, false, sbsUp, sbsUp, false},
        {"out and back in", 10, true, sbsUp, sbsActive, true},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        log.clear();
        MoveTo(btn[0], 10, 10);
        Press(btn[0]);
        EXPECT_EQ(btn[0]->State(), sbsActiveDown);
        EXPECT_EQ(GetCapture(), form.Handle());
        MoveTo(btn[0], 85, 10); // between two buttons, captured by this one
        EXPECT_EQ(btn[0]->State(), s.whileOut);
        if (s.backInside) {
            MoveTo(btn[0], 10, 10);
            EXPECT_EQ(btn[0]->State(), sbsActiveDown);
        }
        Release(btn[0], s.releaseX, 10);
        TrackMouseControl();
        EXPECT_EQ(btn[0]->State(), s.end);
        EXPECT_EQ(btn[0]->FMachine.V.MouseInside, s.end == sbsActive);
        EXPECT_EQ(std::count(log.begin(), log.end(), "A click"), s.clicked ? 1 : 0);
        EXPECT_FALSE(btn[0]->FMachine.V.Pressing);
        Away();
    }
}

TEST_F(ShineInput, GroupsLatchOneButtonOrAllowAllUp) {
    for (bool allowAllUp : {false, true}) {
        SCOPED_TRACE(allowAllUp ? "all up allowed" : "one always down");
        Group(1, allowAllUp);
        for (auto* b : btn) b->SetDown(false);
        btn[0]->SetDown(true);
        ASSERT_EQ(Downs(), (std::vector<bool>{true, false, false}));
        ClickOn(btn[1]);
        EXPECT_EQ(Downs(), (std::vector<bool>{false, true, false}));
        EXPECT_EQ(btn[0]->State(), sbsUp);
        EXPECT_EQ(btn[1]->State(), sbsActiveDown);
        log.clear();
        Press(btn[1]);
        Release(btn[1]);
        EXPECT_EQ(std::count(log.begin(), log.end(), "B click"), 1);
        EXPECT_EQ(Downs(), (std::vector<bool>{false, !allowAllUp, false}));
        EXPECT_EQ(btn[1]->State(), allowAllUp ? sbsActive : sbsActiveDown);
        Away();
    }
}

TEST_F(ShineInput, AllowAllUpSpreadsOverTheGroupOnTheSameParent) {
    Group(2, false);
    auto& standard = *new TSpeedButton(&form);
    standard.SetParent(&form);
    standard.SetBounds(20, 80, 40, 25);
    standard.SetGroupIndex(2);
    btn[2]->SetGroupIndex(3);
    btn[0]->SetAllowAllUp(true);
    EXPECT_TRUE(btn[1]->AllowAllUp());
    EXPECT_TRUE(standard.AllowAllUp());
    EXPECT_FALSE(btn[2]->AllowAllUp()); // another group
    // The standard button's own announcements reach the shine buttons too.
    standard.SetAllowAllUp(false);
    EXPECT_FALSE(btn[0]->AllowAllUp());
    EXPECT_FALSE(btn[1]->AllowAllUp());
    standard.SetDown(true);
    btn[1]->SetDown(true);
    EXPECT_FALSE(standard.Down()) << "a shine button going down raises the standard one";
    standard.SetAllowAllUp(true);
    standard.SetDown(true);
    EXPECT_FALSE(btn[1]->Down()) << "and the other way round";
    EXPECT_EQ(btn[1]->State(), sbsUp);
}

TEST_F(ShineInput, DownNeedsAGroupAndDisablingRaisesTheButton) {
    btn[0]->SetDown(true);
    EXPECT_FALSE(btn[0]->Down());
    EXPECT_EQ(btn[0]->State(), sbsUp);

    for (bool mouseOver : {false, true}) {
        SCOPED_TRACE(mouseOver ? "mouse over it" : "mouse away");
        btn[1]->SetGroupIndex(4);
        btn[1]->SetDown(true);
        if (mouseOver) MoveTo(btn[1], 5, 5);
        btn[1]->SetEnabled(false);
        EXPECT_FALSE(btn[1]->Down());
        EXPECT_EQ(btn[1]->State(), sbsDisabled);
        btn[1]->SetEnabled(true);
        EXPECT_EQ(btn[1]->State(), mouseOver ? sbsActive : sbsUp);
        Away();
    }
}

TEST_F(ShineInput, EnterAndLeaveEventsFireWhileDisabledButTheLookStays) {
    btn[0]->SetEnabled(false);
    MoveTo(btn[0], 5, 5);
    btn[0]->Perform(CM_MOUSEENTER);
    Away();
    btn[0]->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(log, (Events{"A enter", "A enter", "A leave", "A leave"}));
    EXPECT_EQ(btn[0]->State(), sbsDisabled);
    EXPECT_FALSE(btn[0]->FMachine.V.MouseInside);
}

TEST_F(ShineInput, TrackingTellsTheOldControlThenTheNewOneAndOnlyTheCapturingOneWhileCaptured) {
    Hover(btn[0], 5, 5);
    Hover(btn[1], 5, 5);
    Away();
    EXPECT_EQ(log, (Events{"A enter", "A leave", "B enter", "B leave"}));
    log.clear();
    MoveTo(btn[0], 5, 5);
    Press(btn[0]);
    MoveTo(btn[1], 5, 5); // B stays dark while A holds the mouse
    EXPECT_EQ(btn[1]->State(), sbsUp);
    EXPECT_EQ(btn[0]->State(), sbsUp);
    Release(btn[1], 5, 5);
    EXPECT_EQ(Folded(log), (Events{"A enter", "A down", "A leave", "A up", "A leave"}));
}

TEST_F(ShineInput, DragModeOrAForeignCaptureKeepTheButtonDark) {
    btn[0]->DragMode = dmAutomatic;
    MoveTo(btn[0], 5, 5);
    EXPECT_EQ(btn[0]->State(), sbsUp);
    Away();
    btn[0]->DragMode = dmManual;

    HWND other = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    SetCapture(other);
    MoveTo(btn[1], 5, 5);
    EXPECT_EQ(btn[1]->State(), sbsUp);
    EXPECT_EQ(Folded(log), (Events{"A enter", "A leave", "B enter"}));
    ReleaseCapture();
    DestroyWindow(other);
}

TEST_F(ShineInput, TheTimerNoticesAMissedLeaveWithinATick) {
    for (bool latched : {false, true}) {
        SCOPED_TRACE(latched ? "down" : "up");
        btn[0]->SetGroupIndex(latched ? 5 : 0);
        btn[0]->SetAllowAllUp(true);
        btn[0]->SetDown(latched);
        MoveTo(btn[0], 5, 5);
        ASSERT_EQ(btn[0]->State(), latched ? sbsActiveDown : sbsActive);
        log.clear();
        SetCursorPos(5, 700); // gone, with no tracking step to say so
        EXPECT_TRUE(TestSupport::PumpUntil([&] { return !btn[0]->FMachine.V.MouseInside; }, 1000));
        EXPECT_EQ(log, (Events{"A leave"}));
        EXPECT_EQ(btn[0]->State(), latched ? sbsDown : sbsUp);
        EXPECT_FALSE(btn[0]->ActiveButtonTimer()->Enabled());
        Away();
    }
}

TEST_F(ShineInput, DoubleClicksRaiseTheDoubleClickEventOnlyOnADownButton) {
    struct Case {
        const char* name;
        int group;
        bool allowAllUp;
        Events events;
        bool downAfter;
    } cases[]{
        {"plain", 0, false, {"A down", "A up", "A click", "A down", "A up", "A click"}, false},
        {"group", 6, true, {"A down", "A up", "A click", "A down", "A dblclick", "A up", "A click"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        btn[0]->SetGroupIndex(c.group);
        btn[0]->SetAllowAllUp(c.allowAllUp);
        MoveTo(btn[0], 10, 10);
        log.clear();
        Press(btn[0]);
        Release(btn[0]);
        Post(WM_LBUTTONDBLCLK, btn[0], 10, 10, MK_LBUTTON);
        Release(btn[0]);
        Events seen;
        for (const auto& e : log)
            if (e != "A enter" && e != "A leave") seen.push_back(e);
        EXPECT_EQ(seen, c.events);
        EXPECT_EQ(btn[0]->Down(), c.downAfter);
        Away();
    }
}

TEST_F(ShineInput, AcceleratorsClickAndMayToggleDown) {
    struct Case {
        const char* name;
        const char* caption;
        wchar_t typed;  // the windows are Unicode: a typed character arrives in UTF-16
        bool accelCharDown;
        bool clicked, downAfter;
    } cases[]{
        {"lower case", "&Open", 'o', false, true, false},
        {"upper case", "&Open", 'O', false, true, false},
        {"with AccelCharDown", "&Open", 'o', true, true, true},
        {"another letter", "&Open", 'p', false, false, false},
        {"a doubled ampersand only", "&&Open", 'O', false, false, false},
        {"a later kanji accelerator", "&A&漢", 'a', false, false, false},
        {"a half-width katakana accelerator", "&ｴｸｽ", L'\uFF74', false, true, false},
        {"a Latin letter with the katakana's byte value", "&ｴｸｽ", L'\u00B4', false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        btn[2]->SetGroupIndex(7);
        btn[2]->SetAllowAllUp(true);
        btn[2]->SetDown(false);
        btn[2]->SetCaption(c.caption);
        btn[2]->SetAccelCharDown(c.accelCharDown);
        log.clear();
        PostMessageW(form.Handle(), WM_CHAR, static_cast<WPARAM>(c.typed), 1);
        Application->ProcessMessages();
        EXPECT_EQ(log, c.clicked ? Events{"C click"} : Events{});
        EXPECT_EQ(btn[2]->Down(), c.downAfter);
    }
    // A hidden or disabled button has no accelerator.
    btn[2]->SetCaption("&Open");
    btn[2]->SetEnabled(false);
    log.clear();
    EXPECT_EQ(form.Perform(CM_DIALOGCHAR, 'o'), 0);
    EXPECT_TRUE(log.empty());
}

TEST_F(ShineInput, ClickDownHookShowsThePressedLookWhileTheClickHandlerRuns) {
    btn[1]->SetCaption("&Open");
    btn[1]->SetClickDownHook(true);
    TShineButtonState during = sbsUp;
    int paintsBefore = 0, paintsDuring = 0;
    btn[1]->OnClick = [&](TObject*) {
        during = btn[1]->State();
        paintsDuring = btn[1]->Paints - paintsBefore;
    };
    paintsBefore = btn[1]->Paints;
    EXPECT_EQ(form.Perform(CM_DIALOGCHAR, 'O'), 1);
    EXPECT_EQ(during, sbsActiveDown);
    EXPECT_GE(paintsDuring, 1) << "painted pressed before the handler ran";
    EXPECT_EQ(btn[1]->State(), sbsUp);
    EXPECT_GE(btn[1]->Paints - paintsBefore, 2);
}

} // namespace
