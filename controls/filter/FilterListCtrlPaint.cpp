// CFilterListCtrl: painting. Rows are owner-drawn (DrawItem) or, with the custom-draw option on a
// list that is not owner-drawn, custom-drawn cell by cell (OnNMCustomdraw); both paint a cell the
// same way (PaintCell): its colours from the column text routine and the text-colour provider, the
// row colour options, the selection, the trend mark, the check box, the icon and the text. The
// background, the row height and the repaint after a column resize are here too.
#include "filter/FilterListCtrl.h"
#include "host/ControlBlock.h"
#include "lists/DigitGrouping.h"

#include <cmath>

namespace
{
const COLORREF kCheckedSortBack = RGB(64, 0, 64);
const COLORREF kGreyRowBack = RGB(220, 220, 220);
const COLORREF kMarkedText = RGB(245, 10, 10);
const COLORREF kSelectedFrom = 0xE17B52;
const COLORREF kSelectedTo = 0xFFA63C;
const COLORREF kSelectedNoFocus = 0x7E7E7E;
const COLORREF kWhite = RGB(255, 255, 255);
const int kTextInset = 3;
const int kIconSize = 14;
// Far more characters than the widest cell shows.
const int kMaxCellChars = 1024;

// A shaded fill through the host, or a solid one when the host has none.
void FillShade(CDC* pDC, const CRect& rc, COLORREF from, COLORREF to)
{
    if (!CControlBlock::Get()->CallFillShadeRect(pDC, rc, from, to))
        pDC->FillSolidRect(&rc, from);
}

// Contrast of two colours as the ratio of their relative luminances (1 = the same, 21 = black on
// white). Text on a background mark needs the contrast the web asks of large text (3); a text
// mark, whose colour is the mark itself, gives way only when it nearly vanishes (the default green
// on white, 1.37, stays).
const double kMinContrastOnMark = 3.0;
const double kMinContrastOfTextMark = 1.25;

double Luminance(COLORREF clr)
{
    auto channel = [](int v) {
        double c = v / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(GetRValue(clr)) + 0.7152 * channel(GetGValue(clr)) + 0.0722 * channel(GetBValue(clr));
}

double Contrast(COLORREF a, COLORREF b)
{
    double la = Luminance(a), lb = Luminance(b);
    return la > lb ? (la + 0.05) / (lb + 0.05) : (lb + 0.05) / (la + 0.05);
}

// Black or white, whichever stands out more on the background.
COLORREF ReadableOn(COLORREF clrBack)
{
    return Contrast(RGB(0, 0, 0), clrBack) >= Contrast(kWhite, clrBack) ? RGB(0, 0, 0) : kWhite;
}

bool IsPlainNumber(const CString& csText)
{
    if (csText.IsEmpty())
        return false;
    const char* p = csText;
    for (const char* pEnd = p + csText.GetLength(); p < pEnd; ++p)
    {
        if ((*p < '0' || *p > '9') && *p != '.' && *p != '-')
            return false;
    }
    return true;
}
}  // namespace

// --- geometry ------------------------------------------------------------------------------------

const std::vector<std::pair<int, int>>& CFilterListCtrl::CellEdges()
{
    if (m_bCellEdgesKnown)
        return m_cellEdges;
    m_cellEdges.clear();
    HWND hHeader = m_hWnd == nullptr ? nullptr
                   : m_HeaderCtrl.m_hWnd != nullptr ? m_HeaderCtrl.m_hWnd
                                                    : (HWND)::SendMessageA(m_hWnd, LVM_GETHEADER, 0, 0);
    int nItems = hHeader != nullptr ? (int)::SendMessageA(hHeader, HDM_GETITEMCOUNT, 0, 0) : 0;
    for (int h = 0; h < nItems; ++h)
    {
        // The header scrolls with the rows: its items are where the columns are.
        RECT rcItem = {};
        if (::SendMessageA(hHeader, HDM_GETITEMRECT, (WPARAM)h, (LPARAM)&rcItem))
            ::MapWindowPoints(hHeader, m_hWnd, (LPPOINT)&rcItem, 2);
        else
            rcItem.left = rcItem.right = 0;
        m_cellEdges.emplace_back((int)rcItem.left, (int)rcItem.right);
    }
    m_bCellEdgesKnown = true;
    return m_cellEdges;
}

bool CFilterListCtrl::GetCellRect(int nScreenRow, int nHeaderItem, CRect& rc)
{
    if (m_hWnd == nullptr || nScreenRow < 0 || nScreenRow >= m_nDisplayCount)
        return false;
    const std::vector<std::pair<int, int>>& edges = CellEdges();
    if (nHeaderItem < 0 || nHeaderItem >= (int)edges.size() || edges[(size_t)nHeaderItem].first >= edges[(size_t)nHeaderItem].second)
        return false;
    CRect rcRow;
    if (!RowRect(nScreenRow, rcRow))
        return false;
    rc.SetRect(edges[(size_t)nHeaderItem].first, rcRow.top, edges[(size_t)nHeaderItem].second, rcRow.bottom);
    return true;
}

// --- one cell ------------------------------------------------------------------------------------

void CFilterListCtrl::GetPaintState(sPaintState& state, bool bCustomDraw)
{
    state.clrText = GetTextColor();
    state.clrBack = GetBkColor();
    if (state.clrBack == CLR_NONE)
        state.clrBack = ::GetSysColor(COLOR_WINDOW);
    state.bFocus = ::GetFocus() == m_hWnd;
    state.bCustomDraw = bCustomDraw;
}

bool CFilterListCtrl::PaintCell(CDC* pDC, int nScreenRow, int nHeaderItem, const CRect& rcCell, bool bSelected,
                                const sPaintState& state)
{
    const bool bFocus = state.bFocus;
    const bool bCustomDraw = state.bCustomDraw;
    if (nScreenRow < 0 || nScreenRow >= m_nDisplayCount || m_nDisplayCount > m_arrDisplay.GetSize())
        return true;
    int m = m_arrDisplay[Mirror(nScreenRow)];
    if (m < 0 || m >= m_arrMap.GetSize() || m_arrMap[m] == nullptr)
        return true;
    // A copy: the host's routine and the colour provider may delete the record.
    const sColInfo record = *m_arrMap[m];
    const int nColumn = ColumnAtPosition(nHeaderItem);
    const unsigned nStamp = m_nRowChanges;

    CString csText;
    unsigned long clrText = (unsigned long)-1, clrBack = (unsigned long)-1;
    int nImage = -1;
    if (!HasDataDescriptor())
        csText = FILTER_NO_DESCRIPTOR_TEXT;
    else if (record.dwItemData != 0 && nColumn >= 0)
        GetColumnText(record.dwItemData, nColumn, csText, clrText, clrBack, nImage);

    // The provider may change the text colour (the keyword rules, or a host's own rule).
    if (m_pfnGetTextColor != nullptr && !m_bGroupedList)
    {
        COLORREF clr = (COLORREF)clrText;
        int nGiven = m_pTextColorTarget != nullptr
                         ? (m_pTextColorTarget->*m_pfnGetTextColor)(record.dwItemData, clr, nScreenRow, nColumn)
                         : CallTextColorProvider(record.dwItemData, clr, nScreenRow, nColumn);
        if (nGiven)
            clrText = clr;
    }

    COLORREF crText = clrText == (unsigned long)-1 ? state.clrText : (COLORREF)clrText;
    COLORREF crBack = state.clrBack;
    if (clrBack != (unsigned long)-1)
        crBack = (COLORREF)clrBack;
    else if (m_bAlternateRowColors)
        crBack = nScreenRow % 2 == 0 ? m_clrEvenRow : m_clrOddRow;
    else if (m_bGreyRows)
        crBack = kGreyRowBack;
    if (m_bSortOnChecked && record.nCheck)
        crBack = kCheckedSortBack;
    if (m_bMarkedText)
        crText = kMarkedText;

    // The colour the text is drawn on (the first colour of a shaded fill).
    COLORREF crUnder = crBack;
    if (bSelected)
    {
        if (bFocus && !bCustomDraw)
            FillShade(pDC, rcCell, kSelectedFrom, kSelectedTo);
        else
            pDC->FillSolidRect(&rcCell, bFocus ? kSelectedFrom : kSelectedNoFocus);
        crText = kWhite;
        crUnder = bFocus ? kSelectedFrom : kSelectedNoFocus;
    }
    else if (m_bMarkedText)
        crUnder = state.clrBack;
    else if (!m_bMarkedText)
    {
        if (m_bDrawShades)
            FillShade(pDC, rcCell, crBack, kWhite);
        else
            pDC->FillSolidRect(&rcCell, crBack);
    }

    // The trend mark, from the text as the routine gave it (not when the row under this screen
    // row may now be another one).
    const bool bRowsKept = nStamp == m_nRowChanges;
    if (nColumn >= 0 && bRowsKept)
    {
        COLORREF clrMark = ClassifyTrendCell(nScreenRow, nColumn, csText);
        if (clrMark != (COLORREF)-1)
        {
            if (!m_nTrendType)
                crText = clrMark;
            else
            {
                if (m_bDrawShades)
                    FillShade(pDC, rcCell, clrMark, kWhite);
                else
                    pDC->FillSolidRect(&rcCell, clrMark);
                crUnder = clrMark;
            }
            // A mark never makes the value unreadable.
            if (Contrast(crText, crUnder) < (m_nTrendType ? kMinContrastOnMark : kMinContrastOfTextMark))
                crText = ReadableOn(crUnder);
        }
    }

    // Images are clipped to the cell (the text clips itself).
    int nSaved = 0;
    CRect rcText = rcCell;

    // The row's check box, in the first header item.
    if (nHeaderItem == 0)
    {
        HIMAGELIST hState = (HIMAGELIST)::SendMessageA(m_hWnd, LVM_GETIMAGELIST, LVSIL_STATE, 0);
        if (hState != nullptr)
        {
            nSaved = pDC->SaveDC();
            pDC->IntersectClipRect(&rcCell);
            int cx = 0, cy = 0;
            ::ImageList_GetIconSize(hState, &cx, &cy);
            int nStateImage = record.nCheck ? 2 : 1;
            UINT nStyle = bSelected && bFocus ? ILD_SELECTED : ILD_NORMAL;
            ::ImageList_Draw(hState, nStateImage - 1, pDC->m_hDC, rcCell.left + 1,
                             rcCell.top + (rcCell.Height() - cy) / 2, nStyle);
            rcText.left += cx + 1;
        }
    }

    if (nImage != -1)
    {
        if (nSaved == 0)
        {
            nSaved = pDC->SaveDC();
            pDC->IntersectClipRect(&rcCell);
        }
        int nSize = rcText.Width() < kIconSize ? rcText.Width() / 2 : kIconSize;
        HICON hIcon = (HICON)(INT_PTR)nImage;
        if (nSize > 0 && ::DrawIconEx(pDC->m_hDC, rcText.left + kTextInset, rcText.top + (rcText.Height() - nSize) / 2,
                                      hIcon, nSize, nSize, 0, nullptr, DI_NORMAL))
            rcText.left += kTextInset + nSize;
        else
            csText = "Failed to draw icon";
    }

    // At most kMaxCellChars characters are grouped and drawn: a 1 MB text costs a cell no more
    // than a cell can show.
    const bool bGroup = nColumn >= 0 && nColumn < m_arrColInfo.GetSize() && m_arrColInfo[nColumn].nDataType == 2 &&
                        IsPlainNumber(csText);
    if (bGroup && csText.GetLength() <= kMaxCellChars)
        csText = GetCommaData(csText);
    else if (bGroup || csText.GetLength() > kMaxCellChars)
        csText = ListCellDisplayText(csText, bGroup, kMaxCellChars);

    UINT nFormat = DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX | DT_VCENTER;
    int nAlign = nColumn >= 0 && nColumn < m_arrColInfo.GetSize() ? (m_arrColInfo[nColumn].nFormat & LVCFMT_JUSTIFYMASK) : 0;
    if (nAlign == LVCFMT_RIGHT)
    {
        nFormat |= DT_RIGHT;
        rcText.right -= kTextInset;
    }
    else if (nAlign == LVCFMT_CENTER)
        nFormat |= DT_CENTER;
    else
        rcText.left += kTextInset;
    pDC->SetTextColor(crText);
    ::DrawTextA(pDC->m_hDC, csText, csText.GetLength(), &rcText, nFormat);
    if (nSaved != 0)
        pDC->RestoreDC(nSaved);
    return bRowsKept;
}

// --- owner draw and custom draw ------------------------------------------------------------------

void CFilterListCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (!m_bUseFilter)
    {
        CCommonListCtrl::DrawItem(lpDrawItemStruct);
        return;
    }
    if (lpDrawItemStruct == nullptr || lpDrawItemStruct->hDC == nullptr)
        return;
    int nRow = (int)lpDrawItemStruct->itemID;
    if (nRow < 0 || nRow >= m_nDisplayCount)
        return;
    CDC dc;
    dc.Attach(lpDrawItemStruct->hDC);
    int nSaved = dc.SaveDC();
    CFont* pFont = GetFont();
    if (pFont != nullptr)
        dc.SelectObject(pFont);
    bool bSelected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    sPaintState state;
    GetPaintState(state, false);
    dc.SetBkMode(TRANSPARENT);
    const CRect rcRow = lpDrawItemStruct->rcItem;
    // Cells outside what is being painted (scrolled out of the client area) are left out.
    RECT rcClip;
    if (::GetClipBox(lpDrawItemStruct->hDC, &rcClip) == NULLREGION || ::IsRectEmpty(&rcClip))
        rcClip = rcRow;
    const std::vector<std::pair<int, int>> edges = CellEdges();
    for (int h = 0; h < (int)edges.size(); ++h)
    {
        CRect rcCell(edges[(size_t)h].first, rcRow.top, edges[(size_t)h].second, rcRow.bottom);
        if (rcCell.right <= rcRow.left || rcCell.left >= rcRow.right || rcCell.IsRectEmpty() ||
            rcCell.right <= rcClip.left || rcCell.left >= rcClip.right)
            continue;
        if (!PaintCell(&dc, nRow, h, rcCell, bSelected, state))
        {
            // The rows moved under this one: it is painted again with the next repaint.
            if (m_hWnd != nullptr)
                InvalidateRect(&rcRow, FALSE);
            break;
        }
    }
    dc.RestoreDC(nSaved);
    dc.Detach();
}

