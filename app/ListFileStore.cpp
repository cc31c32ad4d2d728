#include "app/ListFileStore.h"

#include "app/portable/Retry.h"
#include "framework/Exceptions.h"
#include "framework/Handles.h"
#include "framework/WideText.h"

#include <windows.h>

#include <algorithm>
#include <new>

namespace {

// Runs a file step (true on success, the reason in GetLastError otherwise) again while
// it fails only because another program holds the file at `name` for a moment.
bool WhileHeld(IPauses& pauses, FileStep step, const std::wstring& name, const std::function<bool()>& attempt) {
    return RetryWhileHeld(
        attempt,
        [&] {
            const DWORD error = ::GetLastError();
            const bool exists = ::GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES;
            return IsPassingHold(step, error, exists);
        },
        [&](unsigned ms) { pauses.Pause(ms); });
}

KernelHandle OpenWaitingForHolds(IPauses& pauses, FileStep step, const std::wstring& path, DWORD access,
                                 DWORD share, DWORD disposition) {
    KernelHandle h;
    WhileHeld(pauses, step, path, [&] {
        h.Reset(::CreateFileW(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
        return h.Valid();
    });
    return h;
}

} // namespace

bool TFileWrites::Write(void* file, const void* data, unsigned long size, unsigned long* written) {
    DWORD n = 0;
    const BOOL ok = ::WriteFile(static_cast<HANDLE>(file), data, size, &n, nullptr);
    *written = n;
    return ok != 0;
}

bool TFileWrites::Flush(void* file) { return ::FlushFileBuffers(static_cast<HANDLE>(file)) != 0; }

void TSleepPauses::Pause(unsigned ms) { ::Sleep(ms); }

bool IsMissingFileError(unsigned long error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

std::string TListFileStore::ReadBytes(const std::wstring& path, bool waitForHolds) const {
    KernelHandle f{waitForHolds ? OpenWaitingForHolds(*FPauses, FileStep::OpenExisting, path, GENERIC_READ,
                                                      FILE_SHARE_READ, OPEN_EXISTING)
                                : KernelHandle{CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)}};
    if (!f.Valid()) throw EFOpenError(Format(Texts::FOpenError, NarrowShown(path)));
    try {
        std::string bytes;
        // Room for the whole file at once: a file too big for memory fails here, at once,
        // instead of after reading most of it.
        LARGE_INTEGER size{};
        if (GetFileSizeEx(f.Get(), &size) && size.QuadPart > 0) {
            if (static_cast<unsigned long long>(size.QuadPart) > bytes.max_size()) throw std::bad_alloc();
            bytes.reserve(static_cast<size_t>(size.QuadPart));
        }
        char chunk[65536];
        for (;;) {
            DWORD got = 0;
            if (!ReadFile(f.Get(), chunk, sizeof chunk, &got, nullptr)) throw EReadError(Texts::ReadError);
            if (got == 0) break;
            bytes.append(chunk, got);
        }
        return bytes;
    } catch (const std::bad_alloc&) {
        // Out of memory is a read that failed, as the user sees it.
        throw EReadError(Texts::ReadError);
    }
}

namespace {

// Where a save's writes, flushes and pauses go.
struct FileSteps {
    IFileWrites& writes;
    IPauses& pauses;
};

// Writes all of `bytes` at the file's current position through `writes`.
bool WriteAll(IFileWrites& writes, HANDLE file, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        unsigned long n = 0;
        const unsigned long want = static_cast<unsigned long>(std::min<size_t>(bytes.size() - done, 1 << 20));
        if (!writes.Write(file, bytes.data() + done, want, &n) || n != want) return false;
        done += n;
    }
    return true;
}

bool Truncate(HANDLE file, size_t size) {
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(size);
    return SetFilePointerEx(file, at, nullptr, FILE_BEGIN) && SetEndOfFile(file);
}

bool Rewind(HANDLE file) { return SetFilePointerEx(file, LARGE_INTEGER{}, nullptr, FILE_BEGIN) != 0; }

// The list file rewritten where it stands, for a folder that takes no new files. The old
// bytes are kept in memory and put back when the new ones cannot all be written, and the
// file is grown before anything is overwritten, so that a full disk shows up first.
void WriteInPlace(const FileSteps& io, const std::wstring& path, const std::string& bytes, const std::string& shown) {
    KernelHandle f = OpenWaitingForHolds(io.pauses, FileStep::OpenExisting, path, GENERIC_READ | GENERIC_WRITE, 0,
                                         OPEN_EXISTING);
    if (!f.Valid()) throw EFCreateError(Format(Texts::FCreateError, shown));
    std::string old;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(f.Get(), &size)) throw EFCreateError(Format(Texts::FCreateError, shown));
    old.resize(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    if (!old.empty() && (!ReadFile(f.Get(), old.data(), static_cast<DWORD>(old.size()), &got, nullptr) || got != old.size()))
        throw EFCreateError(Format(Texts::FCreateError, shown));
    if (bytes.size() > old.size() && !Truncate(f.Get(), bytes.size())) {
        Truncate(f.Get(), old.size());
        throw EWriteError(Texts::WriteError);
    }
    if (Rewind(f.Get()) && WriteAll(io.writes, f.Get(), bytes) && Truncate(f.Get(), bytes.size()) &&
        io.writes.Flush(f.Get()))
        return;
    if (Rewind(f.Get()) && WriteAll(io.writes, f.Get(), old)) Truncate(f.Get(), old.size());
    io.writes.Flush(f.Get());
    throw EWriteError(Texts::WriteError);
}

// Gives the new file what belongs to the list file rather than to its bytes (attributes,
// creation time, access rights) before it takes the list file's place. ReplaceFile would
// do the same, but Wine's removes the list file before moving the new one in, so a crash
// between the two leaves no list file; a rename over the old file never does.
void TakeOverIdentity(const std::wstring& path, const std::wstring& temp, DWORD attributes) {
    WIN32_FILE_ATTRIBUTE_DATA old{};
    if (GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &old)) {
        KernelHandle t{CreateFileW(temp.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr)};
        if (t.Valid()) SetFileTime(t.Get(), &old.ftCreationTime, nullptr, nullptr);
    }
    DWORD need = 0;
    GetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &need);
    if (need > 0) {
        std::string sd(need, '\0');
        if (GetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, sd.data(), need, &need))
            SetFileSecurityW(temp.c_str(), DACL_SECURITY_INFORMATION, sd.data());
    }
    SetFileAttributesW(temp.c_str(), attributes);
}

