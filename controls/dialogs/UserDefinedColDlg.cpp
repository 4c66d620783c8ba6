#include "dialogs/UserDefinedColDlg.h"
#include "lists/CommonListCtrl.h"
#include "resources/UserColumnRes.h"
#include "OrvoTools.h"

#include <cstring>
#include <vector>

IMPLEMENT_DYNAMIC(CUserDefinedColDlg, CUserColumnDlgBase)

namespace
{
// The numeric sort types, the only columns a formula may use.
bool IsNumericColumn(int nDataType)
{
    return nDataType == LIST_SORT_INTEGER || nDataType == LIST_SORT_DECIMAL || nDataType == LIST_SORT_LONG ||
           nDataType == LIST_SORT_DECIMAL_5;
}

CString NameOf(const sOrvoColInfo& info)
{
    return CString(info.szColName, (int)strnlen(info.szColName, sizeof(info.szColName)));
}

// The user-defined column of that exact name, -1 when there is none.
int FindUserColumn(const CCommonListCtrl* pList, const CString& csName)
{
    for (int c = pList->m_nBuiltInColumns; c < pList->m_arrColInfo.GetSize(); ++c)
    {
        if (NameOf(pList->m_arrColInfo[c]) == csName)
            return c;
    }
    return -1;
}

CString Quoted(const CString& csText)
{
    return "\"" + csText + "\"";
}
}  // namespace

CUserDefinedColDlg::CUserDefinedColDlg(CWnd* pParent)
    : CUserColumnDlgBase(IDD_USER_DEFINED_COL, pParent), m_nMode(UDC_MODE_DELETE)
{
}

CUserDefinedColDlg::~CUserDefinedColDlg() = default;

void CUserDefinedColDlg::DoDataExchange(CDataExchange* pDX)
{
    CUserColumnDlgBase::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_UCOL_EXPRESSION, m_csExpression);
}

void CUserDefinedColDlg::Initialise(CCommonListCtrl* pList, int nMode)
{
    m_pList = pList;
    if (GetSafeHwnd() == nullptr || !HasLiveList())
        return;
    if (pList->m_nBuiltInColumns > pList->m_arrColInfo.GetSize())
    {
        Refuse(UDC_MSG_PREPARE_FAILED);
        return;
    }
    m_ColumnList.ResetContent();
    m_UserColumnList.ResetContent();
    SetDlgItemText(IDC_UCOL_NAME, "");
    SetExpressionText("");
    m_csStoredForm = " ";
    m_csExpression.Empty();
    m_nMode = nMode;

    const bool bAdd = nMode == UDC_MODE_ADD;
    GetDlgItem(IDC_UCOL_USER_COLUMNS)->ShowWindow(bAdd ? SW_HIDE : SW_SHOW);
    GetDlgItem(IDC_UCOL_NAME)->ShowWindow(bAdd ? SW_SHOW : SW_HIDE);
    CString csTitle;
    if (bAdd)
    {
        csTitle.Format("%s: Add Custom Columns", (LPCTSTR)pList->m_csListName);
        SetDlgItemText(IDOK, "Add");
    }
    else if (nMode == UDC_MODE_EDIT)
    {
        csTitle.Format("%s: Edit Custom Columns", (LPCTSTR)pList->m_csListName);
        SetDlgItemText(IDOK, "Save");
    }
    else
    {
        csTitle.Format("%s: Delete Custom Columns", (LPCTSTR)pList->m_csListName);
        SetDlgItemText(IDOK, "Delete");
    }
    SetWindowText(csTitle);

    const int nColumns = (int)pList->m_arrColInfo.GetSize();
    for (int c = pList->m_nBuiltInColumns; c < nColumns; ++c)
    {
        int nEntry = m_UserColumnList.AddString(NameOf(pList->m_arrColInfo[c]));
        if (nEntry >= 0)
            m_UserColumnList.SetItemData(nEntry, (DWORD_PTR)c);
    }
    for (int c = 0; c < nColumns; ++c)
    {
        if (!IsNumericColumn(pList->m_arrColInfo[c].nDataType))
            continue;
        int nEntry = m_ColumnList.AddString(NameOf(pList->m_arrColInfo[c]));
        if (nEntry >= 0)
            m_ColumnList.SetItemData(nEntry, (DWORD_PTR)c);
    }
    if (bAdd)
        SetFocus(IDC_UCOL_NAME);
}

