#include "framework/portable/CodePage.h"

namespace {
std::array<bool, 256> Cp932Leads() {
    std::array<bool, 256> t{};
    for (int b = 0x81; b <= 0x9F; ++b) t[b] = true;
    for (int b = 0xE0; b <= 0xFC; ++b) t[b] = true;
    return t;
}
} // namespace

const CodePage& CodePage::Cp932() {
    static const CodePage cp(Cp932Leads());
    return cp;
}

const CodePage& CodePage::SingleByte() {
    static const CodePage cp(std::array<bool, 256>{});
    return cp;
}
