#include "dialogs/CustomizedAppearance.h"
#include "dialogs/FontSettingDlg.h"
#include "resources/AppearanceRes.h"
#include "lists/AppearanceText.h"

IMPLEMENT_DYNAMIC(CCustomizedAppearance, CVXDialog)

namespace
{
const char kText[] = "Text";
const char kBackground[] = "Background";

// The controls of the "Depends on Column Text" group, shown and hidden together.
const int kGroupControls[] = { IDC_CA_GROUP, IDC_CA_COLUMN_LABEL, IDC_CA_KEYWORD_LABEL, IDC_CA_COLUMN,
                               IDC_CA_CHANGE_COLUMN, IDC_CA_KEYWORD, IDC_CA_ADD, IDC_CA_KEYWORDS };
}  // namespace

CCustomizedAppearance::CCustomizedAppearance(CWnd* pParent)
    : CVXDialog(IDD_CUSTOMIZED_APPEARANCE, pParent), m_pParentList(nullptr), m_bGroupShown(true), m_nGroupHeight(0)
{
}

CCustomizedAppearance::~CCustomizedAppearance() = default;

void CCustomizedAppearance::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CA_PROPERTY, m_PropertyCombo);
    DDX_Control(pDX, IDC_CA_COLOR, m_ColorButton);
    DDX_Control(pDX, IDC_CA_FONT, m_FontButton);
    DDX_Control(pDX, IDC_CA_COLUMN, m_ColumnCombo);
    DDX_Control(pDX, IDC_CA_CHANGE_COLUMN, m_ChangeColumnButton);
    DDX_Control(pDX, IDC_CA_KEYWORD, m_KeywordEdit);
    DDX_Control(pDX, IDC_CA_ADD, m_AddButton);
    DDX_Control(pDX, IDC_CA_KEYWORDS, m_KeywordList);
}

BOOL CCustomizedAppearance::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    m_PropertyCombo.ResetContent();
    m_PropertyCombo.AddString(kText);
    m_PropertyCombo.AddString(kBackground);
    m_KeywordList.SetExtendedStyle(m_KeywordList.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    m_KeywordList.InsertColumn(0, "Keyword", LVCFMT_LEFT, 100);
    m_KeywordList.InsertColumn(1, "Color", LVCFMT_LEFT, 100);

    if (m_ToolTip.Create(this))
    {
        m_ToolTip.AddTool(&m_ColumnCombo, "Choose the column for Keywords");
        m_ToolTip.AddTool(&m_ChangeColumnButton, "Click to change column for Keywords");
        m_ToolTip.AddTool(&m_KeywordEdit, "Enter Text to add a keyword to list");
        m_ToolTip.AddTool(&m_AddButton, "Click to add a keyword to list");
        m_ToolTip.SetTipTextColor(RGB(0, 0, 255));   // 0xFF0000 as a COLORREF
        m_ToolTip.SetDelayTime(TTDT_INITIAL, 1);
        m_ToolTip.Activate(TRUE);
    }

    // The group takes the lower part of the window: from its top edge to the client's bottom.
    CRect client, group;
    GetClientRect(&client);
    GetDlgItem(IDC_CA_GROUP)->GetWindowRect(&group);
    ScreenToClient(&group);
    m_nGroupHeight = client.bottom - group.top;
    m_bGroupShown = true;
    return TRUE;
}

