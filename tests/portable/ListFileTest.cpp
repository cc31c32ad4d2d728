#include "app/portable/ListFile.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

TEST(ListFile, ReadsLinesByTheLineRules) {
    struct Case {
        std::string_view bytes;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"a\r\nb", {"a", "b"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\n\rb", {"a", "", "b"}}, // LF then a lone CR: two breaks
        {"a\r\r\nb", {"a", "", "b"}},
        {"\r\n", {""}},
        {"\r\n\r\n", {"", ""}},
        {"\n\n\n", {"", "", ""}},
        {"\r\r", {"", ""}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"\r\na", {"", "a"}},
        {"x", {"x"}},
        {std::string_view("a\0b\r\n\0", 6), {std::string("a\0b", 3), std::string("\0", 1)}},
        {"\x95\r\n\x95", {"\x95", "\x95"}}, // lone lead bytes
        {"\x81\x0A"
         "b",
         {"\x81", "b"}}, // no double-byte pair eats a break
        {std::string_view("\xFF\xFE\x00\x01\r", 5), {std::string("\xFF\xFE\x00\x01", 4)}},
        {"\"a\",\"C:\\x\"\r\n", {"\"a\",\"C:\\x\""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadListLines(c.bytes), c.lines);
}

TEST(ListFile, LongLinesAreReadWhole) {
    for (std::size_t len : {4094u, 4095u, 4096u, 4097u, 1u << 20}) {
        const std::string line(len, 'x');
        const std::string bytes = line + "\r\n" + "next\r\n";
        const Lines lines = ReadListLines(bytes);
        ASSERT_EQ(lines.size(), 2u) << len;
        EXPECT_EQ(lines[0], line) << len;
        EXPECT_EQ(lines[1], "next") << len;
    }
}

TEST(ListFile, WritesNonEmptyEntriesWithCrLf) {
    struct Case {
        Lines entries;
        std::string_view bytes;
    } cases[] = {
        {{}, ""},
        {{""}, ""},
        {{"a"}, "a\r\n"},
        {{"a", "", "b"}, "a\r\nb\r\n"},
        {{"", "", "c"}, "c\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WriteListLines(c.entries), c.bytes);
}

TEST(ListFile, ManyLinesRoundTrip) {
    Lines entries;
    for (int i = 0; i < 100000; ++i)
        entries.push_back("\"n" + std::to_string(i) + "\",\"C:\\d\"");
    EXPECT_EQ(ReadListLines(WriteListLines(entries)), entries);
}

TEST(ListFile, PathIsJoinedWithASlash) {
    EXPECT_EQ(ListFilePath("C:\\Tools"), "C:\\Tools/DirList.txt");
    EXPECT_EQ(ListFilePath("C:\\"), "C:\\/DirList.txt");
    EXPECT_EQ(ListFilePath(""), "/DirList.txt");
}

} // namespace
