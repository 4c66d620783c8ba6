// CInPlaceEdit: the free-text cell editor of the grids, one window for the whole process, laid over
// the cell being edited. It reports its result to the list as LVN_ENDLABELEDIT when it loses the
// focus, and posts the navigation messages of editors/InPlaceNotify.h when Tab, Up or Down leave
// the cell. With a set of valid characters it refuses any other character, however it arrives.
#pragma once

#include <afxwin.h>

class CONTROLS_API CInPlaceEdit : public CEdit
{
public:
    static CInPlaceEdit* GetInstance();
    static void DeleteInstance();

    // Style, cell rectangle (in the parent's client coordinates), parent (the list), control id,
    // row, column, valid characters (empty: any), initial text, list window. When the window is
    // still open only the stored row, column and texts change.
    BOOL ShowEditCtrl(DWORD dwStyle, const RECT& rCellRect, CWnd* pParentWnd, UINT uiResourceID, int iRowIndex,
                      int iColumnIndex, CString& strValidChars, CString& rstrCurSelection, CWnd* pListWnd);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    ~CInPlaceEdit() override;

    int m_iRowIndex;
    int m_iColumnIndex;
    BOOL m_bESC;                 // the edit was cancelled with Escape
    CString m_strValidChars;
    CString m_strWindowText;     // the text the cell had when the edit began
    CWnd* m_pListWnd;

protected:
    CInPlaceEdit();

    // int OnCreate(LPCREATESTRUCT lpCreateStruct)
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    // void OnKillFocus(CWnd* pNewWnd)
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    // void OnDestroy(): an edit still open when its list goes ends here
    afx_msg void OnDestroy();
    // void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    // LRESULT OnPaste(WPARAM, LPARAM)
    afx_msg LRESULT OnPaste(WPARAM wParam, LPARAM lParam);
    // BOOL OnUpdate(): the last guard, for text that arrives without WM_CHAR or WM_PASTE
    afx_msg BOOL OnUpdate();

    DECLARE_MESSAGE_MAP()

private:
    CInPlaceEdit(const CInPlaceEdit&) = delete;
    CInPlaceEdit& operator=(const CInPlaceEdit&) = delete;
    bool IsValidText(const CString& strText) const;
    // Reports the result once per edit and closes the window.
    void EndEdit(bool bClose);

    bool m_bEnded = true;        // the report of the current edit has been sent

    CString m_strLastValid;      // the box's text as last accepted
    static CInPlaceEdit* m_pInPlaceEdit;
};
