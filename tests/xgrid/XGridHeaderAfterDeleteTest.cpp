// The header check box of the extended grid after rows go: checked when every row left is checked,
// unchecked when one is not or when no row is left, however the rows were deleted.
#include "TestHost.h"
#include "TestSupport.h"
#include "xgrid/XListCtrl.h"

using XGridHeaderAfterDeleteTest = HostTest;

TEST_F(XGridHeaderAfterDeleteTest, TheHeaderBoxFollowsTheRowsLeft)
{
    CMessageRecorder parent;
    ASSERT_TRUE(parent.CreateRecorder(&m_frame, CRect(0, 0, 320, 220)));
    auto headerClick = [](CXListCtrl& l) {   // the parent deletes the first row as it hears of it
        CRect rc;
        l.GetHeaderCtrl()->GetItemRect(1, &rc);
        const LPARAM lPoint = MAKELPARAM(rc.CenterPoint().x, rc.CenterPoint().y);
        ::PostMessageA(l.m_HeaderCtrl.m_hWnd, WM_LBUTTONUP, 0, lPoint);
        ::SendMessageA(l.m_HeaderCtrl.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
        AfxPumpPendingMessages();
    };
    // nUnchecked: the one unchecked row, -1 for none; the header box starts as the rows say.
    const struct { const char* name; int nUnchecked; std::function<void(CXListCtrl&)> remove; int nExpected; } cases[] = {
        { "the only unchecked row", 2, [](CXListCtrl& l) { l.DeleteItem(2); }, XHEADER_CHECK_CHECKED },
        { "it, past the grid", 2, [](CXListCtrl& l) { l.SendMessage(LVM_DELETEITEM, 2); }, XHEADER_CHECK_CHECKED },
        { "a checked row", 2, [](CXListCtrl& l) { l.DeleteItem(0); }, XHEADER_CHECK_UNCHECKED },
        { "a row, while the header box clears the column", -1, headerClick, XHEADER_CHECK_UNCHECKED },
        { "every row", -1, [](CXListCtrl& l) { l.DeleteAllItems(); }, XHEADER_CHECK_UNCHECKED },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        CXListCtrl list;
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 300, 200), &parent, 700));
        list.InsertColumn(0, "Symbol", LVCFMT_LEFT, 100);
        list.InsertColumn(1, "Alert", LVCFMT_LEFT, 60);
        list.SetHeaderCheckedState(1, XHEADER_CHECK_UNCHECKED);
        for (int r = 0; r < 4; ++r)
            list.SetCheckbox(list.InsertItem(r, "INFY"), 1, r != c.nUnchecked);
        ASSERT_EQ(c.nUnchecked < 0 ? XHEADER_CHECK_CHECKED : XHEADER_CHECK_UNCHECKED, list.GetHeaderCheckedState(1));
        parent.m_answer = [&list](const sRecordedMsg& m, LRESULT&) {
            if (m.message == WM_XLISTCTRL_CHECKBOX_CLICKED)
                delete[] reinterpret_cast<char*>(m.wParam);   // the receiver owns the text
            if (m.message == WM_XLISTCTRL_HEADER_CHECK && list.GetItemCount() == 4)
                list.DeleteItem(0);   // its one unchecked row: the rest still checked
            return false;
        };
        c.remove(list);
        parent.m_answer = nullptr;
        EXPECT_EQ(c.nExpected, list.GetHeaderCheckedState(1));
        list.DestroyWindow();
    }
    parent.DestroyWindow();
}
