// CCommonListCtrl: tooltips over header columns (one tool per header position, id position + 1,
// on the header window) and over rows (one tool at a time on the list, id row + 1, following the
// mouse; its text comes from the parent's row tooltip provider when the tooltip asks for it).
#include "lists/CommonListCtrl.h"

#include <cstring>
#include <vector>

namespace
{
// The text cut to the tooltip limit, without splitting a double-byte character.
CString CutTipText(const CString& text)
{
    if (text.GetLength() <= LIST_TIP_TEXT_MAX)
        return text;
    int n = 0;
    const char* p = text;
    while (n < LIST_TIP_TEXT_MAX)
    {
        int step = ::IsDBCSLeadByte((BYTE)p[n]) && p[n + 1] != 0 ? 2 : 1;
        if (n + step > LIST_TIP_TEXT_MAX)
            break;
        n += step;
    }
    return text.Left(n);
}
// A column's tool rectangle in header coordinates: the widths of the columns shown before it, its
// own width, the header's height. Built from the widths because the header lays its items out
// again only after it has told its parent of a change.
CRect HeaderToolRect(CHeaderCtrl* pHeader, int nPosition)
{
    int nCount = pHeader->GetItemCount();
    std::vector<int> order((size_t)(nCount > 0 ? nCount : 0));
    if (nCount <= 0 || !pHeader->GetOrderArray(order.data(), nCount))
        for (int i = 0; i < nCount; ++i)
            order[(size_t)i] = i;
    auto width = [&](int nItem) {
        HDITEMA item = {};
        item.mask = HDI_WIDTH;
        pHeader->GetItem(nItem, &item);
        return item.cxy;
    };
    int x = 0;
    for (int o = 0; o < nCount && order[(size_t)o] != nPosition; ++o)
        x += width(order[(size_t)o]);
    CRect client;
    pHeader->GetClientRect(&client);
    return CRect(x, 0, x + width(nPosition), client.Height());
}
}  // namespace

bool CCommonListCtrl::EnsureToolTip()
{
    if (m_ToolTip.GetSafeHwnd() != nullptr)
        return true;
    if (m_hWnd == nullptr || !m_ToolTip.Create(this, TTS_ALWAYSTIP | TTS_NOPREFIX))
        return false;
    // Long texts wrap instead of running off the screen.
    m_ToolTip.SetMaxTipWidth(400);
    m_ToolTip.Activate(TRUE);
    return true;
}

int CCommonListCtrl::AddHeaderToolTip(int nPosition, LPCTSTR lpszText)
{
    if (m_hWnd == nullptr || (GetStyle() & LVS_TYPEMASK) != LVS_REPORT)
        return 0;
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    int nCount = pHeader != nullptr ? pHeader->GetItemCount() : 0;
    if (nPosition < 0 || nPosition >= nCount || !EnsureToolTip())
        return 0;
    if (m_arrHeaderTips.size() < (size_t)nCount)
        m_arrHeaderTips.resize((size_t)nCount);
    m_arrHeaderTips[(size_t)nPosition] = lpszText != nullptr ? CutTipText(lpszText) : CString();
    AddHeaderTool(nPosition);
    return 1;
}

// (Re)installs the tool of one header position with its text and the column's rectangle.
void CCommonListCtrl::AddHeaderTool(int nPosition)
{
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (pHeader == nullptr || m_ToolTip.GetSafeHwnd() == nullptr)
        return;
    CString text = (size_t)nPosition < m_arrHeaderTips.size() ? m_arrHeaderTips[(size_t)nPosition] : CString();
    if (text.IsEmpty())
    {
        char szName[LIST_HEADER_TIP_MAX + 1] = "";
        HDITEMA item = {};
        item.mask = HDI_TEXT;
        item.pszText = szName;
        item.cchTextMax = (int)sizeof(szName);
        pHeader->GetItem(nPosition, &item);
        text = szName;
    }
    CRect rc = HeaderToolRect(pHeader, nPosition);
    m_ToolTip.DelTool(pHeader, (UINT_PTR)nPosition + 1);
    m_ToolTip.AddTool(pHeader, text, &rc, (UINT_PTR)nPosition + 1);
}

// Header tools from nFrom on follow a column inserted or deleted before them.
void CCommonListCtrl::RenumberHeaderTools(int nFrom)
{
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (pHeader == nullptr || m_ToolTip.GetSafeHwnd() == nullptr)
        return;
    int nCount = pHeader->GetItemCount();
    // Tools of positions that no longer exist go; those that remain take their new column.
    for (int id = nCount + 1; id <= (int)m_arrHeaderTips.size() + 1; ++id)
        m_ToolTip.DelTool(pHeader, (UINT_PTR)id);
    m_arrHeaderTips.resize((size_t)nCount);
    for (int p = nFrom < 0 ? 0 : nFrom; p < nCount; ++p)
        AddHeaderTool(p);
}

