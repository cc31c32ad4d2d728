// What a long folder list costs outside the window: reading DirList.txt into lines,
// splitting every entry into its fields, and writing the list back; and the folder
// list's own load, view texts and save after one registration, in Shift-JIS and UTF-8.
#include "app/portable/FolderList.h"
#include "app/portable/ListFile.h"
#include "controls/portable/CommaText.h"
#include "tests/portable/ShiftJisForTests.h"

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
            entries.push_back("\"フォルダ " + std::to_string(i) + "\",\"C:\\Users\\me\\作業\\project-" +
                              std::to_string(i) + "\"");
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

        // The sources are UTF-8, so these bytes are a UTF-8 list; the Shift-JIS one is
        // the same list converted.
        const TestShiftJis sjis;
        std::string sjisBytes;
        for (const auto& l : lines) sjisBytes += sjis.Encode(FromUtf8(l)).bytes + "\r\n";
        for (const auto& [name, file] : {std::pair<const char*, const std::string*>{"Shift-JIS", &sjisBytes},
                                         std::pair<const char*, const std::string*>{"UTF-8", &bytes}}) {
            FolderList list(sjis);
            const double load = Best(5, [&] { list.Load(*file); });
            std::size_t shown = 0;
            const double view = Best(5, [&] {
                for (std::size_t i = 0; i < list.Count(); ++i) shown += list.ShownEntry(i).size();
            });
            FolderList::SavePlan plan;
            const double save = Best(5, [&] {
                list.Load(*file);
                list.Append(L"\"", L"n", L"C:\\n");
                plan = list.PlanSave(*file);
            });
            std::printf("%-34s %10d %12.2f\n", (std::string("folder list: load, ") + name).c_str(), n, load);
            std::printf("%-34s %10d %12.2f\n", (std::string("folder list: shown texts, ") + name).c_str(), n, view);
            std::printf("%-34s %10d %12.2f\n", (std::string("folder list: load+register+save, ") + name).c_str(), n,
                        save);
            if (list.Count() != lines.size() + 1 || !plan.write || shown == 0) return 1;
        }
    }
    return 0;
}
