// CMultiLineListCtrl: drawing of the lines with their tree boxes and connectors, row height,
// clicks and activation, sorting by a header click, the context menu, the export, and the
// message map.
#include "market/MultiLineListCtrl.h"
#include "lists/DigitGrouping.h"
#include "lists/ListCommands.h"
#include "host/ControlBlock.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace
{
// A cell's text is drawn from at most this many characters: a cell never shows more, and the
// platform's text measuring grows with the text.
const int kMaxDrawnText = 1024;

bool IsGroupedType(int nDataType)
{
    return nDataType == LIST_SORT_INTEGER || nDataType == LIST_SORT_DECIMAL || nDataType == LIST_SORT_LONG ||
           nDataType == LIST_SORT_DECIMAL_5 || nDataType == LIST_SORT_DECIMAL_9;
}

bool KeyDown(int nVirtKey)
{
    return ::GetKeyState(nVirtKey) < 0;
}

// A cell's background: shaded towards white through the host when shades are on (solid when the
// host has no shading), solid otherwise and for selected lines.
void FillCell(CDC* pDC, const CRect& rc, COLORREF clr, bool bShade)
{
    if (!bShade || !CControlBlock::Get()->CallFillShadeRect(pDC, rc, clr, RGB(255, 255, 255)))
        pDC->FillSolidRect(&rc, clr);
}
}  // namespace

// --- drawing -------------------------------------------------------------------------------------

void CMultiLineListCtrl::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    LOGFONT lf = {};
    CFont* pFont = GetFont();
    if (pFont == nullptr || pFont->GetSafeHandle() == nullptr || !pFont->GetLogFont(&lf))
        ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    if (m_nLinesPerRow < 2)
        m_nLinesPerRow = 1;
    lpMeasureItemStruct->itemHeight = (UINT)((std::abs(lf.lfHeight) + 4) * m_nLinesPerRow);
}

void CMultiLineListCtrl::DrawLineTree(CDC* pDC, int x, int y, int nBottom, const sMultiLineColInfo* pRow, int nDistance)
{
    CPen solid(PS_SOLID, 1, m_clrGrid);
    CPen* pOld = pDC->SelectObject(&solid);
    if (nDistance == 0)
    {
        pDC->MoveTo(x, y + 2);
        pDC->LineTo(x + 8, y + 2);
        pDC->LineTo(x + 8, y + 10);
        pDC->LineTo(x, y + 10);
        pDC->LineTo(x, y + 2);
        pDC->MoveTo(x + 2, y + 6);
        pDC->LineTo(x + 7, y + 6);
        if (pRow->bOpen)
        {
            pDC->SelectObject(&m_penDotted);
            pDC->MoveTo(x + 4, y + 10);
            pDC->LineTo(x + 4, nBottom);
        }
        else
        {
            pDC->MoveTo(x + 4, y + 4);
            pDC->LineTo(x + 4, y + 9);
        }
    }
    else
    {
        pDC->SelectObject(&m_penDotted);
        bool bLast = nDistance >= pRow->nLineCount - 1;
        pDC->MoveTo(x + 4, y);
        pDC->LineTo(x + 4, bLast ? y + 6 : nBottom);
        pDC->MoveTo(x + 4, y + 6);
        pDC->LineTo(x + 10, y + 6);
    }
    pDC->SelectObject(pOld);
}

bool CMultiLineListCtrl::LabelRect(int nItem, int nPosition, const CRect& rcItem, CRect& rcLabel)
{
    if (nPosition < 0)
        return false;
    if (!m_bLabelEdgesKnown)
    {
        m_labelEdges.clear();
        m_nLabelPositions = -1;
        m_bLabelEdgesKnown = true;
    }
    // Filled in as positions are first asked for; a position the platform has no rectangle for
    // is remembered as empty.
    while ((int)m_labelEdges.size() <= nPosition)
    {
        const int p = (int)m_labelEdges.size();
        CRect rc;
        if (GetSubItemRect(nItem, p, LVIR_LABEL, rc))
            m_labelEdges.emplace_back(rc.left, rc.right);
        else
            m_labelEdges.emplace_back(0, -1);
        if (!m_bLabelEdgesKnown)
            return GetSubItemRect(nItem, nPosition, LVIR_LABEL, rcLabel) != FALSE;
    }
    const std::pair<int, int>& edge = m_labelEdges[(size_t)nPosition];
    if (edge.second < edge.first)
        return false;
    rcLabel.SetRect(edge.first, rcItem.top, edge.second, rcItem.bottom);
    return true;
}

