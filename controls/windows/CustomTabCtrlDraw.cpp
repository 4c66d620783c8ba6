// The tab strip's drawing: themed tab backgrounds when visual styles are on, plain colours
// otherwise; outlines from the tabs' regions, bold text on the selected tab, the buttons with
// their glyphs and the drop marker of a drag. Painted off-screen, then copied in one blit.
#include "windows/CustomTabCtrl.h"

#include <algorithm>

namespace
{
// Parts and states of the "TAB" theme class.
const int TABP_TABITEM_PART = 1;
const int TIS_NORMAL_STATE = 1;
const int TIS_HOT_STATE = 2;
const int TIS_SELECTED_STATE = 3;
// Size of the themed backgrounds along the strip; they are stretched to each tab.
const int kBackgroundLength = 64;

// Glyphs in the glyph bitmap.
enum { GLYPH_FIRST, GLYPH_PREV, GLYPH_NEXT, GLYPH_LAST, GLYPH_CLOSE, GLYPH_DROP };

COLORREF Blend(COLORREF a, COLORREF b, int nPercentB)
{
    const int pa = 100 - nPercentB;
    return RGB((GetRValue(a) * pa + GetRValue(b) * nPercentB) / 100, (GetGValue(a) * pa + GetGValue(b) * nPercentB) / 100,
               (GetBValue(a) * pa + GetBValue(b) * nPercentB) / 100);
}
}  // namespace

void CCustomTabCtrl::RebuildThemeBackgrounds()
{
    m_theme.CloseThemeData();
    m_bmpBkNormal.DeleteObject();
    m_bmpBkSelected.DeleteObject();
    m_bThemed = FALSE;
    if (m_hWnd == nullptr || !m_theme.OpenThemeData(m_hWnd, L"TAB"))
        return;
    // The backgrounds are drawn at the strip's thickness, in the strip's direction.
    CRect rc;
    GetClientRect(&rc);
    const BOOL bVertical = IsVertical();
    const int nThickness = std::max(4, (int)(bVertical ? rc.Width() : rc.Height()));
    const CRect rcBack = bVertical ? CRect(0, 0, nThickness, kBackgroundLength) : CRect(0, 0, kBackgroundLength, nThickness);
    CClientDC dcWindow(this);
    CDC dc;
    dc.CreateCompatibleDC(&dcWindow);
    bool bDrawn = true;
    for (int pass = 0; pass < 2; ++pass)
    {
        CBitmap& bmp = pass == 0 ? m_bmpBkNormal : m_bmpBkSelected;
        bmp.CreateCompatibleBitmap(&dcWindow, rcBack.Width(), rcBack.Height());
        CBitmap* pOld = dc.SelectObject(&bmp);
        dc.FillSolidRect(&rcBack, ::GetSysColor(COLOR_BTNFACE));
        bDrawn = m_theme.DrawThemePart(dc.m_hDC, TABP_TABITEM_PART, pass == 0 ? TIS_NORMAL_STATE : TIS_SELECTED_STATE,
                                       &rcBack) != 0 && bDrawn;
        dc.SelectObject(pOld);
    }
    m_bThemed = bDrawn;
    if (!m_bThemed)
    {
        m_bmpBkNormal.DeleteObject();
        m_bmpBkSelected.DeleteObject();
    }
}

BOOL CCustomTabCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;   // everything is painted in OnPaint
}

void CCustomTabCtrl::OnPaint()
{
    m_bRedrawQueued = false;
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    if (rc.IsRectEmpty())
        return;
    CDC mem;
    mem.CreateCompatibleDC(&dc);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&dc, rc.Width(), rc.Height());
    CBitmap* pOld = mem.SelectObject(&bmp);
    Draw(mem);
    dc.BitBlt(0, 0, rc.Width(), rc.Height(), &mem, 0, 0, SRCCOPY);
    mem.SelectObject(pOld);
}

