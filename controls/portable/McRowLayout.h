#pragma once
// Where each column of a drop-down row of the multi-column combo box goes. The drawing
// code fills and writes what this returns; the arithmetic lives here so it can be
// checked without a device context.
#include <vector>

#include "framework/portable/Alignment.h"
#include "framework/portable/Geometry.h"

// DrawTextA flags of a cell: DT_LEFT 0, DT_RIGHT 2 or DT_CENTER 1, with DT_VCENTER and
// DT_SINGLELINE (0x24). DT_NOPREFIX is left out on purpose: an ampersand in a name
// underlines the next character, as in any menu or label.
constexpr unsigned McDtVCenterSingleLine = 0x24;
unsigned McCellFormat(TAlignment alignment);

struct McCellLayout {
    // False when the cell has no area inside the row: a column of width 0 (or less),
    // or one that starts at or beyond the row's right edge. Nothing is filled or
    // written for it.
    bool Drawn = false;
    TRect Cell;          // cut back at the row's right edge
    int Field = -1;      // index of the field written in the cell, -1 for empty text
};

struct McRowLayout {
    std::vector<McCellLayout> Cells; // one per column, in column order
    bool HasFill = false;            // whether anything of the row lies past the columns
    TRect Fill;                      // from after the last column to the row's right edge
};

// Columns start at the row's left edge and each moves the next one on by its full
// width, even when the row cuts it short.
McRowLayout LayoutRow(const TRect& row, const std::vector<int>& columnWidths, int fieldCount);
