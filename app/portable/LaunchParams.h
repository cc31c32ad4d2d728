#pragma once
// What the shell is given: the explorer's parameters and the information page address.
#include "framework/portable/CodePage.h"

#include <string>
#include <string_view>

// A new explorer window with the folder tree, opened on `path` (never cut). The explorer
// splits its command line at commas and equals signs, so a path goes in double quotes,
// which keep such a path in one field; nothing selected gives the bare "/n,/e,".
std::wstring ExplorerParameters(std::wstring_view path);

inline constexpr std::string_view InfoPageBase = "http://www.example.com/info.php?pf=w&sn=";

// InfoPageBase + the executable's file name without extension, raw bytes.
std::string InfoPageAddress(std::string_view exePath, const CodePage& cp);
