#include "app/ShellLaunch.h"

#include "framework/WideText.h"

#include <shlobj.h>

namespace ShellLaunch {

std::string ExplorerExe() {
    // The system's Windows folder: on a terminal server the plain Windows folder can be
    // one of the user's own, which holds no explorer.
    wchar_t dir[MAX_PATH + 1] = {};
    const UINT n = ::GetSystemWindowsDirectoryW(dir, MAX_PATH + 1);
    const NarrowText folder = Narrow(std::wstring_view(dir, n <= MAX_PATH ? n : 0));
    if (folder.bytes.empty() || !folder.exact) return "EXPLORER.EXE";
    std::string path = folder.bytes;
    if (path.back() != '\\') path += '\\';
    return path + "EXPLORER.EXE";
}

std::wstring BrowseForFolder(HWND owner) {
    wchar_t display[MAX_PATH] = {};
    const std::wstring title = Widen("登録パス(フォルダ)の選択");
    BROWSEINFOW bi{};
    bi.hwndOwner = owner;
    bi.pidlRoot = nullptr;
    bi.pszDisplayName = display;
    bi.lpszTitle = title.c_str();
    bi.ulFlags = BIF_RETURNONLYFSDIRS;
    PIDLIST_ABSOLUTE list = SHBrowseForFolderW(&bi);
    std::wstring path;
    if (list) {
        // Room for the longest path the file system allows, so nothing is cut.
        std::wstring buf(32768, L'\0');
        if (SHGetPathFromIDListEx(list, buf.data(), static_cast<DWORD>(buf.size()), GPFIDL_DEFAULT) ||
            SHGetPathFromIDListW(list, buf.data()))
            path.assign(buf.c_str());
    }
    // The item list comes from the shell's allocator, which is the COM task allocator.
    CoTaskMemFree(list);
    return path;
}

} // namespace ShellLaunch
