// CAppearanceColorButton: the owner-drawn push button of the appearance dialogs that shows a
// colour: a swatch filling the face, or a swatch before the caption when the button has one.
#pragma once

#include <afxwin.h>

class CONTROLS_API CAppearanceColorButton : public CButton
{
    DECLARE_DYNAMIC(CAppearanceColorButton)
public:
    CAppearanceColorButton() = default;

    void SetColor(COLORREF clr);
    COLORREF GetColor() const { return m_clr; }
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

private:
    COLORREF m_clr = 0;
};
