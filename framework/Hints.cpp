#include "framework/Hints.h"

#include "framework/Controls.h"
#include "framework/WideText.h"

#include <commctrl.h>

namespace Hints {

namespace {
const wchar_t* const TipsProp = L"Kestrovane1.Tips";

// One tooltip window per top-level window, made when its first hint is registered.
HWND TipsFor(HWND top) {
    if (auto h = static_cast<HWND>(GetPropW(top, TipsProp))) return h;
    HWND tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, top,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    if (tips) SetPropW(top, TipsProp, tips);
    return tips;
}
} // namespace

HWND Register(TWinControl* control) {
    HWND wnd = control->Handle();
    HWND top = GetAncestor(wnd, GA_ROOT);
    if (!top || top == wnd) return nullptr;
    HWND tips = TipsFor(top);
    if (!tips) return nullptr;
    TOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND;
    ti.hwnd = top;
    ti.uId = reinterpret_cast<UINT_PTR>(wnd);
    // The tooltip keeps its own copy of the text.
    std::wstring text = Widen(control->Hint);
    ti.lpszText = text.data();
    SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    return tips;
}

void Relay(HWND tips, HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    MSG m{};
    m.hwnd = wnd;
    m.message = msg;
    m.wParam = wp;
    m.lParam = lp;
    SendMessageW(tips, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
}

} // namespace Hints
