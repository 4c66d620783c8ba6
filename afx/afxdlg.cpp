// Dialogs from templates, data exchange, the resource chain of extension modules, and the common
// dialogs.
#include "afxwin.h"
#include "afxwinimpl.h"

#include <cstdlib>
#include <list>
#include <string>

// --- resource chain ----------------------------------------------------------------------------

namespace
{
HINSTANCE g_hResource = nullptr;

std::list<CDynLinkLibrary*>& Libraries()
{
    static std::list<CDynLinkLibrary*> libraries;
    return libraries;
}

struct CDataExchangeFailure {};
}  // namespace

HINSTANCE AfxGetInstanceHandle()
{
    return ::GetModuleHandleA(nullptr);
}

HINSTANCE AfxGetResourceHandle()
{
    return g_hResource ? g_hResource : ::GetModuleHandleA(nullptr);
}

void AfxSetResourceHandle(HINSTANCE hInstResource)
{
    g_hResource = hInstResource;
}

HINSTANCE AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    if (::FindResourceA(hInst, lpszName, lpszType) != nullptr)
        return hInst;
    for (CDynLinkLibrary* pLib : Libraries())
    {
        if (pLib->m_hResource != nullptr && ::FindResourceA(pLib->m_hResource, lpszName, lpszType) != nullptr)
            return pLib->m_hResource;
    }
    return nullptr;
}

IMPLEMENT_DYNAMIC(CDynLinkLibrary, CCmdTarget)

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state)
    : m_hModule(state.hModule), m_hResource(state.hResource)
{
    Libraries().push_back(this);
}

CDynLinkLibrary::~CDynLinkLibrary()
{
    Libraries().remove(this);
}

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule)
{
    if (state.bInitialized)
        return TRUE;
    state.hModule = hModule;
    state.hResource = hModule;
    state.bInitialized = TRUE;
    return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL)
{
    auto& libs = Libraries();
    for (auto it = libs.begin(); it != libs.end();)
    {
        CDynLinkLibrary* pLib = *it;
        ++it;
        if (pLib->m_hModule == state.hModule)
            delete pLib;   // removes itself from the chain
    }
    state.bInitialized = FALSE;
}

// --- data exchange -----------------------------------------------------------------------------

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (hWndCtrl == nullptr)
        Fail();
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    throw CDataExchangeFailure();
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd == nullptr)
    {
        HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
        if (!rControl.SubclassWindow(hWndCtrl))
            pDX->Fail();
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        int nLen = ::GetWindowTextLengthA(hWndCtrl);
        ::GetWindowTextA(hWndCtrl, value.GetBuffer(nLen), nLen + 1);
        value.ReleaseBuffer();
    }
    else
    {
        ::SetWindowTextA(hWndCtrl, value);
    }
}

static void DDX_Number(CDataExchange* pDX, int nIDC, double& value, bool integral, const char* fmt)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        char buf[64] = "";
        ::GetWindowTextA(hWndCtrl, buf, sizeof(buf));
        char* end = nullptr;
        double d = integral ? (double)strtol(buf, &end, 10) : strtod(buf, &end);
        while (end && (*end == ' ' || *end == '\t'))
            ++end;
        if (end == buf || (end && *end != '\0'))
        {
            AfxMessageBox(integral ? "Please enter an integer." : "Please enter a number.", MB_ICONEXCLAMATION);
            pDX->Fail();
        }
        value = d;
    }
    else
    {
        char buf[64];
        if (integral)
            snprintf(buf, sizeof(buf), fmt, (long long)value);
        else
            snprintf(buf, sizeof(buf), fmt, value);
        ::SetWindowTextA(hWndCtrl, buf);
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    double d = value;
    DDX_Number(pDX, nIDC, d, true, "%lld");
    value = (int)d;
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    double d = value;
    DDX_Number(pDX, nIDC, d, true, "%lld");
    value = (UINT)d;
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    DDX_Number(pDX, nIDC, value, false, "%.15g");
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = (int)::SendMessageA(hWndCtrl, BM_GETCHECK, 0, 0);
    else
        ::SendMessageA(hWndCtrl, BM_SETCHECK, (WPARAM)value, 0);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    // The group starts at nIDC and runs through the following radio buttons without WS_GROUP.
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    do
    {
        if (pDX->m_bSaveAndValidate)
        {
            if (::SendMessageA(hWndCtrl, BM_GETCHECK, 0, 0) == BST_CHECKED)
                value = index;
        }
        else
        {
            ::SendMessageA(hWndCtrl, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        ++index;
        hWndCtrl = ::GetWindow(hWndCtrl, GW_HWNDNEXT);
    } while (hWndCtrl != nullptr && !(::GetWindowLongPtrA(hWndCtrl, GWL_STYLE) & WS_GROUP));
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->m_bSaveAndValidate && value.GetLength() > nChars)
    {
        CString msg;
        msg.Format("Enter no more than %d characters.", nChars);
        AfxMessageBox(msg, MB_ICONEXCLAMATION);
        pDX->Fail();
    }
}

// --- dialogs -----------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)), m_pParentWnd(pParentWnd)
{
    m_nIDHelp = nIDTemplate;
}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd)
{
    // The name is kept as given (a resource id or the caller's text, which must outlive Create).
    if (IS_INTRESOURCE(lpszTemplateName))
        m_nIDHelp = (UINT)(UINT_PTR)lpszTemplateName;
}

