#include "framework/portable/Accelerator.h"

#include <gtest/gtest.h>

TEST(Accelerator, FoundAfterTheLastSingleAmpersand) {
    const CodePage& cp = CodePage::Cp932();
    struct { const char* caption; char accel; } rows[] = {
        {"&Open", 'O'},
        {"Op&en", 'e'},
        {"&&Open", 0},            // a doubled pair only: no accelerator
        {"A&&B&C", 'C'},
        {"&A&B", 'B'},            // a later one replaces an earlier one
        {"trailing&", 0},
        {"", 0},
        {"\x83\x26x", 0},         // 0x26 as the trail byte of a double-byte character is no "&"
        {"\x83\x26&y", 'y'},
        {"&A&\x8A\xBF", 0},      // a double-byte accelerator replaces the earlier A
        {"&\x8A\xBF&B", 'B'},
        {"ｴｸｽﾌﾟﾛｰﾗ起動(&E)", 'E'},
    };
    for (auto r : rows) EXPECT_EQ(AcceleratorOf(r.caption, cp), r.accel) << r.caption;
}

TEST(Accelerator, TypedCharactersMatchWithoutCase) {
    const CodePage& cp = CodePage::Cp932();
    EXPECT_TRUE(IsAccel('o', "&Open", cp));
    EXPECT_TRUE(IsAccel('O', "&open", cp));
    EXPECT_FALSE(IsAccel('p', "&Open", cp));
    EXPECT_FALSE(IsAccel('&', "&&Open", cp));
    EXPECT_FALSE(IsAccel(0, "Open", cp));
    EXPECT_FALSE(IsAccel('a', "&A&\x8A\xBF", cp));  // the kanji took the A's place
}
