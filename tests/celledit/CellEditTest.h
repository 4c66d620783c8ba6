// Shared fixture of the cell-editor tests: key presses delivered through the message pump (so
// PreTranslateMessage sees them) with modifier keys held, and the texts of windows.
#pragma once

#include "TestHost.h"
#include "TestSupport.h"

#include <string>
#include <vector>

class CellEditTest : public HostTest
{
protected:
    void TearDown() override
    {
        HoldKeys(false, false);
        HostTest::TearDown();
    }

    // Sets the keyboard state's Ctrl and Shift keys as held or not.
    static void HoldKeys(bool bCtrl, bool bShift)
    {
        BYTE keys[256] = {};
        if (bCtrl)
            keys[VK_CONTROL] = keys[VK_LCONTROL] = 0x80;
        if (bShift)
            keys[VK_SHIFT] = keys[VK_LSHIFT] = 0x80;
        ::SetKeyboardState(keys);
    }
    // Posts WM_KEYDOWN to the window and pumps, with the modifiers held meanwhile.
    static void PressKey(HWND hWnd, UINT vk, bool bCtrl = false, bool bShift = false)
    {
        HoldKeys(bCtrl, bShift);
        ::PostMessageA(hWnd, WM_KEYDOWN, vk, 1);
        AfxPumpPendingMessages();
        HoldKeys(false, false);
    }
    static void PostKeyUp(HWND hWnd, UINT vk)
    {
        ::PostMessageA(hWnd, WM_KEYUP, vk, 0xC0000001);
        AfxPumpPendingMessages();
    }
    // WM_CHAR for each byte.
    static void Type(HWND hWnd, const char* pszText)
    {
        for (const char* p = pszText; *p != '\0'; ++p)
            ::SendMessageA(hWnd, WM_CHAR, (WPARAM)(unsigned char)*p, 1);
    }
    static std::string Text(HWND hWnd)
    {
        char sz[1024] = "";
        ::GetWindowTextA(hWnd, sz, sizeof(sz));
        return sz;
    }
    // The LVN_ENDLABELEDIT lines the recorder received.
    static std::vector<std::string> EndEdits(const CMessageRecorder& recorder)
    {
        std::vector<std::string> lines;
        for (const sRecordedMsg& r : recorder.Of(WM_NOTIFY, LVN_ENDLABELEDITA))
            lines.push_back(r.line);
        return lines;
    }
    // The line the recorder writes for an end-of-edit report from the given control id.
    static std::string EndEditLine(UINT nId, int nRow, int nColumn, const char* pszText)
    {
        return "notify " + std::to_string(nId) + " LVN_ENDLABELEDIT item=" + std::to_string(nRow) +
               " sub=" + std::to_string(nColumn) + " text=" + (pszText ? "\"" + std::string(pszText) + "\"" : "null");
    }
    // A click in the middle of a list's cell as the mouse gives it: the list view tracks the mouse
    // until the button comes up, so that is queued first.
    static void ClickCell(CListCtrl& list, int nRow, int nColumn)
    {
        CRect rc;
        list.GetSubItemRect(nRow, nColumn, LVIR_BOUNDS, rc);
        if (nColumn == 0)
            rc.right = rc.left + list.GetColumnWidth(0);
        const LPARAM lParam = MAKELPARAM(rc.CenterPoint().x, rc.CenterPoint().y);
        list.PostMessage(WM_LBUTTONUP, 0, lParam);
        list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lParam);
        AfxPumpPendingMessages();
    }
    // A window's rectangle in its parent's client coordinates.
    static CRect RectInParent(HWND hWnd)
    {
        CRect rc;
        ::GetWindowRect(hWnd, &rc);
        ::MapWindowPoints(nullptr, ::GetParent(hWnd), reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
};
