// The extended grid driven as a host drives it: real mouse messages on cells and header, the
// parent's received messages recorded and decoded, the colour dialog answered through the modal
// seam, and pixels of the painted cells read from a rendered picture.
#include "TestHost.h"
#include "TestSupport.h"
#include "WindowPicture.h"
#include "xgrid/XListCtrl.h"

#include <cstdio>
#include <string>
#include <vector>

namespace
{
const UINT kListID = 700;

class XGridTest : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        ASSERT_TRUE(m_parent.CreateRecorder(nullptr, CRect(20, 20, 520, 420)));
        m_parent.m_answer = [this](const sRecordedMsg& r, LRESULT&) { Decode(r); return false; };
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(0, 0, 480, 360),
                                  &m_parent, kListID));
        m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
        m_list.InsertColumn(0, "Name", LVCFMT_LEFT, 120);
        m_list.InsertColumn(1, "Active", LVCFMT_LEFT, 80);
        m_list.InsertColumn(2, "Colour", LVCFMT_LEFT, 80);
        for (int r = 0; r < 4; ++r)
        {
            char sz[16];
            snprintf(sz, sizeof(sz), "row %d", r);
            ASSERT_EQ(r, m_list.InsertItem(r, sz));
        }
    }

    void TearDown() override
    {
        if (m_parent.GetSafeHwnd() != nullptr)
            m_parent.DestroyWindow();
        HostTest::TearDown();
    }

    // The parent's messages as readable events; the texts the grid hands over are freed here.
    void Decode(const sRecordedMsg& r)
    {
        char sz[128];
        if (r.message == WM_XLISTCTRL_LBUTTONDOWN)
        {
            const CPoint* pt = reinterpret_cast<const CPoint*>(r.wParam);
            snprintf(sz, sizeof(sz), "lbutton %d,%d", (int)pt->x, (int)pt->y);
        }
        else if (r.message == WM_XLISTCTRL_HEADER_CHECK)
        {
            const XLISTCTRL_CELL* p = reinterpret_cast<const XLISTCTRL_CELL*>(r.wParam);
            snprintf(sz, sizeof(sz), "header row %d col %d", p->nRow, p->nColumn);
        }
        else if (r.message == WM_XLISTCTRL_CHECKBOX_CLICKED || r.message == WM_XLISTCTRL_COLORBOX_CLICKED)
        {
            char* pszText = reinterpret_cast<char*>(r.wParam);
            snprintf(sz, sizeof(sz), "%s %s %lX", r.message == WM_XLISTCTRL_CHECKBOX_CLICKED ? "check" : "colour",
                     pszText, (unsigned long)r.lParam);
            delete[] pszText;
        }
        else
        {
            return;
        }
        m_events.push_back(sz);
    }

    CPoint CellCentre(int nRow, int nColumn)
    {
        CRect rc;
        EXPECT_TRUE(m_list.GetCellRect(nRow, nColumn, rc));
        return rc.CenterPoint();
    }

    CPoint CheckboxCentre(int nRow, int nColumn)
    {
        CRect rc;
        EXPECT_TRUE(m_list.GetCellRect(nRow, nColumn, rc));
        return CPoint(rc.left + XLIST_CHECKBOX_MARGIN + XLIST_CHECKBOX_SIZE / 2, rc.top + rc.Height() / 2);
    }

    // A left click as the mouse gives it: the release is already queued when the press arrives,
    // so the platform's drag detection ends at once.
    void Click(CPoint pt)
    {
        m_list.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        m_list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        AfxPumpPendingMessages();
    }

    void ClickHeader(int nColumn)
    {
        CRect rc;
        m_list.GetHeaderCtrl()->GetItemRect(nColumn, &rc);
        CPoint pt = rc.CenterPoint();
        m_list.m_HeaderCtrl.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        m_list.m_HeaderCtrl.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        AfxPumpPendingMessages();
    }

    std::vector<std::string> Events()
    {
        std::vector<std::string> events;
        for (const std::string& e : m_events)
        {
            if (e.compare(0, 8, "lbutton ") == 0)
                events.push_back("lbutton");
            else
                events.push_back(e);
        }
        return events;
    }

    CMessageRecorder m_parent;
    CXListCtrl m_list;
    std::vector<std::string> m_events;
};

