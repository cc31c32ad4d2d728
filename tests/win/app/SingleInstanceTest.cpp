#include "app/SingleInstance.h"
#include "tests/win/common/TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

namespace {

std::wstring ShortForm(const std::wstring& path) {
    std::wstring buf(1024, L'\0');
    const DWORD n = GetShortPathNameW(path.c_str(), buf.data(), static_cast<DWORD>(buf.size()));
    buf.resize(n < buf.size() ? n : 0);
    return buf;
}

std::wstring Lower(std::wstring s) {
    CharLowerBuffW(s.data(), static_cast<DWORD>(s.size()));
    return s;
}

// Claims the name for `listFile` from a thread of its own, as another copy of the program
// would (a mutex belongs to the thread that holds it), while this thread handles messages.
bool ClaimElsewhere(const std::wstring& listFile) {
    std::atomic<bool> done{false}, claimed{false};
    std::thread t([&] {
        TSingleInstance other(listFile);
        claimed = other.Claim();
        done = true;
    });
    TestSupport::PumpUntil([&] { return done.load(); }, 60000);
    t.join();
    return claimed;
}

struct Folders {
    TestSupport::TempFolder dir;
    std::wstring root = TestSupport::Widen(dir.Path);
    std::wstring folder = root + L"\\Long Folder Name";
    std::wstring list = folder + L"\\DirList.txt";
    std::wstring other = root + L"\\Other\\DirList.txt";
    Folders() {
        CreateDirectoryW(folder.c_str(), nullptr);
        CreateDirectoryW((root + L"\\Other").c_str(), nullptr);
    }
};

} // namespace

TEST(SingleInstance, EverySpellingOfTheListFilesFolderGivesOneName) {
    Folders f;
    const std::wstring shortFolder = ShortForm(f.folder);
    ASSERT_FALSE(shortFolder.empty());
    const std::wstring spellings[] = {
        f.folder + L"/DirList.txt",
        Lower(f.list),
        f.root + L"\\Other\\..\\.\\Long Folder Name\\DIRLIST.TXT",
        shortFolder + L"\\DirList.txt",
        L"\\\\?\\" + f.list,
    };
    for (bool exists : {false, true}) {
        SCOPED_TRACE(exists ? "the list file exists" : "no list file yet");
        if (exists) TestSupport::WriteFileBytes(f.dir.Path + "\\Long Folder Name\\DirList.txt", "a\r\n");
        const std::wstring name = InstanceNameFor(f.list);
        EXPECT_EQ(name.rfind(L"Local\\Kestrovane1.", 0), 0u);
        EXPECT_EQ(name.find(L'\\', 6), std::wstring::npos);
        for (const std::wstring& s : spellings) EXPECT_EQ(InstanceNameFor(s), name) << s.c_str();
        EXPECT_NE(InstanceNameFor(f.other), name);
    }
}

TEST(SingleInstance, ASecondStartFindsTheRunningWindowAndAnotherListRunsBeside) {
    Folders f;
    HWND window = CreateWindowExW(0, L"STATIC", L"running", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_TRUE(window);
    auto first = std::make_unique<TSingleInstance>(f.list);
    ASSERT_TRUE(first->Claim());
    first->Publish(window);

    EXPECT_FALSE(ClaimElsewhere(f.folder + L"/dirlist.TXT"));
    EXPECT_TRUE(ClaimElsewhere(f.other));
    // The running copy ends: the next start runs.
    first.reset();
    EXPECT_TRUE(ClaimElsewhere(f.list));
    DestroyWindow(window);
}

TEST(SingleInstance, AStartWhileTheFirstHasNoWindowYetWaitsForItOrTakesOver) {
    Folders f;
    HWND window = CreateWindowExW(0, L"STATIC", L"running", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                  nullptr, nullptr);
    for (bool firstGoes : {false, true}) {
        SCOPED_TRACE(firstGoes ? "the first ends before its window exists" : "the first's window comes");
        auto first = std::make_unique<TSingleInstance>(f.list);
        ASSERT_TRUE(first->Claim());
        std::atomic<bool> done{false}, claimed{false};
        std::thread t([&] {
            TSingleInstance second(f.list);
            claimed = second.Claim();
            done = true;
        });
        TestSupport::Pump(300);  // the second start is waiting by now, or soon will be
        if (firstGoes)
            first.reset();
        else
            first->Publish(window);
        TestSupport::PumpUntil([&] { return done.load(); }, 60000);
        t.join();
        EXPECT_EQ(claimed.load(), firstGoes);
        first.reset();
    }
    DestroyWindow(window);
}
