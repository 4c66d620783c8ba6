#include "windows/VXDialog.h"

#include <afxbcg.h>
#include <cstring>
#include <vector>

#include "host/ControlBlock.h"
#include "OrvoTools.h"
#include "host/RecoveryFiles.h"
#include "windows/DialogPosition.h"

IMPLEMENT_DYNAMIC(CVXDialog, CDialog)

CArray<CVXDialog*, CVXDialog*> CVXDialog::AllDlgArray;
bool CVXDialog::m_bGlobalMmmMode = false;
CWnd* CVXDialog::m_pDgBar = nullptr;
bool CVXDialog::m_bFocusStatus = false;
CWatcher* CVXDialog::pWatcherr = nullptr;

namespace {

const char kPositionSection[] = "DIALOG_POSITION";
const char kMultiMonitorSection[] = "MultiMonitor Settings";
const char kNotFound[] = "Settings Not Found";
const int kFloatingBarID = 6075;

// The visual-style background brush, shared by every dialog until the library is unloaded.
struct CVisualBrush
{
    HBRUSH hBrush = nullptr;
    ~CVisualBrush()
    {
        if (hBrush != nullptr)
            ::DeleteObject(hBrush);
    }
} g_visualBrush;

// A key the private-profile functions can store and find again as it is.
bool IsAbsolutePath(const CString& csPath)
{
    return (csPath.GetLength() >= 2 && csPath[1] == ':') || (!csPath.IsEmpty() && (csPath[0] == '\\' || csPath[0] == '/'));
}

bool IsStorableKey(const CString& csKey)
{
    if (csKey.IsEmpty() || csKey[0] == ';' || csKey[0] == '[')
        return false;
    return csKey.Find('=') < 0 && csKey.Find('\r') < 0 && csKey.Find('\n') < 0;
}

sDialogPosition FromPlacement(const WINDOWPLACEMENT& wp)
{
    sDialogPosition pos;
    pos.rcNormal = wp.rcNormalPosition;
    pos.ptMax = wp.ptMaxPosition;
    pos.ptMin = wp.ptMinPosition;
    pos.nShowCmd = (int)wp.showCmd;
    return pos;
}

void ToPlacement(const sDialogPosition& pos, WINDOWPLACEMENT& wp)
{
    wp.rcNormalPosition = pos.rcNormal;
    wp.ptMaxPosition = pos.ptMax;
    wp.ptMinPosition = pos.ptMin;
    wp.showCmd = (UINT)pos.nShowCmd;
}

// The work areas of the monitors attached now.
std::vector<RECT> MonitorWorkAreas()
{
    std::vector<RECT> areas;
    ::EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR hMonitor, HDC, LPRECT, LPARAM lParam) -> BOOL {
            MONITORINFO mi = {};
            mi.cbSize = sizeof(mi);
            if (::GetMonitorInfoA(hMonitor, &mi))
                reinterpret_cast<std::vector<RECT>*>(lParam)->push_back(mi.rcWork);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&areas));
    return areas;
}

bool IsMiniFrame(HWND hWnd)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    return pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CBCGPMiniFrameWnd));
}

// A window whose modal loop is running (a dialog inside DoModal).
bool IsRunningModalLoop(HWND hWnd)
{
    CDialog* pDialog = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hWnd));
    return pDialog != nullptr && pDialog->IsModal();
}

BOOL CALLBACK EnumChildProc(HWND hWnd, LPARAM lParam)
{
    sEnumChildContext* pContext = reinterpret_cast<sEnumChildContext*>(lParam);
    pContext->pDialog->MyMemberEnumFunction(hWnd, lParam);
    return TRUE;
}

