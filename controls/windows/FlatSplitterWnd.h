// CFlatSplitterWnd: a splitter drawn flat: bars 5 pixels wide in the button face colour, no pane
// border shared with the bars, and a one-pixel sunken frame around the whole. It can be made
// fixed, and then ignores presses on its bars and shows no sizing cursor over them.
#pragma once

#include <afxwin.h>
#include <afxext.h>

#define FLAT_SPLITTER_BAR 5

class CONTROLS_API CFlatSplitterWnd : public CSplitterWnd
{
    DECLARE_DYNAMIC(CFlatSplitterWnd)
public:
    CFlatSplitterWnd();

    // Whether the user may drag the bars (default: yes).
    void SetResizable(BOOL bResizable) { m_bResizable = bResizable; }
    BOOL IsResizable() const { return m_bResizable; }

    void OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect) override;
    BOOL CanTrackBars() const override { return m_bResizable; }

protected:
    BOOL m_bResizable = TRUE;
};
