// The market watch asks the host for each cell by column id. Whatever changes the list's columns
// (the Reposition Columns dialog, a layout loaded by the host, the host deleting or inserting a
// column itself), every column must keep showing the field its heading names.
#include "TestHost.h"
#include "TestSupport.h"

#include "dialogs/RepositionColumns.h"
#include "host/ExtraColumns.h"
#include "market/MrktWatchListCtrl.h"
#include "resources/RepositionColumnsRes.h"

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace
{
const char* const kNames[] = { "Symbol", "Last", "Change", "Bid", "Ask" };

class MarketColumnIdTest : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        iMrktInfoColCount = 100;
        iNewDataArrCnt = 0;
        CMrktWatchListCtrl::s_nListsBuilt = 0;
        // The host answers "cell<id>" for every field.
        TestHost::MarketTexts().clear();
        ASSERT_TRUE(m_holder.CreateRecorder(&m_frame, CRect(0, 0, 600, 400)));
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 560, 300), &m_holder, 101));
        for (int i = 0; i < 5; ++i)
        {
            sOrvoColInfo info = {};
            strcpy(info.szColName, kNames[i]);
            info.nWidth = 70;
            info.nFormat = LVCFMT_RIGHT;
            info.nDataType = 2;
            m_list.m_arrColInfo.Add(info);
            m_list.m_arrColPosition.Add(i);
            m_list.m_arrWidth.Add(70);
        }
        m_list.InsertColumnsForList();
        m_list.InsertItem(LVIF_TEXT | LVIF_PARAM, 0, "", 0, 0, 0, (LPARAM)&m_row);
    }
    void TearDown() override
    {
        m_list.DestroyWindow();
        m_holder.DestroyWindow();
        iMrktInfoColCount = 100;
        iNewDataArrCnt = 0;
        CMrktWatchListCtrl::s_nListsBuilt = 0;
        HostTest::TearDown();
    }
    // "heading=cell text" for each list column, in the header's order.
    std::vector<std::string> Shown()
    {
        std::vector<std::string> shown;
        CHeaderCtrl* pHeader = m_list.GetHeaderCtrl();
        const int n = pHeader->GetItemCount();
        std::vector<int> order((size_t)n);
        m_list.GetColumnOrderArray(order.data(), n);
        for (int s : order)
        {
            char sz[80] = "";
            LVCOLUMNA column = {};
            column.mask = LVCF_TEXT;
            column.pszText = sz;
            column.cchTextMax = sizeof(sz);
            m_list.GetColumn(s, &column);
            shown.push_back(std::string(sz) + "=" + (LPCTSTR)m_list.GetItemText(0, s));
        }
        return shown;
    }
    void Dialog(std::initializer_list<const char*> hide)
    {
        m_list.ShowColumnDlg();
        CRepositionColumns* pDlg = m_list.m_pRepositionDlg;
        ASSERT_NE(nullptr, pDlg);
        for (const char* pszName : hide)
        {
            CListCtrl& shown = pDlg->m_ShownList;
            shown.SetItemState(-1, 0, LVIS_SELECTED);
            for (int i = 0; i < shown.GetItemCount(); ++i)
                if (shown.GetItemText(i, 0) == pszName)
                    shown.SetItemState(i, LVIS_SELECTED, LVIS_SELECTED);
            pDlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_RC_HIDE, BN_CLICKED), (LPARAM)::GetDlgItem(pDlg->m_hWnd, IDC_RC_HIDE));
        }
        pDlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_RC_VIEW, BN_CLICKED), (LPARAM)::GetDlgItem(pDlg->m_hWnd, IDC_RC_VIEW));
    }

    char m_instrument[512] = "instrument";
    sMWStruct m_row = { nullptr, m_instrument };
    CMessageRecorder m_holder;
    CMrktWatchListCtrl m_list;
};

TEST_F(MarketColumnIdTest, EveryColumnShowsItsOwnFieldAfterAnyChangeOfColumns)
{
    struct Case
    {
        const char* name;
        std::function<void()> change;
        std::vector<std::string> shown;
    };
    const Case cases[] = {
        { "Reposition Columns hides a column", [this] { Dialog({ "Symbol" }); },
          { "Last=cell1", "Change=cell2", "Bid=cell3", "Ask=cell4" } },
        { "Reposition Columns hides two", [this] { Dialog({ "Symbol", "Bid" }); },
          { "Last=cell1", "Change=cell2", "Ask=cell4" } },
        { "the host loads a layout",
          [this] {
              CArray<int, int> columns, widths;
              for (int c : { 4, 0, 2 })
              {
                  columns.Add(c);
                  widths.Add(60);
              }
              m_list.LoadHeaders(columns, widths);
          },
          { "Ask=cell4", "Symbol=cell0", "Change=cell2" } },
        { "the host deletes a list column itself", [this] { m_list.CListCtrl::DeleteColumn(1); },
          { "Symbol=cell0", "Change=cell2", "Bid=cell3", "Ask=cell4" } },
        { "the host inserts a column of the grid in front",
          [this] {
              m_list.CListCtrl::DeleteColumn(3);
              m_list.CListCtrl::InsertColumn(0, "Bid", LVCFMT_RIGHT, 70, 0);
          },
          { "Bid=cell3", "Symbol=cell0", "Last=cell1", "Change=cell2", "Ask=cell4" } },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        // Start from every column shown in id order, its cells already painted once.
        CArray<int, int> columns, widths;
        for (int i = 0; i < 5; ++i)
        {
            columns.Add(i);
            widths.Add(70);
        }
        m_list.LoadHeaders(columns, widths);
        ASSERT_TRUE(SameSequence(Shown(), { "Symbol=cell0", "Last=cell1", "Change=cell2", "Bid=cell3", "Ask=cell4" }));
        m_list.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        c.change();
        EXPECT_TRUE(SameSequence(Shown(), c.shown));
    }
}
}  // namespace
