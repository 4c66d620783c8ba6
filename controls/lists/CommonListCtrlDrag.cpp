// CCommonListCtrl: reordering rows by drag-and-drop (with m_bRowDrag set). The drag starts with
// the platform's LVN_BEGINDRAG, takes the mouse and shows an image of the selected rows; the row
// under the cursor is drop-highlighted; above the rows or below the list timer 2 scrolls one line
// every 100 ms. Releasing the button over the list moves the rows; anywhere else nothing moves.
// How rows move is the derived list's business (MoveDraggedRows).
// The host hears of every highlight change and may insert, delete or move rows, or destroy the
// list, while it does: the dragged rows, the drop row and the highlighted row are remembered by
// what they hold (RowKey) and found again before they are used, and nothing is touched once the
// list is gone.
#include "lists/CommonListCtrl.h"
#include "lists/RowDragOrder.h"

#include <algorithm>

namespace
{
const COLORREF kDragMask = RGB(255, 0, 255);
}

BOOL CCommonListCtrl::OnLvnBegindrag(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (!m_bRowDrag || IsDragging() || m_hWnd == nullptr)
        return FALSE;
    const NMLISTVIEW* pView = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    m_arrDragRows.RemoveAll();
    int nCount = GetItemCount();
    for (int r = GetNextItem(-1, LVNI_SELECTED); r >= 0 && r < nCount; r = GetNextItem(r, LVNI_SELECTED))
        m_arrDragRows.Add((UINT)r);
    if (m_arrDragRows.IsEmpty())
        return FALSE;
    m_arrDragKeys.RemoveAll();
    for (INT_PTR i = 0; i < m_arrDragRows.GetSize(); ++i)
        m_arrDragKeys.Add(RowKey((int)m_arrDragRows[i]));

    CPoint ptRow;
    CImageList* pImage = CreateDragImageEx(&ptRow);
    if (pImage == nullptr)
    {
        m_arrDragRows.RemoveAll();
        return FALSE;
    }
    m_pDragImage = pImage;
    // A single-selection list takes several rows only while it drags.
    m_dwDragSavedStyle = GetStyle() & LVS_SINGLESEL;
    if (m_dwDragSavedStyle != 0)
        ModifyStyle(LVS_SINGLESEL, 0);
    m_nDropIndex = -1;
    m_nPrevDropItem = -1;
    CPoint ptAction = pView->ptAction;
    m_pDragImage->BeginDrag(0, ptAction - ptRow);
    CPoint ptScreen = ptAction;
    ClientToScreen(&ptScreen);
    ::ImageList_DragEnter(nullptr, ptScreen.x, ptScreen.y);
    SetCapture();
    return FALSE;
}

