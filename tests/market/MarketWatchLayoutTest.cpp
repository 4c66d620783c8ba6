// The market watch's stored texts and layout resolution (window-free; also native).
#include <gtest/gtest.h>

#include "market/MarketWatchLayout.h"

namespace
{
std::vector<int> Vec(const CArray<int, int>& a)
{
    return std::vector<int>(a.GetData(), a.GetData() + a.GetSize());
}

// "id heading text2 text1;" of each column.
std::string Fields(const CArray<sMarketUserColumn, const sMarketUserColumn&>& columns)
{
    std::string text;
    for (int i = 0; i < columns.GetSize(); ++i)
        text += std::to_string(columns[i].nId) + " " + (LPCTSTR)columns[i].csHeading + " " +
                (LPCTSTR)columns[i].csText2 + " " + (LPCTSTR)columns[i].csText1 + ";";
    return text;
}

std::string S(const char* psz)
{
    std::string s(psz);
    for (char& c : s)
        if (c == '|')
            c = '\xA7';
    return s;
}
}  // namespace

TEST(MarketUserColumns, FieldsFourAtATimeWithRunsOfSeparatorsAsOne)
{
    CArray<sMarketUserColumn, const sMarketUserColumn&> columns;
    ParseMarketUserColumns(S("101|Spread|\"3\"-\"4\"|Ask-Bid||102|Pct|\"5\"/\"3\"").c_str(), columns);
    EXPECT_EQ("101 Spread \"3\"-\"4\" Ask-Bid;102 Pct \"5\"/\"3\" ;", Fields(columns));   // a missing last field: empty
    CString csBack;
    ASSERT_TRUE(FormatMarketUserColumns(columns, csBack));
    EXPECT_EQ(S("101|Spread|\"3\"-\"4\"|Ask-Bid|102|Pct|\"5\"/\"3\"| "), std::string((LPCTSTR)csBack));
    // Empty fields in the middle survive the trip.
    columns[0].csText1.Empty();
    ASSERT_TRUE(FormatMarketUserColumns(columns, csBack));
    ParseMarketUserColumns(csBack, columns);
    EXPECT_EQ("101 Spread \"3\"-\"4\" ;102 Pct \"5\"/\"3\" ;", Fields(columns));
}

TEST(MarketUserColumns, IdsAreKeptWithTheirGapsAndOnlyDamageIsRenumbered)
{
    CArray<sMarketUserColumn, const sMarketUserColumn&> columns;
    // Out of order, repeated, a gap, garbage and the int32 limit.
    ParseMarketUserColumns(S("102|B|x|y|101|A|x|y|101|A2|x|y|104|D|x|y|abc|E|x|y|2147483647|F|x|y").c_str(), columns);
    EXPECT_EQ("101 A x y;102 B x y;104 D x y;105 F x y;", Fields(columns));
    ParseMarketUserColumns(S("||||").c_str(), columns);
    EXPECT_EQ(0, columns.GetSize());
    ParseMarketUserColumns("", columns);
    EXPECT_EQ(0, columns.GetSize());
}

TEST(MarketUserColumns, AColumnTheStoredFormCannotHoldIsLeftOutAloneAndNamed)
{
    CArray<sMarketUserColumn, const sMarketUserColumn&> columns;
    columns.Add({ 101, "A", "\"1\"", "" });
    columns.Add({ 102, S("Bad|Name").c_str(), "\"1\"", "" });
    columns.Add({ 103, "Nul", CString("a\0b", 3), "" });
    columns.Add({ 104, "D", "\"2\"", "d" });
    CString csValue = "before";
    CArray<CString, const CString&> refused;
    EXPECT_FALSE(FormatMarketUserColumns(columns, csValue, &refused));
    EXPECT_EQ(S("101|A|\"1\"| |104|D|\"2\"|d"), std::string((LPCTSTR)csValue));
    ASSERT_EQ(2, refused.GetSize());
    EXPECT_STREQ("Nul", refused[1]);
    // What the user may not enter, with the reason.
    const struct { CString heading, text2; bool bOk; } entries[] = {
        { "Spread", "\"4\"-\"3\"", true }, { CString('h', 63), "x", true }, { CString('h', 64), "x", false },
        { "", "x", false }, { S("A|B").c_str(), "x", false }, { "A", S("\"1\"|").c_str(), false },
    };
    for (const auto& e : entries)
        EXPECT_EQ(e.bOk, CheckMarketUserColumn(e.heading, e.text2, "").IsEmpty()) << e.heading.GetString();
}

