// CUserDefinedColDlg: the general dialog that adds, edits and deletes the user-defined (formula)
// columns of a list. It changes the list's column records, positions, visible columns and header
// itself and then has the list save its profile, which keeps the definitions.
//
// The caller creates the window (template 30009, no parent) when it has none, shows it, brings it
// to the top and then calls Initialise with the list and the mode. The library keeps two of these
// dialogs (UserDefinedColDlg(0) and (1)); their windows are created on first use and reused.
#pragma once

#include "dialogs/UserColumnDlgBase.h"

// Modes of Initialise.
#define UDC_MODE_ADD     0
#define UDC_MODE_DELETE  1
#define UDC_MODE_EDIT    3

#define UDC_MSG_PREPARE_FAILED  "Error while adding user defined cols"
#define UDC_MSG_ENTER_NAME      "Please Enter the column Name"
#define UDC_MSG_NAME_DELIMITERS "\"#,\" are not allowed as a custom column name , please choose a different name"
#define UDC_MSG_EMPTY_EXPRESSION "Column Expression is empty, please enter an expression to add a column"
#define UDC_MSG_NAME_PRESENT    "This column name already present,Please choose different column Name"
#define UDC_MSG_NONE_TO_EDIT    "No user defined column selected to Edit"
#define UDC_MSG_NONE_TO_DELETE  "No user defined column selected to delete"

class CONTROLS_API CUserDefinedColDlg : public CUserColumnDlgBase
{
    DECLARE_DYNAMIC(CUserDefinedColDlg)
public:
    explicit CUserDefinedColDlg(CWnd* pParent = nullptr);
    ~CUserDefinedColDlg() override;

    // Prepares the dialog for the list and the mode (UDC_MODE_*): title, OK text, which list shows,
    // the usable columns (numeric types) and the list's user-defined columns.
    void Initialise(CCommonListCtrl* pList, int nMode);

    CString m_csExpression;   // the display form (edit 32855)
    CString m_csStoredForm;   // the stored form; rebuilt on confirmation
    int m_nMode;

    // The columns of pList that use column nColumn in their formula, directly or through another
    // of them (nColumn included), in ascending order.
    static void CollectDependentColumns(const CCommonListCtrl* pList, int nColumn, CArray<int, int>& columns);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void AppendForButton(UINT nID, bool bCtrl) override;
    void OnOK() override;

    afx_msg void OnClickedEnd();
    afx_msg void OnClickedClear();
    afx_msg void OnUserColumnChanged();
    DECLARE_MESSAGE_MAP()

private:
    void Append(const CString& csDisplay, const CString& csStored);
    bool ConfirmAdd();
    bool ConfirmEdit();
    bool ConfirmDelete();
};

// The library's two general dialogs (nIndex 0 or 1), constructed on first use, released at unload.
CONTROLS_API CUserDefinedColDlg& UserDefinedColDlg(int nIndex);
