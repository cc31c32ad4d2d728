#include "app/portable/FolderList.h"
#include "framework/Exceptions.h"
#include "tests/portable/ShiftJisForTests.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using E = ListEncoding;
using V = std::vector<std::string>;

const TestShiftJis& Sjis() {
    static const TestShiftJis s;
    return s;
}

std::string Mark(E e) {
    switch (e) {
    case E::leUtf8Bom: return "\xEF\xBB\xBF";
    case E::leUtf16Le: return "\xFF\xFE";
    case E::leUtf16Be: return "\xFE\xFF";
    default: return "";
    }
}

// Text as a line of the encoding, through the encoder under test only for UTF-16 units.
std::string Line(const std::wstring& text, E e) { return *EncodeListLine(text, e, Sjis()); }

const char* const Utf8Photo = "\xE5\x86\x99\xE7\x9C\x9F";  // 写真
const char* const SjisPhoto = "\x8E\xCA\x90\x5E";          // 写真

TEST(ListEncoding, DetectedByMarkElseByValidMultiByteUtf8ElseShiftJis) {
    struct Row {
        const char* name;
        std::string bytes;
        E plainAscii, want;
    } rows[] = {
        {"UTF-8 mark", "\xEF\xBB\xBF\"a\"", E::leShiftJis, E::leUtf8Bom},
        {"UTF-8 mark alone", "\xEF\xBB\xBF", E::leShiftJis, E::leUtf8Bom},
        {"UTF-16 LE mark", "\xFF\xFE\"\0", E::leShiftJis, E::leUtf16Le},
        {"UTF-16 BE mark", "\xFE\xFF\0\"", E::leShiftJis, E::leUtf16Be},
        {"valid UTF-8 with a multi-byte character", std::string("\"") + Utf8Photo + "\",\"C:\\x\"", E::leShiftJis, E::leUtf8},
        {"a four-byte character", "\xF0\x9F\x98\x80", E::leShiftJis, E::leUtf8},
        {"Shift-JIS", std::string("\"") + SjisPhoto + "\"", E::leShiftJis, E::leShiftJis},
        {"Shift-JIS that reads as UTF-8 as well", "\xE3\x81\x82", E::leShiftJis, E::leUtf8},
        {"ASCII only", "\"a\",\"C:\\a\"\r\n", E::leShiftJis, E::leShiftJis},
        {"ASCII only in a list the window holds as UTF-8", "\"a\"", E::leUtf8, E::leUtf8},
        {"empty", "", E::leShiftJis, E::leShiftJis},
        {"UTF-8 cut in the middle of a character", "\xE5\x86", E::leShiftJis, E::leShiftJis},
        {"an overlong form", "\xC0\xAF", E::leShiftJis, E::leShiftJis},
        {"a surrogate in UTF-8", "\xED\xA0\x80", E::leShiftJis, E::leShiftJis},
        {"above U+10FFFF", "\xF4\x90\x80\x80", E::leShiftJis, E::leShiftJis},
        {"a NUL among UTF-8", std::string("a\0", 2) + Utf8Photo, E::leShiftJis, E::leUtf8},
        {"half-width katakana pair", "\xB1\xB2", E::leShiftJis, E::leShiftJis},
    };
    for (const Row& r : rows) EXPECT_EQ(DetectListEncoding(r.bytes, r.plainAscii), r.want) << r.name;
}

