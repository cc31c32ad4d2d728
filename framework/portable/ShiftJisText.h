#pragma once
// Conversions between Shift-JIS (code page 932) bytes and UTF-16 text, taken in as a
// parameter: portable code cannot ask the platform, so the program hands in the
// system's converter and native tests one of their own.
#include <string>
#include <string_view>

class IShiftJisText {
public:
    virtual ~IShiftJisText() = default;

    // Shift-JIS bytes as UTF-16 (one code unit per wchar_t). A byte that is no Shift-JIS
    // character becomes some stand-in character; nothing is dropped.
    virtual std::wstring Decode(std::string_view bytes) const = 0;

    // UTF-16 as Shift-JIS bytes (characters it has no code for replaced), and whether
    // they turn back into the very same text.
    struct Encoded {
        std::string bytes;
        bool exact = false;
    };
    virtual Encoded Encode(std::wstring_view text) const = 0;
};
