// The path rules in code page 932: results are pieces of the path, cut only at a
// backslash, colon or dot that is a character of its own, never at a trail byte.
#include "app/portable/PathRules.h"

#include <cstdint>
#include <cstdlib>

namespace {

bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const CodePage& cp = CodePage::Cp932();
    const std::string_view path(reinterpret_cast<const char*>(data), size);

    const std::size_t sep = LastSeparator(path, "\\:", cp);
    if (sep > size) abort();
    if (sep > 0) {
        const char c = path[sep - 1];
        if ((c != '\\' && c != ':') || cp.IsTrailByte(path, sep - 1)) abort();
    }
    for (std::size_t i = sep; i < size; ++i)
        if ((path[i] == '\\' || path[i] == ':') && !cp.IsTrailByte(path, i)) abort();

    const std::string part = PathPartOf(path, cp);
    const std::string name = FileNameOf(path, cp);
    if (part + name != path || part.size() != sep) abort();
    if (LastSeparator(name, "\\:", cp) != 0) abort();

    const std::string folder = FolderOfPath(path, cp);
    if (!StartsWith(part, folder) || part.size() - folder.size() > 1) abort();
    if (folder.size() < part.size() && part.back() != '\\') abort();

    const std::string stem = WithoutExtension(name, cp);
    if (!StartsWith(name, stem)) abort();
    if (stem.size() != name.size()) {
        if (name[stem.size()] != '.' || cp.IsTrailByte(name, stem.size())) abort();
        if (LastSeparator(name.substr(stem.size() + 1), ".\\:", cp) != 0) abort();
    }

    const std::string stripped = StripTrailingBackslash(path, cp);
    if (stripped.size() != size) {
        if (stripped.size() + 1 != size || path.back() != '\\' || cp.IsTrailByte(path, size - 1))
            abort();
    }
    if (!StartsWith(path, stripped)) abort();
    return 0;
}