TEST(ListEncoding, LinesOfEachEncodingSplitAtItsOwnLineEnds) {
    struct Row {
        const char* name;
        std::string bytes;
        E e;
        V lines;
    } rows[] = {
        {"Shift-JIS: CR LF, LF, CR", "a\r\nb\nc\rd", E::leShiftJis, {"a", "b", "c", "d"}},
        {"UTF-8 mark is no part of the first line", "\xEF\xBB\xBF" "a\r\n\r\nb\r\n", E::leUtf8Bom, {"a", "", "b"}},
        {"UTF-16 LE", std::string("\xFF\xFE" "a\0\r\0\n\0b\0\n\0\r\0c\0", 16), E::leUtf16Le,
         {std::string("a\0", 2), std::string("b\0", 2), "", std::string("c\0", 2)}},
        {"UTF-16 BE", std::string("\xFE\xFF\0a\0\r\0\n\0b", 10), E::leUtf16Be, {std::string("\0a", 2), std::string("\0b", 2)}},
        // 0D and 0A bytes inside a UTF-16 unit (U+0D0A, U+0A0D) end no line.
        {"line-end bytes inside a unit", std::string("\xFF\xFE\x0A\x0D\x0D\x0A", 6), E::leUtf16Le,
         {std::string("\x0A\x0D\x0D\x0A", 4)}},
        {"an odd last byte stays on the last line", std::string("\xFF\xFE" "a\0\r\0\n\0b", 9), E::leUtf16Le,
         {std::string("a\0", 2), "b"}},
    };
    for (const Row& r : rows) EXPECT_EQ(ReadListLines(r.bytes, r.e), r.lines) << r.name;
    EXPECT_EQ(WriteListLines({std::string("a\0", 2), "", std::string("b\0", 2)}, E::leUtf16Le),
              std::string("\xFF\xFE" "a\0\r\0\n\0b\0\r\0\n\0", 14));
    EXPECT_EQ(WriteListLines({std::string("\0a", 2)}, E::leUtf16Be), std::string("\xFE\xFF\0a\0\r\0\n", 8));
    EXPECT_EQ(WriteListLines({}, E::leUtf8Bom), "\xEF\xBB\xBF");
    EXPECT_EQ(WriteListLines({"a", ""}, E::leShiftJis), "a\r\n");
}

TEST(ListEncoding, TextAndLinesConvertBothWays) {
    struct Row {
        std::wstring text;
        E e;
        std::string line;
    } rows[] = {
        {L"\u5199\u771F", E::leUtf8, Utf8Photo},
        {L"\u5199\u771F", E::leShiftJis, SjisPhoto},
        {L"\u5199", E::leUtf16Le, "\x99\x51"},
        {L"\u5199", E::leUtf16Be, "\x51\x99"},
        {L"\xD83D\xDE00", E::leUtf8, "\xF0\x9F\x98\x80"},  // a surrogate pair is one character
        {L"\xD800", E::leUtf8, "\xED\xA0\x80"},             // a lone one comes back as it was
        {L"\uD55C", E::leUtf8Bom, "\xED\x95\x9C"},          // 한
    };
    for (const Row& r : rows) {
        EXPECT_EQ(EncodeListLine(r.text, r.e, Sjis()), r.line);
        EXPECT_EQ(DecodeListLine(r.line, r.e, Sjis()), r.text);
    }
    EXPECT_EQ(EncodeListLine(L"Caf\u00E9", E::leShiftJis, Sjis()), std::nullopt);
    EXPECT_EQ(EncodeListLine(L"\uD55C", E::leShiftJis, Sjis()), std::nullopt);
    EXPECT_EQ(DecodeListLine("a\xFF" "b", E::leUtf8, Sjis()), L"a\uFFFDb");
    EXPECT_EQ(DecodeListLine("a", E::leUtf16Le, Sjis()), L"\uFFFD");
}

// A list read from `bytes`.
FolderList Loaded(const std::string& bytes) {
    FolderList l(Sjis());
    l.Load(bytes);
    return l;
}

