// CCategoryListCtrl: clicks, keyboard navigation, row steps, label editing, header clicks and
// drops, scrolling and the key rules.
#include "market/CategoryListCtrl.h"

#include "editors/InPlaceCombo.h"
#include "editors/InPlaceDTPicker.h"
#include "editors/InPlaceEdit.h"
#include "editors/InPlaceNotify.h"
#include "editors/InPlacePriceEdit.h"

#include <algorithm>
#include <vector>

#define CATEGORY_PROFILE_INDEX_WEIGHTAGE "IndexWeightage"
#define CATEGORY_WEIGHTAGE_COLUMN        8

// --- click and navigation -------------------------------------------------------------------------

void CCategoryListCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    const HWND hWnd = m_hWnd;
    int nRow = -1, nColumn = -1;
    const bool bCell = HitTestEx(point, &nRow, &nColumn) && nRow < RowCount();
    CFilterListCtrl::OnLButtonDown(nFlags, point);
    if (!bCell || !Alive(hWnd))
        return;
    if (CWnd* pOwner = OwnerTarget())
        ::SendMessageA(pOwner->GetSafeHwnd(), WM_LIST_CELLCLICKED, (WPARAM)GetDlgCtrlID(), 0);
    if (!Alive(hWnd))
        return;
    // Ending a previous edit or the notification may have changed the rows: the cell is the one
    // under the mouse now.
    if (!HitTestEx(point, &nRow, &nColumn))
        return;
    const bool bModifier = (nFlags & (MK_SHIFT | MK_CONTROL)) != 0 || (::GetKeyState(VK_SHIFT) & 0x8000) != 0 ||
                           (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
    if (bModifier || nRow >= RowCount() || nColumn >= ColumnCount() ||
        (GetItemState(nRow, LVIS_FOCUSED) & LVIS_FOCUSED) == 0)
        return;
    if (!m_bOwnerDecides)
    {
        OpenByColumnSets(nRow, nColumn);
        return;
    }
    sCellRequest request;
    if (!RequestCell(nRow, nColumn, request) || nRow >= RowCount() || nColumn >= ColumnCount())
        return;
    OpenRequested(nRow, nColumn, request, false, true);
}

int CCategoryListCtrl::OnTabPress(bool bForward)
{
    if (m_iEditingColumn < 0)
        return 0;
    const HWND hWnd = m_hWnd;
    int nRows = RowCount();
    int nColumns = ColumnCount();
    if (nRows <= 0 || nColumns <= 0)
        return 1;
    if (!m_bOwnerDecides)
    {
        // With no editable column at all there is nowhere to go.
        bool bAnyEditable = false;
        for (int c = 0; c < nColumns && !bAnyEditable; ++c)
            bAnyEditable = !IsReadOnly(c);
        if (!bAnyEditable)
            return 1;
    }
    const int nStartRow = std::min(std::max(m_iEditingRow, 0), nRows - 1);
    const int nStartColumn = std::min(m_iEditingColumn, nColumns - 1);
    int nRow = nStartRow, nColumn = nStartColumn;
    // Bounded by the cells there are, re-counted after every call out: a host that deletes rows
    // may take the start cell away.
    for (long long nSteps = 0; nSteps <= (long long)nRows * nColumns; ++nSteps)
    {
        if (bForward && ++nColumn >= nColumns)
        {
            nColumn = 0;
            nRow = nRow + 1 >= nRows ? 0 : nRow + 1;
        }
        else if (!bForward && --nColumn < 0)
        {
            nColumn = nColumns - 1;
            nRow = nRow - 1 < 0 ? nRows - 1 : nRow - 1;
        }
        if (nRow == nStartRow && nColumn == nStartColumn)
            break;
        if (m_bOwnerDecides)
        {
            sCellRequest request;
            if (!RequestCell(nRow, nColumn, request))
                return 1;
            nRows = RowCount();
            nColumns = ColumnCount();
            if (nRows <= 0 || nColumns <= 0)
                return 1;
            if (nRow >= nRows || nColumn >= nColumns)
                continue;
            if (OpenRequested(nRow, nColumn, request, true, bForward) || !Alive(hWnd))
                return 1;
            continue;
        }
        if (CWnd* pOwner = OwnerTarget())
            ::SendMessageA(pOwner->GetSafeHwnd(), WM_LIST_CELLSKIP, MAKEWPARAM(nRow, nColumn - 1), 0);
        if (!Alive(hWnd))
            return 1;
        nRows = RowCount();
        nColumns = ColumnCount();
        if (nRows <= 0 || nColumns <= 0)
            return 1;
        if (nRow < nRows && nColumn < nColumns && OpenByColumnSets(nRow, nColumn))
            return 1;
    }
    return 1;
}

