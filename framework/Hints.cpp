#include "framework/Hints.h"

#include "framework/Controls.h"

#include <commctrl.h>

namespace Hints {

namespace {
const char* const TipsProp = "Kestrovane1.Tips";

// One tooltip window per top-level window, made when its first hint is registered.
HWND TipsFor(HWND top) {
    if (auto h = static_cast<HWND>(GetPropA(top, TipsProp))) return h;
    HWND tips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, top,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    if (tips) SetPropA(top, TipsProp, tips);
    return tips;
}
} // namespace

HWND Register(TWinControl* control) {
    HWND wnd = control->Handle();
    HWND top = GetAncestor(wnd, GA_ROOT);
    if (!top || top == wnd) return nullptr;
    HWND tips = TipsFor(top);
    if (!tips) return nullptr;
    TOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND;
    ti.hwnd = top;
    ti.uId = reinterpret_cast<UINT_PTR>(wnd);
    ti.lpszText = const_cast<char*>(control->Hint.c_str());
    SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    return tips;
}

void Relay(HWND tips, HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    MSG m{};
    m.hwnd = wnd;
    m.message = msg;
    m.wParam = wp;
    m.lParam = lp;
    SendMessageA(tips, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
}

} // namespace Hints
