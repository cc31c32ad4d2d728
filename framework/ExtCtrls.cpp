#include "framework/ExtCtrls.h"

#include "framework/ExceptionDisplay.h"
#include "framework/Exceptions.h"

UINT_PTR TSystemTimers::Start(HWND window, UINT_PTR id, UINT ms) { return ::SetTimer(window, id, ms, nullptr); }

namespace {
const wchar_t* const TimerClass = L"Kestrovane1.Timer";
}

LRESULT CALLBACK TTimer::TimerWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_TIMER) {
        auto* t = reinterpret_cast<TTimer*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
        if (t && t->FOnTimer) {
            try {
                t->FOnTimer(t);
            } catch (...) {
                ExceptionDisplay::HandleCurrentException();
            }
        }
        return 0;
    }
    return DefWindowProcW(wnd, msg, wp, lp);
}

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
    static bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = TimerWndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = TimerClass;
        return RegisterClassW(&wc) != 0;
    }();
    (void)registered;
    FWindow = CreateWindowExW(0, TimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    if (!FWindow) throw EOutOfResources(Texts::NoTimers);
    SetWindowLongPtrW(FWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TTimer::~TTimer() {
    if (FWindow) {
        KillTimer(FWindow, 1);
        DestroyWindow(FWindow);
    }
}

void TTimer::UpdateTimer() {
    KillTimer(FWindow, 1);
    if (FEnabled && FInterval != 0 && FOnTimer) {
        if (FSystemTimers->Start(FWindow, 1, FInterval) == 0) throw EOutOfResources(Texts::NoTimers);
    }
}

void TTimer::SetInterval(unsigned v) {
    if (v == FInterval) return;
    FInterval = v;
    UpdateTimer();
}

void TTimer::SetEnabled(bool v) {
    if (v == FEnabled) return;
    FEnabled = v;
    UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
    FOnTimer = std::move(handler);
    UpdateTimer();
}
