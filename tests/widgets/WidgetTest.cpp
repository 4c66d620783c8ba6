#include "WidgetTest.h"

#include "WindowPicture.h"

#include <market/PriceLadderListCtrl.h>

#include <cstdio>
#include <cstdlib>

CTestDialogTemplate::CTestDialogTemplate(LPCWSTR lpszCaption, short cx, short cy)
{
    DLGTEMPLATE dlg = {};
    dlg.style = DS_SETFONT | WS_POPUP | WS_CAPTION | WS_VISIBLE;
    dlg.cx = cx;
    dlg.cy = cy;
    const WORD* w = reinterpret_cast<const WORD*>(&dlg);
    m_words.insert(m_words.end(), w, w + sizeof(dlg) / sizeof(WORD));
    m_nCountOffset = offsetof(DLGTEMPLATE, cdit) / sizeof(WORD);
    m_words.push_back(0);   // no menu
    m_words.push_back(0);   // the standard dialog class
    AppendString(lpszCaption);
    m_words.push_back(8);
    AppendString(L"MS Shell Dlg");
}

void CTestDialogTemplate::AddItem(WORD wClassAtom, LPCWSTR lpszText, DWORD dwStyle, short x, short y, short cx,
                                  short cy, WORD wID)
{
    while (m_words.size() % 2 != 0)
        m_words.push_back(0);
    DLGITEMTEMPLATE item = {};
    item.style = dwStyle | WS_CHILD | WS_VISIBLE;
    item.x = x;
    item.y = y;
    item.cx = cx;
    item.cy = cy;
    item.id = wID;
    const WORD* w = reinterpret_cast<const WORD*>(&item);
    m_words.insert(m_words.end(), w, w + sizeof(item) / sizeof(WORD));
    m_words.push_back(0xFFFF);
    m_words.push_back(wClassAtom);
    AppendString(lpszText);
    m_words.push_back(0);
    m_words[m_nCountOffset]++;
}

void CTestDialogTemplate::AppendString(LPCWSTR psz)
{
    for (; *psz != 0; psz++)
        m_words.push_back((WORD)*psz);
    m_words.push_back(0);
}

sResourceCounts CountResources()
{
    sResourceCounts c = { TestLeaks::GdiObjects(), 0, TestLeaks::Windows() };
    for (ULONG_PTR h = 4; h < 0x10000; h += 4)
    {
        DWORD dwFlags = 0;
        if (::GetHandleInformation((HANDLE)h, &dwFlags))
            c.nHandles++;
    }
    return c;
}

size_t HeapBusyBytes()
{
    HANDLE hHeap = ::GetProcessHeap();
    size_t nBusy = 0;
    ::HeapLock(hHeap);
    PROCESS_HEAP_ENTRY entry = {};
    while (::HeapWalk(hHeap, &entry))
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
            nBusy += entry.cbData;
    ::HeapUnlock(hHeap);
    return nBusy;
}

::std::ostream& operator<<(::std::ostream& os, const sResourceCounts& c)
{
    return os << "{gdi " << c.nGdiObjects << ", handles " << c.nHandles << ", windows " << c.nWindows << "}";
}

bool NearColor(COLORREF a, COLORREF b, int nTolerance)
{
    return abs((int)GetRValue(a) - (int)GetRValue(b)) <= nTolerance &&
           abs((int)GetGValue(a) - (int)GetGValue(b)) <= nTolerance &&
           abs((int)GetBValue(a) - (int)GetBValue(b)) <= nTolerance;
}

void WidgetTest::SetUp()
{
    HostTest::SetUp();
    ASSERT_TRUE(m_parent.CreateRecorder(&m_frame, CRect(0, 0, 600, 440), 500));
    m_parent.m_answer = [this](const sRecordedMsg& r, LRESULT&) {
        if (r.message == WM_COMMAND || r.message == WM_LIST_CELLREQUEST)
        {
            m_received.push_back({ r.message, r.wParam, r.lParam, m_observer ? m_observer() : 0 });
            if (r.message == WM_COMMAND && m_onCommand)
                m_onCommand();
        }
        return false;
    };
    m_frame.SetForegroundWindow();
    char szTemp[MAX_PATH];
    ::GetTempPathA(sizeof(szTemp), szTemp);
    char szName[MAX_PATH];
    snprintf(szName, sizeof(szName), "%swidgets_%lu", szTemp, (unsigned long)::GetCurrentProcessId());
    m_csTempDir = szName;
    ::CreateDirectoryA(m_csTempDir.c_str(), nullptr);
    Pump();
}

void WidgetTest::TearDown()
{
    // Release whatever a test left pressed.
    INPUT in[2] = {};
    in[0].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    in[1].type = INPUT_KEYBOARD;
    in[1].ki.wVk = VK_CONTROL;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, in, sizeof(INPUT));
    Pump();
    if (m_parent.GetSafeHwnd() != nullptr)
        m_parent.DestroyWindow();
    WIN32_FIND_DATAA fd;
    HANDLE hFind = ::FindFirstFileA((m_csTempDir + "\\*").c_str(), &fd);
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
        {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                ::DeleteFileA((m_csTempDir + "\\" + fd.cFileName).c_str());
        } while (::FindNextFileA(hFind, &fd));
        ::FindClose(hFind);
    }
    ::RemoveDirectoryA(m_csTempDir.c_str());
    HostTest::TearDown();
}

void WidgetTest::MouseMoveTo(CWnd& wnd, CPoint ptClient)
{
    CPoint pt = ptClient;
    wnd.ClientToScreen(&pt);
    ::SetCursorPos(pt.x, pt.y);
    INPUT in = {};
    in.type = INPUT_MOUSE;
    const int cx = ::GetSystemMetrics(SM_CXSCREEN);
    const int cy = ::GetSystemMetrics(SM_CYSCREEN);
    in.mi.dx = (LONG)(((LONGLONG)pt.x * 65536 + cx / 2) / cx);
    in.mi.dy = (LONG)(((LONGLONG)pt.y * 65536 + cy / 2) / cy);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &in, sizeof(INPUT));
    Pump();
}

void WidgetTest::MouseDown(CWnd& wnd, CPoint ptClient)
{
    MouseMoveTo(wnd, ptClient);
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    ::SendInput(1, &in, sizeof(INPUT));
    Pump();
}

void WidgetTest::MouseUp()
{
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &in, sizeof(INPUT));
    Pump();
}

void WidgetTest::Click(CWnd& wnd, CPoint ptClient)
{
    MouseDown(wnd, ptClient);
    MouseUp();
}

void WidgetTest::PressKey(WORD wVk, bool bCtrl)
{
    std::vector<INPUT> in;
    auto key = [&in](WORD vk, bool bUp) {
        INPUT i = {};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = vk;
        i.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
        in.push_back(i);
    };
    if (bCtrl)
        key(VK_CONTROL, false);
    key(wVk, false);
    key(wVk, true);
    if (bCtrl)
        key(VK_CONTROL, true);
    ::SendInput((UINT)in.size(), in.data(), sizeof(INPUT));
    Pump();
}

HBITMAP WidgetTest::Render(CWnd& wnd)
{
    return WindowPicture::Render(wnd.GetSafeHwnd());
}

COLORREF WidgetTest::Pixel(HBITMAP hBitmap, int x, int y)
{
    return WindowPicture::PixelAt(hBitmap, x, y);
}

std::string WidgetTest::TempPath(const char* pszName) const
{
    return m_csTempDir + "\\" + pszName;
}
