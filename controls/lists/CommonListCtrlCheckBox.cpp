// CCommonListCtrl: the check box in the header of column 0, which checks or clears every row and
// shows whether all rows are checked.
//
// The platform's header draws the box and reports clicks on it (HDN_ITEMSTATEICONCLICK) when it
// knows the check-box style. Where it does not (Wine 8), the list subclasses its header: the box
// is drawn at the left of column 0's item (the item's own picture moved right to make room) and
// a click on it is reported with the same notification, so the rest of the list is the same on
// both.
#include "lists/CommonListCtrl.h"

#include <commctrl.h>
#include <windowsx.h>

namespace
{
const UINT_PTR kCheckPainterId = 0x43484b42;   // "CHKB"
const int kBoxSize = 13;
const int kBoxMargin = 4;

bool ProbeHeaderCheckBoxes()
{
    HWND hHeader = ::CreateWindowExA(0, WC_HEADERA, "", WS_POPUP | HDS_CHECKBOXES, 0, 0, 120, 24, nullptr, nullptr,
                                     ::GetModuleHandleA(nullptr), nullptr);
    if (hHeader == nullptr)
        return false;
    HDITEMA item = {};
    item.mask = HDI_WIDTH | HDI_FORMAT | HDI_TEXT;
    item.cxy = 100;
    item.fmt = HDF_STRING | HDF_CHECKBOX;
    item.pszText = const_cast<char*>("x");
    ::SendMessageA(hHeader, HDM_INSERTITEMA, 0, (LPARAM)&item);
    bool bHas = false;
    for (int x = 0; x < 40 && !bHas; ++x)
    {
        HDHITTESTINFO hit = {};
        hit.pt.x = x;
        hit.pt.y = 12;
        ::SendMessageA(hHeader, HDM_HITTEST, 0, (LPARAM)&hit);
        bHas = (hit.flags & HHT_ONITEMSTATEICON) != 0;
    }
    ::DestroyWindow(hHeader);
    return bHas;
}

// The box of column 0 in header client coordinates; empty when the header has no item 0.
RECT BoxRect(HWND hHeader)
{
    RECT rc = {};
    if (::SendMessageA(hHeader, HDM_GETITEMCOUNT, 0, 0) <= 0 || !::SendMessageA(hHeader, HDM_GETITEMRECT, 0, (LPARAM)&rc))
        return RECT{};
    int h = rc.bottom - rc.top;
    // A filter row below the items takes the lower half.
    if (::GetWindowLongPtrA(hHeader, GWL_STYLE) & HDS_FILTERBAR)
        h /= 2;
    RECT box;
    box.left = rc.left + kBoxMargin;
    box.top = rc.top + (h - kBoxSize) / 2;
    box.right = box.left + kBoxSize;
    box.bottom = box.top + kBoxSize;
    if (box.right > rc.right)
        return RECT{};
    return box;
}

bool BoxChecked(HWND hHeader)
{
    // An empty list never shows its box checked.
    HWND hList = ::GetParent(hHeader);
    if (hList == nullptr || ::SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0) <= 0)
        return false;
    HDITEMA item = {};
    item.mask = HDI_FORMAT;
    return ::SendMessageA(hHeader, HDM_GETITEMA, 0, (LPARAM)&item) && (item.fmt & HDF_CHECKED) != 0;
}

