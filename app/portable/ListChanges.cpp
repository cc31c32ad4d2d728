#include "ListChanges.h"

#include <algorithm>

std::vector<std::string> MergeListChanges(std::vector<std::string> fileNow,
                                          const std::vector<DeletedEntry>& deleted,
                                          const std::vector<std::string>& added) {
    for (const DeletedEntry& d : deleted) {
        auto chosen = fileNow.end();
        std::size_t seen = 0;
        for (auto it = fileNow.begin(); it != fileNow.end(); ++it) {
            if (*it != d.entry) continue;
            chosen = it;
            if (seen++ == d.occurrence) break;
        }
        if (chosen != fileNow.end()) fileNow.erase(chosen);
    }
    fileNow.insert(fileNow.end(), added.begin(), added.end());
    return fileNow;
}

void ListChanges::Reset(std::vector<std::string> entries) {
    FKept = std::move(entries);
    FDeleted.clear();
    FAdded.clear();
}

void ListChanges::Appended(const std::string& entry) { FAdded.push_back(entry); }

void ListChanges::Deleted(std::size_t index) {
    if (index < FKept.size()) {
        const auto at = FKept.begin() + static_cast<std::ptrdiff_t>(index);
        const auto before = static_cast<std::size_t>(std::count(FKept.begin(), at, *at));
        FDeleted.push_back({*at, before});
        FKept.erase(at);
    } else if (index - FKept.size() < FAdded.size()) {
        FAdded.erase(FAdded.begin() + static_cast<std::ptrdiff_t>(index - FKept.size()));
    }
}
