#include "dialogs/ListTrendSetting.h"
#include "lists/ListSortRules.h"
#include "resources/ListTrendSettingRes.h"

IMPLEMENT_DYNAMIC(CListTrendSetting, CVXDialog)

namespace
{
const COLORREF kDefaultPosColour = RGB(0, 0, 255);
const COLORREF kDefaultNegColour = RGB(255, 125, 125);
const COLORREF kCaptionColour = RGB(0, 0, 0);

bool IsTrendCandidate(int nDataType)
{
    switch (nDataType)
    {
    case LIST_SORT_INTEGER:
    case LIST_SORT_DECIMAL:
    case LIST_SORT_LONG:
    case LIST_SORT_DECIMAL_5:
    case LIST_SORT_DECIMAL_9:
        return true;
    default:
        return false;
    }
}
}  // namespace

CListTrendSetting::CListTrendSetting(CWnd* pParent)
    : CVXDialog(IDD_LIST_TREND_SETTING, pParent), m_pFilterList(nullptr)
{
    // The template holds a track bar, whose class Windows registers only on request.
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_BAR_CLASSES };
    ::InitCommonControlsEx(&icc);
}

CListTrendSetting::~CListTrendSetting() = default;

void CListTrendSetting::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TRENDSET_COLUMNS, m_ColumnList);
    DDX_Control(pDX, IDC_TRENDSET_BKGRND, m_BackgroundCheck);
    DDX_Control(pDX, IDC_TRENDSET_TEXT, m_TextCheck);
    DDX_Control(pDX, IDC_TRENDSET_POSTREND, m_PosTrendButton);
    DDX_Control(pDX, IDC_TRENDSET_NEGTREND, m_NegTrendButton);
    DDX_Control(pDX, IDC_TRENDSET_SLIDER, m_TimeSlider);
    DDX_Control(pDX, IDC_TRENDSET_TIME_LABEL, m_TimeLabel);
}

int CListTrendSetting::SetTrendColumns(CArray<sOrvoColInfo>* pColumns)
{
    m_mapTrendColumns.RemoveAll();
    if (pColumns == nullptr)
        return 1;
    for (INT_PTR i = 0; i < pColumns->GetSize(); ++i)
    {
        const sOrvoColInfo& info = pColumns->GetAt(i);
        if (!IsTrendCandidate(info.nDataType))
            continue;
        // The name field is a fixed buffer; a heading that fills it has no terminator.
        m_mapTrendColumns.SetAt((int)i, CString(info.szColName, (int)strnlen(info.szColName, sizeof(info.szColName))));
    }
    return 1;
}

BOOL CListTrendSetting::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    m_PosTrendButton.SetColour(kCaptionColour, kDefaultPosColour);
    m_NegTrendButton.SetColour(kCaptionColour, kDefaultNegColour);
    m_TimeSlider.SetRange(0, TREND_SLIDER_MAX, TRUE);
    m_BackgroundCheck.SetCheck(BST_CHECKED);
    m_TimeLabel.SetWindowText("1 Sec");
    if (m_pFilterList != nullptr)
    {
        DisplayTrendColumns();
        ReadDlgValues();
        ShowSelectedTrendColumns();
    }
    return TRUE;
}

void CListTrendSetting::SortedKeys(const CMap<int, int, CString, const CString&>& map, CArray<int, int>& keys)
{
    keys.RemoveAll();
    POSITION pos = map.GetStartPosition();
    while (pos != nullptr)
    {
        int nKey = 0;
        CString csValue;
        map.GetNextAssoc(pos, nKey, csValue);
        INT_PTR k = keys.GetSize();
        while (k > 0 && keys[k - 1] > nKey)
            --k;
        keys.InsertAt(k, nKey);
    }
}

