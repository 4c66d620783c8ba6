#include "dialogs/AddUserColDlg.h"
#include "market/MrktWatchListCtrl.h"
#include "host/ExtraColumns.h"
#include "resources/UserColumnRes.h"

#include <cstring>
#include <vector>

IMPLEMENT_DYNAMIC(CAddUserColDlg, CUserColumnDlgBase)

namespace
{
const int kFirstUserId = 101;

CString NameOf(const sOrvoColInfo& info)
{
    return CString(info.szColName, (int)strnlen(info.szColName, sizeof(info.szColName)));
}

// Text, date and plain-text columns cannot take part in a formula.
bool IsFormulaOperand(int nDataType)
{
    return nDataType != LIST_SORT_NATURAL && nDataType != LIST_SORT_DATETIME && nDataType != LIST_SORT_TEXT;
}
}  // namespace

CAddUserColDlg::CAddUserColDlg(CWnd* pParent) : CUserColumnDlgBase(IDD_ADD_USER_COL, pParent), m_nMode(0)
{
}

CAddUserColDlg::~CAddUserColDlg() = default;

void CAddUserColDlg::DoDataExchange(CDataExchange* pDX)
{
    CUserColumnDlgBase::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_UCOL_NAME, m_csColumnName);
    DDX_Text(pDX, IDC_UCOL_EXPRESSION, m_csExpression);
}

void CAddUserColDlg::FillValuesToList()
{
    if (GetSafeHwnd() == nullptr)
        return;
    m_ColumnList.ResetContent();
    m_UserColumnList.ResetContent();
    if (HasLiveList())
    {
        const int nLast = iMrktInfoColCount < m_pList->m_arrColInfo.GetSize() ? iMrktInfoColCount
                                                                              : (int)m_pList->m_arrColInfo.GetSize() - 1;
        for (int id = 0; id <= nLast; ++id)
        {
            const sOrvoColInfo& info = m_pList->m_arrColInfo[id];
            // Ids without a column (between the host's fields and 101) have no name.
            if (info.szColName[0] == '\0')
                continue;
            if (!info.csText1.IsEmpty())
            {
                int nEntry = m_UserColumnList.AddString(NameOf(info));
                if (nEntry >= 0)
                    m_UserColumnList.SetItemData(nEntry, (DWORD_PTR)id);
            }
            if (IsFormulaOperand(info.nDataType))
            {
                int nEntry = m_ColumnList.AddString(NameOf(info));
                if (nEntry >= 0)
                    m_ColumnList.SetItemData(nEntry, (DWORD_PTR)id);
            }
        }
    }
    m_csColumnName.Empty();
    m_csExpression.Empty();
    SetDlgItemText(IDC_UCOL_NAME, "");
    SetExpressionText("");
    GetDlgItem(IDC_UCOL_END)->EnableWindow(TRUE);
}

void CAddUserColDlg::Append(const CString& csText)
{
    m_csExpression = GetExpressionText() + csText;
    SetExpressionText(m_csExpression);
}

void CAddUserColDlg::AppendForButton(UINT nID, bool bCtrl)
{
    const sUserColumnButton* pButton = FindUserColumnButton(nID);
    if (pButton == nullptr)
        return;
    // Brackets here need no column: they stand alone with or without Ctrl.
    if (nID == IDC_UCOL_OPEN || nID == IDC_UCOL_CLOSE)
    {
        Append(pButton->lpszAfterColumn);
        return;
    }
    if (bCtrl)
    {
        Append(pButton->lpszAlone);
        return;
    }
    CString csName;
    int nId = 0;
    if (!GetSelectedColumn(csName, nId))
    {
        Refuse(UCOL_MSG_SELECT_COLUMN);
        SetFocus(&m_ColumnList);
        return;
    }
    Append("\"" + csName + "\"" + pButton->lpszAfterColumn);
}

void CAddUserColDlg::OnClickedEnd()
{
    CString csName;
    int nId = 0;
    if (!GetSelectedColumn(csName, nId))
    {
        Refuse(UCOL_MSG_NO_COLUMN);
        SetFocus(&m_ColumnList);
        return;
    }
    Append("\"" + csName + "\"");
    GetDlgItem(IDC_UCOL_END)->EnableWindow(FALSE);
}

void CAddUserColDlg::OnClickedClear()
{
    m_csExpression.Empty();
    SetExpressionText("");
    GetDlgItem(IDC_UCOL_END)->EnableWindow(TRUE);
}

void CAddUserColDlg::OnUserColumnChanged()
{
    CString csName;
    int nId = 0;
    if (!HasLiveList() || !GetSelectedUserColumn(csName, nId))
        return;
    if (nId >= 0 && nId < m_pList->m_arrColInfo.GetSize() && NameOf(m_pList->m_arrColInfo[nId]) == csName)
        SetExpressionText(m_pList->m_arrColInfo[nId].csText1);
}

