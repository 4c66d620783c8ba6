#include "windows/DialogPosition.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace {

const int kFieldCount = 9;
const int kMaxDigits = 9;

// Coordinates are computed in 64 bits and stored back saturated, so no input overflows.
LONG Saturate(long long v)
{
    if (v < INT_MIN)
        return INT_MIN;
    if (v > INT_MAX)
        return INT_MAX;
    return (LONG)v;
}

long long Width(const RECT& rc)
{
    return (long long)rc.right - rc.left;
}

long long Height(const RECT& rc)
{
    return (long long)rc.bottom - rc.top;
}

bool HasArea(const RECT& rc)
{
    return rc.right > rc.left && rc.bottom > rc.top;
}

bool PointOn(const RECT& rc, long long x, long long y)
{
    return x >= rc.left && x < rc.right && y >= rc.top && y < rc.bottom;
}

long long Clamp(long long v, long long lo, long long hi)
{
    return v < lo ? lo : (v > hi ? hi : v);
}

// Area of the overlap; (2^32 - 1)^2 still fits in 64 unsigned bits.
unsigned long long OverlapArea(const RECT& a, const RECT& b)
{
    long long l = a.left > b.left ? a.left : b.left;
    long long r = a.right < b.right ? a.right : b.right;
    long long t = a.top > b.top ? a.top : b.top;
    long long btm = a.bottom < b.bottom ? a.bottom : b.bottom;
    if (r <= l || btm <= t)
        return 0;
    return (unsigned long long)(r - l) * (unsigned long long)(btm - t);
}

// Distance between two rectangles (0 when they touch or overlap).
double Distance(const RECT& a, const RECT& b)
{
    long long dx = 0, dy = 0;
    if ((long long)b.left >= a.right)
        dx = (long long)b.left - a.right;
    else if ((long long)a.left >= b.right)
        dx = (long long)a.left - b.right;
    if ((long long)b.top >= a.bottom)
        dy = (long long)b.top - a.bottom;
    else if ((long long)a.top >= b.bottom)
        dy = (long long)a.top - b.bottom;
    return (double)dx * (double)dx + (double)dy * (double)dy;
}

// Places one dimension [lo, lo + size) on the monitor's [monLo, monHi).
void Fit(long long& lo, long long& size, long long monLo, long long monHi, bool bResizable)
{
    long long monSize = monHi - monLo;
    if (size > monSize && bResizable)
        size = monSize;
    long long span = size > 0 ? size : 1;   // a rectangle without area still has its corner on screen
    if (span >= monSize)
        lo = monLo;
    else
        lo = Clamp(lo, monLo, monHi - span);
}

}  // namespace

eDialogPositionText ParseDialogPosition(LPCTSTR pszText, sDialogPosition& pos)
{
    if (pszText == nullptr || *pszText == '\0')
        return DIALOG_POSITION_EMPTY;

    int values[kFieldCount] = {};
    int nCount = 0;
    const char* p = pszText;
    while (true)
    {
        const char* pEnd = p;
        while (*pEnd != '\0' && *pEnd != ',')
            ++pEnd;
        if (pEnd != p)
        {
            const char* q = p;
            bool bNegative = (*q == '-');
            if (bNegative)
                ++q;
            if (q == pEnd || pEnd - q > kMaxDigits)
                return DIALOG_POSITION_MALFORMED;
            long long lValue = 0;
            for (; q != pEnd; ++q)
            {
                if (*q < '0' || *q > '9')
                    return DIALOG_POSITION_MALFORMED;
                lValue = lValue * 10 + (*q - '0');
            }
            if (bNegative)
                lValue = -lValue;
            if (lValue < DIALOG_POSITION_MIN || lValue > DIALOG_POSITION_MAX)
                return DIALOG_POSITION_MALFORMED;
            if (nCount < kFieldCount)
                values[nCount] = (int)lValue;
            ++nCount;
        }
        if (*pEnd == '\0')
            break;
        p = pEnd + 1;
    }
    if (nCount != kFieldCount)
        return DIALOG_POSITION_INCOMPLETE;

    pos.rcNormal.top = values[0];
    pos.rcNormal.left = values[1];
    pos.rcNormal.bottom = values[2];
    pos.rcNormal.right = values[3];
    pos.ptMax.x = values[4];
    pos.ptMax.y = values[5];
    pos.ptMin.x = values[6];
    pos.ptMin.y = values[7];
    pos.nShowCmd = values[8];
    return DIALOG_POSITION_OK;
}

