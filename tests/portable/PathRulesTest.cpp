#include "app/portable/PathRules.h"

#include <gtest/gtest.h>

namespace {

const CodePage& cp = CodePage::Cp932();

// 表 = 95 5C, ソ = 83 5C, 能 = 94 5C: each ends in the backslash byte.
#define HYO "\x95\x5C"
#define SO "\x83\x5C"
#define NOU "\x94\x5C"

TEST(PathRules, LastSeparatorSkipsTrailBytes) {
    struct Case {
        std::string_view s, set;
        std::size_t pos;
    } cases[] = {
        {"", "\\:", 0},
        {"abc", "\\:", 0},
        {"C:\\a\\b", "\\:", 5},
        {"C:", "\\:", 2},
        {"C:" HYO, "\\:", 2},
        {"C:\\" SO NOU, "\\:", 3},
        {HYO "\\", "\\:", 3},
        {"a.b.c", ".", 4},
        {"a" HYO ".x", ".\\:", 4},
        {std::string_view("a\\\0", 3), "\\", 2},
        {std::string_view("a\0", 2), std::string_view("\\\0", 2), 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LastSeparator(c.s, c.set, cp), c.pos) << c.s;
    // Without double-byte characters the trail byte is a backslash of its own.
    EXPECT_EQ(LastSeparator("C:" HYO, "\\:", CodePage::SingleByte()), 4u);
}

TEST(PathRules, FolderKeepsTheBackslashOnlyOfARoot) {
    struct Case {
        std::string_view path, folder, part, name;
    } cases[] = {
        {"C:\\Tools\\Kestrovane1.exe", "C:\\Tools", "C:\\Tools\\", "Kestrovane1.exe"},
        {"C:\\Kestrovane1.exe", "C:\\", "C:\\", "Kestrovane1.exe"},
        {"\\\\host\\share\\Kestrovane1.exe", "\\\\host\\share", "\\\\host\\share\\",
         "Kestrovane1.exe"},
        {"C:\\a\\b.txt", "C:\\a", "C:\\a\\", "b.txt"},
        {"C:x.exe", "C:", "C:", "x.exe"},
        {"x.exe", "", "", "x.exe"},
        {"\\x.exe", "\\", "\\", "x.exe"},
        {"C:\\a\\\\x", "C:\\a\\\\", "C:\\a\\\\", "x"},
        // the byte before the backslash is compared as a plain byte: 表's trail counts
        {"C:\\" HYO "\\x.exe", "C:\\" HYO "\\", "C:\\" HYO "\\", "x.exe"},
        {"C:\\a" SO, "C:\\", "C:\\", "a" SO},
        {"D:\\" NOU ".exe", "D:\\", "D:\\", NOU ".exe"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FolderOfPath(c.path, cp), c.folder) << c.path;
        EXPECT_EQ(PathPartOf(c.path, cp), c.part) << c.path;
        EXPECT_EQ(FileNameOf(c.path, cp), c.name) << c.path;
    }
}

TEST(PathRules, WithoutExtensionCutsTheLastDotOfTheName) {
    struct Case {
        std::string_view name, stem;
    } cases[] = {
        {"Kestrovane1.exe", "Kestrovane1"},
        {"a.b.exe", "a.b"},
        {"tool.new.exe", "tool.new"},
        {"noext", "noext"},
        {"", ""},
        {".exe", ""},
        {"a.", "a"},
        {"dir.d\\name", "dir.d\\name"},
        {"C:.x", "C:"},
        {HYO ".exe", HYO},
        {"a." HYO, "a"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WithoutExtension(c.name, cp), c.stem) << c.name;
}

TEST(PathRules, StripTrailingBackslashRemovesOneSingleByteBackslash) {
    struct Case {
        std::string_view path, stripped;
    } cases[] = {
        {"C:\\", "C:"},
        {"C:\\a\\\\", "C:\\a\\"},
        {"C:\\a", "C:\\a"},
        {"", ""},
        {"\\", ""},
        {"C:\\" HYO, "C:\\" HYO},
        {"C:\\" SO, "C:\\" SO},
        {"C:\\" NOU, "C:\\" NOU},
        {"C:\\" NOU "\\", "C:\\" NOU},
        {"C:\\" HYO "\\\\", "C:\\" HYO "\\"},
        {"\x95\x95\x5C", "\x95\x95"}, // 95 95 is one character, the 5C a backslash
    };
    for (const Case& c : cases)
        EXPECT_EQ(StripTrailingBackslash(c.path, cp), c.stripped) << c.path;
}

TEST(PathRules, LongPathPrefixIsDropped) {
    struct {
        std::u16string_view in, out;
    } rows[] = {
        {u"\\\\?\\C:\\A\\DIRLIST.TXT", u"C:\\A\\DIRLIST.TXT"},
        {u"\\\\?\\UNC\\HOST\\SHARE\\DIRLIST.TXT", u"\\\\HOST\\SHARE\\DIRLIST.TXT"},
        {u"C:\\A\\DIRLIST.TXT", u"C:\\A\\DIRLIST.TXT"},
        {u"\\\\HOST\\SHARE\\DIRLIST.TXT", u"\\\\HOST\\SHARE\\DIRLIST.TXT"},
        {u"\\\\?", u"\\\\?"},
    };
    for (const auto& r : rows) EXPECT_EQ(WithoutLongPathPrefix(r.in), r.out);
}

} // namespace
