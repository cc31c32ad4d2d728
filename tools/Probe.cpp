// Reads and answers the windows of another program from outside, with ordinary window
// messages only, as the end-to-end tests need: one command per line on standard input,
// one answer on standard output. A one-line answer starts with "ok" or "err"; commands
// that list things answer "ok" and one line per thing, then a line ".". Texts go out and
// come in as UTF-8; windows are named by their handle in hex.
//
//   wait <ms> <class|-> [caption]  a visible top-level window of that class and caption
//   gone <ms> <hwnd>               waits until the window is gone or hidden
//   dialog <ms> [hwnd]             a visible, enabled window of the main window's program
//                                  other than the main window (a message box, a prompt);
//                                  with hwnd, one other than that one
//   nodialog <ms>                  waits until the program shows no such window
//   info <hwnd>                    class, caption, bounds, client size, styles, owner
//   children <hwnd>                every descendant window with its class, id and text
//   combo <hwnd>                   entry count, selection and every entry's shown text
//   focus <hwnd>                   the window with the keyboard focus in that window's thread
//   text <hwnd> / settext <hwnd> <text>
//   edit <hwnd>                    an edit field's byte limit and selection
//   press <hwnd> <caption>         clicks the button under hwnd whose caption is that text
//   menu <ms>                      waits for an open pop-up menu
//   send <hwnd> <msg> <wparam> <lparam> / post ...
//   longpath <path>                the path with every part in its long form, as the file
//                                  system resolves it (an 8.3 part becomes its real name)
//   windows                        the program's visible top-level windows
//   others                         visible top-level windows of other programs
//   mains                          every visible main window of the program, of any copy
//                                  of it, with its process id
//   foreground                     the foreground window
//   icon <hwnd>                    the window's icons: its class's big and small ones
//                                  and what it answers for its big icon (0: none)
//   resource <type> <name> <path>  a resource of an executable file (type and name as
//                                  text, or #n for a number): its size, then its lines
//                                  when it is text
//   commandlines <exe name>        the command line of every process of this Wine that
//                                  runs that executable, as Windows handed it over:
//                                  one line each, its process id first
//   shortcut <lnk path> <target>   makes a shell shortcut (IShellLinkW) to the target;
//                                  the shortcut's path holds no space
//   image <path>                   an executable file's header: its machine, subsystem
//                                  and DLL characteristics (ASLR, DEP, terminal server)
//   hold <ms> <path>               opens the file as a scanner or a sync client does for a
//                                  moment, sharing it with no one, and closes it after ms;
//                                  answers as soon as the file is held
#include "tests/win/common/Shortcut.h"

#include <windows.h>
#include <tlhelp32.h>

#include <thread>
#include <winternl.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const wchar_t* const MainClass = L"KvTMainForm1";

std::string Utf8(const std::wstring& w) {
    if (w.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
    // One answer per line: line breaks inside a text are shown escaped.
    std::string out;
    for (char c : s) {
        if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else out += c;
    }
    return out;
}

std::wstring Wide(const std::string& s) {
    if (s.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

std::string Hex(HWND h) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%llx", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(h)));
    return buf;
}

HWND ParseHwnd(const std::string& s) {
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoull(s.c_str(), nullptr, 16)));
}

std::wstring ClassOf(HWND h) {
    wchar_t buf[256] = {};
    GetClassNameW(h, buf, 256);
    return buf;
}

// Texts of other programs' windows come through WM_GETTEXT, which the system carries
// across processes.
std::wstring TextOf(HWND h) {
    DWORD_PTR len = 0;
    if (!SendMessageTimeoutW(h, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 3000, &len)) return {};
    std::wstring w(len + 1, L'\0');
    DWORD_PTR got = 0;
    SendMessageTimeoutW(h, WM_GETTEXT, len + 1, reinterpret_cast<LPARAM>(w.data()), SMTO_ABORTIFHUNG, 3000, &got);
    w.resize(got);
    return w;
}

HWND MainWindow() { return FindWindowW(MainClass, nullptr); }

DWORD ProcessOf(HWND h) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    return pid;
}

std::vector<HWND> TopLevels() {
    std::vector<HWND> all;
    EnumWindows([](HWND h, LPARAM lp) {
        reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&all));
    return all;
}

