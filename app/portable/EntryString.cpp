#include "EntryString.h"

std::string MakeEntryString(std::string_view quote, std::string_view name, std::string_view path) {
    std::string s;
    s.reserve(quote.size() * 4 + name.size() + path.size() + 1);
    s.append(quote).append(name).append(quote).append(",");
    s.append(quote).append(path).append(quote);
    return s;
}

std::string ListFilePath(std::string_view exeFolder) {
    return std::string(exeFolder) + "/DirList.txt";
}
