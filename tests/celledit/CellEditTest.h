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
    // A window's rectangle in its parent's client coordinates.
    static CRect RectInParent(HWND hWnd)
    {
        CRect rc;
        ::GetWindowRect(hWnd, &rc);
        ::MapWindowPoints(nullptr, ::GetParent(hWnd), reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
};
