// Rows of a filter list reordered with the mouse (normal and reverse display): dropped rows land in
// order with their check states, drops that must move nothing, the header check box following the
// rows' own check states. Hosts that change the rows or destroy the list from inside a call the
// list makes into them: the column text routine (asked while re-filtering, re-filtering one row,
// giving a row its data, painting, dropping dragged rows or sorting), the parent hearing a drop
// highlight go or of a filter-button click. The list ends up showing exactly the rows the host
// left, each with its own values and check box, and a list that is gone is not touched again.
#include "FilterListFixture.h"
#include "RowDrag.h"
#include "filter/FilterText.h"
#include "market/MultiLineListCtrl.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace
{
const int kBelowRows = -1;   // drop on the empty area below the last row
const int kPrice = 1;

// The storage of a deleted list is kept and filled with a pattern instead of being freed, so a list
// that still read its members after the host deleted it would find a window handle that is not
// null and not its own, counts that differ from the ones it kept, and pointers that fault.
void* s_pKept = nullptr;

template <class Base>
class CKeptList : public Base
{
public:
    static void* operator new(size_t n) { return ::operator new(n); }
    static void operator delete(void* p, size_t n)
    {
        memset(p, 0x11, n);
        s_pKept = p;
    }
};
}  // namespace

class FilterListDragTest : public FilterListTest
{
protected:
    void Fill(const Texts& symbols, bool bReverse = false)
    {
        Build();
        m_list.m_bRowDrag = 1;
        m_list.SetReverseDisplay(bReverse);
        Refill(symbols);
        m_list.PopulateList();
    }
    void Select(const std::vector<int>& rows)
    {
        m_list.SetItemState(-1, 0, LVIS_SELECTED);
        for (int r : rows)
            m_list.SetItemState(r, LVIS_SELECTED, LVIS_SELECTED);
    }
    CPoint DropPoint(int nRow)
    {
        CRect client;
        m_list.GetClientRect(&client);
        return nRow == kBelowRows ? CPoint(40, client.bottom - 10) : RowDrag::RowPoint(m_list.m_hWnd, nRow);
    }
    // Symbols of the rows whose check box is ticked (or that are selected), top to bottom.
    Texts Checked(bool bSelected = false)
    {
        Texts shown = Shown(), rows;
        for (size_t r = 0; r < shown.size(); ++r)
            if (bSelected ? m_list.GetItemState((int)r, LVIS_SELECTED) != 0 : m_list.GetCheck((int)r) != 0)
                rows.push_back(shown[r]);
        return rows;
    }
};

TEST_F(FilterListDragTest, DroppedRowsLandInOrderAndKeepTheirChecks)
{
    const struct
    {
        const char* name;
        bool bReverse;
        std::vector<int> selected;   // screen rows; the press is on the first
        int nDrop;                   // screen row, or kBelowRows
        Texts expected;
    } cases[] = {
        { "one row down", false, { 0 }, 2, { "B", "C", "A", "D", "E" } },
        { "one row up", false, { 4 }, 1, { "A", "E", "B", "C", "D" } },
        { "one row below the rows", false, { 1 }, kBelowRows, { "A", "C", "D", "E", "B" } },
        { "reverse, top row on row 2", true, { 0 }, 2, { "D", "C", "E", "B", "A" } },
        { "two rows up", false, { 3, 4 }, 1, { "A", "D", "E", "B", "C" } },
        { "two rows down", false, { 0, 1 }, 3, { "C", "D", "A", "B", "E" } },
        { "reverse, two rows down", true, { 0, 1 }, 3, { "C", "B", "E", "D", "A" } },
        { "rows apart onto a row between", false, { 0, 4 }, 2, { "B", "C", "A", "E", "D" } },
        { "all but one onto one of themselves", false, { 0, 2, 3, 4 }, 0, { "A", "C", "D", "E", "B" } },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        Fill({ "A", "B", "C", "D", "E" }, c.bReverse);
        // A and D carry ticks wherever they go.
        Texts shown = Shown(), expectedChecked;
        for (size_t r = 0; r < shown.size(); ++r)
            m_list.SetCheck((int)r, shown[r] == "A" || shown[r] == "D");
        Select(c.selected);
        RowDrag::Drag(m_list.m_hWnd, c.selected.front(), DropPoint(c.nDrop));
        EXPECT_EQ(c.expected, Shown());
        std::copy_if(c.expected.begin(), c.expected.end(), std::back_inserter(expectedChecked),
                     [](const std::string& s) { return s == "A" || s == "D"; });
        EXPECT_EQ(expectedChecked, Checked());
        EXPECT_TRUE(Checked(true).empty());
        EXPECT_FALSE(m_list.IsDragging());
        EXPECT_NE(m_list.m_hWnd, ::GetCapture());
        ExpectInvariants();
    }
}

