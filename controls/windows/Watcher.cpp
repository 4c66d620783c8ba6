#include "windows/Watcher.h"

CWatcher::CWatcher() = default;

// A watcher has no state of its own to copy.
CWatcher::CWatcher(const CWatcher&) {}

CWatcher& CWatcher::operator=(const CWatcher&)
{
    return *this;
}

CWatcher::~CWatcher() = default;