bool CAddUserColDlg::Report(UINT nMessage, CString& csFirst, CString& csSecond)
{
    CWnd* pOwner = m_pList->GetOwnerWnd() != nullptr ? m_pList->GetOwnerWnd() : m_pList->GetParent();
    const HWND hSelf = m_hWnd;
    if (pOwner != nullptr && ::IsWindow(pOwner->GetSafeHwnd()))
        ::SendMessage(pOwner->GetSafeHwnd(), nMessage, (WPARAM)&csFirst, (LPARAM)&csSecond);
    // The owner may have rebuilt the grid, taking this window (a child of the list) with it.
    return ::IsWindow(hSelf) && m_hWnd == hSelf;
}

void CAddUserColDlg::OnOK()
{
    if (!HasLiveList())
    {
        CUserColumnDlgBase::OnOK();
        return;
    }
    if (!UpdateData(TRUE))
        return;
    bool bDone = true;
    if (m_nMode == AUC_MODE_ADD)
        bDone = ConfirmAdd();
    else if (m_nMode == AUC_MODE_EDIT)
        bDone = ConfirmEdit();
    else if (m_nMode == AUC_MODE_DELETE)
        bDone = ConfirmDelete();
    if (bDone && GetSafeHwnd() != nullptr)
        CUserColumnDlgBase::OnOK();
}

bool CAddUserColDlg::ConfirmAdd()
{
    CString csName = m_csColumnName;
    csName.Trim();
    if (csName.IsEmpty())
    {
        Refuse(AUC_MSG_ENTER_NAME);
        return false;
    }
    if (LPCTSTR lpszRefusal = RefuseName(csName))
    {
        Refuse(lpszRefusal);
        return false;
    }
    if (m_csExpression.IsEmpty())
    {
        Refuse(AUC_MSG_ENTER_EXPRESSION);
        return false;
    }
    const int nLast = iMrktInfoColCount < m_pList->m_arrColInfo.GetSize() ? iMrktInfoColCount
                                                                          : (int)m_pList->m_arrColInfo.GetSize() - 1;
    for (int id = 0; id <= nLast; ++id)
    {
        if (NameOf(m_pList->m_arrColInfo[id]) != csName)
            continue;
        Refuse(AUC_MSG_PRESENT);
        for (int i = 0; i < m_ColumnList.GetCount(); ++i)
        {
            CString csEntry;
            m_ColumnList.GetText(i, csEntry);
            if (csEntry == csName)
            {
                m_ColumnList.SetCurSel(i);
                break;
            }
        }
        SetFocus(IDC_UCOL_NAME);
        return false;
    }
    CString csStored;
    if (!ConvertAndCheck(m_csExpression, csStored))
    {
        Refuse(UCOL_MSG_INVALID);
        return false;
    }
    ++iMrktInfoColCount;
    CString csNameAndForm = csName + "|" + m_csExpression;
    const bool bAlive = Report(WM_USERCOL_ADDED, csNameAndForm, csStored);
    ++iNewDataArrCnt;
    return bAlive;
}

bool CAddUserColDlg::ConfirmEdit()
{
    CString csName;
    int nId = 0;
    if (!GetSelectedUserColumn(csName, nId))
    {
        Refuse(AUC_MSG_SELECT_USER);
        return false;
    }
    if (m_csExpression.IsEmpty())
    {
        Refuse(AUC_MSG_VALID_EXPRESSION);
        return false;
    }
    int nPosition = -1;
    CHeaderCtrl* pHeader = m_pList->GetHeaderCtrl();
    const int nItems = pHeader != nullptr ? pHeader->GetItemCount() : 0;
    for (int i = 0; i < nItems && nPosition < 0; ++i)
    {
        char szText[128] = "";
        HDITEMA item = {};
        item.mask = HDI_TEXT;
        item.pszText = szText;
        item.cchTextMax = sizeof(szText);
        if (pHeader->GetItem(i, &item) && csName == szText)
            nPosition = i;
    }
    if (nPosition < 0)
    {
        const INT_PTR nEnd = m_pList->m_arrColPosition.GetSize() < m_pList->m_arrColInfo.GetSize()
                                 ? m_pList->m_arrColPosition.GetSize()
                                 : m_pList->m_arrColInfo.GetSize();
        for (INT_PTR id = kFirstUserId; id < nEnd && nPosition < 0; ++id)
        {
            if (NameOf(m_pList->m_arrColInfo[id]) == csName)
                nPosition = m_pList->m_arrColPosition[id];
        }
    }
    if (nPosition < 0)
    {
        CString csText;
        csText.Format(AUC_MSG_NOT_ON_WATCH, (LPCTSTR)csName);
        Refuse(csText);
    }
    CString csStored;
    if (!ConvertAndCheck(m_csExpression, csStored))
    {
        Refuse(UCOL_MSG_INVALID);
        return false;
    }
    CString csNameAndForm = csName + "|" + m_csExpression;
    return Report(WM_USERCOL_EDITED, csNameAndForm, csStored);
}

