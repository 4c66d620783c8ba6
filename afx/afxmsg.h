// Message maps: each class that handles messages declares a static table of entries; an entry
// matches a message (and, for commands and notifications, a code and an id range) and holds a
// small thunk that unpacks wParam/lParam into the handler's typed arguments and stores the
// result the platform expects. Tables chain to the base class's table, most derived first.
#pragma once

#include "afxdefs.h"

class CCmdTarget;

// The message being dispatched; the thunk writes the result.
struct AFX_MSG_CALL
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result;
};

// Returns TRUE when the message counts as handled (an _EX handler may decline).
typedef BOOL (*AFX_MSG_THUNK)(CCmdTarget* pTarget, AFX_MSG_CALL& call);

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;          // window message, WM_REFLECT_BASE + message for reflected ones
    UINT nCode;             // notification or control code
    UINT nID;               // first control or command id
    UINT nLastID;           // last id of a range
    const UINT* pnRegistered; // registered message: the variable holding its value
    AFX_MSG_THUNK pfn;
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Messages of the framework's own, as the classic framework numbers them.
#define WM_REFLECT_BASE 0xBC00
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif
// nCtlColor of OnCtlColor: the message's offset from WM_CTLCOLORMSGBOX.
#define CTLCOLOR_MSGBOX 0
#define CTLCOLOR_EDIT 1
#define CTLCOLOR_LISTBOX 2
#define CTLCOLOR_BTN 3
#define CTLCOLOR_DLG 4
#define CTLCOLOR_SCROLLBAR 5
#define CTLCOLOR_STATIC 6
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))

#define afx_msg

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    virtual const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() \
    { \
        typedef theClass ThisClass; \
        typedef baseClass TheBaseClass; \
        (void)sizeof(ThisClass*); \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP() \
            { 0, 0, 0, 0, nullptr, nullptr } }; \
        static const AFX_MSGMAP messageMap = { &TheBaseClass::GetThisMessageMap, &_messageEntries[0] }; \
        return &messageMap; \
    }

// Thunk helpers. `T` is the class whose map holds the entry.
#define AFX_THUNK(body) \
    [](CCmdTarget* pTarget, AFX_MSG_CALL& call) -> BOOL { \
        ThisClass* p = static_cast<ThisClass*>(pTarget); (void)p; (void)call; body }

#define AFX_PT_FROM_LPARAM(l) CPoint((int)(short)LOWORD(l), (int)(short)HIWORD(l))

// Generic entries.
#define ON_MESSAGE(message, memberFxn) \
    { (UINT)(message), 0, 0, 0, nullptr, AFX_THUNK( \
        call.result = p->memberFxn(call.wParam, call.lParam); return TRUE; ) },
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    { 0xC000, 0, 0, 0, &(nMessageVariable), AFX_THUNK( \
        call.result = p->memberFxn(call.wParam, call.lParam); return TRUE; ) },

// Commands (WM_COMMAND from menus, accelerators and control notifications).
#define ON_COMMAND(id, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), nullptr, AFX_THUNK( \
        p->memberFxn(); call.result = 0; return TRUE; ) },
#define ON_COMMAND_EX(id, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), nullptr, AFX_THUNK( \
        return p->memberFxn((UINT)LOWORD(call.wParam)); ) },
#define ON_COMMAND_RANGE(idFirst, idLast, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (UINT)(idFirst), (UINT)(idLast), nullptr, AFX_THUNK( \
        p->memberFxn((UINT)LOWORD(call.wParam)); call.result = 0; return TRUE; ) },
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    { WM_COMMAND, (UINT)(wNotifyCode), (UINT)(id), (UINT)(id), nullptr, AFX_THUNK( \
        p->memberFxn(); call.result = 0; return TRUE; ) },
#define ON_CONTROL_RANGE(wNotifyCode, idFirst, idLast, memberFxn) \
    { WM_COMMAND, (UINT)(wNotifyCode), (UINT)(idFirst), (UINT)(idLast), nullptr, AFX_THUNK( \
        p->memberFxn((UINT)LOWORD(call.wParam)); call.result = 0; return TRUE; ) },
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)

// WM_NOTIFY from child controls.
#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    { WM_NOTIFY, (UINT)(wNotifyCode), (UINT)(id), (UINT)(id), nullptr, AFX_THUNK( \
        call.result = 0; p->memberFxn(reinterpret_cast<NMHDR*>(call.lParam), &call.result); return TRUE; ) },
