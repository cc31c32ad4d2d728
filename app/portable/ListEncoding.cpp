#include "app/portable/ListEncoding.h"

#include "app/portable/ListFile.h"

namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view Utf16LeMark = "\xFF\xFE";
constexpr std::string_view Utf16BeMark = "\xFE\xFF";

std::string_view MarkOf(ListEncoding e) {
    switch (e) {
    case ListEncoding::leUtf8Bom: return Utf8Mark;
    case ListEncoding::leUtf16Le: return Utf16LeMark;
    case ListEncoding::leUtf16Be: return Utf16BeMark;
    default: return {};
    }
}

bool IsUtf16(ListEncoding e) { return e == ListEncoding::leUtf16Le || e == ListEncoding::leUtf16Be; }

// The length of the UTF-8 character at i (strict: no overlong form, no surrogate, nothing
// above U+10FFFF), or 0 when the bytes there are none.
std::size_t Utf8Length(std::string_view s, std::size_t i) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = b(i);
    if (c < 0x80) return 1;
    std::size_t n;
    unsigned char lo = 0x80, hi = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) n = 2;
    else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        if (c == 0xE0) lo = 0xA0;
        if (c == 0xED) hi = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        if (c == 0xF0) lo = 0x90;
        if (c == 0xF4) hi = 0x8F;
    } else
        return 0;
    if (i + n > s.size()) return 0;
    if (b(i + 1) < lo || b(i + 1) > hi) return 0;
    for (std::size_t k = 2; k < n; ++k)
        if (b(i + k) < 0x80 || b(i + k) > 0xBF) return 0;
    return n;
}

unsigned UnitAt(std::string_view s, std::size_t i, bool le) {
    const auto lo = static_cast<unsigned char>(s[le ? i : i + 1]);
    const auto hi = static_cast<unsigned char>(s[le ? i + 1 : i]);
    return static_cast<unsigned>(hi) << 8 | lo;
}

void PutUnit(std::string& out, unsigned u, bool le) {
    const char lo = static_cast<char>(u & 0xFF), hi = static_cast<char>(u >> 8 & 0xFF);
    out += le ? lo : hi;
    out += le ? hi : lo;
}

std::vector<std::string> ReadUtf16Lines(std::string_view s, bool le) {
    std::vector<std::string> lines;
    const std::size_t n = s.size();
    std::size_t start = 0;
    while (start < n) {
        std::size_t end = start;
        unsigned u = 0;
        while (end + 1 < n && (u = UnitAt(s, end, le)) != 0x0D && u != 0x0A) end += 2;
        if (end + 1 >= n) {  // no line end: the rest, an odd byte too, is the last line
            lines.emplace_back(s.substr(start));
            break;
        }
        lines.emplace_back(s.substr(start, end - start));
        start = end + 2;
        if (u == 0x0D && start + 1 < n && UnitAt(s, start, le) == 0x0A) start += 2;
    }
    return lines;
}

} // namespace

bool IsMultiByteUtf8(std::string_view bytes) {
    bool multi = false;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t n = Utf8Length(bytes, i);
        if (n == 0) return false;
        multi = multi || n > 1;
        i += n;
    }
    return multi;
}

ListEncoding DetectListEncoding(std::string_view bytes, ListEncoding plainAscii) {
    if (bytes.substr(0, 3) == Utf8Mark) return ListEncoding::leUtf8Bom;
    if (bytes.substr(0, 2) == Utf16LeMark) return ListEncoding::leUtf16Le;
    if (bytes.substr(0, 2) == Utf16BeMark) return ListEncoding::leUtf16Be;
    if (IsMultiByteUtf8(bytes)) return ListEncoding::leUtf8;
    bool ascii = true;
    for (const char c : bytes) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    return ascii && plainAscii == ListEncoding::leUtf8 ? ListEncoding::leUtf8 : ListEncoding::leShiftJis;
}