void CUserDefinedColDlg::Append(const CString& csDisplay, const CString& csStored)
{
    m_csExpression = GetExpressionText() + csDisplay;
    m_csStoredForm += csStored;
    SetExpressionText(m_csExpression);
}

void CUserDefinedColDlg::AppendForButton(UINT nID, bool bCtrl)
{
    const sUserColumnButton* pButton = FindUserColumnButton(nID);
    if (pButton == nullptr)
        return;
    if (bCtrl)
    {
        Append(pButton->lpszAlone, pButton->lpszStoredAfter);
        return;
    }
    CString csName;
    int nColumn = 0;
    if (!GetSelectedColumn(csName, nColumn))
    {
        Refuse(UCOL_MSG_SELECT_COLUMN);
        SetFocus(&m_ColumnList);
        return;
    }
    CString csIndex;
    csIndex.Format("%d", nColumn);
    Append(Quoted(csName) + pButton->lpszAfterColumn, Quoted(csIndex) + pButton->lpszStoredAfter);
}

void CUserDefinedColDlg::OnClickedEnd()
{
    CString csName;
    int nColumn = 0;
    if (!GetSelectedColumn(csName, nColumn))
    {
        Refuse(UCOL_MSG_NO_COLUMN);
        SetFocus(&m_ColumnList);
        return;
    }
    CString csIndex;
    csIndex.Format("%d", nColumn);
    Append(Quoted(csName), Quoted(csIndex));
}

void CUserDefinedColDlg::OnClickedClear()
{
    m_csExpression.Empty();
    m_csStoredForm.Empty();
    SetExpressionText("");
}

void CUserDefinedColDlg::OnUserColumnChanged()
{
    if (m_nMode != UDC_MODE_EDIT || !HasLiveList())
        return;
    CString csName;
    int nColumn = 0;
    if (!GetSelectedUserColumn(csName, nColumn))
        return;
    const int c = FindUserColumn(m_pList, csName);
    if (c >= 0)
        SetExpressionText(m_pList->m_arrColInfo[c].csText2);
}

void CUserDefinedColDlg::OnOK()
{
    if (!HasLiveList())
    {
        CUserColumnDlgBase::OnOK();
        return;
    }
    m_csStoredForm.Empty();
    m_csExpression = GetExpressionText();
    bool bDone = true;
    if (m_nMode == UDC_MODE_ADD)
        bDone = ConfirmAdd();
    else if (m_nMode == UDC_MODE_EDIT)
        bDone = ConfirmEdit();
    else if (m_nMode == UDC_MODE_DELETE)
        bDone = ConfirmDelete();
    if (!bDone)
        return;
    CCommonListCtrl* pList = m_pList;
    CUserColumnDlgBase::OnOK();
    if (CCommonListCtrl::IsLiveList(pList))
        pList->SaveColumnProfile();
}

