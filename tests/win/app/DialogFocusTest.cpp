#include "app/NamingPrompt.h"
#include "tests/win/app/MainWindowFixture.h"

#include <optional>
#include <initializer_list>
#include <thread>

using V = std::vector<std::string>;

namespace {

// The real folder browser and naming prompt; the shell launches are still only recorded.
class RealDialogs : public RecordingServices {
public:
    TShellServices real;
    std::wstring BrowseForFolder(HWND owner, const std::wstring& startAt) override {
        return real.BrowseForFolder(owner, startAt);
    }
    std::wstring AskName(const std::string& caption, const std::wstring& prompt, const std::string& def,
                         const std::wstring& field) override {
        return real.AskName(caption, prompt, def, field);
    }
};

// Presses a key with modifiers at the window with the focus, through the program's loop.
void Press(UINT vk, std::initializer_list<UINT> mods = {}) {
    BYTE keys[256];
    GetKeyboardState(keys);
    for (UINT m : mods) keys[m] = 0x80;
    SetKeyboardState(keys);
    const bool alt = keys[VK_MENU] & 0x80;
    PostMessageA(GetFocus(), alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, alt ? 1 | (1 << 29) : 1);
    Application->ProcessMessages();
    for (UINT m : mods) keys[m] = 0;
    SetKeyboardState(keys);
}

// A window of another thread in front, as another program's would be.
class OtherProgram {
public:
    OtherProgram() {
        HANDLE made = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        FThread = std::thread([this, made] {
            HWND w = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 300, 200,
                                     100, nullptr, nullptr, nullptr, nullptr);
            SetForegroundWindow(w);
            FThreadId = GetCurrentThreadId();
            SetEvent(made);
            MSG m;
            while (GetMessageA(&m, nullptr, 0, 0) > 0) DispatchMessageA(&m);
            DestroyWindow(w);
        });
        WaitForSingleObject(made, INFINITE);
        CloseHandle(made);
        Application->ProcessMessages();
    }
    ~OtherProgram() {
        PostThreadMessageA(FThreadId, WM_QUIT, 0, 0);
        FThread.join();
    }

private:
    std::thread FThread;
    DWORD FThreadId = 0;
};

class DialogTest : public MainWindowTest {
protected:
    RealDialogs dialogs;
    void OpenWithDialogs(const char* content) {
        Open(content);
        form->SetServices(dialogs);
        form->SetMessageBoxes(dialogs);
    }
    // Drops `path` on the window while a dialog is open: it must be refused, not prompted for.
    HDROP DropMeanwhile(bool& prompted) {
        HDROP drop = TestSupport::MakeDrop({dir.Path});
        PostMessageA(form->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
        TestSupport::OnNextDialog(NamingPrompt::ClassName, [&prompted](HWND p) {
            prompted = true;
            PostMessageA(p, WM_COMMAND, IDCANCEL, 0);
        });
        return drop;
    }
};

} // namespace

TEST_F(DialogTest, AfterTheFolderBrowserTheKeysActOnTheListAgainAndNothingReachedTheWindowMeanwhile) {
    OpenWithDialogs("\"a\",\"C:\\A\"\r\n\"b\",\"C:\\B\"\r\n");
    ASSERT_EQ(GetFocus(), form->MultiColComboBox1->Handle());
    BOOL enabledMeanwhile = TRUE;
    bool prompted = false;
    HDROP late = nullptr;
    HWND focusAfterSetFocus = nullptr;
    int selectedMeanwhile = -2;
    TestSupport::OnNextDialog("#32770", [&](HWND browser) {
        enabledMeanwhile = IsWindowEnabled(form->Handle());
        late = DropMeanwhile(prompted);
        // Another program (an accessibility tool, say) hands the window the focus: the keys
        // stay in the dialog, and a Down goes nowhere near the list behind it.
        SendMessageW(form->Handle(), WM_SETFOCUS, 0, 0);
        focusAfterSetFocus = GetFocus();
        PostMessageA(focusAfterSetFocus, WM_KEYDOWN, VK_DOWN, 1);
        TestSupport::Pump(100);
        selectedMeanwhile = form->MultiColComboBox1->ItemIndex();
        PostMessageA(browser, WM_COMMAND, IDCANCEL, 0);
    });
    Press('N', {VK_CONTROL});
    TestSupport::DialogsAnswered();
    EXPECT_FALSE(enabledMeanwhile);
    EXPECT_FALSE(prompted);
    EXPECT_NE(focusAfterSetFocus, form->MultiColComboBox1->Handle());
    EXPECT_EQ(selectedMeanwhile, -1);
    EXPECT_EQ(GlobalSize(late), 0u);  // refused and released
    EXPECT_EQ(Entries().size(), 2u);

    EXPECT_EQ(GetActiveWindow(), form->Handle());
    EXPECT_EQ(GetFocus(), form->MultiColComboBox1->Handle());
    Press(VK_DOWN);
    EXPECT_EQ(form->MultiColComboBox1->ItemIndex(), 0);
    EXPECT_TRUE(form->Delete1->Enabled);
    Press('D', {VK_CONTROL});
    EXPECT_EQ(Entries(), V{"\"b\",\"C:\\B\""});
}

