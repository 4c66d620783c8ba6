// COrvoSplitButton: hit testing of the arrow part, the press and menu state machine, and the
// owner-drawn face.
#include "widgets/OrvoSplitButton.h"

#include "host/AliveScope.h"

BEGIN_MESSAGE_MAP(COrvoSplitButton, CButton)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    // A quick second click is a second press, on whichever part it lands.
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_MESSAGE(WM_SYSCOLORCHANGE, OnSysColorChange)
    ON_WM_KEYDOWN()
    ON_MESSAGE(WM_GETDLGCODE, OnGetDlgCodeMsg)
END_MESSAGE_MAP()

COrvoSplitButton::COrvoSplitButton()
    : m_bPressed(0), m_bMenuOpen(0), m_nMenuResult(0), m_bDefaultBtn(0), m_bShowImage(0), m_bShowArrow(1),
      m_nArrowWidth(16), m_nImageWidth(0), m_nImageHeight(0), m_pParentDlg(nullptr), m_nSelectedCommand(0),
      m_pFont(nullptr)
{
    m_menu.CreatePopupMenu();
}

COrvoSplitButton::~COrvoSplitButton()
{
    CAliveScope::Deleted(m_pbAlive);
    m_imageList.DeleteImageList();
    m_menu.DestroyMenu();
}

int COrvoSplitButton::EnableMenuItem(UINT nID, CString, int nFlags)
{
    int nResult = (int)m_menu.EnableMenuItem(nID, (UINT)nFlags);
    m_nMenuResult |= nResult;
    return nResult;
}

int COrvoSplitButton::RemoveMenuItem(UINT nID, CString, UINT nFlags)
{
    int nResult = m_menu.RemoveMenu(nID, nFlags);
    m_nMenuResult |= nResult;
    return nResult;
}

void COrvoSplitButton::ChangeMenuFlags(UINT nID, UINT nFlags)
{
    m_menu.CheckMenuItem(nID, nFlags);
}

void COrvoSplitButton::RegisterParentDlg(CWnd* pParent)
{
    if (pParent != nullptr)
        m_pParentDlg = pParent;
}

void COrvoSplitButton::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
}

BOOL COrvoSplitButton::HitMenuBtn(CPoint point)
{
    if (!HasMenuItems())
        return FALSE;
    if (!m_bMenuOpen)
        SendMessage(WM_CANCELMODE);
    ClientToScreen(&point);
    CRect rcArrow;
    GetWindowRect(&rcArrow);
    rcArrow.left = rcArrow.right - m_nArrowWidth;
    return rcArrow.PtInRect(point);
}

void COrvoSplitButton::SendCommandToParent(BOOL bPost)
{
    if (m_pParentDlg == nullptr || !::IsWindow(m_pParentDlg->GetSafeHwnd()))
        return;
    WPARAM wParam = MAKEWPARAM(GetDlgCtrlID() & 0xFFFF, BN_CLICKED);
    if (bPost)
        m_pParentDlg->PostMessage(WM_COMMAND, wParam, (LPARAM)m_hWnd);
    else
        m_pParentDlg->SendMessage(WM_COMMAND, wParam, (LPARAM)m_hWnd);
}

void COrvoSplitButton::OnShowMenu()
{
    m_nSelectedCommand = 0;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    // The choice is returned rather than posted, so it can be reported with the result member set.
    UINT nCommand = 0;
    {
        CAliveScope alive(m_pbAlive);
        nCommand = m_menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY, rcWindow.left,
                                         rcWindow.bottom, this);
        if (!alive.Alive())
            return;
    }
    m_nSelectedCommand = (int)nCommand;
    // Command 1 is IDOK's: a menu item with that id would close the dialog, so it is not sent.
    if (m_nSelectedCommand != 0 && m_nSelectedCommand != 1)
        SendCommandToParent(FALSE);
}

void COrvoSplitButton::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_bMenuOpen)
    {
        m_bMenuOpen = 0;
        Invalidate(TRUE);
    }
    else if (HitMenuBtn(point))
    {
        m_bMenuOpen = 1;
        SetFocus();
        Invalidate(TRUE);
        UpdateWindow();
        HWND hWnd = m_hWnd;
        CAliveScope alive(m_pbAlive);
        OnShowMenu();
        // The owner may have deleted or destroyed the button while the menu was open.
        if (!alive.Alive() || !::IsWindow(hWnd))
            return;
        m_bMenuOpen = 0;
    }
    else
    {
        m_bPressed = 1;
    }
    Invalidate(TRUE);
    if (m_bPressed)
        CButton::OnLButtonDown(nFlags, point);
}