BOOL CALLBACK FontChangeProc(HWND hWnd, LPARAM lParam)
{
    char szClass[64] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (::lstrcmpiA(szClass, WC_LISTVIEWA) == 0 || ::lstrcmpiA(szClass, WC_HEADERA) == 0)
    {
        CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(hWnd));
        if (pParent == nullptr || std::strcmp(pParent->GetRuntimeClass()->m_lpszClassName, "CSnapQuoteDlg") != 0)
            return TRUE;
    }
    ::SendMessageA(hWnd, WM_SETFONT, (WPARAM)lParam, TRUE);
    return TRUE;
}

}  // namespace

BEGIN_MESSAGE_MAP(CVXDialog, CDialog)
    ON_WM_DESTROY()
    ON_WM_SHOWWINDOW()
    ON_WM_SIZE()
    ON_WM_SYSCOMMAND()
    ON_WM_ENTERSIZEMOVE()
    ON_WM_EXITSIZEMOVE()
END_MESSAGE_MAP()

CVXDialog::CVXDialog(unsigned int nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent)
{
    m_csDlgKey.Format("%d", nIDTemplate);
    m_wndPlacement = {};
    m_wndPlacement.length = sizeof(m_wndPlacement);
}

CVXDialog::CVXDialog(LPCTSTR lpszTemplateName, CWnd* pParent) : CDialog(lpszTemplateName, pParent)
{
    // A resource id given as a name (MAKEINTRESOURCE) is keyed like the number form, so both
    // constructors share one saved placement.
    if (IS_INTRESOURCE(lpszTemplateName))
        m_csDlgKey.Format("%u", (unsigned int)(UINT_PTR)lpszTemplateName);
    else
        m_csDlgKey = lpszTemplateName;
    m_wndPlacement = {};
    m_wndPlacement.length = sizeof(m_wndPlacement);
}

CVXDialog::~CVXDialog()
{
    // Deleted with its window open: closed as if destroyed, before the framework destroys the
    // window of an object that is no longer a dialog.
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        Close();
    LeaveAllDlgArray();
}

void CVXDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
}

BOOL CVXDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    AllDlgArray.Add(this);
    m_bOpen = true;
    if (pWatcherr != nullptr)
        pWatcherr->Notify(1, CString(), this, 0);
    SendMessage(WM_SETICON, ICON_SMALL, (LPARAM)CControlBlock::Get()->CallGetApplicationIcon());
    GetWindowPos();
    CMenu* pSysMenu = GetSystemMenu(FALSE);
    if (pSysMenu->GetSafeHmenu() != nullptr)
    {
        pSysMenu->AppendMenu(MF_SEPARATOR);
        pSysMenu->AppendMenu(MF_STRING | (m_bMultiMonitorMode ? MF_CHECKED : MF_UNCHECKED), ID_VXDLG_MULTIMONITOR_MODE,
                             "Run in &MultiMonitor Mode");
    }
    return TRUE;
}

void CVXDialog::RecordPlacement()
{
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        GetWindowPlacement(&m_wndPlacement);
}

void CVXDialog::LeaveAllDlgArray()
{
    for (INT_PTR i = 0; i < AllDlgArray.GetSize(); ++i)
    {
        if (AllDlgArray[i] == this)
        {
            AllDlgArray.RemoveAt(i);
            return;
        }
    }
}

