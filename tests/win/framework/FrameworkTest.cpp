#include "tests/win/common/TestSupport.h"

#include "framework/ExceptionDisplay.h"
#include "framework/ExtCtrls.h"
#include "framework/Exceptions.h"
#include "framework/Handles.h"
#include "framework/StdCtrls.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>

using TestSupport::ShownBoxes;

// The tests run in the Japanese locale and again where the ANSI code page is 1252
// (KV_LANG=en_US.UTF-8) and 65001 (hi_IN.UTF-8); without a locale generated Wine silently
// falls back to 1252, and nothing else would show that a pass is not the one it claims.
TEST(Platform, RunsInTheCodePageOfItsLocale) {
    const char* lang = std::getenv("KV_LANG");
    const std::string name = lang ? lang : "";
    const unsigned want = name.rfind("en_US", 0) == 0 ? 1252u : name.rfind("hi_IN", 0) == 0 ? 65001u : 932u;
    EXPECT_EQ(GetACP(), want);
    EXPECT_EQ(std::string("新規パス"), "\x90\x56\x8B\x4B\x83\x70\x83\x58");
}

namespace {

// A graphic control that paints itself in one colour and records what reaches it.
class Swatch : public TGraphicControl {
public:
    Swatch(TComponent* owner, TColor c) : TGraphicControl(owner), fill(c) {}
    TColor fill;
    int paints = 0;
    std::vector<UINT> seen;
    std::function<void()> OnPainted;  // runs after each paint
    void Dispatch(TMessage& m) override {
        seen.push_back(m.Msg);
        TGraphicControl::Dispatch(m);
    }

protected:
    void Paint() override {
        ++paints;
        Canvas()->Brush.SetColor(fill);
        Canvas()->FillRect(ClientRect());
        if (OnPainted) OnPainted();
    }
};

std::unique_ptr<TForm> MakeForm() {
    auto f = std::make_unique<TForm>(nullptr);
    f->BorderStyle = bsToolWindow;
    f->SetBounds(50, 50, 200, 120);
    return f;
}

} // namespace

TEST(Framework, ErrorsInHandlersAreShownOnceWithTheTextRuleAndTheTitle) {
    auto form = MakeForm();
    auto* button = new TButton(form.get());
    button->SetParent(form.get());
    struct Row {
        std::function<void()> raise;
        std::string shown;
    } rows[] = {
        {[] { throw EListError("失敗しました"); }, "失敗しました."},  // ends in a double-byte character
        {[] { throw Exception("bad thing"); }, "bad thing."},
        {[] { throw Exception("done."); }, "done."},
        {[] { throw std::runtime_error("not ours"); }, ""},
    };
    form->Show();
    for (auto& r : rows) {
        ShownBoxes().clear();
        button->OnClick = [&](TObject*) { r.raise(); };
        SendMessageA(button->Handle(), BM_CLICK, 0, 0);
        ASSERT_EQ(ShownBoxes().size(), 1u);
        EXPECT_EQ(ShownBoxes()[0].text, r.shown);
        EXPECT_EQ(ShownBoxes()[0].caption, "Kestrovane1");
    }
}

TEST(Framework, AnErrorInOnShowIsShownAndTheWindowAppearsAllTheSame) {
    auto form = MakeForm();
    bool visibleDuringShow = true;
    form->OnShow = [&](TObject*) {
        visibleDuringShow = IsWindowVisible(form->Handle()) != 0;
        throw Exception("show failed");
    };
    ShownBoxes().clear();
    form->Show();
    EXPECT_FALSE(visibleDuringShow);
    ASSERT_EQ(ShownBoxes().size(), 1u);
    EXPECT_EQ(ShownBoxes()[0].text, "show failed.");
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
}

TEST(Framework, AnErrorInOnCloseKeepsTheWindowOpenAndEveryCloseTriesAgain) {
    auto form = MakeForm();
    int closes = 0;
    form->OnClose = [&](TObject*, TCloseAction&) {
        ++closes;
        throw Exception("cannot save");
    };
    form->Show();
    ShownBoxes().clear();
    SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
    SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(closes, 2);
    EXPECT_EQ(ShownBoxes().size(), 2u);
    EXPECT_TRUE(IsWindow(form->Handle()) && IsWindowVisible(form->Handle()));
}

