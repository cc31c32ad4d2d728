#pragma once
// A test that waits for a window which never answers, or types into a field whose check
// never settles, would hold the whole run until CTest gives up on the program. Every
// test gets a bound instead: one that has not ended by then is named, and the program
// ends with a failure, so the fault costs seconds and says where it is.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

class TestDeadline : public testing::EmptyTestEventListener {
public:
    explicit TestDeadline(DWORD seconds);
    TestDeadline(const TestDeadline&) = delete;
    TestDeadline& operator=(const TestDeadline&) = delete;

    void OnTestStart(const testing::TestInfo& test) override;
    void OnTestEnd(const testing::TestInfo& test) override;

private:
    static DWORD WINAPI Watch(void* self);

    const DWORD FSeconds;
    SRWLOCK FLock = SRWLOCK_INIT;
    std::string FRunning;   // the test under way, empty between tests
    unsigned FStarted = 0;  // counts test starts, so a wait knows its test has ended
    HANDLE FChanged;        // set at every start and end
};
