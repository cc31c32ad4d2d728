#include "app/ShellQueries.h"

#include "framework/Handles.h"
#include "framework/WideText.h"

#include <shlobj.h>

namespace ShellQueries {

std::wstring ExplorerExe() {
    // The system's Windows folder: on a terminal server the plain Windows folder can be
    // one of the user's own, which holds no explorer.
    wchar_t dir[MAX_PATH + 1] = {};
    const UINT n = ::GetSystemWindowsDirectoryW(dir, MAX_PATH + 1);
    std::wstring path(dir, n <= MAX_PATH ? n : 0);
    if (path.empty()) return L"EXPLORER.EXE";
    if (path.back() != L'\\') path += L'\\';
    return path + L"EXPLORER.EXE";
}

namespace {

// `path` or the nearest folder above it that is there; empty when none is.
std::wstring NearestFolder(std::wstring path) {
    while (!path.empty()) {
        // A drive root is only a folder with its backslash.
        const std::wstring asked = path.size() == 2 && path[1] == L':' ? path + L'\\' : path;
        const DWORD attr = GetFileAttributesW(asked.c_str());
        if (attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY)) return asked;
        while (!path.empty() && path.back() == L'\\') path.pop_back();
        const std::size_t sep = path.find_last_of(L'\\');
        if (sep == std::wstring::npos) return {};
        path.resize(sep);
    }
    return {};
}

int CALLBACK SelectStart(HWND browser, UINT msg, LPARAM, LPARAM start) {
    if (msg == BFFM_INITIALIZED && start) SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, start);
    return 0;
}

} // namespace

std::wstring BrowseForFolder(HWND owner, const std::wstring& startAt) {
    const std::wstring start = NearestFolder(startAt);
    wchar_t display[MAX_PATH] = {};
    const std::wstring title = Widen("登録パス(フォルダ)の選択");
    BROWSEINFOW bi{};
    bi.hwndOwner = owner;
    bi.pidlRoot = nullptr;
    bi.pszDisplayName = display;
    bi.lpszTitle = title.c_str();
    bi.ulFlags = BIF_RETURNONLYFSDIRS;
    if (!start.empty()) {
        bi.lpfn = SelectStart;
        bi.lParam = reinterpret_cast<LPARAM>(start.c_str());
    }
    const ItemIdList list{SHBrowseForFolderW(&bi)};
    std::wstring path;
    if (list.Valid()) {
        // Room for the longest path the file system allows, so nothing is cut.
        std::wstring buf(32768, L'\0');
        if (SHGetPathFromIDListEx(list.Get(), buf.data(), static_cast<DWORD>(buf.size()), GPFIDL_DEFAULT) ||
            SHGetPathFromIDListW(list.Get(), buf.data()))
            path.assign(buf.c_str());
    }
    return path;
}

std::optional<std::wstring> EnvironmentValue(std::wstring_view name) {
    const std::wstring key(name);
    // The size asked for counts the terminating zero, so a variable defined empty answers 1.
    const DWORD need = GetEnvironmentVariableW(key.c_str(), nullptr, 0);
    if (need == 0) return std::nullopt;
    std::wstring value(need, L'\0');
    const DWORD got = GetEnvironmentVariableW(key.c_str(), value.data(), need);
    if (got >= need) return std::nullopt;  // changed meanwhile: leave the name as written
    value.resize(got);
    return value;
}

} // namespace ShellQueries
