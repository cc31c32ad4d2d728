#include "app/NamingPrompt.h"
#include "app/portable/PromptLayout.h"
#include "framework/WideText.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Runs `act` on the open prompt from a timer, since the prompt's own loop holds the thread.
std::function<void(HWND)> g_act;
void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dlg = FindWindowW(Widen(NamingPrompt::ClassName).c_str(), nullptr);
    if (!dlg) return;
    KillTimer(nullptr, id);
    g_act(dlg);
}

std::string RunPrompt(std::function<void(HWND)> act, const std::string& prompt = "C:\\Data",
                      const std::string& def = "新規パス") {
    g_act = std::move(act);
    SetTimer(nullptr, 0, 30, OnTimer);
    return NarrowShown(NamingPrompt::Show("名称の入力", Widen(prompt), def, Widen(def)));
}

std::string Text(HWND w) {
    wchar_t buf[1024] = {};
    GetWindowTextW(w, buf, 1024);
    return NarrowShown(buf);
}

void Key(HWND target, UINT vk) {
    PostMessageA(target, WM_KEYDOWN, vk, 1);
    PostMessageA(target, WM_KEYUP, vk, 0xC0000001);
}

} // namespace

TEST(NamingPrompt, ResultsOfEachWayOut) {
    struct Row {
        const char* name;
        std::function<void(HWND)> act;
        std::string want;
    } rows[] = {
        {"OK returns the typed text",
         [](HWND d) {
             SetWindowTextA(GetDlgItem(d, NamingPrompt::EditId), "Data");
             PostMessageA(GetDlgItem(d, IDOK), BM_CLICK, 0, 0);
         },
         "Data"},
        {"OK on an emptied field returns the empty text",
         [](HWND d) {
             SetWindowTextA(GetDlgItem(d, NamingPrompt::EditId), "");
             PostMessageA(GetDlgItem(d, IDOK), BM_CLICK, 0, 0);
         },
         ""},
        {"Cancel returns the default",
         [](HWND d) {
             SetWindowTextA(GetDlgItem(d, NamingPrompt::EditId), "typed");
             PostMessageA(GetDlgItem(d, IDCANCEL), BM_CLICK, 0, 0);
         },
         "新規パス"},
        {"Enter is OK",
         [](HWND d) {
             SetWindowTextW(GetDlgItem(d, NamingPrompt::EditId), Widen("名前").c_str());
             Key(GetDlgItem(d, NamingPrompt::EditId), VK_RETURN);
         },
         "名前"},
        {"Esc is cancel",
         [](HWND d) {
             SetWindowTextA(GetDlgItem(d, NamingPrompt::EditId), "typed");
             Key(GetDlgItem(d, NamingPrompt::EditId), VK_ESCAPE);
         },
         "新規パス"},
        {"the close box is cancel",
         [](HWND d) {
             SetWindowTextA(GetDlgItem(d, NamingPrompt::EditId), "typed");
             PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0);
         },
         "新規パス"},
    };
    for (auto& r : rows) EXPECT_EQ(RunPrompt(r.act), r.want) << r.name;
    EXPECT_EQ(FindWindowW(Widen(NamingPrompt::ClassName).c_str(), nullptr), nullptr);
}

TEST(NamingPrompt, ShowsCaptionPromptAndTheWholeDefaultSelected) {
    std::string caption, label, edit, afterTyping;
    RunPrompt([&](HWND d) {
        caption = Text(d);
        label = Text(GetDlgItem(d, NamingPrompt::LabelId));
        HWND e = GetDlgItem(d, NamingPrompt::EditId);
        edit = Text(e);
        // Typing replaces the selection: all of the default is selected when it replaces all.
        SendMessageA(e, WM_CHAR, 'X', 1);
        afterTyping = Text(e);
        PostMessageA(d, WM_CLOSE, 0, 0);
    }, "C:\\表\\a&b");
    EXPECT_EQ(caption, "名称の入力");
    EXPECT_EQ(label, "C:\\表\\a&b");
    EXPECT_EQ(edit, "新規パス");
    EXPECT_EQ(afterTyping, "X");
}

