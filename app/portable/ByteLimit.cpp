#include "app/portable/ByteLimit.h"

#include <algorithm>
#include <vector>

namespace {

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }

} // namespace

LimitedText LimitToBytes(std::wstring_view before, std::wstring_view after, std::size_t maxBytes,
                         const std::function<std::size_t(std::wstring_view)>& bytesOf) {
    if (bytesOf(after) <= maxBytes) return {std::wstring(after), after.size(), false};
    // The change replaced the middle: what both texts share at the start and at the end
    // stayed, the rest of `after` is what was inserted.
    const std::size_t common = std::min(before.size(), after.size());
    std::size_t head = 0;
    while (head < common && before[head] == after[head]) ++head;
    std::size_t tail = 0;
    while (tail < common - head && before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) ++tail;
    const std::wstring_view inserted = after.substr(head, after.size() - head - tail);

    // Whole characters only: a surrogate pair is never split.
    std::vector<std::size_t> ends{0};
    for (std::size_t i = 0; i < inserted.size();) {
        i += (IsHighSurrogate(inserted[i]) && i + 1 < inserted.size()) ? 2 : 1;
        ends.push_back(i);
    }
    auto joined = [&](std::size_t keep) {
        return std::wstring(after.substr(0, head)) + std::wstring(inserted.substr(0, keep)) +
               std::wstring(after.substr(after.size() - tail));
    };
    // The longest prefix that fits; the byte count grows with every character kept.
    std::size_t lo = 0, hi = ends.size() - 1;
    while (lo < hi) {
        const std::size_t mid = (lo + hi + 1) / 2;
        if (bytesOf(joined(ends[mid])) <= maxBytes)
            lo = mid;
        else
            hi = mid - 1;
    }
    return {joined(ends[lo]), head + ends[lo], true};
}
