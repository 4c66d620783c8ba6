// The Trend Settings dialog run through the modal seam on a real filter list, driven with real clicks
// and keys, and what the list then holds; the header menu's "Set Trend Columns" handed to the host.
#include "TestHost.h"
#include "TestSupport.h"
#include "dialogs/ListTrendSetting.h"
#include "filter/FilterListCtrl.h"
#include "resources/ListTrendSettingRes.h"
#include <OrvoTools.h>

#include <algorithm>
#include <climits>
#include <map>
#include <string>
#include <vector>

namespace
{
struct sColumn { std::string name; int type; };

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

void ClickAt(CWnd& wnd, CPoint pt)
{
    wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    wnd.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
}

// A real click on an entry's check box (of kColumns: Qty 0, LTP 1, Volume 2, Change 3, Value 4).
void ClickBox(CCheckListBox& list, int nEntry) { ClickAt(list, list.CheckBoxRect(nEntry).CenterPoint()); }

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
    }
    void TearDown() override
    {
        m_list.DestroyWindow();
        m_host.DestroyWindow();
        HostTest::TearDown();
    }

    // A fresh list of these columns.
    void Build(const std::vector<sColumn>& columns = kColumns, int nRows = 6)
    {
        m_list.DestroyWindow();
        m_list.m_arrColInfo.RemoveAll();
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, CRect(0, 0, 680, 380), &m_host, 1001));
        for (const sColumn& c : columns)
        {
            sOrvoColInfo info = {};
            memcpy(info.szColName, c.name.data(), std::min(c.name.size(), sizeof(info.szColName)));
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

    using Arrays = std::map<int, CTrendValueArray*>;
    Arrays TrendArrays()
    {
        Arrays arrays;
        POSITION pos = m_list.m_mapTrend.GetStartPosition();
        while (pos != nullptr)
        {
            int id = 0;
            CTrendValueArray* pArray = nullptr;
            m_list.m_mapTrend.GetNextAssoc(pos, id, pArray);
            arrays[id] = pArray;
        }
        return arrays;
    }

    // The list's trend columns (ascending), checking that each array holds one fresh record per
    // stored row.
    Ids ListTrends()
    {
        Ids ids;
        for (const auto& entry : TrendArrays())
        {
            ids.push_back(entry.first);
            const CTrendValueArray* pArray = entry.second;
            if (pArray == nullptr)
            {
                ADD_FAILURE() << "no array for " << entry.first;
                continue;
            }
            EXPECT_EQ(m_list.m_arrMap.GetSize(), pArray->GetSize()) << entry.first;
            for (INT_PTR k = 0; k < pArray->GetSize(); ++k)
                EXPECT_TRUE(pArray->GetAt(k) != nullptr && pArray->GetAt(k)->nState == 0) << entry.first << " record " << k;
        }
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

// Each row opens the dialog on the list the row before left (or on a fresh one of its columns,
// trends and a 3 second interval), checks the entries, acts, and checks the label, then what the
// list holds after the button.
TEST_F(TrendSettingsTest, WhatIsClickedIsWhatTheListHolds)
{
    const std::vector<sColumn> kText = { { "Symbol", 8 }, { "Name", 3 }, { "Time", 6 } };
    // Two columns named Price, and a heading filling the whole name field (no terminator).
    const std::vector<sColumn> kSameNames = { { "Price", 2 }, { "Symbol", 8 }, { "Price", 4 }, { "price", 1 },
                                              { std::string(64, 'W'), 9 } };
    const COLORREF G = RGB(0, 255, 0), R = RGB(255, 0, 0), G2 = RGB(10, 200, 30), R2 = RGB(220, 20, 60);
    const Texts kNone = { "Qty", "LTP", "Volume", "Change", "Value" };
    const Texts kQtyLtp = { "Qty*", "LTP*", "Volume", "Change", "Value" };
    struct Case { const char* name; const std::vector<sColumn>* columns; Ids trends;
                  std::vector<std::pair<COLORREF, INT_PTR>> colours; Texts before;
                  std::function<void(CListTrendSetting&)> act; const char* label; int button;
                  Ids stored; BYTE type; COLORREF pos, neg; int interval; };
    const Case cases[] = {
        { "Cancel and a closed colour dialog change nothing", &kColumns, { 4, 5 },
          { { 1, IDCANCEL }, { 4, IDOK } },
          { "Qty", "LTP", "Volume*", "Change*", "Value" }, [](CListTrendSetting& dlg) {
              Click(dlg, IDC_TRENDSET_POSTREND);   // cancelled: the button keeps its colour
              EXPECT_EQ(RGB(0, 255, 0), dlg.m_PosTrendButton.GetColor());
              Click(dlg, IDC_TRENDSET_NEGTREND);
              EXPECT_EQ(4u, dlg.m_NegTrendButton.GetColor());
              ClickBox(dlg.m_ColumnList, 2);
              Click(dlg, IDC_TRENDSET_TEXT);
              DragSliderTo(dlg.m_TimeSlider, 8);
          }, "9 Secs", IDCANCEL, { 4, 5 }, 1, G, R, 3000 },
        { "Background and Text exclude each other; nothing ticked stops trends", &kColumns, {}, {}, kNone,
          [](CListTrendSetting& dlg) {
              // Each click, then the Background and Text ticks; unticking the last leaves neither.
              for (const auto& s : { std::make_pair(IDC_TRENDSET_TEXT, "01"),
                                     std::make_pair(IDC_TRENDSET_BKGRND, "10"),
                                     std::make_pair(IDC_TRENDSET_BKGRND, "00") })
              {
                  Click(dlg, s.first);
                  EXPECT_EQ(s.second, std::to_string(dlg.m_BackgroundCheck.GetCheck()) +
                                          std::to_string(dlg.m_TextCheck.GetCheck()));
              }
          }, "4 Sec", IDOK, {}, 1, G, R, 3000 },   // without "Text" the mark colours the background
        { "only text columns: nothing to tick", &kText, { 0 }, {}, {}, nullptr, "4 Sec", IDOK, {}, 1, G, R,
          3000 },
        { "each entry ticks its own column; trends on no column dropped", &kSameNames, { 2, 77, -5 }, {},
          { "Price", "Price*", "price", std::string(64, 'W') }, [](CListTrendSetting& dlg) {
              for (int nEntry : { 0, 1, 3 })
                  ClickBox(dlg.m_ColumnList, nEntry);
          }, "4 Sec", IDOK, { 0, 4 }, 1, G, R, 3000 },
        { "OK writes columns, mode, colours, interval", &kColumns, {}, { { G2, IDOK }, { R2, IDOK } }, kNone,
          [](CListTrendSetting& dlg) {
              ClickBox(dlg.m_ColumnList, 1);
              ClickBox(dlg.m_ColumnList, 4);
              // Clicking the text selects without ticking; Space on the selected entry ticks.
              CRect rc;
              dlg.m_ColumnList.GetItemRect(0, &rc);
              ClickAt(dlg.m_ColumnList, CPoint(rc.right - 10, rc.CenterPoint().y));
              dlg.m_ColumnList.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
              ClickBox(dlg.m_ColumnList, 4);   // a second click unticks
              Click(dlg, IDC_TRENDSET_TEXT);
              Click(dlg, IDC_TRENDSET_POSTREND);
              Click(dlg, IDC_TRENDSET_NEGTREND);
              DragSliderTo(dlg.m_TimeSlider, 9);
          }, "10 Secs", IDOK, { 1, 2 }, 0, G2, R2, 9000 },
        { "opened again: the same settings come back", nullptr, {}, {}, kQtyLtp, nullptr, "10 Sec", IDOK,
          { 1, 2 }, 0, G2, R2, 9000 },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        if (c.columns != nullptr)
        {
            Build(*c.columns);
            CArray<int, int> trends;
            for (int id : c.trends)
                trends.Add(id);
            m_list.SetTrendColumns(&trends);
            m_list.m_nTrendInterval = 3000;
        }
        const Arrays before = TrendArrays();
        for (const auto& answer : c.colours)
            m_script.m_commonAnswers.push_back([answer](CCommonDialog* p) -> INT_PTR {
                static_cast<CColorDialog*>(p)->m_cc.rgbResult = answer.first;
                return answer.second;
            });
        INT_PTR nResult = RunDialog([&](CListTrendSetting& dlg) {
            EXPECT_EQ(c.before, Entries(dlg.m_ColumnList));
            if (c.act)
                c.act(dlg);
            EXPECT_EQ(c.label, WindowText(&dlg.m_TimeLabel));
            Click(dlg, c.button);
        });
        EXPECT_EQ(c.button, nResult);
        EXPECT_EQ(c.stored, ListTrends());
        EXPECT_EQ(c.type, m_list.m_nTrendType);
        EXPECT_EQ(c.pos, m_list.m_clrTrendPos);
        EXPECT_EQ(c.neg, m_list.m_clrTrendNeg);
        EXPECT_EQ(c.interval, m_list.m_nTrendInterval);
        EXPECT_EQ(!c.stored.empty(), m_list.IsTrendRunning() != FALSE);
        EXPECT_TRUE(c.button != IDCANCEL || before == TrendArrays());   // not even rebuilt
    }
    // A null column array offers nothing either.
    RunDialog([&](CListTrendSetting& dlg) {
        EXPECT_EQ(0, dlg.m_ColumnList.GetCount());
        Click(dlg, IDCANCEL);
    }, false);
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
    dlg.m_ColumnList.SetCheck(1, 1);   // LTP
    // The host takes the list down (window and object) while the user still has the dialog.
    pOther.reset();
    dlg.ReadDlgValues();
    Click(dlg, IDOK);
    EXPECT_EQ(nullptr, dlg.m_pFilterList);
    EXPECT_TRUE(CCommonListCtrl::IsLiveList(&m_list));
    if (dlg.GetSafeHwnd() != nullptr)
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
