#pragma once
// The encodings a list file may have, as Windows editors write them, and its lines in
// that encoding's own bytes. Notepad, PowerShell and VS Code write UTF-8 (with or without
// a byte-order mark) or UTF-16 with a mark; the program itself has always written
// Shift-JIS. Each line keeps the file's bytes, so a line the window does not change is
// written back exactly as it was read.
#include "framework/portable/ShiftJisText.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class ListEncoding { leShiftJis, leUtf8, leUtf8Bom, leUtf16Le, leUtf16Be };

// The encoding of a file's bytes: by its byte-order mark; else UTF-8 when the bytes are
// valid UTF-8 holding at least one multi-byte character; else Shift-JIS. Bytes that are
// plain ASCII read alike in both: they keep `plainAscii`, the encoding the window already
// has for them (UTF-8 once a save left a UTF-8 list with ASCII only).
ListEncoding DetectListEncoding(std::string_view bytes, ListEncoding plainAscii = ListEncoding::leShiftJis);

// True when the bytes are UTF-8 and hold at least one multi-byte character.
bool IsMultiByteUtf8(std::string_view bytes);

// The file's lines, each as the bytes the encoding gives it (without the mark and the line
// end). CR LF, LF and CR each end a line; a break at the very end starts no new line. A
// UTF-16 file is split at its CR and LF code units; an odd last byte stays on the last line.
std::vector<std::string> ReadListLines(std::string_view bytes, ListEncoding encoding);

// The mark, then every non-empty line followed by CR LF, in the encoding. An empty list
// gives the mark alone (none for Shift-JIS and UTF-8 without a mark).
std::string WriteListLines(const std::vector<std::string>& lines, ListEncoding encoding);

// A line's bytes as text. Bytes that are not a character of the encoding become U+FFFD
// (in Shift-JIS, what the converter makes of them); nothing is dropped.
std::wstring DecodeListLine(std::string_view line, ListEncoding encoding, const IShiftJisText& sjis);
// Text as a line's bytes; nothing when the encoding cannot hold it exactly.
std::optional<std::string> EncodeListLine(std::wstring_view text, ListEncoding encoding, const IShiftJisText& sjis);

// UTF-16 code units to UTF-8 and back. A lone surrogate is written as its own three bytes,
// so any code units come back the same; bytes that are no UTF-8 become U+FFFD.
std::string Utf8Of(std::wstring_view text);
std::wstring FromUtf8(std::string_view bytes);
