// CCommonListCtrl: keyboard shortcuts, the row and header context menus, their commands, and
// copying the selected rows to the clipboard.
#include "lists/CommonListCtrl.h"
#include "lists/ListCommands.h"

#include <cstring>

namespace
{
bool KeyDown(int nVirtKey)
{
    return ::GetKeyState(nVirtKey) < 0;
}
}  // namespace

BOOL CCommonListCtrl::PreTranslateMessage(MSG* pMsg)
{
    // Keys typed into the list's own children (in-place editors) are theirs.
    if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd)
    {
        bool bCtrl = KeyDown(VK_CONTROL), bShift = KeyDown(VK_SHIFT);
        switch (pMsg->wParam)
        {
        case 'A':
            if (bCtrl)
                SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
            break;
        case 'C':
            if (bCtrl)
            {
                BuildTable();
                if (bShift && m_bEnableCustomize)
                    OnCustomize();
            }
            break;
        case 'D':
            if (m_bEnableWriteFile && bShift && !bCtrl)
            {
                WriteToExcel(ID_LIST_WRITE_TO_FILE);
                return TRUE;
            }
            break;
        case 'E':
            if (m_bEnableWriteExcel && bShift && !bCtrl)
            {
                WriteToExcel(ID_LIST_WRITE_TO_EXCEL);
                return TRUE;
            }
            break;
        case 'G':
            if (bShift && !bCtrl)
                GridLines();
            break;
        case VK_APPS:
        {
            NMHDR hdr = {};
            hdr.hwndFrom = m_hWnd;
            hdr.idFrom = (UINT_PTR)GetDlgCtrlID();
            hdr.code = NM_RCLICK;
            CWnd* pTarget = m_pOwnerWnd != nullptr ? m_pOwnerWnd : GetParent();
            if (pTarget != nullptr)
                pTarget->SendMessage(WM_NOTIFY, hdr.idFrom, (LPARAM)&hdr);
            break;
        }
        default:
            break;
        }
    }
    if (m_ToolTip.GetSafeHwnd() != nullptr)
        m_ToolTip.RelayEvent(pMsg);
    return CListCtrl::PreTranslateMessage(pMsg);
}

// --- menus ---------------------------------------------------------------------------------------

void CCommonListCtrl::AddRClickMenus(CMenu* pMenu)
{
    pMenu->AppendMenu(MF_STRING | (m_bEnableWriteExcel ? 0 : MF_GRAYED), ID_LIST_WRITE_TO_EXCEL,
                      "Write to Excel\tShift+E");
    pMenu->AppendMenu(MF_STRING, ID_LIST_GRID_LINES, "Draw Grid Lines\tShift+G");
    if (m_bEnableCustomize)
        pMenu->AppendMenu(MF_STRING, ID_LIST_CUSTOMIZE, "Customize \t Ctrl+Shift+C");
    if (m_bUserCustomize)
        pMenu->AppendMenu(MF_STRING, ID_LIST_USER_CUSTOMIZE, "User Customize");
    pMenu->AppendMenu(MF_STRING, ID_LIST_COPY_TO_CLIPBOARD, "Copy to Clip Board\tCtrl+C");
}

void CCommonListCtrl::ShowRowMenu()
{
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    AddRClickMenus(&menu);
    CPoint point;
    ::GetCursorPos(&point);
    UINT nCmd = (UINT)menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, point.x, point.y, this);
    if (nCmd != 0)
        SendMessage(WM_COMMAND, MAKEWPARAM(nCmd, 0), 0);
}

