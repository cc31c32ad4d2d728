#include "controls/portable/McEntryBook.h"

#include "framework/portable/CodePage.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>

std::string ListIndexMessage(int index) {
    char buf[128];
    std::snprintf(buf, sizeof buf, "リストのインデックスが範囲を超えています (%d)", index);
    return buf;
}

McListIndexError::McListIndexError(int index) : FIndex(index), FMessage(ListIndexMessage(index)) {}

std::string McEntryBook::ShownText(std::string_view entry, int targetColumn) const {
    std::vector<std::string> fields;
    FSplit(entry, fields, *FCodePage);
    if (targetColumn < 0 || static_cast<std::size_t>(targetColumn) >= fields.size()) return {};
    return std::move(fields[static_cast<std::size_t>(targetColumn)]);
}

int McEntryBook::Add(std::string entry) {
    FEntries.push_back(std::move(entry));
    return Count() - 1;
}

void McEntryBook::Insert(int index, std::string entry) {
    if (index < 0 || index > Count()) throw McListIndexError(index);
    FEntries.insert(FEntries.begin() + index, std::move(entry));
}

void McEntryBook::Delete(int index) {
    if (!InRange(index)) throw McListIndexError(index);
    FEntries.erase(FEntries.begin() + index);
}

const std::string& McEntryBook::Get(int index) const {
    if (!InRange(index)) throw McListIndexError(index);
    return FEntries[static_cast<std::size_t>(index)];
}

std::string McEntryBook::GetColumnText(int index, int column) const {
    if (!InRange(index)) return {};
    return ShownText(FEntries[static_cast<std::size_t>(index)], column);
}

std::string McEntryBook::SelectedText(bool canEdit, bool modified, std::string_view text,
                                      int itemIndex, int targetColumn) const {
    if (canEdit && modified) return std::string(text);
    return GetColumnText(itemIndex, targetColumn);
}

int McEntryBook::TextLength(int index, std::size_t capacity) const {
    if (!InRange(index)) return -1;
    const std::string& entry = FEntries[static_cast<std::size_t>(index)];
    std::size_t n = 0;
    while (n < entry.size()) {
        const std::size_t next = FCodePage->Next(entry, n);
        if (next >= capacity) break;
        n = next;
    }
    // A message answer is an int: a monstrous entry must not wrap round to CB_ERR.
    return static_cast<int>(std::min<std::size_t>(n, std::numeric_limits<int>::max()));
}

int McEntryBook::CopyText(int index, char* buffer, std::size_t capacity) const {
    if (!InRange(index) || buffer == nullptr || capacity == 0) return -1;
    const std::string& entry = FEntries[static_cast<std::size_t>(index)];
    const std::size_t n = static_cast<std::size_t>(TextLength(index, capacity));
    std::memcpy(buffer, entry.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

int DroppedWidth(const std::vector<int>& columnWidths) {
    long long sum = 0;
    for (int w : columnWidths)
        sum += w;
    return static_cast<int>(std::clamp<long long>(sum, std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max()));
}
