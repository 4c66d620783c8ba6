// Driving a user-defined column dialog as the trader does: button clicks (BM_CLICK) with Ctrl held
// through the keyboard state, picks in the two lists, texts of windows.
#pragma once

#include "TestSupport.h"
#include "dialogs/UserColumnDlgBase.h"
#include "resources/UserColumnRes.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace UserColumnDriver
{
inline void SetCtrl(bool bDown)
{
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = bDown ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

inline void Click(CWnd& dlg, UINT nID, bool bCtrl = false)
{
    SetCtrl(bCtrl);
    ::SendMessage(dlg.GetDlgItem(nID)->m_hWnd, BM_CLICK, 0, 0);
    SetCtrl(false);
}

inline std::string Text(CWnd* pWnd)
{
    CString text;
    pWnd->GetWindowText(text);
    return (LPCTSTR)text;
}

// "text=item data" of each entry of a list box.
inline std::vector<std::string> Entries(CListBox& list)
{
    std::vector<std::string> v;
    for (int i = 0; i < list.GetCount(); ++i)
    {
        CString text;
        list.GetText(i, text);
        v.push_back(std::string(text) + "=" + std::to_string(list.GetItemData(i)));
    }
    return v;
}

// The texts the modal seam showed, as strings.
inline std::vector<std::string> Shown(const std::vector<CString>& messages)
{
    return std::vector<std::string>(messages.begin(), messages.end());
}

inline void Select(CUserColumnDlgBase& dlg, const char* pszName)
{
    for (int i = 0; i < dlg.m_ColumnList.GetCount(); ++i)
    {
        CString text;
        dlg.m_ColumnList.GetText(i, text);
        if (text == pszName)
        {
            dlg.m_ColumnList.SetCurSel(i);
            return;
        }
    }
    ADD_FAILURE() << "no entry " << pszName;
}

// A pick in the user column list, with the notification the dialog gets from a real pick.
inline void ChooseUserColumn(CUserColumnDlgBase& dlg, const char* pszName)
{
    int n = dlg.m_UserColumnList.FindStringExact(-1, pszName);
    ASSERT_GE(n, 0) << pszName;
    dlg.m_UserColumnList.SetCurSel(n);
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_UCOL_USER_COLUMNS, CBN_SELCHANGE), (LPARAM)dlg.m_UserColumnList.m_hWnd);
}
}  // namespace UserColumnDriver
