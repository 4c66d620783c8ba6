// CHotFontCombo: an owner-drawn combo box of the installed font families, each drawn in its own
// face, in strcmp order. Its border lies flat while the control is idle and turns raised ("hot")
// while it has the focus or the mouse is over it; a 10 ms timer notices the mouse leaving.
#pragma once

#include <afxwin.h>

#define HOTFONTCOMBO_TIMER      1
#define HOTFONTCOMBO_PERIOD     10
#define HOTFONTCOMBO_POINTS     11   // every entry is drawn at this size

class CONTROLS_API CHotFontCombo : public CComboBox
{
    DECLARE_DYNAMIC(CHotFontCombo)
public:
    CHotFontCombo();
    ~CHotFontCombo() override;

    // Refills the list with the screen's font families (ANSI character set) and selects the entry
    // equal to m_csSelectedFont, ignoring case, when there is one.
    void InitialiseFontList();
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    // strcmp of the two entries' texts (for a list the platform sorts through the owner).
    int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct) override;
    // Flat (bHot false) or raised; a disabled control is always drawn raised.
    void DrawBorder(bool bHot);

    CString m_csSelectedFont;
    COLORREF m_clr3DFace, m_clr3DLight, m_clr3DHilight, m_clr3DShadow, m_clr3DDkShadow;
    bool m_bHasFocus;
    bool m_bMouseOver;

protected:
    afx_msg void OnPaint();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnNcMouseMove(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnSysColorChange(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnFontChange(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnSelChange();
    afx_msg BOOL OnSetFocusNotify();
    afx_msg BOOL OnKillFocusNotify();
    DECLARE_MESSAGE_MAP()

private:
    void ReadSysColors();
    void MouseEntered();
};