void CAddUserColDlg::CollectDependentColumns(const CCommonListCtrl* pList, const CString& csName, CArray<int, int>& ids,
                                             CString& csLastExamined)
{
    ids.RemoveAll();
    const INT_PTR nEnd = pList->m_arrColPosition.GetSize() < pList->m_arrColInfo.GetSize()
                             ? pList->m_arrColPosition.GetSize()
                             : pList->m_arrColInfo.GetSize();
    if (nEnd <= kFirstUserId)
        return;
    std::vector<bool> removed((size_t)nEnd, false);
    std::vector<CString> pending(1, csName);
    for (INT_PTR id = kFirstUserId; id < nEnd; ++id)
    {
        if (NameOf(pList->m_arrColInfo[id]) == csName)
            removed[(size_t)id] = true;
    }
    while (!pending.empty())
    {
        const CString csQuoted = "\"" + pending.back() + "\"";
        pending.pop_back();
        for (INT_PTR id = kFirstUserId; id < nEnd; ++id)
        {
            if (removed[(size_t)id])
                continue;
            csLastExamined = pList->m_arrColInfo[id].csText1;
            if (csLastExamined.Find(csQuoted) >= 0)
            {
                removed[(size_t)id] = true;
                ids.Add((int)id);
                pending.push_back(NameOf(pList->m_arrColInfo[id]));
            }
        }
    }
    // Ascending.
    for (INT_PTR i = 1; i < ids.GetSize(); ++i)
    {
        const int v = ids[i];
        INT_PTR j = i;
        for (; j > 0 && ids[j - 1] > v; --j)
            ids[j] = ids[j - 1];
        ids[j] = v;
    }
}

bool CAddUserColDlg::ConfirmDelete()
{
    CString csName;
    int nId = 0;
    if (!GetSelectedUserColumn(csName, nId))
    {
        Refuse(AUC_MSG_SELECT_USER);
        return false;
    }
    CArray<int, int> ids;
    CollectDependentColumns(m_pList, csName, ids, m_csWork);
    // The selected column and its dependents leave the list's position and width arrays by id, so
    // that the entries left are those of the ids the owner gives the remaining columns when it
    // numbers them consecutively again.
    CArray<int, int> gone;
    gone.Copy(ids);
    if (nId >= kFirstUserId && nId < m_pList->m_arrColInfo.GetSize() && NameOf(m_pList->m_arrColInfo[nId]) == csName)
    {
        INT_PTR k = 0;
        while (k < gone.GetSize() && gone[k] < nId)
            ++k;
        gone.InsertAt(k, nId);
    }
    for (INT_PTR k = 0; k < ids.GetSize() + 1; ++k)
    {
        if (iMrktInfoColCount > 100)
            --iMrktInfoColCount;
        if (iNewDataArrCnt > 0)
            --iNewDataArrCnt;
    }
    // The market watch keeps its stored widths by id in its own array.
    CMrktWatchListCtrl* pWatch = DYNAMIC_DOWNCAST(CMrktWatchListCtrl, m_pList);
    CArray<int, int>* pWidths = pWatch != nullptr ? &pWatch->m_arrWidth : &m_pList->m_arrColWidth;
    for (INT_PTR k = gone.GetSize() - 1; k >= 0; --k)
    {
        const int id = gone[k];
        if (id >= m_pList->m_arrColPosition.GetSize())
            continue;
        const int nPosition = m_pList->m_arrColPosition[id];
        m_pList->m_arrColPosition.RemoveAt(id);
        if (nPosition != -1)
        {
            for (INT_PTR i = 0; i < m_pList->m_arrColPosition.GetSize(); ++i)
            {
                if (m_pList->m_arrColPosition[i] > nPosition)
                    --m_pList->m_arrColPosition[i];
            }
        }
        if (id < pWidths->GetSize())
            pWidths->RemoveAt(id);
    }
    return Report(WM_USERCOL_DELETED, csName, m_csWork);
}

BEGIN_MESSAGE_MAP(CAddUserColDlg, CUserColumnDlgBase)
    // void OnOperatorButton(UINT nID): "(", "+", "-", "*", "/"
    ON_CONTROL_RANGE(BN_CLICKED, IDC_UCOL_OPEN, IDC_UCOL_DIVIDE, OnOperatorButton)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_UCOL_CLOSE, IDC_UCOL_CLOSE, OnOperatorButton)
    // void OnClickedEnd()
    ON_BN_CLICKED(IDC_UCOL_END, OnClickedEnd)
    // void OnClickedClear()
    ON_BN_CLICKED(IDC_UCOL_CLEAR, OnClickedClear)
    // void OnUserColumnChanged()
    ON_CBN_SELCHANGE(IDC_UCOL_USER_COLUMNS, OnUserColumnChanged)
END_MESSAGE_MAP()
