// The windowed part of the framework layer: command targets with message maps, windows with
// subclassing and reflection, dialogs from templates with data exchange, menus, the resource chain
// of extension modules, and the two seams (modal system UI, time) that tests and the headless demo
// drive.
#pragma once

#include "afx.h"
#include <commctrl.h>
#include <commdlg.h>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>
#include "afxmsg.h"
#include "afxgdi.h"

#ifdef GetCurrentTime
#undef GetCurrentTime
#endif
#ifdef GetNextWindow
#undef GetNextWindow
#endif

class CWnd;
class CDialog;
class CMenu;
class CDataExchange;
class CCommonDialog;
class CFrameWnd;

struct AFX_CMDHANDLERINFO;

// Payload of a WM_NOTIFY routed through OnCmdMsg.
struct AFX_NOTIFY
{
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

class AFX_API CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;

    // Routes a command (nCode CN_COMMAND or a control notification code) or, with pExtra pointing
    // at an AFX_NOTIFY, a notification (nCode = MAKELONG(code, WM_NOTIFY)) through the message map.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // Finds the first entry for the message in this class's chain of maps, most derived first.
    const AFX_MSGMAP_ENTRY* FindEntry(UINT nMessage, UINT nCode, UINT nID) const;
    const AFX_MSGMAP_ENTRY* FindEntryUncached(UINT nMessage, UINT nCode, UINT nID, bool registered,
                                              bool ranged) const;
    BOOL DispatchEntry(const AFX_MSGMAP_ENTRY* pEntry, UINT message, WPARAM wParam, LPARAM lParam,
                       LRESULT* pResult);
};

// Window classes and the handle map.
AFX_API LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                                    HICON hIcon = nullptr);

