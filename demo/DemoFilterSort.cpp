// Sorting a filter list of 100,000 instruments: a click on the Price header sorts by price
// (ascending, then descending), then the trader ticks five rows' check boxes with sort-on-checked
// on, which brings the ticked rows to the top, each group ordered by the numeric token column,
// and the first header shows how many rows are ticked.
#include "DemoScene.h"

#include "filter/FilterListCtrl.h"

#include <cstdio>
#include <vector>

namespace
{
enum
{
    colToken,
    colSymbol,
    colPrice,
    colVolume,
    colTicked,
    colCount
};

struct sSortRow
{
    int token;
    char symbol[32];
    double price;
    int volume;
};

std::vector<sSortRow> g_sortRows;
CFilterListCtrl* g_pSortList = nullptr;

int SortColumnText(ULONGLONG dwItemData, int nColumn, CString& text, unsigned long&, unsigned long&, int&)
{
    const size_t i = (size_t)(dwItemData - 1);
    const sSortRow& row = g_sortRows[i];
    switch (nColumn)
    {
    case colToken:
        text.Format("%d", row.token);
        return 1;
    case colSymbol:
        text = row.symbol;
        return 1;
    case colPrice:
        text.Format("%.2f", row.price);
        return 1;
    case colVolume:
        text.Format("%d", row.volume);
        return 1;
    case colTicked:
    {
        // The terminal shows its own column of ticked rows (the data is the row number + 1).
        bool bTicked = false;
        for (int r = 0; r < g_pSortList->GetDisplayCount() && !bTicked; ++r)
        {
            if (g_pSortList->GetItemData(r) == dwItemData)
                bTicked = g_pSortList->GetCheck(r) != 0;
            if (r > 20)
                break;   // only the top of the list is ever shown here
        }
        text = bTicked ? "yes" : "";
        return 1;
    }
    default:
        return 0;
    }
}

CDemoRandom g_random(4711);
int NextValue(int nRange) { return g_random.Next(nRange); }

class CSortWnd : public CWnd
{
public:
    CFilterListCtrl m_list;
    afx_msg void OnSize(UINT, int cx, int cy)
    {
        if (m_list.GetSafeHwnd() != nullptr)
            m_list.MoveWindow(0, 0, cx, cy);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSortWnd, CWnd)
    ON_WM_SIZE()
END_MESSAGE_MAP()

void AddSortColumn(CFilterListCtrl& list, const char* name, int width, int format, int nDataType)
{
    sOrvoColInfo info = {};
    snprintf(info.szColName, sizeof(info.szColName), "%s", name);
    info.nWidth = width;
    info.nFormat = format;
    info.nDataType = nDataType;
    list.m_arrColInfo.Add(info);
}

// A click on a header title, as the mouse gives it (the filter row is the lower half).
void ClickHeaderTitle(const CDemoContext& context, CFilterListCtrl& list, int nPosition)
{
    CHeaderCtrl* pHeader = list.GetHeaderCtrl();
    CRect rcItem, rcClient;
    pHeader->GetItemRect(nPosition, &rcItem);
    pHeader->GetClientRect(&rcClient);
    LPARAM lParam = MAKELPARAM(rcItem.CenterPoint().x, rcClient.Height() / 4);
    pHeader->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lParam);
    pHeader->SendMessage(WM_LBUTTONUP, 0, lParam);
    context.Pump();
}

// A click on a row's check box (the first pixels of the row).
void ClickCheckBox(const CDemoContext& context, CFilterListCtrl& list, int nRow)
{
    context.Pump();
    CRect rc;
    if (!list.GetItemRect(nRow, &rc, LVIR_BOUNDS))
        return;
    LPARAM lParam = MAKELPARAM(rc.left + 5, rc.CenterPoint().y);
    // The list view tracks the mouse until the button comes up: queue that first.
    list.PostMessage(WM_LBUTTONUP, 0, lParam);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lParam);
    context.Pump();
}
}  // namespace

