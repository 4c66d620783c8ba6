// The framework's collection templates: CArray (contiguous, indexed), CList (doubly linked,
// walked by POSITION) and CMap (hash table, walked by POSITION), with the MFC helper templates
// CompareElements and HashKey they are built on. Header-only.
#pragma once

#include "afxobj.h"
#include "afxstr.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

namespace afx_detail {
template <class> inline constexpr bool kAlwaysFalse = false;
} // namespace afx_detail

// ---- helpers ---------------------------------------------------------------------------------

template <class TYPE, class ARG_TYPE>
inline BOOL CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2)
{
    return *pElement1 == *pElement2;
}

// Hash of a map key. Integers and pointers are covered here; strings by the specializations
// below; other key types need their own specialization, as in MFC.
template <class ARG_KEY>
inline UINT HashKey(ARG_KEY key)
{
    using K = std::decay_t<ARG_KEY>;
    if constexpr (std::is_integral<K>::value || std::is_enum<K>::value) {
        unsigned long long v = static_cast<unsigned long long>(key);
        return static_cast<UINT>(v ^ (v >> 32));
    } else if constexpr (std::is_pointer<K>::value) {
        // Heap pointers are aligned: their low bits carry no information.
        uintptr_t v = reinterpret_cast<uintptr_t>(key);
        return static_cast<UINT>((v >> 4) ^ (static_cast<unsigned long long>(v) >> 36));
    } else {
        static_assert(afx_detail::kAlwaysFalse<ARG_KEY>, "HashKey: specialize HashKey for this key type");
        return 0;
    }
}

inline UINT AfxHashString(LPCTSTR key)
{
    UINT nHash = 0;
    if (key) {
        while (*key)
            nHash = (nHash << 5) + nHash + static_cast<unsigned char>(*key++);
    }
    return nHash;
}

template <> inline UINT HashKey<LPCTSTR>(LPCTSTR key) { return AfxHashString(key); }
template <> inline UINT HashKey<LPTSTR>(LPTSTR key) { return AfxHashString(key); }
template <> inline UINT HashKey<const CString&>(const CString& key) { return AfxHashString(key); }
template <> inline UINT HashKey<CString>(CString key) { return AfxHashString(key); }

namespace afx_detail {

// Blocks of fixed-size nodes for CList and CMap: one allocation per nBlockSize nodes, and
// freed nodes are reused before a new block is taken.
struct alignas(std::max_align_t) CPlex
{
    CPlex* pNext;

    static void* NewBlock(CPlex*& pHead, size_t nNodes, size_t cbNode)
    {
        void* p = std::malloc(sizeof(CPlex) + nNodes * cbNode);
        if (!p)
            throw std::bad_alloc();
        CPlex* pBlock = static_cast<CPlex*>(p);
        pBlock->pNext = pHead;
        pHead = pBlock;
        return pBlock + 1;
    }
    static void FreeChain(CPlex*& pHead)
    {
        while (pHead) {
            CPlex* pNext = pHead->pNext;
            std::free(pHead);
            pHead = pNext;
        }
    }
};

template <class NODE>
class CNodePool
{
public:
    explicit CNodePool(INT_PTR nBlockSize) : m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10) {}
    ~CNodePool() { CPlex::FreeChain(m_pBlocks); }
    CNodePool(const CNodePool&) = delete;
    CNodePool& operator=(const CNodePool&) = delete;

