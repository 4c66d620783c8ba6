// The extended grid as a host drives it: mouse messages on cells and header, the parent's messages
// decoded (a receiver may change the rows or delete the grid), pixels, the host's item data.
#include "Quarantine.h"
#include "TestHost.h"
#include "TestSupport.h"
#include "WindowPicture.h"
#include "xgrid/XListCtrl.h"

namespace
{
using CGoneGrid = CQuarantined<CXListCtrl>;

class XGridTest : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        ASSERT_TRUE(m_parent.CreateRecorder(nullptr, CRect(20, 20, 520, 420)));
        m_parent.m_answer = [this](const sRecordedMsg& r, LRESULT&) {
            Decode(r);
            return false;
        };
        MakeGrid();
    }
    void TearDown() override
    {
        delete m_pList;
        m_parent.DestroyWindow();
        CGoneGrid::Release();
        HostTest::TearDown();
    }
    // Four rows under the columns Name, Active (check boxes, under a header check box) and Colour.
    void MakeGrid()
    {
        m_pList = new CGoneGrid;
        ASSERT_TRUE(m_pList->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(0, 0, 480, 360),
                                    &m_parent, 700));
        m_pList->SetExtendedStyle(m_pList->GetExtendedStyle() | LVS_EX_FULLROWSELECT);
        m_pList->InsertColumn(0, "Name", LVCFMT_LEFT, 120);
        m_pList->InsertColumn(1, "Active", LVCFMT_LEFT, 80);
        m_pList->InsertColumn(2, "Colour", LVCFMT_LEFT, 80);
        for (int r = 0; r < 4; ++r)
        {
            ASSERT_EQ(r, m_pList->InsertItem(r, ("row " + std::to_string(r)).c_str()));
            m_pList->SetCheckbox(r, 1, 0);
        }
        m_pList->SetHeaderCheckedState(1, XHEADER_CHECK_UNCHECKED);
        m_events.clear();
    }
    // The parent's messages as readable events; the texts the grid hands over are freed here.
    void Decode(const sRecordedMsg& r)
    {
        char sz[128];
        if (r.message == WM_XLISTCTRL_LBUTTONDOWN)
        {
            const CPoint* pt = reinterpret_cast<const CPoint*>(r.wParam);
            m_lastPoint = *pt;
            snprintf(sz, sizeof(sz), "lbutton");
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
        else { return; }
        m_events.push_back(sz);
        if (r.message == m_nActOn && m_onMessage)
            m_onMessage();
    }
    // The middle of a cell, or of the check box at its left.
    CPoint CellCentre(int nRow, int nColumn, bool bBox = false)
    {
        CRect rc;
        EXPECT_TRUE(m_pList->GetCellRect(nRow, nColumn, rc));
        const int nBox = rc.left + XLIST_CHECKBOX_MARGIN + XLIST_CHECKBOX_SIZE / 2;
        return bBox ? CPoint(nBox, rc.CenterPoint().y) : rc.CenterPoint();
    }
    // The middle of a header item, or of its check box.
    CPoint HeaderCentre(int nColumn, bool bBox = false)
    {
        CRect rc;
        m_pList->GetHeaderCtrl()->GetItemRect(nColumn, &rc);
        const int nBox = rc.left + m_pList->m_HeaderCtrl.GetSpacing() + XLIST_CHECKBOX_SIZE / 2;
        return bBox ? CPoint(nBox, rc.CenterPoint().y) : rc.CenterPoint();
    }
    // A left click as the mouse gives it: the release is already queued when the press arrives,
    // so the platform's drag detection ends at once. On the header window when bHeader.
    void Click(CPoint pt, bool bHeader = false)
    {
        const HWND hTarget = bHeader ? m_pList->m_HeaderCtrl.m_hWnd : m_pList->m_hWnd;
        ::PostMessageA(hTarget, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        ::SendMessageA(hTarget, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        AfxPumpPendingMessages();
    }
    void ExpectEvents(std::vector<std::string> expected)
    {
        EXPECT_TRUE(SameSequence(m_events, expected));
        m_events.clear();
    }
    std::string Checks(int nColumn = 1)
    {
        std::string s;
        for (int r = 0; r < m_pList->GetItemCount(); ++r)
            s += "?.x"[m_pList->GetCheckbox(r, nColumn) + 1];
        return s;
    }

    CMessageRecorder m_parent;
    CXListCtrl* m_pList = nullptr;
    std::vector<std::string> m_events;
    CPoint m_lastPoint;
    UINT m_nActOn = 0;   // the message on which m_onMessage runs, once
    std::function<void()> m_onMessage;
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
            nBlocks += (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) != 0;
        ::HeapUnlock(heaps[i]);
    }
    return nBlocks;
}
}  // namespace