int CMultiLineListCtrl::LabelPositions(CHeaderCtrl* pHeader)
{
    if (!m_bLabelEdgesKnown)
    {
        m_labelEdges.clear();
        m_bLabelEdgesKnown = true;
        m_nLabelPositions = -1;
    }
    if (m_nLabelPositions < 0)
        m_nLabelPositions = pHeader->GetItemCount();
    return m_nLabelPositions;
}

void CMultiLineListCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (!m_bUseFilter)
    {
        CCommonListCtrl::DrawItem(lpDrawItemStruct);
        return;
    }
    if (!HasDataDescriptor())
    {
        CWnd* pOwner = GetOwnerWnd() ? GetOwnerWnd() : GetParent();
        if (pOwner != nullptr)
            pOwner->SendMessage(WM_DRAWITEM, (WPARAM)GetDlgCtrlID(), (LPARAM)lpDrawItemStruct);
        return;
    }
    const int nItem = (int)lpDrawItemStruct->itemID;
    int d = 0;
    sMultiLineColInfo* pRow = nItem < GetVisibleCountEx() ? RowOfLine(nItem, &d) : nullptr;
    if (pRow == nullptr || d > pRow->nLineCount)
        return;
    if (m_arrColPosition.GetSize() == 0 || m_arrColPosition[0] != 0)
        return;
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (pHeader == nullptr)
        return;
    // Copied: the host may delete the row from its text routine while the line is drawn.
    const sMultiLineColInfo row = *pRow;
    const unsigned nGeneration = m_nGeneration;
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    const CRect rcItem(lpDrawItemStruct->rcItem);
    const bool bSelected = (GetItemState(nItem, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    COLORREF clrListText = GetTextColor(), clrListBack = GetBkColor();
    if (clrListText == CLR_NONE || clrListText == CLR_DEFAULT)
        clrListText = ::GetSysColor(COLOR_WINDOWTEXT);
    if (clrListBack == CLR_NONE || clrListBack == CLR_DEFAULT)
        clrListBack = ::GetSysColor(COLOR_WINDOW);
    const COLORREF clrHiText = ::GetSysColor(COLOR_HIGHLIGHTTEXT), clrHiBack = ::GetSysColor(COLOR_HIGHLIGHT);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const int nPositions = LabelPositions(pHeader);
    for (int p = 0; p < nPositions; ++p)
    {
        const int nColumn = ColumnAtPosition(p);
        if (nColumn < 0 || nColumn >= m_arrColInfo.GetSize())
            continue;
        CString text;
        unsigned long clrText = clrListText, clrBack = clrListBack;
        int nImage = -1;
        if (row.dwItemValue != 0 && !GetColumnText(row.dwItemValue, nColumn, text, clrText, clrBack, nImage, d))
            break;
        if (m_nGeneration != nGeneration || !::IsWindow(lpDrawItemStruct->hwndItem))
            break;
        if (clrText == (unsigned long)-1)
            clrText = clrListText;
        if (clrBack == (unsigned long)-1)
            clrBack = clrListBack;
        CRect rcLabel;
        if (!LabelRect(nItem, p, rcItem, rcLabel))
            continue;
        COLORREF clrFill = bSelected ? clrHiBack : (COLORREF)clrBack;
        pDC->SetTextColor(bSelected ? clrHiText : (COLORREF)clrText);
        if (p == 0)
        {
            CRect rcFill = rcItem;
            rcFill.left = rcLabel.left;
            FillCell(pDC, rcFill, clrFill, m_bDrawShades && !bSelected);
            int x = rcLabel.left + 2;
            if (d > 0 || row.nLineCount > 1)
            {
                DrawLineTree(pDC, x, rcItem.top, rcItem.bottom, &row, d);
                x += MULTILINE_TREE_INDENT;
            }
            rcLabel.left = x;
            CImageList* pImages = GetImageList(LVSIL_SMALL);
            if (nImage >= 0 && pImages != nullptr && pImages->GetSafeHandle() != nullptr)
            {
                int cx = 0, cy = 0;
                ::ImageList_GetIconSize(pImages->GetSafeHandle(), &cx, &cy);
                int top = rcItem.top + (rcItem.Height() - cy) / 2;
                ::ImageList_Draw(pImages->GetSafeHandle(), nImage, pDC->GetSafeHdc(), rcLabel.left,
                                 top > rcItem.top ? top : rcItem.top, ILD_TRANSPARENT);
                rcLabel.left += cx;
            }
            CImageList* pStates = GetImageList(LVSIL_STATE);
            if ((GetExtendedStyle() & LVS_EX_CHECKBOXES) && pStates != nullptr && pStates->GetSafeHandle() != nullptr)
            {
                int cx = 0, cy = 0;
                ::ImageList_GetIconSize(pStates->GetSafeHandle(), &cx, &cy);
                int top = rcItem.top + (rcItem.Height() - cy) / 2;
                ::ImageList_Draw(pStates->GetSafeHandle(), row.nCheck ? 1 : 0, pDC->GetSafeHdc(), rcLabel.left,
                                 top > rcItem.top ? top : rcItem.top, ILD_TRANSPARENT);
                rcLabel.left += cx;
            }
        }
        else
            FillCell(pDC, rcLabel, clrFill, m_bDrawShades && !bSelected);
        if (text.GetLength() > kMaxDrawnText)
            text = text.Left(kMaxDrawnText);
        if (IsGroupedType(m_arrColInfo[nColumn].nDataType))
            text = ListGroupThousands(text);
        if (d > 0)
            text = "   " + text;
        const int nFormat = m_arrColInfo[nColumn].nFormat;
        if (nFormat == MULTILINE_ICON_FORMAT)
        {
            CRect rcIcon(rcLabel.right - 30, rcItem.top, rcLabel.right, rcItem.bottom);
            if (nImage == -1 || !::DrawIconEx(pDC->GetSafeHdc(), rcIcon.left, rcIcon.top, (HICON)(INT_PTR)nImage, 30,
                                              rcIcon.Height(), 0, nullptr, DI_NORMAL))
                pDC->DrawText(MULTILINE_ICON_FAILED_TEXT, -1, &rcLabel,
                              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
            continue;
        }
        UINT nAlign = DT_CENTER;
        if (nFormat == LVCFMT_LEFT)
        {
            rcLabel.left += 3;
            nAlign = DT_LEFT;
        }
        else if (nFormat == LVCFMT_RIGHT)
        {
            rcLabel.right -= 3;
            nAlign = DT_RIGHT;
        }
        pDC->DrawText(text, &rcLabel, nAlign | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    if (::IsWindow(lpDrawItemStruct->hwndItem))
        pDC->SetBkMode(nOldMode);
}

// --- clicks --------------------------------------------------------------------------------------

BOOL CMultiLineListCtrl::OnNMClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (!m_bUseFilter || m_bSingleSelection)
        return FALSE;
    NMITEMACTIVATE* pClick = reinterpret_cast<NMITEMACTIVATE*>(pNMHDR);
    LVHITTESTINFO hit = {};
    hit.pt = pClick->ptAction;
    int nItem = HitTest(&hit);
    // The platform finishes the click after this notification (a click on a selected line
    // selects it alone again), so the block is applied once it is done.
    if (nItem >= 0 && nItem < GetVisibleCountEx())
        PostMessage(WM_MULTILINE_APPLYCLICK, (WPARAM)nItem, KeyDown(VK_CONTROL) ? 1 : 0);
    return FALSE;
}

LRESULT CMultiLineListCtrl::OnApplyClick(WPARAM wParam, LPARAM lParam)
{
    ApplyClick((int)wParam, lParam != 0);
    return 0;
}

BOOL CMultiLineListCtrl::OnActivate(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (!m_bUseFilter)
        return FALSE;
    int nItem = reinterpret_cast<NMITEMACTIVATE*>(pNMHDR)->iItem;
    // One double-click toggles a row once: the toggle sets the guard, the double-click clears it.
    if (IsRowParent(nItem) && !m_bActivateGuard)
    {
        m_bActivateGuard = true;
        OpenCloseRow(nItem);
    }
    return FALSE;
}

BOOL CMultiLineListCtrl::OnDblClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (!KeyDown(VK_CONTROL) && !KeyDown(VK_SHIFT) && !KeyDown(VK_MENU))
        m_bActivateGuard = false;
    return FALSE;
}

// --- sorting -------------------------------------------------------------------------------------

void CMultiLineListCtrl::OnLvnColumnclick(NMHDR* pNMHDR, LRESULT* pResult)
{
    if (!m_bUseFilter)
    {
        CCommonListCtrl::OnLvnColumnclick(pNMHDR, pResult);
        return;
    }
    *pResult = 0;
    int nPosition = reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem;
    int nColumn = ColumnAtPosition(nPosition);
    if (nColumn < 0 || m_arrColInfo[nColumn].nDataType == LIST_SORT_NONE || m_nShownRows == 0)
        return;
    int nOrder = nPosition == m_nSortColumn ? -m_nSortOrder : -1;
    SortOn(nColumn, nOrder == -1 ? 1 : 0);
}

int CMultiLineListCtrl::SortOn(int nColumn, int nOrder)
{
    if (!m_bUseFilter)
        return CCommonListCtrl::SortOn(nColumn, nOrder);
    if (nColumn < 0 || nColumn >= m_arrColInfo.GetSize())
        return 1;
    int nPosition = HeaderPositionOf(nColumn);
    if (nPosition < 0)
        nPosition = 0;
    const int nPrevious = m_nSortColumn;
    m_nPrevSortColumn = nPrevious;
    m_nSortColumn = nPosition;
    m_nSortOrder = nOrder == 1 ? -1 : 1;
    m_nSortDataType = m_arrColInfo[nColumn].nDataType;
    SetHeaderSortImage(nPosition, m_nSortOrder == 1 ? 1 : 0);
    if (nPrevious != nPosition && nPrevious >= 0)
        SetHeaderSortImage(nPrevious, 2);

    std::vector<sSavedSelection> saved = SaveSelection();
    // Every row closes first.
    for (INT_PTR i = 0; i < m_arrRows.GetSize(); ++i)
        m_arrRows[i]->bOpen = false;
    std::vector<sMultiLineColInfo*> rows;
    std::vector<CString> texts;
    const HWND hWnd = m_hWnd;
    for (int nAttempt = 0; nAttempt < 3; ++nAttempt)
    {
        rows.clear();
        for (INT_PTR i = 0; i < m_arrLines.GetSize(); ++i)
            if (m_arrLines[i] > 0)
                rows.push_back(reinterpret_cast<sMultiLineColInfo*>(m_arrLines[i]));
        if (m_bReverseDisplay)
            std::reverse(rows.begin(), rows.end());
        texts.assign(rows.size(), CString());
        const unsigned nGeneration = m_nGeneration;
        bool bChanged = false;
        for (size_t k = 0; k < rows.size() && !bChanged; ++k)
        {
            unsigned long clrText = (unsigned long)-1, clrBack = (unsigned long)-1;
            int nImage = -1;
            if (rows[k]->dwItemValue != 0)
                GetColumnText(rows[k]->dwItemValue, nColumn, texts[k], clrText, clrBack, nImage, 0);
            bChanged = m_nGeneration != nGeneration;
        }
        if (!bChanged)
            break;
        // The host destroyed the list from inside its routine: nothing more is asked or touched.
        if (!IsLiveList(this) || (hWnd != nullptr && !::IsWindow(hWnd)))
            return 1;
        // The host changed the rows while their texts were read: read them again; after the
        // last attempt the rows keep their order.
        if (nAttempt == 2)
            texts.assign(rows.size(), CString());
    }
    std::vector<size_t> order(rows.size());
    for (size_t k = 0; k < order.size(); ++k)
        order[k] = k;
    const int nDataType = m_nSortDataType, nSortOrder = m_nSortOrder;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return ListCompareTexts(texts[a], texts[b], nDataType, nSortOrder) < 0;
    });
    m_arrLines.SetSize((INT_PTR)rows.size());
    for (size_t k = 0; k < order.size(); ++k)
    {
        size_t at = m_bReverseDisplay ? order.size() - 1 - k : k;
        m_arrLines[(INT_PTR)at] = (INT_PTR)rows[order[k]];
    }
    m_nShownRows = (int)rows.size();
    m_nChildLines = 0;
    Changed();
    SyncPlatformCount();
    RestoreSelection(saved);
    if (m_hWnd != nullptr)
        Invalidate();
    return 1;
}

