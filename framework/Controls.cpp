#include "framework/Controls.h"

#include "framework/ExceptionDisplay.h"
#include "framework/Exceptions.h"
#include "framework/Hints.h"
#include "framework/Menus.h"

#include <windowsx.h>

#include <algorithm>
#include <map>

TShiftState ShiftFromKeys(WPARAM keys) {
    TShiftState s = 0;
    if (keys & MK_SHIFT) s |= ssShift;
    if (keys & MK_CONTROL) s |= ssCtrl;
    if (keys & MK_LBUTTON) s |= ssLeft;
    if (keys & MK_RBUTTON) s |= ssRight;
    if (keys & MK_MBUTTON) s |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

// ---------------------------------------------------------------- TControl

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
    FFont.OnChange = [this](TObject* s) { FontChanged(s); };
}

TControl::~TControl() {
    if (FParent) FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == FParent) return;
    if (FParent) FParent->RemoveControl(this);
    if (parent) parent->InsertControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
    Invalidate();
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    Invalidate();
}

TPoint TControl::ClientOrigin() const {
    TPoint p = FParent ? FParent->ClientOrigin() : TPoint{};
    return {p.X + FLeft, p.Y + FTop};
}

TPoint TControl::ScreenToClient(TPoint p) const {
    TPoint o = ClientOrigin();
    return {p.X - o.X, p.Y - o.Y};
}

TPoint TControl::ClientToScreen(TPoint p) const {
    TPoint o = ClientOrigin();
    return {p.X + o.X, p.Y + o.Y};
}

void TControl::SetVisible(bool v) {
    if (v == FVisible) return;
    Invalidate();
    FVisible = v;
    Invalidate();
}

void TControl::SetEnabled(bool v) {
    if (v == FEnabled) return;
    FEnabled = v;
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetText(const std::string& v) {
    if (v == FText) return;
    FText = v;
    Perform(CM_TEXTCHANGED);
}

void TControl::SetParentFont(bool v) {
    if (v == FParentFont) return;
    FParentFont = v;
    if (v) ParentFontChanged();
}

void TControl::SetColor(TColor v) {
    if (v == FColor) return;
    FColor = v;
    FParentColor = false;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool v) {
    if (v == FParentColor) return;
    FParentColor = v;
    if (v) ParentColorChanged();
}

void TControl::SetShowHint(bool v) {
    FShowHint = v;
    ParentShowHint = false;
}

void TControl::SetAlign(TAlign v) {
    if (v == FAlign) return;
    FAlign = v;
    RequestAlign();
}

void TControl::RequestAlign() {
    if (FParent) FParent->AlignControls();
}

void TControl::FontChanged(TObject*) {
    if (!FInFontUpdate) FParentFont = false;
    Perform(CM_FONTCHANGED);
}

void TControl::ParentFontChanged() {
    if (!FParentFont || !FParent) return;
    FInFontUpdate = true;
    FFont.Assign(FParent->Font());
    FInFontUpdate = false;
}

void TControl::ParentColorChanged() {
    if (!FParentColor || !FParent) return;
    if (FColor == FParent->Color()) return;
    FColor = FParent->Color();
    Perform(CM_COLORCHANGED);
}

bool TControl::Showing() const { return FVisible && FParent && FParent->Showing(); }

void TControl::Invalidate() {
    if (!FParent || !FParent->HandleAllocated() || !FVisible) return;
    RECT r{FLeft, FTop, FLeft + FWidth, FTop + FHeight};
    InvalidateRect(FParent->Handle(), &r, (ControlStyle & csOpaque) ? FALSE : TRUE);
}

void TControl::Update() {
    if (FParent) FParent->Update();
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

LRESULT TControl::Perform(UINT msg, WPARAM wp, LPARAM lp) {
    TMessage m{msg, wp, lp, 0};
    Dispatch(m);
    return m.Result;
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}
void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}
void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}
void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}
void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::HandleMouse(TMessage& msg) {
    const int x = GET_X_LPARAM(msg.LParam), y = GET_Y_LPARAM(msg.LParam);
    const TShiftState shift = ShiftFromKeys(msg.WParam);
    switch (msg.Msg) {
    case WM_LBUTTONDOWN: MouseDown(mbLeft, shift, x, y); break;
    case WM_RBUTTONDOWN: MouseDown(mbRight, shift, x, y); break;
    case WM_MBUTTONDOWN: MouseDown(mbMiddle, shift, x, y); break;
    case WM_LBUTTONDBLCLK:
        if (ControlStyle & csClickEvents) DblClick();
        MouseDown(mbLeft, shift | ssDouble, x, y);
        break;
    case WM_MOUSEMOVE: MouseMove(shift, x, y); break;
    case WM_LBUTTONUP:
        if ((ControlStyle & csClickEvents) && ClientRect().Contains({x, y})) Click();
        MouseUp(mbLeft, shift, x, y);
        break;
    case WM_RBUTTONUP: MouseUp(mbRight, shift, x, y); break;
    case WM_MBUTTONUP: MouseUp(mbMiddle, shift, x, y); break;
    }
}

