#include "dialogs/FontSettingDlg.h"
#include "resources/AppearanceRes.h"

IMPLEMENT_DYNAMIC(CFontSettingDlg, CBCGPDialog)

const int CFontSettingDlg::s_nSizes[16] = { 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72 };

CFontSettingDlg::CFontSettingDlg(CWnd* pParent) : CBCGPDialog(IDD_FONT_SETTING, pParent)
{
}

CFontSettingDlg::CFontSettingDlg(CString csFont, CString csSize, CWnd* pParent)
    : CBCGPDialog(IDD_FONT_SETTING, pParent), m_csFont(csFont), m_csSize(csSize)
{
}

CFontSettingDlg::~CFontSettingDlg() = default;

void CFontSettingDlg::DoDataExchange(CDataExchange* pDX)
{
    CBCGPDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FS_FONT, m_FontCombo);
    DDX_Control(pDX, IDC_FS_SIZE, m_SizeCombo);
}

BOOL CFontSettingDlg::OnInitDialog()
{
    CBCGPDialog::OnInitDialog();
    m_FontCombo.m_csSelectedFont = "Trebuchet MS";
    m_FontCombo.InitialiseFontList();
    m_SizeCombo.ResetContent();
    for (int nSize : s_nSizes)
    {
        CString csSize;
        csSize.Format("%d", nSize);
        m_SizeCombo.AddString(csSize);
    }
    m_SizeCombo.SetCurSel(0);
    // The stored choice: the first entry that starts with it. An unknown face leaves the font
    // list as it is; a size the list does not offer leaves no size selected.
    if (!m_csFont.IsEmpty())
        m_FontCombo.SelectString(-1, m_csFont);
    if (!m_csSize.IsEmpty())
        m_SizeCombo.SetCurSel(m_SizeCombo.FindString(-1, m_csSize));
    return TRUE;
}

void CFontSettingDlg::OnOK()
{
    int nFont = m_FontCombo.GetCurSel();
    if (nFont != CB_ERR)
        m_FontCombo.GetLBText(nFont, m_csFont);
    int nSize = m_SizeCombo.GetCurSel();
    if (nSize != CB_ERR)
        m_SizeCombo.GetLBText(nSize, m_csSize);
    CBCGPDialog::OnOK();
}

LRESULT CFontSettingDlg::OnFontChange(WPARAM wParam, LPARAM lParam)
{
    // Only top-level windows hear of new fonts: pass it on to the font list.
    m_FontCombo.SendMessage(WM_FONTCHANGE, wParam, lParam);
    return 0;
}

BEGIN_MESSAGE_MAP(CFontSettingDlg, CBCGPDialog)
    // LRESULT OnFontChange(WPARAM, LPARAM)
    ON_MESSAGE(WM_FONTCHANGE, OnFontChange)
END_MESSAGE_MAP()
