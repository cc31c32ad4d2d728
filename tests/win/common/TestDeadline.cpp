#include "tests/win/common/TestDeadline.h"

#include <cstdio>

// The watcher lives as long as the program; the process's end takes it along.
TestDeadline::TestDeadline(DWORD seconds) : FSeconds(seconds), FChanged(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
    if (HANDLE t = CreateThread(nullptr, 0, Watch, this, 0, nullptr)) CloseHandle(t);
}

void TestDeadline::OnTestStart(const testing::TestInfo& test) {
    AcquireSRWLockExclusive(&FLock);
    FRunning = std::string(test.test_suite_name()) + "." + test.name();
    ++FStarted;
    ReleaseSRWLockExclusive(&FLock);
    SetEvent(FChanged);
}

void TestDeadline::OnTestEnd(const testing::TestInfo&) {
    AcquireSRWLockExclusive(&FLock);
    FRunning.clear();
    ReleaseSRWLockExclusive(&FLock);
    SetEvent(FChanged);
}

DWORD WINAPI TestDeadline::Watch(void* self) {
    auto* d = static_cast<TestDeadline*>(self);
    for (;;) {
        AcquireSRWLockShared(&d->FLock);
        const bool running = !d->FRunning.empty();
        const unsigned started = d->FStarted;
        ReleaseSRWLockShared(&d->FLock);
        if (WaitForSingleObject(d->FChanged, running ? d->FSeconds * 1000 : INFINITE) != WAIT_TIMEOUT) continue;
        AcquireSRWLockShared(&d->FLock);
        const bool stuck = !d->FRunning.empty() && d->FStarted == started;
        const std::string name = d->FRunning;
        ReleaseSRWLockShared(&d->FLock);
        if (!stuck) continue;
        // The test's thread is caught in a loop of its own: nothing it holds can be trusted
        // to unwind, so the process ends here.
        std::fprintf(stderr, "\n[  FAILED  ] %s did not end within %lu s\n", name.c_str(),
                     static_cast<unsigned long>(d->FSeconds));
        std::fflush(stderr);
        std::fflush(stdout);
        TerminateProcess(GetCurrentProcess(), 1);
    }
}
