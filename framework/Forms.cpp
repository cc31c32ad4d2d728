#include "framework/Forms.h"

#include "framework/ExceptionDisplay.h"
#include "framework/WideText.h"

#include <commctrl.h>
#include <ole2.h>

TApplication* Application = nullptr;

// ---------------------------------------------------------------- TForm

TForm::TForm(TComponent* AOwner) : TWinControl(AOwner) {
    FColor = clBtnFace;
    FParentColor = false;
    FParentFont = false;
    FVisible = false;
    FWidth = 320;
    FHeight = 240;
}

TForm::~TForm() {
    if (Application && Application->MainForm == this) Application->MainForm = nullptr;
}

void TForm::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.Style = WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU;
    p.ExStyle = WS_EX_CONTROLPARENT;
    switch (BorderStyle) {
    case bsToolWindow: p.ExStyle |= WS_EX_TOOLWINDOW; break;
    case bsSizeToolWin: p.ExStyle |= WS_EX_TOOLWINDOW; p.Style |= WS_THICKFRAME; break;
    case bsSizeable: p.Style |= WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX; break;
    case bsSingle: p.Style |= WS_MINIMIZEBOX | WS_MAXIMIZEBOX; break;
    case bsDialog: p.ExStyle |= WS_EX_DLGMODALFRAME; break;
    case bsNone: p.Style = WS_POPUP | WS_CLIPCHILDREN; break;
    }
    if (FormStyle == fsStayOnTop) p.ExStyle |= WS_EX_TOPMOST;
    if (Application && Application->MainForm == this) p.ExStyle |= WS_EX_APPWINDOW;
    p.WndParent = nullptr;
}

void TForm::SetClientSize(int width, int height) {
    TCreateParams p;
    CreateParams(p);
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, p.Style, FALSE, p.ExStyle);
    SetBounds(FLeft, FTop, r.right - r.left, r.bottom - r.top);
}

void TForm::ScaleForDesign(int ppi, int textHeight) {
    const WindowDC screen;
    const int screenPpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
    if (screenPpi != ppi) {
        FFont.SetHeight(MulDiv(FFont.Height(), screenPpi, ppi));
        for (TControl* c : FControls)
            if (!c->ParentFont()) c->Font()->SetHeight(MulDiv(c->Font()->Height(), screenPpi, ppi));
    }
    SIZE sz{};
    {
        const ScopedSelect sel(screen.Get(), FFont.Handle());
        GetTextExtentPoint32W(screen.Get(), L"0", 1, &sz);
    }
    const int th = sz.cy;
    if (th == textHeight || th <= 0) return;
    for (TControl* c : FControls)
        c->SetBounds(MulDiv(c->Left(), th, textHeight), MulDiv(c->Top(), th, textHeight),
                     MulDiv(c->Width(), th, textHeight), MulDiv(c->Height(), th, textHeight));
    DesignClientWidth = MulDiv(DesignClientWidth, th, textHeight);
    DesignClientHeight = MulDiv(DesignClientHeight, th, textHeight);
}

void TForm::Show() {
    HandleNeeded();
    if (OnShow) {
        try {
            OnShow(this);
        } catch (...) {
            ExceptionDisplay::HandleCurrentException();
        }
    }
    FVisible = true;
    ShowWindow(FHandle, SW_SHOWNORMAL);
    if (TWinControl* first = FirstInTabOrder()) first->SetFocus();
}

TWinControl* TForm::FirstInTabOrder() {
    TWinControl* first = nullptr;
    for (TControl* c : FControls) {
        auto* w = dynamic_cast<TWinControl*>(c);
        if (w && w->TabStop && w->Visible() && w->Enabled() && (!first || w->TabOrder < first->TabOrder))
            first = w;
    }
    return first;
}

TWinControl* TForm::ActiveControl() const { return FindControl(FActiveWnd); }

void TForm::FocusActiveControl() {
    HWND target = FActiveWnd;
    if (!target || !IsChild(FHandle, target) || !IsWindowVisible(target) || !IsWindowEnabled(target)) {
        TWinControl* first = FirstInTabOrder();
        target = first ? first->Handle() : FHandle;
    }
    if (GetFocus() != target) ::SetFocus(target);
}

