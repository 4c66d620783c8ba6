// CReadOnlyEdit: an edit box painted in its owner's text and background colours. Until a
// background colour is set it paints like a plain edit box.
#pragma once

#include <afxwin.h>

class CONTROLS_API CReadOnlyEdit : public CEdit
{
public:
    CReadOnlyEdit();
    ~CReadOnlyEdit() override;

    void SetTextColor(COLORREF crText);
    // Replaces the background brush by a solid one of the colour.
    void SetBackColor(COLORREF crBackGnd);

    COLORREF m_crText;
    COLORREF m_crBackGnd;        // meaningful once SetBackColor was called
    CBrush m_brBackGnd;          // empty until then

protected:
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);

    DECLARE_MESSAGE_MAP()
};
