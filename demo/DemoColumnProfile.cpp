// A market grid in a dialog whose columns the trader arranges. The first run's scripted trader
// opens "Reposition Columns", hides three columns, drags "Last" up beside "Symbol" and saves; the
// grid's profile goes to the demo's settings file and the dialog's placement to the position
// file, so every later run opens the grid, and the dialog, as the trader left them.
#include "DemoDialogTemplate.h"
#include "DemoScene.h"

#include "lists/CommonListCtrl.h"
#include "host/ControlBlock.h"
#include "host/RecoveryFiles.h"
#include "dialogs/RepositionColumns.h"
#include "resources/RepositionColumnsRes.h"

#include <cstdio>
#include <vector>

namespace
{
const char* const kListName = "DemoColumnProfile";

// A dialog holding one report list (id 100).
const CDemoDialogTemplate& GridTemplate()
{
    static CDemoDialogTemplate tmpl = [] {
        CDemoDialogTemplate t(L"Market Depth Grid", 330, 150, WS_POPUP | WS_CAPTION | WS_SYSMENU);
        t.AddItem(L"SysListView32", L"", WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS, 4, 4, 322, 142, 100);
        return t;
    }();
    return tmpl;
}

CString HeaderLine(CCommonListCtrl& list)
{
    CString line;
    CHeaderCtrl* pHeader = list.GetHeaderCtrl();
    for (int i = 0; i < pHeader->GetItemCount(); ++i)
    {
        char text[64] = "";
        HDITEMA item = {};
        item.mask = HDI_TEXT | HDI_WIDTH;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        pHeader->GetItem(i, &item);
        CString part;
        part.Format("%s%s(%d)", i == 0 ? "" : " ", text, item.cxy);
        line += part;
    }
    return line.IsEmpty() ? CString("(no columns)") : line;
}

CString ListLine(CListCtrl& list)
{
    CString line;
    for (int i = 0; i < list.GetItemCount(); ++i)
        line += (i == 0 ? "" : ", ") + list.GetItemText(i, 0);
    return line;
}

int FindRow(CListCtrl& list, LPCTSTR lpszText)
{
    for (int i = 0; i < list.GetItemCount(); ++i)
    {
        if (list.GetItemText(i, 0) == lpszText)
            return i;
    }
    return -1;
}

void SelectOnly(CListCtrl& list, std::initializer_list<LPCTSTR> names)
{
    list.SetItemState(-1, 0, LVIS_SELECTED);
    for (LPCTSTR name : names)
    {
        int row = FindRow(list, name);
        if (row >= 0)
            list.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    }
}

void Click(CDialog& dlg, int nID)
{
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)::GetDlgItem(dlg.m_hWnd, nID));
}

// The trader's drag: press on a row, move onto another and let go, as the list sees it.
void DragRow(CRepositionColumns& dlg, CVXDragListCtrl& list, int nFrom, int nOnto)
{
    CRect from, onto;
    list.GetItemRect(nFrom, &from, LVIR_BOUNDS);
    list.GetItemRect(nOnto, &onto, LVIR_BOUNDS);
    NMLISTVIEW view = {};
    view.hdr.hwndFrom = list.m_hWnd;
    view.hdr.idFrom = (UINT_PTR)list.GetDlgCtrlID();
    view.hdr.code = LVN_BEGINDRAG;
    view.iItem = nFrom;
    view.ptAction = CPoint(from.left + 20, from.CenterPoint().y);
    dlg.SendMessage(WM_NOTIFY, view.hdr.idFrom, (LPARAM)&view);
    CPoint pt(onto.left + 20, onto.CenterPoint().y);
    list.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
}

void AddColumn(CCommonListCtrl& list, const char* name, int width, int format, int dataType)
{
    sOrvoColInfo info = {};
    snprintf(info.szColName, sizeof(info.szColName), "%s", name);
    info.nWidth = width;
    info.nFormat = format;
    info.nDataType = dataType;
    list.m_arrColInfo.Add(info);
}

void FillRows(CCommonListCtrl& list)
{
    static const char* const symbols[] = { "NIFTY", "BANKNIFTY", "RELIANCE", "INFY", "TCS", "HDFCBANK", "GOLD", "CRUDE" };
    for (int r = 0; r < 8; ++r)
    {
        int base = 1000 + 733 * r;
        CString cells[9];
        cells[0] = symbols[r];
        cells[1].Format("%d.%02d", base, 5 * r);
        cells[2].Format("%d.%02d", base, 5 * r + 10);
        cells[3].Format("%d.%02d", base, 5 * r + 5);
        cells[4].Format("%s%d.%02d", r % 3 == 0 ? "-" : "", r + 1, 25 * (r % 4));
        cells[5].Format("%d", 12000 * (r + 3));
        cells[6].Format("%d.00", base + 40);
        cells[7].Format("%d.00", base - 35);
        cells[8].Format("%d", 300 * (r + 1));
        list.InsertItem(r, cells[0]);
        for (int c = 1; c < 9; ++c)
            list.SetItemText(r, c, cells[c]);
    }
}
}  // namespace

