// The terminal's first grid: a window of a few hundred instruments in a CCommonListCtrl. The
// scripted session sorts it on two columns, copies the top rows to the clipboard and turns
// auto-sort on; the grid saves that when it closes, so the next run starts sorted the same way.
#include "DemoScene.h"

#include "lists/CommonListCtrl.h"
#include <cstdio>

namespace
{
enum
{
    colSymbol,
    colLast,
    colChange,
    colVolume,
    colTime,
    colExchange,
    colCount
};

class CInstrumentWnd : public CWnd
{
public:
    CCommonListCtrl m_list;

    afx_msg void OnSize(UINT, int cx, int cy)
    {
        if (m_list.GetSafeHwnd() != nullptr)
            m_list.MoveWindow(0, 0, cx, cy);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CInstrumentWnd, CWnd)
    ON_WM_SIZE()
END_MESSAGE_MAP()

// A small deterministic generator, so every run shows the same market.
CDemoRandom g_random(20240611);
int Next(int nRange) { return g_random.Next(nRange); }

void AddColumn(CCommonListCtrl& list, const char* name, int width, int format, int dataType)
{
    sOrvoColInfo info = {};
    snprintf(info.szColName, sizeof(info.szColName), "%s", name);
    info.nWidth = width;
    info.nFormat = format;
    info.nDataType = dataType;
    list.m_arrColInfo.Add(info);
}

void FillInstruments(CCommonListCtrl& list, int nCount)
{
    static const char* const roots[] = { "NIFTY", "BANKNIFTY", "RELIANCE", "INFY", "TCS", "GOLD", "SILVER", "CRUDE" };
    static const char* const exchanges[] = { "NSE", "BSE", "MCX" };
    list.SetRedraw(FALSE);
    for (int i = 0; i < nCount; ++i)
    {
        CString symbol, last, change, volume, time;
        // Strikes of different lengths show the natural order of the symbol column.
        symbol.Format("%s%d", roots[i % 8], 50 * (1 + Next(400)));
        int price = 1000 + Next(2000000);
        last.Format("%d.%02d", price / 100, price % 100);
        int delta = Next(4001) - 2000;
        if (Next(25) == 0)
            change = "-";   // no trade yet
        else
            change.Format("%s%d.%02d", delta < 0 ? "-" : "", (delta < 0 ? -delta : delta) / 100,
                          (delta < 0 ? -delta : delta) % 100);
        volume.Format("%d", Next(5000000));
        time.Format("%02d:%02d:%02d", 9 + Next(7), Next(60), Next(60));
        int row = list.InsertItem(LVIF_TEXT | LVIF_PARAM, i, symbol, 0, 0, 0, (LPARAM)i);
        list.SetItemText(row, colLast, last);
        list.SetItemText(row, colChange, change);
        list.SetItemText(row, colVolume, volume);
        list.SetItemText(row, colTime, time);
        list.SetItemText(row, colExchange, exchanges[Next(3)]);
    }
    list.SetRedraw(TRUE);
}

void ClickHeader(CInstrumentWnd& wnd, int nPosition)
{
    NMLISTVIEW view = {};
    view.hdr.hwndFrom = wnd.m_list.m_hWnd;
    view.hdr.idFrom = (UINT_PTR)wnd.m_list.GetDlgCtrlID();
    view.hdr.code = LVN_COLUMNCLICK;
    view.iItem = -1;
    view.iSubItem = nPosition;
    wnd.SendMessage(WM_NOTIFY, view.hdr.idFrom, (LPARAM)&view);
}

CString ReadClipboardText()
{
    CString text;
    if (!::OpenClipboard(nullptr))
        return text;
    if (HANDLE h = ::GetClipboardData(CF_TEXT))
    {
        if (const char* p = static_cast<const char*>(::GlobalLock(h)))
            text = p;
        ::GlobalUnlock(h);
    }
    ::CloseClipboard();
    return text;
}

const char* OrderName(int nOrder)
{
    return nOrder == 1 ? "descending" : "ascending";
}
}  // namespace

DEMO_SCENE(InstrumentGrid, 10)
{
    static CInstrumentWnd wnd;
    CRect frame;
    context.m_pMainWnd->GetWindowRect(&frame);
    if (!wnd.CreateEx(WS_EX_TOOLWINDOW, nullptr, "Instruments", WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME | WS_VISIBLE,
                      frame.left + 20, frame.top + 60, 640, 420, context.m_pMainWnd->m_hWnd, nullptr))
    {
        context.Print("could not create the instrument window");
        return;
    }
    CRect client;
    wnd.GetClientRect(&client);
    CCommonListCtrl& list = wnd.m_list;
    list.m_csListName = "DemoInstruments";
    if (!list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, client, &wnd, 100))
    {
        context.Print("could not create the grid");
        return;
    }
    AddColumn(list, "Symbol", 120, LVCFMT_LEFT, LIST_SORT_NATURAL);
    AddColumn(list, "Last", 90, LVCFMT_RIGHT, LIST_SORT_DECIMAL);
    AddColumn(list, "Change", 80, LVCFMT_RIGHT, LIST_SORT_DECIMAL);
    AddColumn(list, "Volume", 90, LVCFMT_RIGHT, LIST_SORT_INTEGER);
    AddColumn(list, "Time", 80, LVCFMT_CENTER, LIST_SORT_DATETIME);
    AddColumn(list, "Exchange", 80, LVCFMT_LEFT, LIST_SORT_TEXT);
    list.InsertColumnsForList();
    bool bRestored = list.IsAutoSortEnabled() != FALSE;

