// What the window costs on the machine: start-up to the first paint against a bare tool
// window built the same way, loading and saving a long folder list against a plain
// combo box, one paint of the background panel and of a shine button in each state,
// and the peak working set after a 100,000-entry list.
#include "app/MainWindow1.h"
#include "controls/ShineSpdBtn.h"
#include "tests/win/common/TestSupport.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

double Now() {
    static LARGE_INTEGER f = [] {
        LARGE_INTEGER x;
        QueryPerformanceFrequency(&x);
        return x;
    }();
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

// The median of `runs` timings of f, in milliseconds.
double Median(int runs, const std::function<void()>& f) {
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        const double t0 = Now();
        f();
        t.push_back(Now() - t0);
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

void Row(const char* what, double ms, double base = 0) {
    if (base > 0)
        std::printf("| %-52s | %10.3f | %10.3f | %6.2fx |\n", what, ms, base, ms / base);
    else
        std::printf("| %-52s | %10.3f | %10s | %7s |\n", what, ms, "", "");
}

std::vector<std::string> Entries(int n) {
    std::vector<std::string> e;
    for (int i = 0; i < n; ++i)
        e.push_back("\"フォルダ " + std::to_string(i) + "\",\"C:\\Users\\me\\作業\\project-" + std::to_string(i) + "\"");
    return e;
}

void WriteList(const std::string& path, const std::vector<std::string>& entries) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const auto& e : entries) out << e << "\r\n";
}

LRESULT CALLBACK BareProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        FillRect(dc, &ps.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
        EndPaint(w, &ps);
        return 0;
    }
    return DefWindowProcA(w, m, wp, lp);
}

// A bare tool window with one button and one combo box, painted once.
void BareWindow() {
    static bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = BareProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "KvBenchBare";
        return RegisterClassA(&wc) != 0;
    }();
    (void)registered;
    HWND w = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "KvBenchBare", "bare", WS_CAPTION | WS_SYSMENU, 20, 20, 498,
                             61, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    CreateWindowExA(0, "BUTTON", "button", WS_CHILD | WS_VISIBLE, 386, 8, 100, 21, w, nullptr, nullptr, nullptr);
    CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_HASSTRINGS | WS_VSCROLL, 40, 8,
                    340, 200, w, nullptr, nullptr, nullptr);
    ShowWindow(w, SW_SHOWNOACTIVATE);
    UpdateWindow(w);
    DestroyWindow(w);
}

TMainForm1* OpenMainWindow(const std::string& dir) {
    auto* f = new TMainForm1(Application, Widen(dir + "\\Kestrovane1.exe"));
    f->Timer1->SetEnabled(false);
    f->Show();
    UpdateWindow(f->Handle());
    return f;
}

void PeakWorkingSet(const char* what) {
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
    std::printf("| %-52s | %7.1f MiB | %10s | %7s |\n", what, static_cast<double>(pmc.PeakWorkingSetSize) / (1 << 20), "", "");
}

} // namespace

