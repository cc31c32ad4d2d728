#pragma once
// Tooltips: a windowed control with ShowHint and a hint gets a real system tooltip.
#include <windows.h>

class TWinControl;

namespace Hints {
// Adds the control to its top-level window's tooltip; returns the tooltip window (or null).
HWND Register(TWinControl* control);
// Hands a mouse message of a registered control to its tooltip. The control's window
// relays its own mouse messages rather than letting the tooltip subclass it: a
// subclassed window pays a window-property lookup on every message, which under Wine is
// a trip to the window server.
void Relay(HWND tips, HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
}
