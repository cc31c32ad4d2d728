#include "tests/win/app/MainWindowFixture.h"

#include "framework/WideText.h"

#include <algorithm>
#include <numeric>
#include <thread>
#include <utility>

using TestSupport::ReadFileBytes;

namespace {

// The file's index on its volume: a file put in another's place has a new one.
unsigned long long FileIndex(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    BY_HANDLE_FILE_INFORMATION i{};
    const bool ok = h != INVALID_HANDLE_VALUE && GetFileInformationByHandle(h, &i);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    return ok ? (static_cast<unsigned long long>(i.nFileIndexHigh) << 32 | i.nFileIndexLow) : 0;
}

const DWORD Kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY;

} // namespace

TEST_F(MainWindowTest, TheSaveKeepsTheListFilesAttributesAndNoLeftoverTemporaryFileBlocksIt) {
    struct Row {
        const char* name;
        bool listExists;
        DWORD attributes;  // of the list file
        bool stale;        // a read-only temporary file left by a crash
        bool tempHeld;     // the temporary name is held open: the folder takes no new file there
        bool dropOld = false;  // the old entry is deleted: the list gets shorter
    } rows[] = {
        {"plain", true, FILE_ATTRIBUTE_NORMAL, false, false},
        {"hidden", true, FILE_ATTRIBUTE_HIDDEN, false, false},
        {"hidden and system", true, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, false, false},
        {"stale read-only temporary file", true, FILE_ATTRIBUTE_HIDDEN, true, false},
        {"stale read-only temporary file, no list file yet", false, 0, true, false},
        {"temporary name held: written in place", true, FILE_ATTRIBUTE_HIDDEN, false, true},
        {"written in place, shorter: no tail of the old file", true, FILE_ATTRIBUTE_NORMAL, false, true, true},
        {"temporary name held, no list file: refused", false, 0, false, true},
    };
    const std::string temp = ListFile() + ".saving";
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        for (const std::string& f : {ListFile(), temp}) {
            SetFileAttributesA(f.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(f.c_str());
        }
        if (r.listExists) {
            TestSupport::WriteFileBytes(ListFile(), "\"old\",\"C:\\Old\"\r\n");
            SetFileAttributesA(ListFile().c_str(), r.attributes);
        }
        if (r.stale) {
            TestSupport::WriteFileBytes(temp, "\"half a sa");
            SetFileAttributesA(temp.c_str(), FILE_ATTRIBUTE_READONLY);
        }
        HANDLE held = r.tempHeld ? CreateFileA(temp.c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS, 0, nullptr)
                                 : INVALID_HANDLE_VALUE;
        Open(nullptr);
        const unsigned long long indexBefore = FileIndex(ListFile());
        if (r.dropOld) {
            form->MultiColComboBox1->SetItemIndex(0);
            form->Delete1Click(form);
        }
        form->AppendEntry(L"N", L"C:\\N");
        TestSupport::ShownBoxes().clear();
        pauses.clear();
        const bool closed = CloseWindow();
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        // A held temporary name is waited for, about two seconds, before anything else.
        EXPECT_EQ(std::accumulate(pauses.begin(), pauses.end(), 0u), r.tempHeld ? 2000u : 0u);
        const bool oldKept = r.listExists && !r.dropOld;
        const std::string saved = std::string(oldKept ? "\"old\",\"C:\\Old\"\r\n" : "") + "\"N\",\"C:\\N\"\r\n";
        if (!r.listExists && r.tempHeld) {
            EXPECT_FALSE(closed);
            ASSERT_EQ(TestSupport::ShownBoxes().size(), 1u);
            EXPECT_EQ(TestSupport::ShownBoxes()[0].text, "ファイル " + ListFile() + " を作成できません.");
            EXPECT_FALSE(TestSupport::FileExists(ListFile()));
        } else {
            EXPECT_TRUE(closed);
            EXPECT_TRUE(TestSupport::ShownBoxes().empty());
            EXPECT_EQ(ReadFileBytes(ListFile()), saved);
            if (r.listExists) {
                EXPECT_EQ(GetFileAttributesA(ListFile().c_str()) & Kept, r.attributes & Kept);
            }
            if (r.tempHeld) {
                EXPECT_EQ(FileIndex(ListFile()), indexBefore);  // the very same file, rewritten
            } else {
                EXPECT_FALSE(TestSupport::FileExists(temp));
            }
        }
        delete form;
        form = nullptr;
    }
}

