#pragma once
// What the commands ask of the shell: where the explorer is, which folder the user picks in
// the folder browser, and the value of an environment variable.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace ShellQueries {

// The shell's explorer by its full path in the system's Windows folder, so that no EXPLORER.EXE
// planted beside the program or in the current folder is run instead.
std::wstring ExplorerExe();

// Shows the folder browser, opened at `startAt` or the nearest folder above it that is
// there (at its usual place when `startAt` is empty or nothing of it is); returns the
// chosen folder's full path, whole and in Unicode, or the empty string when the user
// cancels or the choice has no file-system path.
std::wstring BrowseForFolder(HWND owner, const std::wstring& startAt = {});

// The value of an environment variable of the program's own environment, or nothing
// when it is not defined.
std::optional<std::wstring> EnvironmentValue(std::wstring_view name);

} // namespace ShellQueries