CDialog::~CDialog()
{
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        DestroyWindow();
}

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    if (message == WM_INITDIALOG)
    {
        CDialog* pDlg = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hWnd));
        return pDlg != nullptr ? pDlg->OnInitDialog() : TRUE;
    }
    return FALSE;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
        m_nIDHelp = (UINT)(UINT_PTR)lpszTemplateName;
    HINSTANCE hInst = AfxFindResourceHandle(lpszTemplateName, (LPCTSTR)RT_DIALOG);
    if (hInst == nullptr)
        return FALSE;
    HRSRC hResource = ::FindResourceA(hInst, lpszTemplateName, (LPCTSTR)RT_DIALOG);
    HGLOBAL hTemplate = ::LoadResource(hInst, hResource);
    if (hTemplate == nullptr)
        return FALSE;
    return CreateIndirect((LPCDLGTEMPLATE)::LockResource(hTemplate), pParentWnd, hInst);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    if (m_hWnd != nullptr || lpDialogTemplate == nullptr)
        return FALSE;
    if (pParentWnd != nullptr)
        m_pParentWnd = pParentWnd;
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamA(hInst ? hInst : AfxGetResourceHandle(), lpDialogTemplate,
                                             m_pParentWnd->GetSafeHwnd(), AfxDlgProc, 0);
    AfxUnhookWindowCreate();
    if (hWnd == nullptr)
    {
        if (m_hWnd != nullptr)
            Detach();
        return FALSE;
    }
    return hWnd == m_hWnd;
}

BOOL CDialog::OnInitDialog()
{
    // Controls declared with DDX_Control are subclassed here; data goes into the controls.
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try
    {
        DoDataExchange(&dx);
    }
    catch (const CDataExchangeFailure&)
    {
        return FALSE;
    }
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int nResult)
{
    if (m_bModal)
    {
        m_nModalResult = nResult;
        m_bContinueModal = FALSE;
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);   // wakes the modal loop
    }
    else if (m_hWnd != nullptr)
    {
        ::EndDialog(m_hWnd, nResult);
    }
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hWnd != nullptr &&
        (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)))
        return ::IsDialogMessageA(m_hWnd, pMsg);
    return FALSE;
}

HWND CDialog::PreModal()
{
    HWND hWndParent = m_pParentWnd->GetSafeHwnd();
    if (hWndParent == nullptr && AfxGetMainWnd() != nullptr)
        hWndParent = AfxGetMainWnd()->GetSafeHwnd();
    return hWndParent;
}

BOOL CDialog::CreateModalWindow(HWND hWndParent)
{
    m_bModal = TRUE;
    m_bContinueModal = TRUE;
    m_nModalResult = -1;
    CWnd* pParent = CWnd::FromHandleOrNull(hWndParent);
    if (!Create(m_lpszTemplateName, pParent))
    {
        m_bModal = FALSE;
        return FALSE;
    }
    return TRUE;
}

