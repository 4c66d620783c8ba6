// Standard controls: creation, the few wrappers that need more than one message, and the
// owner-draw hooks reached through reflection.
#include "afxwin.h"
#include "afxwinimpl.h"

IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)

// --- CEdit -------------------------------------------------------------------------------------

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("EDIT", nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CEdit::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::CreateEx(dwExStyle, "EDIT", nullptr, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const
{
    // EM_GETLINE reads the buffer size from the buffer's first word.
    ASSERT(nMaxLength >= (int)sizeof(WORD));
    *(WORD*)lpszBuffer = (WORD)nMaxLength;
    return (int)SendToControl(EM_GETLINE, (WPARAM)nIndex, (LPARAM)lpszBuffer);
}

BOOL CEdit::ShowBalloonTip(LPCWSTR lpszTitle, LPCWSTR lpszText, INT ttiIcon)
{
    EDITBALLOONTIP tip = {};
    tip.cbStruct = sizeof(tip);
    tip.pszTitle = lpszTitle;
    tip.pszText = lpszText;
    tip.ttiIcon = ttiIcon;
    return ShowBalloonTip(&tip);
}

// --- CButton -----------------------------------------------------------------------------------

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return AfxChildNotifyDrawItem(this, message, wParam, lParam, pResult);
}

// --- CStatic -----------------------------------------------------------------------------------

BOOL CStatic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
}

// --- owner-draw routing shared by list and combo boxes ------------------------------------------

namespace
{
template <class T>
BOOL RouteOwnerDraw(T* pCtrl, UINT message, LPARAM lParam, LRESULT* pResult)
{
    LRESULT result = TRUE;
    switch (message)
    {
    case WM_DRAWITEM:
        pCtrl->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        break;
    case WM_MEASUREITEM:
        pCtrl->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        break;
    case WM_COMPAREITEM:
        result = pCtrl->CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
        break;
    case WM_DELETEITEM:
        pCtrl->DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
        break;
    default:
        return FALSE;
    }
    if (pResult != nullptr)
        *pResult = result;
    return TRUE;
}
}  // namespace

// --- CListBox ----------------------------------------------------------------------------------

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("LISTBOX", nullptr, dwStyle, rect, pParentWnd, nID);
}

void CListBox::GetText(int nIndex, CString& rString) const
{
    int n = GetTextLen(nIndex);
    if (n == LB_ERR)
    {
        rString.Empty();
        return;
    }
    GetText(nIndex, rString.GetBuffer(n + 1));
    rString.ReleaseBuffer(n);
}

UINT CListBox::ItemFromPoint(CPoint pt, BOOL& bOutside) const
{
    DWORD dw = (DWORD)SendToControl(LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y));
    bOutside = HIWORD(dw) != 0;
    return LOWORD(dw);
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CListBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CListBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (CWnd::OnChildNotify(message, wParam, lParam, pResult))
        return TRUE;
    return RouteOwnerDraw(this, message, lParam, pResult);
}

// --- CCheckListBox ------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CCheckListBox, CListBox)

BOOL CCheckListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    dwStyle &= ~(DWORD)LBS_OWNERDRAWVARIABLE;
    return CListBox::Create(dwStyle | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, rect, pParentWnd, nID);
}

void CCheckListBox::PreSubclassWindow()
{
    CListBox::PreSubclassWindow();
    // Items added before we were attached (a dialog's own initial content) start unchecked.
    int n = GetCount();
    m_checks.assign(n > 0 ? (size_t)n : 0, 0);
    // The box needs a row at least as tall as itself plus a pixel above and below.
    if ((GetStyle() & LBS_OWNERDRAWFIXED) && GetItemHeight(0) < BoxSize() + 2)
        SetItemHeight(0, (UINT)(BoxSize() + 2));
}

int CCheckListBox::BoxSize() const
{
    return 13;
}

int CCheckListBox::GetCheck(int nIndex) const
{
    if (nIndex < 0 || (size_t)nIndex >= m_checks.size())
        return -1;
    return m_checks[(size_t)nIndex];
}

BOOL CCheckListBox::SetCheck(int nIndex, int nCheck)
{
    if (nIndex < 0 || (size_t)nIndex >= m_checks.size())
        return FALSE;
    m_checks[(size_t)nIndex] = nCheck != 0 ? 1 : 0;
    CRect rc;
    if (GetSafeHwnd() != nullptr && GetItemRect(nIndex, &rc) != LB_ERR)
        InvalidateRect(&rc, FALSE);
    return TRUE;
}

