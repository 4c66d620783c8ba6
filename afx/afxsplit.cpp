#include "afxext.h"

#include <algorithm>
#include <climits>

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_SIZE()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID)
{
    if (m_hWnd != nullptr || pParentWnd->GetSafeHwnd() == nullptr || nRows != 1 || nCols < 1)
        return FALSE;
    m_nRows = nRows;
    m_cols.assign((size_t)nCols, CRowColInfo());
    CRect rc;
    pParentWnd->GetClientRect(&rc);
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW),
                                            (HBRUSH)(COLOR_BTNFACE + 1));
    if (!CreateEx(0, lpszClass, nullptr, dwStyle | WS_CHILD | WS_CLIPCHILDREN, rc, pParentWnd, nID))
    {
        m_cols.clear();
        m_nRows = 0;
        return FALSE;
    }
    return TRUE;
}

BOOL CSplitterWnd::CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext)
{
    if (m_hWnd == nullptr || row != 0 || col < 0 || col >= GetColumnCount() || pViewClass == nullptr ||
        m_cols[(size_t)col].hPane != nullptr || !pViewClass->IsDerivedFrom(RUNTIME_CLASS(CWnd)))
        return FALSE;
    CWnd* pWnd = static_cast<CWnd*>(pViewClass->CreateObject());
    if (pWnd == nullptr)
        return FALSE;
    m_cols[(size_t)col].nIdealSize = sizeInit.cx;
    // The splitter draws the borders, so the pane has none of its own. A pane that cannot be
    // created deletes itself (views do in PostNcDestroy).
    CRect rc(0, 0, sizeInit.cx, sizeInit.cy);
    if (!pWnd->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW & ~WS_BORDER, rc, this, IdFromRowCol(row, col), pContext))
        return FALSE;
    m_cols[(size_t)col].hPane = pWnd->m_hWnd;
    return TRUE;
}

CWnd* CSplitterWnd::GetPane(int row, int col) const
{
    if (row != 0 || col < 0 || col >= GetColumnCount() || !::IsWindow(m_cols[(size_t)col].hPane))
        return nullptr;
    return CWnd::FromHandle(m_cols[(size_t)col].hPane);
}

void CSplitterWnd::GetColumnInfo(int col, int& cxCur, int& cxMin) const
{
    if (col < 0 || col >= GetColumnCount())
    {
        cxCur = cxMin = 0;
        return;
    }
    cxCur = m_cols[(size_t)col].nCurSize;
    cxMin = m_cols[(size_t)col].nMinSize;
}

void CSplitterWnd::SetColumnInfo(int col, int cxIdeal, int cxMin)
{
    if (col < 0 || col >= GetColumnCount())
        return;
    m_cols[(size_t)col].nIdealSize = std::max(cxIdeal, 0);
    m_cols[(size_t)col].nMinSize = std::max(cxMin, 0);
}

void CSplitterWnd::RecalcLayout()
{
    if (m_hWnd == nullptr || m_cols.empty())
        return;
    CRect rc;
    GetClientRect(&rc);
    rc.DeflateRect(m_cxBorder, m_cyBorder);
    const int nHeight = std::max(0, (int)rc.Height());
    int nLeft = std::max(0, (int)rc.Width());   // room not yet given to a column
    int x = rc.left;
    const int nCount = GetColumnCount();
    HDWP hdwp = ::BeginDeferWindowPos(nCount);
    for (int i = 0; i < nCount; ++i)
    {
        CRowColInfo& info = m_cols[(size_t)i];
        // The last column takes what is left; a column below its minimum is hidden.
        int cx = i == nCount - 1 ? nLeft : std::min(info.nIdealSize, nLeft);
        if (cx < info.nMinSize && i != nCount - 1)
            cx = 0;
        info.nCurSize = cx;
        info.nPos = x;
        if (info.hPane != nullptr && hdwp != nullptr)
            hdwp = ::DeferWindowPos(hdwp, info.hPane, nullptr, x, rc.top, cx, nHeight, SWP_NOZORDER | SWP_NOACTIVATE);
        const int nStep = std::min(nLeft, cx + m_cxSplitterGap);
        nLeft -= nStep;
        x += nStep;
    }
    if (hdwp != nullptr)
        ::EndDeferWindowPos(hdwp);
    Invalidate(FALSE);
}

CRect CSplitterWnd::GetBarRect(int col) const
{
    if (col < 0 || col >= GetColumnCount() - 1)
        return CRect(0, 0, 0, 0);
    CRect rc;
    GetClientRect(&rc);
    const int x = m_cols[(size_t)col].nPos + m_cols[(size_t)col].nCurSize;
    return CRect(x, rc.top + m_cyBorder, x + m_cxSplitterGap, rc.bottom - m_cyBorder);
}