bool CUserDefinedColDlg::ConfirmAdd()
{
    CString csName;
    GetDlgItemText(IDC_UCOL_NAME, csName);
    csName.Trim();
    if (csName.IsEmpty())
    {
        Refuse(UDC_MSG_ENTER_NAME);
        return false;
    }
    if (csName.FindOneOf("#,") >= 0)
    {
        Refuse(UDC_MSG_NAME_DELIMITERS);
        return false;
    }
    if (LPCTSTR lpszRefusal = RefuseName(csName))
    {
        Refuse(lpszRefusal);
        return false;
    }
    if (m_csExpression.IsEmpty())
    {
        Refuse(UDC_MSG_EMPTY_EXPRESSION);
        return false;
    }
    if (!ConvertAndCheck(m_csExpression, m_csStoredForm))
    {
        Refuse(UCOL_MSG_INVALID);
        return false;
    }
    CCommonListCtrl* pList = m_pList;
    for (INT_PTR c = 0; c < pList->m_arrColInfo.GetSize(); ++c)
    {
        if (NameOf(pList->m_arrColInfo[c]) == csName)
        {
            Refuse(UDC_MSG_NAME_PRESENT);
            return false;
        }
    }

    sOrvoColInfo info = {};
    strlcpy(info.szColName, csName, sizeof(info.szColName));
    info.nWidth = 100;
    info.nFormat = LVCFMT_RIGHT;
    info.nDataType = LIST_SORT_DECIMAL;
    info.csText1 = m_csStoredForm;
    info.csText2 = m_csExpression;
    const int nColumn = (int)pList->m_arrColInfo.Add(info);
    CHeaderCtrl* pHeader = pList->GetHeaderCtrl();
    const int nPosition = pHeader != nullptr ? pHeader->GetItemCount() : 0;
    // Arrays of a list built by hand may be shorter than its records: the gap is hidden.
    while (pList->m_arrColPosition.GetSize() < nColumn)
        pList->m_arrColPosition.Add(-1);
    pList->m_arrColPosition.SetAtGrow(nColumn, nPosition);
    while (pList->m_arrColWidth.GetSize() < nColumn)
        pList->m_arrColWidth.Add(0);
    pList->m_arrColWidth.SetAtGrow(nColumn, info.nWidth);
    pList->AddToVisibleArray({ nPosition, nColumn });
    pList->InsertColumn(nPosition, csName, LVCFMT_RIGHT, info.nWidth, nPosition);
    pList->AddHeaderToolTip(nPosition, m_csExpression);
    pList->OnUserColumnAdded(nColumn, nPosition);
    pList->Invalidate();
    return true;
}

bool CUserDefinedColDlg::ConfirmEdit()
{
    CString csName;
    int nColumn = 0;
    if (!GetSelectedUserColumn(csName, nColumn))
    {
        Refuse(UDC_MSG_NONE_TO_EDIT);
        return false;
    }
    if (m_csExpression.IsEmpty())
    {
        Refuse(UDC_MSG_EMPTY_EXPRESSION);
        return false;
    }
    if (!ConvertAndCheck(m_csExpression, m_csStoredForm))
    {
        Refuse(UCOL_MSG_INVALID);
        return false;
    }
    // Found again by name: the column may have moved, or gone, while the dialog was open.
    const int c = FindUserColumn(m_pList, csName);
    if (c < 0)
    {
        Refuse(UDC_MSG_NONE_TO_EDIT);
        return false;
    }
    m_pList->m_arrColInfo[c].csText1 = m_csStoredForm;
    m_pList->m_arrColInfo[c].csText2 = m_csExpression;
    m_pList->Invalidate();
    return true;
}

void CUserDefinedColDlg::CollectDependentColumns(const CCommonListCtrl* pList, int nColumn, CArray<int, int>& columns)
{
    columns.RemoveAll();
    const int nCount = (int)pList->m_arrColInfo.GetSize();
    if (nColumn < 0 || nColumn >= nCount)
        return;
    std::vector<bool> removed((size_t)nCount, false);
    std::vector<int> pending(1, nColumn);
    removed[(size_t)nColumn] = true;
    // Each removed column's quoted name is looked for once in every column still standing.
    while (!pending.empty())
    {
        const CString csQuoted = Quoted(NameOf(pList->m_arrColInfo[pending.back()]));
        pending.pop_back();
        for (int c = pList->m_nBuiltInColumns; c < nCount; ++c)
        {
            if (!removed[(size_t)c] && pList->m_arrColInfo[c].csText2.Find(csQuoted) >= 0)
            {
                removed[(size_t)c] = true;
                pending.push_back(c);
            }
        }
    }
    for (int c = 0; c < nCount; ++c)
    {
        if (removed[(size_t)c])
            columns.Add(c);
    }
}

