#include "tests/win/app/MainWindowFixture.h"


using TestSupport::ReadFileBytes;

namespace {

// The first difference of two lists, or "" when they are equal (short messages for huge lists).
std::string FirstDifference(const std::vector<std::string>& got, const std::vector<std::string>& want) {
    if (got.size() != want.size())
        return "sizes " + std::to_string(got.size()) + " and " + std::to_string(want.size());
    for (size_t i = 0; i < got.size(); ++i)
        if (got[i] != want[i]) return "entry " + std::to_string(i) + " differs";
    return "";
}

// What a save writes for the given lines: every non-empty line with CR LF.
std::string SavedForm(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines)
        if (!l.empty()) s += l + "\r\n";
    return s;
}

} // namespace

TEST_F(MainWindowTest, BadListFilesLoadByTheLineRulesAndSaveBackExactly) {
    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 2654435761u) >> 24);
    std::string lines100k;
    for (int i = 0; i < 100000; ++i) lines100k += "\"n" + std::to_string(i) + "\",\"C:\\d" + std::to_string(i) + "\"\r\n";
    struct Row {
        const char* name;
        std::string file;
        size_t entries;
    } rows[] = {
        {"binary garbage", garbage, 0},
        {"NUL bytes inside lines", std::string("a\0b\r\n\0\r\nc", 9), 3},
        {"double-byte names", "\"\x95\x5C\x8e\xa6\",\"C:\\\x83\x5C\"\r\n", 1},
        {"a lone lead byte at the end", "\"a\",\"b\"\r\n\x95", 2},
        {"invalid double-byte pairs", "\x81\x0d\x0a\xfc\x20\r\n", 2},
        {"a 1 MiB line", std::string(1 << 20, 'x') + "\r\n", 1},
        {"only CR", std::string(50, '\r'), 50},
        {"only LF", std::string(50, '\n'), 50},
        {"mixed breaks", "a\rb\nc\r\nd\n\re", 6},
        {"a UTF-8 byte-order mark", "\xEF\xBB\xBF\"a\",\"C:\\A\"\r\n", 1},
        {"100,000 lines", lines100k, 100000},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Open(r.file.c_str(), r.file.size());
        EXPECT_TRUE(TestSupport::ShownBoxes().empty());
        const auto entries = Entries();
        const auto expected = [&] {
            std::vector<std::string> lines;
            // The same rules, spelled out: CR LF, CR or LF end a line; none starts after the last.
            size_t s = 0;
            while (s < r.file.size()) {
                size_t e = r.file.find_first_of("\r\n", s);
                if (e == std::string::npos) e = r.file.size();
                // An entry is a C string for the list control: it ends at its first NUL.
                std::string line = r.file.substr(s, e - s);
                lines.push_back(line.substr(0, line.find('\0')));
                s = (e < r.file.size() && r.file[e] == '\r' && e + 1 < r.file.size() && r.file[e + 1] == '\n') ? e + 2 : e + 1;
            }
            return lines;
        }();
        if (r.entries) {
            EXPECT_EQ(entries.size(), r.entries);
        }
        EXPECT_EQ(FirstDifference(entries, expected), "");
        EXPECT_TRUE(CloseWindow());
        EXPECT_TRUE(ReadFileBytes(ListFile()) == SavedForm(expected)) << "the saved file differs";
        delete form;
        form = nullptr;
    }
}

TEST_F(MainWindowTest, AListFileThatIsAFolderIsReportedAndLeftAlone) {
    CreateDirectoryA(ListFile().c_str(), nullptr);
    Open(nullptr);
    ASSERT_EQ(TestSupport::ShownBoxes().size(), 1u);
    EXPECT_EQ(TestSupport::ShownBoxes()[0].text, "ファイル " + ListFile() + " は開けません.");
    form->AppendEntry("a", "C:\\A");
    services.askAnswer = IDYES;
    TestSupport::ShownBoxes().clear();
    EXPECT_FALSE(CloseWindow());  // a folder cannot be replaced by the list
    ASSERT_EQ(TestSupport::ShownBoxes().size(), 1u);
    EXPECT_EQ(TestSupport::ShownBoxes()[0].text, "ファイル " + ListFile() + " を作成できません.");
    EXPECT_TRUE(GetFileAttributesA(ListFile().c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    RemoveDirectoryA(ListFile().c_str());
    EXPECT_TRUE(CloseWindow());
}

TEST_F(MainWindowTest, LongUntrustedPathsReachTheLaunchAndTheScreenUnchanged) {
    std::string path = "C:\\\"a,b\" & %PATH% \x95\x5C\x83\x5C\x94\x5C ";
    while (path.size() < 5000) path += "\\dir \x95\x5C,&%\"";
    const std::string entry = "\"n\",\"" + path + "\"";
    Open((entry + "\r\n").c_str());
    EXPECT_EQ(Entries(), std::vector<std::string>{entry});
    form->MultiColComboBox1->SetItemIndex(0);
    form->MultiColComboBox1Change(nullptr);
    SendMessageA(form->Button4->Handle(), BM_CLICK, 0, 0);
    ASSERT_EQ(services.calls.size(), 1u);
    // The split ends the path field at its first quote; that much goes out, uncut.
    EXPECT_EQ(services.calls[0].params, "/n,/e," + form->MultiColComboBox1->GetSelectedText());
    EXPECT_GT(services.calls[0].params.size(), 6u);
    UpdateWindow(form->Handle());
    EXPECT_TRUE(CloseWindow());
    EXPECT_EQ(ReadFileBytes(ListFile()), entry + "\r\n");
}
