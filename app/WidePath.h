#pragma once
// Paths that the shell hands out in Unicode, turned into the program's ANSI bytes, and
// ANSI paths of any length handed back to the file system.
#include "app/portable/AnsiPath.h"

#include <optional>
#include <string>

// The ANSI path to use for a path from the shell: its exact conversion, else its short
// (8.3) path when that converts exactly, else a refusal (see ChooseAnsiPath).
AnsiPathChoice AnsiPathOf(const std::wstring& path);

// The short (8.3) form of a path, as code page 932 bytes; nothing when the volume has none.
std::optional<AnsiForm> ShortAnsiFormOf(const std::wstring& path);

// The conversions both ways through the program's code page (932, whatever the system's
// is); `exact` tells whether the bytes turn back into the very same characters.
AnsiForm ToAnsi(const std::wstring& path);
std::wstring FromAnsi(const std::string& path);

// The folder of a full path without its last backslash, but a root's (C:\) kept: the
// folder of C:\Tools\Kestrovane1.exe is C:\Tools.
std::wstring FolderOf(const std::wstring& path);

// A full path the file system's wide calls accept beyond 259 characters: the long-path
// prefix is put before a drive or network path that is that long; shorter or relative
// paths are left as they are, so they keep their ordinary meaning.
std::wstring ForFileSystem(const std::wstring& path);
