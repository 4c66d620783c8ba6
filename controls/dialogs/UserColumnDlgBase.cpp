#include "dialogs/UserColumnDlgBase.h"
#include "lists/CommonListCtrl.h"
#include "resources/UserColumnRes.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CUserColumnDlgBase, CVXDialog)

namespace
{
const sUserColumnButton kButtons[] = {
    { IDC_UCOL_PLUS, " + ", "+", "+" },
    { IDC_UCOL_MINUS, " - ", "-", "-" },
    { IDC_UCOL_MULTIPLY, " * ", "*", "*" },
    { IDC_UCOL_DIVIDE, " / ", "/", "/" },
    { IDC_UCOL_OPEN, " ( ", "(", "(" },
    { IDC_UCOL_CLOSE, " ) ", ")", ")" },
    { IDC_UCOL_SQUARE, " ^ 2 ", "^2", "^ 2" },
    { IDC_UCOL_POWER, " ^ ", "^", "^" },
};
}  // namespace

const sUserColumnButton* FindUserColumnButton(UINT nID)
{
    for (const sUserColumnButton& button : kButtons)
    {
        if (button.nID == nID)
            return &button;
    }
    return nullptr;
}

CUserColumnDlgBase::CUserColumnDlgBase(UINT nIDTemplate, CWnd* pParent)
    : CVXDialog(nIDTemplate, pParent), m_pList(nullptr)
{
}

CUserColumnDlgBase::~CUserColumnDlgBase() = default;

void CUserColumnDlgBase::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_UCOL_COLUMNS, m_ColumnList);
    DDX_Control(pDX, IDC_UCOL_USER_COLUMNS, m_UserColumnList);
}

CString CUserColumnDlgBase::GetExpressionText() const
{
    CString csText;
    GetDlgItemText(IDC_UCOL_EXPRESSION, csText);
    return csText;
}

void CUserColumnDlgBase::SetExpressionText(const CString& csText)
{
    SetDlgItemText(IDC_UCOL_EXPRESSION, csText);
    CWnd* pEdit = GetDlgItem(IDC_UCOL_EXPRESSION);
    if (pEdit != nullptr)
        pEdit->SendMessage(EM_SETSEL, (WPARAM)csText.GetLength(), (LPARAM)csText.GetLength());
}

bool CUserColumnDlgBase::GetSelectedColumn(CString& csName, int& nColumn) const
{
    const int nSel = m_ColumnList.GetSafeHwnd() ? m_ColumnList.GetCurSel() : LB_ERR;
    if (nSel < 0)
        return false;
    m_ColumnList.GetText(nSel, csName);
    nColumn = (int)m_ColumnList.GetItemData(nSel);
    return true;
}

bool CUserColumnDlgBase::GetSelectedUserColumn(CString& csName, int& nColumn) const
{
    const int nSel = m_UserColumnList.GetSafeHwnd() ? m_UserColumnList.GetCurSel() : CB_ERR;
    if (nSel < 0)
        return false;
    m_UserColumnList.GetLBText(nSel, csName);
    nColumn = (int)m_UserColumnList.GetItemData(nSel);
    return true;
}

bool CUserColumnDlgBase::HasLiveList()
{
    if (m_pList != nullptr && !CCommonListCtrl::IsLiveList(m_pList))
        m_pList = nullptr;
    return m_pList != nullptr;
}

bool CUserColumnDlgBase::IsUsableOperand(const CString& csName, int nColumn) const
{
    // A column removed (or renamed) since the dialog was filled no longer counts.
    if (m_pList == nullptr || nColumn < 0 || nColumn >= m_pList->m_arrColInfo.GetSize())
        return false;
    const sOrvoColInfo& info = m_pList->m_arrColInfo[nColumn];
    return strncmp(info.szColName, csName, sizeof(info.szColName)) == 0 && csName.GetLength() < (int)sizeof(info.szColName);
}

bool CUserColumnDlgBase::ConvertAndCheck(const CString& csDisplay, CString& csStored)
{
    std::vector<sFormulaOperand> operands;
    const int nCount = m_ColumnList.GetCount();
    operands.reserve(nCount > 0 ? (size_t)nCount : 0);
    for (int i = 0; i < nCount; ++i)
    {
        sFormulaOperand operand;
        m_ColumnList.GetText(i, operand.strName);
        operand.nColumn = (int)m_ColumnList.GetItemData(i);
        if (IsUsableOperand(operand.strName, operand.nColumn))
            operands.push_back(operand);
    }
    CString csCheck;
    return CheckFormulaDisplayForm(csDisplay, operands.data(), (int)operands.size(), csStored, csCheck) != FALSE;
}

LPCTSTR CUserColumnDlgBase::RefuseName(const CString& csName)
{
    if (csName.GetLength() > UCOL_MAX_NAME)
        return UCOL_MSG_NAME_TOO_LONG;
    // A quote would end the name inside a formula; "|" and the section sign delimit the market
    // watch's stored columns.
    if (csName.FindOneOf("\"|\xA7") >= 0)
        return UCOL_MSG_NAME_CHARS;
    return nullptr;
}

void CUserColumnDlgBase::Refuse(LPCTSTR lpszText)
{
    MessageBox(lpszText);
}

bool CUserColumnDlgBase::CtrlDown()
{
    return ::GetKeyState(VK_CONTROL) < 0;
}

void CUserColumnDlgBase::OnOperatorButton(UINT nID)
{
    AppendForButton(nID, CtrlDown());
}

void CUserColumnDlgBase::OnOperatorDoubleClick(UINT nID)
{
    AppendForButton(nID, true);
}

BEGIN_MESSAGE_MAP(CUserColumnDlgBase, CVXDialog)
END_MESSAGE_MAP()