TEST_F(FilterListDragTest, DropsThatMoveNothing)
{
    // Released over another window, or the option is off.
    CWnd other;
    ASSERT_TRUE(other.CreateEx(WS_EX_TOPMOST, "STATIC", "other", WS_POPUP | WS_VISIBLE, CRect(700, 100, 900, 300), nullptr, 0));
    Fill({ "A", "B", "C" });
    Select({ 0 });
    CPoint overOther(750, 150);
    m_list.ScreenToClient(&overOther);
    RowDrag::Drag(m_list.m_hWnd, 0, overOther);
    EXPECT_EQ((Texts{ "A", "B", "C" }), Shown());
    EXPECT_EQ((Texts{ "A" }), Checked(true));   // nothing dropped, selection kept
    other.DestroyWindow();
    Fill({ "A", "B", "C" });
    m_list.m_bRowDrag = 0;
    Select({ 0 });
    RowDrag::Drag(m_list.m_hWnd, 0, DropPoint(2));
    EXPECT_EQ((Texts{ "A", "B", "C" }), Shown());
}

TEST_F(FilterListDragTest, HeaderBoxFollowsTheRowRecords)
{
    Fill({ "A", "B", "C" });
    m_list.EnableHeaderCheckBox();
    m_list.CheckAllItems(1);
    EXPECT_EQ((Texts{ "A", "B", "C" }), Checked());
    EXPECT_EQ(1, m_list.GetHeaderCheckboxState());
    m_list.SetCheck(1, 0);   // as a click on the row's box does
    EXPECT_EQ(0, m_list.GetHeaderCheckboxState());
    m_list.SetMapItemCheck(1, 1);
    Pump();
    EXPECT_EQ(1, m_list.GetHeaderCheckboxState());
    m_list.DeleteAllItems();
    EXPECT_EQ(0, m_list.GetHeaderCheckboxState());   // an empty list never shows it checked
}

class FilterListHostileTest : public FilterListDragTest
{
protected:
    enum eAction
    {
        kDeleteAll,
        kDeleteFirst,   // the first record (DeleteMapItem)
        kDeleteTop,     // the top shown row (DeleteItem)
        kAddRows,
        kFilterModeOff,
        kDestroy
    };

    FilterListHostileTest() { m_dwExtraStyle = LVS_OWNERDRAWFIXED; }
    void TearDown() override
    {
        s_nCountdown = 0;
        s_pTest = nullptr;
        FilterListDragTest::TearDown();
    }

    static FilterListHostileTest* s_pTest;
    static int s_nCountdown;   // the routine's call that acts; 0: disarmed

    static int HostileText(ULONGLONG dwItemData, int nColumn, CString& text, unsigned long& clrText,
                           unsigned long& clrBack, int& nImage)
    {
        int nResult = ColumnText(dwItemData, nColumn, text, clrText, clrBack, nImage);
        if (s_nCountdown > 0 && --s_nCountdown == 0)
            s_pTest->Act();
        return nResult;
    }

