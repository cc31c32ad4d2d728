#include "tests/win/app/MainWindowFixture.h"

using TestSupport::ReadFileBytes;
using V = std::vector<std::string>;

TEST_F(MainWindowTest, LoadAndSaveFollowTheLineRules) {
    struct Row {
        const char* name;
        std::string file;
        V entries;
        std::string saved;
    } rows[] = {
        {"CR LF", "a\r\nb\r\n", {"a", "b"}, "a\r\nb\r\n"},
        {"no final break", "a\r\nb", {"a", "b"}, "a\r\nb\r\n"},
        {"LF alone", "a\nb\n", {"a", "b"}, "a\r\nb\r\n"},
        {"CR alone", "a\rb\r", {"a", "b"}, "a\r\nb\r\n"},
        {"empty line between", "a\r\n\r\nb\r\n", {"a", "", "b"}, "a\r\nb\r\n"},
        {"two breaks only", "\r\n\r\n", {"", ""}, ""},
        {"empty file", "", {}, ""},
        {"a line without quotes", "C:\\Data\r\n", {"C:\\Data"}, "C:\\Data\r\n"},
        {"spaces only stay", "  \r\n", {"  "}, "  \r\n"},
        {"a quote inside a name",
         "\"a\"b\",\"C:\\x\"\r\n",
         {"\"a\"b\",\"C:\\x\""},
         "\"a\"b\",\"C:\\x\"\r\n"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Open(r.file.c_str(), r.file.size());
        EXPECT_TRUE(TestSupport::ShownBoxes().empty());
        EXPECT_EQ(Entries(), r.entries);
        EXPECT_EQ(form->MultiColComboBox1->ItemIndex(), -1);
        EXPECT_FALSE(form->Delete1->Enabled);
        // Untouched, the file is not written; after a registration, in the save's form.
        EXPECT_TRUE(CloseWindow());
        EXPECT_EQ(ReadFileBytes(ListFile()), r.file);
        delete form;
        Open(nullptr);
        form->AppendEntry(L"N", L"C:\\N");
        EXPECT_TRUE(CloseWindow());
        EXPECT_EQ(ReadFileBytes(ListFile()), r.saved + "\"N\",\"C:\\N\"\r\n");
        EXPECT_FALSE(TestSupport::FileExists(ListFile() + ".saving"));
        delete form;
        form = nullptr;
    }
}

TEST_F(MainWindowTest, AMissingListFileIsReportedBeforeTheWindowShowsAndCreatedAtClose) {
    bool visibleAtBox = true;
    struct Watching : IMessageBoxes {
        IMessageBoxes& recorder;
        TMainForm1*& form;
        bool& visible;
        Watching(IMessageBoxes& r, TMainForm1*& f, bool& v) : recorder(r), form(f), visible(v) {}
        int Show(HWND owner, const std::string& text, const std::string& caption, UINT flags) override {
            visible = form && IsWindowVisible(form->Handle());
            return recorder.Show(owner, text, caption, flags);
        }
    } watching(Application->MessageBoxes(), form, visibleAtBox);
    Application->SetMessageBoxes(watching);
    Open(nullptr);
    Application->SetMessageBoxes(watching.recorder);
    ASSERT_EQ(TestSupport::ShownBoxes().size(), 1u);
    EXPECT_EQ(TestSupport::ShownBoxes()[0].text, "ファイル " + ListFile() + " は開けません.");
    EXPECT_EQ(TestSupport::ShownBoxes()[0].caption, "Kestrovane1");
    EXPECT_FALSE(visibleAtBox);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_TRUE(Entries().empty());
    form->AppendEntry(L"Data", L"C:\\Data");
    EXPECT_TRUE(CloseWindow());
    EXPECT_EQ(ReadFileBytes(ListFile()), "\"Data\",\"C:\\Data\"\r\n");
}

TEST_F(MainWindowTest, AnUnwritableListFileIsReportedThenTheUserMayCloseWithoutSaving) {
    Open("a\r\n");
    form->AppendEntry(L"B", L"C:\\B");
    SetFileAttributesA(ListFile().c_str(), FILE_ATTRIBUTE_READONLY);
    // いいえ, the default answer: the window stays, the list as it was.
    TestSupport::ShownBoxes().clear();
    services.askAnswer = IDNO;
    EXPECT_FALSE(CloseWindow());
    ASSERT_EQ(TestSupport::ShownBoxes().size(), 1u);
    EXPECT_EQ(TestSupport::ShownBoxes()[0].text, "ファイル " + ListFile() + " を作成できません.");
    ASSERT_EQ(services.questions.size(), 1u);
    EXPECT_EQ(services.questions[0], "フォルダの一覧を保存できませんでした。保存せずに終了しますか?");
    EXPECT_EQ(services.questionFlags[0] & (MB_TYPEMASK | MB_DEFMASK), UINT(MB_YESNO | MB_DEFBUTTON2));
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_EQ(ReadFileBytes(ListFile()), "a\r\n");
    EXPECT_EQ(Entries(), (V{"a", "\"B\",\"C:\\B\""}));
    EXPECT_FALSE(TestSupport::FileExists(ListFile() + ".saving"));
    // はい: the window closes and the list file is left as it was.
    services.askAnswer = IDYES;
    EXPECT_TRUE(CloseWindow());
    EXPECT_EQ(services.questions.size(), 2u);
    EXPECT_EQ(ReadFileBytes(ListFile()), "a\r\n");
    EXPECT_FALSE(TestSupport::FileExists(ListFile() + ".saving"));
    // Every close tries the save again first.
    SetFileAttributesA(ListFile().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(CloseWindow());
    EXPECT_EQ(services.questions.size(), 2u);
    EXPECT_EQ(ReadFileBytes(ListFile()), "a\r\n\"B\",\"C:\\B\"\r\n");
}

// A write that fails midway, or a flush to the disk that fails after every byte was
// written: the error shows, the window stays open and the old file keeps its bytes.
TEST_F(MainWindowTest, AWriteThatFailsMidwayLeavesTheOldFileWhole) {
    const std::string temp = ListFile() + ".saving";
    TFileWrites realWrites;
    // Beside the list file, and in place when the temporary name cannot be had.
    for (bool inPlace : {false, true}) {
        for (bool flushFails : {false, true}) {
            SCOPED_TRACE(std::string(inPlace ? "in place" : "beside") + (flushFails ? ", flush fails" : ", write fails"));
            Open("old one\r\nold two\r\n");
            HANDLE held = inPlace ? CreateFileA(temp.c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS, 0, nullptr)
                                  : INVALID_HANDLE_VALUE;
            form->AppendEntry(L"N", L"C:\\N");
            // Writes and flushes that fail as on a full disk: the write after half of its
            // bytes, the first one only; the flush every time.
            struct FullDisk : TFileWrites {
                bool flushFails = false;
                int writes = 0;
                bool Write(void* f, const void* d, unsigned long n, unsigned long* w) override {
                    if (flushFails || ++writes > 1) return TFileWrites::Write(f, d, n, w);
                    DWORD half = n / 2; // half of it reaches the disk, then the volume is full
                    WriteFile(static_cast<HANDLE>(f), d, half, &half, nullptr);
                    *w = half;
                    SetLastError(ERROR_DISK_FULL);
                    return false;
                }
                bool Flush(void* f) override {
                    if (!flushFails) return TFileWrites::Flush(f);
                    SetLastError(ERROR_DISK_FULL);
                    return false;
                }
            } fullDisk;
            fullDisk.flushFails = flushFails;
            form->Memo1->SetFileWrites(fullDisk);
            TestSupport::ShownBoxes().clear();
            const bool closed = CloseWindow();
            form->Memo1->SetFileWrites(realWrites);
            if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
            EXPECT_FALSE(closed);
            ASSERT_EQ(TestSupport::ShownBoxes().size(), 1u);
            EXPECT_EQ(TestSupport::ShownBoxes()[0].text, "ストリームへの書き込みに失敗しました.");
            EXPECT_EQ(ReadFileBytes(ListFile()), "old one\r\nold two\r\n");
            EXPECT_EQ(TestSupport::FileExists(temp), inPlace);  // only the holder's own file is left
            DeleteFileA(temp.c_str());
            delete form;
            form = nullptr;
        }
    }
}

TEST_F(MainWindowTest, AListFileThatCouldNotBeReadIsNeverOverwrittenUnasked) {
    TestSupport::WriteFileBytes(ListFile(), "precious\r\n");
    // Another program holds the file open for writing while this one starts.
    HANDLE held = CreateFileA(ListFile().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Open(nullptr);
    CloseHandle(held);
    ASSERT_EQ(TestSupport::ShownBoxes().size(), 1u);
    EXPECT_EQ(TestSupport::ShownBoxes()[0].text, "ファイル " + ListFile() + " は開けません.");

    // Unchanged list: the close goes without writing and without asking.
    EXPECT_TRUE(CloseWindow());
    EXPECT_TRUE(services.questions.empty());
    EXPECT_EQ(ReadFileBytes(ListFile()), "precious\r\n");
}

TEST_F(MainWindowTest, AfterAFailedLoadAChangedListIsWrittenOnlyWhenTheUserSaysSo) {
    TestSupport::WriteFileBytes(ListFile(), "precious\r\n");
    HANDLE held = CreateFileA(ListFile().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    Open(nullptr);
    CloseHandle(held);
    form->AppendEntry(L"New", L"C:\\New");
    services.askAnswer = IDCANCEL; // keep the window
    EXPECT_FALSE(CloseWindow());
    EXPECT_EQ(services.questions.size(), 1u);
    EXPECT_EQ(ReadFileBytes(ListFile()), "precious\r\n");
    services.askAnswer = IDNO; // close, leave the file alone
    EXPECT_TRUE(CloseWindow());
    EXPECT_EQ(ReadFileBytes(ListFile()), "precious\r\n");
    services.askAnswer = IDYES; // overwrite
    EXPECT_TRUE(CloseWindow());
    EXPECT_EQ(ReadFileBytes(ListFile()), "\"New\",\"C:\\New\"\r\n");
}

TEST_F(MainWindowTest, TheEndOfTheSessionWritesTheListAsTheCloseWouldWithoutADialog) {
    HANDLE held = nullptr;
    struct Row {
        const char* name;
        std::string file;
        std::function<void(const std::string& list)> before;  // runs before the window opens
        std::function<void(const std::string& list)> during;  // runs once the list is loaded
        std::string saved;
    } rows[] = {
        {"the session's registrations are written, empty entries dropped", "kept\r\n\r\nmore\r\n",
         nullptr, nullptr, "kept\r\nmore\r\n\"New\",\"C:\\New\"\r\n"},
        {"an edit made in the file meanwhile stays, the registration follows it", "kept\r\n", nullptr,
         [](const std::string& list) { TestSupport::WriteFileBytes(list, "kept\r\nedited\r\n"); },
         "kept\r\nedited\r\n\"New\",\"C:\\New\"\r\n"},
        {"a file that cannot be replaced stays whole, silently", "kept\r\n", nullptr,
         [](const std::string& list) { SetFileAttributesA(list.c_str(), FILE_ATTRIBUTE_READONLY); },
         "kept\r\n"},
        {"a file that could not be read at start is not overwritten unasked", "precious\r\n",
         [&held](const std::string& list) {
             // held open for writing by another program while the window loads it
             held = CreateFileA(list.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
             ASSERT_NE(held, INVALID_HANDLE_VALUE);
         },
         [&held](const std::string&) { CloseHandle(held); }, "precious\r\n"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        TestSupport::WriteFileBytes(ListFile(), r.file);
        if (r.before) r.before(ListFile());
        Open(nullptr);
        if (r.during) r.during(ListFile());
        form->AppendEntry(L"New", L"C:\\New");
        int closings = 0;
        const TCloseEvent closing = form->OnClose;
        form->OnClose = [&](TObject* s, TCloseAction& a) { ++closings, closing(s, a); };
        TestSupport::ShownBoxes().clear();
        Application->Terminated = false;
        const std::string before = ReadFileBytes(ListFile());

        EXPECT_EQ(SendMessageA(form->Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
        SendMessageA(form->Handle(), WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);  // cancelled: goes on
        EXPECT_FALSE(Application->Terminated);
        EXPECT_EQ(ReadFileBytes(ListFile()), before);
        SendMessageA(form->Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
        EXPECT_TRUE(Application->Terminated);
        EXPECT_EQ(ReadFileBytes(ListFile()), r.saved);
        EXPECT_FALSE(TestSupport::FileExists(ListFile() + ".saving"));
        EXPECT_EQ(closings, 0);
        EXPECT_TRUE(TestSupport::ShownBoxes().empty());
        EXPECT_TRUE(services.questions.empty());
        MSG m;
        PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        Application->Terminated = false;
        SetFileAttributesA(ListFile().c_str(), FILE_ATTRIBUTE_NORMAL);
        delete form;
        form = nullptr;
    }
}
