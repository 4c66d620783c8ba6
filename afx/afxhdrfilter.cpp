// The header's filter row where the platform's header control has none (Wine 8): text filters
// kept per item, a row of filter boxes under the items with a filter button at the right of each,
// one edit box that opens over a box, and the platform's notifications (HDN_FILTERCHANGE after
// the filter-change timeout or at once on Enter and when editing ends, HDN_FILTERBTNCLICK).
#include "afxcmn.h"
#include "afxwinimpl.h"

#include <windowsx.h>

#include <vector>

namespace
{
const UINT_PTR kFilterTimer = 0x4648;
const int kButtonWidth = 14;

bool ProbePlatformFilterBar()
{
    HWND hHeader = ::CreateWindowExA(0, WC_HEADERA, "", WS_POPUP | HDS_FILTERBAR, 0, 0, 100, 20, nullptr, nullptr,
                                     ::GetModuleHandleA(nullptr), nullptr);
    if (hHeader == nullptr)
        return false;
    HDITEMA item = {};
    item.mask = HDI_WIDTH;
    item.cxy = 50;
    ::SendMessageA(hHeader, HDM_INSERTITEMA, 0, (LPARAM)&item);
    char text[8] = "x";
    HD_TEXTFILTERA filter = { text, sizeof(text) };
    item.mask = HDI_FILTER;
    item.type = HDFT_ISSTRING;
    item.pvFilter = &filter;
    ::SendMessageA(hHeader, HDM_SETITEMA, 0, (LPARAM)&item);
    text[0] = 0;
    ::SendMessageA(hHeader, HDM_GETITEMA, 0, (LPARAM)&item);
    bool bHas = text[0] == 'x';
    ::DestroyWindow(hHeader);
    return bHas;
}

CString FilterTextOf(UINT message, const void* pItem)
{
    if (message == HDM_SETITEMW || message == HDM_INSERTITEMW)
    {
        const HDITEMW* p = static_cast<const HDITEMW*>(pItem);
        if ((p->type & HDFT_HASNOVALUE) || (p->type & 0xF) != HDFT_ISSTRING || p->pvFilter == nullptr)
            return CString();
        const HD_TEXTFILTERW* f = static_cast<const HD_TEXTFILTERW*>(p->pvFilter);
        if (f->pszText == nullptr)
            return CString();
        int n = ::WideCharToMultiByte(CP_ACP, 0, f->pszText, -1, nullptr, 0, nullptr, nullptr);
        std::vector<char> buf((size_t)(n > 0 ? n : 1), 0);
        ::WideCharToMultiByte(CP_ACP, 0, f->pszText, -1, buf.data(), n, nullptr, nullptr);
        return CString(buf.data());
    }
    const HDITEMA* p = static_cast<const HDITEMA*>(pItem);
    if ((p->type & HDFT_HASNOVALUE) || (p->type & 0xF) != HDFT_ISSTRING || p->pvFilter == nullptr)
        return CString();
    const HD_TEXTFILTERA* f = static_cast<const HD_TEXTFILTERA*>(p->pvFilter);
    return f->pszText ? CString(f->pszText) : CString();
}
}  // namespace

struct CHeaderCtrl::sFilterRow
{
    CHeaderCtrl* pHeader = nullptr;
    std::vector<CString> texts;    // by item index
    UINT nTimeout = 1000;
    HWND hEdit = nullptr;
    WNDPROC pfnEditProc = nullptr;
    int nEditItem = -1;
    int nRowHeight = 0;            // height of the item row, from the platform's layout
    bool bDestroying = false;
    bool bSettingEditText = false;
    int nBusy = 0;                 // calls in progress; the row outlives its window until they end
    bool bDead = false;

    // Keeps the row alive while a notification may destroy the header.
    struct sBusy
    {
        sFilterRow* p;
        explicit sBusy(sFilterRow* pRow) : p(pRow) { ++p->nBusy; }
        ~sBusy()
        {
            if (--p->nBusy == 0 && p->bDead)
                delete p;
        }
    };

