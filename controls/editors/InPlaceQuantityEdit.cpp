#include "editors/InPlaceQuantityEdit.h"

CInPlaceQuantityEdit* CInPlaceQuantityEdit::m_pInPlaceQuantityEdit = nullptr;

CInPlaceQuantityEdit::CInPlaceQuantityEdit()
{
    m_strValidChars = "0123456789";
    m_dMinValue = 0.0;
    m_dMaxValue = 2147483647.0;
}

CInPlaceQuantityEdit* CInPlaceQuantityEdit::GetInstance()
{
    if (m_pInPlaceQuantityEdit == nullptr)
        m_pInPlaceQuantityEdit = new CInPlaceQuantityEdit;
    return m_pInPlaceQuantityEdit;
}

void CInPlaceQuantityEdit::DeleteInstance()
{
    delete m_pInPlaceQuantityEdit;
    m_pInPlaceQuantityEdit = nullptr;
}

BOOL CInPlaceQuantityEdit::ShowQuantityEditCtrl(DWORD dwStyle, const RECT& rCellRect, CWnd* pParentWnd,
                                                UINT uiResourceID, int iRowIndex, int iColumnIndex,
                                                CString& rstrCurSelection, CWnd* pListWnd)
{
    return ShowCtrl(dwStyle, rCellRect, pParentWnd, uiResourceID, iRowIndex, iColumnIndex, rstrCurSelection, pListWnd);
}
