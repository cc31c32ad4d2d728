#include "tests/win/common/TestSupport.h"

#include "framework/ExceptionDisplay.h"
#include "framework/WideText.h"
#include "tests/win/common/Shortcut.h"

#include <cstdio>
#include <cstring>
#include <shlobj.h>
#include <fstream>
#include <sstream>

namespace TestSupport {

std::vector<ShownBox>& ShownBoxes() {
    static std::vector<ShownBox> boxes;
    return boxes;
}

void Pump(int ms) {
    const DWORD until = GetTickCount() + static_cast<DWORD>(ms);
    do {
        Application->ProcessMessages();
        Sleep(1);
    } while (static_cast<int>(until - GetTickCount()) > 0);
}

bool PumpUntil(const std::function<bool()>& done, int ms) {
    const DWORD until = GetTickCount() + static_cast<DWORD>(ms);
    while (!done()) {
        if (static_cast<int>(until - GetTickCount()) <= 0) return false;
        Application->ProcessMessages();
        Sleep(1);
    }
    return true;
}

namespace {

struct PendingDialog {
    std::string cls;
    std::function<void(HWND)> act;
};
std::vector<PendingDialog>& Pending() {
    static std::vector<PendingDialog> p;
    return p;
}
UINT_PTR g_dialogTimer = 0;

HWND FindThreadWindow(const std::string& cls) {
    struct Search {
        const std::string& cls;
        HWND found = nullptr;
    } search{cls};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            char name[64] = {};
            GetClassNameA(w, name, sizeof name);
            if (!IsWindowVisible(w) || s->cls != name) return TRUE;
            s->found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void CALLBACK AnswerDialog(HWND, UINT, UINT_PTR, DWORD) {
    if (Pending().empty()) {
        KillTimer(nullptr, g_dialogTimer);
        g_dialogTimer = 0;
        return;
    }
    HWND dlg = FindThreadWindow(Pending().front().cls);
    if (!dlg) return;
    auto act = std::move(Pending().front().act);
    Pending().erase(Pending().begin());
    act(dlg);
}

} // namespace

void OnNextDialog(const std::string& cls, std::function<void(HWND)> act) {
    Pending().push_back({cls, std::move(act)});
    if (!g_dialogTimer) g_dialogTimer = SetTimer(nullptr, 0, 30, AnswerDialog);
}

bool DialogsAnswered() {
    const bool all = Pending().empty();
    Pending().clear();
    return all;
}

COLORREF ClientPixel(HWND wnd, int x, int y) {
    UpdateWindow(wnd);
    HDC dc = GetDC(wnd);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(wnd, dc);
    return c;
}

TempFolder::TempFolder() {
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    static int n = 0;
    Path = std::string(tmp) + "kv" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++n);
    CreateDirectoryA(Path.c_str(), nullptr);
}

TempFolder::~TempFolder() { RemoveTree(Widen(Path)); }

std::wstring Widen(const std::string& ansi) { return ::Widen(ansi); }

std::wstring Long(const std::wstring& path) {
    if (path.rfind(L"\\\\?\\", 0) == 0 || path.size() < 3 || path[1] != L':') return path;
    return L"\\\\?\\" + path;
}

bool MakeFolders(const std::wstring& path) {
    if (CreateDirectoryW(Long(path).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) return true;
    const size_t cut = path.find_last_of(L'\\');
    if (cut == std::wstring::npos || cut < 3) return false;
    return MakeFolders(path.substr(0, cut)) && CreateDirectoryW(Long(path).c_str(), nullptr);
}

void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(Long(path + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring item = path + L"\\" + name;
            SetFileAttributesW(Long(item).c_str(), FILE_ATTRIBUTE_NORMAL);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(item);
            else
                DeleteFileW(Long(item).c_str());
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    SetFileAttributesW(Long(path).c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(Long(path).c_str());
}

bool SameFile(const std::wstring& a, const std::wstring& b) {
    auto info = [](const std::wstring& p, BY_HANDLE_FILE_INFORMATION& i) {
        HANDLE h = CreateFileW(Long(p).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (h == INVALID_HANDLE_VALUE) return false;
        const BOOL ok = GetFileInformationByHandle(h, &i);
        CloseHandle(h);
        return ok != 0;
    };
    BY_HANDLE_FILE_INFORMATION ia{}, ib{};
    return info(a, ia) && info(b, ib) && ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
           ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
}

HDROP MakeDrop(const std::vector<std::string>& paths) {
    std::vector<std::wstring> wide;
    for (const auto& p : paths) wide.push_back(Widen(p));
    return MakeDropW(wide);
}

HDROP MakeDropW(const std::vector<std::wstring>& paths) {
    size_t bytes = sizeof(DROPFILES) + sizeof(wchar_t);
    for (const auto& p : paths) bytes += (p.size() + 1) * sizeof(wchar_t);
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    auto* df = static_cast<DROPFILES*>(GlobalLock(h));
    df->pFiles = sizeof(DROPFILES);
    df->fWide = TRUE;
    auto* out = reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(df) + sizeof(DROPFILES));
    for (const auto& p : paths) {
        memcpy(out, p.c_str(), (p.size() + 1) * sizeof(wchar_t));
        out += p.size() + 1;
    }
    GlobalUnlock(h);
    return static_cast<HDROP>(h);
}

bool MakeShortcut(const std::wstring& lnk, const std::wstring& target) { return SUCCEEDED(SaveShortcut(lnk, target)); }

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

} // namespace TestSupport
