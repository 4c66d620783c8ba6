// The Trend Settings dialog driven as a host drives it: a real filter list with columns of
// several types, the dialog run through the modal seam, entries ticked with real clicks and keys,
// OK or Cancel, and what the list then holds: its trend columns and their records, mode, colours
// and interval. Also how the list's header menu hands "Set Trend Columns" to the host.
#include "TestHost.h"
#include "TestSupport.h"
#include "WindowPicture.h"
#include "dialogs/ListTrendSetting.h"
#include "filter/FilterListCtrl.h"
#include "resources/ListTrendSettingRes.h"
#include <OrvoTools.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

namespace
{
struct sColumn { const char* name; int type; };

// Symbol and Name are text, Time a date, Flag unsortable: never candidates.
const std::vector<sColumn> kColumns = {
    { "Symbol", 8 }, { "Qty", 1 },    { "LTP", 2 },  { "Name", 3 },  { "Volume", 4 },
    { "Change", 5 }, { "Time", 6 },   { "Pct", 7 },  { "Value", 9 }, { "Flag", 0 },
};
using Texts = std::vector<std::string>;
using Ids = std::vector<int>;

int RowText(ULONGLONG dwItemData, int nColumn, CString& text, unsigned long&, unsigned long&, int&)
{
    text.Format("%d", (int)dwItemData * 10 + nColumn);
    return 1;
}

// The entries' headings, a ticked one followed by "*".
Texts Entries(CCheckListBox& list)
{
    Texts v;
    for (int i = 0; i < list.GetCount(); ++i)
    {
        CString text;
        list.GetText(i, text);
        v.push_back(std::string((LPCTSTR)text) + (list.GetCheck(i) == 1 ? "*" : ""));
    }
    return v;
}

std::string WindowText(CWnd* pWnd)
{
    CString text;
    pWnd->GetWindowText(text);
    return (LPCTSTR)text;
}

int EntryOf(CCheckListBox& list, const char* pszHeading)
{
    Texts entries = Entries(list);
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i] == pszHeading || entries[i] == std::string(pszHeading) + "*")
            return (int)i;
    return -1;
}

void ClickAt(CWnd& wnd, CPoint pt)
{
    wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    wnd.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
}

// A real click on an entry's check box.
void ClickBox(CCheckListBox& list, int nEntry) { ClickAt(list, list.CheckBoxRect(nEntry).CenterPoint()); }
void ClickBox(CCheckListBox& list, const char* pszHeading) { ClickBox(list, EntryOf(list, pszHeading)); }

void Click(CWnd& dlg, int nID) { ::SendMessageA(::GetDlgItem(dlg.m_hWnd, nID), BM_CLICK, 0, 0); }

// Drags the slider's thumb with the mouse messages the platform's track bar reads; the button's
// release sends NM_RELEASEDCAPTURE to the dialog.
void DragSliderTo(CSliderCtrl& slider, int nPos)
{
    CRect rcThumb, rcChannel;
    slider.SendMessage(TBM_GETTHUMBRECT, 0, (LPARAM)&rcThumb);
    slider.SendMessage(TBM_GETCHANNELRECT, 0, (LPARAM)&rcChannel);
    CPoint from = rcThumb.CenterPoint();
    int nMax = slider.GetRangeMax();
    int x = rcChannel.left + (rcChannel.Width() * nPos + nMax / 2) / (nMax > 0 ? nMax : 1);
    slider.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    slider.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, from.y));
    slider.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, from.y));
}
}  // namespace

