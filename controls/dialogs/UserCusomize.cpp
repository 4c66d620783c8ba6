#include "dialogs/UserCusomize.h"
#include "resources/AppearanceRes.h"
#include "lists/AppearanceText.h"

IMPLEMENT_DYNAMIC(CUserCusomize, CVXDialog)

CUserCusomize::CUserCusomize(CWnd* pParent) : CVXDialog(IDD_USER_CUSTOMIZE, pParent), m_pParentList(nullptr)
{
}

CUserCusomize::~CUserCusomize() = default;

void CUserCusomize::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_UC_LIST, m_PropertyList);
    DDX_Control(pDX, IDC_UC_BACKGROUND, m_BackgroundButton);
}

BOOL CUserCusomize::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    m_PropertyList.SetExtendedStyle(m_PropertyList.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    m_PropertyList.InsertColumn(0, "Property", LVCFMT_LEFT, 100);
    m_PropertyList.InsertColumn(1, "Text Color", LVCFMT_LEFT, 100);
    m_PropertyList.InsertColumn(2, "Text BK Color", LVCFMT_LEFT, 100);
    return TRUE;
}

void CUserCusomize::SetParentList(CCommonListCtrl* pList)
{
    m_pParentList = pList;
    if (pList == nullptr || m_hWnd == nullptr)
        return;
    // Assignment keeps the arrays the source lacks: the last list's rules must not stay behind.
    m_Appearance.ReleaseArrays();
    m_Appearance = pList->m_Appearance;
    m_PropertyList.DeleteAllItems();
    const cCustomizedAppearanceSettings& a = m_Appearance;
    if (pList->m_bUserCustomize && a.m_pUserKeywords != nullptr && a.m_pUserTextColors != nullptr &&
        a.m_pUserBackColors != nullptr)
    {
        INT_PTR n = std::min(a.m_pUserKeywords->GetSize(),
                             std::min(a.m_pUserTextColors->GetSize(), a.m_pUserBackColors->GetSize()));
        m_PropertyList.SetRedraw(FALSE);
        for (INT_PTR i = 0; i < n; ++i)
        {
            int nRow = m_PropertyList.InsertItem((int)i, a.m_pUserKeywords->GetAt(i));
            m_PropertyList.SetColorboxColor(nRow, 1, a.m_pUserTextColors->GetAt(i));
            m_PropertyList.SetColorboxColor(nRow, 2, a.m_pUserBackColors->GetAt(i));
        }
        m_PropertyList.SetRedraw(TRUE);
        m_PropertyList.Invalidate();
    }
    m_BackgroundButton.SetColor(a.m_clrBackground);
}

void CUserCusomize::OnBackgroundColor()
{
    CColorDialog dlg(m_Appearance.m_clrBackground, CC_FULLOPEN | CC_RGBINIT, this);
    if (dlg.DoModal() != IDOK)
        return;
    m_Appearance.m_clrBackground = dlg.GetColor();
    m_BackgroundButton.SetColor(dlg.GetColor());
}

void CUserCusomize::OnListKeyDown(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (reinterpret_cast<NMLVKEYDOWN*>(pNMHDR)->wVKey != VK_DELETE)
        return;
    for (int i = m_PropertyList.GetItemCount() - 1; i >= 0; --i)
    {
        if (m_PropertyList.GetItemState(i, LVIS_SELECTED) & LVIS_SELECTED)
            m_PropertyList.DeleteItem(i);
    }
}

void CUserCusomize::OnApply()
{
    CCommonListCtrl* pList = m_pParentList;
    if (pList == nullptr || pList->GetSafeHwnd() == nullptr)
        return;
    // The record as it would be stored, built apart: a refused Apply changes nothing anywhere.
    cCustomizedAppearanceSettings record;
    record = m_Appearance;
    record.ResetUserArrays();
    for (int i = 0, n = m_PropertyList.GetItemCount(); i < n; ++i)
    {
        record.m_pUserKeywords->Add(KeywordToStore(m_PropertyList.GetItemText(i, 0)));
        record.m_pUserTextColors->Add(m_PropertyList.GetColorboxColor(i, 1));
        record.m_pUserBackColors->Add(m_PropertyList.GetColorboxColor(i, 2));
    }
    const CString csProblem = pList->CustomizeSettingsProblem(record, false, true);
    if (!csProblem.IsEmpty())
    {
        AfxMessageBox("These settings cannot be saved, so nothing was applied: " + csProblem +
                      ". Remove some rows and apply again.", MB_OK | MB_ICONWARNING);
        return;
    }

    CCommonListCtrl::SetListFontProperty(pList, pList->GetDlgCtrlID(), record.m_csFontName, record.m_csFontSize);
    pList->SetBkColor(record.m_clrBackground);
    pList->SetTextBkColor(record.m_clrBackground);
    pList->RedrawWindow();
    m_Appearance = record;
    pList->m_Appearance = m_Appearance;
    pList->WriteUserCustomizeSettings();
}

void CUserCusomize::OnOK()
{
}

void CUserCusomize::OnCancel()
{
    ShowWindow(SW_HIDE);
}

BEGIN_MESSAGE_MAP(CUserCusomize, CVXDialog)
    // void OnXxx()
    ON_BN_CLICKED(IDC_UC_BACKGROUND, OnBackgroundColor)
    ON_BN_CLICKED(IDC_UC_APPLY, OnApply)
    // void OnListKeyDown(NMHDR* pNMHDR, LRESULT* pResult)
    ON_NOTIFY(LVN_KEYDOWN, IDC_UC_LIST, OnListKeyDown)
END_MESSAGE_MAP()
