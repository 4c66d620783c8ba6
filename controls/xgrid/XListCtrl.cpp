#include "xgrid/XListCtrl.h"

#include "host/AliveScope.h"

#include <cstdio>

IMPLEMENT_DYNAMIC(CXListCtrl, CListCtrl)

const UINT WM_XLISTCTRL_CHECKBOX_CLICKED = ::RegisterWindowMessageA("WM_XLISTCTRL_CHECKBOX_CLICKED");
const UINT WM_XLISTCTRL_COLORBOX_CLICKED = ::RegisterWindowMessageA("WM_XLISTCTRL_COLORBOX_CLICKED");
const UINT WM_XLISTCTRL_COMBO_SELECTION = ::RegisterWindowMessageA("WM_XLISTCTRL_COMBO_SELECTION");

namespace
{
// A check box of XLIST_CHECKBOX_SIZE pixels with its top-left corner at (x, y): a one-pixel frame,
// the inside and, when checked, a mark three pixels thick.
void PaintCheckBox(HDC hdc, int x, int y, bool bChecked, COLORREF crFrame, COLORREF crInside, COLORREF crMark)
{
    CDC* pDC = CDC::FromHandle(hdc);
    const int n = XLIST_CHECKBOX_SIZE;
    pDC->FillSolidRect(x, y, n, n, crFrame);
    pDC->FillSolidRect(x + 1, y + 1, n - 2, n - 2, crInside);
    if (!bChecked)
        return;
    // The mark falls from (3,5) to (5,7) and rises to (9,3); each column is three pixels high.
    for (int dx = 3; dx <= 9; ++dx)
    {
        int top = dx <= 5 ? 5 + (dx - 3) : 7 - (dx - 5);
        pDC->FillSolidRect(x + dx, y + top, 1, 3, crMark);
    }
}
}  // namespace

static_assert(sizeof(XLISTCTRLDATA) <= 48, "a cell record is held two million times by a large grid");

XLISTCTRLDATA::XLISTCTRLDATA()
    : bEnabled(1), bBold(0), nImage(-1), crText(::GetSysColor(COLOR_WINDOWTEXT)),
      crBackground(::GetSysColor(COLOR_WINDOW)), dwItemData(0), nCheckedState(-1), bColorbox(false)
{
}

CXListCtrl::CXListCtrl()
    : m_nComboColumn(-1), m_bHeaderIsSubclassed(false), m_nCurRow(-1), m_nCurColumn(-1), m_dwExtendedStyleX(0),
      m_hBoldFont(nullptr), m_hBoldBase(nullptr)
{
    ReadSysColors();
}

CXListCtrl::~CXListCtrl()
{
    // Destroyed here, while this class still handles its own WM_DESTROY and deletion notices.
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        DestroyWindow();
    ReleaseAllCells();
    if (m_hBoldFont != nullptr)
        ::DeleteObject(m_hBoldFont);
    CAliveScope::Deleted(m_pbAlive);
}

void CXListCtrl::ReadSysColors()
{
    m_cr3DFace = ::GetSysColor(COLOR_3DFACE);
    m_cr3DHighLight = ::GetSysColor(COLOR_3DHIGHLIGHT);
    m_cr3DShadow = ::GetSysColor(COLOR_3DSHADOW);
    m_crBtnFace = ::GetSysColor(COLOR_BTNFACE);
    m_crBtnShadow = ::GetSysColor(COLOR_BTNSHADOW);
    m_crBtnText = ::GetSysColor(COLOR_BTNTEXT);
    m_crGrayText = ::GetSysColor(COLOR_GRAYTEXT);
    m_crHighLight = ::GetSysColor(COLOR_HIGHLIGHT);
    m_crHighLightText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    m_crWindow = ::GetSysColor(COLOR_WINDOW);
    m_crWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
}

// --- cells ---------------------------------------------------------------------------------------

CXListCtrl::CCellArray* CXListCtrl::Cells(int nItem)
{
    if (m_hWnd == nullptr || nItem < 0)
        return nullptr;
    // Item data the host set through the base list is its own value, never a cell array. A row
    // past the end has no item data (0), which is never a cell array either.
    auto* pCells = reinterpret_cast<CCellArray*>(CListCtrl::GetItemData(nItem));
    return m_ownCells.count(pCells) != 0 ? pCells : nullptr;
}

XLISTCTRLDATA* CXListCtrl::Cell(int nItem, int nSubItem)
{
    CCellArray* pCells = Cells(nItem);
    if (pCells == nullptr || nSubItem < 0 || nSubItem >= GetColumns() || (size_t)nSubItem >= pCells->size())
        return nullptr;
    return &(*pCells)[(size_t)nSubItem];
}

void CXListCtrl::FreeCells(int nItem)
{
    CCellArray* pCells = Cells(nItem);
    if (pCells == nullptr)
        return;
    // Forgotten first, so neither the item-data change nor the deletion notification that follows
    // frees it again.
    m_ownCells.erase(pCells);
    CListCtrl::SetItemData(nItem, 0);
    m_ownCells.insert(pCells);
    ReleaseCells(pCells);
}

