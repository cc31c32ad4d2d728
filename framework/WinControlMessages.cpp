#include "framework/Controls.h"

#include "framework/Handles.h"
#include "framework/Menus.h"

#include <windowsx.h>

// A windowed control paints its graphic children, routes the mouse to them and takes back
// the notifications its parent reflects.

void TWinControl::PaintWindow(HDC dc) {
    RECT r;
    GetClientRect(FHandle, &r);
    const GdiObject brush(CreateSolidBrush(ColorRef(FColor)));
    FillRect(dc, &r, static_cast<HBRUSH>(brush.Get()));
}

void TWinControl::PaintControls(HDC dc, const RECT& update) {
    for (TControl* c : FControls) {
        auto* g = dynamic_cast<TGraphicControl*>(c);
        if (!g || !g->Visible()) continue;
        RECT cr{g->Left(), g->Top(), g->Left() + g->Width(), g->Top() + g->Height()}, hit;
        if (!IntersectRect(&hit, &cr, &update)) continue;
        const SavedDC saved(dc);
        POINT org;
        OffsetViewportOrgEx(dc, g->Left(), g->Top(), &org);
        IntersectClipRect(dc, 0, 0, g->Width(), g->Height());
        g->PaintOn(dc);
    }
}

void TWinControl::DoPaint(TMessage& msg) {
    const PaintScope paint(FHandle, reinterpret_cast<HDC>(msg.WParam));
    PaintWindow(paint.DC());
    PaintControls(paint.DC(), paint.Update());
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
    if (m.Msg == WM_LBUTTONDBLCLK && !(target->ControlStyle & csDoubleClicks))
        m.Msg = WM_LBUTTONDOWN;
    if ((m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK) &&
        (target->ControlStyle & csCaptureMouse)) {
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
    case WM_PRINTCLIENT:
        // A themed child (a button, a combo box) asks for what lies behind its rounded,
        // partly transparent edges: the face and the graphic children, into its DC.
        if (!FOwnClass) break;
        if (msg.WParam && (msg.LParam & PRF_CLIENT)) DoPaint(msg);
        return;
    case WM_ERASEBKGND:
        if (!FOwnClass) break;
        msg.Result = 1; // painted in WM_PAINT, with the children, in one go
        return;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        RouteMouseToGraphicChild(msg, handled);
        if (handled) return;
        break;
    case WM_RBUTTONUP:
        // The child hears the release too; the window still turns it into its context menu.
        RouteMouseToGraphicChild(msg, handled);
        break;
    case CM_DIALOGCHAR:
        Broadcast(msg);
        return;
    case WM_SETFOCUS:
        if (FParent) {
            TWinControl* top = FParent;
            while (top->FParent) top = top->FParent;
            top->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(this));
        }
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
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
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
        if (FHandle)
            SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Handle()), TRUE);
        for (TControl* c : FControls)
            c->Perform(CM_PARENTFONTCHANGED);
        Invalidate();
        return;
    case CM_COLORCHANGED:
        for (TControl* c : FControls)
            c->Perform(CM_PARENTCOLORCHANGED);
        Invalidate();
        return;
    }
    TControl::Dispatch(msg);
}

void TWinControl::DefaultHandler(TMessage& msg) {
    if (!FHandle || msg.Msg >= CM_BASE) return;
    msg.Result = CallWindowProcW(FDefWndProc, FHandle, msg.Msg, msg.WParam, msg.LParam);
}