// The limit is in bytes of code page 932: a double-byte character counts twice, and one
// that would end past the limit is not taken, though a single-byte one still fits. What
// is typed into the middle of a full name is refused there: the end of the name stays.
TEST(NamingPrompt, TypingStopsAt255Bytes) {
    const std::string a = "\x82\xA0", i = "\x82\xA2";  // あ, い
    std::string aa, fullName;  // fullName: 255 bytes, no two neighbours alike
    for (int n = 0; n < 127; ++n) aa += a, fullName += n % 2 ? i : a;
    fullName += "e";
    struct Row {
        const char* name;
        std::string start;
        int at, selected;  // the selection before the typing (characters); at -1: none
        std::vector<std::string> typed;
        std::string want;
        int caret;  // where it stands after
    } rows[] = {
        {"single-byte", "", -1, 0, std::vector<std::string>(300, "x"), std::string(255, 'x'), 255},
        {"double-byte, then one more byte", "", -1, 0, [&] {
             std::vector<std::string> t(200, a);
             t.push_back("z");
             return t;
         }(), aa + "z", 128},
        {"a paste cut at a whole character", "", -1, 0, {std::string(250, 'p'), a + a + a + "q"},
         std::string(250, 'p') + a + a, 252},
        {"a letter into the middle of a full name", fullName, 60, 0, {"Z"}, fullName, 60},
        {"a double-byte one there", fullName, 1, 0, {a}, fullName, 1},
        {"a paste over a double-byte character there", fullName, 3, 1, {"ZZZ"},
         fullName.substr(0, 6) + "ZZ" + fullName.substr(8), 5},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        DWORD caretStart = 0, caretEnd = 0;
        std::string got = RunPrompt([&](HWND d) {
            HWND e = GetDlgItem(d, NamingPrompt::EditId);
            SetWindowTextW(e, Widen(r.start).c_str());
            SendMessageW(e, EM_SETSEL, r.at, r.at < 0 ? -1 : r.at + r.selected);
            for (const std::string& t : r.typed)
                SendMessageW(e, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Widen(t).c_str()));
            SendMessageW(e, EM_GETSEL, reinterpret_cast<WPARAM>(&caretStart), reinterpret_cast<LPARAM>(&caretEnd));
            PostMessageA(GetDlgItem(d, IDOK), BM_CLICK, 0, 0);
        });
        EXPECT_EQ(got, r.want);
        EXPECT_EQ(caretStart, static_cast<DWORD>(r.caret));
        EXPECT_EQ(caretEnd, static_cast<DWORD>(r.caret));
    }
}

TEST(NamingPrompt, LaysItselfOutInDialogUnitsCentredOnTheScreen) {
    RECT client{}, window{}, ok{}, cancel{}, edit{}, label{};
    RunPrompt([&](HWND d) {
        GetClientRect(d, &client);
        GetWindowRect(d, &window);
        auto childRect = [d](int id, RECT& r) {
            GetWindowRect(GetDlgItem(d, id), &r);
            MapWindowPoints(nullptr, d, reinterpret_cast<POINT*>(&r), 2);
        };
        childRect(IDOK, ok);
        childRect(IDCANCEL, cancel);
        childRect(NamingPrompt::EditId, edit);
        childRect(NamingPrompt::LabelId, label);
        PostMessageA(d, WM_CLOSE, 0, 0);
    });
    // The expected layout from the font's own metrics, measured independently here.
    HFONT f = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, Widen("ＭＳ Ｐゴシック").c_str());
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, f);
    SIZE ext{};
    GetTextExtentPoint32W(dc, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &ext);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SIZE labelExt{};
    GetTextExtentPoint32W(dc, L"C:\\Data", 7, &labelExt);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(f);
    const int avg = ext.cx / 52;
    ASSERT_GT(avg, 0);
    auto h = [&](int u) { return MulDiv(u, avg, 4); };
    auto v = [&](int u) { return MulDiv(u, tm.tmHeight, 8); };

    EXPECT_EQ(client.right, h(180));
    EXPECT_EQ(label.left, h(8));
    EXPECT_EQ(label.top, v(8));
    EXPECT_EQ(label.bottom - label.top, tm.tmHeight);
    EXPECT_EQ(edit.left, h(8));
    EXPECT_EQ(edit.top, label.bottom + 5);
    EXPECT_EQ(edit.right - edit.left, h(164));
    EXPECT_EQ(ok.left, h(38));
    EXPECT_EQ(cancel.left, h(92));
    EXPECT_EQ(ok.top, edit.bottom + 15);
    EXPECT_EQ(ok.right - ok.left, h(50));
    EXPECT_EQ(ok.bottom - ok.top, v(14));
    EXPECT_EQ(client.bottom, ok.bottom + 13);
    const int cx = (window.left + window.right) / 2, cy = (window.top + window.bottom) / 2;
    EXPECT_LE(std::abs(cx - GetSystemMetrics(SM_CXSCREEN) / 2), 1);
    EXPECT_LE(std::abs(cy - GetSystemMetrics(SM_CYSCREEN) / 2), 1);
}

TEST(NamingPrompt, DisablesTheOtherWindowsWhileOpenAndTimersKeepTicking) {
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100,
                                 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    static int ticks = 0;
    ticks = 0;
    UINT_PTR tick = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) { ++ticks; });
    bool enabledWhileOpen = true;
    int ticksSeen = 0;
    RunPrompt([&](HWND d) {
        enabledWhileOpen = IsWindowEnabled(other);
        MSG m;
        const DWORD until = GetTickCount() + 200;
        while (GetTickCount() < until)
            if (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
        ticksSeen = ticks;
        PostMessageA(d, WM_CLOSE, 0, 0);
    });
    EXPECT_FALSE(enabledWhileOpen);
    EXPECT_TRUE(IsWindowEnabled(other));
    KillTimer(nullptr, tick);
    EXPECT_GT(ticksSeen, 2);
    DestroyWindow(other);
}
