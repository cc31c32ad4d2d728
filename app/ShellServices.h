#pragma once
// What the main window asks of the shell and of the user in its dialogs, behind one small
// interface: the program puts in the real thing, tests a recorder. Questions in message
// boxes go through the message boxes (framework/MessageBoxes.h).
#include "app/portable/LaunchPath.h"

#include <windows.h>

#include <optional>
#include <string>

// What a command has the shell open: the verb, the program or address, its parameters,
// the folder it starts in (none: the shell's choice) and how its window shows.
struct ShellOpen {
    std::wstring verb;
    std::wstring file;
    std::wstring params;
    std::optional<std::wstring> directory;
    int show = SW_SHOWDEFAULT;
};

class IShellServices {
public:
    virtual ~IShellServices() = default;
    // Opens what the command names, with dialogs of the shell owned by `owner`.
    virtual void Launch(HWND owner, const ShellOpen& what) = 0;
    // Whether the folder is there. Called on a worker thread: a network path may take
    // tens of seconds to answer.
    virtual FolderPresence LookForFolder(const std::wstring& path) = 0;
    // The folder browser, opened at `startAt` (or the nearest folder above it that is
    // there) when it is not empty: the chosen folder's path in Unicode, or empty after a
    // cancel.
    virtual std::wstring BrowseForFolder(HWND owner, const std::wstring& startAt) = 0;
    // The naming prompt, `fieldText` in its field: the typed name with OK, the default
    // after a cancel.
    virtual std::wstring AskName(const std::string& caption, const std::wstring& prompt,
                                 const std::string& defaultText, const std::wstring& fieldText) = 0;
};

// The real shell and dialogs.
class TShellServices : public IShellServices {
public:
    void Launch(HWND owner, const ShellOpen& what) override;
    FolderPresence LookForFolder(const std::wstring& path) override;
    std::wstring BrowseForFolder(HWND owner, const std::wstring& startAt) override;
    std::wstring AskName(const std::string& caption, const std::wstring& prompt,
                         const std::string& defaultText, const std::wstring& fieldText) override;
};
