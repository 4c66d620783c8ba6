// A watch list the trader rearranges with the mouse: two instruments dragged down together (the
// drag image of both rows under the cursor and the row they will land on highlighted, then the
// list after the drop), every row ticked from the check box in the header, and the tooltip that
// shows an instrument's details when the mouse rests on its row.
#include "DemoScene.h"
#include "DemoHost.h"
#include "WindowPicture.h"

#include "market/MrktWatchListCtrl.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace
{
struct sWatchInstrument
{
    char bytes[512];   // the host's instrument record: symbols at the offsets the list reads
    const char* pszSymbol;
    const char* pszName;
    const char* pszExchange;
    double dLast, dBid, dAsk;
    int nLot;
};

std::vector<sWatchInstrument> g_instruments;
std::vector<sMWStruct> g_records;
DemoHost::PFN_MARKET_TEXT g_pfnPrevious = nullptr;

const sWatchInstrument* InstrumentOf(const void* pRecord)
{
    if (g_records.empty() || pRecord < (const void*)g_records.data() || pRecord >= (const void*)(g_records.data() + g_records.size()))
        return nullptr;
    return &g_instruments[(size_t)((const sMWStruct*)pRecord - g_records.data())];
}

// Field ids of this watch list: 0 symbol, 1 exchange, 2 last, 3 bid, 4 ask.
int WatchText(CWnd* pParent, void* pRecord, int nColumnId, CString& csText)
{
    const sWatchInstrument* p = InstrumentOf(pRecord);
    if (p == nullptr)
        return g_pfnPrevious != nullptr ? g_pfnPrevious(pParent, pRecord, nColumnId, csText) : 0;
    switch (nColumnId)
    {
    case 0: csText = p->pszSymbol; return 1;
    case 1: csText = p->pszExchange; return 1;
    case 2: csText.Format("%.2f", p->dLast); return 1;
    case 3: csText.Format("%.2f", p->dBid); return 1;
    case 4: csText.Format("%.2f", p->dAsk); return 1;
    default: csText.Empty(); return 0;
    }
}

class CWatchDragWnd : public CWnd
{
public:
    CMrktWatchListCtrl m_list;

    // The row tooltip: the instrument's details.
    int RowTip(int nRow, CString& text, CCommonListCtrl* pList)
    {
        const sWatchInstrument* p = InstrumentOf((const void*)pList->CListCtrl::GetItemData(nRow));
        if (p == nullptr)
            return 0;
        text.Format("%s  %s (%s)  lot %d  bid %.2f / ask %.2f", p->pszSymbol, p->pszName, p->pszExchange, p->nLot,
                    p->dBid, p->dAsk);
        return 1;
    }
};

const char* const kFields[] = { "Symbol", "Exchange", "Last", "Bid", "Ask" };
const int kWidths[] = { 110, 70, 80, 80, 80 };

std::string Order(CMrktWatchListCtrl& list)
{
    std::string s;
    for (int r = 0; r < list.GetItemCount(); ++r)
        s += std::string(r ? " " : "") + (LPCTSTR)list.CListCtrl::GetItemText(r, 0);
    return s;
}

// The list's picture with the drag image where the screen shows it (pictures of windows do not
// include what the drag draws on the screen).
bool CaptureWithDragImage(CDemoContext& context, CMrktWatchListCtrl& list, CPoint ptImage, LPCTSTR lpszName)
{
    context.Pump();
    HBITMAP hBitmap = WindowPicture::Render(list.m_hWnd);
    if (hBitmap == nullptr)
        return false;
    if (list.m_pDragImage != nullptr)
    {
        HDC hdc = ::CreateCompatibleDC(nullptr);
        HGDIOBJ hOld = ::SelectObject(hdc, hBitmap);
        ::ImageList_Draw(list.m_pDragImage->m_hImageList, 0, hdc, ptImage.x, ptImage.y, ILD_BLEND50);
        ::SelectObject(hdc, hOld);
        ::DeleteDC(hdc);
    }
    CString path = context.OutputPath(CString(lpszName) + ".png");
    bool ok = WindowPicture::SaveBitmapPng(hBitmap, path);
    ::DeleteObject(hBitmap);
    context.Print("picture %s: %s", (LPCTSTR)path, ok ? "written" : "FAILED");
    return ok;
}

void Post(HWND hWnd, UINT message, WPARAM wParam, CPoint pt, CDemoContext& context)
{
    ::PostMessageA(hWnd, message, wParam, MAKELPARAM(pt.x, pt.y));
    context.Pump();
}

CPoint RowPoint(CMrktWatchListCtrl& list, int nRow)
{
    CRect rc;
    list.GetItemRect(nRow, &rc, LVIR_BOUNDS);
    return CPoint(rc.left + 60, rc.CenterPoint().y);
}
}  // namespace

