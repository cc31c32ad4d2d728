// Whatever bytes the list file holds, reading never fails, no line keeps a break, and
// writing the lines back gives a file that reads as the same non-empty lines.
#include "app/portable/ListFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = ReadListLines(bytes);

    std::size_t total = 0;
    std::vector<std::string> nonEmpty;
    for (const std::string& l : lines) {
        if (l.find_first_of("\r\n") != std::string::npos) abort();
        total += l.size();
        if (!l.empty()) nonEmpty.push_back(l);
    }
    if (total > size || lines.size() > size) abort();

    const std::string written = WriteListLines(lines);
    if (ReadListLines(written) != nonEmpty) abort();
    if (WriteListLines(nonEmpty) != written) abort();
    return 0;
}