void CCustomizedAppearance::SetParentList(CCommonListCtrl* pList)
{
    m_pParentList = pList;
    if (pList == nullptr || m_hWnd == nullptr)
        return;
    // Assignment keeps the arrays the source lacks: the last list's rules must not stay behind.
    m_Appearance.ReleaseArrays();
    m_Appearance = pList->m_Appearance;
    m_ColumnCombo.ResetContent();
    m_KeywordList.DeleteAllItems();

    const BOOL bColors = pList->m_bApplyCustomColors != 0;
    m_PropertyCombo.EnableWindow(bColors);
    m_ColorButton.EnableWindow(bColors);
    m_ColumnCombo.EnableWindow(bColors);
    m_ChangeColumnButton.EnableWindow(bColors);
    m_KeywordEdit.EnableWindow(bColors);
    m_AddButton.EnableWindow(bColors);
    m_KeywordList.EnableWindow(bColors);

    if (m_Appearance.m_bKeywordRulesAvailable)
    {
        for (INT_PTR c = 0; c < pList->m_arrColInfo.GetSize(); ++c)
        {
            int nIndex = m_ColumnCombo.AddString(pList->m_arrColInfo[c].szColName);
            m_ColumnCombo.SetItemData(nIndex, (DWORD_PTR)c);
            if ((int)c == m_Appearance.m_nKeywordColumn)
                m_ColumnCombo.SetCurSel(nIndex);
        }
        m_ColumnCombo.EnableWindow(FALSE);
        if (m_Appearance.m_pKeywords != nullptr && m_Appearance.m_pKeywordColors != nullptr)
        {
            // One repaint for the whole list, however many rules there are.
            m_KeywordList.SetRedraw(FALSE);
            INT_PTR nRules = std::min(m_Appearance.m_pKeywords->GetSize(), m_Appearance.m_pKeywordColors->GetSize());
            for (INT_PTR i = 0; i < nRules; ++i)
            {
                int nRow = m_KeywordList.InsertItem((int)i, m_Appearance.m_pKeywords->GetAt(i));
                m_KeywordList.SetColorboxColor(nRow, 1, m_Appearance.m_pKeywordColors->GetAt(i));
            }
            m_KeywordList.SetRedraw(TRUE);
            m_KeywordList.Invalidate();
        }
    }
    m_PropertyCombo.SetCurSel(m_PropertyCombo.FindStringExact(-1, kBackground));
    OnPropertyChange();
    ShowFont();
}

bool CCustomizedAppearance::IsBackgroundSelected() const
{
    int nIndex = m_PropertyCombo.GetCurSel();
    if (nIndex == CB_ERR)
        return true;
    CString csText;
    m_PropertyCombo.GetLBText(nIndex, csText);
    return csText == kBackground;
}

