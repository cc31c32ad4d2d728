#include "app/LineBuffer.h"

#include "app/portable/ListFile.h"
#include "framework/Exceptions.h"

#include <windows.h>

namespace {

BOOL WINAPI PlatformWrite(void* file, const void* data, unsigned long size, unsigned long* written) {
    DWORD n = 0;
    BOOL ok = WriteFile(static_cast<HANDLE>(file), data, size, &n, nullptr);
    *written = n;
    return ok;
}

struct FileHandle {
    HANDLE h;
    ~FileHandle() {
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
};

} // namespace

TLineBuffer::WriteFn TLineBuffer::SystemWrite = PlatformWrite;

bool IsMissingFileError(unsigned long error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

void TLineBuffer::LoadFromFile(const std::string& path) {
    FileHandle f{CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (f.h == INVALID_HANDLE_VALUE) throw EFOpenError(Format(Texts::FOpenError, path));
    std::string bytes;
    char chunk[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(f.h, chunk, sizeof chunk, &got, nullptr)) throw EReadError(Texts::ReadError);
        if (got == 0) break;
        bytes.append(chunk, got);
    }
    FLines = ReadListLines(bytes);
}

void TLineBuffer::SaveToFile(const std::string& path) const {
    // A read-only list file is not replaced (Windows refuses to; Wine would not).
    const DWORD attr = GetFileAttributesA(path.c_str());
    if (attr != INVALID_FILE_ATTRIBUTES && (attr & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        throw EFCreateError(Format(Texts::FCreateError, path));
    const std::string bytes = WriteListLines(FLines);
    const std::string temp = TempPathFor(path);
    {
        FileHandle f{CreateFileA(temp.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr)};
        if (f.h == INVALID_HANDLE_VALUE) throw EFCreateError(Format(Texts::FCreateError, path));
        size_t done = 0;
        bool ok = true;
        while (ok && done < bytes.size()) {
            unsigned long n = 0;
            const unsigned long want = static_cast<unsigned long>(std::min<size_t>(bytes.size() - done, 1 << 20));
            ok = SystemWrite(f.h, bytes.data() + done, want, &n) && n == want;
            done += n;
        }
        if (ok) ok = FlushFileBuffers(f.h) != 0;
        if (!ok) {
            CloseHandle(f.h);
            f.h = INVALID_HANDLE_VALUE;
            DeleteFileA(temp.c_str());
            throw EWriteError(Texts::WriteError);
        }
    }
    if (!MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temp.c_str());
        throw EFCreateError(Format(Texts::FCreateError, path));
    }
}
