// CInPlaceQuantityEdit: the quantity cell editor, one window for the whole process: a whole number
// from 0 to 2147483647, digits only.
#pragma once

#include "editors/InPlacePriceEditBase.h"

class CONTROLS_API CInPlaceQuantityEdit : public CInPlacePriceEditBase
{
public:
    static CInPlaceQuantityEdit* GetInstance();
    static void DeleteInstance();

    // As CInPlacePriceEdit::ShowPriceEditCtrl.
    BOOL ShowQuantityEditCtrl(DWORD dwStyle, const RECT& rCellRect, CWnd* pParentWnd, UINT uiResourceID,
                              int iRowIndex, int iColumnIndex, CString& rstrCurSelection, CWnd* pListWnd);

private:
    CInPlaceQuantityEdit();
    static CInPlaceQuantityEdit* m_pInPlaceQuantityEdit;
};