COLORREF Pixel(HWND hWnd, CPoint pt)
{
    HBITMAP hBitmap = WindowPicture::Render(hWnd);
    if (hBitmap == nullptr)
        return CLR_INVALID;
    // The picture includes the frame: client coordinates move by the client's offset.
    CRect rcWindow;
    ::GetWindowRect(hWnd, &rcWindow);
    POINT origin = { 0, 0 };
    ::ClientToScreen(hWnd, &origin);
    COLORREF clr = WindowPicture::PixelAt(hBitmap, pt.x + (origin.x - rcWindow.left), pt.y + (origin.y - rcWindow.top));
    ::DeleteObject(hBitmap);
    return clr;
}

// Allocated blocks in every heap of the process.
int HeapBlocks()
{
    HANDLE heaps[64];
    DWORD n = ::GetProcessHeaps(64, heaps);
    int nBlocks = 0;
    for (DWORD i = 0; i < n && i < 64; ++i)
    {
        if (!::HeapLock(heaps[i]))
            continue;
        PROCESS_HEAP_ENTRY entry = {};
        while (::HeapWalk(heaps[i], &entry))
        {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                ++nBlocks;
        }
        ::HeapUnlock(heaps[i]);
    }
    return nBlocks;
}
}  // namespace

TEST_F(XGridTest, ACheckBoxFlipsOnEachClickAndTellsTheParent)
{
    ASSERT_EQ(1, m_list.SetCheckbox(1, 1, 0));
    Click(CheckboxCentre(1, 1));
    EXPECT_EQ(1, m_list.GetCheckbox(1, 1));
    Click(CheckboxCentre(1, 1));
    EXPECT_EQ(0, m_list.GetCheckbox(1, 1));
    EXPECT_TRUE(SameSequence(Events(), { "lbutton", "check 1|1 1", "lbutton", "check 1|1 0" }));
    // The point handed over is the click's, in client coordinates.
    CPoint pt = CheckboxCentre(1, 1);
    char sz[64];
    snprintf(sz, sizeof(sz), "lbutton %d,%d", (int)pt.x, (int)pt.y);
    EXPECT_EQ(sz, m_events[0]);
}

TEST_F(XGridTest, ADisabledCellSwallowsTheClickWhole)
{
    m_list.SetCheckbox(1, 1, 0);
    m_list.SetCheckbox(2, 1, 1);
    ASSERT_EQ(1, m_list.SetEnabled(1, 1, 0));   // the cell alone
    ASSERT_EQ(1, m_list.SetEnabled(2, 0));      // the whole row
    Click(CheckboxCentre(1, 1));
    Click(CheckboxCentre(2, 1));
    Click(CellCentre(2, 0));
    EXPECT_TRUE(SameSequence(Events(), {}));
    EXPECT_EQ(0, m_list.GetCheckbox(1, 1));
    EXPECT_EQ(1, m_list.GetCheckbox(2, 1));
    // An ordinary cell still reports the click, and only that.
    Click(CellCentre(0, 2));
    EXPECT_TRUE(SameSequence(Events(), { "lbutton" }));
}

