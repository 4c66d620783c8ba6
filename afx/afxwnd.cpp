// Windows: the handle maps, the creation hook that subclasses a window before its first message,
// message-map dispatch, reflection of child notifications, and the message pump helpers.
#include "afxwin.h"
#include "afxwinimpl.h"

#include <string>
#include <unordered_map>

// --- handle maps -------------------------------------------------------------------------------

namespace
{
std::unordered_map<HWND, CWnd*>& PermanentWindows()
{
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}

// The window being created by CreateEx/Create, attached by the CBT hook.
CWnd* g_pWndInit = nullptr;
HHOOK g_hHookCbt = nullptr;

// The message being dispatched, for Default() and reflection; saved and restored around nesting.
MSG g_lastSentMsg = {};

LRESULT CALLBACK CbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && g_pWndInit != nullptr)
    {
        HWND hWnd = (HWND)wParam;
        CWnd* pWnd = g_pWndInit;
        g_pWndInit = nullptr;
        pWnd->Attach(hWnd);
        pWnd->PreSubclassWindow();
        AfxSubclassProc(pWnd, hWnd);
    }
    return ::CallNextHookEx(g_hHookCbt, code, wParam, lParam);
}
}  // namespace

void AfxSubclassProc(CWnd* pWnd, HWND hWnd)
{
    WNDPROC oldProc = (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)&AfxWndProc);
    if (oldProc != &AfxWndProc)
        *AfxSuperProcOf(pWnd) = oldProc;
}

void AfxHookWindowCreate(CWnd* pWnd)
{
    if (g_hHookCbt == nullptr)
        g_hHookCbt = ::SetWindowsHookExA(WH_CBT, CbtFilterHook, nullptr, ::GetCurrentThreadId());
    g_pWndInit = pWnd;
}

BOOL AfxUnhookWindowCreate()
{
    if (g_hHookCbt != nullptr)
    {
        ::UnhookWindowsHookEx(g_hHookCbt);
        g_hHookCbt = nullptr;
    }
    if (g_pWndInit != nullptr)
    {
        g_pWndInit = nullptr;
        return FALSE;   // the window was never created
    }
    return TRUE;
}

WNDPROC* AfxSuperProcOf(CWnd* pWnd)
{
    return pWnd->GetSuperWndProcAddr();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    auto& map = PermanentWindows();
    auto it = map.find(hWnd);
    return it == map.end() ? nullptr : it->second;
}

HWND AfxFindWindowHandle(const CWnd* pWnd)
{
    if (pWnd == nullptr)
        return nullptr;
    for (const auto& entry : PermanentWindows())
        if (entry.second == pWnd)
            return entry.first;
    return AfxTempMap<HWND, CWnd>().FindHandle(pWnd);
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (hWnd == nullptr)
        return nullptr;
    if (CWnd* pWnd = FromHandlePermanent(hWnd))
        return pWnd;
    return AfxTempMap<HWND, CWnd>().Get(hWnd, [](CWnd* p, HWND h) { p->m_hWnd = h; });
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == nullptr || m_hWnd != nullptr)
        return FALSE;
    m_hWnd = hWndNew;
    PermanentWindows()[hWndNew] = this;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr)
    {
        auto& map = PermanentWindows();
        auto it = map.find(hWnd);
        if (it != map.end() && it->second == this)
            map.erase(it);
    }
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!::IsWindow(hWnd) || FromHandlePermanent(hWnd) != nullptr)
        return FALSE;
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    AfxSubclassProc(this, hWnd);
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = ::GetDlgItem(pParent->GetSafeHwnd(), (int)nID);
    return hWndControl != nullptr && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    if (m_hWnd == nullptr)
        return nullptr;
    WNDPROC* lplpfn = GetSuperWndProcAddr();
    if (*lplpfn != nullptr)
    {
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, (LONG_PTR)*lplpfn);
        *lplpfn = nullptr;
    }
    return Detach();
}

