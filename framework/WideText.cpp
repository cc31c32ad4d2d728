#include "framework/WideText.h"

#include <windows.h>

std::wstring Widen(std::string_view text) {
    if (text.empty()) return {};
    const int n = static_cast<int>(text.size());
    const int need = MultiByteToWideChar(ProgramCodePage, 0, text.data(), n, nullptr, 0);
    if (need <= 0) return {};
    std::wstring wide(static_cast<size_t>(need), L'\0');
    MultiByteToWideChar(ProgramCodePage, 0, text.data(), n, wide.data(), need);
    return wide;
}

NarrowText Narrow(std::wstring_view text) {
    if (text.empty()) return {{}, true};
    const int n = static_cast<int>(text.size());
    // Best-fit mapping would quietly turn a character into a look-alike (é into e), a
    // path into some other folder's; the round trip below catches what slips through.
    const DWORD flags = WC_NO_BEST_FIT_CHARS;
    const int need = WideCharToMultiByte(ProgramCodePage, flags, text.data(), n, nullptr, 0, nullptr, nullptr);
    if (need <= 0) return {{}, false};
    std::string bytes(static_cast<size_t>(need), '\0');
    BOOL usedDefault = FALSE;
    WideCharToMultiByte(ProgramCodePage, flags, text.data(), n, bytes.data(), need, nullptr, &usedDefault);
    const bool exact = !usedDefault && bytes.find('\0') == std::string::npos && Widen(bytes) == text;
    return {bytes, exact};
}

namespace {

class TSystemShiftJis : public IShiftJisText {
public:
    std::wstring Decode(std::string_view bytes) const override { return Widen(bytes); }
    Encoded Encode(std::wstring_view text) const override {
        NarrowText n = Narrow(text);
        return {std::move(n.bytes), n.exact};
    }
};

} // namespace

const IShiftJisText& SystemShiftJis() {
    static const TSystemShiftJis converter;
    return converter;
}