TEST(FolderList, ShowsCodePage932AndOpensTheEntrysOwnPath) {
    const std::wstring hangul = L"C:\\\uD55C\uAD6D";  // 한국
    struct Row {
        const char* name;
        std::string file;
        std::string shown;
        std::wstring path;
    } rows[] = {
        {"Shift-JIS as its own bytes", std::string("\"") + SjisPhoto + "\",\"C:\\" + SjisPhoto + "\"\r\n",
         std::string("\"") + SjisPhoto + "\",\"C:\\" + SjisPhoto + "\"", L"C:\\\u5199\u771F"},
        {"a byte pair no character shown as read", "\"\x81\x7F\",\"C:\\a\"", "\"\x81\x7F\",\"C:\\a\"", L"C:\\a"},
        {"UTF-8", std::string("\"") + Utf8Photo + "\",\"C:\\" + Utf8Photo + "\"",
         std::string("\"") + SjisPhoto + "\",\"C:\\" + SjisPhoto + "\"", L"C:\\\u5199\u771F"},
        {"UTF-8 with a mark", "\xEF\xBB\xBF\"a\",\"C:\\a\"", "\"a\",\"C:\\a\"", L"C:\\a"},
        {"UTF-8 Hangul: shown as far as it converts, opened as it is",
         "\"k\",\"" + Utf8Of(hangul) + "\"", "\"k\",\"C:\\??\"", hangul},
        {"UTF-16 LE", Mark(E::leUtf16Le) + Line(L"\"\u5199\",\"C:\\\u5199\"", E::leUtf16Le),
         "\"\x8E\xCA\",\"C:\\\x8E\xCA\"", L"C:\\\u5199"},
        {"UTF-16 BE", Mark(E::leUtf16Be) + Line(L"\"a\",\"" + hangul + L"\"", E::leUtf16Be), "\"a\",\"C:\\??\"", hangul},
        {"a doubled quote reads as one", "\"say \"\"hi\"\"\",\"C:\\q\"", "\"say \"\"hi\"\"\",\"C:\\q\"", L"C:\\q"},
        {"a path with a comma in quotes", "\"a\",\"C:\\x,y\"", "\"a\",\"C:\\x,y\"", L"C:\\x,y"},
        {"no path field", "\"a\"", "\"a\"", L""},
    };
    for (const Row& r : rows) {
        const FolderList l = Loaded(r.file);
        ASSERT_EQ(l.Count(), 1u) << r.name;
        EXPECT_EQ(l.ShownEntry(0), r.shown) << r.name;
        EXPECT_EQ(l.PathOf(0), r.path) << r.name;
    }
}

TEST(FolderList, AppendsInTheFilesEncodingAndRefusesWhatShiftJisCannotHold) {
    struct Row {
        const char* name;
        std::string file;
        std::wstring entryName, path;
        std::string appended;  // the new line's bytes; empty: refused
    } rows[] = {
        {"Shift-JIS", "\"a\",\"C:\\a\"\r\n", L"\u5199\u771F", L"C:\\p", std::string("\"") + SjisPhoto + "\",\"C:\\p\""},
        {"a quote is doubled", "", L"say \"hi\"", L"C:\\q", "\"say \"\"hi\"\"\",\"C:\\q\""},
        {"Caf\xC3\xA9 refused in Shift-JIS", "\"a\",\"C:\\a\"\r\n", L"Caf\u00E9", L"C:\\c", ""},
        {"Caf\xC3\xA9 stored in UTF-8", std::string("\"") + Utf8Photo + "\",\"C:\\a\"\r\n", L"Caf\u00E9", L"C:\\c",
         "\"Caf\xC3\xA9\",\"C:\\c\""},
        {"Hangul in UTF-8 with a mark", "\xEF\xBB\xBF", L"\uD55C", L"C:\\\uD55C", "\"\xED\x95\x9C\",\"C:\\\xED\x95\x9C\""},
        {"UTF-16 LE", Mark(E::leUtf16Le), L"\uD55C", L"C:", Line(L"\"\uD55C\",\"C:\"", E::leUtf16Le)},
        {"UTF-16 BE", Mark(E::leUtf16Be), L"n", L"C:", std::string("\0\"\0n\0\"\0,\0\"\0C\0:\0\"", 16)},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        FolderList l = Loaded(r.file);
        const std::size_t before = l.Count();
        EXPECT_EQ(l.NameRefusal(r.entryName).has_value(), r.appended.empty());
        if (r.appended.empty()) {
            EXPECT_THROW(l.Append(L"\"", r.entryName, r.path), EConvertError);
            EXPECT_EQ(l.Count(), before);
            EXPECT_FALSE(l.HasOwnChanges());
            continue;
        }
        l.Append(L"\"", r.entryName, r.path);
        ASSERT_EQ(l.Count(), before + 1);
        EXPECT_EQ(l.PathOf(before), r.path);
        const FolderList::SavePlan p = l.PlanSave(r.file);
        EXPECT_TRUE(p.write);
        // Every line before the new one is the file's own, the mark kept.
        V want = ReadListLines(r.file, l.Encoding());
        want.push_back(r.appended);
        EXPECT_EQ(p.bytes, WriteListLines(want, l.Encoding()));
        EXPECT_EQ(p.bytes.substr(0, r.file.size()), r.file);
    }
    EXPECT_EQ(*Loaded("").NameRefusal(L"Caf\u00E9"),
              "名前 Caf? には、この一覧の文字コード (Shift-JIS) で保存できない文字が含まれているため、登録できません");
}

