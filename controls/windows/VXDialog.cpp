#include "windows/VXDialog.h"

#include <afxbcg.h>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "host/ControlBlock.h"
#include "OrvoTools.h"
#include "host/RecoveryFiles.h"

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
bool IsStorableKey(const CString& csKey)
{
    if (csKey.IsEmpty() || csKey[0] == ';' || csKey[0] == '[')
        return false;
    return csKey.Find('=') < 0 && csKey.Find('\r') < 0 && csKey.Find('\n') < 0;
}

// One field of a saved position: decimal digits with an optional leading '-', within the range
// of window coordinates (a larger value cannot come from a real placement).
bool ParsePositionField(const CString& csField, int& nValue)
{
    const char* p = csField;
    const char* digits = (*p == '-') ? p + 1 : p;
    if (*digits == '\0')
        return false;
    for (const char* q = digits; *q != '\0'; ++q)
        if (*q < '0' || *q > '9')
            return false;
    if (std::strlen(digits) > 9)
        return false;
    long lValue = std::strtol(p, nullptr, 10);
    if (lValue < -32768 || lValue > 32767)
        return false;
    nValue = (int)lValue;
    return true;
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

    if (csValue.IsEmpty())
    {
        CControlBlock::Get()->Log("Could Not Find Saved Positions for " + m_csDlgKey + "Dialog; Loading Defualt");
    }
    else
    {
        int values[9] = {};
        int nCount = 0;
        int nStart = 0;
        while (nStart <= csValue.GetLength())
        {
            int nComma = csValue.Find(',', nStart);
            if (nComma < 0)
                nComma = csValue.GetLength();
            CString csField = csValue.Mid(nStart, nComma - nStart);
            nStart = nComma + 1;
            if (csField.IsEmpty())
                continue;
            int nValue = 0;
            if (!ParsePositionField(csField, nValue))
            {
                CControlBlock::Get()->Log("Error Occured While Reading saved Positions for " + m_csDlgKey +
                                          "Dialog; Loading Defualt");
                return;
            }
            if (nCount < 9)
                values[nCount] = nValue;
            ++nCount;
        }
        // Only nine values are ever stored; fewer or more leave the dialog where it is.
        if (nCount != 9)
            return;

        WINDOWPLACEMENT wp = m_wndPlacement;
        if (GetStyle() & WS_THICKFRAME)
        {
            wp.rcNormalPosition = CRect(values[1], values[0], values[3], values[2]);
        }
        else
        {
            CRect rcNormal(wp.rcNormalPosition);
            wp.rcNormalPosition = CRect(CPoint(values[1], values[0]), rcNormal.Size());
        }
        wp.ptMaxPosition = CPoint(values[4], values[5]);
        wp.ptMinPosition = CPoint(values[6], values[7]);
        wp.showCmd = (UINT)values[8];
        m_wndPlacement = wp;
    }

    CString csMode;
    CString csFile = GetRecoveryFileName();
    CString csError;
    if (orvou_appdata_ini_file_operations(0, kMultiMonitorSection, m_csDlgKey, csMode, csFile, csError))
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
    // run by root).
    CString csPath = GetDialogPosPath();
    DWORD dwAttributes = csPath.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesA(csPath);
    bool bReadOnly = dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_READONLY);
    if (!csPath.IsEmpty() && !bReadOnly && IsStorableKey(m_csDlgKey))
    {
        const RECT& rc = m_wndPlacement.rcNormalPosition;
        CString csValue;
        csValue.Format("%d,%d,%d,%d,%d,%d,%d,%d,%d", (int)rc.top, (int)rc.left, (int)rc.bottom, (int)rc.right,
                       (int)m_wndPlacement.ptMaxPosition.x, (int)m_wndPlacement.ptMaxPosition.y,
                       (int)m_wndPlacement.ptMinPosition.x, (int)m_wndPlacement.ptMinPosition.y,
                       (int)m_wndPlacement.showCmd);
        ::WritePrivateProfileStringA(kPositionSection, m_csDlgKey, csValue, csPath);
    }

    CString csMode = m_bMultiMonitorMode ? "YES" : "NO";
    CString csFile = GetRecoveryFileName();
    CString csError;
    if (orvou_appdata_ini_file_operations(1, kMultiMonitorSection, m_csDlgKey, csMode, csFile, csError) &&
        !csError.IsEmpty())
        AfxMessageBox(csError);
}

BOOL CVXDialog::DestroyWindow()
{
    SaveWindowPos();
    LeaveAllDlgArray();
    if (pWatcherr != nullptr)
        pWatcherr->Notify(0, CString(), this, 0);
    return CWnd::DestroyWindow();
}

void CVXDialog::OnDestroy()
{
    // Destroyed without DestroyWindow (with its owner, say): it must not stay listed as open.
    LeaveAllDlgArray();
    CDialog::OnDestroy();
}

void CVXDialog::OnShowWindow(BOOL bShow, UINT nStatus)
{
    if (bShow)
    {
        orvou_add_details_to_window_title(this, m_csTitleDetail);
        if (m_bPlacementPending)
        {
            m_bPlacementPending = false;
            WINDOWPLACEMENT wp = m_wndPlacement;
            if (wp.showCmd != SW_SHOWNORMAL)
                SetWindowPlacement(&wp);
            else
                MoveWindow(&wp.rcNormalPosition, TRUE);
        }
    }
    if (m_pDgBar != nullptr)
        m_bFocusStatus = true;
    CDialog::OnShowWindow(bShow, nStatus);
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
