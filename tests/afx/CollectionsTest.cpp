// Collections and run-time classes: element order after insert/remove, CString elements
// surviving reallocation, hash collisions and iteration, list positions, IsKindOf.
#include <gtest/gtest.h>

#include "afx.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Items(const CArray<CString, const CString&>& arr)
{
    std::vector<std::string> v;
    for (INT_PTR i = 0; i < arr.GetSize(); ++i)
        v.emplace_back(arr[i].GetString());
    return v;
}

std::vector<std::string> Items(const CStringList& list)
{
    std::vector<std::string> v;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        v.emplace_back(list.GetNext(pos).GetString());
    return v;
}

using Strings = std::vector<std::string>;

TEST(ArrayTest, InsertRemoveKeepOrderWithStringElements)
{
    CStringArray arr;
    EXPECT_EQ(arr.Add("b"), 0);
    EXPECT_EQ(arr.Add(CString("d")), 1);
    arr.InsertAt(0, "a");
    arr.InsertAt(2, "c");
    arr.InsertAt(4, "e", 2);
    EXPECT_EQ(Items(arr), (Strings{ "a", "b", "c", "d", "e", "e" }));
    EXPECT_EQ(arr.GetUpperBound(), 5);

    // Inserting past the end pads with empty strings.
    arr.InsertAt(8, "z");
    EXPECT_EQ(Items(arr), (Strings{ "a", "b", "c", "d", "e", "e", "", "", "z" }));

    arr.RemoveAt(6, 2);
    arr.RemoveAt(0);
    EXPECT_EQ(Items(arr), (Strings{ "b", "c", "d", "e", "e", "z" }));
    arr.RemoveAt(4, 2);
    EXPECT_EQ(Items(arr), (Strings{ "b", "c", "d", "e" }));
    EXPECT_EQ(arr.GetCount(), 4);
    arr.RemoveAll();
    EXPECT_TRUE(arr.IsEmpty());
    EXPECT_EQ(arr.GetData(), nullptr);
}

TEST(ArrayTest, SetAtGrowSetSizeAndZeroedNewElements)
{
    CArray<int, int> nums;
    nums.SetAtGrow(3, 7);
    ASSERT_EQ(nums.GetSize(), 4);
    EXPECT_EQ(nums[0], 0);
    EXPECT_EQ(nums[2], 0);
    EXPECT_EQ(nums[3], 7);
    nums.SetAtGrow(1, 5);
    EXPECT_EQ(nums.GetSize(), 4);
    EXPECT_EQ(nums.GetAt(1), 5);
    nums.SetSize(2);
    nums.SetSize(5, 16);
    EXPECT_EQ(nums[1], 5);
    EXPECT_EQ(nums[2], 0);
    EXPECT_EQ(nums[4], 0);
    nums.ElementAt(4) = 9;
    EXPECT_EQ(nums.GetData()[4], 9);
    nums.FreeExtra();
    EXPECT_EQ(nums.GetSize(), 5);

    CStringArray strs;
    strs.SetAtGrow(2, "x");
    EXPECT_EQ(Items(strs), (Strings{ "", "", "x" }));
}

TEST(ArrayTest, ElementOfTheSameArraySurvivesGrowth)
{
    CArray<CString, const CString&> arr;
    arr.Add("first element, long enough to live on the heap");
    for (int i = 0; i < 100; ++i)
        arr.Add(arr[0]);
    for (int i = 0; i < 20; ++i)
        arr.InsertAt(0, arr[arr.GetUpperBound()]);
    ASSERT_EQ(arr.GetSize(), 121);
    for (INT_PTR i = 0; i < arr.GetSize(); ++i)
        ASSERT_EQ(arr[i], "first element, long enough to live on the heap") << i;
}