void PaintWithBox(HWND hHeader, HDC hdc)
{
    RECT rc;
    ::GetClientRect(hHeader, &rc);
    if (rc.right <= 0 || rc.bottom <= 0)
        return;
    HDC hdcMem = ::CreateCompatibleDC(hdc);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hdc, rc.right, rc.bottom);
    HGDIOBJ hOld = ::SelectObject(hdcMem, hBitmap);
    ::FillRect(hdcMem, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
    ::DefSubclassProc(hHeader, WM_PRINTCLIENT, (WPARAM)hdcMem, PRF_CLIENT | PRF_ERASEBKGND);
    ::BitBlt(hdc, 0, 0, rc.right, rc.bottom, hdcMem, 0, 0, SRCCOPY);
    RECT box = BoxRect(hHeader);
    if (box.right > box.left)
    {
        RECT item = {};
        ::SendMessageA(hHeader, HDM_GETITEMRECT, 0, (LPARAM)&item);
        // Column 0's text and image move right by the width of the box.
        int nShift = kBoxSize + kBoxMargin;
        int nTop = box.top - 2 > item.top ? box.top - 2 : item.top + 1;
        int nBottom = box.bottom + 2 < item.bottom ? box.bottom + 2 : item.bottom - 1;
        int nWidth = item.right - 2 - (item.left + 1 + nShift);
        if (nWidth > 0)
            ::BitBlt(hdc, item.left + 1 + nShift, nTop, nWidth, nBottom - nTop, hdcMem, item.left + 1, nTop, SRCCOPY);
        RECT gap = { item.left + 1, nTop, item.left + 1 + nShift, nBottom };
        ::FillRect(hdc, &gap, ::GetSysColorBrush(COLOR_BTNFACE));
        ::DrawFrameControl(hdc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (BoxChecked(hHeader) ? DFCS_CHECKED : 0));
    }
    ::SelectObject(hdcMem, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hdcMem);
}

LRESULT CALLBACK HeaderCheckProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    switch (message)
    {
    case WM_PAINT:
    {
        PAINTSTRUCT ps;
        HDC hdc = ::BeginPaint(hWnd, &ps);
        PaintWithBox(hWnd, hdc);
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        PaintWithBox(hWnd, (HDC)wParam);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    {
        POINT pt = { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) };
        RECT box = BoxRect(hWnd);
        if (!::PtInRect(&box, pt))
            break;
        // Reported as the platform's header reports a click on an item's state icon.
        HDITEMA item = {};
        item.mask = HDI_FORMAT;
        ::SendMessageA(hWnd, HDM_GETITEMA, 0, (LPARAM)&item);
        NMHEADERA nm = {};
        nm.hdr.hwndFrom = hWnd;
        nm.hdr.idFrom = (UINT_PTR)::GetDlgCtrlID(hWnd);
        nm.hdr.code = HDN_ITEMSTATEICONCLICK;
        nm.iItem = 0;
        nm.iButton = 0;
        nm.pitem = &item;
        HWND hParent = ::GetParent(hWnd);
        if (hParent != nullptr)
            ::SendMessageA(hParent, WM_NOTIFY, nm.hdr.idFrom, (LPARAM)&nm);
        return 0;
    }
    case WM_NCDESTROY:
        ::RemoveWindowSubclass(hWnd, HeaderCheckProc, kCheckPainterId);
        break;
    default:
        break;
    }
    return ::DefSubclassProc(hWnd, message, wParam, lParam);
}
}  // namespace

BOOL CCommonListCtrl::PlatformHasHeaderCheckBoxes()
{
    static const bool s_bHas = ProbeHeaderCheckBoxes();
    return s_bHas;
}

void CCommonListCtrl::InstallHeaderCheckPainter()
{
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (PlatformHasHeaderCheckBoxes() || pHeader == nullptr || pHeader->m_hWnd == m_hCheckHeader)
        return;
    if (::SetWindowSubclass(pHeader->m_hWnd, HeaderCheckProc, kCheckPainterId, 0))
        m_hCheckHeader = pHeader->m_hWnd;
}

// Sets the check-box flag on column 0 (bSet) and its checked state; true when anything changed.
bool CCommonListCtrl::HeaderBoxFlag(BOOL bSet, BOOL bChecked)
{
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (pHeader == nullptr || pHeader->GetItemCount() <= 0)
        return false;
    HDITEMA item = {};
    item.mask = HDI_FORMAT;
    pHeader->GetItem(0, &item);
    int fmt = item.fmt;
    if (bSet)
        fmt |= HDF_CHECKBOX;
    fmt = bChecked ? (fmt | HDF_CHECKED) : (fmt & ~HDF_CHECKED);
    if (fmt == item.fmt)
        return false;
    item.fmt = fmt;
    pHeader->SetItem(0, &item);
    pHeader->Invalidate(FALSE);
    return true;
}