// --- menu and commands ---------------------------------------------------------------------------

void CMultiLineListCtrl::ShowMenu(CPoint point)
{
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    if (m_bColumnProfile)
    {
        menu.AppendMenu(MF_STRING, ID_LIST_REPOSITION_COLUMNS, "Reposition Columns");
        menu.AppendMenu(MF_STRING, ID_LIST_FIT_TO_DATA, "Fit to Data");
    }
    else
        menu.AppendMenu(MF_STRING, ID_LIST_FIT_TO_DATA, "Fit To Data");
    menu.AppendMenu(MF_STRING, ID_LIST_FIT_TO_HEADER, "Fit to Header");
    menu.AppendMenu(MF_STRING, ID_LIST_FIT_TO_WINDOW, "Fit to Window");
    menu.AppendMenu(MF_STRING, ID_MULTILINE_RESET_FILTERS, "Reset Filters");
    if (m_bShowCustomColumns && m_bUseFilter)
    {
        menu.AppendMenu(MF_STRING, ID_MULTILINE_ADD_CUSTOM, "Add Custom Columns");
        menu.AppendMenu(MF_STRING, ID_MULTILINE_DELETE_CUSTOM, "Delete Custom Columns");
        menu.AppendMenu(MF_STRING, ID_LIST_EDIT_CUSTOM_COLUMNS, "Edit Custom Columns");
    }
    HWND hSelf = m_hWnd;
    UINT nCmd = (UINT)menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, point.x, point.y, this);
    if (nCmd != 0 && ::IsWindow(hSelf))
        SendMessage(WM_COMMAND, MAKEWPARAM(nCmd, 0), 0);
}