void CVXDialog::GetWindowPos()
{
    RecordPlacement();
    m_bPlacementPending = true;
    if (m_csDlgKey.IsEmpty())
        return;

    // No position file named, or a key the file cannot hold: as if nothing were saved.
    CString csPath = GetDialogPosPath();
    char szValue[1024] = "";
    if (csPath.IsEmpty() || !IsStorableKey(m_csDlgKey))
        return;
    ::GetPrivateProfileStringA(kPositionSection, m_csDlgKey, kNotFound, szValue, sizeof(szValue), csPath);
    CString csValue = szValue;
    if (csValue == kNotFound)
        return;

    sDialogPosition saved = {};
    switch (ParseDialogPosition(csValue, saved))
    {
    case DIALOG_POSITION_EMPTY:
        CControlBlock::Get()->Log("Could Not Find Saved Positions for " + m_csDlgKey + "Dialog; Loading Defualt");
        break;
    case DIALOG_POSITION_MALFORMED:
        CControlBlock::Get()->Log("Error Occured While Reading saved Positions for " + m_csDlgKey +
                                  "Dialog; Loading Defualt");
        return;
    case DIALOG_POSITION_INCOMPLETE:
        // Only nine values are ever stored; fewer or more leave the dialog where it is.
        return;
    case DIALOG_POSITION_OK:
        ToPlacement(MergeDialogPosition(FromPlacement(m_wndPlacement), saved, (GetStyle() & WS_THICKFRAME) != 0),
                    m_wndPlacement);
        break;
    }

    // Without a settings file named the tools library would fall back to the last file it used.
    CString csMode;
    CString csFile = GetRecoveryFileName();
    CString csError;
    if (!csFile.IsEmpty() &&
        orvou_appdata_ini_file_operations(0, kMultiMonitorSection, m_csDlgKey, csMode, csFile, csError))
    {
        if (!csError.IsEmpty())
            AfxMessageBox(csError);
        m_bMultiMonitorMode = (csMode == "YES");
    }
}

void CVXDialog::SaveWindowPos()
{
    if (m_csDlgKey.IsEmpty() || m_hWnd == nullptr)
        return;
    RecordPlacement();

    // A read-only file is left alone even where the platform would let the write through (Wine
    // run by root). A dialog that was never shown since its placement was read has only its
    // template position: the saved placement stays.
    CString csPath = GetDialogPosPath();
    DWORD dwAttributes = csPath.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesA(csPath);
    bool bReadOnly = dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_READONLY);
    if (!csPath.IsEmpty() && !m_bPlacementPending)
    {
        CString csValue = FormatDialogPosition(FromPlacement(m_wndPlacement));
        CString csError;
        if (bReadOnly)
            csError = "the file is read-only";
        else if (!IsStorableKey(m_csDlgKey))
            csError = "the key cannot be stored";
        else if (IsAbsolutePath(csPath))
        {
            // Through the tools library: the whole file is replaced in one step or left alone.
            CString csFileName = csPath;
            orvou_ini_file_operations(1, kPositionSection, m_csDlgKey, csValue, csFileName, csError);
        }
        // A relative name is the profile functions' own (the Windows folder), as when reading.
        else if (!::WritePrivateProfileStringA(kPositionSection, m_csDlgKey, csValue, csPath))
            csError = "the file cannot be written";
        if (!csError.IsEmpty())
            CControlBlock::Get()->LogRefusedWrite("the dialog placement", kPositionSection, m_csDlgKey, csError);
    }

    // Without a settings file named the tools library would write to the last file it used.
    CString csMode = m_bMultiMonitorMode ? "YES" : "NO";
    CString csFile = GetRecoveryFileName();
    CString csError;
    if (!csFile.IsEmpty())
    {
        const int nResult = orvou_appdata_ini_file_operations(1, kMultiMonitorSection, m_csDlgKey, csMode, csFile, csError);
        if (nResult && !csError.IsEmpty())
            AfxMessageBox(csError);
        else if (!nResult)
            CControlBlock::Get()->LogRefusedWrite("the multi-monitor mode", kMultiMonitorSection, m_csDlgKey, csError);
    }
}

void CVXDialog::Close()
{
    if (!m_bOpen)
        return;
    m_bOpen = false;
    SaveWindowPos();
    LeaveAllDlgArray();
    if (pWatcherr != nullptr)
        pWatcherr->Notify(0, CString(), this, 0);
}

BOOL CVXDialog::DestroyWindow()
{
    Close();
    return CWnd::DestroyWindow();
}

void CVXDialog::OnDestroy()
{
    // Destroyed without DestroyWindow (with its owner or parent, say): closed all the same.
    Close();
    CDialog::OnDestroy();
}

