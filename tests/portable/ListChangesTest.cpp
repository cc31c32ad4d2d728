#include "app/portable/ListChanges.h"

#include <gtest/gtest.h>

#include <random>

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

// Deleting and appending at random: the file's kept entries followed by the registered
// ones are always the list, and the changes are exactly what the window did to it.
TEST(ListChanges, TrackingFollowsEveryAppendAndDeletion) {
    std::mt19937 rnd(7);
    for (int run = 0; run < 200; ++run) {
        V file;
        for (int i = rnd() % 6; i > 0; --i) file.push_back(std::string(1, char('a' + rnd() % 3)));
        V list = file;
        ListChanges changes;
        changes.Reset(file);
        for (int step = 0; step < 12; ++step) {
            if (!list.empty() && rnd() % 2) {
                const std::size_t i = rnd() % list.size();
                changes.Deleted(i);
                list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
            } else {
                const std::string e(1, char('a' + rnd() % 3));
                changes.Appended(e);
                list.push_back(e);
            }
            // Applied to the file as read, the changes give the window's list itself.
            ASSERT_EQ(changes.ApplyTo(file), list) << "run " << run << " step " << step;
        }
    }
}

TEST(ListChanges, AnEntryRegisteredAndDeletedAgainIsNoChange) {
    ListChanges c;
    c.Reset({"f", "g", "f"});
    c.Appended("n");  // f g f n
    c.Appended("m");  // f g f n m
    c.Deleted(3);     // f g f m
    EXPECT_EQ(c.AddedEntries(), V{"m"});
    EXPECT_TRUE(c.DeletedEntries().empty());
    c.Deleted(3);
    EXPECT_FALSE(c.Any());
    c.Deleted(2);  // the second f
    EXPECT_EQ(c.DeletedEntries(), (std::vector<DeletedEntry>{{"f", 1}}));
    c.Deleted(0);  // then the first
    EXPECT_EQ(c.DeletedEntries(), (std::vector<DeletedEntry>{{"f", 1}, {"f", 0}}));
    c.Reset({});
    EXPECT_FALSE(c.Any());
}

} // namespace