class TrendSettingsTest : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        ASSERT_TRUE(m_host.CreateRecorder(&m_frame, CRect(0, 0, 700, 400), 0));
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, CRect(0, 0, 680, 380), &m_host, 1001));
    }
    void TearDown() override
    {
        if (m_list.GetSafeHwnd() != nullptr)
            m_list.DestroyWindow();
        if (m_host.GetSafeHwnd() != nullptr)
            m_host.DestroyWindow();
        HostTest::TearDown();
    }

    void Build(const std::vector<sColumn>& columns = kColumns, int nRows = 6)
    {
        for (const sColumn& c : columns)
        {
            sOrvoColInfo info = {};
            strlcpy(info.szColName, c.name, sizeof(info.szColName));
            info.nWidth = 60;
            info.nDataType = c.type;
            m_list.m_arrColInfo.Add(info);
        }
        m_list.m_csListName = "TrendGrid";
        m_list.InitColumnTextRtn(&RowText);
        m_list.InsertColumnsForList(nullptr);
        m_list.SetUseFilter(TRUE);
        for (int r = 0; r < nRows; ++r)
        {
            m_list.InsertItem(0, "", 0);
            m_list.SetItemData(0, (DWORD_PTR)(r + 1));
        }
    }

    void SetListTrends(const Ids& ids)
    {
        CArray<int, int> arr;
        for (int id : ids)
            arr.Add(id);
        m_list.SetTrendColumns(&arr);
    }

    // The list's trend columns (ascending), checking that each array holds one fresh record per
    // stored row.
    Ids ListTrends()
    {
        Ids ids;
        POSITION pos = m_list.m_mapTrend.GetStartPosition();
        while (pos != nullptr)
        {
            int id = 0;
            CTrendValueArray* pArray = nullptr;
            m_list.m_mapTrend.GetNextAssoc(pos, id, pArray);
            ids.push_back(id);
            if (pArray == nullptr)
            {
                ADD_FAILURE() << "no array for " << id;
                continue;
            }
            EXPECT_EQ(m_list.m_arrMap.GetSize(), pArray->GetSize()) << id;
            for (INT_PTR k = 0; k < pArray->GetSize(); ++k)
                EXPECT_TRUE(pArray->GetAt(k) != nullptr && pArray->GetAt(k)->nState == 0) << id << " record " << k;
        }
        std::sort(ids.begin(), ids.end());
        return ids;
    }

    // Opens the dialog modally the way a host does and runs pfnUser on it while it is up.
    INT_PTR RunDialog(std::function<void(CListTrendSetting&)> pfnUser, bool bColumns = true)
    {
        CListTrendSetting dlg(&m_host);
        dlg.m_pFilterList = &m_list;
        dlg.SetTrendColumns(bColumns ? &m_list.m_arrColInfo : nullptr);
        m_script.m_dialogAnswers.push_back([&](CDialog* p) -> INT_PTR {
            EXPECT_EQ(&dlg, p);
            pfnUser(dlg);
            return IDCANCEL;
        });
        return dlg.DoModal();
    }

    // Answers the next colour dialog with clr.
    void AnswerColour(COLORREF clr, INT_PTR nResult = IDOK)
    {
        m_script.m_commonAnswers.push_back([=](CCommonDialog* p) -> INT_PTR {
            static_cast<CColorDialog*>(p)->m_cc.rgbResult = clr;
            return nResult;
        });
    }

    void ExpectListSettings(BYTE nType, COLORREF clrPos, COLORREF clrNeg, int nInterval)
    {
        EXPECT_EQ(nType, m_list.m_nTrendType);
        EXPECT_EQ(clrPos, m_list.m_clrTrendPos);
        EXPECT_EQ(clrNeg, m_list.m_clrTrendNeg);
        EXPECT_EQ(nInterval, m_list.m_nTrendInterval);
    }

    void OpenHeaderMenu(UINT nAnswer)
    {
        CRect rc;
        m_list.GetColorHeader().GetWindowRect(&rc);
        m_script.Clear();
        m_script.m_menuAnswers.push_back(nAnswer);
        m_list.SendMessage(WM_CONTEXTMENU, (WPARAM)m_list.GetColorHeader().m_hWnd, MAKELPARAM(rc.left + 5, rc.top + 3));
    }

    CMessageRecorder m_host;
    CFilterListCtrl m_list;
};

