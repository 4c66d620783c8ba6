// CVXDialog: the base of every dialog of the library and of the host's own dialogs. On top of
// CDialog it remembers each dialog's placement across sessions (position file, section
// "DIALOG_POSITION", keyed by the template id or name) and its multi-monitor mode (application-
// data settings, "MultiMonitor Settings"), keeps a library-wide list of open dialogs, tells the
// layout watcher when dialogs open and close, puts the host's icon and peer text in the title bar,
// picks the window to activate when the dialog is closed with OK or Cancel, and paints its
// background in the toolkit's visual style.
#pragma once

#include <afxwin.h>

#include "windows/Watcher.h"

class CVXDialog;

// The system-menu command that toggles a dialog's multi-monitor mode.
#define ID_VXDLG_MULTIMONITOR_MODE 0x41

// Context of EnumerateChildWindow; derived dialogs may extend it. EnumerateChildWindow fills in
// pDialog.
struct sEnumChildContext
{
    void* pUserData;
    CVXDialog* pDialog;
};

class CONTROLS_API CVXDialog : public CDialog
{
    DECLARE_DYNAMIC(CVXDialog)
public:
    // The dialog key is the template id as decimal text.
    CVXDialog(unsigned int nIDTemplate, CWnd* pParent = nullptr);
    // The dialog key is the template name; for MAKEINTRESOURCE(id) it is the id as decimal text,
    // as with the number form.
    CVXDialog(LPCTSTR lpszTemplateName, CWnd* pParent = nullptr);
    ~CVXDialog() override;

    // Derived dialogs call it first.
    BOOL OnInitDialog() override;
    // Saves the placement, leaves AllDlgArray and tells the watcher, then destroys the window.
    // A dialog destroyed with its owner or parent, or deleted with its window open, does the same
    // (once). The placement is saved only when the dialog was shown since it was read.
    BOOL DestroyWindow() override;
    void OnOK() override;
    void OnCancel() override;

    // Called by EnumerateChildWindow for each descendant window; the context is lParam. The base
    // disables the dialog's control with the child's control id.
    virtual BOOL MyMemberEnumFunction(HWND hWnd, LPARAM lParam);

    // Writes the placement to the position file (unless the dialog was never shown since it was
    // read) and the multi-monitor mode to the settings file (only when the host named one).
    void SaveWindowPos();
    // Reads the saved placement (applied when the dialog is first shown, brought back onto a
    // monitor and never hidden or minimised) and multi-monitor mode.
    void GetWindowPos();
    // FALSE only for a CVXDialog in multi-monitor mode while m_bGlobalMmmMode is set.
    BOOL CheckforMultiMonitor(CWnd* pWnd);
    // Activates the window the user came from; true when one was activated.
    bool ActivatePrevWindow(bool bUseDgBar);
    // With application status 4, appends " - " and the host's peer text (and "( detail )") to the
    // window's title unless it already carries it.
    void orvou_add_details_to_window_title(CWnd* pWnd, CString csDetail);

    // Dialog focus to the control (WM_NEXTDLGCTL).
    void SetFocus(int nID);
    void SetFocus(CWnd* pControl);
    // Focus to the dialog window itself.
    CWnd* SetFocus();

    // Calls MyMemberEnumFunction for every descendant window, with m_pEnumContext as parameter.
    void EnumerateChildWindow();
    // Sends the font to every descendant window except list views and headers, which get it only
    // when their parent is a CSnapQuoteDlg.
    void EnumerateChildWindowForFontChange(HFONT hFont);

    // Not in the message map: a derived dialog maps WM_CTLCOLOR and calls it. The dialog
    // background (and every item when m_bDefaultColors is false) gets the visual-style brush.
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);

    static void SetLayoutWatcher(CWatcher* pWatcher);
    // (Re)creates the visual-style brush from the toolkit's current visual manager.
    static void VisualizationColor();
    static void ResetBWLDlgPtr();

    // Open dialogs, in the order they were initialised.
    static CArray<CVXDialog*, CVXDialog*> AllDlgArray;
    // Global multi-monitor mode, set by the host.
    static bool m_bGlobalMmmMode;
    // Host window that takes the focus back when a dialog is cancelled.
    static CWnd* m_pDgBar;
    // Set when a dialog is shown, sized, confirmed or cancelled while m_pDgBar is set; for the host.
    static bool m_bFocusStatus;
    static CWatcher* pWatcherr;

    CRect m_rect;
    CString m_csDlgKey;            // key of the saved settings; empty: nothing saved or restored
    CString m_csTitleDetail;       // extra title text
    int m_iReserved = 1;
    sEnumChildContext* m_pEnumContext = nullptr;
    bool m_bDefaultColors = true;
    bool m_bReserved = false;
    WINDOWPLACEMENT m_wndPlacement;
    bool m_bMultiMonitorMode = false;
    LONGLONG m_llReserved = 0;
    int m_iReserved2 = -1;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    afx_msg void OnDestroy();
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnEnterSizeMove();
    afx_msg void OnExitSizeMove();

    DECLARE_MESSAGE_MAP()

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void RecordPlacement();
    void LeaveAllDlgArray();
    // Applies the restored placement, brought back on screen, on the first show.
    void ApplyPendingPlacement();
    // However the dialog goes (DestroyWindow, with its owner or parent, or deleted with its window
    // open), once: saves, leaves AllDlgArray and tells the watcher.
    void Close();

    bool m_bPlacementPending = false;   // the restored placement waits for the first show
    bool m_bOpen = false;               // initialised and not closed yet
};
