// A terminal dialog built on CVXDialog that remembers where the trader left it. The first run
// opens it at its template position; the scripted trader moves and resizes it and confirms; the
// placement goes to the position file in the output folder, and every later run opens it there.
#include "DemoDialogTemplate.h"
#include "DemoScene.h"

#include "host/RecoveryFiles.h"
#include "windows/VXDialog.h"

#include <vector>

namespace
{
const UINT kDialogId = 4100;   // the dialog key: "4100"

// A resizable dialog with a label, OK and Cancel.
const CDemoDialogTemplate& PlacementTemplate()
{
    static CDemoDialogTemplate tmpl = [] {
        CDemoDialogTemplate t(L"Watch List Layout", 180, 80, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME);
        t.AddItem(CDemoDialogTemplate::kStatic, L"Drag or resize this window: it opens here next time.", SS_LEFT, 8, 8,
                  164, 20, 1001);
        t.AddItem(CDemoDialogTemplate::kButton, L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 66, 58, 50, 14, IDOK);
        t.AddItem(CDemoDialogTemplate::kButton, L"&Cancel", BS_PUSHBUTTON | WS_TABSTOP, 122, 58, 50, 14, IDCANCEL);
        return t;
    }();
    return tmpl;
}

CString SavedPlacement()
{
    CString key;
    key.Format("%u", kDialogId);
    char sz[256] = "";
    ::GetPrivateProfileStringA("DIALOG_POSITION", key, "", sz, sizeof(sz), GetDialogPosPath());
    return sz;
}
}  // namespace

DEMO_SCENE(DialogPlacement, 70)
{
    // The host names the settings files once; a demo run without them keeps them in the output folder.
    if (GetDialogPosPath().IsEmpty())
        SetRecoveryFileNames("ControlsDemo.ini", context.OutputPath("DialogPositions.ini"));

    const CString csBefore = SavedPlacement();
    static CVXDialog dlg(kDialogId, context.m_pMainWnd);
    if (!dlg.CreateIndirect(PlacementTemplate().Get(), context.m_pMainWnd))
    {
        context.Print("dialog placement: could not create the dialog");
        return;
    }
    dlg.ShowWindow(SW_SHOW);
    CRect rc;
    dlg.GetWindowRect(&rc);
    if (csBefore.IsEmpty())
        context.Print("dialog placement: first run, opened at its template position %d,%d %dx%d", (int)rc.left,
                      (int)rc.top, rc.Width(), rc.Height());
    else
        context.Print("dialog placement: restored from \"%s\" at %d,%d %dx%d", (LPCTSTR)csBefore, (int)rc.left,
                      (int)rc.top, rc.Width(), rc.Height());
    context.Pump();
    context.Capture(&dlg, "dialog_placement");
    if (!context.m_bHeadless)
        return;

    // The trader moves it the first time; later runs leave it where it was restored.
    if (csBefore.IsEmpty())
    {
        CRect frame;
        context.m_pMainWnd->GetWindowRect(&frame);
        dlg.MoveWindow(frame.left + 140, frame.top + 90, 380, 200);
    }
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(dlg.m_hWnd, IDOK));
    dlg.DestroyWindow();
    context.Print("dialog placement: saved \"%s\" to %s", (LPCTSTR)SavedPlacement(), (LPCTSTR)GetDialogPosPath());
}
