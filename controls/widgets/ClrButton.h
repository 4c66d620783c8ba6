// CClrButton: an owner-drawn push button whose face is painted in a chosen colour, with a raised,
// pressed or outlined frame by its state, and whose caption can describe a font ("Arial (Bold ,
// 10)"). The owner gives the button BS_OWNERDRAW; the parent reflects WM_DRAWITEM to DrawItem.
#pragma once

#include <afxwin.h>

#include "widgets/FontStyle.h"

class CONTROLS_API CClrButton : public CButton
{
    DECLARE_DYNAMIC(CClrButton)
public:
    // The frames DrawFrame paints.
    enum eFrame
    {
        FRAME_RAISED,
        FRAME_PRESSED,
        FRAME_OUTLINE   // one-pixel black outline
    };

    CClrButton();
    ~CClrButton() override;

    // Colours. Each setter repaints without erasing; the first form makes the disabled face
    // COLOR_BTNFACE.
    void SetColour(COLORREF clrText, COLORREF clrBackground);
    void SetColour(COLORREF clrText, COLORREF clrBackground, COLORREF clrDisabledBackground);
    // Every colour back to its system colour.
    void ResetColour();
    COLORREF GetColor() const { return m_clrBackground; }

    // Stored only: neither the caption nor the button's font changes. (The window's font stays
    // reachable as CWnd::SetFont / CWnd::GetFont.)
    void SetFont(CString csFace) { m_csFontName = csFace; }
    CString GetFont() const { return m_csFontName; }
    void SetSize(CString csSize) { m_csFontSize = csSize; }
    CString GetSize() const { return m_csFontSize; }
    void SetFontStyle(eFontStyle nStyle) { m_nFontStyle = nStyle; }
    eFontStyle GetFontStyle() const { return m_nFontStyle; }

    // Describes the font in the caption ("Face (Style , Size)", or "Face (Size)" for style -1)
    // and stores the three values.
    void DisplayFont(CString csFace, CString csSize, eFontStyle nStyle);
    // The caption DisplayFont writes for these values.
    static CString DescribeFont(const CString& csFace, const CString& csSize, eFontStyle nStyle);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    // Colours and font values, in declaration order.
    COLORREF m_clrText;
    COLORREF m_clrBackground;
    COLORREF m_clrDisabledBackground;
    COLORREF m_clrLight;
    COLORREF m_clrHighlight;
    COLORREF m_clrShadow;
    COLORREF m_clrDarkShadow;
    CString m_csFontName;
    CString m_csFontSize;
    eFontStyle m_nFontStyle;

protected:
    // Draws a frame on rc (see eFrame).
    void DrawFrame(CDC* pDC, CRect rc, int nFrame);
    void DrawFilledRect(CDC* pDC, CRect rc, COLORREF clr);
    // A one-pixel solid line from the first point to (not including) the second.
    void DrawLine(CDC* pDC, long nStartX, long nStartY, long nEndX, long nEndY, COLORREF clr);
    // The caption centred on one line in rc, transparent.
    void DrawButtonText(CDC* pDC, CRect rc, LPCTSTR lpszText, COLORREF clrText);

private:
    void Repaint();
};
