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