void CListTrendSetting::DisplayTrendColumns()
{
    if (m_ColumnList.GetSafeHwnd() == nullptr)
        return;
    m_ColumnList.ResetContent();
    CArray<int, int> keys;
    SortedKeys(m_mapTrendColumns, keys);
    for (INT_PTR i = 0; i < keys.GetSize(); ++i)
    {
        CString csHeading;
        m_mapTrendColumns.Lookup(keys[i], csHeading);
        int nEntry = m_ColumnList.AddString(csHeading);
        if (nEntry >= 0)
            m_ColumnList.SetItemData(nEntry, (DWORD_PTR)keys[i]);
    }
}

void CListTrendSetting::SetTimeLabel(LPCTSTR lpszFormat)
{
    CString csLabel;
    csLabel.Format(lpszFormat, m_TimeSlider.GetPos() + 1);
    m_TimeLabel.SetWindowText(csLabel);
}

void CListTrendSetting::ReadDlgValues()
{
    ForgetGoneList();
    if (m_pFilterList == nullptr || GetSafeHwnd() == nullptr)
        return;
    const bool bBackground = m_pFilterList->m_nTrendType != 0;
    m_BackgroundCheck.SetCheck(bBackground ? BST_CHECKED : BST_UNCHECKED);
    m_TextCheck.SetCheck(bBackground ? BST_UNCHECKED : BST_CHECKED);
    m_NegTrendButton.SetColour(kCaptionColour, m_pFilterList->m_clrTrendNeg);
    m_PosTrendButton.SetColour(kCaptionColour, m_pFilterList->m_clrTrendPos);
    // Seconds past the slider's end (a stored interval of a day, or a negative one) show at the
    // nearest end.
    int nSeconds = m_pFilterList->m_nTrendInterval / 1000;
    if (nSeconds < 0)
        nSeconds = 0;
    if (nSeconds > TREND_SLIDER_MAX)
        nSeconds = TREND_SLIDER_MAX;
    m_TimeSlider.SetPos(nSeconds);
    SetTimeLabel("%d Sec");

    m_mapSelectedColumns.RemoveAll();
    POSITION pos = m_pFilterList->m_mapTrend.GetStartPosition();
    while (pos != nullptr)
    {
        int nColumn = 0;
        CTrendValueArray* pArray = nullptr;
        m_pFilterList->m_mapTrend.GetNextAssoc(pos, nColumn, pArray);
        CString csHeading;
        if (m_mapTrendColumns.Lookup(nColumn, csHeading))
            m_mapSelectedColumns.SetAt(nColumn, csHeading);
    }
}

int CListTrendSetting::EntryOfColumn(int nColumn, const CString& csHeading) const
{
    int nFirst = -1;
    const int nCount = m_ColumnList.GetCount();
    for (int i = 0; i < nCount; ++i)
    {
        CString csText;
        m_ColumnList.GetText(i, csText);
        if (csText != csHeading)
            continue;
        if ((int)m_ColumnList.GetItemData(i) == nColumn)
            return i;
        if (nFirst < 0)
            nFirst = i;
    }
    return nFirst;
}

void CListTrendSetting::ShowSelectedTrendColumns()
{
    if (m_ColumnList.GetSafeHwnd() == nullptr)
        return;
    POSITION pos = m_mapSelectedColumns.GetStartPosition();
    while (pos != nullptr)
    {
        int nColumn = 0;
        CString csHeading;
        m_mapSelectedColumns.GetNextAssoc(pos, nColumn, csHeading);
        int nEntry = EntryOfColumn(nColumn, csHeading);
        if (nEntry >= 0)
            m_ColumnList.SetCheck(nEntry, 1);
    }
}

void CListTrendSetting::OnBnClickedTrendsetBkgrnd()
{
    if (m_BackgroundCheck.GetCheck() == BST_CHECKED)
        m_TextCheck.SetCheck(BST_UNCHECKED);
}

void CListTrendSetting::OnBnClickedTrendsetText()
{
    if (m_TextCheck.GetCheck() == BST_CHECKED)
        m_BackgroundCheck.SetCheck(BST_UNCHECKED);
}

