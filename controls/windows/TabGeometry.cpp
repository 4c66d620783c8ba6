#include "windows/TabGeometry.h"

#include <algorithm>

namespace
{
int ButtonIndex(int nButton)
{
    return nButton == CTCHT_ONCLOSEBUTTON ? 4 : -nButton - 1;
}
}  // namespace

void CTabGeometry::Layout(DWORD dwStyle, int nLength, int nThickness, const std::vector<int>& textWidths,
                          int nFirstVisible)
{
    m_dwStyle = dwStyle;
    m_nLength = std::max(0, nLength);
    m_nThickness = std::max(0, nThickness);
    const int H = m_nThickness;
    const int half = H / 2;
    // The buttons are a little narrower than the strip is thick, never too small to click.
    m_nButtonWidth = std::max(8, H * 3 / 4);

    const size_t n = textWidths.size();
    m_lefts.resize(n);
    m_items.resize(n);
    m_texts.resize(n);
    int nFixed = 0;
    if (dwStyle & CTCS_FIXEDWIDTH)
    {
        for (int w : textWidths)
            nFixed = std::max(nFixed, w);
    }
    const bool bTop = (dwStyle & CTCS_TOP) != 0;
    const int top = bTop ? 0 : 1;
    const int bottom = bTop ? H - 2 : H - 1;
    int x = 0;
    for (size_t i = 0; i < n; ++i)
    {
        const int w = (dwStyle & CTCS_FIXEDWIDTH) ? nFixed : std::max(0, textWidths[i]);
        m_lefts[i] = x;
        m_items[i].SetRect(x, top, x + w + 4 + H, bottom);
        m_texts[i].SetRect(x + half, top, x + w + 4 + half, bottom);
        // Neighbours overlap by half the strip's thickness.
        x += m_items[i].Width() - half;
    }
    m_nTotalWidth = n ? m_items[n - 1].right : 0;

    // The button block at the end: the close button, then the scroll buttons side by side.
    const bool bClose = (dwStyle & CTCS_CLOSEBUTTON) != 0;
    const int nCloseWidth = bClose ? m_nButtonWidth : 0;
    m_bScrollButtons = !(dwStyle & CTCS_AUTOHIDEBUTTONS) || (n > 1 && m_nTotalWidth > m_nLength - nCloseWidth);
    const int nScroll = m_bScrollButtons ? ((dwStyle & CTCS_FOURBUTTONS) ? 4 : 2) : 0;
    const int nBlock = nCloseWidth + nScroll * m_nButtonWidth;
    int bx = std::max(0, m_nLength - nBlock);
    m_nItemAreaRight = bx;
    for (CRect& r : m_buttons)
        r.SetRectEmpty();
    auto place = [&](int nButton) {
        m_buttons[ButtonIndex(nButton)].SetRect(bx, top, bx + m_nButtonWidth, std::max(bottom, top + 1));
        bx += m_nButtonWidth;
    };
    if (bClose)
        place(CTCHT_ONCLOSEBUTTON);
    if (nScroll == 4)
        place(CTCHT_ONFIRSTBUTTON);
    if (nScroll)
    {
        place(CTCHT_ONPREVBUTTON);
        place(CTCHT_ONNEXTBUTTON);
    }
    if (nScroll == 4)
        place(CTCHT_ONLASTBUTTON);

    // The last scroll position shows the end of the strip; before it nothing scrolls.
    m_nMaxFirstVisible = 0;
    if (m_bScrollButtons && n > 0)
    {
        size_t f = n - 1;
        while (f > 0 && m_nTotalWidth - m_lefts[f - 1] <= m_nItemAreaRight)
            --f;
        m_nMaxFirstVisible = static_cast<int>(f);
    }
    m_nFirstVisible = std::min(std::max(0, nFirstVisible), m_nMaxFirstVisible);
    if (n > 0)
    {
        const int shift = -m_lefts[static_cast<size_t>(m_nFirstVisible)];
        for (size_t i = 0; i < n; ++i)
        {
            m_items[i].OffsetRect(shift, 0);
            m_texts[i].OffsetRect(shift, 0);
        }
    }
}

CRect CTabGeometry::ButtonRect(int nButton) const
{
    if (nButton < CTCHT_ONCLOSEBUTTON || nButton > CTCHT_ONFIRSTBUTTON)
        return CRect();
    return m_buttons[ButtonIndex(nButton)];
}

