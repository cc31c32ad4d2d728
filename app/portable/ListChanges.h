#pragma once
// The window's own changes to the folder list since the list file was read or last
// written, applied to a file someone edited meanwhile instead of writing the window's old
// copy over it. Entries are lines' bytes in the file's encoding.
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

// An entry deleted in the window: its text, and which of the lines with that text it was
// (0: the first) among the lines still kept when it went.
struct DeletedEntry {
    std::string entry;
    std::size_t occurrence = 0;
    bool operator==(const DeletedEntry&) const = default;
};

// The list file's entries once the window's own changes are applied to the file as it is
// now: each deleted entry removes one line with the very same text, the same occurrence
// when the file still has that many, else the last one (none when no line has it); then
// the registered entries follow at the end, in order, whether or not the file has them
// already. Everything else stays as it is.
std::vector<std::string> MergeListChanges(std::vector<std::string> fileNow,
                                          const std::vector<DeletedEntry>& deleted,
                                          const std::vector<std::string>& added);