int main() {
    TApplication app;
    Application->Initialize();
    Application->SetTitle("Kestrovane1");
    // Errors are printed, not shown in a box waiting for a click.
    struct : IMessageBoxes {
        int Show(HWND, const std::string& text, const std::string&, UINT) override {
            std::printf("error: %s\n", text.c_str());
            return IDOK;
        }
    } printer;
    Application->SetMessageBoxes(printer);
    const TestSupport::TempFolder temp;
    const std::string& dir = temp.Path;
    const std::string list = dir + "/DirList.txt";

    std::printf("| %-52s | %10s | %10s | %7s |\n", "measure (median ms)", "Kestrovane1", "baseline", "ratio");
    std::printf("|%s|%s|%s|%s|\n", std::string(54, '-').c_str(), std::string(12, '-').c_str(), std::string(12, '-').c_str(),
                std::string(9, '-').c_str());

    WriteList(list, {});
    const double bare = Median(20, BareWindow);
    const double start = Median(20, [&] { delete OpenMainWindow(dir); });
    Row("start-up to first paint (bare tool window = baseline)", start, bare);

    for (int n : {10000, 100000}) {
        const auto entries = Entries(n);
        WriteList(list, entries);
        TMainForm1* f = OpenMainWindow(dir);
        const double load = Median(3, [&] { f->FormShow(f); });
        HWND plain = CreateWindowExA(0, "COMBOBOX", "", WS_POPUP | CBS_DROPDOWNLIST | CBS_HASSTRINGS, 0, 0, 340, 200, nullptr,
                                     nullptr, nullptr, nullptr);
        const double plainLoad = Median(3, [&] {
            SendMessageA(plain, CB_RESETCONTENT, 0, 0);
            for (const auto& e : entries) SendMessageA(plain, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.c_str()));
        });
        DestroyWindow(plain);
        // The system's own share: a combo box with the same styles, owner-drawn, on the
        // same window, filled with the shown texts and no bookkeeping of ours.
        HWND same = CreateWindowExA(0, "COMBOBOX", "",
                                    WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS |
                                        CBS_AUTOHSCROLL | CBS_OWNERDRAWFIXED,
                                    0, 0, 340, 200, f->Handle(), nullptr, nullptr, nullptr);
        const double sameLoad = Median(3, [&] {
            SendMessageA(same, WM_SETREDRAW, FALSE, 0);
            SendMessageA(same, CB_RESETCONTENT, 0, 0);
            for (const auto& e : entries) SendMessageA(same, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.c_str()));
            SendMessageA(same, WM_SETREDRAW, TRUE, 0);
        });
        DestroyWindow(same);
        // An untouched list is not written: the save only reads the file and compares.
        const double save = Median(3, [&] {
            TCloseAction a = caHide;
            f->FormClose(f, a);
        });
        // With one entry registered, the whole list is written.
        const double saveChanged = Median(3, [&] {
            f->AppendEntry(L"n", L"C:\\n");
            TCloseAction a = caHide;
            f->FormClose(f, a);
        });
        const std::string label = std::to_string(n) + " entries";
        Row(("load " + label + " (plain combo box = baseline)").c_str(), load, plainLoad);
        Row(("  the system's share: owner-drawn child combo box, " + std::to_string(n / 1000) + "k").c_str(), sameLoad,
            plainLoad);
        Row(("save " + label + ", untouched").c_str(), save);
        Row(("save " + label + " after one registration").c_str(), saveChanged);
        if (n == 100000) PeakWorkingSet("peak working set after 100,000 entries");
        delete f;
    }

    // One paint of the background panel at the main window's size.
    {
        WriteList(list, {});
        TMainForm1* f = OpenMainWindow(dir);
        HDC screen = GetDC(nullptr);
        HDC mem = CreateCompatibleDC(screen);
        HBITMAP bmp = CreateCompatibleBitmap(screen, 600, 100);
        HGDIOBJ old = SelectObject(mem, bmp);
        const double grad = Median(200, [&] { f->GradBox1->PaintOn(mem); });
        Row("one paint of GradBox1 (main window size)", grad);

        TShineSpeedButton* b = new TShineSpeedButton(f);
        b->SetParent(f);
        b->SetBounds(0, 0, 75, 25);
        b->SetCaption("&Open");
        TBitmap glyph(32, 32);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                glyph.ScanLine(y)[x] = ((x - 16) * (x - 16) + (y - 16) * (y - 16) < 150) ? 0x00E0A020 : 0x00FF00FF;
        b->SetGlyph(&glyph);
        struct { const char* name; std::function<void()> set; } states[] = {
            {"one paint of a 75x25 shine button, up", [] {}},
            {"one paint of a 75x25 shine button, down", [&] { b->SetGroupIndex(1); b->SetDown(true); }},
            {"one paint of a 75x25 shine button, disabled", [&] { b->SetEnabled(false); }},
        };
        for (auto& s : states) {
            s.set();
            Row(s.name, Median(200, [&] { b->PaintOn(mem); }));
        }
        SelectObject(mem, old);
        DeleteObject(bmp);
        DeleteDC(mem);
        ReleaseDC(nullptr, screen);
        delete f;
    }
    return 0;
}
