// Asks a top-level window to close, exactly as its close box does. The window is found
// by its class ("-" for any) and caption. Used by the run scripts to end the program the
// way a user would, and to dismiss a message box the program shows at start.
#include <windows.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: SendClose <class or -> <window caption>\n");
        return 2;
    }
    const char* cls = std::strcmp(argv[1], "-") == 0 ? nullptr : argv[1];
    HWND w = FindWindowA(cls, argv[2]);
    if (!w) {
        std::fprintf(stderr, "SendClose: no window \"%s\"\n", argv[2]);
        return 1;
    }
    PostMessageA(w, WM_CLOSE, 0, 0);
    return 0;
}
