// CWatcher: the observer interface through which the library tells the host about events (the
// dialog base reports dialogs opening and closing). The host implements both operations.
#pragma once

#include <afxwin.h>

// The host's record of update data; the library only passes pointers to it along.
struct sUpdateData;

class CONTROLS_API CWatcher
{
public:
    CWatcher();
    CWatcher(const CWatcher&);
    CWatcher& operator=(const CWatcher&);

    // The slots keep the order hosts compile against: the notification first, then Refresh, then
    // the destructor. Declaring the destructor first would put it in the notification's slot.

    // nEvent: what happened (the dialog base sends 1 when a dialog opens and 0 when it closes,
    // with the dialog as pData); nReserved is always 0.
    virtual void Notify(int nEvent, CString csText, void* pData, int nReserved) = 0;
    // Never called by the library.
    virtual void Refresh() = 0;
    virtual ~CWatcher();
};
