#include "dialogs/RepositionColumns.h"
#include "host/ControlBlock.h"
#include "resources/RepositionColumnsRes.h"
#include "dialogs/RepositionLayout.h"
#include "lists/CommonListHooks.h"
#include "filter/FilterListCtrl.h"

#include <cstring>
#include <vector>

IMPLEMENT_DYNAMIC(CRepositionColumns, CVXDialog)

namespace
{
// Opens (or re-opens) the list's Reposition Columns dialog.
void ShowColumnDlgFor(CCommonListCtrl* pList, bool bGroup)
{
    if (pList->m_pRepositionDlg == nullptr)
        pList->m_pRepositionDlg = new CRepositionColumns(pList);
    CRepositionColumns* pDlg = pList->m_pRepositionDlg;
    if (pDlg->GetSafeHwnd() != nullptr)
        pDlg->DestroyWindow();
    if (!pDlg->Create(IDD_REPOSITION_COLUMNS, pList))
        return;
    pDlg->m_arrFixedColumns.Copy(pList->m_arrFixedColumns);
    pDlg->m_csListName = pList->m_csListName;
    pDlg->m_bGroup = false;
    pDlg->init_commonlistctrl_colprofile(pList, pList->m_arrColInfo);
    pDlg->ShowWindow(SW_SHOW);
    pDlg->BringWindowToTop();
    if (bGroup)
        pDlg->m_bGroup = true;
}

void ReleaseColumnDlgOf(CCommonListCtrl* pList)
{
    CRepositionColumns* pDlg = pList->m_pRepositionDlg;
    if (pDlg == nullptr)
        return;
    if (pDlg->GetSafeHwnd() != nullptr)
        pDlg->DestroyWindow();
    delete pDlg;
    pList->m_pRepositionDlg = nullptr;
}

// The list reaches this dialog through its hook table, filled when the library loads.
const bool s_bHooked = []
{
    CommonListHooks().pfnShowColumnDlg = &ShowColumnDlgFor;
    CommonListHooks().pfnReleaseColumnDlg = &ReleaseColumnDlgOf;
    return true;
}();

CString HeaderItemText(CHeaderCtrl* pHeader, int nItem)
{
    char szText[128] = "";
    HDITEMA item = {};
    item.mask = HDI_TEXT;
    item.pszText = szText;
    item.cchTextMax = sizeof(szText);
    pHeader->GetItem(nItem, &item);
    return szText;
}

int HeaderItemWidth(CHeaderCtrl* pHeader, int nItem)
{
    HDITEMA item = {};
    item.mask = HDI_WIDTH;
    pHeader->GetItem(nItem, &item);
    return item.cxy;
}

void MoveControl(CWnd* pParent, int nID, const sLayoutRect& rc)
{
    if (CWnd* pControl = pParent->GetDlgItem(nID))
        pControl->MoveWindow(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
}

// Empties the sections of the host's layout file that belong to the market watch groups.
void EmptyMarketWatchLayouts()
{
    char szDir[MAX_PATH] = "";
    DWORD n = ::GetCurrentDirectoryA(sizeof(szDir), szDir);
    if (n == 0 || n >= sizeof(szDir))
        return;
    CString csPath = CString(szDir) + "\\DlgLayout.Lyt";
    HANDLE hFile = ::CreateFileA(csPath, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile != INVALID_HANDLE_VALUE)
        ::CloseHandle(hFile);
    std::vector<char> names(65536);
    DWORD nLength = ::GetPrivateProfileSectionNamesA(names.data(), (DWORD)names.size(), csPath);
    for (const char* p = names.data(); p < names.data() + nLength && *p != '\0'; p += strlen(p) + 1)
    {
        if (strstr(p, "MarketWatch_") != nullptr)
            ::WritePrivateProfileSectionA(p, "\0", csPath);
    }
}
}  // namespace

CRepositionColumns::CRepositionColumns(CWnd* pParent)
    : CVXDialog(IDD_REPOSITION_COLUMNS, pParent),
      m_pList(nullptr),
      m_pHeader(nullptr),
      m_nColInfoSize(0),
      m_bGroup(false),
      m_pfnGroup(nullptr),
      m_pGroupObject(nullptr)
{
}

CRepositionColumns::~CRepositionColumns() = default;

void CRepositionColumns::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
}

