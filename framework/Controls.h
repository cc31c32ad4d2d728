#pragma once
// Controls: TControl (bounds, visibility, text, font, colour, mouse, repaint),
// TWinControl (a control with its own window, and the parent of others) and
// TGraphicControl (no window: painted by its parent, in creation order).
#include "framework/Classes.h"
#include "framework/Graphics.h"
#include "framework/portable/Alignment.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TWinControl;
class TPopupMenu;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TDragMode { dmManual, dmAutomatic };

enum TControlStyleFlag : unsigned {
    csAcceptsControls = 1u << 0,
    csCaptureMouse = 1u << 1,
    csClickEvents = 1u << 3,
    csSetCaption = 1u << 5,
    csOpaque = 1u << 6,
    csDoubleClicks = 1u << 7,
    csReplicatable = 1u << 11,
};
using TControlStyle = unsigned;

enum TShiftFlag : unsigned {
    ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64
};
using TShiftState = unsigned;

using TMouseEvent = std::function<void(TObject*, TMouseButton, TShiftState, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject*, TShiftState, int X, int Y)>;

// The shift state carried by a mouse message's key flags.
TShiftState ShiftFromKeys(WPARAM keys);
// The same for the keys and mouse buttons held right now.
TShiftState CurrentShiftState();

class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;
    const char* ClassName() const override { return "TControl"; }
    void Dispatch(TMessage& msg) override;

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* parent);

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
    void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
    void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
    void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    virtual TRect ClientRect() const { return {0, 0, FWidth, FHeight}; }
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    virtual TPoint ClientOrigin() const;  // screen position of the client area's corner
    TPoint ScreenToClient(TPoint p) const;
    TPoint ClientToScreen(TPoint p) const;

    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool v);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    const std::string& Caption() const { return FText; }
    void SetCaption(const std::string& v) { SetText(v); }
    virtual std::string GetText() const { return FText; }
    virtual void SetText(const std::string& v);

    TFont* Font() { return &FFont; }
    void SetFont(TFont* f) { FFont.Assign(f); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool v);
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool v);

    std::string Hint;
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool v);
    bool ParentShowHint = true;
    TPopupMenu* PopupMenu = nullptr;
    TControlStyle ControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign v);
    TDragMode DragMode = dmManual;

    virtual void Invalidate();
    virtual void Update();
    void Repaint();
    LRESULT Perform(UINT msg, WPARAM wp = 0, LPARAM lp = 0);
    virtual bool IsWindowed() const { return false; }
    // Shown, and every parent up to the top-level window too.
    virtual bool Showing() const;

    TNotifyEvent OnClick, OnDblClick;
    TMouseEvent OnMouseDown, OnMouseUp;
    TMouseMoveEvent OnMouseMove;

    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);

protected:
    friend class TWinControl;
    virtual void ParentFontChanged();
    virtual void ParentColorChanged();
    void RequestAlign();

    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    TWinControl* FParent = nullptr;
    bool FVisible = true;
    bool FEnabled = true;
    std::string FText;
    TFont FFont;
    bool FParentFont = true;
    TColor FColor = clWindow;
    bool FParentColor = true;
    bool FShowHint = false;
    TAlign FAlign = alNone;

private:
    void FontChanged(TObject*);
    void HandleMouse(TMessage& msg);
    bool FInFontUpdate = false;
};

// What CreateParams describes for a window about to be created.
struct TCreateParams {
    std::string Caption;
    DWORD Style = 0, ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    // The system class this control's window is built on, or empty for a plain window.
    std::string BaseClass;
    UINT ClassStyle = CS_DBLCLKS;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;
    const char* ClassName() const override { return "TWinControl"; }
    void Dispatch(TMessage& msg) override;
    void DefaultHandler(TMessage& msg) override;

    HWND Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HandleNeeded() { Handle(); }
    void RecreateWnd();
    bool IsWindowed() const override { return true; }

    const std::vector<TControl*>& Controls() const { return FControls; }
    void InsertControl(TControl* c);
    void RemoveControl(TControl* c);
    // Delivers the message to every child control in order until one sets a result.
    void Broadcast(TMessage& msg);
    // The topmost child at a client point (the last created wins); optionally also
    // disabled ones; windowed children count only when allowWinControls.
    TControl* ControlAtPos(TPoint p, bool allowDisabled, bool allowWinControls = false);

    int TabOrder = -1;
    bool TabStop = false;

    void SetBounds(int left, int top, int width, int height) override;
    void SetVisible(bool v) override;
    void SetText(const std::string& v) override;
    std::string GetText() const override;
    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    void Invalidate() override;
    void Update() override;
    void SetFocus();
    bool Focused() const;
    bool Showing() const override;

    // The control that holds the mouse while a button is pressed on a graphic child.
    TControl* CaptureControl = nullptr;

    // Lays out children aligned to the client area.
    void AlignControls();

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    virtual void DestroyWnd();
    // Runs after the window exists: restores state kept across a re-creation.
    virtual void CreateHandleDone() {}
    // Runs before the window is destroyed for a re-creation: keeps what must survive.
    virtual void DestroyHandleStarting() {}
    // Paints this control's own face in WM_PAINT (graphic children come after).
    virtual void PaintWindow(HDC dc);
    void PaintControls(HDC dc, const RECT& update);
    void UpdateTabOrder();

    HWND FHandle = nullptr;
    WNDPROC FDefWndProc = nullptr;
    bool FOwnClass = true;  // a plain window of ours, not built on a system class
    std::vector<TControl*> FControls;

private:
    friend LRESULT CALLBACK StdWndProc(HWND, UINT, WPARAM, LPARAM);
    void RouteMouseToGraphicChild(TMessage& msg, bool& handled);
    void ReflectToChild(TMessage& msg, HWND child, bool& handled);
    void DoPaint(TMessage& msg);
    void AddTool();
    HWND FTips = nullptr;  // the tooltip that shows this control's hint
    bool FRecreating = false;
};

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);
    const char* ClassName() const override { return "TGraphicControl"; }
    void Dispatch(TMessage& msg) override;
    TCanvas* Canvas() { return &FCanvas; }
    // Paints the control with its canvas on the given device context, whose origin is
    // the control's top-left corner.
    void PaintOn(HDC dc);

protected:
    virtual void Paint() {}

private:
    TCanvas FCanvas;
};

// The window procedure every control window goes through: binds the object, hands the
// message to its Dispatch and catches every exception there.
LRESULT CALLBACK StdWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
// The control object behind a window, if any.
TWinControl* FindControl(HWND wnd);

// The topmost control of ours at a screen point: a graphic child there (disabled ones
// too when asked), else the windowed control; null over windows not ours.
TControl* FindDragTarget(TPoint screenPos, bool allowDisabled);
// The control holding the mouse capture: a graphic child that captured it through its
// parent, or the capturing window's control; null when none of ours holds it.
TControl* GetCaptureControl();
// One step of idle-time mouse tracking: when the control under the cursor changed, the
// old one gets CM_MOUSELEAVE and the new one CM_MOUSEENTER (only the capturing control
// while a capture is held).
void TrackMouseControl();
// A control going away is no longer the one under the mouse.
void ForgetMouseControl(TControl* c);