    HWND Hwnd() const { return pHeader != nullptr ? pHeader->m_hWnd : nullptr; }
    LRESULT Platform(UINT message, WPARAM wParam, LPARAM lParam)
    { return pHeader != nullptr && pHeader->m_hWnd != nullptr ? pHeader->CWnd::WindowProc(message, wParam, lParam) : 0; }
    int ItemCount() { return (int)Platform(HDM_GETITEMCOUNT, 0, 0); }
    bool Shown() const { return (::GetWindowLongPtrA(Hwnd(), GWL_STYLE) & HDS_FILTERBAR) != 0; }

    int RowHeight()
    {
        RECT rc;
        ::GetClientRect(Hwnd(), &rc);
        if (nRowHeight > 0 && nRowHeight < rc.bottom)
            return nRowHeight;
        return rc.bottom / 2;
    }

    void SyncCount()
    {
        int n = ItemCount();
        if (n >= 0 && (int)texts.size() != n)
            texts.resize((size_t)n);
    }

    RECT CellRect(int nItem)
    {
        RECT r = {};
        Platform(HDM_GETITEMRECT, (WPARAM)nItem, (LPARAM)&r);
        RECT rc;
        ::GetClientRect(Hwnd(), &rc);
        r.top = RowHeight();
        r.bottom = rc.bottom;
        return r;
    }
    static RECT ButtonRect(const RECT& cell)
    {
        int w = kButtonWidth;
        if (w > (cell.right - cell.left) / 2)
            w = (cell.right - cell.left) / 2;
        RECT b = { cell.right - w - 2, cell.top + 2, cell.right - 2, cell.bottom - 2 };
        return b;
    }
    static RECT TextRect(const RECT& cell)
    {
        RECT b = ButtonRect(cell);
        RECT t = { cell.left + 2, cell.top + 2, b.left - 1, cell.bottom - 2 };
        if (t.right < t.left)
            t.right = t.left;
        return t;
    }

    void Notify(int nItem)
    {
        HWND hParent = ::GetParent(Hwnd());
        if (hParent == nullptr || bDestroying)
            return;
        NMHEADERA nm = {};
        nm.hdr.hwndFrom = Hwnd();
        nm.hdr.idFrom = (UINT_PTR)::GetDlgCtrlID(Hwnd());
        nm.hdr.code = HDN_FILTERCHANGE;
        nm.iItem = nItem;
        ::SendMessageA(hParent, WM_NOTIFY, nm.hdr.idFrom, (LPARAM)&nm);
    }

    void ButtonClicked(int nItem, const RECT& button)
    {
        HWND hParent = ::GetParent(Hwnd());
        if (hParent == nullptr)
            return;
        NMHDFILTERBTNCLICK nm = {};
        nm.hdr.hwndFrom = Hwnd();
        nm.hdr.idFrom = (UINT_PTR)::GetDlgCtrlID(Hwnd());
        nm.hdr.code = HDN_FILTERBTNCLICK;
        nm.iItem = nItem;
        nm.rc = button;
        if (::SendMessageA(hParent, WM_NOTIFY, nm.hdr.idFrom, (LPARAM)&nm) && ::IsWindow(Hwnd()))
            Notify(nItem);
    }

    void InvalidateRow()
    {
        RECT rc;
        ::GetClientRect(Hwnd(), &rc);
        rc.top = RowHeight();
        ::InvalidateRect(Hwnd(), &rc, TRUE);
    }

    // Takes the edit box's text as the item's filter; notifies when it changed.
    void Commit()
    {
        ::KillTimer(Hwnd(), kFilterTimer);
        if (hEdit == nullptr || nEditItem < 0 || nEditItem >= (int)texts.size())
            return;
        int n = ::GetWindowTextLengthA(hEdit);
        std::vector<char> buf((size_t)n + 1, 0);
        ::GetWindowTextA(hEdit, buf.data(), n + 1);
        CString text(buf.data());
        if (text == texts[(size_t)nEditItem])
            return;
        texts[(size_t)nEditItem] = text;
        InvalidateRow();
        Notify(nEditItem);
    }

