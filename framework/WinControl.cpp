#include "framework/Controls.h"

#include "framework/ExceptionDisplay.h"
#include "framework/Exceptions.h"
#include "framework/Hints.h"
#include "framework/WideText.h"

#include <algorithm>
#include <map>
#include <unordered_map>

// ---------------------------------------------------------------- window classes

namespace {

const wchar_t* const ControlProp = L"Kestrovane1.Control";

// Every message looks its control up, so the lookup is a table of our own: a window
// property costs a trip to the window server under Wine. The property stays on the
// window for anyone who looks there.
std::unordered_map<HWND, TWinControl*>& Bound() {
    static std::unordered_map<HWND, TWinControl*> table;
    return table;
}

void Bind(HWND wnd, TWinControl* c) {
    SetPropW(wnd, ControlProp, c);
    Bound()[wnd] = c;
}

void Unbind(HWND wnd) {
    RemovePropW(wnd, ControlProp);
    Bound().erase(wnd);
}
thread_local TWinControl* g_creating = nullptr;

struct ClassInfo {
    WNDPROC baseProc;
};
std::map<std::string, ClassInfo>& Registered() {
    static std::map<std::string, ClassInfo> m;
    return m;
}

// Registers (once) our class over the base class and returns the base's procedure. The
// classes are Unicode, so the system hands every text to them and to the base class in
// UTF-16, never through the system's ANSI code page.
WNDPROC EnsureClass(const std::string& name, const TCreateParams& p) {
    auto& reg = Registered();
    if (auto it = reg.find(name); it != reg.end()) return it->second.baseProc;
    WNDCLASSW wc{};
    WNDPROC base = DefWindowProcW;
    if (!p.BaseClass.empty()) {
        if (!GetClassInfoW(nullptr, Widen(p.BaseClass).c_str(), &wc))
            throw EOutOfResources("window class");
        base = wc.lpfnWndProc;
    } else {
        wc.style = p.ClassStyle;
        wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
        wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), L"MAINICON");
    }
    const std::wstring wideName = Widen(name);
    wc.lpfnWndProc = StdWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = wideName.c_str();
    if (!RegisterClassW(&wc)) throw EOutOfResources("window class");
    reg[name] = {base};
    return base;
}

} // namespace

TWinControl* FindControl(HWND wnd) {
    if (!wnd) return nullptr;
    const auto it = Bound().find(wnd);
    return it == Bound().end() ? nullptr : it->second;
}

LRESULT CALLBACK StdWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    TWinControl* c = FindControl(wnd);
    if (!c) {
        c = g_creating;
        if (!c) return DefWindowProcW(wnd, msg, wp, lp);
        g_creating = nullptr;
        Bind(wnd, c);
        c->FHandle = wnd;
    }
    if (c->FTips && msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) Hints::Relay(c->FTips, wnd, msg, wp, lp);
    TMessage m{msg, wp, lp, 0};
    try {
        c->Dispatch(m);
    } catch (...) {
        ExceptionDisplay::HandleCurrentException();
    }
    if (msg == WM_NCDESTROY) {
        Unbind(wnd);
        if (c->FHandle == wnd) c->FHandle = nullptr;
    }
    return m.Result;
}

// ---------------------------------------------------------------- TWinControl

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
    // Children still parented here no longer have a parent window to live in.
    while (!FControls.empty())
        FControls.back()->SetParent(nullptr);
    if (FHandle) {
        HWND h = FHandle;
        Unbind(h);
        FHandle = nullptr;
        DestroyWindow(h);
    }
}

void TWinControl::CreateParams(TCreateParams& p) {
    p.Caption = FText;
    p.Style =
        WS_CHILD | WS_CLIPSIBLINGS | (FVisible ? WS_VISIBLE : 0) | (FEnabled ? 0 : WS_DISABLED);
    if (TabStop) p.Style |= WS_TABSTOP;
    p.X = FLeft;
    p.Y = FTop;
    p.Width = FWidth;
    p.Height = FHeight;
    p.WndParent = FParent ? FParent->Handle() : nullptr;
}

HWND TWinControl::Handle() {
    if (!FHandle) CreateWnd();
    return FHandle;
}

void TWinControl::CreateWnd() {
    TCreateParams p;
    CreateParams(p);
    if (FParent && !p.WndParent) throw EInvalidOperation("parent window");
    const std::string cls =
        std::string("Kv") + ClassName() + (p.BaseClass.empty() ? "" : "." + p.BaseClass);
    FDefWndProc = EnsureClass(cls, p);
    FOwnClass = p.BaseClass.empty();
    static int nextId = 100;
    HMENU id =
        (p.Style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextId++)) : nullptr;
    g_creating = this;
    HWND h = CreateWindowExW(p.ExStyle, Widen(cls).c_str(), Widen(p.Caption).c_str(), p.Style, p.X, p.Y,
                             p.Width, p.Height, p.WndParent, id, GetModuleHandleW(nullptr), nullptr);
    g_creating = nullptr;
    if (!h) throw EOutOfResources("window");
    FHandle = h;
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Handle()), FALSE);
    for (TControl* c : FControls)
        if (auto* w = dynamic_cast<TWinControl*>(c)) w->HandleNeeded();
    UpdateTabOrder();
    AlignControls();
    if (FShowHint && !Hint.empty()) AddTool();
    CreateHandleDone();
}

