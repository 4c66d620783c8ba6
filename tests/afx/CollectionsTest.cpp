// Collections and run-time classes: element order after insert/remove, elements of the same
// container passed back into it while it grows, hash collisions, removal while iterating, list
// positions, IsKindOf.
#include <gtest/gtest.h>

#include "afx.h"

#include <map>
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

Strings Items(const CStringList& list)
{
    Strings v;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        v.emplace_back(list.GetNext(pos).GetString());
    return v;
}

TEST(ArrayTest, InsertRemoveGrowKeepOrder)
{
    CStringArray arr;
    EXPECT_EQ(arr.Add("b"), 0);
    EXPECT_EQ(arr.Add(CString("d")), 1);
    arr.InsertAt(0, "a");
    arr.InsertAt(2, "c");
    arr.InsertAt(4, "e", 2);
    arr.InsertAt(8, "z");   // past the end: padded with empty strings
    EXPECT_EQ(Items(arr), (Strings{ "a", "b", "c", "d", "e", "e", "", "", "z" }));
    arr.RemoveAt(6, 2);
    arr.RemoveAt(0);
    arr.RemoveAt(4, 1);
    arr.RemoveAt(1, 0);
#ifdef NDEBUG
    arr.RemoveAt(3, 5);   // bad ranges leave the array alone
    arr.RemoveAt(-1);
#endif
    EXPECT_EQ(Items(arr), (Strings{ "b", "c", "d", "e", "z" }));

    CArray<int, int> nums;
    nums.SetAtGrow(3, 7);
    nums.SetAtGrow(1, 5);
    nums.SetSize(2);
    nums.SetSize(5, 16);   // new elements are zeroed, also after shrinking
    EXPECT_EQ((std::vector<int>{ 0, 5, 0, 0, 0 }), std::vector<int>(nums.GetData(), nums.GetData() + 5));

}

TEST(ArrayTest, ElementsOfTheSameArrayPassedBackWhileItGrows)
{
    CArray<CString, const CString&> arr;
    arr.Add("first element, long enough to live on the heap");
    for (int i = 0; i < 100; ++i)
        arr.Add(arr[0]);
    for (int i = 0; i < 20; ++i)
        arr.InsertAt(0, arr[arr.GetUpperBound()]);
    EXPECT_EQ(Items(arr), Strings(121, "first element, long enough to live on the heap"));

    CStringArray a, b, c;
    a.Add("1");
    a.Add("2");
    b.Copy(a);
    b[0] = "changed";   // a deep copy
    EXPECT_EQ(b.Append(a), 2);
    EXPECT_EQ(a.Append(a), 2);
    EXPECT_EQ(Items(a), (Strings{ "1", "2", "1", "2" }));
    c.Add("A");
    c.Add("B");
    b.InsertAt(1, &c);
    c.InsertAt(1, &c);
    EXPECT_EQ(Items(b), (Strings{ "changed", "A", "B", "2", "1", "2" }));
    EXPECT_EQ(Items(c), (Strings{ "A", "A", "B", "B" }));
}

TEST(MapTest, CollidingKeysAndRemovalWhileIterating)
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
    EXPECT_FALSE(map.Lookup(25, value));
    ASSERT_TRUE(map.Lookup(26, value));
    EXPECT_EQ(value, "v26");
    std::multiset<int> seen;
    for (POSITION pos = map.GetStartPosition(); pos;) {
        int key;
        map.GetNextAssoc(pos, key, value);
        EXPECT_EQ(std::string(value), "v" + std::to_string(key));
        seen.insert(key);
    }
    EXPECT_EQ(seen.size(), 47u);
    EXPECT_EQ(std::set<int>(seen.begin(), seen.end()).size(), 47u);

    // Growing, then the idiom of removing the entry just returned while walking.
    CMap<DWORD_PTR, DWORD_PTR, int, int> big;
    for (int i = 0; i < 5000; ++i)
        big[static_cast<DWORD_PTR>(i) * 16] = i;
    EXPECT_GT(big.GetHashTableSize(), 17u);
    int nVisited = 0;
    for (POSITION pos = big.GetStartPosition(); pos; ++nVisited) {
        DWORD_PTR key;
        int v;
        big.GetNextAssoc(pos, key, v);
        EXPECT_EQ(key, static_cast<DWORD_PTR>(v) * 16);
        if (v % 2)
            big.RemoveKey(key);
    }
    EXPECT_EQ(nVisited, 5000);
    EXPECT_EQ(big.GetCount(), 2500);
    int v = -1;
    EXPECT_TRUE(big.Lookup(4998 * 16, v) && v == 4998);
    EXPECT_FALSE(big.Lookup(4999 * 16, v));
}