    void Act()
    {
        ++m_nActed;
        switch (m_action)
        {
        case kDeleteAll:
            m_list.DeleteAllItems();
            break;
        case kDeleteFirst:
            m_list.DeleteMapItem(0);
            break;
        case kDeleteTop:
            m_list.DeleteItem(0);
            break;
        case kAddRows:
            for (int i = 0; i < m_nAdd; ++i)
                Add(("N" + std::to_string(i)).c_str(), "5", "NSE");
            break;
        case kFilterModeOff:
            m_list.SetUseFilter(FALSE);
            break;
        case kDestroy:
            m_list.DestroyWindow();
            m_nTextCallsAtDestroy = s_nTextCalls;
            break;
        }
    }

    // The rows on NSE with distinct prices, A and D ticked, filtered on NSE (so that a repopulation
    // asks the routine), trends on the price, all painted once (every trend record steady); then
    // the hostile routine in place, disarmed.
    void Start(const Texts& symbols)
    {
        if (m_list.GetSafeHwnd() == nullptr)
        {
            ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | m_dwExtraStyle,
                                      CRect(0, 0, 580, 380), &m_host, 1001));
        }
        m_list.SetUseFilter(TRUE);   // the rows are the list's own again
        m_list.DeleteAllItems();
        m_rows.clear();
        Build();
        m_list.m_bRowDrag = 1;
        for (size_t i = 0; i < symbols.size(); ++i)
            Add(symbols[i].c_str(), std::to_string(10 * (i + 1)).c_str(), "NSE");
        SetTrends({ kPrice });
        m_list.m_nTrendInterval = 100000;
        CString filter = "NSE";
        m_list.AddToFilteredCols(2, filter);
        m_list.PopulateList();
        for (int r = 0; r < (int)symbols.size(); ++r)
            m_list.SetMapItemCheck(r, symbols[(size_t)r] == "A" || symbols[(size_t)r] == "D");
        Repaint();
        s_pTest = this;
        m_nActed = 0;
        m_list.InitColumnTextRtn(&FilterListHostileTest::HostileText);
    }
    // "symbol/check" of each shown row, top to bottom.
    Texts Rows()
    {
        Texts shown = Shown(), rows;
        for (size_t r = 0; r < shown.size(); ++r)
            rows.push_back(shown[r] + (m_list.GetCheck((int)r) ? "/x" : "/."));
        return rows;
    }

    eAction m_action = kDeleteAll;
    int m_nAdd = 1;
    int m_nActed = 0;
    int m_nTextCallsAtDestroy = 0;
};

FilterListHostileTest* FilterListHostileTest::s_pTest = nullptr;
int FilterListHostileTest::s_nCountdown = 0;

TEST_F(FilterListHostileTest, RowsChangedFromInsideTheRoutineLeaveTheRowsTheHostLeft)
{
    const struct
    {
        const char* name;
        int nCountdown;      // the routine's call that acts
        bool bS5Leaves;      // S5 moved to BSE first: it no longer passes
        const char* pszNew;  // a row the path adds
        std::function<void()> run;
    } paths[] = {
        { "PopulateList (fourth row)", 4, false, nullptr, [this] { m_list.PopulateList(); } },
        { "RepaintMapItem", 1, true, nullptr, [this] { m_list.RepaintMapItem(5); } },
        { "RepaintDisplayItem", 1, true, nullptr, [this] { m_list.RepaintDisplayItem(5); } },
        { "InsertItem+SetItemData", 1, false, "NEW", [this] { Add("NEW", "7", "NSE"); } },
        { "InsertItem+SetItemData, failing the filter", 1, false, nullptr, [this] { Add("NEW", "7", "BSE"); } },
        { "painting (second row)", 5, false, nullptr, [this] { Repaint(); } },
    };
    m_nAdd = 50;
    for (const auto& path : paths)
    {
        for (eAction action : { kDeleteAll, kDeleteFirst, kAddRows, kFilterModeOff })
        {
            SCOPED_TRACE(std::string(path.name) + ", routine does action " + std::to_string(action));
            Texts expected;
            for (int i = 0; i < 10; ++i)
                expected.push_back("S" + std::to_string(i));
            Start(expected);
            m_action = action;
            if (path.bS5Leaves)
            {
                Row(5)->exchange = "BSE";
                expected.erase(expected.begin() + 5);
            }
            if (path.pszNew != nullptr)
                expected.push_back(path.pszNew);
            s_nCountdown = path.nCountdown;
            path.run();
            ASSERT_EQ(1, m_nActed) << "the routine was not called as often as the path needs";
            Pump();
            Repaint();
            if (action == kDeleteAll || action == kFilterModeOff)
                expected.clear();
            else if (action == kDeleteFirst)
                expected.erase(expected.begin());
            for (int i = 0; action == kAddRows && i < 50; ++i)
                expected.push_back("N" + std::to_string(i));
            ExpectInvariants();
            EXPECT_EQ(expected, Shown());
            // No price changed: a trend record that took a neighbour's value would show a mark.
            CTrendValueArray* pArray = nullptr;
            if (m_list.m_bUseFilter && m_list.m_mapTrend.Lookup(kPrice, pArray) && pArray != nullptr)
            {
                for (INT_PTR m = 0; m < pArray->GetSize(); ++m)
                    EXPECT_TRUE(pArray->GetAt(m)->nState != 1 && pArray->GetAt(m)->nState != 2)
                        << "row " << MapSymbols()[(size_t)m] << " marked as risen or fallen";
            }
        }
    }
}

