#include "app/portable/EntryString.h"
#include "app/portable/LaunchParams.h"

#include <gtest/gtest.h>

namespace {

TEST(EntryString, QuotesNameAndPathDoublingTheQuoteInside) {
    struct Case {
        std::wstring_view quote, name, path, entry;
    } cases[] = {
        {L"\"", L"Tools", L"C:\\Tools", L"\"Tools\",\"C:\\Tools\""},
        {L"\"", L"a\"b", L"C:", L"\"a\"\"b\",\"C:\""},
        {L"\"", L"say \"hi\"", L"C:\\q", L"\"say \"\"hi\"\"\",\"C:\\q\""},
        {L"\"", L"\"", L"\"", L"\"\"\"\",\"\"\"\""},
        {L"\"", L"x, y", L"C:\\Program Files", L"\"x, y\",\"C:\\Program Files\""},
        {L"'", L"n'", L"p", L"'n''','p'"},
        {L"", L"n\"", L"p", L"n\",p"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MakeEntryString(c.quote, c.name, c.path), c.entry);
}

TEST(LaunchParams, ExplorerGetsTheWholePathInQuotes) {
    EXPECT_EQ(ExplorerParameters(L"C:\\Tools"), L"/n,/e,\"C:\\Tools\"");
    EXPECT_EQ(ExplorerParameters(L"C:\\Program Files,x y"), L"/n,/e,\"C:\\Program Files,x y\"");
    EXPECT_EQ(ExplorerParameters(L"C:\\a=b"), L"/n,/e,\"C:\\a=b\"");
    EXPECT_EQ(ExplorerParameters(L"C:\\\uD55C"), L"/n,/e,\"C:\\\uD55C\"");
    EXPECT_EQ(ExplorerParameters(L"\x8868\\\xD83D\xDCC1"), L"/n,/e,\"\x8868\\\xD83D\xDCC1\"");
    EXPECT_EQ(ExplorerParameters(L""), L"/n,/e,");
    const std::wstring longPath = L"C:\\" + std::wstring(1997, L'x');
    const std::wstring params = ExplorerParameters(longPath);
    ASSERT_EQ(params.size(), 2008u);
    EXPECT_EQ(params.substr(7, longPath.size()), longPath);
}

TEST(LaunchParams, InfoPageAddressEndsInTheExecutableName) {
    const CodePage& cp = CodePage::Cp932();
    const std::string base(InfoPageBase);
    ASSERT_EQ(base.rfind("http://", 0), 0u);
    ASSERT_EQ(base.substr(base.size() - 18), "/info.php?pf=w&sn=");
    struct Case {
        std::string_view exe, sn;
    } cases[] = {
        {"C:\\Tools\\Kestrovane1.exe", "Kestrovane1"},
        {"C:\\Tools\\tool.new.exe", "tool.new"},
        {"C:\\My Tools\\my tool.exe", "my tool"},
        {"C:\\a.b\\prog", "prog"},
        {"C:\\\x95\x5C.exe", "\x95\x5C"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(InfoPageAddress(c.exe, cp), base + std::string(c.sn));
}

} // namespace
