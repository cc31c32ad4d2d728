#pragma once
// Byte-string path operations on backslash, colon and dot. A trail byte of a double-byte
// character (0x5C in 表, ソ, 能) is never taken for a separator. Paths the file system hands
// out in UTF-16 may carry its long-path prefix.
#include "framework/portable/CodePage.h"

#include <cstddef>
#include <string>
#include <string_view>

// 1-based position of the last byte of s that is in `separators`, is not NUL and is not a
// trail byte; 0 when there is none.
std::size_t LastSeparator(std::string_view s, std::string_view separators, const CodePage& cp);

// The folder of a path; keeps the final backslash only where it belongs to a root
// (C:\Tools\x.exe -> C:\Tools, C:\x.exe -> C:\).
std::string FolderOfPath(std::string_view path, const CodePage& cp);
// Everything up to and including the last backslash or colon.
std::string PathPartOf(std::string_view path, const CodePage& cp);
// Everything after the last backslash or colon.
std::string FileNameOf(std::string_view path, const CodePage& cp);
// The name without its last extension (a.b.exe -> a.b).
std::string WithoutExtension(std::string_view name, const CodePage& cp);
// Removes one final single-byte backslash (C:\ -> C:).
std::string StripTrailingBackslash(std::string_view path, const CodePage& cp);

// The path without a long-path prefix ("\\?\C:\..." is "C:\...", "\\?\UNC\host\..." is
// "\\host\...").
std::u16string WithoutLongPathPrefix(std::u16string_view path);