TEST(FolderList, StoresAFolderByItsOwnPathWhereTheEncodingHoldsIt) {
    const std::wstring hangul = L"C:\\\uD55C";
    struct Row {
        const char* name;
        std::string file;
        std::wstring folder;
        const char* shortForm;  // nullptr: none
        bool refused;
        std::wstring stored;
    } rows[] = {
        {"Shift-JIS, exact", "", L"C:\\\u5199", nullptr, false, L"C:\\\u5199"},
        {"Shift-JIS, by its short path", "", hangul, "C:\\ABCD~1", false, L"C:\\ABCD~1"},
        {"Shift-JIS, no short path", "", hangul, nullptr, true, L""},
        {"UTF-8, as it is", Utf8Photo, hangul, "C:\\ABCD~1", false, hangul},
        {"UTF-16, as it is", Mark(E::leUtf16Le), hangul, nullptr, false, hangul},
    };
    for (const Row& r : rows) {
        const StoredPathChoice c = Loaded(r.file).PathToStore(r.folder, [&]() -> std::optional<AnsiForm> {
            if (!r.shortForm) return std::nullopt;
            return AnsiForm{r.shortForm, true};
        });
        EXPECT_EQ(c.refused, r.refused) << r.name;
        EXPECT_EQ(c.path, r.stored) << r.name;
        EXPECT_EQ(c.message.empty(), !r.refused) << r.name;
    }
}

// Random lines of an encoding, holding NULs, stray lead bytes, CR-free bytes of all kinds.
V RandomLines(std::mt19937& rnd, E e) {
    V lines;
    const int n = 1 + static_cast<int>(rnd() % 8);
    for (int i = 0; i < n; ++i) {
        std::string l;
        const int len = 1 + static_cast<int>(rnd() % 12);
        if (e == E::leUtf16Le || e == E::leUtf16Be) {
            for (int k = 0; k < len; ++k) {
                unsigned u = rnd() % 0x10000;
                if (u == 0x0D || u == 0x0A) u = 0;
                std::wstring w(1, static_cast<wchar_t>(u));
                l += *EncodeListLine(w, e, Sjis());
            }
        } else if (e == E::leShiftJis) {
            const char pool[] = {'a', '"', ',', '\0', '\x81', '\x9F', '\xE0', '\xFC', '\x5C', '\xB1', '\xFF', '\x80', ' '};
            for (int k = 0; k < len; ++k) l += pool[rnd() % sizeof pool];
        } else {
            const std::string pool[] = {"a", "\"", ",", std::string(1, '\0'), "\xC3\xA9", Utf8Photo, "\xF0\x9F\x98\x80"};
            for (int k = 0; k < len; ++k) l += pool[rnd() % 7];
            if (e == E::leUtf8Bom && rnd() % 3 == 0) l += "\xFF";  // a mark makes it UTF-8 whatever follows
        }
        lines.push_back(l);
    }
    if (e == E::leUtf8) lines.push_back(Utf8Photo);  // so the file reads as UTF-8
    if (e == E::leShiftJis) lines.push_back("\x81");  // and this one never does
    return lines;
}

