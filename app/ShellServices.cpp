#include "app/ShellServices.h"

#include "app/NamingPrompt.h"
#include "app/ShellLaunch.h"

#include <shellapi.h>

void TShellServices::Launch(HWND owner, const std::string& verb, const std::string& file,
                                  const std::string& params, const char* directory, int show) {
    ::ShellExecuteA(owner, verb.c_str(), file.c_str(), params.c_str(), directory, show);
}

std::wstring TShellServices::BrowseForFolder(HWND owner) { return ShellLaunch::BrowseForFolder(owner); }

std::string TShellServices::AskName(const std::string& caption, const std::string& prompt,
                                    const std::string& defaultText) {
    return NamingPrompt::Show(caption, prompt, defaultText);
}

int TShellServices::Ask(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
    return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}
