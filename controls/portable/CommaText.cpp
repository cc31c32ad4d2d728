#include "controls/portable/CommaText.h"

namespace {

bool IsBlank(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 0x01 && b <= 0x20;
}

// The one split: the fields and, when asked, where each stands.
void Split(std::string_view text, std::vector<std::string>& fields, std::vector<CommaFieldSpan>* spans,
           const CodePage& cp) {
    fields.clear();
    const std::size_t nul = text.find('\0');
    if (nul != std::string_view::npos) text = text.substr(0, nul);
    const std::size_t n = text.size();

    std::size_t p = 0;
    auto skipBlanks = [&] {
        while (p < n && IsBlank(text[p]))
            p = cp.Next(text, p);
    };

    skipBlanks();
    while (p < n) {
        std::string field;
        const std::size_t begin = p;
        if (text[p] == '"') {
            p = cp.Next(text, p);
            for (;;) {
                if (p >= n) break; // no closing quote: the field runs to the end
                if (text[p] == '"') {
                    const std::size_t after = cp.Next(text, p);
                    if (after < n && text[after] == '"') {
                        field += '"';
                        p = cp.Next(text, after);
                        continue;
                    }
                    p = after;
                    break;
                }
                const std::size_t next = cp.Next(text, p);
                field.append(text.substr(p, next - p));
                p = next;
            }
        } else {
            const std::size_t start = p;
            while (p < n && text[p] != ',' && !IsBlank(text[p]))
                p = cp.Next(text, p);
            field.assign(text.substr(start, p - start));
        }
        fields.push_back(std::move(field));
        if (spans) spans->push_back({begin, p < n ? p : n});
        skipBlanks();
        if (p < n && text[p] == ',') {
            p = cp.Next(text, p);
            if (p >= n) {
                fields.emplace_back();
                if (spans) spans->push_back({n, n});
            }
            skipBlanks();
        }
    }
}

} // namespace

void SplitCommaText(std::string_view text, std::vector<std::string>& fields, const CodePage& cp) {
    Split(text, fields, nullptr, cp);
}

std::vector<CommaFieldSpan> CommaFieldSpans(std::string_view text, const CodePage& cp) {
    std::vector<std::string> fields;
    std::vector<CommaFieldSpan> spans;
    Split(text, fields, &spans, cp);
    return spans;
}
