#include "app/SingleInstance.h"
#include "tests/win/common/TestSupport.h"

#include <aclapi.h>
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

// A start meets a copy whose window is closing: it waits while the closing copy saves,
// and opens its own window once that copy's window is gone; a close that is refused puts
// the window back to be brought forward; a copy that never shows a window again is
// reported as holding the list, never left unseen.
TEST(SingleInstance, AStartMeetingAClosingCopyWaitsForItToLetGo) {
    Folders f;
    HWND window = CreateWindowExW(0, L"STATIC", L"running", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                  nullptr, nullptr);
    enum Outcome { LetsGo, RefusesTheClose, NeverLetsGo };
    struct Row {
        const char* name;
        Outcome outcome;
        bool claimed, inUse;
    } rows[] = {
        {"the closing copy's window goes", LetsGo, true, false},
        {"the close is refused", RefusesTheClose, false, false},
        {"the closing copy never lets go", NeverLetsGo, false, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        TSingleInstance first(f.list);
        ASSERT_TRUE(first.Claim());
        first.Publish(window);
        first.Withdraw();
        std::atomic<bool> done{false}, claimed{false}, inUse{false};
        const DWORD started = GetTickCount();
        std::thread t([&] {
            TSingleInstance second(f.list);
            claimed = second.Claim();
            inUse = second.InUse();
            done = true;
        });
        TestSupport::Pump(1000);  // the save takes its time
        EXPECT_FALSE(done.load()) << "the start did not wait for the closing copy";
        if (r.outcome == LetsGo) first.Release();
        if (r.outcome == RefusesTheClose) first.Publish(window);
        TestSupport::PumpUntil([&] { return done.load(); }, 60000);
        t.join();
        EXPECT_EQ(claimed.load(), r.claimed);
        EXPECT_EQ(inUse.load(), r.inUse);
        if (r.outcome == NeverLetsGo) {
            EXPECT_GE(GetTickCount() - started, TSingleInstance::ClaimWaitMs);
        }
    }
    DestroyWindow(window);
}

namespace {

PSID UserOfThisProcess(std::string& buffer) {
    HANDLE token = nullptr;
    OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
    DWORD need = 0;
    GetTokenInformation(token, ::TokenUser, nullptr, 0, &need);
    buffer.assign(need, '\0');
    const BOOL ok = GetTokenInformation(token, ::TokenUser, buffer.data(), need, &need);
    CloseHandle(token);
    return ok ? reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid : nullptr;
}

} // namespace

// An elevated copy and an ordinary one must be able to open each other's objects: they
// grant the user's own account every right, and no one else anything, and carry the
// ordinary integrity level, which an elevated copy's objects would otherwise not.
TEST(SingleInstance, TheOneWindowObjectsGrantTheUsersOwnAccount) {
    Folders f;
    TSingleInstance first(f.list);
    ASSERT_TRUE(first.Claim());
    std::string userBuffer;
    const PSID user = UserOfThisProcess(userBuffer);
    ASSERT_TRUE(user);
    const std::wstring name = InstanceNameFor(f.list);
    struct Row {
        const char* what;
        HANDLE object;
        DWORD allRights;
    } rows[] = {
        {"mutex", OpenMutexW(READ_CONTROL, FALSE, name.c_str()), MUTEX_ALL_ACCESS},
        {"window record", OpenFileMappingW(READ_CONTROL, FALSE, (name + L".window").c_str()), FILE_MAP_ALL_ACCESS},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        ASSERT_TRUE(r.object);
        PACL dacl = nullptr;
        PSECURITY_DESCRIPTOR sd = nullptr;
        ASSERT_EQ(GetSecurityInfo(r.object, SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                                  nullptr, &sd),
                  static_cast<DWORD>(ERROR_SUCCESS));
        ASSERT_TRUE(dacl);
        ASSERT_EQ(dacl->AceCount, 1u);
        void* ace = nullptr;
        ASSERT_TRUE(GetAce(dacl, 0, &ace));
        auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
        EXPECT_EQ(allowed->Header.AceType, ACCESS_ALLOWED_ACE_TYPE);
        EXPECT_TRUE(EqualSid(reinterpret_cast<PSID>(&allowed->SidStart), user));
        // Stored as asked, or with the generic right spelt out as the object's own.
        const DWORD mask = allowed->Mask;
        EXPECT_TRUE(mask == GENERIC_ALL || (mask & r.allRights) == r.allRights) << std::hex << mask;
        LocalFree(sd);
        // The ordinary integrity level, whatever the level of the copy that made them.
        PACL label = nullptr;
        ASSERT_EQ(GetSecurityInfo(r.object, SE_KERNEL_OBJECT, LABEL_SECURITY_INFORMATION, nullptr, nullptr, nullptr,
                                  &label, &sd),
                  static_cast<DWORD>(ERROR_SUCCESS));
        ASSERT_TRUE(label);
        ASSERT_EQ(label->AceCount, 1u);
        ASSERT_TRUE(GetAce(label, 0, &ace));
        auto* level = static_cast<SYSTEM_MANDATORY_LABEL_ACE*>(ace);
        EXPECT_EQ(level->Header.AceType, SYSTEM_MANDATORY_LABEL_ACE_TYPE);
        EXPECT_EQ(level->Mask, static_cast<DWORD>(SYSTEM_MANDATORY_LABEL_NO_WRITE_UP));
        EXPECT_EQ(*GetSidSubAuthority(reinterpret_cast<PSID>(&level->SidStart), 0),
                  static_cast<DWORD>(SECURITY_MANDATORY_MEDIUM_RID));
        LocalFree(sd);
        CloseHandle(r.object);
    }
}