// D and E dragged onto B with the mouse, or a sort by a click on the Symbol title, while the host
// deletes the top row, adds a row or destroys the list: when it hears the drop highlight go, or when
// the routine is asked for a text after that (the list repopulates) or by the sort.
TEST_F(FilterListHostileTest, HostChangingRowsDuringADropOrSortLosesOrMixesNothing)
{
    enum ePhase { kHighlightGoes, kColumnText, kSortClick };
    const struct
    {
        const char* name;
        ePhase phase;
        eAction action;
        bool bOrdered;   // else only that each row is there
        Texts expected;
    } cases[] = {
        { "highlight goes, top deleted", kHighlightGoes, kDeleteTop, true, { "D/x", "E/.", "B/.", "C/." } },
        { "highlight goes, row added", kHighlightGoes, kAddRows, false, { "N0/.", "A/x", "D/x", "E/.", "B/.", "C/." } },
        { "highlight goes, list destroyed", kHighlightGoes, kDestroy, true, {} },
        { "highlight goes, all deleted (the dragged rows gone)", kHighlightGoes, kDeleteAll, true, {} },
        { "text asked, top deleted", kColumnText, kDeleteTop, false, { "B/.", "C/.", "D/x", "E/." } },
        { "text asked, row added", kColumnText, kAddRows, false, { "N0/.", "A/x", "D/x", "E/.", "B/.", "C/." } },
        { "text asked, list destroyed", kColumnText, kDestroy, true, {} },
        { "sort asks a text, top deleted", kSortClick, kDeleteTop, false, { "B/.", "C/.", "D/x", "E/." } },
        { "sort asks a text, row added", kSortClick, kAddRows, false, { "N0/.", "A/x", "D/x", "E/.", "B/.", "C/." } },
        { "sort asks a text, list destroyed", kSortClick, kDestroy, true, {} },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        Start({ "A", "B", "C", "D", "E" });
        HWND hList = m_list.m_hWnd;
        m_action = c.action;
        if (c.phase == kSortClick)
        {
            s_nCountdown = 1;
            ClickHeader(0);
        }
        else
        {
            Select({ 3, 4 });
            CPoint to = RowDrag::RowPoint(hList, 1);
            RowDrag::Begin(hList, RowDrag::RowPoint(hList, 3), to);
            ASSERT_TRUE(m_list.IsDragging());
            // Paints before the release ask for texts too: the host acts only once the drop began.
            bool bArmed = true;
            auto populate = m_host.m_answer;
            m_host.m_answer = [&](const sRecordedMsg& record, LRESULT& lResult) {
                if (bArmed && record.message == WM_NOTIFY && record.code == LVN_ITEMCHANGED && record.hwndFrom == hList)
                {
                    bArmed = false;
                    if (c.phase == kHighlightGoes)
                        Act();
                    else
                        s_nCountdown = 1;
                }
                return populate(record, lResult);
            };
            RowDrag::Release(hList, to);
            m_host.m_answer = populate;
        }
        s_nCountdown = 0;
        EXPECT_EQ(1, m_nActed);
        if (c.action == kDestroy)
        {
            EXPECT_FALSE(::IsWindow(hList));
            EXPECT_FALSE(m_list.IsDragging());
            EXPECT_EQ(m_nTextCallsAtDestroy, s_nTextCalls);   // no text asked for a list that is gone
            continue;
        }
        Texts rows = Rows(), expected = c.expected;
        if (!c.bOrdered)
        {
            std::sort(rows.begin(), rows.end());
            std::sort(expected.begin(), expected.end());
        }
        EXPECT_EQ(expected, rows);
        ExpectInvariants();
    }
}

