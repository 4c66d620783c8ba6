#include "windows/VXTimer.h"

namespace {
// Passes of timer_action under way (a handler may tick another timer). Slots emptied during a pass
// are compacted only when no pass runs, so no pass sees its indexes shift.
int g_nPassDepth = 0;
}

CVXTimer::CVXTimer() = default;

CVXTimer::~CVXTimer()
{
    for (INT_PTR i = 0; i < m_arrTimers.GetSize(); ++i)
        delete m_arrTimers[i];
    m_arrTimers.RemoveAll();
}

int CVXTimer::register_timer(CWnd* pWnd, int iInterval, DWORD dwMsgOffset)
{
    m_arrTimers.Add(new tTimerStruct{ pWnd, 0, iInterval, dwMsgOffset });
    return 1;
}

int CVXTimer::unregister_timer(CWnd* pWnd, int iInterval, DWORD dwMsgOffset)
{
    for (INT_PTR i = 0; i < m_arrTimers.GetSize(); ++i)
    {
        tTimerStruct* pTimer = m_arrTimers[i];
        if (pTimer != nullptr && pTimer->pWnd == pWnd && pTimer->iInterval == iInterval &&
            pTimer->dwMsgOffset == dwMsgOffset)
        {
            delete pTimer;
            m_arrTimers[i] = nullptr;
            break;
        }
    }
    if (g_nPassDepth == 0)
        RemoveRetired();
    return 1;
}

int CVXTimer::timer_action(DWORD dwTick)
{
    ++g_nPassDepth;
    const INT_PTR nCount = m_arrTimers.GetSize();
    for (INT_PTR i = 0; i < nCount && i < m_arrTimers.GetSize(); ++i)
    {
        tTimerStruct* pTimer = m_arrTimers[i];
        if (pTimer == nullptr)
            continue;
        if (pTimer->iElapsed == 0)
        {
            pTimer->iElapsed = (int)dwTick;
            continue;
        }
        pTimer->iElapsed = (int)((DWORD)pTimer->iElapsed + dwTick);
        if (pTimer->iInterval <= pTimer->iElapsed)
        {
            pTimer->iElapsed = 0;
            ::SendMessageA(pTimer->pWnd->GetSafeHwnd(), WM_USER + pTimer->dwMsgOffset, 0, 0);
        }
    }
    if (--g_nPassDepth == 0)
        RemoveRetired();
    return 1;
}

void CVXTimer::RemoveRetired()
{
    for (INT_PTR i = m_arrTimers.GetSize() - 1; i >= 0; --i)
        if (m_arrTimers[i] == nullptr)
            m_arrTimers.RemoveAt(i);
}
