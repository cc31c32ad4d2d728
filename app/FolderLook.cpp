#include "app/FolderLook.h"

#include "framework/Handles.h"

#include <atomic>
#include <memory>
#include <thread>

namespace {

// Shared by the window's thread and the worker, which may go on after the wait gave up.
struct LookState {
    KernelHandle done{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::atomic<FolderPresence> answer{FolderPresence::Unknown};
};

void HandleWhileWaiting() {
    MSG m;
    // The slide-in and the window's paint go on; sent messages are handled by the peek itself.
    for (int n = 0; n < 64 && PeekMessageW(&m, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE); ++n) DispatchMessageW(&m);
    for (int n = 0; n < 64 && PeekMessageW(&m, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++n) DispatchMessageW(&m);
}

} // namespace

FolderPresence LookForFolderAwhile(IShellServices& services, const std::wstring& path, unsigned timeoutMs) {
    auto state = std::make_shared<LookState>();
    if (!state->done.Valid()) return FolderPresence::Unknown;
    try {
        // The real services keep no state for the look, so an answer that comes after the
        // wait gave up touches nothing but the shared state.
        std::thread([state, &services, path] {
            state->answer = services.LookForFolder(path);
            SetEvent(state->done.Get());
        }).detach();
    } catch (...) {
        return FolderPresence::Unknown;
    }
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        if (now >= end) return FolderPresence::Unknown;
        // Input-available: a timer or paint that a peek has already seen, but not removed,
        // still wakes the wait; without it the slide-in could stand still for the whole wait.
        const DWORD r = MsgWaitForMultipleObjectsEx(1, state->done.Address(), static_cast<DWORD>(end - now),
                                                    QS_TIMER | QS_PAINT | QS_SENDMESSAGE, MWMO_INPUTAVAILABLE);
        if (r == WAIT_OBJECT_0) return state->answer;
        if (r != WAIT_OBJECT_0 + 1) return FolderPresence::Unknown;
        HandleWhileWaiting();
    }
}
