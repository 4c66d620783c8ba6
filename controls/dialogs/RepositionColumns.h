// CRepositionColumns: the Reposition Columns dialog of a grid (template 197, " Column Profile").
// The user moves columns between the hidden list (left) and the shown list (right) with ">", "<",
// double-clicks or drag-and-drop, orders the shown ones, and applies the result to the grid
// ("&View"), or applies and stores it ("&Save"). Columns the grid names as fixed cannot be hidden.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include "lists/CommonListCtrl.h"
#include "windows/VXDialog.h"
#include "lists/VXDragListCtrl.h"

class CONTROLS_API CRepositionColumns : public CVXDialog
{
    DECLARE_DYNAMIC(CRepositionColumns)
public:
    // Called on "&Save" for a dialog opened through "Reposition Columns in open groups".
    typedef void (CWnd::*PFN_REPOSITION_GROUP)();

    explicit CRepositionColumns(CWnd* pParent = nullptr);
    ~CRepositionColumns() override;

    // Takes the grid to edit and fills both lists from its header and column records.
    void init_commonlistctrl_colprofile(CCommonListCtrl* pList, CArray<sOrvoColInfo, const sOrvoColInfo&>& arrColInfo);
    // Kept for hosts that call it; does nothing.
    void Init(CVXDragListCtrl* pList, CArray<sMnmOrvoColInfo, const sMnmOrvoColInfo&>& arrColInfo);
    void SetRePositionToGrp(PFN_REPOSITION_GROUP pfn, CWnd* pObject);
    // Closes the dialog as "&Cancel" does.
    int CallCancel();

    BOOL OnInitDialog() override;

    afx_msg void OnShowColumns();     // ">"
    afx_msg void OnHideColumns();     // "<"
    afx_msg void OnView();
    afx_msg void OnSave();
    afx_msg void OnCancelClicked();

    CCommonListCtrl* m_pList;
    CHeaderCtrl* m_pHeader;
    CArray<sOrvoColInfo, const sOrvoColInfo&> m_arrColInfo;   // private copy of the grid's records
    int m_nColInfoSize;
    CArray<int, int> m_arrColPosition;                         // the grid's positions, edited
    CStringArray m_arrFixedColumns;                            // columns that cannot be removed
    CString m_csListName;
    bool m_bGroup;
    PFN_REPOSITION_GROUP m_pfnGroup;
    CWnd* m_pGroupObject;
    CVXDragListCtrl m_HiddenList;   // 1653
    CVXDragListCtrl m_ShownList;    // 1654
    CButton m_AutoSort;             // 1185

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnCancel() override;
    void OnOK() override;

    afx_msg LRESULT OnCannotRemove(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDblClkHidden(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDblClkShown(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    // Applies the lists to the grid's header and positions ("&View" without closing).
    void ApplyToList();
    // Moves the selected rows of pFrom to pTo at pTo's selection mark; fixed columns stay when
    // bCheckFixed is set.
    void MoveSelected(CVXDragListCtrl& from, CVXDragListCtrl& to, bool bCheckFixed);
    int FindColumn(const CString& csName) const;
    bool IsFixed(const CString& csName) const;
    void WriteGroupedColumns();
    void Close();
    void LayOut(int cx, int cy);
};