TEST(ArrayTest, CopyAppendAndInsertArray)
{
    CStringArray a, b;
    a.Add("1");
    a.Add("2");
    b.Add("x");
    b.Copy(a);
    EXPECT_EQ(Items(b), (Strings{ "1", "2" }));
    b[0] = "changed";
    EXPECT_EQ(a[0], "1"); // deep copy

    EXPECT_EQ(b.Append(a), 2);
    EXPECT_EQ(Items(b), (Strings{ "changed", "2", "1", "2" }));
    EXPECT_EQ(a.Append(a), 2);
    EXPECT_EQ(Items(a), (Strings{ "1", "2", "1", "2" }));

    CStringArray c;
    c.Add("A");
    c.Add("B");
    b.InsertAt(1, &c);
    EXPECT_EQ(Items(b), (Strings{ "changed", "A", "B", "2", "1", "2" }));
    c.InsertAt(1, &c);
    EXPECT_EQ(Items(c), (Strings{ "A", "A", "B", "B" }));
}

TEST(ArrayTest, ArgumentTypeDifferentFromElementType)
{
    CArray<CString, LPCTSTR> arr;
    arr.Add("one");
    arr.InsertAt(0, "zero");
    arr.SetAtGrow(3, "three");
    ASSERT_EQ(arr.GetSize(), 4);
    EXPECT_EQ(arr[0], "zero");
    EXPECT_EQ(arr[1], "one");
    EXPECT_EQ(arr[2], "");
    EXPECT_EQ(arr[3], "three");

    CArray<CString, CString> byValue;
    byValue.Add(CString("v"));
    EXPECT_EQ(byValue[0], "v");
}

TEST(ArrayTest, RefusesBadIndexesWithoutTouchingTheArray)
{
    CDWordArray arr;
    arr.Add(1);
    arr.Add(2);
#ifdef NDEBUG
    arr.RemoveAt(1, 5);
    arr.RemoveAt(-1);
    EXPECT_EQ(arr.GetSize(), 2);
#endif
    arr.RemoveAt(1, 0);
    EXPECT_EQ(arr.GetSize(), 2);
    EXPECT_EQ(arr[1], 2u);
}

TEST(MapTest, CollidingKeysLookupRemoveAndIterateOnce)
{
    // A single bucket: every key collides.
    CMap<int, int, CString, const CString&> map;
    map.InitHashTable(1);
    for (int i = 0; i < 50; ++i) {
        CString s;
        s.Format("v%d", i);
        map.SetAt(i, s);
    }
    EXPECT_EQ(map.GetCount(), 50);
    CString value;
    ASSERT_TRUE(map.Lookup(17, value));
    EXPECT_EQ(value, "v17");
    EXPECT_FALSE(map.Lookup(50, value));

    EXPECT_TRUE(map.RemoveKey(0));
    EXPECT_TRUE(map.RemoveKey(49));
    EXPECT_TRUE(map.RemoveKey(25));
    EXPECT_FALSE(map.RemoveKey(25));
    EXPECT_EQ(map.GetSize(), 47);
    EXPECT_FALSE(map.Lookup(25, value));
    EXPECT_TRUE(map.Lookup(24, value));
    EXPECT_TRUE(map.Lookup(26, value));

    std::multiset<int> seen;
    POSITION pos = map.GetStartPosition();
    while (pos) {
        int key;
        map.GetNextAssoc(pos, key, value);
        CString expected;
        expected.Format("v%d", key);
        EXPECT_EQ(value, expected);
        seen.insert(key);
    }
    EXPECT_EQ(seen.size(), 47u);
    EXPECT_EQ(std::set<int>(seen.begin(), seen.end()).size(), 47u);
    EXPECT_EQ(seen.count(25), 0u);
}

TEST(MapTest, GrowsAndRemovesDuringIteration)
{
    CMap<DWORD_PTR, DWORD_PTR, int, int> map;
    for (int i = 0; i < 5000; ++i)
        map[static_cast<DWORD_PTR>(i) * 16] = i;
    EXPECT_EQ(map.GetCount(), 5000);
    EXPECT_GT(map.GetHashTableSize(), 17u);

    // The MFC idiom: remove the entry just returned while walking.
    int nVisited = 0;
    POSITION pos = map.GetStartPosition();
    while (pos) {
        DWORD_PTR key;
        int value;
        map.GetNextAssoc(pos, key, value);
        EXPECT_EQ(key, static_cast<DWORD_PTR>(value) * 16);
        ++nVisited;
        if (value % 2)
            map.RemoveKey(key);
    }
    EXPECT_EQ(nVisited, 5000);
    EXPECT_EQ(map.GetCount(), 2500);
    int v = -1;
    EXPECT_TRUE(map.Lookup(4998 * 16, v));
    EXPECT_EQ(v, 4998);
    EXPECT_FALSE(map.Lookup(4999 * 16, v));
    map.RemoveAll();
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(map.GetStartPosition(), nullptr);
    map[3] = 4; // usable after RemoveAll
    EXPECT_EQ(map[3], 4);
}