DEMO_SCENE(ColumnProfile, 15)
{
    if (GetDialogPosPath().IsEmpty())
        SetRecoveryFileNames("ControlsDemo.ini", context.OutputPath("DialogPositions.ini"));

    static CDialog gridDlg;
    static CCommonListCtrl list;
    if (!gridDlg.CreateIndirect(GridTemplate().Get(), context.m_pMainWnd) ||
        !list.SubclassDlgItem(100, &gridDlg))
    {
        context.Print("column profile: could not create the grid dialog");
        return;
    }
    CRect frame;
    context.m_pMainWnd->GetWindowRect(&frame);
    gridDlg.SetWindowPos(nullptr, frame.left + 30, frame.top + 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    list.m_csListName = kListName;
    AddColumn(list, "Symbol", 90, LVCFMT_LEFT, LIST_SORT_NATURAL);
    AddColumn(list, "Bid", 70, LVCFMT_RIGHT, LIST_SORT_DECIMAL);
    AddColumn(list, "Ask", 70, LVCFMT_RIGHT, LIST_SORT_DECIMAL);
    AddColumn(list, "Last", 70, LVCFMT_RIGHT, LIST_SORT_DECIMAL);
    AddColumn(list, "Change", 60, LVCFMT_RIGHT, LIST_SORT_DECIMAL);
    AddColumn(list, "Volume", 70, LVCFMT_RIGHT, LIST_SORT_INTEGER);
    AddColumn(list, "High", 70, LVCFMT_RIGHT, LIST_SORT_DECIMAL);
    AddColumn(list, "Low", 70, LVCFMT_RIGHT, LIST_SORT_DECIMAL);
    AddColumn(list, "OI", 60, LVCFMT_RIGHT, LIST_SORT_INTEGER);
    list.m_arrFixedColumns.Add("Symbol");

    CString stored;
    bool bFirstRun = !CControlBlock::Get()->CallUserSetting(0, kListName, stored, "COLUMNPROFILE");
    list.InsertColumnsForList();
    FillRows(list);
    gridDlg.ShowWindow(SW_SHOW);
    if (bFirstRun)
        context.Print("column profile: first run, every column shown: %s", (LPCTSTR)HeaderLine(list));
    else
        context.Print("column profile: restored \"%s\": %s", (LPCTSTR)stored, (LPCTSTR)HeaderLine(list));
    context.Capture(&gridDlg, bFirstRun ? "profile_grid_default" : "profile_grid_restored");
    if (!context.m_bHeadless)
        return;

    CString csSavedPlacement;
    {
        char sz[256] = "";
        ::GetPrivateProfileStringA("DIALOG_POSITION", "197", "", sz, sizeof(sz), GetDialogPosPath());
        csSavedPlacement = sz;
    }
    list.ShowColumnDlg();
    CRepositionColumns* pDlg = list.m_pRepositionDlg;
    if (pDlg == nullptr || pDlg->GetSafeHwnd() == nullptr)
    {
        context.Print("column profile: the Reposition Columns dialog did not open");
        return;
    }
    CRect rc;
    pDlg->GetWindowRect(&rc);
    if (csSavedPlacement.IsEmpty())
    {
        // The trader moves and enlarges it once; it opens there from now on.
        pDlg->MoveWindow(frame.left + 360, frame.top + 100, 460, 330);
        pDlg->GetWindowRect(&rc);
        context.Print("column profile: dialog opened at its template place, moved to %d,%d %dx%d", (int)rc.left,
                      (int)rc.top, rc.Width(), rc.Height());
    }
    else
    {
        context.Print("column profile: dialog restored from \"%s\" at %d,%d %dx%d", (LPCTSTR)csSavedPlacement,
                      (int)rc.left, (int)rc.top, rc.Width(), rc.Height());
    }
    context.Print("column profile: shown [%s], hidden [%s]", (LPCTSTR)ListLine(pDlg->m_ShownList),
                  (LPCTSTR)ListLine(pDlg->m_HiddenList));
    context.Capture(pDlg, "profile_dialog_open");

    if (!bFirstRun)
    {
        // Later runs only look: the grid already is as the trader left it.
        Click(*pDlg, IDCANCEL);
        context.Print("column profile: cancelled; grid unchanged: %s", (LPCTSTR)HeaderLine(list));
        gridDlg.DestroyWindow();
        return;
    }

    // Symbol is fixed: trying to hide it with the others is refused through a message box.
    SelectOnly(pDlg->m_ShownList, { "Symbol", "High", "Low", "OI" });
    Click(*pDlg, IDC_RC_HIDE);
    context.Print("column profile: \"<\" on Symbol, High, Low, OI; shown [%s], hidden [%s]",
                  (LPCTSTR)ListLine(pDlg->m_ShownList), (LPCTSTR)ListLine(pDlg->m_HiddenList));
    if (context.m_pScript != nullptr && !context.m_pScript->Messages().empty())
        context.Print("column profile: message box \"%s\"", (LPCTSTR)context.m_pScript->Messages().back());
    SelectOnly(pDlg->m_ShownList, { "Last" });
    DragRow(*pDlg, pDlg->m_ShownList, FindRow(pDlg->m_ShownList, "Last"), FindRow(pDlg->m_ShownList, "Symbol"));
    context.Print("column profile: dragged Last after Symbol; shown [%s]", (LPCTSTR)ListLine(pDlg->m_ShownList));
    pDlg->m_AutoSort.SetCheck(BST_UNCHECKED);
    context.Capture(pDlg, "profile_dialog_arranged");

    Click(*pDlg, IDC_RC_SAVE);
    CString saved;
    CControlBlock::Get()->CallUserSetting(0, kListName, saved, "COLUMNPROFILE");
    context.Print("column profile: saved \"%s\"; grid: %s", (LPCTSTR)saved, (LPCTSTR)HeaderLine(list));
    context.Capture(&gridDlg, "profile_grid_saved");
    gridDlg.DestroyWindow();
}
