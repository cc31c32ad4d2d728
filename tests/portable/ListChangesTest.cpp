#include "app/portable/ListChanges.h"

#include <gtest/gtest.h>


namespace {

using V = std::vector<std::string>;
using C = std::vector<LineChange>;

LineChange Del(std::string entry, std::size_t occurrence) { return {LineChange::Delete, std::move(entry), occurrence, {}, 0}; }
LineChange Rep(std::string entry, std::size_t occurrence, std::string now) {
    return {LineChange::Replace, std::move(entry), occurrence, std::move(now), 0};
}
LineChange Below(std::string entry, std::size_t occ, std::string other, std::size_t otherOcc) {
    return {LineChange::MoveBelow, std::move(entry), occ, std::move(other), otherOcc};
}
LineChange Above(std::string entry, std::size_t occ, std::string other, std::size_t otherOcc) {
    return {LineChange::MoveAbove, std::move(entry), occ, std::move(other), otherOcc};
}

// The file as it is now, the window's own changes and registrations, and what the save writes.
struct MergeRow {
    const char* name;
    V fileNow;
    C changes;
    V added, merged;
};

template <std::size_t N> void ExpectMerged(const MergeRow (&rows)[N]) {
    for (const MergeRow& r : rows)
        EXPECT_EQ(MergeListChanges(r.fileNow, r.changes, r.added), r.merged) << r.name;
}

TEST(ListChanges, MergeAppliesTheWindowsChangesToTheFileAsItIsNow) {
    const MergeRow rows[] = {
        {"an edit and a deletion", {"a", "b", "edited", "c"}, {Del("b", 0)}, {}, {"a", "edited", "c"}},
        {"a line added in the editor and one registered", {"a", "x"}, {}, {"n"}, {"a", "x", "n"}},
        {"the deleted entry is no longer in the file", {"a", "c"}, {Del("b", 0)}, {}, {"a", "c"}},
        {"the same occurrence goes", {"y", "d", "x", "d"}, {Del("d", 1)}, {}, {"y", "d", "x"}},
        {"one occurrence per deletion", {"d", "a", "d", "d"}, {Del("d", 0), Del("d", 0)}, {}, {"a", "d"}},
        {"fewer occurrences left: the last goes", {"d", "a", "d"}, {Del("d", 4)}, {}, {"d", "a"}},
        {"matched by the exact string", {"\"a\",\"C:\\a\"", "\"a\",\"C:\\a\" "}, {Del("\"a\",\"C:\\a\" ", 0)}, {},
         {"\"a\",\"C:\\a\""}},
        {"the registered entry is in the file already", {"a", "n"}, {}, {"n"}, {"a", "n", "n"}},
        {"registered entries keep their order", {"a"}, {}, {"n2", "n1", "n2"}, {"a", "n2", "n1", "n2"}},
        {"file emptied outside", {}, {Del("a", 0)}, {"n"}, {"n"}},
        {"file deleted outside (read as empty)", {}, {}, {"n"}, {"n"}},
        {"no change of the window's own", {"x", "", "y"}, {}, {}, {"x", "", "y"}},
        {"empty lines of the file stay for the writer to drop", {"", "a", ""}, {Del("a", 0)}, {"n"}, {"", "", "n"}},
        {"a deleted empty entry takes one empty line", {"", "a", ""}, {Del("", 0)}, {}, {"a", ""}},
    };
    ExpectMerged(rows);
}

// Renames and moves made in the window, against a file edited in a text editor meanwhile.
TEST(ListChanges, RenamesAndMovesArePlacedInTheEditedFileOrAppended) {
    const MergeRow rows[] = {
        {"a rename replaces its line in place", {"a", "x", "b"}, {Rep("b", 0, "B")}, {}, {"a", "x", "B"}},
        {"the same occurrence is renamed", {"d", "x", "d"}, {Rep("d", 1, "D")}, {}, {"d", "x", "D"}},
        {"fewer occurrences left: the last", {"d", "x"}, {Rep("d", 1, "D")}, {}, {"D", "x"}},
        {"a renamed line the editor removed is appended", {"a", "x"}, {Rep("b", 0, "B")}, {"n"}, {"a", "x", "B", "n"}},
        {"renamed twice", {"a", "x"}, {Rep("a", 0, "A"), Rep("A", 0, "AA")}, {}, {"AA", "x"}},
        {"moved down below the same neighbour", {"a", "x", "b", "c"}, {Below("a", 0, "b", 0)}, {}, {"x", "b", "a", "c"}},
        {"moved up above the same neighbour", {"a", "x", "b", "c"}, {Above("c", 0, "b", 0)}, {}, {"a", "x", "c", "b"}},
        {"moved up past a line typed between", {"a", "x", "b"}, {Above("b", 0, "a", 0)}, {}, {"b", "a", "x"}},
        {"the neighbour is gone: the editor's order", {"a", "x", "c"}, {Below("a", 0, "b", 0)}, {}, {"a", "x", "c"}},
        {"the moved line is gone: nothing", {"x", "b"}, {Below("a", 0, "b", 0)}, {}, {"x", "b"}},
        {"a move between equal lines changes nothing", {"d", "d", "x"}, {Below("d", 0, "d", 1)}, {}, {"d", "d", "x"}},
        {"down twice", {"a", "b", "c"}, {Below("a", 0, "b", 0), Below("a", 0, "c", 0)}, {}, {"b", "c", "a"}},
        {"a move, then the moved line renamed", {"a", "b"}, {Below("a", 0, "b", 0), Rep("a", 0, "A")}, {}, {"b", "A"}},
        {"the occurrence among equal lines moves", {"d", "e", "d"}, {Above("d", 1, "e", 0)}, {}, {"d", "d", "e"}},
    };
    ExpectMerged(rows);
}

} // namespace