CImageList* CCommonListCtrl::CreateDragImageEx(LPPOINT lpPoint)
{
    if (m_hWnd == nullptr)
        return nullptr;
    int nCount = GetItemCount();
    std::vector<int> rows;
    int nSelected = 0;
    for (int r = GetNextItem(-1, LVNI_SELECTED); r >= 0 && r < nCount; r = GetNextItem(r, LVNI_SELECTED))
    {
        if (rows.size() < LIST_DRAG_IMAGE_ROWS)
            rows.push_back(r);
        ++nSelected;
    }
    if (rows.empty())
        return nullptr;
    CRect rcFirst;
    if (!GetItemRect(rows[0], &rcFirst, LVIR_BOUNDS))
        return nullptr;
    if (lpPoint != nullptr)
    {
        lpPoint->x = rcFirst.left;
        lpPoint->y = rcFirst.top;
    }
    CRect client;
    GetClientRect(&client);
    int nRowHeight = rcFirst.Height() > 0 ? rcFirst.Height() : 16;
    // At most the first few columns' worth: the row under the cursor stays in sight beside it.
    int nWidth = std::min(std::min(std::max(rcFirst.Width(), 40), std::max((int)client.Width(), 40)),
                          LIST_DRAG_IMAGE_WIDTH);
    int nLines = (int)rows.size() + (nSelected > (int)rows.size() ? 1 : 0);
    int nHeight = nLines * nRowHeight;

    HDC hdcScreen = ::GetDC(nullptr);
    HDC hdc = ::CreateCompatibleDC(hdcScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hdcScreen, nWidth, nHeight);
    ::ReleaseDC(nullptr, hdcScreen);
    HGDIOBJ hOldBitmap = ::SelectObject(hdc, hBitmap);
    HGDIOBJ hOldFont = ::SelectObject(hdc, (HFONT)SendMessage(WM_GETFONT));
    RECT all = { 0, 0, nWidth, nHeight };
    ::SetBkColor(hdc, ::GetSysColor(COLOR_HIGHLIGHT));
    ::ExtTextOutA(hdc, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
    ::SetTextColor(hdc, ::GetSysColor(COLOR_HIGHLIGHTTEXT));
    ::SetBkMode(hdc, TRANSPARENT);

    // Cells in header order, each in its column's width.
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    int nColumns = pHeader != nullptr ? pHeader->GetItemCount() : 0;
    std::vector<int> order((size_t)std::max(nColumns, 0));
    if (nColumns > 0 && !GetColumnOrderArray(order.data(), nColumns))
        for (int c = 0; c < nColumns; ++c)
            order[(size_t)c] = c;
    for (size_t i = 0; i < rows.size(); ++i)
    {
        int x = 0;
        int y = (int)i * nRowHeight;
        for (int o = 0; o < nColumns && x < nWidth; ++o)
        {
            int c = order[(size_t)o];
            int w = GetColumnWidth(c);
            CString text = GetItemText(rows[i], c);
            RECT cell = { x + 3, y, x + w - 3, y + nRowHeight };
            ::DrawTextA(hdc, text, text.GetLength(), &cell, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
            x += w;
        }
    }
    if (nSelected > (int)rows.size())
    {
        CString more;
        more.Format("+ %d more", nSelected - (int)rows.size());
        RECT line = { 3, (int)rows.size() * nRowHeight, nWidth - 3, nHeight };
        ::DrawTextA(hdc, more, more.GetLength(), &line, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    HGDIOBJ hPen = ::SelectObject(hdc, ::GetStockObject(BLACK_PEN));
    HGDIOBJ hBrush = ::SelectObject(hdc, ::GetStockObject(NULL_BRUSH));
    ::Rectangle(hdc, 0, 0, nWidth, nHeight);
    ::SelectObject(hdc, hBrush);
    ::SelectObject(hdc, hPen);
    ::SelectObject(hdc, hOldFont);
    ::SelectObject(hdc, hOldBitmap);
    ::DeleteDC(hdc);

    auto pImage = new CImageList;
    CBitmap bitmap;
    bitmap.Attach(hBitmap);
    if (!pImage->Create(nWidth, nHeight, ILC_COLOR24 | ILC_MASK, 1, 0) || pImage->Add(&bitmap, kDragMask) < 0)
    {
        delete pImage;
        return nullptr;
    }
    return pImage;
}

void CCommonListCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!IsDragging())
    {
        UpdateRowToolTip(point);
        CListCtrl::OnMouseMove(nFlags, point);
        return;
    }
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    CImageList::DragMove(ptScreen);

    CRect client;
    GetClientRect(&client);
    int nHeaderBottom = client.top;
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (pHeader != nullptr && pHeader->IsWindowVisible())
    {
        CRect rcHeader;
        pHeader->GetWindowRect(&rcHeader);
        ScreenToClient(&rcHeader);
        nHeaderBottom = rcHeader.bottom;
    }
    if (point.y < nHeaderBottom)
        SetScrollTimer(LIST_SCROLL_UP);
    else if (point.y > client.bottom)
        SetScrollTimer(LIST_SCROLL_DOWN);
    else
        KillScrollTimer();

    int nRow = -1;
    if (client.PtInRect(point))
    {
        LVHITTESTINFO hit = {};
        hit.pt = point;
        nRow = HitTest(&hit);
    }
    if (nRow != m_nDropIndex && (nRow >= 0 || client.PtInRect(point)))
    {
        CImageList::DragShowNolock(FALSE);
        HWND hWnd = m_hWnd;
        UpdateSelection(nRow);
        if (!IsLiveList(this) || !::IsWindow(hWnd))
            return;
        UpdateWindow();
        CImageList::DragShowNolock(TRUE);
    }
}

void CCommonListCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!IsDragging())
    {
        CListCtrl::OnLButtonUp(nFlags, point);
        return;
    }
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    HWND hTarget = ::WindowFromPoint(ptScreen);
    bool bOverList = hTarget == m_hWnd || (hTarget != nullptr && ::IsChild(m_hWnd, hTarget));
    if (!bOverList && !IsWindowVisible())
    {
        // A list that is not on the screen (a hidden frame) is found by no point of it: there the
        // point counts as over the list when it lies in its client area.
        CRect client;
        GetClientRect(&client);
        bOverList = client.PtInRect(point) != FALSE;
    }

    HWND hWnd = m_hWnd;
    auto gone = [&] { return !IsLiveList(this) || !::IsWindow(hWnd); };
    m_bDropping = true;
    KillScrollTimer();
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    ::ImageList_DragLeave(nullptr);
    ::ImageList_EndDrag();
    delete m_pDragImage;
    m_pDragImage = nullptr;
    RestorePrevDropItemState();
    if (!IsLiveList(this))
        return;
    m_bDropping = false;
    if (gone())
        return;
    // The platform ends its own button press (no click is reported after a drag).
    CListCtrl::OnLButtonUp(nFlags, point);
    if (gone())
        return;

    if (bOverList && GetItemCount() > 1)
        DropItem();
    if (!IsLiveList(this) || !::IsWindow(hWnd))
        return;
    if (m_dwDragSavedStyle != 0)
        ModifyStyle(0, m_dwDragSavedStyle);
    m_dwDragSavedStyle = 0;
    m_arrDragRows.RemoveAll();
    m_nDropIndex = -1;
}