TEST(Framework, GraphicControlsPaintInCreationOrderAndReceiveTheirMouse) {
    auto form = MakeForm();
    auto* under = new Swatch(form.get(), clRed);
    under->SetParent(form.get());
    under->SetBounds(10, 10, 60, 40);
    auto* over = new Swatch(form.get(), clBlue);
    over->SetParent(form.get());
    over->SetBounds(40, 20, 60, 40);
    form->Show();
    EXPECT_EQ(TestSupport::ClientPixel(form->Handle(), 15, 15), RGB(255, 0, 0));
    EXPECT_EQ(TestSupport::ClientPixel(form->Handle(), 45, 25), RGB(0, 0, 255));  // overlap
    EXPECT_EQ(TestSupport::ClientPixel(form->Handle(), 95, 55), RGB(0, 0, 255));
    EXPECT_GE(under->paints, 1);

    // A click in the overlap goes to the one on top, in its own coordinates.
    int x = -1, y = -1;
    over->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int X, int Y) { x = X, y = Y; };
    SendMessageA(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(45, 25));
    SendMessageA(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(45, 25));
    EXPECT_EQ(x, 5);
    EXPECT_EQ(y, 5);
    EXPECT_EQ(std::count(under->seen.begin(), under->seen.end(), (UINT)WM_LBUTTONDOWN), 0);

    // A click is a press and a release on the control; released elsewhere, it is none.
    over->ControlStyle |= csClickEvents | csCaptureMouse;
    const struct { POINT up; int clicks; } releases[] = {{{45, 25}, 1}, {{150, 80}, 0}, {{99, 59}, 1}, {{100, 60}, 0}};
    for (auto r : releases) {
        int clicks = 0;
        over->OnClick = [&](TObject*) { ++clicks; };
        SendMessageA(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(45, 25));
        SendMessageA(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(r.up.x, r.up.y));
        EXPECT_EQ(clicks, r.clicks) << r.up.x << "," << r.up.y;
    }
}

// A graphic control whose paint fails while the window paints into a device context it
// was handed: the error is shown, and the context comes back as it was given (origin,
// clipping, selected objects), whatever the control had done to it.
TEST(Framework, AFailingPaintIsShownAndLeavesTheGivenDeviceContextAsItWas) {
    auto form = MakeForm();
    auto* failing = new Swatch(form.get(), clRed);
    failing->SetParent(form.get());
    failing->SetBounds(10, 20, 60, 40);
    form->Show();
    failing->OnPainted = [failing] {
        failing->Canvas()->TextAt(0, 0, "x");  // selects the canvas's font and brush
        failing->Canvas()->Rectangle(0, 0, 5, 5);
        throw Exception("paint failed");
    };
    const WindowDC screen;
    const MemoryDC memory(CreateCompatibleDC(screen.Get()));
    const GdiObject bitmap(CreateCompatibleBitmap(screen.Get(), 200, 120));
    const ScopedSelect selected(memory.Get(), bitmap.Get());
    const HGDIOBJ brush = GetCurrentObject(memory.Get(), OBJ_BRUSH), font = GetCurrentObject(memory.Get(), OBJ_FONT),
                  pen = GetCurrentObject(memory.Get(), OBJ_PEN);
    ShownBoxes().clear();
    SendMessageA(form->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.Get()), PRF_CLIENT);
    ASSERT_EQ(ShownBoxes().size(), 1u);
    EXPECT_EQ(ShownBoxes()[0].text, "paint failed.");
    POINT origin{-1, -1};
    GetViewportOrgEx(memory.Get(), &origin);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
    RECT clip{};
    GetClipBox(memory.Get(), &clip);
    EXPECT_EQ(clip.right - clip.left, 200);
    EXPECT_EQ(clip.bottom - clip.top, 120);
    EXPECT_EQ(GetCurrentObject(memory.Get(), OBJ_BRUSH), brush);
    EXPECT_EQ(GetCurrentObject(memory.Get(), OBJ_FONT), font);
    EXPECT_EQ(GetCurrentObject(memory.Get(), OBJ_PEN), pen);
    failing->OnPainted = nullptr;
}

TEST(Framework, TimerTicksThroughTheLoopAndReportsWhenNoneIsGranted) {
    TTimer t(nullptr);
    int ticks = 0;
    t.SetInterval(20);
    t.SetOnTimer([&](TObject*) { ++ticks; });
    EXPECT_TRUE(TestSupport::PumpUntil([&] { return ticks >= 3; }, 2000));
    t.SetEnabled(false);
    const int stopped = ticks;
    TestSupport::Pump(100);
    EXPECT_EQ(ticks, stopped);

    struct : ISystemTimers {
        UINT_PTR Start(HWND, UINT_PTR, UINT) override { return 0; }
    } noTimers;
    t.SetSystemTimers(noTimers);
    try {
        t.SetEnabled(true);
        ADD_FAILURE() << "no error";
    } catch (const EOutOfResources& e) {
        EXPECT_EQ(e.Message, "タイマーを取得できません");
    }
}

TEST(Framework, MenuShortcutsActWhileEnabledOnly) {
    auto form = MakeForm();
    auto* menu = new TPopupMenu(form.get());
    auto* item = new TMenuItem(form.get());
    item->ShortCut = scCtrl | 'D';
    int clicks = 0;
    item->OnClick = [&](TObject*) { ++clicks; };
    menu->Add(item);
    form->PopupMenu = menu;
    form->Show();
    auto pressCtrl = [&](char key) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        PostMessageA(form->Handle(), WM_KEYDOWN, key, 1);
        Application->ProcessMessages();
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
    };
    pressCtrl('D');
    EXPECT_EQ(clicks, 1);
    item->Enabled = false;
    pressCtrl('D');
    EXPECT_EQ(clicks, 1);
    PostMessageA(form->Handle(), WM_KEYDOWN, 'D', 1);  // without Ctrl: no shortcut
    item->Enabled = true;
    Application->ProcessMessages();
    EXPECT_EQ(clicks, 1);
}