// A file read and saved with nothing changed in the window is not written; with one line
// deleted and an entry registered, every other line comes back byte for byte.
TEST(FolderList, EveryLineTheWindowDidNotChangeComesBackByteForByte) {
    std::mt19937 rnd(28);
    const wchar_t* const ends[] = {L"\r\n", L"\n", L"\r"};
    for (E e : {E::leShiftJis, E::leUtf8, E::leUtf8Bom, E::leUtf16Le, E::leUtf16Be}) {
        for (int run = 0; run < 300; ++run) {
            const V lines = RandomLines(rnd, e);
            // Line ends of every kind: an untouched file is left as it is, whatever they are.
            std::string file = Mark(e);
            for (const std::string& l : lines) file += l + Line(std::wstring(ends[rnd() % 3]), e);
            FolderList l = Loaded(file);
            ASSERT_EQ(l.Encoding(), e) << run;
            ASSERT_EQ(l.Count(), lines.size()) << run;
            const FolderList::SavePlan untouched = l.PlanSave(file);
            EXPECT_FALSE(untouched.write) << run;
            EXPECT_EQ(untouched.bytes, file) << run;

            V want = lines;
            const std::size_t gone = rnd() % lines.size();
            l.Delete(gone);
            want.erase(want.begin() + static_cast<std::ptrdiff_t>(gone));
            l.Append(L"\"", L"n", L"C:\\n");
            want.push_back(Line(L"\"n\",\"C:\\n\"", e));
            const FolderList::SavePlan saved = l.PlanSave(file);
            ASSERT_TRUE(saved.write) << run;
            EXPECT_EQ(saved.bytes, WriteListLines(want, e)) << run;
            EXPECT_EQ(saved.bytes.substr(0, Mark(e).size()), Mark(e)) << run;
        }
    }
}

