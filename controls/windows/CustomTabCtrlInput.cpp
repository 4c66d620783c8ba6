// The tab strip's mouse handling: buttons with repeat, selection and highlighting, dragging
// tabs to move or copy them, and the in-place rename loop.
#include "windows/CustomTabCtrl.h"

#include <algorithm>

bool CCustomTabCtrl::IsCtrlDown(UINT nFlags) const
{
    return (nFlags & MK_CONTROL) != 0;
}

void CCustomTabCtrl::ReportHighlightChanges(CPoint pt)
{
    const HWND hWnd = m_hWnd;
    for (INT_PTR i = 0; i < m_aItems.GetSize(); ++i)
    {
        if (!m_aItems[i]->m_bHighlightChanged)
            continue;
        m_aItems[i]->m_bHighlightChanged = 0;
        NotifyParent(CTCN_HIGHLIGHTCHANGE, (int)i, pt);
        // The parent may have destroyed the strip or removed tabs while handling it.
        if (!::IsWindow(hWnd))
            return;
    }
}

void CCustomTabCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    const HWND hWnd = m_hWnd;
    m_nLastMouseFlags = nFlags;
    m_ptLastMouse = point;
    const int nHit = HitTest(point);
    const unsigned nTabsChanged = m_nTabsChanged;
    NotifyParent((UINT)CTCN_LBUTTONDOWN, nHit, point);
    if (!::IsWindow(hWnd))
        return;
    // A receiver that changed the tabs or the selection (or renamed a tab and the user clicked
    // another to end it) has handled the press: nHit may now be a neighbour of the pressed tab.
    if (nHit >= 0 && nTabsChanged != m_nTabsChanged)
        return;
    m_nButtonIDDown = nHit;
    if (nHit >= CTCHT_ONLASTBUTTON && nHit <= CTCHT_ONFIRSTBUTTON)
    {
        if (!Geometry().IsButtonShown(nHit))
            return;
        SetButtonState(nHit, 3);
        SetCapture();
        StepButton(nHit);
        m_dwLastRepeatTime = AfxGetTickCount();
        SetTimer(CTC_TIMER_BUTTON, CTC_BUTTON_TICK);
        return;
    }
    if (nHit == CTCHT_ONCLOSEBUTTON)
    {
        // Closing is the parent's business: it was told by the press notification.
        if (Geometry().IsButtonShown(nHit))
        {
            SetButtonState(nHit, 3);
            SetCapture();
            RecalcLayout();
        }
        return;
    }
    if (!IsValidIndex(nHit))
    {
        m_nButtonIDDown = CTCHT_NOWHERE;
        return;
    }
    const DWORD dwStyle = GetStyle();
    const bool bCtrl = IsCtrlDown(nFlags);
    if (nHit == m_nItemSelected && GetItemCount() > 1 &&
        (((dwStyle & CTCS_DRAGMOVE) && !bCtrl && m_hCursorMove) || ((dwStyle & CTCS_DRAGCOPY) && bCtrl && m_hCursorCopy)))
    {
        SetCapture();
        m_bDragArmed = TRUE;
        SetTimer(CTC_TIMER_DRAG, CTC_DRAG_DELAY);
    }
    if ((dwStyle & CTCS_MULTIHIGHLIGHT) && bCtrl)
    {
        HighlightItem(nHit, TRUE);
    }
    else if (nHit != m_nItemSelected)
    {
        Select(nHit, TRUE);
        EnsureVisible(nHit);
        NotifyParent(CTCN_CLICK, nHit, point);
        if (!::IsWindow(hWnd))
            return;
    }
    ReportHighlightChanges(point);
    if (::IsWindow(hWnd))
        Invalidate(FALSE);
}

void CCustomTabCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    // The second press of a double click is a press like the first.
    OnLButtonDown(nFlags, point);
}

void CCustomTabCtrl::OnRButtonDown(UINT nFlags, CPoint point)
{
    m_nLastMouseFlags = nFlags;
    NotifyParent((UINT)CTCN_RCLICK, HitTest(point), point);
}

void CCustomTabCtrl::OnRButtonDblClk(UINT nFlags, CPoint point)
{
    m_nLastMouseFlags = nFlags;
    NotifyParent((UINT)CTCN_RDBLCLK, HitTest(point), point);
}

void CCustomTabCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    m_nLastMouseFlags = nFlags;
    m_ptLastMouse = point;
    if (!m_bMouseTracked)
    {
        TRACKMOUSEEVENT tme = { sizeof(tme), TME_LEAVE, m_hWnd, 0 };
        m_bMouseTracked = ::TrackMouseEvent(&tme);
    }
    const int nHit = HitTest(point);
    for (int nButton = CTCHT_ONFIRSTBUTTON; nButton >= CTCHT_ONCLOSEBUTTON; --nButton)
    {
        if (!Geometry().IsButtonShown(nButton))
            continue;
        int nState = 1;
        if (nHit == nButton && m_nButtonIDDown == nButton)
            nState = 3;
        else if (nHit == nButton && !(nFlags & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) &&
                 m_nButtonIDDown == CTCHT_NOWHERE)
            nState = 2;
        SetButtonState(nButton, nState);
    }
    if (m_bDragging)
        DragTo(point);
}

LRESULT CCustomTabCtrl::OnMouseLeave(WPARAM, LPARAM)
{
    m_bMouseTracked = FALSE;
    for (int nButton = CTCHT_ONFIRSTBUTTON; nButton >= CTCHT_ONCLOSEBUTTON; --nButton)
    {
        if (GetButtonState(nButton) == 2)
            SetButtonState(nButton, 1);
    }
    return 0;
}

void CCustomTabCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_nLastMouseFlags = nFlags;
    KillTimer(CTC_TIMER_BUTTON);
    for (int nButton = CTCHT_ONFIRSTBUTTON; nButton >= CTCHT_ONCLOSEBUTTON; --nButton)
    {
        if (GetButtonState(nButton) == 3)
            SetButtonState(nButton, 1);
    }
    if (m_bDragging && IsValidIndex(m_nButtonIDDown) && IsValidIndex(m_nItemDragDest))
    {
        const HWND hWnd = m_hWnd;
        const int nSource = m_nButtonIDDown;
        const int nTarget = m_nItemDragDest;
        const bool bCtrl = IsCtrlDown(nFlags);
        EndDrag();
        if (m_bDragCopy && bCtrl)
        {
            // The copy goes before the target when dragged towards the start, after it otherwise.
            const int nNew = nTarget < nSource ? nTarget : nTarget + 1;
            if (CopyItem(nSource, nNew) == CTCERR_NOERROR)
                NotifyParent(CTCN_ITEMCOPY, nNew, point);
            else
                NotifyParent((UINT)CTCN_OUTOFMEMORY, nSource, point);
        }
        else if (!m_bDragCopy && !bCtrl && nTarget != nSource)
        {
            if (MoveItem(nSource, nTarget) == CTCERR_NOERROR)
                NotifyParent(CTCN_ITEMMOVE, (nSource & 0xFF) | ((nTarget & 0xFF) << 8), point);
        }
        if (!::IsWindow(hWnd))
            return;
    }
    EndDrag();
    m_nButtonIDDown = CTCHT_NOWHERE;
    if (GetCapture() == this)
        ::ReleaseCapture();
    Invalidate(FALSE);
}

void CCustomTabCtrl::OnCaptureChanged(CWnd* pWnd)
{
    // Losing the mouse to another window ends a press or a drag without a drop.
    if (pWnd != this && pWnd != nullptr && pWnd->m_hWnd != m_hWnd)
    {
        KillTimer(CTC_TIMER_BUTTON);
        EndDrag();
        m_nButtonIDDown = CTCHT_NOWHERE;
        for (int nButton = CTCHT_ONFIRSTBUTTON; nButton >= CTCHT_ONCLOSEBUTTON; --nButton)
        {
            if (GetButtonState(nButton) == 3)
                SetButtonState(nButton, 1);
        }
    }
    CWnd::OnCaptureChanged(pWnd);
}

void CCustomTabCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == CTC_TIMER_BUTTON)
    {
        const int nButton = m_nButtonIDDown;
        if (nButton < CTCHT_ONLASTBUTTON || nButton > CTCHT_ONFIRSTBUTTON)
        {
            KillTimer(CTC_TIMER_BUTTON);
            return;
        }
        // Only while the pointer stays on the pressed button.
        if (GetButtonState(nButton) != 3)
            return;
        const DWORD dwNow = AfxGetTickCount();
        if (dwNow - m_dwLastRepeatTime >= CTC_BUTTON_REPEAT)
        {
            StepButton(nButton);
            m_dwLastRepeatTime = dwNow;
        }
        return;
    }
    if (nIDEvent == CTC_TIMER_DRAG)
    {
        if (!m_bDragArmed || !IsValidIndex(m_nButtonIDDown))
        {
            EndDrag();
            return;
        }
        if (!m_bDragging)
        {
            // The press was held long enough: it becomes a drag.
            const DWORD dwStyle = GetStyle();
            const bool bCtrl = IsCtrlDown(m_nLastMouseFlags) || ::GetKeyState(VK_CONTROL) < 0;
            HCURSOR hCursor = nullptr;
            if ((dwStyle & CTCS_DRAGCOPY) && bCtrl && m_hCursorCopy)
                hCursor = m_hCursorCopy;
            else if ((dwStyle & CTCS_DRAGMOVE) && !bCtrl && m_hCursorMove)
                hCursor = m_hCursorMove;
            if (hCursor == nullptr)
            {
                EndDrag();
                return;
            }
            m_bDragging = TRUE;
            m_bDragCopy = hCursor == m_hCursorCopy;
            m_nItemDragDest = m_nButtonIDDown;
            m_dwLastRepeatTime = AfxGetTickCount();
            ::SetCursor(hCursor);
            SetTimer(CTC_TIMER_DRAG, CTC_DRAG_TICK);
            Invalidate(FALSE);
            return;
        }
        // While dragging, the target keeps following a pointer that rests beside the tabs, and a
        // pointer outside the strip keeps scrolling at the button's repeat rate.
        const CPoint s = ToStrip(m_ptLastMouse);
        const DWORD dwNow = AfxGetTickCount();
        if ((s.x >= Geometry().Length() || s.x < 0) && dwNow - m_dwLastRepeatTime >= CTC_BUTTON_REPEAT)
        {
            m_dwLastRepeatTime = dwNow;
            DragTo(m_ptLastMouse);
        }
        else if (s.x >= 0 && s.x < Geometry().Length())
        {
            const int nTarget = Geometry().DropTarget(m_nItemDragDest, s.x);
            if (nTarget != m_nItemDragDest)
            {
                m_nItemDragDest = nTarget;
                Invalidate(FALSE);
            }
        }
        return;
    }
    CWnd::OnTimer(nIDEvent);
}

void CCustomTabCtrl::DragTo(CPoint ptClient)
{
    const CPoint s = ToStrip(ptClient);
    bool bChanged = false;
    if (s.x >= Geometry().Length() || s.x < 0)
    {
        const int nFirst = Geometry().ScrollTarget(s.x < 0 ? CTCHT_ONPREVBUTTON : CTCHT_ONNEXTBUTTON);
        if (nFirst != m_nFirstVisibleItem)
        {
            m_nFirstVisibleItem = nFirst;
            RecalcLayout(FALSE);
            bChanged = true;
        }
    }
    const int nTarget = Geometry().DropTarget(m_nItemDragDest, s.x);
    if (nTarget != m_nItemDragDest)
    {
        m_nItemDragDest = nTarget;
        bChanged = true;
    }
    if (bChanged)
        Invalidate(FALSE);
    ::SetCursor(m_bDragCopy ? m_hCursorCopy : m_hCursorMove);
}

BOOL CCustomTabCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_bDragging)
    {
        ::SetCursor(m_bDragCopy ? m_hCursorCopy : m_hCursorMove);
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CCustomTabCtrl::EndDrag()
{
    if (m_hWnd != nullptr)
        KillTimer(CTC_TIMER_DRAG);
    const BOOL bWasDragging = m_bDragging;
    m_bDragArmed = FALSE;
    m_bDragging = FALSE;
    m_nItemDragDest = CTCHT_NOWHERE;
    if (bWasDragging && m_hWnd != nullptr)
    {
        ::SetCursor(::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW));
        Invalidate(FALSE);
    }
}

// ---------------------------------------------------------------------------------------------
// Renaming

int CCustomTabCtrl::EditLabel(int nItem)
{
    if (m_hWnd == nullptr || !(GetStyle() & CTCS_EDITLABELS))
        return CTCERR_NOEDITLABELSTYLE;
    if (!IsValidIndex(nItem))
        return CTCERR_INDEXOUTOFRANGE;
    if (nItem != m_nItemSelected)
        return CTCERR_ITEMNOTSELECTED;
    if (m_ctrlEdit.GetSafeHwnd() != nullptr)
        return CTCERR_NOERROR;   // already open on this tab
    EnsureVisible(nItem);
    EnsureLayout();
    const CRect rect = m_aItems[nItem]->m_rectText;
    if (!m_ctrlEdit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, rect, this, 1))
        return CTCERR_OUTOFMEMORY;
    m_nRenameItem = nItem;
    m_nRenameEnd = 0;
    m_ctrlEdit.SetFont(&m_FontSelected, FALSE);
    m_ctrlEdit.LimitText(CTC_MAXTEXT);
    m_ctrlEdit.SetWindowText(m_aItems[nItem]->m_sText);
    m_ctrlEdit.SetFocus();
    m_ctrlEdit.SetSel(0, -1);
    RecalcLayout();
    RenameLoop(nItem);
    return CTCERR_NOERROR;
}