void TControl::Dispatch(TMessage& msg) {
    switch (msg.Msg) {
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE: case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP:
        HandleMouse(msg);
        break;
    case CM_ENABLEDCHANGED:
    case CM_TEXTCHANGED:
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
        Invalidate();
        return;
    case CM_PARENTFONTCHANGED:
        ParentFontChanged();
        return;
    case CM_PARENTCOLORCHANGED:
        ParentColorChanged();
        return;
    }
    TComponent::Dispatch(msg);
}

// ---------------------------------------------------------------- TGraphicControl

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {}

void TGraphicControl::Dispatch(TMessage& msg) { TControl::Dispatch(msg); }

void TGraphicControl::PaintOn(HDC dc) {
    FCanvas.SetHandle(dc);
    FCanvas.Font.Assign(&FFont);
    try {
        Paint();
    } catch (...) {
        FCanvas.SetHandle(nullptr);
        throw;
    }
    FCanvas.SetHandle(nullptr);
}

// ---------------------------------------------------------------- window classes

namespace {

const char* const ControlProp = "Kestrovane1.Control";
thread_local TWinControl* g_creating = nullptr;

struct ClassInfo {
    WNDPROC baseProc;
};
std::map<std::string, ClassInfo>& Registered() {
    static std::map<std::string, ClassInfo> m;
    return m;
}

// Registers (once) our class over the base class and returns the base's procedure.
WNDPROC EnsureClass(const std::string& name, const TCreateParams& p) {
    auto& reg = Registered();
    if (auto it = reg.find(name); it != reg.end()) return it->second.baseProc;
    WNDCLASSA wc{};
    WNDPROC base = DefWindowProcA;
    if (!p.BaseClass.empty()) {
        if (!GetClassInfoA(nullptr, p.BaseClass.c_str(), &wc)) throw EOutOfResources("window class");
        base = wc.lpfnWndProc;
    } else {
        wc.style = p.ClassStyle;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hIcon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
    }
    wc.lpfnWndProc = StdWndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = name.c_str();
    if (!RegisterClassA(&wc)) throw EOutOfResources("window class");
    reg[name] = {base};
    return base;
}

} // namespace

TWinControl* FindControl(HWND wnd) {
    return wnd ? static_cast<TWinControl*>(GetPropA(wnd, ControlProp)) : nullptr;
}

LRESULT CALLBACK StdWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    TWinControl* c = FindControl(wnd);
    if (!c) {
        c = g_creating;
        if (!c) return DefWindowProcA(wnd, msg, wp, lp);
        g_creating = nullptr;
        SetPropA(wnd, ControlProp, c);
        c->FHandle = wnd;
    }
    TMessage m{msg, wp, lp, 0};
    try {
        c->Dispatch(m);
    } catch (...) {
        ExceptionDisplay::HandleCurrentException();
    }
    if (msg == WM_NCDESTROY) {
        RemovePropA(wnd, ControlProp);
        if (c->FHandle == wnd) c->FHandle = nullptr;
    }
    return m.Result;
}

// ---------------------------------------------------------------- TWinControl

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
    // Children still parented here no longer have a parent window to live in.
    while (!FControls.empty()) FControls.back()->SetParent(nullptr);
    if (FHandle) {
        HWND h = FHandle;
        RemovePropA(h, ControlProp);
        FHandle = nullptr;
        DestroyWindow(h);
    }
}

