// Internals of the windowed framework shared by its sources; not for library code.
#pragma once

#include "afxwin.h"
#include <unordered_map>
#include <vector>

void AfxSubclassProc(CWnd* pWnd, HWND hWnd);
WNDPROC* AfxSuperProcOf(CWnd* pWnd);

// Temporary wrappers handed out by FromHandle for handles that no object owns. They never own
// the handle: before deletion the handle member is cleared by `release`.
class CTempMapBase
{
public:
    virtual void DeleteAll() = 0;
    static std::vector<CTempMapBase*>& All()
    {
        static std::vector<CTempMapBase*> maps;
        return maps;
    }
protected:
    ~CTempMapBase() = default;
};

template <class H, class T>
class CTempMap final : public CTempMapBase
{
public:
    CTempMap() { All().push_back(this); }
    template <class Init>
    T* Get(H h, Init init)
    {
        auto it = m_map.find(h);
        if (it != m_map.end())
            return it->second;
        T* p = new T;
        init(p, h);
        m_map.emplace(h, p);
        return p;
    }
    // The handle a wrapper stands for, found without touching the wrapper; null when it is not
    // (or no longer) one of this map's.
    H FindHandle(const T* p) const
    {
        for (const auto& kv : m_map)
            if (kv.second == p)
                return kv.first;
        return nullptr;
    }
    void DeleteAll() override
    {
        std::unordered_map<H, T*> map;
        map.swap(m_map);
        for (auto& kv : map)
        {
            kv.second->ReleaseTempHandle();
            delete kv.second;
        }
    }
private:
    std::unordered_map<H, T*> m_map;
};

template <class H, class T>
CTempMap<H, T>& AfxTempMap()
{
    static CTempMap<H, T> map;
    return map;
}

// Reflection for controls whose only owner-draw message is WM_DRAWITEM: a reflected entry in a
// derived map wins, otherwise the control's virtual DrawItem paints.
template <class T>
BOOL AfxChildNotifyDrawItem(T* pCtrl, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (pCtrl->CWnd::OnChildNotify(message, wParam, lParam, pResult))
        return TRUE;
    if (message != WM_DRAWITEM)
        return FALSE;
    pCtrl->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult != nullptr)
        *pResult = TRUE;
    return TRUE;
}