LRESULT CCategoryListCtrl::OnNextCell(WPARAM, LPARAM)
{
    return OnTabPress(true);
}

LRESULT CCategoryListCtrl::OnPrevCell(WPARAM, LPARAM)
{
    return OnTabPress(false);
}

LRESULT CCategoryListCtrl::OnEditNextRow(WPARAM, LPARAM)
{
    if (m_iEditingColumn < 0 || m_iEditingRow == GetItemCount() || m_iEditingRow + 1 >= RowCount())
        return 0;
    const HWND hWnd = m_hWnd;
    const int nRow = m_iEditingRow + 1;
    CString strText = GetItemText(nRow, m_iEditingColumn);
    if (!Alive(hWnd) || nRow >= RowCount())
        return 0;
    m_iEditingRow = nRow;
    VerifyScrollPos();
    if (ShowInPlaceEdit(nRow, m_iEditingColumn, strText) != nullptr)
        m_iEditedRow = nRow;
    return 0;
}

LRESULT CCategoryListCtrl::OnEditPrevRow(WPARAM, LPARAM)
{
    if (m_iEditingColumn < 0 || m_iEditingRow <= 0 || m_iEditingRow > RowCount())
        return 0;
    const HWND hWnd = m_hWnd;
    const int nRow = m_iEditingRow - 1;
    CString strText = GetItemText(nRow, m_iEditingColumn);
    if (!Alive(hWnd) || nRow >= RowCount())
        return 0;
    m_iEditingRow = nRow;
    VerifyScrollPos();
    if (ShowInPlaceEdit(nRow, m_iEditingColumn, strText) != nullptr)
        m_iEditedRow = nRow;
    return 0;
}

// --- label editing --------------------------------------------------------------------------------

BOOL CCategoryListCtrl::OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMLVDISPINFOA* pInfo = reinterpret_cast<const NMLVDISPINFOA*>(pNMHDR);
    if (IsReadOnly(pInfo->item.iSubItem))
    {
        *pResult = 1;
        return TRUE;
    }
    m_iEditedRow = pInfo->item.iItem;
    *pResult = 0;
    return FALSE;
}

BOOL CCategoryListCtrl::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    NMLVDISPINFOA* pInfo = reinterpret_cast<NMLVDISPINFOA*>(pNMHDR);
    m_iEditedRow = CATEGORY_NO_EDITED_ROW;
    const HWND hWnd = m_hWnd;
    if (m_hOpenEditor != nullptr && pInfo->item.iItem == m_iKeyRow && pInfo->item.iSubItem == m_iKeyColumn)
    {
        // The report names the row the editor was opened on; the record may be elsewhere by now.
        m_hOpenEditor = nullptr;
        if (m_bEditKeyKnown)
        {
            m_bCheckingRow = true;
            int nRow = m_iKeyRow < RowCount() && RowKey(m_iKeyRow) == m_dwEditKey ? m_iKeyRow : FindRowByKey(m_dwEditKey);
            m_bCheckingRow = false;
            if (!Alive(hWnd))
                return TRUE;
            pInfo->item.iItem = nRow;
            if (nRow < 0)
                pInfo->item.pszText = nullptr;   // the row went: nothing to store
            else if (m_iEditingRow == m_iKeyRow && m_iEditingColumn == m_iKeyColumn)
                m_iEditingRow = nRow;
        }
        if (m_bTextCut && pInfo->item.pszText != nullptr && m_strShownText == pInfo->item.pszText)
        {
            pInfo->item.pszText = const_cast<LPSTR>((LPCTSTR)m_strCellText);
            pInfo->item.cchTextMax = m_strCellText.GetLength();
        }
        m_bTextCut = false;
    }
    if (CWnd* pOwner = OwnerTarget())
        ::SendMessageA(pOwner->GetSafeHwnd(), WM_LIST_ENDEDIT, (WPARAM)GetDlgCtrlID(), (LPARAM)pInfo);
    return TRUE;
}

