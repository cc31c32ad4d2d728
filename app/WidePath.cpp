#include "app/WidePath.h"

#include "app/portable/PathRules.h"
#include "framework/WideText.h"

#include <windows.h>

#include <optional>

std::optional<AnsiForm> ShortAnsiFormOf(const std::wstring& path) {
    const std::wstring full = ForFileSystem(path);
    const DWORD need = GetShortPathNameW(full.c_str(), nullptr, 0);
    if (need == 0) return std::nullopt;
    std::wstring buf(need, L'\0');
    const DWORD got = GetShortPathNameW(full.c_str(), buf.data(), need);
    if (got == 0 || got >= need) return std::nullopt;
    buf.resize(got);
    // Without the long-path prefix that ForFileSystem may have put before it.
    const std::u16string shortPath = WithoutLongPathPrefix(std::u16string(buf.begin(), buf.end()));
    return ToAnsi(std::wstring(shortPath.begin(), shortPath.end()));
}

AnsiForm ToAnsi(const std::wstring& path) {
    NarrowText n = Narrow(path);
    return {std::move(n.bytes), n.exact};
}

std::wstring FromAnsi(const std::string& path) { return Widen(path); }

std::wstring FolderOf(const std::wstring& path) {
    const size_t i = path.find_last_of(L'\\');
    if (i == std::wstring::npos) return {};
    const bool root = i == 0 || path[i - 1] == L':' || path[i - 1] == L'\\';
    return path.substr(0, root ? i + 1 : i);
}

std::wstring ForFileSystem(const std::wstring& path) {
    if (path.size() < MAX_PATH - 12) return path;  // a folder's own limit is 12 below
    if (path.rfind(L"\\\\?\\", 0) == 0) return path;
    // The prefix turns off the file system's own clean-up of the path (forward slashes,
    // "." and ".."), so the path is made full and clean first.
    std::wstring full(path.size() + MAX_PATH, L'\0');
    const DWORD n = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (n == 0 || n >= full.size()) return path;
    full.resize(n);
    if (full.size() >= 3 && full[1] == L':' && full[2] == L'\\') return L"\\\\?\\" + full;
    if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return path;
}

AnsiPathChoice AnsiPathOf(const std::wstring& path) {
    return ChooseAnsiPath(ToAnsi(path), [&] { return ShortAnsiFormOf(path); });
}