TEST_F(XGridTest, AColourBoxOpensTheColourDialogAndPostsTheChoice)
{
    ASSERT_EQ(1, m_list.SetColorboxColor(3, 2, RGB(1, 2, 3)));
    DWORD dwFlags = 0;
    COLORREF clrStart = 0;
    m_script.m_commonAnswers.push_back([&](CCommonDialog* pDlg) -> INT_PTR {
        CColorDialog* pColor = static_cast<CColorDialog*>(pDlg);
        dwFlags = pColor->m_cc.Flags;
        clrStart = pColor->m_cc.rgbResult;
        pColor->m_cc.rgbResult = RGB(0, 200, 0);
        return IDOK;
    });
    Click(CellCentre(3, 2));
    EXPECT_EQ(1u, m_script.Count("colour"));
    EXPECT_TRUE(dwFlags & CC_FULLOPEN);
    EXPECT_EQ(RGB(1, 2, 3), clrStart);
    EXPECT_EQ(RGB(0, 200, 0), m_list.GetColorboxColor(3, 2));
    EXPECT_TRUE(SameSequence(Events(), { "lbutton", "colour 3|2 C800" }));

    // Cancelled: nothing changes, nothing is posted.
    m_events.clear();
    Click(CellCentre(3, 2));
    EXPECT_EQ(2u, m_script.Count("colour"));
    EXPECT_EQ(RGB(0, 200, 0), m_list.GetColorboxColor(3, 2));
    EXPECT_TRUE(SameSequence(Events(), { "lbutton" }));
}

TEST_F(XGridTest, TheHeaderCheckBoxSetsTheWholeColumnButSparesDisabledRows)
{
    for (int r = 0; r < 4; ++r)
        m_list.SetCheckbox(r, 1, 0);
    m_list.SetEnabled(2, 0);
    ASSERT_EQ(1, m_list.SetHeaderCheckedState(1, XHEADER_CHECK_UNCHECKED));
    ClickHeader(1);
    EXPECT_EQ(XHEADER_CHECK_CHECKED, m_list.GetHeaderCheckedState(1));
    EXPECT_EQ(1, m_list.GetCheckbox(0, 1));
    EXPECT_EQ(1, m_list.GetCheckbox(1, 1));
    EXPECT_EQ(0, m_list.GetCheckbox(2, 1));
    EXPECT_EQ(1, m_list.GetCheckbox(3, 1));
    EXPECT_TRUE(SameSequence(Events(), { "header row 0 col 1", "check 0|1 1", "header row 1 col 1", "check 1|1 1",
                                         "header row 2 col 1", "check 2|1 1", "header row 3 col 1", "check 3|1 1" }));
    m_events.clear();
    ClickHeader(1);
    EXPECT_EQ(XHEADER_CHECK_UNCHECKED, m_list.GetHeaderCheckedState(1));
    EXPECT_EQ(0, m_list.CountCheckedItems(1));
    EXPECT_EQ(8u, m_events.size());

    // A column without a header check box leaves the click to the parent.
    m_parent.Clear();
    ClickHeader(2);
    EXPECT_EQ(1u, m_parent.Count(WM_NOTIFY, LVN_COLUMNCLICK));
}

TEST_F(XGridTest, AllRowsDisabledStillReportEveryRowWithACheckBox)
{
    for (int r = 0; r < 4; ++r)
    {
        m_list.SetCheckbox(r, 1, r == 3 ? -1 : 0);
        m_list.SetEnabled(r, 0);
    }
    m_list.SetHeaderCheckedState(1, XHEADER_CHECK_UNCHECKED);
    ClickHeader(1);
    EXPECT_EQ(0, m_list.CountCheckedItems(1));
    EXPECT_TRUE(SameSequence(Events(), { "header row 0 col 1", "check 0|1 1", "header row 1 col 1", "check 1|1 1",
                                         "header row 2 col 1", "check 2|1 1" }));
}

TEST_F(XGridTest, CheckingTheLastUncheckedRowChecksTheHeader)
{
    for (int r = 0; r < 4; ++r)
        m_list.SetCheckbox(r, 1, r == 2 ? 0 : 1);
    m_list.SetHeaderCheckedState(1, XHEADER_CHECK_UNCHECKED);
    Click(CheckboxCentre(2, 1));
    EXPECT_EQ(XHEADER_CHECK_CHECKED, m_list.GetHeaderCheckedState(1));
    Click(CheckboxCentre(0, 1));
    EXPECT_EQ(XHEADER_CHECK_UNCHECKED, m_list.GetHeaderCheckedState(1));
    // SetCheckbox refreshes it too.
    m_list.SetCheckbox(0, 1, 1);
    EXPECT_EQ(XHEADER_CHECK_CHECKED, m_list.GetHeaderCheckedState(1));
    // A column without a header box gets none.
    m_list.SetCheckbox(0, 2, 1);
    EXPECT_EQ(XHEADER_CHECK_NONE, m_list.GetHeaderCheckedState(2));
}