bool CUserDefinedColDlg::ConfirmDelete()
{
    CString csName;
    int nSelected = 0;
    if (!GetSelectedUserColumn(csName, nSelected))
    {
        Refuse(UDC_MSG_NONE_TO_DELETE);
        return false;
    }
    CCommonListCtrl* pList = m_pList;
    const int nColumn = FindUserColumn(pList, csName);
    if (nColumn < 0)
    {
        Refuse(UDC_MSG_NONE_TO_DELETE);
        return false;
    }
    CArray<int, int> columns;
    CollectDependentColumns(pList, nColumn, columns);

    for (INT_PTR k = columns.GetSize() - 1; k >= 0; --k)
    {
        const int c = columns[k];
        const int nPosition = c < pList->m_arrColPosition.GetSize() ? pList->m_arrColPosition[c] : -1;
        if (nPosition != -1)
        {
            pList->DeleteColumn(nPosition);
            for (INT_PTR i = 0; i < pList->m_arrColPosition.GetSize(); ++i)
            {
                if (pList->m_arrColPosition[i] > nPosition)
                    --pList->m_arrColPosition[i];
            }
            if (pList->m_nSortColumn > nPosition)
                --pList->m_nSortColumn;
            else if (pList->m_nSortColumn == nPosition)
                pList->m_nSortColumn = 0;
        }
        pList->m_arrColInfo.RemoveAt(c);
        if (c < pList->m_arrColPosition.GetSize())
            pList->m_arrColPosition.RemoveAt(c);
        if (c < pList->m_arrColWidth.GetSize())
            pList->m_arrColWidth.RemoveAt(c);
    }

    // The columns after a removed one moved down: their stored forms are built again from the
    // display forms, which name the columns.
    std::vector<sFormulaOperand> operands;
    for (int c = 0; c < pList->m_arrColInfo.GetSize(); ++c)
    {
        if (IsNumericColumn(pList->m_arrColInfo[c].nDataType))
            operands.push_back({ NameOf(pList->m_arrColInfo[c]), c });
    }
    for (int c = pList->m_nBuiltInColumns; c < pList->m_arrColInfo.GetSize(); ++c)
    {
        sOrvoColInfo& info = pList->m_arrColInfo[c];
        CString csStored, csCheck;
        if (ConvertFormulaDisplayForm(info.csText2, operands.data(), (int)operands.size(), csStored, csCheck))
            info.csText1 = csStored;
    }

    pList->m_arrVisibleColumns.RemoveAll();
    for (int c = 0; c < pList->m_arrColPosition.GetSize(); ++c)
    {
        if (pList->m_arrColPosition[c] != -1)
            pList->AddToVisibleArray({ pList->m_arrColPosition[c], c });
    }
    const int nFirst = pList->ColumnAtPosition(0);
    if (nFirst >= 0)
        pList->m_nFirstVisibleColumn = nFirst;
    // Every shown column's tooltip again: the name of a built-in column, the display form of a
    // user-defined one.
    for (INT_PTR v = 0; v < pList->m_arrVisibleColumns.GetSize(); ++v)
    {
        const sVisibleColumn& shown = pList->m_arrVisibleColumns[v];
        const sOrvoColInfo& info = pList->m_arrColInfo[shown.nColumn];
        pList->AddHeaderToolTip(shown.nPosition, shown.nColumn >= pList->m_nBuiltInColumns && !info.csText2.IsEmpty()
                                                     ? (LPCTSTR)info.csText2
                                                     : info.szColName);
    }
    pList->OnUserColumnsRemoved(columns);
    pList->Invalidate();
    return true;
}

BEGIN_MESSAGE_MAP(CUserDefinedColDlg, CUserColumnDlgBase)
    // void OnOperatorButton(UINT nID): "(", "+", "-", "*", "/", "x ^ 2", "x ^ y"
    ON_CONTROL_RANGE(BN_CLICKED, IDC_UCOL_OPEN, IDC_UCOL_POWER, OnOperatorButton)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_UCOL_CLOSE, IDC_UCOL_CLOSE, OnOperatorButton)
    // void OnOperatorDoubleClick(UINT nID)
    ON_CONTROL_RANGE(BN_DOUBLECLICKED, IDC_UCOL_OPEN, IDC_UCOL_POWER, OnOperatorDoubleClick)
    ON_CONTROL_RANGE(BN_DOUBLECLICKED, IDC_UCOL_CLOSE, IDC_UCOL_CLOSE, OnOperatorDoubleClick)
    // void OnClickedEnd()
    ON_BN_CLICKED(IDC_UCOL_END, OnClickedEnd)
    // void OnClickedClear()
    ON_BN_CLICKED(IDC_UCOL_CLEAR, OnClickedClear)
    // void OnUserColumnChanged()
    ON_CBN_SELCHANGE(IDC_UCOL_USER_COLUMNS, OnUserColumnChanged)
END_MESSAGE_MAP()