void CXListCtrl::ReleaseCells(CCellArray* pCells)
{
    if (m_ownCells.erase(pCells) == 0)
        return;
    for (size_t c = 0; c < pCells->size() && c < m_checkedCount.size(); ++c)
    {
        if ((*pCells)[c].nCheckedState == 1)
            --m_checkedCount[c];
    }
    delete pCells;
}

void CXListCtrl::ReleaseAllCells()
{
    for (CCellArray* pCells : m_ownCells)
        delete pCells;
    m_ownCells.clear();
    m_checkedCount.clear();
}

void CXListCtrl::SetCheckState(XLISTCTRLDATA& cell, int nSubItem, int nState)
{
    if (nSubItem < 0)
        return;
    if (m_checkedCount.size() <= (size_t)nSubItem)
        m_checkedCount.resize((size_t)nSubItem + 1, 0);
    m_checkedCount[(size_t)nSubItem] += (nState == 1) - (cell.nCheckedState == 1);
    cell.nCheckedState = nState;
}

LRESULT CXListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == LVM_SETIMAGELIST)
    {
        // The platform hands the small images to the header as well, where the check boxes are
        // the item images: the header keeps the grid's own.
        const LRESULT lResult = CListCtrl::WindowProc(message, wParam, lParam);
        HIMAGELIST hBoxes = m_cImageList.GetSafeHandle();
        if (m_bHeaderIsSubclassed && hBoxes != nullptr &&
            (HIMAGELIST)::SendMessageA(m_HeaderCtrl.m_hWnd, HDM_GETIMAGELIST, 0, 0) != hBoxes)
            ::SendMessageA(m_HeaderCtrl.m_hWnd, HDM_SETIMAGELIST, HDSIL_NORMAL, (LPARAM)hBoxes);
        return lResult;
    }
    if (message == LVM_DELETEITEM || message == LVM_DELETEALLITEMS)
    {
        // However rows go, the header boxes follow the rows left. The parent hears of each
        // deleted row first and may delete the grid or destroy its window meanwhile.
        const HWND hWnd = m_hWnd;
        CAliveScope alive(m_pbAlive);
        const LRESULT lResult = CListCtrl::WindowProc(message, wParam, lParam);
        if (alive.Alive() && ::IsWindow(hWnd))
            RefreshHeaderChecks();
        return lResult;
    }
    if ((message == LVM_INSERTITEMA || message == LVM_INSERTITEMW) && m_hWnd != nullptr)
    {
        // A new row has no ticked box: a column whose rows were all ticked no longer is. The
        // parent hears of the insert first and may delete the grid or destroy its window.
        const HWND hWnd = m_hWnd;
        CAliveScope alive(m_pbAlive);
        const LRESULT lResult = CListCtrl::WindowProc(message, wParam, lParam);
        if (lResult >= 0 && alive.Alive() && ::IsWindow(hWnd))
        {
            const size_t nBefore = (size_t)GetItemCount() - 1;
            for (size_t c = 0; nBefore > 0 && c < m_checkedCount.size(); ++c)
            {
                if ((size_t)m_checkedCount[c] == nBefore)
                    RefreshHeaderCheck((int)c);
            }
        }
        return lResult;
    }
    if ((message == LVM_SETITEMA || message == LVM_SETITEMW) && lParam != 0 && m_hWnd != nullptr)
    {
        // The same layout for both character sets up to lParam.
        const LVITEMA* pItem = reinterpret_cast<const LVITEMA*>(lParam);
        if ((pItem->mask & LVIF_PARAM) && pItem->iSubItem == 0)
        {
            CCellArray* pOld = Cells(pItem->iItem);
            LRESULT lResult = CListCtrl::WindowProc(message, wParam, lParam);
            if (pOld != nullptr && lResult && CListCtrl::GetItemData(pItem->iItem) != (DWORD_PTR)pOld)
                ReleaseCells(pOld);
            return lResult;
        }
    }
    return CListCtrl::WindowProc(message, wParam, lParam);
}

int CXListCtrl::GetColumns()
{
    // Asked on every cell access: straight to the header, without a wrapper object for it.
    HWND hHeader = m_hWnd != nullptr ? (HWND)::SendMessage(m_hWnd, LVM_GETHEADER, 0, 0) : nullptr;
    if (hHeader == nullptr)
        return 0;
    return (int)::SendMessage(hHeader, HDM_GETITEMCOUNT, 0, 0);
}

int CXListCtrl::InsertItem(const LVITEM* pItem)
{
    if (pItem == nullptr || m_hWnd == nullptr)
        return -1;
    int nColumns = GetColumns();
    // Copies of one fresh record: the system colours are read once per row, not once per cell.
    auto* pCells = new CCellArray((size_t)(nColumns > 0 ? nColumns : 1), XLISTCTRLDATA());
    m_ownCells.insert(pCells);
    LVITEM item = *pItem;
    if (item.mask & LVIF_PARAM)
        (*pCells)[0].dwItemData = (DWORD_PTR)item.lParam;
    if ((item.mask & LVIF_TEXT) && item.pszText != nullptr && item.pszText != LPSTR_TEXTCALLBACKA)
        (*pCells)[0].strText = item.pszText;
    // The cells hold the texts; the platform asks for them (OnGetDispInfo) instead of keeping a
    // second copy of each.
    item.mask |= LVIF_PARAM | LVIF_TEXT;
    item.pszText = LPSTR_TEXTCALLBACKA;
    item.lParam = (LPARAM)pCells;
    item.iSubItem = 0;
    int nRow = CListCtrl::InsertItem(&item);
    if (nRow < 0)
        ReleaseCells(pCells);
    return nRow;
}

