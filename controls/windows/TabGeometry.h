// The geometry of the custom tab strip, free of windows: item and text rectangles, the button
// block, the scroll offset, hit testing and the drop-target rule of dragging. Everything is in
// strip space: x runs along the strip, y across it. A vertical strip is the same strip with its
// client rectangle transposed; the window maps points and rectangles both ways.
#pragma once

#include <afxdefs.h>
#include <afxgeom.h>

#include <vector>

// Styles of the strip (the low 16 bits of the window style).
enum
{
    CTCS_FIXEDWIDTH = 0x0001,       // all tabs as wide as the widest text
    CTCS_FOURBUTTONS = 0x0002,      // first, previous, next and last buttons instead of two
    CTCS_AUTOHIDEBUTTONS = 0x0004,  // scroll buttons only while the items do not fit
    CTCS_TOOLTIPS = 0x0008,
    CTCS_MULTIHIGHLIGHT = 0x0010,   // several highlighted tabs; Ctrl+click highlights
    CTCS_EDITLABELS = 0x0020,       // in-place renaming of the selected tab
    CTCS_DRAGMOVE = 0x0040,
    CTCS_DRAGCOPY = 0x0080,         // with Ctrl held
    CTCS_CLOSEBUTTON = 0x0100,
    CTCS_TOP = 0x0400,              // docked at the top (horizontal) or left (vertical)
    CTCS_LEFT = CTCS_TOP,
    CTCS_VERTICAL = 0x0800,
};

// Hit-test results besides an item index.
enum
{
    CTCHT_ONFIRSTBUTTON = -1,
    CTCHT_ONPREVBUTTON = -2,
    CTCHT_ONNEXTBUTTON = -3,
    CTCHT_ONLASTBUTTON = -4,
    CTCHT_ONCLOSEBUTTON = -5,
    CTCHT_NOWHERE = -6,
};

class CONTROLS_API CTabGeometry
{
public:
    // Lays the items out. nLength and nThickness are the strip's client size along and across it;
    // textWidths holds each item's text width in the selected font; nFirstVisible is the wanted
    // first visible item (clamped). The previous results are replaced.
    void Layout(DWORD dwStyle, int nLength, int nThickness, const std::vector<int>& textWidths, int nFirstVisible);

    // Item index, CTCHT_ON...BUTTON or CTCHT_NOWHERE. The selected item is on top of its neighbours;
    // among the others the earlier one is on top where two overlap.
    int HitTest(CPoint pt, int nSelected) const;
    // Whether pt lies inside item nItem's outline (ignoring buttons and clipping).
    bool InOutline(int nItem, CPoint pt) const;

    // The first visible item after one step of a scroll button (CTCHT_ON...BUTTON).
    int ScrollTarget(int nButton) const;
    // The first visible item that brings nItem wholly into view (the current one when it is).
    int FirstVisibleFor(int nItem) const;
    // The drop target after the cursor moved to x during a drag from the current target.
    int DropTarget(int nTarget, int x) const;

    int GetCount() const { return static_cast<int>(m_items.size()); }
    const CRect& ItemRect(int nItem) const { return m_items[static_cast<size_t>(nItem)]; }
    const CRect& TextRect(int nItem) const { return m_texts[static_cast<size_t>(nItem)]; }
    // The rectangle of button -1 to -5 (empty when that button is not shown).
    CRect ButtonRect(int nButton) const;
    bool IsButtonShown(int nButton) const { return !ButtonRect(nButton).IsRectEmpty(); }
    bool ScrollButtonsShown() const { return m_bScrollButtons; }
    // The items are drawn and hit only left of this (the button block follows).
    int ItemAreaRight() const { return m_nItemAreaRight; }
    int FirstVisible() const { return m_nFirstVisible; }
    int MaxFirstVisible() const { return m_nMaxFirstVisible; }
    // Right edge of the last item before scrolling.
    int TotalWidth() const { return m_nTotalWidth; }
    bool IsItemVisible(int nItem) const;
    int ButtonWidth() const { return m_nButtonWidth; }
    int Thickness() const { return m_nThickness; }
    int Length() const { return m_nLength; }
    DWORD Style() const { return m_dwStyle; }

    // The outline of item nItem as four points (wide edge first), for regions and drawing.
    void Outline(int nItem, CPoint points[4]) const;

private:
    DWORD m_dwStyle = 0;
    int m_nLength = 0;
    int m_nThickness = 0;
    int m_nButtonWidth = 0;
    int m_nTotalWidth = 0;
    int m_nItemAreaRight = 0;
    int m_nFirstVisible = 0;
    int m_nMaxFirstVisible = 0;
    bool m_bScrollButtons = false;
    CRect m_buttons[5];   // -1 to -4 at [0..3], the close button at [4]
    std::vector<int> m_lefts;   // unshifted left edge of each item rectangle
    std::vector<CRect> m_items;
    std::vector<CRect> m_texts;
};
