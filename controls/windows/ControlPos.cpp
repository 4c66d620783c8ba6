#include "windows/ControlPos.h"

namespace {

// One registered control.
class CControlPosRecord : public CObject
{
public:
    HWND hControl = nullptr;
    DWORD dwStyle = 0;
    UINT nID = 0;
    CRect rcClient;   // the control's client rectangle when registered; bottom = its height then
};

CSize ClientSize(CWnd* pWnd)
{
    CRect rc;
    pWnd->GetClientRect(&rc);
    return CSize(rc.Width(), rc.Height());
}

}  // namespace

CControlPos::CControlPos(CWnd* pParent) : m_pParent(pParent) {}

CControlPos::~CControlPos()
{
    ResetControls();
}

void CControlPos::SetParent(CWnd* pParent)
{
    m_pParent = pParent;
    if (m_pParent->GetSafeHwnd() != nullptr)
    {
        CSize size = ClientSize(m_pParent);
        m_nOriginalParentWidth = size.cx;
        m_nOriginalParentHeight = size.cy;
    }
    UpdateParentSize();
}

void CControlPos::UpdateParentOriginalSize(CSize sizeOriginal)
{
    m_nOriginalParentWidth = m_nOldParentWidth = sizeOriginal.cx;
    m_nOriginalParentHeight = m_nOldParentHeight = sizeOriginal.cy;
}

BOOL CControlPos::AddControl(CWnd* pControl, const DWORD& dwStyle)
{
    return AddRecord(pControl, dwStyle);
}

BOOL CControlPos::AddControl(const unsigned int& nID, const DWORD& dwStyle)
{
    if (m_pParent->GetSafeHwnd() == nullptr)
        return FALSE;
    return AddRecord(m_pParent->GetDlgItem((int)nID), dwStyle);
}

BOOL CControlPos::AddRecord(CWnd* pControl, DWORD dwStyle)
{
    if (m_pParent->GetSafeHwnd() == nullptr || pControl->GetSafeHwnd() == nullptr)
        return FALSE;
    CControlPosRecord* pRecord = new CControlPosRecord;
    pRecord->hControl = pControl->m_hWnd;
    pRecord->dwStyle = dwStyle;
    pRecord->nID = (UINT)pControl->GetDlgCtrlID();
    pControl->GetClientRect(&pRecord->rcClient);
    m_arrControls.Add(pRecord);
    return TRUE;
}

BOOL CControlPos::RemoveControl(CWnd* pControl)
{
    if (pControl->GetSafeHwnd() == nullptr)
        return FALSE;
    return RemoveRecord(pControl->m_hWnd, (UINT)pControl->GetDlgCtrlID());
}

BOOL CControlPos::RemoveControl(const unsigned int& nID)
{
    HWND hControl = m_pParent->GetSafeHwnd() != nullptr ? ::GetDlgItem(m_pParent->m_hWnd, (int)nID) : nullptr;
    return RemoveRecord(hControl, nID);
}

BOOL CControlPos::RemoveRecord(HWND hWnd, UINT nID)
{
    for (INT_PTR i = 0; i < m_arrControls.GetSize(); ++i)
    {
        CControlPosRecord* pRecord = static_cast<CControlPosRecord*>(m_arrControls[i]);
        if ((hWnd != nullptr && pRecord->hControl == hWnd) || (nID != 0 && pRecord->nID == nID))
        {
            delete pRecord;
            m_arrControls.RemoveAt(i);
            return TRUE;
        }
    }
    return FALSE;
}

void CControlPos::ResetControls()
{
    for (INT_PTR i = 0; i < m_arrControls.GetSize(); ++i)
        delete m_arrControls[i];
    m_arrControls.RemoveAll();
}

void CControlPos::MoveControls()
{
    if (m_pParent->GetSafeHwnd() == nullptr)
        return;
    CSize size = ClientSize(m_pParent);
    for (INT_PTR i = 0; i < m_arrControls.GetSize(); ++i)
    {
        CControlPosRecord* pRecord = static_cast<CControlPosRecord*>(m_arrControls[i]);
        // A control re-created under the same id is found again through the parent.
        HWND hControl = pRecord->hControl;
        if (!::IsWindow(hControl) || (pRecord->nID != 0 && ::GetDlgCtrlID(hControl) == 0))
            hControl = ::GetDlgItem(m_pParent->m_hWnd, (int)pRecord->nID);
        if (hControl == nullptr)
            continue;
        CRect rc;
        ::GetWindowRect(hControl, &rc);
        int dW = ControlPosChange(size.cx, m_nOldParentWidth, m_nOriginalParentWidth, m_bNegativeMoves);
        int dH = ControlPosChange(size.cy, m_nOldParentHeight, m_nOriginalParentHeight, m_bNegativeMoves);
        ControlPosApply(rc, pRecord->dwStyle, dW, dH, m_bNegativeMoves, size.cy, m_nOriginalParentHeight,
                        pRecord->rcClient.bottom);
        m_pParent->ScreenToClient(&rc);
        ::MoveWindow(hControl, rc.left, rc.top, rc.Width(), rc.Height(), TRUE);
    }
    UpdateParentSize();
    m_pParent->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CControlPos::UpdateParentSize()
{
    if (m_pParent->GetSafeHwnd() == nullptr)
        return;
    CSize size = ClientSize(m_pParent);
    m_nOldParentWidth = size.cx;
    m_nOldParentHeight = size.cy;
}
