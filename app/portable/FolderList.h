#pragma once
// The folder list: the one model of it in the program. It keeps the list file's lines
// exactly as read, as bytes in the file's own encoding, the encoding itself, what the
// window changed since the file was read or written, and whether the read failed. The
// window's combo box is only a view of it: it shows `ShownEntry`, and nothing is ever
// read back from it.
//
// Each entry is either a line kept from the file or one registered in the window. What
// the window does to a kept line (a deletion, a new name or folder, a move next to
// another kept line) is recorded by the line's bytes and occurrence, so a save can apply
// it to a file someone edited meanwhile (MergeListChanges); registered entries are simply
// added at the end there, and are renamed and moved as they stand.
#include "app/portable/AnsiPath.h"
#include "app/portable/ListChanges.h"
#include "app/portable/ListEncoding.h"
#include "controls/portable/CommaText.h"

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
    // Entry i's folder (its second field) as the text it is, for the shell, and its name
    // (the first field).
    std::wstring PathOf(std::size_t i) const { return FieldOf(i, 1); }
    std::wstring NameOf(std::size_t i) const { return FieldOf(i, 0); }

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
    // Entry i with another name, or another folder: the one field is written anew, built
    // with `quote`, and every other byte of the line stays. Throws EConvertError when the
    // encoding cannot hold it.
    void Rename(std::size_t i, std::wstring_view quote, std::wstring_view name);
    void Repoint(std::size_t i, std::wstring_view quote, std::wstring_view path);
    // Entry i changes places with the one below it (above it); nothing at the end.
    void MoveDown(std::size_t i);
    void MoveUp(std::size_t i) {
        if (i > 0 && i < Count()) MoveDown(i - 1);
    }
    bool HasOwnChanges() const;
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
    std::wstring FieldOf(std::size_t i, std::size_t field) const;
    // Which of the kept lines with entry i's text it is.
    std::size_t OccurrenceOf(std::size_t i) const;
    // Entry i with field `field` written anew; throws when the encoding cannot hold it.
    void ReplaceField(std::size_t i, std::size_t field, std::wstring_view quote, std::wstring_view value,
                      const std::function<std::string()>& refusal);
    // The window's own changes and entries, in `to` instead of the list's encoding; nothing
    // when `to` cannot hold one of them.
    struct OwnChanges {
        std::vector<LineChange> changes;
        std::vector<std::string> added;
    };
    std::optional<OwnChanges> OwnChangesIn(ListEncoding to) const;
    std::optional<std::string> Recode(const std::string& line, ListEncoding to) const;

    const IShiftJisText& FSjis;
    ListEncoding FEncoding = ListEncoding::leShiftJis;
    std::string FFileBytes;           // the file as last read or written
    std::vector<std::string> FLines;  // the list now
    std::vector<bool> FKept;          // FKept[i]: FLines[i] came from the file
    std::vector<LineChange> FChanges; // what the window did to kept lines, in order
    bool FLoadFailed = false;
    bool FMakeFile = false;  // the list file was not there when it was read
};
