#include "app/portable/ListFile.h"

std::vector<std::string> ReadListLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    const std::size_t n = bytes.size();
    while (start < n) {
        std::size_t end = start;
        while (end < n && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        lines.emplace_back(bytes.substr(start, end - start));
        if (end < n && bytes[end] == '\r' && end + 1 < n && bytes[end + 1] == '\n')
            start = end + 2;
        else
            start = end + 1;
    }
    return lines;
}

std::string WriteListLines(const std::vector<std::string>& entries) {
    std::size_t size = 0;
    for (const std::string& e : entries)
        if (!e.empty()) size += e.size() + 2;
    std::string out;
    out.reserve(size);
    for (const std::string& e : entries) {
        if (e.empty()) continue;
        out += e;
        out += "\r\n";
    }
    return out;
}

std::string ListFilePath(std::string_view exeFolder) {
    return std::string(exeFolder) + "/DirList.txt";
}