CRect CCheckListBox::CheckBoxRect(int nIndex) const
{
    CRect rc;
    if (GetItemRect(nIndex, &rc) == LB_ERR)
        return CRect(0, 0, 0, 0);
    int nSize = BoxSize();
    int nTop = rc.top + (rc.Height() - nSize) / 2;
    return CRect(rc.left + 2, nTop, rc.left + 2 + nSize, nTop + nSize);
}

void CCheckListBox::Toggle(int nIndex)
{
    if (!SetCheck(nIndex, GetCheck(nIndex) == 1 ? 0 : 1))
        return;
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE), (LPARAM)m_hWnd);
}

void CCheckListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if ((int)lpMeasureItemStruct->itemHeight < BoxSize() + 2)
        lpMeasureItemStruct->itemHeight = (UINT)(BoxSize() + 2);
}

void CCheckListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    HDC hDC = lpDrawItemStruct->hDC;
    CRect rc(lpDrawItemStruct->rcItem);
    int nIndex = (int)lpDrawItemStruct->itemID;
    bool bSelected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    ::FillRect(hDC, &rc, ::GetSysColorBrush(COLOR_WINDOW));
    if (nIndex >= 0 && nIndex < GetCount())
    {
        int nSize = BoxSize();
        CRect rcBox(rc.left + 2, rc.top + (rc.Height() - nSize) / 2, 0, 0);
        rcBox.right = rcBox.left + nSize;
        rcBox.bottom = rcBox.top + nSize;
        UINT nState = DFCS_BUTTONCHECK | DFCS_FLAT | (GetCheck(nIndex) == 1 ? DFCS_CHECKED : 0);
        if (!IsWindowEnabled())
            nState |= DFCS_INACTIVE;
        ::DrawFrameControl(hDC, &rcBox, DFC_BUTTON, nState);
        CRect rcText(rcBox.right + 3, rc.top, rc.right, rc.bottom);
        if (bSelected)
            ::FillRect(hDC, &rcText, ::GetSysColorBrush(COLOR_HIGHLIGHT));
        CString text;
        GetText(nIndex, text);
        int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
        COLORREF clrOld = ::SetTextColor(hDC, ::GetSysColor(!IsWindowEnabled() ? COLOR_GRAYTEXT
                                                             : bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        CRect rcDraw(rcText.left + 1, rcText.top, rcText.right, rcText.bottom);
        ::DrawTextA(hDC, text, text.GetLength(), &rcDraw, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        ::SetTextColor(hDC, clrOld);
        ::SetBkMode(hDC, nOldMode);
        if (lpDrawItemStruct->itemState & ODS_FOCUS)
            ::DrawFocusRect(hDC, &rcText);
    }
    else if (lpDrawItemStruct->itemState & ODS_FOCUS)
        ::DrawFocusRect(hDC, &rc);
}

LRESULT CCheckListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    {
        LRESULT r = CListBox::WindowProc(message, wParam, lParam);
        if (r >= 0 && (size_t)r <= m_checks.size())
            m_checks.insert(m_checks.begin() + r, 0);
        return r;
    }
    case LB_DELETESTRING:
    {
        LRESULT r = CListBox::WindowProc(message, wParam, lParam);
        if (r != LB_ERR && wParam < m_checks.size())
            m_checks.erase(m_checks.begin() + (ptrdiff_t)wParam);
        return r;
    }
    case LB_RESETCONTENT:
        m_checks.clear();
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    {
        CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
        BOOL bOutside = TRUE;
        int nIndex = (int)ItemFromPoint(pt, bOutside);
        LRESULT r = CListBox::WindowProc(message, wParam, lParam);
        if (!bOutside && GetSafeHwnd() != nullptr)
        {
            CRect rcBox = CheckBoxRect(nIndex);
            rcBox.InflateRect(2, 2);
            if (rcBox.PtInRect(pt))
                Toggle(nIndex);
        }
        return r;
    }
    case WM_KEYDOWN:
        if (wParam == VK_SPACE)
        {
            int nIndex = GetCaretIndex();
            if (nIndex >= 0 && nIndex < GetCount())
                Toggle(nIndex);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == ' ')
            return 0;   // toggled on the key-down; the list box would look for an item starting with a space
        break;
    default:
        break;
    }
    return CListBox::WindowProc(message, wParam, lParam);
}

// --- CComboBox ---------------------------------------------------------------------------------

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("COMBOBOX", nullptr, dwStyle, rect, pParentWnd, nID);
}

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    int n = GetLBTextLen(nIndex);
    if (n == CB_ERR)
    {
        rString.Empty();
        return;
    }
    GetLBText(nIndex, rString.GetBuffer(n + 1));
    rString.ReleaseBuffer(n);
}

void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CComboBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (CWnd::OnChildNotify(message, wParam, lParam, pResult))
        return TRUE;
    return RouteOwnerDraw(this, message, lParam, pResult);
}