void CVXDialog::OnShowWindow(BOOL bShow, UINT nStatus)
{
    if (bShow)
    {
        orvou_add_details_to_window_title(this, m_csTitleDetail);
        ApplyPendingPlacement();
    }
    if (m_pDgBar != nullptr)
        m_bFocusStatus = true;
    CDialog::OnShowWindow(bShow, nStatus);
}

void CVXDialog::ApplyPendingPlacement()
{
    if (!m_bPlacementPending)
        return;
    m_bPlacementPending = false;
    // A top-level dialog comes back where the user can see it: onto a monitor, never hidden or
    // minimised. A child dialog's placement is in its parent's coordinates and is applied as is.
    sDialogPosition pos = FromPlacement(m_wndPlacement);
    if (!(GetStyle() & WS_CHILD))
    {
        std::vector<RECT> areas = MonitorWorkAreas();
        BringDialogPositionOnScreen(pos, areas.data(), (int)areas.size(), (GetStyle() & WS_THICKFRAME) != 0);
    }
    WINDOWPLACEMENT wp = m_wndPlacement;
    ToPlacement(pos, wp);
    if (wp.showCmd != SW_SHOWNORMAL)
        SetWindowPlacement(&wp);
    else
        MoveWindow(&wp.rcNormalPosition, TRUE);
    RecordPlacement();
}

