// Painting one screen of a filter list during a quote stream, against the platform's own
// owner-data list view drawing the same texts, in one run:
//   ours:     a filter list of 40 shown rows x 20 columns, owner-drawn, 4 of the columns with
//             trend marks (background), alternate row colours;
//   baseline: a plain owner-data list view of the same size whose parent answers the cell texts
//             (LVN_GETDISPINFO) with the same formatting of the same values.
// Each frame changes 40 random values (so marks come and go) and repaints the whole list
// synchronously. One line per measurement, plus the frames per second of each side.
// A second line: the same list with one decimal cell holding a 1 MB number, against the same list
// with an ordinary number in that cell (what a cell costs must not grow with its text).
#include "BenchClock.h"
#include "BenchRounds.h"
#include "filter/FilterListCtrl.h"

#include <cstdio>
#include <string>
#include <vector>

namespace
{
const int kRows = 40;
const int kColumns = 20;
const int kTrendColumns[] = { 2, 5, 9, 14 };

CBenchRandom g_random(2024);
int Next(int nRange) { return g_random.Next(nRange); }

double g_values[kRows][kColumns];
long long g_nTexts = 0;
// While set, row 0's column 1 holds this text.
const CString* g_pHugeCell = nullptr;

void FormatCell(int nRow, int nColumn, CString& text)
{
    if (nColumn == 0)
        text.Format("SYM%04d", nRow);
    else
        text.Format("%.2f", g_values[nRow][nColumn]);
}

int ColumnText(ULONGLONG dwItemData, int nColumn, CString& text, unsigned long&, unsigned long&, int&)
{
    ++g_nTexts;
    if (g_pHugeCell != nullptr && dwItemData == 1 && nColumn == 1)
        text = *g_pHugeCell;
    else
        FormatCell((int)dwItemData - 1, nColumn, text);
    return 1;
}

// The baseline's parent: answers the platform list's text requests.
class CPlainHost : public CWnd
{
public:
    afx_msg void OnGetDispInfoA(NMHDR* pNMHDR, LRESULT* pResult)
    {
        NMLVDISPINFOA* pInfo = reinterpret_cast<NMLVDISPINFOA*>(pNMHDR);
        if ((pInfo->item.mask & LVIF_TEXT) && pInfo->item.pszText != nullptr && pInfo->item.cchTextMax > 0)
        {
            ++g_nTexts;
            FormatCell(pInfo->item.iItem, pInfo->item.iSubItem, m_text);
            lstrcpynA(pInfo->item.pszText, m_text, pInfo->item.cchTextMax);
        }
        *pResult = 0;
    }
    afx_msg void OnGetDispInfoW(NMHDR* pNMHDR, LRESULT* pResult)
    {
        NMLVDISPINFOW* pInfo = reinterpret_cast<NMLVDISPINFOW*>(pNMHDR);
        if ((pInfo->item.mask & LVIF_TEXT) && pInfo->item.pszText != nullptr && pInfo->item.cchTextMax > 0)
        {
            ++g_nTexts;
            FormatCell(pInfo->item.iItem, pInfo->item.iSubItem, m_text);
            ::MultiByteToWideChar(CP_ACP, 0, m_text, -1, pInfo->item.pszText, pInfo->item.cchTextMax);
        }
        *pResult = 0;
    }
    CString m_text;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPlainHost, CWnd)
    ON_NOTIFY(LVN_GETDISPINFOA, 200, OnGetDispInfoA)
    ON_NOTIFY(LVN_GETDISPINFOW, 200, OnGetDispInfoW)
END_MESSAGE_MAP()

void Stream()
{
    for (int i = 0; i < kRows; ++i)
    {
        int r = Next(kRows);
        int c = 1 + Next(kColumns - 1);
        g_values[r][c] *= 0.98 + (double)Next(41) / 1000.0;
    }
}

double Frame(CWnd& list)
{
    Stream();
    double t = BenchNow();
    list.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return BenchNow() - t;
}
}  // namespace