TEST_F(XGridTest, OutOfRangeRowsAndColumnsChangeNothing)
{
    EXPECT_EQ(-1, m_list.GetCheckbox(4, 0));
    EXPECT_EQ(-1, m_list.GetCheckbox(0, 3));
    EXPECT_EQ(-1, m_list.GetCheckbox(-1, 0));
    EXPECT_EQ(0, m_list.SetCheckbox(4, 1, 1));
    EXPECT_EQ(0, m_list.SetCheckbox(0, -1, 1));
    EXPECT_EQ(0, m_list.SetCheckbox(0, 1, 2));
    EXPECT_EQ(0, m_list.SetColorboxColor(0, 3, 0xFF));
    EXPECT_EQ((COLORREF)-1, m_list.GetColorboxColor(9, 0));
    EXPECT_FALSE(m_list.SetItemText(0, 3, "x", 0, 0));
    EXPECT_FALSE(m_list.SetItemText(7, 0, "x"));
    EXPECT_EQ(0, m_list.SetEnabled(5, 0));
    EXPECT_EQ(0, m_list.SetBold(0, 9, 1));
    EXPECT_EQ(0, m_list.SetItemData(-3, 5));
    EXPECT_EQ(0u, m_list.GetItemData(4));
    EXPECT_EQ(-1, m_list.GetHeaderCheckedState(3));
    EXPECT_EQ(0, m_list.SetHeaderCheckedState(3, 1));
    EXPECT_EQ(0, m_list.SetHeaderCheckedState(0, 3));
    EXPECT_FALSE(m_list.DeleteItem(4));
    EXPECT_EQ(4, m_list.GetItemCount());

    // A column added after a row was inserted has no cell in that row; later rows have one.
    m_list.InsertColumn(3, "Late", LVCFMT_LEFT, 60);
    EXPECT_EQ(0, m_list.SetCheckbox(0, 3, 1));
    int nRow = m_list.InsertItem(4, "new row");
    EXPECT_EQ(1, m_list.SetCheckbox(nRow, 3, 1));
    EXPECT_EQ(1, m_list.GetCheckbox(nRow, 3));
}

TEST_F(XGridTest, CellsFollowTheirRowWhenRowsGo)
{
    for (int r = 0; r < 4; ++r)
        m_list.SetItemData(r, 100 + r);
    m_list.SetCheckbox(2, 1, 1);
    ASSERT_TRUE(m_list.DeleteItem(1));
    EXPECT_EQ(102u, m_list.GetItemData(1));
    EXPECT_EQ(1, m_list.GetCheckbox(1, 1));
    // Deleted past the grid's own DeleteItem, a row still takes its cells along.
    m_list.SendMessage(LVM_DELETEITEM, 0);
    EXPECT_EQ(102u, m_list.GetItemData(0));
    // InsertItem with item data keeps it as the row's own value.
    LVITEM item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = 0;
    item.pszText = const_cast<LPSTR>("first");
    item.lParam = 77;
    ASSERT_EQ(0, m_list.InsertItem(&item));
    EXPECT_EQ(77u, m_list.GetItemData(0));
    EXPECT_STREQ("first", m_list.GetItemText(0, 0));
    ASSERT_TRUE(m_list.DeleteAllItems());
    EXPECT_EQ(0, m_list.GetItemCount());
}