class AFX_API CWnd : public CCmdTarget
{
    DECLARE_DYNCREATE(CWnd)
public:
    HWND m_hWnd = nullptr;

    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return AfxNullableThis(this) ? m_hWnd : nullptr; }
    BOOL operator==(const CWnd& wnd) const { return wnd.m_hWnd == m_hWnd; }
    BOOL operator!=(const CWnd& wnd) const { return wnd.m_hWnd != m_hWnd; }

    // Permanent wrappers are the objects attached to a handle; FromHandle makes a temporary one for
    // a handle with none (valid until the outermost message dispatch returns).
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);
    static CWnd* FromHandleOrNull(HWND hWnd) { return hWnd ? FromHandle(hWnd) : nullptr; }
    BOOL Attach(HWND hWndNew);
    HWND Detach();
    // Routes the window's messages through this object's message map.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, void* pContext = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                          int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                          LPVOID lpParam = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                          const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    virtual BOOL DestroyWindow();

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PreSubclassWindow();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual void PostNcDestroy();
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A control's chance to handle a message its parent received about it (reflection).
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    static BOOL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = nullptr);
    BOOL SendChildNotifyLastMsg(LRESULT* pResult = nullptr);
    // Calls the default procedure with the message being handled.
    LRESULT Default();
    static const MSG* GetCurrentMessage();
    BOOL ExecuteDlgInit(LPCTSTR) { return TRUE; }

    // Window state.
    DWORD GetStyle() const { return (DWORD)::GetWindowLongPtrA(m_hWnd, GWL_STYLE); }
    DWORD GetExStyle() const { return (DWORD)::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE); }
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    int SetDlgCtrlID(int nID) { return (int)::SetWindowLongPtrA(m_hWnd, GWLP_ID, nID); }
    CWnd* GetDlgItem(int nID) const { return FromHandleOrNull(::GetDlgItem(m_hWnd, nID)); }
    CWnd* GetParent() const { return FromHandleOrNull(::GetParent(m_hWnd)); }
    CWnd* SetParent(CWnd* pWndNewParent) { return FromHandleOrNull(::SetParent(m_hWnd, pWndNewParent->GetSafeHwnd())); }
    // The window's owner; a child window without one answers its parent, as the classic
    // framework's does.
    // SetOwner names an owner for a child window, which the platform cannot own; it wins.
    CWnd* GetOwner() const
    {
        if (m_hWndOwner != nullptr)
            return FromHandleOrNull(m_hWndOwner);
        HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
        return FromHandleOrNull(hOwner != nullptr ? hOwner : ::GetParent(m_hWnd));
    }
    void SetOwner(CWnd* pOwnerWnd) { m_hWndOwner = pOwnerWnd->GetSafeHwnd(); }
    CWnd* GetTopLevelParent() const;
    // The nearest frame window among the parents and owners; null when there is none.
    CFrameWnd* GetParentFrame() const;
    CWnd* GetLastActivePopup() const { return FromHandleOrNull(::GetLastActivePopup(m_hWnd)); }
    CWnd* GetWindow(UINT nCmd) const { return FromHandleOrNull(::GetWindow(m_hWnd, nCmd)); }
    CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const { return GetWindow(nFlag); }
    CWnd* GetDescendantWindow(int nID, BOOL bOnlyPerm = FALSE) const;
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
    BOOL IsChild(const CWnd* pWnd) const { return ::IsChild(m_hWnd, pWnd->GetSafeHwnd()); }
    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    void SetWindowText(LPCTSTR lpszString) { ::SetWindowTextA(m_hWnd, lpszString); }
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const { return ::GetWindowTextA(m_hWnd, lpszStringBuf, nMaxCount); }
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
    void SetDlgItemText(int nID, LPCTSTR lpszString) { ::SetDlgItemTextA(m_hWnd, nID, lpszString); }
    int GetDlgItemText(int nID, CString& rString) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE) { ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned); }
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const
    { return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned); }
    void CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }
    UINT IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE)
    { SendMessage(WM_SETFONT, (WPARAM)pFont->GetSafeHandle(), bRedraw); }
    CFont* GetFont() const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon) { return (HICON)SendMessage(WM_SETICON, bBigIcon, (LPARAM)hIcon); }
    HICON GetIcon(BOOL bBigIcon) const { return (HICON)SendMessage(WM_GETICON, bBigIcon, 0); }
    CMenu* GetSystemMenu(BOOL bRevert) const;
    CMenu* GetMenu() const;

    // Geometry.
    void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
    void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
    void ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
    void ScreenToClient(LPRECT lpRect) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE)
    { ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint); }
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE)
    { MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint); }
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const
    { lpwndpl->length = sizeof(WINDOWPLACEMENT); return ::GetWindowPlacement(m_hWnd, lpwndpl); }
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl) { return ::SetWindowPlacement(m_hWnd, lpwndpl); }
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    void BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
    BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }

    // Painting and input.
    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
    void ValidateRect(LPCRECT lpRect) { ::ValidateRect(m_hWnd, lpRect); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, CRgn* prgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE)
    { return ::RedrawWindow(m_hWnd, lpRectUpdate, (HRGN)prgnUpdate->GetSafeHandle(), flags); }
    void SetRedraw(BOOL bRedraw = TRUE) { SendMessage(WM_SETREDRAW, bRedraw, 0); }
    CDC* GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
    CDC* GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
    int ReleaseDC(CDC* pDC) { return ::ReleaseDC(m_hWnd, pDC->GetSafeHdc()); }
    CWnd* SetFocus() { return FromHandleOrNull(::SetFocus(m_hWnd)); }
    static CWnd* GetFocus() { return FromHandleOrNull(::GetFocus()); }
    CWnd* SetCapture() { return FromHandleOrNull(::SetCapture(m_hWnd)); }
    static CWnd* GetCapture() { return FromHandleOrNull(::GetCapture()); }
    static CWnd* GetActiveWindow() { return FromHandleOrNull(::GetActiveWindow()); }
    static CWnd* GetForegroundWindow() { return FromHandleOrNull(::GetForegroundWindow()); }
    static CWnd* GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }
    static CWnd* WindowFromPoint(POINT point) { return FromHandleOrNull(::WindowFromPoint(point)); }
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr)
    { return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer); }
    BOOL KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    { return ::SendMessageA(m_hWnd, message, wParam, lParam); }
    // What the control wrappers (CEdit, CListCtrl, ...) send through: in debug builds it asserts,
    // as the classic framework's wrappers do, that the object has a window, so that a call on a
    // control never created (or already destroyed) is not mistaken for an answer of 0.
    LRESULT SendToControl(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        ASSERT(::IsWindow(m_hWnd));
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    { return ::PostMessageA(m_hWnd, message, wParam, lParam); }
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE,
                                  BOOL bOnlyPerm = FALSE);
    // Shown through the modal seam.
    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = nullptr, UINT nType = MB_OK);

    // Handlers whose default is the window's default procedure; derived classes call them as the
    // base behaviour.
    afx_msg int OnCreate(LPCREATESTRUCT) { return (int)Default(); }
    afx_msg void OnDestroy() { Default(); }
    afx_msg void OnNcDestroy();
    afx_msg void OnClose() { Default(); }
    afx_msg void OnPaint() { Default(); }
    afx_msg BOOL OnEraseBkgnd(CDC*) { return (BOOL)Default(); }
    afx_msg void OnTimer(UINT_PTR) { Default(); }
    afx_msg void OnSize(UINT, int, int) { Default(); }
    afx_msg void OnMove(int, int) { Default(); }
    afx_msg void OnSetFocus(CWnd*) { Default(); }
    afx_msg void OnKillFocus(CWnd*) { Default(); }
    afx_msg void OnShowWindow(BOOL, UINT) { Default(); }
    afx_msg void OnEnterSizeMove() { Default(); }
    afx_msg void OnExitSizeMove() { Default(); }
    afx_msg void OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
    afx_msg void OnSysCommand(UINT, LPARAM) { Default(); }
    afx_msg void OnActivate(UINT, CWnd*, BOOL) { Default(); }
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
    afx_msg void OnContextMenu(CWnd*, CPoint) { Default(); }
    afx_msg void OnKeyDown(UINT, UINT, UINT) { Default(); }
    afx_msg void OnKeyUp(UINT, UINT, UINT) { Default(); }
    afx_msg void OnSysKeyDown(UINT, UINT, UINT) { Default(); }
    afx_msg void OnChar(UINT, UINT, UINT) { Default(); }
    afx_msg void OnLButtonDown(UINT, CPoint) { Default(); }
    afx_msg void OnLButtonUp(UINT, CPoint) { Default(); }
    afx_msg void OnLButtonDblClk(UINT, CPoint) { Default(); }
    afx_msg void OnRButtonDown(UINT, CPoint) { Default(); }
    afx_msg void OnRButtonUp(UINT, CPoint) { Default(); }
    afx_msg void OnRButtonDblClk(UINT, CPoint) { Default(); }
    afx_msg void OnMouseMove(UINT, CPoint) { Default(); }
    afx_msg BOOL OnMouseWheel(UINT, short, CPoint) { return (BOOL)Default(); }
    afx_msg BOOL OnSetCursor(CWnd*, UINT, UINT) { return (BOOL)Default(); }
    afx_msg UINT OnGetDlgCode() { return (UINT)Default(); }
    afx_msg LRESULT OnNcHitTest(CPoint) { return Default(); }
    afx_msg void OnCaptureChanged(CWnd*) { Default(); }
    afx_msg void OnWindowPosChanged(WINDOWPOS*) { Default(); }
    afx_msg void OnSettingChange(UINT, LPCTSTR) { Default(); }
    afx_msg void OnPaste() { Default(); }

    // Where the procedure the window had before subclassing is kept.
    virtual WNDPROC* GetSuperWndProcAddr() { return &m_pfnSuper; }
    // Used by the temporary-wrapper map: forget the handle without destroying the window.
    void ReleaseTempHandle() { m_hWnd = nullptr; }

