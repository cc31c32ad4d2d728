#include "app/SingleInstance.h"

#include "app/WidePath.h"
#include "app/portable/InstanceName.h"
#include "framework/WideText.h"

#include <algorithm>

namespace {

// What a Win32 call writes into a buffer of its choice of size: a short buffer makes it
// answer the size it needs, or (the module file name) fill the buffer to the brim. Paths
// reach 32767 characters.
template <class Fill> std::wstring Filled(Fill fill) {
    std::wstring buf(MAX_PATH, L'\0');
    while (buf.size() <= 65536) {
        const DWORD n = fill(buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) return {};
        if (n < buf.size()) return buf.substr(0, n);
        buf.assign(std::max<size_t>(n + 1, buf.size() * 2), L'\0');
    }
    return {};
}

// The folder as the file system names it: through links and substituted drives where the
// folder can be opened, else its long form (no 8.3 short names), else as given.
std::wstring CanonicalFolder(const std::wstring& folder) {
    const std::wstring forFs = ForFileSystem(folder);
    KernelHandle h{CreateFileW(forFs.c_str(), FILE_READ_ATTRIBUTES,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS, nullptr)};
    if (h.Valid()) {
        const std::wstring final = Filled([&h](wchar_t* b, DWORD n) {
            return GetFinalPathNameByHandleW(h.Get(), b, n, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        });
        h.Reset();
        if (!final.empty()) return final;
    }
    const std::wstring longForm =
        Filled([&forFs](wchar_t* b, DWORD n) { return GetLongPathNameW(forFs.c_str(), b, n); });
    return longForm.empty() ? folder : longForm;
}

// Upper case as file names compare, whatever the user's language.
std::wstring UpperCase(std::wstring s) {
    if (s.empty()) return s;
    std::wstring out(s.size(), L'\0');
    const int n = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, s.data(), static_cast<int>(s.size()),
                                out.data(), static_cast<int>(out.size()), nullptr, nullptr, 0);
    if (n == static_cast<int>(s.size())) return out;
    CharUpperBuffW(s.data(), static_cast<DWORD>(s.size()));
    return s;
}

std::u16string Utf16(const std::wstring& s) { return std::u16string(s.begin(), s.end()); }
std::wstring FromUtf16(const std::u16string& s) { return std::wstring(s.begin(), s.end()); }

// The running copy's window: the mapping holds its process id in the high half and the
// window handle (32 significant bits) in the low half, written in one step.
LONG64 Record(DWORD pid, HWND window) {
    return static_cast<LONG64>(static_cast<ULONG64>(pid) << 32 |
                               static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(window)));
}

BOOL CALLBACK FindShownWindow(HWND h, LPARAM found) {
    if (!IsWindowVisible(h) || !IsWindowEnabled(h)) return TRUE;
    *reinterpret_cast<HWND*>(found) = h;
    return FALSE;
}

} // namespace

std::wstring NormalisedListPath(const std::wstring& path) {
    std::wstring full = Filled([&path](wchar_t* b, DWORD n) { return GetFullPathNameW(path.c_str(), n, b, nullptr); });
    if (full.empty()) full = path;
    const size_t cut = full.find_last_of(L'\\');
    if (cut == std::wstring::npos) return UpperCase(full);
    std::wstring folder = FromUtf16(WithoutLongPathPrefix(Utf16(CanonicalFolder(full.substr(0, cut + 1)))));
    if (folder.empty() || folder.back() != L'\\') folder += L'\\';
    return UpperCase(folder + full.substr(cut + 1));
}

std::wstring InstanceNameFor(const std::wstring& listFile) {
    return Widen(InstanceObjectName(Utf16(NormalisedListPath(listFile))));
}

std::wstring ListFileOfThisProgram() {
    const std::wstring exe = Filled([](wchar_t* b, DWORD n) { return GetModuleFileNameW(nullptr, b, n); });
    return exe.substr(0, exe.find_last_of(L'\\') + 1) + L"DirList.txt";
}

void BringToFront(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    // This process was just started by the user, so it may set the foreground window; it
    // also hands that right to the running copy, whose own activation then goes through.
    AllowSetForegroundWindow(pid);
    if (IsIconic(window)) ShowWindowAsync(window, SW_RESTORE);
    HWND target = GetLastActivePopup(window);  // a dialog it has open, else the window
    if (!target || !IsWindowVisible(target)) {
        // Not shown yet: a message box of its start-up stands in front of it.
        target = nullptr;
        EnumThreadWindows(GetWindowThreadProcessId(window, nullptr), FindShownWindow,
                          reinterpret_cast<LPARAM>(&target));
    }
    if (target) SetForegroundWindow(target);
}

