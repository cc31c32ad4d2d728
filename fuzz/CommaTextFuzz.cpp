// The split reads nothing past the first NUL (the text sits in a buffer of its exact
// size, so any overread is caught), yields the same fields whatever follows that NUL,
// and never makes up bytes: quote-free text falls apart into pieces of itself, and
// fields written back in quotes with doubled quote marks split into the same fields.
#include "controls/portable/CommaText.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

bool IsBlankOrComma(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 0x01 && b <= 0x20) || b == ',';
}

void CheckText(std::string_view text, const CodePage& cp) {
    // An exact-size heap copy: ASan reports any byte read beyond it.
    const std::unique_ptr<char[]> copy(new char[text.size() ? text.size() : 1]);
    if (!text.empty()) std::memcpy(copy.get(), text.data(), text.size());
    const std::string_view exact(copy.get(), text.size());

    std::vector<std::string> fields;
    SplitCommaText(exact, fields, cp);

    const std::string_view head = exact.substr(0, std::min(exact.find('\0'), exact.size()));
    std::vector<std::string> headFields{"stale"};
    SplitCommaText(head, headFields, cp);
    if (fields != headFields) abort();

    std::size_t total = 0;
    for (const std::string& f : fields) {
        if (f.find('\0') != std::string::npos) abort();
        total += f.size();
    }
    if (total > head.size() || fields.size() > head.size() + 1) abort();

    if (head.find('"') == std::string_view::npos) {
        // Every field is a piece of the text, in order.
        std::size_t at = 0;
        for (const std::string& f : fields) {
            const std::size_t found = head.find(f, at);
            if (found == std::string_view::npos) abort();
            at = found + f.size();
        }
        if (&cp == &CodePage::SingleByte()) {
            std::string kept;
            for (char c : head)
                if (!IsBlankOrComma(c)) kept += c;
            std::string joined;
            for (const std::string& f : fields) {
                if (f.find_first_of(std::string_view(",\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A"
                                                     "\x0B\x0C\x0D\x0E\x0F\x10\x11\x12\x13\x14"
                                                     "\x15\x16\x17\x18\x19\x1A\x1B\x1C\x1D\x1E"
                                                     "\x1F\x20")) != std::string::npos)
                    abort();
                joined += f;
            }
            if (joined != kept) abort();
        }
    }
}

// Fields cut from the input at its NUL bytes, each written in quotes with its quote
// marks doubled, joined by commas: splitting gives them back one by one.
void CheckQuotedRoundTrip(std::string_view data) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t nul = data.find('\0', start);
        fields.emplace_back(data.substr(start, nul - start));
        if (nul == std::string_view::npos) break;
        start = nul + 1;
    }
    std::string text;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i) text += ',';
        text += '"';
        for (char c : fields[i]) {
            text += c;
            if (c == '"') text += '"';
        }
        text += '"';
    }
    std::vector<std::string> back;
    SplitCommaText(text, back, CodePage::SingleByte());
    if (back != fields) abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckText(text, CodePage::Cp932());
    CheckText(text, CodePage::SingleByte());
    CheckQuotedRoundTrip(text);
    return 0;
}