CWnd::~CWnd()
{
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this)
    {
        // The object goes first: destroy its window so no message reaches a dead object.
        if (::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
        Detach();
    }
}

// --- creation ----------------------------------------------------------------------------------

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    // One class per distinct combination, named after it like the classic framework does.
    static std::unordered_map<std::string, std::string> registered;
    char name[96];
    snprintf(name, sizeof(name), "Afx:%p:%x:%p:%p:%p", (void*)::GetModuleHandleA(nullptr), nClassStyle,
             (void*)hCursor, (void*)hbrBackground, (void*)hIcon);
    auto it = registered.find(name);
    if (it != registered.end())
        return it->second.c_str();
    WNDCLASSA wc = {};
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.hIcon = hIcon;
    wc.lpszClassName = name;
    if (!::RegisterClassA(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return nullptr;
    return registered.emplace(name, name).first->second.c_str();
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW),
                                           (HBRUSH)(COLOR_WINDOW + 1));
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd != nullptr)
        return FALSE;
    CREATESTRUCT cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = ::GetModuleHandleA(nullptr);
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                  cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    AfxUnhookWindowCreate();
    return hWnd != nullptr && hWnd == m_hWnd;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    (HMENU)(UINT_PTR)nID, lpParam);
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, void* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, pContext);
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

void CWnd::PreSubclassWindow() {}
void CWnd::PostNcDestroy() {}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

void CWnd::OnNcDestroy()
{
    LRESULT r = Default();
    (void)r;
    Detach();
    m_pfnSuper = nullptr;
    PostNcDestroy();   // may delete this
}

// --- dispatch ----------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)
IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = { { 0, 0, 0, 0, nullptr, nullptr } };
    static const AFX_MSGMAP map = { nullptr, &entries[0] };
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

namespace
{
// Message maps are static tables, so a lookup's answer never changes: grids receive thousands of
// notifications per second (item changes, display info, custom draw), each looked up in several
// chained maps, and the cache makes the repeated walks a hash probe.
struct CEntryKey
{
    const AFX_MSGMAP* pMap;
    UINT nMessage;
    UINT nCode;
    UINT nID;
    bool operator==(const CEntryKey& o) const
    {
        return pMap == o.pMap && nMessage == o.nMessage && nCode == o.nCode && nID == o.nID;
    }
};

struct CEntryKeyHash
{
    size_t operator()(const CEntryKey& k) const
    {
        size_t h = reinterpret_cast<size_t>(k.pMap);
        h = h * 31 + k.nMessage;
        h = h * 31 + k.nCode;
        h = h * 31 + k.nID;
        return h;
    }
};

std::unordered_map<CEntryKey, const AFX_MSGMAP_ENTRY*, CEntryKeyHash>& EntryCache()
{
    static std::unordered_map<CEntryKey, const AFX_MSGMAP_ENTRY*, CEntryKeyHash> cache;
    return cache;
}
}  // namespace

