// gxEditCell: the number editor gxListCtrl lays over a cell. It accepts digits, '.' and '-' (and
// refuses a paste with anything else), widens with its text, moves to other rows with the arrow,
// page and Ctrl+Home/End keys, and reports its text (null after Escape) to the list's parent as
// LVN_ENDLABELEDIT when it loses the focus. It deletes itself when its window goes.
#pragma once

#include <afxwin.h>

class gxListCtrl;

class CONTROLS_API gxEditCell : public CEdit
{
public:
    // The list, row and column edited, and the cell's text when the edit began.
    gxEditCell(gxListCtrl* pList, int nItem, int nSubItem, CString csInitText);

    BOOL PreTranslateMessage(MSG* pMsg) override;

    gxListCtrl* m_pListCtrl;
    int m_nItem;
    int m_nSubItem;
    CString m_csInitText;
    BOOL m_bEscape;              // the edit was cancelled with Escape

protected:
    void PostNcDestroy() override;

    // int OnCreate(LPCREATESTRUCT lpCreateStruct)
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    // void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    // void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    // void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    // void OnKillFocus(CWnd* pNewWnd)
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    // void OnDestroy(): an edit still open when its list goes ends here
    afx_msg void OnDestroy();
    // UINT OnGetDlgCode()
    afx_msg UINT OnGetDlgCode();
    // LRESULT OnPaste(WPARAM, LPARAM)
    afx_msg LRESULT OnPaste(WPARAM wParam, LPARAM lParam);
    // BOOL OnUpdate(): the last guard, for text that arrives without WM_CHAR or WM_PASTE
    afx_msg BOOL OnUpdate();

    DECLARE_MESSAGE_MAP()

private:
    // Ends this edit and opens the editor on another row of the same column.
    void MoveToRow(int nRow);
    // Reports the result once; bDestroy then destroys the window (and so this object).
    void EndEdit(bool bDestroy);

    bool m_bEnded = false;       // the report has been sent
    CString m_csLastValid;
};