protected:
    WNDPROC m_pfnSuper = nullptr;   // the procedure the window had before we subclassed it
    HWND m_hWndOwner = nullptr;     // set by SetOwner

    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT AfxCallWndProc(CWnd*, HWND, UINT, WPARAM, LPARAM);
    friend class CDialog;

    DECLARE_MESSAGE_MAP()
};

AFX_API LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
AFX_API LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
// Starts attaching pWnd to the next window created on this thread (before its first message).
AFX_API void AfxHookWindowCreate(CWnd* pWnd);
AFX_API BOOL AfxUnhookWindowCreate();
// Gives each window from the message's target up to its top-level window a PreTranslateMessage.
AFX_API BOOL AfxPreTranslateMessage(MSG* pMsg);
// Retrieves and dispatches one message (with pre-translation); FALSE on WM_QUIT.
AFX_API BOOL AfxPumpMessage();
// Dispatches every message already queued for this thread, then returns.
AFX_API void AfxPumpPendingMessages();
// Deletes the temporary wrappers handed out by FromHandle.
AFX_API void AfxDeleteTempMaps();
// The window an object stands for (attached, or a FromHandle wrapper not yet deleted), found in
// the framework's maps without touching the object, so it is safe for a pointer to a deleted
// object; null when it stands for none.
AFX_API HWND AfxFindWindowHandle(const CWnd* pWnd);

