#include "app/DropFiles.h"

#include "app/WidePath.h"
#include "app/portable/FolderList.h"
#include "framework/WideText.h"

#include "tests/win/common/TestSupport.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// Where a Shift-JIS list stores a dropped folder: exact, else by its short path, else refused.
StoredPathChoice StoredInShiftJisList(const std::wstring& folder) {
    static const FolderList list(SystemShiftJis());
    return list.PathToStore(folder, [&] { return ShortAnsiFormOf(folder); });
}

} // namespace

TEST(DropFiles, RegistersEachItemInOrderAndReleasesTheHandleOnce) {
    const TestSupport::TempFolder tmp;
    const std::string& dir = tmp.Path;
    const std::string sub = dir + "\\sub";
    CreateDirectoryA(sub.c_str(), nullptr);
    const std::string file = dir + "\\a.txt";
    CloseHandle(CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));

    HDROP drop = TestSupport::MakeDrop({sub, file, sub + "\\", dir + "\\gone\\x.txt"});
    std::vector<std::string> asked;
    std::vector<std::pair<std::string, std::string>> appended;
    int n = RegisterDrop(
        drop, StoredInShiftJisList,
        [&](const std::wstring& folder) {
            asked.push_back(NarrowShown(folder));
            // The handle is still alive while the prompts run.
            EXPECT_NE(GlobalSize(drop), 0u);
            std::string name;
            if (asked.size() != 3) name.append(1, 'n').append(std::to_string(asked.size()));
            return Widen(name);
        },
        [&](const std::wstring& name, const std::wstring& folder) {
            appended.emplace_back(NarrowShown(name), NarrowShown(folder));
        },
        [](const std::string& message) { ADD_FAILURE() << message; });
    EXPECT_EQ(n, 3);
    EXPECT_EQ(asked, (std::vector<std::string>{sub, dir, sub, dir + "\\gone"}));
    ASSERT_EQ(appended.size(), 3u);
    EXPECT_EQ(appended[1], (std::pair<std::string, std::string>{"n2", dir}));
    EXPECT_EQ(appended[2], (std::pair<std::string, std::string>{"n4", dir + "\\gone"}));
    // DragFinish freed the block: the handle no longer names memory.
    EXPECT_EQ(GlobalSize(drop), 0u);
}

