// The price ladder: cell clicks by the real mouse and the parent's notification, the white margin
// painted around rows it leaves alone, and the whole repaint on scrolling.
#include "WidgetTest.h"

#include <market/PriceLadderListCtrl.h>

#include <map>
#include <memory>

namespace
{
enum { IDC_LADDER = 1600 };
const int kColumnWidths[] = { 70, 80, 70 };   // 220 pixels in a list 300 wide

// The union of what each window was about to repaint, seen at its WM_PAINT.
std::map<HWND, CRect> g_painted;
HHOOK g_hPaintHook = nullptr;

LRESULT CALLBACK RecordPaint(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* p = reinterpret_cast<const CWPSTRUCT*>(lParam);
    CRect rc;
    if (nCode == HC_ACTION && p->message == WM_PAINT && ::GetUpdateRect(p->hwnd, &rc, FALSE))
    {
        CRect& all = g_painted[p->hwnd];
        all.UnionRect(all.IsRectEmpty() ? rc : all, &rc);
    }
    return ::CallNextHookEx(g_hPaintHook, nCode, wParam, lParam);
}
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
    // Erases the list into a bitmap first filled with magenta, as the platform does before
    // painting; then paints it when asked.
    HBITMAP EraseInto(bool bPaint = false)
    {
        return DrawInto(300, 220, [&](HDC hDC) {
            HBRUSH hMagenta = ::CreateSolidBrush(RGB(255, 0, 255));
            CRect rc(0, 0, 300, 220);
            ::FillRect(hDC, &rc, hMagenta);
            ::DeleteObject(hMagenta);
            m_pLadder->SendMessage(WM_ERASEBKGND, (WPARAM)hDC, 0);
            if (bPaint)
                m_pLadder->SendMessage(WM_PRINTCLIENT, (WPARAM)hDC, PRF_CLIENT);
        });
    }
    // What the list repainted for one scrolling message, painting done as the platform does it.
    CRect RepaintedBy(UINT message, WPARAM wParam, LPARAM lParam)
    {
        m_pLadder->UpdateWindow();
        g_painted.clear();
        g_hPaintHook = ::SetWindowsHookExA(WH_CALLWNDPROC, RecordPaint, nullptr, ::GetCurrentThreadId());
        m_pLadder->SendMessage(message, wParam, lParam);
        m_pLadder->UpdateWindow();
        ::UnhookWindowsHookEx(g_hPaintHook);
        return g_painted[m_pLadder->GetSafeHwnd()];
    }

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

TEST_F(PriceLadderTest, TheBackgroundAroundTheRowsIsWhiteAndTheRowsAreNotErased)
{
    m_pLadder->SetBkColor(RGB(0, 0, 0));
    m_pLadder->SetTextBkColor(RGB(0, 0, 0));
    CRect rcRow;
    m_pLadder->GetItemRect(4, &rcRow, LVIR_BOUNDS);
    const int yRow = rcRow.CenterPoint().y, yBelow = rcRow.bottom + 30;
    const COLORREF crWhite = RGB(255, 255, 255), crUntouched = RGB(255, 0, 255);
    HBITMAP h = EraseInto();
    EXPECT_EQ(crWhite, Pixel(h, 40, yBelow));
    EXPECT_EQ(crWhite, Pixel(h, 250, yRow));        // right of the rows
    EXPECT_EQ(crUntouched, Pixel(h, 40, yRow));    // the rows are left to their painting
    EXPECT_EQ(crUntouched, Pixel(h, 200, yRow));
    ::DeleteObject(h);
    // Erased, then painted as the platform paints: white below and beside the rows, black in them.
    h = EraseInto(true);
    EXPECT_EQ(crWhite, Pixel(h, 40, yBelow));
    EXPECT_EQ(crWhite, Pixel(h, 250, yRow));
    EXPECT_EQ(RGB(0, 0, 0), Pixel(h, 3, yRow));
    ::DeleteObject(h);
    // Without rows the ladder erases as a plain list does.
    m_pLadder->DeleteAllItems();
    h = EraseInto();
    EXPECT_EQ(RGB(0, 0, 0), Pixel(h, 40, yRow));
    ::DeleteObject(h);
}

TEST_F(PriceLadderTest, ScrollingRepaintsTheWholeLadder)
{
    AddLevels(20);   // more rows than the list shows
    CRect rcClient;
    m_pLadder->GetClientRect(&rcClient);
    EXPECT_EQ(rcClient, RepaintedBy(WM_VSCROLL, SB_LINEDOWN, 0));
    EXPECT_EQ(1, m_pLadder->GetTopIndex());
    EXPECT_EQ(rcClient, RepaintedBy(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-WHEEL_DELTA), MAKELPARAM(100, 100)));
    EXPECT_GT(m_pLadder->GetTopIndex(), 1);
}