void TForm::Close() {
    TCloseAction action = (Application && Application->MainForm == this) ? caFree : caHide;
    if (OnClose) OnClose(this, action);  // an error here leaves the window open
    if (action == caNone) return;
    if (Application && Application->MainForm == this) {
        Application->Terminate();
        return;
    }
    if (FHandle) ShowWindow(FHandle, SW_HIDE);
    FVisible = false;
}

namespace {

// While a combo box's list is open, the keys that move in a list are the list's own.
bool InOpenDropDown(UINT vk) {
    if (vk != VK_UP && vk != VK_DOWN && vk != VK_PRIOR && vk != VK_NEXT && vk != VK_HOME && vk != VK_END)
        return false;
    for (HWND w = GetFocus(); w; w = GetParent(w)) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        if (GetComboBoxInfo(w, &info)) return SendMessageW(w, CB_GETDROPPEDSTATE, 0, 0) != 0;
        if (!(GetWindowLongW(w, GWL_STYLE) & WS_CHILD)) break;
    }
    return false;
}

} // namespace

bool TForm::IsShortCut(UINT vk) {
    if (!PopupMenu) return false;
    TShortCut sc = static_cast<TShortCut>(vk & 0xFF);
    if (GetKeyState(VK_CONTROL) < 0) sc |= scCtrl;
    if (GetKeyState(VK_SHIFT) < 0) sc |= scShift;
    if (GetKeyState(VK_MENU) < 0) sc |= scAlt;
    // A plain key is typing, except a function key.
    const bool functionKey = vk >= VK_F1 && vk <= VK_F24;
    if (!(sc & (scCtrl | scAlt)) && !functionKey) return false;
    if (InOpenDropDown(vk)) return false;
    return PopupMenu->IsShortCut(sc);
}

void TForm::Dispatch(TMessage& msg) {
    switch (msg.Msg) {
    case WM_CLOSE:
        Close();
        return;
    case WM_QUERYENDSESSION:
        // Logging off: consent, without the closing event.
        msg.Result = TRUE;
        return;
    case WM_ENDSESSION:
        if (msg.WParam && Application) Application->Terminate();
        return;
    case WM_NCCREATE:
        if (PopupMenu) PopupMenu->OwnerWindow = FHandle;
        break;
    case CM_FOCUSCHANGED:
        FActiveWnd = reinterpret_cast<TWinControl*>(msg.LParam)->Handle();
        return;
    case WM_ACTIVATE:
        if (LOWORD(msg.WParam) == WA_INACTIVE) {
            // A window inside a control (an edit field of a combo box) took the focus
            // without telling us.
            HWND focus = GetFocus();
            if (focus && IsChild(FHandle, focus)) FActiveWnd = focus;
            break;
        }
        // The default would put the focus on the form itself, where keys do nothing.
        if (!HIWORD(msg.WParam)) FocusActiveControl();
        return;
    case WM_SETFOCUS:
        // A form has nothing to type into: the focus goes on to its control. A disabled
        // form (a modal dialog is open) keeps it until it is enabled and activated again.
        if (IsWindowEnabled(FHandle)) FocusActiveControl();
        return;
    case WM_GETMINMAXINFO:
        // The form's bounds are what the program sets, even below the caption's height.
        TWinControl::Dispatch(msg);
        reinterpret_cast<MINMAXINFO*>(msg.LParam)->ptMinTrackSize = {1, 1};
        return;
    }
    TWinControl::Dispatch(msg);
}

// ---------------------------------------------------------------- TApplication

HWND DialogOwner() {
    if (HWND active = GetActiveWindow()) return active;
    TForm* main = Application ? Application->MainForm : nullptr;
    if (main && main->HandleAllocated() && IsWindowVisible(main->Handle())) return main->Handle();
    return nullptr;
}

TApplication::TApplication() : TComponent(nullptr) { Application = this; }