TEST_F(TrendSettingsTest, OkWritesColumnsModeColoursAndIntervalIntoTheList)
{
    Build(kColumns, 7);
    AnswerColour(RGB(10, 200, 30));
    AnswerColour(RGB(220, 20, 60));
    INT_PTR nResult = RunDialog([&](CListTrendSetting& dlg) {
        // Candidates only, in column order, none ticked on a list without trends.
        EXPECT_TRUE(SameSequence(Entries(dlg.m_ColumnList), { "Qty", "LTP", "Volume", "Change", "Value" }));
        ClickBox(dlg.m_ColumnList, "LTP");
        ClickBox(dlg.m_ColumnList, "Value");
        // Clicking the text selects without ticking; Space on the selected entry ticks.
        CRect rc;
        dlg.m_ColumnList.GetItemRect(EntryOf(dlg.m_ColumnList, "Qty"), &rc);
        ClickAt(dlg.m_ColumnList, CPoint(rc.right - 10, rc.CenterPoint().y));
        EXPECT_EQ(0, dlg.m_ColumnList.GetCheck(EntryOf(dlg.m_ColumnList, "Qty")));
        dlg.m_ColumnList.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
        ClickBox(dlg.m_ColumnList, "Value");   // a second click unticks
        EXPECT_TRUE(SameSequence(Entries(dlg.m_ColumnList), { "Qty*", "LTP*", "Volume", "Change", "Value" }));
        Click(dlg, IDC_TRENDSET_TEXT);
        Click(dlg, IDC_TRENDSET_POSTREND);
        Click(dlg, IDC_TRENDSET_NEGTREND);
        DragSliderTo(dlg.m_TimeSlider, 9);
        EXPECT_EQ("10 Secs", WindowText(&dlg.m_TimeLabel));
        Click(dlg, IDOK);
    });
    EXPECT_EQ(IDOK, nResult);
    EXPECT_EQ(Ids({ 1, 2 }), ListTrends());
    ExpectListSettings(0, RGB(10, 200, 30), RGB(220, 20, 60), 9000);
    EXPECT_TRUE(m_list.IsTrendRunning());

    // Opened again: the same settings come back (an OK keeps them), the label in the opening form.
    RunDialog([&](CListTrendSetting& dlg) {
        EXPECT_TRUE(SameSequence(Entries(dlg.m_ColumnList), { "Qty*", "LTP*", "Volume", "Change", "Value" }));
        EXPECT_EQ("10 Sec", WindowText(&dlg.m_TimeLabel));
        Click(dlg, IDOK);
    });
    ExpectListSettings(0, RGB(10, 200, 30), RGB(220, 20, 60), 9000);
    EXPECT_EQ(Ids({ 1, 2 }), ListTrends());
}

TEST_F(TrendSettingsTest, CancelAndAClosedColourDialogChangeNothing)
{
    Build();
    SetListTrends({ 4, 5 });
    m_list.m_nTrendInterval = 3000;
    CTrendValueArray *pBefore4 = nullptr, *pBefore5 = nullptr;
    m_list.m_mapTrend.Lookup(4, pBefore4);
    m_list.m_mapTrend.Lookup(5, pBefore5);
    AnswerColour(RGB(1, 2, 3), IDCANCEL);
    AnswerColour(RGB(4, 5, 6));
    INT_PTR nResult = RunDialog([&](CListTrendSetting& dlg) {
        EXPECT_TRUE(SameSequence(Entries(dlg.m_ColumnList), { "Qty", "LTP", "Volume*", "Change*", "Value" }));
        Click(dlg, IDC_TRENDSET_POSTREND);   // cancelled: the button keeps its colour
        EXPECT_EQ(RGB(0, 255, 0), dlg.m_PosTrendButton.GetColor());
        Click(dlg, IDC_TRENDSET_NEGTREND);
        EXPECT_EQ(RGB(4, 5, 6), dlg.m_NegTrendButton.GetColor());
        ClickBox(dlg.m_ColumnList, 2);
        Click(dlg, IDC_TRENDSET_TEXT);
        DragSliderTo(dlg.m_TimeSlider, 8);
        Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, nResult);
    EXPECT_EQ(Ids({ 4, 5 }), ListTrends());
    CTrendValueArray *pAfter4 = nullptr, *pAfter5 = nullptr;
    m_list.m_mapTrend.Lookup(4, pAfter4);
    m_list.m_mapTrend.Lookup(5, pAfter5);
    EXPECT_TRUE(pBefore4 == pAfter4 && pBefore5 == pAfter5);   // not even rebuilt
    ExpectListSettings(1, RGB(0, 255, 0), RGB(255, 0, 0), 3000);
}

TEST_F(TrendSettingsTest, BackgroundAndTextExcludeEachOtherAndNothingTickedStopsTrends)
{
    Build();
    RunDialog([&](CListTrendSetting& dlg) {
        // Each click, then the Background and Text ticks; unticking the last leaves neither.
        const int steps[][3] = { { IDC_TRENDSET_TEXT, BST_UNCHECKED, BST_CHECKED },
                                 { IDC_TRENDSET_BKGRND, BST_CHECKED, BST_UNCHECKED },
                                 { IDC_TRENDSET_BKGRND, BST_UNCHECKED, BST_UNCHECKED } };
        for (const auto& s : steps)
        {
            Click(dlg, s[0]);
            EXPECT_EQ(s[1], dlg.m_BackgroundCheck.GetCheck()) << s[0];
            EXPECT_EQ(s[2], dlg.m_TextCheck.GetCheck()) << s[0];
        }
        Click(dlg, IDOK);
    });
    EXPECT_EQ(1, m_list.m_nTrendType);   // without "Text" the mark colours the background
    EXPECT_TRUE(ListTrends().empty());
    EXPECT_FALSE(m_list.IsTrendRunning());
}

TEST_F(TrendSettingsTest, StoredIntervalsOutsideTheSliderShowAtItsEnds)
{
    Build();
    const std::pair<int, int> cases[] = { { INT_MAX, 9 }, { 9999, 9 }, { 8999, 8 }, { 999, 0 }, { -1, 0 }, { INT_MIN, 0 } };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.first);
        m_list.m_nTrendInterval = c.first;
        RunDialog([&](CListTrendSetting& dlg) {
            EXPECT_EQ(c.second, dlg.m_TimeSlider.GetPos());
            EXPECT_EQ(std::to_string(c.second + 1) + " Sec", WindowText(&dlg.m_TimeLabel));
            Click(dlg, IDOK);
        });
        EXPECT_EQ(c.second * 1000, m_list.m_nTrendInterval);
    }
}

