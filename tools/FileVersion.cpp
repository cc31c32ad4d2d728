// Prints the file version that an executable's version resource carries ("1.2.3.0"), so
// the release script can check it against the version in the zip's name.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: FileVersion <executable>\n");
        return 2;
    }
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(argv[1], &ignored);
    std::vector<BYTE> info(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    if (size == 0 || !GetFileVersionInfoW(argv[1], 0, size, info.data()) ||
        !VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &len) || len < sizeof *fixed) {
        std::fprintf(stderr, "FileVersion: no version resource\n");
        return 1;
    }
    std::printf("%u.%u.%u.%u\n", unsigned{HIWORD(fixed->dwFileVersionMS)}, unsigned{LOWORD(fixed->dwFileVersionMS)},
                unsigned{HIWORD(fixed->dwFileVersionLS)}, unsigned{LOWORD(fixed->dwFileVersionLS)});
    return 0;
}