// A window that waits for the user: not the main window, not a tooltip or an open menu.
HWND FindDialog(HWND except) {
    HWND main = MainWindow();
    if (!main) return nullptr;
    const DWORD pid = ProcessOf(main);
    for (HWND h : TopLevels()) {
        if (h == main || h == except || ProcessOf(h) != pid) continue;
        if (!IsWindowVisible(h) || !IsWindowEnabled(h)) continue;
        const std::wstring cls = ClassOf(h);
        if (cls == L"tooltips_class32" || cls == L"#32768" || cls == L"IME") continue;
        return h;
    }
    return nullptr;
}

template <class F> bool WaitFor(int ms, F ready) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    for (;;) {
        if (ready()) return true;
        if (static_cast<LONG>(GetTickCount() - end) >= 0) return false;
        Sleep(20);
    }
}

std::string RectText(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right - r.left) + "," +
           std::to_string(r.bottom - r.top);
}

std::string HexValue(unsigned long long v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "0x%llx", v);
    return buf;
}

std::string Info(HWND h) {
    RECT r{}, c{};
    GetWindowRect(h, &r);
    GetClientRect(h, &c);
    std::ostringstream o;
    o << "ok rect=" << RectText(r) << " client=" << c.right << "," << c.bottom
      << " style=" << HexValue(static_cast<DWORD>(GetWindowLongPtrW(h, GWL_STYLE)))
      << " exstyle=" << HexValue(static_cast<DWORD>(GetWindowLongPtrW(h, GWL_EXSTYLE)))
      << " visible=" << (IsWindowVisible(h) ? 1 : 0) << " enabled=" << (IsWindowEnabled(h) ? 1 : 0)
      << " owner=" << Hex(GetWindow(h, GW_OWNER)) << " parent=" << Hex(GetAncestor(h, GA_PARENT))
      << " id=" << GetDlgCtrlID(h) << " class=" << Utf8(ClassOf(h)) << " text=" << Utf8(TextOf(h));
    return o.str();
}

// Position relative to the client area of the window's parent.
std::string ChildLine(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
    std::ostringstream o;
    o << Hex(h) << " class=" << Utf8(ClassOf(h)) << " id=" << GetDlgCtrlID(h) << " rect=" << RectText(r)
      << " style=" << HexValue(static_cast<DWORD>(GetWindowLongPtrW(h, GWL_STYLE)))
      << " visible=" << (IsWindowVisible(h) ? 1 : 0) << " text=" << Utf8(TextOf(h));
    return o.str();
}

std::vector<HWND> Descendants(HWND parent) {
    std::vector<HWND> all;
    EnumChildWindows(parent, [](HWND h, LPARAM lp) {
        reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&all));
    return all;
}

std::wstring WithoutAmpersands(const std::wstring& s) {
    std::wstring out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == L'&' && i + 1 < s.size()) ++i;
        out += s[i];
    }
    return out;
}

void List(const std::vector<std::string>& lines) {
    std::cout << "ok\n";
    for (const auto& l : lines) std::cout << l << "\n";
    std::cout << ".\n";
}

std::string Combo(HWND h, std::vector<std::string>& lines) {
    DWORD_PTR count = 0, sel = 0;
    SendMessageTimeoutW(h, CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 3000, &count);
    SendMessageTimeoutW(h, CB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 3000, &sel);
    for (int i = 0; i < static_cast<int>(count); ++i) {
        DWORD_PTR len = 0;
        SendMessageTimeoutW(h, CB_GETLBTEXTLEN, i, 0, SMTO_ABORTIFHUNG, 3000, &len);
        std::wstring w(len + 1, L'\0');
        DWORD_PTR got = 0;
        SendMessageTimeoutW(h, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(w.data()), SMTO_ABORTIFHUNG, 3000, &got);
        w.resize(static_cast<LONG_PTR>(got) < 0 ? 0 : got);
        lines.push_back(Utf8(w));
    }
    return "count=" + std::to_string(static_cast<int>(count)) + " sel=" + std::to_string(static_cast<int>(sel));
}

std::string Rest(std::istringstream& in) {
    std::string rest;
    std::getline(in, rest);
    if (!rest.empty() && rest[0] == ' ') rest.erase(0, 1);
    return rest;
}

