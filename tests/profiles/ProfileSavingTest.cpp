// Saving a grid's settings never loses what was stored: a grid closed before its columns were
// built saves nothing, a stored profile that would show no column gives the default columns, the
// factory profile leaves lists it does not name alone and reports real failures once, and writes
// nobody waits for are logged when refused.
#include "ProfileFixture.h"

#include <algorithm>

using Texts = std::vector<std::string>;

namespace
{
int LogLinesWith(const char* pszText)
{
    const auto& lines = TestHost::LogLines();
    return (int)std::count_if(lines.begin(), lines.end(),
                              [pszText](const std::string& line) { return line.find(pszText) != std::string::npos; });
}
}  // namespace

TEST_F(ProfileTest, AGridClosedBeforeItsColumnsWereBuiltSavesNothing)
{
    TestSettings::Put("Orders", "COLUMNPROFILE", "0,1,80,1,0,90");
    TestSettings::Put("Orders", "AutoSortTicked", "true");
    // The host filled the column records, then closed the window.
    sGrid& grid = MakeGrid("Orders", { { "Symbol", 60 }, { "Qty", 70 }, { "Price", 75 } }, false);
    CloseGrid(grid);
    EXPECT_EQ("0,1,80,1,0,90", TestSettings::Get("Orders", "COLUMNPROFILE"));
    EXPECT_EQ("true", TestSettings::Get("Orders", "AutoSortTicked"));
    // Built, the same grid saves what it shows.
    sGrid& built = MakeGrid("Orders", { { "Symbol", 60 }, { "Qty", 70 }, { "Price", 75 } });
    CloseGrid(built);
    EXPECT_EQ("0,1,80,1,0,90,2,-1,0", TestSettings::Get("Orders", "COLUMNPROFILE"));
}

TEST_F(ProfileTest, AProfileThatShowsNoColumnGivesTheDefaultColumns)
{
    struct sCase { const char* stored; Texts header; const char* saved; };
    const sCase cases[] = {
        { "0,-1,0,1,-1,0", { "Symbol", "Qty" }, "0,0,60,1,1,70" },
        // A user column the profile defines is kept (shown with the rest when no defaults are set).
        { "0,-1,0,1,-1,0,2,-1,0,Spread#a#b", { "Symbol", "Qty", "Spread" }, "0,0,60,1,1,70,2,2,80,Spread#a#b" },
    };
    for (const sCase& c : cases)
    {
        SCOPED_TRACE(c.stored);
        TestHost::LogLines().clear();
        TestSettings::Put("Empty", "COLUMNPROFILE", c.stored);
        sGrid& grid = MakeGrid("Empty", { { "Symbol", 60 }, { "Qty", 70 } });
        EXPECT_EQ(c.header, HeaderTexts(grid.list));
        EXPECT_EQ(1, LogLinesWith("shows no column"));
        CloseGrid(grid);
        EXPECT_EQ(c.saved, TestSettings::Get("Empty", "COLUMNPROFILE"));
    }
}

TEST_F(ProfileTest, RefusedAutoSortWritesAreLoggedOncePerKey)
{
    sGrid& grid = MakeGrid("Sorted", { { "Symbol", 60 }, { "Qty", 70 } });
    grid.list.m_bAutoSort = true;
    TestHost::LogLines().clear();
    TestHost::g_bFailSettings = true;
    grid.list.SaveAutoSort();
    TestHost::g_bFailSettings = false;
    EXPECT_EQ(3, LogLinesWith("Could not save the auto-sort setting [Sorted]"));
    EXPECT_EQ(1, LogLinesWith("AutoSortOrder"));
    EXPECT_TRUE(m_script.Messages().empty());
}

class FactoryApplyTest : public ProfileTest
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
        ::SetFileAttributesA(m_csFile, FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(m_csFile);
        ProfileTest::TearDown();
    }
    CString m_csFile;
};

TEST_F(FactoryApplyTest, ListsTheFileDoesNotNameStayAsTheyAreWithoutABoxEach)
{
    sGrid& named = MakeGrid("WatchA", { { "Symbol", 60 }, { "Bid", 70 } });
    std::vector<sGrid*> others;
    for (const char* name : { "Orders", "Trades", "Positions" })
        others.push_back(&MakeGrid(name, { { "Symbol", 60 }, { "Bid", 70 } }));
    ASSERT_TRUE(::WritePrivateProfileStringA("COLUMN PROFILE", "WatchA", "1,0,55", m_csFile));
    CCommonListCtrl::ApplyColumnProfile();
    EXPECT_EQ(std::vector<CString>{}, m_script.Messages());
    EXPECT_EQ((Texts{ "Bid" }), HeaderTexts(named.list));
    for (sGrid* pGrid : others)
        EXPECT_EQ((Texts{ "Symbol", "Bid" }), HeaderTexts(pGrid->list));
    // A file that is not there fails every list alike: one box.
    ::DeleteFileA(m_csFile);
    CCommonListCtrl::ApplyColumnProfile();
    ASSERT_EQ(1u, m_script.Messages().size());
    EXPECT_NE(-1, m_script.Messages()[0].Find("FactorySetting.ini"));
}