void TWinControl::AddTool() {
    FTips = Hints::Register(this);
}

void TWinControl::DestroyWnd() {
    if (!FHandle) return;
    DestroyHandleStarting();
    HWND h = FHandle;
    DestroyWindow(h);
    FHandle = nullptr;
}

void TWinControl::RecreateWnd() {
    if (!FHandle) return;
    FRecreating = true;
    DestroyWnd();
    CreateWnd();
    FRecreating = false;
}

void TWinControl::InsertControl(TControl* c) {
    FControls.push_back(c);
    c->FParent = this;
    c->ParentFontChanged();
    c->ParentColorChanged();
    if (auto* w = dynamic_cast<TWinControl*>(c); w && FHandle) w->HandleNeeded();
    if (c->Align() != alNone) AlignControls();
    c->Invalidate();
}

void TWinControl::RemoveControl(TControl* c) {
    if (CaptureControl == c) CaptureControl = nullptr;
    c->Invalidate();
    auto it = std::find(FControls.begin(), FControls.end(), c);
    if (it != FControls.end()) FControls.erase(it);
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyWnd();
    c->FParent = nullptr;
}

void TWinControl::Broadcast(TMessage& msg) {
    for (size_t i = 0; i < FControls.size(); ++i) {
        FControls[i]->Dispatch(msg);
        if (msg.Result != 0) return;
    }
}

TControl* TWinControl::ControlAtPos(TPoint p, bool allowDisabled, bool allowWinControls) {
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* c = *it;
        if (c->IsWindowed() && !allowWinControls) continue;
        if (!c->Visible() || (!c->Enabled() && !allowDisabled)) continue;
        if (c->BoundsRect().Contains(p)) return c;
    }
    return nullptr;
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    if (FHandle) {
        SetWindowPos(FHandle, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        return; // WM_WINDOWPOSCHANGED stores what the window really got
    }
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    AlignControls();
}

void TWinControl::SetVisible(bool v) {
    if (v == FVisible) return;
    FVisible = v;
    if (FHandle) ShowWindow(FHandle, v ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::SetText(const std::string& v) {
    if (FHandle) {
        SetWindowTextW(FHandle, Widen(v).c_str());
        if (GetText() == FText) return;
    }
    if (v == FText) return;
    FText = v;
    Perform(CM_TEXTCHANGED);
}

std::string TWinControl::GetText() const {
    if (!FHandle) return FText;
    const int n = GetWindowTextLengthW(FHandle);
    std::wstring s(static_cast<size_t>(n) + 1, L'\0');
    s.resize(static_cast<size_t>(GetWindowTextW(FHandle, s.data(), n + 1)));
    return NarrowShown(s);
}

TRect TWinControl::ClientRect() const {
    if (!FHandle) return TControl::ClientRect();
    RECT r;
    GetClientRect(FHandle, &r);
    return {r.left, r.top, r.right, r.bottom};
}

TPoint TWinControl::ClientOrigin() const {
    if (!FHandle) return TControl::ClientOrigin();
    POINT p{0, 0};
    ::ClientToScreen(FHandle, &p);
    return {p.x, p.y};
}

void TWinControl::Invalidate() {
    if (FHandle) InvalidateRect(FHandle, nullptr, (ControlStyle & csOpaque) ? FALSE : TRUE);
}

void TWinControl::Update() {
    if (FHandle) UpdateWindow(FHandle);
}

void TWinControl::SetFocus() {
    ::SetFocus(Handle());
}

bool TWinControl::Showing() const {
    if (!FVisible) return false;
    if (FParent) return FParent->Showing();
    return FHandle && IsWindowVisible(FHandle);
}

bool TWinControl::Focused() const {
    return FHandle && GetFocus() == FHandle;
}

void TWinControl::AlignControls() {
    const TRect r = ClientRect();
    for (TControl* c : FControls)
        if (c->Align() == alClient) c->SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TWinControl::UpdateTabOrder() {
    std::vector<TWinControl*> tabbed;
    for (TControl* c : FControls)
        if (auto* w = dynamic_cast<TWinControl*>(c); w && w->FHandle) tabbed.push_back(w);
    std::stable_sort(tabbed.begin(), tabbed.end(), [](TWinControl* a, TWinControl* b) {
        auto key = [](TWinControl* w) { return w->TabOrder < 0 ? 1 << 30 : w->TabOrder; };
        return key(a) < key(b);
    });
    HWND after = HWND_TOP;
    for (TWinControl* w : tabbed) {
        SetWindowPos(w->FHandle, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = w->FHandle;
    }
}
