// CFilterListCtrl: filter mode, the header's filter bar and its notifications, the stored
// filters, "Match Filter Exactly", the keyboard of the filter bar, the header menu and the value
// popup.
#include "filter/FilterListCtrl.h"
#include "filter/FilterText.h"
#include "filter/HeaderFilterBar.h"
#include "lists/ListCommands.h"

// The bar shown from the header menu waits as long as the one filter mode starts with.
static_assert(FILTER_CHANGE_TIMEOUT == HeaderFilterBar::kChangeTimeout, "one change timeout for the bar");

// --- filter mode ---------------------------------------------------------------------------------

void CFilterListCtrl::SetUseFilter(BOOL bUse)
{
    m_bUseFilter = bUse ? 1 : 0;
    m_bFilterBarShown = m_bUseFilter;
    if (m_hWnd == nullptr)
        return;
    SubclassHeader();
    CHeaderCtrl* pHeader = m_HeaderCtrl.m_hWnd ? &m_HeaderCtrl : GetHeaderCtrl();
    if (bUse)
    {
        if (pHeader != nullptr)
        {
            pHeader->ModifyStyle(0, HDS_FILTERBAR);
            pHeader->SetFilterChangeTimeout(FILTER_CHANGE_TIMEOUT);
        }
        CListCtrl::DeleteAllItems();
        m_nDisplayCount = (int)m_arrDisplay.GetSize();
        SyncPlatformCount();
        PutListFilter();   // the flag is set, so this hides the bar: filter mode starts without it
        m_Appearance.m_bKeywordRulesAvailable = true;
        HeaderFilterBar::DropVisualTheme(pHeader);
    }
    else
    {
        m_bFilterBarShown = 0;
        if (pHeader != nullptr)
        {
            pHeader->ClearAllFilters();
            pHeader->ModifyStyle(HDS_FILTERBAR, 0);
        }
        // The boxes are empty now: so are the stored filters, and every row is displayed again
        // when filter mode comes back (no filter is left that no box shows).
        m_arrFilteredCols.RemoveAll();
        m_arrFilterTexts.RemoveAll();
        m_picks.clear();
        ++m_nPicksChanges;
        m_arrDisplay.SetSize(m_arrMap.GetSize());
        for (INT_PTR i = 0; i < m_arrMap.GetSize(); ++i)
            m_arrDisplay[i] = (int)i;
        m_nDisplayCount = (int)m_arrDisplay.GetSize();
        DisplayChanged();
        CListCtrl::DeleteAllItems();
        m_Appearance.m_bKeywordRulesAvailable = false;
    }
    SetRedraw(TRUE);
    Invalidate();
}

void CFilterListCtrl::PutListFilter()
{
    if (m_hWnd == nullptr)
        return;
    CHeaderCtrl* pHeader = m_HeaderCtrl.m_hWnd ? &m_HeaderCtrl : GetHeaderCtrl();
    if (pHeader == nullptr)
        return;
    HeaderFilterBar::ToggleBar(*this, pHeader, m_bFilterBarShown);
}

// --- notifications of the header -----------------------------------------------------------------

BOOL CFilterListCtrl::OnFilterChange(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (pNMHDR == nullptr || m_HeaderCtrl.m_hWnd == nullptr || pNMHDR->hwndFrom != m_HeaderCtrl.m_hWnd)
        return FALSE;
    if (!m_bDoFilter)
        return TRUE;
    NMHEADERA* pHeaderNM = reinterpret_cast<NMHEADERA*>(pNMHDR);
    int nPosition = pHeaderNM->iItem;
    if (nPosition >= 0 && nPosition < m_HeaderCtrl.GetItemCount())
    {
        CString text;
        GetHeaderText(nPosition, text);
        if (HasDataDescriptor())
        {
            for (INT_PTR i = 0; i < m_arrVisibleColumns.GetSize(); ++i)
            {
                if (m_arrVisibleColumns[i].nPosition == nPosition)
                {
                    AddToFilteredCols(m_arrVisibleColumns[i].nColumn, text);
                    break;
                }
            }
        }
    }
    // The owner hears of the change as a notification from the list.
    CWnd* pTarget = GetOwnerWnd() ? GetOwnerWnd() : GetParent();
    if (pTarget != nullptr)
        *pResult = HeaderFilterBar::ForwardToOwner(*this, pTarget, *pHeaderNM);
    return TRUE;
}

