// Rectangle arithmetic as Win32 defines it (empty results, half-open edges, aliasing the
// destination) and CTime's local-time fields, normalisation and formatting.
#include <gtest/gtest.h>

#include "afx.h"

namespace {

::testing::AssertionResult RectIs(const CRect& r, int l, int t, int rr, int b)
{
    if (r.left == l && r.top == t && r.right == rr && r.bottom == b)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "rect is (" << r.left << "," << r.top << "," << r.right << ","
                                         << r.bottom << "), expected (" << l << "," << t << "," << rr << ","
                                         << b << ")";
}

TEST(RectTest, IntersectRectEmptyResultsAndAliasing)
{
    CRect r;
    EXPECT_TRUE(r.IntersectRect(CRect(0, 0, 10, 10), CRect(5, 5, 20, 20)));
    EXPECT_TRUE(RectIs(r, 5, 5, 10, 10));

    // Touching edges do not intersect (right/bottom are outside); the result is zeroed.
    r.SetRect(1, 2, 3, 4);
    EXPECT_FALSE(r.IntersectRect(CRect(0, 0, 10, 10), CRect(10, 0, 20, 10)));
    EXPECT_TRUE(r.IsRectNull());
    // An empty operand gives an empty result even when it lies inside the other.
    r.SetRect(1, 2, 3, 4);
    EXPECT_FALSE(r.IntersectRect(CRect(0, 0, 10, 10), CRect(5, 5, 5, 8)));
    EXPECT_TRUE(r.IsRectNull());

    CRect a(0, 0, 100, 50);
    EXPECT_TRUE(a.IntersectRect(a, CRect(-10, 20, 40, 70)));
    EXPECT_TRUE(RectIs(a, 0, 20, 40, 50));
    CRect b(0, 0, 100, 50);
    b &= CRect(90, 40, 200, 200);
    EXPECT_TRUE(RectIs(b, 90, 40, 100, 50));
    EXPECT_TRUE(RectIs(CRect(0, 0, 4, 4) & CRect(2, 2, 8, 8), 2, 2, 4, 4));
}

TEST(RectTest, UnionIgnoresEmptyOperands)
{
    CRect r;
    EXPECT_TRUE(r.UnionRect(CRect(0, 0, 10, 10), CRect(20, 5, 30, 40)));
    EXPECT_TRUE(RectIs(r, 0, 0, 30, 40));
    EXPECT_TRUE(r.UnionRect(CRect(5, 5, 5, 50), CRect(1, 1, 2, 2)));
    EXPECT_TRUE(RectIs(r, 1, 1, 2, 2));
    EXPECT_FALSE(r.UnionRect(CRect(), CRect(3, 3, 3, 3)));
    EXPECT_TRUE(r.IsRectNull());
    CRect u(0, 0, 1, 1);
    u |= CRect(4, 4, 6, 6);
    EXPECT_TRUE(RectIs(u, 0, 0, 6, 6));
    EXPECT_TRUE(RectIs(CRect(0, 0, 1, 1) | CRect(), 0, 0, 1, 1));
}

TEST(RectTest, InflateDeflateOffsetNormalize)
{
    CRect r(10, 20, 110, 70);
    EXPECT_EQ(r.Width(), 100);
    EXPECT_EQ(r.Height(), 50);
    EXPECT_EQ(r.Size(), CSize(100, 50));
    EXPECT_EQ(r.CenterPoint(), CPoint(60, 45));

    r.DeflateRect(2, 3);
    EXPECT_TRUE(RectIs(r, 12, 23, 108, 67));
    r.DeflateRect(1, 2, 3, 4);
    EXPECT_TRUE(RectIs(r, 13, 25, 105, 63));
    CRect border(1, 1, 2, 2);
    r.DeflateRect(&border);
    EXPECT_TRUE(RectIs(r, 14, 26, 103, 61));
    r.InflateRect(&border);
    r.InflateRect(CSize(1, 1));
    r.InflateRect(1, 2, 3, 4);
    EXPECT_TRUE(RectIs(r, 11, 22, 109, 68));

    // Deflating past the middle leaves an inverted, empty rectangle that NormalizeRect fixes.
    CRect small(0, 0, 4, 4);
    small.DeflateRect(3, 3);
    EXPECT_TRUE(small.IsRectEmpty());
    EXPECT_TRUE(RectIs(small, 3, 3, 1, 1));
    small.NormalizeRect();
    EXPECT_TRUE(RectIs(small, 1, 1, 3, 3));
    EXPECT_FALSE(small.IsRectEmpty());

    r.SetRect(0, 0, 10, 10);
    r.OffsetRect(5, -5);
    r.OffsetRect(CPoint(1, 1));
    r.OffsetRect(CSize(-1, 0));
    EXPECT_TRUE(RectIs(r, 5, -4, 15, 6));
    r += CPoint(1, 1);
    r -= CSize(2, 2);
    EXPECT_TRUE(RectIs(r, 4, -5, 14, 5));
    EXPECT_TRUE(RectIs(r + CPoint(1, 0), 5, -5, 15, 5));
    EXPECT_TRUE(RectIs(r - CSize(0, 1), 4, -6, 14, 4));
    r.MoveToXY(0, 0);
    EXPECT_TRUE(RectIs(r, 0, 0, 10, 10));
}

TEST(RectTest, PointsEqualityAndCornerAliases)
{
    CRect r(0, 0, 10, 10);
    EXPECT_TRUE(r.PtInRect(CPoint(0, 0)));
    EXPECT_TRUE(r.PtInRect(CPoint(9, 9)));
    EXPECT_FALSE(r.PtInRect(CPoint(10, 5)));
    EXPECT_FALSE(r.PtInRect(CPoint(5, 10)));
    EXPECT_FALSE(r.PtInRect(CPoint(-1, 5)));

    r.TopLeft() = CPoint(2, 3);
    r.BottomRight().Offset(1, 1);
    EXPECT_TRUE(RectIs(r, 2, 3, 11, 11));
    EXPECT_TRUE(r == CRect(2, 3, 11, 11));
    EXPECT_TRUE(r != CRect(2, 3, 11, 12));
    EXPECT_TRUE(r.EqualRect(CRect(CPoint(2, 3), CSize(9, 8))));
    EXPECT_TRUE(RectIs(CRect(CPoint(1, 2), CPoint(3, 4)), 1, 2, 3, 4));

    RECT raw = { 1, 2, 3, 4 };
    CRect fromRaw(raw);
    LPRECT p = fromRaw;
    EXPECT_EQ(p->bottom, 4);
    LPCRECT pc = static_cast<const CRect&>(fromRaw);
    EXPECT_EQ(pc->left, 1);
    EXPECT_TRUE(CRect().IsRectNull());
    EXPECT_TRUE(CRect().IsRectEmpty());
    EXPECT_FALSE(CRect(0, 0, 0, 1).IsRectNull());

    CPoint pt(5, 5);
    pt += CSize(1, 2);
    EXPECT_EQ(pt, CPoint(6, 7));
    EXPECT_EQ(pt - CPoint(1, 1), CSize(5, 6));
    EXPECT_EQ(pt - CSize(1, 1), CPoint(5, 6));
    EXPECT_EQ(-pt, CPoint(-6, -7));
    // lParam packing of mouse messages: signed 16-bit halves.
    EXPECT_EQ(CPoint(static_cast<LPARAM>(0xFFFE0003)), CPoint(3, -2));
}

TEST(TimeTest, FieldsRoundTripThroughLocalTime)
{
    CTime t(2024, 3, 15, 13, 45, 30);
    EXPECT_EQ(t.GetYear(), 2024);
    EXPECT_EQ(t.GetMonth(), 3);
    EXPECT_EQ(t.GetDay(), 15);
    EXPECT_EQ(t.GetHour(), 13);
    EXPECT_EQ(t.GetMinute(), 45);
    EXPECT_EQ(t.GetSecond(), 30);
    EXPECT_EQ(t.GetDayOfWeek(), 6); // a Friday; 1 is Sunday
    EXPECT_EQ(CTime(2024, 3, 17, 0, 0, 0).GetDayOfWeek(), 1);

    struct tm atm;
    ASSERT_NE(t.GetLocalTm(&atm), nullptr);
    EXPECT_EQ(atm.tm_yday, 31 + 29 + 14);
    EXPECT_EQ(CTime(t.GetTime()), t);

    // Out-of-range fields normalise like mktime.
    CTime n(2023, 13, 1, 0, 0, 0);
    EXPECT_EQ(n.GetYear(), 2024);
    EXPECT_EQ(n.GetMonth(), 1);
    CTime leap(2024, 2, 30, 0, 0, 0);
    EXPECT_EQ(leap.GetMonth(), 3);
    EXPECT_EQ(leap.GetDay(), 1);
}

TEST(TimeTest, FormatAndArithmetic)
{
    CTime t(2024, 1, 5, 9, 7, 3);
    EXPECT_EQ(t.Format("%Y-%m-%d %H:%M:%S"), "2024-01-05 09:07:03");
    EXPECT_EQ(t.Format("%d/%m/%y"), "05/01/24");
    EXPECT_EQ(t.Format("%b %A"), "Jan Friday");
    EXPECT_EQ(t.Format(""), "");

    CTime later(2024, 1, 7, 10, 8, 4);
    CTimeSpan span = later - t;
    EXPECT_EQ(span.GetTotalSeconds(), 2 * 86400 + 3600 + 60 + 1);
    EXPECT_EQ(span.GetDays(), 2);
    EXPECT_EQ(span.GetHours(), 1);
    EXPECT_EQ(span.GetMinutes(), 1);
    EXPECT_EQ(span.GetSeconds(), 1);
    EXPECT_EQ(span, CTimeSpan(2, 1, 1, 1));
    EXPECT_EQ(t + span, later);
    EXPECT_EQ(later - span, t);
    EXPECT_TRUE(t < later);
    EXPECT_TRUE(later >= t);
    EXPECT_TRUE(t != later);

    CTime now = CTime::GetCurrentTime();
    EXPECT_GE(now.GetYear(), 2024);
    EXPECT_GT(now, t);
}

} // namespace
