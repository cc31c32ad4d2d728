#include "framework/portable/ComboRows.h"

#include <gtest/gtest.h>

// The item count is raised to at least one row first and cut to DropDownCount after, so a
// DropDownCount of 0 opens no rows at all.
TEST(ComboRows, TheCountIsRaisedToOneThenCutToDropDownCount) {
    struct { int items, dropDownCount, rows; } cases[] = {
        {0, 12, 1}, {1, 12, 1}, {5, 12, 5}, {12, 12, 12}, {20, 12, 12}, {99, 8, 8}, {5, 0, 0}, {0, 0, 0},
    };
    for (auto c : cases)
        EXPECT_EQ(DropDownRows(c.items, c.dropDownCount), c.rows) << c.items << " items, " << c.dropDownCount;
}
