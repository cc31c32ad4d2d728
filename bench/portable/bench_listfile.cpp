// What a long folder list costs outside the window: reading DirList.txt into lines,
// splitting every entry into its fields, and writing the list back.
#include "app/portable/EntryString.h"
#include "app/portable/ListFile.h"
#include "controls/portable/CommaText.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

double MsSince(std::chrono::steady_clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

template <class F> double Best(int runs, F f) {
    double best = 1e300;
    for (int r = 0; r < runs; ++r) {
        auto t0 = std::chrono::steady_clock::now();
        f();
        best = std::min(best, MsSince(t0));
    }
    return best;
}

} // namespace

int main() {
    std::printf("%-34s %10s %12s\n", "list file (native)", "entries", "best ms");
    for (int n : {10000, 100000}) {
        std::vector<std::string> entries;
        entries.reserve(n);
        for (int i = 0; i < n; ++i)
            entries.push_back(MakeEntryString("\"", "フォルダ " + std::to_string(i),
                                              "C:\\Users\\me\\作業\\project-" + std::to_string(i)));
        std::string bytes;
        const double write = Best(5, [&] { bytes = WriteListLines(entries); });
        std::vector<std::string> lines;
        const double read = Best(5, [&] { lines = ReadListLines(bytes); });
        std::vector<std::string> fields;
        std::size_t total = 0;
        const double split = Best(5, [&] {
            for (const auto& l : lines) {
                SplitCommaText(l, fields, CodePage::Cp932());
                total += fields.size();
            }
        });
        std::printf("%-34s %10d %12.2f\n", "write lines (CR LF)", n, write);
        std::printf("%-34s %10d %12.2f\n", "read lines", n, read);
        std::printf("%-34s %10d %12.2f\n", "split every entry", n, split);
        if (lines.size() != entries.size() || total == 0) return 1;
    }
    return 0;
}