BOOL CFilterListCtrl::OnFilterButtonClicked(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (pNMHDR == nullptr || m_HeaderCtrl.m_hWnd == nullptr || pNMHDR->hwndFrom != m_HeaderCtrl.m_hWnd)
        return FALSE;
    NMHDFILTERBTNCLICK* pClick = reinterpret_cast<NMHDFILTERBTNCLICK*>(pNMHDR);
    int nPosition = pClick->iItem;
    // The owner may delete the list, or destroy its window, while it hears of the click: nothing
    // of it is read again unless the object and the same window are still there.
    HWND hSelf = m_hWnd;
    HeaderFilterBar::ForwardToOwner(*this, GetOwnerWnd() ? GetOwnerWnd() : GetParent(), *pClick);
    if (!IsLiveList(this) || !::IsWindow(hSelf) || m_hWnd != hSelf)
        return TRUE;
    CPoint pt;
    ::GetCursorPos(&pt);
    CFilterText::Open(this, nPosition, pt);
    return TRUE;
}

// --- stored filters ------------------------------------------------------------------------------

void CFilterListCtrl::AddToFilteredCols(int nColumn, CString& csText)
{
    if (nColumn < 0 || nColumn >= m_arrColInfo.GetSize())
        return;
    // Picked values hold while the box says what they were given for.
    auto it = m_picks.find(nColumn);
    if (it != m_picks.end() && it->second.csBoxText != csText)
    {
        m_picks.erase(it);
        ++m_nPicksChanges;
    }
    HeaderFilterBar::StoreFilter(m_arrFilteredCols, m_arrFilterTexts, nColumn, csText);
}

void CFilterListCtrl::GetFileteredCols(CArray<int, int>& columns, CArray<CString, CString>& texts)
{
    columns.Copy(m_arrFilteredCols);
    texts.Copy(m_arrFilterTexts);
}

BOOL CFilterListCtrl::IsHeaderPositionFiltered(int nPosition)
{
    return HeaderFilterBar::IsPositionFiltered(m_arrFilteredCols, nPosition,
                                               [this](int nColumn) { return HeaderPositionOf(nColumn); });
}

int CFilterListCtrl::GetHeaderText(int nPosition, CString& csText)
{
    csText.Empty();
    if (m_hWnd == nullptr || nPosition < 0)
        return 0;
    return HeaderFilterBar::ReadBox(m_HeaderCtrl.m_hWnd ? &m_HeaderCtrl : GetHeaderCtrl(), nPosition, csText);
}

int CFilterListCtrl::SetVisibleColumnFilter(int nPosition, CString& csText, int bExact)
{
    if (nPosition < 0)
        return 0;
    // The exact flag is set first: the header reports the change at once, and the owner's
    // populate must see it.
    m_bExactThisPass = bExact ? 1 : 0;
    HeaderFilterBar::WriteBox(m_HeaderCtrl.m_hWnd ? &m_HeaderCtrl : GetHeaderCtrl(), nPosition, csText);
    return 1;
}

int CFilterListCtrl::SetMapColumnFilter(int nColumn, CString& csText, int bExact)
{
    int nPosition = HeaderPositionOf(nColumn);
    m_bExactThisPass = bExact ? 1 : 0;
    if (nPosition == -1)
    {
        AddToFilteredCols(nColumn, csText);
        // Position 0 is written to make the header report a change: with the filter its own
        // column has, so that filter stays.
        CString own;
        GetHeaderText(0, own);
        SetVisibleColumnFilter(0, own, bExact);
    }
    else
        SetVisibleColumnFilter(nPosition, csText, bExact);
    return 1;
}

