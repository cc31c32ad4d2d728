#include "app/portable/Registration.h"

#include <gtest/gtest.h>

#include <map>

#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

// A little file system: the folders that exist.
struct Disk {
    std::set<std::wstring> folders;
    bool operator()(const std::wstring& p) const { return folders.count(p) != 0; }
};

const CodePage& cp = CodePage::Cp932();

} // namespace

TEST(Registration, RegisteredFolderOfADroppedItem) {
    Disk disk{{L"C:\\Data", L"C:", L"C:\\\u8868", L"D:\\Dir", L"C:\\Long Folder Name"}};
    struct { const wchar_t* item; const wchar_t* want; } rows[] = {
        {L"C:\\Data", L"C:\\Data"},                 // a folder registers itself
        {L"C:\\Data\\", L"C:\\Data"},               // also with its trailing backslash
        {L"C:\\Data\\a.txt", L"C:\\Data"},          // a file registers its folder
        {L"C:\\Data\\link.lnk", L"C:\\Data"},       // a shortcut: the folder holding it
        {L"C:\\", L"C:"},                           // a drive root
        {L"C:\\boot.ini", L"C:"},                   // a file in a drive root
        {L"C:\\Gone\\x.txt", L"C:\\Gone"},          // no longer there: its folder part
        {L"C:\\Gone", L"C:"},
        {L"C:\\\u8868", L"C:\\\u8868"},             // a folder ending in 表 keeps it whole
        {L"C:\\\u8868\\f.txt", L"C:\\\u8868"},
        {L"D:\\Dir\\sub\\", L"D:\\Dir\\sub"},       // missing folder with trailing backslash
        // A file whose own name the code page cannot hold: only its folder is converted.
        {L"C:\\Long Folder Name\\\uD55C\uAD6D.txt", L"C:\\Long Folder Name"},
        {L"relative", L""},
    };
    for (auto r : rows) EXPECT_EQ(RegisteredFolderOf(r.item, disk), r.want);
}

// A dropped shortcut registers what it points to, where that is in the file system.
TEST(Registration, RegisteredFolderOfADroppedShortcut) {
    Disk disk{{L"C:\\Data", L"D:\\Work\\Project", L"C:", L"C:\\Desk\\dir.lnk"}};
    const std::map<std::wstring, std::wstring> targets = {
        {L"C:\\Desk\\Project.lnk", L"D:\\Work\\Project"}, {L"C:\\Desk\\Doc.LNK", L"D:\\Work\\Project\\a.docx"},
        {L"C:\\Desk\\root.lnk", L"C:\\"},                 {L"C:\\Desk\\dir.lnk", L"D:\\Work\\Project"},
        {L"C:\\Desk\\x.lnk.txt", L"D:\\Work\\Project"},   {L"C:\\Desk\\deep.lnk", L"C:\\Data\\sub\\"},
    };
    auto target = [&](const std::wstring& shortcut) {
        const auto it = targets.find(shortcut);
        return it == targets.end() ? std::wstring() : it->second;
    };
    struct { const wchar_t* item; const wchar_t* want; } rows[] = {
        {L"C:\\Desk\\Project.lnk", L"D:\\Work\\Project"},  // to a folder: that folder
        {L"C:\\Desk\\Doc.LNK", L"D:\\Work\\Project"},      // to a file: the file's folder
        {L"C:\\Desk\\root.lnk", L"C:"},                    // to a drive root, stored as C:
        {L"C:\\Desk\\deep.lnk", L"C:\\Data\\sub"},
        {L"C:\\Desk\\web.lnk", L"C:\\Desk"},               // a web address, the Control Panel, gone
        {L"C:\\Desk\\dir.lnk", L"C:\\Desk\\dir.lnk"},      // a folder so named is a folder
        {L"C:\\Desk\\x.lnk.txt", L"C:\\Desk"},             // not a shortcut by its name
        {L"C:\\Data\\a.txt", L"C:\\Data"},
        {L"C:\\Data", L"C:\\Data"},
    };
    for (auto r : rows) EXPECT_EQ(RegisteredFolderOf(r.item, disk, target), r.want);
}