std::vector<std::string> ReadListLines(std::string_view bytes, ListEncoding encoding) {
    if (const std::string_view mark = MarkOf(encoding); bytes.substr(0, mark.size()) == mark)
        bytes.remove_prefix(mark.size());
    if (IsUtf16(encoding)) return ReadUtf16Lines(bytes, encoding == ListEncoding::leUtf16Le);
    return ReadListLines(bytes);
}

std::string WriteListLines(const std::vector<std::string>& lines, ListEncoding encoding) {
    if (!IsUtf16(encoding)) return std::string(MarkOf(encoding)) + WriteListLines(lines);
    const bool le = encoding == ListEncoding::leUtf16Le;
    std::size_t size = 2;
    for (const std::string& l : lines)
        if (!l.empty()) size += l.size() + 4;
    std::string out(MarkOf(encoding));
    out.reserve(size);
    for (const std::string& l : lines) {
        if (l.empty()) continue;
        out += l;
        PutUnit(out, 0x0D, le);
        PutUnit(out, 0x0A, le);
    }
    return out;
}

std::string Utf8Of(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned long c = static_cast<unsigned long>(text[i]) & 0xFFFF;
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
            const unsigned long d = static_cast<unsigned long>(text[i + 1]) & 0xFFFF;
            if (d >= 0xDC00 && d <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (d - 0xDC00);
                ++i;
            }
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | c >> 6);
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | c >> 12);
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | c >> 18);
            out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::wstring FromUtf8(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    const auto b = [&](std::size_t k) { return static_cast<unsigned long>(static_cast<unsigned char>(bytes[k])); };
    for (std::size_t i = 0; i < bytes.size();) {
        std::size_t n = Utf8Length(bytes, i);
        // A lone surrogate written by Utf8Of: ED A0-BF xx.
        if (n == 0 && b(i) == 0xED && i + 2 < bytes.size() && b(i + 1) >= 0xA0 && b(i + 1) <= 0xBF &&
            b(i + 2) >= 0x80 && b(i + 2) <= 0xBF)
            n = 3;
        if (n == 0) {
            out += static_cast<wchar_t>(0xFFFD);
            ++i;
            continue;
        }
        unsigned long c = n == 1 ? b(i) : b(i) & (0x7F >> n);
        for (std::size_t k = 1; k < n; ++k) c = c << 6 | (b(i + k) & 0x3F);
        if (c >= 0x10000) {
            out += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            out += static_cast<wchar_t>(c);
        }
        i += n;
    }
    return out;
}

std::wstring DecodeListLine(std::string_view line, ListEncoding encoding, const IShiftJisText& sjis) {
    switch (encoding) {
    case ListEncoding::leShiftJis: return sjis.Decode(line);
    case ListEncoding::leUtf8:
    case ListEncoding::leUtf8Bom: return FromUtf8(line);
    default: break;
    }
    const bool le = encoding == ListEncoding::leUtf16Le;
    std::wstring out;
    out.reserve(line.size() / 2 + 1);
    for (std::size_t i = 0; i + 1 < line.size(); i += 2) out += static_cast<wchar_t>(UnitAt(line, i, le));
    if (line.size() % 2) out += static_cast<wchar_t>(0xFFFD);
    return out;
}

std::optional<std::string> EncodeListLine(std::wstring_view text, ListEncoding encoding, const IShiftJisText& sjis) {
    switch (encoding) {
    case ListEncoding::leShiftJis: {
        IShiftJisText::Encoded e = sjis.Encode(text);
        if (!e.exact) return std::nullopt;
        return std::move(e.bytes);
    }
    case ListEncoding::leUtf8:
    case ListEncoding::leUtf8Bom: return Utf8Of(text);
    default: break;
    }
    std::string out;
    out.reserve(text.size() * 2);
    for (const wchar_t c : text) PutUnit(out, static_cast<unsigned>(c) & 0xFFFF, encoding == ListEncoding::leUtf16Le);
    return out;
}
