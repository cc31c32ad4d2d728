#include "app/portable/Registration.h"

#include "app/portable/PathRules.h"

const char* const DefaultEntryName = "新規パス";
const char* const NamingCaption = "名称の入力";

std::string RegisteredFolderOf(std::string_view item,
                               const std::function<bool(const std::string&)>& isFolder,
                               const CodePage& cp) {
    std::string q = StripTrailingBackslash(item, cp);
    if (isFolder(q)) return q;
    return StripTrailingBackslash(PathPartOf(item, cp), cp);
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

int RegisterDroppedItems(int count, const std::function<AnsiPathChoice(int index)>& itemPath,
                         const std::function<bool(const std::string&)>& isFolder,
                         const AskName& ask, const AppendEntry& append, const ShowRefusal& refuse,
                         const CodePage& cp) {
    int appended = 0;
    for (int i = 0; i < count; ++i) {
        const AnsiPathChoice item = itemPath(i);
        if (item.refused) {
            refuse(item.message);
            continue;
        }
        const std::string folder = RegisteredFolderOf(item.path, isFolder, cp);
        const std::string name = ask(folder);
        if (name.empty()) continue;
        append(name, folder);
        ++appended;
    }
    return appended;
}
