#pragma once
// What the main window asks of the shell and of the user in dialogs, behind one small
// interface: the program puts in the real thing, tests a recorder.
#include <windows.h>

#include <string>

class IShellServices {
public:
    virtual ~IShellServices() = default;
    // ShellExecuteW as the commands call it, the texts in the program's code page but the
    // parameters, which may name a folder code page 932 cannot hold (directory may be null).
    virtual void Launch(HWND owner, const std::string& verb, const std::string& file,
                        const std::wstring& params, const char* directory, int show) = 0;
    // The folder browser: the chosen folder's path in Unicode, or empty after a cancel.
    virtual std::wstring BrowseForFolder(HWND owner) = 0;
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
    void Launch(HWND owner, const std::string& verb, const std::string& file,
                const std::wstring& params, const char* directory, int show) override;
    std::wstring BrowseForFolder(HWND owner) override;
    std::wstring AskName(const std::string& caption, const std::wstring& prompt,
                         const std::string& defaultText, const std::wstring& fieldText) override;
    int Ask(HWND owner, const std::string& text, const std::string& caption, UINT flags) override;
};
