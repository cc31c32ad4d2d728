#pragma once
// The program's text is bytes of code page 932 (Shift-JIS) whatever the system's ANSI
// code page is. This is the one place where that text turns into the UTF-16 that the
// wide Win32 functions take, and back; every call that hands text to Windows or takes
// text from it goes through these two, never through the system's code page.
#include "framework/portable/ShiftJisText.h"

#include <string>
#include <string_view>

// The program's code page, always: Shift-JIS.
inline constexpr unsigned ProgramCodePage = 932;

// Shift-JIS bytes as UTF-16. A byte that is no Shift-JIS character becomes U+30FB or
// the platform's replacement character; nothing is dropped.
std::wstring Widen(std::string_view text);

// UTF-16 as Shift-JIS bytes, with whether they are exact: `exact` is true only when the
// bytes turn back into the very same characters (no best-fit look-alike, no default
// character, no embedded NUL).
struct NarrowText {
    std::string bytes;
    bool exact = false;
};
NarrowText Narrow(std::wstring_view text);

// Narrow(text).bytes, for text whose loss can only be cosmetic (a window's caption read
// back, a message); never for a path that will be opened or stored.
inline std::string NarrowShown(std::wstring_view text) { return Narrow(text).bytes; }

// Widen and Narrow for portable code that takes its Shift-JIS conversions as a parameter.
const IShiftJisText& SystemShiftJis();
