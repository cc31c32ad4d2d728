#pragma once
// A timer ticking through the message loop.
#include "framework/Classes.h"

#include <windows.h>

// The system timers a TTimer ticks by: the real one asks Windows; tests put in one that
// grants none.
class ISystemTimers {
public:
    virtual ~ISystemTimers() = default;
    // Starts (or restarts) timer `id` of `window` at `ms`; zero when none is granted.
    virtual UINT_PTR Start(HWND window, UINT_PTR id, UINT ms) = 0;
};

// Windows' own timers.
class TSystemTimers : public ISystemTimers {
public:
    UINT_PTR Start(HWND window, UINT_PTR id, UINT ms) override;
};

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;
    const char* ClassName() const override { return "TTimer"; }

    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned v);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    void SetOnTimer(TNotifyEvent handler);

    // Where the timer is granted from; Windows' own timers unless set.
    void SetSystemTimers(ISystemTimers& timers) { FSystemTimers = &timers; }

private:
    static LRESULT CALLBACK TimerWndProc(HWND, UINT, WPARAM, LPARAM);
    void UpdateTimer();
    unsigned FInterval = 1000;
    bool FEnabled = true;
    TNotifyEvent FOnTimer;
    HWND FWindow = nullptr;
    TSystemTimers FRealTimers;
    ISystemTimers* FSystemTimers = &FRealTimers;
};