    void EndEdit(bool bCommit, bool bFocusParent)
    {
        if (hEdit == nullptr || nEditItem < 0)
            return;
        if (bCommit)
            Commit();
        ::KillTimer(Hwnd(), kFilterTimer);
        nEditItem = -1;
        if (hEdit != nullptr)
        {
            if (bFocusParent && ::GetFocus() == hEdit)
                ::SetFocus(::GetParent(Hwnd()));
            ::ShowWindow(hEdit, SW_HIDE);
        }
    }

    static LRESULT CALLBACK EditProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        sFilterRow* pRow = reinterpret_cast<sFilterRow*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
        if (pRow == nullptr)
            return ::DefWindowProcA(hWnd, message, wParam, lParam);
        sBusy busy(pRow);
        WNDPROC pfn = pRow->pfnEditProc;
        switch (message)
        {
        case WM_GETDLGCODE:
            return ::CallWindowProcA(pfn, hWnd, message, wParam, lParam) | DLGC_WANTALLKEYS;
        case WM_KEYDOWN:
            if (wParam == VK_RETURN)
            {
                pRow->EndEdit(true, true);
                return 0;
            }
            if (wParam == VK_ESCAPE)
            {
                pRow->EndEdit(false, true);
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == '\r' || wParam == 27 || wParam == '\t')
                return 0;
            break;
        case WM_KILLFOCUS:
        {
            LRESULT r = ::CallWindowProcA(pfn, hWnd, message, wParam, lParam);
            if (!pRow->bDestroying)
                pRow->EndEdit(true, false);
            return r;
        }
        case WM_NCDESTROY:
            ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, 0);
            ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)pfn);
            pRow->hEdit = nullptr;
            pRow->nEditItem = -1;
            return ::CallWindowProcA(pfn, hWnd, message, wParam, lParam);
        default:
            break;
        }
        return ::CallWindowProcA(pfn, hWnd, message, wParam, lParam);
    }

    BOOL StartEdit(int nItem, bool bDiscard)
    {
        SyncCount();
        if (nItem < 0 || nItem >= (int)texts.size())
            return FALSE;
        if (nEditItem >= 0)
        {
            if (!bDiscard)
                Commit();
            ::KillTimer(Hwnd(), kFilterTimer);
        }
        if (hEdit == nullptr)
        {
            hEdit = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_BORDER | ES_AUTOHSCROLL | ES_LEFT, 0, 0, 10, 10, Hwnd(),
                                      nullptr, ::GetModuleHandleA(nullptr), nullptr);
            if (hEdit == nullptr)
                return FALSE;
            ::SetWindowLongPtrA(hEdit, GWLP_USERDATA, (LONG_PTR)this);
            pfnEditProc = (WNDPROC)::SetWindowLongPtrA(hEdit, GWLP_WNDPROC, (LONG_PTR)&EditProc);
        }
        ::SendMessageA(hEdit, WM_SETFONT, (WPARAM)Platform(WM_GETFONT, 0, 0), FALSE);
        RECT cell = CellRect(nItem);
        RECT t = cell;
        t.right = ButtonRect(cell).left - 1;
        if (t.right <= t.left)
            t.right = t.left + 1;
        nEditItem = -1;   // no commit while the text is replaced
        bSettingEditText = true;
        ::SetWindowTextA(hEdit, texts[(size_t)nItem]);
        bSettingEditText = false;
        nEditItem = nItem;
        ::SetWindowPos(hEdit, HWND_TOP, t.left, t.top, t.right - t.left, t.bottom - t.top, SWP_SHOWWINDOW);
        ::SetFocus(hEdit);
        ::SendMessageA(hEdit, EM_SETSEL, 0, -1);
        return TRUE;
    }

    void DrawRow(HDC hdc)
    {
        RECT rc;
        ::GetClientRect(Hwnd(), &rc);
        int h = RowHeight();
        RECT row = { rc.left, h, rc.right, rc.bottom };
        ::FillRect(hdc, &row, ::GetSysColorBrush(COLOR_BTNFACE));
        HFONT hFont = (HFONT)Platform(WM_GETFONT, 0, 0);
        if (hFont == nullptr)
            hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
        HGDIOBJ hOldFont = ::SelectObject(hdc, hFont);
        int nOldMode = ::SetBkMode(hdc, TRANSPARENT);
        COLORREF clrOld = ::SetTextColor(hdc, ::GetSysColor(COLOR_WINDOWTEXT));
        SyncCount();
        for (int i = 0; i < (int)texts.size(); ++i)
        {
            RECT cell = CellRect(i);
            if (cell.right <= cell.left)
                continue;
            ::FillRect(hdc, &cell, ::GetSysColorBrush(COLOR_WINDOW));
            ::DrawEdge(hdc, &cell, BDR_SUNKENOUTER, BF_RECT);
            RECT b = ButtonRect(cell);
            ::DrawFrameControl(hdc, &b, DFC_BUTTON, DFCS_BUTTONPUSH);
            // A funnel: a triangle over a short stem.
            int cx = (b.left + b.right) / 2, cy = (b.top + b.bottom) / 2;
            HGDIOBJ hOldPen = ::SelectObject(hdc, ::GetStockObject(BLACK_PEN));
            for (int k = 0; k < 4; ++k)
            {
                ::MoveToEx(hdc, cx - 4 + k, cy - 3 + k, nullptr);
                ::LineTo(hdc, cx + 5 - k, cy - 3 + k);
            }
            ::MoveToEx(hdc, cx, cy + 1, nullptr);
            ::LineTo(hdc, cx, cy + 4);
            ::SelectObject(hdc, hOldPen);
            RECT t = TextRect(cell);
            const CString& text = texts[(size_t)i];
            ::DrawTextA(hdc, text, text.GetLength(), &t, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
        }
        ::SetTextColor(hdc, clrOld);
        ::SetBkMode(hdc, nOldMode);
        ::SelectObject(hdc, hOldFont);
    }

    // The platform paints its items over the whole height; its item row is taken from the middle
    // of that picture (where it centres texts and images), with the items' top and bottom edges.
    void Paint(HDC hdcTarget)
    {
        RECT rc;
        ::GetClientRect(Hwnd(), &rc);
        int W = rc.right, H = rc.bottom;
        if (W <= 0 || H <= 0)
            return;
        int h = RowHeight();
        HDC hdcMem = ::CreateCompatibleDC(hdcTarget);
        HBITMAP hBitmap = ::CreateCompatibleBitmap(hdcTarget, W, H);
        HGDIOBJ hOld = ::SelectObject(hdcMem, hBitmap);
        ::FillRect(hdcMem, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
        ::SendMessageA(Hwnd(), WM_ERASEBKGND, (WPARAM)hdcMem, 0);
        pHeader->DefWindowProc(WM_PAINT, (WPARAM)hdcMem, 0);
        int y0 = (H - h) / 2;
        ::BitBlt(hdcTarget, 0, 0, W, h, hdcMem, 0, y0, SRCCOPY);
        ::BitBlt(hdcTarget, 0, 0, W, 1, hdcMem, 0, 0, SRCCOPY);
        if (h >= 2)
            ::BitBlt(hdcTarget, 0, h - 2, W, 2, hdcMem, 0, H - 2, SRCCOPY);
        ::SelectObject(hdcMem, hOld);
        ::DeleteObject(hBitmap);
        ::DeleteDC(hdcMem);
        DrawRow(hdcTarget);
    }

    void Clicked(POINT pt, bool bDouble)
    {
        SyncCount();
        for (int i = 0; i < (int)texts.size(); ++i)
        {
            RECT cell = CellRect(i);
            if (!::PtInRect(&cell, pt))
                continue;
            RECT b = ButtonRect(cell);
            if (::PtInRect(&b, pt))
            {
                if (!bDouble)
                    ButtonClicked(i, b);
            }
            else
                StartEdit(i, false);
            return;
        }
    }
};

BOOL CHeaderCtrl::PlatformHasFilterBar()
{
    static const bool s_bHas = ProbePlatformFilterBar();
    return s_bHas;
}

HWND CHeaderCtrl::GetFilterEditWnd() const
{
    return m_pFilterRow != nullptr ? m_pFilterRow->hEdit : nullptr;
}

CHeaderCtrl::~CHeaderCtrl()
{
    if (m_pFilterRow != nullptr)
    {
        m_pFilterRow->pHeader = nullptr;
        if (m_pFilterRow->nBusy == 0)
            delete m_pFilterRow;
        else
            m_pFilterRow->bDead = true;
    }
}

LRESULT CHeaderCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (PlatformHasFilterBar() || m_hWnd == nullptr)
        return CWnd::WindowProc(message, wParam, lParam);
    if (m_pFilterRow == nullptr)
    {
        if (message == WM_NCDESTROY)
            return CWnd::WindowProc(message, wParam, lParam);
        m_pFilterRow = new sFilterRow;
        m_pFilterRow->pHeader = this;
        m_pFilterRow->SyncCount();
    }
    sFilterRow& row = *m_pFilterRow;
    sFilterRow::sBusy busy(m_pFilterRow);
    switch (message)
    {
    case HDM_INSERTITEMA:
    case HDM_INSERTITEMW:
    {
        row.SyncCount();
        LRESULT r = CWnd::WindowProc(message, wParam, lParam);
        if (r >= 0 && lParam != 0)
        {
            CString text;
            if (((const HDITEMA*)lParam)->mask & HDI_FILTER)
                text = FilterTextOf(message, (const void*)lParam);
            size_t at = (size_t)r < row.texts.size() ? (size_t)r : row.texts.size();
            row.texts.insert(row.texts.begin() + (ptrdiff_t)at, text);
            if (row.nEditItem >= (int)at)
                ++row.nEditItem;
        }
        return r;
    }
    case HDM_DELETEITEM:
    {
        row.SyncCount();
        LRESULT r = CWnd::WindowProc(message, wParam, lParam);
        if (r && (size_t)wParam < row.texts.size())
        {
            if (row.nEditItem == (int)wParam)
                row.EndEdit(false, false);
            else if (row.nEditItem > (int)wParam)
                --row.nEditItem;
            row.texts.erase(row.texts.begin() + (ptrdiff_t)wParam);
        }
        return r;
    }
    case HDM_SETITEMA:
    case HDM_SETITEMW:
    case HDM_GETITEMA:
    case HDM_GETITEMW:
    {
        if (lParam == 0)
            break;
        bool bSet = message == HDM_SETITEMA || message == HDM_SETITEMW;
        bool bWide = message == HDM_SETITEMW || message == HDM_GETITEMW;
        HDITEMA* pItem = (HDITEMA*)lParam;
        if (!(pItem->mask & HDI_FILTER))
            break;
        row.SyncCount();
        int nItem = (int)wParam;
        if (nItem < 0 || nItem >= (int)row.texts.size())
            return FALSE;
        UINT mask = pItem->mask;
        BOOL bOk = TRUE;
        if (mask & ~(UINT)HDI_FILTER)
        {
            pItem->mask = mask & ~(UINT)HDI_FILTER;
            bOk = (BOOL)CWnd::WindowProc(message, wParam, lParam);
            pItem->mask = mask;
        }
        if (bSet)
        {
            row.texts[(size_t)nItem] = FilterTextOf(message, pItem);
            if (row.nEditItem == nItem && row.hEdit != nullptr)
            {
                row.nEditItem = -1;
                ::SetWindowTextA(row.hEdit, row.texts[(size_t)nItem]);
                ::KillTimer(m_hWnd, kFilterTimer);
                row.nEditItem = nItem;
            }
            row.InvalidateRow();
            row.Notify(nItem);
        }
        else
        {
            const CString& text = row.texts[(size_t)nItem];
            if (bWide)
            {
                HDITEMW* p = (HDITEMW*)lParam;
                p->type = text.IsEmpty() ? (HDFT_ISSTRING | HDFT_HASNOVALUE) : HDFT_ISSTRING;
                HD_TEXTFILTERW* f = (HD_TEXTFILTERW*)p->pvFilter;
                if (f != nullptr && f->pszText != nullptr && f->cchTextMax > 0)
                {
                    int n = ::MultiByteToWideChar(CP_ACP, 0, text, -1, f->pszText, f->cchTextMax);
                    if (n == 0)
                        f->pszText[f->cchTextMax - 1] = 0;
                }
            }
            else
            {
                pItem->type = text.IsEmpty() ? (HDFT_ISSTRING | HDFT_HASNOVALUE) : HDFT_ISSTRING;
                HD_TEXTFILTERA* f = (HD_TEXTFILTERA*)pItem->pvFilter;
                if (f != nullptr && f->pszText != nullptr && f->cchTextMax > 0)
                    lstrcpynA(f->pszText, text, f->cchTextMax);
            }
        }
        return bOk;
    }
    case HDM_LAYOUT:
    {
        LRESULT r = CWnd::WindowProc(message, wParam, lParam);
        HDLAYOUT* pLayout = (HDLAYOUT*)lParam;
        if (r && pLayout != nullptr && pLayout->pwpos != nullptr && pLayout->prc != nullptr && row.Shown())
        {
            int h = pLayout->pwpos->cy;
            row.nRowHeight = h;
            pLayout->pwpos->cy = 2 * h;
            pLayout->prc->top += h;
        }
        return r;
    }
    case HDM_EDITFILTER:
        return row.StartEdit((int)wParam, LOWORD(lParam) != 0);
    case HDM_CLEARFILTER:
    {
        row.SyncCount();
        int nItem = (int)wParam;
        if (nItem != -1 && (nItem < 0 || nItem >= (int)row.texts.size()))
            return FALSE;
        for (int i = 0; i < (int)row.texts.size(); ++i)
        {
            if (nItem == -1 || i == nItem)
                row.texts[(size_t)i].Empty();
        }
        if (row.hEdit != nullptr && row.nEditItem >= 0 && (nItem == -1 || nItem == row.nEditItem))
        {
            int nEdit = row.nEditItem;
            row.nEditItem = -1;
            ::SetWindowTextA(row.hEdit, "");
            ::KillTimer(m_hWnd, kFilterTimer);
            row.nEditItem = nEdit;
        }
        row.InvalidateRow();
        row.Notify(nItem);
        return TRUE;
    }
    case HDM_SETFILTERCHANGETIMEOUT:
    {
        UINT nPrevious = row.nTimeout;
        row.nTimeout = (UINT)lParam;
        CWnd::WindowProc(message, wParam, lParam);
        return nPrevious;
    }
    case WM_PAINT:
        if (!row.Shown())
            break;
        if (wParam != 0)
        {
            row.Paint((HDC)wParam);
            return 0;
        }
        else
        {
            PAINTSTRUCT ps;
            HDC hdc = ::BeginPaint(m_hWnd, &ps);
            row.Paint(hdc);
            ::EndPaint(m_hWnd, &ps);
            return 0;
        }
    case WM_PRINTCLIENT:
        if (!row.Shown())
            break;
        row.Paint((HDC)wParam);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    {
        POINT pt = { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) };
        if (!row.Shown() || pt.y < row.RowHeight())
            break;
        row.Clicked(pt, message == WM_LBUTTONDBLCLK);
        return 0;
    }
    case WM_COMMAND:
        if (row.hEdit != nullptr && (HWND)lParam == row.hEdit)
        {
            if (HIWORD(wParam) == EN_CHANGE && row.nEditItem >= 0 && !row.bSettingEditText)
                ::SetTimer(m_hWnd, kFilterTimer, row.nTimeout, nullptr);
            return 0;
        }
        break;
    case WM_TIMER:
        if (wParam == kFilterTimer)
        {
            row.Commit();
            return 0;
        }
        break;
    case WM_DESTROY:
        row.bDestroying = true;
        ::KillTimer(m_hWnd, kFilterTimer);
        break;
    case WM_NCDESTROY:
    {
        ::KillTimer(m_hWnd, kFilterTimer);
        if (row.hEdit != nullptr)
            ::SetWindowLongPtrA(row.hEdit, GWLP_USERDATA, 0);
        row.bDead = true;        // freed when the outermost call on it returns
        row.pHeader = nullptr;
        m_pFilterRow = nullptr;
        return CWnd::WindowProc(message, wParam, lParam);
    }
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
