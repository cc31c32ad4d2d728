#include "framework/portable/ComboRows.h"

#include <algorithm>

int DropDownRows(int itemCount, int dropDownCount) {
    return std::min(std::max(itemCount, 1), dropDownCount);
}
