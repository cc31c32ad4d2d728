#include "controls/portable/McRowLayout.h"

#include <algorithm>

unsigned McCellFormat(TAlignment alignment) {
    switch (alignment) {
    case taRightJustify:
        return 2 | McDtVCenterSingleLine;
    case taCenter:
        return 1 | McDtVCenterSingleLine;
    case taLeftJustify:
        break;
    }
    return 0 | McDtVCenterSingleLine;
}

McRowLayout LayoutRow(const TRect& row, const std::vector<int>& columnWidths, int fieldCount) {
    McRowLayout out;
    out.Cells.reserve(columnWidths.size());
    // Wide arithmetic: widths are unbounded ints and their sum must not overflow.
    long long x = row.Left;
    for (std::size_t i = 0; i < columnWidths.size(); ++i) {
        const int width = columnWidths[i];
        McCellLayout cell;
        long long right = std::min<long long>(x + width, row.Right);
        if (right > x) {
            cell.Drawn = true;
            cell.Cell = {static_cast<int>(x), row.Top, static_cast<int>(right), row.Bottom};
            cell.Field = static_cast<int>(i) < fieldCount ? static_cast<int>(i) : -1;
        }
        out.Cells.push_back(cell);
        x += width;
    }
    if (x < row.Right) {
        out.HasFill = true;
        out.Fill = {static_cast<int>(std::max<long long>(x, row.Left)), row.Top, row.Right,
                    row.Bottom};
    }
    return out;
}