int CXListCtrl::InsertItem(int nItem, LPCTSTR lpszItem)
{
    LVITEM item = {};
    item.mask = LVIF_TEXT;
    item.iItem = nItem;
    item.pszText = const_cast<LPTSTR>(lpszItem != nullptr ? lpszItem : "");
    return InsertItem(&item);
}

int CXListCtrl::InsertItem(int nItem, LPCTSTR lpszItem, COLORREF crText, COLORREF crBackground)
{
    int nRow = InsertItem(nItem, lpszItem);
    if (XLISTCTRLDATA* pCell = Cell(nRow, 0))
    {
        pCell->crText = crText;
        pCell->crBackground = crBackground;
    }
    return nRow;
}

BOOL CXListCtrl::DeleteItem(int nItem)
{
    if (m_hWnd == nullptr || nItem < 0 || nItem >= GetItemCount())
        return FALSE;
    FreeCells(nItem);
    return CListCtrl::DeleteItem(nItem);
}

BOOL CXListCtrl::DeleteAllItems()
{
    if (m_hWnd == nullptr)
        return FALSE;
    for (int i = GetItemCount() - 1; i >= 0; --i)
        FreeCells(i);
    return CListCtrl::DeleteAllItems();
}

BOOL CXListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText, COLORREF crText, COLORREF crBackground)
{
    XLISTCTRLDATA* pCell = Cell(nItem, nSubItem);
    if (pCell == nullptr)
        return FALSE;
    BOOL bResult = TRUE;
    if (lpszText != nullptr)
    {
        bResult = CListCtrl::SetItemText(nItem, nSubItem, LPSTR_TEXTCALLBACKA);
        pCell->strText = lpszText;
    }
    pCell->crText = crText == (COLORREF)-1 ? m_crWindowText : crText;
    pCell->crBackground = crBackground == (COLORREF)-1 ? m_crWindow : crBackground;
    UpdateSubItem(nItem, nSubItem);
    return bResult;
}

BOOL CXListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText)
{
    XLISTCTRLDATA* pCell = Cell(nItem, nSubItem);
    if (pCell == nullptr || lpszText == nullptr)
        return FALSE;
    BOOL bResult = CListCtrl::SetItemText(nItem, nSubItem, LPSTR_TEXTCALLBACKA);
    pCell->strText = lpszText;
    UpdateSubItem(nItem, nSubItem);
    return bResult;
}

int CXListCtrl::SetCheckbox(int nItem, int nSubItem, int nCheckedState, int bEnabled)
{
    XLISTCTRLDATA* pCell = Cell(nItem, nSubItem);
    if (pCell == nullptr || nCheckedState < -1 || nCheckedState > 1)
        return 0;
    SetCheckState(*pCell, nSubItem, nCheckedState);
    if (!bEnabled)
        (*Cells(nItem))[0].bEnabled = 0;
    UpdateSubItem(nItem, nSubItem);
    RefreshHeaderCheck(nSubItem);
    return 1;
}

int CXListCtrl::GetCheckbox(int nItem, int nSubItem)
{
    XLISTCTRLDATA* pCell = Cell(nItem, nSubItem);
    return pCell != nullptr ? pCell->nCheckedState : -1;
}

int CXListCtrl::CountCheckedItems(int nSubItem)
{
    // Kept as cells change: setting a whole column stays linear.
    if (nSubItem < 0 || nSubItem >= GetColumns() || (size_t)nSubItem >= m_checkedCount.size())
        return 0;
    return m_checkedCount[(size_t)nSubItem];
}

int CXListCtrl::SetColorboxColor(int nItem, int nSubItem, COLORREF crColor)
{
    XLISTCTRLDATA* pCell = Cell(nItem, nSubItem);
    if (pCell == nullptr)
        return 0;
    pCell->bColorbox = true;
    pCell->crBackground = crColor;
    UpdateSubItem(nItem, nSubItem);
    return 1;
}

COLORREF CXListCtrl::GetColorboxColor(int nItem, int nSubItem)
{
    XLISTCTRLDATA* pCell = Cell(nItem, nSubItem);
    return pCell != nullptr ? pCell->crBackground : (COLORREF)-1;
}

int CXListCtrl::SetEnabled(int nItem, int bEnabled)
{
    XLISTCTRLDATA* pCell = Cell(nItem, 0);
    if (pCell == nullptr)
        return 0;
    pCell->bEnabled = bEnabled ? 1 : 0;
    UpdateSubItem(nItem, -1);
    return 1;
}

int CXListCtrl::SetEnabled(int nItem, int nSubItem, int bEnabled)
{
    XLISTCTRLDATA* pCell = Cell(nItem, nSubItem);
    if (pCell == nullptr)
        return 0;
    pCell->bEnabled = bEnabled ? 1 : 0;
    UpdateSubItem(nItem, -1);
    return 1;
}

