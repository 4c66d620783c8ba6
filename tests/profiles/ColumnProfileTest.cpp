// The stored column profile: written when a grid closes, read when it builds its columns.
#include "ProfileFixture.h"

#include <OrvoTools.h>

using Texts = std::vector<std::string>;
using Widths = std::vector<int>;

TEST_F(ProfileTest, StoredProfileOrdersHidesAndSizesTheColumns)
{
    TestSettings::Put("Quotes", "COLUMNPROFILE", "0,1,80,1,-1,0,2,0,95");
    sGrid& grid = MakeGrid("Quotes", { { "Symbol", 60 }, { "Bid", 70 }, { "Ask", 75 } });
    EXPECT_EQ(HeaderTexts(grid.list), (Texts{ "Ask", "Symbol" }));
    EXPECT_EQ(HeaderWidths(grid.list), (Widths{ 95, 80 }));

    // Written back unchanged when the grid closes, the hidden column as -1 and 0.
    TestHost::Settings().clear();
    CloseGrid(grid);
    EXPECT_EQ(TestSettings::Get("Quotes", "COLUMNPROFILE"), "0,1,80,1,-1,0,2,0,95");
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
    EXPECT_STREQ(grid.list.m_arrColInfo[2].szColName, "Spread");
    EXPECT_EQ(grid.list.m_arrColInfo[2].csText2, "Ask-Bid");
    EXPECT_EQ(HeaderTexts(grid.list), (Texts{ "Symbol", "Spread" }));
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

// Corrupt stored profiles leave a usable grid: never a crash, never a column the grid lacks.
TEST_F(ProfileTest, CorruptProfilesFallBackOrKeepWhatWasReadable)
{
    struct sCase
    {
        const char* value;
        Texts header;
    };
    const sCase cases[] = {
        { "abc", { "Symbol", "Bid", "Ask" } },                         // letters: defaults
        { "0,0", { "Symbol", "Bid", "Ask" } },                         // incomplete triple
        { "0,0,99999999999999999999", { "Symbol", "Bid", "Ask" } },    // huge number
        { "2,0,70,0,1,x,1,2,50", { "Ask" } },                          // stops at the letter
        { "1,0,60,900000,1,80,Far#a#b", { "Bid" } },                  // index far beyond the array
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

    // One message per list: the tools library's own text for the missing file.
    std::vector<CString> messages = m_script.Messages();
    ASSERT_EQ(messages.size(), 2u);
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
