// CCommonListCtrl: the column profile (writing it, the factory profile) and the entry points of the
// dialogs built on the list, reached through the hook table.
#include "lists/CommonListCtrl.h"
#include "lists/ColumnProfileText.h"
#include "host/ControlBlock.h"
#include "OrvoTools.h"
#include "lists/CommonListHooks.h"

#include <cstring>
#include <vector>

void CCommonListCtrl::SaveColumnProfile()
{
    // A list whose columns were never built has nothing to say, and must not wipe what is stored.
    if (!m_bColumnProfile || m_csListName.IsEmpty() || m_arrColInfo.IsEmpty() || !m_bColumnsBuilt)
        return;
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    int nHeaderItems = pHeader != nullptr ? pHeader->GetItemCount() : 0;
    std::vector<int> order((size_t)(nHeaderItems > 0 ? nHeaderItems : 1));
    if (nHeaderItems > 0 && !pHeader->GetOrderArray(order.data(), nHeaderItems))
    {
        for (int i = 0; i < nHeaderItems; ++i)
            order[(size_t)i] = i;
    }

    CArray<sColumnProfileEntry, const sColumnProfileEntry&> entries;
    for (int c = 0; c < m_arrColInfo.GetSize(); ++c)
    {
        const sOrvoColInfo& info = m_arrColInfo[c];
        sColumnProfileEntry entry;
        entry.nColumn = c;
        entry.nPosition = -1;
        entry.nWidth = 0;
        // Position and width as the header shows them now, the user's header drags included.
        for (int i = 0; i < nHeaderItems; ++i)
        {
            char szText[128] = "";
            HDITEMA item = {};
            item.mask = HDI_TEXT | HDI_WIDTH;
            item.pszText = szText;
            item.cchTextMax = sizeof(szText);
            pHeader->GetItem(i, &item);
            if (strcmp(szText, info.szColName) != 0)
                continue;
            entry.nWidth = item.cxy;
            for (int p = 0; p < nHeaderItems; ++p)
            {
                if (order[(size_t)p] == i)
                    entry.nPosition = p;
            }
            break;
        }
        if (c >= m_nBuiltInColumns && !m_bGroupedList)
        {
            entry.bDefinition = true;
            entry.csName = info.szColName;
            entry.csText1 = info.csText1;
            entry.csText2 = info.csText2;
        }
        entries.Add(entry);
    }
    CString value = FormatColumnProfile(entries);
    if (!CControlBlock::Get()->CallUserSetting(1, m_csListName, value, "COLUMNPROFILE"))
        AfxMessageBox("Error while saving column profile");
}

void CCommonListCtrl::ApplyColumnProfile()
{
    // Copied first: a list may come or go while the factory file is read.
    CArray<CCommonListCtrl*, CCommonListCtrl*> lists;
    CList<CCommonListCtrl*, CCommonListCtrl*>& registered = RegisteredLists();
    for (POSITION pos = registered.GetHeadPosition(); pos != nullptr;)
        lists.Add(registered.GetNext(pos));
    CArray<CString, const CString&> failures;
    for (INT_PTR i = 0; i < lists.GetSize(); ++i)
    {
        CCommonListCtrl* pList = lists[i];
        // An unnamed list has no factory profile (the tools would refuse the empty key).
        if (registered.Find(pList) == nullptr || pList->GetSafeHwnd() == nullptr || pList->m_csListName.IsEmpty())
            continue;
        CString value, error;
        CString file = "FactorySetting.ini";
        if (orvou_ini_file_operations(0, "COLUMN PROFILE", pList->m_csListName, value, file, error))
        {
            CArray<int, int> columnsByPosition, widthsByPosition;
            if (ParseFactoryProfile(value, (int)pList->m_arrColInfo.GetSize(), columnsByPosition, widthsByPosition) > 0)
                pList->LoadHeaders(columnsByPosition, widthsByPosition);
        }
        // A list the factory file does not name is left as it is; anything else is a real
        // failure, reported once for all lists (the same text once) after the walk.
        else if (!error.IsEmpty() && !orvou_is_missing_key_error(error, "COLUMN PROFILE", pList->m_csListName))
        {
            bool bSeen = false;
            for (INT_PTR f = 0; f < failures.GetSize() && !bSeen; ++f)
                bSeen = failures[f] == error;
            if (!bSeen)
                failures.Add(error);
        }
    }
    if (failures.IsEmpty())
        return;
    CString text = failures[0];
    for (INT_PTR f = 1; f < failures.GetSize(); ++f)
        text += "\n" + failures[f];
    AfxMessageBox(text);
}

sCommonListHooks& CommonListHooks()
{
    static sCommonListHooks hooks;
    return hooks;
}

CCommonListCtrl*& UserColumnTargetList()
{
    static CCommonListCtrl* pTarget = nullptr;
    return pTarget;
}

void CCommonListCtrl::ShowColumnDlg()
{
    if (CommonListHooks().pfnShowColumnDlg != nullptr)
        CommonListHooks().pfnShowColumnDlg(this, false);
}

void CCommonListCtrl::ShowColumnGrp()
{
    if (CommonListHooks().pfnShowColumnDlg != nullptr)
        CommonListHooks().pfnShowColumnDlg(this, true);
}

void CCommonListCtrl::ReleaseRepositionDlg()
{
    if (m_pRepositionDlg != nullptr && CommonListHooks().pfnReleaseColumnDlg != nullptr)
        CommonListHooks().pfnReleaseColumnDlg(this);
    m_pRepositionDlg = nullptr;
}

void CCommonListCtrl::OnCustomize()
{
    if (CommonListHooks().pfnCustomize != nullptr)
        CommonListHooks().pfnCustomize(this);
}

void CCommonListCtrl::OnUserCustomize()
{
    if (CommonListHooks().pfnUserCustomize != nullptr)
        CommonListHooks().pfnUserCustomize(this);
}

void CCommonListCtrl::OnOptionAddUserDefCol()
{
    if (CommonListHooks().pfnUserDefinedColumn != nullptr)
        CommonListHooks().pfnUserDefinedColumn(this, 1);
}

void CCommonListCtrl::OnOptionDelUserDefCol()
{
    if (CommonListHooks().pfnUserDefinedColumn != nullptr)
        CommonListHooks().pfnUserDefinedColumn(this, 2);
}

void CCommonListCtrl::OnOptionModifyUserDefCol()
{
    if (CommonListHooks().pfnUserDefinedColumn != nullptr)
        CommonListHooks().pfnUserDefinedColumn(this, 3);
}
