// Price alerts in the extended grid: each instrument with its trigger, an "Active" check box under
// a header check box, a colour box for the alert's colour, a disabled (expired) row. The grid is
// filled hidden with 2,000 alerts (the host's usual way: InsertItem, then each cell), then shown;
// the scripted session ticks the header box, which checks every enabled row.
#include "DemoScene.h"
#include "xgrid/XListCtrl.h"

namespace
{
enum
{
    colSymbol,
    colTrigger,
    colLast,
    colActive,
    colColour,
    colNote,
};
// The grid's parent: it owns the texts the grid's check-box notifications carry.
class CAlertWnd : public CWnd
{
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_XLISTCTRL_CHECKBOX_CLICKED || message == WM_XLISTCTRL_COLORBOX_CLICKED)
        {
            delete[] reinterpret_cast<char*>(wParam);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};
}  // namespace

DEMO_SCENE(AlertGrid, 67)
{
    static CAlertWnd wnd;
    static CXListCtrl grid;
    CRect frame;
    context.m_pMainWnd->GetWindowRect(&frame);
    if (!wnd.CreateEx(WS_EX_TOOLWINDOW, nullptr, "Price alerts", WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME,
                      frame.left + 80, frame.top + 100, 560, 300, context.m_pMainWnd->m_hWnd, nullptr))
    {
        context.Print("alerts: could not create the window");
        return;
    }
    CRect client;
    wnd.GetClientRect(&client);
    if (!grid.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, client, &wnd, 400))
    {
        context.Print("alerts: could not create the grid");
        return;
    }
    grid.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    struct
    {
        const char* name;
        int width;
        int format;
    } const columns[] = { { "Symbol", 110, LVCFMT_LEFT }, { "Trigger", 80, LVCFMT_RIGHT }, { "Last", 80, LVCFMT_RIGHT },
                          { "Active", 60, LVCFMT_LEFT },  { "Colour", 60, LVCFMT_LEFT },   { "Note", 140, LVCFMT_LEFT } };
    for (int c = 0; c < (int)(sizeof(columns) / sizeof(columns[0])); ++c)
        grid.InsertColumn(c, columns[c].name, columns[c].format, columns[c].width);

    static const char* const roots[] = { "RELIANCE", "INFY", "TCS", "HDFC", "ITC", "GOLD", "SILVER", "CRUDE" };
    static const COLORREF colours[] = { RGB(0, 160, 0), RGB(200, 0, 0), RGB(0, 90, 200), RGB(230, 150, 0) };
    CDemoRandom random(77);
    const int nRows = 2000;
    const DWORD t0 = ::GetTickCount();
    char text[64];
    for (int r = 0; r < nRows; ++r)
    {
        snprintf(text, sizeof(text), "%s%d", roots[r % 8], 100 + r / 8);
        grid.InsertItem(r, text);
        const int nLast = 1000 + random.Next(200000);
        const int nTrigger = nLast + (random.Next(2) ? 1 : -1) * random.Next(5000);
        snprintf(text, sizeof(text), "%d.%02d", nTrigger / 100, nTrigger % 100);
        grid.SetItemText(r, colTrigger, text);
        snprintf(text, sizeof(text), "%d.%02d", nLast / 100, nLast % 100);
        // Above its trigger: the last price in green, below in red.
        grid.SetItemText(r, colLast, text, nLast >= nTrigger ? RGB(0, 130, 0) : RGB(190, 0, 0), (COLORREF)-1);
        grid.SetCheckbox(r, colActive, r % 3 == 0 ? 1 : 0);
        grid.SetColorboxColor(r, colColour, colours[r % 4]);
        grid.SetItemText(r, colNote, nLast >= nTrigger ? "crossed up" : "waiting");
    }
    grid.SetItemText(4, colNote, "expired");
    grid.SetEnabled(4, FALSE);
    grid.SetBold(0, colSymbol, TRUE);
    grid.SetHeaderCheckedState(colActive, XHEADER_CHECK_UNCHECKED);
    wnd.ShowWindow(SW_SHOW);
    grid.UpdateWindow();
    context.Pump();
    context.Print("alerts: %d rows of %d cells filled and shown in %lu ms; row 2 reads \"%s\" at %s (%s)", grid.GetItemCount(),
                  grid.GetColumns(), ::GetTickCount() - t0, (LPCTSTR)grid.CListCtrl::GetItemText(2, colSymbol),
                  (LPCTSTR)grid.CListCtrl::GetItemText(2, colLast), (LPCTSTR)grid.CListCtrl::GetItemText(2, colNote));
    context.Capture(&wnd, "alerts_grid");
    if (!context.m_bHeadless)
        return;

    // The header check box of "Active": every enabled row becomes active; the expired row stays.
    NMLISTVIEW click = {};
    click.hdr.hwndFrom = grid.m_hWnd;
    click.hdr.idFrom = 400;
    click.hdr.code = LVN_COLUMNCLICK;
    click.iItem = -1;
    click.iSubItem = colActive;
    wnd.SendMessage(WM_NOTIFY, 400, (LPARAM)&click);
    context.Pump();
    context.Print("alerts: header box ticked: %d of %d alerts active, header state %d, expired row %d",
                  grid.CountCheckedItems(colActive), grid.GetItemCount(), grid.GetHeaderCheckedState(colActive),
                  grid.GetCheckbox(4, colActive));
    context.Capture(&wnd, "alerts_grid_all_active");
}
