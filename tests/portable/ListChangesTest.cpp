#include "app/portable/ListChanges.h"

#include <gtest/gtest.h>


namespace {

using V = std::vector<std::string>;

TEST(ListChanges, MergeAppliesTheWindowsChangesToTheFileAsItIsNow) {
    using D = std::vector<DeletedEntry>;
    struct Row {
        const char* name;
        V fileNow;
        D deleted;
        V added, merged;
    } rows[] = {
        {"an edit and a deletion", {"a", "b", "edited", "c"}, {{"b", 0}}, {}, {"a", "edited", "c"}},
        {"a line added in the editor and one registered", {"a", "x"}, {}, {"n"}, {"a", "x", "n"}},
        {"the deleted entry is no longer in the file", {"a", "c"}, {{"b", 0}}, {}, {"a", "c"}},
        {"the same occurrence goes", {"y", "d", "x", "d"}, {{"d", 1}}, {}, {"y", "d", "x"}},
        {"one occurrence per deletion", {"d", "a", "d", "d"}, {{"d", 0}, {"d", 0}}, {}, {"a", "d"}},
        {"fewer occurrences left: the last goes", {"d", "a", "d"}, {{"d", 4}}, {}, {"d", "a"}},
        {"matched by the exact string", {"\"a\",\"C:\\a\"", "\"a\",\"C:\\a\" "}, {{"\"a\",\"C:\\a\" ", 0}}, {},
         {"\"a\",\"C:\\a\""}},
        {"the registered entry is in the file already", {"a", "n"}, {}, {"n"}, {"a", "n", "n"}},
        {"registered entries keep their order", {"a"}, {}, {"n2", "n1", "n2"}, {"a", "n2", "n1", "n2"}},
        {"file emptied outside", {}, {{"a", 0}}, {"n"}, {"n"}},
        {"file deleted outside (read as empty)", {}, {}, {"n"}, {"n"}},
        {"no change of the window's own", {"x", "", "y"}, {}, {}, {"x", "", "y"}},
        {"empty lines of the file stay for the writer to drop", {"", "a", ""}, {{"a", 0}}, {"n"}, {"", "", "n"}},
        {"a deleted empty entry takes one empty line", {"", "a", ""}, {{"", 0}}, {}, {"a", ""}},
    };
    for (const Row& r : rows)
        EXPECT_EQ(MergeListChanges(r.fileNow, r.deleted, r.added), r.merged) << r.name;
}

} // namespace