LRESULT CCustomTabCtrl::OnPrintClient(WPARAM wParam, LPARAM)
{
    CDC dc;
    dc.Attach((HDC)wParam);
    Draw(dc);
    dc.Detach();
    return 0;
}

void CCustomTabCtrl::Draw(CDC& dc)
{
    EnsureLayout();
    CRect rc;
    GetClientRect(&rc);
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    dc.FillSolidRect(&rc, clrFace);

    // The line along which the tabs hang from the window they belong to.
    const DWORD dwStyle = GetStyle();
    const int H = Geometry().Thickness();
    const int nEdge = (dwStyle & CTCS_TOP) ? H - 2 : 0;
    dc.FillSolidRect(ToClient(CRect(0, nEdge, Geometry().Length(), nEdge + 1)), clrShadow);

    const int nSaved = dc.SaveDC();
    CRect rcItems = ToClient(CRect(0, 0, Geometry().ItemAreaRight(), H));
    dc.IntersectClipRect(&rcItems);
    dc.SetBkMode(TRANSPARENT);
    // Later tabs lie under earlier ones; the selected tab lies on top of all. An empty strip (before
    // the first insert, after the last tab went) draws only its edge and buttons.
    const int nCount = std::min(GetItemCount(), Geometry().GetCount());
    if (nCount > 0)
    {
        const int nFirst = std::min(Geometry().FirstVisible(), nCount - 1);
        int nLast = nFirst;
        while (nLast + 1 < nCount && Geometry().ItemRect(nLast + 1).left < Geometry().ItemAreaRight())
            ++nLast;
        for (int i = nLast; i >= std::max(0, nFirst - 1); --i)
        {
            if (i != m_nItemSelected)
                DrawItem(dc, i);
        }
        if (IsValidIndex(m_nItemSelected) && m_nItemSelected >= nFirst - 1 && m_nItemSelected <= nLast)
            DrawItem(dc, m_nItemSelected);
        if (m_bDragging)
            DrawDropMarker(dc);
    }
    dc.RestoreDC(nSaved);

    for (int nButton = CTCHT_ONFIRSTBUTTON; nButton >= CTCHT_ONCLOSEBUTTON; --nButton)
    {
        if (Geometry().IsButtonShown(nButton))
            DrawButton(dc, nButton, GetButtonState(nButton));
    }
}