TEST_F(TrendSettingsTest, OnlyCandidatesAreOfferedEachTickingItsOwnColumn)
{
    // Only text columns, with a trend on one of them: nothing to tick; OK leaves no trends.
    Build({ { "Symbol", 8 }, { "Name", 3 }, { "Time", 6 } });
    SetListTrends({ 0 });
    RunDialog([&](CListTrendSetting& dlg) {
        EXPECT_EQ(0, dlg.m_ColumnList.GetCount());
        Click(dlg, IDOK);
    });
    EXPECT_TRUE(ListTrends().empty());
    EXPECT_FALSE(m_list.IsTrendRunning());
    // A null column array offers nothing either.
    RunDialog([&](CListTrendSetting& dlg) {
        EXPECT_EQ(0, dlg.m_ColumnList.GetCount());
        Click(dlg, IDCANCEL);
    }, false);

    // Two columns named Price, and a heading filling the whole name field (no terminator).
    m_list.DestroyWindow();
    m_list.m_arrColInfo.RemoveAll();
    ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, CRect(0, 0, 680, 380), &m_host, 1001));
    Build({ { "Price", 2 }, { "Symbol", 8 }, { "Price", 4 }, { "price", 1 } });
    sOrvoColInfo wide = {};
    memset(wide.szColName, 'W', sizeof(wide.szColName));
    wide.nDataType = 9;
    m_list.m_arrColInfo.Add(wide);
    SetListTrends({ 2, 77, -5 });   // 77 and -5 are no columns at all
    RunDialog([&](CListTrendSetting& dlg) {
        EXPECT_TRUE(SameSequence(Entries(dlg.m_ColumnList), { "Price", "Price*", "price", std::string(64, 'W') }));
        for (int nEntry : { 0, 1, 3 })
            ClickBox(dlg.m_ColumnList, nEntry);
        Click(dlg, IDOK);
    });
    EXPECT_EQ(Ids({ 0, 4 }), ListTrends());
}

// The fault: a list the host destroyed while the dialog was up was written to on OK.
TEST_F(TrendSettingsTest, AListDestroyedWhileTheDialogIsUpIsLeftAlone)
{
    Build();
    auto pOther = std::make_unique<CFilterListCtrl>();
    ASSERT_TRUE(pOther->Create(WS_CHILD | LVS_REPORT | LVS_OWNERDATA, CRect(0, 0, 300, 200), &m_host, 1002));
    CListTrendSetting dlg(&m_host);
    dlg.SetTrendColumns(&m_list.m_arrColInfo);
    dlg.m_pFilterList = pOther.get();
    ASSERT_TRUE(dlg.Create(IDD_LIST_TREND_SETTING, &m_host));
    dlg.m_ColumnList.SetCheck(EntryOf(dlg.m_ColumnList, "LTP"), 1);
    // The host takes the list down (window and object) while the user still has the dialog.
    pOther.reset();
    dlg.ReadDlgValues();
    Click(dlg, IDOK);
    EXPECT_EQ(nullptr, dlg.m_pFilterList);
    EXPECT_TRUE(CCommonListCtrl::IsLiveList(&m_list));
    if (dlg.GetSafeHwnd() != nullptr)
        dlg.DestroyWindow();
}

