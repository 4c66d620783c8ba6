// The category list's costs that grow with the grid, against the shortest route doing the same
// work, in one run:
//   tab_walk:   Tab in owner-decides mode over a grid whose parent answers "no editor" for every
//               cell: one request per cell around the whole grid; baseline: the same number of
//               requests sent by a plain loop to the same parent.
//   edit_guard: a quote stream (40 rows re-filtered and the page repainted) with a text editor
//               open, which checks after every message that its row still holds its record;
//               baseline: the same stream in the same list with no editor open.
#include "BenchClock.h"
#include "editors/InPlaceEdit.h"
#include "market/CategoryListCtrl.h"

#include <cstdio>
#include <vector>

namespace
{
const int kRows = 2000;
const int kColumns = 10;

CBenchRandom g_random(2025);
double g_values[kRows][kColumns];

int ColumnText(ULONGLONG dwItemData, int nColumn, CString& text, unsigned long&, unsigned long&, int&)
{
    text.Format("%.2f", g_values[(int)dwItemData - 1][nColumn]);
    return 1;
}

// The parent: answers every request with no editor, counting them.
class CNoEditorParent : public CWnd
{
public:
    long m_nRequests = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_LIST_CELLREQUEST)
        {
            ++m_nRequests;
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

double Stream(CCategoryListCtrl& list)
{
    const double t = BenchNow();
    for (int i = 0; i < 40; ++i)
    {
        const int r = g_random.Next(kRows);
        g_values[r][1 + g_random.Next(kColumns - 1)] *= 0.98 + (double)g_random.Next(41) / 1000.0;
        list.RepaintMapItem(r);
    }
    list.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    AfxPumpPendingMessages();
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
            g_values[r][c] = 100.0 + (double)g_random.Next(100000) / 100.0;

    CNoEditorParent parent;
    parent.CreateEx(0, AfxRegisterWndClass(0), "bench", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr);
    CCategoryListCtrl list;
    list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, CRect(0, 0, 800, 600), &parent, 100);
    for (int c = 0; c < kColumns; ++c)
    {
        sOrvoColInfo info = {};
        snprintf(info.szColName, sizeof(info.szColName), "Col%d", c);
        info.nWidth = 70;
        info.nDataType = 2;
        list.m_arrColInfo.Add(info);
    }
    list.InitColumnTextRtn(&ColumnText);
    list.InsertColumnsForList();
    list.SetUseFilter(TRUE);
    for (int r = 0; r < kRows; ++r)
    {
        list.InsertItem(0, "", 0);
        list.SetItemData(0, (DWORD_PTR)(r + 1));
    }
    parent.ShowWindow(SW_SHOWNOACTIVATE);
    AfxPumpPendingMessages();

    // Tab walk: the start cell is set by a text editor opened on it and closed again.
    CString csText = "1";
    list.ShowInPlaceEdit(0, 0, csText);
    list.SetFocus();
    AfxPumpPendingMessages();
    list.m_bOwnerDecides = true;
    double best = 1e300, bestBase = 1e300;
    long nCells = 0;
    for (int round = 0; round < 5; ++round)
    {
        parent.m_nRequests = 0;
        double t = BenchNow();
        list.OnTabPress(true);
        const double dOurs = BenchNow() - t;
        nCells = parent.m_nRequests;
        t = BenchNow();
        for (long i = 0; i < nCells; ++i)
        {
            sCellRequest request;
            ::SendMessageA(parent.m_hWnd, WM_LIST_CELLREQUEST, MAKEWPARAM(i % kRows, i % kColumns), (LPARAM)&request);
        }
        const double dBase = BenchNow() - t;
        best = dOurs < best ? dOurs : best;
        bestBase = dBase < bestBase ? dBase : bestBase;
    }
    BenchReport("category_tab_walk_2000x10", best, bestBase, nCells);

    // Quote stream with and without an open editor.
    list.m_bOwnerDecides = false;
    const int nFrames = 20;
    best = bestBase = 1e300;
    for (int round = 0; round < 7; ++round)
    {
        list.SetFocus();
        AfxPumpPendingMessages();
        double dBase = 0;
        for (int f = 0; f < nFrames; ++f)
            dBase += Stream(list);
        CString csCell = list.GetItemText(5, 2);
        list.ShowInPlaceEdit(5, 2, csCell);
        AfxPumpPendingMessages();
        double dOurs = 0;
        for (int f = 0; f < nFrames; ++f)
            dOurs += Stream(list);
        best = dOurs < best ? dOurs : best;
        bestBase = dBase < bestBase ? dBase : bestBase;
    }
    BenchReport("category_edit_guard_stream_40rows", best, bestBase, nFrames);
    list.DestroyWindow();
    parent.DestroyWindow();
    CInPlaceEdit::DeleteInstance();
    return 0;
}
