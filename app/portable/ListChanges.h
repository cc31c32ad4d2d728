#pragma once
// The window's own changes to the folder list since the list file was read or last
// written, applied to a file someone edited meanwhile instead of writing the window's old
// copy over it. Entries are lines' bytes in the file's encoding.
#include <cstddef>
#include <string>
#include <vector>

// A change the window made to a line that came from the file. A line is named by its text
// and which of the lines with that text it was (0: the first) among the file's lines
// still in the window when the change was made.
struct LineChange {
    enum Kind { Delete, Replace, MoveBelow, MoveAbove };
    Kind kind = Delete;
    std::string entry;
    std::size_t occurrence = 0;
    // Replace: the line's new text. MoveBelow / MoveAbove: the line it went next to.
    std::string other;
    std::size_t otherOccurrence = 0;
    bool operator==(const LineChange&) const = default;
};

// The list file's entries once the window's own changes are applied, in the order they
// were made, to the file as it is now. A line is found by the very same text: the same
// occurrence when the file still has that many, else the last one. A deleted line that
// the file no longer has is gone already; a replaced one that it no longer has is added
// at the end, so the window's change is not lost; a move is made only where both lines
// still stand, else the editor's order stays. Then the entries registered in the window
// follow at the end, in order, whether or not the file has them already. Everything else
// stays as it is.
std::vector<std::string> MergeListChanges(std::vector<std::string> fileNow, const std::vector<LineChange>& changes,
                                          const std::vector<std::string>& added);