// Menus.
class AFX_API CMenu : public CObject
{
    DECLARE_DYNCREATE(CMenu)
public:
    HMENU m_hMenu = nullptr;

    CMenu() = default;
    ~CMenu() override;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    operator HMENU() const { return m_hMenu; }
    HMENU GetSafeHmenu() const { return AfxNullableThis(this) ? m_hMenu : nullptr; }
    static CMenu* FromHandle(HMENU hMenu);
    void ReleaseTempHandle() { m_hMenu = nullptr; }
    BOOL Attach(HMENU hMenu);
    HMENU Detach();

    BOOL CreateMenu() { return Attach(::CreateMenu()); }
    BOOL CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
    BOOL LoadMenu(LPCTSTR lpszResourceName);
    BOOL LoadMenu(UINT nIDResource) { return LoadMenu(MAKEINTRESOURCE(nIDResource)); }
    BOOL DestroyMenu();

    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr)
    { return ::AppendMenuA(m_hMenu, nFlags, nIDNewItem, lpszNewItem); }
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr)
    { return ::InsertMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem); }
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr)
    { return ::ModifyMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem); }
    BOOL RemoveMenu(UINT nPosition, UINT nFlags) { return ::RemoveMenu(m_hMenu, nPosition, nFlags); }
    BOOL DeleteMenu(UINT nPosition, UINT nFlags) { return ::DeleteMenu(m_hMenu, nPosition, nFlags); }
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck) { return (UINT)::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck); }
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable) { return ::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable); }
    UINT GetMenuState(UINT nID, UINT nFlags) const { return ::GetMenuState(m_hMenu, nID, nFlags); }
    int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
    UINT GetMenuItemID(int nPos) const { return ::GetMenuItemID(m_hMenu, nPos); }
    int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
    CMenu* GetSubMenu(int nPos) const { return FromHandle(::GetSubMenu(m_hMenu, nPos)); }
    // Shown through the modal seam. With TPM_RETURNCMD the chosen command is returned; otherwise
    // it is posted to pWnd as WM_COMMAND and the result is nonzero when an item was chosen.
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr);
};

// Resource chain: the host's module first, then each extension module in registration order.
AFX_API HINSTANCE AfxGetResourceHandle();
AFX_API void AfxSetResourceHandle(HINSTANCE hInstResource);
AFX_API HINSTANCE AfxGetInstanceHandle();
AFX_API HINSTANCE AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);

struct AFX_EXTENSION_MODULE
{
    BOOL bInitialized;
    HMODULE hModule;
    HMODULE hResource;
};

class AFX_API CDynLinkLibrary : public CCmdTarget
{
    DECLARE_DYNAMIC(CDynLinkLibrary)
public:
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state);
    ~CDynLinkLibrary() override;
    HMODULE m_hModule;
    HMODULE m_hResource;
};

AFX_API BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
AFX_API void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);

// Dialogs.
class AFX_API CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}
    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC) { return PrepareCtrl(nIDC); }
    // Ends the exchange: data exchange failures unwind to UpdateData, which returns FALSE.
    [[noreturn]] void Fail();
};

AFX_API void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
AFX_API void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
AFX_API void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
AFX_API void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
AFX_API void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
AFX_API void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
AFX_API void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
AFX_API void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);

class AFX_API CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog() = default;
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Modeless creation from a template found along the resource chain.
    virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr, HINSTANCE hInst = nullptr);
    // Runs the dialog modally; through the modal seam when a script is installed.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    void NextDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
    void PrevDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
    void GotoDlgCtrl(CWnd* pWndCtrl) { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, (WPARAM)pWndCtrl->GetSafeHwnd(), 1); }
    void SetDefID(UINT nID) { ::SendMessageA(m_hWnd, DM_SETDEFID, nID, 0); }
    DWORD GetDefID() const { return (DWORD)::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0); }
    void MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL IsModal() const { return m_bModal; }
    int GetModalResult() const { return m_nModalResult; }

    UINT m_nIDHelp = 0;
    LPCTSTR m_lpszTemplateName = nullptr;
    CWnd* m_pParentWnd = nullptr;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // Creates the window of a modal run (disabled owner handled by the caller).
    BOOL CreateModalWindow(HWND hWndParent);
    HWND PreModal();

    int m_nModalResult = -1;
    BOOL m_bModal = FALSE;
    BOOL m_bContinueModal = FALSE;

    friend INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()
};