int CSplitterWnd::HitTestBar(CPoint point) const
{
    // Bars lie left to right: the last one starting at or before the point is the only candidate.
    int lo = 0, hi = GetColumnCount() - 2;
    int nFound = -1;
    while (lo <= hi)
    {
        const int mid = lo + (hi - lo) / 2;
        if (GetBarRect(mid).left <= point.x)
        {
            nFound = mid;
            lo = mid + 1;
        }
        else
            hi = mid - 1;
    }
    return nFound >= 0 && GetBarRect(nFound).PtInRect(point) ? nFound : -1;
}

void CSplitterWnd::OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect)
{
    if (pDC == nullptr)
    {
        InvalidateRect(&rect);
        return;
    }
    CRect rc = rect;
    switch (nType)
    {
    case splitBorder:
        pDC->Draw3dRect(&rc, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        rc.DeflateRect(1, 1);
        pDC->Draw3dRect(&rc, ::GetSysColor(COLOR_3DDKSHADOW), ::GetSysColor(COLOR_3DFACE));
        break;
    case splitBar:
        pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
        pDC->Draw3dRect(&rc, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
        break;
    default:
        pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
        break;
    }
}

void CSplitterWnd::DrawAll(CDC* pDC)
{
    for (int i = 0; i + 1 < GetColumnCount(); ++i)
        OnDrawSplitter(pDC, splitBar, GetBarRect(i));
    CRect rc;
    GetClientRect(&rc);
    OnDrawSplitter(pDC, splitBorder, rc);
}

void CSplitterWnd::OnPaint()
{
    CPaintDC dc(this);
    DrawAll(&dc);
}

LRESULT CSplitterWnd::OnPrintClient(WPARAM wParam, LPARAM)
{
    CDC* pDC = CDC::FromHandle((HDC)wParam);
    if (pDC != nullptr)
        DrawAll(pDC);
    return 0;
}

void CSplitterWnd::OnSize(UINT nType, int, int)
{
    Default();
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

BOOL CSplitterWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT && pWnd == this && CanTrackBars())
    {
        POINT pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        if (m_nTrackBar >= 0 || HitTestBar(CPoint(pt)) >= 0)
        {
            ::SetCursor(::LoadCursorA(nullptr, (LPCSTR)IDC_SIZEWE));
            return TRUE;
        }
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CSplitterWnd::OnLButtonDown(UINT, CPoint point)
{
    if (!CanTrackBars() || m_nTrackBar >= 0)
        return;
    const int nBar = HitTestBar(point);
    if (nBar < 0)
        return;
    m_nTrackBar = nBar;
    m_nTrackOffset = point.x - GetBarRect(nBar).left;
    SetCapture();
    ::SetCursor(::LoadCursorA(nullptr, (LPCSTR)IDC_SIZEWE));
}

void CSplitterWnd::OnMouseMove(UINT, CPoint point)
{
    // The panes follow the bar while it is dragged (no tracker line is drawn).
    if (m_nTrackBar >= 0 && CanTrackBars())
        MoveBarTo(m_nTrackBar, point);
}

void CSplitterWnd::OnLButtonUp(UINT, CPoint point)
{
    if (m_nTrackBar >= 0)
        EndTracking(point, TRUE);
}

void CSplitterWnd::OnCaptureChanged(CWnd*)
{
    // Capture taken away (another window, a menu): the drag ends without changing anything.
    m_nTrackBar = -1;
}

void CSplitterWnd::EndTracking(CPoint point, BOOL bAccept)
{
    const int nBar = m_nTrackBar;
    m_nTrackBar = -1;
    if (GetCapture() == this)
        ::ReleaseCapture();
    if (bAccept)
        MoveBarTo(nBar, point);
}

void CSplitterWnd::MoveBarTo(int nBar, CPoint point)
{
    if (nBar < 0 || nBar >= GetColumnCount() - 1)
        return;
    // The column before the bar ends where the bar's left edge is dropped.
    const int nColLeft = m_cols[(size_t)nBar].nPos;
    const int nWidth = std::max(0, (int)point.x - m_nTrackOffset - nColLeft);
    if (nWidth == m_cols[(size_t)nBar].nIdealSize && nWidth == m_cols[(size_t)nBar].nCurSize)
        return;
    m_cols[(size_t)nBar].nIdealSize = nWidth;
    RecalcLayout();
}