const AFX_MSGMAP_ENTRY* CCmdTarget::FindEntry(UINT nMessage, UINT nCode, UINT nID) const
{
    const bool registered = nMessage >= 0xC000 && nMessage <= 0xFFFF;
    const bool ranged = nMessage == WM_COMMAND || nMessage == WM_NOTIFY;
    const CEntryKey key = { GetMessageMap(), nMessage, nCode, ranged ? nID : 0 };
    auto& cache = EntryCache();
    auto it = cache.find(key);
    if (it != cache.end())
        return it->second;
    const AFX_MSGMAP_ENTRY* pEntry = FindEntryUncached(nMessage, nCode, nID, registered, ranged);
    cache.emplace(key, pEntry);
    return pEntry;
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindEntryUncached(UINT nMessage, UINT nCode, UINT nID, bool registered,
                                                     bool ranged) const
{
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != nullptr;
         pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr)
    {
        for (const AFX_MSGMAP_ENTRY* e = pMap->lpEntries; e->pfn != nullptr; ++e)
        {
            if (registered)
            {
                if (e->pnRegistered != nullptr && *e->pnRegistered == nMessage)
                    return e;
                continue;
            }
            if (e->nMessage != nMessage || e->pnRegistered != nullptr || e->nCode != nCode)
                continue;
            if (ranged && (nID < e->nID || nID > e->nLastID))
                continue;
            return e;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::DispatchEntry(const AFX_MSGMAP_ENTRY* pEntry, UINT message, WPARAM wParam, LPARAM lParam,
                               LRESULT* pResult)
{
    AFX_MSG_CALL call = { message, wParam, lParam, 0 };
    BOOL handled = pEntry->pfn(this, call);
    if (handled && pResult != nullptr)
        *pResult = call.result;
    return handled;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO*)
{
    UINT nMsg = HIWORD((DWORD)nCode);
    UINT code = LOWORD((DWORD)nCode);
    if ((DWORD)nCode == (DWORD)CN_UPDATE_COMMAND_UI)
        return FALSE;
    if (nMsg == 0)
        nMsg = WM_COMMAND;
    if (nMsg == WM_NOTIFY || nMsg == WM_REFLECT_BASE + WM_NOTIFY)
    {
        // Notification codes are negative 32-bit values: take the whole code from the header.
        AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(pExtra);
        const AFX_MSGMAP_ENTRY* e = FindEntry(nMsg, pNotify->pNMHDR->code, nID);
        return e != nullptr && DispatchEntry(e, nMsg, (WPARAM)nID, (LPARAM)pNotify->pNMHDR, pNotify->pResult);
    }
    const AFX_MSGMAP_ENTRY* e = FindEntry(nMsg, code, nID);
    return e != nullptr && DispatchEntry(e, nMsg, MAKEWPARAM(nID, code), 0, nullptr);
}

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_NCDESTROY()
    ON_WM_CTLCOLOR()
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
END_MESSAGE_MAP()

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, message, wParam, lParam);
}

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG saved = g_lastSentMsg;
    g_lastSentMsg.hwnd = hWnd;
    g_lastSentMsg.message = message;
    g_lastSentMsg.wParam = wParam;
    g_lastSentMsg.lParam = lParam;
    LRESULT lResult = pWnd->WindowProc(message, wParam, lParam);   // pWnd may be gone after WM_NCDESTROY
    g_lastSentMsg = saved;
    return lResult;
}

