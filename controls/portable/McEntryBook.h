#pragma once
// The multi-column combo box keeps every entry string whole, while the platform control
// holds only the target column of each. This book is that private entry list and the
// rules the combo box's message handlers answer by; it knows nothing of windows.
#include <cstddef>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

class CodePage;

// Splits an entry string into its fields (the combo box passes SplitCommaText).
using FieldSplitter = void (*)(std::string_view text, std::vector<std::string>& fields,
                               const CodePage& cp);

// An insert, delete or read at an index the list does not have. The combo box turns it
// into the framework's EListError with the same message; the list is left unchanged.
class McListIndexError : public std::exception {
public:
    explicit McListIndexError(int index);
    const char* what() const noexcept override { return FMessage.c_str(); }
    int Index() const { return FIndex; }

private:
    int FIndex;
    std::string FMessage;
};

// "リストのインデックスが範囲を超えています (<index>)"
std::string ListIndexMessage(int index);

class McEntryBook {
public:
    McEntryBook(FieldSplitter split, const CodePage& cp) : FSplit(split), FCodePage(&cp) {}

    int Count() const { return static_cast<int>(FEntries.size()); }
    const std::vector<std::string>& Entries() const { return FEntries; }

    // The text the platform control shows for an entry: field targetColumn when the
    // entry has more than targetColumn fields, else empty.
    std::string ShownText(std::string_view entry, int targetColumn) const;

    // Returns the new entry's index.
    int Add(std::string entry);
    // index 0..Count(); anything else (the platform's -1 for "at the end" included)
    // throws McListIndexError before anything changes.
    void Insert(int index, std::string entry);
    // index 0..Count()-1, else McListIndexError.
    void Delete(int index);
    void Clear() { FEntries.clear(); }
    // index 0..Count()-1, else McListIndexError.
    const std::string& Get(int index) const;

    // Field column of entry index; empty for any index or column out of range.
    std::string GetColumnText(int index, int column) const;

    // What the selection stands for: the user's own typing in the edit field when there
    // is one and it was modified, else the target column of the selected entry.
    std::string SelectedText(bool canEdit, bool modified, std::string_view text, int itemIndex,
                             int targetColumn) const;

    // The answer to both CB_GETLBTEXT and CB_GETLBTEXTLEN: the bytes of entry index that
    // CopyText hands out into `capacity` (the whole entry when it fits), or -1 (CB_ERR)
    // for an index out of range. Answering the length query with the shown column's
    // length would let a caller size its buffer too small for the text, and answering
    // more than the text delivers would make a reader take bytes past its end.
    int TextLength(int index, std::size_t capacity) const;

    // Copies entry index into buffer, never writing more than capacity bytes: as much of
    // the entry as fits in capacity-1 bytes without splitting a double-byte character,
    // then a closing NUL. Returns the bytes copied before the NUL; -1 (CB_ERR), with
    // nothing written, for an index out of range or a capacity of 0.
    int CopyText(int index, char* buffer, std::size_t capacity) const;

private:
    bool InRange(int index) const { return index >= 0 && index < Count(); }

    FieldSplitter FSplit;
    const CodePage* FCodePage;
    std::vector<std::string> FEntries;
};

// CB_SETDROPPEDWIDTH of the open list: the sum of the columns' widths.
int DroppedWidth(const std::vector<int>& columnWidths);