TEST(MapTest, StringKeysAndIndexOperatorInsertsDefault)
{
    CMapStringToString map;
    map.SetAt("Bid", "1");
    map["Ask"] = "2";
    CString& fresh = map["Last"];
    EXPECT_TRUE(fresh.IsEmpty());
    EXPECT_EQ(map.GetCount(), 3);
    CString value;
    EXPECT_TRUE(map.Lookup("Bid", value));
    EXPECT_EQ(value, "1");
    EXPECT_FALSE(map.Lookup("bid", value));
    map.SetAt("Bid", "3");
    EXPECT_EQ(map.GetCount(), 3);
    EXPECT_TRUE(map.Lookup(CString("Bid"), value));
    EXPECT_EQ(value, "3");
    ASSERT_NE(map.PLookup("Ask"), nullptr);
    EXPECT_EQ(map.PLookup("Ask")->value, "2");
    EXPECT_EQ(map.PLookup("Nope"), nullptr);

    std::map<std::string, std::string> all;
    for (const CMapStringToString::CPair* p = map.PGetFirstAssoc(); p; p = map.PGetNextAssoc(p))
        all[p->key.GetString()] = p->value.GetString();
    EXPECT_EQ(all, (std::map<std::string, std::string>{ { "Ask", "2" }, { "Bid", "3" }, { "Last", "" } }));

    CMap<int, int, int, int> ints;
    EXPECT_EQ(ints[42], 0); // value-initialized
    CMapStringToPtr ptrs;
    EXPECT_EQ(ptrs["x"], nullptr);
    CMapWordToPtr words;
    words[WORD(7)] = &ints;
    void* p = nullptr;
    EXPECT_TRUE(words.Lookup(7, p));
    EXPECT_EQ(p, &ints);
}

TEST(MapTest, HashKeyForStringsMatchesAcrossSpellings)
{
    EXPECT_EQ(HashKey<LPCTSTR>("Price"), HashKey<const CString&>(CString("Price")));
    EXPECT_NE(HashKey<LPCTSTR>("Price"), HashKey<LPCTSTR>("price"));
    EXPECT_EQ(HashKey<int>(5), HashKey<int>(5));
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
    EXPECT_EQ(list.GetCount(), 5);
    EXPECT_EQ(list.GetAt(posC), "c");

    EXPECT_EQ(list.Find("b"), posB);
    EXPECT_EQ(list.Find("b", posB), nullptr); // search starts after posB
    list.AddTail("b");
    POSITION posB2 = list.Find("b", posB);
    ASSERT_NE(posB2, nullptr);
    EXPECT_EQ(list.GetTailPosition(), posB2);
    EXPECT_EQ(list.Find("zz"), nullptr);

    EXPECT_EQ(list.FindIndex(2), posC);
    EXPECT_EQ(list.FindIndex(6), nullptr);
    EXPECT_EQ(list.FindIndex(-1), nullptr);

    list.RemoveAt(posB);
    list.RemoveAt(list.GetHeadPosition());
    list.RemoveAt(list.GetTailPosition());
    EXPECT_EQ(Items(list), (Strings{ "c", "d", "e" }));
    EXPECT_EQ(list.GetHead(), "c");
    EXPECT_EQ(list.GetTail(), "e");

    list.SetAt(list.FindIndex(1), "D");
    EXPECT_EQ(list.RemoveHead(), "c");
    EXPECT_EQ(list.RemoveTail(), "e");
    EXPECT_EQ(Items(list), (Strings{ "D" }));
    EXPECT_EQ(list.RemoveHead(), "D");
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    EXPECT_EQ(list.GetTailPosition(), nullptr);

    // NULL positions: InsertBefore adds at the head, InsertAfter at the tail.
    list.InsertAfter(nullptr, "y");
    list.InsertBefore(nullptr, "x");
    list.InsertAfter(nullptr, "z");
    EXPECT_EQ(Items(list), (Strings{ "x", "y", "z" }));
}