    // Raw memory for one node.
    void* Take()
    {
        if (!m_pFree) {
            char* p = static_cast<char*>(CPlex::NewBlock(m_pBlocks, static_cast<size_t>(m_nBlockSize), sizeof(SSlot)));
            for (INT_PTR i = m_nBlockSize - 1; i >= 0; --i) {
                SSlot* pSlot = reinterpret_cast<SSlot*>(p + static_cast<size_t>(i) * sizeof(SSlot));
                pSlot->pNextFree = m_pFree;
                m_pFree = pSlot;
            }
        }
        SSlot* pSlot = m_pFree;
        m_pFree = pSlot->pNextFree;
        return pSlot;
    }
    void Give(void* p)
    {
        SSlot* pSlot = static_cast<SSlot*>(p);
        pSlot->pNextFree = m_pFree;
        m_pFree = pSlot;
    }
    // Drops every block; the caller has destroyed the nodes.
    void FreeAll()
    {
        CPlex::FreeChain(m_pBlocks);
        m_pFree = nullptr;
    }

private:
    union SSlot {
        SSlot* pNextFree;
        alignas(NODE) unsigned char node[sizeof(NODE)];
    };
    CPlex* m_pBlocks = nullptr;
    SSlot* m_pFree = nullptr;
    INT_PTR m_nBlockSize;
};

} // namespace afx_detail

// ---- CArray ----------------------------------------------------------------------------------

// Growable array. Elements are constructed and destroyed properly; new elements are
// value-initialized (zero for numbers and pointers), as MFC's zeroed storage gives.
template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject
{
    static_assert(alignof(TYPE) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__, "over-aligned CArray element");

public:
    CArray() = default;
    ~CArray() override { SetSize(0, -1); }

    INT_PTR GetSize() const { return m_nSize; }
    INT_PTR GetCount() const { return m_nSize; }
    BOOL IsEmpty() const { return m_nSize == 0; }
    INT_PTR GetUpperBound() const { return m_nSize - 1; }

    // nGrowBy (when not -1) is the least number of slots added when the array must grow.
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
    void FreeExtra();
    void RemoveAll() { SetSize(0, -1); }

    const TYPE& GetAt(INT_PTR nIndex) const { ASSERT(IsValidIndex(nIndex)); return m_pData[nIndex]; }
    TYPE& GetAt(INT_PTR nIndex) { ASSERT(IsValidIndex(nIndex)); return m_pData[nIndex]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { ASSERT(IsValidIndex(nIndex)); m_pData[nIndex] = newElement; }
    const TYPE& ElementAt(INT_PTR nIndex) const { ASSERT(IsValidIndex(nIndex)); return m_pData[nIndex]; }
    TYPE& ElementAt(INT_PTR nIndex) { ASSERT(IsValidIndex(nIndex)); return m_pData[nIndex]; }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return GetAt(nIndex); }
    const TYPE* GetData() const { return m_pData; }
    TYPE* GetData() { return m_pData; }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement);
    INT_PTR Add(ARG_TYPE newElement)
    {
        INT_PTR nIndex = m_nSize;
        SetAtGrow(nIndex, newElement);
        return nIndex;
    }
    // Appends src's elements; returns the index of the first of them.
    INT_PTR Append(const CArray& src);
    void Copy(const CArray& src);

    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1);
    void InsertAt(INT_PTR nStartIndex, CArray* pNewArray);
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);