void CCommonListCtrl::ShowHeaderMenu(CPoint point)
{
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    if (m_bGroupedList)
    {
        menu.AppendMenu(MF_STRING, ID_LIST_REPOSITION_COLUMNS, "Reposition Columns");
        menu.AppendMenu(MF_STRING, ID_LIST_REPOSITION_GROUPS, "Reposition Columns in open groups");
        menu.AppendMenu(MF_STRING, ID_LIST_FIT_TO_DATA, "Fit to Data");
    }
    else if (m_bColumnProfile)
    {
        menu.AppendMenu(MF_STRING, ID_LIST_REPOSITION_COLUMNS, "Reposition Columns");
        menu.AppendMenu(MF_STRING, ID_LIST_FIT_TO_DATA, "Fit to Data");
    }
    else
    {
        menu.AppendMenu(MF_STRING, ID_LIST_FIT_TO_DATA, "Fit To Data");
    }
    menu.AppendMenu(MF_STRING, ID_LIST_FIT_TO_HEADER, "Fit to Header");
    menu.AppendMenu(MF_STRING, ID_LIST_FIT_TO_WINDOW, "Fit to Window");
    if (m_bCustomColumnsMenu)
    {
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_STRING, ID_LIST_ADD_CUSTOM_COLUMNS, "Add Custom Columns");
        menu.AppendMenu(MF_STRING, ID_LIST_EDIT_CUSTOM_COLUMNS, "Edit Custom Coloums");
        menu.AppendMenu(MF_STRING, ID_LIST_DELETE_CUSTOM_COLUMNS, "Delete Custom Coloums");
    }
    UINT nCmd = (UINT)menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, point.x, point.y, this);
    if (nCmd != 0)
        SendMessage(WM_COMMAND, MAKEWPARAM(nCmd, 0), 0);
}

void CCommonListCtrl::OnNMRclick(NMHDR*, LRESULT* pResult)
{
    ShowRowMenu();
    *pResult = 0;
}

void CCommonListCtrl::OnContextMenu(CWnd* pWnd, CPoint point)
{
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (pHeader != nullptr)
    {
        CRect rcHeader;
        pHeader->GetWindowRect(&rcHeader);
        bool bFromHeader = pWnd != nullptr && pWnd->GetSafeHwnd() == pHeader->m_hWnd;
        if (bFromHeader || rcHeader.PtInRect(point))
        {
            if (point.x == -1 && point.y == -1)
                point = rcHeader.TopLeft();   // from the keyboard
            ShowHeaderMenu(point);
            return;
        }
    }
    CListCtrl::OnContextMenu(pWnd, point);
}

void CCommonListCtrl::ProcessCommand(UINT nID)
{
    switch (nID)
    {
    case ID_LIST_WRITE_TO_EXCEL:
        WriteToExcel(nID);
        break;
    case ID_LIST_GRID_LINES:
        GridLines();
        break;
    case ID_LIST_CUSTOMIZE:
        OnCustomize();
        break;
    case ID_LIST_COPY_TO_CLIPBOARD:
        BuildTable();
        break;
    case ID_LIST_USER_CUSTOMIZE:
        OnUserCustomize();
        break;
    default:
        break;
    }
}

void CCommonListCtrl::GridLines()
{
    SetExtendedStyle(GetExtendedStyle() ^ LVS_EX_GRIDLINES);
}

// --- clipboard -----------------------------------------------------------------------------------

void CCommonListCtrl::BuildTable()
{
    m_csClipboardText.Empty();
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    int nColumns = pHeader ? pHeader->GetItemCount() : 0;
    POSITION pos = GetFirstSelectedItemPosition();
    while (pos != nullptr)
    {
        int nRow = GetNextSelectedItem(pos);
        for (int c = 0; c < nColumns; ++c)
        {
            m_csClipboardText += GetItemText(nRow, c);
            m_csClipboardText += '\t';
        }
        m_csClipboardText += "\r\n";
    }
    CopyToClipboard();
}

int CCommonListCtrl::CopyToClipboard()
{
    return AfxSetClipboardText(m_hWnd, m_csClipboardText) ? 1 : 0;
}

// --- export --------------------------------------------------------------------------------------

namespace
{
int ListExportText(void* pContext, int nRow, int nColumn, CString& csText, int& nType)
{
    const sListExportSource& src = *static_cast<const sListExportSource*>(pContext);
    if (!IsExportSourceLive(src))
        return 0;
    if (nRow > 0)
    {
        csText = src.pList->GetItemText(nRow - 1, nColumn);
        nType = -1;
        return 1;
    }
    csText = ReadHeadingText(src.pList->GetHeaderCtrl(), nColumn);
    for (INT_PTR i = 0; i < src.pList->m_arrColInfo.GetSize(); ++i)
        if (csText == src.pList->m_arrColInfo[i].szColName)
        {
            nType = src.pList->m_arrColInfo[i].nDataType;
            break;
        }
    return 1;
}
}  // namespace

void CCommonListCtrl::WriteToExcel(UINT nID)
{
    RunListExport(*this, nID, GetItemCount(), &ListExportText);
}
