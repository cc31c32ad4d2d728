#include "app/SingleInstance.h"
#include "tests/win/common/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

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

// Under Wine, the folder spelled through the drive that maps the host's root: its Unix
// path with Z: before it. Empty elsewhere.
std::wstring HostDrivePath(const std::wstring& folder) {
    using UnixName = char* (*)(const wchar_t*);
    auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName) return {};
    char* name = unixName(folder.c_str());
    if (!name) return {};
    std::wstring unix(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, name, -1, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, name, -1, unix.data(), static_cast<int>(unix.size()));
    HeapFree(GetProcessHeap(), 0, name);
    unix.resize(unix.empty() ? 0 : unix.size() - 1);
    std::replace(unix.begin(), unix.end(), L'/', L'\\');
    const std::wstring out = L"Z:" + unix;
    return GetFileAttributesW(out.c_str()) == INVALID_FILE_ATTRIBUTES ? std::wstring() : out;
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
    // The folder through a link, as the system lets a test make one: a symbolic link where
    // the file system makes them (Wine's call reports success and makes none), and under
    // Wine the drive that reaches the whole host (Z:), a substituted drive in effect.
    std::vector<std::wstring> linked;
    const std::wstring link = f.root + L"\\Linked";
    if (CreateSymbolicLinkW(link.c_str(), f.folder.c_str(),
                            SYMBOLIC_LINK_FLAG_DIRECTORY | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) &&
        (GetFileAttributesW(link.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT) &&
        GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES)
        linked.push_back(link + L"\\DirList.txt");
    if (const std::wstring host = HostDrivePath(f.folder); !host.empty()) linked.push_back(host + L"\\DirList.txt");
    ASSERT_FALSE(linked.empty()) << "no link to the folder could be made here";
    for (bool exists : {false, true}) {
        SCOPED_TRACE(exists ? "the list file exists" : "no list file yet");
        if (exists) TestSupport::WriteFileBytes(f.dir.Path + "\\Long Folder Name\\DirList.txt", "a\r\n");
        const std::wstring name = InstanceNameFor(f.list);
        EXPECT_EQ(name.rfind(L"Local\\Kestrovane1.", 0), 0u);
        EXPECT_EQ(name.find(L'\\', 6), std::wstring::npos);
        for (const std::wstring& s : spellings) EXPECT_EQ(InstanceNameFor(s), name) << s.c_str();
        for (const std::wstring& s : linked) EXPECT_EQ(InstanceNameFor(s), name) << s.c_str();
        EXPECT_NE(InstanceNameFor(f.other), name);
    }
    RemoveDirectoryW(link.c_str());
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
