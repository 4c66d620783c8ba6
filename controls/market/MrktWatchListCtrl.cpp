// CMrktWatchListCtrl: the column set and layout, cell texts from the host, formula columns, colours
// and fonts, background and check box painting.
#include "market/MrktWatchListCtrl.h"

#include "filter/FormulaColumn.h"
#include "host/ControlBlock.h"
#include "host/ExtraColumns.h"
#include "lists/CommonListHooks.h"
#include "lists/CellHitTest.h"
#include "market/MarketWatchLayout.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

IMPLEMENT_DYNAMIC(CMrktWatchListCtrl, CCommonListCtrl)

int CMrktWatchListCtrl::s_nListsBuilt = 0;

BEGIN_MESSAGE_MAP(CMrktWatchListCtrl, CCommonListCtrl)
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CMrktWatchListCtrl::CMrktWatchListCtrl()
    : m_pFont(nullptr), m_clrText(::GetSysColor(COLOR_WINDOWTEXT)), m_clrBk(::GetSysColor(COLOR_WINDOW))
{
    m_bAutoSort = false;
    // The market watch keeps its user columns itself, not in the common profile.
    m_bGroupedList = true;
    // The user-defined column dialogs change the market watch built last.
    UserColumnTargetList() = this;
}

CMrktWatchListCtrl::~CMrktWatchListCtrl()
{
    delete m_pFont;
}

// --- columns -------------------------------------------------------------------------------------

void CMrktWatchListCtrl::InsertColumnsForList(int*)
{
    ReadAutoSort();
    InitializeAutoSort();

    // Ids between user columns that no column has (a gap left by a deletion): never shown.
    CArray<BYTE, BYTE> unused;
    CString csValue;
    if (CControlBlock::Get()->CallUserSettingMWColumns(0, "MarketWatch", csValue))
    {
        CArray<sMarketUserColumn, const sMarketUserColumn&> columns;
        ParseMarketUserColumns(csValue, columns);
        m_arrStoredHeading.RemoveAll();
        for (INT_PTR i = 0; i < columns.GetSize(); ++i)
        {
            const sMarketUserColumn& column = columns[i];
            // One host data slot per id, gaps included, so slot and id stay in step.
            while (s_nListsBuilt == 0 && iMrktInfoColCount < column.nId)
            {
                CControlBlock::Get()->CallAddExtraColumns(1, iNewDataArrCnt);
                ++iMrktInfoColCount;
                ++iNewDataArrCnt;
            }
            // Later lists find the ids the first one registered; ids beyond them are not in use.
            if (column.nId > iMrktInfoColCount)
                break;
            sOrvoColInfo info = {};
            strncpy(info.szColName, column.csHeading, sizeof(info.szColName) - 1);
            info.nWidth = MARKET_USER_COLUMN_WIDTH;
            info.nFormat = LVCFMT_RIGHT;
            info.nDataType = 7;
            info.csText1 = column.csText1;
            info.csText2 = column.csText2;
            if (m_arrColInfo.GetSize() <= column.nId)
                m_arrColInfo.SetSize(column.nId + 1);
            m_arrColInfo[column.nId] = info;
            if (column.csHeading.GetLength() > MARKET_MAX_HEADING)
                m_arrStoredHeading.SetAtGrow(column.nId, column.csHeading);
        }
        unused.SetSize(iMrktInfoColCount + 1);
        for (int id = MARKET_FIRST_USER_COLUMN; id <= iMrktInfoColCount; ++id)
            unused[id] = !IsUserColumn(id);
    }

    if (m_arrColPosition.IsEmpty())
        return;
    m_bColumnsBuilt = true;

    // Drop the column records of stale entries with their positions.
    if (m_arrColPosition.GetSize() - 1 > iMrktInfoColCount && m_arrColInfo.GetSize() > iMrktInfoColCount + 1)
        m_arrColInfo.SetSize(iMrktInfoColCount + 1);
    CArray<int, int> columnAtPosition;
    int nFirstColumn = -1;
    ResolveMarketLayout(m_arrColPosition, m_arrWidth, iMrktInfoColCount, columnAtPosition, nFirstColumn,
                        unused.IsEmpty() ? nullptr : &unused);
    if (nFirstColumn >= 0)
        m_nFirstVisibleColumn = nFirstColumn;
    if (m_arrColInfo.GetSize() < m_arrColPosition.GetSize())
        m_arrColInfo.SetSize(m_arrColPosition.GetSize());

    // The platform list repaints its header after every column it gets: with thousands of user
    // columns that alone takes minutes, so it draws once, at the end.
    const bool bVisible = (GetStyle() & WS_VISIBLE) != 0;
    if (bVisible)
        SetRedraw(FALSE);
    for (INT_PTR p = 0; p < columnAtPosition.GetSize(); ++p)
    {
        const int nId = columnAtPosition[p];
        const sOrvoColInfo& info = m_arrColInfo[nId];
        int nWidth = m_arrWidth[nId];
        if (nWidth == 0)
            nWidth = nId >= MARKET_FIRST_USER_COLUMN ? MARKET_USER_COLUMN_WIDTH : info.nWidth;
        CListCtrl::InsertColumn((int)p, info.szColName, info.nFormat, nWidth, nId);
    }
    if (bVisible)
    {
        SetRedraw(TRUE);
        Invalidate();
    }
    m_arrIdAtSubItem.Copy(columnAtPosition);
    m_bColumnIdsStale = false;
    m_arrVisibleColumns.RemoveAll();
    for (INT_PTR i = 0; i < m_arrColPosition.GetSize(); ++i)
    {
        if (m_arrColPosition[i] != -1)
            AddToVisibleArray({ m_arrColPosition[i], (int)i });
    }
    ++s_nListsBuilt;
}

