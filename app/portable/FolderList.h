#pragma once
// The folder list: the one model of it in the program. It keeps the list file's lines
// exactly as read, as bytes in the file's own encoding, the encoding itself, what the
// window changed since the file was read or written, and whether the read failed. The
// window's combo box is only a view of it: it shows `ShownEntry`, and nothing is ever
// read back from it.
//
// The window only appends entries at the end and deletes them, so the list is always the
// lines kept from the file, in file order, followed by the entries registered since. A
// deletion is recorded by its line's bytes and occurrence, so a save can apply it to a
// file someone edited meanwhile (MergeListChanges). A later change in place (a rename)
// would be recorded the same way, by the old line's bytes and occurrence with its new
// bytes, and a move by the line and the neighbour it went behind.
#include "../../controls/portable/CommaText.h"
#include "AnsiPath.h"
#include "ListChanges.h"
#include "ListEncoding.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class FolderList {
public:
    explicit FolderList(const IShiftJisText& sjis) : FSjis(sjis) {}

    // The list file holds `bytes`, or is not there: the list is its lines, and nothing is
    // the window's own. A list file that was not there is made at the close.
    void Load(std::optional<std::string> bytes);
    // The list file is there but could not be read: the list starts empty, and a save
    // would replace what was never read.
    void LoadFailed();
    bool HasLoadFailed() const { return FLoadFailed; }

    ListEncoding Encoding() const { return FEncoding; }
    std::size_t Count() const { return FLines.size(); }
    // Entry i as the view shows it: code page 932, exact where that holds the text, else
    // as far as it converts. A Shift-JIS line is shown as its own bytes.
    std::string ShownEntry(std::size_t i) const;
    // Entry i's folder (its second field) as the text it is, for the shell.
    std::wstring PathOf(std::size_t i) const;

    // Whether the file's encoding holds `text` exactly (Shift-JIS may not).
    bool Holds(std::wstring_view text) const;
    // The message for a typed name the list cannot store; nothing when it can.
    std::optional<std::string> NameRefusal(std::wstring_view name) const;
    // The path a registered folder is stored by: itself where the encoding holds it, else
    // its short form (`shortForm`, code page 932) when that is exact, else refused.
    StoredPathChoice PathToStore(const std::wstring& folder,
                                 const std::function<std::optional<AnsiForm>()>& shortForm) const;

    // Appends the entry for (name, path), built with `quote`, in the file's encoding.
    // Throws EConvertError when the encoding cannot hold it (see NameRefusal).
    void Append(std::wstring_view quote, std::wstring_view name, std::wstring_view path);
    // Deletes entry i (nothing when there is none).
    void Delete(std::size_t i);
    bool HasOwnChanges() const { return !FDeleted.empty() || FAdded > 0; }
    // Whether a save may write anything: the window changed the list, or the list file
    // was not there when it was read.
    bool NeedsSave() const { return HasOwnChanges() || FMakeFile; }

    // What a save does, given the file's bytes now (nothing when it is not there).
    struct SavePlan {
        bool write = false;  // false: the file already holds what the save would write
        std::string bytes;   // what the file holds after the save
        ListEncoding encoding = ListEncoding::leShiftJis;  // ... and its encoding
    };
    // With nothing of the window's own, the file stays as it is (a file that was not there
    // at the read and is not there now is made, empty). Otherwise, while the file
    // is as it was read, the list in the file's encoding; once someone edited it, the file
    // as it is now, in its encoding now, with the window's own changes applied. After a
    // failed load the list replaces the file (the window asks first). Throws
    // EConvertError when an edited file's encoding cannot hold an entry of the window's.
    SavePlan PlanSave(const std::optional<std::string>& fileNow) const;
    // The file holds `bytes` in `encoding` now (written or found): the list follows them,
    // with nothing of the window's own. True when the list's entries changed.
    bool Saved(std::string bytes, ListEncoding encoding);
    bool Saved(SavePlan plan) { return Saved(std::move(plan.bytes), plan.encoding); }
    // While the window has nothing of its own, an edit made to the file outside (or a file
    // that can be read now after a failed load) becomes the list. True when it did.
    bool Follow(std::optional<std::string> fileNow);

private:
    std::vector<std::string> FieldsOf(std::size_t i) const;
    // The window's own entries and deletions, in `to` instead of the list's encoding;
    // nothing when `to` cannot hold an entry.
    std::optional<std::vector<std::string>> AddedIn(ListEncoding to) const;
    std::vector<DeletedEntry> DeletedIn(ListEncoding to) const;
    std::optional<std::string> Recode(const std::string& line, ListEncoding to) const;

    const IShiftJisText& FSjis;
    ListEncoding FEncoding = ListEncoding::leShiftJis;
    std::string FFileBytes;           // the file as last read or written
    std::vector<std::string> FLines;  // the list now: kept lines, then FAdded new entries
    std::size_t FAdded = 0;
    std::vector<DeletedEntry> FDeleted;
    bool FLoadFailed = false;
    bool FMakeFile = false;  // the list file was not there when it was read
};
