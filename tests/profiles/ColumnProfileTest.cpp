// The stored column profile: written when a grid closes, read when it builds its columns.
#include "ProfileFixture.h"

#include <OrvoTools.h>

using Texts = std::vector<std::string>;
using Widths = std::vector<int>;

TEST_F(ProfileTest, StoredProfileOrdersHidesAndSizesTheColumns)
{
    // Three columns: the second hidden, the third shown first with width 95; "New" came later.
    TestSettings::Put("Quotes", "COLUMNPROFILE", "0,1,80,1,-1,0,2,0,95");
    sGrid& grid = MakeGrid("Quotes", { { "Symbol", 60 }, { "Bid", 70 }, { "Ask", 75 }, { "New", 50 } });
    EXPECT_EQ(HeaderTexts(grid.list), (Texts{ "Ask", "Symbol" }));
    EXPECT_EQ(HeaderWidths(grid.list), (Widths{ 95, 80 }));
    EXPECT_EQ(grid.list.m_nFirstVisibleColumn, 2);
    ASSERT_EQ(grid.list.m_arrVisibleColumns.GetSize(), 2);
    EXPECT_EQ(grid.list.m_arrVisibleColumns[0].nColumn, 2);
    EXPECT_EQ(grid.list.m_arrVisibleColumns[1].nColumn, 0);
    // A column the profile does not name stays hidden, with width 100.
    EXPECT_EQ(grid.list.m_arrColPosition[3], -1);
    EXPECT_EQ(grid.list.m_arrColWidth[3], 100);

    // Written back when the grid closes, the hidden columns as -1 and 0.
    TestHost::Settings().clear();
    CloseGrid(grid);
    EXPECT_EQ(TestSettings::Get("Quotes", "COLUMNPROFILE"), "0,1,80,1,-1,0,2,0,95,3,-1,0");
}

TEST_F(ProfileTest, ProfileWrittenFromTheHeaderReadsBackTheSame)
{
    sGrid& first = MakeGrid("Book", { { "Symbol", 60 }, { "Bid", 70 }, { "Ask", 75 }, { "Volume", 90 } });
    // The user hides Bid, drags Volume to the front and widens Symbol.
    first.list.DeleteColumn(1);
    int order[3] = { 2, 0, 1 };
    first.list.SetColumnOrderArray(3, order);
    first.list.SetColumnWidth(0, 123);
    CloseGrid(first);
    EXPECT_EQ(TestSettings::Get("Book", "COLUMNPROFILE"), "0,1,123,1,-1,0,2,2,75,3,0,90");

    sGrid& second = MakeGrid("Book", { { "Symbol", 60 }, { "Bid", 70 }, { "Ask", 75 }, { "Volume", 90 } });
    EXPECT_EQ(HeaderTexts(second.list), (Texts{ "Volume", "Symbol", "Ask" }));
    EXPECT_EQ(HeaderWidths(second.list), (Widths{ 90, 123, 75 }));
    EXPECT_EQ(second.list.m_arrColPosition[1], -1);
    EXPECT_EQ(second.list.m_nFirstVisibleColumn, 3);
}

