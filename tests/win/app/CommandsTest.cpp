#include "framework/WideText.h"
#include "tests/win/app/MainWindowFixture.h"

#include <shlobj.h>

#include <tuple>

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

// Every entry names a folder that is there: the explorer gets its real path, quoted.
TEST_F(MainWindowTest, LaunchPassesTheSelectedFoldersRealPathQuotedToTheExplorerInTheWindowsFolder) {
    std::string deep = dir.Path;
    while (deep.size() < 400) deep += "\\a_rather_long_folder_name";
    for (const std::string& f : {dir.File("a b,c"), dir.File("a=b"), dir.File("Sub"), deep})
        ASSERT_TRUE(TestSupport::MakeFolders(TestSupport::Widen(f)));
    const std::string leaf = dir.Path.substr(dir.Path.rfind('\\') + 1);
    SetEnvironmentVariableW(L"KV_LIST_HOME", TestSupport::Widen(dir.Path).c_str());
    SetEnvironmentVariableW(L"KV_EMPTY", L"");  // defined, and empty
    Open(("\"none\"\r\n\"root\",\"C:\"\r\n\"sp\",\"" + dir.File("a b,c") + "\"\r\n\"long\",\"" + deep +
          "\"\r\n\"eq\",\"" + dir.File("a=b") + "\"\r\n\"sys\",\"%SystemRoot%\"\r\n\"rel\",\".\\Sub\"\r\n"
          "\"bare\",\"Sub\"\r\n\"up\",\"..\\" + leaf + "\\Sub\\\"\r\n\"var\",\"%KV_LIST_HOME%\\Sub\"\r\n\"empty\",\"%KV_EMPTY%Sub\"\r\n").c_str());
    const std::string list = TestSupport::ReadFileBytes(ListFile());
    const std::string sub = "/n,/e,\"" + dir.File("Sub") + "\"";
    struct { int select; std::string params; } rows[] = {
        {-1, "/n,/e,"}, {0, "/n,/e,"}, {1, "/n,/e,\"C:\\\""}, {2, "/n,/e,\"" + dir.File("a b,c") + "\""},
        {3, "/n,/e,\"" + deep + "\""}, {4, "/n,/e,\"" + dir.File("a=b") + "\""},
        {5, "/n,/e,\"" + WindowsFolder() + "\""}, {6, sub}, {7, sub}, {8, sub}, {9, sub}, {10, sub},
    };
    for (auto& r : rows) {
        SCOPED_TRACE(r.select);
        services.calls.clear();
        Select(form, r.select);
        SendMessageA(form->Button4->Handle(), BM_CLICK, 0, 0);
        EXPECT_TRUE(services.questions.empty());
        ASSERT_EQ(services.calls.size(), 1u);
        const ShellCall& c = services.calls[0];
        EXPECT_EQ(c.verb, "open");
        EXPECT_EQ(c.file, WindowsFolder() + "\\EXPLORER.EXE");
        EXPECT_EQ(c.params, r.params);
        EXPECT_TRUE(c.dirNull);
        EXPECT_EQ(c.show, SW_SHOWDEFAULT);
    }
    SetEnvironmentVariableW(L"KV_LIST_HOME", nullptr);
    SetEnvironmentVariableW(L"KV_EMPTY", nullptr);
    // What is stored never changes.
    EXPECT_TRUE(CloseWindow());
    EXPECT_EQ(TestSupport::ReadFileBytes(ListFile()), list);
}

