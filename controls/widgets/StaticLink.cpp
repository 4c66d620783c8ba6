// CStaticLink: colouring through the reflected WM_CTLCOLORSTATIC, opening through the shell seam.
#include "widgets/StaticLink.h"

HCURSOR CStaticLink::g_hCursorLink = nullptr;

BEGIN_MESSAGE_MAP(CStaticLink, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
    ON_CONTROL_REFLECT_EX(STN_CLICKED, OnClicked)
    ON_WM_SETCURSOR()
    ON_WM_KEYDOWN()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CStaticLink::CStaticLink()
    : m_colorUnvisited(RGB(0, 0, 255)), m_colorVisited(RGB(128, 0, 128)), m_bVisited(0), m_bPlain(0),
      m_bAlwaysUnderline(false)
{
    if (g_hCursorLink == nullptr)
        g_hCursorLink = ::LoadCursor(nullptr, IDC_HAND);
}

CStaticLink::~CStaticLink() = default;

void CStaticLink::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    // Clicks reach a static only with the notify style.
    if (!(GetStyle() & SS_NOTIFY))
        ModifyStyle(0, SS_NOTIFY);
}

LRESULT CStaticLink::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A static without SS_NOTIFY is transparent to the mouse; the link never is.
    if (message == WM_NCHITTEST)
        return HTCLIENT;
    return CStatic::DefWindowProc(message, wParam, lParam);
}

HBRUSH CStaticLink::CtlColor(CDC* pDC, UINT)
{
    if (!(GetStyle() & SS_NOTIFY))
        ModifyStyle(0, SS_NOTIFY);
    const DWORD dwType = GetStyle() & SS_TYPEMASK;
    if (dwType != SS_LEFT && dwType != SS_CENTER && dwType != SS_RIGHT)
        return nullptr;

    if (m_font.GetSafeHandle() == nullptr)
    {
        LOGFONT lf = {};
        CWnd* pParent = GetParent();
        HFONT hParentFont = pParent != nullptr ? (HFONT)pParent->SendMessage(WM_GETFONT) : nullptr;
        if (hParentFont == nullptr || ::GetObjectA(hParentFont, sizeof(lf), &lf) == 0)
            ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
        lf.lfUnderline = (!m_bPlain || m_bAlwaysUnderline) ? TRUE : FALSE;
        m_font.CreateFontIndirect(&lf);
        // The static selects its own font after asking for colours, so it is given ours too.
        SendMessage(WM_SETFONT, (WPARAM)m_font.GetSafeHandle(), FALSE);
    }
    pDC->SelectObject(&m_font);
    m_colorUnvisited = RGB(0, 50, 255);
    if (m_bPlain)
        pDC->SetTextColor(m_colorUnvisited);
    else
        pDC->SetTextColor(m_bVisited ? m_colorVisited : m_colorUnvisited);
    pDC->SetBkMode(TRANSPARENT);
    return (HBRUSH)::GetStockObject(HOLLOW_BRUSH);
}

BOOL CStaticLink::OnClicked()
{
    if (m_bPlain)
        return FALSE;
    if (m_link.IsEmpty())
        GetWindowText(m_link);
    // An empty target would open whatever the shell makes of the current folder.
    INT_PTR nResult = 0;
    if (!m_link.IsEmpty())
        nResult = (INT_PTR)AfxShellExecute(m_hWnd, "open", m_link, nullptr, nullptr, SW_SHOWNORMAL);
    if (nResult > 32)
    {
        m_bVisited = 1;
        RepaintOverParent();
    }
    else
    {
        AfxMessageBeep((UINT)-1);
    }
    return TRUE;
}

void CStaticLink::RepaintOverParent()
{
    // The text is drawn transparently: the parent repaints what lies under it first.
    CWnd* pParent = GetParent();
    if (pParent != nullptr)
    {
        CRect rc;
        GetWindowRect(&rc);
        pParent->ScreenToClient(&rc);
        pParent->InvalidateRect(&rc, TRUE);
    }
    Invalidate(TRUE);
}

BOOL CStaticLink::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT && g_hCursorLink != nullptr)
    {
        ::SetCursor(g_hCursorLink);
        return TRUE;
    }
    return CStatic::OnSetCursor(pWnd, nHitTest, message);
}

void CStaticLink::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    CStatic::OnKeyDown(nChar, nRepCnt, nFlags);
}

BOOL CStaticLink::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd == m_hWnd && pMsg->message == WM_KEYDOWN &&
        (pMsg->wParam == VK_SPACE || pMsg->wParam == VK_RETURN))
    {
        // Comes back as the reflected STN_CLICKED (code 0), like a click.
        CWnd* pParent = GetParent();
        if (pParent != nullptr)
            pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID() & 0xFFFF, STN_CLICKED), (LPARAM)m_hWnd);
        return TRUE;
    }
    return CStatic::PreTranslateMessage(pMsg);
}

void CStaticLink::DrawFocusOnParent()
{
    CWnd* pParent = GetParent();
    if (pParent == nullptr)
        return;
    CRect rc;
    GetWindowRect(&rc);
    pParent->ScreenToClient(&rc);
    rc.InflateRect(1, 1);
    CClientDC dc(pParent);
    dc.DrawFocusRect(&rc);
}

void CStaticLink::OnSetFocus(CWnd* pOldWnd)
{
    DrawFocusOnParent();
    CStatic::OnSetFocus(pOldWnd);
}

void CStaticLink::OnKillFocus(CWnd* pNewWnd)
{
    DrawFocusOnParent();
    CStatic::OnKillFocus(pNewWnd);
}
