#include "framework/WideText.h"
#include "tests/win/app/MainWindowFixture.h"

#include <shlobj.h>

using V = std::vector<std::string>;

namespace {

std::string WindowsFolder() {
    char w[MAX_PATH];
    GetWindowsDirectoryA(w, MAX_PATH);
    return w;
}

void Select(TMainForm1* f, int i) {
    f->MultiColComboBox1->SetItemIndex(i);
    f->MultiColComboBox1Change(f->MultiColComboBox1);
}

// Presses Ctrl+key at the window as the keyboard would deliver it.
void CtrlKey(TMainForm1* f, char key) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PostMessageA(f->MultiColComboBox1->Handle(), WM_KEYDOWN, static_cast<WPARAM>(key), 1);
    Application->ProcessMessages();
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
}


} // namespace

TEST_F(MainWindowTest, LaunchPassesTheSelectedPathQuotedToTheExplorerInTheWindowsFolder) {
    const std::string longPath = "C:\\" + std::string(2000, 'x');
    Open(("\"none\"\r\n\"root\",\"C:\"\r\n\"sp\",\"C:\\a b,c\"\r\n\"long\",\"" + longPath +
          "\"\r\n\"eq\",\"C:\\a=b\"\r\n").c_str());
    struct { int select; std::string params; } rows[] = {
        {-1, "/n,/e,"}, {0, "/n,/e,"}, {1, "/n,/e,\"C:\""}, {2, "/n,/e,\"C:\\a b,c\""},
        {3, "/n,/e,\"" + longPath + "\""}, {4, "/n,/e,\"C:\\a=b\""},
    };
    for (auto& r : rows) {
        services.calls.clear();
        Select(form, r.select);
        SendMessageA(form->Button4->Handle(), BM_CLICK, 0, 0);
        ASSERT_EQ(services.calls.size(), 1u);
        const ShellCall& c = services.calls[0];
        EXPECT_EQ(c.verb, "open");
        EXPECT_EQ(c.file, WindowsFolder() + "\\EXPLORER.EXE");
        EXPECT_EQ(c.params, r.params);
        EXPECT_TRUE(c.dirNull);
        EXPECT_EQ(c.show, SW_SHOWDEFAULT);
    }
}

TEST_F(MainWindowTest, RegistrationThroughTheFolderBrowser) {
    Open("\"a\",\"C:\\A\"\r\n");
    Select(form, 0);
    ASSERT_TRUE(form->Delete1->Enabled);
    // Cancelled browser: nothing asked, nothing added.
    form->N1Click(nullptr);
    EXPECT_TRUE(services.prompts.empty());
    // Cancelled prompt registers under the default name; a drive root is stored as C:.
    services.browseAnswers = {L"C:\\"};
    form->N1Click(nullptr);
    // An emptied name registers nothing.
    services.browseAnswers = {L"C:\\Data"};
    services.nameAnswers = {""};
    form->N1Click(nullptr);
    // The same folder again is appended again.
    services.browseAnswers = {L"C:\\A\\", L"C:\\A"};
    services.nameAnswers = {"x", "y"};
    form->N1Click(nullptr);
    form->N1Click(nullptr);
    EXPECT_EQ(services.prompts, (V{"C:", "C:\\Data", "C:\\A", "C:\\A"}));
    EXPECT_EQ(Entries(), (V{"\"a\",\"C:\\A\"", "\"新規パス\",\"C:\"", "\"x\",\"C:\\A\"", "\"y\",\"C:\\A\""}));
    // The selection and the delete command are left as they were.
    EXPECT_EQ(form->MultiColComboBox1->ItemIndex(), 0);
    EXPECT_TRUE(form->Delete1->Enabled);
}