int CMrktWatchListCtrl::InsertMrktColumn(int nCol, LPCTSTR lpszHeading, int nFormat, int, int nWidth, int nSubItem)
{
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    const int nItems = pHeader != nullptr ? pHeader->GetItemCount() : 0;
    const int nFormerSize = (int)m_arrColPosition.GetSize();
    m_arrColPosition.Add(nItems);
    m_arrWidth.Add(nWidth);
    AddToVisibleArray({ nCol, nFormerSize });
    const bool bIdsKnown = !m_bColumnIdsStale;
    const int nResult = CListCtrl::InsertColumn(nCol, lpszHeading, nFormat, nWidth, nSubItem);
    if (nResult >= 0 && bIdsKnown)
    {
        // The new list column shows the new id (which may have no record to name it by); the
        // ones after it move up.
        m_arrIdAtSubItem.InsertAt(std::min(nResult, (int)m_arrIdAtSubItem.GetSize()), nFormerSize);
        m_bColumnIdsStale = false;
    }
    return nResult;
}

bool CMrktWatchListCtrl::IsUserColumn(int nId) const
{
    if (nId < MARKET_FIRST_USER_COLUMN || nId >= m_arrColInfo.GetSize())
        return false;
    // A record with nothing in it is a gap between ids, not a column.
    const sOrvoColInfo& info = m_arrColInfo[nId];
    return info.szColName[0] != '\0' || !info.csText1.IsEmpty() || !info.csText2.IsEmpty();
}

int CMrktWatchListCtrl::ColumnIdAt(int nSubItem) const
{
    if (m_bColumnIdsStale)
        RebuildColumnIds();
    return nSubItem >= 0 && nSubItem < m_arrIdAtSubItem.GetSize() ? m_arrIdAtSubItem[nSubItem] : -1;
}