int CFilterListCtrl::SetMapColumnFilter(CArray<int, int>* pColumns, CArray<CString, CString>* pTexts, int bExact)
{
    if (pColumns == nullptr || pTexts == nullptr || pColumns->GetSize() != pTexts->GetSize())
        return 0;
    for (INT_PTR k = 0; k < pColumns->GetSize(); ++k)
    {
        if (pColumns->GetAt(k) < 0)
            return 0;
    }
    // Copies: the arrays may be the list's own.
    CArray<int, int> columns;
    columns.Copy(*pColumns);
    CArray<CString, CString> texts;
    texts.Copy(*pTexts);
    m_bDoFilter = 0;
    RemoveAllFilters();
    m_bExactThisPass = bExact ? 1 : 0;
    bool bLastShown = false;
    INT_PTR n = columns.GetSize();
    for (INT_PTR k = 0; k < n; ++k)
    {
        AddToFilteredCols(columns[k], texts[k]);
        int nPosition = HeaderPositionOf(columns[k]);
        if (nPosition == -1)
            continue;
        if (k == n - 1)
        {
            m_bDoFilter = 1;
            bLastShown = true;
        }
        SetVisibleColumnFilter(nPosition, texts[k], bExact);
    }
    m_bDoFilter = 1;
    if (!bLastShown)
    {
        // One change notification, from position 0, with the filter its column already has.
        CString text;
        int nColumn = ColumnAtPosition(0);
        for (INT_PTR k = 0; k < m_arrFilteredCols.GetSize() && nColumn >= 0; ++k)
        {
            if (m_arrFilteredCols[k] == nColumn && k < m_arrFilterTexts.GetSize())
                text = m_arrFilterTexts[k];
        }
        SetVisibleColumnFilter(0, text, bExact);
    }
    return 1;
}

int CFilterListCtrl::RemoveMapColumnFilter(int nColumn)
{
    int nPosition = HeaderPositionOf(nColumn);
    CString text;
    if (nPosition >= 0 && GetHeaderText(nPosition, text) > 0)
    {
        CHeaderCtrl* pHeader = m_HeaderCtrl.m_hWnd ? &m_HeaderCtrl : GetHeaderCtrl();
        if (pHeader != nullptr)
            pHeader->ClearFilter(nPosition);
    }
    CString empty;
    AddToFilteredCols(nColumn, empty);
    return 1;
}

int CFilterListCtrl::RemoveAllFilters()
{
    return ResetFilterStore();
}

int CFilterListCtrl::SetPickedValues(int nPosition, const CStringArray& picks, CString& csBoxText)
{
    const int nColumn = ColumnAtPosition(nPosition);
    if (nColumn < 0 || nColumn >= m_arrColInfo.GetSize())
        return 0;
    sPicks& entry = m_picks[nColumn];
    // The box keeps the first characters; the header reports that text.
    entry.csBoxText = csBoxText.Left(HeaderFilterBar::kMaxBoxText);
    entry.values.assign(picks.GetData(), picks.GetData() + picks.GetSize());
    ++m_nPicksChanges;
    return SetVisibleColumnFilter(nPosition, csBoxText, 0);
}

int CFilterListCtrl::ResetFilterStore()
{
    m_arrFilteredCols.RemoveAll();
    m_arrFilterTexts.RemoveAll();
    if (!m_picks.empty())
    {
        m_picks.clear();
        ++m_nPicksChanges;
    }
    CHeaderCtrl* pHeader = m_hWnd == nullptr ? nullptr : (m_HeaderCtrl.m_hWnd ? &m_HeaderCtrl : GetHeaderCtrl());
    if (pHeader != nullptr)
        pHeader->ClearAllFilters();
    return 1;
}

void CFilterListCtrl::OnOptionResetFilter()
{
    RemoveAllFilters();
}

// --- Match Filter Exactly ------------------------------------------------------------------------

void CFilterListCtrl::ToggleMatchExactly()
{
    m_bMatchExactly = m_bMatchExactly ? 0 : 1;
    m_bExactThisPass = 0;
    m_bLastPassExact = false;
    // Filter again: the first stored filter is written back into its box, which reports it.
    if (m_arrFilteredCols.GetSize() > 0 && m_arrFilterTexts.GetSize() > 0)
    {
        int nPosition = HeaderPositionOf(m_arrFilteredCols[0]);
        if (nPosition >= 0)
        {
            CString text = m_arrFilterTexts[0];
            SetVisibleColumnFilter(nPosition, text, 0);
            return;
        }
    }
    CHeaderCtrl* pHeader = m_HeaderCtrl.m_hWnd ? &m_HeaderCtrl : GetHeaderCtrl();
    if (pHeader != nullptr && pHeader->GetItemCount() > 0)
    {
        CString empty;
        SetVisibleColumnFilter(0, empty, 0);
    }
}

