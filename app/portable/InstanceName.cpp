#include "app/portable/InstanceName.h"

#include <cstdint>

std::string InstanceObjectName(std::u16string_view normalisedPath) {
    // FNV-1a over the UTF-16 code units, low byte first.
    std::uint64_t h = 14695981039346656037ull;
    for (char16_t c : normalisedPath) {
        for (unsigned byte : {unsigned(c) & 0xFFu, unsigned(c) >> 8}) {
            h ^= byte;
            h *= 1099511628211ull;
        }
    }
    std::string name = "Local\\Kestrovane1.";
    for (int shift = 60; shift >= 0; shift -= 4) name += "0123456789abcdef"[(h >> shift) & 0xF];
    return name;
}
