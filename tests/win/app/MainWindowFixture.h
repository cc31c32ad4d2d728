#pragma once
// A main window pointed at a temporary folder, with the shell and the dialogs recorded.
#include "app/MainWindow1.h"
#include "framework/ExceptionDisplay.h"
#include "framework/WideText.h"
#include "tests/win/common/TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <deque>
#include <functional>
#include <string>
#include <vector>

struct ShellCall {
    std::string verb, file, params;  // the parameters as far as code page 932 holds them
    std::wstring wideParams;
    bool dirNull;
    std::string dir;
    int show;
};

class RecordingServices : public IShellServices, public IMessageBoxes {
public:
    std::vector<ShellCall> calls;
    std::deque<std::wstring> browseAnswers;
    std::deque<std::string> nameAnswers;
    std::deque<std::wstring> wideNameAnswers;  // answered before nameAnswers
    std::vector<std::string> prompts;  // prompt texts the naming prompt was shown with
    std::vector<std::wstring> fields;  // the field's text at each prompt
    std::vector<std::wstring> browseStarts;  // where the folder browser was asked to open
    std::vector<std::string> questions;
    std::vector<UINT> questionFlags;
    std::deque<int> askAnswers;  // answered in turn; then askAnswer
    int askAnswer = IDNO;

    // The look for a folder: the real file system's answer, after `lookDelayMs` (a network
    // that is slow to answer). Runs on a worker thread.
    std::atomic<int> lookDelayMs{0};
    std::atomic<int> looks{0}, answered{0};
    TShellServices real;

    void Launch(HWND, const ShellOpen& what) override {
        calls.push_back({Narrow(what.verb).bytes, Narrow(what.file).bytes, NarrowShown(what.params), what.params,
                         !what.directory, what.directory ? Narrow(*what.directory).bytes : "", what.show});
    }
    FolderPresence LookForFolder(const std::wstring& path) override {
        ++looks;
        if (lookDelayMs > 0) Sleep(static_cast<DWORD>(lookDelayMs));
        const FolderPresence p = real.LookForFolder(path);
        ++answered;
        return p;
    }
    std::wstring BrowseForFolder(HWND, const std::wstring& startAt) override {
        browseStarts.push_back(startAt);
        if (browseAnswers.empty()) return {};
        std::wstring a = browseAnswers.front();
        browseAnswers.pop_front();
        return a;
    }
    std::wstring AskName(const std::string& caption, const std::wstring& prompt, const std::string& def,
                         const std::wstring& field) override {
        // A registration offers the default name; a rename the entry's name, in the field.
        if (caption != "名称の変更") {
            EXPECT_EQ(caption, "名称の入力");
            EXPECT_EQ(def, "新規パス");
        } else {
            EXPECT_EQ(def, "");
        }
        prompts.push_back(NarrowShown(prompt));
        fields.push_back(field);
        if (!wideNameAnswers.empty()) {
            std::wstring a = wideNameAnswers.front();
            wideNameAnswers.pop_front();
            return a;
        }
        if (nameAnswers.empty()) return Widen(def);  // cancelled
        std::string a = nameAnswers.front();
        nameAnswers.pop_front();
        return Widen(a);
    }
    // The window's questions.
    int Show(HWND, const std::string& text, const std::string&, UINT flags) override {
        questions.push_back(text);
        questionFlags.push_back(flags);
        if (askAnswers.empty()) return askAnswer;
        const int a = askAnswers.front();
        askAnswers.pop_front();
        return a;
    }
};

class MainWindowTest : public testing::Test {
protected:
    TestSupport::TempFolder dir;
    RecordingServices services;
    TMainForm1* form = nullptr;
    // A file another program holds is waited for without waiting: the pauses are counted,
    // unless the test sets realPauses or its own onPause.
    std::vector<unsigned> pauses;
    bool realPauses = false;
    struct RecordingPauses : IPauses {
        std::function<void(unsigned)> onPause;
        void Pause(unsigned ms) override { onPause(ms); }
    } pauser;

    MainWindowTest() { pauser.onPause = [this](unsigned ms) { pauses.push_back(ms); }; }

    std::string ListFile() const { return dir.Path + "/DirList.txt"; }

    // Builds the window over `content` (nullptr: no list file) and shows it.
    void Open(const char* content, size_t size = std::string::npos) {
        if (content) TestSupport::WriteFileBytes(ListFile(), size == std::string::npos ? std::string(content) : std::string(content, size));
        TestSupport::ShownBoxes().clear();
        form = new TMainForm1(Application, Widen(dir.Path + "\\Kestrovane1.exe"));
        Application->SetMainForm(form);
        if (!realPauses) form->Memo1->SetPauses(pauser);
        form->SetServices(services);
        form->SetMessageBoxes(services);
        form->Show();
    }
    std::vector<std::string> Entries() {
        std::vector<std::string> e;
        for (int i = 0; i < form->MultiColComboBox1->Items()->Count(); ++i)
            e.push_back(form->MultiColComboBox1->Items()->Get(i));
        return e;
    }
    // Closes as the close box does; true when the window went.
    bool CloseWindow() {
        Application->Terminated = false;
        SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
        const bool closed = Application->Terminated;
        MSG m;
        PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);  // the quit meant for a real loop
        Application->Terminated = false;
        return closed;
    }
    void TearDown() override {
        delete form;
        form = nullptr;
    }
};