bool CTabGeometry::InOutline(int nItem, CPoint pt) const
{
    if (nItem < 0 || nItem >= GetCount())
        return false;
    const CRect& r = ItemRect(nItem);
    const int h = r.Height();
    if (h <= 0 || pt.y < r.top || pt.y >= r.bottom)
        return false;
    // Depth below the wide edge, and how far the slanted sides have come in at that depth.
    const int depth = (m_dwStyle & CTCS_TOP) ? r.bottom - 1 - pt.y : pt.y - r.top;
    const int inset = depth * (m_nThickness / 2) / h;
    return pt.x >= r.left + inset && pt.x < r.right - inset;
}

int CTabGeometry::HitTest(CPoint pt, int nSelected) const
{
    if (pt.x < 0 || pt.x >= m_nLength || pt.y < 0 || pt.y >= m_nThickness)
        return CTCHT_NOWHERE;
    for (int nButton = CTCHT_ONFIRSTBUTTON; nButton >= CTCHT_ONCLOSEBUTTON; --nButton)
    {
        const CRect& r = m_buttons[ButtonIndex(nButton)];
        if (!r.IsRectEmpty() && r.PtInRect(pt))
            return nButton;
    }
    if (pt.x >= m_nItemAreaRight)
        return CTCHT_NOWHERE;
    if (InOutline(nSelected, pt))
        return nSelected;
    // The item before the first visible one still reaches in with its slanted side.
    for (int i = std::max(0, m_nFirstVisible - 1); i < GetCount() && ItemRect(i).left < m_nItemAreaRight; ++i)
    {
        if (InOutline(i, pt))
            return i;
    }
    return CTCHT_NOWHERE;
}

bool CTabGeometry::IsItemVisible(int nItem) const
{
    if (nItem < 0 || nItem >= GetCount())
        return false;
    const CRect& r = ItemRect(nItem);
    return r.left >= 0 && r.right <= m_nItemAreaRight;
}

int CTabGeometry::ScrollTarget(int nButton) const
{
    switch (nButton)
    {
    case CTCHT_ONFIRSTBUTTON:
        return 0;
    case CTCHT_ONPREVBUTTON:
        return std::max(0, m_nFirstVisible - 1);
    case CTCHT_ONNEXTBUTTON:
        return std::min(m_nMaxFirstVisible, m_nFirstVisible + 1);
    case CTCHT_ONLASTBUTTON:
        return m_nMaxFirstVisible;
    default:
        return m_nFirstVisible;
    }
}

int CTabGeometry::FirstVisibleFor(int nItem) const
{
    if (nItem < 0 || nItem >= GetCount() || !m_bScrollButtons)
        return m_nFirstVisible;
    if (nItem < m_nFirstVisible)
        return nItem;
    if (ItemRect(nItem).right <= m_nItemAreaRight)
        return m_nFirstVisible;
    // The smallest first item that still shows nItem's right edge.
    const int shift = m_lefts[static_cast<size_t>(m_nFirstVisible)];
    const int right = ItemRect(nItem).right + shift;
    int f = m_nFirstVisible;
    while (f < nItem && right - m_lefts[static_cast<size_t>(f)] > m_nItemAreaRight)
        ++f;
    return std::min(f, m_nMaxFirstVisible);
}

int CTabGeometry::DropTarget(int nTarget, int x) const
{
    if (GetCount() == 0)
        return nTarget;
    nTarget = std::min(std::max(0, nTarget), GetCount() - 1);
    const int quarter = m_nThickness / 4;
    const CRect& r = TextRect(nTarget);
    if (x < r.left - quarter && nTarget > 0)
        return nTarget - 1;
    if (x > r.right + quarter && nTarget < GetCount() - 1)
        return nTarget + 1;
    return nTarget;
}

void CTabGeometry::Outline(int nItem, CPoint points[4]) const
{
    const CRect& r = ItemRect(nItem);
    const int half = m_nThickness / 2;
    const bool bTop = (m_dwStyle & CTCS_TOP) != 0;
    const int wide = bTop ? r.bottom : r.top;
    const int narrow = bTop ? r.top : r.bottom;
    points[0] = CPoint(r.left, wide);
    points[1] = CPoint(r.right, wide);
    points[2] = CPoint(r.right - half, narrow);
    points[3] = CPoint(r.left + half, narrow);
}