void CListTrendSetting::ChooseColour(CClrButton& button)
{
    CColorDialog dlg(button.GetColor(), CC_FULLOPEN | CC_RGBINIT, this);
    if (dlg.DoModal() != IDOK)
        return;
    button.SetColour(button.m_clrText, dlg.GetColor());
}

void CListTrendSetting::OnBnClickedTrendsetPostrend()
{
    ChooseColour(m_PosTrendButton);
}

void CListTrendSetting::OnBnClickedTrendsetNegtrend()
{
    ChooseColour(m_NegTrendButton);
}

void CListTrendSetting::OnNMCustomdrawSlider1(NMHDR*, LRESULT* pResult)
{
    *pResult = CDRF_DODEFAULT;
}

void CListTrendSetting::OnNMReleasedcaptureSlider1(NMHDR*, LRESULT* pResult)
{
    SetTimeLabel("%d Secs");
    *pResult = 0;
}

void CListTrendSetting::ForgetGoneList()
{
    // The host may destroy the list while the dialog is still up: its choices then go nowhere.
    if (m_pFilterList != nullptr && !CCommonListCtrl::IsLiveList(m_pFilterList))
        m_pFilterList = nullptr;
}

void CListTrendSetting::OnBnClickedOk()
{
    ForgetGoneList();
    m_mapSelectedColumns.RemoveAll();
    CArray<int, int> candidates;
    SortedKeys(m_mapTrendColumns, candidates);
    for (INT_PTR i = 0; i < candidates.GetSize(); ++i)
    {
        CString csHeading;
        m_mapTrendColumns.Lookup(candidates[i], csHeading);
        int nEntry = EntryOfColumn(candidates[i], csHeading);
        if (nEntry >= 0 && m_ColumnList.GetCheck(nEntry) == 1)
            m_mapSelectedColumns.SetAt(candidates[i], csHeading);
    }
    CArray<int, int> ids;
    SortedKeys(m_mapSelectedColumns, ids);
    if (m_pFilterList != nullptr)
    {
        m_pFilterList->m_nTrendType = m_TextCheck.GetCheck() == BST_CHECKED ? 0 : 1;
        m_pFilterList->m_clrTrendNeg = m_NegTrendButton.GetColor();
        m_pFilterList->m_clrTrendPos = m_PosTrendButton.GetColor();
        m_pFilterList->m_nTrendInterval = m_TimeSlider.GetPos() * 1000;
        m_pFilterList->SetTrendColumns(&ids);
    }
    CVXDialog::OnOK();
}

BEGIN_MESSAGE_MAP(CListTrendSetting, CVXDialog)
    // void OnBnClickedTrendsetBkgrnd()
    ON_BN_CLICKED(IDC_TRENDSET_BKGRND, OnBnClickedTrendsetBkgrnd)
    // void OnBnClickedTrendsetText()
    ON_BN_CLICKED(IDC_TRENDSET_TEXT, OnBnClickedTrendsetText)
    // void OnBnClickedTrendsetPostrend()
    ON_BN_CLICKED(IDC_TRENDSET_POSTREND, OnBnClickedTrendsetPostrend)
    // void OnBnClickedTrendsetNegtrend()
    ON_BN_CLICKED(IDC_TRENDSET_NEGTREND, OnBnClickedTrendsetNegtrend)
    // void OnNMCustomdrawSlider1(NMHDR* pNMHDR, LRESULT* pResult)
    ON_NOTIFY(NM_CUSTOMDRAW, IDC_TRENDSET_SLIDER, OnNMCustomdrawSlider1)
    // void OnNMReleasedcaptureSlider1(NMHDR* pNMHDR, LRESULT* pResult)
    ON_NOTIFY(NM_RELEASEDCAPTURE, IDC_TRENDSET_SLIDER, OnNMReleasedcaptureSlider1)
    // void OnBnClickedOk()
    ON_BN_CLICKED(IDOK, OnBnClickedOk)
END_MESSAGE_MAP()
