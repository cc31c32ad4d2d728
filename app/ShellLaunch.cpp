#include "app/ShellLaunch.h"

#include "app/portable/LaunchParams.h"
#include "framework/portable/CodePage.h"

#include <shellapi.h>
#include <shlobj.h>

namespace ShellLaunch {

std::string ExplorerExe() {
    char dir[MAX_PATH + 1] = {};
    UINT n = GetWindowsDirectoryA(dir, sizeof dir);
    if (n == 0 || n >= sizeof dir) return "EXPLORER.EXE";
    std::string path(dir, n);
    if (path.back() != '\\') path += '\\';
    return path + "EXPLORER.EXE";
}

void OpenExplorer(HWND owner, const std::string& path) {
    const std::string params = ExplorerParameters(path);
    ShellExecuteA(owner, "open", ExplorerExe().c_str(), params.c_str(), nullptr, SW_SHOWDEFAULT);
}

std::string BrowseForFolder(HWND owner) {
    char display[MAX_PATH] = {};
    BROWSEINFOA bi{};
    bi.hwndOwner = owner;
    bi.pidlRoot = nullptr;
    bi.pszDisplayName = display;
    bi.lpszTitle = "登録パス(フォルダ)の選択";
    bi.ulFlags = BIF_RETURNONLYFSDIRS;
    PIDLIST_ABSOLUTE list = SHBrowseForFolderA(&bi);
    char path[MAX_PATH] = {};
    if (list) SHGetPathFromIDListA(list, path);
    // The item list comes from the shell's allocator, which is the COM task allocator.
    CoTaskMemFree(list);
    return path;
}

void OpenInfoPage(HWND owner, const std::string& exePath, const CodePage& cp) {
    const std::string address = InfoPageAddress(exePath, cp);
    ShellExecuteA(owner, "OPEN", address.c_str(), "", "", SW_SHOW);
}

} // namespace ShellLaunch