// The round trip of a profile is the market watch's saving test's; here what cannot be used of one.
TEST(MarketColumnProfile, GarbageEndsTheReading)
{
    CArray<int, int> positions, widths;
    ParseMarketColumnProfile("0,0,50,1,x,60,2,1,70", positions, widths);
    EXPECT_EQ((std::vector<int>{ 0 }), Vec(positions));
    ParseMarketColumnProfile("0,2147483647,99999,1,0,60", positions, widths);
    EXPECT_EQ((std::vector<int>{ -1, 0 }), Vec(positions));   // an order past the columns is hidden
    EXPECT_EQ((std::vector<int>{ 0, 60 }), Vec(widths));      // a width out of range is the default
    ParseMarketColumnProfile("5,0,50", positions, widths);    // not starting at id 0
    EXPECT_EQ(0, positions.GetSize());
}

TEST(MarketColumnProfile, EveryFrameTitleHasASectionOfItsOwn)
{
    const struct { const char* pszTitle; const char* pszSection; } cases[] = {
        { "Market Watch 1", "MarketWatchNew_Market Watch 1" },
        { "Watch [1]", "MarketWatchNew_Watch %5B1%5D" },
        { "Watch _1_", "MarketWatchNew_Watch _1_" },
        { "a=b%", "MarketWatchNew_a%3Db%25" },
        { "t\r\n", "MarketWatchNew_t%0D%0A" },
        { "Watch ", "MarketWatchNew_Watch%20" },
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.pszSection, MarketWatchProfileSection(c.pszTitle)) << c.pszTitle;
    EXPECT_STREQ("MarketWatchNew_Watch _1_", MarketWatchLegacyProfileSection("Watch [1]"));
}

TEST(MarketLayout, PositionsResolveForTheColumnsInUse)
{
    // stored and resolved: id -> (position, width), other stored ids up to nSize hidden, -2 widths and
    // nSizeAfter -1 not checked.
    using Layout = std::map<int, std::pair<int, int>>;
    const struct { const char* name; Layout stored; int nSize, nMaxId; Layout resolved; int nSizeAfter;
                   std::vector<int> atPosition; int nFirst; } cases[] = {
        // Ids 0..4 stored but only 0..2 in use; id 3 was visible at position 1: later ones close up.
        { "stale entries go", { { 0, { 0, 60 } }, { 1, { 2, 70 } }, { 2, { 3, 80 } }, { 3, { 1, 90 } } }, 5, 2,
          { { 0, { 0, 60 } }, { 1, { 1, 70 } }, { 2, { 2, 80 } } }, 3, { 0, 1, 2 }, 0 },
        // A new user column goes last at 80 pixels.
        { "new user column", { { 0, { 2, 100 } }, { 1, { 1, 100 } }, { 2, { 0, 100 } } }, 101, 102,
          { { 101, { 3, -2 } }, { 102, { 4, 80 } } }, -1, { 2, 1, 0, 101, 102 }, 2 },
        // A user column moves down to a free position; duplicates keep the lower id.
        { "free position, duplicate", { { 0, { 0, 0 } }, { 1, { 0, 0 } }, { 101, { 3, 150 } } }, 102, 101,
          { { 1, { -1, -2 } }, { 101, { 1, 80 } } }, -1, { 0, 101 }, 0 },
        { "empty layout", {}, 0, 105, {}, -1, {}, -1 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        CArray<int, int> positions, widths, atPosition;
        positions.SetSize(c.nSize);
        widths.SetSize(c.nSize);
        for (int i = 0; i < c.nSize; ++i)
        {
            auto it = c.stored.find(i);
            positions[i] = it != c.stored.end() ? it->second.first : -1;
            widths[i] = it != c.stored.end() ? it->second.second : 0;
        }
        int nFirst = 5;
        ResolveMarketLayout(positions, widths, c.nMaxId, atPosition, nFirst);
        for (const auto& r : c.resolved)
        {
            EXPECT_EQ(r.second.first, positions[r.first]) << "id " << r.first;
            if (r.second.second != -2)
            {
                EXPECT_EQ(r.second.second, widths[r.first]) << "id " << r.first;
            }
        }
        if (c.nSizeAfter >= 0)
        {
            EXPECT_EQ(c.nSizeAfter, positions.GetSize());
            EXPECT_EQ(c.nSizeAfter, widths.GetSize());
        }
        EXPECT_EQ(c.atPosition, Vec(atPosition));
        EXPECT_EQ(c.nFirst, nFirst);
    }
}
