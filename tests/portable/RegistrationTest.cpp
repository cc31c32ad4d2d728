#include "app/portable/Registration.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

// A little file system: the folders that exist.
struct Disk {
    std::set<std::string> folders;
    bool operator()(const std::string& p) const { return folders.count(p) != 0; }
};

const CodePage& cp = CodePage::Cp932();

} // namespace

TEST(Registration, RegisteredFolderOfADroppedItem) {
    Disk disk{{"C:\\Data", "C:", "C:\\\x95\x5C", "D:\\Dir"}};
    struct { const char* item; const char* want; } rows[] = {
        {"C:\\Data", "C:\\Data"},                 // a folder registers itself
        {"C:\\Data\\", "C:\\Data"},               // also with its trailing backslash
        {"C:\\Data\\a.txt", "C:\\Data"},          // a file registers its folder
        {"C:\\Data\\link.lnk", "C:\\Data"},       // a shortcut: the folder holding it
        {"C:\\", "C:"},                           // a drive root
        {"C:\\boot.ini", "C:"},                   // a file in a drive root
        {"C:\\Gone\\x.txt", "C:\\Gone"},          // no longer there: its folder part
        {"C:\\Gone", "C:"},
        {"C:\\\x95\x5C", "C:\\\x95\x5C"},         // a folder ending in 表 keeps it whole
        {"C:\\\x95\x5C\\f.txt", "C:\\\x95\x5C"},
        {"D:\\Dir\\sub\\", "D:\\Dir\\sub"},       // missing folder with trailing backslash
    };
    for (auto r : rows) EXPECT_EQ(RegisteredFolderOf(r.item, disk, cp), r.want) << r.item;
}

TEST(Registration, DropAsksOncePerItemInOrderAndSkipsEmptiedNames) {
    Disk disk{{"C:\\A", "C:\\B"}};
    std::vector<std::string> items{"C:\\A", "C:\\B\\f.txt", "C:\\A\\g.txt"};
    std::vector<std::string> names{"one", "", "three"};
    std::vector<std::string> asked;
    std::vector<std::pair<std::string, std::string>> appended;
    int n = RegisterDroppedItems(
        3, [&](int i) { return items[i]; }, disk,
        [&](const std::string& folder) {
            asked.push_back(folder);
            return names[asked.size() - 1];
        },
        [&](const std::string& name, const std::string& folder) { appended.emplace_back(name, folder); },
        cp);
    EXPECT_EQ(n, 2);
    EXPECT_EQ(asked, (std::vector<std::string>{"C:\\A", "C:\\B", "C:\\A"}));
    ASSERT_EQ(appended.size(), 2u);
    EXPECT_EQ(appended[0], (std::pair<std::string, std::string>{"one", "C:\\A"}));
    EXPECT_EQ(appended[1], (std::pair<std::string, std::string>{"three", "C:\\A"}));
}

TEST(Registration, ChosenFolder) {
    struct { const char* chosen; const char* name; bool asks; const char* appendedPath; } rows[] = {
        {"", "x", false, nullptr},              // browser cancelled: no prompt
        {"C:\\", "Root", true, "C:"},           // a drive root is stored as C:
        {"C:\\Data", "", true, nullptr},        // emptied name registers nothing
        {"C:\\Data", "新規パス", true, "C:\\Data"},
    };
    for (auto r : rows) {
        bool asked = false;
        std::string path;
        bool appended = false;
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
            cp);
        EXPECT_EQ(asked, r.asks) << r.chosen;
        EXPECT_EQ(appended, r.appendedPath != nullptr) << r.chosen;
        if (r.appendedPath) {
            EXPECT_EQ(path, r.appendedPath);
        }
    }
}
