#include "app/ShellServices.h"

#include "app/NamingPrompt.h"
#include "app/ShellQueries.h"
#include "app/WidePath.h"
#include "framework/WideText.h"

#include <shellapi.h>

void TShellServices::Launch(HWND owner, const ShellOpen& what) {
    ::ShellExecuteW(owner, what.verb.c_str(), what.file.c_str(), what.params.c_str(),
                    what.directory ? what.directory->c_str() : nullptr, what.show);
}

FolderPresence TShellServices::LookForFolder(const std::wstring& path) {
    const DWORD attr = GetFileAttributesW(ForFileSystem(path).c_str());
    const DWORD error = attr == INVALID_FILE_ATTRIBUTES ? GetLastError() : 0;
    return FolderPresenceOf(attr != INVALID_FILE_ATTRIBUTES, (attr & FILE_ATTRIBUTE_DIRECTORY) != 0, error,
                            {ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_INVALID_NAME, ERROR_INVALID_DRIVE,
                             ERROR_NOT_READY, ERROR_BAD_PATHNAME});
}

std::wstring TShellServices::BrowseForFolder(HWND owner, const std::wstring& startAt) {
    return ShellQueries::BrowseForFolder(owner, startAt);
}

std::wstring TShellServices::AskName(const std::string& caption, const std::wstring& prompt,
                                     const std::string& defaultText, const std::wstring& fieldText) {
    return NamingPrompt::Show(caption, prompt, defaultText, fieldText);
}