// The host deletes the list (the object) from inside its column text routine while the list
// filters rows: the list stops at once and reads nothing of itself again (its kept storage holds a
// pattern where its members were).
CCommonListCtrl* s_pDeleteInRoutine = nullptr;
int s_nRoutineCalls = 0, s_nDeleteAtCall = 0;
int DeletingText(ULONGLONG, int, CString& text, unsigned long&, unsigned long&, int&)
{
    text = "NSE";
    if (++s_nRoutineCalls == s_nDeleteAtCall && s_pDeleteInRoutine != nullptr)
    {
        delete s_pDeleteInRoutine;
        s_pDeleteInRoutine = nullptr;
    }
    return 1;
}
int DeletingLineText(ULONGLONG dwValue, int nColumn, CString& text, unsigned long& c1, unsigned long& c2, int& nImage, int)
{
    return DeletingText(dwValue, nColumn, text, c1, c2, nImage);
}

TEST_F(FilterListHostileTest, ListDeletedInsideTheRoutineIsNotTouchedAgain)
{
    const struct
    {
        const char* name;
        bool bMultiLine;
        int nDeleteAtCall;
        std::function<void(CCommonListCtrl*)> run;
    } cases[] = {
        { "filter list populate", false, 3, [](CCommonListCtrl* p) { static_cast<CFilterListCtrl*>(p)->PopulateList(); } },
        { "filter list RepaintMapItem", false, 1, [](CCommonListCtrl* p) { static_cast<CFilterListCtrl*>(p)->RepaintMapItem(4); } },
        { "filter list SetItemData", false, 1, [](CCommonListCtrl* p) { static_cast<CFilterListCtrl*>(p)->SetItemData(2, 99); } },
        { "multi-line populate", true, 3, [](CCommonListCtrl* p) { static_cast<CMultiLineListCtrl*>(p)->PopulateList(); } },
        { "multi-line SetItemData", true, 1, [](CCommonListCtrl* p) { static_cast<CMultiLineListCtrl*>(p)->SetItemData(2, 99); } },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        CCommonListCtrl* pList = c.bMultiLine ? static_cast<CCommonListCtrl*>(new CKeptList<CMultiLineListCtrl>)
                                              : static_cast<CCommonListCtrl*>(new CKeptList<CFilterListCtrl>);
        ASSERT_TRUE(pList->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, CRect(0, 0, 580, 380), &m_host, 1003));
        sOrvoColInfo info = {};
        strcpy(info.szColName, "Exch");
        info.nWidth = 80;
        pList->m_arrColInfo.Add(info);
        auto* pMulti = c.bMultiLine ? static_cast<CMultiLineListCtrl*>(pList) : nullptr;
        auto* pFilter = c.bMultiLine ? nullptr : static_cast<CFilterListCtrl*>(pList);
        CString filter = "NSE";
        if (pMulti != nullptr)
        {
            pMulti->InitColumnTextRtn(&DeletingLineText);
            pMulti->InsertColumnsForList(nullptr);
            pMulti->SetUseFilter(TRUE);
            for (int i = 0; i < 10; ++i)
            {
                pMulti->InsertItem(0, "");
                pMulti->SetItemData(0, (DWORD_PTR)(i + 1));
            }
            pMulti->SetColumnFilter(0, filter, 0);
        }
        else
        {
            pFilter->InitColumnTextRtn(&DeletingText);
            pFilter->InsertColumnsForList();
            pFilter->SetUseFilter(TRUE);
            for (int i = 0; i < 10; ++i)
            {
                pFilter->InsertItem(0, "", 0);
                pFilter->SetItemData(0, (DWORD_PTR)(i + 1));
            }
            pFilter->AddToFilteredCols(0, filter);
            pFilter->PopulateList();
        }
        const HWND hList = pList->m_hWnd;
        s_nRoutineCalls = 0;
        s_nDeleteAtCall = c.nDeleteAtCall;
        s_pDeleteInRoutine = pList;
        c.run(pList);
        EXPECT_EQ(nullptr, s_pDeleteInRoutine) << "the routine was not called as often as the path needs";
        EXPECT_EQ(c.nDeleteAtCall, s_nRoutineCalls) << "the list went on after it was deleted";
        EXPECT_FALSE(::IsWindow(hList));
        EXPECT_NE(nullptr, s_pKept);
        ::operator delete(s_pKept);
        s_pKept = nullptr;
        s_pDeleteInRoutine = nullptr;
    }
}