TEST(ListTest, BackwardWalkAndListAppend)
{
    CPtrList list;
    int a = 1, b = 2, c = 3;
    list.AddTail(&a);
    list.AddTail(&b);
    list.AddTail(&c);
    std::vector<void*> back;
    for (POSITION pos = list.GetTailPosition(); pos;)
        back.push_back(list.GetPrev(pos));
    EXPECT_EQ(back, (std::vector<void*>{ &c, &b, &a }));
    EXPECT_NE(list.Find(&b), nullptr);

    CPtrList other;
    other.AddTail(&c);
    list.AddTail(&other);
    list.AddHead(&other);
    EXPECT_EQ(list.GetCount(), 5);
    EXPECT_EQ(list.GetHead(), &c);
    EXPECT_EQ(list.GetTail(), &c);
    list.AddTail(&list);
    EXPECT_EQ(list.GetCount(), 10);

    // Many nodes across several blocks, then freed and reused.
    CList<int, int> ints(4);
    for (int i = 0; i < 1000; ++i)
        ints.AddTail(i);
    int sum = 0;
    for (POSITION pos = ints.GetHeadPosition(); pos;)
        sum += ints.GetNext(pos);
    EXPECT_EQ(sum, 999 * 1000 / 2);
    while (ints.GetCount() > 1)
        ints.RemoveHead();
    EXPECT_EQ(ints.GetHead(), 999);
}

// ---- run-time classes ------------------------------------------------------------------------

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

TEST(RuntimeClassTest, IsKindOfThroughThreeLevels)
{
    CCube cube;
    CObject* pObj = &cube;
    EXPECT_TRUE(pObj->IsKindOf(RUNTIME_CLASS(CCube)));
    EXPECT_TRUE(pObj->IsKindOf(RUNTIME_CLASS(CBox)));
    EXPECT_TRUE(pObj->IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(pObj->IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(pObj->IsKindOf(RUNTIME_CLASS(COther)));
    COther other;
    EXPECT_FALSE(other.IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_STREQ(other.GetRuntimeClass()->m_lpszClassName, "COther");

    CBox box;
    EXPECT_FALSE(box.IsKindOf(RUNTIME_CLASS(CCube)));
    EXPECT_TRUE(box.IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_STREQ(pObj->GetRuntimeClass()->m_lpszClassName, "CCube");
    EXPECT_EQ(RUNTIME_CLASS(CCube)->m_nObjectSize, static_cast<int>(sizeof(CCube)));
    EXPECT_EQ(RUNTIME_CLASS(CCube)->m_pBaseClass, RUNTIME_CLASS(CBox));
    EXPECT_TRUE(RUNTIME_CLASS(CCube)->IsDerivedFrom(RUNTIME_CLASS(CShape)));
    EXPECT_FALSE(RUNTIME_CLASS(CShape)->IsDerivedFrom(RUNTIME_CLASS(CCube)));

    EXPECT_EQ(DYNAMIC_DOWNCAST(CBox, pObj), &cube);
    EXPECT_EQ(DYNAMIC_DOWNCAST(COther, pObj), nullptr);

    CStringArray strs;
    CObList obs;
    EXPECT_TRUE(strs.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_TRUE(strs.IsKindOf(RUNTIME_CLASS(CStringArray)));
    EXPECT_FALSE(obs.IsKindOf(RUNTIME_CLASS(CStringArray)));
}

TEST(RuntimeClassTest, CreateObjectOnlyForDynCreate)
{
    CObject* pNew = RUNTIME_CLASS(CCube)->CreateObject();
    ASSERT_NE(pNew, nullptr);
    EXPECT_TRUE(pNew->IsKindOf(RUNTIME_CLASS(CCube)));
    EXPECT_EQ(static_cast<CBox*>(pNew)->m_nSide, 4);
    delete pNew; // virtual destructor
    EXPECT_EQ(RUNTIME_CLASS(CShape)->CreateObject(), nullptr);
}

} // namespace