TEST(Framework, TheApplicationHoldsOneSingleThreadedApartmentFromInitializeToItsEnd) {
    HRESULT during = S_OK, after = E_FAIL;
    TApplication* const saved = Application;
    std::thread t([&] {
        {
            TApplication app;
            app.Initialize();
            app.Initialize();  // takes no second reference, or the one release would not end it
            during = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        }
        after = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        if (SUCCEEDED(after)) CoUninitialize();
    });
    t.join();
    Application = saved;
    EXPECT_EQ(during, RPC_E_CHANGED_MODE);
    EXPECT_EQ(after, S_OK);
}

TEST(Framework, TheFocusStartsInTabOrderFollowsTabAndComesBackOnActivationAndAfterDialogs) {
    auto form = MakeForm();
    auto* second = new TButton(form.get());
    second->SetParent(form.get());
    second->SetBounds(100, 10, 80, 24);
    second->TabOrder = 1;
    auto* first = new TButton(form.get());
    first->SetParent(form.get());
    first->SetBounds(10, 10, 80, 24);
    first->TabOrder = 0;
    form->Show();
    EXPECT_EQ(GetFocus(), first->Handle());

    auto press = [](UINT vk, bool shift) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        PostMessageA(GetFocus(), WM_KEYDOWN, vk, 1);
        Application->ProcessMessages();
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
    };
    struct { bool shift; TButton* then; } tabs[] = {{false, second}, {false, first}, {true, second}, {true, first}, {false, second}};
    for (auto& t : tabs) {
        press(VK_TAB, t.shift);
        EXPECT_EQ(GetFocus(), t.then->Handle()) << (t.shift ? "Shift+Tab" : "Tab");
    }
    EXPECT_EQ(form->ActiveControl(), second);

    // Another window is activated, then this one again (a click, Alt+Tab, the taskbar).
    auto other = MakeForm();
    other->Show();
    ASSERT_EQ(GetActiveWindow(), other->Handle());
    SetActiveWindow(form->Handle());
    EXPECT_EQ(GetFocus(), second->Handle());

    // A message box: the form is disabled while it is open and has its focus back after.
    BOOL enabledDuringBox = TRUE;
    TestSupport::OnNextDialog("#32770", [&](HWND box) {
        enabledDuringBox = IsWindowEnabled(form->Handle());
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    MessageBoxA(form->Handle(), "text", "Kestrovane1", MB_OK);
    EXPECT_TRUE(TestSupport::DialogsAnswered());
    EXPECT_FALSE(enabledDuringBox);
    EXPECT_EQ(GetActiveWindow(), form->Handle());
    EXPECT_EQ(GetFocus(), second->Handle());

    // A control that can no longer take the focus hands it to the first in tab order.
    SetActiveWindow(other->Handle());
    second->SetEnabled(false);
    SetActiveWindow(form->Handle());
    EXPECT_EQ(GetFocus(), first->Handle());
    // Focus put on the form itself goes on to its control.
    SetFocus(form->Handle());
    EXPECT_EQ(GetFocus(), first->Handle());
}

TEST(Framework, AssignBetweenStrangersFailsWithTheAssignMessage) {
    TFont font;
    TBrush brush;
    try {
        font.Assign(&brush);
        ADD_FAILURE() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "TBrush を TFont に代入することはできません");
    }
}

// The update scope ends the update on every way out. An error of EndUpdate reaches the
// caller as from a plain call, except while the body's own error passes: that one is
// reported, and the program does not end on two errors at once.
TEST(Framework, AnUpdateScopeEndsTheUpdateAndReportsTheFirstError) {
    struct Items {
        bool endFails;
        int begun = 0, ended = 0;
        void BeginUpdate() { ++begun; }
        void EndUpdate() {
            ++ended;
            if (endFails) throw Exception("end failed");
        }
    };
    const struct {
        bool bodyFails, endFails;
        const char* reported;
    } cases[] = {
        {false, false, ""},
        {false, true, "end failed"},
        {true, false, "body failed"},
        {true, true, "body failed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.bodyFails ? "body fails" : "body ends") + (c.endFails ? ", end fails" : ""));
        Items items{c.endFails};
        std::string reported;
        try {
            const UpdateScope update(items);
            EXPECT_EQ(items.begun, 1);
            EXPECT_EQ(items.ended, 0);
            if (c.bodyFails) throw Exception("body failed");
        } catch (const Exception& e) {
            reported = e.Message;
        }
        EXPECT_EQ(items.ended, 1);
        EXPECT_EQ(reported, c.reported);
    }
}