void CFilterListCtrl::OnNMCustomdraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = CDRF_DODEFAULT;
    if (!m_bUseFilter || !m_bCustomDraw || (GetStyle() & LVS_OWNERDRAWFIXED) != 0)
        return;
    NMLVCUSTOMDRAW* pDraw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    switch (pDraw->nmcd.dwDrawStage)
    {
    case CDDS_PREPAINT:
        *pResult = CDRF_NOTIFYITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT:
        *pResult = CDRF_NOTIFYSUBITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
    {
        int nRow = (int)pDraw->nmcd.dwItemSpec;
        CRect rcCell;
        if (pDraw->nmcd.hdc == nullptr || !GetCellRect(nRow, pDraw->iSubItem, rcCell))
            return;
        bool bSelected = (GetItemState(nRow, LVIS_SELECTED) & LVIS_SELECTED) != 0;
        sPaintState state;
        GetPaintState(state, true);
        CDC dc;
        dc.Attach(pDraw->nmcd.hdc);
        int nSaved = dc.SaveDC();
        dc.SetBkMode(TRANSPARENT);
        PaintCell(&dc, nRow, pDraw->iSubItem, rcCell, bSelected, state);
        dc.RestoreDC(nSaved);
        dc.Detach();
        *pResult = CDRF_SKIPDEFAULT;
        return;
    }
    default:
        return;
    }
}

