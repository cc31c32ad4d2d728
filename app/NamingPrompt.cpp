#include "app/NamingPrompt.h"

#include "app/portable/ByteLimit.h"
#include "app/portable/PromptLayout.h"
#include "framework/ExceptionDisplay.h"
#include "framework/Forms.h"
#include "framework/Graphics.h"
#include "framework/Handles.h"
#include "framework/WideText.h"

#include <optional>
#include <vector>

namespace NamingPrompt {

const char* const ClassName = "Kestrovane1NamingPrompt";

namespace {

struct PromptState {
    bool done = false;
    bool accepted = false;
    std::wstring text;
    std::wstring fitting;  // the field's text as it last fitted the limit
};

// The edit control counts characters; the name is limited in bytes of the program's code
// page, so a change that makes it longer is cut back to what fits.
void KeepWithinBytes(HWND edit, PromptState& st) {
    std::wstring now(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    now.resize(static_cast<size_t>(GetWindowTextW(edit, now.data(), static_cast<int>(now.size()))));
    const LimitedText kept = LimitToBytes(st.fitting, now, MaxLength,
                                          [](std::wstring_view t) { return Narrow(t).bytes.size(); });
    st.fitting = kept.text;
    if (!kept.cut) return;
    SetWindowTextW(edit, kept.text.c_str());
    SendMessageW(edit, EM_SETSEL, kept.caret, kept.caret);
}

std::wstring WindowText(HWND w) {
    std::wstring s(static_cast<size_t>(GetWindowTextLengthW(w)) + 1, L'\0');
    s.resize(static_cast<size_t>(GetWindowTextW(w, s.data(), static_cast<int>(s.size()))));
    return s;
}

LRESULT PromptMessage(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    auto* st = reinterpret_cast<PromptState*>(GetWindowLongPtrW(w, GWLP_USERDATA));
    switch (msg) {
    case WM_NCCREATE:
        SetWindowLongPtrW(w, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
        break;
    case WM_COMMAND:
        if (st && LOWORD(wp) == EditId && HIWORD(wp) == EN_CHANGE) {
            KeepWithinBytes(reinterpret_cast<HWND>(lp), *st);
            return 0;
        }
        if (st && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) {
            st->accepted = LOWORD(wp) == IDOK;
            if (st->accepted) st->text = WindowText(GetDlgItem(w, EditId));
            st->done = true;
            return 0;
        }
        break;
    case WM_CLOSE:
        if (st) st->done = true;
        return 0;
    }
    return DefWindowProcW(w, msg, wp, lp);
}

// No exception may leave a window procedure through the system's frames: like every other
// entry from the system, an error is shown and the message counts as handled.
LRESULT CALLBACK PromptProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    try {
        return PromptMessage(w, msg, wp, lp);
    } catch (...) {
        ExceptionDisplay::HandleCurrentException();
        return 0;
    }
}

void RegisterPromptClass() {
    static bool registered = false;
    if (registered) return;
    const std::wstring name = Widen(ClassName);
    WNDCLASSW wc{};
    wc.lpfnWndProc = PromptProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name.c_str();
    registered = RegisterClassW(&wc) != 0;
}

HWND AddChild(HWND parent, const wchar_t* cls, const std::wstring& text, DWORD style, DWORD exStyle,
              const TRect& r, int id, HFONT font) {
    HWND c = CreateWindowExW(exStyle, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, r.Left,
                             r.Top, r.Width(), r.Height(), parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             GetModuleHandleW(nullptr), nullptr);
    SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return c;
}

// Measures the font and the wrapped prompt text, and lays the prompt out.
PromptLayout Measure(HFONT font, const std::wstring& text) {
    const WindowDC screen;
    const ScopedSelect selected(screen.Get(), font);
    static const wchar_t letters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE ext{};
    GetTextExtentPoint32W(screen.Get(), letters, 52, &ext);
    TEXTMETRICW tm{};
    GetTextMetricsW(screen.Get(), &tm);
    const PromptMetrics m{ext.cx, tm.tmHeight};
    RECT r{0, 0, LayoutPrompt(m, 0, 0).LabelMaxWidth, 0};
    DrawTextW(screen.Get(), text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    return LayoutPrompt(m, r.right - r.left, r.bottom - r.top);
}

// Disables the thread's other enabled top-level windows for the time the prompt is open.
struct DisabledWindows {
    std::vector<HWND> windows;
    static BOOL CALLBACK Collect(HWND w, LPARAM lp) {
        if (IsWindowVisible(w) && IsWindowEnabled(w))
            reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
        return TRUE;
    }
    DisabledWindows() {
        EnumThreadWindows(GetCurrentThreadId(), Collect, reinterpret_cast<LPARAM>(&windows));
        for (HWND w : windows) EnableWindow(w, FALSE);
    }
    ~DisabledWindows() {
        for (HWND w : windows)
            if (IsWindow(w)) EnableWindow(w, TRUE);
    }
    DisabledWindows(const DisabledWindows&) = delete;
    DisabledWindows& operator=(const DisabledWindows&) = delete;
};

} // namespace

std::wstring Show(const std::string& caption, const std::wstring& prompt, const std::string& defaultText,
                  const std::wstring& fieldText) {
    RegisterPromptClass();
    TFont font;  // the program's window font
    const PromptLayout l = Measure(font.Handle(), prompt);

    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    RECT outer{0, 0, l.ClientWidth, l.ClientHeight};
    AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    const int w = outer.right - outer.left, h = outer.bottom - outer.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;

    HWND owner = DialogOwner();
    PromptState st;
    st.fitting = fieldText;
    std::optional<DisabledWindows> disabled(std::in_place);
    HWND dlg = CreateWindowExW(exStyle, Widen(ClassName).c_str(), Widen(caption).c_str(), style, x, y, w, h,
                               owner, nullptr, GetModuleHandleW(nullptr), &st);
    if (!dlg) return Widen(defaultText);
    AddChild(dlg, L"STATIC", prompt, SS_LEFT | SS_NOPREFIX, 0, l.Label, LabelId, font.Handle());
    HWND edit = AddChild(dlg, L"EDIT", fieldText, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                         l.Edit, EditId, font.Handle());
    SendMessageW(edit, EM_LIMITTEXT, MaxLength, 0);
    AddChild(dlg, L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, l.OkButton, IDOK, font.Handle());
    AddChild(dlg, L"BUTTON", Widen("キャンセル"), WS_TABSTOP | BS_PUSHBUTTON, 0, l.CancelButton, IDCANCEL,
             font.Handle());
    ShowWindow(dlg, SW_SHOWNORMAL);
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);

    MSG msg;
    bool quit = false;
    while (!st.done) {
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
            quit = true;
            break;
        }
        if (!IsDialogMessageW(dlg, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    // Enable the other windows before the prompt goes, so the activation returns to them.
    disabled.reset();
    DestroyWindow(dlg);
    // A quit request that arrives while the prompt is open belongs to the outer loop.
    if (quit) PostQuitMessage(static_cast<int>(msg.wParam));
    return st.accepted ? st.text : Widen(defaultText);
}

} // namespace NamingPrompt
