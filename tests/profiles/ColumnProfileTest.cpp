// The stored column profile: written when a grid closes, read when it builds its columns; what is
// stored is never lost (refused writes, unbuilt grids, profiles that show nothing), and the
// factory profile applied to every registered list.
#include "ProfileFixture.h"

#include <algorithm>

namespace
{
int LogLinesWith(const char* pszText)
{
    const auto& lines = TestHost::LogLines();
    return (int)std::count_if(lines.begin(), lines.end(),
                              [pszText](const std::string& line) { return line.find(pszText) != std::string::npos; });
}
}  // namespace

TEST_F(ProfileTest, StoredProfileOrdersHidesAndSizesTheColumnsAndIsWrittenBackFromTheHeader)
{
    // Three columns: the second hidden, the third shown first with width 95; "New" came later and
    // stays hidden.
    TestSettings::Put("Quotes", "COLUMNPROFILE", "0,1,80,1,-1,0,2,0,95");
    sGrid& grid = MakeGrid("Quotes", { { "Symbol", 60 }, { "Bid", 70 }, { "Ask", 75 }, { "New", 50 } });
    EXPECT_EQ((Texts{ "Ask", "Symbol" }), HeaderTexts(grid.list));
    EXPECT_EQ((Widths{ 95, 80 }), HeaderWidths(grid.list));
    TestHost::Settings().clear();
    CloseGrid(grid);
    EXPECT_EQ("0,1,80,1,-1,0,2,0,95,3,-1,0", TestSettings::Get("Quotes", "COLUMNPROFILE"));

    // The user hides Bid, drags Volume to the front and widens Symbol; the next grid shows that.
    sGrid& first = MakeGrid("Book", { { "Symbol", 60 }, { "Bid", 70 }, { "Ask", 75 }, { "Volume", 90 } });
    first.list.DeleteColumn(1);
    int order[3] = { 2, 0, 1 };
    first.list.SetColumnOrderArray(3, order);
    first.list.SetColumnWidth(0, 123);
    CloseGrid(first);
    EXPECT_EQ("0,1,123,1,-1,0,2,2,75,3,0,90", TestSettings::Get("Book", "COLUMNPROFILE"));
    sGrid& second = MakeGrid("Book", { { "Symbol", 60 }, { "Bid", 70 }, { "Ask", 75 }, { "Volume", 90 } });
    EXPECT_EQ((Texts{ "Volume", "Symbol", "Ask" }), HeaderTexts(second.list));
    EXPECT_EQ((Widths{ 90, 123, 75 }), HeaderWidths(second.list));
}

// A second build of the columns once kept the user columns as built-in ones: their definitions
// were no longer written.
TEST_F(ProfileTest, UserColumnsKeepTheirDefinitionsAcrossRebuildsExceptInGroupedLists)
{
    TestSettings::Put("Formula", "COLUMNPROFILE", "0,0,60,1,-1,0,2,2,50,Spread#\"2\"-\"1\"#Ask-Bid");
    sGrid& grid = MakeGrid("Formula", { { "Symbol", 60 }, { "Bid", 70 } });
    grid.list.InsertColumnsForList(nullptr);
    ASSERT_EQ(3, grid.list.m_arrColInfo.GetSize());
    EXPECT_EQ(LIST_SORT_DECIMAL, grid.list.m_arrColInfo[2].nDataType);   // sorted and filtered as a number
    EXPECT_EQ((Texts{ "Symbol", "Spread" }), HeaderTexts(grid.list));
    EXPECT_EQ((Widths{ 60, 50 }), HeaderWidths(grid.list));
    CloseGrid(grid);
    EXPECT_EQ("0,0,60,1,-1,0,2,1,50,Spread#\"2\"-\"1\"#Ask-Bid", TestSettings::Get("Formula", "COLUMNPROFILE"));

    sGrid& grouped = MakeGrid("Group", { { "Symbol", 60 }, { "Bid", 70 } });
    grouped.list.m_bGroupedList = true;
    sOrvoColInfo user = {};
    strlcpy(user.szColName, "Mid", sizeof(user.szColName));
    user.csText1 = "x";
    user.csText2 = "y";
    grouped.list.m_arrColInfo.Add(user);
    CloseGrid(grouped);
    EXPECT_EQ("0,0,60,1,1,70,2,-1,0", TestSettings::Get("Group", "COLUMNPROFILE"));
}