void TWinControl::CreateParams(TCreateParams& p) {
    p.Caption = FText;
    p.Style = WS_CHILD | WS_CLIPSIBLINGS | (FVisible ? WS_VISIBLE : 0) | (FEnabled ? 0 : WS_DISABLED);
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
    const std::string cls = std::string("Kv") + ClassName() + (p.BaseClass.empty() ? "" : "." + p.BaseClass);
    FDefWndProc = EnsureClass(cls, p);
    FOwnClass = p.BaseClass.empty();
    static int nextId = 100;
    HMENU id = (p.Style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextId++)) : nullptr;
    g_creating = this;
    HWND h = CreateWindowExA(p.ExStyle, cls.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y, p.Width,
                             p.Height, p.WndParent, id, GetModuleHandleA(nullptr), nullptr);
    g_creating = nullptr;
    if (!h) throw EOutOfResources("window");
    FHandle = h;
    SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Handle()), FALSE);
    for (TControl* c : FControls)
        if (auto* w = dynamic_cast<TWinControl*>(c)) w->HandleNeeded();
    UpdateTabOrder();
    AlignControls();
    if (FShowHint && !Hint.empty()) AddTool();
    CreateHandleDone();
}

void TWinControl::AddTool() { Hints::Register(this); }

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
        return;  // WM_WINDOWPOSCHANGED stores what the window really got
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
        SetWindowTextA(FHandle, v.c_str());
        if (GetText() == FText) return;
    }
    if (v == FText) return;
    FText = v;
    Perform(CM_TEXTCHANGED);
}

std::string TWinControl::GetText() const {
    if (!FHandle) return FText;
    int n = GetWindowTextLengthA(FHandle);
    std::string s(static_cast<size_t>(n) + 1, '\0');
    s.resize(static_cast<size_t>(GetWindowTextA(FHandle, s.data(), n + 1)));
    return s;
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

void TWinControl::SetFocus() { ::SetFocus(Handle()); }

bool TWinControl::Showing() const {
    if (!FVisible) return false;
    if (FParent) return FParent->Showing();
    return FHandle && IsWindowVisible(FHandle);
}

bool TWinControl::Focused() const { return FHandle && GetFocus() == FHandle; }

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

void TWinControl::PaintWindow(HDC dc) {
    RECT r;
    GetClientRect(FHandle, &r);
    HBRUSH b = CreateSolidBrush(ColorRef(FColor));
    FillRect(dc, &r, b);
    DeleteObject(b);
}

void TWinControl::PaintControls(HDC dc, const RECT& update) {
    for (TControl* c : FControls) {
        auto* g = dynamic_cast<TGraphicControl*>(c);
        if (!g || !g->Visible()) continue;
        RECT cr{g->Left(), g->Top(), g->Left() + g->Width(), g->Top() + g->Height()}, hit;
        if (!IntersectRect(&hit, &cr, &update)) continue;
        const int saved = SaveDC(dc);
        POINT org;
        OffsetViewportOrgEx(dc, g->Left(), g->Top(), &org);
        IntersectClipRect(dc, 0, 0, g->Width(), g->Height());
        try {
            g->PaintOn(dc);
        } catch (...) {
            RestoreDC(dc, saved);
            throw;
        }
        RestoreDC(dc, saved);
    }
}

void TWinControl::DoPaint(TMessage& msg) {
    PAINTSTRUCT ps;
    HDC dc = msg.WParam ? reinterpret_cast<HDC>(msg.WParam) : BeginPaint(FHandle, &ps);
    RECT update;
    if (msg.WParam)
        GetClientRect(FHandle, &update);
    else
        update = ps.rcPaint;
    try {
        PaintWindow(dc);
        PaintControls(dc, update);
    } catch (...) {
        if (!msg.WParam) EndPaint(FHandle, &ps);
        throw;
    }
    if (!msg.WParam) EndPaint(FHandle, &ps);
}

void TWinControl::RouteMouseToGraphicChild(TMessage& msg, bool& handled) {
    handled = false;
    const TPoint p{GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam)};
    TControl* target = CaptureControl;
    if (!target) {
        target = ControlAtPos(p, false);
        if (target && target->IsWindowed()) target = nullptr;
    }
    if (!target) return;
    TMessage m = msg;
    m.LParam = MAKELPARAM(p.X - target->Left(), p.Y - target->Top());
    if (m.Msg == WM_LBUTTONDBLCLK && !(target->ControlStyle & csDoubleClicks)) m.Msg = WM_LBUTTONDOWN;
    if ((m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK) && (target->ControlStyle & csCaptureMouse)) {
        CaptureControl = target;
        SetCapture(FHandle);
    }
    if (m.Msg == WM_LBUTTONUP && CaptureControl == target) {
        CaptureControl = nullptr;
        if (GetCapture() == FHandle) ReleaseCapture();
    }
    target->Dispatch(m);
    msg.Result = m.Result;
    handled = true;
}

