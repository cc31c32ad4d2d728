#include "framework/portable/ErrorText.h"

#include <gtest/gtest.h>

namespace {

TEST(ErrorText, AppendsAFullStopAfterLettersDigitsAndDoubleByteCharacters) {
    struct Case {
        std::string_view message, text;
    } cases[] = {
        {"", ""},
        {"Cannot open file", "Cannot open file."},
        {"error 2", "error 2."},
        {"done.", "done."},
        {"stop!", "stop!"},
        {"(x)", "(x)"},
        {"trailing ", "trailing "},
        {"a-", "a-"},
        {"a/", "a/."},                    // 0x2F is above the full stop
        {"\x81\x42", "\x81\x42."},        // 。 ideographic full stop, trail byte 0x42
        {"\x83\x5C", "\x83\x5C."},        // ソ
        {"a\x81\x21", "a\x81\x21."},      // a double-byte character whose trail byte is 0x21
        {"\x81\x81\x21", "\x81\x81\x21"}, // 81 81 is one character, then "!"
        {"\xB1", "\xB1."},                // single-byte katakana
    };
    for (const Case& c : cases)
        EXPECT_EQ(ErrorDisplayText(c.message, CodePage::Cp932()), c.text) << c.message;
    // A single-byte code page sees "!" as its own character.
    EXPECT_EQ(ErrorDisplayText("a\x81\x21", CodePage::SingleByte()), "a\x81\x21");
}

} // namespace
