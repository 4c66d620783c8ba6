// The terminal's workspace: its windows as tabs on a strip docked at the bottom of a frame. The
// scripted session shows a few tabs, opens so many windows that the scroll buttons appear,
// renames the selected tab in place, then drags one tab to another place and copies another.
#include "DemoScene.h"

#include "windows/CustomTabCtrl.h"

#include <deque>
#include <functional>

namespace
{
enum
{
    IDC_TABS = 300,
    IDC_VIEW = 301,
};

class CWorkspaceWnd : public CWnd
{
public:
    CCustomTabCtrl m_tabs;
    CStatic m_view;
    const CDemoContext* m_pContext = nullptr;
    std::deque<std::function<void()>> m_steps;

    // Queues a step to run from the message loop (also from the strip's rename loop).
    void Post(std::function<void()> step)
    {
        m_steps.push_back(std::move(step));
        PostMessage(WM_APP);
    }

    // Docks the strip through the size-parent message; the view takes what is left.
    void RecalcLayout()
    {
        AFX_SIZEPARENTPARAMS params = {};
        GetClientRect(&params.rect);
        m_tabs.SendMessage(WM_SIZEPARENT, 0, (LPARAM)&params);
        if (m_view.GetSafeHwnd())
            m_view.MoveWindow(&params.rect);
    }

    void ShowSelected()
    {
        CString sText = "(no window)";
        if (m_tabs.GetCurSel() >= 0)
            m_tabs.GetItemText(m_tabs.GetCurSel(), sText);
        m_view.SetWindowText("\n  " + sText);
    }

protected:
    // void OnSize(UINT nType, int cx, int cy)
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        CWnd::OnSize(nType, cx, cy);
        if (m_tabs.GetSafeHwnd())
            RecalcLayout();
    }
    // LRESULT OnStep(WPARAM, LPARAM)
    afx_msg LRESULT OnStep(WPARAM, LPARAM)
    {
        if (!m_steps.empty())
        {
            std::function<void()> step = std::move(m_steps.front());
            m_steps.pop_front();
            step();
        }
        return 0;
    }
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (wParam != IDC_TABS)
            return CWnd::OnNotify(wParam, lParam, pResult);
        const CTC_NMHDR* p = reinterpret_cast<const CTC_NMHDR*>(lParam);
        *pResult = 0;
        switch ((int)p->hdr.code)
        {
        case CTCN_CLICK:
            ShowSelected();
            m_pContext->Print("tabs: switched to \"%s\"", p->pszText);
            break;
        case CTCN_LBUTTONDOWN:
            if (p->nItem == CTCHT_ONCLOSEBUTTON && m_tabs.GetCurSel() >= 0)
            {
                CString sText;
                m_tabs.GetItemText(m_tabs.GetCurSel(), sText);
                m_tabs.DeleteItem(m_tabs.GetCurSel());
                ShowSelected();
                m_pContext->Print("tabs: closed \"%s\"", (LPCTSTR)sText);
            }
            break;
        case CTCN_LABELUPDATE:
        {
            CString sNew;
            m_tabs.GetDlgItem(1)->GetWindowText(sNew);
            m_pContext->Print("tabs: renamed \"%s\" to \"%s\"", p->pszText, (LPCTSTR)sNew);
            break;
        }
        case CTCN_ITEMMOVE:
            m_pContext->Print("tabs: moved tab %d to %d", p->nItem & 0xFF, (p->nItem >> 8) & 0xFF);
            break;
        case CTCN_ITEMCOPY:
            m_pContext->Print("tabs: copied \"%s\" to tab %d", p->pszText, p->nItem);
            break;
        default:
            break;
        }
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CWorkspaceWnd, CWnd)
    ON_WM_SIZE()
    ON_MESSAGE(WM_APP, OnStep)
END_MESSAGE_MAP()

void Send(CWnd& wnd, UINT message, UINT nFlags, CPoint pt)
{
    wnd.SendMessage(message, nFlags, MAKELPARAM(pt.x, pt.y));
}

CPoint Center(CCustomTabCtrl& tabs, int nItem)
{
    CRect r;
    tabs.GetItemRect(nItem, r);
    return r.CenterPoint();
}

CString Order(CCustomTabCtrl& tabs)
{
    CString s;
    for (int i = 0; i < tabs.GetItemCount(); ++i)
    {
        CString t;
        tabs.GetItemText(i, t);
        s += (i ? ", " : "") + t;
    }
    return s;
}

// Presses on the selected tab, lets the drag delay pass, moves over the target one mouse message
// at a time and releases there.
void Drag(CDemoContext& context, CCustomTabCtrl& tabs, int nTarget, UINT nKeys, LPCTSTR lpszPicture)
{
    const int nSource = tabs.GetCurSel();
    Send(tabs, WM_LBUTTONDOWN, MK_LBUTTON | nKeys, Center(tabs, nSource));
    tabs.SendMessage(WM_TIMER, CTC_TIMER_DRAG);
    for (int i = 0; i < 8; ++i)
        Send(tabs, WM_MOUSEMOVE, MK_LBUTTON | nKeys, Center(tabs, nTarget));
    if (lpszPicture)
        context.Capture(tabs.GetParent(), lpszPicture);
    Send(tabs, WM_LBUTTONUP, nKeys, Center(tabs, nTarget));
}
}  // namespace

