// CFilterText: the filter value popup. One window for the whole library, created on first use:
// a multi-selection list of the distinct values a column holds among the shown rows. Enter or a
// double-click turns the selection into a filter ("a~b~c") for the column the popup was opened
// on; the popup hides whenever it loses activation. It serves the list that opened it last.
#pragma once

#include <afxwin.h>
#include <afxbcg.h>
#include <afxctl.h>

class CCommonListCtrl;
class CFilterListCtrl;

class CONTROLS_API CFilterText : public CBCGPDialog
{
    DECLARE_DYNAMIC(CFilterText)
public:
    // A list kind that is not a filter list (the multi-line list) takes the popup's filter here.
    typedef void (*PFN_SETFILTER)(CCommonListCtrl* pList, int nPosition, CString& csText);

    // The library's popup (its window is created by Open).
    static CFilterText& Get();
    // The popup for a list's header position: filled with the column's values, its top-left
    // corner at ptScreen, shown and brought to the top.
    static CFilterText* Open(CFilterListCtrl* pList, int nPosition, CPoint ptScreen);
    // The same for a list that gathers the values itself (the multi-line list).
    static CFilterText* OpenWithValues(CCommonListCtrl* pList, int nPosition, CPoint ptScreen,
                                       const CStringArray& values);
    // The list is going: the popup forgets it (and hides when it served it).
    static void ListGone(CCommonListCtrl* pList);
    static void SetOtherListFilterHook(PFN_SETFILTER pfn);
    // Destroys the popup (library unload).
    static void Release();

    // Records the list as a filter list or as another kind according to its run-time class.
    void SetFilterlist(CCommonListCtrl* pList, int nPosition);
    CListBox& GetValueList() { return m_ValueList; }
    // The filter text of the current selection ("" when nothing is selected).
    CString BuildFilterText();
    // Applies the selection to the list and hides; nothing happens without a selection.
    void ApplySelection();

    CCommonListCtrl* m_pList = nullptr;
    CFilterListCtrl* m_pFilterList = nullptr;
    int m_nPosition = -1;

    CFilterText();

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnDblclkValues();
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    DECLARE_MESSAGE_MAP()

private:
    CListBox m_ValueList;
};
