// CInPlaceDTPicker: showing over a cell, keys and the end-of-edit report.
#include "editors/InPlaceDTPicker.h"

#include "editors/InPlaceDateText.h"
#include "editors/InPlaceNotify.h"

CInPlaceDTPicker* CInPlaceDTPicker::m_pInPlaceDTPicker = nullptr;

BEGIN_MESSAGE_MAP(CInPlaceDTPicker, CDateTimeCtrl)
    ON_WM_CREATE()
    ON_WM_KILLFOCUS()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CInPlaceDTPicker::CInPlaceDTPicker()
    : m_pListWnd(nullptr), m_iRowIndex(-1), m_iColumnIndex(-1), m_bESC(FALSE), m_iTabDirection(0)
{
}

CInPlaceDTPicker::~CInPlaceDTPicker()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

CInPlaceDTPicker* CInPlaceDTPicker::GetInstance()
{
    if (m_pInPlaceDTPicker == nullptr)
        m_pInPlaceDTPicker = new CInPlaceDTPicker;
    return m_pInPlaceDTPicker;
}

void CInPlaceDTPicker::DeleteInstance()
{
    delete m_pInPlaceDTPicker;
    m_pInPlaceDTPicker = nullptr;
}

bool CInPlaceDTPicker::IsTimeMode() const
{
    return (GetStyle() & INPLACE_DTS_TIMEFORMAT) == INPLACE_DTS_TIMEFORMAT;
}

BOOL CInPlaceDTPicker::ShowDTPickerCtrl(DWORD dwStyle, const CRect& rCellRect, CWnd* pParentWnd, UINT uiResourceID,
                                        int iRowIndex, int iColumnIndex, CTime ctInitTime)
{
    m_iRowIndex = iRowIndex;
    m_iColumnIndex = iColumnIndex;
    m_ctInitTime = ctInitTime;
    m_bESC = FALSE;
    m_iTabDirection = 0;
    if (GetSafeHwnd() != nullptr)
        return TRUE;
    m_bEnded = false;
    if (!Create(dwStyle | WS_CHILD, rCellRect, pParentWnd, uiResourceID))
    {
        m_bEnded = true;
        return FALSE;
    }
    return TRUE;
}

int CInPlaceDTPicker::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CDateTimeCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetTime(m_ctInitTime);
    SetFormat((lpCreateStruct->style & INPLACE_DTS_TIMEFORMAT) == INPLACE_DTS_TIMEFORMAT ? "HH:mm:ss" : "dd/MM/yyyy");
    ShowWindow(SW_SHOW);
    return 0;
}

BOOL CInPlaceDTPicker::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN)
    {
        switch (pMsg->wParam)
        {
        case VK_ESCAPE:
        case VK_RETURN:
            if (pMsg->wParam == VK_ESCAPE)
                m_bESC = TRUE;
            if (CWnd* pParent = GetParent())
                pParent->SetFocus();
            return TRUE;
        case VK_TAB:
            m_iTabDirection = IsShiftDown() ? 2 : 1;
            if (m_pListWnd != nullptr)
                m_pListWnd->SetFocus();
            return TRUE;
        default:
            break;
        }
    }
    return CDateTimeCtrl::PreTranslateMessage(pMsg);
}

void CInPlaceDTPicker::OnKillFocus(CWnd* pNewWnd)
{
    CDateTimeCtrl::OnKillFocus(pNewWnd);
    // The calendar taking the focus is part of the edit. Wine keeps a hidden calendar window even
    // while it is closed, and gives it the focus before showing it: it counts when it is shown or
    // is where the focus goes.
    CWnd* pCalendar = GetMonthCalCtrl();
    if (pCalendar != nullptr)
    {
        const HWND hCalendar = pCalendar->GetSafeHwnd();
        const HWND hNew = pNewWnd != nullptr ? pNewWnd->GetSafeHwnd() : nullptr;
        if (::IsWindowVisible(hCalendar) || (hNew != nullptr && (hNew == hCalendar || ::IsChild(hCalendar, hNew))))
            return;
    }
    EndEdit(true);
}

void CInPlaceDTPicker::OnDestroy()
{
    EndEdit(false);
    CDateTimeCtrl::OnDestroy();
}

void CInPlaceDTPicker::EndEdit(bool bClose)
{
    if (m_bEnded)
        return;
    m_bEnded = true;
    const bool bTimeMode = IsTimeMode();
    CString strText;
    if (m_bESC)
    {
        strText = InPlaceInitialText(m_ctInitTime, bTimeMode);
    }
    else
    {
        CString strWindow;
        GetWindowText(strWindow);
        strText = bTimeMode ? InPlaceTimeText(strWindow, CTime::GetCurrentTime()) : InPlaceDateText(strWindow);
    }
    CWnd* pParent = GetParent();
    if (pParent != nullptr)
        SendEndLabelEdit(pParent, pParent->GetSafeHwnd(), GetDlgCtrlID(), pParent, m_iRowIndex, m_iColumnIndex,
                         strText.GetBuffer(), strText.GetLength());
    strText.ReleaseBuffer();
    if (!bClose)
        return;
    if (m_iTabDirection != 0)
    {
        if (CWnd* pOwner = GetOwner())
            pOwner->PostMessage(m_iTabDirection == 1 ? WM_INPLACE_NEXTCELL : WM_INPLACE_PREVCELL, 0, 0);
    }
    if (GetSafeHwnd() != nullptr)
        SendMessage(WM_CLOSE);
}