DEMO_SCENE(FilterSort, 31)
{
    static CSortWnd wnd;
    CRect frame;
    context.m_pMainWnd->GetWindowRect(&frame);
    if (!wnd.CreateEx(WS_EX_TOOLWINDOW, nullptr, "Sorted instruments", WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME,
                      frame.left + 60, frame.top + 100, 640, 420, context.m_pMainWnd->m_hWnd, nullptr))
    {
        context.Print("could not create the sort window");
        return;
    }
    CRect client;
    wnd.GetClientRect(&client);
    CFilterListCtrl& list = wnd.m_list;
    g_pSortList = &list;
    list.m_csListName = "DemoFilterSort";
    if (!list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_OWNERDRAWFIXED | LVS_SHOWSELALWAYS, client,
                     &wnd, 100))
    {
        context.Print("could not create the sort list");
        return;
    }
    // The platform's check box images, which the list draws in the first column.
    list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_CHECKBOXES);
    AddSortColumn(list, "Token", 150, LVCFMT_RIGHT, 1);
    AddSortColumn(list, "Symbol", 150, LVCFMT_LEFT, 3);
    AddSortColumn(list, "Price", 100, LVCFMT_RIGHT, 2);
    AddSortColumn(list, "Volume", 100, LVCFMT_RIGHT, 4);
    AddSortColumn(list, "Ticked", 70, LVCFMT_CENTER, 0);
    list.InitColumnTextRtn(&SortColumnText);
    list.InsertColumnsForList();
    list.SetUseFilter(TRUE);

    static const char* const roots[] = { "RELIANCE", "INFY", "TCS", "NIFTY", "BANKNIFTY", "GOLD", "HDFC", "ITC" };
    const int nRows = 100000;
    g_sortRows.resize(nRows);
    for (int i = 0; i < nRows; ++i)
    {
        sSortRow& row = g_sortRows[(size_t)i];
        row.token = 1000 + NextValue(90000);
        snprintf(row.symbol, sizeof(row.symbol), "%s%d%s", roots[NextValue(8)], 50 * (1 + NextValue(400)),
                 NextValue(2) ? "CE" : "PE");
        // Prices in a few steps, so that equal prices show their order too.
        row.price = (double)(500 + NextValue(40000)) / 20.0;
        row.volume = NextValue(5000000);
        list.InsertItem(0, "", 0);
        list.SetItemData(0, (DWORD_PTR)(i + 1));
    }
    wnd.ShowWindow(SW_SHOW);
    context.Pump();

    DWORD t0 = ::GetTickCount();
    ClickHeaderTitle(context, list, colPrice);
    context.Print("filter sort: %d rows by Price ascending in %lu ms; top %s at %s, then %s at %s", list.GetDisplayCount(),
                  ::GetTickCount() - t0, (LPCTSTR)list.GetItemText(0, colSymbol), (LPCTSTR)list.GetItemText(0, colPrice),
                  (LPCTSTR)list.GetItemText(1, colSymbol), (LPCTSTR)list.GetItemText(1, colPrice));
    context.Capture(&wnd, "filtersort_price_ascending");
    ClickHeaderTitle(context, list, colPrice);
    context.Print("filter sort: Price descending; top %s at %s", (LPCTSTR)list.GetItemText(0, colSymbol),
                  (LPCTSTR)list.GetItemText(0, colPrice));
    context.Capture(&wnd, "filtersort_price_descending");
    if (!context.m_bHeadless)
        return;

    // Sort-on-checked: every tick re-sorts at once; ticked rows first, each group by Token.
    list.m_bSortOnChecked = true;
    static const int ticks[] = { 3, 7, 9, 12, 15 };
    for (int r : ticks)
        ClickCheckBox(context, list, r);
    ClickHeaderTitle(context, list, colPrice);
    CString csTop;
    for (int r = 0; r < 7; ++r)
    {
        csTop += list.GetItemText(r, colToken);
        csTop += list.GetCheck(r) ? "(ticked) " : " ";
    }
    char header[96] = "";
    HDITEMA item = {};
    item.mask = HDI_TEXT;
    item.pszText = header;
    item.cchTextMax = sizeof(header);
    list.GetHeaderCtrl()->GetItem(0, &item);
    context.Print("filter sort: %d ticked, checked first by Token: %s; header \"%s\"", list.GetCheckedItemCount(),
                  (LPCTSTR)csTop, header);
    context.Print("filter sort: selection mark %d, %u rows selected", list.GetSelectionMark(), list.GetSelectedCount());
    context.Capture(&wnd, "filtersort_checked_first");
    wnd.DestroyWindow();
    g_pSortList = nullptr;
    g_sortRows.clear();
}