void CMrktWatchListCtrl::RebuildColumnIds() const
{
    m_bColumnIdsStale = false;
    m_arrIdAtSubItem.RemoveAll();
    CHeaderCtrl* pHeader = m_hWnd != nullptr ? const_cast<CMrktWatchListCtrl*>(this)->GetHeaderCtrl() : nullptr;
    const int nColumns = pHeader != nullptr ? pHeader->GetItemCount() : 0;
    if (nColumns <= 0)
        return;
    std::vector<int> order((size_t)nColumns);
    if (!::SendMessageA(m_hWnd, LVM_GETCOLUMNORDERARRAY, (WPARAM)nColumns, (LPARAM)order.data()))
    {
        for (int i = 0; i < nColumns; ++i)
            order[(size_t)i] = i;
    }
    std::vector<int> positionOf((size_t)nColumns, -1);
    for (int p = 0; p < nColumns; ++p)
    {
        if (order[(size_t)p] >= 0 && order[(size_t)p] < nColumns)
            positionOf[(size_t)order[(size_t)p]] = p;
    }
    std::unordered_map<std::string, std::vector<int>> idsByName;
    std::unordered_map<int, int> idAtPosition;
    for (INT_PTR c = 0; c < m_arrColInfo.GetSize(); ++c)
    {
        idsByName[m_arrColInfo[c].szColName].push_back((int)c);
        if (c < m_arrColPosition.GetSize() && m_arrColPosition[c] >= 0)
            idAtPosition.emplace(m_arrColPosition[c], (int)c);
    }
    std::vector<bool> taken((size_t)m_arrColInfo.GetSize(), false);
    m_arrIdAtSubItem.SetSize(nColumns);
    for (int s = 0; s < nColumns; ++s)
    {
        char szHeading[sizeof(m_arrColInfo[0].szColName) + 1] = "";
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT;
        column.pszText = szHeading;
        column.cchTextMax = (int)sizeof(szHeading);
        ::SendMessageA(m_hWnd, LVM_GETCOLUMNA, (WPARAM)s, (LPARAM)&column);
        const auto placed = idAtPosition.find(positionOf[(size_t)s]);
        const int nPlaced = placed != idAtPosition.end() ? placed->second : -1;
        int nId = -1;
        const auto named = idsByName.find(szHeading);
        if (named != idsByName.end())
        {
            for (int c : named->second)
            {
                if (c == nPlaced)
                    nId = c;
            }
            for (size_t i = 0; nId < 0 && i < named->second.size(); ++i)
            {
                if (!taken[(size_t)named->second[i]])
                    nId = named->second[i];
            }
            if (nId < 0)
                nId = named->second.front();
        }
        else
        {
            nId = nPlaced;
        }
        if (nId >= 0)
            taken[(size_t)nId] = true;
        m_arrIdAtSubItem[s] = nId;
    }
}

LRESULT CMrktWatchListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case LVM_INSERTCOLUMNA:
    case LVM_INSERTCOLUMNW:
    case LVM_DELETECOLUMN:
        m_bColumnIdsStale = true;
        break;
    case LVM_SETCOLUMNA:
    case LVM_SETCOLUMNW:
        // Only a new heading can change which field a column shows.
        if (lParam != 0 && (reinterpret_cast<const LVCOLUMNA*>(lParam)->mask & LVCF_TEXT))
            m_bColumnIdsStale = true;
        break;
    default:
        break;
    }
    return CCommonListCtrl::WindowProc(message, wParam, lParam);
}

void CMrktWatchListCtrl::SaveColumnProfile()
{
    CWnd* pParent = GetParent();
    CString csTitle;
    if (pParent != nullptr)
    {
        CWnd* pFrame = pParent->GetParentFrame();
        if (pFrame == nullptr)
            pFrame = pParent->GetTopLevelParent();
        if (pFrame != nullptr)
            pFrame->GetWindowText(csTitle);
    }
    SaveColumnProfile(csTitle);
}

BOOL CMrktWatchListCtrl::ReadColumnProfile(CString csProfileName)
{
    for (const CString& csSection : { MarketWatchProfileSection(csProfileName), MarketWatchLegacyProfileSection(csProfileName) })
    {
        CString csProfile;
        if (!CControlBlock::Get()->CallUserSetting(0, csSection, csProfile, "COLUMNPROFILE"))
            continue;
        CArray<int, int> positions, widths;
        ParseMarketColumnProfile(csProfile, positions, widths);
        bool bShown = false;
        for (INT_PTR i = 0; i < positions.GetSize() && !bShown; ++i)
            bShown = positions[i] >= 0;
        if (!bShown)
        {
            // An empty grid is no layout: the host's defaults instead.
            if (!positions.IsEmpty())
                CControlBlock::Get()->Log("Market watch layout " + csSection + " shows no column; not used: \"" +
                                          CControlBlock::LogExcerpt(csProfile) + "\"");
            continue;
        }
        m_arrColPosition.Copy(positions);
        m_arrWidth.Copy(widths);
        return TRUE;
    }
    return FALSE;
}