    FillInstruments(list, 300);
    context.Print("grid: %d instruments", list.GetItemCount());

    if (bRestored)
    {
        // The settings of the last run switched auto-sort on: its first tick sorts the new rows.
        list.SendMessage(WM_TIMER, LIST_AUTOSORT_TIMER);
        context.Print("grid: auto-sort restored on column %d, %s; top row %s", list.GetSortColumn(),
                      OrderName(list.GetSortOrder()), (LPCTSTR)list.GetItemText(0, colSymbol));
        context.Capture(&wnd, "grid_autosort_restored");
    }
    else
    {
        context.Print("grid: no saved auto-sort (first run)");
    }

    if (!context.m_bHeadless)
        return;

    list.SortOn(colChange, 0);
    context.Print("grid: sorted by Change, descending; top %s %s", (LPCTSTR)list.GetItemText(0, colSymbol),
                  (LPCTSTR)list.GetItemText(0, colChange));
    context.Capture(&wnd, "grid_by_change");

    ClickHeader(wnd, colSymbol);
    context.Print("grid: header click on Symbol, %s; top %s", OrderName(list.GetSortOrder()),
                  (LPCTSTR)list.GetItemText(0, colSymbol));
    context.Capture(&wnd, "grid_by_symbol");

    for (int r = 0; r < 5; ++r)
        list.SetItemState(r, LVIS_SELECTED, LVIS_SELECTED);
    list.BuildTable();
    CString copied = ReadClipboardText();
    CString path = context.OutputPath("grid_clipboard.txt");
    if (FILE* f = fopen(path, "wb"))
    {
        fwrite((LPCTSTR)copied, 1, (size_t)copied.GetLength(), f);
        fclose(f);
    }
    context.Print("grid: copied %d characters of 5 rows to the clipboard (%s)", copied.GetLength(), (LPCTSTR)path);

    list.EnableAutoSort(TRUE);
    ClickHeader(wnd, colVolume);
    ClickHeader(wnd, colVolume);
    context.Print("grid: auto-sort on, by Volume %s; saved when the window closes",
                  OrderName(list.GetSortOrder()));
    context.Capture(&wnd, "grid_by_volume");
    wnd.DestroyWindow();
}
