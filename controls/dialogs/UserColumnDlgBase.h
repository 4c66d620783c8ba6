// CUserColumnDlgBase: what the two user-defined (formula) column dialogs share. The user picks a
// column in the column list and clicks operator buttons; each click appends to the formula's
// display form in the expression edit (which the user may also type into). On confirmation the
// display form is converted into the stored form and checked with the evaluator.
//
// Terms: a column "entry" is a line of the column list (text = header name, item data = the
// column index, or the column id in the market watch); a "user column" is a line of the user
// column list (item data likewise). Names compare exactly, case included; where a name is listed
// twice the first entry wins.
#pragma once

#include <afxwin.h>

#include <vector>
#include "windows/VXDialog.h"
#include "filter/FormulaColumn.h"

class CCommonListCtrl;

// Texts shown by both dialogs.
#define UCOL_MSG_SELECT_COLUMN   "Please select a Column Name"
#define UCOL_MSG_NO_COLUMN       "No column is selected"
#define UCOL_MSG_INVALID         "Invalid Expression, Please check the expression again"
#define UCOL_MSG_NAME_TOO_LONG   "Column name is too long, please use at most 63 characters"
#define UCOL_MSG_NAME_CHARS      "\", | and \xA7 are not allowed in a column name, please choose a different name"

// The longest column name a column record holds (its name field is 64 bytes with the terminator).
#define UCOL_MAX_NAME 63

class CONTROLS_API CUserColumnDlgBase : public CVXDialog
{
    DECLARE_DYNAMIC(CUserColumnDlgBase)
public:
    CUserColumnDlgBase(UINT nIDTemplate, CWnd* pParent);
    ~CUserColumnDlgBase() override;

    CListBox m_ColumnList;        // 1004
    CComboBox m_UserColumnList;   // 1551
    CCommonListCtrl* m_pList;     // the list being changed; null once it went away

    // The expression edit's text, and setting it (caret to the end).
    CString GetExpressionText() const;
    void SetExpressionText(const CString& csText);
    // The selected entry's name and item data; false when none is selected.
    bool GetSelectedColumn(CString& csName, int& nColumn) const;
    bool GetSelectedUserColumn(CString& csName, int& nColumn) const;
    // Display form to stored form over the column list's entries that still name the same column
    // of the target list; false (nothing shown) when a name is unknown or the check fails.
    bool ConvertAndCheck(const CString& csDisplay, CString& csStored);
    // A name the library cannot keep: 0 when usable, else the refusal text.
    static LPCTSTR RefuseName(const CString& csName);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Shows a refusal owned by the dialog; the dialog stays open.
    void Refuse(LPCTSTR lpszText);
    // Lets go of a list the host destroyed meanwhile; false when there is no list.
    bool HasLiveList();
    // Whether an entry (name, item data) still names a column of the target list.
    virtual bool IsUsableOperand(const CString& csName, int nColumn) const;
    // An operator button: nID the button, bCtrl whether the operator is wanted alone.
    virtual void AppendForButton(UINT nID, bool bCtrl) = 0;
    // Ctrl held down at the time of the click.
    static bool CtrlDown();

    afx_msg void OnOperatorButton(UINT nID);
    afx_msg void OnOperatorDoubleClick(UINT nID);
    DECLARE_MESSAGE_MAP()
};

// Texts every operator button appends, by button id.
struct sUserColumnButton
{
    UINT nID;
    LPCTSTR lpszAfterColumn;   // appended after the quoted column name: " + "
    LPCTSTR lpszStoredAfter;   // appended after the quoted index in the stored form: "+"
    LPCTSTR lpszAlone;         // with Ctrl held: "+"
};
CONTROLS_API const sUserColumnButton* FindUserColumnButton(UINT nID);