TEST_F(XGridTest, CheckBoxClicksFlipTellTheParentAndKeepTheHeaderInStep)
{
    // A host registers the messages by name and gets the grid's values.
    EXPECT_EQ(WM_XLISTCTRL_CHECKBOX_CLICKED, ::RegisterWindowMessageA("WM_XLISTCTRL_CHECKBOX_CLICKED"));
    EXPECT_EQ(WM_XLISTCTRL_COLORBOX_CLICKED, ::RegisterWindowMessageA("WM_XLISTCTRL_COLORBOX_CLICKED"));
    EXPECT_EQ(WM_XLISTCTRL_COMBO_SELECTION, ::RegisterWindowMessageA("WM_XLISTCTRL_COMBO_SELECTION"));
    Click(CellCentre(1, 1, true));
    EXPECT_EQ(CellCentre(1, 1, true), m_lastPoint);   // the click's point, in client coordinates
    Click(CellCentre(1, 1, true));
    ExpectEvents({ "lbutton", "check 1|1 1", "lbutton", "check 1|1 0" });
    EXPECT_EQ("....", Checks());
    // A disabled cell or row swallows the click whole; an ordinary cell reports only the click.
    m_pList->SetCheckbox(2, 1, 1);
    ASSERT_EQ(1, m_pList->SetEnabled(1, 1, 0));
    ASSERT_EQ(1, m_pList->SetEnabled(2, 0));
    Click(CellCentre(1, 1, true));
    Click(CellCentre(2, 1, true));
    Click(CellCentre(2, 0));
    ExpectEvents({});
    Click(CellCentre(0, 2));
    ExpectEvents({ "lbutton" });
    EXPECT_EQ("..x.", Checks());
    // Checking the last unchecked row checks the header; SetCheckbox refreshes it too.
    m_pList->SetEnabled(1, 1, 1);
    m_pList->SetEnabled(2, 1);
    for (int r : { 0, 1, 3 })
        m_pList->SetCheckbox(r, 1, r == 1 ? 0 : 1);
    Click(CellCentre(1, 1, true));
    EXPECT_EQ(XHEADER_CHECK_CHECKED, m_pList->GetHeaderCheckedState(1));
    Click(CellCentre(0, 1, true));
    EXPECT_EQ(XHEADER_CHECK_UNCHECKED, m_pList->GetHeaderCheckedState(1));
    m_pList->SetCheckbox(0, 1, 1);
    EXPECT_EQ(XHEADER_CHECK_CHECKED, m_pList->GetHeaderCheckedState(1));
}

TEST_F(XGridTest, AColourBoxOpensTheColourDialogAndPostsTheChoice)
{
    ASSERT_EQ(1, m_pList->SetColorboxColor(3, 2, RGB(1, 2, 3)));
    m_script.m_commonAnswers.push_back([&](CCommonDialog* pDlg) -> INT_PTR {
        static_cast<CColorDialog*>(pDlg)->m_cc.rgbResult = RGB(0, 200, 0);
        return IDOK;
    });
    Click(CellCentre(3, 2));
    EXPECT_EQ(1u, m_script.Count("colour"));
    EXPECT_EQ(RGB(0, 200, 0), m_pList->GetColorboxColor(3, 2));
    ExpectEvents({ "lbutton", "colour 3|2 C800" });
    // Cancelled: nothing changes, nothing is posted.
    Click(CellCentre(3, 2));
    EXPECT_EQ(2u, m_script.Count("colour"));
    EXPECT_EQ(RGB(0, 200, 0), m_pList->GetColorboxColor(3, 2));
    ExpectEvents({ "lbutton" });
}