void CMrktWatchListCtrl::SaveColumnProfile(CString csProfileName)
{
    // Without a layout of its own (never built, or built from none) there is nothing to store,
    // and an all-hidden layout stored now would come back as an empty grid.
    if (!m_bColumnsBuilt)
        return;
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    const int nItems = pHeader != nullptr ? pHeader->GetItemCount() : 0;
    std::vector<int> order((size_t)(nItems > 0 ? nItems : 1));
    if (nItems > 0 && !pHeader->GetOrderArray(order.data(), nItems))
    {
        for (int i = 0; i < nItems; ++i)
            order[(size_t)i] = i;
    }

    // Each column's place in the order array and each heading's width, found in one pass each
    // (a watch may hold thousands of user columns; a search per column would be quadratic).
    std::vector<int> orderOfPosition((size_t)(nItems > 0 ? nItems : 1), -1);
    for (int o = nItems - 1; o >= 0; --o)
    {
        if (order[(size_t)o] >= 0 && order[(size_t)o] < nItems)
            orderOfPosition[(size_t)order[(size_t)o]] = o;
    }
    std::unordered_map<std::string, int> widthOfHeading;
    for (int h = 0; h < nItems; ++h)
    {
        char szText[128] = "";
        HDITEMA item = {};
        item.mask = HDI_TEXT | HDI_WIDTH;
        item.pszText = szText;
        item.cchTextMax = sizeof(szText);
        pHeader->GetItem(h, &item);
        widthOfHeading.emplace(szText, item.cxy);   // the first column of a heading wins
    }

    CArray<sMarketProfileEntry, const sMarketProfileEntry&> entries;
    CArray<sMarketUserColumn, const sMarketUserColumn&> userColumns;
    for (INT_PTR i = 0; i < m_arrColInfo.GetSize(); ++i)
    {
        const sOrvoColInfo& info = m_arrColInfo[i];
        sMarketProfileEntry entry = { -1, 0 };
        const int p = i < m_arrColPosition.GetSize() ? m_arrColPosition[i] : -1;
        if (p >= 0 && p < nItems)
            entry.nOrder = orderOfPosition[(size_t)p];
        if (info.szColName[0] != '\0')
        {
            auto found = widthOfHeading.find(info.szColName);
            if (found != widthOfHeading.end())
                entry.nWidth = found->second;
        }
        entries.Add(entry);
        if (i >= MARKET_FIRST_USER_COLUMN && IsUserColumn((int)i))
        {
            CString csHeading = info.szColName;
            if (i < m_arrStoredHeading.GetSize() && m_arrStoredHeading[i].Left(MARKET_MAX_HEADING) == csHeading)
                csHeading = m_arrStoredHeading[i];
            userColumns.Add({ (int)i, csHeading, info.csText2, info.csText1 });
        }
    }

    CString csProfile = FormatMarketColumnProfile(entries);
    if (!CControlBlock::Get()->CallUserSetting(1, MarketWatchProfileSection(csProfileName), csProfile, "COLUMNPROFILE"))
        AfxMessageBox("Error while saving column profile", MB_OK);

    // A column that cannot be stored is left out alone and named; every other one is written.
    CString csColumns;
    CArray<CString, const CString&> refused;
    const BOOL bAll = FormatMarketUserColumns(userColumns, csColumns, &refused);
    CControlBlock::Get()->CallUserSettingMWColumns(1, "MarketWatch", csColumns);
    if (!bAll)
    {
        CString csText = "Error while saving column profile";
        for (INT_PTR i = 0; i < refused.GetSize(); ++i)
            csText += (i == 0 ? ": these user columns cannot be stored: " : ", ") + refused[i];
        AfxMessageBox(csText, MB_OK);
    }
}

// --- cells ---------------------------------------------------------------------------------------

const sMWStruct* CMrktWatchListCtrl::RecordOf(int nItem)
{
    if (nItem < 0 || nItem >= CListCtrl::GetItemCount())
        return nullptr;
    return reinterpret_cast<const sMWStruct*>(GetItemData(nItem));
}

CString CMrktWatchListCtrl::GetItemText(int nItem, int nSubItem)
{
    return GetCellText(RecordOf(nItem), nSubItem);
}