#define ON_NOTIFY_RANGE(wNotifyCode, idFirst, idLast, memberFxn) \
    { WM_NOTIFY, (UINT)(wNotifyCode), (UINT)(idFirst), (UINT)(idLast), nullptr, AFX_THUNK( \
        call.result = 0; NMHDR* h = reinterpret_cast<NMHDR*>(call.lParam); \
        p->memberFxn((UINT)h->idFrom, h, &call.result); return TRUE; ) },
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn) \
    { WM_NOTIFY, (UINT)(wNotifyCode), (UINT)(id), (UINT)(id), nullptr, AFX_THUNK( \
        call.result = 0; NMHDR* h = reinterpret_cast<NMHDR*>(call.lParam); \
        return p->memberFxn((UINT)h->idFrom, h, &call.result); ) },
#define ON_NOTIFY_EX_RANGE(wNotifyCode, idFirst, idLast, memberFxn) \
    { WM_NOTIFY, (UINT)(wNotifyCode), (UINT)(idFirst), (UINT)(idLast), nullptr, AFX_THUNK( \
        call.result = 0; NMHDR* h = reinterpret_cast<NMHDR*>(call.lParam); \
        return p->memberFxn((UINT)h->idFrom, h, &call.result); ) },

// Reflected notifications: handled by the control that sent them, before its parent sees them.
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
    { WM_REFLECT_BASE + WM_NOTIFY, (UINT)(wNotifyCode), 0, 0, nullptr, AFX_THUNK( \
        call.result = 0; p->memberFxn(reinterpret_cast<NMHDR*>(call.lParam), &call.result); return TRUE; ) },
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn) \
    { WM_REFLECT_BASE + WM_NOTIFY, (UINT)(wNotifyCode), 0, 0, nullptr, AFX_THUNK( \
        call.result = 0; return p->memberFxn(reinterpret_cast<NMHDR*>(call.lParam), &call.result); ) },
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
    { WM_REFLECT_BASE + WM_COMMAND, (UINT)(wNotifyCode), 0, 0, nullptr, AFX_THUNK( \
        p->memberFxn(); call.result = 0; return TRUE; ) },
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
    { WM_REFLECT_BASE + WM_COMMAND, (UINT)(wNotifyCode), 0, 0, nullptr, AFX_THUNK( \
        call.result = 0; return p->memberFxn(); ) },
#define ON_EN_UPDATE_REFLECT(memberFxn) ON_CONTROL_REFLECT(EN_UPDATE, memberFxn)
#define ON_EN_CHANGE_REFLECT(memberFxn) ON_CONTROL_REFLECT(EN_CHANGE, memberFxn)
#define ON_WM_CTLCOLOR_REFLECT() \
    { WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, 0, nullptr, AFX_THUNK( \
        HBRUSH hbr = p->CtlColor(CDC::FromHandle((HDC)call.wParam), (UINT)(call.message - WM_CTLCOLORMSGBOX)); \
        call.result = (LRESULT)hbr; return hbr != nullptr; ) },
#define ON_WM_DRAWITEM_REFLECT() \
    { WM_REFLECT_BASE + WM_DRAWITEM, 0, 0, 0, nullptr, AFX_THUNK( \
        p->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(call.lParam)); call.result = TRUE; return TRUE; ) },
#define ON_WM_MEASUREITEM_REFLECT() \
    { WM_REFLECT_BASE + WM_MEASUREITEM, 0, 0, 0, nullptr, AFX_THUNK( \
        p->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(call.lParam)); call.result = TRUE; return TRUE; ) },
#define ON_WM_HSCROLL_REFLECT() \
    { WM_REFLECT_BASE + WM_HSCROLL, 0, 0, 0, nullptr, AFX_THUNK( \
        p->HScroll((UINT)LOWORD(call.wParam), (UINT)(short)HIWORD(call.wParam)); call.result = 0; return TRUE; ) },
#define ON_WM_VSCROLL_REFLECT() \
    { WM_REFLECT_BASE + WM_VSCROLL, 0, 0, 0, nullptr, AFX_THUNK( \
        p->VScroll((UINT)LOWORD(call.wParam), (UINT)(short)HIWORD(call.wParam)); call.result = 0; return TRUE; ) },

// Window messages with typed handlers.
#define AFX_VOID_MSG(msg, call_expr) \
    { msg, 0, 0, 0, nullptr, AFX_THUNK( call_expr; call.result = 0; return TRUE; ) },

#define ON_WM_CREATE() \
    { WM_CREATE, 0, 0, 0, nullptr, AFX_THUNK( \
        call.result = (LRESULT)p->OnCreate(reinterpret_cast<LPCREATESTRUCT>(call.lParam)); return TRUE; ) },