const MSG* CWnd::GetCurrentMessage()
{
    return &g_lastSentMsg;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND)
    {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 0;
        return TRUE;
    }
    if (message == WM_NOTIFY)
    {
        const NMHDR* pNMHDR = reinterpret_cast<const NMHDR*>(lParam);
        if (pNMHDR == nullptr || pNMHDR->hwndFrom == nullptr)
            return FALSE;
        LRESULT lResult = 0;
        if (!OnNotify(wParam, lParam, &lResult))
            return FALSE;
        *pResult = lResult;
        return TRUE;
    }
    UINT lookup = message;
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        lookup = WM_CTLCOLOR;
    const AFX_MSGMAP_ENTRY* e = FindEntry(lookup, 0, 0);
    if (e == nullptr)
        return FALSE;
    return DispatchEntry(e, message, wParam, lParam, pResult);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != nullptr)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    WNDPROC* pfn = GetSuperWndProcAddr();
    if (pfn != nullptr && *pfn != nullptr)
        return ::CallWindowProcA(*pfn, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& msg = g_lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = (HWND)lParam;
    int nCode = HIWORD(wParam);
    if (hWndCtrl != nullptr)
    {
        // The control gets the first chance at its own notification.
        if (ReflectLastMsg(hWndCtrl))
            return TRUE;
    }
    else if (nCode == 1)
    {
        nCode = CN_COMMAND;   // accelerator
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (ReflectLastMsg(pNMHDR->hwndFrom, pResult))
        return TRUE;
    AFX_NOTIFY notify = { pResult, pNMHDR };
    return OnCmdMsg((UINT)pNMHDR->idFrom, (int)MAKELONG(pNMHDR->code, WM_NOTIFY), &notify, nullptr);
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    if (pWnd == nullptr)
        return FALSE;
    return pWnd->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG& msg = g_lastSentMsg;
    return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT local = 0;
    if (pResult == nullptr)
        pResult = &local;
    switch (message)
    {
    case WM_COMMAND:
        return OnCmdMsg(0, (int)MAKELONG(HIWORD(wParam), WM_REFLECT_BASE + WM_COMMAND), nullptr, nullptr);
    case WM_NOTIFY:
    {
        NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        AFX_NOTIFY notify = { pResult, pNMHDR };
        return OnCmdMsg(0, (int)MAKELONG(pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY), &notify, nullptr);
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    {
        const AFX_MSGMAP_ENTRY* e = FindEntry(WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0);
        return e != nullptr && DispatchEntry(e, message, wParam, lParam, pResult);
    }
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    {
        const AFX_MSGMAP_ENTRY* e = FindEntry(WM_REFLECT_BASE + message, 0, 0);
        return e != nullptr && DispatchEntry(e, message, wParam, lParam, pResult);
    }
    default:
        return FALSE;
    }
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT lResult = 0;
    if (pWnd != nullptr && ReflectLastMsg(pWnd->m_hWnd, &lResult))
        return (HBRUSH)lResult;
    return (HBRUSH)Default();
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->CtlType != ODT_MENU && ReflectLastMsg(lpDrawItemStruct->hwndItem))
        return;
    Default();
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct->CtlType != ODT_MENU)
    {
        HWND hWndChild = ::GetDlgItem(m_hWnd, nIDCtl);
        if (hWndChild != nullptr && ReflectLastMsg(hWndChild))
            return;
    }
    Default();
}

void CWnd::OnHScroll(UINT, UINT, CWnd* pScrollBar)
{
    if (pScrollBar != nullptr && ReflectLastMsg(pScrollBar->m_hWnd))
        return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CWnd* pScrollBar)
{
    if (pScrollBar != nullptr && ReflectLastMsg(pScrollBar->m_hWnd))
        return;
    Default();
}

// --- window operations -------------------------------------------------------------------------

void CWnd::GetWindowText(CString& rString) const
{
    int nLen = ::GetWindowTextLengthA(m_hWnd);
    char* p = rString.GetBuffer(nLen);
    ::GetWindowTextA(m_hWnd, p, nLen + 1);
    rString.ReleaseBuffer();
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    HWND hWnd = ::GetDlgItem(m_hWnd, nID);
    if (hWnd == nullptr)
        return 0;
    int nLen = ::GetWindowTextLengthA(hWnd);
    char* p = rString.GetBuffer(nLen);
    ::GetWindowTextA(hWnd, p, nLen + 1);
    rString.ReleaseBuffer();
    return rString.GetLength();
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = GetStyle();
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, (LONG_PTR)dwNewStyle);
    if (nFlags != 0)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = GetExStyle();
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLongPtrA(m_hWnd, GWL_EXSTYLE, (LONG_PTR)dwNewStyle);
    if (nFlags != 0)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

