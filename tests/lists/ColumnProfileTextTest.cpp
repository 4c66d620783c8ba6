// The stored column profile, window-free (also run natively): the escape of its texts, reading and
// writing entries, and resolving a stored profile into the positions and widths of a list's columns.
#include <gtest/gtest.h>

#include "lists/ColumnProfileText.h"

#include <string>
#include <vector>

namespace
{
std::string S(const CString& text)
{
    return std::string((LPCTSTR)text, (size_t)text.GetLength());
}

CString C(const std::string& text)
{
    return CString(text.data(), (int)text.size());
}

// An int array to hand to the functions under test (CArray does not copy).
struct Ints
{
    CArray<int, int> array;
    Ints(std::initializer_list<int> values)
    {
        for (int v : values)
            array.Add(v);
    }
    operator const CArray<int, int>&() const { return array; }
};

// The shown columns in header order, and their widths: { columns, widths }.
using sShown = std::pair<std::vector<int>, std::vector<int>>;

sShown Shown(const sColumnLayout& layout)
{
    sShown shown;
    for (int p = 0;; ++p)
    {
        int found = -1;
        for (INT_PTR c = 0; c < layout.positions.GetSize(); ++c)
            if (layout.positions[c] == p)
                found = (int)c;
        if (found < 0)
            break;
        shown.first.push_back(found);
        shown.second.push_back(layout.widths[found]);
    }
    return shown;
}
}  // namespace

TEST(ColumnProfileText, EveryTextSurvivesTheEscape)
{
    const std::string texts[] = { "",          ",",          "#",         "\\",         "a,b#c\\d",  "ends\\",
                                  "\\,",       "\\\\#",      "\\x41",     "\\x4",       "x\\y",      "\r\n\t",
                                  std::string("nul\0in", 6), "\x7f\xff\x80", " \"1\"\\\"2\"", "##,,\\\\",
                                  "a\\\nb",   "\\\x01",  "\\\x7f" };
    for (const std::string& text : texts)
    {
        CString stored = EscapeProfileText(C(text));
        EXPECT_EQ(text, S(UnescapeProfileText(stored))) << '"' << S(stored) << '"';
        for (char c : S(stored))
            EXPECT_FALSE((unsigned char)c < 0x20) << "control character in \"" << S(stored) << '"';

        // As every text of a user-defined column between two others.
        CColumnProfileEntries entries, read;
        for (int c = 0; c < 3; ++c)
        {
            sColumnProfileEntry entry;
            entry.nColumn = 1 + c;
            entry.bDefinition = true;
            entry.csName = entry.csText1 = entry.csText2 = C(text);
            entries.Add(entry);
        }
        ASSERT_EQ(3, ParseColumnProfile(FormatColumnProfile(entries), 1, read)) << S(FormatColumnProfile(entries));
        for (int c = 0; c < 3; ++c)
        {
            EXPECT_EQ(1 + c, read[c].nColumn);
            EXPECT_EQ(text, S(read[c].csName));
            EXPECT_EQ(text, S(read[c].csText1));
            EXPECT_EQ(text, S(read[c].csText2));
        }
    }
}

TEST(ColumnProfileText, ProfilesWrittenBeforeTheEscapeReadAsBefore)
{
    // Texts without separators are stored as they are; integer division in formulas included.
    for (const char* text : { "Spread", " \"1\"\\\"2\"", "\"Bid\"\\ \"Lot\"", "a\\b", "100%", "x\\xyz" })
    {
        EXPECT_EQ(text, S(EscapeProfileText(text)));
        EXPECT_EQ(text, S(UnescapeProfileText(text)));
    }
    // Built-in entries (the second column hidden, the third shown first) are written as read.
    CColumnProfileEntries entries;
    ASSERT_EQ(3, ParseColumnProfile("0,1,80,1,-1,0,2,0,95", 3, entries));
    EXPECT_EQ("0,1,80,1,-1,0,2,0,95", S(FormatColumnProfile(entries)));
    // Old definitions: text 2 runs to the next ","; a name without "#" has empty texts.
    ASSERT_EQ(3, ParseColumnProfile("0,0,60,1,1,50,Spread#\"1\"\\\"0\"#a#b,2,-1,0,NoHashes", 1, entries));
    EXPECT_EQ("Spread", S(entries[1].csName));
    EXPECT_EQ("\"1\"\\\"0\"", S(entries[1].csText1));
    EXPECT_EQ("a#b", S(entries[1].csText2));
    EXPECT_EQ("NoHashes", S(entries[2].csName));
    EXPECT_EQ("", S(entries[2].csText1));
}