#define ON_WM_DESTROY() AFX_VOID_MSG(WM_DESTROY, p->OnDestroy())
#define ON_WM_NCDESTROY() AFX_VOID_MSG(WM_NCDESTROY, p->OnNcDestroy())
#define ON_WM_CLOSE() AFX_VOID_MSG(WM_CLOSE, p->OnClose())
#define ON_WM_PAINT() AFX_VOID_MSG(WM_PAINT, p->OnPaint())
#define ON_WM_TIMER() AFX_VOID_MSG(WM_TIMER, p->OnTimer((UINT_PTR)call.wParam))
#define ON_WM_SIZE() AFX_VOID_MSG(WM_SIZE, p->OnSize((UINT)call.wParam, (int)(short)LOWORD(call.lParam), (int)(short)HIWORD(call.lParam)))
#define ON_WM_MOVE() AFX_VOID_MSG(WM_MOVE, p->OnMove((int)(short)LOWORD(call.lParam), (int)(short)HIWORD(call.lParam)))
#define ON_WM_SETFOCUS() AFX_VOID_MSG(WM_SETFOCUS, p->OnSetFocus(CWnd::FromHandle((HWND)call.wParam)))
#define ON_WM_KILLFOCUS() AFX_VOID_MSG(WM_KILLFOCUS, p->OnKillFocus(CWnd::FromHandle((HWND)call.wParam)))
#define ON_WM_SHOWWINDOW() AFX_VOID_MSG(WM_SHOWWINDOW, p->OnShowWindow((BOOL)call.wParam, (UINT)call.lParam))
#define ON_WM_ENTERSIZEMOVE() AFX_VOID_MSG(WM_ENTERSIZEMOVE, p->OnEnterSizeMove())
#define ON_WM_EXITSIZEMOVE() AFX_VOID_MSG(WM_EXITSIZEMOVE, p->OnExitSizeMove())
#define ON_WM_GETMINMAXINFO() AFX_VOID_MSG(WM_GETMINMAXINFO, p->OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(call.lParam)))
#define ON_WM_SYSCOMMAND() AFX_VOID_MSG(WM_SYSCOMMAND, p->OnSysCommand((UINT)call.wParam, call.lParam))
#define ON_WM_ACTIVATE() AFX_VOID_MSG(WM_ACTIVATE, p->OnActivate((UINT)LOWORD(call.wParam), CWnd::FromHandle((HWND)call.lParam), (BOOL)HIWORD(call.wParam)))
#define ON_WM_ERASEBKGND() \
    { WM_ERASEBKGND, 0, 0, 0, nullptr, AFX_THUNK( \
        call.result = (LRESULT)p->OnEraseBkgnd(CDC::FromHandle((HDC)call.wParam)); return TRUE; ) },
#define ON_WM_CTLCOLOR() \
    { WM_CTLCOLOR, 0, 0, 0, nullptr, AFX_THUNK( \
        call.result = (LRESULT)p->OnCtlColor(CDC::FromHandle((HDC)call.wParam), CWnd::FromHandle((HWND)call.lParam), \
                                             (UINT)(call.message - WM_CTLCOLORMSGBOX)); return TRUE; ) },