void CCommonListCtrl::EnableHeaderCheckBox()
{
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (pHeader == nullptr)
        return;
    pHeader->ModifyStyle(0, HDS_CHECKBOXES);
    m_bHeaderCheckBox = 1;
    InstallHeaderCheckPainter();
    HeaderBoxFlag(TRUE, FALSE);
    SetHeaderCheckbox();
}

int CCommonListCtrl::GetHeaderCheckboxState()
{
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (pHeader == nullptr || pHeader->GetItemCount() <= 0)
        return 0;
    HDITEMA item = {};
    item.mask = HDI_FORMAT;
    pHeader->GetItem(0, &item);
    if ((item.fmt & HDF_CHECKED) == 0)
        return 0;
    if (GetItemCount() > 0)
        return 1;
    HeaderBoxFlag(m_bHeaderCheckBox, FALSE);   // the rows went without a word to the list
    return 0;
}

void CCommonListCtrl::SetHeaderCheckbox()
{
    if (m_hWnd == nullptr)
        return;
    int nCount = GetItemCount();
    bool bAll = nCount > 0;
    for (int r = 0; r < nCount && bAll; ++r)
        bAll = GetRowCheck(r) != 0;
    HeaderBoxFlag(m_bHeaderCheckBox, bAll);
}

void CCommonListCtrl::CheckAllItems(int nCheck)
{
    if (m_hWnd == nullptr)
        return;
    HWND hWnd = m_hWnd;
    m_bCheckingAll = true;
    // Each change may reach the host, which may delete rows or the list: the count is read again
    // every time, and the loop ends when the window goes.
    for (int r = 0; r < GetItemCount(); ++r)
    {
        SetRowCheck(r, nCheck ? 1 : 0);
        if (!IsLiveList(this) || !::IsWindow(hWnd))
            return;
    }
    m_bCheckingAll = false;
    Invalidate(FALSE);
    SetHeaderCheckbox();
}

void CCommonListCtrl::RowCheckChanged(int nCheck)
{
    if (!m_bHeaderCheckBox || m_bCheckingAll || m_hWnd == nullptr)
        return;
    if (nCheck == 0)
        HeaderBoxFlag(TRUE, FALSE);   // one row unchecked: no need to look at the others
    else
        PostHeaderCheckRefresh();     // once, after the whole batch of changes
}

void CCommonListCtrl::PostHeaderCheckRefresh()
{
    if (m_bCheckRefreshPosted || m_hWnd == nullptr)
        return;
    m_bCheckRefreshPosted = PostMessage(WM_LIST_REFRESHHEADERCHECK) != FALSE;
}

LRESULT CCommonListCtrl::OnRefreshHeaderCheck(WPARAM, LPARAM)
{
    m_bCheckRefreshPosted = false;
    if (m_bHeaderCheckBox)
        SetHeaderCheckbox();
    return 0;
}

int CCommonListCtrl::GetRowCheck(int nRow)
{
    return CListCtrl::GetCheck(nRow) ? 1 : 0;
}

void CCommonListCtrl::SetRowCheck(int nRow, int nCheck)
{
    CListCtrl::SetCheck(nRow, nCheck != 0);
}

BOOL CCommonListCtrl::OnLvnItemchanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMLISTVIEW* pView = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    if (m_bHeaderCheckBox && (pView->uChanged & LVIF_STATE) &&
        ((pView->uOldState ^ pView->uNewState) & LVIS_STATEIMAGEMASK))
    {
        // State image 2 is the checked box; anything else counts as unchecked.
        RowCheckChanged((pView->uNewState & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2) ? 1 : 0);
    }
    return FALSE;   // the parent sees the change too
}

BOOL CCommonListCtrl::OnLvnRowsChanged(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (m_bHeaderCheckBox)
        PostHeaderCheckRefresh();   // the count changes only after the notification
    return FALSE;
}