// Writes the new file under the temporary name. False when no such file can be made
// there (no right to create one, or the name is held).
bool WriteNewFile(const FileSteps& io, const std::wstring& temp, const std::string& bytes) {
    KernelHandle f = OpenWaitingForHolds(io.pauses, FileStep::CreateNew, temp, GENERIC_READ | GENERIC_WRITE, 0,
                                         CREATE_ALWAYS);
    if (!f.Valid()) return false;
    if (!WriteAll(io.writes, f.Get(), bytes) || !io.writes.Flush(f.Get())) {
        f.Reset();
        ::DeleteFileW(temp.c_str());
        throw EWriteError(Texts::WriteError);
    }
    return true;
}

// Puts the new file in the list file's place in one step.
void MoveOverListFile(IPauses& pauses, const std::wstring& temp, const std::wstring& path, const std::string& shown) {
    const DWORD flags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    if (!WhileHeld(pauses, FileStep::Replace, path,
                   [&] { return ::MoveFileExW(temp.c_str(), path.c_str(), flags) != 0; })) {
        ::DeleteFileW(temp.c_str());
        throw EFCreateError(Format(Texts::FCreateError, shown));
    }
}

// Where a save puts the new bytes. A name that links to a file elsewhere (a list kept in
// a sync folder, linked beside the program) is written at the file it links to, so the
// link stays a link; a file that has other names besides (hard links) is rewritten in
// place, so that every name sees the new list.
struct SaveTarget {
    std::wstring path;
    bool inPlace = false;
};

SaveTarget TargetOf(const std::wstring& path) {
    KernelHandle f{::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, 0, nullptr)};
    if (!f.Valid()) return {path};  // not there yet, or held: judged later
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileInformationByHandle(f.Get(), &info) && info.nNumberOfLinks > 1) return {path, true};
    // The name the file system gives the file opened through the name: the link's target.
    std::wstring named(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetFinalPathNameByHandleW(f.Get(), named.data(), static_cast<DWORD>(named.size()),
                                                    FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (n == 0) break;
        if (n < named.size()) return {named.substr(0, n)};
        named.assign(n + 1, L'\0');
    }
    // A link whose target cannot be named is still written through, in place.
    const DWORD own = ::GetFileAttributesW(path.c_str());
    return {path, own != INVALID_FILE_ATTRIBUTES && (own & FILE_ATTRIBUTE_REPARSE_POINT)};
}

void WriteAt(const FileSteps& io, const std::wstring& path, const std::string& bytes, const std::string& shown,
             bool inPlace) {
    // A read-only list file is not replaced (Windows refuses to; Wine would not).
    const DWORD attr = GetFileAttributesW(path.c_str());
    if (attr != INVALID_FILE_ATTRIBUTES && (attr & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        throw EFCreateError(Format(Texts::FCreateError, shown));
    const bool exists = attr != INVALID_FILE_ATTRIBUTES;
    if (exists && inPlace) return WriteInPlace(io, path, bytes, shown);
    const std::wstring temp = TListFileStore::TempPathFor(path);
    // A temporary file left by a crash, even a read-only one, is nobody's: it goes.
    SetFileAttributesW(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(temp.c_str());
    if (!WriteNewFile(io, temp, bytes)) {
        // No new file beside the list file: the list file itself may still be writable.
        if (exists) return WriteInPlace(io, path, bytes, shown);
        throw EFCreateError(Format(Texts::FCreateError, shown));
    }
    if (exists) TakeOverIdentity(path, temp, attr);
    MoveOverListFile(io.pauses, temp, path, shown);
}

} // namespace

void TListFileStore::WriteBytes(const std::wstring& path, const std::string& bytes) const {
    const SaveTarget target = TargetOf(path);
    WriteAt({*FWrites, *FPauses}, target.path, bytes, NarrowShown(path), target.inPlace);
}