int CXListCtrl::GetEnabled(int nItem)
{
    XLISTCTRLDATA* pCell = Cell(nItem, 0);
    return pCell != nullptr ? pCell->bEnabled : 0;
}

int CXListCtrl::GetEnabled(int nItem, int nSubItem)
{
    XLISTCTRLDATA* pCell = Cell(nItem, nSubItem);
    return pCell != nullptr ? pCell->bEnabled : 0;
}

int CXListCtrl::GetCellEnabled(int nItem, int nSubItem)
{
    XLISTCTRLDATA* pCell = Cell(nItem, nSubItem);
    return pCell != nullptr && pCell->bEnabled && GetEnabled(nItem) ? 1 : 0;
}

int CXListCtrl::SetBold(int nItem, int nSubItem, int bBold)
{
    XLISTCTRLDATA* pCell = Cell(nItem, nSubItem);
    if (pCell == nullptr)
        return 0;
    pCell->bBold = bBold ? 1 : 0;
    UpdateSubItem(nItem, nSubItem);
    return 1;
}

int CXListCtrl::GetBold(int nItem, int nSubItem)
{
    XLISTCTRLDATA* pCell = Cell(nItem, nSubItem);
    return pCell != nullptr ? pCell->bBold : 0;
}

int CXListCtrl::SetItemImage(int nItem, int nSubItem, int nImage)
{
    XLISTCTRLDATA* pCell = Cell(nItem, nSubItem);
    if (pCell == nullptr)
        return 0;
    pCell->nImage = nImage;
    UpdateSubItem(nItem, nSubItem);
    return 1;
}

int CXListCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    XLISTCTRLDATA* pCell = Cell(nItem, 0);
    if (pCell == nullptr)
        return 0;
    pCell->dwItemData = dwData;
    return 1;
}

DWORD_PTR CXListCtrl::GetItemData(int nItem)
{
    XLISTCTRLDATA* pCell = Cell(nItem, 0);
    return pCell != nullptr ? pCell->dwItemData : 0;
}

// --- header check boxes --------------------------------------------------------------------------

int CXListCtrl::SetHeaderCheckedState(int nSubItem, int nCheckedState)
{
    if (nSubItem < 0 || nSubItem >= GetColumns() || nCheckedState < XHEADER_CHECK_NONE ||
        nCheckedState > XHEADER_CHECK_CHECKED)
        return 0;
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    HDITEMA hdi = {};
    hdi.mask = HDI_FORMAT;
    pHeader->GetItem(nSubItem, &hdi);
    hdi.mask = HDI_FORMAT | HDI_IMAGE;
    if (nCheckedState == XHEADER_CHECK_NONE)
        hdi.fmt &= ~HDF_IMAGE;
    else
        hdi.fmt |= HDF_IMAGE;
    hdi.iImage = nCheckedState;
    pHeader->SetItem(nSubItem, &hdi);
    pHeader->Invalidate();
    return 1;
}

int CXListCtrl::GetHeaderCheckedState(int nSubItem)
{
    if (nSubItem < 0 || nSubItem >= GetColumns())
        return -1;
    HDITEMA hdi = {};
    hdi.mask = HDI_FORMAT | HDI_IMAGE;
    GetHeaderCtrl()->GetItem(nSubItem, &hdi);
    return (hdi.fmt & HDF_IMAGE) ? hdi.iImage : XHEADER_CHECK_NONE;
}

void CXListCtrl::RefreshHeaderCheck(int nSubItem)
{
    const int nOld = GetHeaderCheckedState(nSubItem);
    if (nOld <= XHEADER_CHECK_NONE)
        return;
    // An empty column has no checked rows: its box is unchecked.
    const int nRows = GetItemCount();
    const bool bAll = nRows > 0 && CountCheckedItems(nSubItem) == nRows;
    const int nState = bAll ? XHEADER_CHECK_CHECKED : XHEADER_CHECK_UNCHECKED;
    if (nState != nOld)
        SetHeaderCheckedState(nSubItem, nState);
}

void CXListCtrl::RefreshHeaderChecks()
{
    // Deleting rows can only complete a column (its last unchecked row gone) or empty it: only
    // such columns are looked at, so a deletion in a wide grid reads no header item otherwise.
    const int nRows = GetItemCount();
    const int nColumns = nRows == 0 ? GetColumns() : (int)m_checkedCount.size();
    for (int c = 0; c < nColumns; ++c)
    {
        if (nRows == 0 || m_checkedCount[(size_t)c] == nRows)
            RefreshHeaderCheck(c);
    }
}

void CXListCtrl::BuildHeaderImages()
{
    m_cImageList.DeleteImageList();
    const int n = XLIST_CHECKBOX_SIZE;
    if (!m_cImageList.Create(n, n, ILC_COLOR24 | ILC_MASK, 3, 0))
        return;
    HDC hScreen = ::GetDC(nullptr);
    HDC hdc = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 3 * n, n);
    ::ReleaseDC(nullptr, hScreen);
    HGDIOBJ hOld = ::SelectObject(hdc, hBitmap);
    const COLORREF crMask = RGB(255, 0, 255);
    CDC::FromHandle(hdc)->FillSolidRect(0, 0, 3 * n, n, crMask);
    PaintCheckBox(hdc, n, 0, false, m_crBtnShadow, m_crWindow, m_crWindowText);
    PaintCheckBox(hdc, 2 * n, 0, true, m_crBtnShadow, m_crWindow, m_crWindowText);
    ::SelectObject(hdc, hOld);
    ImageList_AddMasked(m_cImageList.GetSafeHandle(), hBitmap, crMask);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hdc);
}

