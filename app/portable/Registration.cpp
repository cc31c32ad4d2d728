#include "app/portable/Registration.h"

const char* const DefaultEntryName = "新規パス";
const char* const NamingCaption = "名称の入力";
const char* const RenamingCaption = "名称の変更";

namespace {

std::wstring WithoutTrailingBackslash(std::wstring_view p) {
    if (!p.empty() && p.back() == L'\\') p.remove_suffix(1);
    return std::wstring(p);
}

} // namespace

std::wstring RegisteredFolderOf(std::wstring_view item, const std::function<bool(const std::wstring&)>& isFolder) {
    const std::wstring q = WithoutTrailingBackslash(item);
    if (isFolder(q)) return q;
    const std::size_t sep = item.find_last_of(L"\\:");
    return WithoutTrailingBackslash(sep == std::wstring_view::npos ? std::wstring_view{} : item.substr(0, sep + 1));
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

void RegisterChosenFolder(const StoredPathChoice& chosen, const AskName& ask, const AppendEntry& append,
                          const ShowRefusal& refuse) {
    const std::wstring path = ChosenFolderPath(chosen, refuse);
    if (path.empty()) return;
    const std::wstring name = ask(path);
    if (!name.empty()) append(name, path);
}

std::wstring ChosenFolderPath(const StoredPathChoice& chosen, const ShowRefusal& refuse) {
    if (chosen.refused) {
        refuse(chosen.message);
        return {};
    }
    return WithoutTrailingBackslash(chosen.path);
}

int RegisterDroppedItems(int count, const std::function<StoredPathChoice(int index)>& folderOf,
                         const AskName& ask, const AppendEntry& append, const ShowRefusal& refuse) {
    int appended = 0;
    for (int i = 0; i < count; ++i) {
        const StoredPathChoice folder = folderOf(i);
        if (folder.refused) {
            refuse(folder.message);
            continue;
        }
        const std::wstring name = ask(folder.path);
        if (name.empty()) continue;
        append(name, folder.path);
        ++appended;
    }
    return appended;
}

std::wstring AskStorableName(const std::function<std::wstring(const std::wstring& fieldText)>& ask,
                             const std::wstring& defaultName,
                             const std::function<std::optional<std::string>(std::wstring_view name)>& refusal,
                             const ShowRefusal& refuse) {
    std::wstring field = defaultName;
    for (;;) {
        std::wstring name = ask(field);
        if (name.empty()) return name;
        const std::optional<std::string> message = refusal(name);
        if (!message) return name;
        refuse(*message);
        field = std::move(name);
    }
}
