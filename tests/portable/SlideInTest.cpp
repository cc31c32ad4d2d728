#include "app/portable/SlideIn.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// Wherever the work area starts, the run is the same fifty ticks, 20 pixels inside it.
TEST(SlideIn, FromTheStartBoundsTheRunTakesFiftyTicks) {
  for (const auto& [areaLeft, areaTop] : {std::pair{0, 0}, std::pair{120, 40}, std::pair{0, 30}}) {
    SCOPED_TRACE(areaLeft);
    const SlideInStart start = SlideInStartFor(areaLeft, areaTop);
    EXPECT_EQ(start.top, areaTop + 20);
    EXPECT_EQ(start.width, 386);
    EXPECT_EQ(start.height, 7);
    SlideInBounds b{start.left, start.height, start.width};
    int counts[4] = {};
    int tick = 0;
    SlideInAction a;
    std::vector<SlideInAction> order;
    do {
        ++tick;
        a = SlideInStep(b.left, b.height, b.width, areaLeft);
        ++counts[static_cast<int>(a)];
        if (order.empty() || order.back() != a) order.push_back(a);
        b = ApplySlideIn(b, a);
        ASSERT_LE(tick, 100);
    } while (a != SlideInAction::Stop);
    EXPECT_EQ(counts[static_cast<int>(SlideInAction::MoveRight)], 17);
    EXPECT_EQ(counts[static_cast<int>(SlideInAction::Grow)], 18);
    EXPECT_EQ(counts[static_cast<int>(SlideInAction::Widen)], 14);
    EXPECT_EQ(tick, 50);
    EXPECT_EQ(b.left, areaLeft + 20);
    EXPECT_EQ(b.height, 61);
    EXPECT_EQ(b.width, 498);
    EXPECT_EQ(order, (std::vector<SlideInAction>{SlideInAction::MoveRight, SlideInAction::Grow,
                                                 SlideInAction::Widen, SlideInAction::Stop}));
  }
}

TEST(SlideIn, EachTickTestsLeftThenHeightThenWidth) {
    struct Case {
        int left, height, width, areaLeft;
        SlideInAction action;
    } cases[] = {
        {19, 7, 386, 0, SlideInAction::MoveRight},
        {19, 61, 498, 0, SlideInAction::MoveRight}, // dragged left while the timer runs
        {-1000, 100, 1000, 0, SlideInAction::MoveRight},
        {20, 59, 386, 0, SlideInAction::Grow},
        {20, 59, 1000, 0, SlideInAction::Grow},
        {20, 60, 495, 0, SlideInAction::Widen},
        {500, 60, 495, 0, SlideInAction::Widen},
        {20, 60, 496, 0, SlideInAction::Stop},
        {800, 300, 900, 0, SlideInAction::Stop},
        // A taskbar 120 pixels wide at the left: the window keeps 20 pixels right of it.
        {139, 61, 498, 120, SlideInAction::MoveRight},
        {140, 7, 386, 120, SlideInAction::Grow},
        {140, 61, 498, 120, SlideInAction::Stop},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SlideInStep(c.left, c.height, c.width, c.areaLeft), c.action)
            << c.left << "," << c.height << "," << c.width << " in an area from " << c.areaLeft;
}

TEST(SlideIn, ActionsChangeOneEdge) {
    const SlideInBounds b{1, 2, 3};
    struct Case {
        SlideInAction action;
        int left, height, width;
    } cases[] = {
        {SlideInAction::MoveRight, 33, 2, 3},
        {SlideInAction::Grow, 1, 5, 3},
        {SlideInAction::Widen, 1, 2, 11},
        {SlideInAction::Stop, 1, 2, 3},
    };
    for (const Case& c : cases) {
        const SlideInBounds r = ApplySlideIn(b, c.action);
        EXPECT_EQ(r.left, c.left);
        EXPECT_EQ(r.height, c.height);
        EXPECT_EQ(r.width, c.width);
    }
}

} // namespace