void CCustomizedAppearance::ShowKeywordGroup(bool bShow)
{
    if (bShow == m_bGroupShown)
        return;
    for (int nID : kGroupControls)
    {
        if (CWnd* pControl = GetDlgItem(nID))
            pControl->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    }
    CRect rc;
    GetWindowRect(&rc);
    SetWindowPos(nullptr, 0, 0, rc.Width(), rc.Height() + (bShow ? m_nGroupHeight : -m_nGroupHeight),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_bGroupShown = bShow;
}

void CCustomizedAppearance::ShowFont()
{
    m_FontButton.SetWindowText(m_Appearance.m_csFontName + ", " + m_Appearance.m_csFontSize);
}

void CCustomizedAppearance::OnPropertyChange()
{
    if (IsBackgroundSelected())
    {
        m_ColorButton.SetColor(m_Appearance.m_clrBackground);
        ShowKeywordGroup(false);
    }
    else
    {
        m_ColorButton.SetColor(m_Appearance.m_clrText);
        ShowKeywordGroup(m_Appearance.m_bKeywordRulesAvailable);
    }
}

void CCustomizedAppearance::OnColorButton()
{
    bool bBackground = IsBackgroundSelected();
    CColorDialog dlg(bBackground ? m_Appearance.m_clrBackground : m_Appearance.m_clrText, CC_FULLOPEN | CC_RGBINIT,
                     this);
    if (dlg.DoModal() != IDOK)
        return;
    if (bBackground)
        m_Appearance.m_clrBackground = dlg.GetColor();
    else
        m_Appearance.m_clrText = dlg.GetColor();
    m_ColorButton.SetColor(dlg.GetColor());
}

void CCustomizedAppearance::OnFontButton()
{
    CFontSettingDlg dlg(m_Appearance.m_csFontName, m_Appearance.m_csFontSize, this);
    if (dlg.DoModal() != IDOK)
        return;
    if (!dlg.GetFont().IsEmpty())
        m_Appearance.m_csFontName = dlg.GetFont();
    if (!dlg.GetSize().IsEmpty())
        m_Appearance.m_csFontSize = dlg.GetSize();
    ShowFont();
}

void CCustomizedAppearance::OnChangeColumn()
{
    m_ColumnCombo.EnableWindow(TRUE);
}

void CCustomizedAppearance::OnColumnChange()
{
    m_KeywordList.DeleteAllItems();
}

void CCustomizedAppearance::OnAddKeyword()
{
    CString csKeyword;
    m_KeywordEdit.GetWindowText(csKeyword);
    if (csKeyword.IsEmpty())
    {
        AfxMessageBox("Enter text to add a new keyword to list");
        return;
    }
    if (!IsStorableKeyword(csKeyword))
    {
        // The settings keep keywords between commas: one holding a comma could not be read back.
        AfxMessageBox("A keyword cannot contain a comma");
        return;
    }
    // Longer keywords first, so a row holding "buy" takes the colour of "buy" before that of "b".
    int nRow = 0;
    const int nRows = m_KeywordList.GetItemCount();
    while (nRow < nRows && m_KeywordList.GetItemText(nRow, 0).GetLength() > csKeyword.GetLength())
        ++nRow;
    nRow = m_KeywordList.InsertItem(nRow, csKeyword);
    m_KeywordList.SetColorboxColor(nRow, 1, m_Appearance.m_clrText);
    m_KeywordEdit.SetWindowText("");
}

void CCustomizedAppearance::OnKeywordKeyDown(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (reinterpret_cast<NMLVKEYDOWN*>(pNMHDR)->wVKey != VK_DELETE)
        return;
    for (int i = m_KeywordList.GetItemCount() - 1; i >= 0; --i)
    {
        if (m_KeywordList.GetItemState(i, LVIS_SELECTED) & LVIS_SELECTED)
            m_KeywordList.DeleteItem(i);
    }
}

void CCustomizedAppearance::OnApplySettings()
{
    CCommonListCtrl* pList = m_pParentList;
    if (pList == nullptr || pList->GetSafeHwnd() == nullptr)
        return;
    // The record as it would be stored, built apart: a refused Apply changes nothing anywhere.
    cCustomizedAppearanceSettings record;
    record = m_Appearance;
    int nColumn = m_ColumnCombo.GetCurSel();
    if (nColumn != CB_ERR)
    {
        record.m_nKeywordColumn = (int)m_ColumnCombo.GetItemData(nColumn);
        record.ResetKeywordArrays();
        for (int i = 0, n = m_KeywordList.GetItemCount(); i < n; ++i)
        {
            COLORREF clr = m_KeywordList.GetColorboxColor(i, 1);
            if (clr == (COLORREF)-1)
                continue;
            record.m_pKeywords->Add(KeywordToStore(m_KeywordList.GetItemText(i, 0)));
            record.m_pKeywordColors->Add(clr);
        }
    }
    // Stored settings would otherwise be lost silently at the next start: say why and stay open.
    const CString csProblem = pList->CustomizeSettingsProblem(record, record.m_nKeywordColumn != -1, false);
    if (!csProblem.IsEmpty())
    {
        AfxMessageBox("These settings cannot be saved, so nothing was applied: " + csProblem +
                      ". Remove some keywords and apply again.", MB_OK | MB_ICONWARNING);
        return;
    }

    CCommonListCtrl::SetListFontProperty(pList, pList->GetDlgCtrlID(), record.m_csFontName, record.m_csFontSize);
    if (pList->m_bApplyCustomColors)
    {
        pList->SetBkColor(record.m_clrBackground);
        pList->SetTextBkColor(record.m_clrBackground);
        pList->SetTextColor(record.m_clrText);
    }
    pList->RedrawWindow();
    m_Appearance = record;
    pList->m_Appearance = m_Appearance;
    pList->m_bCustomizeLoaded = true;
    pList->WriteCustomizeSettings(pList->m_Appearance.m_nKeywordColumn != -1, pList->m_csGetRecoveryFile);
}

void CCustomizedAppearance::OnOK()
{
    // Enter in the keyword box adds the keyword; the dialog itself stays open.
    if (::GetFocus() == m_KeywordEdit.GetSafeHwnd())
        OnAddKeyword();
}

void CCustomizedAppearance::OnCancel()
{
    ShowWindow(SW_HIDE);
}

BEGIN_MESSAGE_MAP(CCustomizedAppearance, CVXDialog)
    // void OnXxx()
    ON_CBN_SELCHANGE(IDC_CA_PROPERTY, OnPropertyChange)
    ON_BN_CLICKED(IDC_CA_COLOR, OnColorButton)
    ON_BN_CLICKED(IDC_CA_FONT, OnFontButton)
    ON_BN_CLICKED(IDC_CA_CHANGE_COLUMN, OnChangeColumn)
    ON_CBN_SELCHANGE(IDC_CA_COLUMN, OnColumnChange)
    ON_BN_CLICKED(IDC_CA_ADD, OnAddKeyword)
    ON_BN_CLICKED(IDC_CA_APPLY, OnApplySettings)
    // void OnKeywordKeyDown(NMHDR* pNMHDR, LRESULT* pResult)
    ON_NOTIFY(LVN_KEYDOWN, IDC_CA_KEYWORDS, OnKeywordKeyDown)
END_MESSAGE_MAP()