TEST_F(DialogTest, ADropFromAnotherProgramPromptsAboveTheDisabledWindowAndAltELaunchesAfterIt) {
    OpenWithDialogs("");
    // Tab and Shift+Tab go between the list and the button; the button has the focus last.
    Press(VK_TAB);
    EXPECT_EQ(GetFocus(), form->Button4->Handle());
    Press(VK_TAB, {VK_SHIFT});
    EXPECT_EQ(GetFocus(), form->MultiColComboBox1->Handle());
    Press(VK_TAB);
    ASSERT_EQ(GetFocus(), form->Button4->Handle());

    OtherProgram other;
    ASSERT_EQ(GetActiveWindow(), nullptr);
    BOOL enabledMeanwhile = TRUE;
    HWND promptOwner = nullptr;
    bool prompted = false;
    HDROP late = nullptr;
    TestSupport::OnNextDialog(NamingPrompt::ClassName, [&](HWND prompt) {
        enabledMeanwhile = IsWindowEnabled(form->Handle());
        promptOwner = GetWindow(prompt, GW_OWNER);
        late = DropMeanwhile(prompted);
        SetWindowTextA(GetDlgItem(prompt, NamingPrompt::EditId), "Here");
        PostMessageA(GetDlgItem(prompt, NamingPrompt::EditId), WM_KEYDOWN, VK_RETURN, 1);
    });
    SendMessageA(form->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(TestSupport::MakeDrop({dir.Path})), 0);
    TestSupport::DialogsAnswered();
    EXPECT_FALSE(enabledMeanwhile);
    EXPECT_EQ(promptOwner, form->Handle());
    EXPECT_FALSE(prompted);
    EXPECT_EQ(GlobalSize(late), 0u);
    EXPECT_EQ(Entries(), V{"\"Here\",\"" + dir.Path + "\""});

    Application->ProcessMessages();
    EXPECT_EQ(GetActiveWindow(), form->Handle());
    EXPECT_EQ(GetFocus(), form->Button4->Handle());
    Press('E', {VK_MENU});
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].params, "/n,/e,");
}

TEST_F(DialogTest, AnErrorBoxDisablesTheWindowEvenWhileAnotherProgramIsActiveAndTheFocusComesBack) {
    OpenWithDialogs("");
    Press(VK_TAB);
    ASSERT_EQ(GetFocus(), form->Button4->Handle());
    // The error display's real box this time, not the recorder.
    TMessageBoxes system;
    IMessageBoxes& recorder = Application->MessageBoxes();
    Application->SetMessageBoxes(system);
    for (bool inFront : {true, false}) {
        SCOPED_TRACE(inFront ? "window active" : "another program active");
        std::optional<OtherProgram> other;
        if (!inFront) other.emplace();
        BOOL enabledMeanwhile = TRUE;
        HWND owner = nullptr;
        TestSupport::OnNextDialog("#32770", [&](HWND box) {
            enabledMeanwhile = IsWindowEnabled(form->Handle());
            owner = GetWindow(box, GW_OWNER);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        });
        ExceptionDisplay::ShowMessageText("ファイル X は開けません");
        EXPECT_TRUE(TestSupport::DialogsAnswered());
        EXPECT_FALSE(enabledMeanwhile);
        EXPECT_EQ(owner, form->Handle());
        Application->ProcessMessages();
        EXPECT_EQ(GetFocus(), form->Button4->Handle());
    }
    Application->SetMessageBoxes(recorder);
}

// Alt+E only clicks the button: the keys go on acting on the list. A plain E does
// nothing, even with the button focused. Activation gives the focus back to the control
// that had it, whichever that was.
TEST_F(DialogTest, AltEOnlyClicksTheButtonAndActivationGivesTheFocusBack) {
    OpenWithDialogs("\"a\",\"C:\\windows\"\r\n\"b\",\"C:\\B\"\r\n");  // the first is there
    const HWND list = form->MultiColComboBox1->Handle();
    const HWND button = form->Button4->Handle();
    ASSERT_EQ(GetFocus(), list);
    Press('E', {VK_MENU});
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].params, "/n,/e,");
    EXPECT_EQ(GetFocus(), list);
    Press(VK_DOWN);
    EXPECT_EQ(form->MultiColComboBox1->ItemIndex(), 0);
    Press('E', {VK_MENU});
    ASSERT_EQ(dialogs.calls.size(), 2u);
    EXPECT_EQ(dialogs.calls[1].params, "/n,/e,\"C:\\windows\"");

    for (HWND had : {list, button}) {
        SCOPED_TRACE(had == list ? "list" : "button");
        if (GetFocus() != had) Press(VK_TAB);
        ASSERT_EQ(GetFocus(), had);
        ::SetFocus(nullptr);
        SendMessageA(form->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
        EXPECT_EQ(GetFocus(), had);
    }
    Press('E');
    EXPECT_EQ(dialogs.calls.size(), 2u);
    EXPECT_EQ(GetFocus(), button);
    Press('E', {VK_MENU});
    EXPECT_EQ(dialogs.calls.size(), 3u);
    EXPECT_EQ(GetFocus(), button);
}