// The host deletes the list (the object) or only destroys its window while it hears of a click on
// a header filter button: neither the filter list nor the multi-line list opens its value popup or
// reads anything of itself afterwards (the freed object's window handle was checked once).
TEST_F(FilterListHostileTest, ListGoneInsideTheFilterButtonNotificationIsNotTouchedAgain)
{
    for (int nCase = 0; nCase < 4; ++nCase)
    {
        const bool bMultiLine = nCase >= 2, bDelete = nCase % 2 == 0;   // the object, or only its window
        SCOPED_TRACE(std::string(bMultiLine ? "multi-line " : "filter ") + (bDelete ? "deleted" : "destroyed"));
        CCommonListCtrl* pList = bMultiLine ? static_cast<CCommonListCtrl*>(new CKeptList<CMultiLineListCtrl>)
                                            : static_cast<CCommonListCtrl*>(new CKeptList<CFilterListCtrl>);
        ASSERT_TRUE(pList->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, CRect(0, 0, 580, 380), &m_host, 1002));
        pList->CListCtrl::InsertColumn(0, "Symbol", LVCFMT_LEFT, 120);
        HWND hList = pList->m_hWnd;
        int nHeard = 0;
        m_host.m_answer = [&](const sRecordedMsg& record, LRESULT&) {
            if (record.message == WM_NOTIFY && record.code == HDN_FILTERBTNCLICK && record.hwndFrom == hList)
            {
                ++nHeard;
                if (bDelete)
                    delete pList;
                else
                    pList->DestroyWindow();
            }
            return false;
        };
        NMHDFILTERBTNCLICK click = {};
        click.hdr.hwndFrom = (HWND)::SendMessageA(hList, LVM_GETHEADER, 0, 0);
        click.hdr.idFrom = (UINT_PTR)::GetDlgCtrlID(click.hdr.hwndFrom);
        click.hdr.code = HDN_FILTERBTNCLICK;
        ::SendMessageA(hList, WM_NOTIFY, click.hdr.idFrom, (LPARAM)&click);
        EXPECT_EQ(1, nHeard);
        EXPECT_FALSE(::IsWindow(hList));
        EXPECT_FALSE(CFilterText::Get().GetSafeHwnd() != nullptr && CFilterText::Get().IsWindowVisible());
        if (bDelete)
        {
            EXPECT_NE(nullptr, s_pKept);
            ::operator delete(s_pKept);
            s_pKept = nullptr;
        }
        else
            delete pList;
    }
}
