// Menus. Tracking a pop-up goes through the modal seam.
#include "afxwin.h"
#include "afxwinimpl.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

CMenu::~CMenu()
{
    DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    if (hMenu == nullptr)
        return nullptr;
    return AfxTempMap<HMENU, CMenu>().Get(hMenu, [](CMenu* p, HMENU h) { p->m_hMenu = h; });
}

BOOL CMenu::Attach(HMENU hMenu)
{
    if (hMenu == nullptr || m_hMenu != nullptr)
        return FALSE;
    m_hMenu = hMenu;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU h = m_hMenu;
    m_hMenu = nullptr;
    return h;
}

BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, (LPCTSTR)RT_MENU);
    return hInst != nullptr && Attach(::LoadMenuA(hInst, lpszResourceName));
}

BOOL CMenu::DestroyMenu()
{
    if (m_hMenu == nullptr)
        return FALSE;
    return ::DestroyMenu(Detach());
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    int nLen = ::GetMenuStringA(m_hMenu, nIDItem, nullptr, 0, nFlags);
    if (nLen <= 0)
    {
        rString.Empty();
        return 0;
    }
    char* p = rString.GetBuffer(nLen);
    ::GetMenuStringA(m_hMenu, nIDItem, p, nLen + 1, nFlags);
    rString.ReleaseBuffer();
    return rString.GetLength();
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    UINT nCmd = AfxModalTrackPopupMenu(m_hMenu, nFlags | TPM_RETURNCMD, x, y, pWnd->GetSafeHwnd(), lpRect);
    if (nFlags & TPM_RETURNCMD)
        return (BOOL)nCmd;
    // Without TPM_RETURNCMD the platform posts the choice to the owner as a menu command.
    if (nCmd != 0 && pWnd != nullptr)
        ::PostMessageA(pWnd->m_hWnd, WM_COMMAND, MAKEWPARAM(nCmd, 0), 0);
    return nCmd != 0;
}

static void DescribeMenu(HMENU hMenu, int depth, std::vector<CModalMenuItem>& items)
{
    int count = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < count; ++i)
    {
        CModalMenuItem item;
        char text[256] = "";
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
        mii.dwTypeData = text;
        mii.cch = sizeof(text);
        ::GetMenuItemInfoA(hMenu, (UINT)i, TRUE, &mii);
        item.text = (mii.fType & MFT_SEPARATOR) ? "" : text;
        item.id = mii.hSubMenu ? 0 : mii.wID;
        item.state = ::GetMenuState(hMenu, (UINT)i, MF_BYPOSITION);
        if (mii.hSubMenu)
            item.state = (item.state & 0xFF) | MF_POPUP;   // the high byte counts a pop-up's items
        item.depth = depth;
        items.push_back(item);
        if (mii.hSubMenu)
            DescribeMenu(mii.hSubMenu, depth + 1, items);
    }
}

std::vector<CModalMenuItem> AfxDescribeMenu(HMENU hMenu)
{
    std::vector<CModalMenuItem> items;
    if (hMenu != nullptr)
        DescribeMenu(hMenu, 0, items);
    return items;
}