// The save puts a new file in the list file's place; Explorer's "Date created" still
// shows when the user first made the list, not the time of the last close.
TEST_F(MainWindowTest, TheSaveKeepsTheListFilesCreationTime) {
    TestSupport::WriteFileBytes(ListFile(), "\"old\",\"C:\\Old\"\r\n");
    auto created = [this] {
        WIN32_FILE_ATTRIBUTE_DATA d{};
        GetFileAttributesExA(ListFile().c_str(), GetFileExInfoStandard, &d);
        return static_cast<unsigned long long>(d.ftCreationTime.dwHighDateTime) << 32 | d.ftCreationTime.dwLowDateTime;
    };
    SYSTEMTIME longAgo{2001, 1, 1, 1, 9, 0, 0, 0};
    FILETIME set{};
    ASSERT_TRUE(SystemTimeToFileTime(&longAgo, &set));
    {
        HANDLE h = CreateFileA(ListFile().c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        SetFileTime(h, &set, nullptr, nullptr);
        CloseHandle(h);
    }
    const unsigned long long want = static_cast<unsigned long long>(set.dwHighDateTime) << 32 | set.dwLowDateTime;
    if (created() != want)
        GTEST_SKIP() << "this file system keeps no creation time of its own (under Wine SetFileTime "
                        "accepts one and drops it): the save's keeping it is not checked here";
    Open(nullptr);
    const unsigned long long indexBefore = FileIndex(ListFile());
    form->AppendEntry(L"N", L"C:\\N");
    ASSERT_TRUE(CloseWindow());
    ASSERT_EQ(ReadFileBytes(ListFile()), "\"old\",\"C:\\Old\"\r\n\"N\",\"C:\\N\"\r\n");
    EXPECT_NE(FileIndex(ListFile()), indexBefore) << "a new file took the list file's place";
    EXPECT_EQ(created(), want);
    delete form;
    form = nullptr;
}

TEST_F(MainWindowTest, AListFileTooBigForMemoryCountsAsNotLoaded) {
    {
        HANDLE h = CreateFileA(ListFile().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        LARGE_INTEGER size{};
        size.QuadPart = 1LL << 40;  // a terabyte, sparse on disk
        ASSERT_TRUE(SetFilePointerEx(h, size, nullptr, FILE_BEGIN) && SetEndOfFile(h));
        CloseHandle(h);
    }
    auto sizeNow = [&] {
        WIN32_FILE_ATTRIBUTE_DATA d{};
        GetFileAttributesExA(ListFile().c_str(), GetFileExInfoStandard, &d);
        return static_cast<unsigned long long>(d.nFileSizeHigh) << 32 | d.nFileSizeLow;
    };
    Open(nullptr);
    ASSERT_EQ(TestSupport::ShownBoxes().size(), 1u);
    EXPECT_EQ(TestSupport::ShownBoxes()[0].text, "ストリームからの読み込みに失敗しました.");
    EXPECT_TRUE(Entries().empty());
    // Nothing changed: the close neither asks nor writes.
    EXPECT_TRUE(CloseWindow());
    EXPECT_TRUE(services.questions.empty());
    EXPECT_EQ(sizeNow(), 1ULL << 40);
    // Something changed: the user is asked first.
    form->AppendEntry(L"N", L"C:\\N");
    services.askAnswer = IDNO;
    EXPECT_TRUE(CloseWindow());
    EXPECT_EQ(services.questions.size(), 1u);
    EXPECT_EQ(sizeNow(), 1ULL << 40);
}

// A virus scanner or a sync client holds the list file for a moment: the save waits for
// it, for about two seconds, and only then reports the error.
TEST_F(MainWindowTest, TheSaveWaitsForAListFileHeldByAnotherProgram) {
    realPauses = true;  // a real hold, waited for in real time
    const std::string old = "\"old\",\"C:\\Old\"\r\n";
    struct Row {
        const char* name;
        int heldMs;  // -1: held until the close has given up
        bool saved;
    } rows[] = {
        {"held for 300 ms", 300, true},
        {"held longer than the save waits", -1, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Open(old.c_str());
        form->AppendEntry(L"N", L"C:\\N");
        HANDLE held = ::CreateFileW(Widen(ListFile()).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        std::thread release;
        if (r.heldMs >= 0) release = std::thread([held, ms = r.heldMs] {
            Sleep(static_cast<DWORD>(ms));
            CloseHandle(held);
        });
        TestSupport::ShownBoxes().clear();
        services.questions.clear();
        services.askAnswer = IDNO;
        const bool closed = CloseWindow();
        if (release.joinable())
            release.join();
        else
            CloseHandle(held);
        if (r.saved) {
            EXPECT_TRUE(closed);
            EXPECT_TRUE(TestSupport::ShownBoxes().empty());
            EXPECT_TRUE(services.questions.empty());
            EXPECT_EQ(ReadFileBytes(ListFile()), old + "\"N\",\"C:\\N\"\r\n");
        } else {
            EXPECT_FALSE(closed);
            ASSERT_EQ(TestSupport::ShownBoxes().size(), 1u);
            // The save reads the list file first, to see whether it was edited meanwhile.
            EXPECT_EQ(TestSupport::ShownBoxes()[0].text, "ファイル " + ListFile() + " は開けません.");
            EXPECT_EQ(services.questions.size(), 1u);
            EXPECT_EQ(ReadFileBytes(ListFile()), old);
        }
        EXPECT_FALSE(TestSupport::FileExists(ListFile() + ".saving"));
        delete form;
        form = nullptr;
    }
}

TEST_F(MainWindowTest, EveryStepOfTheSaveWaitsForTheFileItMeets) {
    const std::string old = "\"old\",\"C:\\Old\"\r\n", temp = ListFile() + ".saving";
    struct Row {
        const char* name;
        int tempPauses, listPauses;  // held until that many pauses have passed (-1: all along)
        DWORD listShare;             // what the list file's holder lets others do
        bool inPlace;
    } rows[] = {
        {"the new file's name, held for a moment", 3, 0, 0, false},
        {"the list file, held while the save reads it first", 0, 3, 0, false},
        {"the list file, held while the new file is moved over it", 0, 3, FILE_SHARE_READ, false},
        {"the list file, held while it is rewritten in place", -1, 43, FILE_SHARE_READ, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Open(old.c_str());
        const unsigned long long indexBefore = FileIndex(ListFile());
        form->AppendEntry(L"N", L"C:\\N");
        auto hold = [](const std::string& f, int pauses, DWORD share) {
            return pauses == 0 ? INVALID_HANDLE_VALUE
                               : ::CreateFileW(Widen(f).c_str(), GENERIC_READ, share, nullptr, OPEN_ALWAYS, 0, nullptr);
        };
        HANDLE tempHeld = hold(temp, r.tempPauses, 0), listHeld = hold(ListFile(), r.listPauses, r.listShare);
        int paused = 0;
        pauser.onPause = [&](unsigned) {
            ++paused;
            if (paused == r.tempPauses) CloseHandle(std::exchange(tempHeld, INVALID_HANDLE_VALUE));
            if (paused == r.listPauses) CloseHandle(std::exchange(listHeld, INVALID_HANDLE_VALUE));
        };
        TestSupport::ShownBoxes().clear();
        EXPECT_TRUE(CloseWindow());
        for (HANDLE h : {tempHeld, listHeld})
            if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
        EXPECT_TRUE(TestSupport::ShownBoxes().empty());
        EXPECT_EQ(paused, std::max(r.tempPauses, r.listPauses));
        EXPECT_EQ(ReadFileBytes(ListFile()), old + "\"N\",\"C:\\N\"\r\n");
        EXPECT_EQ(FileIndex(ListFile()) == indexBefore, r.inPlace);
        EXPECT_EQ(TestSupport::FileExists(temp), r.inPlace);  // only the holder's own file
        DeleteFileA(temp.c_str());
        delete form;
        form = nullptr;
    }
}

// At log-on a scanner or a sync client may hold the list file as the program starts: the
// start waits for it as the save does, and shows the whole list without a box.
TEST_F(MainWindowTest, TheStartWaitsForAListFileHeldByAnotherProgram) {
    const std::string list = "\"a\",\"C:\\a\"\r\n\"b\",\"C:\\b\"\r\n";
    TestSupport::WriteFileBytes(ListFile(), list);
    HANDLE held = ::CreateFileW(Widen(ListFile()).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    pauser.onPause = [&](unsigned) {
        pauses.push_back(0);
        if (pauses.size() == 5) CloseHandle(std::exchange(held, INVALID_HANDLE_VALUE));
    };
    Open(nullptr);
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    EXPECT_TRUE(TestSupport::ShownBoxes().empty());
    EXPECT_EQ(pauses.size(), 5u);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"\"a\",\"C:\\a\"", "\"b\",\"C:\\b\""}));
}
