// A terminal dialog built on CVXDialog that remembers where the trader left it. The first run
// opens it at its template position; the scripted trader moves and resizes it and confirms; the
// placement goes to the position file in the output folder, and every later run opens it there.
#include "DemoScene.h"

#include "host/RecoveryFiles.h"
#include "windows/VXDialog.h"

#include <vector>

namespace
{
const UINT kDialogId = 4100;   // the dialog key: "4100"

// An in-memory resizable dialog template with a label, OK and Cancel.
std::vector<WORD> BuildTemplate()
{
    std::vector<WORD> words;
    auto raw = [&](const void* p, size_t nBytes) {
        const WORD* w = static_cast<const WORD*>(p);
        words.insert(words.end(), w, w + nBytes / sizeof(WORD));
    };
    auto text = [&](LPCWSTR psz) {
        for (; *psz != 0; ++psz)
            words.push_back((WORD)*psz);
        words.push_back(0);
    };
    DLGTEMPLATE dlg = {};
    dlg.style = DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
    dlg.cdit = 3;
    dlg.cx = 180;
    dlg.cy = 80;
    raw(&dlg, sizeof(dlg));
    words.push_back(0);   // no menu
    words.push_back(0);   // standard dialog class
    text(L"Watch List Layout");
    words.push_back(8);
    text(L"MS Shell Dlg");
    struct sItem
    {
        WORD wClass;
        LPCWSTR lpszText;
        DWORD dwStyle;
        short x, y, cx, cy;
        WORD wID;
    };
    const sItem items[] = {
        { 0x0082, L"Drag or resize this window: it opens here next time.", SS_LEFT, 8, 8, 164, 20, 1001 },
        { 0x0080, L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 66, 58, 50, 14, IDOK },
        { 0x0080, L"&Cancel", BS_PUSHBUTTON | WS_TABSTOP, 122, 58, 50, 14, IDCANCEL },
    };
    for (const sItem& it : items)
    {
        while (words.size() % 2 != 0)
            words.push_back(0);
        DLGITEMTEMPLATE item = {};
        item.style = it.dwStyle | WS_CHILD | WS_VISIBLE;
        item.x = it.x;
        item.y = it.y;
        item.cx = it.cx;
        item.cy = it.cy;
        item.id = it.wID;
        raw(&item, sizeof(item));
        words.push_back(0xFFFF);
        words.push_back(it.wClass);
        text(it.lpszText);
        words.push_back(0);
    }
    return words;
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
    static std::vector<WORD> tmpl = BuildTemplate();
    static CVXDialog dlg(kDialogId, context.m_pMainWnd);
    if (!dlg.CreateIndirect(reinterpret_cast<LPCDLGTEMPLATE>(tmpl.data()), context.m_pMainWnd))
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
