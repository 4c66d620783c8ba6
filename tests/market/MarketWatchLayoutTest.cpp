// The market watch's stored texts and layout resolution (window-free; also native).
#include <gtest/gtest.h>

#include "market/MarketWatchLayout.h"

#include <string>
#include <vector>

namespace
{
std::vector<int> Vec(const CArray<int, int>& a)
{
    return std::vector<int>(a.GetData(), a.GetData() + a.GetSize());
}

void Fill(CArray<int, int>& a, std::initializer_list<int> values)
{
    a.RemoveAll();
    for (int v : values)
        a.Add(v);
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
    ASSERT_EQ(2, columns.GetSize());
    EXPECT_EQ(101, columns[0].nId);
    EXPECT_STREQ("Spread", columns[0].csHeading);
    EXPECT_STREQ("\"3\"-\"4\"", columns[0].csText2);
    EXPECT_STREQ("Ask-Bid", columns[0].csText1);
    EXPECT_EQ(102, columns[1].nId);
    EXPECT_STREQ("", columns[1].csText1);   // missing trailing field

    CString csBack;
    ASSERT_TRUE(FormatMarketUserColumns(columns, csBack));
    EXPECT_EQ(S("101|Spread|\"3\"-\"4\"|Ask-Bid|102|Pct|\"5\"/\"3\"| "), std::string((LPCTSTR)csBack));

    // Empty fields in the middle survive the trip.
    columns[0].csText1.Empty();
    ASSERT_TRUE(FormatMarketUserColumns(columns, csBack));
    CArray<sMarketUserColumn, const sMarketUserColumn&> again;
    ParseMarketUserColumns(csBack, again);
    ASSERT_EQ(2, again.GetSize());
    EXPECT_STREQ("", again[0].csText1);
    EXPECT_STREQ("Pct", again[1].csHeading);
}

TEST(MarketUserColumns, IdsAreKeptWithTheirGapsAndOnlyDamageIsRenumbered)
{
    CArray<sMarketUserColumn, const sMarketUserColumn&> columns;
    // Out of order, repeated, a gap, garbage and the int32 limit.
    ParseMarketUserColumns(S("102|B|x|y|101|A|x|y|101|A2|x|y|104|D|x|y|abc|E|x|y|2147483647|F|x|y").c_str(), columns);
    ASSERT_EQ(4, columns.GetSize());
    const struct { int nId; const char* pszHeading; } expected[] = { { 101, "A" }, { 102, "B" }, { 104, "D" }, { 105, "F" } };
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(expected[i].nId, columns[i].nId) << i;
        EXPECT_STREQ(expected[i].pszHeading, columns[i].csHeading) << i;
    }
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

TEST(MarketColumnProfile, TriplesRoundTripAndGarbageEndsTheReading)
{
    CArray<sMarketProfileEntry, const sMarketProfileEntry&> entries;
    entries.Add({ 0, 120 });
    entries.Add({ 1, 80 });
    entries.Add({ -1, 0 });
    const CString csProfile = FormatMarketColumnProfile(entries);
    EXPECT_STREQ("0,0,120,1,1,80,2,-1,0", csProfile);
    CArray<int, int> positions, widths;
    ParseMarketColumnProfile(csProfile, positions, widths);
    EXPECT_EQ((std::vector<int>{ 0, 1, -1 }), Vec(positions));
    EXPECT_EQ((std::vector<int>{ 120, 80, 0 }), Vec(widths));

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

TEST(MarketLayout, StaleEntriesGoAndLaterPositionsCloseUp)
{
    // Ids 0..4 stored, but only 0..2 in use; id 3 was visible at position 1.
    CArray<int, int> positions, widths, atPosition;
    Fill(positions, { 0, 2, 3, 1, -1 });
    Fill(widths, { 60, 70, 80, 90, 0 });
    int nFirst = -1;
    ResolveMarketLayout(positions, widths, 2, atPosition, nFirst);
    EXPECT_EQ((std::vector<int>{ 0, 1, 2 }), Vec(positions));
    EXPECT_EQ((std::vector<int>{ 60, 70, 80 }), Vec(widths));
    EXPECT_EQ((std::vector<int>{ 0, 1, 2 }), Vec(atPosition));
    EXPECT_EQ(0, nFirst);
}

TEST(MarketLayout, NewUserColumnGoesLastAtEightyPixels)
{
    CArray<int, int> positions, widths, atPosition;
    positions.SetSize(101);
    widths.SetSize(101);
    for (int i = 0; i < 101; ++i)
    {
        positions[i] = i < 3 ? 2 - i : -1;   // ids 2, 1, 0 at positions 0, 1, 2
        widths[i] = i < 3 ? 100 : 0;
    }
    int nFirst = -1;
    ResolveMarketLayout(positions, widths, 102, atPosition, nFirst);
    EXPECT_EQ(2, nFirst);
    EXPECT_EQ(3, positions[101]);
    EXPECT_EQ(4, positions[102]);
    EXPECT_EQ(80, widths[102]);
    EXPECT_EQ((std::vector<int>{ 2, 1, 0, 101, 102 }), Vec(atPosition));
}

TEST(MarketLayout, UserColumnMovesDownToAFreePositionAndDuplicatesKeepTheLowerId)
{
    CArray<int, int> positions, widths, atPosition;
    positions.SetSize(102);
    widths.SetSize(102);
    for (int i = 0; i < 102; ++i)
        positions[i] = -1;
    positions[0] = 0;
    positions[1] = 0;     // claims position 0 as well: hidden
    positions[101] = 3;   // positions 1 and 2 are free
    widths[101] = 150;
    int nFirst = -1;
    ResolveMarketLayout(positions, widths, 101, atPosition, nFirst);
    EXPECT_EQ(-1, positions[1]);
    EXPECT_EQ(1, positions[101]);
    EXPECT_EQ(80, widths[101]);
    EXPECT_EQ((std::vector<int>{ 0, 101 }), Vec(atPosition));
}

TEST(MarketLayout, EmptyLayoutPlacesNothing)
{
    CArray<int, int> positions, widths, atPosition;
    int nFirst = 5;
    ResolveMarketLayout(positions, widths, 105, atPosition, nFirst);
    EXPECT_EQ(0, atPosition.GetSize());
    EXPECT_EQ(-1, nFirst);
}
