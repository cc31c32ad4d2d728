#include "framework/Controls.h"

#include <windowsx.h>

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

TShiftState CurrentShiftState() {
    auto held = [](int key) { return GetKeyState(key) < 0; };
    WPARAM keys = 0;
    if (held(VK_SHIFT)) keys |= MK_SHIFT;
    if (held(VK_CONTROL)) keys |= MK_CONTROL;
    if (held(VK_LBUTTON)) keys |= MK_LBUTTON;
    if (held(VK_RBUTTON)) keys |= MK_RBUTTON;
    if (held(VK_MBUTTON)) keys |= MK_MBUTTON;
    return ShiftFromKeys(keys);
}

// ---------------------------------------------------------------- TControl

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
    FFont.OnChange = [this](TObject* s) { FontChanged(s); };
}

TControl::~TControl() {
    ForgetMouseControl(this);
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

bool TControl::Showing() const {
    return FVisible && FParent && FParent->Showing();
}

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
    case WM_LBUTTONDOWN:
        MouseDown(mbLeft, shift, x, y);
        break;
    case WM_RBUTTONDOWN:
        MouseDown(mbRight, shift, x, y);
        break;
    case WM_MBUTTONDOWN:
        MouseDown(mbMiddle, shift, x, y);
        break;
    case WM_LBUTTONDBLCLK:
        if (ControlStyle & csClickEvents) DblClick();
        MouseDown(mbLeft, shift | ssDouble, x, y);
        break;
    case WM_MOUSEMOVE:
        MouseMove(shift, x, y);
        break;
    case WM_LBUTTONUP:
        if ((ControlStyle & csClickEvents) && ClientRect().Contains({x, y})) Click();
        MouseUp(mbLeft, shift, x, y);
        break;
    case WM_RBUTTONUP:
        MouseUp(mbRight, shift, x, y);
        break;
    case WM_MBUTTONUP:
        MouseUp(mbMiddle, shift, x, y);
        break;
    }
}

void TControl::Dispatch(TMessage& msg) {
    switch (msg.Msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
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

void TGraphicControl::Dispatch(TMessage& msg) {
    TControl::Dispatch(msg);
}

void TGraphicControl::PaintOn(HDC dc) {
    const CanvasOn canvas(FCanvas, dc);
    FCanvas.Font.Assign(&FFont);
    Paint();
}
