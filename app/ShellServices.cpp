#include "app/ShellServices.h"

#include "app/NamingPrompt.h"
#include "app/ShellLaunch.h"
#include "framework/WideText.h"

#include <shellapi.h>

void TShellServices::Launch(HWND owner, const std::string& verb, const std::string& file,
                            const std::wstring& params, const char* directory, int show) {
    const std::wstring folder = directory ? Widen(directory) : std::wstring();
    ::ShellExecuteW(owner, Widen(verb).c_str(), Widen(file).c_str(), params.c_str(),
                    directory ? folder.c_str() : nullptr, show);
}

std::wstring TShellServices::BrowseForFolder(HWND owner) { return ShellLaunch::BrowseForFolder(owner); }

std::wstring TShellServices::AskName(const std::string& caption, const std::wstring& prompt,
                                     const std::string& defaultText, const std::wstring& fieldText) {
    return NamingPrompt::Show(caption, prompt, defaultText, fieldText);
}

int TShellServices::Ask(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
    return MessageBoxW(owner, Widen(text).c_str(), Widen(caption).c_str(), flags);
}
