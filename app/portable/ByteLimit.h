#pragma once
// A text field limited in bytes of the program's code page rather than in characters:
// a double-byte character counts twice. Whatever a change inserted (a typed character,
// a paste, a word from the input method) is cut back at a whole character so that the
// text fits; what stood before and after it stays.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

struct LimitedText {
    std::wstring text;
    std::size_t caret = 0;  // after the part of the insertion that was kept
    bool cut = false;       // false: the change fitted and `text` is `after` unchanged
};

// The text to keep after a change took the field from `before` to `after`; `bytesOf`
// counts a text's bytes in the code page.
LimitedText LimitToBytes(std::wstring_view before, std::wstring_view after, std::size_t maxBytes,
                         const std::function<std::size_t(std::wstring_view)>& bytesOf);