INT_PTR CDialog::DoModal()
{
    HWND hWndParent = PreModal();
    CModalScript* pScript = AfxGetModalScript();
    if (!CreateModalWindow(hWndParent))
        return -1;
    INT_PTR nResult;
    if (pScript != nullptr)
    {
        INT_PTR scripted = pScript->RunModalDialog(this);
        nResult = m_bContinueModal ? scripted : m_nModalResult;
    }
    else
    {
        BOOL bParentEnabled = hWndParent != nullptr && ::IsWindowEnabled(hWndParent);
        if (bParentEnabled)
            ::EnableWindow(hWndParent, FALSE);
        ::ShowWindow(m_hWnd, SW_SHOW);
        MSG msg;
        while (m_bContinueModal && ::GetMessageA(&msg, nullptr, 0, 0))
        {
            if (!AfxPreTranslateMessage(&msg))
            {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
        if (m_bContinueModal)   // WM_QUIT: hand it back to the outer loop
            ::PostQuitMessage((int)msg.wParam);
        if (bParentEnabled)
            ::EnableWindow(hWndParent, TRUE);
        nResult = m_nModalResult;
    }
    if (hWndParent != nullptr && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndParent);
    m_bModal = FALSE;
    m_bContinueModal = FALSE;
    if (m_hWnd != nullptr)
        DestroyWindow();
    return nResult;
}

// --- common dialogs ----------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)
IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CFontDialog, CCommonDialog)

INT_PTR CCommonDialog::DoModal()
{
    if (CModalScript* pScript = AfxGetModalScript())
        return pScript->RunCommonDialog(this);
    return RunSystemDialog();
}

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog), m_strDefExt(lpszDefExt ? lpszDefExt : ""),
      m_strFilter(lpszFilter ? lpszFilter : ""), m_strPathName(lpszFileName ? lpszFileName : ""), m_dwFlags(dwFlags)
{
}

INT_PTR CFileDialog::RunSystemDialog()
{
    // The filter is given with '|' separators and must reach the platform with NULs.
    std::string filter(m_strFilter.GetString(), (size_t)m_strFilter.GetLength());
    for (char& c : filter)
        if (c == '|')
            c = '\0';
    filter.push_back('\0');
    char file[MAX_PATH * 4] = "";
    lstrcpynA(file, m_strPathName, sizeof(file));
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = m_pParentWnd->GetSafeHwnd();
    ofn.lpstrFilter = m_strFilter.IsEmpty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = (DWORD)m_nFilterIndex;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof(file);
    ofn.lpstrDefExt = m_strDefExt.IsEmpty() ? nullptr : (LPCSTR)m_strDefExt;
    ofn.Flags = m_dwFlags | OFN_EXPLORER;
    BOOL ok = m_bOpenFileDialog ? ::GetOpenFileNameA(&ofn) : ::GetSaveFileNameA(&ofn);
    if (!ok)
        return IDCANCEL;
    m_strPathName = file;
    m_nFilterIndex = (int)ofn.nFilterIndex;
    return IDOK;
}

CString CFileDialog::GetFileName() const
{
    int last = -1;
    for (int i = 0; i < m_strPathName.GetLength(); ++i)
        if (m_strPathName[i] == '\\' || m_strPathName[i] == '/')
            last = i;
    return m_strPathName.Mid(last + 1);
}

CString CFileDialog::GetFileExt() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd)
{
    for (COLORREF& c : m_custColors)
        c = RGB(255, 255, 255);
    m_cc = {};
    m_cc.lStructSize = sizeof(m_cc);
    m_cc.lpCustColors = m_custColors;
    m_cc.Flags = dwFlags;
    m_cc.rgbResult = clrInit;
    if (clrInit != 0)
        m_cc.Flags |= CC_RGBINIT;
}

INT_PTR CColorDialog::RunSystemDialog()
{
    m_cc.hwndOwner = m_pParentWnd->GetSafeHwnd();
    return ::ChooseColorA(&m_cc) ? IDOK : IDCANCEL;
}

CFontDialog::CFontDialog(LPLOGFONT lplfInitial, DWORD dwFlags, CDC* pdcPrinter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd)
{
    m_lf = {};
    if (lplfInitial != nullptr)
    {
        m_lf = *lplfInitial;
        dwFlags |= CF_INITTOLOGFONTSTRUCT;
    }
    m_cf = {};
    m_cf.lStructSize = sizeof(m_cf);
    m_cf.lpLogFont = &m_lf;
    m_cf.Flags = dwFlags;
    m_cf.hDC = pdcPrinter ? pdcPrinter->m_hDC : nullptr;
}

INT_PTR CFontDialog::RunSystemDialog()
{
    m_cf.hwndOwner = m_pParentWnd->GetSafeHwnd();
    return ::ChooseFontA(&m_cf) ? IDOK : IDCANCEL;
}
