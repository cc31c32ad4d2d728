// Asks a top-level window to close, exactly as its close box does. The window is found
// by its class ("-" for any) and caption. Used by the run scripts to end the program the
// way a user would, and to dismiss a message box the program shows at start. The names
// are read from the command line in Unicode, so they match whatever the system's code page.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>

int main() {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 3) {
        std::fprintf(stderr, "usage: SendClose <class or -> <window caption>\n");
        return 2;
    }
    const std::wstring cls = argv[1], caption = argv[2];
    LocalFree(argv);
    HWND w = FindWindowW(cls == L"-" ? nullptr : cls.c_str(), caption.c_str());
    if (!w) {
        std::fprintf(stderr, "SendClose: no window \"%ls\"\n", caption.c_str());
        return 1;
    }
    PostMessageW(w, WM_CLOSE, 0, 0);
    return 0;
}
