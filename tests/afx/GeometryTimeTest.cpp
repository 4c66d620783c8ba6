// Rectangle arithmetic as Win32 defines it (empty results, half-open edges, aliasing the
// destination) and CTime's local-time fields, normalisation and formatting.
#include <gtest/gtest.h>

#include "afx.h"

#include <string>

namespace {

std::string T(const CRect& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," + std::to_string(r.bottom);
}

TEST(RectTest, IntersectUnionDeflateOffset)
{
    CRect r(1, 2, 3, 4), a(0, 0, 100, 50), b(0, 0, 100, 50), u(0, 0, 1, 1), small(0, 0, 4, 4);
    EXPECT_TRUE(r.IntersectRect(CRect(0, 0, 10, 10), CRect(5, 5, 20, 20)));
    EXPECT_EQ("5,5,10,10", T(r));
    // Touching edges do not intersect (right/bottom are outside); an empty operand gives an empty
    // result even inside the other; the result is zeroed.
    EXPECT_FALSE(r.IntersectRect(CRect(0, 0, 10, 10), CRect(10, 0, 20, 10)));
    EXPECT_TRUE(r.IsRectNull());
    r.SetRect(1, 2, 3, 4);
    EXPECT_FALSE(r.IntersectRect(CRect(0, 0, 10, 10), CRect(5, 5, 5, 8)));
    EXPECT_TRUE(r.IsRectNull());
    EXPECT_TRUE(a.IntersectRect(a, CRect(-10, 20, 40, 70)));   // the destination is an operand
    EXPECT_EQ("0,20,40,50", T(a));
    b &= CRect(90, 40, 200, 200);
    EXPECT_EQ("90,40,100,50", T(b));

    // Union ignores empty operands.
    EXPECT_TRUE(r.UnionRect(CRect(0, 0, 10, 10), CRect(20, 5, 30, 40)));
    EXPECT_EQ("0,0,30,40", T(r));
    EXPECT_TRUE(r.UnionRect(CRect(5, 5, 5, 50), CRect(1, 1, 2, 2)));
    EXPECT_EQ("1,1,2,2", T(r));
    EXPECT_FALSE(r.UnionRect(CRect(), CRect(3, 3, 3, 3)));
    EXPECT_TRUE(r.IsRectNull());
    u |= CRect(4, 4, 6, 6);
    EXPECT_EQ("0,0,6,6", T(u));
    EXPECT_EQ("0,0,1,1", T(CRect(0, 0, 1, 1) | CRect()));

    // Deflating past the middle leaves an inverted, empty rectangle that NormalizeRect fixes.
    small.DeflateRect(3, 3);
    EXPECT_TRUE(small.IsRectEmpty());
    EXPECT_EQ("3,3,1,1", T(small));
    small.NormalizeRect();
    EXPECT_EQ("1,1,3,3", T(small));
    r.SetRect(10, 20, 110, 70);
    r.DeflateRect(1, 2, 3, 4);
    r.OffsetRect(5, -5);
    r.TopLeft() -= CSize(1, 1);   // the corner aliases the rectangle
    EXPECT_EQ("15,16,112,61", T(r));

    // Points are inside the half-open rectangle.
    const CRect ten(0, 0, 10, 10);
    for (CPoint pt : { CPoint(0, 0), CPoint(9, 9) })
        EXPECT_TRUE(ten.PtInRect(pt));
    for (CPoint pt : { CPoint(10, 5), CPoint(5, 10), CPoint(-1, 5) })
        EXPECT_FALSE(ten.PtInRect(pt));
    // lParam packing of mouse messages: signed 16-bit halves.
    EXPECT_EQ(CPoint(static_cast<LPARAM>(0xFFFE0003)), CPoint(3, -2));
}

TEST(TimeTest, LocalFieldsNormaliseFormatAndSpans)
{
    CTime t(2024, 3, 15, 13, 45, 30);
    EXPECT_EQ(t.Format("%Y-%m-%d %H:%M:%S"), "2024-03-15 13:45:30");
    EXPECT_EQ(t.GetDayOfWeek(), 6);   // a Friday; 1 is Sunday
    EXPECT_EQ(CTime(2024, 3, 17, 0, 0, 0).GetDayOfWeek(), 1);
    EXPECT_EQ(CTime(t.GetTime()), t);
    // Out-of-range fields normalise like mktime.
    EXPECT_EQ(CTime(2023, 13, 1, 0, 0, 0).Format("%Y-%m-%d"), "2024-01-01");
    EXPECT_EQ(CTime(2024, 2, 30, 0, 0, 0).Format("%Y-%m-%d"), "2024-03-01");

    CTime u(2024, 1, 5, 9, 7, 3), later(2024, 1, 7, 10, 8, 4);
    EXPECT_EQ(u.Format("%d/%m/%y %b %A"), "05/01/24 Jan Friday");
    EXPECT_EQ(u.Format(""), "");
    CTimeSpan span = later - u;
    EXPECT_EQ(span.GetTotalSeconds(), 2 * 86400 + 3600 + 60 + 1);
    EXPECT_EQ(std::to_string(span.GetDays()) + ":" + std::to_string(span.GetHours()) + ":" +
                  std::to_string(span.GetMinutes()) + ":" + std::to_string(span.GetSeconds()),
              "2:1:1:1");
    EXPECT_EQ(span, CTimeSpan(2, 1, 1, 1));
    EXPECT_EQ(u + span, later);
    EXPECT_EQ(later - span, u);
    EXPECT_TRUE(u < later && later >= u && u != later);
}

} // namespace