void CXListCtrl::SubclassHeaderControl()
{
    if (m_bHeaderIsSubclassed || m_hWnd == nullptr)
        return;
    HWND hHeader = (HWND)::SendMessageA(m_hWnd, LVM_GETHEADER, 0, 0);
    if (hHeader == nullptr || !m_HeaderCtrl.SubclassWindow(hHeader))
        return;
    m_bHeaderIsSubclassed = true;
    BuildHeaderImages();
    m_HeaderCtrl.SetImageList(&m_cImageList);
}

void CXListCtrl::PreSubclassWindow()
{
    CListCtrl::PreSubclassWindow();
    SubclassHeaderControl();
}

// --- geometry and selection ----------------------------------------------------------------------

BOOL CXListCtrl::GetSubItemRect(int nItem, int nSubItem, int nArea, CRect& rect)
{
    if (Cells(nItem) == nullptr || nSubItem < 0 || nSubItem >= GetColumns())
        return FALSE;
    return CListCtrl::GetSubItemRect(nItem, nSubItem, nArea, rect);
}

BOOL CXListCtrl::GetCellRect(int nItem, int nSubItem, CRect& rect)
{
    if (m_hWnd == nullptr || nItem < 0 || nItem >= GetItemCount() || nSubItem < 0 || nSubItem >= GetColumns())
        return FALSE;
    CRect rcRow;
    if (!CListCtrl::GetItemRect(nItem, &rcRow, LVIR_BOUNDS))
        return FALSE;
    // Column 0's bounds are the whole row: its span comes from the header item instead.
    CRect rcHeaderItem;
    if (!GetHeaderCtrl()->GetItemRect(nSubItem, &rcHeaderItem))
        return FALSE;
    rect.SetRect(rcRow.left + rcHeaderItem.left, rcRow.top, rcRow.left + rcHeaderItem.right, rcRow.bottom);
    return TRUE;
}

void CXListCtrl::UpdateSubItem(int nItem, int nSubItem)
{
    // A hidden grid is painted whole when it is shown: nothing to invalidate cell by cell (this
    // keeps filling a hidden grid as cheap as filling the plain list).
    if (m_hWnd == nullptr || !::IsWindowVisible(m_hWnd))
        return;
    CRect rc;
    BOOL bOk = nSubItem == -1 ? CListCtrl::GetItemRect(nItem, &rc, LVIR_BOUNDS) : GetCellRect(nItem, nSubItem, rc);
    if (!bOk)
        return;
    InvalidateRect(&rc);
    UpdateWindow();
}

int CXListCtrl::GetCurSel()
{
    return m_hWnd != nullptr ? GetNextItem(-1, LVNI_SELECTED) : -1;
}