// Texts with the profile's own separators ('#', ','), a backslash and a line break survive a
// restart, and so does every column after them.
TEST_F(ProfileTest, UserColumnTextsWithSeparatorsSurviveARestart)
{
    sGrid& first = MakeGrid("Esc", { { "Symbol", 60 }, { "Bid", 70 } });
    const char* texts[][3] = { { "Bid,Ask #1", " \"1\"\\\"0\"", "Bid#Ask, \"x\"\r\nend\\" },
                               { "Later", " \"1\"", "Bid" } };
    for (auto& t : texts)
    {
        sOrvoColInfo user = {};
        strlcpy(user.szColName, t[0], sizeof(user.szColName));
        user.nWidth = 80;
        user.nFormat = 1;
        user.nDataType = LIST_SORT_DECIMAL;
        user.csText1 = t[1];
        user.csText2 = t[2];
        first.list.m_arrColInfo.Add(user);
    }
    CloseGrid(first);
    EXPECT_EQ(std::string::npos, TestSettings::Get("Esc", "COLUMNPROFILE").find_first_of("\r\n"));
    sGrid& second = MakeGrid("Esc", { { "Symbol", 60 }, { "Bid", 70 } });
    ASSERT_EQ(4, second.list.m_arrColInfo.GetSize());
    for (int i = 0; i < 2; ++i)
    {
        const sOrvoColInfo& info = second.list.m_arrColInfo[2 + i];
        EXPECT_STREQ(texts[i][0], info.szColName);
        EXPECT_EQ(texts[i][1], std::string((LPCTSTR)info.csText1));
        EXPECT_EQ(texts[i][2], std::string((LPCTSTR)info.csText2));
    }
    EXPECT_EQ((Texts{ "Symbol", "Bid" }), HeaderTexts(second.list));
}

TEST_F(ProfileTest, AutoSortOffWritesOnlyTheTickAndRefusedWritesAreLoggedOncePerKey)
{
    TestSettings::Put("Sorted", "AutoSort", "2");
    TestSettings::Put("Sorted", "AutoSortOrder", "1");
    TestSettings::Put("Sorted", "AutoSortTicked", "true");
    sGrid& grid = MakeGrid("Sorted", { { "Symbol", 60 }, { "Bid", 70 }, { "Ask", 75 } });
    EXPECT_TRUE(grid.list.IsAutoSortEnabled());
    grid.list.EnableAutoSort(FALSE);
    CloseGrid(grid);
    EXPECT_EQ("false", TestSettings::Get("Sorted", "AutoSortTicked"));
    EXPECT_EQ("2", TestSettings::Get("Sorted", "AutoSort"));
    EXPECT_EQ("1", TestSettings::Get("Sorted", "AutoSortOrder"));

    sGrid& refused = MakeGrid("Sorted", { { "Symbol", 60 }, { "Qty", 70 } });
    refused.list.m_bAutoSort = true;
    TestHost::LogLines().clear();
    TestHost::g_bFailSettings = true;
    refused.list.SaveAutoSort();
    TestHost::g_bFailSettings = false;
    EXPECT_EQ(3, LogLinesWith("Could not save the auto-sort setting [Sorted]"));
    EXPECT_EQ(1, LogLinesWith("AutoSortOrder"));
    EXPECT_TRUE(m_script.Messages().empty());
}

TEST_F(ProfileTest, AFailedWriteOrAnUnbuiltGridKeepsTheStoredProfile)
{
    TestSettings::Put("Keep", "COLUMNPROFILE", "0,1,80,1,0,90");
    TestSettings::Put("Keep", "AutoSortTicked", "true");
    sGrid& grid = MakeGrid("Keep", { { "Symbol", 60 }, { "Bid", 70 } });
    TestHost::g_bFailSettings = true;
    grid.list.DeleteColumn(0);
    grid.list.SaveColumnProfile();
    TestHost::g_bFailSettings = false;
    EXPECT_EQ((std::vector<CString>{ "Error while saving column profile" }), m_script.Messages());
    EXPECT_EQ("0,1,80,1,0,90", TestSettings::Get("Keep", "COLUMNPROFILE"));

    // The host filled the column records, then closed the window before building: nothing written.
    for (bool bColumns : { false, true })
    {
        sGrid& unbuilt = bColumns ? MakeGrid("Keep", { { "Symbol", 60 }, { "Qty", 70 }, { "Price", 75 } }, false)
                                  : MakeGrid("Keep", {}, false);
        CloseGrid(unbuilt);
        EXPECT_EQ("0,1,80,1,0,90", TestSettings::Get("Keep", "COLUMNPROFILE"));
        EXPECT_EQ("true", TestSettings::Get("Keep", "AutoSortTicked"));
    }
    // Built, the same grid saves what it shows.
    CloseGrid(MakeGrid("Keep", { { "Symbol", 60 }, { "Qty", 70 }, { "Price", 75 } }));
    EXPECT_EQ("0,1,80,1,0,90,2,-1,0", TestSettings::Get("Keep", "COLUMNPROFILE"));
}