void CCustomTabCtrl::DrawItem(CDC& dc, int nItem)
{
    CCustomTabCtrlItem* pItem = m_aItems[nItem];
    CPoint pts[4];
    Geometry().Outline(nItem, pts);
    if (IsVertical())
    {
        for (CPoint& pt : pts)
            pt = CPoint(pt.y, pt.x);
    }
    if (!pItem->m_bShape)
    {
        pItem->m_rgn.DeleteObject();
        pItem->m_rgn.Attach(::CreatePolygonRgn(pts, 4, WINDING));
        pItem->m_bShape = true;
    }
    const bool bSelected = nItem == m_nItemSelected;
    const bool bHighlighted = pItem->m_bHighlighted && !bSelected;
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF clrWindow = ::GetSysColor(COLOR_WINDOW);
    const COLORREF clrHighlight = ::GetSysColor(COLOR_HIGHLIGHT);

    // Background.
    CBitmap& bmpBack = bSelected ? m_bmpBkSelected : m_bmpBkNormal;
    if (m_bThemed && bmpBack.m_hObject != nullptr)
    {
        const int nSaved = dc.SaveDC();
        ::ExtSelectClipRgn(dc.m_hDC, (HRGN)pItem->m_rgn.m_hObject, RGN_AND);
        const CRect& r = pItem->m_rect;
        if (bHighlighted)
        {
            // Highlighted tabs look hot; drawn by the theme itself, they are few.
            m_theme.DrawThemePart(dc.m_hDC, TABP_TABITEM_PART, TIS_HOT_STATE, &r);
        }
        else
        {
            CDC src;
            src.CreateCompatibleDC(&dc);
            BITMAP bm;
            bmpBack.GetBitmap(&bm);
            CBitmap* pOld = src.SelectObject(&bmpBack);
            ::SetStretchBltMode(dc.m_hDC, HALFTONE);
            dc.StretchBlt(r.left, r.top, r.Width(), r.Height(), &src, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
            src.SelectObject(pOld);
        }
        dc.RestoreDC(nSaved);
    }
    else
    {
        CBrush brush(bSelected ? clrWindow : bHighlighted ? Blend(clrFace, clrHighlight, 30) : clrFace);
        ::FillRgn(dc.m_hDC, (HRGN)pItem->m_rgn.m_hObject, (HBRUSH)brush.m_hObject);
    }

    // Outline: the slanted sides and the narrow edge; the selected tab stays open to its window.
    CPen pen(PS_SOLID, 1, ::GetSysColor(COLOR_3DDKSHADOW));
    CPen* pOldPen = dc.SelectObject(&pen);
    dc.MoveTo(pts[0]);
    dc.LineTo(pts[3]);
    dc.LineTo(pts[2]);
    dc.LineTo(pts[1]);
    if (!bSelected)
    {
        CPen penEdge(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
        dc.SelectObject(&penEdge);
        dc.MoveTo(pts[0]);
        dc.LineTo(pts[1]);
        dc.SelectObject(&pen);
    }
    dc.SelectObject(pOldPen);

    // Text (the rename edit covers it while open).
    if (nItem == m_nRenameItem)
        return;
    dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    CRect rcText = pItem->m_rectText;
    if (IsVertical())
    {
        CFont* pOldFont = dc.SelectObject(bSelected ? &m_FontSelectedVertical : &m_FontVertical);
        TEXTMETRICA tm;
        dc.GetTextMetrics(&tm);
        const CSize size = dc.GetTextExtent(pItem->m_sText);
        // Turned a quarter clockwise: the text's top faces right.
        const int x = rcText.right - std::max(0, ((int)rcText.Width() - (int)tm.tmHeight) / 2);
        const int y = rcText.top + std::max(0, ((int)rcText.Height() - (int)size.cx) / 2);
        const int nSavedText = dc.SaveDC();
        dc.IntersectClipRect(&rcText);
        dc.TextOut(x, y, pItem->m_sText);
        dc.RestoreDC(nSavedText);
        dc.SelectObject(pOldFont);
    }
    else
    {
        CFont* pOldFont = dc.SelectObject(bSelected ? &m_FontSelected : &m_Font);
        dc.DrawText(pItem->m_sText, &rcText, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        dc.SelectObject(pOldFont);
    }
}

void CCustomTabCtrl::DrawButton(CDC& dc, int nButton, int nState)
{
    CRect rc = ToClient(Geometry().ButtonRect(nButton));
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    dc.FillSolidRect(&rc, nState == 2 ? Blend(clrFace, ::GetSysColor(COLOR_HIGHLIGHT), 20) : clrFace);
    if (nState == 3)
        dc.DrawEdge(&rc, BDR_SUNKENOUTER, BF_RECT);
    else if (nState == 2)
        dc.DrawEdge(&rc, BDR_RAISEDINNER, BF_RECT);
    int nGlyph = GLYPH_CLOSE;
    switch (nButton)
    {
    case CTCHT_ONFIRSTBUTTON: nGlyph = GLYPH_FIRST; break;
    case CTCHT_ONPREVBUTTON: nGlyph = GLYPH_PREV; break;
    case CTCHT_ONNEXTBUTTON: nGlyph = GLYPH_NEXT; break;
    case CTCHT_ONLASTBUTTON: nGlyph = GLYPH_LAST; break;
    default: break;
    }
    // Buttons that cannot scroll further are drawn greyed.
    bool bEnabled = true;
    if (nButton == CTCHT_ONFIRSTBUTTON || nButton == CTCHT_ONPREVBUTTON)
        bEnabled = Geometry().FirstVisible() > 0;
    else if (nButton == CTCHT_ONNEXTBUTTON || nButton == CTCHT_ONLASTBUTTON)
        bEnabled = Geometry().FirstVisible() < Geometry().MaxFirstVisible();
    if (nState == 3)
        rc.OffsetRect(1, 1);
    DrawGlyph(dc, nGlyph, rc, ::GetSysColor(bEnabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
}

void CCustomTabCtrl::DrawGlyph(CDC& dc, int nGlyph, const CRect& rect, COLORREF clr)
{
    const int x = rect.left + (rect.Width() - 8) / 2;
    const int y = rect.top + (rect.Height() - 7) / 2;
    if (IsVertical() || !m_bBitsGlyphs)
    {
        // Read the bitmap's bits and draw them turned (arrows then point up and down).
        BYTE bits[7 * 6] = {};
        ::GetBitmapBits((HBITMAP)m_bmpGlyphsMono.m_hObject, sizeof(bits), bits);
        const bool bTurn = IsVertical();
        const int gx = rect.left + (rect.Width() - (bTurn ? 7 : 8)) / 2;
        const int gy = rect.top + (rect.Height() - (bTurn ? 8 : 7)) / 2;
        for (int row = 0; row < 7; ++row)
        {
            for (int col = 0; col < 8; ++col)
            {
                const int bit = nGlyph * 8 + col;
                if (bits[row * 6 + bit / 8] & (0x80 >> (bit % 8)))
                    dc.FillSolidRect(bTurn ? gx + row : gx + col, bTurn ? gy + col : gy + row, 1, 1, clr);
            }
        }
        return;
    }
    // Monochrome source: 1 bits take the background colour, 0 bits the text colour. First cut
    // the glyph's pixels to black, then paint them in the glyph's colour.
    CDC src;
    src.CreateCompatibleDC(&dc);
    CBitmap* pOld = src.SelectObject(&m_bmpGlyphsMono);
    const COLORREF clrOldText = dc.SetTextColor(RGB(255, 255, 255));
    const COLORREF clrOldBk = dc.SetBkColor(RGB(0, 0, 0));
    dc.BitBlt(x, y, 8, 7, &src, nGlyph * 8, 0, SRCAND);
    dc.SetTextColor(RGB(0, 0, 0));
    dc.SetBkColor(clr);
    dc.BitBlt(x, y, 8, 7, &src, nGlyph * 8, 0, SRCPAINT);
    dc.SetTextColor(clrOldText);
    dc.SetBkColor(clrOldBk);
    src.SelectObject(pOld);
}

void CCustomTabCtrl::DrawDropMarker(CDC& dc)
{
    if (!IsValidIndex(m_nItemDragDest) || !IsValidIndex(m_nButtonIDDown))
        return;
    // The marker sits at the edge where the dragged tab will land: before the target when it
    // goes towards the start, after it otherwise.
    const CRect& rt = Geometry().TextRect(m_nItemDragDest);
    const bool bAfter = m_nItemDragDest > m_nButtonIDDown || (m_bDragCopy && m_nItemDragDest == m_nButtonIDDown);
    const int x = bAfter ? rt.right : rt.left;
    const int H = Geometry().Thickness();
    const COLORREF clr = ::GetSysColor(COLOR_HIGHLIGHT);
    const bool bTop = (GetStyle() & CTCS_TOP) != 0;
    dc.FillSolidRect(ToClient(CRect(x - 1, 1, x + 1, std::max(2, H - 1))), clr);
    const CRect rcGlyph = ToClient(CRect(x - 4, bTop ? 0 : H - 8, x + 4, bTop ? 8 : H));
    DrawGlyph(dc, GLYPH_DROP, rcGlyph, clr);
}
