#include "app/portable/ByteLimit.h"

#include <gtest/gtest.h>

namespace {

// Bytes as code page 932 counts them: ASCII one, everything else two.
std::size_t Bytes(std::wstring_view t) {
    std::size_t n = 0;
    for (wchar_t c : t) n += c < 0x80 ? 1 : 2;
    return n;
}

} // namespace

TEST(ByteLimit, TheInsertedPartIsCutAtAWholeCharacterSoTheTextFits) {
    struct Row {
        const char* name;
        std::wstring before, after;
        std::wstring want;
        std::size_t caret;
        bool cut;
    } rows[] = {
        {"fits", L"abc", L"abcd", L"abcd", 4, false},
        {"exactly the limit", L"aaaaaaa", L"aaaaaaa\u3042", L"aaaaaaa\u3042", 8, false},
        {"a double-byte character over by one", L"aaaaaaaa", L"aaaaaaaa\u3042", L"aaaaaaaa", 8, true},
        // What the texts share at the start and at the end overlaps here: it counts once.
        {"the same letter once more at the limit", L"aaaaaaaaa", L"aaaaaaaaaa", L"aaaaaaaaa", 9, true},
        {"typed in the middle", L"\u3042\u3042\u3042\u3042a", L"\u3042\u3042x\u3042\u3042a", L"\u3042\u3042\u3042\u3042a", 2, true},
        {"a paste cut back", L"ab", L"ab\u3042\u3042\u3042\u3042\u3042", L"ab\u3042\u3042\u3042", 5, true},
        {"a paste over a selection", L"a\u3042\u3042b", L"axxxxxxxxxxb", L"axxxxxxxb", 8, true},
        {"a surrogate pair is never split", L"aaaaaaa", L"aaaaaaa\xD83D\xDE00", L"aaaaaaa", 7, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const LimitedText got = LimitToBytes(r.before, r.after, 9, Bytes);
        EXPECT_EQ(got.text, r.want);
        EXPECT_EQ(got.caret, r.caret);
        EXPECT_EQ(got.cut, r.cut);
        EXPECT_LE(Bytes(got.text), 9u);
    }
}
