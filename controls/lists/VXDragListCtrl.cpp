#include "lists/VXDragListCtrl.h"

IMPLEMENT_DYNAMIC(CVXDragListCtrl, CListCtrl)

namespace
{
const UINT kScrollPeriod = 100;
}

CVXDragListCtrl::CVXDragListCtrl()
    : m_nDropIndex(-1),
      m_pDragImage(nullptr),
      m_nPrevDropItem(-1),
      m_nPrevDropState(0),
      m_dwSavedStyle(0),
      m_nScrollDirection(0),
      m_nScrollTimer(0),
      m_bHeaderToolTips(TRUE),
      m_pfnGetText(nullptr)
{
}

CVXDragListCtrl::~CVXDragListCtrl()
{
    delete m_pDragImage;
}

// --- header tooltips ---------------------------------------------------------------------------

int CVXDragListCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    int nPosition = CListCtrl::InsertColumn(nCol, lpszColumnHeading, nFormat, nWidth, nSubItem);
    if (nPosition >= 0)
        UpdateHeaderToolTips();
    return nPosition;
}

BOOL CVXDragListCtrl::DeleteColumn(int nCol)
{
    BOOL bDeleted = CListCtrl::DeleteColumn(nCol);
    if (bDeleted)
        UpdateHeaderToolTips();
    return bDeleted;
}

void CVXDragListCtrl::AddHeaderToolTip(int nCol, LPCTSTR lpszText)
{
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (!m_bHeaderToolTips || pHeader == nullptr || nCol < 0 || nCol >= pHeader->GetItemCount())
        return;
    if (m_ToolTip.GetSafeHwnd() == nullptr && !m_ToolTip.Create(this))
        return;
    char szText[256] = "";
    if (lpszText == nullptr)
    {
        HDITEMA item = {};
        item.mask = HDI_TEXT;
        item.pszText = szText;
        item.cchTextMax = sizeof(szText);
        pHeader->GetItem(nCol, &item);
        lpszText = szText;
    }
    CRect rc;
    pHeader->GetItemRect(nCol, &rc);
    m_ToolTip.DelTool(pHeader, (UINT_PTR)nCol + 1);
    m_ToolTip.AddTool(pHeader, lpszText, &rc, (UINT_PTR)nCol + 1);
}

// Tool n + 1 covers header column n: after an insertion or deletion every tool is renumbered.
void CVXDragListCtrl::UpdateHeaderToolTips()
{
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (!m_bHeaderToolTips || pHeader == nullptr)
        return;
    if (m_ToolTip.GetSafeHwnd() == nullptr && !m_ToolTip.Create(this))
        return;
    int nTools = (int)m_ToolTip.SendMessage(TTM_GETTOOLCOUNT);
    for (int n = 0; n < nTools; ++n)
        m_ToolTip.DelTool(pHeader, (UINT_PTR)n + 1);
    for (int n = 0; n < pHeader->GetItemCount(); ++n)
        AddHeaderToolTip(n);
}

BOOL CVXDragListCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (m_ToolTip.GetSafeHwnd() != nullptr)
        m_ToolTip.RelayEvent(pMsg);
    return CListCtrl::PreTranslateMessage(pMsg);
}

// --- texts and drawing ---------------------------------------------------------------------------

CString CVXDragListCtrl::GetItemTextFn(int nRow, int nColumn, long lValue)
{
    CString text;
    CWnd* pParent = GetParent();
    if (m_pfnGetText != nullptr && pParent != nullptr && (pParent->*m_pfnGetText)(nRow, nColumn, lValue, text))
        return text;
    return GetItemText(nRow, nColumn);
}

void CVXDragListCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    HDC hdc = lpDrawItemStruct->hDC;
    int nRow = (int)lpDrawItemStruct->itemID;
    bool bSelected = (GetItemState(nRow, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    HBRUSH hBrush = ::CreateSolidBrush(bSelected ? RGB(0x96, 0x96, 0x96) : RGB(255, 255, 255));
    ::FillRect(hdc, &lpDrawItemStruct->rcItem, hBrush);
    ::DeleteObject(hBrush);
    int nOldMode = ::SetBkMode(hdc, TRANSPARENT);
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    int nColumns = pHeader != nullptr ? pHeader->GetItemCount() : 1;
    for (int c = 0; c < nColumns; ++c)
    {
        CRect rc;
        if (!GetSubItemRect(nRow, c, LVIR_LABEL, rc))
            continue;
        CString text = GetItemTextFn(nRow, c, (long)CListCtrl::GetItemData(nRow));
        rc.DeflateRect(2, 0);
        ::DrawTextA(hdc, text, text.GetLength(), &rc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    ::SetBkMode(hdc, nOldMode);
}

// --- drag and drop -------------------------------------------------------------------------------

void CVXDragListCtrl::OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    NMLISTVIEW* pView = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    m_arrDragItems.RemoveAll();
    POSITION pos = GetFirstSelectedItemPosition();
    while (pos != nullptr)
        m_arrDragItems.Add((UINT)GetNextSelectedItem(pos));
    if (m_arrDragItems.IsEmpty())
        return;

    m_dwSavedStyle = GetStyle();
    if (m_dwSavedStyle & LVS_SINGLESEL)
        ModifyStyle(LVS_SINGLESEL, 0);

    int nImageItem = pView->iItem >= 0 ? pView->iItem : (int)m_arrDragItems[0];
    CPoint ptOrigin;
    delete m_pDragImage;
    m_pDragImage = CreateDragImage(nImageItem, &ptOrigin);
    if (m_pDragImage == nullptr)
    {
        // No image from the platform: the drag still runs, with an empty image list marking it.
        m_pDragImage = new CImageList;
        m_pDragImage->Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 0);
    }
    CPoint ptHotSpot = CPoint(pView->ptAction) - ptOrigin;
    m_pDragImage->BeginDrag(0, ptHotSpot);
    CPoint ptScreen = pView->ptAction;
    ClientToScreen(&ptScreen);
    CImageList::DragEnter(GetDesktopWindow(), ptScreen);
    m_nDropIndex = -1;
    m_nPrevDropItem = -1;
    SetCapture();
}

void CVXDragListCtrl::SetDropHighlight(int nItem)
{
    if (nItem == m_nPrevDropItem)
        return;
    if (m_nPrevDropItem >= 0 && m_nPrevDropItem < GetItemCount())
        SetItemState(m_nPrevDropItem, m_nPrevDropState & LVIS_DROPHILITED, LVIS_DROPHILITED);
    m_nPrevDropItem = nItem;
    if (nItem >= 0)
    {
        m_nPrevDropState = GetItemState(nItem, LVIS_DROPHILITED);
        SetItemState(nItem, LVIS_DROPHILITED, LVIS_DROPHILITED);
    }
}

void CVXDragListCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!IsDragging())
    {
        CListCtrl::OnMouseMove(nFlags, point);
        return;
    }
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    CImageList::DragMove(ptScreen);

    CImageList::DragShowNolock(FALSE);
    CWnd* pUnder = WindowFromPoint(ptScreen);
    SetDropHighlight(pUnder != nullptr && pUnder->m_hWnd == m_hWnd ? HitTest(point) : -1);
    CImageList::DragShowNolock(TRUE);

    // Above the first row (under the header) scrolls up, below the client area scrolls down.
    CRect client;
    GetClientRect(&client);
    int nTop = client.top;
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (pHeader != nullptr && pHeader->IsWindowVisible())
    {
        CRect header;
        pHeader->GetWindowRect(&header);
        nTop += header.Height();
    }
    int nDirection = point.y < nTop ? 1 : (point.y > client.bottom ? 2 : 0);
    if (nDirection != m_nScrollDirection)
    {
        m_nScrollDirection = nDirection;
        if (nDirection != 0 && m_nScrollTimer == 0)
            m_nScrollTimer = SetTimer(DRAGLIST_SCROLL_TIMER, kScrollPeriod);
        else if (nDirection == 0 && m_nScrollTimer != 0)
        {
            KillTimer(DRAGLIST_SCROLL_TIMER);
            m_nScrollTimer = 0;
        }
    }
}

void CVXDragListCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != DRAGLIST_SCROLL_TIMER)
    {
        CListCtrl::OnTimer(nIDEvent);
        return;
    }
    if (!IsDragging() || m_nScrollDirection == 0)
    {
        KillTimer(DRAGLIST_SCROLL_TIMER);
        m_nScrollTimer = 0;
        return;
    }
    CImageList::DragShowNolock(FALSE);
    SendMessage(WM_VSCROLL, m_nScrollDirection == 1 ? SB_LINEUP : SB_LINEDOWN, 0);
    CImageList::DragShowNolock(TRUE);
}

void CVXDragListCtrl::EndDragImage()
{
    CImageList::DragLeave(GetDesktopWindow());
    CImageList::EndDrag();
    delete m_pDragImage;
    m_pDragImage = nullptr;
    if (m_nScrollTimer != 0)
        KillTimer(DRAGLIST_SCROLL_TIMER);
    m_nScrollTimer = 0;
    m_nScrollDirection = 0;
    SetDropHighlight(-1);
    if (GetCapture() == this)
        ReleaseCapture();
}

void CVXDragListCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!IsDragging())
    {
        CListCtrl::OnLButtonUp(nFlags, point);
        return;
    }
    EndDragImage();

    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    CVXDragListCtrl* pTarget = nullptr;
    // Over a list's header the list itself is the target.
    for (HWND h = ::WindowFromPoint(ptScreen); h != nullptr && pTarget == nullptr; h = ::GetParent(h))
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(h);
        if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CVXDragListCtrl)))
            pTarget = static_cast<CVXDragListCtrl*>(pWnd);
        if (!(::GetWindowLongPtrA(h, GWL_STYLE) & WS_CHILD))
            break;
    }
    if (pTarget != nullptr)
    {
        CPoint ptTarget = ptScreen;
        pTarget->ScreenToClient(&ptTarget);
        m_nDropIndex = pTarget->HitTest(ptTarget);
        if (pTarget == this)
            MoveWithin(m_nDropIndex);
        else
            DropItem(pTarget, this);
    }
    if ((m_dwSavedStyle & LVS_SINGLESEL) && GetSafeHwnd() != nullptr)
        ModifyStyle(0, LVS_SINGLESEL);
    m_arrDragItems.RemoveAll();
    if (pTarget != nullptr)
        pTarget->SetFocus();
}