// Corrupt stored profiles leave a usable grid: never a crash, never a column the grid lacks, and a
// bad entry costs that entry only; a profile that shows no column gives the default columns.
// (Every rule of reading one is tested on its own, natively.)
TEST_F(ProfileTest, CorruptProfilesFallBackOrKeepWhatWasReadable)
{
    const struct { const char* value; Texts header; const char* saved; } cases[] = {   // saved null: not checked
        { "abc", { "Symbol", "Bid", "Ask" }, nullptr },                         // letters: defaults
        { "2,0,70,0,1,x,1,2,50", { "Ask", "Bid" }, nullptr },                   // the entry with the letter goes
        { "1,0,60,900000,1,80,Far#a#b", { "Bid" }, nullptr },                  // index far beyond the array
        { "0,1,80,2147483647,0,50,1,0,70,2,2,75", { "Bid", "Symbol", "Ask" }, nullptr },   // a stray index
        { "1,0,60,3,1,50,NoHashes", { "Bid", "NoHashes" }, nullptr },           // definition without "#"
        { "0,-1,0,1,-1,0,2,-1,0", { "Symbol", "Bid", "Ask" }, "0,0,60,1,1,70,2,2,75" },   // shows nothing
        // A user column the profile defines is kept (shown with the rest when no defaults are set).
        { "0,-1,0,1,-1,0,2,-1,0,3,-1,0,Spread#a#b", { "Symbol", "Bid", "Ask", "Spread" },
          "0,0,60,1,1,70,2,2,75,3,3,80,Spread#a#b" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.value);
        TestHost::LogLines().clear();
        TestSettings::Put("Bad", "COLUMNPROFILE", c.value);
        sGrid& grid = MakeGrid("Bad", { { "Symbol", 60 }, { "Bid", 70 }, { "Ask", 75 } });
        EXPECT_EQ(c.header, HeaderTexts(grid.list));
        for (int c2 = 0; c2 < grid.list.m_arrColInfo.GetSize(); ++c2)
            EXPECT_LT(grid.list.m_arrColPosition[c2], (int)grid.list.m_arrColInfo.GetSize());
        CloseGrid(grid);
        if (c.saved != nullptr)
        {
            EXPECT_EQ(1, LogLinesWith("shows no column"));
            EXPECT_EQ(c.saved, TestSettings::Get("Bad", "COLUMNPROFILE"));
        }
    }
    // A stored width of millions: the column gets its default width.
    TestSettings::Put("Bad", "COLUMNPROFILE", "0,0,99999999,1,1,70");
    EXPECT_EQ((Widths{ 60, 70 }), HeaderWidths(MakeGrid("Bad", { { "Symbol", 60 }, { "Bid", 70 } }).list));
}

TEST_F(ProfileTest, TheFactoryProfileAppliesToTheListsItNamesAndLeavesTheRestAlone)
{
    sGrid& a = MakeGrid("WatchA", { { "Symbol", 60 }, { "Bid", 70 }, { "Ask", 75 } });
    sGrid& b = MakeGrid("WatchB", { { "Symbol", 60 }, { "Bid", 70 }, { "Ask", 75 } });
    std::vector<sGrid*> untouched = { &MakeGrid("", { { "Symbol", 60 }, { "Bid", 70 } }),
                                      &MakeGrid("Orders", { { "Symbol", 60 }, { "Bid", 70 } }),
                                      &MakeGrid("BadText", { { "Symbol", 60 }, { "Bid", 70 } }),
                                      &MakeGrid("BadNumbers", { { "Symbol", 60 }, { "Bid", 70 } }) };
    Factory("WatchA", "2,0,55,0,1,65");
    Factory("WatchB", "0,-1,0,1,0,44,2,1");   // a triple without its width keeps the one before
    Factory("BadText", "x,y,z");
    Factory("BadNumbers", "1,70000,50,5000,0,40");
    a.dialog.m_rebuilt.clear();
    b.dialog.m_rebuilt.clear();
    CCommonListCtrl::ApplyColumnProfile();
    EXPECT_EQ((Texts{ "Ask", "Symbol" }), HeaderTexts(a.list));
    EXPECT_EQ((Widths{ 55, 65 }), HeaderWidths(a.list));
    EXPECT_EQ((Texts{ "Bid", "Ask" }), HeaderTexts(b.list));
    EXPECT_EQ((Widths{ 44, 44 }), HeaderWidths(b.list));
    EXPECT_EQ((std::vector<WPARAM>{ 1001 }), a.dialog.m_rebuilt);
    EXPECT_EQ((std::vector<WPARAM>{ 1001 }), b.dialog.m_rebuilt);
    for (sGrid* pGrid : untouched)
        EXPECT_EQ((Texts{ "Symbol", "Bid" }), HeaderTexts(pGrid->list)) << (LPCTSTR)pGrid->list.m_csListName;
    EXPECT_TRUE(m_script.Messages().empty());

    // A file that is not there fails every list alike: one box, the tools library's own text.
    ::DeleteFileA(m_csFactory);
    CCommonListCtrl::ApplyColumnProfile();
    ASSERT_EQ(1u, m_script.Messages().size());
    EXPECT_NE(-1, m_script.Messages()[0].Find("FactorySetting.ini"));
    EXPECT_EQ((Texts{ "Ask", "Symbol" }), HeaderTexts(a.list));
}
