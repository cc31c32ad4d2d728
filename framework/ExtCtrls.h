#pragma once
// A timer ticking through the message loop.
#include "framework/Classes.h"

#include <windows.h>

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

    // The platform call that grants a timer; tests put in one that grants none.
    using SetTimerFn = UINT_PTR (*)(HWND, UINT_PTR, UINT, TIMERPROC);
    static SetTimerFn SystemSetTimer;

private:
    static LRESULT CALLBACK TimerWndProc(HWND, UINT, WPARAM, LPARAM);
    void UpdateTimer();
    unsigned FInterval = 1000;
    bool FEnabled = true;
    TNotifyEvent FOnTimer;
    HWND FWindow = nullptr;
};
