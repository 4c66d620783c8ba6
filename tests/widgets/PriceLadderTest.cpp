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

void AddColumns(CListCtrl& list)
{
    list.InsertColumn(0, "Bid qty", LVCFMT_RIGHT, kColumnWidths[0]);
    list.InsertColumn(1, "Price", LVCFMT_RIGHT, kColumnWidths[1]);
    list.InsertColumn(2, "Ask qty", LVCFMT_RIGHT, kColumnWidths[2]);
}

void AddLevels(CListCtrl& list, int nLevels)
{
    for (int i = 0; i < nLevels; i++)
    {
        char sz[32];
        snprintf(sz, sizeof(sz), "%d", 100 + i * 25);
        list.InsertItem(i, sz);
        snprintf(sz, sizeof(sz), "%.2f", 2450.0 - i * 0.05);
        list.SetItemText(i, 1, sz);
        snprintf(sz, sizeof(sz), "%d", 300 - i * 10);
        list.SetItemText(i, 2, sz);
    }
}
}  // namespace

class PriceLadderTest : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        CObject* pObject = RUNTIME_CLASS(CPriceLadderListCtrl)->CreateObject();
        ASSERT_NE(nullptr, pObject);
        ASSERT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CListCtrl)));
        m_pLadder.reset(static_cast<CPriceLadderListCtrl*>(pObject));
        ASSERT_TRUE(m_pLadder->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL,
                                      CRect(20, 20, 320, 240), &m_parent, IDC_LADDER));
        AddColumns(*m_pLadder);
        // As a ladder is set up: any cell of a row hits the row.
        m_pLadder->SetExtendedStyle(LVS_EX_FULLROWSELECT);
        AddLevels(*m_pLadder, 5);
        Pump();
    }
    void TearDown() override
    {
        if (m_pLadder && m_pLadder->GetSafeHwnd() != nullptr)
            m_pLadder->DestroyWindow();
        m_pLadder.reset();
        WidgetTest::TearDown();
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
    std::vector<sReceived> Requests() const
    {
        std::vector<sReceived> v;
        for (const sReceived& r : m_received)
            if (r.message == WM_LIST_CELLREQUEST)
                v.push_back(r);
        return v;
    }
    int Focused() const { return m_pLadder->GetNextItem(-1, LVNI_FOCUSED); }
    int Selected() const { return m_pLadder->GetNextItem(-1, LVNI_SELECTED); }

    std::unique_ptr<CPriceLadderListCtrl> m_pLadder;
};

TEST_F(PriceLadderTest, AClickOnACellFocusesTheRowAndRequestsTheCellInTheSameClick)
{
    ASSERT_EQ(-1, Focused());
    Click(*m_pLadder, CellCentre(2, 2));
    EXPECT_EQ(2, Focused());
    EXPECT_EQ(2, Selected());
    std::vector<sReceived> requests = Requests();
    ASSERT_EQ(1u, requests.size());
    EXPECT_EQ((WPARAM)MAKEWPARAM(2, 2), requests[0].wParam);
    EXPECT_EQ(0, requests[0].lParam);

    ::Sleep(600);   // not a double click
    Click(*m_pLadder, CellCentre(4, 0));
    requests = Requests();
    ASSERT_EQ(2u, requests.size());
    EXPECT_EQ((WPARAM)MAKEWPARAM(4, 0), requests[1].wParam);
    EXPECT_EQ(4, Focused());
}

TEST_F(PriceLadderTest, ClicksOutsideTheCellsChangeNothing)
{
    m_pLadder->SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    CRect rcLast;
    m_pLadder->GetItemRect(4, &rcLast, LVIR_BOUNDS);
    Click(*m_pLadder, CPoint(40, rcLast.bottom + 20));          // below the last row
    ::Sleep(600);
    Click(*m_pLadder, CPoint(260, CellCentre(3, 0).y));         // right of the last column
    EXPECT_EQ(1, Focused());
    EXPECT_EQ(1, Selected());
    EXPECT_TRUE(Requests().empty());
}