TApplication::~TApplication() {
    if (Application == this) Application = nullptr;
}

void TApplication::Initialize() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    // A thread already in another apartment keeps it; the shell's dialogs then fail on
    // their own terms.
    FOle.Initialize();
}

namespace {

void SetAppWindowStyle(TForm* form, bool on) {
    if (!form || !form->HandleAllocated()) return;  // CreateParams decides it then
    const HWND h = form->Handle();
    const LONG_PTR ex = GetWindowLongPtrW(h, GWL_EXSTYLE);
    // The taskbar reads the style when the window is shown, which the main form is later.
    SetWindowLongPtrW(h, GWL_EXSTYLE, on ? ex | WS_EX_APPWINDOW : ex & ~static_cast<LONG_PTR>(WS_EX_APPWINDOW));
}

} // namespace

void TApplication::SetMainForm(TForm* form) {
    if (form == MainForm) return;
    SetAppWindowStyle(MainForm, false);
    MainForm = form;
    SetAppWindowStyle(form, true);
}

std::string TApplication::Title() const { return ExceptionDisplay::Title; }
void TApplication::SetTitle(const std::string& title) { ExceptionDisplay::Title = title; }

void TApplication::Terminate() {
    if (!Terminated) PostQuitMessage(0);
    Terminated = true;
}

namespace {

// A typed character that the form's controls may claim as their accelerator: any with
// Alt, and plain ones unless the window with the focus takes characters itself (an
// edit field, a list with type-ahead).
bool IsDialogChar(const MSG& msg) {
    if (msg.message == WM_SYSCHAR) return true;
    if (msg.message != WM_CHAR) return false;
    return !(SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg)) & DLGC_WANTCHARS);
}

// The windows are Unicode, so a typed character arrives in UTF-16; the captions that
// name accelerators are the program's Shift-JIS text. The character as one byte of
// that text, or 0 for one that is not a single-byte character there.
WPARAM ProgramChar(WPARAM ch) {
    if (ch < 0x80) return ch;
    const NarrowText n = Narrow(std::wstring(1, static_cast<wchar_t>(ch)));
    return n.exact && n.bytes.size() == 1 ? static_cast<unsigned char>(n.bytes[0]) : 0;
}

} // namespace

bool TApplication::PreProcess(MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) {
        if (msg.message != WM_CHAR && msg.message != WM_SYSCHAR) return false;
    }
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    auto* form = dynamic_cast<TForm*>(FindControl(root));
    if (!form) return false;
    if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && form->IsShortCut(static_cast<UINT>(msg.wParam)))
        return true;
    if (IsDialogChar(msg)) {
        const WPARAM ch = ProgramChar(msg.wParam);
        if (ch != 0 && form->Perform(CM_DIALOGCHAR, ch, msg.lParam) != 0) return true;
    }
    // Mnemonics are the controls' own (above): the dialog manager would click a push
    // button for a plain letter and move the focus onto it.
    if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR) return false;
    // Tab order, Enter and Esc.
    return IsDialogMessageW(root, &msg) != 0;
}

bool TApplication::ProcessMessage(MSG& msg) {
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        Terminated = true;
        return true;
    }
    try {
        if (!PreProcess(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    } catch (...) {
        ExceptionDisplay::HandleCurrentException();
    }
    return true;
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (ProcessMessage(msg)) {
    }
}

void TApplication::Idle() {
    try {
        TrackMouseControl();
    } catch (...) {
        ExceptionDisplay::HandleCurrentException();
    }
    for (auto& h : IdleHandlers) {
        try {
            h();
        } catch (...) {
            ExceptionDisplay::HandleCurrentException();
        }
    }
}

void TApplication::HandleMessage() {
    MSG msg;
    if (!ProcessMessage(msg)) {
        Idle();
        if (!Terminated) WaitMessage();
    }
}

void TApplication::Run() {
    Terminated = false;
    if (MainForm) {
        try {
            MainForm->Show();
        } catch (...) {
            ExceptionDisplay::HandleCurrentException();
        }
    }
    while (!Terminated) HandleMessage();
}
