#pragma once
// Shift-JIS conversions for the portable tests: glibc's CP932 natively, the system's
// code page 932 under Wine, each treating bytes that are no character as Windows does
// (U+30FB) and marking text it cannot hold as inexact.
#include "framework/portable/ShiftJisText.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

#include <cstdint>
#include <stdexcept>
#include <string>

class TestShiftJis : public IShiftJisText {
public:
#ifdef _WIN32
    std::wstring Decode(std::string_view b) const override {
        if (b.empty()) return {};
        const int n = MultiByteToWideChar(932, 0, b.data(), static_cast<int>(b.size()), nullptr, 0);
        std::wstring w(static_cast<size_t>(n), L'\0');
        MultiByteToWideChar(932, 0, b.data(), static_cast<int>(b.size()), w.data(), n);
        return w;
    }
    Encoded Encode(std::wstring_view t) const override {
        if (t.empty()) return {{}, true};
        const int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, t.data(), static_cast<int>(t.size()), nullptr, 0,
                                          nullptr, nullptr);
        std::string b(static_cast<size_t>(n), '\0');
        BOOL used = FALSE;
        WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, t.data(), static_cast<int>(t.size()), b.data(), n, nullptr, &used);
        const bool exact = !used && b.find('\0') == std::string::npos && Decode(b) == t;
        return {b, exact};
    }
#else
    TestShiftJis() : FToWide(iconv_open("UTF-16LE", "CP932")), FToSjis(iconv_open("CP932", "UTF-16LE")) {
        if (FToWide == reinterpret_cast<iconv_t>(-1) || FToSjis == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("no CP932 in iconv");
    }
    ~TestShiftJis() override {
        iconv_close(FToWide);
        iconv_close(FToSjis);
    }
    std::wstring Decode(std::string_view b) const override {
        std::wstring out;
        std::size_t i = 0;
        while (i < b.size()) {
            const auto c = static_cast<unsigned char>(b[i]);
            const std::size_t len = ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) && i + 1 < b.size() ? 2 : 1;
            std::u16string w;
            if (Convert(FToWide, b.substr(i, len), w)) {
                for (char16_t u : w) out += static_cast<wchar_t>(u);
                i += len;
            } else {
                out += static_cast<wchar_t>(0x30FB);
                ++i;
            }
        }
        return out;
    }
    Encoded Encode(std::wstring_view t) const override {
        std::string out;
        bool exact = true;
        for (std::size_t i = 0; i < t.size(); ++i) {
            std::string unit;
            const auto c = static_cast<std::uint32_t>(t[i]) & 0xFFFF;
            unit += static_cast<char>(c & 0xFF);
            unit += static_cast<char>(c >> 8);
            std::string got;
            if (c >= 0xD800 && c <= 0xDFFF) {
                got.clear();
            } else {
                iconv(FToSjis, nullptr, nullptr, nullptr, nullptr);
                char buf[8];
                char* in = unit.data();
                size_t inLeft = unit.size();
                char* o = buf;
                size_t oLeft = sizeof buf;
                if (iconv(FToSjis, &in, &inLeft, &o, &oLeft) != static_cast<size_t>(-1) && inLeft == 0)
                    got.assign(buf, static_cast<size_t>(o - buf));
            }
            if (got.empty()) {
                out += '?';
                exact = false;
                if (c >= 0xD800 && c <= 0xDBFF && i + 1 < t.size()) ++i;
            } else {
                out += got;
            }
        }
        exact = exact && out.find('\0') == std::string::npos && Decode(out) == t;
        return {out, exact};
    }

private:
    // One character's bytes as UTF-16; false when they are no whole character.
    static bool Convert(iconv_t cd, std::string_view in, std::u16string& out) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        std::string src(in);
        char buf[16];
        char* i = src.data();
        size_t iLeft = src.size();
        char* o = buf;
        size_t oLeft = sizeof buf;
        if (iconv(cd, &i, &iLeft, &o, &oLeft) == static_cast<size_t>(-1) || iLeft != 0) return false;
        for (char* p = buf; p + 1 < o; p += 2)
            out += static_cast<char16_t>(static_cast<unsigned char>(p[0]) | static_cast<unsigned char>(p[1]) << 8);
        return !out.empty();
    }
    iconv_t FToWide, FToSjis;
#endif
};
