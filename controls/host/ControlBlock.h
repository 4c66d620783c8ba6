// The table of host callbacks. The host executable exports each callback by name; the table is
// built once, on first use, by looking the names up on the process's main module, and the whole
// library reads it through one pointer. A callback the host does not export stays null: calling it
// through the Call... helpers is skipped and counts as a failed call.
#pragma once

#include <afxwin.h>

struct sMWStruct;

typedef HICON (*PFN_pu_get_application_iCon)();
typedef void (*PFN_pu_get_peer_data)(CString& first, CString& second, CString& peer);
typedef int (*PFN_UserSettingMWColumns)(int mode, CString section, CString& value);
typedef void (*PFN_AddToTabbedLog)(CString text, int reserved1, int reserved2);
typedef HMODULE (*PFN_orvou_call_LoadLibrary)(CString fileName);
typedef void (*PFN_FillShadeRect)(CDC* pDC, CRect rect, COLORREF from, COLORREF to, int flag);
typedef int (*PFN_orvou_add_extra_columns)(int count, int nextIndex);
typedef int (*PFN_MrktWatchGetColumnText)(CWnd* pListParent, sMWStruct* pRecord, int columnId, CString& text);
typedef int (*PFN_UserSetting)(int mode, CString section, CString& value, CString key);
typedef int (*PFN_orvou_get_app_status)();
typedef void* (*PFN_pu_get_find_menu_item_in_roles)();

class CONTROLS_API CControlBlock
{
public:
    // Looks every callback up on hHostModule (the main executable when null).
    explicit CControlBlock(HMODULE hHostModule = nullptr);

    HMODULE m_hHostModule;
    PFN_pu_get_application_iCon pu_get_application_iCon;
    void* m_pReserved;   // always null
    PFN_pu_get_peer_data pu_get_peer_data;
    PFN_UserSettingMWColumns UserSettingMWColumns;
    PFN_AddToTabbedLog AddToTabbedLog;
    PFN_orvou_call_LoadLibrary orvou_call_LoadLibrary;
    PFN_FillShadeRect FillShadeRect;
    PFN_orvou_add_extra_columns orvou_add_extra_columns;
    PFN_MrktWatchGetColumnText MrktWatchGetColumnText;
    PFN_UserSetting UserSetting;
    PFN_orvou_get_app_status orvou_get_app_status;
    PFN_pu_get_find_menu_item_in_roles pu_get_find_menu_item_in_roles;

    // The library-wide table, built on first use.
    static CControlBlock* Get();

    // Calls that tolerate a missing callback: skipped, with the failed result (0, null, nothing).
    HICON CallGetApplicationIcon() const;
    BOOL CallGetPeerData(CString& first, CString& second, CString& peer) const;
    int CallUserSettingMWColumns(int mode, const CString& section, CString& value) const;
    // One line to the host's log; a line longer than CONTROL_LOG_MAX_LINE is cut there (marked).
    void Log(const CString& text) const;
    // One log line for a settings write that failed where nobody sees it: what was being saved,
    // the section and key, and the reason when one is known.
    void LogRefusedWrite(const CString& what, const CString& section, const CString& key,
                         const CString& reason = CString()) const;
    // A stored value as a log line shows it: the first CONTROL_LOG_MAX_VALUE characters, then
    // "... (<n> characters)" when it is longer.
    static CString LogExcerpt(const CString& value);
    HMODULE CallLoadLibrary(const CString& fileName) const;
    BOOL CallFillShadeRect(CDC* pDC, const CRect& rect, COLORREF from, COLORREF to) const;
    int CallAddExtraColumns(int count, int nextIndex) const;
    int CallMrktWatchGetColumnText(CWnd* pListParent, sMWStruct* pRecord, int columnId, CString& text) const;
    int CallUserSetting(int mode, const CString& section, CString& value, const CString& key) const;
    // -1 when the host has no status callback.
    int CallGetAppStatus() const;
};

// Longest log line and longest value excerpt in a log line.
#define CONTROL_LOG_MAX_LINE 1024
#define CONTROL_LOG_MAX_VALUE 80

// The one pointer every user of the table reads; null until the table is first built.
CONTROLS_API extern CControlBlock* g_pControlBlock;
