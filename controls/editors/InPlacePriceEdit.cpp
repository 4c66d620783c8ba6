#include "editors/InPlacePriceEdit.h"

CInPlacePriceEdit* CInPlacePriceEdit::m_pInPlacePriceEdit = nullptr;

CInPlacePriceEdit* CInPlacePriceEdit::GetInstance()
{
    if (m_pInPlacePriceEdit == nullptr)
        m_pInPlacePriceEdit = new CInPlacePriceEdit;
    return m_pInPlacePriceEdit;
}

void CInPlacePriceEdit::DeleteInstance()
{
    delete m_pInPlacePriceEdit;
    m_pInPlacePriceEdit = nullptr;
}

BOOL CInPlacePriceEdit::ShowPriceEditCtrl(DWORD dwStyle, const RECT& rCellRect, CWnd* pParentWnd, UINT uiResourceID,
                                          int iRowIndex, int iColumnIndex, CString& rstrCurSelection, CWnd* pListWnd)
{
    return ShowCtrl(dwStyle, rCellRect, pParentWnd, uiResourceID, iRowIndex, iColumnIndex, rstrCurSelection, pListWnd);
}