// A process's command line as its own parameter block holds it, read from outside.
std::wstring CommandLineOf(DWORD pid) {
    using QueryFn = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
    static const auto query = reinterpret_cast<QueryFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    HANDLE p = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!p) return L"?";
    std::wstring line = L"?";
    PROCESS_BASIC_INFORMATION basic{};
    PEB peb{};
    RTL_USER_PROCESS_PARAMETERS params{};
    if (query && query(p, ProcessBasicInformation, &basic, sizeof basic, nullptr) == 0 &&
        ReadProcessMemory(p, basic.PebBaseAddress, &peb, sizeof peb, nullptr) &&
        ReadProcessMemory(p, peb.ProcessParameters, &params, sizeof params, nullptr)) {
        line.assign(params.CommandLine.Length / sizeof(wchar_t), L'\0');
        if (!ReadProcessMemory(p, params.CommandLine.Buffer, line.data(), params.CommandLine.Length, nullptr))
            line = L"?";
    }
    CloseHandle(p);
    return line;
}

std::vector<std::string> CommandLines(const std::wstring& exe) {
    std::vector<std::string> lines;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE) return lines;
    PROCESSENTRY32W e{};
    e.dwSize = sizeof e;
    for (BOOL more = Process32FirstW(snap, &e); more; more = Process32NextW(snap, &e))
        if (lstrcmpiW(e.szExeFile, exe.c_str()) == 0)
            lines.push_back(std::to_string(e.th32ProcessID) + " " + Utf8(CommandLineOf(e.th32ProcessID)));
    CloseHandle(snap);
    return lines;
}

// The optional header of a 64-bit executable, read from the file as Windows lays it out.
std::string ImageHeader(const std::wstring& path) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return "err cannot open";
    std::string bytes(4096, '\0');
    DWORD got = 0;
    ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(f);
    bytes.resize(got);
    IMAGE_DOS_HEADER dos{};
    if (bytes.size() < sizeof dos) return "err too short";
    std::memcpy(&dos, bytes.data(), sizeof dos);
    IMAGE_NT_HEADERS64 nt{};
    const size_t at = static_cast<size_t>(dos.e_lfanew);
    if (dos.e_magic != IMAGE_DOS_SIGNATURE || at + sizeof nt > bytes.size()) return "err no executable";
    std::memcpy(&nt, bytes.data() + at, sizeof nt);
    if (nt.Signature != IMAGE_NT_SIGNATURE || nt.OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR64_MAGIC)
        return "err no 64-bit executable";
    return "ok machine=" + HexValue(nt.FileHeader.Machine) +
           " subsystem=" + std::to_string(nt.OptionalHeader.Subsystem) +
           " dll=" + HexValue(nt.OptionalHeader.DllCharacteristics);
}

