#pragma once
// What every Windows test program shares: one application object, a recorder in place
// of the exception display's message box, and helpers to run the message loop.
#include "framework/Forms.h"

#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

namespace TestSupport {

struct ShownBox {
    std::string text, caption;
};
// Message boxes the exception display would have shown, oldest first.
std::vector<ShownBox>& ShownBoxes();

// Handles messages for `ms` milliseconds (timers tick meanwhile).
void Pump(int ms);
// Handles messages until `done` holds or `ms` milliseconds have passed; true if it held.
bool PumpUntil(const std::function<bool()>& done, int ms);

// Queues `act` to run on the next visible top-level window of class `cls` that this thread
// opens. A modal dialog holds the thread in its own loop, so a timer does it.
void OnNextDialog(const std::string& cls, std::function<void(HWND)> act);
// True once every queued action has run; the queue is emptied either way.
bool DialogsAnswered();

// The colour of a screen pixel of a window's client area, after it has painted.
COLORREF ClientPixel(HWND wnd, int x, int y);

// A fresh temporary folder (removed with its files by the destructor).
struct TempFolder {
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string Path;
    std::string File(const std::string& name) const { return Path + "\\" + name; }
};

// A drop handle as the shell and Wine's X drops make one: a DROPFILES block with the
// paths after it in Unicode; MakeDrop takes them in the program's code page.
HDROP MakeDrop(const std::vector<std::string>& paths);
HDROP MakeDropW(const std::vector<std::wstring>& paths);

// The program's conversion of a path to Unicode (code page 932); paths of any length.
std::wstring Widen(const std::string& ansi);
// A full path with the long-path prefix, for the wide file calls.
std::wstring Long(const std::wstring& path);
// Makes the folder and every missing folder above it.
bool MakeFolders(const std::wstring& path);
// Removes a folder with everything in it.
void RemoveTree(const std::wstring& path);
// True when both name the same existing file or folder: same volume, same file index.
bool SameFile(const std::wstring& a, const std::wstring& b);

// Makes a shell shortcut (IShellLinkW) at `lnk` that points to `target`.
bool MakeShortcut(const std::wstring& lnk, const std::wstring& target);

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);

} // namespace TestSupport