// A disabled row is reported but keeps its state; a row without a box is neither.
TEST_F(XGridTest, TheHeaderCheckBoxSetsTheWholeColumnButSparesDisabledRows)
{
    m_pList->SetEnabled(2, 0);
    m_pList->SetCheckbox(3, 1, -1);
    Click(HeaderCentre(1), true);
    EXPECT_EQ(XHEADER_CHECK_CHECKED, m_pList->GetHeaderCheckedState(1));
    EXPECT_EQ("xx.?", Checks());
    ExpectEvents({ "header row 0 col 1", "check 0|1 1", "header row 1 col 1", "check 1|1 1", "header row 2 col 1",
                   "check 2|1 1" });
    Click(HeaderCentre(1), true);
    EXPECT_EQ(XHEADER_CHECK_UNCHECKED, m_pList->GetHeaderCheckedState(1));
    EXPECT_EQ(0, m_pList->CountCheckedItems(1));
    EXPECT_EQ(6u, m_events.size());
    // A column without a header check box leaves the click to the parent.
    m_parent.Clear();
    Click(HeaderCentre(2), true);
    EXPECT_EQ(1u, m_parent.Count(WM_NOTIFY, LVN_COLUMNCLICK));
}

// The header box after rows go: checked when every row left is checked, unchecked when one is not
// or none is left, however the rows were deleted (it once stayed as it was).
TEST_F(XGridTest, TheHeaderBoxFollowsRowsComingAndGoing)
{
    // nUnchecked: the one unchecked row, -1 for none.
    const struct { const char* name; int nUnchecked; std::function<void()> change; int nExpected; } cases[] = {
        { "the only unchecked row", 2, [this] { m_pList->DeleteItem(2); }, XHEADER_CHECK_CHECKED },
        { "it, past the grid", 2, [this] { m_pList->SendMessage(LVM_DELETEITEM, 2); }, XHEADER_CHECK_CHECKED },
        { "a checked row", 2, [this] { m_pList->DeleteItem(0); }, XHEADER_CHECK_UNCHECKED },
        { "every row", -1, [this] { m_pList->DeleteAllItems(); }, XHEADER_CHECK_UNCHECKED },
        { "a new row under a ticked column", -1, [this] { m_pList->InsertItem(4, "new"); }, XHEADER_CHECK_UNCHECKED },
        { "the same, past the grid", -1, [this] { m_pList->CListCtrl::InsertItem(1, "new"); }, XHEADER_CHECK_UNCHECKED },
        { "a new row, then ticked", -1, [this] { m_pList->SetCheckbox(m_pList->InsertItem(0, "new"), 1, 1); },
          XHEADER_CHECK_CHECKED },
        // The parent deletes a row as it hears the click that clears the column.
        { "a row, while the header box clears the column", -1, [this] { Click(HeaderCentre(1), true); },
          XHEADER_CHECK_UNCHECKED },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        delete m_pList;
        MakeGrid();
        for (int r = 0; r < 4; ++r)
            m_pList->SetCheckbox(r, 1, r != c.nUnchecked ? 1 : 0);
        ASSERT_EQ(c.nUnchecked < 0 ? XHEADER_CHECK_CHECKED : XHEADER_CHECK_UNCHECKED, m_pList->GetHeaderCheckedState(1));
        m_nActOn = WM_XLISTCTRL_HEADER_CHECK;
        m_onMessage = [this] {
            if (m_pList->GetItemCount() == 4)
                m_pList->DeleteItem(0);
        };
        c.change();
        m_onMessage = nullptr;
        EXPECT_EQ(c.nExpected, m_pList->GetHeaderCheckedState(1));
    }
}

// Small images the host gives the grid (or takes away) reach the header too: its box stays the
// grid's, drawn where the header draws it, and a click on it still sets the whole column.
TEST_F(XGridTest, TheHeaderBoxStaysTheGridsWhateverSmallImagesTheHostSets)
{
    CImageList hostImages;   // three 16 x 16 icons: the header's indexes 1 and 2 exist in it too
    ASSERT_TRUE(hostImages.Create(16, 16, ILC_COLOR24, 3, 0));
    for (int i = 0; i < 3; ++i)
        hostImages.Add(::LoadIcon(nullptr, IDI_ERROR));
    for (CImageList* pImages : { &hostImages, (CImageList*)nullptr })
    {
        SCOPED_TRACE(pImages != nullptr ? "host images" : "images removed");
        delete m_pList;
        MakeGrid();
        for (int r = 0; r < 4; ++r)
            m_pList->SetCheckbox(r, 1, 1);
        m_pList->SetHeaderCheckedState(1, XHEADER_CHECK_CHECKED);
        m_pList->SetImageList(pImages, LVSIL_SMALL);
        const CPoint mark = HeaderCentre(1, true);
        EXPECT_EQ(::GetSysColor(COLOR_WINDOWTEXT), Pixel(m_pList->m_HeaderCtrl.m_hWnd, mark));   // the tick
        Click(mark, true);
        EXPECT_EQ(0, m_pList->CountCheckedItems(1));
        EXPECT_EQ(XHEADER_CHECK_UNCHECKED, m_pList->GetHeaderCheckedState(1));
    }
}

