#include "windows/Store.h"

CStore::CStore() = default;

CStore::~CStore() = default;

void CStore::AddWatcher(CWatcher* pWatcher)
{
    for (INT_PTR i = 0; i < m_arrWatchers.GetSize(); ++i)
        if (m_arrWatchers[i] == pWatcher)
            return;
    m_arrWatchers.Add(pWatcher);
}

void CStore::RemoveWatcher(CWatcher* pWatcher)
{
    for (INT_PTR i = 0; i < m_arrWatchers.GetSize(); ++i)
    {
        if (m_arrWatchers[i] == pWatcher)
        {
            m_arrWatchers.RemoveAt(i);
            return;
        }
    }
}

void CStore::NotifyWatcher(int nEvent, CString csText, sUpdateData* pData)
{
    for (INT_PTR i = 0; i < m_arrWatchers.GetSize(); ++i)
        m_arrWatchers[i]->Notify(nEvent, csText, pData, 0);
}
