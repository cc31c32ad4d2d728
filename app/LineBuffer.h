#pragma once
// The line buffer between the list file and the folder list: the file's text as lines.
// Loading reads the whole file, letting others read it meanwhile but not write it;
// saving writes a temporary file beside the list file and puts it in the list file's
// place in one step, so a failure or a crash midway leaves the old file whole. The list
// file keeps its identity (attributes, security, creation time) through the replace;
// where the folder takes no new file, the list file is rewritten in place instead.
// Every step that opens, creates or replaces a file waits out, for about two seconds, a
// hold that another program (a virus scanner, the indexer, a sync client) has on it.
#include "framework/Classes.h"
#include "framework/WideText.h"

#include <functional>
#include <string>
#include <vector>

class TLineBuffer : public TComponent {
public:
    using TComponent::TComponent;
    const char* ClassName() const override { return "TLineBuffer"; }

    void Clear() { FLines.clear(); }
    void Add(const std::string& line) { FLines.push_back(line); }
    int Count() const { return static_cast<int>(FLines.size()); }
    const std::string& Get(int i) const { return FLines[static_cast<size_t>(i)]; }
    const std::vector<std::string>& Lines() const { return FLines; }

    // Replaces the content with the file's lines. Fails with EFOpenError ("ファイル %s は
    // 開けません") when the file cannot be opened, EReadError when reading fails; the
    // content is then unchanged. With `waitForHolds`, a file that another program holds
    // for a moment is waited for as the save's steps wait. The path is UTF-16: a folder
    // may hold characters that the program's code page cannot; the message shows it as
    // far as it converts.
    void LoadFromFile(const std::wstring& path, bool waitForHolds = false);
    void LoadFromFile(const std::string& path, bool waitForHolds = false) { LoadFromFile(Widen(path), waitForHolds); }
    // Writes every line followed by CR LF. Fails with EFCreateError ("ファイル %s を作成
    // できません") when the file cannot be created or replaced, EWriteError when writing
    // fails; the old file then keeps its old bytes and no temporary file is left behind.
    // Reading fails with EReadError also when the file does not fit in memory.
    void SaveToFile(const std::wstring& path) const;
    void SaveToFile(const std::string& path) const { SaveToFile(Widen(path)); }

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

private:
    std::vector<std::string> FLines;
};

// True when the last failed open of `path` failed only because the file is not there.
bool IsMissingFileError(unsigned long error);
