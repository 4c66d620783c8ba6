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
    // from its notification: the size is read again before each step, watchers added during the
    // pass are told in it, removed ones that were not told yet are not, and removing a watcher
    // (itself or another) never makes the pass skip the next one. A watcher may even delete the
    // store: the pass then ends.
    void NotifyWatcher(int nEvent, CString csText, sUpdateData* pData);

protected:
    CArray<CWatcher*, CWatcher*> m_arrWatchers;
};
