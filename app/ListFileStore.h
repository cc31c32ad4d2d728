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

#include <functional>
#include <string>

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

    // The platform's write call, replaceable so tests can make a write fail midway.
    using WriteFn = BOOL (*)(void* file, const void* data, unsigned long size, unsigned long* written);
    static WriteFn SystemWrite;
    // The platform's flush to the disk, replaceable so tests can make it fail.
    using FlushFn = BOOL (*)(void* file);
    static FlushFn SystemFlush;
    // The pause between two attempts at a file another program holds, replaceable so
    // tests need not wait.
    static std::function<void(unsigned ms)> Pause;
};

// True when the last failed open of `path` failed only because the file is not there.
bool IsMissingFileError(unsigned long error);
