#include "tests/win/app/MainWindowFixture.h"

using TestSupport::ReadFileBytes;
using V = std::vector<std::string>;

// An entry far longer than any the program builds itself (as another editor may leave in
// the list file) comes through loading, reading and saving byte for byte, even after
// another program has read it through the combo box's messages as a Unicode sender.
TEST_F(MainWindowTest, ATenThousandByteEntryLoadsReadsAndSavesByteForByte) {
    std::string name;
    while (name.size() < 6000) name += "長い名前";
    const size_t pathSize = 10000 - 5 - name.size();
    std::string path = "C:\\";
    while (path.size() + 12 <= pathSize) path += "表示\\ソフト\\";
    path.resize(pathSize, 'x');
    const std::string entry = "\"" + name + "\",\"" + path + "\"";
    ASSERT_EQ(entry.size(), 10000u);
    const std::string file = "\"a\",\"C:\\A\"\r\n" + entry + "\r\n\"b\",\"C:\\B\"\r\n";
    Open(file.c_str(), file.size());
    EXPECT_TRUE(TestSupport::ShownBoxes().empty());
    EXPECT_EQ(Entries(), (V{"\"a\",\"C:\\A\"", entry, "\"b\",\"C:\\B\""}));

    TMultiColComboBox* box = form->MultiColComboBox1;
    box->SetItemIndex(1);
    form->MultiColComboBox1Change(box);
    EXPECT_EQ(box->GetSelectedText(), path);
    EXPECT_TRUE(form->Delete1->Enabled);

    // A reader such as an accessibility tool, asking in Unicode with a buffer sized by the
    // length query: it gets as much of the entry as the message hands out.
    const LRESULT len = SendMessageW(box->Handle(), CB_GETLBTEXTLEN, 1, 0);
    ASSERT_GE(len, 255);
    std::vector<wchar_t> buf(static_cast<size_t>(len) + 1, L'\0');
    const LRESULT got = SendMessageW(box->Handle(), CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(buf.data()));
    ASSERT_GT(got, 0);
    ASSERT_LE(got, len);
    EXPECT_EQ(buf[0], L'"');

    EXPECT_EQ(Entries()[1], entry);
    EXPECT_TRUE(CloseWindow());
    EXPECT_TRUE(ReadFileBytes(ListFile()) == file) << "the saved file differs";
}
