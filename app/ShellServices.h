#pragma once
// What the main window asks of the shell and of the user in dialogs, behind one small
// interface: the program puts in the real thing, tests a recorder.
#include "app/portable/LaunchPath.h"

#include <windows.h>

#include <string>

class IShellServices {
public:
    virtual ~IShellServices() = default;
    // ShellExecuteW as the commands call it (directory may be null).
    virtual void Launch(HWND owner, const std::wstring& verb, const std::wstring& file, const std::wstring& params,
                        const wchar_t* directory, int show) = 0;
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
    // A question in a message box; answers IDYES, IDNO or IDCANCEL.
    virtual int Ask(HWND owner, const std::string& text, const std::string& caption, UINT flags) = 0;
};

// The real shell and dialogs.
class TShellServices : public IShellServices {
public:
    void Launch(HWND owner, const std::wstring& verb, const std::wstring& file, const std::wstring& params,
                const wchar_t* directory, int show) override;
    FolderPresence LookForFolder(const std::wstring& path) override;
    std::wstring BrowseForFolder(HWND owner, const std::wstring& startAt) override;
    std::wstring AskName(const std::string& caption, const std::wstring& prompt,
                         const std::string& defaultText, const std::wstring& fieldText) override;
    int Ask(HWND owner, const std::string& text, const std::string& caption, UINT flags) override;
};