void CFilterListCtrl::OnMatchFilterExactly()
{
    ToggleMatchExactly();
}

BOOL CFilterListCtrl::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CCommonListCtrl::OnCommand(wParam, lParam))
        return TRUE;
    // Menu commands of ours that neither this list nor its base handles belong to the host.
    return PassMenuCommandToOwner(*this, wParam, lParam);
}

// --- keyboard ------------------------------------------------------------------------------------

void CFilterListCtrl::MoveFilterEdit(bool bBack)
{
    HWND hFocus = ::GetFocus();
    int nCount = m_HeaderCtrl.GetItemCount();
    if (nCount <= 0)
        return;
    CRect rcBox;
    ::GetWindowRect(hFocus, &rcBox);
    int nPosition = 0;
    for (int p = 0; p < nCount; ++p)
    {
        CRect rcItem;
        m_HeaderCtrl.GetItemRect(m_HeaderCtrl.OrderToIndex(p), &rcItem);
        m_HeaderCtrl.ClientToScreen(&rcItem);
        if (rcBox.left >= rcItem.left && rcBox.right <= rcItem.right)
        {
            nPosition = p;
            break;
        }
    }
    bool bWrapped = false;
    int nTarget;
    if (bBack)
        nTarget = nPosition > 0 ? nPosition - 1 : nCount - 1;
    else
    {
        nTarget = nPosition + 1;
        if (nTarget >= nCount)
        {
            nTarget = 0;
            bWrapped = true;
        }
    }
    // Scroll so that the target box is seen.
    CRect rcItem;
    m_HeaderCtrl.GetItemRect(m_HeaderCtrl.OrderToIndex(nTarget), &rcItem);
    m_HeaderCtrl.ClientToScreen(&rcItem);
    ScreenToClient(&rcItem);
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcItem.left < rcClient.left || rcItem.right > rcClient.right)
    {
        int nScroll = ::GetScrollPos(m_hWnd, SB_HORZ);
        if (bWrapped)
            Scroll(CSize(-nScroll, 0));
        else if (bBack && rcItem.left < rcClient.left)
            Scroll(CSize(rcItem.left - rcClient.left, 0));
        else
            Scroll(CSize(nScroll + 50, 0));
    }
    m_nFilterEditPos = nTarget;
    m_HeaderCtrl.PostMessage(HDM_EDITFILTER, (WPARAM)m_HeaderCtrl.OrderToIndex(nTarget), 0);
}

BOOL CFilterListCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_COMMAND && pMsg->hwnd == m_hWnd && LOWORD(pMsg->wParam) == ID_FILTER_MATCH_EXACTLY)
    {
        ToggleMatchExactly();
        return TRUE;
    }
    if (m_bUseFilter && pMsg->message == WM_KEYDOWN && m_HeaderCtrl.m_hWnd != nullptr)
    {
        HWND hFocus = ::GetFocus();
        bool bInFilterBox = hFocus != nullptr && ::GetParent(hFocus) == m_HeaderCtrl.m_hWnd;
        if (pMsg->wParam == 'F' && (::GetKeyState(VK_CONTROL) & 0x8000))
        {
            CCommonListCtrl::PreTranslateMessage(pMsg);
            if (bInFilterBox)
                SetFocus();
            PutListFilter();
            return TRUE;
        }
        if (pMsg->wParam == VK_TAB && bInFilterBox)
        {
            MoveFilterEdit((::GetKeyState(VK_SHIFT) & 0x8000) != 0);
            return TRUE;
        }
    }
    return CCommonListCtrl::PreTranslateMessage(pMsg);
}

// --- header menu ---------------------------------------------------------------------------------

