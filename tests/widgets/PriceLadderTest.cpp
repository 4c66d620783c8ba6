// The price ladder: cell clicks by the real mouse and the parent's notification, and the white
// margin painted around the rows.
#include "WidgetTest.h"

#include <market/PriceLadderListCtrl.h>

#include <memory>

namespace
{
enum { IDC_LADDER = 1600 };
const int kColumnWidths[] = { 70, 80, 70 };   // 220 pixels in a list 300 wide

}  // namespace

class PriceLadderTest : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        CObject* pObject = RUNTIME_CLASS(CPriceLadderListCtrl)->CreateObject();   // as a host creates it
        ASSERT_TRUE(pObject != nullptr && pObject->IsKindOf(RUNTIME_CLASS(CListCtrl)));
        m_pLadder.reset(static_cast<CPriceLadderListCtrl*>(pObject));
        ASSERT_TRUE(m_pLadder->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL,
                                      CRect(20, 20, 320, 240), &m_parent, IDC_LADDER));
        m_pLadder->InsertColumn(0, "Bid qty", LVCFMT_RIGHT, kColumnWidths[0]);
        m_pLadder->InsertColumn(1, "Price", LVCFMT_RIGHT, kColumnWidths[1]);
        m_pLadder->InsertColumn(2, "Ask qty", LVCFMT_RIGHT, kColumnWidths[2]);
        m_pLadder->SetExtendedStyle(LVS_EX_FULLROWSELECT);   // any cell of a row hits the row
        AddLevels(5);
        Pump();
    }
    void TearDown() override
    {
        if (m_pLadder && m_pLadder->GetSafeHwnd() != nullptr)
            m_pLadder->DestroyWindow();
        m_pLadder.reset();
        WidgetTest::TearDown();
    }
    void AddLevels(int nLevels)
    {
        for (int i = 0; i < nLevels; i++)
        {
            char sz[32];
            snprintf(sz, sizeof(sz), "%d", 100 + i * 25);
            m_pLadder->InsertItem(i, sz);
            snprintf(sz, sizeof(sz), "%.2f", 2450.0 - i * 0.05);
            m_pLadder->SetItemText(i, 1, sz);
        }
    }
    CPoint CellCentre(int nRow, int nCol)
    {
        CRect rcRow;
        m_pLadder->GetItemRect(nRow, &rcRow, LVIR_BOUNDS);
        int x = rcRow.left;
        for (int i = 0; i < nCol; i++)
            x += kColumnWidths[i];
        return CPoint(x + kColumnWidths[nCol] / 2, rcRow.CenterPoint().y);
    }
    std::vector<sReceived> Requests() const { return Received(WM_LIST_CELLREQUEST); }
    int Focused() const { return m_pLadder->GetNextItem(-1, LVNI_FOCUSED); }
    int Selected() const { return m_pLadder->GetNextItem(-1, LVNI_SELECTED); }

    std::unique_ptr<CPriceLadderListCtrl> m_pLadder;
};

TEST_F(PriceLadderTest, AClickOnACellFocusesTheRowAndRequestsTheCellOthersChangeNothing)
{
    ASSERT_EQ(-1, Focused());
    Click(*m_pLadder, CellCentre(2, 2));
    EXPECT_EQ(2, Focused());
    EXPECT_EQ(2, Selected());
    ::Sleep(600);   // not a double click
    Click(*m_pLadder, CellCentre(4, 0));
    EXPECT_EQ(4, Focused());
    ASSERT_EQ(2u, Requests().size());
    EXPECT_EQ((WPARAM)MAKEWPARAM(2, 2), Requests()[0].wParam);
    EXPECT_EQ(0, Requests()[0].lParam);
    EXPECT_EQ((WPARAM)MAKEWPARAM(4, 0), Requests()[1].wParam);
    // Below the last row, right of the last column, on an empty ladder: nothing.
    m_received.clear();
    m_pLadder->SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    CRect rcLast;
    m_pLadder->GetItemRect(4, &rcLast, LVIR_BOUNDS);
    ::Sleep(600);
    Click(*m_pLadder, CPoint(40, rcLast.bottom + 20));
    ::Sleep(600);
    Click(*m_pLadder, CPoint(260, CellCentre(3, 0).y));
    EXPECT_EQ(1, Focused());
    EXPECT_EQ(1, Selected());
    m_pLadder->DeleteAllItems();
    Click(*m_pLadder, CPoint(50, 60));
    EXPECT_TRUE(Requests().empty());
    EXPECT_EQ(-1, Focused());
}

TEST_F(PriceLadderTest, HitTestFindsColumnsByIndexWithInclusiveEdges)
{
    int nRow = 7, nCol = 7;
    CPoint pt = CellCentre(3, 1);
    EXPECT_FALSE(m_pLadder->HitTestEx(pt, nullptr, &nCol));
    EXPECT_FALSE(m_pLadder->HitTestEx(pt, &nRow, nullptr));
    EXPECT_TRUE(m_pLadder->HitTestEx(pt, &nRow, &nCol));
    EXPECT_EQ(CPoint(3, 1), CPoint(nRow, nCol));
    // The shared edge of the first two columns belongs to the first.
    CPoint ptEdge(kColumnWidths[0], pt.y), ptFirst(10, pt.y), ptItem(10, 5);
    EXPECT_TRUE(m_pLadder->HitTestEx(ptEdge, &nRow, &nCol));
    EXPECT_EQ(0, nCol);
    // Reordering the header does not change which column an x belongs to: columns go by index.
    int order[] = { 2, 1, 0 };
    m_pLadder->SetColumnOrderArray(3, order);
    EXPECT_TRUE(m_pLadder->HitTestEx(ptFirst, &nRow, &nCol));
    EXPECT_EQ(0, nCol);
    // Not in report view: no cell.
    m_pLadder->ModifyStyle(LVS_TYPEMASK, LVS_LIST);
    EXPECT_FALSE(m_pLadder->HitTestEx(ptItem, &nRow, &nCol));
}

TEST_F(PriceLadderTest, TheBackgroundAroundTheRowsIsWhite)
{
    m_pLadder->SetBkColor(RGB(0, 0, 0));
    m_pLadder->SetTextBkColor(RGB(0, 0, 0));
    CRect rcRow;
    m_pLadder->GetItemRect(4, &rcRow, LVIR_BOUNDS);
    // Erased, then painted, as the platform does it.
    HBITMAP h = DrawInto(300, 220, [&](HDC hDC) {
        m_pLadder->SendMessage(WM_ERASEBKGND, (WPARAM)hDC, 0);
        m_pLadder->SendMessage(WM_PRINTCLIENT, (WPARAM)hDC, PRF_CLIENT);
    });
    ASSERT_NE(nullptr, h);
    const COLORREF crWhite = RGB(255, 255, 255);
    EXPECT_EQ(crWhite, Pixel(h, 40, rcRow.bottom + 30));             // below the rows
    EXPECT_EQ(crWhite, Pixel(h, 250, rcRow.CenterPoint().y));        // right of the columns
    EXPECT_EQ(RGB(0, 0, 0), Pixel(h, 3, rcRow.CenterPoint().y));     // the rows in their own colour
    ::DeleteObject(h);
}