// The browser's choice comes whole and in Unicode: real folders on disk that code page 932
// cannot name, or deeper than 259 bytes, register the very folder chosen (by its 8.3 name
// where the full name does not convert), or are refused with a message and no prompt.
TEST_F(MainWindowTest, BrowsedFoldersTheCodePageCannotNameOrOfAnyLength) {
    Open("");
    const std::wstring base = TestSupport::Widen(dir.Path);
    std::wstring deep = base + L"\\\u8868";
    while (deep.size() < 320) deep += L"\\a_rather_long_folder_name";
    struct Row {
        const char* name;
        std::wstring chosen;
        bool onDisk;
        const char* expect;  // "exact", "short" or "refused"
    } rows[] = {
        {"emoji", base + L"\\\U0001F4C1 share", true, "short"},
        {"Hangul, with a trailing backslash", base + L"\\\uC790\uB8CC\\", true, "short"},
        {"deeper than 259 bytes", deep, true, "exact"},
        {"not on disk (no 8.3 name)", base + L"\\\uC790\uB8CC gone", false, "refused"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        if (r.onDisk) {
            ASSERT_TRUE(TestSupport::MakeFolders(r.chosen));
        }
        services.prompts.clear();
        TestSupport::ShownBoxes().clear();
        const size_t before = Entries().size();
        services.browseAnswers = {r.chosen};
        form->N1Click(nullptr);
        if (std::string(r.expect) == "refused") {
            EXPECT_TRUE(services.prompts.empty());
            EXPECT_EQ(Entries().size(), before);
            ASSERT_EQ(TestSupport::ShownBoxes().size(), 1u);
            // The path is named as far as it converts, and the text ends as the display ends it.
            EXPECT_EQ(TestSupport::ShownBoxes()[0].text,
                      "パス " + dir.Path + "\\?? gone にはこのシステムの文字コードで表せない文字が含まれているため、登録できません.");
            continue;
        }
        EXPECT_TRUE(TestSupport::ShownBoxes().empty());
        ASSERT_EQ(services.prompts.size(), 1u);
        const std::string stored = services.prompts[0];
        ASSERT_EQ(Entries().size(), before + 1);
        EXPECT_EQ(Entries().back(), "\"新規パス\",\"" + stored + "\"");
        EXPECT_TRUE(TestSupport::SameFile(TestSupport::Widen(stored), r.chosen)) << stored;
        if (std::string(r.expect) == "exact") {
            EXPECT_EQ(TestSupport::Widen(stored), r.chosen);
        } else {
            EXPECT_NE(stored.find('~'), std::string::npos) << stored;
            EXPECT_NE(stored.back(), '\\');
        }
    }
    // The long entry goes to the list file whole.
    std::string saved;
    for (const auto& e : Entries()) saved += e + "\r\n";
    EXPECT_GT(saved.size(), 3u * 10 + 320);
    EXPECT_TRUE(CloseWindow());
    EXPECT_EQ(TestSupport::ReadFileBytes(ListFile()), saved);
}

namespace {

// The right-click menu as it is shown: 削除 greyed exactly while it is disabled.
bool DeleteGreyedInTheMenu(TMainForm1* f) {
    HMENU m = f->PopupMenu1->MakeMenuHandle();
    wchar_t text[64] = {};
    GetMenuStringW(m, 1, text, 64, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(text), Widen("削除(&D)\tCtrl+D"));
    const UINT state = GetMenuState(m, 1, MF_BYPOSITION);
    DestroyMenu(m);
    return (state & MF_GRAYED) != 0;
}

} // namespace

TEST_F(MainWindowTest, DeleteRemovesTheSelectedEntryAndDisablesItself) {
    Open("\"a\",\"C:\\A\"\r\n\"b\",\"C:\\B\"\r\n\"only name\"\r\n");
    EXPECT_TRUE(DeleteGreyedInTheMenu(form));
    Select(form, 0);
    EXPECT_TRUE(form->Delete1->Enabled);
    EXPECT_FALSE(DeleteGreyedInTheMenu(form));
    CtrlKey(form, 'D');
    EXPECT_EQ(Entries(), (V{"\"b\",\"C:\\B\"", "\"only name\""}));
    EXPECT_EQ(form->MultiColComboBox1->ItemIndex(), -1);
    EXPECT_FALSE(form->Delete1->Enabled);
    EXPECT_TRUE(DeleteGreyedInTheMenu(form));
    CtrlKey(form, 'D');  // disabled: nothing happens
    EXPECT_EQ(Entries().size(), 2u);
    // An entry without a path keeps the command disabled.
    Select(form, 1);
    EXPECT_FALSE(form->Delete1->Enabled);
    CtrlKey(form, 'D');
    EXPECT_EQ(Entries().size(), 2u);
}

TEST_F(MainWindowTest, InformationPageCarriesTheExecutablesBaseName) {
    Open("");
    struct { const char* exe; const char* sn; } rows[] = {
        {"C:\\Tools\\Kestrovane1.exe", "Kestrovane1"},
        {"C:\\Tools\\tool.new.exe", "tool.new"},
        {"C:\\My Tools\\\x95\x5C\x8e\xa6.exe", "\x95\x5C\x8e\xa6"},
    };
    for (auto& r : rows) {
        services.calls.clear();
        form->SetExePath(r.exe);
        form->A1Click(nullptr);
        ASSERT_EQ(services.calls.size(), 1u);
        EXPECT_EQ(services.calls[0].verb, "OPEN");
        EXPECT_EQ(services.calls[0].file, std::string("http://www.example.com/info.php?pf=w&sn=") + r.sn);
        EXPECT_EQ(services.calls[0].params, "");
        EXPECT_FALSE(services.calls[0].dirNull);
        EXPECT_EQ(services.calls[0].dir, "");
        EXPECT_EQ(services.calls[0].show, SW_SHOW);
    }
}

TEST_F(MainWindowTest, CtrlQClosesAndSaves) {
    Open("\"a\",\"C:\\A\"\r\n");
    form->AppendEntry(L"b", L"C:\\B");
    Application->Terminated = false;
    CtrlKey(form, 'Q');
    EXPECT_TRUE(Application->Terminated);
    MSG m;
    PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    Application->Terminated = false;
    EXPECT_EQ(TestSupport::ReadFileBytes(ListFile()), "\"a\",\"C:\\A\"\r\n\"b\",\"C:\\B\"\r\n");
}

TEST_F(MainWindowTest, DroppedItemsRegisterTheirFoldersOnePromptEachInOrderAndKeepTheSelection) {
    const std::string sub = dir.File("sub"), table = dir.File("\x95\x5C");
    CreateDirectoryW(TestSupport::Widen(sub).c_str(), nullptr);
    CreateDirectoryW(TestSupport::Widen(table).c_str(), nullptr);
    TestSupport::WriteFileBytes(dir.File("a.txt"), "x");
    TestSupport::WriteFileBytes(dir.File("b.lnk"), "x");
    // With nothing selected, and with the first entry selected: a drop changes neither.
    for (int selected : {-1, 0}) {
        SCOPED_TRACE(selected);
        Open("\"zero\",\"C:\\Z\"\r\n");
        Select(form, selected);
        services.prompts.clear();
        services.nameAnswers = {"one", "two", "", "four", "five", "six"};
        HDROP drop = TestSupport::MakeDrop({sub, dir.File("a.txt"), dir.File("b.lnk"), table, table + "\\", dir.File("gone\\x.txt")});
        SendMessageA(form->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
        EXPECT_EQ(services.prompts, (V{sub, dir.Path, dir.Path, table, table, dir.File("gone")}));
        EXPECT_EQ(Entries(), (V{"\"zero\",\"C:\\Z\"", "\"one\",\"" + sub + "\"", "\"two\",\"" + dir.Path + "\"",
                                "\"four\",\"" + table + "\"", "\"five\",\"" + table + "\"", "\"six\",\"" + dir.File("gone") + "\""}));
        EXPECT_EQ(GlobalSize(drop), 0u);  // released
        EXPECT_EQ(form->MultiColComboBox1->ItemIndex(), selected);
        EXPECT_EQ(form->Delete1->Enabled, selected == 0);
        delete form;
        form = nullptr;
    }
    RemoveDirectoryW(TestSupport::Widen(sub).c_str());
    RemoveDirectoryW(TestSupport::Widen(table).c_str());
}

// The launch takes the entry's own path from the list, not the text the combo box shows:
// in a UTF-8 or UTF-16 list that is Unicode, in a Shift-JIS list the entry's own bytes.
TEST_F(MainWindowTest, LaunchOpensTheEntrysRealPathInEveryEncoding) {
    const std::wstring hangul = L"C:\\\uD55C\uAD6D";
    auto utf16le = [](const std::wstring& t) {
        std::string b = "\xFF\xFE";
        for (wchar_t c : t) b += std::string{static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
        return b;
    };
    struct Row {
        const char* name;
        std::string file;
        std::wstring params;
    } rows[] = {
        {"UTF-8", "\"k\",\"C:\\\xED\x95\x9C\xEA\xB5\xAD\"\r\n", L"/n,/e,\"" + hangul + L"\""},
        {"UTF-16 LE", utf16le(L"\"k\",\"" + hangul + L"\"\r\n"), L"/n,/e,\"" + hangul + L"\""},
        {"Shift-JIS", "\"say \"\"hi\"\"\",\"C:\\\x95\x5C\"\r\n", L"/n,/e,\"C:\\\u8868\""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Open(r.file.c_str(), r.file.size());
        services.calls.clear();
        Select(form, 0);
        EXPECT_TRUE(form->Delete1->Enabled);
        SendMessageA(form->Button4->Handle(), BM_CLICK, 0, 0);
        ASSERT_EQ(services.calls.size(), 1u);
        EXPECT_EQ(services.calls[0].wideParams, r.params);
        delete form;
        form = nullptr;
    }
}

// In a Shift-JIS list a name it cannot hold is refused, and the prompt comes back with
// what was typed; a cancel then registers the default. In a UTF-8 list it is stored.
TEST_F(MainWindowTest, ANameTheListCannotHoldIsAskedForAgain) {
    Open("\"a\",\"C:\\A\"\r\n");
    services.browseAnswers = {L"C:\\Data"};
    services.wideNameAnswers = {L"Caf\u00E9"};  // then cancelled
    form->N1Click(form);
    ASSERT_EQ(TestSupport::ShownBoxes().size(), 1u);
    EXPECT_EQ(TestSupport::ShownBoxes()[0].text,
              "名前 Caf? には、この一覧の文字コード (Shift-JIS) で保存できない文字が含まれているため、登録できません.");
    EXPECT_EQ(services.fields, (std::vector<std::wstring>{Widen("新規パス"), L"Caf\u00E9"}));
    EXPECT_EQ(Entries(), (V{"\"a\",\"C:\\A\"", "\"新規パス\",\"C:\\Data\""}));
    delete form;

    TestSupport::ShownBoxes().clear();
    services.fields.clear();
    Open("\"\xE5\x86\x99\",\"C:\\A\"\r\n");
    services.browseAnswers = {L"C:\\\uD55C"};
    services.wideNameAnswers = {L"Caf\u00E9 \"x\""};
    form->N1Click(form);
    EXPECT_TRUE(TestSupport::ShownBoxes().empty());
    EXPECT_EQ(services.fields.size(), 1u);
    EXPECT_TRUE(CloseWindow());
    EXPECT_EQ(TestSupport::ReadFileBytes(ListFile()),
              "\"\xE5\x86\x99\",\"C:\\A\"\r\n\"Caf\xC3\xA9 \"\"x\"\"\",\"C:\\\xED\x95\x9C\"\r\n");
}
