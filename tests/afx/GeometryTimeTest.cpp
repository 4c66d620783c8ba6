// Rectangle arithmetic where Win32's rules are easy to get wrong (half-open edges, empty operands,
// the destination as an operand) and CTime's normalisation and spans, as the date editors use them.
#include <gtest/gtest.h>

#include "afx.h"

#include <string>

namespace {

std::string T(const CRect& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," + std::to_string(r.bottom);
}

TEST(RectTest, EdgesEmptyOperandsAndAliasing)
{
    struct Case { const char* name; CRect a, b; BOOL bAnd, bOr; const char* pszAnd; const char* pszOr; } cases[] = {
        { "overlap", CRect(0, 0, 10, 10), CRect(5, 5, 20, 20), TRUE, TRUE, "5,5,10,10", "0,0,20,20" },
        { "touching edges are outside", CRect(0, 0, 10, 10), CRect(10, 0, 20, 10), FALSE, TRUE, "0,0,0,0", "0,0,20,10" },
        { "an empty operand inside the other", CRect(0, 0, 10, 10), CRect(5, 5, 5, 8), FALSE, TRUE, "0,0,0,0", "0,0,10,10" },
        { "both empty", CRect(), CRect(3, 3, 3, 3), FALSE, FALSE, "0,0,0,0", "0,0,0,0" },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CRect r(1, 2, 3, 4), u(1, 2, 3, 4);
        EXPECT_EQ(c.bAnd, r.IntersectRect(c.a, c.b));
        EXPECT_EQ(c.pszAnd, T(r));
        EXPECT_EQ(c.bOr, u.UnionRect(c.a, c.b));
        EXPECT_EQ(c.pszOr, T(u));
    }
    CRect a(0, 0, 100, 50);
    EXPECT_TRUE(a.IntersectRect(a, CRect(-10, 20, 40, 70)));   // the destination is an operand
    EXPECT_EQ("0,20,40,50", T(a));
    CRect small(0, 0, 4, 4);
    small.DeflateRect(3, 3);   // past the middle: inverted and empty until normalised
    EXPECT_TRUE(small.IsRectEmpty());
    small.NormalizeRect();
    EXPECT_EQ("1,1,3,3", T(small));
    a.TopLeft() -= CSize(1, 1);   // the corner aliases the rectangle
    EXPECT_EQ("-1,19,40,50", T(a));
    EXPECT_FALSE(CRect(0, 0, 10, 10).PtInRect(CPoint(10, 5)));
    EXPECT_EQ(CPoint(static_cast<LPARAM>(0xFFFE0003)), CPoint(3, -2));   // signed halves of an lParam
}

TEST(TimeTest, NormalisesFormatsAndSpans)
{
    CTime t(2024, 3, 15, 13, 45, 30);
    EXPECT_EQ(t.Format("%Y-%m-%d %H:%M:%S"), "2024-03-15 13:45:30");
    EXPECT_EQ(t.GetDayOfWeek(), 6);   // a Friday; 1 is Sunday
    EXPECT_EQ(CTime(2023, 13, 1, 0, 0, 0).Format("%Y-%m-%d"), "2024-01-01");
    EXPECT_EQ(CTime(2024, 2, 30, 0, 0, 0).Format("%Y-%m-%d"), "2024-03-01");
    CTime u(2024, 1, 5, 9, 7, 3), later(2024, 1, 7, 10, 8, 4);
    EXPECT_EQ(u.Format("%d/%m/%y %b %A"), "05/01/24 Jan Friday");
    CTimeSpan span = later - u;
    EXPECT_EQ(span, CTimeSpan(2, 1, 1, 1));
    EXPECT_EQ(span.GetHours() * 100 + span.GetMinutes() * 10 + span.GetSeconds(), 111);
    EXPECT_EQ(u + span, later);
}

} // namespace
