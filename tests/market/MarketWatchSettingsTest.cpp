// What the market watch stores survives: user column ids with gaps, headings longer than a column
// record holds, a column whose text cannot be stored, layouts under titles that differ only in
// characters a settings section cannot hold, and formula lookups past the last user column.
#include "TestHost.h"
#include "TestSupport.h"

#include "host/ExtraColumns.h"
#include "market/MarketWatchLayout.h"
#include "market/MrktWatchListCtrl.h"
#include "dialogs/RepositionColumns.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace
{
std::string S(const std::string& text)
{
    std::string s(text);
    for (char& c : s)
        if (c == '|')
            c = '\xA7';
    return s;
}
}  // namespace

class MarketWatchSettings : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        iMrktInfoColCount = 100;
        iNewDataArrCnt = 0;
        CMrktWatchListCtrl::s_nListsBuilt = 0;
    }
    void TearDown() override
    {
        for (auto& p : m_lists)
            if (p->GetSafeHwnd() != nullptr)
                p->DestroyWindow();
        iMrktInfoColCount = 100;
        iNewDataArrCnt = 0;
        CMrktWatchListCtrl::s_nListsBuilt = 0;
        HostTest::TearDown();
    }
    // A watch with host fields 0 and 1 shown; the host's stored layout is read for the title when given.
    CMrktWatchListCtrl& Build(const char* pszTitle = nullptr)
    {
        m_lists.push_back(std::make_unique<CMrktWatchListCtrl>());
        CMrktWatchListCtrl& list = *m_lists.back();
        EXPECT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 500, 200), &m_frame, 300));
        for (const char* name : { "Symbol", "Last" })
        {
            sOrvoColInfo info = {};
            strcpy(info.szColName, name);
            info.nWidth = 70;
            list.m_arrColInfo.Add(info);
        }
        if (pszTitle == nullptr || !list.ReadColumnProfile(pszTitle))
        {
            list.m_arrColPosition.Add(0);
            list.m_arrColPosition.Add(1);
            list.m_arrWidth.Add(70);
            list.m_arrWidth.Add(70);
        }
        list.InsertColumnsForList();
        return list;
    }
    static std::vector<std::string> Headings(CListCtrl& list)
    {
        std::vector<std::string> texts;
        CHeaderCtrl* pHeader = list.GetHeaderCtrl();
        for (int i = 0; i < pHeader->GetItemCount(); ++i)
        {
            char sz[128] = "";
            HDITEMA item = {};
            item.mask = HDI_TEXT;
            item.pszText = sz;
            item.cchTextMax = sizeof(sz);
            pHeader->GetItem(i, &item);
            texts.push_back(sz);
        }
        return texts;
    }
    static std::string& Stored() { return TestHost::MarketWatchColumns()["MarketWatch"]; }

    std::vector<std::unique_ptr<CMrktWatchListCtrl>> m_lists;
};

TEST_F(MarketWatchSettings, UserColumnsKeepTheirIdsAcrossAGapAndSaveBackUnchanged)
{
    const std::string stored = S("101|One| \"1\"|one|103|Three| \"103\"*2|three");
    Stored() = stored;
    CMrktWatchListCtrl& list = Build();
    EXPECT_EQ((std::vector<std::string>{ "Symbol", "Last", "One", "Three" }), Headings(list));
    EXPECT_EQ(103, iMrktInfoColCount);
    EXPECT_EQ(3, iNewDataArrCnt);   // one host slot per id, so slot 2 still belongs to id 103
    list.SaveColumnProfile(CString("W"));
    EXPECT_EQ(stored, Stored());
    EXPECT_TRUE(m_script.Messages().empty());
    // The gap is no column: Reposition Columns offers no nameless row for it (nor for the unused
    // host ids below 101).
    list.ShowColumnDlg();
    ASSERT_NE(nullptr, list.m_pRepositionDlg);
    CListCtrl& hidden = list.m_pRepositionDlg->m_HiddenList;
    for (int i = 0; i < hidden.GetItemCount(); ++i)
        EXPECT_FALSE(hidden.GetItemText(i, 0).IsEmpty()) << i;
    // The next start finds both again.
    list.DestroyWindow();
    CMrktWatchListCtrl& again = Build();
    EXPECT_EQ((std::vector<std::string>{ "Symbol", "Last", "One", "Three" }), Headings(again));
}