TEST_F(XGridTest, PaintedColourBoxesAndCheckBoxesShowTheirState)
{
    m_list.SetColorboxColor(0, 2, RGB(10, 120, 230));
    m_list.SetCheckbox(0, 1, 1);
    m_list.SetCheckbox(1, 1, 0);
    m_list.SetItemText(3, 0, "coloured", RGB(255, 255, 0), RGB(128, 0, 128));
    m_parent.SetFocus();   // not the list: no selection colours in play
    EXPECT_EQ(RGB(10, 120, 230), Pixel(m_list.m_hWnd, CellCentre(0, 2)));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWTEXT), Pixel(m_list.m_hWnd, CheckboxCentre(0, 1)));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), Pixel(m_list.m_hWnd, CheckboxCentre(1, 1)));
    // The box's frame, one pixel in from its left edge's middle.
    CPoint frame = CheckboxCentre(1, 1);
    frame.x -= XLIST_CHECKBOX_SIZE / 2;
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), Pixel(m_list.m_hWnd, frame));
    CRect rc;
    m_list.GetCellRect(3, 0, rc);
    EXPECT_EQ(RGB(128, 0, 128), Pixel(m_list.m_hWnd, CPoint(rc.right - 2, rc.top + 1)));

    // A checked header box is drawn from the header's images.
    m_list.SetHeaderCheckedState(1, XHEADER_CHECK_CHECKED);
    CRect rcHeader;
    m_list.GetHeaderCtrl()->GetItemRect(1, &rcHeader);
    CPoint mark(rcHeader.left + m_list.m_HeaderCtrl.GetSpacing() + XLIST_CHECKBOX_SIZE / 2, rcHeader.top + rcHeader.Height() / 2);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWTEXT), Pixel(m_list.m_HeaderCtrl.m_hWnd, mark));
    m_list.SetHeaderCheckedState(1, XHEADER_CHECK_UNCHECKED);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), Pixel(m_list.m_HeaderCtrl.m_hWnd, mark));
}

TEST_F(XGridTest, ImagesAndTheRegisteredMessageNames)
{
    // A host registers the messages by name and gets the grid's values.
    EXPECT_EQ(WM_XLISTCTRL_CHECKBOX_CLICKED, ::RegisterWindowMessageA("WM_XLISTCTRL_CHECKBOX_CLICKED"));
    EXPECT_EQ(WM_XLISTCTRL_COLORBOX_CLICKED, ::RegisterWindowMessageA("WM_XLISTCTRL_COLORBOX_CLICKED"));
    EXPECT_EQ(WM_XLISTCTRL_COMBO_SELECTION, ::RegisterWindowMessageA("WM_XLISTCTRL_COMBO_SELECTION"));
    EXPECT_NE(WM_XLISTCTRL_CHECKBOX_CLICKED, WM_XLISTCTRL_COLORBOX_CLICKED);

    // A cell's image is drawn at its left, before the text.
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24, 1, 0));
    CBitmap bitmap;
    {
        CClientDC screen(nullptr);
        ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 16, 16));
        CDC memDC;
        memDC.CreateCompatibleDC(&screen);
        CBitmap* pOld = memDC.SelectObject(&bitmap);
        memDC.FillSolidRect(0, 0, 16, 16, RGB(250, 10, 10));
        memDC.SelectObject(pOld);
    }
    images.Add(&bitmap, (CBitmap*)nullptr);
    m_list.SetImageList(&images, LVSIL_SMALL);
    ASSERT_EQ(1, m_list.SetItemImage(2, 2, 0));
    m_parent.SetFocus();
    CRect rc;
    m_list.GetCellRect(2, 2, rc);
    EXPECT_EQ(RGB(250, 10, 10), Pixel(m_list.m_hWnd, CPoint(rc.left + 2 + 8, rc.top + rc.Height() / 2)));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), Pixel(m_list.m_hWnd, CPoint(rc.right - 2, rc.top + rc.Height() / 2)));
    m_list.SetImageList(nullptr, LVSIL_SMALL);
}