// --- header, scrolling ----------------------------------------------------------------------------

void CCategoryListCtrl::OnLvnColumnclick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (!m_bSortOnHeaderClick)
        return;
    // Sorting moves rows: the edit ends on its own row first.
    if (!EndEditByFocus())
        return;
    CFilterListCtrl::OnLvnColumnclick(pNMHDR, pResult);
}

BOOL CCategoryListCtrl::OnHdnBegindrag(UINT, NMHDR*, LRESULT* pResult)
{
    if (m_bAllowHeaderDrag)
        return FALSE;
    *pResult = TRUE;
    return TRUE;
}

BOOL CCategoryListCtrl::OnHdnEnddrag(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    if (!m_bAllowHeaderDrag)
    {
        *pResult = TRUE;
        return TRUE;
    }
    const NMHEADERA* pHeader = reinterpret_cast<const NMHEADERA*>(pNMHDR);
    Invalidate();
    const int nItem = pHeader->iItem;
    PostMessage(WM_LIST_HEADERDROPPED, (WPARAM)(nItem >= 0 ? GetColumnWidth(nItem) : 0), (LPARAM)nItem);
    return FALSE;
}

LRESULT CCategoryListCtrl::OnHeaderDropped(WPARAM, LPARAM lParam)
{
    if (!m_bAllowHeaderDrag)
        return 0;
    const int nItem = (int)lParam;
    const int nColumns = ColumnCount();
    if (nItem < 0 || nItem >= nColumns)
        return 0;
    std::vector<int> order(nColumns);
    if (!GetColumnOrderArray(order.data(), nColumns))
        return 0;
    if (order[nItem] == nItem)
        return 0;
    if (!EndEditByFocus())
        return 0;
    // Each header item's column id by its heading text, placed where the drop left it.
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    CArray<int, int> columnsByPosition, widthsByPosition;
    std::vector<bool> used(m_arrColInfo.GetSize(), false);
    std::vector<int> newPositionOfItem(nColumns, -1);
    for (int p = 0; p < nColumns; ++p)
    {
        const int i = order[p];
        if (i < 0 || i >= nColumns)
            return 0;
        char szText[128] = "";
        HDITEMA item = {};
        item.mask = HDI_TEXT;
        item.pszText = szText;
        item.cchTextMax = sizeof(szText);
        pHeader->SendMessage(HDM_GETITEMA, (WPARAM)i, (LPARAM)&item);
        int nColumn = -1;
        for (int c = 0; c < (int)m_arrColInfo.GetSize() && nColumn < 0; ++c)
        {
            if (!used[c] && strcmp(m_arrColInfo[c].szColName, szText) == 0)
                nColumn = c;
        }
        if (nColumn < 0)
            return 0;   // a heading the list does not know: leave the columns as the platform has them
        used[nColumn] = true;
        columnsByPosition.Add(nColumn);
        widthsByPosition.Add(GetColumnWidth(i));
        newPositionOfItem[i] = (int)columnsByPosition.GetSize() - 1;
    }
    // Without filter mode the cells hold their texts by sub-item: carry them to the new places.
    std::vector<std::vector<CString>> texts;
    if (!m_bUseFilter)
    {
        const int nRows = CListCtrl::GetItemCount();
        texts.resize(nRows);
        for (int r = 0; r < nRows; ++r)
        {
            texts[r].resize(nColumns);
            for (int i = 0; i < nColumns; ++i)
                texts[r][i] = CListCtrl::GetItemText(r, i);
        }
    }
    SetRedraw(FALSE);
    LoadHeaders(columnsByPosition, widthsByPosition);
    for (size_t r = 0; r < texts.size(); ++r)
    {
        for (int i = 0; i < nColumns; ++i)
            CListCtrl::SetItemText((int)r, newPositionOfItem[i], texts[r][i]);
    }
    SetRedraw(TRUE);
    Invalidate();
    return 0;
}

