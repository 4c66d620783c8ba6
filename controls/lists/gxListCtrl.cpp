// gxListCtrl: hit testing, opening the cell editor, and taking its result.
#include "lists/gxListCtrl.h"

#include "lists/gxEditCell.h"

#include <vector>

IMPLEMENT_DYNAMIC(gxListCtrl, CCommonListCtrl)

BEGIN_MESSAGE_MAP(gxListCtrl, CCommonListCtrl)
    ON_WM_LBUTTONDOWN()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_NOTIFY_REFLECT(LVN_ENDLABELEDITA, OnEndLabelEdit)
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, OnLvnColumnclick)
END_MESSAGE_MAP()

gxListCtrl::gxListCtrl(CString)
    : m_csDefaultText("Some Text"), m_nLastRow(-1), m_pfnInsertCallback(nullptr), m_pfnColumnUpdate(nullptr),
      m_pColumnUpdateObject(nullptr)
{
}

gxListCtrl::~gxListCtrl() = default;

namespace
{
// The header's display order: subitem index by position.
std::vector<int> DisplayOrder(CListCtrl& list)
{
    CHeaderCtrl* pHeader = list.GetHeaderCtrl();
    const int nCount = pHeader != nullptr ? pHeader->GetItemCount() : 0;
    std::vector<int> order((size_t)(nCount > 0 ? nCount : 0));
    if (nCount > 0 && !pHeader->GetOrderArray(order.data(), nCount))
    {
        for (int i = 0; i < nCount; ++i)
            order[(size_t)i] = i;
    }
    return order;
}
// The subitem shown at a header position, -1 when none is.
int SubItemAtPosition(CListCtrl& list, int nPosition)
{
    const std::vector<int> order = DisplayOrder(list);
    return nPosition >= 0 && (size_t)nPosition < order.size() ? order[(size_t)nPosition] : -1;
}
}  // namespace

int gxListCtrl::PositionOfColumn(int nColumn)
{
    const std::vector<int> order = DisplayOrder(*this);
    for (size_t p = 0; p < order.size(); ++p)
    {
        if (order[p] == nColumn)
            return (int)p;
    }
    return -1;
}

void gxListCtrl::TakeFocus()
{
    if (GetFocus() != this)
        SetFocus();
}

int gxListCtrl::HitTestEx(CPoint& point, int* pColumn)
{
    if ((GetStyle() & LVS_TYPEMASK) != LVS_REPORT)
    {
        m_nLastRow = HitTest(point, nullptr);
        if (pColumn != nullptr)
            *pColumn = 0;
        return m_nLastRow;
    }
    const int nTop = GetTopIndex();
    int nBottom = nTop + GetCountPerPage();
    if (nBottom > GetItemCount())
        nBottom = GetItemCount();
    const std::vector<int> order = DisplayOrder(*this);
    for (int nRow = nTop; nRow <= nBottom && nRow < GetItemCount(); ++nRow)
    {
        CRect rcRow;
        GetItemRect(nRow, &rcRow, LVIR_BOUNDS);
        if (!rcRow.PtInRect(point))
            continue;
        int x = rcRow.left;
        for (size_t p = 0; p < order.size(); ++p)
        {
            const int nWidth = GetColumnWidth(order[p]);
            if (point.x >= x && point.x <= x + nWidth)
            {
                m_nLastRow = nRow;
                if (pColumn != nullptr)
                    *pColumn = (int)p;
                return nRow;
            }
            x += nWidth;
        }
    }
    m_nLastRow = -1;
    return -1;
}