BOOL CXListCtrl::SetCurSel(int nItem)
{
    if (m_hWnd == nullptr || nItem < 0 || nItem >= GetItemCount())
        return FALSE;
    SetItemState(nItem, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EnsureVisible(nItem, FALSE);
    m_nCurRow = nItem;
    return TRUE;
}

// --- painting ------------------------------------------------------------------------------------

void CXListCtrl::GetDrawColors(int nItem, int nSubItem, COLORREF& crText, COLORREF& crBackground)
{
    XLISTCTRLDATA* pCell = Cell(nItem, nSubItem);
    crText = pCell != nullptr ? pCell->crText : m_crWindowText;
    crBackground = pCell != nullptr && !pCell->bColorbox ? pCell->crBackground : m_crWindow;
    bool bSelected = (GetItemState(nItem, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    bool bFullRow = (GetExtendedStyle() & LVS_EX_FULLROWSELECT) != 0;
    if (bSelected && (bFullRow || nSubItem == 0))
    {
        if (::GetFocus() == m_hWnd)
        {
            crText = m_crHighLightText;
            crBackground = m_crHighLight;
        }
        else if (GetStyle() & LVS_SHOWSELALWAYS)
        {
            crText = m_crWindowText;
            crBackground = m_crBtnFace;
        }
    }
    if (pCell != nullptr && !GetCellEnabled(nItem, nSubItem))
        crText = m_crGrayText;
}

void CXListCtrl::DrawCheckbox(CDC* pDC, int nItem, int nSubItem, CRect& rect, COLORREF crText, COLORREF crBackground)
{
    XLISTCTRLDATA* pCell = Cell(nItem, nSubItem);
    if (pCell == nullptr)
        return;
    pDC->FillSolidRect(&rect, crBackground);
    const int n = XLIST_CHECKBOX_SIZE;
    int x = rect.left + XLIST_CHECKBOX_MARGIN;
    int y = rect.top + (rect.Height() - n) / 2;
    bool bEnabled = GetCellEnabled(nItem, nSubItem) != 0;
    PaintCheckBox(pDC->GetSafeHdc(), x, y, pCell->nCheckedState == 1, m_crBtnShadow,
                  bEnabled ? m_crWindow : m_crBtnFace, bEnabled ? m_crWindowText : m_crGrayText);
    CRect rcText(x + n + XLIST_CHECKBOX_MARGIN, rect.top, rect.right, rect.bottom);
    if (rcText.Width() > 0 && !GetItemText(nItem, nSubItem).IsEmpty())
        DrawText(pDC, nItem, nSubItem, rcText, crText, crBackground);
}

int CXListCtrl::DrawImage(CDC* pDC, int nItem, int nSubItem, CRect& rect)
{
    XLISTCTRLDATA* pCell = Cell(nItem, nSubItem);
    HIMAGELIST hImages = (HIMAGELIST)::SendMessageA(m_hWnd, LVM_GETIMAGELIST, LVSIL_SMALL, 0);
    if (pCell == nullptr || pCell->nImage < 0 || hImages == nullptr)
        return 0;
    int cx = 0, cy = 0;
    ImageList_GetIconSize(hImages, &cx, &cy);
    if (rect.Width() < cx + 2)
        return 0;
    ImageList_Draw(hImages, pCell->nImage, pDC->GetSafeHdc(), rect.left + 2, rect.top + (rect.Height() - cy) / 2,
                   ILD_TRANSPARENT);
    return cx + 4;
}

HFONT CXListCtrl::BoldFont(HFONT hBase)
{
    if (hBase == nullptr)
        return nullptr;
    if (hBase == m_hBoldBase && m_hBoldFont != nullptr)
        return m_hBoldFont;
    LOGFONTA lf = {};
    if (::GetObjectA(hBase, sizeof(lf), &lf) == 0)
        return nullptr;
    lf.lfWeight = FW_BOLD;
    if (m_hBoldFont != nullptr)
        ::DeleteObject(m_hBoldFont);
    m_hBoldFont = ::CreateFontIndirectA(&lf);
    m_hBoldBase = hBase;
    return m_hBoldFont;
}

void CXListCtrl::DrawText(CDC* pDC, int nItem, int nSubItem, CRect& rect, COLORREF crText, COLORREF crBackground)
{
    CString text = CListCtrl::GetItemText(nItem, nSubItem);
    XLISTCTRLDATA* pCell = Cell(nItem, nSubItem);
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT;
    GetColumn(nSubItem, &column);
    UINT nFormat = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
    switch (column.fmt & LVCFMT_JUSTIFYMASK)
    {
    case LVCFMT_RIGHT: nFormat |= DT_RIGHT; break;
    case LVCFMT_CENTER: nFormat |= DT_CENTER; break;
    default: nFormat |= DT_LEFT; break;
    }
    CRect rc = rect;
    rc.DeflateRect(4, 0);
    HGDIOBJ hOldFont = nullptr;
    if (pCell != nullptr && pCell->bBold)
    {
        if (HFONT hBold = BoldFont((HFONT)::GetCurrentObject(pDC->GetSafeHdc(), OBJ_FONT)))
            hOldFont = pDC->SelectObject((HGDIOBJ)hBold);
    }
    pDC->SetBkColor(crBackground);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(crText);
    pDC->DrawText(text, &rc, nFormat);
    if (hOldFont != nullptr)
        pDC->SelectObject(hOldFont);
}

void CXListCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMLVCUSTOMDRAW* pDraw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    switch (pDraw->nmcd.dwDrawStage)
    {
    case CDDS_PREPAINT:
        *pResult = CDRF_NOTIFYITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT:
        *pResult = CDRF_NOTIFYSUBITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
        break;
    default:
        return;
    }
    int nItem = (int)pDraw->nmcd.dwItemSpec;
    int nSubItem = pDraw->iSubItem;
    COLORREF crText, crBackground;
    GetDrawColors(nItem, nSubItem, crText, crBackground);
    pDraw->clrText = crText;
    pDraw->clrTextBk = crBackground;
    CRect rc;
    if (!GetCellRect(nItem, nSubItem, rc))
        return;
    CDC* pDC = CDC::FromHandle(pDraw->nmcd.hdc);
    XLISTCTRLDATA* pCell = Cell(nItem, nSubItem);
    if (pCell != nullptr && pCell->nCheckedState != -1)
    {
        DrawCheckbox(pDC, nItem, nSubItem, rc, crText, crBackground);
    }
    else if (pCell != nullptr && pCell->bColorbox)
    {
        pDC->FillSolidRect(&rc, crBackground);
        CRect box = rc;
        box.DeflateRect(3, 2);
        pDC->FillSolidRect(&box, m_crBtnShadow);
        box.DeflateRect(1, 1);
        pDC->FillSolidRect(&box, pCell->crBackground);
    }
    else
    {
        pDC->FillSolidRect(&rc, crBackground);
        CRect rcText = rc;
        rcText.left += DrawImage(pDC, nItem, nSubItem, rc);
        DrawText(pDC, nItem, nSubItem, rcText, crText, crBackground);
    }
    *pResult = CDRF_SKIPDEFAULT;
}

// --- messages ------------------------------------------------------------------------------------

void CXListCtrl::OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    // The same layout for both character sets up to the text pointer.
    LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(pNMHDR)->item;
    if (!(item.mask & LVIF_TEXT) || item.pszText == nullptr || item.cchTextMax <= 0)
        return;
    XLISTCTRLDATA* pCell = Cell(item.iItem, item.iSubItem);
    LPCSTR pszText = pCell != nullptr ? (LPCSTR)pCell->strText : "";
    if (pNMHDR->code == LVN_GETDISPINFOW)
    {
        LPWSTR pszOut = reinterpret_cast<LPWSTR>(item.pszText);
        if (::MultiByteToWideChar(CP_ACP, 0, pszText, -1, pszOut, item.cchTextMax) == 0)
            pszOut[item.cchTextMax - 1] = 0;   // too long: the platform gets the part that fits
        return;
    }
    ::lstrcpynA(item.pszText, pszText, item.cchTextMax);
}

HWND CXListCtrl::NotifyTarget() const
{
    HWND hParent = ::GetParent(m_hWnd);
    return hParent != nullptr ? hParent : ::GetWindow(m_hWnd, GW_OWNER);
}

char* CXListCtrl::CellText(int nItem, int nSubItem)
{
    char* pszText = new char[64];
    snprintf(pszText, 64, "%d|%d", nItem, nSubItem);
    return pszText;
}

void CXListCtrl::OnLButtonDown(UINT, CPoint point)
{
    LVHITTESTINFO hti = {};
    hti.pt = point;
    SubItemHitTest(&hti);
    int nItem = hti.iItem, nSubItem = hti.iSubItem;
    // A disabled cell swallows the click whole.
    if (nItem >= 0 && Cell(nItem, nSubItem) != nullptr && !GetCellEnabled(nItem, nSubItem))
        return;
    // Every receiver below may delete the grid, or destroy its window.
    const HWND hWnd = m_hWnd;
    CAliveScope alive(m_pbAlive);
    auto gone = [&] { return !alive.Alive() || !::IsWindow(hWnd); };
    if (HWND hParent = ::GetParent(m_hWnd))
        ::SendMessageA(hParent, WM_XLISTCTRL_LBUTTONDOWN, (WPARAM)&point, 0);
    if (gone())
        return;
    if (nItem < 0)
    {
        Default();
        return;
    }
    m_nCurRow = nItem;
    m_nCurColumn = nSubItem;
    XLISTCTRLDATA* pCell = Cell(nItem, nSubItem);
    if (pCell != nullptr && pCell->nCheckedState == -1 && pCell->bColorbox)
    {
        Default();
        pCell = gone() ? nullptr : Cell(nItem, nSubItem);
        if (pCell == nullptr)
            return;
        CColorDialog dlg(pCell->crBackground, CC_FULLOPEN | CC_RGBINIT, this);
        if (dlg.DoModal() != IDOK || gone())
            return;
        // The modal run may have changed the list: look the cell up again.
        pCell = Cell(nItem, nSubItem);
        if (pCell == nullptr)
            return;
        pCell->crBackground = dlg.GetColor();
        UpdateSubItem(nItem, nSubItem);
        HWND hTarget = NotifyTarget();
        if (hTarget != nullptr && ::IsWindow(hTarget))
        {
            char* pszText = CellText(nItem, nSubItem);
            if (!::PostMessageA(hTarget, WM_XLISTCTRL_COLORBOX_CLICKED, (WPARAM)pszText, (LPARAM)dlg.GetColor()))
                delete[] pszText;
        }
        return;
    }
    if (pCell != nullptr && pCell->nCheckedState != -1)
    {
        int nState = pCell->nCheckedState == 0 ? 1 : 0;
        SetCheckState(*pCell, nSubItem, nState);
        UpdateSubItem(nItem, nSubItem);
        if (HWND hTarget = NotifyTarget())
            ::SendMessageA(hTarget, WM_XLISTCTRL_CHECKBOX_CLICKED, (WPARAM)CellText(nItem, nSubItem), nState);
        if (gone())
            return;
        RefreshHeaderCheck(nSubItem);
    }
    Default();
}

void CXListCtrl::OnClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;   // the click was handled in OnLButtonDown
}