void CCategoryListCtrl::OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar)
{
    if (::GetFocus() != m_hWnd && !EndEditByFocus())
        return;
    CFilterListCtrl::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CCategoryListCtrl::OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar)
{
    if (::GetFocus() != m_hWnd && !EndEditByFocus())
        return;
    CFilterListCtrl::OnVScroll(nSBCode, nPos, pScrollBar);
}

// --- keys -----------------------------------------------------------------------------------------

bool CCategoryListCtrl::IsEditorWindow(HWND hWnd)
{
    CWnd* editors[] = { CInPlaceEdit::GetInstance(), CInPlaceCombo::GetInstance(), CInPlaceDTPicker::GetInstance(),
                        CInPlacePriceEdit::GetInstance() };
    for (CWnd* pEditor : editors)
    {
        const HWND hEditor = pEditor->GetSafeHwnd();
        if (hEditor != nullptr && (hWnd == hEditor || ::IsChild(hEditor, hWnd)))
            return true;
    }
    return false;
}

bool CCategoryListCtrl::AnyEditorVisible()
{
    CWnd* editors[] = { CInPlaceEdit::GetInstance(), CInPlaceCombo::GetInstance(), CInPlaceDTPicker::GetInstance(),
                        CInPlacePriceEdit::GetInstance() };
    for (CWnd* pEditor : editors)
    {
        if (pEditor->GetSafeHwnd() != nullptr && ::IsWindowVisible(pEditor->GetSafeHwnd()))
            return true;
    }
    return false;
}

BOOL CCategoryListCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN || (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd)))
        return CFilterListCtrl::PreTranslateMessage(pMsg);
    if (pMsg->wParam == VK_TAB)
    {
        // The editors have posted their move already; Tab must not also move the dialog's focus.
        if (AnyEditorVisible())
            return TRUE;
        return CFilterListCtrl::PreTranslateMessage(pMsg);
    }
    if (pMsg->hwnd == m_hWnd)
    {
        const bool bSpace = pMsg->wParam == VK_SPACE || (::GetKeyState(VK_SPACE) & 0x8000) != 0;
        const int nSelected = GetNextItem(-1, LVNI_SELECTED);
        if (bSpace && nSelected >= 0 && m_csListName == CATEGORY_PROFILE_INDEX_WEIGHTAGE &&
            m_arrColPosition.GetSize() > CATEGORY_WEIGHTAGE_COLUMN && m_arrColPosition[CATEGORY_WEIGHTAGE_COLUMN] >= 0)
        {
            const HWND hWnd = m_hWnd;
            const int nColumn = m_arrColPosition[CATEGORY_WEIGHTAGE_COLUMN];
            CString strText = GetItemText(nSelected, nColumn);
            if (!Alive(hWnd))
                return TRUE;
            if (ShowInPlaceEdit(nSelected, nColumn, strText) != nullptr)
                m_iEditedRow = nSelected;
            if (!Alive(hWnd))
                return TRUE;
        }
        return CFilterListCtrl::PreTranslateMessage(pMsg);
    }
    if (!IsEditorWindow(pMsg->hwnd))
        return CFilterListCtrl::PreTranslateMessage(pMsg);
    // Keys typed into an editor are the editor's: none of the list's shortcuts apply, except for
    // Enter and Space.
    if (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_SPACE)
        return CFilterListCtrl::PreTranslateMessage(pMsg);
    return FALSE;
}