AFX_API INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Common dialogs: each DoModal goes through the modal seam.
class AFX_API CCommonDialog : public CDialog
{
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* pParentWnd) { m_pParentWnd = pParentWnd; }
    // What the modal seam records: "file", "colour" or "font".
    virtual LPCTSTR GetKind() const = 0;
    // Runs the real system dialog.
    virtual INT_PTR RunSystemDialog() = 0;
    INT_PTR DoModal() override;
};

class AFX_API CFileDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CFileDialog)
public:
    CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                CWnd* pParentWnd = nullptr);
    LPCTSTR GetKind() const override { return "file"; }
    INT_PTR RunSystemDialog() override;
    CString GetPathName() const { return m_strPathName; }
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;

    BOOL m_bOpenFileDialog;
    CString m_strDefExt;
    CString m_strFilter;     // '|'-separated, as given
    CString m_strPathName;   // the initial name in, the chosen path out
    DWORD m_dwFlags;
    int m_nFilterIndex = 1;
};

class AFX_API CColorDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CColorDialog)
public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);
    LPCTSTR GetKind() const override { return "colour"; }
    INT_PTR RunSystemDialog() override;
    COLORREF GetColor() const { return m_cc.rgbResult; }
    void SetCurrentColor(COLORREF clr) { m_cc.rgbResult = clr; m_cc.Flags |= CC_RGBINIT; }
    CHOOSECOLOR m_cc;
protected:
    COLORREF m_custColors[16];
};

class AFX_API CFontDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CFontDialog)
public:
    explicit CFontDialog(LPLOGFONT lplfInitial = nullptr, DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS,
                         CDC* pdcPrinter = nullptr, CWnd* pParentWnd = nullptr);
    LPCTSTR GetKind() const override { return "font"; }
    INT_PTR RunSystemDialog() override;
    void GetCurrentFont(LPLOGFONT lplf) const { *lplf = m_lf; }
    CString GetFaceName() const { return m_lf.lfFaceName; }
    int GetSize() const { return m_cf.iPointSize; }
    COLORREF GetColor() const { return m_cf.rgbColors; }
    int GetWeight() const { return m_lf.lfWeight; }
    BOOL IsBold() const { return m_lf.lfWeight >= FW_SEMIBOLD; }
    BOOL IsItalic() const { return m_lf.lfItalic ? TRUE : FALSE; }
    CHOOSEFONT m_cf;
    LOGFONT m_lf;
};

// The modal seam: message boxes, tracked pop-up menus, modal dialogs, the common dialogs and the
// warning beep each pass through one function. With no script installed they show the real
// system UI; a script answers instead (tests, the headless demo) so nothing blocks.
struct CModalMenuItem
{
    CString text;   // as shown, "&" included; empty for a separator
    UINT id;        // command id; 0 for separators and pop-ups
    UINT state;     // MF_GRAYED, MF_CHECKED, MF_SEPARATOR, MF_POPUP ... as GetMenuState reports
    int depth;      // 0 for the top menu, 1 for items of a pop-up within it ...
};

class AFX_API CModalScript
{
public:
    virtual ~CModalScript();
    virtual int MessageBox(HWND hOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType) = 0;
    // Returns the chosen command id, 0 for none.
    virtual UINT TrackPopupMenu(const std::vector<CModalMenuItem>& items, UINT nFlags, int x, int y, HWND hOwner) = 0;
    // The dialog's window exists and is initialised; return the result of the modal run (or end
    // it through the dialog, e.g. by calling its OnOK, whose result then wins).
    virtual INT_PTR RunModalDialog(CDialog* pDlg) = 0;
    // Fill the dialog's result fields (path, colour, font) and return IDOK, or return IDCANCEL.
    virtual INT_PTR RunCommonDialog(CCommonDialog* pDlg) = 0;
    virtual void Beep(UINT nType) = 0;
    // A shell execution (ShellExecute): return what the platform would, above 32 for success.
    // A script that does not answer it refuses (SE_ERR_NOASSOC), so no browser or viewer starts.
    virtual HINSTANCE ShellExecuteFile(HWND hOwner, LPCTSTR lpszVerb, LPCTSTR lpszFile, LPCTSTR lpszParameters,
                                       LPCTSTR lpszDirectory, int nShowCmd);
};

