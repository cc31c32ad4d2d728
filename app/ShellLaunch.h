#pragma once
// The shell pieces of the commands: where the explorer is, and the folder browser.
#include <windows.h>

#include <string>

namespace ShellLaunch {

// The shell's explorer by its full path in the system's Windows folder, so that no EXPLORER.EXE
// planted beside the program or in the current folder is run instead.
std::string ExplorerExe();

// Shows the folder browser; returns the chosen folder's full path, whole and in Unicode,
// or the empty string when the user cancels or the choice has no file-system path.
std::wstring BrowseForFolder(HWND owner);

} // namespace ShellLaunch
