#include "afxbcg.h"

#include <algorithm>
#include <memory>
#include <vector>

IMPLEMENT_DYNAMIC(CBCGPDialog, CDialog)
IMPLEMENT_DYNCREATE(CBCGPDialogBar, CWnd)
IMPLEMENT_DYNCREATE(CBCGPMiniFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CBCGPVisualManager, CObject)
IMPLEMENT_DYNCREATE(CBCGPVisualManagerXP, CBCGPVisualManager)
IMPLEMENT_DYNCREATE(CBCGPWinXPVisualManager, CBCGPVisualManagerXP)
IMPLEMENT_DYNCREATE(CBCGPVisualManager2003, CBCGPWinXPVisualManager)
IMPLEMENT_DYNCREATE(CBCGPVisualManagerVS2005, CBCGPVisualManager2003)
IMPLEMENT_DYNCREATE(CBCGPVisualManager2007, CBCGPVisualManager2003)

namespace {

std::vector<CBCGPMiniFrameWnd*>& MiniFrames()
{
    static std::vector<CBCGPMiniFrameWnd*> frames;
    return frames;
}

std::unique_ptr<CBCGPVisualManager>& CurrentManager()
{
    static std::unique_ptr<CBCGPVisualManager> manager;
    return manager;
}

CBCGPVisualManager2007::Style g_style2007 = CBCGPVisualManager2007::VS2007_LunaBlue;

}  // namespace

CBCGPMiniFrameWnd::CBCGPMiniFrameWnd()
{
    MiniFrames().push_back(this);
}

CBCGPMiniFrameWnd::~CBCGPMiniFrameWnd()
{
    auto& frames = MiniFrames();
    frames.erase(std::remove(frames.begin(), frames.end(), this), frames.end());
}

CWnd* CBCGPMiniFrameWnd::FindFloatingBarByID(UINT nID)
{
    for (CBCGPMiniFrameWnd* pFrame : MiniFrames())
    {
        if (pFrame->m_hWnd == nullptr || !::IsWindow(pFrame->m_hWnd))
            continue;
        if (CWnd* pBar = pFrame->GetDescendantWindow((int)nID))
            return pBar;
    }
    return nullptr;
}

CBCGPVisualManager* CBCGPVisualManager::GetInstance()
{
    return CurrentManager().get();
}

void CBCGPVisualManager::SetDefaultManager(CRuntimeClass* pRTI)
{
    CObject* pObject = pRTI != nullptr ? pRTI->CreateObject() : nullptr;
    CBCGPVisualManager* pManager = nullptr;
    if (pObject != nullptr && pObject->IsKindOf(RUNTIME_CLASS(CBCGPVisualManager)))
        pManager = static_cast<CBCGPVisualManager*>(pObject);
    else
        delete pObject;
    CurrentManager().reset(pManager);
}

void CBCGPVisualManager2007::SetStyle(Style style)
{
    g_style2007 = style;
}

CBCGPVisualManager2007::Style CBCGPVisualManager2007::GetStyle()
{
    return g_style2007;
}