BOOL CXListCtrl::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMLISTVIEW* pView = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    int nSubItem = pView->iSubItem;
    int nState = GetHeaderCheckedState(nSubItem);
    if (nState <= XHEADER_CHECK_NONE)
        return FALSE;   // an ordinary column: the parent's to handle
    int nNew = nState == XHEADER_CHECK_UNCHECKED ? XHEADER_CHECK_CHECKED : XHEADER_CHECK_UNCHECKED;
    SetHeaderCheckedState(nSubItem, nNew);
    m_HeaderCtrl.UpdateWindow();
    HWND hParent = ::GetParent(m_hWnd);
    // The receivers may insert or delete rows, or destroy the grid or its window: after them the
    // row just reported is found again by its cells (the rows' item data) and the loop goes on
    // below it, so that no row is skipped or reported twice.
    const HWND hWnd = m_hWnd;
    CAliveScope alive(m_pbAlive);
    auto gone = [&] { return !alive.Alive() || !::IsWindow(hWnd); };
    auto refind = [&](int nRow, DWORD_PTR dwCells) {
        const int nCount = GetItemCount();
        for (int d = 0; d < nCount + nRow; ++d)
        {
            if (nRow - d >= 0 && nRow - d < nCount && CListCtrl::GetItemData(nRow - d) == dwCells)
                return nRow - d;
            if (d > 0 && nRow + d < nCount && CListCtrl::GetItemData(nRow + d) == dwCells)
                return nRow + d;
        }
        return nRow - 1;   // gone: the row that took its place comes next
    };
    *pResult = 0;
    for (int i = 0; i < GetItemCount(); ++i)
    {
        const DWORD_PTR dwCells = CListCtrl::GetItemData(i);
        XLISTCTRLDATA* pCell = Cell(i, nSubItem);
        if (pCell == nullptr || pCell->nCheckedState == -1)
            continue;
        if (GetEnabled(i))
            SetCheckState(*pCell, nSubItem, nNew - 1);
        UpdateSubItem(i, nSubItem);
        XLISTCTRL_CELL cell = { i, nSubItem };
        if (hParent != nullptr)
            ::SendMessageA(hParent, WM_XLISTCTRL_HEADER_CHECK, (WPARAM)&cell, 0);
        if (gone())
            return TRUE;
        i = refind(i, dwCells);
        if (i >= 0 && CListCtrl::GetItemData(i) == dwCells)
        {
            if (HWND hTarget = NotifyTarget())
                ::SendMessageA(hTarget, WM_XLISTCTRL_CHECKBOX_CLICKED, (WPARAM)CellText(i, nSubItem), nNew - 1);
            if (gone())
                return TRUE;
            i = refind(i, dwCells);
        }
    }
    // Rows the parent deleted meanwhile refreshed the box from a half-set column: the click's
    // state stands (unchecked once no row is left), unless the parent took the box away.
    const int nNow = GetHeaderCheckedState(nSubItem);
    const int nFinal = GetItemCount() > 0 ? nNew : XHEADER_CHECK_UNCHECKED;
    if (nNow > XHEADER_CHECK_NONE && nNow != nFinal)
        SetHeaderCheckedState(nSubItem, nFinal);
    return TRUE;
}

