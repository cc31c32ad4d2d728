#include "framework/SystemCodePage.h"

#include <windows.h>

const CodePage& SystemCodePage() {
    static const CodePage cp([] {
        std::array<bool, 256> leads{};
        for (int b = 0; b < 256; ++b) leads[b] = IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(b)) != 0;
        return leads;
    }());
    return cp;
}

std::uint32_t SystemColor(int index) { return GetSysColor(index); }