void CCommonListCtrl::RepositionHeaderToolTips()
{
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (pHeader == nullptr || m_ToolTip.GetSafeHwnd() == nullptr)
        return;
    int nCount = pHeader->GetItemCount();
    for (int p = 0; p < nCount && (size_t)p < m_arrHeaderTips.size(); ++p)
    {
        CRect rc = HeaderToolRect(pHeader, p);
        m_ToolTip.SetToolRect(pHeader, (UINT_PTR)p + 1, &rc);
    }
}

LRESULT CCommonListCtrl::OnResetColumnWidth(WPARAM wParam, LPARAM lParam)
{
    // Setting the width again makes the list lay out the moved column (and the tools follow).
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (pHeader != nullptr && (int)wParam >= 0 && (int)wParam < pHeader->GetItemCount())
        SetColumnWidth((int)wParam, (int)lParam);
    return 0;
}

// --- rows ----------------------------------------------------------------------------------------

INT_PTR CCommonListCtrl::OnToolHitTest(CPoint point, TTTOOLINFOA* pTI) const
{
    if (m_pfnGetRowToolTip == nullptr || m_hWnd == nullptr)
        return -1;
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point))
        return -1;
    int nCount = GetItemCount();
    int nTop = GetTopIndex();
    if (nTop < 0)
        nTop = 0;
    int nEnd = nTop + GetCountPerPage();
    if (nEnd >= nCount)
        nEnd = nCount - 1;
    for (int r = nTop; r <= nEnd; ++r)
    {
        CRect rc;
        if (!GetItemRect(r, &rc, LVIR_BOUNDS) || !rc.PtInRect(point))
            continue;
        if (pTI != nullptr)
        {
            pTI->hwnd = m_hWnd;
            pTI->uId = (UINT_PTR)r + 1;
            pTI->rect = rc;
            pTI->lpszText = LPSTR_TEXTCALLBACKA;
        }
        return r + 1;
    }
    return -1;
}

void CCommonListCtrl::UpdateRowToolTip(CPoint point)
{
    if (m_pfnGetRowToolTip == nullptr)
        return;
    TTTOOLINFOA ti = {};
    INT_PTR nId = OnToolHitTest(point, &ti);
    UINT_PTR nTool = nId > 0 ? (UINT_PTR)nId : 0;
    if (nTool == m_nRowTool)
        return;
    if (!EnsureToolTip())
        return;
    if (m_nRowTool != 0)
        m_ToolTip.DelTool(this, m_nRowTool);
    m_nRowTool = nTool;
    if (nTool == 0)
        return;
    m_ToolTip.AddTool(this, LPSTR_TEXTCALLBACKA, &ti.rect, nTool);
    // The tooltip did not see this move over its new tool yet.
    MSG msg = {};
    msg.hwnd = m_hWnd;
    msg.message = WM_MOUSEMOVE;
    msg.lParam = MAKELPARAM(point.x, point.y);
    m_ToolTip.RelayEvent(&msg);
}

BOOL CCommonListCtrl::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const bool bWide = pNMHDR->code == TTN_NEEDTEXTW;
    NMTTDISPINFOA* pA = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
    NMTTDISPINFOW* pW = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
    static char s_szNone[1] = "";
    static WCHAR s_wszNone[1] = L"";
    if (bWide)
        pW->lpszText = s_wszNone;
    else
        pA->lpszText = s_szNone;
    int nRow = (int)pNMHDR->idFrom - 1;
    CWnd* pParent = GetParent();
    if (m_pfnGetRowToolTip == nullptr || pParent == nullptr || nRow < 0 || nRow >= GetItemCount())
        return TRUE;

    CString text;
    HWND hWnd = m_hWnd;
    int nSupplied = (pParent->*m_pfnGetRowToolTip)(nRow, text, this);
    // The provider may have destroyed the list (or its object): nothing of it is touched then.
    if (!IsLiveList(this) || !::IsWindow(hWnd) || m_hWnd != hWnd || nSupplied == 0)
        return TRUE;
    text = CutTipText(CString((LPCTSTR)text));   // up to the first NUL, at most the limit
    if (bWide)
    {
        int n = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
        if (n <= 0)
            return TRUE;
        delete[] m_pwchToolTip;
        m_pwchToolTip = new WCHAR[(size_t)n];
        ::MultiByteToWideChar(CP_ACP, 0, text, -1, m_pwchToolTip, n);
        pW->lpszText = m_pwchToolTip;
    }
    else
    {
        delete[] m_pchToolTip;
        m_pchToolTip = new char[(size_t)text.GetLength() + 1];
        memcpy(m_pchToolTip, (LPCTSTR)text, (size_t)text.GetLength() + 1);
        pA->lpszText = m_pchToolTip;
    }
    return TRUE;
}
