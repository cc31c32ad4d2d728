#include "controls/portable/McRowLayout.h"

#include <gtest/gtest.h>

namespace {

struct Cell {
    bool drawn;
    TRect cell;
    int field;
};

struct Case {
    const char* name;
    TRect row;
    std::vector<int> widths;
    int fields;
    std::vector<Cell> cells;
    bool hasFill;
    TRect fill;
};

constexpr Cell kNone{false, {}, -1};

TEST(McRowLayout, PlacesCellsAndFill) {
    const std::vector<int> mainWindow{100, 540};
    const Case cases[] = {
        {"main window, closed width",
         {4, 30, 344, 45},
         mainWindow,
         2,
         {{true, {4, 30, 104, 45}, 0},
          {true, {104, 30, 344, 45}, 1}},
         false,
         {}},
        {"main window, full list width",
         {0, 0, 640, 15},
         mainWindow,
         2,
         {{true, {0, 0, 100, 15}, 0},
          {true, {100, 0, 640, 15}, 1}},
         false,
         {}},
        {"row wider than the columns",
         {0, 0, 700, 15},
         mainWindow,
         2,
         {{true, {0, 0, 100, 15}, 0},
          {true, {100, 0, 640, 15}, 1}},
         true,
         {640, 0, 700, 15}},
        {"width 0 neither draws nor moves the next column",
         {0, 0, 200, 15},
         {50, 0, 60},
         3,
         {{true, {0, 0, 50, 15}, 0},
          kNone,
          {true, {50, 0, 110, 15}, 2}},
         true,
         {110, 0, 200, 15}},
        {"columns at and beyond the right edge",
         {0, 0, 100, 15},
         {100, 50, 30},
         3,
         {{true, {0, 0, 100, 15}, 0}, kNone, kNone},
         false,
         {}},
        {"a cell cut at the row's edge",
         {0, 0, 150, 15},
         {100, 100},
         2,
         {{true, {0, 0, 100, 15}, 0},
          {true, {100, 0, 150, 15}, 1}},
         false,
         {}},
        {"three fields, two columns",
         {0, 0, 640, 15},
         mainWindow,
         3,
         {{true, {0, 0, 100, 15}, 0},
          {true, {100, 0, 640, 15}, 1}},
         false,
         {}},
        {"one field, two columns",
         {0, 0, 640, 15},
         mainWindow,
         1,
         {{true, {0, 0, 100, 15}, 0},
          {true, {100, 0, 640, 15}, -1}},
         false,
         {}},
        {"no columns", {10, 5, 350, 20}, {}, 2, {}, true, {10, 5, 350, 20}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        McRowLayout r = LayoutRow(c.row, c.widths, c.fields);
        ASSERT_EQ(r.Cells.size(), c.cells.size());
        for (std::size_t i = 0; i < c.cells.size(); ++i) {
            SCOPED_TRACE(i);
            const Cell& e = c.cells[i];
            const McCellLayout& got = r.Cells[i];
            EXPECT_EQ(got.Drawn, e.drawn);
            if (!e.drawn) continue;
            EXPECT_EQ(got.Cell, e.cell);
            EXPECT_EQ(got.Field, e.field);
        }
        EXPECT_EQ(r.HasFill, c.hasFill);
        if (c.hasFill) {
            EXPECT_EQ(r.Fill, c.fill);
        }
    }
}

} // namespace
