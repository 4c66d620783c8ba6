// The terminal's price alerts: an extended grid whose Armed cells are check boxes (the header's box
// arms or disarms them all) and whose Colour cells are colour boxes, the colour an alert flashes
// in, picked in the colour dialog. The terminal keeps its alerts and hears of each change from
// the grid. The scripted session arms two alerts with clicks, recolours one through the colour
// dialog and disarms a row of a different kind; interactive, the grid is a page of the terminal.
#include "DemoScene.h"

#include "xgrid/XListCtrl.h"

#include <cstdio>
#include <cstdlib>

namespace
{
enum { colSymbol, colCondition, colArmed, colColour, colNote, colCount };

struct sAlert
{
    const char* pszSymbol;
    const char* pszCondition;
    int bArmed;
    COLORREF clr;
    const char* pszNote;
};

sAlert g_alerts[] = {
    { "RELIANCE", "Last above 2950.00", 0, RGB(255, 200, 0), "breakout" },
    { "INFY", "Last below 1450.00", 1, RGB(255, 80, 80), "stop for the swing" },
    { "GOLD", "Change above 1 %", 0, RGB(40, 220, 90), "" },
    { "NIFTY", "Volume above 2,000,000", 0, RGB(80, 160, 255), "expiry day" },
    { "TCS", "Bid below 3850.00", 1, RGB(255, 80, 80), "" },
};
const int kAlertCount = (int)(sizeof(g_alerts) / sizeof(g_alerts[0]));

class CAlertWnd : public CWnd
{
public:
    CXListCtrl m_list;
    const CDemoContext* m_pLog = nullptr;
    int m_nChanges = 0;

protected:
    // The grid's reports: "row|column" texts that the receiver frees, and the new state or colour.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_XLISTCTRL_CHECKBOX_CLICKED && message != WM_XLISTCTRL_COLORBOX_CLICKED)
            return CWnd::WindowProc(message, wParam, lParam);
        char* pszCell = reinterpret_cast<char*>(wParam);
        const int nRow = pszCell != nullptr ? atoi(pszCell) : -1;
        delete[] pszCell;
        if (nRow < 0 || nRow >= kAlertCount)
            return 0;
        sAlert& alert = g_alerts[nRow];
        if (message == WM_XLISTCTRL_CHECKBOX_CLICKED)
            alert.bArmed = lParam != 0;
        else
            alert.clr = (COLORREF)lParam;
        ++m_nChanges;
        if (m_pLog != nullptr)
            m_pLog->Print("alerts: %s %s", alert.pszSymbol,
                          message == WM_XLISTCTRL_CHECKBOX_CLICKED ? (alert.bArmed ? "armed" : "disarmed")
                                                                   : (LPCTSTR)ColourText(alert.clr));
        return 0;
    }

public:
    static CString ColourText(COLORREF clr)
    {
        CString cs;
        cs.Format("colour %02X%02X%02X", GetRValue(clr), GetGValue(clr), GetBValue(clr));
        return cs;
    }
    CString Armed() const
    {
        CString cs;
        for (const sAlert& alert : g_alerts)
            if (alert.bArmed)
                cs += (cs.IsEmpty() ? "" : ", ") + CString(alert.pszSymbol);
        return cs.IsEmpty() ? CString("none") : cs;
    }
};

void ClickCell(CXListCtrl& list, int nRow, int nColumn, const CDemoContext& context)
{
    CRect rc;
    list.GetCellRect(nRow, nColumn, rc);
    const LPARAM lParam = MAKELPARAM(rc.left + XLIST_CHECKBOX_MARGIN + XLIST_CHECKBOX_SIZE / 2, rc.CenterPoint().y);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lParam);
    list.SendMessage(WM_LBUTTONUP, 0, lParam);
    context.Pump();
}
}  // namespace

DEMO_SCENE(PriceAlerts, 34)
{
    static CAlertWnd wnd;
    CRect frame;
    context.m_pMainWnd->GetWindowRect(&frame);
    if (!context.CreateSceneWindow(wnd, "Price alerts", WS_OVERLAPPED | WS_CAPTION,
                                   CRect(CPoint(frame.left + 80, frame.top + 100), CSize(560, 200))))
    {
        context.Print("alerts: could not create the window");
        return;
    }
    CRect client;
    wnd.GetClientRect(&client);
    CXListCtrl& list = wnd.m_list;
    if (!list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, client, &wnd, 120))
    {
        context.Print("alerts: could not create the grid");
        return;
    }
    list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    static const struct
    {
        const char* pszName;
        int nWidth;
    } columns[colCount] = { { "Symbol", 100 }, { "Condition", 170 }, { "Armed", 80 }, { "Colour", 60 }, { "Note", 150 } };
    for (int c = 0; c < colCount; ++c)
        list.InsertColumn(c, columns[c].pszName, LVCFMT_LEFT, columns[c].nWidth);
    for (int r = 0; r < kAlertCount; ++r)
    {
        const sAlert& alert = g_alerts[r];
        list.InsertItem(r, alert.pszSymbol);
        list.SetItemText(r, colCondition, alert.pszCondition);
        list.SetItemText(r, colNote, alert.pszNote);
        list.SetCheckbox(r, colArmed, alert.bArmed);
        list.SetColorboxColor(r, colColour, alert.clr);
    }
    list.SetHeaderCheckedState(colArmed, XHEADER_CHECK_UNCHECKED);
    wnd.ShowWindow(SW_SHOW);
    context.Print("alerts: %d alerts, armed: %s", kAlertCount, (LPCTSTR)wnd.Armed());
    context.Capture(&wnd, "alerts_loaded");
    if (!context.m_bHeadless)
    {
        wnd.m_pLog = &context;
        context.SetPageState([&list] {
            CString cs;
            cs.Format("%s; armed %s; %d in the grid", (LPCTSTR)DemoListState(list), (LPCTSTR)wnd.Armed(),
                      list.CountCheckedItems(colArmed));
            return cs;
        });
        return;
    }

    // RELIANCE and GOLD armed by clicks; TCS disarmed.
    ClickCell(list, 0, colArmed, context);
    ClickCell(list, 2, colArmed, context);
    ClickCell(list, 4, colArmed, context);
    context.Print("alerts: after three clicks armed %s (%d checked in the grid)", (LPCTSTR)wnd.Armed(),
                  list.CountCheckedItems(colArmed));
    // GOLD's colour from the colour dialog: a deep blue.
    context.m_pScript->m_commonAnswers.push_back([](CCommonDialog* pDlg) {
        static_cast<CColorDialog*>(pDlg)->m_cc.rgbResult = RGB(0, 0, 170);
        return (INT_PTR)IDOK;
    });
    ClickCell(list, 2, colColour, context);
    context.Pump();
    context.Print("alerts: GOLD %s, the box shows %s", (LPCTSTR)CAlertWnd::ColourText(g_alerts[2].clr),
                  (LPCTSTR)CAlertWnd::ColourText(list.GetColorboxColor(2, colColour)));
    context.Capture(&wnd, "alerts_changed");
    wnd.DestroyWindow();
}