int CVXDragListCtrl::CopyRowFrom(CVXDragListCtrl* pFrom, int nRow, int nIndex)
{
    CHeaderCtrl* pHeader = pFrom->GetHeaderCtrl();
    int nColumns = pHeader != nullptr && pHeader->GetItemCount() > 0 ? pHeader->GetItemCount() : 1;
    BOOL bChecked = pFrom->GetCheck(nRow);
    int nNew = InsertItem(LVIF_TEXT | LVIF_PARAM, nIndex, pFrom->GetItemText(nRow, 0), 0, 0, 0,
                          (LPARAM)pFrom->GetItemData(nRow));
    if (nNew < 0)
        return -1;
    for (int c = 1; c < nColumns; ++c)
        SetItemText(nNew, c, pFrom->GetItemText(nRow, c));
    if (GetExtendedStyle() & LVS_EX_CHECKBOXES)
        SetCheck(nNew, bChecked);
    return nNew;
}

void CVXDragListCtrl::MoveWithin(int nDropIndex)
{
    int nCount = GetItemCount();
    int nInsertAt = nDropIndex < 0 || nDropIndex >= nCount ? nCount : nDropIndex + 1;
    CArray<int, int> remaining;
    for (INT_PTR i = 0; i < m_arrDragItems.GetSize(); ++i)
        remaining.Add((int)m_arrDragItems[i]);
    for (INT_PTR i = 0; i < remaining.GetSize(); ++i)
    {
        int nSource = remaining[i];
        if (nSource < 0 || nSource >= GetItemCount())
            continue;
        int nNew = CopyRowFrom(this, nSource, nInsertAt);
        if (nNew < 0)
            continue;
        for (INT_PTR j = i; j < remaining.GetSize(); ++j)
        {
            if (remaining[j] >= nNew)
                ++remaining[j];
        }
        nSource = remaining[i];
        DeleteItem(nSource);
        for (INT_PTR j = i + 1; j < remaining.GetSize(); ++j)
        {
            if (remaining[j] > nSource)
                --remaining[j];
        }
        if (nSource < nNew)
            --nNew;
        SetItemState(nNew, 0, LVIS_SELECTED);
        nInsertAt = nNew + 1;
    }
}

void CVXDragListCtrl::DropItem(CVXDragListCtrl* pTarget, CVXDragListCtrl* pSource)
{
    if (pTarget == nullptr || pSource == nullptr || pTarget == pSource)
        return;
    int nIndex = pSource->m_nDropIndex;
    if (nIndex < 0 || nIndex > pTarget->GetItemCount())
        nIndex = pTarget->GetItemCount();
    CWnd* pAsk = pSource->GetParent();
    CArray<int, int> moved;
    for (INT_PTR i = 0; i < pSource->m_arrDragItems.GetSize(); ++i)
    {
        int nRow = (int)pSource->m_arrDragItems[i];
        if (nRow < 0 || nRow >= pSource->GetItemCount())
            continue;
        CString text = pSource->GetItemText(nRow, 0);
        if (pAsk != nullptr && pAsk->SendMessage(WM_DRAGLIST_CANNOT_REMOVE, (WPARAM)(LPCTSTR)text, 0) != 0)
        {
            AfxMessageBox(text + " cannot be removed");
            continue;
        }
        int nNew = pTarget->CopyRowFrom(pSource, nRow, nIndex);
        if (nNew < 0)
            continue;
        pTarget->SetItemState(nNew, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        nIndex = nNew + 1;
        moved.Add(nRow);
    }
    // Last to first, so the indexes still to delete stay valid.
    for (INT_PTR i = 0; i < moved.GetSize(); ++i)
    {
        for (INT_PTR j = i + 1; j < moved.GetSize(); ++j)
        {
            if (moved[j] > moved[i])
            {
                int t = moved[i];
                moved[i] = moved[j];
                moved[j] = t;
            }
        }
    }
    for (INT_PTR i = 0; i < moved.GetSize(); ++i)
        pSource->DeleteItem(moved[i]);
}

void CVXDragListCtrl::OnDestroy()
{
    if (IsDragging())
        EndDragImage();
    if (m_ToolTip.GetSafeHwnd() != nullptr)
        m_ToolTip.DestroyWindow();
    CListCtrl::OnDestroy();
}

BEGIN_MESSAGE_MAP(CVXDragListCtrl, CListCtrl)
    ON_NOTIFY_REFLECT(LVN_BEGINDRAG, OnBeginDrag)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()
