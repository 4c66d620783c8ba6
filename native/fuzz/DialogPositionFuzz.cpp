// libFuzzer target for the saved placement of dialogs: an accepted text writes back to itself; the
// placement taken from it, once brought on screen, can be seen (a normal show command, positions on
// a monitor or left to the system, the rectangle wholly on the monitors by a reference of its own,
// or a fixed-size dialog larger than its monitor at that monitor's edge), and a second pass leaves
// it alone.
// Input layout: byte 0 the monitor count (mod 5), bit 7 "fixed size"; 8 bytes per monitor and then
// the dialog's rectangle (left, top signed 16-bit, width, height unsigned); the rest, up to a NUL
// and 1,023 bytes (what the profile read returns), is the saved text.
#include "windows/DialogPosition.h"
#include "FuzzOracle.h"

#include <cstring>

namespace {

struct CReader
{
    const uint8_t* p;
    size_t n;
    uint8_t U8()   // 0 past the end
    {
        if (n == 0)
            return 0;
        --n;
        return *p++;
    }
    uint16_t U16()
    {
        const int nHigh = U8();
        return (uint16_t)(nHigh << 8 | U8());
    }
    RECT Rect()
    {
        const int left = (int16_t)U16(), top = (int16_t)U16(), width = U16(), height = U16();
        return RECT{ left, top, left + width, top + height };
    }
};

// Area of rc covered by the union of the monitors, by inclusion-exclusion over the subsets.
long long CoveredArea(const RECT& rc, const std::vector<RECT>& monitors)
{
    long long total = 0;
    const size_t n = monitors.size();
    for (unsigned mask = 1; mask < (1u << n); ++mask)
    {
        RECT cut = rc;
        int bits = 0;
        for (size_t i = 0; i < n; ++i)
        {
            if (!(mask & (1u << i)))
                continue;
            ++bits;
            const RECT& m = monitors[i];
            cut.left = cut.left > m.left ? cut.left : m.left;
            cut.top = cut.top > m.top ? cut.top : m.top;
            cut.right = cut.right < m.right ? cut.right : m.right;
            cut.bottom = cut.bottom < m.bottom ? cut.bottom : m.bottom;
        }
        if (cut.right > cut.left && cut.bottom > cut.top)
            total += (bits % 2 ? 1 : -1) * ((long long)cut.right - cut.left) * ((long long)cut.bottom - cut.top);
    }
    return total;
}

bool On(const RECT& m, long long x, long long y)
{
    return x >= m.left && x < m.right && y >= m.top && y < m.bottom;
}

bool Same(const sDialogPosition& a, const sDialogPosition& b)
{
    return std::memcmp(&a.rcNormal, &b.rcNormal, sizeof(RECT)) == 0 && a.ptMax.x == b.ptMax.x &&
           a.ptMax.y == b.ptMax.y && a.ptMin.x == b.ptMin.x && a.ptMin.y == b.ptMin.y && a.nShowCmd == b.nShowCmd;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CReader in = { data, size };
    const uint8_t head = in.U8();
    const bool bResizable = !(head & 0x80);
    std::vector<RECT> monitors, usable;
    for (int i = 0; i < (head & 0x7F) % 5; ++i)
        monitors.push_back(in.Rect());
    sDialogPosition current = {};
    current.rcNormal = in.Rect();
    current.nShowCmd = DIALOG_SHOW_NORMAL;

    const std::string text = std::string(Text(in.p, in.n).c_str()).substr(0, 1023);

    sDialogPosition saved = {};
    if (ParseDialogPosition(text.c_str(), saved) != DIALOG_POSITION_OK)
        return 0;

    // Accepted: every value is a window coordinate, and writing it reads back the same.
    for (long v : { (long)saved.rcNormal.left, (long)saved.rcNormal.top, (long)saved.rcNormal.right,
                    (long)saved.rcNormal.bottom, (long)saved.ptMax.x, (long)saved.ptMax.y, (long)saved.ptMin.x,
                    (long)saved.ptMin.y, (long)saved.nShowCmd })
        Check(v >= DIALOG_POSITION_MIN && v <= DIALOG_POSITION_MAX, "value in range");
    sDialogPosition again = {};
    Check(ParseDialogPosition(FormatDialogPosition(saved), again) == DIALOG_POSITION_OK, "written text reads");
    Check(Same(saved, again), "written text reads back the same");

    sDialogPosition pos = MergeDialogPosition(current, saved, bResizable);
    const sDialogPosition merged = pos;
    BringDialogPositionOnScreen(pos, monitors.data(), (int)monitors.size(), bResizable);
    Check(pos.nShowCmd == DIALOG_SHOW_NORMAL || pos.nShowCmd == DIALOG_SHOW_MAXIMIZED, "visible show command");

    for (const RECT& m : monitors)
        if (m.right > m.left && m.bottom > m.top)
            usable.push_back(m);
    if (usable.empty())
    {
        Check(std::memcmp(&pos.rcNormal, &merged.rcNormal, sizeof(RECT)) == 0, "no monitor: not moved");
        return 0;
    }

    for (const POINT& pt : { pos.ptMax, pos.ptMin })
    {
        bool bOn = pt.x == -1 && pt.y == -1;
        for (const RECT& m : usable)
            bOn = bOn || On(m, pt.x, pt.y);
        Check(bOn, "positions on a monitor or left to the system");
    }

    const RECT& rc = pos.rcNormal;
    const long long w = (long long)rc.right - rc.left, h = (long long)rc.bottom - rc.top;
    Check(w >= 0 && h >= 0, "rectangle not inverted");
    bool bSeen = w > 0 && h > 0 && CoveredArea(rc, usable) == w * h;
    for (const RECT& m : usable)
        bSeen = bSeen || ((w == 0 || h == 0) && On(m, rc.left, rc.top));
    Check(bSeen == IsCoveredByWorkAreas(rc, usable.data(), (int)usable.size()), "coverage agrees with reference");
    if (!bSeen)
    {
        // Only a fixed-size dialog too large for its monitor: its corner on that monitor, and in
        // each direction it either fits or starts at the monitor's edge.
        Check(!bResizable, "resizable dialog wholly on screen");
        bool bPlaced = false;
        for (const RECT& m : usable)
        {
            if (!On(m, rc.left, rc.top))
                continue;
            bool bX = (rc.left == m.left && w > (long long)m.right - m.left) || rc.right <= m.right;
            bool bY = (rc.top == m.top && h > (long long)m.bottom - m.top) || rc.bottom <= m.bottom;
            bPlaced = bPlaced || (bX && bY);
        }
        Check(bPlaced, "oversized fixed dialog starts at its monitor's edge");
    }
    if (IsCoveredByWorkAreas(merged.rcNormal, usable.data(), (int)usable.size()))
        Check(std::memcmp(&pos.rcNormal, &merged.rcNormal, sizeof(RECT)) == 0, "visible rectangle not moved");

    // Once wholly on screen, a second pass changes nothing.
    sDialogPosition twice = pos;
    BringDialogPositionOnScreen(twice, monitors.data(), (int)monitors.size(), bResizable);
    if (bSeen)
        Check(Same(pos, twice), "bringing back is stable");
    return 0;
}