gxEditCell* gxListCtrl::EditSubItem(int nItem, int nSubItem)
{
    if (nItem < 0 || nItem >= GetItemCount())
        return nullptr;
    if (!EnsureVisible(nItem, TRUE) && !EnsureVisible(nItem, TRUE))
        return nullptr;
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (pHeader == nullptr || nSubItem < 0 || nSubItem >= pHeader->GetItemCount())
        return nullptr;
    if (GetColumnWidth(nSubItem) < 5)
        return nullptr;

    // x: the width of the columns shown before it.
    const std::vector<int> order = DisplayOrder(*this);
    int x = 0;
    for (size_t p = 0; p < order.size() && order[p] != nSubItem; ++p)
        x += GetColumnWidth(order[p]);
    CRect rcRow;
    GetItemRect(nItem, &rcRow, LVIR_BOUNDS);
    x += rcRow.left;   // the row rectangle starts left of the client area when scrolled

    CRect rcClient;
    GetClientRect(&rcClient);
    if (x < 0 || x > rcClient.right)
    {
        CSize scroll(x, 0);
        Scroll(scroll);
        x -= scroll.cx;
        GetItemRect(nItem, &rcRow, LVIR_BOUNDS);
    }

    LVCOLUMNA column = {};
    column.mask = LVCF_FMT;
    GetColumn(nSubItem, &column);
    DWORD dwAlign = ES_LEFT;
    if ((column.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT)
        dwAlign = ES_RIGHT;
    else if ((column.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_CENTER)
        dwAlign = ES_CENTER;

    rcRow.left = x + 4;
    rcRow.right = rcRow.left + GetColumnWidth(nSubItem) - 3;
    if (rcRow.right > rcClient.right)
        rcRow.right = rcClient.right;

    gxEditCell* pEdit = new gxEditCell(this, nItem, nSubItem, GetItemText(nItem, nSubItem));
    if (!pEdit->Create(WS_BORDER | WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | dwAlign, rcRow, this, GX_EDIT_CELL_ID))
    {
        delete pEdit;   // never attached, so nothing deleted it
        return nullptr;
    }
    pEdit->LimitText(250);
    return pEdit;
}

void gxListCtrl::OnLButtonDown(UINT, CPoint point)
{
    Default();
    int nPosition = -1;
    const int nRow = HitTestEx(point, &nPosition);
    if (nRow < 0 || nPosition < 0)
        return;
    for (INT_PTR i = 0; i < m_arrEditableColumns.GetSize(); ++i)
    {
        const int nColumn = m_arrEditableColumns[i];
        if (PositionOfColumn(nColumn) == nPosition)
            EditSubItem(nRow, nColumn);
    }
}

void gxListCtrl::OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar)
{
    TakeFocus();
    CCommonListCtrl::OnHScroll(nSBCode, nPos, pScrollBar);
}

void gxListCtrl::OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar)
{
    TakeFocus();
    CCommonListCtrl::OnVScroll(nSBCode, nPos, pScrollBar);
}

bool gxListCtrl::WouldScrollTo(int nItem)
{
    CRect rcRow, rcClient;
    if (!CListCtrl::GetItemRect(nItem, &rcRow, LVIR_BOUNDS))
        return false;
    GetClientRect(&rcClient);
    if (CHeaderCtrl* pHeader = GetHeaderCtrl())
    {
        CRect rcHeader;
        if (pHeader->GetSafeHwnd() && pHeader->IsWindowVisible() && pHeader->GetItemRect(0, &rcHeader))
            rcClient.top = rcHeader.bottom;
    }
    return rcRow.top < rcClient.top || rcRow.bottom > rcClient.bottom;
}

LRESULT gxListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsEditorOpen())
    {
        bool bEndEdit = false;
        switch (message)
        {
        case WM_TIMER:
            // A sort would move the rows under the editor and take its half-typed text: the
            // next tick after the edit sorts.
            if (wParam == LIST_AUTOSORT_TIMER)
                return 0;
            break;
        case WM_MOUSEWHEEL:
        case WM_MOUSEHWHEEL:
        case LVM_SCROLL:
            bEndEdit = true;
            break;
        case LVM_ENSUREVISIBLE:
            bEndEdit = WouldScrollTo((int)wParam);
            break;
        default:
            break;
        }
        if (bEndEdit)
        {
            // The editor reports to the host, which may close the list.
            const HWND hWnd = m_hWnd;
            TakeFocus();
            if (!::IsWindow(hWnd) || CWnd::FromHandlePermanent(hWnd) != this)
                return 0;
        }
    }
    return CCommonListCtrl::WindowProc(message, wParam, lParam);
}

