#include "app/ShellServices.h"

#include "app/NamingPrompt.h"
#include "app/ShellLaunch.h"
#include "framework/WideText.h"

#include <shellapi.h>

void TShellServices::Launch(HWND owner, const std::string& verb, const std::string& file,
                                  const std::string& params, const char* directory, int show) {
    const std::wstring folder = directory ? Widen(directory) : std::wstring();
    ::ShellExecuteW(owner, Widen(verb).c_str(), Widen(file).c_str(), Widen(params).c_str(),
                    directory ? folder.c_str() : nullptr, show);
}

std::wstring TShellServices::BrowseForFolder(HWND owner) { return ShellLaunch::BrowseForFolder(owner); }

std::string TShellServices::AskName(const std::string& caption, const std::string& prompt,
                                    const std::string& defaultText) {
    return NamingPrompt::Show(caption, prompt, defaultText);
}

int TShellServices::Ask(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
    return MessageBoxW(owner, Widen(text).c_str(), Widen(caption).c_str(), flags);
}