void COrvoSplitButton::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OnLButtonDown(nFlags, point);
}

void COrvoSplitButton::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bPressed)
    {
        // Releasing the capture first makes the platform's button-up send no BN_CLICKED of its
        // own: the command below is the only one.
        m_bPressed = 0;
        ::ReleaseCapture();
        Invalidate(TRUE);
        if (m_pParentDlg != nullptr)
        {
            m_nSelectedCommand = SPLIT_MAIN_COMMAND;
            SendCommandToParent(TRUE);
        }
    }
    CButton::OnLButtonUp(nFlags, point);
}

void COrvoSplitButton::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bPressed)
    {
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        if (::WindowFromPoint(ptScreen) != m_hWnd)
        {
            m_bPressed = 0;
            ::ReleaseCapture();
            Invalidate(TRUE);
        }
    }
    CButton::OnMouseMove(nFlags, point);
}

void COrvoSplitButton::OnSetFocus(CWnd* pOldWnd)
{
    CButton::OnSetFocus(pOldWnd);
    Invalidate(TRUE);
}

void COrvoSplitButton::OnKillFocus(CWnd* pNewWnd)
{
    CButton::OnKillFocus(pNewWnd);
    Invalidate(TRUE);
}

LRESULT COrvoSplitButton::OnSysColorChange(WPARAM, LPARAM)
{
    Default();
    Invalidate(TRUE);
    return 0;
}

void COrvoSplitButton::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // Without menu items Space stays the platform's button click.
    if ((nChar == VK_SPACE || nChar == VK_DOWN) && HasMenuItems())
    {
        m_bMenuOpen = 1;
        Invalidate(TRUE);
        HWND hWnd = m_hWnd;
        CAliveScope alive(m_pbAlive);
        OnShowMenu();
        if (!alive.Alive() || !::IsWindow(hWnd))
            return;
        m_bMenuOpen = 0;
        Invalidate(TRUE);
        return;
    }
    CButton::OnKeyDown(nChar, nRepCnt, nFlags);
}

LRESULT COrvoSplitButton::OnGetDlgCodeMsg(WPARAM, LPARAM lParam)
{
    LRESULT nCode = Default();
    // In a dialog, Down would move the focus to the next control; it opens the menu instead.
    const MSG* pMsg = reinterpret_cast<const MSG*>(lParam);
    if (pMsg != nullptr && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_DOWN && HasMenuItems())
        nCode |= DLGC_WANTMESSAGE;
    return nCode;
}

void COrvoSplitButton::DrawArrow(CDC* pDC, CPoint ptApex)
{
    for (int nRow = 0; nRow < 4; nRow++)
    {
        pDC->MoveTo(ptApex.x - nRow, ptApex.y - nRow);
        pDC->LineTo(ptApex.x + nRow + 1, ptApex.y - nRow);
    }
}

void COrvoSplitButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (lpDIS == nullptr || lpDIS->CtlType != ODT_BUTTON)
        return;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const int nSaved = pDC->SaveDC();
    const BOOL bDisabled = (lpDIS->itemState & ODS_DISABLED) != 0;
    const BOOL bFocus = (lpDIS->itemState & ODS_FOCUS) != 0;
    const BOOL bPressedLook = m_bPressed && !m_bMenuOpen;
    const int nShift = m_bPressed ? 1 : 0;

    CRect rcItem(lpDIS->rcItem);
    pDC->FillSolidRect(&rcItem, ::GetSysColor(COLOR_BTNFACE));
    CRect rcFace = rcItem;
    if (m_bDefaultBtn)
        rcFace.DeflateRect(1, 1);

    CRect rcFocus = rcFace;
    rcFocus.DeflateRect(4, 4);
    if (!m_bMenuOpen)
        rcFocus.OffsetRect(nShift, nShift);
    rcFocus.right -= m_nArrowWidth;

    if (!bPressedLook)
        ::DrawFrameControl(pDC->GetSafeHdc(), &rcFace, DFC_BUTTON, DFCS_BUTTONPUSH);
    if ((m_bDefaultBtn || m_bPressed) && !bDisabled)
    {
        CBrush brBlack;
        brBlack.CreateSolidBrush(RGB(0, 0, 0));
        pDC->FrameRect(&rcItem, &brBlack);
        if (bPressedLook)
        {
            CBrush brShadow;
            brShadow.CreateSolidBrush(::GetSysColor(COLOR_BTNSHADOW));
            CRect rcInner = rcItem;
            rcInner.DeflateRect(1, 1);
            pDC->FrameRect(&rcInner, &brShadow);
        }
    }

    if ((bFocus || m_bPressed || (lpDIS->itemAction & ODA_FOCUS)) && !m_bMenuOpen)
        pDC->DrawFocusRect(&rcFocus);

    if (m_bShowImage && m_imageList.GetSafeHandle() != nullptr)
    {
        const int x = nShift + 6;
        const int y = nShift + 6;
        if (bDisabled)
        {
            HICON hIcon = ImageList_GetIcon(m_imageList.GetSafeHandle(), 0, ILD_NORMAL);
            if (hIcon != nullptr)
            {
                ::DrawStateA(pDC->GetSafeHdc(), nullptr, nullptr, (LPARAM)hIcon, 0, x, y, m_nImageWidth,
                             m_nImageHeight, DST_ICON | DSS_DISABLED);
                ::DestroyIcon(hIcon);
            }
        }
        else
        {
            ImageList_DrawEx(m_imageList.GetSafeHandle(), 0, pDC->GetSafeHdc(), x, y, m_nImageWidth,
                             m_nImageHeight, CLR_NONE, CLR_NONE, ILD_NORMAL);
        }
    }

    HFONT hFont = m_pFont != nullptr ? (HFONT)m_pFont->GetSafeHandle() : nullptr;
    if (hFont == nullptr)
        hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    pDC->SelectObject(hFont);
    CString csCaption;
    GetWindowText(csCaption);
    CRect rcText = rcFocus;
    rcText.left += m_nImageWidth + 2;
    pDC->SetBkMode(TRANSPARENT);
    const UINT nFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (bDisabled)
    {
        CRect rcEmboss = rcText;
        rcEmboss.OffsetRect(1, 1);
        pDC->SetTextColor(::GetSysColor(COLOR_WINDOW));
        pDC->DrawText(csCaption, &rcEmboss, nFormat);
        pDC->SetTextColor(::GetSysColor(COLOR_GRAYTEXT));
        pDC->DrawText(csCaption, &rcText, nFormat);
    }
    else
    {
        pDC->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
        pDC->DrawText(csCaption, &rcText, nFormat);
    }

    CRect rcSep = rcItem;
    rcSep.DeflateRect(2, 2);
    const int xSep = rcSep.right - m_nArrowWidth;
    {
        CPen penShadow(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
        CPen penLight(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        pDC->SelectObject(&penShadow);
        pDC->MoveTo(xSep, rcSep.top);
        pDC->LineTo(xSep, rcSep.bottom);
        pDC->SelectObject(&penLight);
        pDC->MoveTo(xSep + 1, rcSep.top);
        pDC->LineTo(xSep + 1, rcSep.bottom);
        pDC->SelectStockObject(BLACK_PEN);
    }

    CRect rcArrow(rcItem.right - m_nArrowWidth, rcItem.top, rcItem.right, rcItem.bottom);
    if (m_bShowArrow)
    {
        CPen penArrow(PS_SOLID, 1, ::GetSysColor(bDisabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
        pDC->SelectObject(&penArrow);
        // Four rows high: the apex two pixels below the centre keeps the triangle centred.
        CPoint ptApex(rcArrow.CenterPoint().x + nShift, rcArrow.CenterPoint().y + 2 + nShift);
        DrawArrow(pDC, ptApex);
        pDC->SelectStockObject(BLACK_PEN);
    }

    if (m_bMenuOpen && !bDisabled)
    {
        CRect rcEdge = rcArrow;
        rcEdge.InflateRect(1, 1);
        pDC->DrawEdge(&rcEdge, BDR_SUNKENOUTER, BF_RECT);
    }

    pDC->RestoreDC(nSaved);
}