DEMO_SCENE(WatchListDrag, 33)
{
    static const sWatchInstrument kList[] = {
        { {}, "NIFTY", "Nifty 50 index future", "NSE", 22412.50, 22411.00, 22413.50, 50 },
        { {}, "INFY", "Infosys Ltd", "NSE", 1489.35, 1489.20, 1489.55, 400 },
        { {}, "TCS", "Tata Consultancy Services", "NSE", 3921.10, 3920.80, 3921.40, 175 },
        { {}, "RELIANCE", "Reliance Industries", "NSE", 2934.65, 2934.50, 2934.90, 250 },
        { {}, "GOLD", "Gold 1 kg", "MCX", 71820.00, 71810.00, 71830.00, 1 },
        { {}, "SILVER", "Silver 30 kg", "MCX", 83150.00, 83120.00, 83170.00, 1 },
        { {}, "CRUDEOIL", "Crude oil 100 barrels", "MCX", 6512.00, 6511.00, 6513.00, 100 },
        { {}, "HDFCBANK", "HDFC Bank Ltd", "BSE", 1532.40, 1532.25, 1532.60, 550 },
    };
    g_instruments.assign(std::begin(kList), std::end(kList));
    g_records.resize(g_instruments.size());
    for (size_t i = 0; i < g_instruments.size(); ++i)
    {
        sWatchInstrument& in = g_instruments[i];
        memset(in.bytes, 0, sizeof(in.bytes));
        strcpy(in.bytes + MW_TRADING_SYMBOL_OFFSET, in.pszSymbol);
        strcpy(in.bytes + MW_SYMBOL_OFFSET, in.pszSymbol);
        g_records[i] = { nullptr, in.bytes };
    }
    g_pfnPrevious = DemoHost::GetMarketTextProvider();
    DemoHost::SetMarketTextProvider(&WatchText);

    // Left open for the trader when the terminal is interactive.
    CWatchDragWnd& wnd = *new CWatchDragWnd;
    wnd.CreateEx(0, "STATIC", "Watch list", WS_CHILD | WS_VISIBLE, CRect(0, 0, 480, 250), context.m_pMainWnd, 0);
    // Above the terminal's own windows, so that the mouse finds it.
    ::SetWindowPos(wnd.m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CMrktWatchListCtrl& list = wnd.m_list;
    list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(0, 0, 480, 250), &wnd, 301);
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES);
    list.SetBkColor(RGB(0, 0, 0));
    list.SetTextColor(RGB(230, 230, 230));
    list.CListCtrl::SetTextBkColor(RGB(0, 0, 0));
    for (int f = 0; f < 5; ++f)
    {
        sOrvoColInfo info = {};
        strcpy(info.szColName, kFields[f]);
        info.nWidth = kWidths[f];
        info.nFormat = f <= 1 ? LVCFMT_LEFT : LVCFMT_RIGHT;
        info.nDataType = f <= 1 ? 3 : 2;
        list.m_arrColInfo.Add(info);
        list.m_arrColPosition.Add(f);
        list.m_arrWidth.Add(kWidths[f]);
    }
    list.m_bColumnProfile = 0;
    list.InsertColumnsForList();
    for (int r = 0; r < (int)g_records.size(); ++r)
    {
        list.CListCtrl::InsertItem(LVIF_TEXT | LVIF_PARAM, r, "", 0, 0, 0, (LPARAM)&g_records[(size_t)r]);
        for (int c = 0; c < 5; ++c)
            list.CListCtrl::SetItemText(r, c, list.GetItemText(r, c));
    }
    list.m_bRowDrag = 1;
    list.InitToolTipRetFunc(static_cast<CCommonListCtrl::PFN_GETROWTOOLTIP>(&CWatchDragWnd::RowTip));
    list.EnableHeaderCheckBox();
    context.Print("watch list: %s", Order(list).c_str());
    context.Capture(&wnd, "watchdrag_before");

    // INFY and TCS selected, pressed on INFY and dragged down onto GOLD.
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    CPoint from = RowPoint(list, 1);
    CPoint to = RowPoint(list, 4);
    Post(list.m_hWnd, WM_MOUSEMOVE, 0, from, context);
    Post(list.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, from, context);
    Post(list.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, CPoint(from.x + 12, from.y + 12), context);
    Post(list.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, to, context);
    CRect rcFirst;
    list.GetItemRect(1, &rcFirst, LVIR_BOUNDS);
    // The image hangs from the cursor as it was picked up: the same offset from the pressed point.
    CPoint ptImage(to.x - (from.x - rcFirst.left), to.y - (from.y - rcFirst.top));
    context.Print("watch list: dragging %d rows (%s), drop on row %d", (int)list.GetDraggedRows().GetSize(),
                  list.IsDragging() ? "image shown" : "NO DRAG", list.GetDropIndex());
    CaptureWithDragImage(context, list, ptImage, "watchdrag_during");

    Post(list.m_hWnd, WM_LBUTTONUP, 0, to, context);
    context.Print("watch list after the drop: %s", Order(list).c_str());
    context.Capture(&wnd, "watchdrag_after");

    // The header's box ticks every row.
    HWND hHeader = list.GetHeaderCtrl()->m_hWnd;
    CRect rcItem;
    ::SendMessageA(hHeader, HDM_GETITEMRECT, 0, (LPARAM)&rcItem);
    CPoint ptBox(rcItem.left + 10, rcItem.CenterPoint().y);
    Post(hHeader, WM_LBUTTONDOWN, MK_LBUTTON, ptBox, context);
    Post(hHeader, WM_LBUTTONUP, 0, ptBox, context);
    int nTicked = 0;
    for (int r = 0; r < list.GetItemCount(); ++r)
        nTicked += list.GetCheck(r) ? 1 : 0;
    context.Print("watch list: header box %s, %d of %d rows ticked", list.GetHeaderCheckboxState() ? "checked" : "clear",
                  nTicked, list.GetItemCount());
    context.Capture(&wnd, "watchdrag_all_ticked");

    // The mouse rests on a row: its tooltip.
    CPoint ptTip = RowPoint(list, 3);
    CPoint ptScreen = ptTip;
    list.ClientToScreen(&ptScreen);
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    Post(list.m_hWnd, WM_MOUSEMOVE, 0, ptTip, context);
    char szTip[512] = "";
    TTTOOLINFOA ti = {};
    ti.cbSize = sizeof(ti);
    ti.hwnd = list.m_hWnd;
    ti.uId = 4;
    ti.lpszText = szTip;
    list.m_ToolTip.SendMessage(TTM_GETTEXTA, sizeof(szTip), (LPARAM)&ti);
    // The tooltip shows after its initial delay when the mouse rests on the row.
    list.m_ToolTip.SetDelayTime(TTDT_INITIAL, 50);
    Post(list.m_hWnd, WM_MOUSEMOVE, 0, ptTip, context);
    for (DWORD t0 = ::GetTickCount(); ::GetTickCount() - t0 < 600 && !list.m_ToolTip.IsWindowVisible();)
    {
        ::Sleep(10);
        context.Pump();
    }
    bool bShown = list.m_ToolTip.IsWindowVisible() != FALSE;
    context.Print("watch list: tooltip of row 3 \"%s\" (%s)", szTip, bShown ? "shown" : "not shown by the platform");
    if (bShown)
    {
        // The tooltip is a top-level window of its own: its picture goes where the screen shows
        // it over the list's.
        context.Capture(&list.m_ToolTip, "watchdrag_tooltip");
        HBITMAP hList = WindowPicture::Render(wnd.m_hWnd);
        HBITMAP hTip = WindowPicture::Render(list.m_ToolTip.m_hWnd);
        if (hList != nullptr && hTip != nullptr)
        {
            CRect rcWnd, rcTip;
            wnd.GetWindowRect(&rcWnd);
            list.m_ToolTip.GetWindowRect(&rcTip);
            HDC hdcList = ::CreateCompatibleDC(nullptr);
            HDC hdcTip = ::CreateCompatibleDC(nullptr);
            HGDIOBJ hOldList = ::SelectObject(hdcList, hList);
            HGDIOBJ hOldTip = ::SelectObject(hdcTip, hTip);
            ::BitBlt(hdcList, rcTip.left - rcWnd.left, rcTip.top - rcWnd.top, rcTip.Width(), rcTip.Height(), hdcTip, 0, 0, SRCCOPY);
            ::SelectObject(hdcTip, hOldTip);
            ::SelectObject(hdcList, hOldList);
            ::DeleteDC(hdcTip);
            ::DeleteDC(hdcList);
            CString path = context.OutputPath("watchdrag_tooltip_row.png");
            context.Print("picture %s: %s", (LPCTSTR)path, WindowPicture::SaveBitmapPng(hList, path) ? "written" : "FAILED");
        }
        if (hList != nullptr)
            ::DeleteObject(hList);
        if (hTip != nullptr)
            ::DeleteObject(hTip);
    }
    else
    {
        context.Capture(&wnd, "watchdrag_tooltip_row");
    }

    if (!context.m_bHeadless)
        return;
    wnd.DestroyWindow();
    delete &wnd;
    DemoHost::SetMarketTextProvider(g_pfnPrevious);
}
