// CInPlaceCombo: the drop-down cell editor, one window for the whole process. It offers the given
// items; Enter, closing the drop-down or leaving it reports the chosen text to the list as
// LVN_ENDLABELEDIT, Escape reports the text the cell had.
#pragma once

#include <afxwin.h>

class CONTROLS_API CInPlaceCombo : public CComboBox
{
public:
    static CInPlaceCombo* GetInstance();
    static void DeleteInstance();

    // Style, cell rectangle, parent (the list), control id, row, column, the items, the cell's
    // current text, the current item's index (-1: go by the text).
    BOOL ShowComboCtrl(DWORD dwStyle, const CRect& rCellRect, CWnd* pParentWnd, UINT uiResourceID, int iRowIndex,
                       int iColumnIndex, CStringList* pDropDownList, CString strCurSelecction = "",
                       int iCurSel = -1);

    BOOL PreTranslateMessage(MSG* pMsg) override;

    int m_iRowIndex;
    int m_iColumnIndex;
    BOOL m_bESC;                 // the edit was cancelled with Escape
    CString m_strWindowText;     // reported when the edit is cancelled
    CStringList m_DropDownList;

protected:
    // int OnCreate(LPCREATESTRUCT lpCreateStruct)
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    // void OnKillFocus(CWnd* pNewWnd)
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    // void OnDestroy(): an edit still open when its list goes ends here
    afx_msg void OnDestroy();
    // void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    // void OnCloseup(), reflected CBN_CLOSEUP
    afx_msg void OnCloseup();
    // BOOL OnKillFocusNotify(), reflected CBN_KILLFOCUS: a box with an edit part loses the focus
    // from that part, so its own WM_KILLFOCUS does not come then
    afx_msg BOOL OnKillFocusNotify();

    DECLARE_MESSAGE_MAP()

private:
    CInPlaceCombo();
    CInPlaceCombo(const CInPlaceCombo&) = delete;
    CInPlaceCombo& operator=(const CInPlaceCombo&) = delete;
    ~CInPlaceCombo() override;
    // Reports the result once per edit and closes the window.
    void EndEdit(bool bClose = true);
    // Enter or Escape: the focus goes back to the list, which ends the edit.
    void EndOnKey(UINT nChar);

    bool m_bEnded = true;        // the report of the current edit has been sent
    static CInPlaceCombo* m_pInPlaceCombo;
};