void CCommonListCtrl::OnCaptureChanged(CWnd* pWnd)
{
    if (IsDragging() && !m_bDropping && (pWnd == nullptr || pWnd->GetSafeHwnd() != m_hWnd))
        CancelRowDrag();
    CListCtrl::OnCaptureChanged(pWnd);
}

void CCommonListCtrl::CancelRowDrag()
{
    if (!IsDragging())
        return;
    m_bDropping = true;
    KillScrollTimer();
    if (m_hWnd != nullptr && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    ::ImageList_DragLeave(nullptr);
    ::ImageList_EndDrag();
    delete m_pDragImage;
    m_pDragImage = nullptr;
    if (m_hWnd != nullptr)
    {
        HWND hWnd = m_hWnd;
        RestorePrevDropItemState();
        if (!IsLiveList(this))
            return;
        if (m_hWnd == hWnd && ::IsWindow(hWnd) && m_dwDragSavedStyle != 0)
            ModifyStyle(0, m_dwDragSavedStyle);
    }
    m_dwDragSavedStyle = 0;
    m_arrDragRows.RemoveAll();
    m_nDropIndex = -1;
    m_bDropping = false;
}

void CCommonListCtrl::DropItem()
{
    // Rows found again where the host's changes left them; a dragged row it deleted stays deleted
    // and a drop row it deleted moves nothing.
    int nDrop = m_nDropIndex >= 0 ? FindRowByKey(m_nDropIndex, m_dwDropKey) : -1;
    if (m_nDropIndex >= 0 && nDrop < 0)
        return;
    std::vector<int> dragged;
    CArray<UINT, UINT> arrDragged;
    const bool bKeys = m_arrDragKeys.GetSize() == m_arrDragRows.GetSize();
    for (INT_PTR i = 0; i < m_arrDragRows.GetSize(); ++i)
    {
        int r = (int)m_arrDragRows[i];
        if (bKeys)
            r = FindRowByKey(r, m_arrDragKeys[i]);
        if (r < 0 || r >= GetItemCount() || std::find(dragged.begin(), dragged.end(), r) != dragged.end())
            continue;
        dragged.push_back(r);
        arrDragged.Add((UINT)r);
    }
    if (dragged.empty())
        return;
    m_arrDragRows.Copy(arrDragged);
    m_nDropIndex = nDrop;
    std::vector<int> order = RowDragOrder(GetItemCount(), dragged, nDrop);

    HWND hWnd = m_hWnd;
    MoveDraggedRows(order, arrDragged);
    if (!IsLiveList(this) || !::IsWindow(hWnd))
        return;
    // The moved rows lose their selection.
    SetItemState(-1, 0, LVIS_SELECTED);
    if (!IsLiveList(this) || !::IsWindow(hWnd))
        return;
    Invalidate(FALSE);
}

DWORD_PTR CCommonListCtrl::RowKey(int nRow)
{
    return nRow >= 0 && nRow < GetItemCount() ? CListCtrl::GetItemData(nRow) : 0;
}

int CCommonListCtrl::FindRowByKey(int nRow, DWORD_PTR dwKey)
{
    const int nCount = GetItemCount();
    if (nRow >= 0 && nRow < nCount && RowKey(nRow) == dwKey)
        return nRow;
    // Outwards from the former row: a row or two coming or going around it is found at once.
    for (int d = 1; d < nCount + std::max(nRow, 0); ++d)
    {
        if (nRow - d >= 0 && nRow - d < nCount && RowKey(nRow - d) == dwKey)
            return nRow - d;
        if (nRow + d >= 0 && nRow + d < nCount && RowKey(nRow + d) == dwKey)
            return nRow + d;
        if (nRow - d < 0 && nRow + d >= nCount)
            break;
    }
    return -1;
}

void CCommonListCtrl::MoveDraggedRows(const std::vector<int>&, const CArray<UINT, UINT>&)
{
    // A plain list does not know how its rows are held: nothing moves.
}

void CCommonListCtrl::UpdateSelection(int nRow)
{
    HWND hWnd = m_hWnd;
    RestorePrevDropItemState();
    if (!IsLiveList(this) || !::IsWindow(hWnd))
        return;
    if (nRow < 0 || nRow >= GetItemCount())
    {
        m_nDropIndex = -1;
        return;
    }
    // Everything is noted before the host hears of the highlight.
    m_nPrevDropItem = nRow;
    m_dwPrevDropKey = m_dwDropKey = RowKey(nRow);
    m_nPrevDropState = GetItemState(nRow, LVIS_DROPHILITED);
    m_nDropIndex = nRow;
    SetItemState(nRow, LVIS_DROPHILITED, LVIS_DROPHILITED);
}

void CCommonListCtrl::RestorePrevDropItemState()
{
    const int nRow = m_nPrevDropItem >= 0 ? FindRowByKey(m_nPrevDropItem, m_dwPrevDropKey) : -1;
    m_nPrevDropItem = -1;
    if (nRow >= 0)
        SetItemState(nRow, m_nPrevDropState, LVIS_DROPHILITED);
}

void CCommonListCtrl::SetScrollTimer(int nDirection)
{
    if (nDirection != LIST_SCROLL_UP && nDirection != LIST_SCROLL_DOWN)
        return;
    if (m_nScrollTimer != 0 && m_nScrollDirection == nDirection)
        return;
    m_nScrollDirection = nDirection;
    m_nScrollTimer = SetTimer(LIST_DRAG_SCROLL_TIMER, LIST_DRAG_SCROLL_PERIOD);
}

void CCommonListCtrl::KillScrollTimer()
{
    if (m_nScrollTimer != 0 && m_hWnd != nullptr)
        KillTimer(LIST_DRAG_SCROLL_TIMER);
    m_nScrollTimer = 0;
    m_nScrollDirection = 0;
}

void CCommonListCtrl::ScrollForDrag()
{
    if (!IsDragging() || m_nScrollDirection == 0)
    {
        KillScrollTimer();
        return;
    }
    int nCount = GetItemCount();
    bool bUp = m_nScrollDirection == LIST_SCROLL_UP;
    CImageList::DragShowNolock(FALSE);
    SendMessage(WM_VSCROLL, bUp ? SB_LINEUP : SB_LINEDOWN, 0);
    int nFrom = m_nDropIndex;
    if (nFrom < 0)
        nFrom = bUp ? GetTopIndex() + 1 : GetTopIndex() + GetCountPerPage() - 2;
    int nRow = std::min(std::max(bUp ? nFrom - 1 : nFrom + 1, 0), nCount - 1);
    HWND hWnd = m_hWnd;
    if (nCount > 0)
        UpdateSelection(nRow);
    if (!IsLiveList(this) || !::IsWindow(hWnd))
        return;
    UpdateWindow();
    CImageList::DragShowNolock(TRUE);
}