TEST(MapTest, StringKeysAreCaseSensitiveAndIndexingInsertsDefaults)
{
    CMapStringToString map;
    map.SetAt("Bid", "1");
    map["Ask"] = "2";
    EXPECT_TRUE(map["Last"].IsEmpty());
    map.SetAt("Bid", "3");
    CString value;
    EXPECT_FALSE(map.Lookup("bid", value));
    ASSERT_NE(map.PLookup("Ask"), nullptr);
    EXPECT_EQ(map.PLookup("Nope"), nullptr);
    std::map<std::string, std::string> all;
    for (const CMapStringToString::CPair* p = map.PGetFirstAssoc(); p; p = map.PGetNextAssoc(p))
        all[p->key.GetString()] = p->value.GetString();
    EXPECT_EQ(all, (std::map<std::string, std::string>{ { "Ask", "2" }, { "Bid", "3" }, { "Last", "" } }));
    EXPECT_EQ(HashKey<LPCTSTR>("Price"), HashKey<const CString&>(CString("Price")));
}

TEST(ListTest, PositionsFindInsertRemove)
{
    CStringList list;
    POSITION posB = list.AddTail("b");
    list.AddTail("d");
    list.AddHead("a");
    POSITION posC = list.InsertBefore(list.Find("d"), "c");
    list.InsertAfter(list.GetTailPosition(), "e");
    EXPECT_EQ(Items(list), (Strings{ "a", "b", "c", "d", "e" }));
    EXPECT_EQ(list.Find("b"), posB);
    EXPECT_EQ(list.Find("b", posB), nullptr);   // the search starts after posB
    list.AddTail("b");
    EXPECT_EQ(list.Find("b", posB), list.GetTailPosition());
    EXPECT_EQ(list.FindIndex(2), posC);
    EXPECT_EQ(list.FindIndex(6), nullptr);
    EXPECT_EQ(list.FindIndex(-1), nullptr);

    list.RemoveAt(posB);
    list.RemoveAt(list.GetHeadPosition());
    list.RemoveAt(list.GetTailPosition());
    EXPECT_EQ(Items(list), (Strings{ "c", "d", "e" }));
    list.RemoveAll();
    // NULL positions: InsertBefore adds at the head, InsertAfter at the tail.
    list.InsertAfter(nullptr, "y");
    list.InsertBefore(nullptr, "x");
    list.InsertAfter(nullptr, "z");
    EXPECT_EQ(Items(list), (Strings{ "x", "y", "z" }));

    CStringList twice;   // a list appended to itself
    twice.AddTail("p");
    twice.AddTail("q");
    twice.AddTail(&twice);
    EXPECT_EQ(Items(twice), (Strings{ "p", "q", "p", "q" }));

    CList<int, int> ints(4);   // many nodes across several blocks, freed and reused
    for (int i = 0; i < 1000; ++i)
        ints.AddTail(i);
    while (ints.GetCount() > 1)
        ints.RemoveHead();
    ints.AddTail(5);
    EXPECT_EQ(ints.GetHead() + ints.GetTail(), 1004);
}

class CShape : public CObject
{
    DECLARE_DYNAMIC(CShape)
};
class CBox : public CShape
{
    DECLARE_DYNCREATE(CBox)
public:
    int m_nSide = 4;
};
class CCube : public CBox
{
    DECLARE_DYNCREATE(CCube)
};
class COther : public CObject
{
    DECLARE_DYNAMIC(COther)
};
IMPLEMENT_DYNAMIC(CShape, CObject)
IMPLEMENT_DYNCREATE(CBox, CShape)
IMPLEMENT_DYNCREATE(CCube, CBox)
IMPLEMENT_DYNAMIC(COther, CObject)

TEST(RuntimeClassTest, IsKindOfThroughThreeLevelsAndCreateObject)
{
    CCube cube;
    CObject* pObj = &cube;
    for (CRuntimeClass* p : { RUNTIME_CLASS(CCube), RUNTIME_CLASS(CBox), RUNTIME_CLASS(CShape), RUNTIME_CLASS(CObject) })
        EXPECT_TRUE(pObj->IsKindOf(p)) << p->m_lpszClassName;
    EXPECT_FALSE(pObj->IsKindOf(RUNTIME_CLASS(COther)));
    EXPECT_FALSE(CBox().IsKindOf(RUNTIME_CLASS(CCube)));
    EXPECT_FALSE(COther().IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_EQ(DYNAMIC_DOWNCAST(COther, pObj), nullptr);
    CObject* pNew = RUNTIME_CLASS(CCube)->CreateObject();
    ASSERT_NE(pNew, nullptr);
    EXPECT_EQ(static_cast<CBox*>(pNew)->m_nSide, 4);
    delete pNew;
    EXPECT_EQ(RUNTIME_CLASS(CShape)->CreateObject(), nullptr);   // not creatable
}

} // namespace
