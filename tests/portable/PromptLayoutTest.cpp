#include "app/portable/PromptLayout.h"

#include <gtest/gtest.h>

namespace {

TEST(PromptLayout, DialogUnitsRoundToTheNearestPixel) {
    struct Case {
        int n, size, per, px;
    } cases[] = {
        {1, 6, 4, 2}, {3, 6, 4, 5},    {-3, 6, 4, -5},  {1, 5, 4, 1},
        {0, 7, 4, 0}, {12, 13, 8, 20}, {14, 15, 8, 26}, {1, 1, 0, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DialogUnitsToPixels(c.n, c.size, c.per), c.px)
            << c.n << "*" << c.size << "/" << c.per;
}

TEST(PromptLayout, AverageWidthRoundsDown) {
    EXPECT_EQ(PromptAverageCharWidth({363, 13}), 6);
    EXPECT_EQ(PromptAverageCharWidth({364, 15}), 7);
    EXPECT_EQ(PromptAverageCharWidth({51, 15}), 0);
}

TEST(PromptLayout, PlacesTheControlsInDialogUnits) {
    struct Case {
        PromptMetrics font;
        int labelWidth, labelHeight;
        int clientWidth, clientHeight, labelMax;
        TRect label, edit, ok, cancel;
    } cases[] = {
        // average 6 (363 / 52), height 13, a one-line prompt
        {{363, 13},
         100,
         13,
         270,
         102,
         246,
         {12, 13, 112, 26},
         {12, 31, 258, 51},
         {57, 66, 132, 89},
         {138, 66, 213, 89}},
        // average 7, height 15, a prompt wrapped onto two lines and wider than allowed
        {{364, 15},
         400,
         30,
         315,
         127,
         287,
         {14, 15, 301, 45},
         {14, 50, 301, 73},
         {67, 88, 155, 114},
         {161, 88, 249, 114}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.font.LettersWidth);
        PromptLayout p = LayoutPrompt(c.font, c.labelWidth, c.labelHeight);
        EXPECT_EQ(p.ClientWidth, c.clientWidth);
        EXPECT_EQ(p.ClientHeight, c.clientHeight);
        EXPECT_EQ(p.LabelMaxWidth, c.labelMax);
        EXPECT_EQ(p.Label, c.label);
        EXPECT_EQ(p.Edit, c.edit);
        EXPECT_EQ(p.OkButton, c.ok);
        EXPECT_EQ(p.CancelButton, c.cancel);
    }
}

} // namespace
