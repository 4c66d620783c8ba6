// The market watch's painting: one full repaint of a 40-row by 20-column market watch (18 host
// fields and two formula columns) whose owner paints every cell with the text the grid gives it,
// against a raw owner-drawn list view whose owner paints the same texts straight from the same
// host function; and a stream of quote updates over 10,000 instruments where only changed visible
// rows are redrawn, on both. One line per measurement.
#include "BenchClock.h"
#include "host/ControlBlock.h"
#include "market/MrktWatchListCtrl.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace
{
const int kFields = 18;
struct sQuote
{
    char bytes[512];
    double dValues[kFields];
};
std::vector<sQuote> g_quotes;
std::vector<sMWStruct> g_rows;
CMrktWatchListCtrl* g_pMarket = nullptr;

// The host's cell text: a field of the instrument, or a formula column through the grid.
int HostText(void* pRecord, int nColumnId, CString& csText)
{
    sMWStruct* pRow = static_cast<sMWStruct*>(pRecord);
    const sQuote& q = *reinterpret_cast<const sQuote*>(pRow->pInstrument);
    if (nColumnId >= 101)
        return g_pMarket != nullptr ? g_pMarket->GetCustomColumnText(pRow, nColumnId, csText) : 0;
    csText.Format("%.2f", q.dValues[nColumnId % kFields]);
    return 1;
}

// The shortest route for the same texts: the host's fields from the same function, the two
// formula columns computed directly.
void BaselineText(sMWStruct* pRow, int nColumn, CString& csText)
{
    const sQuote& q = *reinterpret_cast<const sQuote*>(pRow->pInstrument);
    if (nColumn < kFields)
        HostText(pRow, nColumn, csText);
    else if (nColumn == kFields)
        csText.Format("%.2f", q.dValues[5] - q.dValues[4]);
    else if (nColumn == kFields + 1)
        csText.Format("%.2f", q.dValues[3] * 100 / q.dValues[2]);
}
}  // namespace

extern "C" __declspec(dllexport) int MrktWatchGetColumnText(CWnd*, void* pRecord, int columnId, CString& text)
{
    return HostText(pRecord, columnId, text);
}

extern "C" __declspec(dllexport) int UserSettingMWColumns(int mode, CString, CString& value)
{
    if (mode != 0)
        return 1;
    value.Format("101%cSpread%c \"5\"-\"4\"%c %c102%cChg%%%c \"3\"*100/\"2\"%c ", '\xA7', '\xA7', '\xA7', '\xA7', '\xA7',
                 '\xA7', '\xA7');
    return 1;
}

// The grids save their layout when they close; this host keeps nothing.
extern "C" __declspec(dllexport) int UserSetting(int, CString, CString&, CString)
{
    return 1;
}