protected:
    bool IsValidIndex(INT_PTR nIndex) const { return nIndex >= 0 && nIndex < m_nSize; }
    // True when the argument lives in our storage, so growing would invalidate it.
    bool Owns(const void* p) const
    {
        std::less<const void*> less;
        return !less(p, m_pData) && less(p, m_pData + m_nMaxSize);
    }
    void Reallocate(INT_PTR nNewMax);

    TYPE* m_pData = nullptr;
    INT_PTR m_nSize = 0;
    INT_PTR m_nMaxSize = 0;
    INT_PTR m_nGrowBy = 0;
};

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Reallocate(INT_PTR nNewMax)
{
    TYPE* pNew = nNewMax > 0 ? static_cast<TYPE*>(::operator new(static_cast<size_t>(nNewMax) * sizeof(TYPE))) : nullptr;
    if constexpr (std::is_trivially_copyable<TYPE>::value) {
        if (m_nSize > 0)
            std::memcpy(static_cast<void*>(pNew), m_pData, static_cast<size_t>(m_nSize) * sizeof(TYPE));
    } else {
        for (INT_PTR i = 0; i < m_nSize; ++i) {
            ::new (static_cast<void*>(pNew + i)) TYPE(std::move(m_pData[i]));
            m_pData[i].~TYPE();
        }
    }
    ::operator delete(m_pData);
    m_pData = pNew;
    m_nMaxSize = nNewMax;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetSize(INT_PTR nNewSize, INT_PTR nGrowBy)
{
    ASSERT(nNewSize >= 0);
    if (nNewSize < 0)
        return;
    if (nGrowBy >= 0)
        m_nGrowBy = nGrowBy;

    if (nNewSize == 0) {
        std::destroy(m_pData, m_pData + m_nSize);
        ::operator delete(m_pData);
        m_pData = nullptr;
        m_nSize = m_nMaxSize = 0;
        return;
    }
    if (nNewSize > m_nMaxSize) {
        // Geometric growth keeps Add amortised O(1); a first SetSize allocates exactly.
        INT_PTR nGrow = std::max<INT_PTR>(m_nGrowBy, m_nMaxSize / 2);
        if (nGrow < 4)
            nGrow = 4;
        INT_PTR nNewMax = m_nMaxSize == 0 ? std::max(nNewSize, m_nGrowBy)
                                         : std::max(nNewSize, m_nMaxSize + nGrow);
        Reallocate(nNewMax);
    }
    for (INT_PTR i = m_nSize; i < nNewSize; ++i)
        ::new (static_cast<void*>(m_pData + i)) TYPE();
    if (nNewSize < m_nSize)
        std::destroy(m_pData + nNewSize, m_pData + m_nSize);
    m_nSize = nNewSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::FreeExtra()
{
    if (m_nSize != m_nMaxSize)
        Reallocate(m_nSize);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
{
    ASSERT(nIndex >= 0);
    if (nIndex < 0)
        return;
    if (nIndex >= m_nSize) {
        if constexpr (std::is_same<std::decay_t<ARG_TYPE>, TYPE>::value) {
            if (nIndex >= m_nMaxSize && Owns(std::addressof(newElement))) {
                TYPE copy(newElement); // arr.Add(arr[0]) must survive the reallocation
                SetSize(nIndex + 1);
                m_pData[nIndex] = std::move(copy);
                return;
            }
        }
        SetSize(nIndex + 1);
    }
    m_pData[nIndex] = newElement;
}

template <class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Append(const CArray& src)
{
    INT_PTR nOldSize = m_nSize;
    INT_PTR nCount = src.m_nSize;
    SetSize(nOldSize + nCount);
    for (INT_PTR i = 0; i < nCount; ++i)
        m_pData[nOldSize + i] = src.m_pData[i]; // src may be *this: read after the resize
    return nOldSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Copy(const CArray& src)
{
    if (this == &src)
        return;
    SetSize(src.m_nSize);
    for (INT_PTR i = 0; i < src.m_nSize; ++i)
        m_pData[i] = src.m_pData[i];
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount)
{
    ASSERT(nIndex >= 0 && nCount > 0);
    if (nIndex < 0 || nCount <= 0)
        return;
    if constexpr (std::is_same<std::decay_t<ARG_TYPE>, TYPE>::value) {
        if (Owns(std::addressof(newElement))) {
            TYPE copy(newElement);
            InsertAt(nIndex, copy, nCount);
            return;
        }
    }
    if (nIndex >= m_nSize) {
        SetSize(nIndex + nCount); // inserting past the end grows the array
    } else {
        INT_PTR nOldSize = m_nSize;
        SetSize(m_nSize + nCount);
        std::move_backward(m_pData + nIndex, m_pData + nOldSize, m_pData + nOldSize + nCount);
    }
    for (INT_PTR i = nIndex; i < nIndex + nCount; ++i)
        m_pData[i] = newElement;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nStartIndex, CArray* pNewArray)
{
    ASSERT(pNewArray != nullptr && nStartIndex >= 0);
    if (!pNewArray || nStartIndex < 0 || pNewArray->m_nSize == 0)
        return;
    if (pNewArray == this) {
        CArray copy;
        copy.Copy(*this);
        InsertAt(nStartIndex, &copy);
        return;
    }
    INT_PTR nCount = pNewArray->m_nSize;
    if (nStartIndex >= m_nSize) {
        SetSize(nStartIndex + nCount);
    } else {
        INT_PTR nOldSize = m_nSize;
        SetSize(m_nSize + nCount);
        std::move_backward(m_pData + nStartIndex, m_pData + nOldSize, m_pData + nOldSize + nCount);
    }
    for (INT_PTR i = 0; i < nCount; ++i)
        m_pData[nStartIndex + i] = pNewArray->m_pData[i];
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::RemoveAt(INT_PTR nIndex, INT_PTR nCount)
{
    ASSERT(nIndex >= 0 && nCount >= 0 && nIndex + nCount <= m_nSize);
    if (nIndex < 0 || nCount <= 0 || nIndex + nCount > m_nSize)
        return;
    std::move(m_pData + nIndex + nCount, m_pData + m_nSize, m_pData + nIndex);
    std::destroy(m_pData + m_nSize - nCount, m_pData + m_nSize);
    m_nSize -= nCount;
}

// ---- CList -----------------------------------------------------------------------------------

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject
{
protected:
    struct CNode
    {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

public:
    explicit CList(INT_PTR nBlockSize = 10) : m_pool(nBlockSize) {}
    ~CList() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { ASSERT(m_pNodeHead); return m_pNodeHead->data; }
    const TYPE& GetHead() const { ASSERT(m_pNodeHead); return m_pNodeHead->data; }
    TYPE& GetTail() { ASSERT(m_pNodeTail); return m_pNodeTail->data; }
    const TYPE& GetTail() const { ASSERT(m_pNodeTail); return m_pNodeTail->data; }

    // The list must not be empty.
    TYPE RemoveHead();
    TYPE RemoveTail();

    POSITION AddHead(ARG_TYPE newElement) { return InsertBefore(GetHeadPosition(), newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return InsertAfter(GetTailPosition(), newElement); }
    void AddHead(CList* pNewList);
    void AddTail(CList* pNewList);
    void RemoveAll();

    POSITION GetHeadPosition() const { return reinterpret_cast<POSITION>(m_pNodeHead); }
    POSITION GetTailPosition() const { return reinterpret_cast<POSITION>(m_pNodeTail); }
    // The element at rPosition; rPosition moves to the next (NULL after the tail).
    TYPE& GetNext(POSITION& rPosition) { CNode* p = Node(rPosition); rPosition = Pos(p->pNext); return p->data; }
    const TYPE& GetNext(POSITION& rPosition) const { CNode* p = Node(rPosition); rPosition = Pos(p->pNext); return p->data; }
    TYPE& GetPrev(POSITION& rPosition) { CNode* p = Node(rPosition); rPosition = Pos(p->pPrev); return p->data; }
    const TYPE& GetPrev(POSITION& rPosition) const { CNode* p = Node(rPosition); rPosition = Pos(p->pPrev); return p->data; }
    TYPE& GetAt(POSITION position) { return Node(position)->data; }
    const TYPE& GetAt(POSITION position) const { return Node(position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { Node(pos)->data = newElement; }
    void RemoveAt(POSITION position);

    // NULL position: InsertBefore adds at the head, InsertAfter at the tail.
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement);
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement);

    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const;
    POSITION FindIndex(INT_PTR nIndex) const;

protected:
    static CNode* Node(POSITION pos) { ASSERT(pos != nullptr); return reinterpret_cast<CNode*>(pos); }
    static POSITION Pos(CNode* p) { return reinterpret_cast<POSITION>(p); }
    CNode* NewNode(CNode* pPrev, CNode* pNext, ARG_TYPE value)
    {
        void* p = m_pool.Take();
        CNode* pNode = ::new (p) CNode{ pNext, pPrev, TYPE(value) };
        ++m_nCount;
        return pNode;
    }
    void FreeNode(CNode* pNode)
    {
        pNode->~CNode();
        m_pool.Give(pNode);
        if (--m_nCount == 0)
            m_pool.FreeAll(); // an emptied list gives its blocks back
    }

    CNode* m_pNodeHead = nullptr;
    CNode* m_pNodeTail = nullptr;
    INT_PTR m_nCount = 0;
    afx_detail::CNodePool<CNode> m_pool;
};

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveHead()
{
    ASSERT(m_pNodeHead != nullptr);
    CNode* pOld = m_pNodeHead;
    TYPE value(std::move(pOld->data));
    RemoveAt(Pos(pOld));
    return value;
}

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveTail()
{
    ASSERT(m_pNodeTail != nullptr);
    CNode* pOld = m_pNodeTail;
    TYPE value(std::move(pOld->data));
    RemoveAt(Pos(pOld));
    return value;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddHead(CList* pNewList)
{
    ASSERT(pNewList != nullptr);
    if (!pNewList || pNewList == this)
        return;
    // Walk backwards so the new elements keep their order in front of ours.
    for (POSITION pos = pNewList->GetTailPosition(); pos;)
        AddHead(pNewList->GetPrev(pos));
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddTail(CList* pNewList)
{
    ASSERT(pNewList != nullptr);
    if (!pNewList)
        return;
    INT_PTR nCount = pNewList->m_nCount; // *this may be pNewList
    POSITION pos = pNewList->GetHeadPosition();
    for (INT_PTR i = 0; i < nCount; ++i)
        AddTail(pNewList->GetNext(pos));
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAll()
{
    for (CNode* p = m_pNodeHead; p;) {
        CNode* pNext = p->pNext;
        p->~CNode();
        p = pNext;
    }
    m_pNodeHead = m_pNodeTail = nullptr;
    m_nCount = 0;
    m_pool.FreeAll();
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAt(POSITION position)
{
    CNode* pOld = Node(position);
    if (pOld->pPrev)
        pOld->pPrev->pNext = pOld->pNext;
    else
        m_pNodeHead = pOld->pNext;
    if (pOld->pNext)
        pOld->pNext->pPrev = pOld->pPrev;
    else
        m_pNodeTail = pOld->pPrev;
    FreeNode(pOld);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertBefore(POSITION position, ARG_TYPE newElement)
{
    CNode* pOld = reinterpret_cast<CNode*>(position);
    if (!pOld)
        pOld = m_pNodeHead;
    CNode* pNew = NewNode(pOld ? pOld->pPrev : nullptr, pOld, newElement);
    if (pOld) {
        if (pOld->pPrev)
            pOld->pPrev->pNext = pNew;
        else
            m_pNodeHead = pNew;
        pOld->pPrev = pNew;
    } else {
        m_pNodeHead = m_pNodeTail = pNew;
    }
    return Pos(pNew);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertAfter(POSITION position, ARG_TYPE newElement)
{
    CNode* pOld = reinterpret_cast<CNode*>(position);
    if (!pOld)
        pOld = m_pNodeTail;
    CNode* pNew = NewNode(pOld, pOld ? pOld->pNext : nullptr, newElement);
    if (pOld) {
        if (pOld->pNext)
            pOld->pNext->pPrev = pNew;
        else
            m_pNodeTail = pNew;
        pOld->pNext = pNew;
    } else {
        m_pNodeHead = m_pNodeTail = pNew;
    }
    return Pos(pNew);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::Find(ARG_TYPE searchValue, POSITION startAfter) const
{
    CNode* p = startAfter ? Node(startAfter)->pNext : m_pNodeHead;
    for (; p; p = p->pNext) {
        if (CompareElements<TYPE>(&p->data, std::addressof(searchValue)))
            return Pos(p);
    }
    return nullptr;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::FindIndex(INT_PTR nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return nullptr;
    CNode* p = m_pNodeHead;
    while (nIndex--)
        p = p->pNext;
    return Pos(p);
}

// ---- CMap ------------------------------------------------------------------------------------

// Hash map. Unlike MFC's, the table grows (entries are re-linked, never moved) once it holds
// twice as many entries as buckets, so a map filled without InitHashTable stays fast.
// Removing the entry just returned by GetNextAssoc is safe; inserting while iterating is not.
template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject
{
public:
    class CPair
    {
    public:
        const KEY key;
        VALUE value;

    protected:
        explicit CPair(ARG_KEY keyval) : key(keyval), value() {}
    };

protected:
    class CAssoc : public CPair
    {
        friend class CMap;
        CAssoc* pNext = nullptr;
        UINT nHashValue = 0; // the full hash; the bucket is nHashValue % m_nHashTableSize

    public:
        explicit CAssoc(ARG_KEY keyval) : CPair(keyval) {}
    };

public:
    explicit CMap(INT_PTR nBlockSize = 10) : m_pool(nBlockSize) {}
    ~CMap() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const
    {
        const CAssoc* pAssoc = Find(key, HashKey<ARG_KEY>(key));
        if (!pAssoc)
            return FALSE;
        rValue = pAssoc->value;
        return TRUE;
    }
    const CPair* PLookup(ARG_KEY key) const { return Find(key, HashKey<ARG_KEY>(key)); }
    CPair* PLookup(ARG_KEY key) { return Find(key, HashKey<ARG_KEY>(key)); }

    // The value of key, inserted (value-initialized) when missing.
    VALUE& operator[](ARG_KEY key);
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
    BOOL RemoveKey(ARG_KEY key);
    void RemoveAll();

    POSITION GetStartPosition() const { return m_nCount == 0 ? nullptr : BEFORE_START_POSITION; }
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const;
    const CPair* PGetFirstAssoc() const { return FirstAssoc(); }
    CPair* PGetFirstAssoc() { return FirstAssoc(); }
    const CPair* PGetNextAssoc(const CPair* pAssoc) const { return NextAssoc(static_cast<const CAssoc*>(pAssoc)); }
    CPair* PGetNextAssoc(const CPair* pAssoc) { return NextAssoc(static_cast<const CAssoc*>(pAssoc)); }

    UINT GetHashTableSize() const { return m_nHashTableSize; }
    // Sets the number of buckets (a prime a little above the expected count is best).
    void InitHashTable(UINT nHashSize, BOOL bAllocNow = TRUE);

protected:
    CAssoc* Find(ARG_KEY key, UINT nHash) const
    {
        if (!m_pHashTable)
            return nullptr;
        for (CAssoc* p = m_pHashTable[nHash % m_nHashTableSize]; p; p = p->pNext) {
            if (p->nHashValue == nHash && CompareElements<KEY>(&p->key, std::addressof(key)))
                return p;
        }
        return nullptr;
    }
    CAssoc* FirstAssoc() const
    {
        if (m_pHashTable) {
            for (UINT n = 0; n < m_nHashTableSize; ++n) {
                if (m_pHashTable[n])
                    return m_pHashTable[n];
            }
        }
        return nullptr;
    }
    CAssoc* NextAssoc(const CAssoc* pAssoc) const
    {
        if (pAssoc->pNext)
            return pAssoc->pNext;
        for (UINT n = pAssoc->nHashValue % m_nHashTableSize + 1; n < m_nHashTableSize; ++n) {
            if (m_pHashTable[n])
                return m_pHashTable[n];
        }
        return nullptr;
    }
    void Rehash(UINT nNewSize);

    CAssoc** m_pHashTable = nullptr;
    UINT m_nHashTableSize = 17;
    INT_PTR m_nCount = 0;
    afx_detail::CNodePool<CAssoc> m_pool;
};

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Rehash(UINT nNewSize)
{
    CAssoc** pNewTable = new CAssoc*[nNewSize]();
    if (m_pHashTable) {
        for (UINT n = 0; n < m_nHashTableSize; ++n) {
            for (CAssoc* p = m_pHashTable[n]; p;) {
                CAssoc* pNext = p->pNext;
                CAssoc*& rBucket = pNewTable[p->nHashValue % nNewSize];
                p->pNext = rBucket;
                rBucket = p;
                p = pNext;
            }
        }
        delete[] m_pHashTable;
    }
    m_pHashTable = pNewTable;
    m_nHashTableSize = nNewSize;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::InitHashTable(UINT nHashSize, BOOL bAllocNow)
{
    ASSERT(nHashSize > 0);
    if (nHashSize == 0)
        return;
    if (bAllocNow || m_pHashTable)
        Rehash(nHashSize); // MFC requires an empty map here; existing entries are kept instead
    else
        m_nHashTableSize = nHashSize;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
VALUE& CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::operator[](ARG_KEY key)
{
    UINT nHash = HashKey<ARG_KEY>(key);
    if (CAssoc* pAssoc = Find(key, nHash))
        return pAssoc->value;
    if (!m_pHashTable)
        Rehash(m_nHashTableSize);
    else if (static_cast<UINT>(m_nCount) >= m_nHashTableSize * 2 && m_nHashTableSize < 0x40000000u)
        Rehash(m_nHashTableSize * 2 + 1);
    CAssoc* pAssoc = ::new (m_pool.Take()) CAssoc(key);
    pAssoc->nHashValue = nHash;
    CAssoc*& rBucket = m_pHashTable[nHash % m_nHashTableSize];
    pAssoc->pNext = rBucket;
    rBucket = pAssoc;
    ++m_nCount;
    return pAssoc->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveKey(ARG_KEY key)
{
    if (!m_pHashTable)
        return FALSE;
    UINT nHash = HashKey<ARG_KEY>(key);
    for (CAssoc** ppPrev = &m_pHashTable[nHash % m_nHashTableSize]; *ppPrev; ppPrev = &(*ppPrev)->pNext) {
        CAssoc* p = *ppPrev;
        if (p->nHashValue == nHash && CompareElements<KEY>(&p->key, std::addressof(key))) {
            *ppPrev = p->pNext;
            p->~CAssoc();
            m_pool.Give(p);
            --m_nCount;
            return TRUE;
        }
    }
    return FALSE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveAll()
{
    if (m_pHashTable) {
        for (UINT n = 0; n < m_nHashTableSize; ++n) {
            for (CAssoc* p = m_pHashTable[n]; p;) {
                CAssoc* pNext = p->pNext;
                p->~CAssoc();
                p = pNext;
            }
        }
        delete[] m_pHashTable;
        m_pHashTable = nullptr;
    }
    m_nCount = 0;
    m_pool.FreeAll();
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
{
    ASSERT(rNextPosition != nullptr);
    CAssoc* pAssoc = rNextPosition == BEFORE_START_POSITION ? FirstAssoc()
                                                            : reinterpret_cast<CAssoc*>(rNextPosition);
    ASSERT(pAssoc != nullptr);
    if (!pAssoc) {
        // Walking past the end: a safe refusal that still defines the outputs.
        rNextPosition = nullptr;
        rKey = KEY();
        rValue = VALUE();
        return;
    }
    rNextPosition = reinterpret_cast<POSITION>(NextAssoc(pAssoc));
    rKey = pAssoc->key;
    rValue = pAssoc->value;
}