CString CMrktWatchListCtrl::GetCellText(const sMWStruct* pRecord, int nSubItem)
{
    if (pRecord == nullptr || pRecord->pInstrument == nullptr)
        return CString();
    const int nId = ColumnIdAt(nSubItem);
    if (nId < 0)
        return CString();
    CString csText;
    CControlBlock::Get()->CallMrktWatchGetColumnText(GetParent(), const_cast<sMWStruct*>(pRecord), nId, csText);
    return csText;
}

CString CMrktWatchListCtrl::GetTradingSymbolOrSymbol(int bTrading, int nItem)
{
    const sMWStruct* pRecord = RecordOf(nItem);
    if (pRecord == nullptr || pRecord->pInstrument == nullptr)
        return CString();
    const char* pszText = pRecord->pInstrument + (bTrading ? MW_TRADING_SYMBOL_OFFSET : MW_SYMBOL_OFFSET);
    // The host's fields are NUL-terminated; a symbol is never longer than this.
    return CString(pszText, (int)strnlen(pszText, 255));
}

namespace
{
// The market watch's view of one row for the formula cell algorithm.
class CMarketCellSource : public CFormulaCellSource
{
public:
    CMarketCellSource(CMrktWatchListCtrl& list, sMWStruct* pRecord) : m_list(list), m_pRecord(pRecord) {}
    int GetColumnCount() const override { return (int)m_list.m_arrColInfo.GetSize(); }
    BOOL IsFormulaColumn(int nColumn) const override
    {
        return m_list.IsUserColumn(nColumn);
    }
    LPCTSTR GetStoredFormula(int nColumn) const override { return m_list.m_arrColInfo[nColumn].csText2; }
    BOOL GetColumnText(int nColumn, CString& strText) override
    {
        return CControlBlock::Get()->CallMrktWatchGetColumnText(m_list.GetParent(), m_pRecord, nColumn, strText) != 0;
    }
    void ReportError(LPCTSTR pszMessage) override { AfxMessageBox(pszMessage); }

private:
    CMrktWatchListCtrl& m_list;
    sMWStruct* m_pRecord;
};
}  // namespace

int CMrktWatchListCtrl::GetCustomColumnText(sMWStruct* pRecord, int nColumnId, CString& csText)
{
    if (nColumnId < MARKET_FIRST_USER_COLUMN)
        return 1;
    if (!IsUserColumn(nColumnId))
        return 0;   // no such column
    CMarketCellSource source(*this, pRecord);
    return GetFormulaCellText(source, nColumnId, csText);
}

// --- look ----------------------------------------------------------------------------------------