TEST(Registration, DropAsksOncePerItemInOrderSkipsEmptiedNamesAndGoesOnPastRefusedItems) {
    const AnsiPathChoice refused{true, {}, "no"};
    std::vector<AnsiPathChoice> folders{{false, "C:\\A", {}}, refused, {false, "C:\\B", {}},
                                        {true, {}, "no either"}, {false, "C:\\A", {}}};
    std::vector<std::string> names{"one", "", "three"};
    std::vector<std::string> asked, refusals, events;
    std::vector<std::pair<std::string, std::string>> appended;
    int n = RegisterDroppedItems(
        5, [&](int i) { events.push_back("read " + std::to_string(i)); return folders[i]; },
        [&](const std::string& folder) {
            asked.push_back(folder);
            return names[asked.size() - 1];
        },
        [&](const std::string& name, const std::string& folder) { appended.emplace_back(name, folder); },
        [&](const std::string& message) { refusals.push_back(message); events.push_back("refused"); });
    EXPECT_EQ(n, 2);
    EXPECT_EQ(asked, (std::vector<std::string>{"C:\\A", "C:\\B", "C:\\A"}));
    EXPECT_EQ(refusals, (std::vector<std::string>{"no", "no either"}));
    // Each refusal is told when its item comes, not gathered up at the end.
    EXPECT_EQ(events, (std::vector<std::string>{"read 0", "read 1", "refused", "read 2", "read 3", "refused", "read 4"}));
    ASSERT_EQ(appended.size(), 2u);
    EXPECT_EQ(appended[0], (std::pair<std::string, std::string>{"one", "C:\\A"}));
    EXPECT_EQ(appended[1], (std::pair<std::string, std::string>{"three", "C:\\A"}));
}

TEST(Registration, ChosenFolder) {
    struct { AnsiPathChoice chosen; const char* name; bool asks; const char* appendedPath; bool refused; } rows[] = {
        {{false, "", {}}, "x", false, nullptr, false},              // browser cancelled: no prompt
        {{false, "C:\\", {}}, "Root", true, "C:", false},          // a drive root is stored as C:
        {{false, "C:\\Data", {}}, "", true, nullptr, false},       // emptied name registers nothing
        {{false, "C:\\Data", {}}, "新規パス", true, "C:\\Data", false},
        {{true, {}, "msg"}, "x", false, nullptr, true},             // refused: told, nothing asked
    };
    for (auto r : rows) {
        bool asked = false;
        std::string path;
        bool appended = false;
        std::vector<std::string> refusals;
        RegisterChosenFolder(
            r.chosen,
            [&](const std::string& f) {
                asked = true;
                path = f;
                return std::string(r.name);
            },
            [&](const std::string& name, const std::string& folder) {
                appended = true;
                EXPECT_EQ(name, r.name);
                EXPECT_EQ(folder, path);
            },
            [&](const std::string& m) { refusals.push_back(m); }, cp);
        EXPECT_EQ(asked, r.asks) << r.chosen.path;
        EXPECT_EQ(appended, r.appendedPath != nullptr) << r.chosen.path;
        EXPECT_EQ(refusals, r.refused ? std::vector<std::string>{"msg"} : std::vector<std::string>{});
        if (r.appendedPath) {
            EXPECT_EQ(path, r.appendedPath);
        }
    }
}

TEST(AnsiPath, ExactThenShortThenRefused) {
    const std::string longPath = "C:\\" + std::string(400, 'x');
    struct Row {
        const char* name;
        const char* full;
        bool fullExact;
        const char* shortForm;  // nullptr: the volume has none
        bool shortExact;
        bool wantsShort;        // whether the short form should be asked for at all
        const char* want;       // the path chosen; nullptr: refused
    } rows[] = {
        {"exact", "C:\\Data", true, "C:\\DATA~1", true, false, "C:\\Data"},
        {"exact and long: never cut", longPath.c_str(), true, nullptr, false, false, longPath.c_str()},
        {"exact with a 0x5C trail byte", "C:\\\x95\x5C", true, nullptr, false, false, "C:\\\x95\x5C"},
        {"empty (nothing chosen)", "", true, nullptr, false, false, ""},
        {"inexact, short form exact", "C:\\?", false, "C:\\ABCD~1", true, true, "C:\\ABCD~1"},
        {"inexact, no short form", "C:\\?\\x", false, nullptr, false, true, nullptr},
        {"inexact, short form inexact too", "C:\\?", false, "C:\\?", false, true, nullptr},
        {"inexact, short form empty", "C:\\?", false, "", true, true, nullptr},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        bool asked = false;
        const AnsiPathChoice got = ChooseAnsiPath({r.full, r.fullExact}, [&]() -> std::optional<AnsiForm> {
            asked = true;
            if (!r.shortForm) return std::nullopt;
            return AnsiForm{r.shortForm, r.shortExact};
        });
        EXPECT_EQ(asked, r.wantsShort);
        EXPECT_EQ(got.refused, r.want == nullptr);
        EXPECT_EQ(got.path, r.want ? r.want : "");
        // A refusal names the path as far as it converts.
        EXPECT_EQ(got.message, r.want ? "" : UnnameablePathMessage(r.full));
    }
    EXPECT_NE(UnnameablePathMessage("C:\\a?b").find("C:\\a?b"), std::string::npos);
}