// The receiver of the first header or check-box message deletes the top row, inserts a row on top or
// deletes the grid. The header box once kept its row number across the messages: a row was skipped or
// reported twice. Every row there at the click is set and reported once; a deleted grid is left alone.
TEST_F(XGridTest, ReceiverChangingRowsOrDeletingTheGridLosesNothing)
{
    enum eAction { kDeleteTop, kInsertTop, kDeleteGrid };
    const UINT kCheck = WM_XLISTCTRL_CHECKBOX_CLICKED, kHeader = WM_XLISTCTRL_HEADER_CHECK;
    const struct { const char* name; bool bHeader; UINT nOn; eAction action; const char* rows; int nChecks; } cases[] = {
        { "cell box, grid deleted", false, kCheck, kDeleteGrid, "", 1 },
        { "header box, grid deleted", true, kCheck, kDeleteGrid, "", 1 },
        { "header box, its row deleted", true, kHeader, kDeleteTop, "row 1/x row 2/x row 3/x ", 3 },
        { "header box, row inserted on top", true, kCheck, kInsertTop, "new/. row 0/x row 1/x row 2/x row 3/x ", 4 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        delete m_pList;
        MakeGrid();
        m_nActOn = c.nOn;
        m_onMessage = [&] {
            m_onMessage = nullptr;
            if (c.action == kDeleteTop)
                m_pList->DeleteItem(0);
            else if (c.action == kInsertTop)
                m_pList->SetCheckbox(m_pList->InsertItem(0, "new"), 1, 0);
            else
            {
                delete m_pList;
                m_pList = nullptr;
            }
        };
        const HWND hList = m_pList->m_hWnd;
        Click(c.bHeader ? HeaderCentre(1) : CellCentre(1, 1, true), c.bHeader);
        m_onMessage = nullptr;
        EXPECT_EQ(c.nChecks, std::count_if(m_events.begin(), m_events.end(),
                                           [](const std::string& e) { return e.rfind("check", 0) == 0; }));
        m_events.clear();
        EXPECT_EQ(c.action != kDeleteGrid, ::IsWindow(hList) != FALSE);
        EXPECT_EQ(0u, CGoneGrid::WrittenAfterDelete());
        CGoneGrid::Release();
        if (m_pList == nullptr)
            continue;
        std::string rows;
        for (int r = 0; r < m_pList->GetItemCount(); ++r)
            rows += std::string((LPCTSTR)m_pList->GetItemText(r, 0)) + "/" + Checks().substr(r, 1) + " ";
        EXPECT_EQ(c.rows, rows);
    }
}

TEST_F(XGridTest, ItemDataSetThroughTheBaseListIsTheHostsAndNeverFreed)
{
    // The host's own row record: freeing it as a cell array would corrupt the heap or crash. Put
    // over a row of the grid's (its cells then are the grid's to release), or inserted with the row.
    static char hostRecord[256] = "host record";
    for (bool bOverGridRow : { true, false })
    {
        SCOPED_TRACE(bOverGridRow ? "base SetItemData on a grid row" : "base InsertItem with LVIF_PARAM");
        auto insert = [&] {
            if (!bOverGridRow)
                return m_pList->CListCtrl::InsertItem(LVIF_TEXT | LVIF_PARAM, 3, "host row", 0, 0, 0, (LPARAM)hostRecord);
            m_pList->SetCheckbox(m_pList->InsertItem(3, "grid row"), 1, 1);
            return m_pList->CListCtrl::SetItemData(3, (DWORD_PTR)hostRecord) ? 3 : -1;
        };
        delete m_pList;
        MakeGrid();
        m_pList->SetCheckbox(0, 1, 1);
        const int nRow = insert();
        ASSERT_EQ(3, nRow);
        // A plain row: no cells to read or change, the host's value kept where it put it.
        EXPECT_EQ((DWORD_PTR)hostRecord, m_pList->CListCtrl::GetItemData(nRow));
        EXPECT_EQ(-1, m_pList->GetCheckbox(nRow, 1));
        EXPECT_EQ(0, m_pList->SetCheckbox(nRow, 1, 1));
        EXPECT_EQ(0u, m_pList->GetItemData(nRow));
        EXPECT_EQ(1, m_pList->CountCheckedItems(1));   // the grid's own cells only
        m_pList->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_TRUE(m_pList->DeleteItem(nRow));
        EXPECT_EQ(1, m_pList->CountCheckedItems(1));
        insert();
        // Deleting every row, then the grid, leaves the host's record alone.
        EXPECT_TRUE(m_pList->DeleteAllItems());
        EXPECT_EQ(0, m_pList->CountCheckedItems(1));
        insert();
        delete m_pList;
        m_pList = nullptr;
        EXPECT_STREQ("host record", hostRecord);
    }
}

TEST_F(XGridTest, OutOfRangeRowsColumnsAndValuesChangeNothing)
{
    CXListCtrl& l = *m_pList;
    EXPECT_EQ(-1, l.GetCheckbox(4, 0));
    EXPECT_EQ(-1, l.GetCheckbox(0, 3));
    EXPECT_EQ(0, l.SetCheckbox(-1, 1, 1));
    EXPECT_EQ(0, l.SetCheckbox(0, 1, 2));
    EXPECT_EQ(0, l.SetColorboxColor(0, 3, 0xFF));
    EXPECT_EQ((COLORREF)-1, l.GetColorboxColor(9, 0));
    EXPECT_FALSE(l.SetItemText(0, 3, "x", 0, 0));
    EXPECT_FALSE(l.SetItemText(7, 0, "x"));
    EXPECT_EQ(0, l.SetEnabled(5, 0));
    EXPECT_EQ(0, l.SetBold(0, 9, 1));
    EXPECT_EQ(0, l.SetItemData(-3, 5));
    EXPECT_EQ(0, l.SetHeaderCheckedState(3, 1));
    EXPECT_EQ(0, l.SetHeaderCheckedState(0, 3));
    EXPECT_FALSE(l.DeleteItem(4));
    EXPECT_EQ(4, l.GetItemCount());
    // A column added after a row was inserted has no cell in that row; later rows have one.
    l.InsertColumn(3, "Late", LVCFMT_LEFT, 60);
    EXPECT_EQ(0, l.SetCheckbox(0, 3, 1));
    EXPECT_EQ(1, l.SetCheckbox(l.InsertItem(4, "new row"), 3, 1));
}

// One picture without the focus: colour box, check boxes, a cell's own colours, a cell image, a
// selected row in button face; then the header box drawn from images rebuilt on a colour change.
TEST_F(XGridTest, PaintedCellsShowTheirStateImagesAndColours)
{
    CXListCtrl& l = *m_pList;
    const HWND hList = l.m_hWnd;
    l.SetColorboxColor(0, 2, RGB(10, 120, 230));
    l.SetCheckbox(0, 1, 1);
    l.SetItemText(3, 0, "coloured", RGB(255, 255, 0), RGB(128, 0, 128));
    l.SetItemText(l.InsertItem(4, "selected"), 2, "plain");
    l.SetCurSel(4);
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24, 1, 0));
    const std::vector<DWORD> red(16 * 16, 0x00FA0A0A);   // RGB(250, 10, 10)
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(16, 16, 1, 32, red.data()));
    images.Add(&bitmap, (CBitmap*)nullptr);
    l.SetImageList(&images, LVSIL_SMALL);
    ASSERT_EQ(1, l.SetItemImage(2, 2, 0));
    m_parent.SetFocus();
    CRect rcImage, rcText, rcSelected;
    l.GetCellRect(2, 2, rcImage);
    l.GetCellRect(3, 0, rcText);
    l.GetCellRect(4, 2, rcSelected);
    const CPoint frame = CellCentre(1, 1, true) - CPoint(XLIST_CHECKBOX_SIZE / 2, 0);   // the box's left edge
    struct sPixel { const char* name; CPoint pt; COLORREF expected; } const pixels[] = {
        { "colour box", CellCentre(0, 2), RGB(10, 120, 230) },
        { "checked box", CellCentre(0, 1, true), ::GetSysColor(COLOR_WINDOWTEXT) },
        { "unchecked box", CellCentre(1, 1, true), ::GetSysColor(COLOR_WINDOW) },
        { "box frame", frame, ::GetSysColor(COLOR_BTNSHADOW) },
        { "cell's own background", CPoint(rcText.right - 2, rcText.top + 1), RGB(128, 0, 128) },
        { "cell image", CPoint(rcImage.left + 2 + 8, rcImage.CenterPoint().y), RGB(250, 10, 10) },
        { "right of the image", CPoint(rcImage.right - 2, rcImage.CenterPoint().y), ::GetSysColor(COLOR_WINDOW) },
        { "selected, no focus", CPoint(rcSelected.right - 2, rcSelected.top + 1), ::GetSysColor(COLOR_BTNFACE) },
    };
    for (const sPixel& p : pixels)
        EXPECT_EQ(p.expected, Pixel(hList, p.pt)) << p.name;
    l.SetImageList(nullptr, LVSIL_SMALL);
    l.SetHeaderCheckedState(1, XHEADER_CHECK_CHECKED);
    l.SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWTEXT), Pixel(l.m_HeaderCtrl.m_hWnd, HeaderCentre(1, true)));
    l.SetHeaderCheckedState(1, XHEADER_CHECK_UNCHECKED);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), Pixel(l.m_HeaderCtrl.m_hWnd, HeaderCentre(1, true)));
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
    std::vector<char*> probe(1000);   // the heap counter sees allocations
    for (char*& p : probe)
        p = new char[40];
    EXPECT_GE(HeapBlocks() - nBlocks, 900);
    for (char* p : probe)
        delete[] p;
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