TEST(ColumnProfileText, BadFieldsCostOnlyTheirEntry)
{
    // columns: the entries read, by column index
    struct { const char* value; std::vector<int> columns; } cases[] = {
        { "0,0,50,x,1,1,60", { 0, 1 } },                            // a field that is no number
        { "0,0,50,1,x,60,2,0,40", { 0, 2 } },                       // a bad width: the whole entry
        { "0,0,50,3,1,40,Na,me#a#b,1,1,60", { 0, 3, 1 } },          // an old name with a ","
        { "0,0,99999999999", {} }, { "0,0", {} }, { "", {} },
        { "0,0,50,1", { 0 } },
    };
    for (auto& c : cases)
    {
        CColumnProfileEntries entries;
        ParseColumnProfile(c.value, 2, entries);
        std::vector<int> columns;
        for (INT_PTR i = 0; i < entries.GetSize(); ++i)
            columns.push_back(entries[i].nColumn);
        EXPECT_EQ(c.columns, columns) << c.value;
    }
}

TEST(ColumnProfileResolve, CorruptProfilesGiveUsableLayouts)
{
    // Three built-in columns with default widths 41, 42, 43.
    struct { const char* value; bool bFromProfile; sShown shown; } cases[] = {
        { "0,1,80,1,-1,0,2,0,95", true, { { 2, 0 }, { 95, 80 } } },
        { "", false, {} }, { "garbage", false, {} }, { "0,1", false, {} },
        { "1,0,50,0,x,60", true, { { 1 }, { 50 } } },
        { "2,0,50,0,0,60,1,1,70", true, { { 0, 1 }, { 60, 70 } } },        // one position twice
        { "0,5,50,1,0,60", true, { { 1 }, { 60 } } },                       // position past the columns
        { "-4,0,50,1,0,60", true, { { 1 }, { 60 } } },                      // negative index
        { "0,0,-20,1,1,99999999", true, { { 0, 1 }, { 41, 42 } } },         // widths out of range
        { "0,0,50,0,1,60", true, { { 0 }, { 50 } } },                       // one column twice
        { "0,0,50,1,1,50,9,2,40,Far#x#y", true, { { 0, 1 }, { 50, 50 } } },  // a definition with a gap
        { "0,0,50,3,1,40,NoHashes", true, { { 0, 3 }, { 50, 40 } } },
        { "0,0,50,3,1,40", true, { { 0 }, { 50 } } },                       // definition missing
        { "0,1,80,2147483647,0,50,1,0,70", true, { { 1, 0 }, { 70, 80 } } },
        { "9,0,50,3,1,40,A#b#c,4,0,30,B#d#e", true, { { 4, 3 }, { 30, 40 } } },
    };
    for (auto& c : cases)
    {
        sColumnLayout layout;
        EXPECT_EQ(c.bFromProfile, ResolveColumnProfile(c.value, 3, Ints({ 41, 42, 43 }), layout)) << c.value;
        if (!c.bFromProfile)
            continue;
        EXPECT_EQ(c.shown, Shown(layout)) << c.value;
        EXPECT_EQ(layout.positions.GetSize(), 3 + layout.added.GetSize());
        EXPECT_EQ(layout.widths.GetSize(), layout.positions.GetSize());
    }
}

TEST(ColumnProfileResolve, UnnamedColumnsAreHiddenAndUserColumnsAppended)
{
    sColumnLayout layout;
    ASSERT_TRUE(ResolveColumnProfile("0,0,60,2,1,50,Spread#s#d,1,2,70000", 2, Ints({ 60, 70, 75 }), layout));
    // Column 2 is held (a user column the list has already): its definition here is not taken again.
    EXPECT_EQ(0, layout.added.GetSize());
    EXPECT_EQ((sShown{ { 0, 2, 1 }, { 60, 50, 70 } }), Shown(layout));

    ASSERT_TRUE(ResolveColumnProfile("1,0,60,2,1,-5,Spread#s#d", 2, Ints({ 60, 70, 75, 80 }), layout));
    EXPECT_EQ(-1, layout.positions[0]);
    EXPECT_EQ(100, layout.widths[0]);
    EXPECT_EQ(-1, layout.positions[3]);
    EXPECT_EQ(100, layout.widths[3]);

    ASSERT_TRUE(ResolveColumnProfile("1,0,60,2,1,-5,Spread#s#d", 2, Ints({ 60, 70 }), layout));
    ASSERT_EQ(1, layout.added.GetSize());
    EXPECT_EQ("Spread", S(layout.added[0].csName));
    EXPECT_EQ((sShown{ { 1, 2 }, { 60, 80 } }), Shown(layout)) << "a bad width falls back to 80";
}