void TWinControl::ReflectToChild(TMessage& msg, HWND child, bool& handled) {
    handled = false;
    TWinControl* c = FindControl(child);
    if (!c || c == this) return;
    msg.Result = c->Perform(CN_BASE + msg.Msg, msg.WParam, msg.LParam);
    handled = true;
}

void TWinControl::Dispatch(TMessage& msg) {
    bool handled = false;
    switch (msg.Msg) {
    case WM_PAINT:
        if (!FOwnClass) break;
        DoPaint(msg);
        return;
    case WM_ERASEBKGND:
        if (!FOwnClass) break;
        msg.Result = 1;  // painted in WM_PAINT, with the children, in one go
        return;
    case WM_MOUSEMOVE: case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: case WM_MBUTTONUP:
        RouteMouseToGraphicChild(msg, handled);
        if (handled) return;
        break;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(msg.LParam) != FHandle) CaptureControl = nullptr;
        break;
    case WM_COMMAND:
        if (msg.LParam) ReflectToChild(msg, reinterpret_cast<HWND>(msg.LParam), handled);
        if (handled) return;
        break;
    case WM_DRAWITEM:
        ReflectToChild(msg, reinterpret_cast<DRAWITEMSTRUCT*>(msg.LParam)->hwndItem, handled);
        if (handled) return;
        break;
    case WM_MEASUREITEM:
        ReflectToChild(msg, GetDlgItem(FHandle, static_cast<int>(msg.WParam)), handled);
        if (handled) return;
        break;
    case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORSTATIC: case WM_CTLCOLORBTN:
        ReflectToChild(msg, reinterpret_cast<HWND>(msg.LParam), handled);
        if (handled && msg.Result) return;
        break;
    case WM_WINDOWPOSCHANGED: {
        auto* wp = reinterpret_cast<WINDOWPOS*>(msg.LParam);
        if (!(wp->flags & SWP_NOMOVE)) {
            FLeft = wp->x;
            FTop = wp->y;
        }
        if (!(wp->flags & SWP_NOSIZE)) {
            FWidth = wp->cx;
            FHeight = wp->cy;
            AlignControls();
        }
        break;
    }
    case WM_CONTEXTMENU:
        if (PopupMenu) {
            POINT pt{GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam)};
            if (msg.LParam == -1) {
                pt = {FWidth / 2, FHeight / 2};
                ::ClientToScreen(FHandle, &pt);
            }
            PopupMenu->Popup(pt.x, pt.y);
            return;
        }
        break;
    case CM_ENABLEDCHANGED:
        if (FHandle) EnableWindow(FHandle, FEnabled);
        Invalidate();
        return;
    case CM_FONTCHANGED:
        if (FHandle) SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Handle()), TRUE);
        for (TControl* c : FControls) c->Perform(CM_PARENTFONTCHANGED);
        Invalidate();
        return;
    case CM_COLORCHANGED:
        for (TControl* c : FControls) c->Perform(CM_PARENTCOLORCHANGED);
        Invalidate();
        return;
    }
    TControl::Dispatch(msg);
}

void TWinControl::DefaultHandler(TMessage& msg) {
    if (!FHandle || msg.Msg >= CM_BASE) return;
    msg.Result = CallWindowProcA(FDefWndProc, FHandle, msg.Msg, msg.WParam, msg.LParam);
}
