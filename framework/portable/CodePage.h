#pragma once
// The ANSI code page as the text scanners see it: which bytes begin a double-byte
// character. Every scan for a separator, quote, blank or backslash steps over whole
// characters through one of these, so a trail byte (0x5C in 表, ソ, 能) is never
// taken for one of them.
#include <array>
#include <cstddef>
#include <string_view>

class CodePage {
public:
    explicit CodePage(const std::array<bool, 256>& leadBytes) : FLead(leadBytes) {}

    // Code page 932 (Shift-JIS): lead bytes 0x81-0x9F and 0xE0-0xFC.
    static const CodePage& Cp932();
    // A code page without double-byte characters.
    static const CodePage& SingleByte();

    bool IsLeadByte(unsigned char b) const { return FLead[b]; }

    // Index of the character after the one at i: i + 2 for a lead byte followed by a
    // byte that is not NUL, else i + 1 (never past s.size()).
    std::size_t Next(std::string_view s, std::size_t i) const {
        if (i >= s.size()) return s.size();
        if (IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() && s[i + 1] != '\0')
            return i + 2;
        return i + 1;
    }

    // True when byte i is the second byte of a double-byte character, judged by
    // scanning from the start of s.
    bool IsTrailByte(std::string_view s, std::size_t i) const {
        std::size_t p = 0;
        while (p < i) p = Next(s, p);
        return p != i;
    }

private:
    std::array<bool, 256> FLead;
};
