#include "app/portable/ListChanges.h"

#include <iterator>

namespace {

using Lines = std::vector<std::string>;

// The line with `text`: its `occurrence`, or the last one when fewer are left.
Lines::iterator Find(Lines& lines, const std::string& text, std::size_t occurrence) {
    auto chosen = lines.end();
    std::size_t seen = 0;
    for (auto it = lines.begin(); it != lines.end(); ++it) {
        if (*it != text) continue;
        chosen = it;
        if (seen++ == occurrence) break;
    }
    return chosen;
}

void Apply(Lines& lines, const LineChange& c) {
    const auto at = Find(lines, c.entry, c.occurrence);
    switch (c.kind) {
    case LineChange::Delete:
        if (at != lines.end()) lines.erase(at);
        return;
    case LineChange::Replace:
        if (at != lines.end())
            *at = c.other;
        else
            lines.push_back(c.other);
        return;
    case LineChange::MoveBelow:
    case LineChange::MoveAbove: {
        if (at == lines.end() || c.entry == c.other) return;
        const auto beside = Find(lines, c.other, c.otherOccurrence);
        if (beside == lines.end()) return;
        const std::ptrdiff_t b = std::distance(lines.begin(), beside), a = std::distance(lines.begin(), at);
        std::string moved = std::move(*at);
        lines.erase(at);
        const std::ptrdiff_t target = (b > a ? b - 1 : b) + (c.kind == LineChange::MoveBelow ? 1 : 0);
        lines.insert(lines.begin() + target, std::move(moved));
        return;
    }
    }
}

} // namespace

std::vector<std::string> MergeListChanges(std::vector<std::string> fileNow, const std::vector<LineChange>& changes,
                                          const std::vector<std::string>& added) {
    for (const LineChange& c : changes) Apply(fileNow, c);
    fileNow.insert(fileNow.end(), added.begin(), added.end());
    return fileNow;
}