TEST_F(ProfileTest, UserColumnsKeepTheirDefinitionsExceptInGroupedLists)
{
    TestSettings::Put("Formula", "COLUMNPROFILE", "0,0,60,1,-1,0,2,2,50,Spread#\"2\"-\"1\"#Ask-Bid");
    sGrid& grid = MakeGrid("Formula", { { "Symbol", 60 }, { "Bid", 70 } });
    ASSERT_EQ(grid.list.m_arrColInfo.GetSize(), 3);
    const sOrvoColInfo& spread = grid.list.m_arrColInfo[2];
    EXPECT_STREQ(spread.szColName, "Spread");
    EXPECT_EQ(spread.nWidth, 80);
    EXPECT_EQ(spread.nFormat, LVCFMT_RIGHT);
    EXPECT_EQ(spread.nDataType, LIST_SORT_DECIMAL);
    EXPECT_EQ(spread.csText1, "\"2\"-\"1\"");
    EXPECT_EQ(spread.csText2, "Ask-Bid");
    EXPECT_EQ(grid.list.m_nBuiltInColumns, 2);
    EXPECT_EQ(HeaderTexts(grid.list), (Texts{ "Symbol", "Spread" }));
    EXPECT_EQ(HeaderWidths(grid.list), (Widths{ 60, 50 }));
    CloseGrid(grid);
    EXPECT_EQ(TestSettings::Get("Formula", "COLUMNPROFILE"), "0,0,60,1,-1,0,2,1,50,Spread#\"2\"-\"1\"#Ask-Bid");

    sGrid& grouped = MakeGrid("Group", { { "Symbol", 60 }, { "Bid", 70 } });
    grouped.list.m_bGroupedList = true;
    sOrvoColInfo user = {};
    strlcpy(user.szColName, "Mid", sizeof(user.szColName));
    user.csText1 = "x";
    user.csText2 = "y";
    grouped.list.m_arrColInfo.Add(user);
    CloseGrid(grouped);
    EXPECT_EQ(TestSettings::Get("Group", "COLUMNPROFILE"), "0,0,60,1,1,70,2,-1,0");
}

TEST_F(ProfileTest, AutoSortOffWritesOnlyTheTick)
{
    TestSettings::Put("Sorted", "AutoSort", "2");
    TestSettings::Put("Sorted", "AutoSortOrder", "1");
    TestSettings::Put("Sorted", "AutoSortTicked", "true");
    sGrid& grid = MakeGrid("Sorted", { { "Symbol", 60 }, { "Bid", 70 }, { "Ask", 75 } });
    EXPECT_TRUE(grid.list.IsAutoSortEnabled());
    grid.list.EnableAutoSort(FALSE);
    CloseGrid(grid);
    EXPECT_EQ(TestSettings::Get("Sorted", "AutoSortTicked"), "false");
    EXPECT_EQ(TestSettings::Get("Sorted", "AutoSort"), "2");
    EXPECT_EQ(TestSettings::Get("Sorted", "AutoSortOrder"), "1");
}

TEST_F(ProfileTest, FailedWriteShowsTheErrorAndKeepsTheStoredProfile)
{
    TestSettings::Put("Keep", "COLUMNPROFILE", "0,1,80,1,0,90");
    sGrid& grid = MakeGrid("Keep", { { "Symbol", 60 }, { "Bid", 70 } });
    TestHost::g_bFailSettings = true;
    grid.list.DeleteColumn(0);
    grid.list.SaveColumnProfile();
    TestHost::g_bFailSettings = false;
    EXPECT_EQ(m_script.Messages(), (std::vector<CString>{ "Error while saving column profile" }));
    EXPECT_EQ(TestSettings::Get("Keep", "COLUMNPROFILE"), "0,1,80,1,0,90");

    // A grid whose columns were never built writes nothing over the stored profile.
    sGrid& unbuilt = MakeGrid("Keep", {}, false);
    CloseGrid(unbuilt);
    EXPECT_EQ(TestSettings::Get("Keep", "COLUMNPROFILE"), "0,1,80,1,0,90");
}