// Folders whose names code page 932 has no bytes for, and one nested deeper than 259
// bytes, dropped as the shell drops them (in Unicode). Each item either registers the
// very folder it names (resolved back from the stored bytes) or is refused with the
// message; the drop goes on past a refused item and releases the handle once. Wine gives
// such folders 8.3 names (the Hangul one becomes ___~~KWB), so they register by those.
// Only the folder that will be stored is converted: a file whose own name the code page
// cannot hold registers its folder by the folder's own name when that converts.
TEST(DropFiles, UnicodeAndLongPathsRegisterTheVeryFolderOrAreRefused) {
    TestSupport::TempFolder tmp;
    const std::wstring base = TestSupport::Widen(tmp.Path);
    std::wstring deep = base + L"\\deep";
    while (deep.size() < 300) deep += L"\\folder_with_a_long_name";
    struct Row {
        const char* name;
        std::wstring folder;  // made on disk unless `gone`
        bool gone;
        const char* expect;   // "exact", "short" or "refused"
        bool file = false;    // a file: its folder is made and registered
    } rows[] = {
        {"Hangul", base + L"\\\uD55C\uAD6D\uC5B4", false, "short"},
        {"emoji", base + L"\\pics \U0001F600", false, "short"},
        {"accented letter", base + L"\\caf\u00E9", false, "short"},
        {"0x5C trail byte", base + L"\\\u8868\u30BD", false, "exact"},
        {"longer than 259 bytes", deep, false, "exact"},
        {"Hangul, no longer there", base + L"\\\uD55C gone\\x.txt", true, "refused"},
        {"Hangul file, no longer there", base + L"\\\uD55C.txt", true, "exact", true},
        {"Hangul file in a long name", base + L"\\Long Folder Name\\\uD55C\uAD6D.txt", false, "exact", true},
    };
    std::vector<std::wstring> items;
    for (const Row& r : rows) {
        const std::wstring folder = r.file ? r.folder.substr(0, r.folder.rfind(L'\\')) : r.folder;
        if (!r.gone) {
            ASSERT_TRUE(TestSupport::MakeFolders(folder)) << r.name;
            if (r.file) CloseHandle(CreateFileW(r.folder.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        }
        items.push_back(r.folder);
    }
    // A file inside the emoji folder, too: it registers its folder.
    const std::wstring file = rows[1].folder + L"\\a.txt";
    CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    items.push_back(file);

    HDROP drop = TestSupport::MakeDropW(items);
    std::vector<std::string> asked, refusals;
    std::vector<std::pair<std::string, std::string>> appended;
    RegisterDrop(
        drop, StoredInShiftJisList,
        [&](const std::wstring& folder) { asked.push_back(NarrowShown(folder)); return std::wstring(L"n"); },
        [&](const std::wstring&, const std::wstring& folder) {
            appended.emplace_back(std::to_string(asked.size() + refusals.size() - 1), NarrowShown(folder));
        },
        [&](const std::string& message) { refusals.push_back(message); });
    EXPECT_EQ(GlobalSize(drop), 0u);

    size_t a = 0, refused = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        const std::string kind = i < std::size(rows) ? rows[i].expect : "short";
        std::wstring folder = i < std::size(rows) ? rows[i].folder : rows[1].folder;
        if (i < std::size(rows) && rows[i].file) folder = folder.substr(0, folder.rfind(L'\\'));
        SCOPED_TRACE(i < std::size(rows) ? rows[i].name : "file in the emoji folder");
        if (kind == "refused") {
            ASSERT_LT(refused, refusals.size());
            EXPECT_NE(refusals[refused].find("\x93\x6F\x98\x5E\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1"),
                      std::string::npos) << refusals[refused];  // 登録できません
            ++refused;
            continue;
        }
        ASSERT_LT(a, appended.size());
        const std::string& stored = appended[a++].second;
        EXPECT_TRUE(TestSupport::SameFile(TestSupport::Widen(stored), folder)) << stored;
        if (kind == "exact") {
            EXPECT_EQ(TestSupport::Widen(stored), folder);
        } else {
            EXPECT_NE(stored.find('~'), std::string::npos) << stored;
        }
    }
    EXPECT_EQ(a, appended.size());
    EXPECT_EQ(refused, refusals.size());
}

TEST(DropFiles, FolderTest) {
    wchar_t win[MAX_PATH];
    GetWindowsDirectoryW(win, MAX_PATH);
    EXPECT_TRUE(IsExistingFolder(win));
    EXPECT_TRUE(IsExistingFolder(L"C:"));
    EXPECT_FALSE(IsExistingFolder(std::wstring(win) + L"\\win.ini"));
    EXPECT_FALSE(IsExistingFolder(L"C:\\no\\such\\folder"));
    // Deeper than 259 bytes: still the folder itself, not the one above it.
    TestSupport::TempFolder tmp;
    std::string deep = tmp.Path;
    while (deep.size() < 400) deep += "\\\x95\x5C_long_folder_name";
    ASSERT_TRUE(TestSupport::MakeFolders(TestSupport::Widen(deep)));
    EXPECT_TRUE(IsExistingFolder(TestSupport::Widen(deep)));
    EXPECT_TRUE(IsExistingFolder(TestSupport::Widen(deep + "\\")));
    EXPECT_FALSE(IsExistingFolder(TestSupport::Widen(deep + "\\gone")));
}

#include "app/ShellQueries.h"

TEST(ShellQueries, ExplorerIsTakenFromTheWindowsFolderNeverTheSearchPath) {
    wchar_t win[MAX_PATH];
    GetWindowsDirectoryW(win, MAX_PATH);
    const std::wstring exe = ShellQueries::ExplorerExe();
    EXPECT_EQ(exe, std::wstring(win) + L"\\EXPLORER.EXE");
    EXPECT_NE(GetFileAttributesW(exe.c_str()), INVALID_FILE_ATTRIBUTES);
}