namespace
{
// The owner of either list: paints every cell of a row with its text.
class CPainter : public CWnd
{
public:
    bool m_bMarket = false;
    CListCtrl* m_pList = nullptr;
    long m_nCells = 0;
    afx_msg void OnDrawItem(int, LPDRAWITEMSTRUCT p)
    {
        CDC* pDC = CDC::FromHandle(p->hDC);
        pDC->FillSolidRect(&p->rcItem, RGB(0, 0, 0));
        pDC->SetTextColor(RGB(255, 255, 255));
        pDC->SetBkMode(TRANSPARENT);
        const int nColumns = m_pList->GetHeaderCtrl()->GetItemCount();
        CString csText;
        for (int c = 0; c < nColumns; ++c)
        {
            CRect rc;
            m_pList->GetSubItemRect((int)p->itemID, c, LVIR_BOUNDS, rc);
            sMWStruct* pRow = reinterpret_cast<sMWStruct*>(p->itemData);
            if (m_bMarket)
                csText = static_cast<CMrktWatchListCtrl*>(m_pList)->GetCellText(pRow, c);
            else
                BaselineText(pRow, c, csText);
            pDC->DrawText(csText, &rc, DT_SINGLELINE | DT_RIGHT | DT_VCENTER);
            ++m_nCells;
        }
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CPainter, CWnd)
    ON_WM_DRAWITEM()
END_MESSAGE_MAP()

void MakeQuotes(int n)
{
    g_quotes.assign((size_t)n, sQuote{});
    g_rows.resize((size_t)n);
    unsigned seed = 99;
    for (int i = 0; i < n; ++i)
    {
        for (int f = 0; f < kFields; ++f)
        {
            seed = seed * 1103515245u + 12345u;
            g_quotes[(size_t)i].dValues[f] = 100 + (seed >> 8) % 100000 / 100.0;
        }
        g_rows[(size_t)i] = { nullptr, g_quotes[(size_t)i].bytes };
    }
}

void Fill(CListCtrl& list, int nRows)
{
    // Rows go in while the list is hidden: a visible list view under Wine repaints on each insert.
    const bool bVisible = (list.GetStyle() & WS_VISIBLE) != 0;
    list.ShowWindow(SW_HIDE);
    list.SetRedraw(FALSE);
    for (int i = 0; i < nRows; ++i)
        list.InsertItem(LVIF_TEXT | LVIF_PARAM, i, LPSTR_TEXTCALLBACK, 0, 0, 0, (LPARAM)&g_rows[(size_t)i]);
    list.SetRedraw(TRUE);
    if (bVisible)
        list.ShowWindow(SW_SHOW);
}

double TimeRepaints(CListCtrl& list, int nTimes)
{
    const double t0 = BenchNow();
    for (int i = 0; i < nTimes; ++i)
    {
        list.Invalidate(FALSE);
        list.UpdateWindow();
    }
    return (BenchNow() - t0) / nTimes;
}

double TimeStream(CListCtrl& list, int nUpdates, int nRowsTotal)
{
    unsigned seed = 7;
    const double t0 = BenchNow();
    for (int u = 0; u < nUpdates; ++u)
    {
        seed = seed * 1103515245u + 12345u;
        const int nRow = (int)((seed >> 8) % (unsigned)nRowsTotal);
        g_quotes[(size_t)nRow].dValues[2] += 0.05;
        const int nTop = list.GetTopIndex();
        if (nRow >= nTop && nRow <= nTop + list.GetCountPerPage())
            list.RedrawItems(nRow, nRow);
        if (u % 100 == 99)
            list.UpdateWindow();   // a paint every hundred updates, as the message loop would
    }
    list.UpdateWindow();
    return (BenchNow() - t0) / nUpdates;
}

}  // namespace

int main()
{
    const int nRowsShown = 40;
    CWnd frame;
    frame.CreateEx(0, nullptr, "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1700, 1000, nullptr, nullptr);
    CPainter ourOwner, rawOwner;
    ourOwner.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, 0, 0, 1650, 900, frame.m_hWnd, nullptr);
    rawOwner.CreateEx(0, nullptr, "", WS_CHILD, 0, 0, 1650, 900, frame.m_hWnd, nullptr);

    for (int nCase = 0; nCase < 2; ++nCase)
    {
        const int nRows = nCase == 0 ? nRowsShown : 10000;
        MakeQuotes(nRows);
        CMrktWatchListCtrl market;
        g_pMarket = &market;
        CListCtrl raw;
        const DWORD dwStyle = WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED;
        market.Create(dwStyle, CRect(0, 0, 1640, 16 * nRowsShown + 40), &ourOwner, 1);
        raw.Create(dwStyle, CRect(0, 0, 1640, 16 * nRowsShown + 40), &rawOwner, 2);
        market.SetOwnerWnd(&ourOwner);
        ourOwner.m_bMarket = true;
        ourOwner.m_pList = &market;
        rawOwner.m_pList = &raw;
        for (int f = 0; f < kFields; ++f)
        {
            sOrvoColInfo info = {};
            snprintf(info.szColName, sizeof(info.szColName), "F%d", f);
            info.nWidth = 78;
            info.nFormat = LVCFMT_RIGHT;
            market.m_arrColInfo.Add(info);
            market.m_arrColPosition.Add(f);
            market.m_arrWidth.Add(78);
            raw.InsertColumn(f, info.szColName, LVCFMT_RIGHT, 78);
        }
        raw.InsertColumn(kFields, "Spread", LVCFMT_RIGHT, 78);
        raw.InsertColumn(kFields + 1, "Chg%", LVCFMT_RIGHT, 78);
        CMrktWatchListCtrl::s_nListsBuilt = 0;
        market.InsertColumnsForList();
        Fill(market, nRows);
        Fill(raw, nRows);

        if (nCase == 0)
        {
            // Each list is shown in turn so that both are painted in full.
            // 100 repaints on each side in five rounds whose order alternates; each side's
            // fastest round counts (the machine is shared).
            double dOurs = 1e300, dBase = 1e300;
            for (int round = 0; round < 5; ++round)
            {
                for (int side = 0; side < 2; ++side)
                {
                    const bool bOurs = (side == 0) == (round % 2 == 0);
                    ourOwner.ShowWindow(bOurs ? SW_SHOW : SW_HIDE);
                    rawOwner.ShowWindow(bOurs ? SW_HIDE : SW_SHOW);
                    CListCtrl& list = bOurs ? (CListCtrl&)market : raw;
                    TimeRepaints(list, 2);
                    const double d = TimeRepaints(list, 20);
                    double& best = bOurs ? dOurs : dBase;
                    best = d < best ? d : best;
                }
            }
            BenchReport("marketwatch_repaint_40x20", dOurs * 100, dBase * 100, 100);
            ourOwner.ShowWindow(SW_SHOW);
            rawOwner.ShowWindow(SW_HIDE);
        }
        else
        {
            // 100,000 updates on each side, in eight rounds whose order alternates; each side's
            // fastest round counts (the machine is shared).
            const int nUpdates = 100000;
            double dOurs = 1e300, dBase = 1e300;
            for (int round = 0; round < 8; ++round)
            {
                for (int side = 0; side < 2; ++side)
                {
                    const bool bOurs = (side == 0) == (round % 2 == 0);
                    ourOwner.ShowWindow(bOurs ? SW_SHOW : SW_HIDE);
                    rawOwner.ShowWindow(bOurs ? SW_HIDE : SW_SHOW);
                    // The list just shown is painted whole before the clock starts.
                    frame.RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
                    const double d = TimeStream(bOurs ? (CListCtrl&)market : raw, nUpdates / 8, nRows);
                    double& best = bOurs ? dOurs : dBase;
                    best = d < best ? d : best;
                }
            }
            char szExtra[64];
            snprintf(szExtra, sizeof(szExtra), " updates_per_second=%.0f", 1e9 / dOurs);
            BenchReport("marketwatch_stream_10000", dOurs * nUpdates, dBase * nUpdates, nUpdates, szExtra);
            ourOwner.ShowWindow(SW_SHOW);
            rawOwner.ShowWindow(SW_HIDE);
        }
        g_pMarket = nullptr;
        market.DestroyWindow();
        raw.DestroyWindow();
    }
    return 0;
}
