#include "app/portable/EntryString.h"

namespace {

void AppendQuoted(std::wstring& s, std::wstring_view quote, std::wstring_view field) {
    s.append(quote);
    if (quote.empty()) {
        s.append(field);
    } else {
        for (std::size_t at = 0;;) {
            const std::size_t q = field.find(quote, at);
            s.append(field.substr(at, q == std::wstring_view::npos ? std::wstring_view::npos : q - at));
            if (q == std::wstring_view::npos) break;
            s.append(quote).append(quote);
            at = q + quote.size();
        }
    }
    s.append(quote);
}

} // namespace

std::wstring MakeEntryString(std::wstring_view quote, std::wstring_view name, std::wstring_view path) {
    std::wstring s;
    s.reserve(quote.size() * 4 + name.size() + path.size() + 1);
    AppendQuoted(s, quote, name);
    s += L',';
    AppendQuoted(s, quote, path);
    return s;
}

std::wstring QuotedField(std::wstring_view quote, std::wstring_view field) {
    std::wstring s;
    AppendQuoted(s, quote, field);
    return s;
}
