// A filter list of 100,000 instruments fed by the terminal's column text routine. The scripted
// session types into the header's filter bar ("REL" on the symbol, ">1000" on the price, "N~M"
// on the exchange), opens the value popup of the expiry column and picks two values, then streams
// quotes into a thousand rows a second while a filter is active.
#include "DemoScene.h"

#include "dialogs/UserDefinedColDlg.h"
#include "filter/FilterListCtrl.h"
#include "filter/FilterText.h"
#include "resources/UserColumnRes.h"

#include <cstdio>
#include <vector>

namespace
{
enum
{
    colSymbol,
    colExpiry,
    colPrice,
    colVolume,
    colExchange,
    colCount
};

struct sDemoInstrument
{
    char symbol[32];
    char expiry[8];
    double price;
    int volume;
    const char* exchange;
};

std::vector<sDemoInstrument> g_instruments;

int DemoColumnText(ULONGLONG dwItemData, int nColumn, CString& text, unsigned long&, unsigned long&, int&)
{
    const sDemoInstrument& row = g_instruments[(size_t)(dwItemData - 1)];
    switch (nColumn)
    {
    case colSymbol:
        text = row.symbol;
        return 1;
    case colExpiry:
        text = row.expiry;
        return 1;
    case colPrice:
        text.Format("%.2f", row.price);
        return 1;
    case colVolume:
        text.Format("%d", row.volume);
        return 1;
    case colExchange:
        text = row.exchange;
        return 1;
    default:
        return 0;
    }
}

CDemoRandom g_random(977);
int Next(int nRange) { return g_random.Next(nRange); }

class CFilterWnd : public CWnd
{
public:
    CFilterListCtrl m_list;
    int m_nPopulates = 0;
    const CDemoContext* m_pLog = nullptr;   // interactive: what the trader's filters did goes to the log

