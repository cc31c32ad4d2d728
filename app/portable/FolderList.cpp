#include "app/portable/FolderList.h"

#include "app/portable/EntryString.h"
#include "framework/Exceptions.h"

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
    FKept.clear();
    FChanges.clear();
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

std::wstring FolderList::FieldOf(std::size_t i, std::size_t field) const {
    const std::vector<std::string> fields = FieldsOf(i);
    if (fields.size() <= field) return {};
    return FEncoding == ListEncoding::leShiftJis ? FSjis.Decode(fields[field]) : FromUtf8(fields[field]);
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
    FKept.push_back(false);
}

bool FolderList::HasOwnChanges() const {
    return !FChanges.empty() || std::find(FKept.begin(), FKept.end(), false) != FKept.end();
}

std::size_t FolderList::OccurrenceOf(std::size_t i) const {
    std::size_t n = 0;
    for (std::size_t j = 0; j < i; ++j)
        if (FKept[j] && FLines[j] == FLines[i]) ++n;
    return n;
}

void FolderList::Delete(std::size_t i) {
    if (i >= FLines.size()) return;
    // A line from the file is a change to apply to the file; an entry registered in
    // this window just goes again.
    if (FKept[i]) FChanges.push_back({LineChange::Delete, FLines[i], OccurrenceOf(i), {}, 0});
    FLines.erase(FLines.begin() + static_cast<std::ptrdiff_t>(i));
    FKept.erase(FKept.begin() + static_cast<std::ptrdiff_t>(i));
}

void FolderList::ReplaceField(std::size_t i, std::size_t field, std::wstring_view quote, std::wstring_view value,
                              const std::function<std::string()>& refusal) {
    if (i >= FLines.size()) return;
    // The line as text the comma split can walk: its own bytes, except UTF-16 (as UTF-8).
    const bool sjis = FEncoding == ListEncoding::leShiftJis;
    const bool wide = FEncoding == ListEncoding::leUtf16Le || FEncoding == ListEncoding::leUtf16Be;
    const std::string text = wide ? Utf8Of(DecodeListLine(FLines[i], FEncoding, FSjis)) : FLines[i];
    const std::wstring quoted = QuotedField(quote, value);
    std::string fieldBytes;
    if (sjis) {
        const IShiftJisText::Encoded e = FSjis.Encode(quoted);
        if (!e.exact) throw EConvertError(refusal());
        fieldBytes = e.bytes;
    } else {
        fieldBytes = Utf8Of(quoted);
    }
    const std::vector<CommaFieldSpan> spans = CommaFieldSpans(text, sjis ? CodePage::Cp932() : CodePage::SingleByte());
    std::string changed;
    if (field < spans.size()) {
        changed = text.substr(0, spans[field].begin) + fieldBytes + text.substr(spans[field].end);
    } else {
        // Too few fields to write one in place: the entry is built whole from what it has.
        std::vector<std::string> fields = FieldsOf(i);
        fields.resize(2);
        auto asText = [&](const std::string& f) { return sjis ? FSjis.Decode(f) : FromUtf8(f); };
        std::wstring name = asText(fields[0]), path = asText(fields[1]);
        (field == 0 ? name : path) = value;
        const std::optional<std::string> built = EncodeListLine(MakeEntryString(quote, name, path), FEncoding, FSjis);
        if (!built) throw EConvertError(refusal());
        changed = wide ? Utf8Of(DecodeListLine(*built, FEncoding, FSjis)) : *built;
    }
    std::string line = changed;
    if (wide) {
        const std::optional<std::string> encoded = EncodeListLine(FromUtf8(changed), FEncoding, FSjis);
        if (!encoded) throw EConvertError(refusal());
        line = *encoded;
    }
    if (line == FLines[i]) return;
    if (FKept[i]) FChanges.push_back({LineChange::Replace, FLines[i], OccurrenceOf(i), line, 0});
    FLines[i] = std::move(line);
}

void FolderList::Rename(std::size_t i, std::wstring_view quote, std::wstring_view name) {
    ReplaceField(i, 0, quote, name, [&] { return NameRefusal(name).value_or(""); });
}

void FolderList::Repoint(std::size_t i, std::wstring_view quote, std::wstring_view path) {
    ReplaceField(i, 1, quote, path, [&] { return UnnameablePathMessage(FSjis.Encode(path).bytes); });
}

void FolderList::MoveDown(std::size_t i) {
    if (i + 1 >= FLines.size()) return;
    // Between two lines of the file the move is one to make in the file too; beside an
    // entry registered here there is nothing in the file to place it by.
    if (FKept[i] && FKept[i + 1])
        FChanges.push_back({LineChange::MoveBelow, FLines[i], OccurrenceOf(i), FLines[i + 1], OccurrenceOf(i + 1)});
    std::swap(FLines[i], FLines[i + 1]);
    const bool kept = FKept[i];
    FKept[i] = FKept[i + 1];
    FKept[i + 1] = kept;
}

std::optional<std::string> FolderList::Recode(const std::string& line, ListEncoding to) const {
    if (to == FEncoding) return line;
    return EncodeListLine(DecodeListLine(line, FEncoding, FSjis), to, FSjis);
}

std::optional<FolderList::OwnChanges> FolderList::OwnChangesIn(ListEncoding to) const {
    OwnChanges own;
    std::vector<std::string> replacedLost;
    for (const LineChange& c : FChanges) {
        std::optional<std::string> entry = Recode(c.entry, to);
        std::optional<std::string> other = c.kind == LineChange::Delete ? std::string() : Recode(c.other, to);
        if (c.kind == LineChange::Replace && !other) return std::nullopt;
        // A line the file's encoding now cannot hold is in no line of it.
        if (!entry) {
            if (c.kind == LineChange::Replace) replacedLost.push_back(std::move(*other));
            continue;
        }
        if (!other) continue;
        own.changes.push_back({c.kind, std::move(*entry), c.occurrence, std::move(*other), c.otherOccurrence});
    }
    own.added = std::move(replacedLost);
    for (std::size_t i = 0; i < FLines.size(); ++i) {
        if (FKept[i]) continue;
        std::optional<std::string> line = Recode(FLines[i], to);
        if (!line) return std::nullopt;
        own.added.push_back(std::move(*line));
    }
    return own;
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
    const std::optional<OwnChanges> own = OwnChangesIn(now);
    if (!own)
        throw EConvertError("フォルダの一覧のファイルは他のプログラムで Shift-JIS に書き換えられたため、"
                            "この一覧で登録した名前またはパスを保存できません");
    std::string out = WriteListLines(MergeListChanges(ReadListLines(fileNow, now), own->changes, own->added), now);
    return {out != fileNow, std::move(out), now};
}

bool FolderList::Saved(std::string bytes, ListEncoding encoding) {
    std::vector<std::string> lines = ReadListLines(bytes, encoding);
    const bool changed = lines != FLines;
    FEncoding = encoding;
    FFileBytes = std::move(bytes);
    FLines = std::move(lines);
    FKept.assign(FLines.size(), true);
    FChanges.clear();
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
