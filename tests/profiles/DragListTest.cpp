// CVXDragListCtrl: rows dragged between two lists and within one, driven by the messages a real
// drag produces (LVN_BEGINDRAG, then WM_MOUSEMOVE and WM_LBUTTONUP on the capturing list).
#include "ProfileFixture.h"

#include <set>

using Texts = std::vector<std::string>;

namespace
{
// The parent of two drag lists; answers "may this column be removed?" from a set of names.
class CDragHost : public CWnd
{
public:
    CVXDragListCtrl m_left, m_right;
    std::set<std::string> m_fixed;
    std::vector<std::string> m_asked;

    afx_msg LRESULT OnCannotRemove(WPARAM wParam, LPARAM)
    {
        const char* name = reinterpret_cast<const char*>(wParam);
        m_asked.push_back(name);
        return m_fixed.count(name) ? 1 : 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDragHost, CWnd)
    ON_MESSAGE(WM_DRAGLIST_CANNOT_REMOVE, OnCannotRemove)
END_MESSAGE_MAP()
}  // namespace

class DragListTest : public ProfileTest
{
protected:
    void SetUp() override
    {
        ProfileTest::SetUp();
        ASSERT_TRUE(m_host.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, 0, 0, 600, 400, m_frame.m_hWnd, nullptr));
        const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS;
        ASSERT_TRUE(m_host.m_left.Create(style, CRect(10, 10, 250, 300), &m_host, 1653));
        ASSERT_TRUE(m_host.m_right.Create(style, CRect(300, 10, 540, 300), &m_host, 1654));
        m_host.m_left.InsertColumn(0, "Hidden", LVCFMT_LEFT, 200);
        m_host.m_right.InsertColumn(0, "Shown", LVCFMT_LEFT, 200);
    }
    void TearDown() override
    {
        if (m_host.GetSafeHwnd() != nullptr)
            m_host.DestroyWindow();
        ProfileTest::TearDown();
    }
    static void Fill(CVXDragListCtrl& list, std::initializer_list<const char*> rows)
    {
        for (const char* row : rows)
            list.InsertItem(list.GetItemCount(), row);
    }
    static void Select(CListCtrl& list, std::initializer_list<int> rows)
    {
        list.SetItemState(-1, 0, LVIS_SELECTED);
        for (int r : rows)
            list.SetItemState(r, LVIS_SELECTED, LVIS_SELECTED);
    }
    static CPoint RowCentre(CListCtrl& list, int nRow)
    {
        CRect rc;
        list.GetItemRect(nRow, &rc, LVIR_BOUNDS);
        return CPoint(rc.left + 20, (rc.top + rc.bottom) / 2);
    }
    // A point of list `to`, in the client coordinates of the list `from` (the one capturing).
    static CPoint Translate(CListCtrl& from, CListCtrl& to, CPoint pt)
    {
        to.ClientToScreen(&pt);
        from.ScreenToClient(&pt);
        return pt;
    }
    void BeginDrag(CVXDragListCtrl& list, int nRow)
    {
        NMLISTVIEW view = {};
        view.hdr.hwndFrom = list.m_hWnd;
        view.hdr.idFrom = (UINT_PTR)list.GetDlgCtrlID();
        view.hdr.code = LVN_BEGINDRAG;
        view.iItem = nRow;
        view.ptAction = RowCentre(list, nRow);
        m_host.SendMessage(WM_NOTIFY, view.hdr.idFrom, (LPARAM)&view);
    }
    static void MoveAndRelease(CVXDragListCtrl& list, CPoint pt)
    {
        list.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    }
    static std::vector<int> Selected(CListCtrl& list)
    {
        std::vector<int> rows;
        POSITION pos = list.GetFirstSelectedItemPosition();
        while (pos != nullptr)
            rows.push_back(list.GetNextSelectedItem(pos));
        return rows;
    }

    CDragHost m_host;
};

