#pragma once
// The window's own changes to the folder list since the list file was read or last
// written, so that a save can apply them to a file someone edited meanwhile instead of
// writing the window's old copy over it. The window only appends entries at the end and
// deletes them, so its list is always the entries kept from the file, in file order,
// followed by the entries registered since.
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

class ListChanges {
public:
    // The list now holds `entries`, read from the file, and nothing of the window's own.
    void Reset(std::vector<std::string> entries);
    void Appended(const std::string& entry);
    // Entry `index` of the list was deleted. An entry registered in this window just goes
    // again; one that came from the file is a change to apply to the file.
    void Deleted(std::size_t index);

    bool Any() const { return !FDeleted.empty() || !FAdded.empty(); }
    const std::vector<DeletedEntry>& DeletedEntries() const { return FDeleted; }
    const std::vector<std::string>& AddedEntries() const { return FAdded; }
    std::vector<std::string> ApplyTo(std::vector<std::string> fileNow) const {
        return MergeListChanges(std::move(fileNow), FDeleted, FAdded);
    }

private:
    std::vector<std::string> FKept;  // the entries at the front of the list, from the file
    std::vector<DeletedEntry> FDeleted;
    std::vector<std::string> FAdded;
};
