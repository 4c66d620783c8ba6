// The two seams: modal system UI (message boxes, tracked menus, modal and common dialogs, the
// warning beep) and time.
#include "afxwin.h"

namespace
{
CModalScript* g_pScript = nullptr;
BOOL g_bTestClock = FALSE;
DWORD g_dwTestClock = 0;
}  // namespace

CModalScript::~CModalScript() = default;

HINSTANCE CModalScript::ShellExecuteFile(HWND, LPCTSTR, LPCTSTR, LPCTSTR, LPCTSTR, int)
{
    return (HINSTANCE)(INT_PTR)SE_ERR_NOASSOC;
}

CModalScript* AfxSetModalScript(CModalScript* pScript)
{
    CModalScript* pPrevious = g_pScript;
    g_pScript = pScript;
    return pPrevious;
}

CModalScript* AfxGetModalScript()
{
    return g_pScript;
}

int AfxModalMessageBox(HWND hOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    if (lpszText == nullptr)
        lpszText = "";
    if (g_pScript != nullptr)
        return g_pScript->MessageBox(hOwner, lpszText, lpszCaption ? lpszCaption : "", nType);
    return ::MessageBoxA(hOwner, lpszText, lpszCaption, nType);
}

UINT AfxModalTrackPopupMenu(HMENU hMenu, UINT nFlags, int x, int y, HWND hOwner, LPCRECT lpRect)
{
    if (g_pScript != nullptr)
        return g_pScript->TrackPopupMenu(AfxDescribeMenu(hMenu), nFlags, x, y, hOwner);
    (void)lpRect;
    return (UINT)::TrackPopupMenu(hMenu, nFlags | TPM_RETURNCMD, x, y, 0, hOwner, nullptr);
}

void AfxMessageBeep(UINT nType)
{
    if (g_pScript != nullptr)
        g_pScript->Beep(nType);
    else
        ::MessageBeep(nType);
}

HINSTANCE AfxShellExecute(HWND hOwner, LPCTSTR lpszVerb, LPCTSTR lpszFile, LPCTSTR lpszParameters,
                          LPCTSTR lpszDirectory, int nShowCmd)
{
    if (lpszFile == nullptr)
        lpszFile = "";
    if (g_pScript != nullptr)
        return g_pScript->ShellExecuteFile(hOwner, lpszVerb, lpszFile, lpszParameters, lpszDirectory, nShowCmd);
    return ::ShellExecuteA(hOwner, lpszVerb, lpszFile, lpszParameters, lpszDirectory, nShowCmd);
}

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT)
{
    HWND hOwner = nullptr;
    if (CWnd* pMain = AfxGetMainWnd())
        hOwner = pMain->GetSafeHwnd();
    char caption[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, caption, sizeof(caption));
    const char* base = caption;
    for (const char* p = caption; *p; ++p)
        if (*p == '\\' || *p == '/')
            base = p + 1;
    CString title(base);
    int dot = title.ReverseFind('.');
    if (dot > 0)
        title = title.Left(dot);
    return AfxModalMessageBox(hOwner, lpszText, title, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    char text[1024] = "";
    ::LoadStringA(AfxFindResourceHandle(MAKEINTRESOURCE((nIDPrompt >> 4) + 1), (LPCTSTR)RT_STRING), nIDPrompt,
                  text, sizeof(text));
    return AfxMessageBox(text, nType, nIDHelp);
}

// --- recording script --------------------------------------------------------------------------

int CRecordingModalScript::MessageBox(HWND, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    CModalRecord r;
    r.kind = "message";
    r.text = lpszText;
    r.caption = lpszCaption;
    r.type = nType;
    m_records.push_back(r);
    if (!m_messageAnswers.empty())
    {
        int answer = m_messageAnswers.front();
        m_messageAnswers.erase(m_messageAnswers.begin());
        return answer;
    }
    switch (nType & MB_TYPEMASK)
    {
    case MB_OKCANCEL: return IDOK;
    case MB_YESNO:
    case MB_YESNOCANCEL: return IDYES;
    case MB_RETRYCANCEL: return IDRETRY;
    case MB_ABORTRETRYIGNORE: return IDABORT;
    default: return IDOK;
    }
}

UINT CRecordingModalScript::TrackPopupMenu(const std::vector<CModalMenuItem>& items, UINT nFlags, int x, int y, HWND)
{
    CModalRecord r;
    r.kind = "menu";
    r.type = nFlags;
    r.pt.x = x;
    r.pt.y = y;
    r.menu = items;
    m_records.push_back(r);
    if (m_menuAnswers.empty())
        return 0;
    UINT answer = m_menuAnswers.front();
    m_menuAnswers.erase(m_menuAnswers.begin());
    return answer;
}

INT_PTR CRecordingModalScript::RunModalDialog(CDialog* pDlg)
{
    CModalRecord r;
    r.kind = "dialog";
    pDlg->GetWindowText(r.text);
    m_records.push_back(r);
    if (m_dialogAnswers.empty())
        return IDCANCEL;
    auto answer = m_dialogAnswers.front();
    m_dialogAnswers.erase(m_dialogAnswers.begin());
    return answer(pDlg);
}

INT_PTR CRecordingModalScript::RunCommonDialog(CCommonDialog* pDlg)
{
    CModalRecord r;
    r.kind = pDlg->GetKind();
    m_records.push_back(r);
    if (m_commonAnswers.empty())
        return IDCANCEL;
    auto answer = m_commonAnswers.front();
    m_commonAnswers.erase(m_commonAnswers.begin());
    return answer(pDlg);
}

void CRecordingModalScript::Beep(UINT nType)
{
    CModalRecord r;
    r.kind = "beep";
    r.type = nType;
    m_records.push_back(r);
}

HINSTANCE CRecordingModalScript::ShellExecuteFile(HWND, LPCTSTR lpszVerb, LPCTSTR lpszFile, LPCTSTR, LPCTSTR,
                                                  int nShowCmd)
{
    CModalRecord r;
    r.kind = "shell";
    r.text = lpszFile;
    r.caption = lpszVerb ? lpszVerb : "";
    r.type = (UINT)nShowCmd;
    m_records.push_back(r);
    INT_PTR answer = 42;
    if (!m_shellAnswers.empty())
    {
        answer = m_shellAnswers.front();
        m_shellAnswers.erase(m_shellAnswers.begin());
    }
    return (HINSTANCE)answer;
}

std::vector<CString> CRecordingModalScript::Messages() const
{
    std::vector<CString> texts;
    for (const CModalRecord& r : m_records)
        if (r.kind == "message")
            texts.push_back(r.text);
    return texts;
}

size_t CRecordingModalScript::Count(LPCTSTR lpszKind) const
{
    size_t n = 0;
    for (const CModalRecord& r : m_records)
        if (r.kind == lpszKind)
            ++n;
    return n;
}

// --- time --------------------------------------------------------------------------------------

DWORD AfxGetTickCount()
{
    return g_bTestClock ? g_dwTestClock : ::GetTickCount();
}

clock_t AfxClock()
{
    // The platform's clock() counts milliseconds (CLOCKS_PER_SEC is 1000).
    return g_bTestClock ? (clock_t)g_dwTestClock : ::clock();
}

void AfxSetTestClock(BOOL bEnable, DWORD dwStart)
{
    g_bTestClock = bEnable;
    g_dwTestClock = dwStart;
}

void AfxAdvanceTestClock(DWORD dwMilliseconds)
{
    g_dwTestClock += dwMilliseconds;
}
