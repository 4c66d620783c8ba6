// CAddUserColDlg: the market watch's user-defined (formula) column dialog. It does not change the
// list's columns itself: it reports the new, edited or deleted column to the list's owner window,
// which keeps the market watch's user columns and rebuilds the grid.
//
// Messages to the owner (GetOwnerWnd, else the list's parent), both parameters pointing to a
// CString: WM_USERCOL_ADDED and WM_USERCOL_EDITED with wParam = name "|" display form and lParam =
// the stored form; WM_USERCOL_DELETED with wParam = the deleted column's name and lParam = the
// first text of the last column record examined. In market-watch records the first text holds the
// display form and the second the stored form.
//
// The base list's commands open the library's one dialog (AddUserColDlg()) through the hook table:
// the window is created again from template 173 with the list as parent for every command.
#pragma once

#include "dialogs/UserColumnDlgBase.h"

#define AUC_MODE_ADD     1
#define AUC_MODE_DELETE  2
#define AUC_MODE_EDIT    3

#define WM_USERCOL_ADDED    1725
#define WM_USERCOL_EDITED   23024
#define WM_USERCOL_DELETED  22024

#define AUC_MSG_ENTER_NAME       "Please Enter the column Name."
#define AUC_MSG_ENTER_EXPRESSION "Please Enter the column Expression."
#define AUC_MSG_PRESENT          "Column Already Present"
#define AUC_MSG_SELECT_USER      "Please select a user column."
#define AUC_MSG_VALID_EXPRESSION "Please enter valid Expression"
#define AUC_MSG_NOT_ON_WATCH     "Column not found on MarketWatch %s group"

class CONTROLS_API CAddUserColDlg : public CUserColumnDlgBase
{
    DECLARE_DYNAMIC(CAddUserColDlg)
public:
    explicit CAddUserColDlg(CWnd* pParent = nullptr);
    ~CAddUserColDlg() override;

    // Both lists from the target list's column records, ids 0 to iMrktInfoColCount; the name and
    // the expression emptied.
    void FillValuesToList();

    CString m_csColumnName;   // edit 32856
    CString m_csExpression;   // edit 32855, the display form
    int m_nMode;              // AUC_MODE_*
    CString m_csWork;         // the working string sent with WM_USERCOL_DELETED

    // The user columns (ids 101 up to the position array's size) whose first text uses the column
    // named csName, directly or through another of them, in ascending order.
    static void CollectDependentColumns(const CCommonListCtrl* pList, const CString& csName, CArray<int, int>& ids,
                                        CString& csLastExamined);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void AppendForButton(UINT nID, bool bCtrl) override;
    void OnOK() override;

    afx_msg void OnClickedEnd();
    afx_msg void OnClickedClear();
    afx_msg void OnUserColumnChanged();
    DECLARE_MESSAGE_MAP()

private:
    void Append(const CString& csText);
    bool ConfirmAdd();
    bool ConfirmEdit();
    bool ConfirmDelete();
    // Sends to the owner; false when the dialog's window went away meanwhile.
    bool Report(UINT nMessage, CString& csFirst, CString& csSecond);
};

// The library's one market-watch dialog, constructed on first use, released at unload.
CONTROLS_API CAddUserColDlg& AddUserColDlg();
