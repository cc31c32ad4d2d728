#include "app/portable/PathRules.h"

namespace {

constexpr std::string_view kPathSeparators = "\\:";
constexpr std::string_view kNameSeparators = ".\\:";

} // namespace

std::size_t LastSeparator(std::string_view s, std::string_view separators, const CodePage& cp) {
    // Walk forward once by characters: trail bytes are only known from the start.
    std::size_t last = 0;
    for (std::size_t i = 0; i < s.size(); i = cp.Next(s, i)) {
        if (s[i] != '\0' && separators.find(s[i]) != std::string_view::npos) last = i + 1;
    }
    return last;
}

std::string FolderOfPath(std::string_view path, const CodePage& cp) {
    std::size_t i = LastSeparator(path, kPathSeparators, cp);
    if (i > 1 && path[i - 1] == '\\' && path[i - 2] != '\\' && path[i - 2] != ':') --i;
    return std::string(path.substr(0, i));
}

std::string PathPartOf(std::string_view path, const CodePage& cp) {
    return std::string(path.substr(0, LastSeparator(path, kPathSeparators, cp)));
}

std::string FileNameOf(std::string_view path, const CodePage& cp) {
    return std::string(path.substr(LastSeparator(path, kPathSeparators, cp)));
}

std::string WithoutExtension(std::string_view name, const CodePage& cp) {
    const std::size_t i = LastSeparator(name, kNameSeparators, cp);
    if (i > 0 && name[i - 1] == '.') return std::string(name.substr(0, i - 1));
    return std::string(name);
}

std::string StripTrailingBackslash(std::string_view path, const CodePage& cp) {
    if (!path.empty() && path.back() == '\\' && !cp.IsTrailByte(path, path.size() - 1))
        return std::string(path.substr(0, path.size() - 1));
    return std::string(path);
}

std::u16string WithoutLongPathPrefix(std::u16string_view path) {
    if (path.substr(0, 8) == u"\\\\?\\UNC\\") return u"\\\\" + std::u16string(path.substr(8));
    if (path.substr(0, 4) == u"\\\\?\\") return std::u16string(path.substr(4));
    return std::u16string(path);
}