#define ON_WM_DRAWITEM() AFX_VOID_MSG(WM_DRAWITEM, p->OnDrawItem((int)call.wParam, reinterpret_cast<LPDRAWITEMSTRUCT>(call.lParam)))
#define ON_WM_MEASUREITEM() AFX_VOID_MSG(WM_MEASUREITEM, p->OnMeasureItem((int)call.wParam, reinterpret_cast<LPMEASUREITEMSTRUCT>(call.lParam)))
#define ON_WM_HSCROLL() AFX_VOID_MSG(WM_HSCROLL, p->OnHScroll((UINT)LOWORD(call.wParam), (UINT)(short)HIWORD(call.wParam), CWnd::FromHandleOrNull((HWND)call.lParam)))
#define ON_WM_VSCROLL() AFX_VOID_MSG(WM_VSCROLL, p->OnVScroll((UINT)LOWORD(call.wParam), (UINT)(short)HIWORD(call.wParam), CWnd::FromHandleOrNull((HWND)call.lParam)))
#define ON_WM_CONTEXTMENU() AFX_VOID_MSG(WM_CONTEXTMENU, p->OnContextMenu(CWnd::FromHandle((HWND)call.wParam), AFX_PT_FROM_LPARAM(call.lParam)))
#define ON_WM_KEYDOWN() AFX_VOID_MSG(WM_KEYDOWN, p->OnKeyDown((UINT)call.wParam, (UINT)LOWORD(call.lParam), (UINT)HIWORD(call.lParam)))
#define ON_WM_KEYUP() AFX_VOID_MSG(WM_KEYUP, p->OnKeyUp((UINT)call.wParam, (UINT)LOWORD(call.lParam), (UINT)HIWORD(call.lParam)))
#define ON_WM_SYSKEYDOWN() AFX_VOID_MSG(WM_SYSKEYDOWN, p->OnSysKeyDown((UINT)call.wParam, (UINT)LOWORD(call.lParam), (UINT)HIWORD(call.lParam)))
#define ON_WM_CHAR() AFX_VOID_MSG(WM_CHAR, p->OnChar((UINT)call.wParam, (UINT)LOWORD(call.lParam), (UINT)HIWORD(call.lParam)))
#define ON_WM_LBUTTONDOWN() AFX_VOID_MSG(WM_LBUTTONDOWN, p->OnLButtonDown((UINT)call.wParam, AFX_PT_FROM_LPARAM(call.lParam)))
#define ON_WM_LBUTTONUP() AFX_VOID_MSG(WM_LBUTTONUP, p->OnLButtonUp((UINT)call.wParam, AFX_PT_FROM_LPARAM(call.lParam)))
#define ON_WM_LBUTTONDBLCLK() AFX_VOID_MSG(WM_LBUTTONDBLCLK, p->OnLButtonDblClk((UINT)call.wParam, AFX_PT_FROM_LPARAM(call.lParam)))
#define ON_WM_RBUTTONDOWN() AFX_VOID_MSG(WM_RBUTTONDOWN, p->OnRButtonDown((UINT)call.wParam, AFX_PT_FROM_LPARAM(call.lParam)))
#define ON_WM_RBUTTONUP() AFX_VOID_MSG(WM_RBUTTONUP, p->OnRButtonUp((UINT)call.wParam, AFX_PT_FROM_LPARAM(call.lParam)))
#define ON_WM_RBUTTONDBLCLK() AFX_VOID_MSG(WM_RBUTTONDBLCLK, p->OnRButtonDblClk((UINT)call.wParam, AFX_PT_FROM_LPARAM(call.lParam)))
#define ON_WM_MOUSEMOVE() AFX_VOID_MSG(WM_MOUSEMOVE, p->OnMouseMove((UINT)call.wParam, AFX_PT_FROM_LPARAM(call.lParam)))
#define ON_WM_MOUSEWHEEL() \
    { WM_MOUSEWHEEL, 0, 0, 0, nullptr, AFX_THUNK( \
        call.result = (LRESULT)p->OnMouseWheel((UINT)LOWORD(call.wParam), (short)HIWORD(call.wParam), AFX_PT_FROM_LPARAM(call.lParam)); return TRUE; ) },
#define ON_WM_SETCURSOR() \
    { WM_SETCURSOR, 0, 0, 0, nullptr, AFX_THUNK( \
        call.result = (LRESULT)p->OnSetCursor(CWnd::FromHandle((HWND)call.wParam), (UINT)LOWORD(call.lParam), (UINT)HIWORD(call.lParam)); return TRUE; ) },
#define ON_WM_GETDLGCODE() \
    { WM_GETDLGCODE, 0, 0, 0, nullptr, AFX_THUNK( call.result = (LRESULT)p->OnGetDlgCode(); return TRUE; ) },
#define ON_WM_NCHITTEST() \
    { WM_NCHITTEST, 0, 0, 0, nullptr, AFX_THUNK( call.result = (LRESULT)p->OnNcHitTest(AFX_PT_FROM_LPARAM(call.lParam)); return TRUE; ) },
#define ON_WM_CAPTURECHANGED() AFX_VOID_MSG(WM_CAPTURECHANGED, p->OnCaptureChanged(CWnd::FromHandle((HWND)call.lParam)))
#define ON_WM_WINDOWPOSCHANGED() AFX_VOID_MSG(WM_WINDOWPOSCHANGED, p->OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(call.lParam)))
#define ON_WM_SETTINGCHANGE() AFX_VOID_MSG(WM_SETTINGCHANGE, p->OnSettingChange((UINT)call.wParam, reinterpret_cast<LPCTSTR>(call.lParam)))
#define ON_WM_PASTE() AFX_VOID_MSG(WM_PASTE, p->OnPaste())
