#include "windows/FlatSplitterWnd.h"

IMPLEMENT_DYNAMIC(CFlatSplitterWnd, CSplitterWnd)

CFlatSplitterWnd::CFlatSplitterWnd()
{
    m_cxSplitter = m_cySplitter = FLAT_SPLITTER_BAR;
    m_cxSplitterGap = m_cySplitterGap = FLAT_SPLITTER_BAR;
    m_cxBorderShare = m_cyBorderShare = 0;
    m_cxBorder = m_cyBorder = 1;
}

void CFlatSplitterWnd::OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect)
{
    if (pDC == nullptr)
    {
        CSplitterWnd::OnDrawSplitter(pDC, nType, rect);
        return;
    }
    if (nType == splitBorder)
        pDC->Draw3dRect(&rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    else
        pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
}