TEST_F(PriceLadderTest, HitTestFindsColumnsByIndexWithInclusiveEdges)
{
    int nRow = 7;
    int nCol = 7;
    CPoint pt = CellCentre(3, 1);
    EXPECT_FALSE(m_pLadder->HitTestEx(pt, nullptr, &nCol));
    EXPECT_FALSE(m_pLadder->HitTestEx(pt, &nRow, nullptr));
    EXPECT_TRUE(m_pLadder->HitTestEx(pt, &nRow, &nCol));
    EXPECT_EQ(3, nRow);
    EXPECT_EQ(1, nCol);
    // The shared edge of the first two columns belongs to the first.
    CPoint ptEdge(kColumnWidths[0], pt.y);
    EXPECT_TRUE(m_pLadder->HitTestEx(ptEdge, &nRow, &nCol));
    EXPECT_EQ(0, nCol);
    // Reordering the header does not change which column an x belongs to: columns go by index.
    int order[] = { 2, 1, 0 };
    m_pLadder->SetColumnOrderArray(3, order);
    CPoint ptFirst(10, pt.y);
    EXPECT_TRUE(m_pLadder->HitTestEx(ptFirst, &nRow, &nCol));
    EXPECT_EQ(0, nCol);
    // Not in report view: no cell.
    m_pLadder->ModifyStyle(LVS_TYPEMASK, LVS_LIST);
    CPoint ptItem(10, 5);
    EXPECT_FALSE(m_pLadder->HitTestEx(ptItem, &nRow, &nCol));
}

TEST_F(PriceLadderTest, ALadderWithoutRowsSwallowsClicks)
{
    m_pLadder->DeleteAllItems();
    Click(*m_pLadder, CPoint(50, 60));
    EXPECT_TRUE(Requests().empty());
    EXPECT_EQ(-1, Focused());
}

namespace
{
// Erases the list into a bitmap first filled with magenta, as the platform does before painting.
HBITMAP EraseInto(CListCtrl& list, bool bPaint = false)
{
    CRect rc;
    list.GetClientRect(&rc);
    HDC hScreen = ::GetDC(nullptr);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, rc.Width(), rc.Height());
    ::ReleaseDC(nullptr, hScreen);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    HBRUSH hMagenta = ::CreateSolidBrush(RGB(255, 0, 255));
    ::FillRect(hDC, &rc, hMagenta);
    ::DeleteObject(hMagenta);
    list.SendMessage(WM_ERASEBKGND, (WPARAM)hDC, 0);
    if (bPaint)
        list.SendMessage(WM_PRINTCLIENT, (WPARAM)hDC, PRF_CLIENT);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    return hBitmap;
}

COLORREF BitmapPixel(HBITMAP hBitmap, int x, int y)
{
    HDC hDC = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    COLORREF cr = ::GetPixel(hDC, x, y);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    return cr;
}
}  // namespace