BOOL CCustomTabCtrl::RenameLoop(int)
{
    const HWND hWnd = m_hWnd;
    const HWND hEdit = m_ctrlEdit.m_hWnd;
    MSG msg = {};
    bool bReplay = false;   // the click that ended the rename is handled after it
    // Whatever the loop dispatches may delete the strip: after that nothing of it is read or
    // written, only the quit message and the replayed click are passed on.
    bool bAlive = true;
    m_pbRenameAlive = &bAlive;
    while (m_nRenameEnd == 0)
    {
        if (!::IsWindow(hWnd) || !::IsWindow(hEdit))
        {
            m_nRenameEnd = 2;
            break;
        }
        if (!::GetMessageA(&msg, nullptr, 0, 0))
        {
            // Leave the quit message for the host's own loop.
            ::PostQuitMessage((int)msg.wParam);
            m_nRenameEnd = 2;
            break;
        }
        if (msg.message == WM_KEYDOWN && msg.hwnd == hEdit && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE))
        {
            m_nRenameEnd = msg.wParam == VK_RETURN ? 1 : 2;
            break;
        }
        if ((msg.message == WM_CHAR && msg.hwnd == hEdit && (msg.wParam == '\r' || msg.wParam == 27)))
            continue;   // the key already ended it; no beep from the edit
        const bool bNonClientClick = msg.message == WM_NCLBUTTONDOWN || msg.message == WM_NCRBUTTONDOWN ||
                                     msg.message == WM_NCMBUTTONDOWN;
        const bool bClientClickElsewhere = (msg.message == WM_LBUTTONDOWN || msg.message == WM_RBUTTONDOWN ||
                                            msg.message == WM_MBUTTONDOWN) && msg.hwnd != hEdit;
        if (bNonClientClick || bClientClickElsewhere)
        {
            m_nRenameEnd = 1;
            bReplay = true;
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
        if (!bAlive)
            return FALSE;
    }
    if (::IsWindow(hWnd))
    {
        const int nItem = m_nRenameItem;
        if (m_nRenameEnd == 1 && IsValidIndex(nItem))
            CommitRename(nItem);
        // The parent may have deleted the strip while deciding on the new name.
        if (bAlive && ::IsWindow(hWnd))
            CloseRename();
    }
    if (bAlive)
        m_pbRenameAlive = nullptr;
    if (bReplay)
        ::DispatchMessageA(&msg);
    return bAlive;
}

void CCustomTabCtrl::CommitRename(int nItem)
{
    const HWND hWnd = m_hWnd;
    CString sText;
    m_ctrlEdit.GetWindowText(sText);
    if (sText.GetLength() > CTC_MAXTEXT)
        sText = sText.Left(CTC_MAXTEXT);
    bool* pbAlive = m_pbRenameAlive;
    const LRESULT lKeep = NotifyParent(CTCN_LABELUPDATE, nItem, m_ptLastMouse);
    // The parent may have deleted the strip or the tab while deciding, or moved the tab by
    // inserting or deleting others: the rename index follows the tab, and is -1 once it is gone.
    if ((pbAlive != nullptr && !*pbAlive) || !::IsWindow(hWnd))
        return;
    nItem = m_nRenameItem;
    if (!IsValidIndex(nItem))
        return;
    if (lKeep == 0)
    {
        m_aItems[nItem]->m_sText = sText;
        m_aItems[nItem]->m_nTextWidth = -1;
    }
}

void CCustomTabCtrl::CloseRename()
{
    if (m_nRenameEnd == 0)
        m_nRenameEnd = 2;
    m_nRenameItem = -1;
    if (m_ctrlEdit.GetSafeHwnd())
        m_ctrlEdit.DestroyWindow();
    RecalcLayout();
}

void CCustomTabCtrl::OnUpdateEdit()
{
    if (m_nRenameItem >= 0)
        RecalcLayout();
}

void CCustomTabCtrl::OnKillFocusEdit()
{
    // Focus going elsewhere abandons the rename.
    if (m_nRenameEnd == 0)
        m_nRenameEnd = 2;
}
