#include "controls/portable/McEntryBook.h"

#include <gtest/gtest.h>

#include <cstring>

#include "framework/portable/CodePage.h"

namespace {

// The book only picks fields by index; a plain comma split is enough to tell them apart.
void SplitOnCommas(std::string_view text, std::vector<std::string>& fields, const CodePage&) {
    fields.clear();
    if (text.empty()) return;
    std::size_t start = 0;
    for (;;) {
        std::size_t comma = text.find(',', start);
        fields.emplace_back(text.substr(start, comma - start));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
}

McEntryBook BookOf(std::initializer_list<const char*> entries) {
    McEntryBook book(SplitOnCommas, CodePage::Cp932());
    for (const char* e : entries)
        book.Add(e);
    return book;
}

TEST(McEntryBook, ShownTextIsTheTargetFieldOrEmpty) {
    struct Case {
        const char* entry;
        int target;
        const char* shown;
    } cases[] = {
        {"name,path", 1, "path"}, {"name,path", 0, "name"}, {"name", 1, ""}, {"a,b,c", 1, "b"},
        {"a,b,c", 2, "c"},        {"a,b", 2, ""},           {"", 0, ""},     {"a,,c", 1, ""},
    };
    McEntryBook book = BookOf({});
    for (const Case& c : cases)
        EXPECT_EQ(book.ShownText(c.entry, c.target), c.shown) << c.entry << " @" << c.target;
}

TEST(McEntryBook, IndexMessageCarriesTheIndex) {
    EXPECT_EQ(ListIndexMessage(-1), "リストのインデックスが範囲を超えています (-1)");
    EXPECT_EQ(ListIndexMessage(12), "リストのインデックスが範囲を超えています (12)");
}

TEST(McEntryBook, InsertAcceptsZeroToCount) {
    struct Case {
        int index;
        std::vector<std::string> after; // empty: the insert fails
    } cases[] = {
        {0, {"new", "x,1", "y,2"}},
        {1, {"x,1", "new", "y,2"}},
        {2, {"x,1", "y,2", "new"}},
        {-1, {}},
        {3, {}},
        {-7, {}},
    };
    for (const Case& c : cases) {
        McEntryBook book = BookOf({"x,1", "y,2"});
        if (c.after.empty()) {
            try {
                book.Insert(c.index, "new");
                ADD_FAILURE() << "insert at " << c.index << " did not fail";
            } catch (const McListIndexError& e) {
                EXPECT_EQ(e.Index(), c.index);
                EXPECT_EQ(std::string(e.what()), ListIndexMessage(c.index));
            }
            EXPECT_EQ(book.Entries(), (std::vector<std::string>{"x,1", "y,2"}));
        } else {
            book.Insert(c.index, "new");
            EXPECT_EQ(book.Entries(), c.after) << "insert at " << c.index;
        }
    }
}

TEST(McEntryBook, DeleteAndGetAcceptZeroToCountMinusOne) {
    struct Case {
        int index;
        bool ok;
        const char* left; // the entry that stays after a successful delete
    } cases[] = {{0, true, "y,2"}, {1, true, "x,1"}, {-1, false, ""}, {2, false, ""}};
    for (const Case& c : cases) {
        McEntryBook book = BookOf({"x,1", "y,2"});
        if (c.ok) {
            EXPECT_EQ(book.Get(c.index), c.index == 0 ? "x,1" : "y,2");
            book.Delete(c.index);
            ASSERT_EQ(book.Count(), 1);
            EXPECT_EQ(book.Get(0), c.left);
        } else {
            EXPECT_THROW(book.Get(c.index), McListIndexError);
            EXPECT_THROW(book.Delete(c.index), McListIndexError);
            EXPECT_EQ(book.Count(), 2);
        }
    }
}

TEST(McEntryBook, AddAppendsAndClearEmpties) {
    McEntryBook book = BookOf({});
    for (int i = 0; i < 100000; ++i)
        ASSERT_EQ(book.Add("e," + std::to_string(i)), i);
    EXPECT_EQ(book.GetColumnText(99999, 1), "99999");
    EXPECT_EQ(book.Get(0), "e,0");
    book.Clear();
    EXPECT_EQ(book.Count(), 0);
    EXPECT_EQ(book.GetColumnText(0, 0), "");
}

TEST(McEntryBook, ColumnTextIsEmptyOutOfRange) {
    McEntryBook book = BookOf({"a,b", "solo"});
    struct Case {
        int index, column;
        const char* text;
    } cases[] = {
        {0, 0, "a"}, {0, 1, "b"}, {1, 0, "solo"}, {1, 1, ""},
        {0, 2, ""},  {0, -1, ""}, {-1, 0, ""},    {2, 0, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(book.GetColumnText(c.index, c.column), c.text) << c.index << "," << c.column;
}

TEST(McEntryBook, SelectedTextPrefersTheUsersTyping) {
    McEntryBook book = BookOf({"name,C:\\tmp", "solo"});
    struct Case {
        bool canEdit, modified;
        int itemIndex, target;
        const char* expected;
    } cases[] = {
        {true, true, 0, 1, "typed"},    {true, false, 0, 1, "C:\\tmp"},
        {false, true, 0, 1, "C:\\tmp"}, {false, false, -1, 1, ""},
        {false, false, 1, 1, ""},       {false, false, 1, 0, "solo"},
        {true, true, -1, 1, "typed"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(book.SelectedText(c.canEdit, c.modified, "typed", c.itemIndex, c.target),
                  c.expected)
            << c.canEdit << c.modified << c.itemIndex << c.target;
}

// The length query answers what the text message hands out: the whole entry where the
// buffer holds it (4096 bytes with the NUL), never more than the copy brings.
TEST(McEntryBook, LengthIsTheWholeEntryAsFarAsTheCopyBringsIt) {
    const std::string entry5000 = "n," + std::string(4998, 'p');
    const std::string entry1000 = "n," + std::string(998, 'p');
    McEntryBook book = BookOf({"name,path", "", entry5000.c_str(), entry1000.c_str(), "a\x95\x5C"});
    struct { int index; std::size_t capacity; int want; } rows[] = {
        {0, 4096, 9},  // not the 4 bytes of the shown "path"
        {1, 4096, 0},
        {2, 4096, 4095},
        {3, 4096, 1000},
        {3, 512, 511},
        {4, 3, 1},     // 表 would not fit with its NUL
        {5, 4096, -1},
        {-1, 4096, -1},
    };
    for (auto r : rows) {
        EXPECT_EQ(book.TextLength(r.index, r.capacity), r.want) << r.index << " " << r.capacity;
        if (r.want < 0) continue;
        std::vector<char> buf(r.capacity);
        EXPECT_EQ(book.CopyText(r.index, buf.data(), r.capacity), r.want);
    }
}

// What CB_GETLBTEXT hands out: the message carries no buffer size, so the combo box copies
// into a capacity of its own choosing and must never split a double-byte character.
TEST(McEntryBook, CopyNeverWritesPastTheCapacityNorSplitsACharacter) {
    const std::string longEntry = "n," + std::string(5000, 'p');
    McEntryBook book = BookOf({"name,path", "a\x95\x5C\x95\x5C"});  // a and two 表
    book.Add(longEntry);
    struct Case {
        int index;
        std::size_t capacity;
        int answer;          // bytes copied, or -1
        std::string copied;  // what lies before the NUL
    } cases[] = {
        {0, 10, 9, "name,path"},   {0, 64, 9, "name,path"}, {0, 9, 8, "name,pat"},
        {0, 1, 0, ""},             {0, 0, -1, ""},          {2, 512, 511, longEntry.substr(0, 511)},
        {1, 6, 5, "a\x95\x5C\x95\x5C"}, {1, 5, 3, "a\x95\x5C"}, {1, 4, 3, "a\x95\x5C"},
        {1, 3, 1, "a"},            {5, 64, -1, ""},         {-1, 64, -1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "entry " << c.index << ", capacity " << c.capacity);
        std::vector<char> buf(c.capacity + 16, '#');
        EXPECT_EQ(book.CopyText(c.index, buf.data(), c.capacity), c.answer);
        if (c.answer >= 0)
            EXPECT_EQ(std::string(buf.data()), c.copied);
        else
            EXPECT_EQ(buf[0], '#');
        for (std::size_t i = c.capacity; i < buf.size(); ++i)
            ASSERT_EQ(buf[i], '#') << "byte " << i << " written";
    }
}

TEST(McEntryBook, TheOpenListIsAsWideAsItsColumns) {
    EXPECT_EQ(DroppedWidth({100, 540}), 640);
    EXPECT_EQ(DroppedWidth({60}), 60);
    EXPECT_EQ(DroppedWidth({}), 0);
    EXPECT_EQ(DroppedWidth({100, -40}), 60);
    EXPECT_EQ(DroppedWidth({0x7FFFFFFF, 10}), 0x7FFFFFFF);
}

} // namespace