// Cells, item data and checked counts follow their rows whatever deletes them; what the host reads
// back through the base list (GetItemText, a find by text) is the cell's own text, empty where a row
// has no cell.
TEST_F(XGridTest, CellsTextsAndDataFollowTheirRows)
{
    for (int r = 0; r < 4; ++r)
    {
        m_pList->SetItemData(r, 100 + r);
        m_pList->SetCheckbox(r, 1, r != 1);
    }
    EXPECT_EQ(3, m_pList->CountCheckedItems(1));
    ASSERT_TRUE(m_pList->DeleteItem(1));
    EXPECT_EQ(102u, m_pList->GetItemData(1));
    EXPECT_EQ("xxx", Checks());
    // Deleted past the grid's own DeleteItem, a row still takes its cells along.
    m_pList->SendMessage(LVM_DELETEITEM, 0);
    EXPECT_EQ(102u, m_pList->GetItemData(0));
    EXPECT_EQ(2, m_pList->CountCheckedItems(1));
    CXListCtrl& l = *m_pList;
    auto texts = [&l](std::initializer_list<int> columns) {
        std::string s;
        for (int r = 0; r < l.GetItemCount(); ++r)
            for (int c : columns)
                s += (LPCTSTR)static_cast<CListCtrl&>(l).GetItemText(r, c) + std::string("|");
        return s;
    };
    for (const std::string& text : { std::string(), std::string("Soci\xe9t\xe9 G\xe9n\xe9rale"),
                                     std::string(100 * 1024, '7') + "end" })
    {
        SCOPED_TRACE(text.size());
        l.DeleteAllItems();
        ASSERT_EQ(0, l.InsertItem(0, "RELIANCE"));
        ASSERT_EQ(1, l.InsertItem(1, text.c_str(), RGB(0, 0, 0), RGB(255, 255, 255)));
        ASSERT_TRUE(l.SetItemText(0, 1, text.c_str()));
        ASSERT_TRUE(l.SetItemText(1, 1, "2,000.00", (COLORREF)-1, (COLORREF)-1));
        EXPECT_EQ("RELIANCE|" + text + "|" + text + "|2,000.00|", texts({ 0, 1 }));
    }
    l.DeleteAllItems();
    for (const char* symbol : { "INFY", "TCS", "HDFC" })
        l.SetItemText(l.InsertItem(l.GetItemCount(), symbol), 1, symbol + 1);
    ASSERT_TRUE(l.DeleteItem(0));
    l.InsertColumn(3, "Volume", LVCFMT_RIGHT, 80);   // older rows have no cell there
    l.InsertItem(2, "ITC");
    EXPECT_TRUE(l.SetItemText(2, 3, "5000"));
    EXPECT_FALSE(l.SetItemText(0, 3, "1"));
    EXPECT_EQ("TCS|CS|||HDFC|DFC|||ITC|||5000|", texts({ 0, 1, 2, 3 }));
    LVFINDINFOA find = {};
    find.flags = LVFI_STRING;
    find.psz = "HDFC";
    EXPECT_EQ(1, (int)l.SendMessage(LVM_FINDITEMA, (WPARAM)-1, (LPARAM)&find));
}
