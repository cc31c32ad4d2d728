#include "FolderList.h"

#include "../../framework/Exceptions.h"
#include "EntryString.h"

#include <algorithm>

namespace {

// Bytes that read alike in every encoding keep the kind the list has: a UTF-8 list left
// with ASCII only is still UTF-8 (without a mark, since the file has none now).
ListEncoding PlainAsciiFor(ListEncoding e) {
    return e == ListEncoding::leShiftJis ? ListEncoding::leShiftJis : ListEncoding::leUtf8;
}

} // namespace

void FolderList::Load(std::optional<std::string> bytes) {
    const ListEncoding e = DetectListEncoding(bytes.value_or(""));
    Saved(std::move(bytes).value_or(""), e);
    FMakeFile = !bytes;
}

void FolderList::LoadFailed() {
    FEncoding = ListEncoding::leShiftJis;
    FFileBytes.clear();
    FLines.clear();
    FAdded = 0;
    FDeleted.clear();
    FLoadFailed = true;
    FMakeFile = false;
}

std::string FolderList::ShownEntry(std::size_t i) const {
    if (FEncoding == ListEncoding::leShiftJis) return FLines[i];
    return FSjis.Encode(DecodeListLine(FLines[i], FEncoding, FSjis)).bytes;
}

std::vector<std::string> FolderList::FieldsOf(std::size_t i) const {
    std::vector<std::string> fields;
    // In UTF-8 no byte of a multi-byte character is ASCII, so the split needs no lead bytes.
    if (FEncoding == ListEncoding::leShiftJis)
        SplitCommaText(FLines[i], fields, CodePage::Cp932());
    else if (FEncoding == ListEncoding::leUtf8 || FEncoding == ListEncoding::leUtf8Bom)
        SplitCommaText(FLines[i], fields, CodePage::SingleByte());
    else
        SplitCommaText(Utf8Of(DecodeListLine(FLines[i], FEncoding, FSjis)), fields, CodePage::SingleByte());
    return fields;
}

std::wstring FolderList::PathOf(std::size_t i) const {
    const std::vector<std::string> fields = FieldsOf(i);
    if (fields.size() < 2) return {};
    return FEncoding == ListEncoding::leShiftJis ? FSjis.Decode(fields[1]) : FromUtf8(fields[1]);
}

bool FolderList::Holds(std::wstring_view text) const {
    return FEncoding != ListEncoding::leShiftJis || FSjis.Encode(text).exact;
}

std::optional<std::string> FolderList::NameRefusal(std::wstring_view name) const {
    if (Holds(name)) return std::nullopt;
    return "名前 " + FSjis.Encode(name).bytes +
           " には、この一覧の文字コード (Shift-JIS) で保存できない文字が含まれているため、登録できません";
}

StoredPathChoice FolderList::PathToStore(const std::wstring& folder,
                                         const std::function<std::optional<AnsiForm>()>& shortForm) const {
    if (FEncoding != ListEncoding::leShiftJis) return {false, folder, {}};
    const IShiftJisText::Encoded full = FSjis.Encode(folder);
    const AnsiPathChoice c = ChooseAnsiPath({full.bytes, full.exact}, shortForm);
    if (c.refused) return {true, {}, c.message};
    return {false, FSjis.Decode(c.path), {}};
}

void FolderList::Append(std::wstring_view quote, std::wstring_view name, std::wstring_view path) {
    std::optional<std::string> line = EncodeListLine(MakeEntryString(quote, name, path), FEncoding, FSjis);
    if (!line) throw EConvertError(NameRefusal(name).value_or(UnnameablePathMessage(FSjis.Encode(path).bytes)));
    FLines.push_back(std::move(*line));
    ++FAdded;
}

void FolderList::Delete(std::size_t i) {
    if (i >= FLines.size()) return;
    const auto at = FLines.begin() + static_cast<std::ptrdiff_t>(i);
    if (i < FLines.size() - FAdded) {
        // A line from the file is a change to apply to the file; an entry registered in
        // this window just goes again.
        FDeleted.push_back({*at, static_cast<std::size_t>(std::count(FLines.begin(), at, *at))});
    } else {
        --FAdded;
    }
    FLines.erase(at);
}

std::optional<std::string> FolderList::Recode(const std::string& line, ListEncoding to) const {
    if (to == FEncoding) return line;
    return EncodeListLine(DecodeListLine(line, FEncoding, FSjis), to, FSjis);
}

std::optional<std::vector<std::string>> FolderList::AddedIn(ListEncoding to) const {
    std::vector<std::string> added;
    for (std::size_t i = FLines.size() - FAdded; i < FLines.size(); ++i) {
        std::optional<std::string> line = Recode(FLines[i], to);
        if (!line) return std::nullopt;
        added.push_back(std::move(*line));
    }
    return added;
}

std::vector<DeletedEntry> FolderList::DeletedIn(ListEncoding to) const {
    std::vector<DeletedEntry> deleted;
    // A line the file's encoding now cannot hold is in no line of it.
    for (const DeletedEntry& d : FDeleted)
        if (std::optional<std::string> line = Recode(d.entry, to)) deleted.push_back({std::move(*line), d.occurrence});
    return deleted;
}

FolderList::SavePlan FolderList::PlanSave(const std::optional<std::string>& fileThere) const {
    const std::string fileNow = fileThere.value_or("");
    if (!HasOwnChanges())
        return {FMakeFile && !fileThere, fileNow, DetectListEncoding(fileNow, PlainAsciiFor(FEncoding))};
    if (FLoadFailed || fileNow == FFileBytes) {
        std::string out = WriteListLines(FLines, FEncoding);
        return {FLoadFailed || out != fileNow, std::move(out), FEncoding};
    }
    const ListEncoding now = DetectListEncoding(fileNow, PlainAsciiFor(FEncoding));
    const std::optional<std::vector<std::string>> added = AddedIn(now);
    if (!added)
        throw EConvertError("フォルダの一覧のファイルは他のプログラムで Shift-JIS に書き換えられたため、"
                            "この一覧で登録した名前またはパスを保存できません");
    std::string out = WriteListLines(MergeListChanges(ReadListLines(fileNow, now), DeletedIn(now), *added), now);
    return {out != fileNow, std::move(out), now};
}

bool FolderList::Saved(std::string bytes, ListEncoding encoding) {
    std::vector<std::string> lines = ReadListLines(bytes, encoding);
    const bool changed = lines != FLines;
    FEncoding = encoding;
    FFileBytes = std::move(bytes);
    FLines = std::move(lines);
    FAdded = 0;
    FDeleted.clear();
    FLoadFailed = false;
    FMakeFile = false;
    return changed;
}

bool FolderList::Follow(std::optional<std::string> fileThere) {
    std::string fileNow = std::move(fileThere).value_or("");
    if (HasOwnChanges() || (!FLoadFailed && fileNow == FFileBytes)) return false;
    const ListEncoding e = DetectListEncoding(fileNow, PlainAsciiFor(FEncoding));
    Saved(std::move(fileNow), e);
    return true;
}
