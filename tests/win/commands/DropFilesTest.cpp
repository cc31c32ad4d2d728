#include "app/DropFiles.h"

#include "tests/win/common/TestSupport.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>
#include <utility>
#include <vector>

namespace {


std::string TempFolder() {
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    std::string dir = std::string(tmp) + "kv_drop_test";
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

} // namespace

TEST(DropFiles, RegistersEachItemInOrderAndReleasesTheHandleOnce) {
    const std::string dir = TempFolder();
    const std::string sub = dir + "\\sub";
    CreateDirectoryA(sub.c_str(), nullptr);
    const std::string file = dir + "\\a.txt";
    CloseHandle(CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));

    HDROP drop = TestSupport::MakeDrop({sub, file, sub + "\\", dir + "\\gone\\x.txt"});
    std::vector<std::string> asked;
    std::vector<std::pair<std::string, std::string>> appended;
    int n = RegisterDrop(
        drop,
        [&](const std::string& folder) {
            asked.push_back(folder);
            // The handle is still alive while the prompts run.
            EXPECT_NE(GlobalSize(drop), 0u);
            std::string name;
            if (asked.size() != 3) name.append(1, 'n').append(std::to_string(asked.size()));
            return name;
        },
        [&](const std::string& name, const std::string& folder) { appended.emplace_back(name, folder); },
        CodePage::Cp932());
    EXPECT_EQ(n, 3);
    EXPECT_EQ(asked, (std::vector<std::string>{sub, dir, sub, dir + "\\gone"}));
    ASSERT_EQ(appended.size(), 3u);
    EXPECT_EQ(appended[1], (std::pair<std::string, std::string>{"n2", dir}));
    EXPECT_EQ(appended[2], (std::pair<std::string, std::string>{"n4", dir + "\\gone"}));
    // DragFinish freed the block: the handle no longer names memory.
    EXPECT_EQ(GlobalSize(drop), 0u);

    DeleteFileA(file.c_str());
    RemoveDirectoryA(sub.c_str());
    RemoveDirectoryA(dir.c_str());
}

TEST(DropFiles, FolderTest) {
    char win[MAX_PATH];
    GetWindowsDirectoryA(win, MAX_PATH);
    EXPECT_TRUE(IsExistingFolder(win));
    EXPECT_TRUE(IsExistingFolder("C:"));
    EXPECT_FALSE(IsExistingFolder(std::string(win) + "\\win.ini"));
    EXPECT_FALSE(IsExistingFolder("C:\\no\\such\\folder"));
}

#include "app/ShellLaunch.h"

TEST(ShellLaunch, ExplorerIsTakenFromTheWindowsFolderNeverTheSearchPath) {
    char win[MAX_PATH];
    GetWindowsDirectoryA(win, MAX_PATH);
    const std::string exe = ShellLaunch::ExplorerExe();
    EXPECT_EQ(exe, std::string(win) + "\\EXPLORER.EXE");
    EXPECT_NE(GetFileAttributesA(exe.c_str()), INVALID_FILE_ATTRIBUTES);
}
