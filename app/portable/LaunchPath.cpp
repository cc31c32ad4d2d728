#include "app/portable/LaunchPath.h"

#include <vector>

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool HasDrive(std::wstring_view p) {
    return p.size() >= 2 && p[1] == L':' && ((p[0] >= L'A' && p[0] <= L'Z') || (p[0] >= L'a' && p[0] <= L'z'));
}

// The length of the root that ".." never climbs above: "C:\", "\\host\share\" or "\".
std::size_t RootLength(std::wstring_view p) {
    if (HasDrive(p)) return p.size() > 2 && IsSeparator(p[2]) ? 3 : 2;
    if (p.size() >= 2 && IsSeparator(p[0]) && IsSeparator(p[1])) {
        std::size_t i = p.find_first_of(L"\\/", 2);          // after the host
        if (i != std::wstring_view::npos) i = p.find_first_of(L"\\/", i + 1);  // after the share
        return i == std::wstring_view::npos ? p.size() : i + 1;
    }
    return !p.empty() && IsSeparator(p[0]) ? 1 : 0;
}

// `folder` + `relative`, the relative part's "." and ".." steps resolved against it.
std::wstring Join(std::wstring_view folder, std::wstring_view relative) {
    const std::size_t root = RootLength(folder);
    std::wstring head(folder.substr(0, root));
    std::vector<std::wstring> steps;
    auto split = [&steps](std::wstring_view s, bool resolve) {
        std::size_t start = 0;
        while (start <= s.size()) {
            std::size_t end = s.find_first_of(L"\\/", start);
            if (end == std::wstring_view::npos) end = s.size();
            const std::wstring_view step = s.substr(start, end - start);
            if (resolve && step == L"..") {
                if (!steps.empty()) steps.pop_back();
            } else if (!step.empty() && !(resolve && step == L".")) {
                steps.emplace_back(step);
            }
            start = end + 1;
        }
    };
    split(folder.substr(root), false);
    split(relative, true);
    std::wstring out = head;
    if (HasDrive(out) && out.size() == 2) out += L'\\';  // "C:" as a folder is its root
    for (const std::wstring& step : steps) {
        if (!out.empty() && !IsSeparator(out.back())) out += L'\\';
        out += step;
    }
    return out;
}

} // namespace

std::wstring ExpandVariables(std::wstring_view path, const EnvironmentLookup& lookup) {
    std::wstring out;
    std::size_t i = 0;
    while (i < path.size()) {
        const std::size_t open = path.find(L'%', i);
        if (open == std::wstring_view::npos) break;
        const std::size_t close = path.find(L'%', open + 1);
        if (close == std::wstring_view::npos) break;
        out.append(path.substr(i, open - i));
        const std::wstring_view name = path.substr(open + 1, close - open - 1);
        const std::optional<std::wstring> value = name.empty() ? std::nullopt : lookup(name);
        if (value) {
            out += *value;
            i = close + 1;
        } else {
            // Left as written; its closing '%' may open the next name ("%NONE%HOME%").
            out.append(path.substr(open, close - open));
            i = close;
        }
    }
    out.append(path.substr(i));
    return out;
}

std::wstring RealFolderPath(std::wstring_view stored, std::wstring_view programFolder, const EnvironmentLookup& lookup) {
    std::wstring path = stored.find(L'%') == std::wstring_view::npos ? std::wstring(stored) : ExpandVariables(stored, lookup);
    if (path.empty()) return path;
    if (HasDrive(path)) {
        if (path.size() == 2) path += L'\\';
        return path;
    }
    if (IsSeparator(path[0])) return path;  // a network path, or rooted on the current drive
    return Join(programFolder, path);
}

FolderPresence FolderPresenceOf(bool gotAttributes, bool isDirectory, unsigned error, const FolderLookErrors& codes) {
    if (gotAttributes) return isDirectory ? FolderPresence::Exists : FolderPresence::Missing;
    for (unsigned gone : {codes.fileNotFound, codes.pathNotFound, codes.invalidName, codes.invalidDrive, codes.notReady,
                          codes.badPathname})
        if (error == gone) return FolderPresence::Missing;
    return FolderPresence::Unknown;
}
