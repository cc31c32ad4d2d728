#include "framework/portable/Accelerator.h"

namespace {
char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
} // namespace

char AcceleratorOf(std::string_view caption, const CodePage& cp) {
    char accel = 0;
    std::size_t i = 0;
    while (i < caption.size()) {
        if (caption[i] == '&' && i + 1 < caption.size()) {
            if (caption[i + 1] == '&') {
                i += 2;  // a literal ampersand
                continue;
            }
            // A double-byte character takes the place of an earlier accelerator too; as no
            // single typed byte can match it, the caption then answers to no key.
            accel = cp.IsLeadByte(static_cast<unsigned char>(caption[i + 1])) ? 0 : caption[i + 1];
            i = cp.Next(caption, i + 1);
            continue;
        }
        i = cp.Next(caption, i);
    }
    return accel;
}

bool IsAccel(char typed, std::string_view caption, const CodePage& cp) {
    const char a = AcceleratorOf(caption, cp);
    return a != 0 && Upper(a) == Upper(typed);
}
