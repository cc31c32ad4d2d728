#include "framework/Exceptions.h"

#include <cstdio>

namespace {
template <class... A> std::string FormatImpl(const char* fmt, A... args) {
    int n = std::snprintf(nullptr, 0, fmt, args...);
    if (n < 0) return fmt;
    std::string s(static_cast<size_t>(n) + 1, '\0');
    std::snprintf(s.data(), s.size(), fmt, args...);
    s.resize(static_cast<size_t>(n));
    return s;
}
} // namespace

std::string Format(const char* fmt, const std::string& arg) { return FormatImpl(fmt, arg.c_str()); }
std::string Format(const char* fmt, int arg) { return FormatImpl(fmt, arg); }
std::string Format(const char* fmt, const std::string& a, const std::string& b) {
    return FormatImpl(fmt, a.c_str(), b.c_str());
}
