// CFilterText: the filter value popup.
#include "filter/FilterText.h"
#include "filter/FilterListCtrl.h"
#include "host/ControlsModule.h"
#include "resources/FilterTextRes.h"

IMPLEMENT_DYNAMIC(CFilterText, CBCGPDialog)

namespace
{
CFilterText* g_pPopup = nullptr;
CFilterText::PFN_SETFILTER g_pfnOtherList = nullptr;
}  // namespace

CFilterText::CFilterText() : CBCGPDialog(IDD_FILTER_TEXT, nullptr)
{
}

CFilterText& CFilterText::Get()
{
    if (g_pPopup == nullptr)
    {
        g_pPopup = new CFilterText;
    }
    return *g_pPopup;
}

void CFilterText::Release()
{
    if (g_pPopup == nullptr)
        return;
    if (g_pPopup->GetSafeHwnd() != nullptr)
        g_pPopup->DestroyWindow();
    delete g_pPopup;
    g_pPopup = nullptr;
}

static const bool s_bReleaseRegistered = (AddLibraryUnloadAction(&CFilterText::Release), true);

void CFilterText::SetOtherListFilterHook(PFN_SETFILTER pfn)
{
    g_pfnOtherList = pfn;
}

void CFilterText::ListGone(CCommonListCtrl* pList)
{
    if (g_pPopup == nullptr || pList == nullptr || g_pPopup->m_pList != pList)
        return;
    g_pPopup->m_pList = nullptr;
    g_pPopup->m_pFilterList = nullptr;
    g_pPopup->m_nPosition = -1;
    if (g_pPopup->GetSafeHwnd() != nullptr)
        g_pPopup->ShowWindow(SW_HIDE);
}

CFilterText* CFilterText::Open(CFilterListCtrl* pList, int nPosition, CPoint ptScreen)
{
    if (pList == nullptr || pList->GetSafeHwnd() == nullptr)
        return nullptr;
    CStringArray texts;
    pList->GetColumnUniques(pList->GetOriginalColNo(nPosition), texts);
    return OpenWithValues(pList, nPosition, ptScreen, texts);
}

CFilterText* CFilterText::OpenWithValues(CCommonListCtrl* pList, int nPosition, CPoint ptScreen,
                                         const CStringArray& texts)
{
    if (pList == nullptr || pList->GetSafeHwnd() == nullptr)
        return nullptr;
    CFilterText& popup = Get();
    if (popup.GetSafeHwnd() == nullptr && !popup.Create(IDD_FILTER_TEXT, nullptr))
        return nullptr;
    ::SetWindowPos(popup.m_hWnd, HWND_TOP, ptScreen.x, ptScreen.y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    popup.BringWindowToTop();
    CListBox& values = popup.m_ValueList;
    values.SetRedraw(FALSE);
    values.ResetContent();
    for (INT_PTR i = 0; i < texts.GetSize(); ++i)
        values.AddString(texts[i]);
    values.SetRedraw(TRUE);
    values.Invalidate();
    popup.SetFilterlist(pList, nPosition);
    return &popup;
}

void CFilterText::SetFilterlist(CCommonListCtrl* pList, int nPosition)
{
    m_pList = pList;
    m_pFilterList = pList != nullptr && pList->IsKindOf(RUNTIME_CLASS(CFilterListCtrl)) ? static_cast<CFilterListCtrl*>(pList) : nullptr;
    m_nPosition = nPosition;
}

BOOL CFilterText::OnInitDialog()
{
    CBCGPDialog::OnInitDialog();
    m_ValueList.SubclassDlgItem(IDC_FILTER_VALUES, this);
    m_ValueList.SetHorizontalExtent(500);
    return TRUE;
}

CString CFilterText::BuildFilterText()
{
    CString text;
    if (m_ValueList.GetSafeHwnd() == nullptr)
        return text;
    int nCount = m_ValueList.GetCount();
    bool bFirst = true;
    for (int i = 0; i < nCount; ++i)
    {
        if (m_ValueList.GetSel(i) <= 0)
            continue;
        CString entry;
        m_ValueList.GetText(i, entry);
        if (bFirst)
        {
            text = entry;
            bFirst = false;
        }
        else if (text.Find(entry) < 0)
        {
            text += "~";
            text += entry;
        }
    }
    return text;
}

void CFilterText::ApplySelection()
{
    if (m_ValueList.GetSafeHwnd() == nullptr || m_ValueList.GetSelCount() <= 0)
        return;
    CString text = BuildFilterText();
    ShowWindow(SW_HIDE);
    if (m_pFilterList != nullptr && m_pFilterList->GetSafeHwnd() != nullptr)
    {
        // The rows shown are exactly the picked values (however many, whatever they contain);
        // the box shows the text built from them.
        CStringArray picks;
        for (int i = 0; i < m_ValueList.GetCount(); ++i)
        {
            if (m_ValueList.GetSel(i) <= 0)
                continue;
            CString entry;
            m_ValueList.GetText(i, entry);
            picks.Add(entry);
        }
        m_pFilterList->SetPickedValues(m_nPosition, picks, text);
    }
    else if (m_pList != nullptr && g_pfnOtherList != nullptr)
        g_pfnOtherList(m_pList, m_nPosition, text);
}

void CFilterText::OnOK()
{
    ApplySelection();
}

void CFilterText::OnCancel()
{
    ShowWindow(SW_HIDE);
}

void CFilterText::OnDblclkValues()
{
    ApplySelection();
}

void CFilterText::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CBCGPDialog::OnActivate(nState, pWndOther, bMinimized);
    if (nState == WA_INACTIVE)
        ShowWindow(SW_HIDE);
}

BEGIN_MESSAGE_MAP(CFilterText, CBCGPDialog)
    ON_LBN_DBLCLK(IDC_FILTER_VALUES, OnDblclkValues)
    ON_WM_ACTIVATE()
END_MESSAGE_MAP()
