#include "WidgetTest.h"

#include <market/PriceLadderListCtrl.h>

#include <algorithm>
#include <cstdlib>

namespace
{
void SendKey(WORD wVk, bool bUp)
{
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = wVk;
    in.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &in, sizeof(INPUT));
}
}  // namespace

sResourceCounts CountResources()
{
    sResourceCounts c = { TestLeaks::GdiObjects(), 0, TestLeaks::Windows() };
    for (ULONG_PTR h = 4; h < 0x10000; h += 4)
    {
        DWORD dwFlags = 0;
        c.nHandles += ::GetHandleInformation((HANDLE)h, &dwFlags) ? 1 : 0;
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
        nBusy += (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) ? entry.cbData : 0;
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

int CountColour(HBITMAP hBitmap, const CRect& rc, COLORREF cr, CRect* pBox)
{
    CRect box(0, 0, 0, 0);
    int n = 0;
    for (int y = rc.top; y < rc.bottom; y++)
        for (int x = rc.left; x < rc.right; x++)
            if (WindowPicture::PixelAt(hBitmap, x, y) == cr)
                box = n++ == 0 ? CRect(x, y, x + 1, y + 1)
                               : CRect(std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                                       std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1));
    if (pBox != nullptr)
        *pBox = box;
    return n;
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
    Pump();
}

void WidgetTest::TearDown()
{
    SendKey(VK_CONTROL, true);   // release whatever a test left pressed
    MouseUp();
    if (m_parent.GetSafeHwnd() != nullptr)
        m_parent.DestroyWindow();
    for (const std::string& path : m_files)
        ::DeleteFileA(path.c_str());
    HostTest::TearDown();
}

std::string WidgetTest::TempPath(const char* pszName)
{
    m_files.push_back(TestSettings::TempFile(pszName));
    return m_files.back();
}

std::vector<sReceived> WidgetTest::Received(UINT message) const
{
    std::vector<sReceived> v;
    for (const sReceived& r : m_received)
        if (r.message == message)
            v.push_back(r);
    return v;
}


void WidgetTest::MouseMoveTo(CWnd& wnd, CPoint pt, DWORD dwFlags)
{
    wnd.ClientToScreen(&pt);
    TestInput::Mouse(dwFlags, pt);
}

void WidgetTest::MouseUp()
{
    CPoint pt;
    ::GetCursorPos(&pt);
    TestInput::Mouse(MOUSEEVENTF_LEFTUP, pt);
}

void WidgetTest::PressKey(WORD wVk, bool bCtrl)
{
    if (bCtrl)
        SendKey(VK_CONTROL, false);
    SendKey(wVk, false);
    SendKey(wVk, true);
    if (bCtrl)
        SendKey(VK_CONTROL, true);
    Pump();
}
