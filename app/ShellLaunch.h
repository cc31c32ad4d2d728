#pragma once
// The shell operations of the commands, each a thin call of the platform: the explorer
// on a folder, the folder browser, and the information page in the default browser.
#include <windows.h>

#include "framework/portable/CodePage.h"

#include <string>

namespace ShellLaunch {

// The shell's explorer by its full path in the Windows folder, so that no EXPLORER.EXE
// planted beside the program or in the current folder is run instead.
std::string ExplorerExe();

// Starts the explorer with "/n,/e," and the path: a new window with the folder tree.
// The result is not examined: a failure changes nothing and reports nothing.
void OpenExplorer(HWND owner, const std::string& path);

// Shows the folder browser; returns the chosen folder's full path, or the empty string
// when the user cancels or the choice has no file-system path.
std::string BrowseForFolder(HWND owner);

// Opens the information page for the executable at exePath in the default browser.
void OpenInfoPage(HWND owner, const std::string& exePath, const CodePage& cp);

} // namespace ShellLaunch