TEST_F(MarketWatchSettings, LongHeadingsAreSavedWholeAndAnUnstorableColumnAloneIsLeftOut)
{
    const std::string longName(100, 'L');
    Stored() = S("101|" + longName + "| \"1\"| |102|Two| \"1\"| |103|Three| \"1\"| ");
    CMrktWatchListCtrl& list = Build();
    EXPECT_EQ(std::string(63, 'L'), Headings(list)[2]);   // what a column record holds
    // The host puts text the stored form cannot carry into one column.
    list.m_arrColInfo[102].csText1 = S("a|b").c_str();
    list.SaveColumnProfile(CString("W"));
    EXPECT_EQ(S("101|" + longName + "| \"1\"| |103|Three| \"1\"| "), Stored());
    ASSERT_EQ(1u, m_script.Messages().size());
    EXPECT_NE(-1, m_script.Messages()[0].Find("Two"));
}

TEST_F(MarketWatchSettings, FormulaTextPastTheLastUserColumnIsRefused)
{
    Stored() = S("101|One| \"1\"*2| |103|Ref| \"102\"+\"1\"| ");
    CMrktWatchListCtrl& list = Build();
    char bytes[512] = {};
    sMWStruct row = { nullptr, bytes };
    for (int id : { 102, 104, 5000, 1 << 20 })
    {
        CString text = "kept";
        EXPECT_EQ(0, list.GetCustomColumnText(&row, id, text)) << id;
        EXPECT_STREQ("kept", text) << id;
    }
    // A formula naming a gap between ids takes the host's text for it.
    TestHost::MarketTexts() = { { 1, "2" }, { 102, "4" } };
    CString text;
    EXPECT_EQ(1, list.GetCustomColumnText(&row, 101, text));
    EXPECT_STREQ("4.00", text);
    EXPECT_EQ(1, list.GetCustomColumnText(&row, 103, text));
    EXPECT_STREQ("6.00", text);
    EXPECT_TRUE(m_script.Messages().empty());
}

TEST_F(MarketWatchSettings, TitlesThatDifferOnlyInUnstorableCharactersKeepTheirOwnLayouts)
{
    // An old layout stored under the section earlier versions made of "Watch [1]".
    TestSettings::Put("MarketWatchNew_Watch _1_", "COLUMNPROFILE", "0,1,50,1,0,60");
    CMrktWatchListCtrl& bracket = Build("Watch [1]");
    EXPECT_EQ((std::vector<std::string>{ "Last", "Symbol" }), Headings(bracket));
    bracket.SaveColumnProfile(CString("Watch [1]"));
    CMrktWatchListCtrl& underscore = Build("Watch _1_");
    underscore.SaveColumnProfile(CString("Watch _1_"));
    EXPECT_EQ("0,1,50,1,0,60", TestSettings::Get("MarketWatchNew_Watch %5B1%5D", "COLUMNPROFILE"));
    EXPECT_EQ("0,1,50,1,0,60", TestSettings::Get("MarketWatchNew_Watch _1_", "COLUMNPROFILE"));
    // Changing one no longer changes the other.
    bracket.SetColumnWidth(0, 99);
    bracket.SaveColumnProfile(CString("Watch [1]"));
    EXPECT_EQ("0,1,50,1,0,99", TestSettings::Get("MarketWatchNew_Watch %5B1%5D", "COLUMNPROFILE"));
    EXPECT_EQ("0,1,50,1,0,60", TestSettings::Get("MarketWatchNew_Watch _1_", "COLUMNPROFILE"));
}

TEST_F(MarketWatchSettings, AWatchWithoutALayoutOfItsOwnSavesNone)
{
    TestSettings::Put("MarketWatchNew_W", "COLUMNPROFILE", "0,1,50,1,0,60");
    Stored() = S("101|One| \"1\"| ");
    // Closed before its columns were built, and built from no layout at all: nothing is stored.
    for (bool bBuild : { false, true })
    {
        SCOPED_TRACE(bBuild);
        m_lists.push_back(std::make_unique<CMrktWatchListCtrl>());
        CMrktWatchListCtrl& list = *m_lists.back();
        ASSERT_TRUE(list.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 300, 100), &m_frame, 301));
        sOrvoColInfo info = {};
        strcpy(info.szColName, "Symbol");
        list.m_arrColInfo.Add(info);
        if (bBuild)
            list.InsertColumnsForList();
        list.SaveColumnProfile(CString("W"));
        list.DestroyWindow();
        EXPECT_EQ("0,1,50,1,0,60", TestSettings::Get("MarketWatchNew_W", "COLUMNPROFILE"));
    }
    // A stored layout that shows nothing is not used: the host's defaults come instead.
    TestSettings::Put("MarketWatchNew_Empty", "COLUMNPROFILE", "0,-1,0,1,-1,0");
    CMrktWatchListCtrl& list = Build("Empty");
    EXPECT_EQ((std::vector<std::string>{ "Symbol", "Last", "One" }), Headings(list));
}
