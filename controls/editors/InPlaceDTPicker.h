// CInPlaceDTPicker: the date or time-of-day cell editor over the platform's date-time picker, one
// window for the whole process. Its style decides the mode: both bits of DTS_TIMEFORMAT show a time
// ("HH:mm:ss"), otherwise a date ("dd/MM/yyyy"). Leaving it reports the normalised text to the
// list as LVN_ENDLABELEDIT; opening its calendar does not end the edit.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

class CONTROLS_API CInPlaceDTPicker : public CDateTimeCtrl
{
public:
    static CInPlaceDTPicker* GetInstance();
    static void DeleteInstance();

    // Style, cell rectangle, parent (the list), control id, row, column, initial date and time.
    BOOL ShowDTPickerCtrl(DWORD dwStyle, const CRect& rCellRect, CWnd* pParentWnd, UINT uiResourceID, int iRowIndex,
                          int iColumnIndex, CTime ctInitTime);

    BOOL PreTranslateMessage(MSG* pMsg) override;

    CWnd* m_pListWnd;            // set by the caller after showing; Tab gives it the focus
    int m_iRowIndex;
    int m_iColumnIndex;
    BOOL m_bESC;                 // the edit was cancelled with Escape
    CTime m_ctInitTime;
    int m_iTabDirection;         // 0 none, 1 Tab, 2 Shift+Tab

protected:
    // int OnCreate(LPCREATESTRUCT lpCreateStruct)
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    // void OnKillFocus(CWnd* pNewWnd)
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    // void OnDestroy(): an edit still open when its list goes ends here
    afx_msg void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    CInPlaceDTPicker();
    CInPlaceDTPicker(const CInPlaceDTPicker&) = delete;
    CInPlaceDTPicker& operator=(const CInPlaceDTPicker&) = delete;
    ~CInPlaceDTPicker() override;
    bool IsTimeMode() const;
    // Reports the result once per edit; bClose also moves on and closes the window.
    void EndEdit(bool bClose);

    bool m_bEnded = true;        // the report of the current edit has been sent
    static CInPlaceDTPicker* m_pInPlaceDTPicker;
};
