// The Reposition Columns dialog on a real grid: moving columns, View, Save, Cancel, fixed columns,
// the group mode and the layout.
#include "ProfileFixture.h"

#include "host/RecoveryFiles.h"
#include "resources/RepositionColumnsRes.h"

namespace
{
class CGroupTarget : public CWnd
{
public:
    int m_nCalls = 0;
    void OnRepositionGroups() { ++m_nCalls; }
};
}  // namespace

class RepositionTest : public ProfileTest
{
protected:
    // Symbol, Bid, Ask, Volume, Time; Bid and Time hidden.
    sGrid& OpenOnQuotes()
    {
        TestSettings::Put("Repo", "COLUMNPROFILE", "0,0,60,1,-1,0,2,1,75,3,2,90,4,-1,0");
        sGrid& grid = MakeGrid("Repo", { { "Symbol", 60 }, { "Bid", 70 }, { "Ask", 75 }, { "Volume", 90 }, { "Time", 80 } });
        grid.list.ShowColumnDlg();
        m_pDlg = grid.list.m_pRepositionDlg;
        EXPECT_NE(m_pDlg, nullptr);
        EXPECT_NE(m_pDlg->GetSafeHwnd(), nullptr);
        grid.dialog.m_rebuilt.clear();
        TestHost::Settings().erase({ "Repo", "COLUMNPROFILE" });
        return grid;
    }
    void Click(int nID)
    {
        m_pDlg->SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)::GetDlgItem(m_pDlg->m_hWnd, nID));
    }
    bool DialogOpen() const { return m_pDlg->GetSafeHwnd() != nullptr; }

    CRepositionColumns* m_pDlg = nullptr;
};

TEST_F(RepositionTest, OpensWithShownColumnsInHeaderOrderAndHiddenReversed)
{
    sGrid& grid = OpenOnQuotes();
    EXPECT_EQ(ListTexts(m_pDlg->m_ShownList), (Texts{ "Symbol", "Ask", "Volume" }));
    EXPECT_EQ(ListTexts(m_pDlg->m_HiddenList), (Texts{ "Time", "Bid" }));
    // Opening again rebuilds the dialog from the grid; the host's cancel closes it.
    Select(m_pDlg->m_ShownList, { 0 });
    Click(IDC_RC_HIDE);
    grid.list.ShowColumnDlg();
    EXPECT_EQ(grid.list.m_pRepositionDlg, m_pDlg);
    EXPECT_EQ(ListTexts(m_pDlg->m_ShownList), (Texts{ "Symbol", "Ask", "Volume" }));
    EXPECT_EQ(m_pDlg->CallCancel(), 1);
    EXPECT_FALSE(DialogOpen());
}

TEST_F(RepositionTest, ShowMovesToTheSelectionMarkAndViewRebuildsTheHeader)
{
    sGrid& grid = OpenOnQuotes();
    grid.list.SetColumnWidth(0, 111);
    Select(m_pDlg->m_HiddenList, { 1 });   // Bid
    m_pDlg->m_ShownList.SetSelectionMark(1);
    Click(IDC_RC_SHOW);
    EXPECT_EQ(ListTexts(m_pDlg->m_ShownList), (Texts{ "Symbol", "Bid", "Ask", "Volume" }));
    EXPECT_EQ(Selected(m_pDlg->m_ShownList), (std::vector<int>{ 1 }));
    EXPECT_EQ(ListTexts(m_pDlg->m_HiddenList), (Texts{ "Time" }));

    // Without a mark the column goes last.
    m_pDlg->m_ShownList.SetSelectionMark(-1);
    Select(m_pDlg->m_HiddenList, { 0 });
    Click(IDC_RC_SHOW);
    EXPECT_EQ(ListTexts(m_pDlg->m_ShownList), (Texts{ "Symbol", "Bid", "Ask", "Volume", "Time" }));
    EXPECT_TRUE(ListTexts(m_pDlg->m_HiddenList).empty());

    Click(IDC_RC_VIEW);
    EXPECT_FALSE(DialogOpen());
    EXPECT_EQ(HeaderTexts(grid.list), (Texts{ "Symbol", "Bid", "Ask", "Volume", "Time" }));
    EXPECT_EQ(HeaderWidths(grid.list), (std::vector<int>{ 111, 70, 75, 90, 80 }));
    EXPECT_EQ(grid.dialog.m_rebuilt, (std::vector<WPARAM>{ 1001 }));
    // View does not store anything.
    EXPECT_EQ(TestSettings::Get("Repo", "COLUMNPROFILE"), "<none>");
}