TEST_F(TrendSettingsTest, ColourButtonsAndTicksInTheDialogPicture)
{
    Build();
    m_list.m_clrTrendPos = RGB(20, 160, 40);
    m_list.m_clrTrendNeg = RGB(200, 30, 30);
    SetListTrends({ 1 });
    CListTrendSetting dlg(&m_host);
    dlg.m_pFilterList = &m_list;
    dlg.SetTrendColumns(&m_list.m_arrColInfo);
    ASSERT_TRUE(dlg.Create(IDD_LIST_TREND_SETTING, &m_host));
    dlg.ShowWindow(SW_SHOWNA);
    AfxPumpPendingMessages();
    HBITMAP h = WindowPicture::Render(dlg.m_hWnd);
    ASSERT_NE(nullptr, h);
    // The picture holds the whole window, frame and caption included.
    CRect rcDialog;
    dlg.GetWindowRect(&rcDialog);
    for (const auto& c : { std::make_pair(IDC_TRENDSET_POSTREND, RGB(20, 160, 40)),
                           std::make_pair(IDC_TRENDSET_NEGTREND, RGB(200, 30, 30)) })
    {
        CRect rc;
        dlg.GetDlgItem(c.first)->GetWindowRect(&rc);
        rc.OffsetRect(-rcDialog.TopLeft());
        EXPECT_EQ(c.second, WindowPicture::PixelAt(h, rc.left + 6, rc.CenterPoint().y)) << c.first;
    }
    // The ticked entry's box shows a mark: darker pixels inside the box than in an unticked one.
    auto darkIn = [&](int nEntry) {
        CRect rcBox = dlg.m_ColumnList.CheckBoxRect(nEntry);
        ::MapWindowPoints(dlg.m_ColumnList.m_hWnd, nullptr, (LPPOINT)&rcBox, 2);
        rcBox.OffsetRect(-rcDialog.TopLeft());
        rcBox.DeflateRect(3, 3);
        int n = 0;
        for (int y = rcBox.top; y < rcBox.bottom; ++y)
            for (int x = rcBox.left; x < rcBox.right; ++x)
                n += GetRValue(WindowPicture::PixelAt(h, x, y)) < 100;
        return n;
    };
    EXPECT_GT(darkIn(0), 3);
    EXPECT_EQ(0, darkIn(1));
    ::DeleteObject(h);
    dlg.DestroyWindow();
}

TEST_F(TrendSettingsTest, HeaderMenuHandsSetTrendColumnsToTheParentOrTheOwner)
{
    Build(kColumns, 3);
    OpenHeaderMenu(ID_FILTER_SET_TREND);   // the parent gets the command unless the host names an owner
    auto commands = m_host.Of(WM_COMMAND);
    ASSERT_EQ(1u, commands.size());
    EXPECT_EQ((WPARAM)ID_FILTER_SET_TREND, commands[0].wParam);
    CMessageRecorder owner;
    ASSERT_TRUE(owner.CreateRecorder(&m_frame, CRect(0, 0, 10, 10), 0));
    m_list.SetOwnerWnd(&owner);
    m_host.Clear();
    OpenHeaderMenu(ID_FILTER_SET_TREND);
    EXPECT_EQ(1u, owner.Count(WM_COMMAND));
    EXPECT_EQ(0u, m_host.Count(WM_COMMAND));
    m_list.SetOwnerWnd(nullptr);
    owner.DestroyWindow();
}

TEST_F(TrendSettingsTest, OpeningAndClosingRepeatedlyLeaksNoWindowsOrGdiObjects)
{
    Build();
    RunDialog([](CListTrendSetting& dlg) { Click(dlg, IDCANCEL); });
    int nGdi = TestLeaks::GdiObjects(), nWindows = TestLeaks::Windows();
    for (int i = 0; i < 30; ++i)
        RunDialog([i](CListTrendSetting& dlg) {
            ClickBox(dlg.m_ColumnList, i % 5);
            Click(dlg, i % 2 ? IDOK : IDCANCEL);
        });
    EXPECT_EQ(nGdi, TestLeaks::GdiObjects());
    EXPECT_EQ(nWindows, TestLeaks::Windows());
}
