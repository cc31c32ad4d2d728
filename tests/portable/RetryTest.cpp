#include "app/portable/Retry.h"

#include <gtest/gtest.h>

#include <vector>

TEST(RetryWhileHeld, TriesAgainOnlyWhileTheFileIsHeldAndForAboutTwoSeconds) {
    struct Row {
        const char* name;
        int failures;      // attempts that fail before one succeeds (-1: every one fails)
        bool held;         // the failures are holds by another program
        bool succeeds;
        int attempts;
        unsigned waitedMs;
    } rows[] = {
        {"first attempt succeeds", 0, true, true, 1, 0},
        {"held for three attempts", 3, true, true, 4, 150},
        {"held the whole time", -1, true, false, 41, 2000},
        {"a failure that waiting does not mend", -1, false, false, 1, 0},
        {"released on the very last attempt", 40, true, true, 41, 2000},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        int attempts = 0;
        std::vector<unsigned> pauses;
        const bool ok = RetryWhileHeld(
            [&] {
                ++attempts;
                return r.failures >= 0 && attempts > r.failures;
            },
            [&] { return r.held; }, [&](unsigned ms) { pauses.push_back(ms); });
        EXPECT_EQ(ok, r.succeeds);
        EXPECT_EQ(attempts, r.attempts);
        unsigned waited = 0;
        for (unsigned p : pauses) {
            EXPECT_LE(p, 100u);  // short steps
            waited += p;
        }
        EXPECT_EQ(waited, r.waitedMs);
    }
}
