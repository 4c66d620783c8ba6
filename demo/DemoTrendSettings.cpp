// Trend settings of a quotes list: the list's header menu offers "Set Trend Columns", the
// terminal answers the command by opening the Trend Settings dialog on the list, and the dialog's
// choices go straight into the list. The scripted session ticks LTP and Change, marks the text
// instead of the background, picks both colours in the colour dialog, drags the time slider to
// 3 seconds and presses OK, writing a picture of the dialog before OK. A panel of colour buttons
// shows the button's states and its font descriptions.
#include "DemoScene.h"

#include "dialogs/ListTrendSetting.h"
#include "filter/FilterListCtrl.h"
#include "resources/ListTrendSettingRes.h"
#include "widgets/ClrButton.h"

#include <cstdio>
#include <vector>

namespace
{
struct sQuote
{
    const char* symbol;
    int qty;
    double ltp;
    double change;
    long volume;
    const char* time;
};

const sQuote kQuotes[] = {
    { "RELIANCE", 250, 2451.35, 12.40, 5240110, "10:14:02" }, { "INFY", 300, 1512.80, -8.15, 3120456, "10:14:03" },
    { "TCS", 150, 3421.00, 3.55, 1840221, "10:14:03" },       { "HDFCBANK", 550, 1602.45, -1.20, 6001234, "10:14:05" },
    { "ITC", 1600, 436.10, 0.85, 9012345, "10:14:06" },       { "SBIN", 1500, 571.25, 4.30, 8123456, "10:14:06" },
};

int QuoteText(ULONGLONG dwItemData, int nColumn, CString& text, unsigned long&, unsigned long&, int&)
{
    const sQuote& q = kQuotes[(size_t)(dwItemData - 1) % (sizeof(kQuotes) / sizeof(kQuotes[0]))];
    switch (nColumn)
    {
    case 0:
        text = q.symbol;
        return 1;
    case 1:
        text.Format("%d", q.qty);
        return 1;
    case 2:
        text.Format("%.2f", q.ltp);
        return 1;
    case 3:
        text.Format("%+.2f", q.change);
        return 1;
    case 4:
        text.Format("%ld", q.volume);
        return 1;
    case 5:
        text = q.time;
        return 1;
    default:
        return 0;
    }
}

class CQuotesWnd : public CWnd
{
public:
    CFilterListCtrl m_list;
    CDemoContext* m_pContext = nullptr;
    int m_nDialogs = 0;