LRESULT CVXDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Shown without WM_SHOWWINDOW (SetWindowPos with SWP_SHOWWINDOW): the first show all the same.
    if (message == WM_WINDOWPOSCHANGED && m_bPlacementPending &&
        (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW))
    {
        LRESULT lResult = CDialog::WindowProc(message, wParam, lParam);
        ApplyPendingPlacement();
        return lResult;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

void CVXDialog::OnSize(UINT nType, int cx, int cy)
{
    if (m_pDgBar != nullptr)
        m_bFocusStatus = true;
    CDialog::OnSize(nType, cx, cy);
    RecordPlacement();
}

void CVXDialog::OnOK()
{
    if (m_pDgBar != nullptr)
        m_bFocusStatus = true;
    CDialog::OnOK();
}

void CVXDialog::OnCancel()
{
    RecordPlacement();
    if (m_pDgBar != nullptr)
        m_bFocusStatus = true;
    CDialog::OnCancel();
    if (m_pDgBar != nullptr)
        m_pDgBar->SetFocus();
}

void CVXDialog::OnSysCommand(UINT nID, LPARAM lParam)
{
    if (nID != ID_VXDLG_MULTIMONITOR_MODE)
    {
        CDialog::OnSysCommand(nID, lParam);
        return;
    }
    m_bMultiMonitorMode = !m_bMultiMonitorMode;
    CMenu* pSysMenu = GetSystemMenu(FALSE);
    if (pSysMenu->GetSafeHmenu() != nullptr)
        pSysMenu->CheckMenuItem(ID_VXDLG_MULTIMONITOR_MODE,
                                MF_BYCOMMAND | (m_bMultiMonitorMode ? MF_CHECKED : MF_UNCHECKED));
}

void CVXDialog::OnEnterSizeMove()
{
    ModifyStyle(0, WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    CDialog::OnEnterSizeMove();
}

void CVXDialog::OnExitSizeMove()
{
    ModifyStyle(WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    CDialog::OnExitSizeMove();
}

BOOL CVXDialog::CheckforMultiMonitor(CWnd* pWnd)
{
    if (!m_bGlobalMmmMode || pWnd == nullptr)
        return TRUE;
    CWnd* pObject = CWnd::FromHandlePermanent(pWnd->m_hWnd);
    if (pObject == nullptr)
        pObject = pWnd;
    if (pObject->IsKindOf(RUNTIME_CLASS(CVXDialog)) && static_cast<CVXDialog*>(pObject)->m_bMultiMonitorMode)
        return FALSE;
    return TRUE;
}

BOOL CVXDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    HWND hControl = (HWND)lParam;
    if (hControl == nullptr || HIWORD(wParam) != 0)
    {
        if (hControl == nullptr && m_pDgBar != nullptr)
            m_bFocusStatus = true;
        return CDialog::OnCommand(wParam, lParam);
    }

    CString csText;
    CWnd::FromHandle(hControl)->GetWindowText(csText);
    csText.Remove('&');
    if (csText != "OK" && csText != "Cancel")
        return CDialog::OnCommand(wParam, lParam);

    CFrameWnd* pFrame = CWnd::FromHandle(hControl)->GetParentFrame();
    CWnd* pPopup = pFrame != nullptr ? pFrame->GetLastActivePopup() : nullptr;
    if (pPopup == nullptr)
        return CDialog::OnCommand(wParam, lParam);

    HWND hTarget = nullptr;
    for (HWND hWnd = ::GetWindow(pPopup->m_hWnd, GW_HWNDNEXT); hWnd != nullptr; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
    {
        if (IsRunningModalLoop(hWnd))
            return TRUE;
        if (::IsWindow(hWnd) && CheckforMultiMonitor(CWnd::FromHandle(hWnd)))
        {
            hTarget = hWnd;
            break;
        }
    }
    if (hTarget == nullptr)
        return CDialog::OnCommand(wParam, lParam);

    // The default handling closes the dialog, which may delete it: from there on only statics and
    // window handles are used.
    if (m_pDgBar == nullptr)
    {
        m_bFocusStatus = false;
        CDialog::OnCommand(wParam, lParam);
        if (::IsWindow(hTarget) && !IsMiniFrame(hTarget))
            ::BringWindowToTop(hTarget);
        return TRUE;
    }

    m_bFocusStatus = true;
    if (hTarget == AfxGetMainWnd()->GetSafeHwnd())
    {
        CDialog::OnCommand(wParam, lParam);
        ActivatePrevWindow(true);
        return TRUE;
    }
    if (IsMiniFrame(hTarget))
    {
        if (CBCGPMiniFrameWnd::FindFloatingBarByID(kFloatingBarID) == nullptr)
            return CDialog::OnCommand(wParam, lParam);
        CDialog::OnCommand(wParam, lParam);
        ActivatePrevWindow(true);
        return TRUE;
    }
    CDialog::OnCommand(wParam, lParam);
    if (!::IsWindow(hControl) && ::IsWindow(hTarget))
    {
        ::BringWindowToTop(hTarget);
        ::SetFocus(hTarget);
    }
    m_bFocusStatus = false;
    return TRUE;
}

bool CVXDialog::ActivatePrevWindow(bool bUseDgBar)
{
    if (bUseDgBar && m_pDgBar != nullptr)
    {
        m_pDgBar->SetFocus();
        return false;
    }
    CFrameWnd* pFrame = GetParentFrame();
    CWnd* pPopup = pFrame != nullptr ? pFrame->GetLastActivePopup() : nullptr;
    if (pPopup == nullptr)
        return false;
    for (HWND hWnd = ::GetWindow(pPopup->m_hWnd, GW_HWNDNEXT); hWnd != nullptr; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
    {
        if (hWnd == pFrame->m_hWnd)
            return false;
        if (hWnd == AfxGetMainWnd()->GetSafeHwnd())
        {
            ::SetFocus(hWnd);
            return true;
        }
        if (::IsWindow(hWnd) && CheckforMultiMonitor(CWnd::FromHandle(hWnd)))
        {
            if (!IsMiniFrame(hWnd))
                ::BringWindowToTop(hWnd);
            return true;
        }
    }
    return false;
}

void CVXDialog::orvou_add_details_to_window_title(CWnd* pWnd, CString csDetail)
{
    const CControlBlock* pBlock = CControlBlock::Get();
    if (pBlock->CallGetAppStatus() != 4 || pWnd->GetSafeHwnd() == nullptr)
        return;
    CString csTitle;
    pWnd->GetWindowText(csTitle);
    CString csFirst, csSecond, csPeer;
    pBlock->CallGetPeerData(csFirst, csSecond, csPeer);
    if (csPeer.IsEmpty())
        return;   // every title contains the empty text
    CString csShort = csPeer.GetLength() < 31 ? csPeer : csPeer.Left(30) + "..";
    if (csTitle.Find(csPeer) >= 0 || csTitle.Find(csShort) >= 0 || csTitle.Find("Modifying") >= 0)
        return;
    csTitle += " - " + csShort;
    if (!csDetail.IsEmpty() && csTitle.Find(csDetail) < 0)
        csTitle += "( " + csDetail + " )";
    pWnd->SetWindowText(csTitle);
}

void CVXDialog::SetFocus(int nID)
{
    SendMessage(WM_NEXTDLGCTL, (WPARAM)::GetDlgItem(m_hWnd, nID), TRUE);
}

void CVXDialog::SetFocus(CWnd* pControl)
{
    SendMessage(WM_NEXTDLGCTL, (WPARAM)pControl->GetSafeHwnd(), TRUE);
}

CWnd* CVXDialog::SetFocus()
{
    return CDialog::SetFocus();
}

BOOL CVXDialog::MyMemberEnumFunction(HWND hWnd, LPARAM)
{
    HWND hControl = ::GetDlgItem(m_hWnd, ::GetDlgCtrlID(hWnd));
    if (hControl != nullptr)
        ::EnableWindow(hControl, FALSE);
    return TRUE;
}

void CVXDialog::EnumerateChildWindow()
{
    sEnumChildContext local = {};
    sEnumChildContext* pContext = m_pEnumContext != nullptr ? m_pEnumContext : &local;
    pContext->pDialog = this;
    ::EnumChildWindows(m_hWnd, EnumChildProc, reinterpret_cast<LPARAM>(pContext));
}

void CVXDialog::EnumerateChildWindowForFontChange(HFONT hFont)
{
    ::EnumChildWindows(m_hWnd, FontChangeProc, reinterpret_cast<LPARAM>(hFont));
}

HBRUSH CVXDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if ((nCtlColor == CTLCOLOR_DLG || !m_bDefaultColors) && g_visualBrush.hBrush != nullptr)
        return g_visualBrush.hBrush;
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}

void CVXDialog::SetLayoutWatcher(CWatcher* pWatcher)
{
    pWatcherr = pWatcher;
}

void CVXDialog::VisualizationColor()
{
    COLORREF clr = ::GetSysColor(COLOR_BTNFACE);
    if (CBCGPVisualManager* pManager = CBCGPVisualManager::GetInstance())
    {
        if (pManager->IsKindOf(RUNTIME_CLASS(CBCGPVisualManager2007)))
        {
            switch (CBCGPVisualManager2007::GetStyle())
            {
            case CBCGPVisualManager2007::VS2007_ObsidianBlack: clr = RGB(225, 226, 229); break;
            case CBCGPVisualManager2007::VS2007_Aqua: clr = RGB(212, 218, 233); break;
            case CBCGPVisualManager2007::VS2007_Silver: clr = RGB(208, 212, 221); break;
            default: clr = RGB(193, 215, 245); break;
            }
        }
        else if (pManager->IsKindOf(RUNTIME_CLASS(CBCGPVisualManagerVS2005)) ||
                 pManager->IsKindOf(RUNTIME_CLASS(CBCGPVisualManager2003)) ||
                 pManager->IsKindOf(RUNTIME_CLASS(CBCGPVisualManagerXP)) ||
                 pManager->IsKindOf(RUNTIME_CLASS(CBCGPWinXPVisualManager)))
        {
            clr = ::GetSysColor(COLOR_WINDOW);
        }
    }
    if (g_visualBrush.hBrush != nullptr)
        ::DeleteObject(g_visualBrush.hBrush);
    g_visualBrush.hBrush = ::CreateSolidBrush(clr);
}

void CVXDialog::ResetBWLDlgPtr()
{
    m_pDgBar = nullptr;
}