void CMultiLineListCtrl::OnContextMenu(CWnd*, CPoint point)
{
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    if (point.x == -1 && point.y == -1)
        point = rcWindow.TopLeft();   // from the keyboard
    if (!rcWindow.PtInRect(point))
        return;
    ShowMenu(point);
}

BOOL CMultiLineListCtrl::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CCommonListCtrl::OnCommand(wParam, lParam))
        return TRUE;
    // Menu commands neither this list nor its base handles (adding and deleting custom columns)
    // belong to the host.
    return PassMenuCommandToOwner(*this, wParam, lParam);
}

BOOL CMultiLineListCtrl::PreTranslateMessage(MSG* pMsg)
{
    // The export keys reach this list's own export, not the base list's.
    if (m_bUseFilter && pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd && KeyDown(VK_SHIFT) &&
        !KeyDown(VK_CONTROL))
    {
        if (pMsg->wParam == 'E' && m_bEnableWriteExcel)
        {
            WriteToExcel(ID_LIST_WRITE_TO_EXCEL);
            return TRUE;
        }
        if (pMsg->wParam == 'D' && m_bEnableWriteFile)
        {
            WriteToExcel(ID_LIST_WRITE_TO_FILE);
            return TRUE;
        }
    }
    return CCommonListCtrl::PreTranslateMessage(pMsg);
}

