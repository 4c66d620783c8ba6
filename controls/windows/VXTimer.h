// CVXTimer: turns one periodic tick delivered by the host into any number of per-window
// intervals. Each registration sends its window WM_USER + its message offset (wParam and lParam 0)
// when its interval has elapsed. After registration and after every message the first tick only
// restarts the count: with ticks of 250 and an interval of 1000 the message goes out on every
// fourth tick.
#pragma once

#include <afxwin.h>

// One registration. Times are in the unit of the ticks passed to timer_action.
struct tTimerStruct
{
    CWnd* pWnd;          // not owned
    int iElapsed;
    int iInterval;
    DWORD dwMsgOffset;
};

class CONTROLS_API CVXTimer
{
public:
    CVXTimer();
    ~CVXTimer();
    CVXTimer(const CVXTimer&) = delete;
    CVXTimer& operator=(const CVXTimer&) = delete;

    // Appends a registration; one window may be registered any number of times. Returns 1.
    int register_timer(CWnd* pWnd, int iInterval, DWORD dwMsgOffset);
    // Removes the oldest registration with this window, interval and offset, if there is one.
    // Safe from a message handler during timer_action. Returns 1.
    int unregister_timer(CWnd* pWnd, int iInterval, DWORD dwMsgOffset);
    // Advances every registration by dwTick and sends the messages that are due. Registrations
    // added during the pass are first served by the next call. Returns 1.
    int timer_action(DWORD dwTick);

private:
    void RemoveRetired();

    // Registrations in registration order; a slot is null between an unregister_timer made
    // during a pass and the end of that pass.
    CArray<tTimerStruct*, tTimerStruct*> m_arrTimers;
};
