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

TEST(IsPassingHold, OnlyWhatAnotherProgramsHoldCanAnswerIsWaitedFor) {
    constexpr unsigned long fileNotFound = 2, pathNotFound = 3, diskFull = 112;
    struct Row {
        FileStep step;
        unsigned long error;
        bool nameExists;
        bool waited;
    } rows[] = {
        {FileStep::OpenExisting, FileError::SharingViolation, true, true},
        {FileStep::OpenExisting, FileError::LockViolation, true, true},
        {FileStep::OpenExisting, FileError::AccessDenied, true, true},  // being deleted
        {FileStep::OpenExisting, fileNotFound, false, false},
        {FileStep::OpenExisting, pathNotFound, false, false},
        {FileStep::CreateNew, FileError::SharingViolation, true, true},
        {FileStep::CreateNew, FileError::AccessDenied, true, true},    // the old one still going
        {FileStep::CreateNew, FileError::AccessDenied, false, false},  // the folder refuses
        {FileStep::CreateNew, diskFull, false, false},
        {FileStep::Replace, FileError::AccessDenied, true, true},
        {FileStep::Replace, FileError::SharingViolation, true, true},
        {FileStep::Replace, FileError::LockViolation, true, true},
        {FileStep::Replace, diskFull, true, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << "step " << static_cast<int>(r.step) << " error " << r.error
                                          << (r.nameExists ? " name there" : " no such name"));
        EXPECT_EQ(IsPassingHold(r.step, r.error, r.nameExists), r.waited);
    }
}
