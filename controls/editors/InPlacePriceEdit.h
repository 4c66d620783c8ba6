// CInPlacePriceEdit: the price cell editor, one window for the whole process. The list sets its
// precision with setPrecision before each show.
#pragma once

#include "editors/InPlacePriceEditBase.h"

class CONTROLS_API CInPlacePriceEdit : public CInPlacePriceEditBase
{
public:
    static CInPlacePriceEdit* GetInstance();
    static void DeleteInstance();

    // Style, cell rectangle, parent (the list), control id, row, column, initial text (trimmed in
    // place), list window. When the window is still open only the stored cell changes.
    BOOL ShowPriceEditCtrl(DWORD dwStyle, const RECT& rCellRect, CWnd* pParentWnd, UINT uiResourceID,
                           int iRowIndex, int iColumnIndex, CString& rstrCurSelection, CWnd* pListWnd);

private:
    CInPlacePriceEdit() = default;
    static CInPlacePriceEdit* m_pInPlacePriceEdit;
};