int main()
{
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES };
    ::InitCommonControlsEx(&icc);
    CRecordingModalScript script;
    AfxSetModalScript(&script);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c)
            g_values[r][c] = 100.0 + (double)Next(100000) / 100.0;

    // Both lists get the same client area: 20 columns of 48 pixels (inside the screen, so every
    // column is drawn), 40 rows and the header.
    const int nWidth = kColumns * 48 + 8;
    const int nHeight = 760;
    CWnd frame;
    frame.CreateEx(0, AfxRegisterWndClass(0), "bench", WS_POPUP, 0, 0, nWidth, nHeight, nullptr, nullptr);
    CFilterListCtrl list;
    list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_OWNERDRAWFIXED, CRect(0, 0, nWidth, nHeight),
                &frame, 100);
    for (int c = 0; c < kColumns; ++c)
    {
        sOrvoColInfo info = {};
        snprintf(info.szColName, sizeof(info.szColName), "Col%d", c);
        info.nWidth = 48;
        info.nFormat = c == 0 ? LVCFMT_LEFT : LVCFMT_RIGHT;
        info.nDataType = c == 0 ? 3 : 1;
        list.m_arrColInfo.Add(info);
    }
    list.InitColumnTextRtn(&ColumnText);
    list.InsertColumnsForList();
    list.SetUseFilter(TRUE);
    list.m_bAlternateRowColors = 1;
    for (int r = 0; r < kRows; ++r)
    {
        list.InsertItem(0, "", 0);
        list.SetItemData(0, (DWORD_PTR)(r + 1));
    }
    CArray<int, int> trends;
    for (int c : kTrendColumns)
        trends.Add(c);
    list.m_nTrendInterval = 500;
    list.SetTrendColumns(&trends);

    CPlainHost host;
    host.CreateEx(0, AfxRegisterWndClass(0), "baseline", WS_POPUP, 0, 0, nWidth, nHeight, nullptr, nullptr);
    CListCtrl plain;
    plain.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, CRect(0, 0, nWidth, nHeight), &host, 200);
    for (int c = 0; c < kColumns; ++c)
    {
        char name[16];
        snprintf(name, sizeof(name), "Col%d", c);
        plain.InsertColumn(c, name, c == 0 ? LVCFMT_LEFT : LVCFMT_RIGHT, 48);
    }
    plain.SetItemCountEx(kRows, 0);
    plain.SetFont(list.GetFont());

    frame.ShowWindow(SW_SHOWNOACTIVATE);
    host.ShowWindow(SW_SHOWNOACTIVATE);
    AfxPumpPendingMessages();
    printf("bench filterlist_paint rows_per_page ours=%d baseline=%d\n", list.GetCountPerPage(), plain.GetCountPerPage());

    // Warm-up, and a check that both sides draw every cell of the page each frame.
    Frame(list);
    g_nTexts = 0;
    Frame(list);
    long long nOursTexts = g_nTexts;
    g_nTexts = 0;
    Frame(plain);
    Frame(plain);
    g_nTexts = 0;
    Frame(plain);
    printf("bench filterlist_paint texts_per_frame ours=%lld baseline=%lld\n", nOursTexts, g_nTexts);

    // Rounds alternate the order; each side's fastest round is kept (the machine is shared).
    const int nFrames = 30;
    double best = 1e300, bestBase = 1e300;
    for (int round = 0; round < 9; ++round)
    {
        auto run = [&](CWnd& target) {
            double total = 0;
            for (int f = 0; f < nFrames; ++f)
                total += Frame(target);
            return total;
        };
        BenchRound(round, [&] { return run(list); }, [&] { return run(plain); }, best, bestBase);
        AfxPumpPendingMessages();
    }
    char fps[96];
    snprintf(fps, sizeof(fps), " fps_ours=%.1f fps_baseline=%.1f", 1e9 * nFrames / best, 1e9 * nFrames / bestBase);
    BenchReport("filterlist_paint_40x20_4trends", best, bestBase, nFrames, fps);
    fflush(stdout);

    // One cell with a 1 MB number (grouped: a decimal column), against an ordinary number there.
    list.m_arrColInfo[1].nDataType = 2;
    const CString csHuge(std::string(1 << 20, '7').c_str());
    const int nHugeFrames = 5;
    double bestHuge = 1e300, bestPlainCell = 1e300;
    for (int round = 0; round < 5; ++round)
    {
        auto run = [&](const CString* pCell) {
            g_pHugeCell = pCell;
            double total = 0;
            for (int f = 0; f < nHugeFrames; ++f)
                total += Frame(list);
            g_pHugeCell = nullptr;
            return total;
        };
        double dHuge, dPlainCell;
        if (round % 2)
        {
            dPlainCell = run(nullptr);
            dHuge = run(&csHuge);
        }
        else
        {
            dHuge = run(&csHuge);
            dPlainCell = run(nullptr);
        }
        bestHuge = dHuge < bestHuge ? dHuge : bestHuge;
        bestPlainCell = dPlainCell < bestPlainCell ? dPlainCell : bestPlainCell;
        AfxPumpPendingMessages();
    }
    BenchReport("filterlist_paint_1mb_number_cell", bestHuge, bestPlainCell, nHugeFrames);
    list.DestroyWindow();
    plain.DestroyWindow();
    frame.DestroyWindow();
    host.DestroyWindow();
    return 0;
}
