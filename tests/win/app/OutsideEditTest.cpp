#include "tests/win/app/MainWindowFixture.h"

using TestSupport::ReadFileBytes;
using V = std::vector<std::string>;

namespace {

const char* const N = "\"N\",\"C:\\N\"";

// What the window does to its list before the file is edited outside.
enum class Own { Nothing, Delete, Register, DeleteAndRegister };

} // namespace

TEST_F(MainWindowTest, TheSaveAppliesTheWindowsOwnChangesToAFileEditedOutside) {
    struct Row {
        const char* name;
        std::string file;      // as the window reads it
        Own own;
        int deleted;           // the entry the window deletes
        const char* outside;   // the file as the editor leaves it (nullptr: deleted)
        const char* saved;     // the file after the close (nullptr: not there)
    } rows[] = {
        {"an outside edit and a deletion in the window", "a\r\nb\r\n", Own::Delete, 0,
         "a\r\nb\r\nedited\r\n", "b\r\nedited\r\n"},
        {"the deleted entry is no longer in the file", "a\r\nb\r\nc\r\n", Own::Delete, 1, "a\r\nc\r\nx\r\n",
         "a\r\nc\r\nx\r\n"},
        {"the deleted entry twice in the file: one goes", "a\r\nb\r\n", Own::Delete, 0, "a\r\nx\r\na\r\n",
         "x\r\na\r\n"},
        {"the registered entry is in the file already", "a\r\n", Own::Register, 0,
         "a\r\n\"N\",\"C:\\N\"\r\n", "a\r\n\"N\",\"C:\\N\"\r\n\"N\",\"C:\\N\"\r\n"},
        {"file emptied outside", "a\r\nb\r\n", Own::DeleteAndRegister, 0, "", "\"N\",\"C:\\N\"\r\n"},
        {"file deleted outside", "a\r\nb\r\n", Own::DeleteAndRegister, 0, nullptr, "\"N\",\"C:\\N\"\r\n"},
        {"file deleted outside, no change in the window", "a\r\n", Own::Nothing, 0, nullptr, nullptr},
        {"no change in the window: the edit stays byte for byte", "a\r\n", Own::Nothing, 0,
         "x\n\n  \r\ny", "x\n\n  \r\ny"},
        {"empty lines of the edited file are dropped with the window's changes", "a\r\n", Own::Register, 0,
         "a\r\n\r\nb\r\n", "a\r\nb\r\n\"N\",\"C:\\N\"\r\n"},
        {"line breaks changed only: the file is as read, the list is written", "d\r\nx\r\nd\r\n", Own::Delete,
         2, "d\nx\nd", "d\r\nx\r\n"},
        {"untouched file: the list is written as it stands", "d\r\nx\r\nd\r\n", Own::Delete, 2, "d\r\nx\r\nd\r\n",
         "d\r\nx\r\n"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Open(r.file.c_str(), r.file.size());
        if (r.own == Own::Delete || r.own == Own::DeleteAndRegister) {
            form->MultiColComboBox1->SetItemIndex(r.deleted);
            form->Delete1Click(form);
        }
        if (r.own == Own::Register || r.own == Own::DeleteAndRegister) form->AppendEntry(L"N", L"C:\\N");
        if (r.outside)
            TestSupport::WriteFileBytes(ListFile(), r.outside);
        else
            DeleteFileA(ListFile().c_str());
        EXPECT_TRUE(CloseWindow());
        EXPECT_TRUE(TestSupport::ShownBoxes().empty());
        if (r.saved)
            EXPECT_EQ(ReadFileBytes(ListFile()), r.saved);
        else
            EXPECT_FALSE(TestSupport::FileExists(ListFile()));
        DeleteFileA(ListFile().c_str());
        delete form;
        form = nullptr;
    }
}

TEST_F(MainWindowTest, AnEntryRegisteredAndDeletedAgainIsNoChangeOfTheWindows) {
    Open("a\r\n");
    form->AppendEntry(L"N", L"C:\\N");
    form->MultiColComboBox1->SetItemIndex(1);
    form->Delete1Click(form);
    TestSupport::WriteFileBytes(ListFile(), "a\r\nedited\r\n");
    EXPECT_TRUE(CloseWindow());
    EXPECT_EQ(ReadFileBytes(ListFile()), "a\r\nedited\r\n");
}

TEST_F(MainWindowTest, TheListFollowsAnOutsideEditWhenActivatedOrOpened) {
    auto activate = [&] { SendMessageA(form->Handle(), WM_ACTIVATE, WA_ACTIVE, 0); };
    auto dropDown = [&] {
        SendMessageA(form->MultiColComboBox1->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
        SendMessageA(form->MultiColComboBox1->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
    };
    auto E = [](const char* n) { return std::string("\"") + n + "\",\"C:\\" + n + "\""; };
    auto file = [&](const V& entries) {
        std::string bytes;
        for (const std::string& e : entries) bytes += e + "\r\n";
        TestSupport::WriteFileBytes(ListFile(), bytes);
    };
    file({E("a"), E("b")});
    Open(nullptr);
    form->MultiColComboBox1->SetItemIndex(1);
    form->MultiColComboBox1Change(form);
    ASSERT_TRUE(form->Delete1->Enabled);

    // The selected entry stays selected where it now stands.
    file({E("b"), E("c")});
    activate();
    EXPECT_EQ(Entries(), (V{E("b"), E("c")}));
    EXPECT_EQ(form->MultiColComboBox1->ItemIndex(), 0);
    EXPECT_TRUE(form->Delete1->Enabled);
    // Gone from the file: nothing is selected and nothing can be deleted.
    file({E("c")});
    dropDown();
    EXPECT_EQ(Entries(), V{E("c")});
    EXPECT_EQ(form->MultiColComboBox1->ItemIndex(), -1);
    EXPECT_FALSE(form->Delete1->Enabled);
    // A file that is being written and cannot be read now changes nothing.
    HANDLE held = CreateFileA(ListFile().c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    activate();
    CloseHandle(held);
    EXPECT_EQ(Entries(), V{E("c")});
    EXPECT_TRUE(TestSupport::ShownBoxes().empty());
    // Once the window holds a change of its own, the file is left for the save to merge.
    form->AppendEntry(L"N", L"C:\\N");
    file({E("c"), E("d")});
    activate();
    dropDown();
    EXPECT_EQ(Entries(), (V{E("c"), N}));
    EXPECT_TRUE(CloseWindow());
    EXPECT_EQ(ReadFileBytes(ListFile()), E("c") + "\r\n" + E("d") + "\r\n" + N + "\r\n");
}

TEST_F(MainWindowTest, AListFileReadableAgainIsLoadedOnActivationAndNeedsNoQuestion) {
    TestSupport::WriteFileBytes(ListFile(), "precious\r\n");
    HANDLE held = CreateFileA(ListFile().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Open(nullptr);
    ASSERT_EQ(TestSupport::ShownBoxes().size(), 1u);
    SendMessageA(form->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_TRUE(Entries().empty());  // still held
    CloseHandle(held);
    SendMessageA(form->Handle(), WM_ACTIVATE, WA_CLICKACTIVE, 0);
    EXPECT_EQ(Entries(), V{"precious"});
    form->AppendEntry(L"N", L"C:\\N");
    EXPECT_TRUE(CloseWindow());
    EXPECT_TRUE(services.questions.empty());
    EXPECT_EQ(ReadFileBytes(ListFile()), std::string("precious\r\n") + N + "\r\n");
}