// Shown Symbol, Ask, Volume: rows hidden, then Save, Cancel or View (every column hidden).
TEST_F(RepositionTest, SaveStoresCancelLeavesTheGridAloneAndViewOfNothingEmptiesTheHeader)
{
    const struct { const char* name; std::vector<int> hide; bool bAutoSort; int nButton; Texts header; const char* stored; } cases[] = {
        { "Cancel", { 0, 1 }, false, IDCANCEL, { "Symbol", "Ask", "Volume" }, "<none>" },
        { "View of nothing", { 0, 1, 2 }, false, IDC_RC_VIEW, {}, "<none>" },
        { "Save", { 2 }, true, IDC_RC_SAVE, { "Symbol", "Ask" }, "0,0,60,1,-1,0,2,1,75,3,-1,0,4,-1,0" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        sGrid& grid = OpenOnQuotes();
        for (int r : c.hide)
            m_pDlg->m_ShownList.SetItemState(r, LVIS_SELECTED, LVIS_SELECTED);
        Click(IDC_RC_HIDE);
        m_pDlg->m_AutoSort.SetCheck(c.bAutoSort ? BST_CHECKED : BST_UNCHECKED);
        Click(c.nButton);
        EXPECT_FALSE(DialogOpen());
        EXPECT_EQ(c.header, HeaderTexts(grid.list));
        EXPECT_EQ(c.stored, TestSettings::Get("Repo", "COLUMNPROFILE"));
        EXPECT_EQ(c.bAutoSort, grid.list.IsAutoSortEnabled() != FALSE);
        EXPECT_TRUE(c.nButton != IDCANCEL || grid.dialog.m_rebuilt.empty());
        for (int col = 0; col < 5 && c.header.empty(); ++col)
            EXPECT_EQ(-1, grid.list.m_arrColPosition[col]) << col;
        EXPECT_EQ(grid.list.GetHeaderCtrl()->GetItemCount(), (int)grid.list.m_arrVisibleColumns.GetSize());
        CloseGrid(grid);
    }
}

TEST_F(RepositionTest, FixedColumnsCannotBeHidden)
{
    TestSettings::Put("Repo", "COLUMNPROFILE", "0,0,60,1,1,70,2,2,75");
    sGrid& grid = MakeGrid("Repo", { { "Symbol", 60 }, { "Bid", 70 }, { "Ask", 75 } });
    grid.list.m_arrFixedColumns.Add("Symbol");
    grid.list.ShowColumnDlg();
    m_pDlg = grid.list.m_pRepositionDlg;
    Select(m_pDlg->m_ShownList, { 0, 2 });
    Click(IDC_RC_HIDE);
    EXPECT_EQ(m_script.Messages(), (std::vector<CString>{ "Symbol cannot be removed" }));
    EXPECT_EQ(ListTexts(m_pDlg->m_ShownList), (Texts{ "Symbol", "Bid" }));
    EXPECT_EQ(ListTexts(m_pDlg->m_HiddenList), (Texts{ "Ask" }));
    Click(IDC_RC_VIEW);
    EXPECT_EQ(HeaderTexts(grid.list), (Texts{ "Symbol", "Bid" }));
}

TEST_F(RepositionTest, GroupModeCallsTheGroupCallbackInsteadOfSaving)
{
    sGrid& grid = OpenOnQuotes();
    CGroupTarget target;
    grid.list.ShowColumnGrp();
    m_pDlg->SetRePositionToGrp(static_cast<CRepositionColumns::PFN_REPOSITION_GROUP>(&CGroupTarget::OnRepositionGroups),
                               &target);
    Select(m_pDlg->m_ShownList, { 0 });
    Click(IDC_RC_HIDE);
    Click(IDC_RC_SAVE);
    EXPECT_EQ(target.m_nCalls, 1);
    EXPECT_FALSE(DialogOpen());
    EXPECT_EQ(HeaderTexts(grid.list), (Texts{ "Symbol", "Ask", "Volume" }));
    EXPECT_EQ(TestSettings::Get("Repo", "COLUMNPROFILE"), "<none>");
}

TEST_F(RepositionTest, GroupedListSaveWritesUserColumnsAndEmptiesMarketWatchLayouts)
{
    char szOld[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, szOld);
    char szTemp[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, szTemp);
    CString csDir = CString(szTemp) + "profiles_layout";
    ::CreateDirectoryA(csDir, nullptr);
    ASSERT_TRUE(::SetCurrentDirectoryA(csDir));
    CString csLayout = csDir + "\\DlgLayout.Lyt";
    ::DeleteFileA(csLayout);
    ::WritePrivateProfileStringA("MarketWatch_1", "Left", "10", csLayout);
    ::WritePrivateProfileStringA("Orders", "Left", "20", csLayout);
    ::WritePrivateProfileStringA("Old_MarketWatch_2", "Top", "30", csLayout);

    sGrid& grid = MakeGrid("Grp", {}, false);
    grid.list.m_bGroupedList = true;
    for (int c = 0; c < 103; ++c)
    {
        sOrvoColInfo info = {};
        snprintf(info.szColName, sizeof(info.szColName), "C%d", c);
        info.nWidth = 40;
        if (c > 100)
            info.csText1.Format("f%d", c);
        grid.list.m_arrColInfo.Add(info);
    }
    grid.list.InsertColumnsForList(nullptr);
    grid.list.ShowColumnDlg();
    m_pDlg = grid.list.m_pRepositionDlg;
    EXPECT_FALSE(m_pDlg->GetDlgItem(IDC_RC_VIEW)->IsWindowVisible());
    Click(IDC_RC_SAVE);

    EXPECT_EQ(TestHost::MarketWatchColumns()["Grp"], "101,C101,f101,102,C102,f102");
    char sz[64] = "";
    ::GetPrivateProfileStringA("MarketWatch_1", "Left", "<gone>", sz, sizeof(sz), csLayout);
    EXPECT_STREQ(sz, "<gone>");
    ::GetPrivateProfileStringA("Old_MarketWatch_2", "Top", "<gone>", sz, sizeof(sz), csLayout);
    EXPECT_STREQ(sz, "<gone>");
    ::GetPrivateProfileStringA("Orders", "Left", "<gone>", sz, sizeof(sz), csLayout);
    EXPECT_STREQ(sz, "20");
    // Grouped lists keep their user columns out of the profile.
    std::string profile = TestSettings::Get("Grp", "COLUMNPROFILE");
    EXPECT_EQ(profile.find('#'), std::string::npos);
    EXPECT_NE(profile.find(",102,102,40"), std::string::npos) << profile;
    ::SetCurrentDirectoryA(szOld);
    ::DeleteFileA(csLayout);
    ::RemoveDirectoryA(csDir);
}

// Placement itself is the dialog base's (tested with the other dialogs): this one uses it.
TEST_F(RepositionTest, DialogOpensWhereItWasLastClosed)
{
    char szTemp[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, szTemp);
    CString csPositions = CString(szTemp) + "profiles_positions.ini";
    ::DeleteFileA(csPositions);
    SetRecoveryFileNames("ProfilesTest.ini", csPositions);
    sGrid& grid = OpenOnQuotes();
    m_pDlg->MoveWindow(120, 90, 480, 340);
    Click(IDCANCEL);
    grid.list.ShowColumnDlg();
    CRect rc;
    m_pDlg->GetWindowRect(&rc);
    EXPECT_EQ(rc, CRect(120, 90, 600, 430));
    Click(IDCANCEL);
    SetRecoveryFileNames("", "");
    ::DeleteFileA(csPositions);
}