BOOL CXListCtrl::OnDeleteItemNotify(NMHDR* pNMHDR, LRESULT*)
{
    // A row deleted past DeleteItem (LVM_DELETEITEM sent directly) still takes its cells along.
    NMLISTVIEW* pView = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    ReleaseCells(reinterpret_cast<CCellArray*>(pView->lParam));   // nothing unless the grid made it
    return FALSE;
}

int CXListCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    int nResult = CListCtrl::OnCreate(lpCreateStruct);
    if (nResult != -1)
        SubclassHeaderControl();
    return nResult;
}

void CXListCtrl::OnDestroy()
{
    for (int i = GetItemCount() - 1; i >= 0; --i)
        FreeCells(i);
    ReleaseAllCells();   // also arrays whose rows the host re-pointed through the base list
    if (m_bHeaderIsSubclassed)
    {
        ::SendMessageA(m_HeaderCtrl.m_hWnd, HDM_SETIMAGELIST, HDSIL_NORMAL, 0);
        m_bHeaderIsSubclassed = false;
    }
    m_cImageList.DeleteImageList();
    if (m_hBoldFont != nullptr)
        ::DeleteObject(m_hBoldFont);
    m_hBoldFont = nullptr;
    m_hBoldBase = nullptr;
    CListCtrl::OnDestroy();
}

LRESULT CXListCtrl::OnSysColorChange(WPARAM, LPARAM)
{
    ReadSysColors();
    if (m_bHeaderIsSubclassed)
    {
        m_HeaderCtrl.SendMessage(WM_SYSCOLORCHANGE);
        BuildHeaderImages();
        m_HeaderCtrl.SetImageList(&m_cImageList);
    }
    Default();
    Invalidate();
    return 0;
}

BEGIN_MESSAGE_MAP(CXListCtrl, CListCtrl)
    // void OnXxx(NMHDR* pNMHDR, LRESULT* pResult)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
    ON_NOTIFY_REFLECT(NM_CLICK, OnClick)
    ON_NOTIFY_REFLECT(LVN_GETDISPINFOA, OnGetDispInfo)
    ON_NOTIFY_REFLECT(LVN_GETDISPINFOW, OnGetDispInfo)
    // BOOL OnXxx(NMHDR* pNMHDR, LRESULT* pResult): FALSE lets the parent see it too
    ON_NOTIFY_REFLECT_EX(LVN_COLUMNCLICK, OnColumnClick)
    ON_NOTIFY_REFLECT_EX(LVN_DELETEITEM, OnDeleteItemNotify)
    // int OnCreate(LPCREATESTRUCT lpCreateStruct)
    ON_WM_CREATE()
    // void OnDestroy()
    ON_WM_DESTROY()
    // void OnLButtonDown(UINT nFlags, CPoint point)
    ON_WM_LBUTTONDOWN()
    // LRESULT OnSysColorChange(WPARAM, LPARAM)
    ON_MESSAGE(WM_SYSCOLORCHANGE, OnSysColorChange)
END_MESSAGE_MAP()
