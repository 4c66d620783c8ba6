#include "windows/Store.h"

#include <vector>

namespace {

// A NotifyWatcher pass in progress: the store it walks and the index of the watcher being told.
// Removals move the index back so no watcher is skipped; a store deleted during its pass ends it.
struct sPass
{
    CStore* pStore;
    INT_PTR nIndex;
    bool bStoreGone;
};

// Passes in progress, innermost last (a watcher may start another pass, on this store or another).
std::vector<sPass*>& Passes()
{
    static std::vector<sPass*> passes;
    return passes;
}

}  // namespace

CStore::CStore() = default;

CStore::~CStore()
{
    for (sPass* pPass : Passes())
        if (pPass->pStore == this)
            pPass->bStoreGone = true;
}

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
            // Passes over this store that are at or past the removed entry step back with it.
            for (sPass* pPass : Passes())
                if (pPass->pStore == this && !pPass->bStoreGone && pPass->nIndex >= i)
                    --pPass->nIndex;
            return;
        }
    }
}

void CStore::NotifyWatcher(int nEvent, CString csText, sUpdateData* pData)
{
    sPass pass = { this, 0, false };
    // Registered for the length of the pass, also when a watcher throws.
    struct CRegistration
    {
        explicit CRegistration(sPass* p) { Passes().push_back(p); }
        ~CRegistration() { Passes().pop_back(); }
    } registration(&pass);
    for (; pass.nIndex < m_arrWatchers.GetSize(); ++pass.nIndex)
    {
        m_arrWatchers[pass.nIndex]->Notify(nEvent, csText, pData, 0);
        if (pass.bStoreGone)
            return;
    }
}