TEST_F(DragListTest, TwoRowsMoveToTheRowUnderTheCursorInTheOtherList)
{
    CVXDragListCtrl& left = m_host.m_left;
    CVXDragListCtrl& right = m_host.m_right;
    Fill(left, { "A", "B", "C", "D", "E" });
    Fill(right, { "X", "Y", "Z" });
    Select(left, { 1, 3 });
    BeginDrag(left, 1);
    EXPECT_TRUE(left.IsDragging());
    EXPECT_EQ(CWnd::GetCapture(), &left);
    EXPECT_EQ(left.m_arrDragItems.GetSize(), 2);

    MoveAndRelease(left, Translate(left, right, RowCentre(right, 1)));
    EXPECT_FALSE(left.IsDragging());
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(ListTexts(right), (Texts{ "X", "B", "D", "Y", "Z" }));
    EXPECT_EQ(ListTexts(left), (Texts{ "A", "C", "E" }));
    EXPECT_EQ(Selected(right), (std::vector<int>{ 1, 2 }));
    EXPECT_EQ(m_host.m_asked, (Texts{ "B", "D" }));
    EXPECT_EQ(::GetFocus(), right.m_hWnd);
}

TEST_F(DragListTest, RefusedRowStaysWithAMessageAndEmptySpaceDropsAtTheEnd)
{
    CVXDragListCtrl& left = m_host.m_left;
    CVXDragListCtrl& right = m_host.m_right;
    Fill(left, { "A", "B", "C" });
    Fill(right, { "X" });
    m_host.m_fixed.insert("B");
    Select(left, { 0, 1 });
    BeginDrag(left, 0);
    MoveAndRelease(left, Translate(left, right, CPoint(50, 250)));
    EXPECT_EQ(m_script.Messages(), (std::vector<CString>{ "B cannot be removed" }));
    EXPECT_EQ(ListTexts(right), (Texts{ "X", "A" }));
    EXPECT_EQ(ListTexts(left), (Texts{ "B", "C" }));
}

TEST_F(DragListTest, RowsDroppedInTheSameListGoAfterTheDropRow)
{
    CVXDragListCtrl& left = m_host.m_left;
    left.SetExtendedStyle(left.GetExtendedStyle() | LVS_EX_CHECKBOXES);
    Fill(left, { "A", "B", "C", "D", "E" });
    left.SetCheck(2, TRUE);
    Select(left, { 0, 2 });
    BeginDrag(left, 0);
    MoveAndRelease(left, RowCentre(left, 3));
    EXPECT_EQ(ListTexts(left), (Texts{ "B", "D", "A", "C", "E" }));
    EXPECT_TRUE(Selected(left).empty());
    EXPECT_TRUE(left.GetCheck(3));    // C kept its check
    EXPECT_FALSE(left.GetCheck(2));
    EXPECT_TRUE(m_host.m_asked.empty());

    // Below the last row: to the end.
    Select(left, { 0 });
    BeginDrag(left, 0);
    MoveAndRelease(left, CPoint(50, 250));
    EXPECT_EQ(ListTexts(left), (Texts{ "D", "A", "C", "E", "B" }));

    // A single-selection list drops the style only while the drag lasts.
    left.ModifyStyle(0, LVS_SINGLESEL);
    Select(left, { 0 });
    BeginDrag(left, 0);
    EXPECT_EQ(left.GetStyle() & LVS_SINGLESEL, 0u);
    MoveAndRelease(left, RowCentre(left, 2));
    EXPECT_NE(left.GetStyle() & LVS_SINGLESEL, 0u);
    EXPECT_EQ(ListTexts(left), (Texts{ "A", "C", "D", "E", "B" }));
}