// --- export --------------------------------------------------------------------------------------

namespace
{
// Row 0 is the heading; row r the line r - 1 as shown (child lines with their three spaces).
int MultiLineExportText(void* pContext, int nRow, int nColumn, CString& csText, int& nType)
{
    const sListExportSource& src = *static_cast<const sListExportSource*>(pContext);
    if (!IsExportSourceLive(src))
        return 0;
    CMultiLineListCtrl& list = *static_cast<CMultiLineListCtrl*>(src.pList);
    if (nRow > 0)
    {
        // Lines the host deleted meanwhile come out empty.
        csText = nRow - 1 < list.GetVisibleCountEx() ? list.GetItemText(nRow - 1, nColumn) : CString();
        nType = -1;
        return 1;
    }
    csText = ReadHeadingText(list.GetHeaderCtrl(), nColumn);
    int nIndex = list.ColumnAtPosition(nColumn);
    if (nIndex >= 0 && nIndex < list.m_arrColInfo.GetSize())
        nType = list.m_arrColInfo[nIndex].nDataType;
    return 1;
}
}  // namespace

void CMultiLineListCtrl::WriteToExcel(UINT nID)
{
    if (!m_bUseFilter)
    {
        CCommonListCtrl::WriteToExcel(nID);
        return;
    }
    RunListExport(*this, nID, GetVisibleCountEx(), &MultiLineExportText);
}

