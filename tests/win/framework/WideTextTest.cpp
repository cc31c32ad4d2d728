#include "framework/WideText.h"

#include <gtest/gtest.h>

#include <string>

// The program's Shift-JIS text and the UTF-16 of the wide calls turn into each other the
// same way whatever the system's code page is (the tests run under 932 and under 1252).
TEST(WideText, ShiftJisAndUtf16TurnIntoEachOtherThroughCodePage932Always) {
    struct Row {
        const char* name;
        std::string bytes;
        std::wstring wide;
    } rows[] = {
        {"nothing", "", L""},
        {"ASCII", "C:\\Tools", L"C:\\Tools"},
        {"trail byte 0x5C", "\x95\x5C\x83\x5C\\", L"\u8868\u30BD\\"},
        {"a path through them", "C:\\\x95\x5C\\\x83\x5C", L"C:\\\u8868\\\u30BD"},
        {"half-width katakana", "\xB4\xB8\xBD\xCC\xDF\xDB\xB0\xD7", L"\uFF74\uFF78\uFF7D\uFF8C\uFF9F\uFF9B\uFF70\uFF97"},
        {"the backslash byte stays a backslash", "\\", L"\\"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(Widen(r.bytes), r.wide);
        const NarrowText back = Narrow(r.wide);
        EXPECT_EQ(back.bytes, r.bytes);
        EXPECT_TRUE(back.exact);
    }
}

// What code page 932 has no bytes for is never exact, and never turns into a look-alike that
// names something else (the yen sign into a backslash, é into e).
TEST(WideText, WhatCodePage932CannotHoldIsNotExact) {
    struct Row {
        const char* name;
        std::wstring wide;
    } rows[] = {
        {"Hangul", L"C:\\\uD55C\uAE00"},
        {"accented letter", L"caf\u00E9"},
        {"yen sign", L"C:\\a\u00A5b"},
        {"emoji", L"\U0001F600"},
        {"NUL inside", std::wstring(L"a\0b", 3)},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const NarrowText n = Narrow(r.wide);
        EXPECT_FALSE(n.exact);
        EXPECT_EQ(n.bytes.find('\\', 3), std::string::npos);
        EXPECT_EQ(n.bytes.find('e'), std::string::npos);
    }
}
