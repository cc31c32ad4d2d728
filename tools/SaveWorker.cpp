// Saves a long list to a list file again and again, so a test can kill it in the middle
// of a save and look at what is left on disk.
#include "app/ListFileStore.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: SaveWorker <list file> <entries>\n");
        return 2;
    }
    TListFileStore store(nullptr);
    const int n = std::atoi(argv[2]);
    std::string bytes;
    for (int i = 0; i < n; ++i) bytes += "\"new " + std::to_string(i) + "\",\"C:\\new\\" + std::to_string(i) + "\"\r\n";
    const std::wstring path = Widen(argv[1]);
    std::printf("ready\n");
    std::fflush(stdout);
    for (;;) store.WriteBytes(path, bytes);
}
