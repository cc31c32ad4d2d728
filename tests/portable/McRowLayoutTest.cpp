#include "../../controls/portable/McRowLayout.h"

#include <gtest/gtest.h>

namespace {

using A = McAlignment;

struct Cell {
    bool drawn;
    TRect cell, text;
    unsigned format;
    int field;
};

struct Case {
    const char* name;
    TRect row;
    std::vector<McColumnSpec> columns;
    int indent, fields;
    std::vector<Cell> cells;
    bool hasFill;
    TRect fill;
};

constexpr Cell kNone{false, {}, {}, 0, -1};

TEST(McRowLayout, PlacesCellsTextAndFill) {
    const std::vector<McColumnSpec> mainWindow{{100, A::taLeftJustify}, {540, A::taLeftJustify}};
    const Case cases[] = {
        {"main window, closed width",
         {4, 30, 344, 45},
         mainWindow,
         2,
         2,
         {{true, {4, 30, 104, 45}, {6, 30, 104, 45}, 0x24, 0},
          {true, {104, 30, 344, 45}, {106, 30, 344, 45}, 0x24, 1}},
         false,
         {}},
        {"main window, full list width",
         {0, 0, 640, 15},
         mainWindow,
         2,
         2,
         {{true, {0, 0, 100, 15}, {2, 0, 100, 15}, 0x24, 0},
          {true, {100, 0, 640, 15}, {102, 0, 640, 15}, 0x24, 1}},
         false,
         {}},
        {"row wider than the columns",
         {0, 0, 700, 15},
         mainWindow,
         2,
         2,
         {{true, {0, 0, 100, 15}, {2, 0, 100, 15}, 0x24, 0},
          {true, {100, 0, 640, 15}, {102, 0, 640, 15}, 0x24, 1}},
         true,
         {640, 0, 700, 15}},
        {"width 0 neither draws nor moves the next column",
         {0, 0, 200, 15},
         {{50, A::taLeftJustify}, {0, A::taLeftJustify}, {60, A::taLeftJustify}},
         2,
         3,
         {{true, {0, 0, 50, 15}, {2, 0, 50, 15}, 0x24, 0},
          kNone,
          {true, {50, 0, 110, 15}, {52, 0, 110, 15}, 0x24, 2}},
         true,
         {110, 0, 200, 15}},
        {"columns at and beyond the right edge",
         {0, 0, 100, 15},
         {{100, A::taLeftJustify}, {50, A::taLeftJustify}, {30, A::taLeftJustify}},
         2,
         3,
         {{true, {0, 0, 100, 15}, {2, 0, 100, 15}, 0x24, 0}, kNone, kNone},
         false,
         {}},
        {"right and centre alignment",
         {0, 0, 300, 15},
         {{100, A::taRightJustify}, {100, A::taCenter}},
         3,
         2,
         {{true, {0, 0, 100, 15}, {0, 0, 97, 15}, 0x26, 0},
          {true, {100, 0, 200, 15}, {103, 0, 200, 15}, 0x25, 1}},
         true,
         {200, 0, 300, 15}},
        {"right alignment in a cut cell",
         {0, 0, 150, 15},
         {{100, A::taLeftJustify}, {100, A::taRightJustify}},
         2,
         2,
         {{true, {0, 0, 100, 15}, {2, 0, 100, 15}, 0x24, 0},
          {true, {100, 0, 150, 15}, {100, 0, 148, 15}, 0x26, 1}},
         false,
         {}},
        {"three fields, two columns",
         {0, 0, 640, 15},
         mainWindow,
         2,
         3,
         {{true, {0, 0, 100, 15}, {2, 0, 100, 15}, 0x24, 0},
          {true, {100, 0, 640, 15}, {102, 0, 640, 15}, 0x24, 1}},
         false,
         {}},
        {"one field, two columns",
         {0, 0, 640, 15},
         mainWindow,
         2,
         1,
         {{true, {0, 0, 100, 15}, {2, 0, 100, 15}, 0x24, 0},
          {true, {100, 0, 640, 15}, {102, 0, 640, 15}, 0x24, -1}},
         false,
         {}},
        {"no columns", {10, 5, 350, 20}, {}, 2, 2, {}, true, {10, 5, 350, 20}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        McRowLayout r = LayoutRow(c.row, c.columns, c.indent, c.fields);
        ASSERT_EQ(r.Cells.size(), c.cells.size());
        for (std::size_t i = 0; i < c.cells.size(); ++i) {
            SCOPED_TRACE(i);
            const Cell& e = c.cells[i];
            const McCellLayout& got = r.Cells[i];
            EXPECT_EQ(got.Drawn, e.drawn);
            if (!e.drawn) continue;
            EXPECT_EQ(got.Cell, e.cell);
            EXPECT_EQ(got.TextRect, e.text);
            EXPECT_EQ(got.Format, e.format);
            EXPECT_EQ(got.Field, e.field);
        }
        EXPECT_EQ(r.HasFill, c.hasFill);
        if (c.hasFill) {
            EXPECT_EQ(r.Fill, c.fill);
        }
    }
}

} // namespace