    // void OnSetTrendColumns()
    afx_msg void OnSetTrendColumns()
    {
        ++m_nDialogs;
        CListTrendSetting dlg(this);
        dlg.m_pFilterList = &m_list;
        dlg.SetTrendColumns(&m_list.m_arrColInfo);
        dlg.DoModal();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CQuotesWnd, CWnd)
    ON_COMMAND(ID_FILTER_SET_TREND, OnSetTrendColumns)
END_MESSAGE_MAP()

void AddColumn(CFilterListCtrl& list, const char* name, int width, int format, int type)
{
    sOrvoColInfo info = {};
    snprintf(info.szColName, sizeof(info.szColName), "%s", name);
    info.nWidth = width;
    info.nFormat = format;
    info.nDataType = type;
    list.m_arrColInfo.Add(info);
}

CString TrendColumnsText(CFilterListCtrl& list)
{
    CArray<int, int> ids;
    POSITION pos = list.m_mapTrend.GetStartPosition();
    while (pos != nullptr)
    {
        int id = 0;
        CTrendValueArray* p = nullptr;
        list.m_mapTrend.GetNextAssoc(pos, id, p);
        INT_PTR k = ids.GetSize();
        while (k > 0 && ids[k - 1] > id)
            --k;
        ids.InsertAt(k, id);
    }
    CString text;
    for (INT_PTR i = 0; i < ids.GetSize(); ++i)
        text += CString(list.m_arrColInfo[ids[i]].szColName) + " ";
    return text;
}

// The colour button in each state and with font descriptions, on a panel of its own.
void ShowColourButtons(CDemoContext& context)
{
    static CWnd panel;
    static CClrButton buttons[6];
    static CFont font;
    CRect frame;
    context.m_pMainWnd->GetWindowRect(&frame);
    if (!panel.CreateEx(WS_EX_TOOLWINDOW, nullptr, "Colour buttons", WS_OVERLAPPED | WS_CAPTION, frame.left + 420,
                        frame.top + 120, 420, 150, context.m_pMainWnd->m_hWnd, nullptr))
        return;
    font.CreatePointFont(90, "Tahoma");
    struct
    {
        const char* caption;
        COLORREF text, face;
    } specs[] = {
        { "+ve Trend", RGB(255, 255, 255), RGB(0, 0, 255) },      { "-ve Trend", RGB(0, 0, 0), RGB(255, 125, 125) },
        { "Pressed", RGB(255, 255, 255), RGB(0, 128, 64) }, { "Disabled", RGB(255, 0, 0), RGB(255, 255, 0) },
        { "", RGB(0, 0, 0), RGB(240, 240, 240) },           { "", RGB(0, 0, 128), RGB(255, 240, 200) },
    };
    for (int i = 0; i < 6; ++i)
    {
        CRect rc(10 + (i % 3) * 135, 12 + (i / 3) * 55, 10 + (i % 3) * 135 + 125, 12 + (i / 3) * 55 + 40);
        buttons[i].Create(specs[i].caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, rc, &panel, 3000 + i);
        buttons[i].CWnd::SetFont(&font);
        buttons[i].SetColour(specs[i].text, specs[i].face, RGB(190, 190, 190));
    }
    buttons[2].SetState(TRUE);
    buttons[3].EnableWindow(FALSE);
    buttons[4].DisplayFont("Arial", "10", CLR_FONT_BOLD);
    buttons[5].DisplayFont("Courier New", "12", CLR_FONT_NO_STYLE);
    panel.ShowWindow(SW_SHOWNA);
    buttons[4].SetFocus();
    context.Pump();
    CString caption4, caption5;
    buttons[4].GetWindowText(caption4);
    buttons[5].GetWindowText(caption5);
    context.Print("colour buttons: font captions \"%s\" and \"%s\"", (LPCTSTR)caption4, (LPCTSTR)caption5);
    context.Capture(&panel, "colour_buttons");
}
}  // namespace

DEMO_SCENE(TrendSettings, 35)
{
    static CQuotesWnd wnd;
    wnd.m_pContext = &context;
    CRect frame;
    context.m_pMainWnd->GetWindowRect(&frame);
    if (!wnd.CreateEx(WS_EX_TOOLWINDOW, nullptr, "Quotes - trend settings", WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME,
                      frame.left + 60, frame.top + 100, 560, 240, context.m_pMainWnd->m_hWnd, nullptr))
    {
        context.Print("could not create the quotes window");
        return;
    }
    CRect client;
    wnd.GetClientRect(&client);
    CFilterListCtrl& list = wnd.m_list;
    list.m_csListName = "DemoTrendQuotes";
    if (!list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS, client, &wnd, 101))
        return;
    AddColumn(list, "Symbol", 100, LVCFMT_LEFT, 8);
    AddColumn(list, "Qty", 60, LVCFMT_RIGHT, 1);
    AddColumn(list, "LTP", 90, LVCFMT_RIGHT, 2);
    AddColumn(list, "Change", 80, LVCFMT_RIGHT, 5);
    AddColumn(list, "Volume", 100, LVCFMT_RIGHT, 4);
    AddColumn(list, "Time", 80, LVCFMT_LEFT, 6);
    list.InitColumnTextRtn(&QuoteText);
    list.InsertColumnsForList();
    list.SetUseFilter(TRUE);
    for (int i = 0; i < 6; ++i)
    {
        list.InsertItem(0, "", 0);
        list.SetItemData(0, (DWORD_PTR)(i + 1));
    }
    wnd.ShowWindow(SW_SHOW);
    context.Pump();
    ShowColourButtons(context);
    if (!context.m_bHeadless || context.m_pScript == nullptr)
        return;

