#include "tests/win/app/MainWindowFixture.h"

#include "app/portable/ListFile.h"


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
    // Bytes of every value but NUL, CR and LF, so that the breaks below are the only ones.
    auto garbage = [](unsigned seed) {
        std::string g;
        for (unsigned i = 0; g.size() < 1365; ++i) {
            const char c = static_cast<char>(((i + seed) * 2654435761u) >> 24);
            if (c != '\0' && c != '\r' && c != '\n') g += c;
        }
        return g;
    };
    const std::string g0 = garbage(0), g1 = garbage(5000), g2 = garbage(9000);
    std::string lines100k;
    std::vector<std::string> entries100k;
    for (int i = 0; i < 100000; ++i) {
        entries100k.push_back("\"n" + std::to_string(i) + "\",\"C:\\d" + std::to_string(i) + "\"");
        lines100k += entries100k.back() + "\r\n";
    }
    const std::string mib(1 << 20, 'x');
    using L = std::vector<std::string>;
    struct Row {
        const char* name;
        std::string file;
        L expected;
    } rows[] = {
        {"binary garbage", g0 + "\r\n" + g1 + "\r" + g2, {g0, g1, g2}},
        // The list control shows an entry up to its first NUL; the file keeps the rest.
        {"NUL bytes inside lines", std::string("a\0b\r\n\0\r\nc", 9), {"a", "", "c"}},
        {"double-byte names", "\"\x95\x5C\x8e\xa6\",\"C:\\\x83\x5C\"\r\n", {"\"\x95\x5C\x8e\xa6\",\"C:\\\x83\x5C\""}},
        {"a lone lead byte at the end", "\"a\",\"b\"\r\n\x95", {"\"a\",\"b\"", "\x95"}},
        // A line break ends a line even after a lead byte.
        {"invalid double-byte pairs", "\x81\x0d\x0a\xfc\x20\r\n", {"\x81", "\xfc\x20"}},
        {"a 1 MiB line", mib + "\r\n", {mib}},
        {"only CR", std::string(50, '\r'), L(50, "")},
        {"only LF", std::string(50, '\n'), L(50, "")},
        {"mixed breaks", "a\rb\nc\r\nd\n\re", {"a", "b", "c", "d", "", "e"}},
        {"a UTF-8 byte-order mark", "\xEF\xBB\xBF\"a\",\"C:\\A\"\r\nb\r\n", {"\"a\",\"C:\\A\"", "b"}},
        {"100,000 lines", lines100k, entries100k},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Open(r.file.c_str(), r.file.size());
        EXPECT_TRUE(TestSupport::ShownBoxes().empty());
        EXPECT_EQ(FirstDifference(Entries(), r.expected), "");
        EXPECT_TRUE(CloseWindow());
        EXPECT_TRUE(ReadFileBytes(ListFile()) == r.file) << "an untouched list was written";
        delete form;
        // With the last entry deleted, every other line comes back byte for byte, its
        // NULs and stray lead bytes too (a mark stays in front of the first line).
        Open(nullptr);
        std::vector<std::string> kept = ReadListLines(r.file);
        form->MultiColComboBox1->SetItemIndex(static_cast<int>(kept.size()) - 1);
        form->Delete1Click(form);
        kept.pop_back();
        EXPECT_TRUE(CloseWindow());
        EXPECT_TRUE(ReadFileBytes(ListFile()) == SavedForm(kept)) << "the saved file differs";
        delete form;
        form = nullptr;
    }
}

TEST_F(MainWindowTest, AListFileThatIsAFolderIsReportedAndLeftAlone) {
    CreateDirectoryA(ListFile().c_str(), nullptr);
    Open(nullptr);
    ASSERT_EQ(TestSupport::ShownBoxes().size(), 1u);
    EXPECT_EQ(TestSupport::ShownBoxes()[0].text, "ファイル " + ListFile() + " は開けません.");
    form->AppendEntry(L"a", L"C:\\A");
    services.askAnswers = {IDYES, IDNO};  // overwrite it; after the error, keep the window
    TestSupport::ShownBoxes().clear();
    EXPECT_FALSE(CloseWindow());  // a folder cannot be replaced by the list
    ASSERT_EQ(TestSupport::ShownBoxes().size(), 1u);
    EXPECT_EQ(TestSupport::ShownBoxes()[0].text, "ファイル " + ListFile() + " を作成できません.");
    EXPECT_TRUE(GetFileAttributesA(ListFile().c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    RemoveDirectoryA(ListFile().c_str());
    services.askAnswer = IDYES;
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
    EXPECT_EQ(services.calls[0].params, "/n,/e,\"" + form->MultiColComboBox1->GetSelectedText() + "\"");
    EXPECT_GT(services.calls[0].params.size(), 8u);
    UpdateWindow(form->Handle());
    EXPECT_TRUE(CloseWindow());
    EXPECT_EQ(ReadFileBytes(ListFile()), entry + "\r\n");
}
