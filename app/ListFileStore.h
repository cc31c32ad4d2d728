#pragma once
// The list file on disk: its bytes, read whole and written whole. What the bytes mean
// (lines, encoding, entries) is the folder list's business, not the store's.
// Reading lets others read the file meanwhile but not write it; writing writes a temporary file beside the list file and puts it in the list file's
// place in one step, so a failure or a crash midway leaves the old file whole. The list
// file keeps its identity (attributes, security, creation time) through the replace;
// where the folder takes no new file, or the file has other names (hard links), the list
// file is rewritten in place instead. A list file that is a link to a file elsewhere is
// written at that file, so the link stays.
// Every step that opens, creates or replaces a file waits out, for about two seconds, a
// hold that another program (a virus scanner, the indexer, a sync client) has on it; a
// folder's refusal of a new file is final at once.
#include "framework/Classes.h"
#include "framework/WideText.h"

#include <string>

// The platform's writes to a file and its flushes to the disk; tests put in ones that fail
// midway.
class IFileWrites {
public:
    virtual ~IFileWrites() = default;
    // Writes `size` bytes at the file's position; `written` says how many went.
    virtual bool Write(void* file, const void* data, unsigned long size, unsigned long* written) = 0;
    virtual bool Flush(void* file) = 0;
};

// WriteFile and FlushFileBuffers.
class TFileWrites : public IFileWrites {
public:
    bool Write(void* file, const void* data, unsigned long size, unsigned long* written) override;
    bool Flush(void* file) override;
};

// The pause between two attempts at a file another program holds; tests need not wait.
class IPauses {
public:
    virtual ~IPauses() = default;
    virtual void Pause(unsigned ms) = 0;
};

// A real pause of the calling thread.
class TSleepPauses : public IPauses {
public:
    void Pause(unsigned ms) override;
};

class TListFileStore : public TComponent {
public:
    using TComponent::TComponent;
    const char* ClassName() const override { return "TListFileStore"; }

    // The file's bytes. Fails with EFOpenError ("ファイル %s は開けません") when the file
    // cannot be opened, EReadError when reading fails or the file does not fit in memory.
    // With `waitForHolds`, a file that another program holds for a moment is waited for
    // as the writing steps wait. The path is UTF-16: a folder may hold characters that
    // the program's code page cannot; the message shows it as far as it converts.
    std::string ReadBytes(const std::wstring& path, bool waitForHolds = false) const;
    // Puts `bytes` in the file. Fails with EFCreateError ("ファイル %s を作成できません")
    // when the file cannot be created or replaced, EWriteError when writing fails; the old
    // file then keeps its old bytes and no temporary file is left behind.
    void WriteBytes(const std::wstring& path, const std::string& bytes) const;

    // The temporary file a save writes first.
    static std::wstring TempPathFor(const std::wstring& path) { return path + L".saving"; }
    static std::string TempPathFor(const std::string& path) { return path + ".saving"; }

    // Where the writes, the flushes and the pauses go; the real ones unless set.
    void SetFileWrites(IFileWrites& writes) { FWrites = &writes; }
    void SetPauses(IPauses& pauses) { FPauses = &pauses; }

private:
    TFileWrites FRealWrites;
    IFileWrites* FWrites = &FRealWrites;
    TSleepPauses FRealPauses;
    IPauses* FPauses = &FRealPauses;
};

// True when the last failed open of `path` failed only because the file is not there.
bool IsMissingFileError(unsigned long error);