std::string OneWindowSecurity() {
    KernelHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Put())) return {};
    std::string user(256, '\0');
    DWORD need = 0;
    BOOL ok = GetTokenInformation(token.Get(), TokenUser, user.data(), static_cast<DWORD>(user.size()), &need);
    if (!ok && need > user.size()) {
        user.assign(need, '\0');
        ok = GetTokenInformation(token.Get(), TokenUser, user.data(), need, &need);
    }
    token.Reset();
    if (!ok) return {};
    const PSID sid = reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid;
    const DWORD sidSize = GetLengthSid(sid);
    const DWORD aclSize = sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) - sizeof(DWORD) + sidSize;
    // One block: the descriptor, then its access list, then its integrity label.
    const DWORD labelSize = sizeof(ACL) + sizeof(SYSTEM_MANDATORY_LABEL_ACE) - sizeof(DWORD) + GetSidLengthRequired(1);
    std::string sd(sizeof(SECURITY_DESCRIPTOR) + aclSize + labelSize + 8, '\0');
    auto* desc = reinterpret_cast<SECURITY_DESCRIPTOR*>(sd.data());
    auto* dacl = reinterpret_cast<ACL*>(sd.data() + sizeof(SECURITY_DESCRIPTOR));
    if (!InitializeSecurityDescriptor(desc, SECURITY_DESCRIPTOR_REVISION) || !InitializeAcl(dacl, aclSize, ACL_REVISION) ||
        !AddAccessAllowedAce(dacl, ACL_REVISION, GENERIC_ALL, sid) || !SetSecurityDescriptorDacl(desc, TRUE, dacl, FALSE))
        return {};
    // An elevated copy's objects would carry its high integrity level, which forbids an
    // ordinary copy to write them whatever the access list says: they carry the
    // ordinary (medium) level instead. Where the label cannot be set, the list alone.
    auto* sacl = reinterpret_cast<ACL*>(sd.data() + sizeof(SECURITY_DESCRIPTOR) + aclSize);
    SID_IDENTIFIER_AUTHORITY mandatory = SECURITY_MANDATORY_LABEL_AUTHORITY;
    std::string medium(GetSidLengthRequired(1), '\0');
    if (InitializeSid(medium.data(), &mandatory, 1)) {
        *GetSidSubAuthority(medium.data(), 0) = SECURITY_MANDATORY_MEDIUM_RID;
        if (InitializeAcl(sacl, labelSize, ACL_REVISION) &&
            AddMandatoryAce(sacl, ACL_REVISION, 0, SYSTEM_MANDATORY_LABEL_NO_WRITE_UP, medium.data()))
            SetSecurityDescriptorSacl(desc, TRUE, sacl, FALSE);
    }
    // One self-contained block, which the caller may move about.
    DWORD size = 0;
    MakeSelfRelativeSD(desc, nullptr, &size);
    std::string relative(size, '\0');
    if (!size || !MakeSelfRelativeSD(desc, relative.data(), &size)) return {};
    return relative;
}

TSingleInstance::TSingleInstance(const std::wstring& listFile) {
    const std::wstring name = InstanceNameFor(listFile), mapping = name + L".window";
    std::string sd = OneWindowSecurity();
    SECURITY_ATTRIBUTES sa{sizeof sa, sd.empty() ? nullptr : sd.data(), FALSE};
    FMutex.Reset(CreateMutexW(&sa, FALSE, name.c_str()));
    if (!FMutex.Valid() && GetLastError() == ERROR_ACCESS_DENIED) {
        // Another account's copy, or one made before the objects granted the user: what
        // waiting on it needs may still be granted.
        FMutex.Reset(OpenMutexW(SYNCHRONIZE, FALSE, name.c_str()));
        FDenied = !FMutex.Valid();
    }
    FMapping.Reset(CreateFileMappingW(INVALID_HANDLE_VALUE, &sa, PAGE_READWRITE, 0, sizeof(LONG64), mapping.c_str()));
    if (!FMapping.Valid() && GetLastError() == ERROR_ACCESS_DENIED) FDenied = true;
    if (FMapping.Valid()) FView.Reset(MapViewOfFile(FMapping.Get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(LONG64)));
    if (!FView.Valid()) Release();  // without the window's record, every copy runs as before
}

TSingleInstance::~TSingleInstance() { Release(); }

void TSingleInstance::Release() {
    if (FOwned && FView.Valid()) InterlockedExchange64(static_cast<LONG64*>(FView.Get()), 0);
    FView.Reset();
    FMapping.Reset();
    if (FOwned) ReleaseMutex(FMutex.Get());
    FMutex.Reset();
    FOwned = false;
}

void TSingleInstance::Withdraw() {
    if (FOwned && FView.Valid()) InterlockedExchange64(static_cast<LONG64*>(FView.Get()), 0);
}

bool TSingleInstance::TryOwn() {
    const DWORD r = WaitForSingleObject(FMutex.Get(), 0);
    FOwned = r == WAIT_OBJECT_0 || r == WAIT_ABANDONED;  // abandoned: the other copy crashed
    return FOwned;
}

HWND TSingleInstance::RunningWindow() const {
    if (!FView.Valid()) return nullptr;
    const LONG64 v = InterlockedCompareExchange64(static_cast<LONG64*>(FView.Get()), 0, 0);
    if (!v) return nullptr;
    // Window handles are 32 bits wide in every process and sign-extended to 64.
    HWND w = reinterpret_cast<HWND>(static_cast<LONG_PTR>(static_cast<LONG>(static_cast<DWORD>(v))));
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    return IsWindow(w) && owner == static_cast<DWORD>(static_cast<ULONG64>(v) >> 32) ? w : nullptr;
}

bool TSingleInstance::Claim() {
    FInUse = false;
    if (FDenied) {
        // Another copy's objects that this account may not open: a second window over
        // the same list must not run.
        FInUse = true;
        return false;
    }
    if (!FMutex.Valid()) return true;  // no such objects to be had: run as every copy did
    if (TryOwn()) return true;
    // The other copy makes its window moments after it starts, and withdraws it while it
    // closes: while it shows none, wait, and take over as soon as it lets go. One that
    // keeps showing none is reported, never left without a window to see.
    for (DWORD waited = 0; waited < ClaimWaitMs; waited += 100) {
        if (HWND w = RunningWindow()) {
            BringToFront(w);
            return false;
        }
        const DWORD r = WaitForSingleObject(FMutex.Get(), 100);
        if (r == WAIT_OBJECT_0 || r == WAIT_ABANDONED) return FOwned = true;
    }
    FInUse = true;
    return false;
}

void TSingleInstance::Publish(HWND window) {
    if (FOwned && FView.Valid()) InterlockedExchange64(static_cast<LONG64*>(FView.Get()), Record(GetCurrentProcessId(), window));
}