void Run(const std::string& line) {
    std::istringstream in(line);
    std::string cmd;
    in >> cmd;
    if (cmd == "wait") {
        int ms = 0;
        std::string cls;
        in >> ms >> cls;
        const std::wstring caption = Wide(Rest(in));
        HWND found = nullptr;
        const bool ok = WaitFor(ms, [&] {
            for (HWND h : TopLevels()) {
                if (!IsWindowVisible(h)) continue;
                if (cls != "-" && ClassOf(h) != Wide(cls)) continue;
                if (!caption.empty() && TextOf(h) != caption) continue;
                found = h;
                return true;
            }
            return false;
        });
        std::cout << (ok ? "ok " + Hex(found) : std::string("err timeout")) << "\n";
    } else if (cmd == "gone") {
        int ms = 0;
        std::string h;
        in >> ms >> h;
        HWND w = ParseHwnd(h);
        std::cout << (WaitFor(ms, [&] { return !IsWindow(w) || !IsWindowVisible(w); }) ? "ok" : "err timeout") << "\n";
    } else if (cmd == "dialog") {
        int ms = 0;
        std::string except;
        in >> ms >> except;
        HWND found = nullptr;
        const bool ok = WaitFor(ms, [&] { return (found = FindDialog(ParseHwnd(except))) != nullptr; });
        std::cout << (ok ? "ok " + Hex(found) + " class=" + Utf8(ClassOf(found)) + " text=" + Utf8(TextOf(found))
                         : std::string("err timeout"))
                  << "\n";
    } else if (cmd == "nodialog") {
        int ms = 0;
        in >> ms;
        std::cout << (WaitFor(ms, [] { return FindDialog(nullptr) == nullptr; }) ? "ok" : "err timeout") << "\n";
    } else if (cmd == "info") {
        std::string h;
        in >> h;
        HWND w = ParseHwnd(h);
        std::cout << (IsWindow(w) ? Info(w) : std::string("err no window")) << "\n";
    } else if (cmd == "children") {
        std::string h;
        in >> h;
        std::vector<std::string> lines;
        for (HWND c : Descendants(ParseHwnd(h))) lines.push_back(ChildLine(c));
        List(lines);
    } else if (cmd == "combo") {
        std::string h;
        in >> h;
        std::vector<std::string> lines;
        const std::string head = Combo(ParseHwnd(h), lines);
        std::cout << "ok " << head << "\n";
        for (const auto& l : lines) std::cout << l << "\n";
        std::cout << ".\n";
    } else if (cmd == "focus") {
        std::string h;
        in >> h;
        GUITHREADINFO gti{};
        gti.cbSize = sizeof gti;
        const DWORD thread = GetWindowThreadProcessId(ParseHwnd(h), nullptr);
        if (!GetGUIThreadInfo(thread, &gti)) {
            std::cout << "err no thread info\n";
        } else {
            std::cout << "ok " << Hex(gti.hwndFocus) << " class=" << Utf8(ClassOf(gti.hwndFocus))
                      << " id=" << GetDlgCtrlID(gti.hwndFocus) << " active=" << Hex(gti.hwndActive) << "\n";
        }
    } else if (cmd == "text") {
        std::string h;
        in >> h;
        std::cout << "ok " << Utf8(TextOf(ParseHwnd(h))) << "\n";
    } else if (cmd == "settext") {
        std::string h;
        in >> h;
        const std::wstring text = Wide(Rest(in));
        DWORD_PTR r = 0;
        SendMessageTimeoutW(ParseHwnd(h), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                            3000, &r);
        std::cout << (r ? "ok" : "err not set") << "\n";
    } else if (cmd == "edit") {
        std::string h;
        in >> h;
        DWORD_PTR limit = 0, sel = 0;
        SendMessageTimeoutW(ParseHwnd(h), EM_GETLIMITTEXT, 0, 0, SMTO_ABORTIFHUNG, 3000, &limit);
        SendMessageTimeoutW(ParseHwnd(h), EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 3000, &sel);
        std::cout << "ok limit=" << limit << " sel=" << LOWORD(sel) << "," << HIWORD(sel) << "\n";
    } else if (cmd == "press") {
        std::string h;
        in >> h;
        const std::wstring caption = Wide(Rest(in));
        HWND button = nullptr;
        for (HWND c : Descendants(ParseHwnd(h)))
            if (ClassOf(c) == L"Button" && (TextOf(c) == caption || WithoutAmpersands(TextOf(c)) == caption)) button = c;
        if (!button) {
            std::cout << "err no button\n";
        } else {
            // Posted, as a click is: the button's owner may open the next dialog at once.
            PostMessageW(button, BM_CLICK, 0, 0);
            std::cout << "ok\n";
        }
    } else if (cmd == "menu") {
        int ms = 0;
        in >> ms;
        HWND found = nullptr;
        const bool ok = WaitFor(ms, [&] {
            found = nullptr;
            for (HWND h : TopLevels())
                if (IsWindowVisible(h) && ClassOf(h) == L"#32768") found = h;
            return found != nullptr;
        });
        std::cout << (ok ? "ok " + Hex(found) : std::string("err no menu")) << "\n";
    } else if (cmd == "send" || cmd == "post") {
        std::string h;
        unsigned long long msg = 0, wp = 0, lp = 0;
        in >> h >> std::hex >> msg >> wp >> lp;
        if (cmd == "post") {
            std::cout << (PostMessageW(ParseHwnd(h), static_cast<UINT>(msg), wp, lp) ? "ok" : "err not posted") << "\n";
        } else {
            DWORD_PTR r = 0;
            const bool ok = SendMessageTimeoutW(ParseHwnd(h), static_cast<UINT>(msg), wp, lp, SMTO_ABORTIFHUNG, 10000, &r);
            std::cout << (ok ? "ok " + HexValue(r) : std::string("err no answer")) << "\n";
        }
    } else if (cmd == "hold") {
        int ms = 0;
        in >> ms;
        const std::wstring path = Wide(Rest(in));
        HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            std::cout << "err " << GetLastError() << "\n";
        } else {
            std::thread([h, ms] {
                Sleep(static_cast<DWORD>(ms));
                CloseHandle(h);
            }).detach();
            std::cout << "ok\n";
        }
    } else if (cmd == "longpath") {
        std::wstring path = Wide(Rest(in));
        // Past 259 characters the wide calls want the long-path prefix.
        const bool prefixed = path.size() >= MAX_PATH - 12 && path.size() > 2 && path[1] == L':';
        if (prefixed) path = L"\\\\?\\" + path;
        std::wstring out(GetLongPathNameW(path.c_str(), nullptr, 0), L'\0');
        const DWORD n = out.empty() ? 0 : GetLongPathNameW(path.c_str(), out.data(), static_cast<DWORD>(out.size()));
        if (n == 0 || n >= out.size()) {
            std::cout << "err " << GetLastError() << "\n";
        } else {
            out.resize(n);
            if (prefixed && out.rfind(L"\\\\?\\", 0) == 0) out.erase(0, 4);
            std::cout << "ok " << Utf8(out) << "\n";
        }
    } else if (cmd == "shortcut") {
        std::string lnk;
        in >> lnk;
        const std::wstring target = Wide(Rest(in));
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        const HRESULT hr = TestSupport::SaveShortcut(Wide(lnk), target);
        std::cout << (SUCCEEDED(hr) ? std::string("ok") : "err " + HexValue(static_cast<unsigned>(hr))) << "\n";
    } else if (cmd == "windows") {
        std::vector<std::string> lines;
        HWND main = MainWindow();
        const DWORD pid = main ? ProcessOf(main) : 0;
        for (HWND h : TopLevels())
            if (pid && ProcessOf(h) == pid && IsWindowVisible(h)) lines.push_back(Hex(h) + " " + Info(h).substr(3));
        List(lines);
    } else if (cmd == "others") {
        std::vector<std::string> lines;
        HWND main = MainWindow();
        const DWORD pid = main ? ProcessOf(main) : 0;
        for (HWND h : TopLevels())
            if (ProcessOf(h) != pid && ProcessOf(h) != GetCurrentProcessId() && IsWindowVisible(h))
                lines.push_back(Hex(h) + " " + Info(h).substr(3));
        List(lines);
    } else if (cmd == "mains") {
        std::vector<std::string> lines;
        for (HWND h : TopLevels())
            if (IsWindowVisible(h) && ClassOf(h) == MainClass)
                lines.push_back(Hex(h) + " pid=" + std::to_string(ProcessOf(h)));
        List(lines);
    } else if (cmd == "foreground") {
        std::cout << "ok " << Hex(GetForegroundWindow()) << "\n";
    } else if (cmd == "icon") {
        std::string h;
        in >> h;
        HWND w = ParseHwnd(h);
        DWORD_PTR big = 0;
        SendMessageTimeoutW(w, WM_GETICON, ICON_BIG, 0, SMTO_ABORTIFHUNG, 3000, &big);
        std::cout << "ok class=" << HexValue(GetClassLongPtrW(w, GCLP_HICON))
                  << " small=" << HexValue(GetClassLongPtrW(w, GCLP_HICONSM)) << " big=" << HexValue(big) << "\n";
    } else if (cmd == "commandlines") {
        List(CommandLines(Wide(Rest(in))));
    } else if (cmd == "image") {
        std::cout << ImageHeader(Wide(Rest(in))) << "\n";
    } else if (cmd == "resource") {
        std::string type, name;
        in >> type >> name;
        const std::wstring path = Wide(Rest(in)), wtype = Wide(type), wname = Wide(name);
        auto id = [](const std::string& s, const std::wstring& w) {
            return s.size() > 1 && s[0] == '#' ? MAKEINTRESOURCEW(std::atoi(s.c_str() + 1)) : w.c_str();
        };
        HMODULE m = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        HRSRC r = m ? FindResourceW(m, id(name, wname), id(type, wtype)) : nullptr;
        if (!r) {
            std::cout << "err no resource\n";
        } else {
            const DWORD size = SizeofResource(m, r);
            const std::string bytes(static_cast<const char*>(LockResource(LoadResource(m, r))), size);
            bool text = true;
            for (unsigned char c : bytes) text = text && (c >= 0x20 || c == '\n' || c == '\r' || c == '\t');
            std::cout << "ok size=" << size << "\n";
            std::istringstream lines(text ? bytes : std::string());
            for (std::string l; std::getline(lines, l);) {
                if (!l.empty() && l.back() == '\r') l.pop_back();
                std::cout << l << "\n";
            }
            std::cout << ".\n";
        }
        if (m) FreeLibrary(m);
    } else {
        std::cout << "err unknown command " << cmd << "\n";
    }
}

} // namespace

int main() {
    // Answers end in a bare line feed, as the reading script expects.
    _setmode(_fileno(stdout), _O_BINARY);
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        if (line == "quit") break;
        Run(line);
        std::cout.flush();
    }
    return 0;
}