AFX_API CModalScript* AfxSetModalScript(CModalScript* pScript);  // returns the previous one
AFX_API CModalScript* AfxGetModalScript();
AFX_API int AfxModalMessageBox(HWND hOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType);
AFX_API UINT AfxModalTrackPopupMenu(HMENU hMenu, UINT nFlags, int x, int y, HWND hOwner, LPCRECT lpRect);
AFX_API void AfxMessageBeep(UINT nType);
// ShellExecute through the seam; the result as the platform gives it (above 32 for success).
AFX_API HINSTANCE AfxShellExecute(HWND hOwner, LPCTSTR lpszVerb, LPCTSTR lpszFile, LPCTSTR lpszParameters,
                                  LPCTSTR lpszDirectory, int nShowCmd);
AFX_API std::vector<CModalMenuItem> AfxDescribeMenu(HMENU hMenu);

// A script that records everything shown and answers from queues (default answers: the message
// box's first button, no menu command, IDCANCEL for dialogs).
struct CModalRecord
{
    CString kind;       // "message", "menu", "dialog", "file", "colour", "font", "beep", "shell"
    CString text;       // message text; dialog window text; the file a shell call opens
    CString caption;    // message box caption; the verb of a shell call
    UINT type = 0;      // MB_ flags, TPM_ flags, beep type or the show command of a shell call
    std::vector<CModalMenuItem> menu;
    POINT pt = { 0, 0 };    // where a menu was asked to open (screen coordinates)
};

class AFX_API CRecordingModalScript : public CModalScript
{
public:
    std::vector<CModalRecord> m_records;
    std::vector<int> m_messageAnswers;
    std::vector<UINT> m_menuAnswers;
    std::vector<std::function<INT_PTR(CDialog*)>> m_dialogAnswers;
    std::vector<std::function<INT_PTR(CCommonDialog*)>> m_commonAnswers;
    std::vector<INT_PTR> m_shellAnswers;    // default: 42, success

    int MessageBox(HWND hOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType) override;
    UINT TrackPopupMenu(const std::vector<CModalMenuItem>& items, UINT nFlags, int x, int y, HWND hOwner) override;
    INT_PTR RunModalDialog(CDialog* pDlg) override;
    INT_PTR RunCommonDialog(CCommonDialog* pDlg) override;
    void Beep(UINT nType) override;
    HINSTANCE ShellExecuteFile(HWND hOwner, LPCTSTR lpszVerb, LPCTSTR lpszFile, LPCTSTR lpszParameters,
                               LPCTSTR lpszDirectory, int nShowCmd) override;

    // Texts of the recorded message boxes, in order.
    std::vector<CString> Messages() const;
    size_t Count(LPCTSTR lpszKind) const;
    void Clear() { m_records.clear(); }
};

// Installs a script for the lifetime of the object, restoring the previous one after.
class CModalScriptScope
{
public:
    explicit CModalScriptScope(CModalScript* pScript) : m_pPrevious(AfxSetModalScript(pScript)) {}
    ~CModalScriptScope() { AfxSetModalScript(m_pPrevious); }
    CModalScriptScope(const CModalScriptScope&) = delete;
    CModalScriptScope& operator=(const CModalScriptScope&) = delete;
private:
    CModalScript* m_pPrevious;
};

AFX_API int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
AFX_API int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);

// The time seam: the milliseconds the library reads wherever it would call clock() or
// GetTickCount. A test clock, once enabled, moves only when told to.
AFX_API DWORD AfxGetTickCount();
AFX_API clock_t AfxClock();
AFX_API void AfxSetTestClock(BOOL bEnable, DWORD dwStart = 0);
AFX_API void AfxAdvanceTestClock(DWORD dwMilliseconds);

// The clipboard's text (CF_TEXT). Reading gives FALSE and an empty text when there is none.
AFX_API BOOL AfxGetClipboardText(HWND hOwner, CString& rText);
AFX_API BOOL AfxSetClipboardText(HWND hOwner, LPCTSTR lpszText);

AFX_API CWnd* AfxGetMainWnd();
AFX_API void AfxSetMainWnd(CWnd* pWnd);

// Standard controls (edit, button, static, combo box, list box).
#include "afxctl.h"
// Frame windows.
#include "afxframe.h"