    // The list reports every filter change; the terminal fills it again.
    afx_msg void OnFilterChange(NMHDR*, LRESULT* pResult)
    {
        m_list.PopulateList();
        ++m_nPopulates;
        if (m_pLog != nullptr)
            m_pLog->Print("filter list: filter changed, %d of %d shown", m_list.GetDisplayCount(), m_list.GetItemCount());
        *pResult = 0;
    }
    afx_msg void OnSize(UINT, int cx, int cy)
    {
        if (m_list.GetSafeHwnd() != nullptr)
            m_list.MoveWindow(0, 0, cx, cy);
    }
    // The list hands its "Add/Delete Custom Columns" to the host, which opens the library's
    // general formula-column dialog over it.
    afx_msg void OnAddCustomColumn() { OpenCustomColumns(UDC_MODE_ADD); }
    afx_msg void OnDeleteCustomColumn() { OpenCustomColumns(UDC_MODE_DELETE); }
    void OpenCustomColumns(int nMode)
    {
        CUserDefinedColDlg& dlg = UserDefinedColDlg(nMode == UDC_MODE_ADD ? 0 : 1);
        // Owned by the terminal on a real display, so that it stays above it while the trader works
        // in both.
        CWnd* pOwner = m_pLog != nullptr ? GetTopLevelParent() : nullptr;
        if (dlg.GetSafeHwnd() == nullptr && !dlg.Create(IDD_USER_DEFINED_COL, pOwner))
            return;
        dlg.ShowWindow(SW_SHOW);
        dlg.BringWindowToTop();
        dlg.Initialise(&m_list, nMode);
        if (m_pLog != nullptr)
            m_pLog->Print("filter list: custom column dialog open; name at %s; expression at %s; add at %s",
                          (LPCTSTR)ScreenCentre(dlg, IDC_UCOL_NAME), (LPCTSTR)ScreenCentre(dlg, IDC_UCOL_EXPRESSION),
                          (LPCTSTR)ScreenCentre(dlg, IDOK));
    }
    static CString ScreenCentre(CWnd& dlg, int nID)
    {
        CRect rc;
        if (CWnd* pItem = dlg.GetDlgItem(nID))
            pItem->GetWindowRect(&rc);
        CString cs;
        cs.Format("%d,%d", (int)rc.CenterPoint().x, (int)rc.CenterPoint().y);
        return cs;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFilterWnd, CWnd)
    ON_NOTIFY(HDN_FILTERCHANGE, 100, OnFilterChange)
    ON_WM_SIZE()
    // void OnAddCustomColumn()
    ON_COMMAND(ID_FILTER_ADD_CUSTOM, OnAddCustomColumn)
    ON_COMMAND(ID_FILTER_DELETE_CUSTOM, OnDeleteCustomColumn)
END_MESSAGE_MAP()

void AddColumn(CFilterListCtrl& list, const char* name, int width, int format)
{
    sOrvoColInfo info = {};
    snprintf(info.szColName, sizeof(info.szColName), "%s", name);
    info.nWidth = width;
    info.nFormat = format;
    info.nDataType = 1;
    list.m_arrColInfo.Add(info);
}

void PumpFor(const CDemoContext& context, int nMilliseconds)
{
    DWORD start = ::GetTickCount();
    do
    {
        context.Pump();
        ::Sleep(5);
    } while ((int)(::GetTickCount() - start) < nMilliseconds);
}

// Typing into the focused filter box: the characters as the keyboard would deliver them.
void TypeInto(const CDemoContext& context, HWND hBox, const char* pszText)
{
    for (const char* p = pszText; *p; ++p)
        ::PostMessageA(hBox, WM_CHAR, (WPARAM)(unsigned char)*p, 1);
    context.Pump();
}

void PressKey(const CDemoContext& context, HWND hWnd, UINT vk)
{
    ::PostMessageA(hWnd, WM_KEYDOWN, vk, 1);
    ::PostMessageA(hWnd, WM_KEYUP, vk, 0xC0000001);
    context.Pump();
}
}  // namespace

DEMO_SCENE(FilterList, 30)
{
    static CFilterWnd wnd;
    CRect frame;
    context.m_pMainWnd->GetWindowRect(&frame);
    if (!context.CreateSceneWindow(wnd, "Filtered instruments", WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME,
                                   CRect(CPoint(frame.left + 40, frame.top + 80), CSize(720, 440))))
    {
        context.Print("could not create the filter window");
        return;
    }
    CRect client;
    wnd.GetClientRect(&client);
    CFilterListCtrl& list = wnd.m_list;
    list.m_csListName = "DemoFilterList";
    if (!list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS, client, &wnd, 100))
    {
        context.Print("could not create the filter list");
        return;
    }
    AddColumn(list, "Symbol", 170, LVCFMT_LEFT);
    AddColumn(list, "Expiry", 80, LVCFMT_LEFT);
    AddColumn(list, "Price", 100, LVCFMT_RIGHT);
    AddColumn(list, "Volume", 100, LVCFMT_RIGHT);
    AddColumn(list, "Exchange", 90, LVCFMT_LEFT);
    list.InitColumnTextRtn(&DemoColumnText);
    list.InsertColumnsForList();
    list.SetUseFilter(TRUE);