void gxListCtrl::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMLVDISPINFOA* pInfo = reinterpret_cast<const NMLVDISPINFOA*>(pNMHDR);
    const int nRow = pInfo->item.iItem;
    const int nEdited = PositionOfColumn(pInfo->item.iSubItem);
    const CString csText = pInfo->item.pszText != nullptr ? CString(pInfo->item.pszText) : CString();
    CWnd* pTarget = m_pColumnUpdateObject != nullptr ? m_pColumnUpdateObject : GetParent();
    // The callback may close the list: only the handle is trusted after it.
    const HWND hWnd = m_hWnd;
    bool bAccepted = false;
    CArray<int, int> columns;
    columns.Copy(m_arrEditableColumns);
    for (INT_PTR i = 0; i < columns.GetSize(); ++i)
    {
        if (PositionOfColumn(columns[i]) != nEdited)
            continue;
        m_nLastRow = nRow;
        if (m_pfnColumnUpdate != nullptr && pTarget != nullptr)
        {
            if ((pTarget->*m_pfnColumnUpdate)(columns[i], csText) != 0)
                bAccepted = true;
            if (!::IsWindow(hWnd))
                return;
        }
    }
    if (pInfo->item.pszText != nullptr && bAccepted && nRow >= 0 && nRow < GetItemCount())
        SetItemText(nRow, pInfo->item.iSubItem, csText);
    m_nLastRow = -1;
    *pResult = 0;
}

void gxListCtrl::OnLvnColumnclick(NMHDR* pNMHDR, LRESULT* pResult)
{
    TakeFocus();
    CCommonListCtrl::OnLvnColumnclick(pNMHDR, pResult);
}

int gxListCtrl::InsertItemEx(int nIndex)
{
    if (m_pfnInsertCallback != nullptr)
    {
        CWnd* pParent = GetParent();
        if (pParent == nullptr)
            return 0;
        return (pParent->*m_pfnInsertCallback)(nIndex) != 0 ? 1 : 0;
    }
    if (nIndex < -1 || nIndex > GetItemCount())
        return -1;
    // Without a host callback: a new row with the default text after nIndex, and a running
    // number in column 1 of that new row (see the README).
    const int nNew = InsertItem(nIndex + 1 > GetItemCount() ? GetItemCount() : nIndex + 1, m_csDefaultText);
    if (nNew < 0)
        return -1;
    CString csNumber = "1000";
    if (nNew > 0)
    {
        const unsigned long ulPrevious = strtoul(GetItemText(nNew - 1, 1), nullptr, 16);
        csNumber.Format("%lx", ulPrevious + 1);
    }
    SetItemText(nNew, 1, csNumber);
    const int nColumn = SubItemAtPosition(*this, 2);
    if (nColumn >= 0)
        SetColumnWidth(nColumn, LVSCW_AUTOSIZE_USEHEADER);
    return nNew;
}

BOOL gxListCtrl::DeleteItem(int nItem)
{
    if (CWnd* pParent = GetParent())
        pParent->SetFocus();
    return CCommonListCtrl::DeleteItem(nItem);
}

BOOL gxListCtrl::DeleteAllItems()
{
    if (CWnd* pParent = GetParent())
        pParent->SetFocus();
    return CCommonListCtrl::DeleteAllItems();
}

int gxListCtrl::EndListEditing()
{
    if (CWnd* pEdit = GetDlgItem(GX_EDIT_CELL_ID))
    {
        // Losing the focus reports and destroys the editor.
        if (::GetFocus() == pEdit->GetSafeHwnd())
            SetFocus();
        else if (::IsWindow(pEdit->GetSafeHwnd()))
            pEdit->SendMessage(WM_KILLFOCUS, (WPARAM)m_hWnd, 0);
    }
    return 1;
}

void gxListCtrl::Resize(int cx, int cy)
{
    MoveWindow(0, 0, cx, cy, TRUE);
    const int nColumn = SubItemAtPosition(*this, 2);
    if (nColumn < 0)
        return;
    SetColumnWidth(nColumn, LVSCW_AUTOSIZE);
    const int nData = GetColumnWidth(nColumn);
    SetColumnWidth(nColumn, LVSCW_AUTOSIZE_USEHEADER);
    if (GetColumnWidth(nColumn) < nData)
        SetColumnWidth(nColumn, nData);
}

void gxListCtrl::OnEnter()
{
}