void CMrktWatchListCtrl::SetBkColor(COLORREF clr)
{
    m_clrBk = clr;
    CListCtrl::SetBkColor(clr);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CMrktWatchListCtrl::SetTextColor(COLORREF clr)
{
    m_clrText = clr;
    CListCtrl::SetTextColor(clr);
    RedrawItems(0, CListCtrl::GetItemCount());
}

void CMrktWatchListCtrl::SetBkColorFromDlg()
{
    CColorDialog dlg(m_clrBk, 0, this);
    if (dlg.DoModal() == IDOK)
        SetBkColor(dlg.GetColor());
}

void CMrktWatchListCtrl::SetTxtColorFromDlg()
{
    CColorDialog dlg(m_clrText, 0, this);
    if (dlg.DoModal() == IDOK)
        SetTextColor(dlg.GetColor());
}

void CMrktWatchListCtrl::UseOwnedFont(CFont* pFont)
{
    CFont* pOld = m_pFont;
    m_pFont = pFont;
    SetFont(m_pFont, TRUE);
    delete pOld;   // only ever a font this list made
}

void CMrktWatchListCtrl::ShowFontDlg()
{
    LOGFONT lf = {};
    if (CFont* pCurrent = GetFont())
        pCurrent->GetLogFont(&lf);
    CFontDialog dlg(&lf, CF_SCREENFONTS | CF_EFFECTS, nullptr, this);
    if (dlg.DoModal() != IDOK)
        return;
    dlg.GetCurrentFont(&lf);
    CFont* pFont = new CFont;
    if (!pFont->CreateFontIndirect(&lf))
    {
        delete pFont;
        return;
    }
    UseOwnedFont(pFont);
}

void CMrktWatchListCtrl::SetListFont(CString csFaceName, CString csSize, eFontStyle eStyle)
{
    if (csFaceName.IsEmpty() || csSize.IsEmpty())
        return;
    LOGFONT lf = {};
    if (CFont* pCurrent = GetFont())
        pCurrent->GetLogFont(&lf);
    strncpy(lf.lfFaceName, csFaceName, 31);
    lf.lfFaceName[31] = '\0';
    CClientDC dc(nullptr);
    lf.lfHeight = -::MulDiv(atoi(csSize), dc.GetDeviceCaps(LOGPIXELSY), 72);
    lf.lfWeight = (eStyle == FONT_STYLE_BOLD || eStyle == FONT_STYLE_BOLD_ITALIC) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (eStyle == FONT_STYLE_ITALIC || eStyle == FONT_STYLE_BOLD_ITALIC) ? TRUE : FALSE;
    CFont* pFont = new CFont;
    if (!pFont->CreateFontIndirect(&lf))
    {
        delete pFont;
        return;
    }
    UseOwnedFont(pFont);
}

BOOL CMrktWatchListCtrl::HitTestEx(CPoint point, int* pRow, int* pColumn) const
{
    return HitTestReportCell(*this, point, pRow, pColumn);
}

void CMrktWatchListCtrl::DrawCheckbox(int, int, CDC* pDC, COLORREF, COLORREF, CRect rcCell, CListCtrl*, int bTick)
{
    if (pDC == nullptr)
        return;
    // A square standing on the cell's bottom, 4 pixels in from its left edge.
    CRect rcBox;
    rcBox.left = rcCell.left + 4;
    rcBox.bottom = rcCell.bottom - 1;
    rcBox.top = rcCell.top;
    rcBox.right = rcBox.left + rcBox.Height();
    pDC->FillSolidRect(rcBox, RGB(255, 255, 255));
    CRect rcEdge = rcBox;
    rcEdge.OffsetRect(1, 0);
    pDC->DrawEdge(rcEdge, EDGE_SUNKEN, BF_RECT);
    if (bTick != 1)
        return;
    CPen pen(PS_SOLID, 1, RGB(0, 155, 19));
    CPen* pOld = pDC->SelectObject(&pen);
    int x = rcBox.left + 9;
    int y = rcBox.top + 3;
    for (int i = 0; i < 7; ++i)
    {
        pDC->MoveTo(x, y);
        pDC->LineTo(x, y + 3);
        --x;
        y += i < 3 ? 1 : -1;   // down for the first strokes, up for the last three
    }
    pDC->SelectObject(pOld);
}

// --- painting and messages -----------------------------------------------------------------------

BOOL CMrktWatchListCtrl::OnEraseBkgnd(CDC* pDC)
{
    if (pDC == nullptr)
        return FALSE;
    CRect rcClip;
    const int nCount = CListCtrl::GetItemCount();
    if (nCount == 0 || pDC->GetClipBox(&rcClip) == NULLREGION || rcClip.IsRectEmpty())
        return CCommonListCtrl::OnEraseBkgnd(pDC);
    const int nFirst = GetTopIndex();
    int nLast = nFirst + GetCountPerPage();
    if (nLast > nCount - 1)
        nLast = nCount - 1;
    CRect rcFirst, rcLast;
    GetItemRect(nFirst, &rcFirst, LVIR_BOUNDS);
    GetItemRect(nLast, &rcLast, LVIR_BOUNDS);
    // Above the first row, below the last, and right of the rows between those two lines.
    if (rcFirst.top > rcClip.top)
        pDC->FillSolidRect(CRect(rcClip.left, rcClip.top, rcClip.right, rcFirst.top), m_clrBk);
    if (rcLast.bottom < rcClip.bottom)
        pDC->FillSolidRect(CRect(rcClip.left, rcLast.bottom, rcClip.right, rcClip.bottom), m_clrBk);
    if (rcFirst.right < rcClip.right)
        pDC->FillSolidRect(CRect(rcFirst.right, rcFirst.top, rcClip.right, rcLast.bottom), m_clrBk);
    return TRUE;
}

void CMrktWatchListCtrl::OnSize(UINT nType, int cx, int cy)
{
    GetClientRect(&m_rcClient);
    CCommonListCtrl::OnSize(nType, cx, cy);
}

void CMrktWatchListCtrl::OnDestroy()
{
    CCommonListCtrl::OnDestroy();
}