    static const char* const roots[] = { "RELIANCE", "RELCAP", "RELINFRA", "INFY", "TCS", "NIFTY", "BANKNIFTY",
                                         "GOLD", "SILVER", "CRUDE", "HDFC", "ITC" };
    static const char* const expiries[] = { "26DEC", "30JAN", "27FEB", "27MAR" };
    static const char* const exchanges[] = { "NSE", "BSE", "MCX" };
    const int nRows = 100000;
    g_instruments.resize(nRows);
    DWORD t0 = ::GetTickCount();
    for (int i = 0; i < nRows; ++i)
    {
        sDemoInstrument& row = g_instruments[(size_t)i];
        snprintf(row.symbol, sizeof(row.symbol), "%s%d%s", roots[Next(12)], 50 * (1 + Next(400)), Next(2) ? "CE" : "PE");
        snprintf(row.expiry, sizeof(row.expiry), "%s", expiries[Next(4)]);
        row.price = (double)(100 + Next(300000)) / 100.0;
        row.volume = Next(5000000);
        row.exchange = exchanges[Next(3)];
        // The host's usual pair: insert at 0 (append), then the data of row 0.
        list.InsertItem(0, "", 0);
        list.SetItemData(0, (DWORD_PTR)(i + 1));
    }
    wnd.ShowWindow(SW_SHOW);
    context.Pump();
    context.Print("filter list: %d instruments loaded in %lu ms (hidden fill), %d shown", list.GetItemCount(),
                  ::GetTickCount() - t0, list.GetDisplayCount());
    context.Capture(&wnd, "filterlist_loaded");
    if (!context.m_bHeadless)
    {
        // The value popup is the library's own window: where its values are, while it is shown.
        context.SetPageState([&list] {
            const CString cs = DemoListState(list);
            CFilterText& popup = CFilterText::Get();
            CListBox& values = popup.GetValueList();
            if (popup.GetSafeHwnd() == nullptr || !popup.IsWindowVisible() || values.GetSafeHwnd() == nullptr)
                return cs + "; value popup closed";
            CPoint ptValues(0, 0);
            values.ClientToScreen(&ptValues);
            CString csValues;
            for (int i = 0; i < values.GetCount(); ++i)
            {
                CString csValue;
                values.GetText(i, csValue);
                csValues += (i ? ", " : "") + csValue;
            }
            CString csPopup;
            csPopup.Format("; value popup at %d,%d item height %d values %s", (int)ptValues.x, (int)ptValues.y,
                           values.GetItemHeight(0), (LPCTSTR)csValues);
            return cs + csPopup;
        });
        wnd.m_pLog = &context;
        return;
    }

    // The bar is shown with the keyboard in the symbol box (what Ctrl+F does).
    list.SetFocus();
    list.PutListFilter();
    context.Pump();
    HWND hBox = list.GetColorHeader().GetFilterEditWnd();
    if (hBox == nullptr)
    {
        context.Print("filter list: no filter box");
        return;
    }
    TypeInto(context, hBox, "REL");
    PumpFor(context, 650);   // the filter-change timeout passes, the header reports, the host populates
    context.Print("filter list: \"REL\" on Symbol shows %d of %d rows (populates %d)", list.GetDisplayCount(),
                  list.GetItemCount(), wnd.m_nPopulates);
    context.Capture(&wnd, "filterlist_rel");

    PressKey(context, hBox, VK_TAB);   // Expiry
    PressKey(context, hBox, VK_TAB);   // Price
    TypeInto(context, hBox, ">1000");
    PressKey(context, hBox, VK_RETURN);
    context.Print("filter list: and \">1000\" on Price shows %d rows; first %s at %s", list.GetDisplayCount(),
                  (LPCTSTR)list.GetItemText(0, colSymbol), (LPCTSTR)list.GetItemText(0, colPrice));
    context.Capture(&wnd, "filterlist_rel_price");

    CString alternatives = "N~M";
    list.SetVisibleColumnFilter(colExchange, alternatives, 0);
    context.Print("filter list: and \"N~M\" on Exchange (NSE or MCX) shows %d rows", list.GetDisplayCount());
    context.Capture(&wnd, "filterlist_alternatives");