TEST_F(PriceLadderTest, TheBackgroundAroundTheRowsIsWhiteAndTheRowsAreNotErased)
{
    CListCtrl plain;
    ASSERT_TRUE(plain.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(330, 20, 590, 240), &m_parent, IDC_LADDER + 1));
    AddColumns(plain);
    AddLevels(plain, 5);
    for (CListCtrl* p : { static_cast<CListCtrl*>(m_pLadder.get()), &plain })
    {
        p->SetBkColor(RGB(0, 0, 0));
        p->SetTextBkColor(RGB(0, 0, 0));
    }
    CRect rcRow;
    m_pLadder->GetItemRect(4, &rcRow, LVIR_BOUNDS);
    const int yRow = rcRow.CenterPoint().y;
    const int yBelow = rcRow.bottom + 30;
    const COLORREF crWhite = RGB(255, 255, 255);
    const COLORREF crUntouched = RGB(255, 0, 255);

    HBITMAP hLadder = EraseInto(*m_pLadder);
    EXPECT_EQ(crWhite, BitmapPixel(hLadder, 40, yBelow));
    EXPECT_EQ(crWhite, BitmapPixel(hLadder, 250, yRow));        // right of the rows
    EXPECT_EQ(crUntouched, BitmapPixel(hLadder, 40, yRow));    // the rows are left to their painting
    EXPECT_EQ(crUntouched, BitmapPixel(hLadder, 200, yRow));
    ::DeleteObject(hLadder);

    // A plain list erases everything in its background colour.
    HBITMAP hPlain = EraseInto(plain);
    EXPECT_EQ(RGB(0, 0, 0), BitmapPixel(hPlain, 40, yBelow));
    EXPECT_EQ(RGB(0, 0, 0), BitmapPixel(hPlain, 40, yRow));
    ::DeleteObject(hPlain);

    // Erased, then painted as the platform paints: white below and beside the rows, black in them.
    HBITMAP hPainted = EraseInto(*m_pLadder, true);
    EXPECT_EQ(crWhite, BitmapPixel(hPainted, 40, yBelow));
    EXPECT_EQ(crWhite, BitmapPixel(hPainted, 250, yRow));
    EXPECT_EQ(RGB(0, 0, 0), BitmapPixel(hPainted, 3, yRow));
    ::DeleteObject(hPainted);

    // Without rows the ladder erases as a plain list does.
    m_pLadder->DeleteAllItems();
    HBITMAP hEmpty = EraseInto(*m_pLadder);
    EXPECT_EQ(RGB(0, 0, 0), BitmapPixel(hEmpty, 40, yRow));
    ::DeleteObject(hEmpty);
}

namespace
{
// The union of what each window was about to repaint, seen at its WM_PAINT.
std::map<HWND, CRect> g_painted;
HHOOK g_hPaintHook = nullptr;

LRESULT CALLBACK RecordPaint(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* p = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (nCode == HC_ACTION && p->message == WM_PAINT)
    {
        CRect rc;
        if (::GetUpdateRect(p->hwnd, &rc, FALSE))
        {
            CRect& all = g_painted[p->hwnd];
            if (all.IsRectEmpty())
                all = rc;
            else
                all.UnionRect(&all, &rc);
        }
    }
    return ::CallNextHookEx(g_hPaintHook, nCode, wParam, lParam);
}

// What the list repainted for one scrolling message, painting done as the platform does it.
CRect RepaintedBy(CListCtrl& list, UINT message, WPARAM wParam, LPARAM lParam)
{
    list.UpdateWindow();
    g_painted.clear();
    g_hPaintHook = ::SetWindowsHookExA(WH_CALLWNDPROC, RecordPaint, nullptr, ::GetCurrentThreadId());
    list.SendMessage(message, wParam, lParam);
    list.UpdateWindow();
    ::UnhookWindowsHookEx(g_hPaintHook);
    return g_painted[list.GetSafeHwnd()];
}
}  // namespace

TEST_F(PriceLadderTest, ScrollingRepaintsTheWholeLadder)
{
    AddLevels(*m_pLadder, 20);   // more rows than the list shows
    CListCtrl plain;
    ASSERT_TRUE(plain.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(330, 20, 590, 240), &m_parent, IDC_LADDER + 1));
    AddColumns(plain);
    AddLevels(plain, 25);
    CRect rcClient;
    m_pLadder->GetClientRect(&rcClient);

    EXPECT_EQ(rcClient, RepaintedBy(*m_pLadder, WM_VSCROLL, SB_LINEDOWN, 0));
    EXPECT_EQ(1, m_pLadder->GetTopIndex());
    EXPECT_EQ(rcClient, RepaintedBy(*m_pLadder, WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-WHEEL_DELTA),
                                    MAKELPARAM(100, 100)));
    EXPECT_GT(m_pLadder->GetTopIndex(), 1);

    // A plain list repaints only the rows that scrolled in.
    CRect rcPlain = RepaintedBy(plain, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(1, plain.GetTopIndex());
    EXPECT_LT(rcPlain.Height(), rcClient.Height() / 2);
}
