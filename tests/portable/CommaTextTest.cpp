#include "controls/portable/CommaText.h"

#include <gtest/gtest.h>

namespace {

using Fields = std::vector<std::string>;

Fields Split(std::string_view text, const CodePage& cp = CodePage::Cp932()) {
    Fields f{"left over"};
    SplitCommaText(text, f, cp);
    return f;
}

TEST(CommaText, SplitsByTheDialectRules) {
    struct Case {
        std::string_view text;
        Fields fields;
    } cases[] = {
        {R"("a b","C:\x")", {"a b", "C:\\x"}},
        {"a b,c", {"a", "b", "c"}},
        {"", {}},
        {"   ", {}},
        {",", {"", ""}},
        {"a,", {"a", ""}},
        {"a, ", {"a"}},
        {"a,,b", {"a", "", "b"}},
        {"a , , b", {"a", "", "b"}},
        {",a", {"", "a"}},
        {R"("")", {""}},
        {R"("","")", {"", ""}},
        {R"(" a ")", {" a "}},
        {R"("a""b")", {"a\"b"}},
        {R"("""")", {"\""}},
        {R"("a"b,c)", {"a", "b", "c"}},
        {R"("a" "b")", {"a", "b"}},
        {R"(a"b,c)", {"a\"b", "c"}},
        {" x , y ", {"x", "y"}},
        {"a\tb", {"a", "b"}},
        {R"("a" , "b" ,)", {"a", "b", ""}},
        {R"("abc)", {"abc"}},
        {R"("a""b)", {"a\"b"}},
        {R"(""")", {"\""}},
        // entries as the list holds them
        {R"("name","path")", {"name", "path"}},
        {R"("name")", {"name"}},
        {R"("name",)", {"name", ""}},
        {R"(C:\Program Files\x)", {"C:\\Program", "Files\\x"}},
        {R"("n","C:\Program Files\x")", {"n", "C:\\Program Files\\x"}},
        // control characters and DEL
        {"a\x01"
         "b\x1F"
         "c",
         {"a", "b", "c"}},
        {"a\x7F"
         "b",
         {"a\x7F"
          "b"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Split(c.text), c.fields) << "[" << c.text << "]";
}

TEST(CommaText, TextEndsAtTheFirstNul) {
    struct Case {
        std::string_view text;
        Fields fields;
    } cases[] = {
        {std::string_view("a\0,b", 4), {"a"}},
        {std::string_view("a,\0b", 4), {"a", ""}},
        {std::string_view("\"ab\0\"c", 6), {"ab"}},
        {std::string_view("\0a", 2), {}},
        // a lead byte right before the NUL does not swallow it
        {std::string_view("\x95\0,b", 4), {"\x95"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Split(c.text), c.fields);
}

TEST(CommaText, DoubleByteNamesSplitLikeSingleByteOnes) {
    // 表 = 95 5C, ソ = 83 5C, 能 = 94 5C; the trail bytes 0x5C are plain text. Lead
    // bytes with trail 0x22 / 0x2C / 0x20 cannot occur in CP932, so a made-up code page
    // that treats 'A' as a lead byte shows the character stepping.
    struct Case {
        std::string_view text;
        Fields fields;
    } cases[] = {
        {"\"\x95\x5C\x83\x5C\",\"C:\\\x94\x5C\"", {"\x95\x5C\x83\x5C", "C:\\\x94\x5C"}},
        {"\x95\x5C\x83\x5C,C:\\\x94\x5C", {"\x95\x5C\x83\x5C", "C:\\\x94\x5C"}},
        {"\xB1\xB2 \xB3", {"\xB1\xB2", "\xB3"}}, // single-byte katakana
    };
    for (const Case& c : cases)
        EXPECT_EQ(Split(c.text), c.fields);

    std::array<bool, 256> lead{};
    lead['A'] = true;
    const CodePage cpA(lead);
    struct Stepped {
        std::string_view text;
        Fields fields;
    } stepped[] = {
        {"xA,y", {"xA,y"}},        // the comma is A's trail byte
        {"xA y,z", {"xA y", "z"}}, // so is the blank
        {"\"A\"", {"A\""}},        // and the quote: no closing quote found
        {"\"A\"\"", {"A\""}},
        {"\"A\"x\",y", {"A\"x", "y"}},
        {"xA", {"xA"}}, // lone lead byte at the end
    };
    for (const Stepped& c : stepped)
        EXPECT_EQ(Split(c.text, cpA), c.fields) << c.text;
    EXPECT_EQ(Split("xA,y", CodePage::SingleByte()), (Fields{"xA", "y"}));
}

} // namespace
