// Collections, rectangles and times where the grids' own use would not show a fault: an element of
// an array passed back into it while it grows, hash collisions, positions and ranges past the ends,
// Win32's rectangle rules. (CTime's normalisation is the date editor's test.)
#include <gtest/gtest.h>

#include "afx.h"

#include <set>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

template <class A> Strings Items(const A& arr)
{
    Strings v;
    for (INT_PTR i = 0; i < arr.GetSize(); ++i)
        v.emplace_back(CString(arr[i]).GetString());
    return v;
}

TEST(ArrayTest, BadRangesAndElementsOfTheSameArrayPassedBackWhileItGrows)
{
    CStringArray arr;
    arr.Add("a");
    arr.InsertAt(3, "z");   // past the end: padded with empty strings
    EXPECT_EQ(Items(arr), (Strings{ "a", "", "", "z" }));
#ifdef NDEBUG
    arr.RemoveAt(3, 5);   // bad ranges leave the array alone
    arr.RemoveAt(-1);
    EXPECT_EQ(4, arr.GetSize());
#endif
    CArray<int, int> nums;
    nums.SetAtGrow(3, 7);
    nums.SetSize(2);
    nums.SetSize(5, 16);   // new elements are zeroed, also after shrinking
    EXPECT_EQ((std::vector<int>{ 0, 0, 0, 0, 0 }), std::vector<int>(nums.GetData(), nums.GetData() + 5));

    CArray<CString, const CString&> same;
    same.Add("first element, long enough to live on the heap");
    for (int i = 0; i < 100; ++i)
        same.Add(same[0]);
    for (int i = 0; i < 20; ++i)
        same.InsertAt(0, same[same.GetUpperBound()]);
    EXPECT_EQ(Items(same), Strings(121, "first element, long enough to live on the heap"));
}

TEST(MapTest, CollidingKeysAreFoundRemovedAndWalked)
{
    CMap<int, int, CString, const CString&> map;
    map.InitHashTable(1);   // every key collides
    for (int i = 0; i < 50; ++i) {
        CString s;
        s.Format("v%d", i);
        map.SetAt(i, s);
    }
    for (int key : { 0, 49, 25 })
        EXPECT_TRUE(map.RemoveKey(key));
    EXPECT_FALSE(map.RemoveKey(25));
    CString value;
    ASSERT_TRUE(map.Lookup(26, value));
    EXPECT_EQ(value, "v26");
    std::multiset<int> seen;
    for (POSITION pos = map.GetStartPosition(); pos;) {
        int key;
        map.GetNextAssoc(pos, key, value);
        EXPECT_EQ(std::string(value), "v" + std::to_string(key));
        seen.insert(key);
    }
    EXPECT_EQ(std::set<int>(seen.begin(), seen.end()).size(), 47u);
    EXPECT_EQ(seen.size(), 47u);
}

TEST(ListTest, PositionsPastTheEndsAndReusedNodes)
{
    CStringList list;
    POSITION posB = list.AddTail("b");
    list.AddTail("b");
    EXPECT_EQ(list.Find("b", posB), list.GetTailPosition());   // the search starts after posB
    EXPECT_EQ(list.FindIndex(2), nullptr);
    EXPECT_EQ(list.FindIndex(-1), nullptr);
    CList<int, int> ints(4);   // many nodes across several blocks, freed and reused
    for (int i = 0; i < 1000; ++i)
        ints.AddTail(i);
    while (ints.GetCount() > 1)
        ints.RemoveHead();
    ints.AddTail(5);
    EXPECT_EQ(ints.GetHead() + ints.GetTail(), 1004);
}

std::string T(const CRect& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," + std::to_string(r.bottom);
}

TEST(RectTest, EdgesEmptyOperandsAndAliasing)
{
    struct Case { const char* name; CRect a, b; BOOL bAnd, bOr; const char* pszAnd; const char* pszOr; } cases[] = {
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
    a.TopLeft() -= CSize(1, 1);   // the corner aliases the rectangle
    EXPECT_EQ("-1,19,40,50", T(a));
    CRect small(0, 0, 4, 4);
    small.DeflateRect(3, 3);   // past the middle: inverted and empty until normalised
    EXPECT_TRUE(small.IsRectEmpty());
    small.NormalizeRect();
    EXPECT_EQ("1,1,3,3", T(small));
    EXPECT_FALSE(CRect(0, 0, 10, 10).PtInRect(CPoint(10, 5)));
    EXPECT_EQ(CPoint(static_cast<LPARAM>(0xFFFE0003)), CPoint(3, -2));   // signed halves of an lParam
}

} // namespace