// A folder that is gone starts no explorer: the question names it, and only はい deletes
// the entry, as the delete command does.
TEST_F(MainWindowTest, AMissingFolderIsSaidAndItsEntryDeletedOnlyWhenTheUserSaysSo) {
    ASSERT_TRUE(TestSupport::MakeFolders(TestSupport::Widen(dir.File("A"))));
    TestSupport::WriteFileBytes(dir.File("f.txt"), "x");
    const std::string gone = "\"gone\",\"" + dir.File("gone") + "\"", a = "\"a\",\"" + dir.File("A") + "\"";
    const std::string file = "\"file\",\"" + dir.File("f.txt") + "\"", rel = "\"rel\",\".\\nothing\"";
    Open((a + "\r\n" + gone + "\r\n" + file + "\r\n" + rel + "\r\n\"drive\",\"Q:\\x\"\r\n").c_str());
    struct Row {
        int select;
        std::string named;
        int answer;
        V after;
    } rows[] = {
        {1, dir.File("gone"), IDNO, {a, gone, file, rel, "\"drive\",\"Q:\\x\""}},
        {1, dir.File("gone"), IDYES, {a, file, rel, "\"drive\",\"Q:\\x\""}},
        {1, dir.File("f.txt"), IDNO, {a, file, rel, "\"drive\",\"Q:\\x\""}},  // a file is no folder
        {2, dir.File("nothing"), IDNO, {a, file, rel, "\"drive\",\"Q:\\x\""}},  // by its real path
        {3, "Q:\\x", IDYES, {a, file, rel}},                                  // a drive that is not there
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.named);
        services.questions.clear();
        services.questionFlags.clear();
        services.askAnswers = {r.answer};
        Select(form, r.select);
        SendMessageA(form->Button4->Handle(), BM_CLICK, 0, 0);
        EXPECT_TRUE(services.calls.empty());
        ASSERT_EQ(services.questions.size(), 1u);
        EXPECT_EQ(services.questions[0], "フォルダ " + r.named + " が見つかりません。一覧から削除しますか?");
        EXPECT_EQ(services.questionFlags[0], static_cast<UINT>(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
        EXPECT_EQ(Entries(), r.after);
        EXPECT_EQ(form->MultiColComboBox1->ItemIndex(), r.answer == IDYES ? -1 : r.select);
        EXPECT_EQ(form->Delete1->Enabled, r.answer != IDYES);
    }
    EXPECT_TRUE(CloseWindow());
    EXPECT_EQ(TestSupport::ReadFileBytes(ListFile()), a + "\r\n" + file + "\r\n" + rel + "\r\n");
}

// A look that takes long (a network that does not answer) never holds the window: within
// about a second the explorer starts as it always did, and the slide-in goes on meanwhile.
TEST_F(MainWindowTest, ALookWithoutAnAnswerWithinASecondLeavesTheFolderToTheExplorer) {
    ASSERT_TRUE(TestSupport::MakeFolders(TestSupport::Widen(dir.File("A"))));
    Open(("\"a\",\"" + dir.File("A") + "\"\r\n\"gone\",\"" + dir.File("gone") + "\"\r\n").c_str());
    struct Row {
        int select, delayMs;
        bool launched;
        int minMs, maxMs;
    } rows[] = {
        {0, 0, true, 0, 500},       // an answer at once: the launch as before
        {0, 2500, true, 950, 2000}, // no answer: the launch after the second
        {1, 2500, true, 950, 2000}, // also for a folder that would have been missing
        {1, 300, false, 250, 1000}, // a late answer within the second still counts
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.delayMs);
        services.calls.clear();
        services.questions.clear();
        services.lookDelayMs = r.delayMs;
        Select(form, r.select);
        // The slide-in moves the window right, then makes it taller, then wider.
        const auto bounds = [&] { return std::make_tuple(form->Left(), form->Height(), form->Width()); };
        const auto before = bounds();
        const ULONGLONG start = GetTickCount64();
        form->Button4Click(nullptr);
        const ULONGLONG took = GetTickCount64() - start;
        EXPECT_GE(took, static_cast<ULONGLONG>(r.minMs));
        EXPECT_LE(took, static_cast<ULONGLONG>(r.maxMs));
        EXPECT_EQ(services.calls.size(), r.launched ? 1u : 0u);
        EXPECT_EQ(services.questions.size(), r.launched ? 0u : 1u);
        if (r.delayMs > 0 && form->Timer1->Enabled()) {
            EXPECT_NE(bounds(), before) << "the slide-in stood still at " << form->Left() << "," << form->Height() << "," << form->Width();
        }
    }
    // The looks that were given up answer later, into nothing.
    EXPECT_TRUE(TestSupport::PumpUntil([&] { return services.answered == services.looks; }, 5000));
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
    const MenuHandle menu = f->PopupMenu1->MakeMenuHandle();
    const HMENU m = menu.Get();
    wchar_t text[64] = {};
    GetMenuStringW(m, 1, text, 64, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(text), Widen("削除(&D)\tCtrl+D"));
    const UINT state = GetMenuState(m, 1, MF_BYPOSITION);
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
        // The same window as started from another place, never shown.
        auto* other = new TMainForm1(Application, Widen(r.exe));
        other->SetServices(services);
        other->A1Click(nullptr);
        delete other;
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
    TestSupport::WriteFileBytes(dir.File("b.lnk"), "x");  // no shortcut at all: its folder
    // By its Unicode name: the file helper's narrow path goes through the system's code page.
    CloseHandle(CreateFileW(TestSupport::Widen(table + "\\f.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    TestSupport::WriteFileBytes(sub + "\\was.txt", "x");
    // Shortcuts register what they point to: a folder, the folder of a file; one whose
    // target has gone registers the folder holding it.
    ASSERT_TRUE(TestSupport::MakeShortcut(TestSupport::Widen(dir.File("proj.lnk")), TestSupport::Widen(sub)));
    ASSERT_TRUE(TestSupport::MakeShortcut(TestSupport::Widen(dir.File("doc.LNK")), TestSupport::Widen(table + "\\f.txt")));
    ASSERT_TRUE(TestSupport::MakeShortcut(TestSupport::Widen(dir.File("gone.lnk")), TestSupport::Widen(sub + "\\was.txt")));
    DeleteFileW(TestSupport::Widen(sub + "\\was.txt").c_str());
    // With nothing selected, and with the first entry selected: a drop changes neither.
    for (int selected : {-1, 0}) {
        SCOPED_TRACE(selected);
        Open("\"zero\",\"C:\\Z\"\r\n");
        Select(form, selected);
        services.prompts.clear();
        services.nameAnswers = {"one", "two", "", "four", "five", "six", "seven", "eight", "nine"};
        HDROP drop = TestSupport::MakeDrop({sub, dir.File("a.txt"), dir.File("b.lnk"), table, table + "\\", dir.File("gone\\x.txt"),
                                            dir.File("proj.lnk"), dir.File("doc.LNK"), dir.File("gone.lnk")});
        SendMessageA(form->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
        EXPECT_EQ(services.prompts, (V{sub, dir.Path, dir.Path, table, table, dir.File("gone"), sub, table, dir.Path}));
        EXPECT_EQ(Entries(), (V{"\"zero\",\"C:\\Z\"", "\"one\",\"" + sub + "\"", "\"two\",\"" + dir.Path + "\"",
                                "\"four\",\"" + table + "\"", "\"five\",\"" + table + "\"", "\"six\",\"" + dir.File("gone") + "\"",
                                "\"seven\",\"" + sub + "\"", "\"eight\",\"" + table + "\"", "\"nine\",\"" + dir.Path + "\""}));
        EXPECT_EQ(GlobalSize(drop), 0u);  // released
        EXPECT_EQ(form->MultiColComboBox1->ItemIndex(), selected);
        EXPECT_EQ(form->Delete1->Enabled, selected == 0);
        delete form;
        form = nullptr;
    }
}

// The launch takes the entry's own path from the list, not the text the combo box shows:
// in a UTF-8 or UTF-16 list that is Unicode, in a Shift-JIS list the entry's own bytes.
TEST_F(MainWindowTest, LaunchOpensTheEntrysRealPathInEveryEncoding) {
    // The folders are there: a missing one would start no explorer.
    const std::wstring base = TestSupport::Widen(dir.Path);
    const std::wstring hangul = base + L"\\\uD55C\uAD6D", table = base + L"\\\u8868";
    ASSERT_TRUE(TestSupport::MakeFolders(hangul));
    ASSERT_TRUE(TestSupport::MakeFolders(table));
    auto utf16le = [](const std::wstring& t) {
        std::string b = "\xFF\xFE";
        for (wchar_t c : t) b += std::string{static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
        return b;
    };
    const std::string baseBytes = Narrow(base).bytes;  // the temporary folder's name is ASCII
    struct Row {
        const char* name;
        std::string file;
        std::wstring params;
    } rows[] = {
        {"UTF-8", "\"k\",\"" + baseBytes + "\\\xED\x95\x9C\xEA\xB5\xAD\"\r\n", L"/n,/e,\"" + hangul + L"\""},
        {"UTF-16 LE", utf16le(L"\"k\",\"" + hangul + L"\"\r\n"), L"/n,/e,\"" + hangul + L"\""},
        {"Shift-JIS", "\"say \"\"hi\"\"\",\"" + baseBytes + "\\\x95\x5C\"\r\n", L"/n,/e,\"" + table + L"\""},
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

namespace {

// Presses a key at a control as the keyboard would deliver it, Ctrl held or not.
void KeyAt(HWND target, UINT vk, bool ctrl) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(keys);
    PostMessageA(target, WM_KEYDOWN, vk, 1);
    Application->ProcessMessages();
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
}

// The menu as shown: each item's text and whether it is greyed.
std::vector<std::pair<std::string, bool>> MenuShown(TMainForm1* f) {
    const MenuHandle menu = f->PopupMenu1->MakeMenuHandle();
    const HMENU m = menu.Get();
    std::vector<std::pair<std::string, bool>> items;
    for (int i = 0; i < GetMenuItemCount(m); ++i) {
        wchar_t text[80] = {};
        GetMenuStringW(m, static_cast<UINT>(i), text, 80, MF_BYPOSITION);
        const UINT state = GetMenuState(m, static_cast<UINT>(i), MF_BYPOSITION);
        items.emplace_back(NarrowShown(text), !(state & MF_SEPARATOR) && (state & MF_GRAYED));
    }
    return items;
}

} // namespace

// The four commands that change an entry stand below 削除, greyed as it is, and the moves
// also at the ends of the list.
TEST_F(MainWindowTest, TheEntryCommandsFollowTheSelectionInTheMenu) {
    Open("\"a\",\"C:\\A\"\r\n\"only name\"\r\n\"b\",\"C:\\B\"\r\n\"c\",\"C:\\C\"\r\n");
    struct Row {
        int select;
        bool rename, moveUp, moveDown;  // greyed
    } rows[] = {{-1, true, true, true}, {0, false, true, false}, {1, true, true, true}, {2, false, false, false},
                {3, false, false, true}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.select);
        Select(form, r.select);
        using Item = std::pair<std::string, bool>;
        EXPECT_EQ(MenuShown(form), (std::vector<Item>{{"新規登録(&N)...\tCtrl+N", false},
                                                     {"削除(&D)\tCtrl+D", r.rename},
                                                     {"名前の変更(&M)...\tF2", r.rename},
                                                     {"フォルダの変更(&F)...", r.rename},
                                                     {"上へ移動(&U)\tCtrl+↑", r.moveUp},
                                                     {"下へ移動(&O)\tCtrl+↓", r.moveDown},
                                                     {"", false},
                                                     {"インフォメーション(&I)...", false},
                                                     {"", false},
                                                     {"終了(&X)\tCtrl+Q", false}}));
    }
    // A registration makes the last entry one that can move down.
    Select(form, 3);
    form->AppendEntry(L"n", L"C:\\N");
    EXPECT_TRUE(form->MoveDown1->Enabled);
}

// F2 renames, Ctrl+Up and Ctrl+Down move, from the list and from the button; the saved
// file has the changes on their lines and every other line byte for byte.
TEST_F(MainWindowTest, EntriesAreRenamedRepointedAndMovedByTheirKeys) {
    ASSERT_TRUE(TestSupport::MakeFolders(TestSupport::Widen(dir.File("New"))));
    Open("\"a\",\"C:\\A\"\r\n b , \"C:\\B\" ,x\r\n\"c\",\"C:\\C\"\r\n");
    const HWND list = form->MultiColComboBox1->Handle(), button = form->Button4->Handle();
    Select(form, 1);
    services.nameAnswers = {"say \"hi\""};
    KeyAt(list, VK_F2, false);
    ASSERT_EQ(services.prompts, V{"C:\\B"});
    EXPECT_EQ(services.fields, std::vector<std::wstring>{L"b"});
    EXPECT_EQ(Entries()[1], " \"say \"\"hi\"\"\" , \"C:\\B\" ,x");
    EXPECT_EQ(form->MultiColComboBox1->ItemIndex(), 1);
    // Cancelled (the prompt answers empty) or OK with nothing: no change.
    services.wideNameAnswers = {L""};
    form->Rename1Click(nullptr);
    EXPECT_EQ(Entries()[1], " \"say \"\"hi\"\"\" , \"C:\\B\" ,x");
    // A new folder: opened at the entry's folder, stored without its backslash, name kept.
    services.browseAnswers = {TestSupport::Widen(dir.File("New")) + L"\\"};
    form->Repoint1Click(nullptr);
    EXPECT_EQ(services.browseStarts, std::vector<std::wstring>{L"C:\\B"});
    EXPECT_EQ(Entries()[1], " \"say \"\"hi\"\"\" , \"" + dir.File("New") + "\" ,x");
    services.browseAnswers.clear();  // cancelled
    form->Repoint1Click(nullptr);
    EXPECT_EQ(Entries()[1], " \"say \"\"hi\"\"\" , \"" + dir.File("New") + "\" ,x");
    const std::string moved = Entries()[1];
    KeyAt(list, VK_DOWN, true);
    EXPECT_EQ(Entries(), (V{"\"a\",\"C:\\A\"", "\"c\",\"C:\\C\"", moved}));
    EXPECT_EQ(form->MultiColComboBox1->ItemIndex(), 2);
    KeyAt(list, VK_DOWN, true);  // the last entry: disabled, nothing moves
    EXPECT_EQ(Entries(), (V{"\"a\",\"C:\\A\"", "\"c\",\"C:\\C\"", moved}));
    SetFocus(button);
    KeyAt(button, VK_UP, true);
    KeyAt(button, VK_UP, true);
    EXPECT_EQ(Entries(), (V{moved, "\"a\",\"C:\\A\"", "\"c\",\"C:\\C\""}));
    EXPECT_EQ(form->MultiColComboBox1->ItemIndex(), 0);
    KeyAt(button, VK_UP, true);  // the first entry
    EXPECT_EQ(Entries()[0], moved);
    EXPECT_TRUE(CloseWindow());
    EXPECT_EQ(TestSupport::ReadFileBytes(ListFile()), moved + "\r\n\"a\",\"C:\\A\"\r\n\"c\",\"C:\\C\"\r\n");
}

// A rename in the window and a line typed in an editor meanwhile both reach the file.
TEST_F(MainWindowTest, ARenameAndALineAddedInAnEditorBothReachTheFile) {
    Open("\"a\",\"C:\\A\"\r\n\"b\",\"C:\\B\"\r\n");
    Select(form, 1);
    services.nameAnswers = {"B"};
    form->Rename1Click(nullptr);
    Select(form, 0);
    form->MoveDown1Click(nullptr);
    TestSupport::WriteFileBytes(ListFile(), "\"e\",\"C:\\E\"\r\n\"a\",\"C:\\A\"\r\n\"b\",\"C:\\B\"\r\n");
    EXPECT_TRUE(CloseWindow());
    EXPECT_EQ(TestSupport::ReadFileBytes(ListFile()), "\"e\",\"C:\\E\"\r\n\"B\",\"C:\\B\"\r\n\"a\",\"C:\\A\"\r\n");
}