// --- message map ---------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CMultiLineListCtrl, CCommonListCtrl)
    // BOOL OnFilterChange(UINT nID, NMHDR* pNMHDR, LRESULT* pResult)
    ON_NOTIFY_EX_RANGE(HDN_FILTERCHANGE, 0, 0xFFFF, OnFilterChange)
    // BOOL OnFilterButtonClicked(UINT nID, NMHDR* pNMHDR, LRESULT* pResult)
    ON_NOTIFY_EX_RANGE(HDN_FILTERBTNCLICK, 0, 0xFFFF, OnFilterButtonClicked)
    // void OnLvnGetdispinfo(NMHDR* pNMHDR, LRESULT* pResult)
    ON_NOTIFY_REFLECT(LVN_GETDISPINFOA, OnLvnGetdispinfo)
    ON_NOTIFY_REFLECT(LVN_GETDISPINFOW, OnLvnGetdispinfo)
    // BOOL OnNMClick(NMHDR* pNMHDR, LRESULT* pResult): FALSE, the parent sees the click too
    ON_NOTIFY_REFLECT_EX(NM_CLICK, OnNMClick)
    // LRESULT OnApplyClick(WPARAM nItem, LPARAM bCtrl)
    ON_MESSAGE(WM_MULTILINE_APPLYCLICK, OnApplyClick)
    ON_NOTIFY_REFLECT_EX(LVN_ITEMACTIVATE, OnActivate)
    ON_NOTIFY_REFLECT_EX(NM_DBLCLK, OnDblClick)
    // void OnContextMenu(CWnd* pWnd, CPoint point)
    ON_WM_CONTEXTMENU()
    ON_COMMAND(ID_MULTILINE_RESET_FILTERS, OnOptionResetFilter)
    // void OnWriteToExcel(UINT nID)
    ON_COMMAND_RANGE(ID_LIST_WRITE_TO_EXCEL, ID_LIST_WRITE_TO_FILE, OnWriteToExcel)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    // void OnTimer(UINT_PTR nIDEvent)
    ON_WM_TIMER()
    ON_WM_MEASUREITEM_REFLECT()
END_MESSAGE_MAP()