// --- background ----------------------------------------------------------------------------------

BOOL CFilterListCtrl::OnEraseBkgnd(CDC* pDC)
{
    if (pDC == nullptr)
        return FALSE;
    CRect rcClient;
    GetClientRect(&rcClient);
    if (m_bAlternateRowColors)
    {
        pDC->FillSolidRect(&rcClient, m_clrOddRow);
        int nTop = GetTopIndex();
        int nPerPage = GetCountPerPage();
        // The bands follow the rows: from the top row's rectangle, or below the header when there
        // are no rows.
        CRect rcFirst;
        int nHeight = 0;
        if (m_nDisplayCount > 0 && nTop >= 0 && nTop < m_nDisplayCount && GetItemRect(nTop, &rcFirst, LVIR_BOUNDS))
            nHeight = rcFirst.Height();
        else
        {
            MEASUREITEMSTRUCT mis = {};
            MeasureItem(&mis);
            nHeight = (int)mis.itemHeight;
            rcFirst.SetRect(rcClient.left, rcClient.top, rcClient.right, rcClient.top + nHeight);
            CHeaderCtrl* pHeader = GetHeaderCtrl();
            if (pHeader != nullptr && pHeader->IsWindowVisible())
            {
                CRect rcHeader;
                pHeader->GetWindowRect(&rcHeader);
                rcFirst.OffsetRect(0, rcHeader.Height());
            }
        }
        if (nHeight <= 0)
            return FALSE;
        for (int b = 0; b <= nPerPage + 1; ++b)
        {
            CRect rcBand(rcClient.left, rcFirst.top + b * nHeight, rcClient.right, rcFirst.top + (b + 1) * nHeight);
            if (rcBand.top >= rcClient.bottom)
                break;
            pDC->FillSolidRect(&rcBand, b % 2 == 0 ? m_clrEvenRow : m_clrOddRow);
        }
        return FALSE;
    }
    if (m_bEraseOutsideItems)
    {
        if (m_nDisplayCount <= 0)
            return CListCtrl::OnEraseBkgnd(pDC);
        int nTop = GetTopIndex();
        int nLast = nTop + GetCountPerPage();
        if (nLast > m_nDisplayCount - 1)
            nLast = m_nDisplayCount - 1;
        CRect rcTop, rcLast;
        COLORREF clrBack = GetBkColor();
        if (clrBack == CLR_NONE)
            clrBack = ::GetSysColor(COLOR_WINDOW);
        int nSaved = pDC->SaveDC();
        if (GetItemRect(nTop, &rcTop, LVIR_BOUNDS) && GetItemRect(nLast, &rcLast, LVIR_BOUNDS))
            ::ExcludeClipRect(pDC->m_hDC, rcTop.left, rcTop.top, rcTop.right, rcLast.bottom);
        if (m_bDrawShades)
            FillShade(pDC, rcClient, clrBack, kWhite);
        else
            pDC->FillSolidRect(&rcClient, clrBack);
        pDC->RestoreDC(nSaved);
        return TRUE;
    }
    return CCommonListCtrl::OnEraseBkgnd(pDC);
}

// --- row height, font, column resize --------------------------------------------------------------

void CFilterListCtrl::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct == nullptr)
        return;
    LOGFONTA lf = {};
    HFONT hFont = m_hWnd != nullptr ? (HFONT)::SendMessageA(m_hWnd, WM_GETFONT, 0, 0) : nullptr;
    if (hFont == nullptr)
        hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    ::GetObjectA(hFont, sizeof(lf), &lf);
    int nHeight = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
    int nLines = m_nLinesPerRow < 2 ? 1 : m_nLinesPerRow;
    lpMeasureItemStruct->itemHeight = (UINT)((nHeight + 4) * nLines);
}

LRESULT CFilterListCtrl::OnSetFont(WPARAM wParam, LPARAM lParam)
{
    // The platform takes the font, then the rows are measured again.
    return CCommonListCtrl::OnSetFont(wParam, lParam);
}

BOOL CFilterListCtrl::OnHdnEnddragList(UINT, NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (m_nLinesPerRow > 1 && m_hWnd != nullptr)
        Invalidate();
    return FALSE;   // the end of the resize goes on to whoever else wants it
}