void CFilterListCtrl::ShowHeaderMenu(CPoint point)
{
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    if (m_bGroupedList)
    {
        menu.AppendMenu(MF_STRING, ID_LIST_REPOSITION_GROUPS, "Reposition Columns");
        menu.AppendMenu(MF_STRING, ID_LIST_REPOSITION_COLUMNS, "Reposition Columns in all groups");
        menu.AppendMenu(MF_STRING, ID_LIST_FIT_TO_DATA, "Fit to Data");
    }
    else if (m_bColumnProfile)
    {
        menu.AppendMenu(MF_STRING, ID_LIST_REPOSITION_COLUMNS, "Reposition Columns");
        menu.AppendMenu(MF_STRING, ID_LIST_FIT_TO_DATA, "Fit to Data");
    }
    else
        menu.AppendMenu(MF_STRING, ID_LIST_FIT_TO_DATA, "Fit To Data");
    menu.AppendMenu(MF_STRING, ID_LIST_FIT_TO_HEADER, "Fit to Header");
    menu.AppendMenu(MF_STRING, ID_LIST_FIT_TO_WINDOW, "Fit to Window");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, ID_FILTER_RESET_FILTERS, "Reset Filters");
    menu.AppendMenu(MF_STRING | (m_bMatchExactly ? MF_CHECKED : MF_UNCHECKED), ID_FILTER_MATCH_EXACTLY, "Match Filter Exactly");
    menu.AppendMenu(MF_SEPARATOR);
    if (m_bShowCustomColumns && m_bUseFilter)
    {
        menu.AppendMenu(MF_STRING, ID_FILTER_ADD_CUSTOM, "Add Custom Columns");
        menu.AppendMenu(MF_STRING, ID_FILTER_DELETE_CUSTOM, "Delete Custom Columns");
        menu.AppendMenu(MF_STRING, ID_LIST_EDIT_CUSTOM_COLUMNS, "Modify Custom Columns");
        if (m_bTrendEnabled)
            menu.AppendMenu(MF_STRING, ID_FILTER_SET_TREND, "Set Trend Columns");
    }
    // The menu's own message loop runs the host meanwhile: a list it destroyed gets no command.
    HWND hSelf = m_hWnd;
    UINT nCmd = (UINT)menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, point.x, point.y, this);
    if (nCmd != 0 && IsLiveList(this) && ::IsWindow(hSelf) && m_hWnd == hSelf)
        SendMessage(WM_COMMAND, MAKEWPARAM(nCmd, 0), 0);
}

void CFilterListCtrl::OnContextMenu(CWnd* pWnd, CPoint point)
{
    if (m_HeaderCtrl.m_hWnd == nullptr)
        return;
    CRect rcHeader;
    m_HeaderCtrl.GetWindowRect(&rcHeader);
    if (point.x == -1 && point.y == -1 && pWnd != nullptr && pWnd->m_hWnd == m_HeaderCtrl.m_hWnd)
        point = rcHeader.TopLeft();
    if (!rcHeader.PtInRect(point))
        return;
    ShowHeaderMenu(point);
}

// --- message map ---------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CFilterListCtrl, CCommonListCtrl)
    ON_NOTIFY_EX_RANGE(HDN_FILTERCHANGE, 0, 0xFFFF, OnFilterChange)
    ON_NOTIFY_EX_RANGE(HDN_FILTERBTNCLICK, 0, 0xFFFF, OnFilterButtonClicked)
    ON_NOTIFY_REFLECT(LVN_GETDISPINFOA, OnLvnGetdispinfo)
    ON_NOTIFY_REFLECT(LVN_GETDISPINFOW, OnLvnGetdispinfo)
    ON_NOTIFY_REFLECT(LVN_ODFINDITEMA, OnLvnOdfinditem)
    ON_NOTIFY_REFLECT(LVN_ODFINDITEMW, OnLvnOdfinditem)
    ON_NOTIFY_REFLECT_EX(NM_CLICK, OnNMClick)
    ON_MESSAGE(WM_FILTER_RESELECT, OnReselectAfterClick)
    ON_WM_CONTEXTMENU()
    ON_COMMAND(ID_FILTER_RESET_FILTERS, OnOptionResetFilter)
    ON_COMMAND(ID_FILTER_MATCH_EXACTLY, OnMatchFilterExactly)
    ON_WM_CREATE()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnNMCustomdraw)
    ON_WM_ERASEBKGND()
    ON_WM_MEASUREITEM_REFLECT()
    ON_MESSAGE(WM_SETFONT, OnSetFont)
    ON_NOTIFY_EX_RANGE(HDN_ENDTRACKA, 0, 0xFFFF, OnHdnEnddragList)
    ON_NOTIFY_EX_RANGE(HDN_ENDTRACKW, 0, 0xFFFF, OnHdnEnddragList)
END_MESSAGE_MAP()
