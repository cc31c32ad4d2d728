#include "app/portable/Registration.h"

#include "app/portable/PathRules.h"

const char* const DefaultEntryName = "新規パス";
const char* const NamingCaption = "名称の入力";

std::wstring RegisteredFolderOf(std::wstring_view item, const std::function<bool(const std::wstring&)>& isFolder) {
    auto strip = [](std::wstring_view p) {
        if (!p.empty() && p.back() == L'\\') p.remove_suffix(1);
        return std::wstring(p);
    };
    const std::wstring q = strip(item);
    if (isFolder(q)) return q;
    const std::size_t sep = item.find_last_of(L"\\:");
    return strip(sep == std::wstring_view::npos ? std::wstring_view{} : item.substr(0, sep + 1));
}

bool IsShortcutName(std::wstring_view item) {
    if (item.size() < 4) return false;
    const std::wstring_view ext = item.substr(item.size() - 4);
    auto lower = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; };
    return ext[0] == L'.' && lower(ext[1]) == L'l' && lower(ext[2]) == L'n' && lower(ext[3]) == L'k';
}

std::wstring RegisteredFolderOf(std::wstring_view item, const std::function<bool(const std::wstring&)>& isFolder,
                                const ShortcutTarget& shortcutTarget) {
    if (IsShortcutName(item)) {
        const std::wstring shortcut(item);
        if (!isFolder(shortcut)) {
            const std::wstring target = shortcutTarget(shortcut);
            if (!target.empty()) return RegisteredFolderOf(target, isFolder);
        }
    }
    return RegisteredFolderOf(item, isFolder);
}

void RegisterChosenFolder(const AnsiPathChoice& chosen, const AskName& ask, const AppendEntry& append,
                          const ShowRefusal& refuse, const CodePage& cp) {
    if (chosen.refused) {
        refuse(chosen.message);
        return;
    }
    const std::string path = StripTrailingBackslash(chosen.path, cp);
    if (path.empty()) return;
    const std::string name = ask(path);
    if (!name.empty()) append(name, path);
}

int RegisterDroppedItems(int count, const std::function<AnsiPathChoice(int index)>& folderOf,
                         const AskName& ask, const AppendEntry& append, const ShowRefusal& refuse) {
    int appended = 0;
    for (int i = 0; i < count; ++i) {
        const AnsiPathChoice folder = folderOf(i);
        if (folder.refused) {
            refuse(folder.message);
            continue;
        }
        const std::string name = ask(folder.path);
        if (name.empty()) continue;
        append(name, folder.path);
        ++appended;
    }
    return appended;
}