    // The value popup of the Expiry column: two values picked, Enter.
    CRect rcButton;
    list.GetColorHeader().GetItemRect(colExpiry, &rcButton);
    CRect rcHeader;
    list.GetColorHeader().GetClientRect(&rcHeader);
    CPoint ptButton(rcButton.right - 9, rcHeader.Height() * 3 / 4);
    CPoint ptScreen = ptButton;
    list.GetColorHeader().ClientToScreen(&ptScreen);
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    list.GetColorHeader().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptButton.x, ptButton.y));
    list.GetColorHeader().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptButton.x, ptButton.y));
    context.Pump();
    CFilterText& popup = CFilterText::Get();
    CListBox& values = popup.GetValueList();
    context.Print("filter list: value popup of Expiry lists %d values", values.GetCount());
    values.SendMessage(LB_SETSEL, TRUE, 0);
    values.SendMessage(LB_SETSEL, TRUE, 2);
    context.Capture(&popup, "filterlist_popup");
    context.Capture(&wnd, "filterlist_popup_list");
    CString picked = popup.BuildFilterText();
    values.SetFocus();
    PressKey(context, values.m_hWnd, VK_RETURN);
    context.Print("filter list: picked \"%s\"; %d rows shown, popup %s", (LPCTSTR)picked, list.GetDisplayCount(),
                  popup.IsWindowVisible() ? "open" : "closed");
    context.Capture(&wnd, "filterlist_popup_applied");

    // A quote stream: 1,000 updates a second through RepaintMapItem while the filters hold.
    CString symbolOnly = "REL";
    CArray<int, int> columns;
    CArray<CString, CString> texts;
    columns.Add(colSymbol);
    texts.Add(symbolOnly);
    columns.Add(colPrice);
    texts.Add(">1000");
    list.SetMapColumnFilter(&columns, &texts, 0);
    int nShownBefore = list.GetDisplayCount();
    int nUpdates = 0, nIn = 0, nOut = 0;
    DWORD start = ::GetTickCount();
    for (DWORD now = 0; now < 3000; now = ::GetTickCount() - start)
    {
        // One update per elapsed millisecond, then the window gets its messages.
        while (nUpdates < (int)now)
        {
            int m = Next(nRows);
            sDemoInstrument& row = g_instruments[(size_t)(list.GetMapItemData(m) - 1)];
            row.price = row.price * (0.97 + (double)Next(61) / 1000.0);
            int r = list.RepaintMapItem(m);
            nIn += r == 1 && list.GetDisplayCount() > nShownBefore ? 1 : 0;
            nOut += r == -1 ? 1 : 0;
            ++nUpdates;
        }
        context.Pump();
        ::Sleep(1);
    }
    DWORD elapsed = ::GetTickCount() - start;
    CString reason;
    BOOL bOk = list.CheckInvariants(&reason);
    context.Print("filter list: %d quote updates in %lu ms (%.0f a second); %d rows left the filter, %d shown now "
                  "(was %d); store %s",
                  nUpdates, elapsed, nUpdates * 1000.0 / (double)(elapsed ? elapsed : 1), nOut, list.GetDisplayCount(),
                  nShownBefore, bOk ? "consistent" : (LPCTSTR)reason);
    (void)nIn;
    context.Capture(&wnd, "filterlist_stream");

    // "Add Custom Columns" from the header menu: the host opens the general dialog, the trader
    // names a Turnover column and writes Price x Volume.
    // A second run finds the column in the list's saved profile.
    bool bStored = false;
    for (INT_PTR c = colCount; c < list.m_arrColInfo.GetSize(); ++c)
        bStored = bStored || strcmp(list.m_arrColInfo[c].szColName, "Turnover") == 0;
    if (!bStored)
        wnd.SendMessage(WM_COMMAND, ID_FILTER_ADD_CUSTOM, 0);
    CUserDefinedColDlg& dlg = UserDefinedColDlg(0);
    if (bStored)
    {
        context.Print("filter list: custom column \"Turnover\" came back from the saved profile; first row %s x %s = %s",
                      (LPCTSTR)list.GetItemText(0, colPrice), (LPCTSTR)list.GetItemText(0, colVolume),
                      (LPCTSTR)list.GetItemText(0, colCount));
        context.Capture(&wnd, "filterlist_custom_column");
    }
    else if (dlg.GetSafeHwnd() != nullptr && dlg.IsWindowVisible())
    {
        dlg.SetDlgItemText(IDC_UCOL_NAME, "Turnover");
        dlg.SetDlgItemText(IDC_UCOL_EXPRESSION, "\"Price\" * \"Volume\"");
        context.Capture(&dlg, "filterlist_custom_column_dialog");
        ::SendMessage(dlg.GetDlgItem(IDOK)->GetSafeHwnd(), BM_CLICK, 0, 0);
        context.Pump();
        context.Print("filter list: custom column \"Turnover\" added (%d header columns); first row %s x %s = %s",
                      list.GetHeaderCtrl()->GetItemCount(), (LPCTSTR)list.GetItemText(0, colPrice),
                      (LPCTSTR)list.GetItemText(0, colVolume), (LPCTSTR)list.GetItemText(0, colCount));
        context.Capture(&wnd, "filterlist_custom_column");
        if (dlg.GetSafeHwnd() != nullptr)
            dlg.ShowWindow(SW_HIDE);
    }
    else
        context.Print("filter list: the custom column dialog did not open");
    wnd.DestroyWindow();
    g_instruments.clear();
}