// Corrupt stored profiles leave a usable grid: never a crash, never a column the grid lacks, and a
// bad entry costs that entry only. (Every rule of reading one is tested on its own, natively.)
TEST_F(ProfileTest, CorruptProfilesFallBackOrKeepWhatWasReadable)
{
    struct sCase
    {
        const char* value;
        Texts header;
    };
    const sCase cases[] = {
        { "abc", { "Symbol", "Bid", "Ask" } },                         // letters: defaults
        { "0,0", { "Symbol", "Bid", "Ask" } },                         // incomplete entry
        { "0,0,99999999999999999999", { "Symbol", "Bid", "Ask" } },    // huge number
        { "2,0,70,0,1,x,1,2,50", { "Ask", "Bid" } },                   // the entry with the letter goes
        { "1,0,60,900000,1,80,Far#a#b", { "Bid" } },                  // index far beyond the array
        { "0,1,80,2147483647,0,50,1,0,70,2,2,75", { "Bid", "Symbol", "Ask" } },   // a stray index
        { "1,0,60,3,1,50,NoHashes", { "Bid", "NoHashes" } },           // definition without "#"
        { "", { "Symbol", "Bid", "Ask" } },
    };
    for (const sCase& c : cases)
    {
        SCOPED_TRACE(c.value);
        TestSettings::Put("Bad", "COLUMNPROFILE", c.value);
        sGrid& grid = MakeGrid("Bad", { { "Symbol", 60 }, { "Bid", 70 }, { "Ask", 75 } });
        EXPECT_EQ(HeaderTexts(grid.list), c.header);
        for (int c2 = 0; c2 < grid.list.m_arrColInfo.GetSize(); ++c2)
            EXPECT_LT(grid.list.m_arrColPosition[c2], (int)grid.list.m_arrColInfo.GetSize());
        grid.dialog.DestroyWindow();
    }
}

class FactoryProfileTest : public ProfileTest
{
protected:
    void SetUp() override
    {
        ProfileTest::SetUp();
        char szPath[MAX_PATH] = "";
        ::GetModuleFileNameA(nullptr, szPath, MAX_PATH);
        m_csFile = szPath;
        m_csFile = m_csFile.Left(m_csFile.ReverseFind('\\') + 1) + "FactorySetting.ini";
        ::DeleteFileA(m_csFile);
    }
    void TearDown() override
    {
        ::DeleteFileA(m_csFile);
        ProfileTest::TearDown();
    }
    CString m_csFile;
};

TEST_F(FactoryProfileTest, AppliesToEveryRegisteredList)
{
    sGrid& a = MakeGrid("WatchA", { { "Symbol", 60 }, { "Bid", 70 }, { "Ask", 75 } });
    sGrid& b = MakeGrid("WatchB", { { "Symbol", 60 }, { "Bid", 70 }, { "Ask", 75 } });
    ASSERT_TRUE(::WritePrivateProfileStringA("COLUMN PROFILE", "WatchA", "2,0,55,0,1,65", m_csFile));
    ASSERT_TRUE(::WritePrivateProfileStringA("COLUMN PROFILE", "WatchB", "0,-1,0,1,0,44,2,1", m_csFile));
    a.dialog.m_rebuilt.clear();
    b.dialog.m_rebuilt.clear();

    CCommonListCtrl::ApplyColumnProfile();

    EXPECT_EQ(HeaderTexts(a.list), (Texts{ "Ask", "Symbol" }));
    EXPECT_EQ(HeaderWidths(a.list), (Widths{ 55, 65 }));
    // A triple without its width keeps the width of the one before.
    EXPECT_EQ(HeaderTexts(b.list), (Texts{ "Bid", "Ask" }));
    EXPECT_EQ(HeaderWidths(b.list), (Widths{ 44, 44 }));
    EXPECT_EQ(a.dialog.m_rebuilt, (std::vector<WPARAM>{ 1001 }));
    EXPECT_EQ(b.dialog.m_rebuilt, (std::vector<WPARAM>{ 1001 }));
    EXPECT_TRUE(m_script.Messages().empty());
}

TEST_F(FactoryProfileTest, MissingFileShowsTheToolsErrorAndLeavesTheLists)
{
    sGrid& a = MakeGrid("WatchA", { { "Symbol", 60 }, { "Bid", 70 } });
    sGrid& b = MakeGrid("WatchB", { { "Symbol", 60 }, { "Bid", 70 } });

    CCommonListCtrl::ApplyColumnProfile();

    // One message for all lists: the tools library's own text for the missing file.
    std::vector<CString> messages = m_script.Messages();
    ASSERT_EQ(messages.size(), 1u);
    CString value, error;
    CString file = "FactorySetting.ini";
    EXPECT_FALSE(orvou_ini_file_operations(0, "COLUMN PROFILE", "WatchA", value, file, error));
    EXPECT_FALSE(error.IsEmpty());
    EXPECT_EQ(messages[0], error);
    EXPECT_EQ(HeaderTexts(a.list), (Texts{ "Symbol", "Bid" }));
    EXPECT_EQ(HeaderTexts(b.list), (Texts{ "Symbol", "Bid" }));
}

