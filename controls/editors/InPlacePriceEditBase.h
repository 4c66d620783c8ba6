// CInPlacePriceEditBase: what the price and quantity cell editors share. Each is a CPriceEdit laid
// over a cell: it shows the cell's number with thousands separators, applies every rule of the
// price box while the user types or pastes, and reports the text without separators to the list as
// LVN_ENDLABELEDIT when it loses the focus. Tab, Up and Down leave the cell as in CInPlaceEdit.
#pragma once

#include "editors/PriceEdit.h"

class CONTROLS_API CInPlacePriceEditBase : public CPriceEdit
{
public:
    ~CInPlacePriceEditBase() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Colours of the box, through the reflected WM_CTLCOLOR (as CReadOnlyEdit).
    void SetTextColor(COLORREF crText);
    void SetBackColor(COLORREF crBackGnd);

    int m_iRowIndex;
    int m_iColumnIndex;
    BOOL m_bESC;                 // the edit was cancelled with Escape
    CString m_strWindowText;     // the text the cell had when the edit began, trimmed
    CWnd* m_pListWnd;
    COLORREF m_crText;
    COLORREF m_crBackGnd;
    CBrush m_brBackGnd;

protected:
    CInPlacePriceEditBase();

    // Stores the cell and creates the window unless it is still open.
    BOOL ShowCtrl(DWORD dwStyle, const RECT& rCellRect, CWnd* pParentWnd, UINT uiResourceID, int iRowIndex,
                  int iColumnIndex, CString& rstrCurSelection, CWnd* pListWnd);

    // int OnCreate(LPCREATESTRUCT lpCreateStruct)
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    // void OnKillFocus(CWnd* pNewWnd)
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    // void OnDestroy(): an edit still open when its list goes ends here
    afx_msg void OnDestroy();
    // HBRUSH CtlColor(CDC* pDC, UINT nCtlColor)
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);

    DECLARE_MESSAGE_MAP()

private:
    // Reports the result once per edit and closes the window.
    void EndEdit(bool bClose);

    bool m_bEnded = true;        // the report of the current edit has been sent
    CInPlacePriceEditBase(const CInPlacePriceEditBase&) = delete;
    CInPlacePriceEditBase& operator=(const CInPlacePriceEditBase&) = delete;
};