TEST_F(XGridTest, SystemColourChangesRebuildTheCheckBoxImagesWithoutLeaking)
{
    m_list.SetHeaderCheckedState(1, XHEADER_CHECK_CHECKED);
    m_list.SendMessage(WM_SYSCOLORCHANGE);
    const int nBefore = TestLeaks::GdiObjects();
    for (int i = 0; i < 20; ++i)
        m_list.SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(nBefore, TestLeaks::GdiObjects());
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), m_list.m_crHighLight);
    EXPECT_EQ(3, m_list.m_cImageList.GetImageCount());
    CRect rcHeader;
    m_list.GetHeaderCtrl()->GetItemRect(1, &rcHeader);
    CPoint mark(rcHeader.left + m_list.m_HeaderCtrl.GetSpacing() + XLIST_CHECKBOX_SIZE / 2, rcHeader.top + rcHeader.Height() / 2);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWTEXT), Pixel(m_list.m_HeaderCtrl.m_hWnd, mark));
}

TEST_F(XGridTest, SelectedRowsUseHighlightWithFocusAndButtonFaceWithout)
{
    m_list.SetItemText(1, 2, "plain");
    m_list.SetCurSel(1);
    EXPECT_EQ(1, m_list.GetCurSel());
    CRect rc;
    m_list.GetCellRect(1, 2, rc);
    CPoint corner(rc.right - 2, rc.top + 1);
    m_list.SetFocus();
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), Pixel(m_list.m_hWnd, corner));
    m_parent.SetFocus();
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), Pixel(m_list.m_hWnd, corner));
    // Without "show selection always" the cells keep their own colours.
    m_list.ModifyStyle(LVS_SHOWSELALWAYS, 0);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), Pixel(m_list.m_hWnd, corner));
    // Without full-row selection only column 0 is highlighted.
    m_list.ModifyStyle(0, LVS_SHOWSELALWAYS);
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() & ~LVS_EX_FULLROWSELECT);
    m_list.SetFocus();
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), Pixel(m_list.m_hWnd, corner));
}

TEST_F(XGridTest, CreatingFillingAndDestroyingLeavesNothingBehind)
{
    auto cycle = [this]() {
        CXListCtrl list;
        // Parented to the plain frame: the recorder would keep a record of every notification.
        ASSERT_TRUE(list.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 300, 200), &m_frame, 701));
        list.InsertColumn(0, "A", LVCFMT_LEFT, 60);
        list.InsertColumn(1, "B", LVCFMT_LEFT, 60);
        for (int r = 0; r < 60; ++r)
        {
            list.InsertItem(r, "cell", RGB(1, 1, 1), RGB(2, 2, 2));
            list.SetCheckbox(r, 1, r % 2);
            list.SetBold(r, 0, 1);
        }
        list.SetHeaderCheckedState(1, XHEADER_CHECK_UNCHECKED);
        list.ShowWindow(SW_SHOW);
        list.UpdateWindow();
        if (HBITMAP hPicture = WindowPicture::Render(list.m_hWnd))
            ::DeleteObject(hPicture);
        list.DeleteItem(3);
        list.DestroyWindow();
    };
    // The first runs create what lives for the process (window classes, the platform's caches).
    for (int i = 0; i < 2; ++i)
        cycle();
    AfxPumpPendingMessages();
    AfxDeleteTempMaps();
    const int nGdi = TestLeaks::GdiObjects();
    const int nWindows = TestLeaks::Windows();
    const int nBlocks = HeapBlocks();
    for (int i = 0; i < 8; ++i)
    {
        cycle();
        AfxPumpPendingMessages();
        AfxDeleteTempMaps();
    }
    // Wine's own caches grow once in a while by a few objects; what the grid leaked would come
    // back in every run, at least one object eight times.
    EXPECT_LT(TestLeaks::GdiObjects() - nGdi, 8);
    EXPECT_EQ(nWindows, TestLeaks::Windows());
    // 480 rows went through, three blocks of cells each: a leak would show in hundreds.
    EXPECT_LT(HeapBlocks() - nBlocks, 100);
}

TEST(XGridHeap, TheHeapCounterSeesAllocations)
{
    const int nBefore = HeapBlocks();
    std::vector<char*> blocks;
    for (int i = 0; i < 1000; ++i)
        blocks.push_back(new char[40]);
    EXPECT_GE(HeapBlocks() - nBefore, 900);
    for (char* p : blocks)
        delete[] p;
}
