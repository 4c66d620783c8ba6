// Filling a filter list of 100,000 rows the host's way (insert at 0, then the data of row 0),
// hidden, then shown and painted: the Debug build against the Release build, in one run.
//   filterlist_fill_debug_vs_release_<rows>: the Debug tree's copy of this program (ours=) against
//   the Release tree's (baseline=), each fill in a fresh process of its own, the two builds taking
//   turns, each side's fastest of a few rounds.
// Started from the Release tree (build/win-release/bin), it finds its Debug twin in build/win/bin.
// Arguments: the rows (default 100,000); "--one <rows>" fills once and prints "fill_ns=<ns>".
#include "BenchClock.h"
#include "filter/FilterListCtrl.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{
const int kRounds = 3;

int ColumnText(ULONGLONG dwItemData, int nColumn, CString& text, unsigned long&, unsigned long&, int&)
{
    char sz[32];
    snprintf(sz, sizeof(sz), nColumn == 0 ? "SYM%06llu" : "%llu.%02d", dwItemData, nColumn);
    text = sz;
    return 1;
}

double FillOnce(int nRows)
{
    CWnd frame;
    frame.CreateEx(0, AfxRegisterWndClass(0), "bench", WS_OVERLAPPEDWINDOW, 0, 0, 700, 500, nullptr, nullptr);
    CFilterListCtrl list;
    list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, CRect(0, 0, 680, 460), &frame, 100);
    static const char* const names[] = { "Symbol", "Price", "Volume", "Exchange" };
    for (const char* name : names)
    {
        sOrvoColInfo info = {};
        snprintf(info.szColName, sizeof(info.szColName), "%s", name);
        info.nWidth = 100;
        list.m_arrColInfo.Add(info);
    }
    list.InitColumnTextRtn(&ColumnText);
    list.InsertColumnsForList();
    list.SetUseFilter(TRUE);
    const double t0 = BenchNow();
    for (int i = 0; i < nRows; ++i)
    {
        list.InsertItem(0, "", 0);
        list.SetItemData(0, (DWORD_PTR)(i + 1));
    }
    frame.ShowWindow(SW_SHOW);
    frame.UpdateWindow();
    AfxPumpPendingMessages();
    const double dTime = BenchNow() - t0;
    if (list.GetItemCount() != nRows || list.GetMapItemData(nRows - 1) != (DWORD_PTR)nRows)
        printf("bench filterlist_fill: the list lost rows\n");
    list.DestroyWindow();
    frame.DestroyWindow();
    return dTime;
}

// Runs one fill in a fresh process of the given program; its time, or a negative value.
double FillInProcess(const std::string& exe, int nRows)
{
    SECURITY_ATTRIBUTES sa = { sizeof(sa), nullptr, TRUE };
    HANDLE hRead = nullptr, hWrite = nullptr;
    if (!::CreatePipe(&hRead, &hWrite, &sa, 0))
        return -1;
    ::SetHandleInformation(hRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = hWrite;
    si.hStdError = hWrite;
    si.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    std::string cmd = "\"" + exe + "\" --one " + std::to_string(nRows);
    PROCESS_INFORMATION pi = {};
    BOOL bStarted = ::CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    ::CloseHandle(hWrite);
    std::string out;
    if (bStarted)
    {
        char buf[256];
        DWORD n = 0;
        while (::ReadFile(hRead, buf, sizeof(buf), &n, nullptr) && n > 0)
            out.append(buf, n);
        ::WaitForSingleObject(pi.hProcess, INFINITE);
        ::CloseHandle(pi.hProcess);
        ::CloseHandle(pi.hThread);
    }
    ::CloseHandle(hRead);
    size_t at = out.find("fill_ns=");
    if (at == std::string::npos)
    {
        printf("bench filterlist_fill: %s gave no time: %s\n", exe.c_str(), out.c_str());
        return -1;
    }
    return atof(out.c_str() + at + 8);
}
}  // namespace

int main(int argc, char** argv)
{
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES };
    ::InitCommonControlsEx(&icc);
    if (argc > 2 && strcmp(argv[1], "--one") == 0)
    {
        printf("fill_ns=%.0f\n", FillOnce(atoi(argv[2])));
        return 0;
    }
    const int nRows = argc > 1 ? atoi(argv[1]) : 100000;

    char szSelf[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, szSelf, MAX_PATH);
    std::string release = szSelf, debug = szSelf;
    const std::string from = "\\win-release\\bin\\", to = "\\win\\bin\\";
    size_t at = debug.rfind(from);
    if (at == std::string::npos || ::GetFileAttributesA(debug.replace(at, from.size(), to).c_str()) == INVALID_FILE_ATTRIBUTES)
    {
        printf("bench filterlist_fill_debug_vs_release: run from build/win-release/bin with the Debug tree built\n");
        return 1;
    }

    double dDebug = 1e300, dRelease = 1e300;
    for (int r = 0; r < kRounds; ++r)
    {
        for (int side = 0; side < 2; ++side)
        {
            const bool bDebug = (side == 0) == (r % 2 == 0);
            double t = FillInProcess(bDebug ? debug : release, nRows);
            if (t < 0)
                return 1;
            (bDebug ? dDebug : dRelease) = std::min(bDebug ? dDebug : dRelease, t);
        }
    }
    char szName[64];
    snprintf(szName, sizeof(szName), "filterlist_fill_debug_vs_release_%d", nRows);
    BenchReport(szName, dDebug, dRelease, nRows);
    return 0;
}
