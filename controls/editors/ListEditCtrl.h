// CListEditCtrl: a label editor the owner creates with new over a list cell; it deletes itself
// when its window goes. Leaving it reports the text (null after Escape) to the list's parent as
// LVN_ENDLABELEDIT; typing widens it to its text, up to the list's right edge.
#pragma once

#include <afxwin.h>

class CONTROLS_API CListEditCtrl : public CEdit
{
public:
    // Row, column, initial text.
    CListEditCtrl(int iItem, int iSubItem, CString sInitText);

    BOOL PreTranslateMessage(MSG* pMsg) override;

    int m_iItem;
    int m_iSubItem;
    CString m_sInitText;
    BOOL m_bESC;                 // Escape was pressed

protected:
    void PostNcDestroy() override;

    // int OnCreate(LPCREATESTRUCT lpCreateStruct)
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    // void OnKillFocus(CWnd* pNewWnd)
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    // void OnDestroy(): an edit still open when its list goes ends here
    afx_msg void OnDestroy();
    // void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);

    DECLARE_MESSAGE_MAP()

private:
    // Reports the result once; bDestroy then destroys the window (and so this object).
    void EndEdit(bool bDestroy);

    bool m_bEnded = false;       // the report has been sent
};