TEST_F(DragListTest, DraggingPastTheEdgesScrollsOnTheTimer)
{
    CVXDragListCtrl& left = m_host.m_left;
    for (int i = 0; i < 60; ++i)
    {
        CString row;
        row.Format("R%02d", i);
        left.InsertItem(i, row);
    }
    left.EnsureVisible(30, FALSE);
    int nTop = left.GetTopIndex();
    ASSERT_GT(nTop, 0);
    Select(left, { nTop + 1 });
    BeginDrag(left, nTop + 1);

    CRect client;
    left.GetClientRect(&client);
    left.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50, client.bottom + 20));
    left.SendMessage(WM_TIMER, DRAGLIST_SCROLL_TIMER);
    EXPECT_EQ(left.GetTopIndex(), nTop + 1);

    left.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50, 2));   // over the header
    left.SendMessage(WM_TIMER, DRAGLIST_SCROLL_TIMER);
    left.SendMessage(WM_TIMER, DRAGLIST_SCROLL_TIMER);
    EXPECT_EQ(left.GetTopIndex(), nTop - 1);

    left.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50, client.bottom / 2));
    EXPECT_FALSE(left.KillTimer(DRAGLIST_SCROLL_TIMER));   // back inside: scrolling stopped

    // Released over no drag list: nothing moves.
    CPoint outside = Translate(left, m_host.m_right, CPoint(0, 0));
    outside.x -= 20;
    left.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(outside.x, outside.y));
    EXPECT_FALSE(left.IsDragging());
    EXPECT_EQ(left.GetItemCount(), 60);
    CString expected;
    expected.Format("R%02d", nTop + 1);
    EXPECT_EQ(left.GetItemText(nTop + 1, 0), expected);
}

namespace
{
class CTextSource : public CWnd
{
public:
    std::vector<std::pair<int, int>> m_asked;
    int CellText(int nRow, int nColumn, long, CString& text)
    {
        m_asked.push_back({ nRow, nColumn });
        text.Format("r%dc%d", nRow, nColumn);
        return 1;
    }
};
}  // namespace

TEST_F(DragListTest, OwnerDrawnRowsAreWhiteOrGreyWithTheCallbackTexts)
{
    CTextSource source;
    ASSERT_TRUE(source.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200, m_frame.m_hWnd, nullptr));
    CVXDragListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED, CRect(0, 0, 280, 180), &source, 7));
    list.InsertColumn(0, "A", LVCFMT_LEFT, 100);
    list.InsertColumn(1, "B", LVCFMT_LEFT, 100);
    list.InsertItem(0, "x");
    list.InsertItem(1, "y");
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    list.SetGetTextCallback(static_cast<CVXDragListCtrl::PFN_GETITEMTEXT>(&CTextSource::CellText));
    EXPECT_EQ(list.GetItemTextFn(1, 1), "r1c1");

    // The rows are drawn where they sit in the list's client area.
    CRect row;
    CClientDC screen(nullptr);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, 300, 200);
    CBitmap* pOld = dc.SelectObject(&bitmap);
    const HDC hdc = dc.GetSafeHdc();
    auto draw = [&](int nRow) {
        source.m_asked.clear();
        list.GetItemRect(nRow, &row, LVIR_BOUNDS);
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_LISTVIEW;
        dis.CtlID = 7;
        dis.itemID = (UINT)nRow;
        dis.hwndItem = list.m_hWnd;
        dis.hDC = hdc;
        dis.rcItem = row;
        list.DrawItem(&dis);
        return ::GetPixel(hdc, row.right - 2, row.CenterPoint().y);
    };
    EXPECT_EQ(draw(0), RGB(255, 255, 255));
    EXPECT_EQ(source.m_asked, (std::vector<std::pair<int, int>>{ { 0, 0 }, { 0, 1 } }));
    EXPECT_EQ(draw(1), RGB(0x96, 0x96, 0x96));
    EXPECT_EQ(source.m_asked, (std::vector<std::pair<int, int>>{ { 1, 0 }, { 1, 1 } }));
    // Some of the text was drawn: not every pixel of the row is the background.
    bool bInk = false;
    for (int x = row.left; x < row.left + 100 && !bInk; ++x)
        for (int y = row.top; y < row.bottom && !bInk; ++y)
            bInk = ::GetPixel(hdc, x, y) != RGB(0x96, 0x96, 0x96);
    EXPECT_TRUE(bInk);
    dc.SelectObject(pOld);
    list.DestroyWindow();
    source.DestroyWindow();
}
