#include "app/portable/Registration.h"

#include <gtest/gtest.h>

#include <map>

#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

// A little file system: the folders that exist. As GetFileAttributesW answers, a
// trailing backslash still names a folder (C:\Data\ and C:\ are folders), while a file,
// or nothing at all, with one is no folder.
struct Disk {
    std::set<std::wstring> folders;
    bool operator()(std::wstring p) const {
        if (!p.empty() && p.back() == L'\\') p.pop_back();
        return folders.count(p) != 0;
    }
};

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
    const StoredPathChoice refused{true, {}, "no"};
    std::vector<StoredPathChoice> folders{{false, L"C:\\A", {}}, refused, {false, L"C:\\B", {}},
                                          {true, {}, "no either"}, {false, L"C:\\\uD55C", {}}};
    std::vector<std::wstring> names{L"one", L"", L"\uD55C"};
    std::vector<std::wstring> asked;
    std::vector<std::string> refusals, events;
    std::vector<std::pair<std::wstring, std::wstring>> appended;
    int n = RegisterDroppedItems(
        5, [&](int i) { events.push_back("read " + std::to_string(i)); return folders[i]; },
        [&](const std::wstring& folder) {
            asked.push_back(folder);
            return names[asked.size() - 1];
        },
        [&](const std::wstring& name, const std::wstring& folder) { appended.emplace_back(name, folder); },
        [&](const std::string& message) { refusals.push_back(message); events.push_back("refused"); });
    EXPECT_EQ(n, 2);
    EXPECT_EQ(asked, (std::vector<std::wstring>{L"C:\\A", L"C:\\B", L"C:\\\uD55C"}));
    EXPECT_EQ(refusals, (std::vector<std::string>{"no", "no either"}));
    // Each refusal is told when its item comes, not gathered up at the end.
    EXPECT_EQ(events, (std::vector<std::string>{"read 0", "read 1", "refused", "read 2", "read 3", "refused", "read 4"}));
    ASSERT_EQ(appended.size(), 2u);
    EXPECT_EQ(appended[0], (std::pair<std::wstring, std::wstring>{L"one", L"C:\\A"}));
    EXPECT_EQ(appended[1], (std::pair<std::wstring, std::wstring>{L"\uD55C", L"C:\\\uD55C"}));
}

TEST(Registration, ChosenFolder) {
    struct { StoredPathChoice chosen; const wchar_t* name; bool asks; const wchar_t* appendedPath; bool refused; } rows[] = {
        {{false, L"", {}}, L"x", false, nullptr, false},               // browser cancelled: no prompt
        {{false, L"C:\\", {}}, L"Root", true, L"C:", false},          // a drive root is stored as C:
        {{false, L"C:\\Data", {}}, L"", true, nullptr, false},        // emptied name registers nothing
        {{false, L"C:\\Data", {}}, L"\u65B0\u898F\u30D1\u30B9", true, L"C:\\Data", false},
        {{false, L"C:\\\u8868\\", {}}, L"t", true, L"C:\\\u8868", false},  // 表 stays whole
        {{true, {}, "msg"}, L"x", false, nullptr, true},               // refused: told, nothing asked
    };
    int row = 0;
    for (auto r : rows) {
        SCOPED_TRACE(row++);
        bool asked = false;
        std::wstring path;
        bool appended = false;
        std::vector<std::string> refusals;
        RegisterChosenFolder(
            r.chosen,
            [&](const std::wstring& f) {
                asked = true;
                path = f;
                return std::wstring(r.name);
            },
            [&](const std::wstring& name, const std::wstring& folder) {
                appended = true;
                EXPECT_EQ(name, r.name);
                EXPECT_EQ(folder, path);
            },
            [&](const std::string& m) { refusals.push_back(m); });
        EXPECT_EQ(asked, r.asks);
        EXPECT_EQ(appended, r.appendedPath != nullptr);
        EXPECT_EQ(refusals, r.refused ? std::vector<std::string>{"msg"} : std::vector<std::string>{});
        if (r.appendedPath) {
            EXPECT_EQ(path, r.appendedPath);
        }
    }
}

// A name the list cannot store is told and asked for again with what was typed in the
// field; a cancel then gives the default, which the list can store.
TEST(Registration, AStorableNameIsAskedForUntilGiven) {
    struct Row {
        const char* name;
        std::vector<std::wstring> answers;
        std::wstring result;
        std::vector<std::wstring> fields;  // the field's text at each prompt
        int refusals;
    } rows[] = {
        {"stored at once", {L"Tools"}, L"Tools", {L"D"}, 0},
        {"emptied", {L""}, L"", {L"D"}, 0},
        {"refused, then changed", {L"Caf\u00E9", L"Cafe"}, L"Cafe", {L"D", L"Caf\u00E9"}, 1},
        {"refused twice, then cancelled", {L"Caf\u00E9", L"Caf\u00E9!", L"D"}, L"D", {L"D", L"Caf\u00E9", L"Caf\u00E9!"}, 2},
        {"refused, then emptied", {L"\uD55C", L""}, L"", {L"D", L"\uD55C"}, 1},
    };
    for (const Row& r : rows) {
        std::vector<std::wstring> fields;
        std::vector<std::string> told;
        const std::wstring got = AskStorableName(
            [&](const std::wstring& field) {
                fields.push_back(field);
                return r.answers.at(fields.size() - 1);
            },
            L"D",
            [](std::wstring_view n) -> std::optional<std::string> {
                for (wchar_t c : n)
                    if (c > 0x7F) return std::string("no");
                return std::nullopt;
            },
            [&](const std::string& m) { told.push_back(m); });
        EXPECT_EQ(got, r.result) << r.name;
        EXPECT_EQ(fields, r.fields) << r.name;
        EXPECT_EQ(static_cast<int>(told.size()), r.refusals) << r.name;
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
