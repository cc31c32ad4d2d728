#pragma once
// How many rows the open list of a combo box shows.

// The item count raised to at least 1, then cut to at most dropDownCount: an empty list
// still opens one row high, and no list is taller than DropDownCount rows.
int DropDownRows(int itemCount, int dropDownCount);
