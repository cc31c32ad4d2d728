// Whatever bytes the list file holds, its encoding is found without failing, and in that
// encoding the lines written back read as the same non-empty lines, the mark kept; text
// decoded from UTF-8 encodes to UTF-8 that decodes to the same text.
#include "app/portable/ListEncoding.h"

#include <cstdint>
#include <cstdlib>

namespace {

// Never called: the encodings fuzzed here need no Shift-JIS conversion.
class NoShiftJis : public IShiftJisText {
public:
    std::wstring Decode(std::string_view) const override { abort(); }
    Encoded Encode(std::wstring_view) const override { abort(); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ListEncoding found = DetectListEncoding(bytes);
    for (ListEncoding e : {found, ListEncoding::leUtf16Le, ListEncoding::leUtf16Be, ListEncoding::leUtf8Bom}) {
        const std::vector<std::string> lines = ReadListLines(bytes, e);
        std::vector<std::string> nonEmpty;
        for (const std::string& l : lines)
            if (!l.empty()) nonEmpty.push_back(l);
        const std::string written = WriteListLines(lines, e);
        // An odd byte on a UTF-16 line shifts what follows it, so only whole units come back.
        const bool wholeUnits = (e != ListEncoding::leUtf16Le && e != ListEncoding::leUtf16Be) || size % 2 == 0;
        if (wholeUnits && ReadListLines(written, e) != nonEmpty) abort();
        if (DetectListEncoding(written, e) != e && e != ListEncoding::leShiftJis && e != ListEncoding::leUtf8) abort();
    }
    const NoShiftJis none;
    const std::wstring text = DecodeListLine(bytes, ListEncoding::leUtf8, none);
    const std::optional<std::string> again = EncodeListLine(text, ListEncoding::leUtf8, none);
    if (!again || DecodeListLine(*again, ListEncoding::leUtf8, none) != text) abort();
    if (IsMultiByteUtf8(bytes) && *again != bytes) abort();
    return 0;
}
