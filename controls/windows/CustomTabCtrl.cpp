#include "windows/CustomTabCtrl.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

LOGFONT CCustomTabCtrl::lf_default = { -11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Tahoma" };
bool CCustomTabCtrl::m_bBitsGlyphs = true;

namespace
{
const char kClassName[] = "CCustomTabCtrl";

// The button glyphs, 8 x 7 pixels each, side by side: first, previous, next, last, close and the
// drop marker of a drag. '#' is a glyph pixel.
const char* const kGlyphRows[7] = {
    ".#....#......#....#......#....#.##...##.#######.",
    ".#...##.....##....##.....##...#..##.##...#####..",
    ".#..###....###....###....###..#...###.....###...",
    ".#.####...####....####...####.#....#.......#....",
    ".#..###....###....###....###..#...###...........",
    ".#...##.....##....##.....##...#..##.##..........",
    ".#....#......#....#......#....#.##...##.........",
};
}  // namespace

// ---------------------------------------------------------------------------------------------
// Items

CCustomTabCtrlItem::CCustomTabCtrlItem(const CString& sText, LPARAM lParam)
    : m_sText(sText), m_lParam(lParam), m_bShape(false), m_bSelected(0), m_bHighlighted(0), m_bHighlightChanged(0),
      m_nTextWidth(-1)
{
}

CCustomTabCtrlItem::CCustomTabCtrlItem(const CCustomTabCtrlItem& src)
    : m_sText(src.m_sText), m_lParam(src.m_lParam), m_bShape(false), m_bSelected(0), m_bHighlighted(0),
      m_bHighlightChanged(0), m_nTextWidth(src.m_nTextWidth), m_sTooltip(src.m_sTooltip)
{
}

// ---------------------------------------------------------------------------------------------
// Construction

BEGIN_MESSAGE_MAP(CCustomTabCtrl, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    // LRESULT OnMouseLeave(WPARAM, LPARAM)
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_WM_TIMER()
    ON_WM_SETCURSOR()
    ON_WM_CAPTURECHANGED()
    ON_WM_DESTROY()
    // void OnUpdateEdit()
    ON_EN_UPDATE(1, OnUpdateEdit)
    // void OnKillFocusEdit()
    ON_EN_KILLFOCUS(1, OnKillFocusEdit)
    // LRESULT OnSizeParent(WPARAM, LPARAM lParam = AFX_SIZEPARENTPARAMS*)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged)
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_MESSAGE(WM_SETREDRAW, OnSetRedraw)
END_MESSAGE_MAP()

CCustomTabCtrl::CCustomTabCtrl()
    : m_hCursorMove(nullptr), m_hCursorCopy(nullptr), m_nItemSelected(-1), m_nFirstVisibleItem(0),
      m_nItemDragDest(CTCHT_NOWHERE), m_nFirstState(0), m_nPrevState(0), m_nNextState(0), m_nLastState(0),
      m_nCloseState(0), m_nButtonIDDown(CTCHT_NOWHERE), m_dwLastRepeatTime(0), m_bThemed(FALSE), m_bDragArmed(FALSE), m_bDragging(FALSE),
      m_bDragCopy(FALSE), m_bMouseTracked(FALSE), m_nLastMouseFlags(0), m_nRenameItem(-1), m_nRenameEnd(0),
      m_pbRenameAlive(nullptr)
{
    RegisterWindowClass();
    SetControlFont(GetDefaultFont(), FALSE);

    // The glyph rows as a monochrome bitmap: one bit a pixel, rows padded to 16 bits.
    BYTE bits[7 * 6] = {};
    for (int y = 0; y < 7; ++y)
    {
        for (int x = 0; x < 48; ++x)
        {
            if (kGlyphRows[y][x] == '#')
                bits[y * 6 + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
        }
    }
    m_bmpGlyphsMono.CreateBitmap(48, 7, 1, 1, bits);
}

CCustomTabCtrl::~CCustomTabCtrl()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
    // A rename loop further up the stack must not touch the strip again.
    if (m_pbRenameAlive != nullptr)
        *m_pbRenameAlive = false;
    for (INT_PTR i = 0; i < m_aItems.GetSize(); ++i)
        delete m_aItems[i];
    m_aItems.RemoveAll();
    ReleaseMeasureDC();
    if (m_hCursorMove)
        ::DestroyCursor(m_hCursorMove);
    if (m_hCursorCopy)
        ::DestroyCursor(m_hCursorCopy);
}

BOOL CCustomTabCtrl::RegisterWindowClass()
{
    HINSTANCE hInstance = ::GetModuleHandleA(nullptr);
    WNDCLASSA wc;
    if (::GetClassInfoA(hInstance, kClassName, &wc))
        return TRUE;
    wc = {};
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = hInstance;
    wc.hCursor = ::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    return ::RegisterClassA(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

BOOL CCustomTabCtrl::Create(UINT dwStyle, const CRect& rect, CWnd* pParentWnd, UINT nID)
{
    if (!CWnd::CreateEx(0, kClassName, "", dwStyle, rect, pParentWnd, nID))
        return FALSE;
    RebuildThemeBackgrounds();
    RecalcLayout(FALSE);
    return TRUE;
}

BOOL CCustomTabCtrl::IsVertical() const
{
    return m_hWnd != nullptr && (GetStyle() & CTCS_VERTICAL) != 0;
}

// ---------------------------------------------------------------------------------------------
// Items

CCustomTabCtrlItem* CCustomTabCtrl::NewItem(const CString& sText, LPARAM lParam, const CCustomTabCtrlItem* pCopyOf)
{
    try
    {
        return pCopyOf ? new CCustomTabCtrlItem(*pCopyOf) : new CCustomTabCtrlItem(sText, lParam);
    }
    catch (const std::bad_alloc&)
    {
        return nullptr;
    }
}

int CCustomTabCtrl::InsertItem(int nItem, CString sText, LPARAM lParam)
{
    if (nItem < 0 || nItem > GetItemCount())
        return CTCERR_INDEXOUTOFRANGE;
    if (sText.GetLength() > CTC_MAXTEXT)
        return CTCERR_TEXTTOOLONG;
    CCustomTabCtrlItem* pItem = NewItem(sText, lParam, nullptr);
    if (pItem == nullptr)
        return CTCERR_OUTOFMEMORY;
    // Measured now, while the text is at hand: a later pass over thousands of tabs costs more.
    if (m_hWnd != nullptr)
        pItem->m_nTextWidth = MeasureText(sText);
    m_aItems.InsertAt(nItem, pItem);
    ++m_nTabsChanged;
    if (m_nItemSelected >= nItem)
        ++m_nItemSelected;
    ShiftIndexes(nItem, 1);
    ResyncItemTools();
    RecalcLayout();
    return nItem;
}

int CCustomTabCtrl::DeleteItem(int nItem)
{
    if (!IsValidIndex(nItem))
        return CTCERR_INDEXOUTOFRANGE;
    if (nItem == m_nRenameItem)
        CloseRename();
    if (m_nButtonIDDown == nItem)
    {
        EndDrag();
        m_nButtonIDDown = CTCHT_NOWHERE;
    }
    delete m_aItems[nItem];
    m_aItems.RemoveAt(nItem);
    ++m_nTabsChanged;
    ShiftIndexes(nItem + 1, -1);
    const int nCount = GetItemCount();
    if (nCount == 0)
        m_nItemSelected = -1;
    else if (m_nItemSelected == nItem)
    {
        m_nItemSelected = -1;
        Select(std::min(nItem, nCount - 1), FALSE);
        for (INT_PTR i = 0; i < m_aItems.GetSize(); ++i)
            m_aItems[i]->m_bHighlightChanged = 0;
    }
    else if (m_nItemSelected > nItem)
        --m_nItemSelected;
    if (m_nFirstVisibleItem > nItem)
        --m_nFirstVisibleItem;
    ResyncItemTools();
    RecalcLayout();
    return CTCERR_NOERROR;
}

void CCustomTabCtrl::DeleteAllItems()
{
    if (m_nRenameItem >= 0)
        CloseRename();
    EndDrag();
    for (INT_PTR i = 0; i < m_aItems.GetSize(); ++i)
        delete m_aItems[i];
    m_aItems.RemoveAll();
    ++m_nTabsChanged;
    m_nItemSelected = -1;
    m_nFirstVisibleItem = 0;
    ResyncItemTools();
    RecalcLayout();
}

void CCustomTabCtrl::ShiftIndexes(int nFrom, int nDelta)
{
    auto shift = [&](int& n) {
        if (n >= nFrom)
            n += nDelta;
    };
    if (m_nRenameItem >= 0)
        shift(m_nRenameItem);
    if (m_nButtonIDDown >= 0)
        shift(m_nButtonIDDown);
    if (m_nItemDragDest >= 0)
    {
        shift(m_nItemDragDest);
        m_nItemDragDest = std::min(std::max(0, m_nItemDragDest), std::max(0, GetItemCount() - 1));
    }
}

int CCustomTabCtrl::MoveItem(int nItemSrc, int nItemDst)
{
    if (!IsValidIndex(nItemSrc) || !IsValidIndex(nItemDst))
        return CTCERR_INDEXOUTOFRANGE;
    if (nItemSrc == nItemDst)
        return CTCERR_NOERROR;
    CCustomTabCtrlItem* pItem = m_aItems[nItemSrc];
    m_aItems.RemoveAt(nItemSrc);
    m_aItems.InsertAt(nItemDst, pItem);
    ++m_nTabsChanged;
    auto follow = [&](int& n) {
        if (n == nItemSrc)
            n = nItemDst;
        else if (nItemSrc < n && n <= nItemDst)
            --n;
        else if (nItemDst <= n && n < nItemSrc)
            ++n;
    };
    if (m_nItemSelected >= 0)
        follow(m_nItemSelected);
    if (m_nRenameItem >= 0)
        follow(m_nRenameItem);
    // A tab pressed or dragged meanwhile stays the one the drop takes.
    if (m_nButtonIDDown >= 0)
        follow(m_nButtonIDDown);
    if (m_nItemDragDest >= 0)
        follow(m_nItemDragDest);
    ResyncItemTools();
    RecalcLayout();
    return CTCERR_NOERROR;
}

int CCustomTabCtrl::CopyItem(int nItemSrc, int nItemDst)
{
    if (!IsValidIndex(nItemSrc) || nItemDst < 0 || nItemDst > GetItemCount())
        return CTCERR_INDEXOUTOFRANGE;
    CCustomTabCtrlItem* pItem = NewItem(CString(), 0, m_aItems[nItemSrc]);
    if (pItem == nullptr)
        return CTCERR_OUTOFMEMORY;
    m_aItems.InsertAt(nItemDst, pItem);
    ++m_nTabsChanged;
    if (m_nItemSelected >= nItemDst)
        ++m_nItemSelected;
    if (m_nRenameItem >= nItemDst)
        ++m_nRenameItem;
    if (m_nButtonIDDown >= nItemDst)
        ++m_nButtonIDDown;
    if (m_nItemDragDest >= nItemDst)
        ++m_nItemDragDest;
    ResyncItemTools();
    RecalcLayout();
    return CTCERR_NOERROR;
}

void CCustomTabCtrl::Select(int nItem, BOOL bClearHighlights)
{
    const BOOL bMulti = m_hWnd && (GetStyle() & CTCS_MULTIHIGHLIGHT);
    if (IsValidIndex(m_nItemSelected))
        m_aItems[m_nItemSelected]->m_bSelected = 0;
    m_nItemSelected = nItem;
    ++m_nTabsChanged;
    if (!IsValidIndex(nItem))
        return;
    m_aItems[nItem]->m_bSelected = 1;
    if (bMulti)
    {
        if (bClearHighlights)
        {
            for (INT_PTR i = 0; i < m_aItems.GetSize(); ++i)
                SetHighlight((int)i, FALSE);
        }
        SetHighlight(nItem, TRUE);
    }
}

void CCustomTabCtrl::SetHighlight(int nItem, BOOL fHighlight)
{
    CCustomTabCtrlItem* pItem = m_aItems[nItem];
    const int nNew = fHighlight ? 1 : 0;
    if (pItem->m_bHighlighted != nNew)
    {
        pItem->m_bHighlighted = nNew;
        pItem->m_bHighlightChanged ^= 1;
    }
}

int CCustomTabCtrl::SetCurSel(int nItem)
{
    if (!IsValidIndex(nItem))
        return CTCERR_INDEXOUTOFRANGE;
    Select(nItem, TRUE);
    for (INT_PTR i = 0; i < m_aItems.GetSize(); ++i)
        m_aItems[i]->m_bHighlightChanged = 0;
    EnsureVisible(nItem);
    return CTCERR_NOERROR;
}

int CCustomTabCtrl::IsItemHighlighted(int nItem) const
{
    if (!IsValidIndex(nItem))
        return CTCERR_INDEXOUTOFRANGE;
    return m_aItems[nItem]->m_bHighlighted ? 1 : 0;
}

int CCustomTabCtrl::HighlightItem(int nItem, BOOL fHighlight)
{
    if (m_hWnd == nullptr || !(GetStyle() & CTCS_MULTIHIGHLIGHT))
        return CTCERR_NOMULTIHIGHLIGHTSTYLE;
    if (!IsValidIndex(nItem))
        return CTCERR_INDEXOUTOFRANGE;
    if (m_nItemSelected == -1)
        Select(nItem, FALSE);
    else if (nItem != m_nItemSelected)
        SetHighlight(nItem, fHighlight);
    Invalidate(FALSE);
    return CTCERR_NOERROR;
}

int CCustomTabCtrl::GetItemData(int nItem, DWORD_PTR& dwData) const
{
    if (!IsValidIndex(nItem))
        return CTCERR_INDEXOUTOFRANGE;
    dwData = (DWORD_PTR)m_aItems[nItem]->m_lParam;
    return CTCERR_NOERROR;
}

int CCustomTabCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    if (!IsValidIndex(nItem))
        return CTCERR_INDEXOUTOFRANGE;
    m_aItems[nItem]->m_lParam = (LPARAM)dwData;
    return CTCERR_NOERROR;
}

int CCustomTabCtrl::GetItemText(int nItem, CString& sText) const
{
    if (!IsValidIndex(nItem))
        return CTCERR_INDEXOUTOFRANGE;
    sText = m_aItems[nItem]->m_sText;
    return CTCERR_NOERROR;
}

int CCustomTabCtrl::SetItemText(int nItem, CString sText)
{
    if (!IsValidIndex(nItem))
        return CTCERR_INDEXOUTOFRANGE;
    if (sText.GetLength() > CTC_MAXTEXT)
        return CTCERR_TEXTTOOLONG;
    m_aItems[nItem]->m_sText = sText;
    m_aItems[nItem]->m_nTextWidth = -1;
    RecalcLayout();
    return CTCERR_NOERROR;
}

int CCustomTabCtrl::GetItemRect(int nItem, CRect& rect) const
{
    if (!IsValidIndex(nItem))
        return CTCERR_INDEXOUTOFRANGE;
    EnsureLayout();
    rect = m_aItems[nItem]->m_rectText;
    return CTCERR_NOERROR;
}

int CCustomTabCtrl::HitTest(CPoint pt)
{
    if (m_hWnd == nullptr)
        return CTCHT_NOWHERE;
    return Geometry().HitTest(ToStrip(pt), m_nItemSelected);
}

int CCustomTabCtrl::GetFirstVisibleItem() const
{
    EnsureLayout();
    return m_nFirstVisibleItem;
}

int CCustomTabCtrl::GetButtonState(int nButton) const
{
    EnsureLayout();
    switch (nButton)
    {
    case CTCHT_ONFIRSTBUTTON: return m_nFirstState;
    case CTCHT_ONPREVBUTTON: return m_nPrevState;
    case CTCHT_ONNEXTBUTTON: return m_nNextState;
    case CTCHT_ONLASTBUTTON: return m_nLastState;
    case CTCHT_ONCLOSEBUTTON: return m_nCloseState;
    default: return 0;
    }
}

void CCustomTabCtrl::SetButtonState(int nButton, int nState)
{
    int* p = nullptr;
    switch (nButton)
    {
    case CTCHT_ONFIRSTBUTTON: p = &m_nFirstState; break;
    case CTCHT_ONPREVBUTTON: p = &m_nPrevState; break;
    case CTCHT_ONNEXTBUTTON: p = &m_nNextState; break;
    case CTCHT_ONLASTBUTTON: p = &m_nLastState; break;
    case CTCHT_ONCLOSEBUTTON: p = &m_nCloseState; break;
    default: return;
    }
    if (*p != nState)
    {
        *p = nState;
        if (m_hWnd)
            InvalidateRect(ToClient(Geometry().ButtonRect(nButton)), FALSE);
    }
}

// ---------------------------------------------------------------------------------------------
// Styles and fonts

void CCustomTabCtrl::SetDragCursors(HCURSOR hCursorMove, HCURSOR hCursorCopy)
{
    if (m_hCursorMove)
        ::DestroyCursor(m_hCursorMove);
    if (m_hCursorCopy)
        ::DestroyCursor(m_hCursorCopy);
    m_hCursorMove = hCursorMove ? (HCURSOR)::CopyIcon((HICON)hCursorMove) : nullptr;
    m_hCursorCopy = hCursorCopy ? (HCURSOR)::CopyIcon((HICON)hCursorCopy) : nullptr;
}

BOOL CCustomTabCtrl::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    if (m_hWnd == nullptr)
        return FALSE;
    const DWORD dwOld = GetStyle();
    if ((dwRemove & CTCS_TOOLTIPS) && m_ctrlToolTip.GetSafeHwnd())
        m_ctrlToolTip.Activate(FALSE);
    if ((dwAdd & CTCS_TOOLTIPS) && m_ctrlToolTip.GetSafeHwnd())
        m_ctrlToolTip.Activate(TRUE);
    CWnd::ModifyStyle(dwRemove, dwAdd, nFlags);
    if (dwRemove & CTCS_MULTIHIGHLIGHT)
    {
        for (INT_PTR i = 0; i < m_aItems.GetSize(); ++i)
        {
            m_aItems[i]->m_bHighlighted = 0;
            m_aItems[i]->m_bHighlightChanged = 0;
        }
    }
    if ((dwAdd & CTCS_MULTIHIGHLIGHT) && IsValidIndex(m_nItemSelected))
        m_aItems[m_nItemSelected]->m_bHighlighted = 1;
    if ((dwOld ^ GetStyle()) & CTCS_VERTICAL)
        RebuildThemeBackgrounds();
    RecalcLayout();
    return TRUE;
}

BOOL CCustomTabCtrl::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    if (m_hWnd == nullptr)
        return FALSE;
    CWnd::ModifyStyleEx(dwRemove, dwAdd, nFlags);
    RecalcLayout();
    return TRUE;
}

void CCustomTabCtrl::SetControlFont(const LOGFONT& lf, BOOL fRedraw)
{
    ReleaseMeasureDC();
    m_Font.DeleteObject();
    m_FontSelected.DeleteObject();
    m_FontVertical.DeleteObject();
    m_FontSelectedVertical.DeleteObject();
    if (!m_Font.CreateFontIndirect(&lf))
        m_Font.CreateFontIndirect(&lf_default);
    LOGFONT lfNormal;
    m_Font.GetLogFont(&lfNormal);
    LOGFONT lfBold = lfNormal;
    lfBold.lfWeight = FW_BOLD;
    m_FontSelected.CreateFontIndirect(&lfBold);
    // Vertical strips read from top to bottom.
    lfNormal.lfEscapement = lfNormal.lfOrientation = 2700;
    lfBold.lfEscapement = lfBold.lfOrientation = 2700;
    m_FontVertical.CreateFontIndirect(&lfNormal);
    m_FontSelectedVertical.CreateFontIndirect(&lfBold);
    for (INT_PTR i = 0; i < m_aItems.GetSize(); ++i)
        m_aItems[i]->m_nTextWidth = -1;
    if (m_ctrlEdit.GetSafeHwnd())
        m_ctrlEdit.SetFont(&m_FontSelected, FALSE);
    RecalcLayout(fRedraw);
}

// ---------------------------------------------------------------------------------------------
// Layout

CPoint CCustomTabCtrl::ToStrip(CPoint pt) const
{
    return IsVertical() ? CPoint(pt.y, pt.x) : pt;
}

CRect CCustomTabCtrl::ToClient(const CRect& rect) const
{
    return IsVertical() ? CRect(rect.top, rect.left, rect.bottom, rect.right) : rect;
}

void CCustomTabCtrl::MeasureItems()
{
    bool bAll = true;
    for (INT_PTR i = 0; i < m_aItems.GetSize() && bAll; ++i)
        bAll = m_aItems[i]->m_nTextWidth >= 0;
    if (bAll)
        return;
    for (INT_PTR i = 0; i < m_aItems.GetSize(); ++i)
    {
        CCustomTabCtrlItem* pItem = m_aItems[i];
        if (pItem->m_nTextWidth < 0)
            pItem->m_nTextWidth = MeasureText(pItem->m_sText);
    }
}

int CCustomTabCtrl::MeasureText(const CString& sText)
{
    if (sText.IsEmpty())
        return 0;
    if (m_hdcMeasure == nullptr)
    {
        m_hdcMeasure = ::CreateCompatibleDC(nullptr);
        if (m_hdcMeasure == nullptr)
            return 0;
        m_hMeasureOldFont = ::SelectObject(m_hdcMeasure, m_FontSelected.m_hObject);
    }
    CRect rc(0, 0, 0, 0);
    ::DrawTextA(m_hdcMeasure, sText, sText.GetLength(), &rc, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    return rc.Width();
}

void CCustomTabCtrl::ReleaseMeasureDC()
{
    if (m_hdcMeasure == nullptr)
        return;
    ::SelectObject(m_hdcMeasure, m_hMeasureOldFont);
    ::DeleteDC(m_hdcMeasure);
    m_hdcMeasure = nullptr;
    m_hMeasureOldFont = nullptr;
}

void CCustomTabCtrl::RecalcLayout(BOOL bRedraw)
{
    if (m_hWnd == nullptr)
        return;
    m_bLayoutPending = true;
    if (bRedraw && !m_bRedrawQueued)
    {
        m_bRedrawQueued = true;
        Invalidate(FALSE);
    }
    // The rename edit follows its tab at once.
    if (m_nRenameItem >= 0 && m_ctrlEdit.GetSafeHwnd())
        DoLayout();
}

void CCustomTabCtrl::EnsureLayout() const
{
    if (m_hWnd == nullptr)
        return;
    // Laying out is caching: what the strip shows does not change, only when it is computed.
    CCustomTabCtrl* pThis = const_cast<CCustomTabCtrl*>(this);
    if (m_bLayoutPending)
        pThis->DoLayout();
    else if (m_bToolsPending)
        pThis->SyncItemTools();
}

void CCustomTabCtrl::DoLayout()
{
    m_bLayoutPending = false;
    MeasureItems();
    CRect rc;
    GetClientRect(&rc);
    const BOOL bVertical = IsVertical();
    std::vector<int> widths(static_cast<size_t>(GetItemCount()));
    for (INT_PTR i = 0; i < m_aItems.GetSize(); ++i)
        widths[static_cast<size_t>(i)] = m_aItems[i]->m_nTextWidth;
    if (IsValidIndex(m_nRenameItem) && m_ctrlEdit.GetSafeHwnd())
    {
        // The tab grows with the name being typed, with room for the caret.
        CString sText;
        m_ctrlEdit.GetWindowText(sText);
        HDC hdc = ::CreateCompatibleDC(nullptr);
        HGDIOBJ hOld = ::SelectObject(hdc, m_FontSelected.m_hObject);
        CRect rcText(0, 0, 0, 0);
        if (!sText.IsEmpty())
            ::DrawTextA(hdc, sText, sText.GetLength(), &rcText, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        TEXTMETRICA tm;
        ::GetTextMetricsA(hdc, &tm);
        ::SelectObject(hdc, hOld);
        ::DeleteDC(hdc);
        widths[static_cast<size_t>(m_nRenameItem)] = std::max(rcText.Width(), 0) + tm.tmAveCharWidth;
    }
    m_geometry.Layout(GetStyle() & 0xFFFF, bVertical ? rc.Height() : rc.Width(),
                      bVertical ? rc.Width() : rc.Height(), widths, m_nFirstVisibleItem);
    m_nFirstVisibleItem = m_geometry.FirstVisible();
    auto toClient = [bVertical](const CRect& r) { return bVertical ? CRect(r.top, r.left, r.bottom, r.right) : r; };
    for (INT_PTR i = 0; i < m_aItems.GetSize(); ++i)
    {
        CCustomTabCtrlItem* pItem = m_aItems[i];
        pItem->m_rect = toClient(m_geometry.ItemRect((int)i));
        pItem->m_rectText = toClient(m_geometry.TextRect((int)i));
        pItem->m_bShape = false;
    }
    for (int nButton = CTCHT_ONFIRSTBUTTON; nButton >= CTCHT_ONCLOSEBUTTON; --nButton)
    {
        if (!m_geometry.IsButtonShown(nButton))
            SetButtonState(nButton, 0);
        else if (GetButtonState(nButton) == 0)
            SetButtonState(nButton, 1);
    }
    if (IsValidIndex(m_nRenameItem) && m_ctrlEdit.GetSafeHwnd())
        m_ctrlEdit.MoveWindow(&m_aItems[m_nRenameItem]->m_rectText, FALSE);
    UpdateButtonToolRects();
    SyncItemTools();
}

void CCustomTabCtrl::EnsureVisible(int nItem)
{
    if (m_hWnd == nullptr)
        return;
    m_nFirstVisibleItem = Geometry().FirstVisibleFor(nItem);
    RecalcLayout();
}

void CCustomTabCtrl::StepButton(int nButton)
{
    m_nFirstVisibleItem = Geometry().ScrollTarget(nButton);
    RecalcLayout();
}

void CCustomTabCtrl::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    RecalcLayout();
}

// ---------------------------------------------------------------------------------------------
// Tooltips

int CCustomTabCtrl::SetItemTooltipText(int nItem, CString sText)
{
    if (m_hWnd == nullptr || !(GetStyle() & CTCS_TOOLTIPS))
        return CTCERR_NOTOOLTIPSSTYLE;
    if (nItem < CTCHT_ONCLOSEBUTTON || nItem >= GetItemCount())
        return CTCERR_INDEXOUTOFRANGE;
    if (m_ctrlToolTip.GetSafeHwnd() == nullptr)
    {
        if (!m_ctrlToolTip.Create(this, TTS_ALWAYSTIP))
            return CTCERR_CREATETOOLTIPFAILED;
        m_ctrlToolTip.SetMaxTipWidth(400);
    }
    if (nItem >= 0)
    {
        // The tab keeps its text; its tool follows at once, or with the layout already due (tabs
        // out of view have none).
        m_aItems[nItem]->m_sTooltip = sText;
        m_bToolsPending = true;
        if (!m_bLayoutPending)
            SyncItemTools();
        else if (!m_bRedrawQueued)
        {
            m_bRedrawQueued = true;
            Invalidate(FALSE);
        }
        return CTCERR_NOERROR;
    }
    const UINT_PTR nID = (UINT_PTR)(INT_PTR)nItem;
    CRect rect = ToClient(Geometry().ButtonRect(nItem));
    m_ctrlToolTip.DelTool(this, nID);
    m_ctrlToolTip.AddTool(this, sText, &rect, nID);
    return CTCERR_NOERROR;
}

void CCustomTabCtrl::UpdateButtonToolRects()
{
    if (m_ctrlToolTip.GetSafeHwnd() == nullptr)
        return;
    TTTOOLINFOA ti;
    for (int nButton = CTCHT_ONFIRSTBUTTON; nButton >= CTCHT_ONCLOSEBUTTON; --nButton)
    {
        if (m_ctrlToolTip.GetToolInfo(&ti, this, (UINT_PTR)(INT_PTR)nButton))
        {
            CRect rect = ToClient(m_geometry.ButtonRect(nButton));
            m_ctrlToolTip.SetToolRect(this, (UINT_PTR)(INT_PTR)nButton, &rect);
        }
    }
}

void CCustomTabCtrl::SyncItemTools()
{
    m_bToolsPending = false;
    if (m_ctrlToolTip.GetSafeHwnd() == nullptr)
    {
        m_itemTools.clear();
        return;
    }
    // The platform's tooltip keeps its tools in one array searched and copied whole on every
    // change: registering every tab would make each insert cost as much as all the tabs before it.
    std::map<UINT_PTR, CString> wanted;
    const int nCount = std::min(GetItemCount(), m_geometry.GetCount());
    for (int i = std::max(0, m_geometry.FirstVisible() - 1); i < nCount && m_geometry.ItemRect(i).left < m_geometry.ItemAreaRight(); ++i)
    {
        if (m_geometry.IsItemVisible(i) && !m_aItems[i]->m_sTooltip.IsEmpty())
            wanted[(UINT_PTR)(i + 1)] = m_aItems[i]->m_sTooltip;
    }
    for (auto it = m_itemTools.begin(); it != m_itemTools.end();)
    {
        auto w = wanted.find(it->first);
        if (w == wanted.end() || w->second != it->second)
        {
            m_ctrlToolTip.DelTool(this, it->first);
            it = m_itemTools.erase(it);
        }
        else
        {
            ++it;
        }
    }
    for (const auto& w : wanted)
    {
        CRect rect = m_aItems[(INT_PTR)w.first - 1]->m_rectText;
        if (m_itemTools.count(w.first) == 0)
        {
            m_ctrlToolTip.AddTool(this, w.second, &rect, w.first);
            m_itemTools[w.first] = w.second;
        }
        else
        {
            m_ctrlToolTip.SetToolRect(this, w.first, &rect);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Parent, frame and theme

LRESULT CCustomTabCtrl::NotifyParent(UINT code, int nItem, CPoint pt)
{
    CTC_NMHDR nm;
    std::memset(&nm, 0, sizeof(nm));
    nm.hdr.hwndFrom = m_hWnd;
    nm.hdr.idFrom = (UINT_PTR)GetDlgCtrlID();
    nm.hdr.code = code;
    nm.nItem = nItem;
    if (code != (UINT)CTCN_ITEMMOVE && IsValidIndex(nItem))
    {
        EnsureLayout();
        const CCustomTabCtrlItem* pItem = m_aItems[nItem];
        std::strncpy(nm.pszText, pItem->m_sText, CTC_MAXTEXT);
        nm.lParam = pItem->m_lParam;
        nm.rItem = pItem->m_rectText;
        nm.fSelected = pItem->m_bSelected;
        nm.fHighlighted = pItem->m_bHighlighted;
    }
    nm.ptHitTest = pt;
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent == nullptr)
        return 0;
    return ::SendMessageA(hParent, WM_NOTIFY, nm.hdr.idFrom, (LPARAM)&nm);
}

LRESULT CCustomTabCtrl::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* p = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (p == nullptr)
        return 0;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    const DWORD dwStyle = GetStyle();
    CRect rc = p->rect;
    if (dwStyle & CTCS_VERTICAL)
    {
        const int w = std::min(rcWindow.Width(), (int)(p->rect.right - p->rect.left));
        if (dwStyle & CTCS_LEFT)
        {
            rc.right = rc.left + w;
            p->rect.left += w;
        }
        else
        {
            rc.left = rc.right - w;
            p->rect.right -= w;
        }
    }
    else
    {
        const int h = std::min(rcWindow.Height(), (int)(p->rect.bottom - p->rect.top));
        if (dwStyle & CTCS_TOP)
        {
            rc.bottom = rc.top + h;
            p->rect.top += h;
        }
        else
        {
            rc.top = rc.bottom - h;
            p->rect.bottom -= h;
        }
    }
    if (p->hDWP != nullptr)
        p->hDWP = ::DeferWindowPos(p->hDWP, m_hWnd, nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                                   SWP_NOZORDER | SWP_NOACTIVATE);
    else
        ::SetWindowPos(m_hWnd, nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

LRESULT CCustomTabCtrl::OnSetRedraw(WPARAM wParam, LPARAM)
{
    // A repaint queued while drawing was off never happened: the next change queues its own.
    const LRESULT lResult = Default();
    if (wParam)
        m_bRedrawQueued = false;
    return lResult;
}

LRESULT CCustomTabCtrl::OnThemeChanged(WPARAM, LPARAM)
{
    RebuildThemeBackgrounds();
    RecalcLayout();
    return 0;
}

void CCustomTabCtrl::OnDestroy()
{
    if (m_nRenameItem >= 0)
        CloseRename();
    EndDrag();
    KillTimer(CTC_TIMER_BUTTON);
    m_theme.CloseThemeData();
    m_bThemed = FALSE;
    m_bmpBkNormal.DeleteObject();
    m_bmpBkSelected.DeleteObject();
    if (m_ctrlToolTip.GetSafeHwnd())
        m_ctrlToolTip.DestroyWindow();
    m_itemTools.clear();
    ReleaseMeasureDC();
    CWnd::OnDestroy();
}