    // The user right-clicks the header and chooses "Set Trend Columns"; the list hands the command
    // to the terminal, which opens the dialog.
    context.m_pScript->m_menuAnswers.push_back(ID_FILTER_SET_TREND);
    context.m_pScript->m_commonAnswers.push_back([](CCommonDialog* p) -> INT_PTR {
        static_cast<CColorDialog*>(p)->m_cc.rgbResult = RGB(0, 160, 60);
        return IDOK;
    });
    context.m_pScript->m_commonAnswers.push_back([](CCommonDialog* p) -> INT_PTR {
        static_cast<CColorDialog*>(p)->m_cc.rgbResult = RGB(220, 40, 40);
        return IDOK;
    });
    context.m_pScript->m_dialogAnswers.push_back([&context](CDialog* p) -> INT_PTR {
        CListTrendSetting* pDlg = static_cast<CListTrendSetting*>(p);
        auto tick = [pDlg](const char* pszHeading) {
            for (int i = 0; i < pDlg->m_ColumnList.GetCount(); ++i)
            {
                CString text;
                pDlg->m_ColumnList.GetText(i, text);
                if (text != pszHeading)
                    continue;
                CPoint pt = pDlg->m_ColumnList.CheckBoxRect(i).CenterPoint();
                pDlg->m_ColumnList.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
                pDlg->m_ColumnList.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
            }
        };
        tick("LTP");
        tick("Change");
        auto click = [pDlg](int nID) { ::SendMessageA(::GetDlgItem(pDlg->m_hWnd, nID), BM_CLICK, 0, 0); };
        click(IDC_TRENDSET_TEXT);
        click(IDC_TRENDSET_POSTREND);
        click(IDC_TRENDSET_NEGTREND);
        // Drag the slider's thumb to position 3 (the label then reads 4 seconds).
        CRect rcThumb, rcChannel;
        pDlg->m_TimeSlider.SendMessage(TBM_GETTHUMBRECT, 0, (LPARAM)&rcThumb);
        pDlg->m_TimeSlider.SendMessage(TBM_GETCHANNELRECT, 0, (LPARAM)&rcChannel);
        CPoint from = rcThumb.CenterPoint();
        int x = rcChannel.left + rcChannel.Width() * 3 / TREND_SLIDER_MAX;
        pDlg->m_TimeSlider.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
        pDlg->m_TimeSlider.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, from.y));
        pDlg->m_TimeSlider.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, from.y));
        pDlg->ShowWindow(SW_SHOWNA);
        context.Capture(pDlg, "trend_settings_dialog");
        click(IDOK);
        return IDCANCEL;
    });
    CRect rcHeader;
    list.GetColorHeader().GetWindowRect(&rcHeader);
    list.SendMessage(WM_CONTEXTMENU, (WPARAM)list.GetColorHeader().m_hWnd, MAKELPARAM(rcHeader.left + 20, rcHeader.top + 4));
    context.Pump();
    context.Print("trend settings: dialog opened %d time(s); trend columns %s; %s marks; rise %06lX, fall %06lX; "
                  "interval %d ms; timer %s",
                  wnd.m_nDialogs, (LPCTSTR)TrendColumnsText(list), list.m_nTrendType ? "background" : "text",
                  (unsigned long)list.m_clrTrendPos, (unsigned long)list.m_clrTrendNeg, list.m_nTrendInterval,
                  list.IsTrendRunning() ? "running" : "stopped");
    context.Capture(&wnd, "trend_settings_list");
}
