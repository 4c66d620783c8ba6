// CVXDragListCtrl: rows dragged between two lists and within one, driven by the messages a real
// drag produces (LVN_BEGINDRAG, then WM_MOUSEMOVE and WM_LBUTTONUP on the capturing list).
#include "ProfileFixture.h"

#include <set>

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

CPoint RowCentre(CListCtrl& list, int nRow)
{
    CRect rc;
    list.GetItemRect(nRow, &rc, LVIR_BOUNDS);
    return CPoint(rc.left + 20, (rc.top + rc.bottom) / 2);
}

// A point of list `to`, in the client coordinates of the list `from` (the one capturing).
CPoint Translate(CListCtrl& from, CListCtrl& to, CPoint pt)
{
    to.ClientToScreen(&pt);
    from.ScreenToClient(&pt);
    return pt;
}
}  // namespace

// Left A..E (C ticked), right X Y Z; the rows dragged from the left and released on a target.
TEST_F(ProfileTest, DraggedRowsDropWhereTheyAreReleasedAndRefusedRowsStay)
{
    CDragHost host;
    ASSERT_TRUE(host.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, 0, 0, 600, 400, m_frame.m_hWnd, nullptr));
    CVXDragListCtrl& left = host.m_left;
    CVXDragListCtrl& right = host.m_right;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS;
    ASSERT_TRUE(left.Create(style, CRect(10, 10, 250, 300), &host, 1653));
    ASSERT_TRUE(right.Create(style, CRect(300, 10, 540, 300), &host, 1654));
    left.InsertColumn(0, "Hidden", LVCFMT_LEFT, 200);
    right.InsertColumn(0, "Shown", LVCFMT_LEFT, 200);
    left.SetExtendedStyle(left.GetExtendedStyle() | LVS_EX_CHECKBOXES);
    enum eTarget { RIGHT_ROW1, RIGHT_BELOW, LEFT_ROW3, LEFT_BELOW, OUTSIDE };
    // The rows selected in the list dropped on, the names the host was asked about, the boxes shown.
    const struct { const char* name; const char* fixed; std::vector<int> rows; eTarget target; Texts left, right, asked;
                   std::vector<int> selected; std::vector<CString> boxes; } cases[] = {
        { "two rows to the row under the cursor in the other list", "", { 1, 3 }, RIGHT_ROW1, { "A", "C", "E" },
          { "X", "B", "D", "Y", "Z" }, { "B", "D" }, { 1, 2 }, {} },
        { "a refused row stays; empty space drops at the end", "B", { 0, 1 }, RIGHT_BELOW,
          { "B", "C", "D", "E" }, { "X", "Y", "Z", "A" }, { "A", "B" }, { 3 }, { "B cannot be removed" } },
        { "within one list after the drop row", "", { 0, 2 }, LEFT_ROW3, { "B", "D", "A", "C", "E" },
          { "X", "Y", "Z" }, {}, {}, {} },
        { "below the last row of a single-selection list", "", { 0 }, LEFT_BELOW, { "B", "C", "D", "E", "A" },
          { "X", "Y", "Z" }, {}, {}, {} },
        { "released over no drag list", "", { 1 }, OUTSIDE, { "A", "B", "C", "D", "E" }, { "X", "Y", "Z" }, {},
          { 1 }, {} },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        left.DeleteAllItems();   // no selection left either
        right.DeleteAllItems();
        for (const char* row : { "A", "B", "C", "D", "E" })
            left.InsertItem(left.GetItemCount(), row);
        for (const char* row : { "X", "Y", "Z" })
            right.InsertItem(right.GetItemCount(), row);
        left.SetCheck(2, TRUE);
        left.ModifyStyle(LVS_SINGLESEL, c.target == LEFT_BELOW ? LVS_SINGLESEL : 0);
        host.m_fixed = { c.fixed };
        host.m_asked.clear();
        m_script.Clear();
        for (int r : c.rows)
            left.SetItemState(r, LVIS_SELECTED, LVIS_SELECTED);
        NMLISTVIEW view = {};   // the drag begins on the first selected row
        view.hdr = { left.m_hWnd, 1653, LVN_BEGINDRAG };
        view.iItem = c.rows[0];
        view.ptAction = RowCentre(left, c.rows[0]);
        host.SendMessage(WM_NOTIFY, view.hdr.idFrom, (LPARAM)&view);
        EXPECT_EQ(CWnd::GetCapture(), &left);
        const CPoint targets[] = { Translate(left, right, RowCentre(right, 1)), Translate(left, right, CPoint(50, 250)),
                                   RowCentre(left, 3), CPoint(50, 250), Translate(left, right, CPoint(-20, 0)) };
        left.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(targets[c.target].x, targets[c.target].y));
        left.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(targets[c.target].x, targets[c.target].y));
        EXPECT_FALSE(left.IsDragging());
        EXPECT_EQ(::GetCapture(), nullptr);
        EXPECT_EQ(c.left, ListTexts(left));
        EXPECT_EQ(c.right, ListTexts(right));
        EXPECT_EQ(c.asked, host.m_asked);
        EXPECT_EQ(c.selected, Selected(c.target <= RIGHT_BELOW ? right : left));
        EXPECT_EQ(c.boxes, m_script.Messages());
        for (int i = 0; i < left.GetItemCount(); ++i)
            EXPECT_EQ(left.GetItemText(i, 0) == "C", left.GetCheck(i) != FALSE) << i;   // C kept its tick
        EXPECT_EQ(c.target == LEFT_BELOW, (left.GetStyle() & LVS_SINGLESEL) != 0);   // the style is back
    }
    host.DestroyWindow();
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

// Rows drawn where they sit, white or grey when selected, with the texts the callback gives.
TEST_F(ProfileTest, OwnerDrawnDragListRowsAreWhiteOrGreyWithTheCallbackTexts)
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
    CClientDC screen(nullptr);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, 300, 200);
    CBitmap* pOld = dc.SelectObject(&bitmap);
    for (int nRow : { 0, 1 })
    {
        const COLORREF clrBack = nRow == 0 ? RGB(255, 255, 255) : RGB(0x96, 0x96, 0x96);
        source.m_asked.clear();
        DRAWITEMSTRUCT dis = { ODT_LISTVIEW, 7, (UINT)nRow, 0, 0, list.m_hWnd, dc.GetSafeHdc(), {}, 0 };
        list.GetItemRect(nRow, &dis.rcItem, LVIR_BOUNDS);
        list.DrawItem(&dis);
        const CRect row = dis.rcItem;
        EXPECT_EQ(clrBack, dc.GetPixel(row.right - 2, row.CenterPoint().y)) << nRow;
        EXPECT_EQ((std::vector<std::pair<int, int>>{ { nRow, 0 }, { nRow, 1 } }), source.m_asked);
    }
    dc.SelectObject(pOld);
    list.DestroyWindow();
    source.DestroyWindow();
}