CString FormatDialogPosition(const sDialogPosition& pos)
{
    CString csValue;
    csValue.Format("%d,%d,%d,%d,%d,%d,%d,%d,%d", (int)pos.rcNormal.top, (int)pos.rcNormal.left,
                   (int)pos.rcNormal.bottom, (int)pos.rcNormal.right, (int)pos.ptMax.x, (int)pos.ptMax.y,
                   (int)pos.ptMin.x, (int)pos.ptMin.y, pos.nShowCmd);
    return csValue;
}

sDialogPosition MergeDialogPosition(const sDialogPosition& current, const sDialogPosition& saved, bool bResizable)
{
    sDialogPosition result = saved;
    if (!bResizable || !HasArea(saved.rcNormal))
    {
        result.rcNormal.right = Saturate((long long)saved.rcNormal.left + Width(current.rcNormal));
        result.rcNormal.bottom = Saturate((long long)saved.rcNormal.top + Height(current.rcNormal));
    }
    return result;
}

bool IsCoveredByWorkAreas(const RECT& rc, const RECT* pWorkAreas, int nWorkAreas)
{
    if (!HasArea(rc))
    {
        for (int i = 0; i < nWorkAreas; ++i)
            if (PointOn(pWorkAreas[i], rc.left, rc.top))
                return true;
        return false;
    }

    // Cut the rectangle along every monitor edge that crosses it; each cell is then either wholly
    // inside a monitor or wholly outside all of them.
    std::vector<long long> xs = { rc.left, rc.right };
    std::vector<long long> ys = { rc.top, rc.bottom };
    for (int i = 0; i < nWorkAreas; ++i)
    {
        const RECT& m = pWorkAreas[i];
        if (!HasArea(m))
            continue;
        for (long long x : { (long long)m.left, (long long)m.right })
            if (x > rc.left && x < rc.right)
                xs.push_back(x);
        for (long long y : { (long long)m.top, (long long)m.bottom })
            if (y > rc.top && y < rc.bottom)
                ys.push_back(y);
    }
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    for (size_t ix = 0; ix + 1 < xs.size(); ++ix)
    {
        for (size_t iy = 0; iy + 1 < ys.size(); ++iy)
        {
            bool bCovered = false;
            for (int i = 0; i < nWorkAreas && !bCovered; ++i)
            {
                const RECT& m = pWorkAreas[i];
                bCovered = HasArea(m) && m.left <= xs[ix] && m.right >= xs[ix + 1] && m.top <= ys[iy] &&
                           m.bottom >= ys[iy + 1];
            }
            if (!bCovered)
                return false;
        }
    }
    return true;
}

void BringDialogPositionOnScreen(sDialogPosition& pos, const RECT* pWorkAreas, int nWorkAreas, bool bResizable)
{
    if (pos.nShowCmd != DIALOG_SHOW_MAXIMIZED)
        pos.nShowCmd = DIALOG_SHOW_NORMAL;

    std::vector<RECT> monitors;
    for (int i = 0; i < nWorkAreas; ++i)
        if (HasArea(pWorkAreas[i]))
            monitors.push_back(pWorkAreas[i]);
    if (monitors.empty())
        return;
    const int nMonitors = (int)monitors.size();

    for (POINT* pt : { &pos.ptMax, &pos.ptMin })
    {
        bool bOn = false;
        for (const RECT& m : monitors)
            bOn = bOn || PointOn(m, pt->x, pt->y);
        if (!bOn)
            pt->x = pt->y = -1;
    }

    RECT& rc = pos.rcNormal;
    if (IsCoveredByWorkAreas(rc, monitors.data(), nMonitors))
        return;

    // The monitor that shows most of it; else the nearest.
    RECT probe = rc;
    if (!HasArea(probe))
    {
        probe.right = Saturate((long long)probe.left + 1);
        probe.bottom = Saturate((long long)probe.top + 1);
    }
    int nBest = -1;
    unsigned long long best = 0;
    for (int i = 0; i < nMonitors; ++i)
    {
        unsigned long long area = OverlapArea(probe, monitors[i]);
        if (area > best)
        {
            best = area;
            nBest = i;
        }
    }
    if (nBest < 0)
    {
        double dBest = 0;
        for (int i = 0; i < nMonitors; ++i)
        {
            double d = Distance(probe, monitors[i]);
            if (nBest < 0 || d < dBest)
            {
                dBest = d;
                nBest = i;
            }
        }
    }
    const RECT& m = monitors[nBest];

    long long x = rc.left, y = rc.top;
    long long w = Width(rc) > 0 ? Width(rc) : 0;
    long long h = Height(rc) > 0 ? Height(rc) : 0;
    Fit(x, w, m.left, m.right, bResizable);
    Fit(y, h, m.top, m.bottom, bResizable);
    rc.left = Saturate(x);
    rc.top = Saturate(y);
    rc.right = Saturate(x + w);
    rc.bottom = Saturate(y + h);
}