TEST(FolderList, ASaveAppliesTheWindowsChangesToAFileEditedMeanwhile) {
    struct Row {
        const char* name;
        std::string read, now;
        int deleteAt;             // -1: none
        std::wstring added;       // empty: none
        bool write;
        std::string after;
    } rows[] = {
        {"untouched: an edit made outside stays", "a\r\nb\r\n", "a\r\nx\r\n", -1, L"", false, "a\r\nx\r\n"},
        {"untouched, file as read", "a\nb", "a\nb", -1, L"", false, "a\nb"},
        {"a deletion applied to the edited file", "a\r\nb\r\nc\r\n", "a\r\nb\r\nedited\r\nc\r\n", 1, L"", true,
         "a\r\nedited\r\nc\r\n"},
        {"a registration after a line added outside", "a\r\n", "a\r\nx\r\n", -1, L"n", true, "a\r\nx\r\n\"n\",\"C:\\n\"\r\n"},
        {"the deletion was made outside too: nothing to write", "a\r\nb\r\n", "a\r\n", 1, L"", false, "a\r\n"},
        {"the file became UTF-8 outside: the window's changes follow it",
         std::string(SjisPhoto) + "\r\nb\r\n", std::string(Utf8Photo) + "\r\nb\r\n", 0, L"\u5199", true,
         "b\r\n\"\xE5\x86\x99\",\"C:\\n\"\r\n"},
        {"a UTF-8 list left with ASCII only stays UTF-8", std::string(Utf8Photo) + "\r\n", "b\r\n", -1, L"\u00E9", true,
         "b\r\n\"\xC3\xA9\",\"C:\\n\"\r\n"},
        {"the file became UTF-16 outside", "a\r\n", Mark(E::leUtf16Le) + Line(L"a\r\n", E::leUtf16Le), 0, L"n", true,
         Mark(E::leUtf16Le) + Line(L"\"n\",\"C:\\n\"\r\n", E::leUtf16Le)},
        {"the file deleted outside", "a\r\n", "", -1, L"n", true, "\"n\",\"C:\\n\"\r\n"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        FolderList l = Loaded(r.read);
        if (r.deleteAt >= 0) l.Delete(static_cast<std::size_t>(r.deleteAt));
        if (!r.added.empty()) l.Append(L"\"", r.added, L"C:\\n");
        const FolderList::SavePlan p = l.PlanSave(r.now);
        EXPECT_EQ(p.write, r.write);
        EXPECT_EQ(p.bytes, r.after);
        l.Saved(p);
        EXPECT_FALSE(l.HasOwnChanges());
        EXPECT_EQ(WriteListLines(ReadListLines(r.after, l.Encoding()), l.Encoding()),
                  WriteListLines(ReadListLines(p.bytes, p.encoding), p.encoding));
    }
    // An entry the file's new encoding cannot hold is not quietly garbled.
    FolderList l = Loaded(Utf8Photo);
    l.Append(L"\"", L"Caf\u00E9", L"C:\\c");
    EXPECT_THROW(l.PlanSave(SjisPhoto), EConvertError);
    EXPECT_TRUE(l.HasOwnChanges());
}

// A list file that was not there is made at the close, empty, unless someone made one
// meanwhile; one that was there and went while the window ran stays gone.
TEST(FolderList, AMissingListFileIsMadeAtTheClose) {
    FolderList l(Sjis());
    l.Load(std::nullopt);
    EXPECT_TRUE(l.NeedsSave());
    const FolderList::SavePlan missing = l.PlanSave(std::nullopt);
    EXPECT_TRUE(missing.write);
    EXPECT_EQ(missing.bytes, "");
    EXPECT_FALSE(l.PlanSave(std::string("a\r\n")).write);
    l.Saved(missing);
    EXPECT_FALSE(l.NeedsSave());
    FolderList gone = Loaded("a\r\n");
    EXPECT_FALSE(gone.NeedsSave());
    EXPECT_FALSE(gone.PlanSave(std::nullopt).write);
}

TEST(FolderList, AFailedLoadReplacesTheFileOnlyWithTheUsersOwnEntries) {
    FolderList l(Sjis());
    l.LoadFailed();
    EXPECT_TRUE(l.HasLoadFailed());
    EXPECT_EQ(l.Count(), 0u);
    EXPECT_FALSE(l.NeedsSave());
    EXPECT_FALSE(l.PlanSave(std::string("unread")).write);
    FolderList m(Sjis());
    m.LoadFailed();
    m.Append(L"\"", L"n", L"C:\\n");
    const FolderList::SavePlan p = m.PlanSave(std::string("whatever the file holds"));
    EXPECT_TRUE(p.write);
    EXPECT_EQ(p.bytes, "\"n\",\"C:\\n\"\r\n");
    m.Saved(p);
    EXPECT_FALSE(m.HasLoadFailed());
}

TEST(FolderList, FollowsAnOutsideEditOnlyWhileTheWindowHasNothingOfItsOwn) {
    FolderList l = Loaded("a\r\n");
    EXPECT_FALSE(l.Follow("a\r\n"));
    EXPECT_TRUE(l.Follow("a\r\nb\r\n"));
    EXPECT_EQ(l.Count(), 2u);
    EXPECT_EQ(l.ShownEntry(1), "b");
    EXPECT_TRUE(l.Follow(Mark(E::leUtf16Le) + Line(L"\u5199", E::leUtf16Le)));
    EXPECT_EQ(l.Encoding(), E::leUtf16Le);
    EXPECT_EQ(l.ShownEntry(0), "\x8E\xCA");
    l.Delete(0);
    EXPECT_FALSE(l.Follow("c\r\n"));
    EXPECT_EQ(l.Count(), 0u);
    // After a failed load a file that can be read now is taken.
    FolderList f(Sjis());
    f.LoadFailed();
    EXPECT_TRUE(f.Follow(""));
    EXPECT_FALSE(f.HasLoadFailed());
}

// Deleting and appending at random: the file's kept entries followed by the registered
// ones are always the list, and a save of the file as read writes exactly that list.
TEST(FolderList, TrackingFollowsEveryAppendAndDeletion) {
    std::mt19937 rnd(7);
    for (int run = 0; run < 200; ++run) {
        V file;
        for (int i = rnd() % 6; i > 0; --i) file.push_back(std::string("\"") + char('a' + rnd() % 3) + "\"");
        const std::string bytes = WriteListLines(file, E::leShiftJis);
        V list = file;
        FolderList l = Loaded(bytes);
        for (int step = 0; step < 12; ++step) {
            if (!list.empty() && rnd() % 2) {
                const std::size_t i = rnd() % list.size();
                l.Delete(i);
                list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
            } else {
                const std::wstring n(1, static_cast<wchar_t>('a' + rnd() % 3));
                l.Append(L"\"", n, L"p");
                list.push_back("\"" + std::string(1, static_cast<char>(n[0])) + "\",\"p\"");
            }
            ASSERT_EQ(l.Count(), list.size());
            for (std::size_t i = 0; i < list.size(); ++i) ASSERT_EQ(l.ShownEntry(i), list[i]) << run << " " << step;
            ASSERT_EQ(l.PlanSave(bytes).bytes, WriteListLines(list, E::leShiftJis)) << "run " << run << " step " << step;
        }
    }
    // An entry registered and deleted again is no change; a file line deleted is one.
    FolderList l = Loaded("f\r\ng\r\n");
    l.Append(L"\"", L"n", L"p");
    l.Delete(2);
    EXPECT_FALSE(l.HasOwnChanges());
    l.Delete(1);
    EXPECT_TRUE(l.HasOwnChanges());
}

// A new name or folder writes that one field anew: every other byte of the line stays,
// in the file's own encoding.
TEST(FolderList, RenameAndRepointRewriteOneFieldAndKeepTheRestOfTheLine) {
    const std::wstring photo = L"\u5199\u771F";
    struct Row {
        const char* name;
        E encoding;
        std::wstring line;
        bool repoint;
        std::wstring value, want;  // want empty: refused, the line stays
    } rows[] = {
        {"quoted", E::leShiftJis, L"\"a\",\"C:\\a\"", false, L"b", L"\"b\",\"C:\\a\""},
        {"blanks and a third field stay", E::leShiftJis, L" \"a\" , \"C:\\a\" ,\"x\"", false, L"n", L" \"n\" , \"C:\\a\" ,\"x\""},
        {"unquoted", E::leShiftJis, L"a,C:\\a", false, L"say \"hi\"", L"\"say \"\"hi\"\"\",C:\\a"},
        {"a new folder", E::leShiftJis, L"\"a\",\"C:\\a\",\"x\"", true, L"D:\\b", L"\"a\",\"D:\\b\",\"x\""},
        {"text after a NUL stays", E::leShiftJis, std::wstring(L"\"a\",\"C:\\a\"\0junk", 16), false, L"b",
         std::wstring(L"\"b\",\"C:\\a\"\0junk", 16)},
        {"a name Shift-JIS cannot hold", E::leShiftJis, L"\"a\",\"C:\\a\"", false, L"Caf\u00E9", L""},
        {"a folder Shift-JIS cannot hold", E::leShiftJis, L"\"a\",\"C:\\a\"", true, L"C:\\\uD55C", L""},
        {"UTF-8", E::leUtf8, L"\"" + photo + L"\",\"C:\\" + photo + L"\"", false, L"Caf\u00E9",
         L"\"Caf\u00E9\",\"C:\\" + photo + L"\""},
        {"UTF-8 with a mark, a folder", E::leUtf8Bom, L"\"" + photo + L"\",\"C:\\a\"", true, L"C:\\\uD55C",
         L"\"" + photo + L"\",\"C:\\\uD55C\""},
        {"UTF-16 LE", E::leUtf16Le, L"\"" + photo + L"\" ,\"C:\\a\"", false, L"\uD55C", L"\"\uD55C\" ,\"C:\\a\""},
        {"UTF-16 BE, a folder", E::leUtf16Be, L"\"a\",\"C:\\a\"", true, L"C:\\" + photo, L"\"a\",\"C:\\" + photo + L"\""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        // A NUL is no character the Windows converter gives back, so the Shift-JIS rows (all
        // ASCII) are their own bytes.
        auto line = [&](const std::wstring& t) {
            return r.encoding == E::leShiftJis ? std::string(t.begin(), t.end()) : Line(t, r.encoding);
        };
        const V read = {line(L"\"k\",\"C:\\k\""), line(r.line)};
        const std::string bytes = WriteListLines(read, r.encoding);
        FolderList l = Loaded(bytes);
        ASSERT_EQ(l.Encoding(), r.encoding);
        auto change = [&] { r.repoint ? l.Repoint(1, L"\"", r.value) : l.Rename(1, L"\"", r.value); };
        if (r.want.empty()) {
            EXPECT_THROW(change(), EConvertError);
            EXPECT_FALSE(l.HasOwnChanges());
            continue;
        }
        change();
        const V want = {read[0], line(r.want)};
        EXPECT_EQ(l.PlanSave(bytes).bytes, WriteListLines(want, r.encoding));
        // Against a file edited meanwhile, the same line is found and replaced.
        const std::string edited = WriteListLines({read[0], read[1], line(L"e")}, r.encoding);
        EXPECT_EQ(l.PlanSave(edited).bytes, WriteListLines({want[0], want[1], line(L"e")}, r.encoding));
    }
}

// The window renames, moves, deletes and registers while an editor adds and removes lines:
// whatever the editor added is still there, and every entry the window renamed or
// registered is in the file, once, after the save; what either side deleted is gone.
TEST(FolderList, AMergeLosesNothingOfTheEditorsOrTheWindows) {
    std::mt19937 rnd(11);
    for (int run = 0; run < 300; ++run) {
        SCOPED_TRACE(run);
        struct Entry {
            std::string text;
            int origin;  // index in the file as read; -1: registered here
        };
        V file;
        for (int i = 1 + rnd() % 6; i > 0; --i) file.push_back("\"L" + std::to_string(file.size()) + "\",\"p\"");
        const std::string bytes = WriteListLines(file, E::leShiftJis);
        FolderList l = Loaded(bytes);
        std::vector<Entry> window;
        for (std::size_t i = 0; i < file.size(); ++i) window.push_back({file[i], static_cast<int>(i)});
        std::vector<bool> windowDeleted(file.size(), false);
        int fresh = 0;
        for (int step = rnd() % 10; step > 0; --step) {
            const std::size_t n = window.size();
            const unsigned op = rnd() % 5;
            const std::size_t i = n ? rnd() % n : 0;
            if (op == 0 && n) {
                const std::string name = "W" + std::to_string(fresh++);
                l.Rename(i, L"\"", std::wstring(name.begin(), name.end()));
                window[i].text = "\"" + name + "\",\"p\"";
            } else if (op == 1 && n > 1 && i + 1 < n) {
                l.MoveDown(i);
                std::swap(window[i], window[i + 1]);
            } else if (op == 2 && n > 1 && i > 0) {
                l.MoveUp(i);
                std::swap(window[i], window[i - 1]);
            } else if (op == 3 && n) {
                l.Delete(i);
                if (window[i].origin >= 0) windowDeleted[static_cast<std::size_t>(window[i].origin)] = true;
                window.erase(window.begin() + static_cast<std::ptrdiff_t>(i));
            } else {
                const std::string name = "R" + std::to_string(fresh++);
                l.Append(L"\"", std::wstring(name.begin(), name.end()), L"p");
                window.push_back({"\"" + name + "\",\"p\"", -1});
            }
        }
        for (std::size_t i = 0; i < window.size(); ++i) ASSERT_EQ(l.ShownEntry(i), window[i].text);
        // The editor drops some lines of the file and types new ones anywhere.
        V edited;
        std::vector<bool> editorDeleted(file.size(), false);
        V typed;
        for (std::size_t i = 0; i <= file.size(); ++i) {
            if (rnd() % 3 == 0) {
                typed.push_back("E" + std::to_string(typed.size()));
                edited.push_back(typed.back());
            }
            if (i == file.size()) break;
            if (rnd() % 4 == 0)
                editorDeleted[i] = true;
            else
                edited.push_back(file[i]);
        }
        if (typed.empty()) edited.push_back(typed.emplace_back("E"));
        const V merged = ReadListLines(l.PlanSave(WriteListLines(edited, E::leShiftJis)).bytes, E::leShiftJis);
        auto count = [&](const std::string& t) { return std::count(merged.begin(), merged.end(), t); };
        for (const std::string& t : typed) EXPECT_EQ(count(t), 1) << t;
        // Renamed or registered: placed or appended; untouched by both: still there.
        auto stays = [&](const Entry& e) {
            return e.origin < 0 || e.text != file[static_cast<std::size_t>(e.origin)] ||
                   !editorDeleted[static_cast<std::size_t>(e.origin)];
        };
        for (const Entry& e : window) {
            if (stays(e)) {
                EXPECT_EQ(count(e.text), 1) << e.text;
            }
        }
        for (std::size_t i = 0; i < file.size(); ++i) {
            const bool renamed = std::none_of(window.begin(), window.end(), [&](const Entry& e) {
                return e.origin == static_cast<int>(i) && e.text == file[i];
            });
            if (windowDeleted[i] || editorDeleted[i] || renamed) {
                EXPECT_EQ(count(file[i]), 0) << file[i];
            }
        }
        EXPECT_EQ(merged.size(), typed.size() + static_cast<std::size_t>(std::count_if(window.begin(), window.end(), stays)));
    }
}

} // namespace