BOOL CRepositionColumns::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    m_HiddenList.SubclassDlgItem(IDC_RC_HIDDEN_LIST, this);
    m_ShownList.SubclassDlgItem(IDC_RC_SHOWN_LIST, this);
    m_AutoSort.SubclassDlgItem(IDC_RC_AUTOSORT, this);
    CRect client;
    GetClientRect(&client);
    LayOut(client.Width(), client.Height());
    CRect rc;
    m_HiddenList.GetClientRect(&rc);
    m_HiddenList.InsertColumn(0, "Hidden Columns", LVCFMT_LEFT, rc.Width() > 40 ? rc.Width() - 4 : 120);
    m_ShownList.GetClientRect(&rc);
    m_ShownList.InsertColumn(0, "Shown Columns", LVCFMT_LEFT, rc.Width() > 40 ? rc.Width() - 4 : 120);
    m_HiddenList.SetExtendedStyle(m_HiddenList.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    m_ShownList.SetExtendedStyle(m_ShownList.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    return TRUE;
}

void CRepositionColumns::init_commonlistctrl_colprofile(CCommonListCtrl* pList,
                                                         CArray<sOrvoColInfo, const sOrvoColInfo&>& arrColInfo)
{
    m_pList = pList;
    m_pHeader = pList != nullptr ? pList->GetHeaderCtrl() : nullptr;
    m_arrColInfo.Copy(arrColInfo);
    m_nColInfoSize = (int)m_arrColInfo.GetSize();
    if (pList != nullptr)
        m_arrColPosition.Copy(pList->m_arrColPosition);
    m_HiddenList.DeleteAllItems();
    m_ShownList.DeleteAllItems();

    int nHeaderItems = m_pHeader != nullptr ? m_pHeader->GetItemCount() : 0;
    if (nHeaderItems > 0)
    {
        std::vector<int> order((size_t)nHeaderItems);
        if (!m_pHeader->GetOrderArray(order.data(), nHeaderItems))
        {
            for (int i = 0; i < nHeaderItems; ++i)
                order[(size_t)i] = i;
        }
        for (int i = 0; i < nHeaderItems; ++i)
            m_ShownList.InsertItem(m_ShownList.GetItemCount(), HeaderItemText(m_pHeader, order[(size_t)i]));
    }
    for (int c = 0; c < m_nColInfoSize; ++c)
    {
        CString csName = m_arrColInfo[c].szColName;
        bool bShown = false;
        for (int i = 0; i < m_ShownList.GetItemCount() && !bShown; ++i)
            bShown = m_ShownList.GetItemText(i, 0) == csName;
        if (!bShown && !csName.IsEmpty())   // ids without a column (market watch gaps) have no name
            m_HiddenList.InsertItem(0, csName);
    }
    if (m_AutoSort.GetSafeHwnd() != nullptr)
        m_AutoSort.SetCheck(pList != nullptr && pList->IsAutoSortEnabled() ? BST_CHECKED : BST_UNCHECKED);
    if (CWnd* pView = GetDlgItem(IDC_RC_VIEW))
        pView->ShowWindow(pList != nullptr && pList->m_bGroupedList ? SW_HIDE : SW_SHOW);
}

void CRepositionColumns::Init(CVXDragListCtrl*, CArray<sMnmOrvoColInfo, const sMnmOrvoColInfo&>&)
{
}

void CRepositionColumns::SetRePositionToGrp(PFN_REPOSITION_GROUP pfn, CWnd* pObject)
{
    m_pfnGroup = pfn;
    m_pGroupObject = pObject;
}

int CRepositionColumns::CallCancel()
{
    Close();
    return 1;
}

int CRepositionColumns::FindColumn(const CString& csName) const
{
    for (int c = 0; c < m_arrColInfo.GetSize(); ++c)
    {
        if (csName == m_arrColInfo[c].szColName)
            return c;
    }
    return -1;
}

bool CRepositionColumns::IsFixed(const CString& csName) const
{
    for (INT_PTR i = 0; i < m_arrFixedColumns.GetSize(); ++i)
    {
        if (m_arrFixedColumns[i] == csName)
            return true;
    }
    return false;
}

// --- moving columns ------------------------------------------------------------------------------

void CRepositionColumns::MoveSelected(CVXDragListCtrl& from, CVXDragListCtrl& to, bool bCheckFixed)
{
    to.SetItemState(-1, 0, LVIS_SELECTED);
    int nIndex = to.GetSelectionMark();
    if (nIndex < 0 || nIndex > to.GetItemCount())
        nIndex = to.GetItemCount();
    CArray<int, int> moved;
    POSITION pos = from.GetFirstSelectedItemPosition();
    while (pos != nullptr)
    {
        int nRow = from.GetNextSelectedItem(pos);
        CString csName = from.GetItemText(nRow, 0);
        if (bCheckFixed && IsFixed(csName))
        {
            AfxMessageBox(csName + " cannot be removed");
            continue;
        }
        int nNew = to.InsertItem(nIndex, csName);
        if (nNew < 0)
            continue;
        to.SetItemState(nNew, LVIS_SELECTED, LVIS_SELECTED);
        nIndex = nNew + 1;
        moved.Add(nRow);
    }
    for (INT_PTR i = moved.GetSize(); i > 0; --i)
        from.DeleteItem(moved[i - 1]);
    to.SetFocus();
}

void CRepositionColumns::OnShowColumns()
{
    MoveSelected(m_HiddenList, m_ShownList, false);
}

void CRepositionColumns::OnHideColumns()
{
    MoveSelected(m_ShownList, m_HiddenList, true);
}

void CRepositionColumns::OnDblClkHidden(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    OnShowColumns();
}

void CRepositionColumns::OnDblClkShown(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    OnHideColumns();
}

LRESULT CRepositionColumns::OnCannotRemove(WPARAM wParam, LPARAM)
{
    LPCTSTR lpszName = reinterpret_cast<LPCTSTR>(wParam);
    return lpszName != nullptr && IsFixed(lpszName) ? 1 : 0;
}

// --- applying ------------------------------------------------------------------------------------

void CRepositionColumns::ApplyToList()
{
    if (m_pList == nullptr || m_pList->GetSafeHwnd() == nullptr)
        return;
    CCommonListCtrl& list = *m_pList;
    CHeaderCtrl* pHeader = list.GetHeaderCtrl();
    CArray<int, int> positions;
    positions.Copy(list.m_arrColPosition);
    positions.SetSize(m_arrColInfo.GetSize());
    for (INT_PTR c = list.m_arrColPosition.GetSize(); c < positions.GetSize(); ++c)
        positions[c] = -1;

    int nHeaderItems = pHeader != nullptr ? pHeader->GetItemCount() : 0;
    for (int c = 0; c < m_arrColInfo.GetSize(); ++c)
    {
        for (int i = 0; i < nHeaderItems; ++i)
        {
            if (HeaderItemText(pHeader, i) == m_arrColInfo[c].szColName)
            {
                m_arrColInfo[c].nWidth = HeaderItemWidth(pHeader, i);
                break;
            }
        }
    }
    for (int n = nHeaderItems; n > 0; --n)
        list.DeleteColumn(n - 1);

    for (int i = 0; i < m_HiddenList.GetItemCount(); ++i)
    {
        int c = FindColumn(m_HiddenList.GetItemText(i, 0));
        if (c >= 0)
            positions[c] = -1;
    }
    list.m_arrVisibleColumns.RemoveAll();
    int nPosition = 0;
    for (int i = 0; i < m_ShownList.GetItemCount(); ++i)
    {
        int c = FindColumn(m_ShownList.GetItemText(i, 0));
        if (c < 0)
            continue;
        const sOrvoColInfo& info = m_arrColInfo[c];
        positions[c] = nPosition;
        if (nPosition == 0)
            list.m_nFirstVisibleColumn = c;
        list.AddToVisibleArray({ nPosition, c });
        if (list.m_bGroupedList && c < list.m_arrColWidth.GetSize())
            list.m_arrColWidth[c] = info.nWidth;
        list.InsertColumn(nPosition, info.szColName, info.nFormat, info.nWidth, nPosition);
        ++nPosition;
    }
    list.m_arrColPosition.Copy(positions);
    if (list.IsKindOf(RUNTIME_CLASS(CFilterListCtrl)))
    {
        // A filter list drops its filters; the cleared box makes the header report the change,
        // upon which the host fills the list again.
        CFilterListCtrl& filterList = static_cast<CFilterListCtrl&>(list);
        filterList.RemoveAllFilters();
        CString empty;
        if (filterList.GetHeaderCtrl() != nullptr && filterList.GetHeaderCtrl()->GetItemCount() > 0)
            filterList.SetVisibleColumnFilter(0, empty, 0);
    }
    else
        list.NotifyColumnsRebuilt();
}

void CRepositionColumns::OnView()
{
    ApplyToList();
    Close();
}

void CRepositionColumns::WriteGroupedColumns()
{
    CString csValue;
    for (int c = 101; c < m_arrColInfo.GetSize(); ++c)
    {
        CString csPart;
        csPart.Format(c == 101 ? "%d" : ",%d", c);
        csValue += csPart;
        csValue += ",";
        csValue += m_arrColInfo[c].szColName;
        csValue += ",";
        csValue += m_arrColInfo[c].csText1;
    }
    CControlBlock::Get()->CallUserSettingMWColumns(1, m_csListName, csValue);
    EmptyMarketWatchLayouts();
}

void CRepositionColumns::OnSave()
{
    if (m_bGroup)
    {
        if (m_pfnGroup != nullptr && m_pGroupObject != nullptr)
            (m_pGroupObject->*m_pfnGroup)();
        Close();
        return;
    }
    ApplyToList();
    if (m_pList != nullptr && m_pList->GetSafeHwnd() != nullptr)
    {
        m_pList->EnableAutoSort(m_AutoSort.GetCheck() == BST_CHECKED);
        m_pList->InitializeAutoSort();
        if (m_pList->m_bGroupedList)
            WriteGroupedColumns();
        m_pList->SaveColumnProfile();
    }
    Close();
}

void CRepositionColumns::OnCancelClicked()
{
    Close();
}

void CRepositionColumns::OnCancel()
{
    Close();
}

void CRepositionColumns::OnOK()
{
    // Enter does not close the dialog: only its own buttons do.
}

void CRepositionColumns::Close()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

// --- layout --------------------------------------------------------------------------------------

void CRepositionColumns::LayOut(int cx, int cy)
{
    sRepositionLayout l = RepositionColumnsLayout(cx, cy);
    MoveControl(this, IDC_RC_HIDDEN_LIST, l.hiddenList);
    MoveControl(this, IDC_RC_SHOWN_LIST, l.shownList);
    MoveControl(this, IDC_RC_SHOW, l.showButton);
    MoveControl(this, IDC_RC_HIDE, l.hideButton);
    MoveControl(this, IDC_RC_AUTOSORT, l.autoSort);
    MoveControl(this, IDC_RC_VIEW, l.viewButton);
    MoveControl(this, IDCANCEL, l.cancelButton);
    MoveControl(this, IDC_RC_SAVE, l.saveButton);
}

void CRepositionColumns::OnSize(UINT nType, int cx, int cy)
{
    CVXDialog::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED && GetDlgItem(IDC_RC_SAVE) != nullptr)
        LayOut(cx, cy);
}

BEGIN_MESSAGE_MAP(CRepositionColumns, CVXDialog)
    ON_BN_CLICKED(IDC_RC_SHOW, OnShowColumns)
    ON_BN_CLICKED(IDC_RC_HIDE, OnHideColumns)
    ON_BN_CLICKED(IDC_RC_VIEW, OnView)
    ON_BN_CLICKED(IDC_RC_SAVE, OnSave)
    ON_BN_CLICKED(IDCANCEL, OnCancelClicked)
    ON_NOTIFY(NM_DBLCLK, IDC_RC_HIDDEN_LIST, OnDblClkHidden)
    ON_NOTIFY(NM_DBLCLK, IDC_RC_SHOWN_LIST, OnDblClkShown)
    ON_MESSAGE(WM_DRAGLIST_CANNOT_REMOVE, OnCannotRemove)
    ON_WM_SIZE()
END_MESSAGE_MAP()
