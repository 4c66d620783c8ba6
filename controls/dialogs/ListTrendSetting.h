// CListTrendSetting: the Trend Settings dialog of a filter list. The user ticks the numeric
// columns whose rises and falls are marked, chooses whether the mark colours the text or the
// background, the colours of a rise and of a fall, and how long a mark stays (1 to 10 seconds on
// the slider; the stored interval is one second less). OK writes everything into the target list
// and restarts its trend columns; the settings reach storage when the list next saves its profile.
//
// The host sets m_pFilterList, calls SetTrendColumns with the list's column records, creates or
// runs the dialog, then DisplayTrendColumns, ReadDlgValues and ShowSelectedTrendColumns. When the
// target list is set before the window exists, OnInitDialog runs those three itself, so a plain
// DoModal shows the list's settings too.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include "windows/VXDialog.h"
#include "widgets/ClrButton.h"
#include "filter/FilterListCtrl.h"

// The slider's positions: n reads "n + 1 Sec" and stores n seconds.
#define TREND_SLIDER_MAX 9

class CONTROLS_API CListTrendSetting : public CVXDialog
{
    DECLARE_DYNAMIC(CListTrendSetting)
public:
    explicit CListTrendSetting(CWnd* pParent = nullptr);
    ~CListTrendSetting() override;

    // The list whose trends the dialog edits (set by the host).
    CFilterListCtrl* m_pFilterList;

    // The candidates: every column of type integer, decimal, long or the decimal kinds 5 and 9,
    // keyed by column index. A null pointer leaves no candidates. Returns 1.
    int SetTrendColumns(CArray<sOrvoColInfo>* pColumns);
    BOOL OnInitDialog() override;
    // Fills the check list with the candidates' headings (in column order).
    void DisplayTrendColumns();
    // Mode, colours and interval from the list into the controls; the selected columns from the
    // list's trend map.
    void ReadDlgValues();
    // Ticks the check-list entry of every selected column.
    void ShowSelectedTrendColumns();

    // Column index -> heading: the candidates, and the columns selected for trends.
    CMap<int, int, CString, const CString&> m_mapTrendColumns;
    CMap<int, int, CString, const CString&> m_mapSelectedColumns;

    CCheckListBox m_ColumnList;     // 2001
    CButton m_BackgroundCheck;      // 1185 "BackGround"
    CButton m_TextCheck;            // 33049 "Text"
    CClrButton m_PosTrendButton;    // 2002
    CClrButton m_NegTrendButton;    // 2784
    CSliderCtrl m_TimeSlider;       // 1020
    CStatic m_TimeLabel;            // 2005

    // BN_CLICKED of "BackGround": ticking it unticks "Text".
    afx_msg void OnBnClickedTrendsetBkgrnd();
    // BN_CLICKED of "Text": ticking it unticks "BackGround".
    afx_msg void OnBnClickedTrendsetText();
    // BN_CLICKED of the colour buttons: the colour dialog, starting at the button's colour.
    afx_msg void OnBnClickedTrendsetPostrend();
    afx_msg void OnBnClickedTrendsetNegtrend();
    // NM_CUSTOMDRAW of the slider: default drawing.
    afx_msg void OnNMCustomdrawSlider1(NMHDR* pNMHDR, LRESULT* pResult);
    // NM_RELEASEDCAPTURE of the slider: the label follows the position.
    afx_msg void OnNMReleasedcaptureSlider1(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnBnClickedOk();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    DECLARE_MESSAGE_MAP()

private:
    // Keys of a map in ascending order (the order the dialog lists and applies columns).
    static void SortedKeys(const CMap<int, int, CString, const CString&>& map, CArray<int, int>& keys);
    // The check-list entry of a column: the entry whose text equals the heading exactly; when
    // several do (columns of one heading), the one added for this column.
    int EntryOfColumn(int nColumn, const CString& csHeading) const;
    void ForgetGoneList();
    void ChooseColour(CClrButton& button);
    void SetTimeLabel(LPCTSTR lpszFormat);
};
