// CStore: a list of watchers (not owned) that receive every notification passed to it, in the
// order they were added.
#pragma once

#include "windows/Watcher.h"

class CONTROLS_API CStore
{
public:
    CStore();
    virtual ~CStore();
    CStore(const CStore&) = delete;
    CStore& operator=(const CStore&) = delete;

    // Appends the watcher unless it is already in the list.
    void AddWatcher(CWatcher* pWatcher);
    // Removes its first occurrence, if any.
    void RemoveWatcher(CWatcher* pWatcher);
    // Calls each watcher's Notify(nEvent, text, pData, 0). A watcher may add or remove watchers
    // from its notification: the size is read again before each step.
    void NotifyWatcher(int nEvent, CString csText, sUpdateData* pData);

protected:
    CArray<CWatcher*, CWatcher*> m_arrWatchers;
};