TEST_F(FactoryProfileTest, CorruptFactoryValuesChangeNothingUnusable)
{
    sGrid& a = MakeGrid("WatchA", { { "Symbol", 60 }, { "Bid", 70 } });
    sGrid& b = MakeGrid("WatchB", { { "Symbol", 60 }, { "Bid", 70 } });
    ASSERT_TRUE(::WritePrivateProfileStringA("COLUMN PROFILE", "WatchA", "x,y,z", m_csFile));
    ASSERT_TRUE(::WritePrivateProfileStringA("COLUMN PROFILE", "WatchB", "1,70000,50,5000,0,40", m_csFile));
    CCommonListCtrl::ApplyColumnProfile();
    EXPECT_EQ(HeaderTexts(a.list), (Texts{ "Symbol", "Bid" }));
    EXPECT_EQ(HeaderTexts(b.list), (Texts{ "Symbol", "Bid" }));
    EXPECT_TRUE(m_script.Messages().empty());
}

// Texts with the profile's own separators, a backslash and a line break survive a restart, and so
// does every column after them.
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
    ASSERT_EQ(second.list.m_arrColInfo.GetSize(), 4);
    for (int i = 0; i < 2; ++i)
    {
        const sOrvoColInfo& info = second.list.m_arrColInfo[2 + i];
        EXPECT_STREQ(info.szColName, texts[i][0]);
        EXPECT_EQ(std::string((LPCTSTR)info.csText1), texts[i][1]);
        EXPECT_EQ(std::string((LPCTSTR)info.csText2), texts[i][2]);
    }
    EXPECT_EQ(HeaderTexts(second.list), (Texts{ "Symbol", "Bid" }));
}

// Building the columns again keeps the user-defined columns user-defined: their definitions are
// still written when the grid closes.
TEST_F(ProfileTest, SecondBuildKeepsUserColumnsAndTheirDefinitions)
{
    const char* stored = "0,0,60,1,-1,0,2,1,50,Spread#\"1\"-\"0\"#Ask-Bid";
    TestSettings::Put("Again", "COLUMNPROFILE", stored);
    sGrid& grid = MakeGrid("Again", { { "Symbol", 60 }, { "Bid", 70 } });
    grid.list.InsertColumnsForList(nullptr);
    EXPECT_EQ(grid.list.m_arrColInfo.GetSize(), 3);
    EXPECT_EQ(grid.list.m_nBuiltInColumns, 2);
    EXPECT_EQ(HeaderTexts(grid.list), (Texts{ "Symbol", "Spread" }));
    CloseGrid(grid);
    EXPECT_EQ(TestSettings::Get("Again", "COLUMNPROFILE"), stored);
}

TEST_F(FactoryProfileTest, UnnamedListsAreLeftOutQuietly)
{
    sGrid& named = MakeGrid("WatchA", { { "Symbol", 60 }, { "Bid", 70 } });
    MakeGrid("", { { "Symbol", 60 }, { "Bid", 70 } });
    MakeGrid("", { { "Symbol", 60 }, { "Bid", 70 } });
    ASSERT_TRUE(::WritePrivateProfileStringA("COLUMN PROFILE", "WatchA", "1,0,55", m_csFile));
    CCommonListCtrl::ApplyColumnProfile();
    EXPECT_EQ(m_script.Messages(), std::vector<CString>{});
    EXPECT_EQ(HeaderTexts(named.list), (Texts{ "Bid" }));
}
