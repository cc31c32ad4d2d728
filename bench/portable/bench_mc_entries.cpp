// How the combo box's entry list copes with a very long folder list: appending,
// reading every shown column back, and item copies.
#include <chrono>
#include <cstdio>

#include "controls/portable/McEntryBook.h"
#include "framework/portable/CodePage.h"

namespace {

void SplitOnCommas(std::string_view text, std::vector<std::string>& fields, const CodePage&) {
    fields.clear();
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t comma = text.find(',', start);
        if (comma == std::string_view::npos) comma = text.size();
        fields.emplace_back(text.substr(start, comma - start));
        start = comma + 1;
    }
}

double MsSince(std::chrono::steady_clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

} // namespace

int main() {
    constexpr int kEntries = 100000;
    McEntryBook book(SplitOnCommas, CodePage::Cp932());

    auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < kEntries; ++i)
        book.Add("\"folder " + std::to_string(i) + "\",\"C:\\Users\\me\\work\\" +
                 std::to_string(i) + "\"");
    std::printf("append %d entries:        %8.2f ms\n", kEntries, MsSince(t0));

    t0 = std::chrono::steady_clock::now();
    std::size_t bytes = 0;
    for (int i = 0; i < kEntries; ++i)
        bytes += book.GetColumnText(i, 1).size();
    std::printf("column text of each:       %8.2f ms (%zu bytes)\n", MsSince(t0), bytes);

    t0 = std::chrono::steady_clock::now();
    char buf[4096];
    long long total = 0;
    for (int i = 0; i < kEntries; ++i)
        total += book.CopyText(i, buf, sizeof buf);
    std::printf("item copy of each:         %8.2f ms (%lld bytes)\n", MsSince(t0), total);

    t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < 100; ++i)
        book.Insert(0, "\"x\",\"y\"");
    std::printf("100 inserts at the front:  %8.2f ms\n", MsSince(t0));
    return 0;
}