DEMO_SCENE(Workspace, 80)
{
    static CWorkspaceWnd wnd;
    wnd.m_pContext = &context;
    CRect frame;
    context.m_pMainWnd->GetWindowRect(&frame);
    if (!wnd.CreateEx(WS_EX_TOOLWINDOW, nullptr, "Workspace", WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME | WS_VISIBLE |
                      WS_CLIPCHILDREN, frame.left + 60, frame.top + 120, 620, 260, context.m_pMainWnd->m_hWnd, nullptr))
    {
        context.Print("tabs: could not create the workspace");
        return;
    }
    CCustomTabCtrl& tabs = wnd.m_tabs;
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | CTCS_AUTOHIDEBUTTONS | CTCS_FOURBUTTONS | CTCS_CLOSEBUTTON |
                          CTCS_TOOLTIPS | CTCS_EDITLABELS | CTCS_DRAGMOVE | CTCS_DRAGCOPY;
    if (!tabs.Create(dwStyle, CRect(0, 0, 100, 22), &wnd, IDC_TABS) ||
        !wnd.m_view.Create("", WS_CHILD | WS_VISIBLE | SS_LEFT | WS_BORDER, CRect(0, 0, 10, 10), &wnd, IDC_VIEW))
    {
        context.Print("tabs: could not create the strip");
        return;
    }
    wnd.m_view.SetFont(&tabs.m_Font);
    tabs.SetDragCursors(::LoadCursorA(nullptr, (LPCSTR)IDC_SIZEWE), ::LoadCursorA(nullptr, (LPCSTR)IDC_CROSS));
    const char* const windows[] = { "Market watch", "Instruments", "Order entry", "Positions" };
    for (const char* pszName : windows)
        tabs.InsertItem(tabs.GetItemCount(), pszName, tabs.GetItemCount());
    tabs.SetItemTooltipText(CTCHT_ONCLOSEBUTTON, "Close the window");
    tabs.SetItemTooltipText(0, "Quotes of the watched instruments");
    tabs.SetCurSel(0);
    wnd.RecalcLayout();
    wnd.ShowSelected();
    context.Print("tabs: %d windows (%s), %s", tabs.GetItemCount(), (LPCTSTR)Order(tabs),
                  tabs.IsThemed() ? "themed" : "plain");
    context.Capture(&wnd, "tabs_few");
    if (!context.m_bHeadless)
    {
        // Where the strip is on the screen, for a script that drives it with real input.
        CRect rcStrip;
        tabs.GetWindowRect(&rcStrip);
        CRect rcFirst;
        tabs.GetItemRect(0, rcFirst);
        context.Print("tabs: open, first tab at %d,%d size %dx%d", (int)(rcStrip.left + rcFirst.left),
                      (int)(rcStrip.top + rcFirst.top), rcFirst.Width(), rcFirst.Height());
        return;
    }

    // The trader opens a chart for each watched instrument: far more tabs than fit.
    const char* const symbols[] = { "EURUSD", "GBPUSD", "USDJPY", "AUDUSD", "USDCHF", "NZDUSD",
                                    "XAUUSD", "BRENT",  "DAX40",  "SPX500", "NIKKEI", "BUND" };
    for (const char* pszSymbol : symbols)
        tabs.InsertItem(tabs.GetItemCount(), CString("Chart ") + pszSymbol, tabs.GetItemCount());
    Send(tabs, WM_LBUTTONDOWN, MK_LBUTTON, Center(tabs, 2));
    Send(tabs, WM_LBUTTONUP, 0, Center(tabs, 2));
    tabs.SetCurSel(tabs.GetItemCount() - 1);
    wnd.ShowSelected();
    context.Print("tabs: %d windows, scroll buttons shown, first visible tab %d", tabs.GetItemCount(),
                  tabs.GetFirstVisibleItem());
    context.Capture(&wnd, "tabs_scroll");
    tabs.SetCurSel(1);
    wnd.ShowSelected();

    // Renaming the selected tab: typed into the rename edit from inside its loop.
    wnd.Post([&] {
        CWnd* pEdit = tabs.GetDlgItem(1);
        for (const char* p = "Watch list - FX"; *p; ++p)
            pEdit->PostMessage(WM_CHAR, (WPARAM)(BYTE)*p, 1);
        wnd.Post([&] {
            context.Capture(&wnd, "tabs_rename");
            tabs.GetDlgItem(1)->PostMessage(WM_KEYDOWN, VK_RETURN, 1);
        });
    });
    tabs.EditLabel(1);
    wnd.ShowSelected();

    // Drag "Order entry" to the end of the first four, then Ctrl+drag "Market watch" to copy it.
    tabs.SetCurSel(2);
    Drag(context, tabs, 3, 0, "tabs_dragging");
    tabs.SetCurSel(0);
    Drag(context, tabs, 2, MK_CONTROL, nullptr);
    wnd.ShowSelected();
    context.Print("tabs: order now %s", (LPCTSTR)Order(tabs));
    context.Capture(&wnd, "tabs_dragged");
}