CFont* CWnd::GetFont() const
{
    return CFont::FromHandle((HFONT)::SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}

CMenu* CWnd::GetMenu() const
{
    return CMenu::FromHandle(::GetMenu(m_hWnd));
}

CWnd* CWnd::GetTopLevelParent() const
{
    HWND hWnd = m_hWnd;
    while (hWnd != nullptr && (::GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);
    return FromHandleOrNull(hWnd);
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        if (::GetDlgCtrlID(hChild) == nID)
        {
            CWnd* pWnd = bOnlyPerm ? FromHandlePermanent(hChild) : FromHandle(hChild);
            if (pWnd != nullptr)
                return pWnd;
        }
        CWnd tmp;
        tmp.m_hWnd = hChild;
        CWnd* pFound = tmp.GetDescendantWindow(nID, bOnlyPerm);
        tmp.m_hWnd = nullptr;
        if (pFound != nullptr)
            return pFound;
    }
    return nullptr;
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        if (!bOnlyPerm || FromHandlePermanent(hChild) != nullptr)
            ::SendMessageA(hChild, message, wParam, lParam);
        if (bDeep && ::GetWindow(hChild, GW_CHILD) != nullptr)
        {
            CWnd tmp;
            tmp.m_hWnd = hChild;
            tmp.SendMessageToDescendants(message, wParam, lParam, bDeep, bOnlyPerm);
            tmp.m_hWnd = nullptr;
        }
    }
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    // The classic framework passes &CWnd::wndTopMost and friends; a null pointer is HWND_TOP.
    return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : HWND_TOP, x, y, cx, cy, nFlags);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    HWND hWndCenter = pAlternateOwner ? pAlternateOwner->m_hWnd : nullptr;
    if (hWndCenter == nullptr)
        hWndCenter = (GetStyle() & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    CRect rcDlg;
    ::GetWindowRect(m_hWnd, &rcDlg);
    CRect rcArea;
    CRect rcCenter;
    HMONITOR hMonitor = ::MonitorFromWindow(hWndCenter ? hWndCenter : m_hWnd, MONITOR_DEFAULTTONEAREST);
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    ::GetMonitorInfoA(hMonitor, &mi);
    rcArea = mi.rcWork;
    if (hWndCenter != nullptr && ::IsWindowVisible(hWndCenter) && !::IsIconic(hWndCenter))
        ::GetWindowRect(hWndCenter, &rcCenter);
    else
        rcCenter = rcArea;
    int xLeft = (rcCenter.left + rcCenter.right) / 2 - rcDlg.Width() / 2;
    int yTop = (rcCenter.top + rcCenter.bottom) / 2 - rcDlg.Height() / 2;
    if (xLeft + rcDlg.Width() > rcArea.right)
        xLeft = rcArea.right - rcDlg.Width();
    if (xLeft < rcArea.left)
        xLeft = rcArea.left;
    if (yTop + rcDlg.Height() > rcArea.bottom)
        yTop = rcArea.bottom - rcDlg.Height();
    if (yTop < rcArea.top)
        yTop = rcArea.top;
    if (GetStyle() & WS_CHILD)
    {
        POINT pt = { xLeft, yTop };
        ::ScreenToClient(::GetParent(m_hWnd), &pt);
        xLeft = pt.x;
        yTop = pt.y;
    }
    ::SetWindowPos(m_hWnd, nullptr, xLeft, yTop, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    return AfxModalMessageBox(m_hWnd, lpszText, lpszCaption, nType);
}

// --- message pump ------------------------------------------------------------------------------

BOOL AfxPreTranslateMessage(MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (!(::GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_CHILD))
            break;
    }
    return FALSE;
}

BOOL AfxPumpMessage()
{
    MSG msg;
    if (!::GetMessageA(&msg, nullptr, 0, 0))
        return FALSE;
    if (!AfxPreTranslateMessage(&msg))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
        AfxDeleteTempMaps();   // idle
    return TRUE;
}

void AfxPumpPendingMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        if (msg.message == WM_QUIT)
        {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (!AfxPreTranslateMessage(&msg))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

void AfxDeleteTempMaps()
{
    for (CTempMapBase* pMap : CTempMapBase::All())
        pMap->DeleteAll();
}

static CWnd* g_pMainWnd = nullptr;

CWnd* AfxGetMainWnd()
{
    return g_pMainWnd;
}

void AfxSetMainWnd(CWnd* pWnd)
{
    g_pMainWnd = pWnd;
}
