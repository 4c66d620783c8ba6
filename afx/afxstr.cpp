#include "afxstr.h"

#ifdef _WIN32
#  include "afxwin.h" // AfxFindResourceHandle, for strings loaded by id
#endif

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <cstdint>
#include <cwchar>
#include <string>
#include <vector>


static_assert(sizeof(CString) == sizeof(void*), "CString must stay pointer-sized");
static_assert(sizeof(void*) == 8, "Format widens integers to the 8-byte variadic slot of 64-bit ABIs");

namespace {

const int kMinAlloc = 15;

char* AllocChars(int nAlloc)
{
    if (nAlloc < kMinAlloc)
        nAlloc = kMinAlloc;
    void* p = std::malloc(sizeof(CStringData) + static_cast<size_t>(nAlloc) + 1);
    if (!p)
        throw std::bad_alloc();
    CStringData* pData = static_cast<CStringData*>(p);
    pData->nDataLength = 0;
    pData->nAllocLength = nAlloc;
    pData->data()[0] = '\0';
    return pData->data();
}

inline void FreeChars(char* pch)
{
    std::free(reinterpret_cast<CStringData*>(pch) - 1);
}

// A length that no longer fits the int every length is kept in: treated like an allocation that
// failed, before anything is written.
[[noreturn]] void ThrowTooLong()
{
    throw std::bad_alloc();
}

inline int AddLengths(int a, int b)
{
    if (b > INT_MAX - a)
        ThrowTooLong();
    return a + b;
}

inline int SafeLen(LPCTSTR psz)
{
    if (!psz)
        return 0;
    size_t n = std::strlen(psz);
    if (n > static_cast<size_t>(INT_MAX))
        ThrowTooLong();
    return static_cast<int>(n);
}

// MAKEINTRESOURCE(id): a pointer whose high bits are all zero.
inline bool IsResourceId(LPCTSTR psz)
{
    return psz != nullptr && (reinterpret_cast<uintptr_t>(psz) >> 16) == 0;
}

// First occurrence of pszSub (nSub > 0 characters, no NULs) in [p, pEnd).
const char* FindIn(const char* p, const char* pEnd, const char* pszSub, int nSub)
{
    while (pEnd - p >= nSub) {
        p = static_cast<const char*>(std::memchr(p, pszSub[0], static_cast<size_t>(pEnd - p - nSub + 1)));
        if (!p)
            return nullptr;
        if (std::memcmp(p, pszSub, static_cast<size_t>(nSub)) == 0)
            return p;
        ++p;
    }
    return nullptr;
}

inline bool IsIn(char ch, LPCTSTR pszSet)
{
    return ch != '\0' && pszSet && std::strchr(pszSet, ch) != nullptr;
}

inline int FoldCase(char ch)
{
    return std::tolower(static_cast<unsigned char>(ch));
}

} // namespace

int AfxStrLen(LPCTSTR psz)
{
    return SafeLen(psz);
}

// ---- construction and assignment -------------------------------------------------------------

CString::CString(const CString& src) : m_pchData(afx_detail::NilChars())
{
    AssignCopy(src.m_pchData, src.GetLength());
}

CString::CString(LPCTSTR psz) : m_pchData(afx_detail::NilChars())
{
    if (IsResourceId(psz))
        LoadString(static_cast<UINT>(reinterpret_cast<uintptr_t>(psz)));
    else
        AssignCopy(psz, SafeLen(psz));
}

CString::CString(const unsigned char* psz) : CString(reinterpret_cast<LPCTSTR>(psz))
{
}

CString::CString(LPCTSTR pch, int nLength) : m_pchData(afx_detail::NilChars())
{
    if (pch && nLength > 0)
        AssignCopy(pch, nLength);
}

CString::CString(char ch, int nRepeat) : m_pchData(afx_detail::NilChars())
{
    if (nRepeat > 0) {
        Reserve(nRepeat, 0);
        std::memset(m_pchData, ch, static_cast<size_t>(nRepeat));
        SetLength(nRepeat);
    }
}

void CString::Release() noexcept
{
    FreeChars(m_pchData);
    m_pchData = afx_detail::NilChars();
}

void CString::Reserve(int nLength, int nKeep)
{
    CStringData* pOld = GetData();
    if (nLength <= pOld->nAllocLength)
        return;
    // Grow by half again so repeated appends are amortised.
    int nAlloc = nLength;
    if (pOld->nAllocLength > 0 && pOld->nAllocLength < INT_MAX / 2) {
        int nGrown = pOld->nAllocLength + pOld->nAllocLength / 2;
        if (nGrown > nAlloc)
            nAlloc = nGrown;
    }
    char* pNew = AllocChars(nAlloc);
    if (nKeep > 0)
        std::memcpy(pNew, m_pchData, static_cast<size_t>(nKeep));
    reinterpret_cast<CStringData*>(pNew)[-1].nDataLength = nKeep;
    pNew[nKeep] = '\0';
    if (pOld->nAllocLength != 0)
        FreeChars(m_pchData);
    m_pchData = pNew;
}

void CString::AssignCopy(LPCTSTR pch, int nLength)
{
    if (nLength <= 0) {
        if (GetData()->nAllocLength != 0)
            SetLength(0);
        return;
    }
    if (nLength <= GetData()->nAllocLength) {
        // pch may point into our own buffer (s = s.GetString() + 1).
        std::memmove(m_pchData, pch, static_cast<size_t>(nLength));
    } else {
        // A source longer than our capacity cannot live in our buffer.
        char* pNew = AllocChars(nLength);
        std::memcpy(pNew, pch, static_cast<size_t>(nLength));
        if (GetData()->nAllocLength != 0)
            FreeChars(m_pchData);
        m_pchData = pNew;
    }
    SetLength(nLength);
}

CString& CString::operator=(const CString& src)
{
    if (this != &src)
        AssignCopy(src.m_pchData, src.GetLength());
    return *this;
}

CString& CString::operator=(LPCTSTR psz)
{
    if (IsResourceId(psz))
        LoadString(static_cast<UINT>(reinterpret_cast<uintptr_t>(psz)));
    else
        AssignCopy(psz, SafeLen(psz));
    return *this;
}

#ifdef _WIN32
BOOL CString::LoadString(UINT nID)
{
    // Strings live in blocks of 16 along the resource chain (host first, then extensions).
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE((nID >> 4) + 1), (LPCTSTR)RT_STRING);
    if (hInst != nullptr) {
        // A string table entry holds at most 65,535 characters.
        for (int nSize = 256; nSize <= 65536 * 2; nSize *= 2) {
            int n = ::LoadStringA(hInst, nID, GetBuffer(nSize), nSize);
            if (n < nSize - 1) {
                ReleaseBuffer(n > 0 ? n : 0);
                return n > 0;
            }
        }
    }
    Empty();
    return FALSE;
}
#else
BOOL CString::LoadString(UINT)
{
    // The native build has no resources.
    Empty();
    return FALSE;
}
#endif

CString& CString::operator=(const unsigned char* psz)
{
    return *this = reinterpret_cast<LPCTSTR>(psz);
}

CString& CString::operator=(char ch)
{
    AssignCopy(&ch, 1);
    return *this;
}

void CString::Empty()
{
    // Keeps the buffer, as a string that is refilled (every paint) should not reallocate.
    if (GetData()->nAllocLength != 0)
        SetLength(0);
}

void CString::SetAt(int nIndex, char ch)
{
    ASSERT(nIndex >= 0 && nIndex < GetLength());
    if (nIndex >= 0 && nIndex < GetLength())
        m_pchData[nIndex] = ch;
}

// ---- appending -------------------------------------------------------------------------------

void CString::Append(LPCTSTR pch, int nLength)
{
    if (!pch || nLength <= 0)
        return;
    int nOld = GetLength();
    const int nNew = AddLengths(nOld, nLength);
    if (nNew > GetData()->nAllocLength) {
        // pch may point into our buffer; keep it alive until the copy is made.
        CStringData* pOld = GetData();
        char* pOldChars = m_pchData;
        int nAlloc = nNew;
        if (pOld->nAllocLength > 0 && pOld->nAllocLength < INT_MAX / 2)
            nAlloc = std::max(nAlloc, pOld->nAllocLength + pOld->nAllocLength / 2);
        char* pNew = AllocChars(nAlloc);
        std::memcpy(pNew, pOldChars, static_cast<size_t>(nOld));
        std::memcpy(pNew + nOld, pch, static_cast<size_t>(nLength));
        if (pOld->nAllocLength != 0)
            FreeChars(pOldChars);
        m_pchData = pNew;
    } else {
        std::memmove(m_pchData + nOld, pch, static_cast<size_t>(nLength));
    }
    SetLength(nNew);
}

void CString::Append(LPCTSTR psz)
{
    Append(psz, SafeLen(psz));
}

CString& CString::operator+=(LPCTSTR psz)
{
    Append(psz, SafeLen(psz));
    return *this;
}

void CString::AppendChar(char ch)
{
    int nOld = GetLength();
    const int nNew = AddLengths(nOld, 1);
    Reserve(nNew, nOld);
    m_pchData[nOld] = ch;
    SetLength(nNew);
}

CString AfxConcat(LPCTSTR p1, int n1, LPCTSTR p2, int n2)
{
    CString s;
    const int nTotal = AddLengths(n1 > 0 ? n1 : 0, n2 > 0 ? n2 : 0);
    if (nTotal > 0) {
        s.Reserve(nTotal, 0);
        if (n1 > 0)
            std::memcpy(s.m_pchData, p1, static_cast<size_t>(n1));
        if (n2 > 0)
            std::memcpy(s.m_pchData + (n1 > 0 ? n1 : 0), p2, static_cast<size_t>(n2));
        s.SetLength(nTotal);
    }
    return s;
}

// ---- comparison ------------------------------------------------------------------------------

int CString::Compare(LPCTSTR psz) const
{
    return std::strcmp(m_pchData, psz ? psz : "");
}

int CString::CompareNoCase(LPCTSTR psz) const
{
    const char* a = m_pchData;
    const char* b = psz ? psz : "";
    for (;; ++a, ++b) {
        int ca = FoldCase(*a), cb = FoldCase(*b);
        if (ca != cb || ca == 0)
            return ca - cb;
    }
}

int CString::Collate(LPCTSTR psz) const
{
    return std::strcoll(m_pchData, psz ? psz : "");
}

int CString::CollateNoCase(LPCTSTR psz) const
{
    return CompareNoCase(psz);
}

// ---- extraction ------------------------------------------------------------------------------

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength() - nFirst);
}

CString CString::Mid(int nFirst, int nCount) const
{
    int nLength = GetLength();
    if (nFirst < 0)
        nFirst = 0;
    if (nCount < 0)
        nCount = 0;
    if (nFirst > nLength)
        nFirst = nLength;
    if (nCount > nLength - nFirst)
        nCount = nLength - nFirst;
    if (nFirst == 0 && nCount == nLength)
        return *this;
    return CString(m_pchData + nFirst, nCount);
}

CString CString::Left(int nCount) const
{
    if (nCount < 0)
        nCount = 0;
    if (nCount >= GetLength())
        return *this;
    return CString(m_pchData, nCount);
}

CString CString::Right(int nCount) const
{
    if (nCount < 0)
        nCount = 0;
    int nLength = GetLength();
    if (nCount >= nLength)
        return *this;
    return CString(m_pchData + nLength - nCount, nCount);
}

CString CString::SpanIncluding(LPCTSTR pszCharSet) const
{
    return Left(static_cast<int>(std::strspn(m_pchData, pszCharSet ? pszCharSet : "")));
}

CString CString::SpanExcluding(LPCTSTR pszCharSet) const
{
    return Left(static_cast<int>(std::strcspn(m_pchData, pszCharSet ? pszCharSet : "")));
}

CString CString::Tokenize(LPCTSTR pszTokens, int& iStart) const
{
    int nLength = GetLength();
    if (iStart >= 0) {
        if (!pszTokens || *pszTokens == '\0') {
            // MFC returns the rest and leaves iStart alone here.
            if (iStart < nLength)
                return CString(m_pchData + iStart, nLength - iStart);
        } else if (iStart < nLength) {
            const char* pszPlace = m_pchData + iStart;
            int nIncluding = static_cast<int>(std::strspn(pszPlace, pszTokens));
            if (iStart + nIncluding < nLength) {
                pszPlace += nIncluding;
                int nExcluding = static_cast<int>(std::strcspn(pszPlace, pszTokens));
                int iFrom = iStart + nIncluding;
                iStart = iFrom + nExcluding + 1;
                return CString(m_pchData + iFrom, nExcluding);
            }
        }
    }
    iStart = -1;
    return CString();
}

// ---- searching -------------------------------------------------------------------------------

int CString::Find(char ch, int nStart) const
{
    if (nStart < 0 || nStart >= GetLength())
        return -1;
    const char* p = std::strchr(m_pchData + nStart, ch);
    return p ? static_cast<int>(p - m_pchData) : -1;
}

int CString::Find(LPCTSTR pszSub, int nStart) const
{
    if (!pszSub || nStart < 0 || nStart > GetLength())
        return -1;
    const char* p = std::strstr(m_pchData + nStart, pszSub);
    return p ? static_cast<int>(p - m_pchData) : -1;
}

int CString::ReverseFind(char ch) const
{
    const char* p = std::strrchr(m_pchData, ch);
    return p ? static_cast<int>(p - m_pchData) : -1;
}

int CString::FindOneOf(LPCTSTR pszCharSet) const
{
    const char* p = std::strpbrk(m_pchData, pszCharSet ? pszCharSet : "");
    return p ? static_cast<int>(p - m_pchData) : -1;
}

// ---- modification ----------------------------------------------------------------------------

int CString::Replace(char chOld, char chNew)
{
    int nCount = 0;
    if (chOld != chNew) {
        int nLength = GetLength();
        for (int i = 0; i < nLength; ++i) {
            if (m_pchData[i] == chOld) {
                m_pchData[i] = chNew;
                ++nCount;
            }
        }
    }
    return nCount;
}

int CString::Replace(LPCTSTR pszOld, LPCTSTR pszNew)
{
    int nOldLen = SafeLen(pszOld);
    if (nOldLen == 0)
        return 0;
    int nNewLen = SafeLen(pszNew);
    // The whole length is searched: text after an embedded NUL is text like any other.
    const int nLength = GetLength();
    const char* const pEnd = m_pchData + nLength;
    int nCount = 0;
    for (const char* p = FindIn(m_pchData, pEnd, pszOld, nOldLen); p; p = FindIn(p + nOldLen, pEnd, pszOld, nOldLen))
        ++nCount;
    if (nCount == 0)
        return 0;
    const long long llResult = static_cast<long long>(nLength) + static_cast<long long>(nNewLen - nOldLen) * nCount;
    if (llResult > INT_MAX)
        ThrowTooLong();
    const int nResult = static_cast<int>(llResult);

    // pszOld/pszNew may point into our own buffer, which the in-place path overwrites.
    CString strOld, strNew;
    auto inside = [this](LPCTSTR p) { return p >= m_pchData && p <= m_pchData + GetData()->nAllocLength; };
    if (inside(pszOld)) {
        strOld.AssignCopy(pszOld, nOldLen);
        pszOld = strOld.m_pchData;
    }
    if (pszNew && inside(pszNew)) {
        strNew.AssignCopy(pszNew, nNewLen);
        pszNew = strNew.m_pchData;
    }

    if (nNewLen <= nOldLen) {
        // Shrinking or equal: compact in place, left to right (the writer never passes the reader).
        char* pDst = m_pchData;
        const char* pSrc = m_pchData;
        for (const char* p = FindIn(pSrc, pEnd, pszOld, nOldLen); p; p = FindIn(pSrc, pEnd, pszOld, nOldLen)) {
            size_t nKeep = static_cast<size_t>(p - pSrc);
            std::memmove(pDst, pSrc, nKeep);
            pDst += nKeep;
            if (nNewLen > 0)
                std::memcpy(pDst, pszNew, static_cast<size_t>(nNewLen));
            pDst += nNewLen;
            pSrc = p + nOldLen;
        }
        std::memmove(pDst, pSrc, static_cast<size_t>(pEnd - pSrc));
        SetLength(nResult);
    } else {
        char* pNew = AllocChars(nResult);
        char* pDst = pNew;
        const char* pSrc = m_pchData;
        for (const char* p = FindIn(pSrc, pEnd, pszOld, nOldLen); p; p = FindIn(pSrc, pEnd, pszOld, nOldLen)) {
            size_t nKeep = static_cast<size_t>(p - pSrc);
            std::memcpy(pDst, pSrc, nKeep);
            pDst += nKeep;
            std::memcpy(pDst, pszNew, static_cast<size_t>(nNewLen));
            pDst += nNewLen;
            pSrc = p + nOldLen;
        }
        std::memcpy(pDst, pSrc, static_cast<size_t>(pEnd - pSrc));
        Release();
        m_pchData = pNew;
        SetLength(nResult);
    }
    return nCount;
}

int CString::Remove(char ch)
{
    int nLength = GetLength();
    char* pDst = m_pchData;
    for (int i = 0; i < nLength; ++i) {
        if (m_pchData[i] != ch)
            *pDst++ = m_pchData[i];
    }
    int nNew = static_cast<int>(pDst - m_pchData);
    if (nNew != nLength)
        SetLength(nNew);
    return nLength - nNew;
}

int CString::Insert(int nIndex, char ch)
{
    // Any character, NUL included, is inserted.
    const int nLength = GetLength();
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex > nLength)
        nIndex = nLength;
    const int nNew = AddLengths(nLength, 1);
    Reserve(nNew, nLength);
    std::memmove(m_pchData + nIndex + 1, m_pchData + nIndex, static_cast<size_t>(nLength - nIndex));
    m_pchData[nIndex] = ch;
    SetLength(nNew);
    return nNew;
}

int CString::Insert(int nIndex, LPCTSTR psz)
{
    int nLength = GetLength();
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex > nLength)
        nIndex = nLength;
    int nInsert = SafeLen(psz);
    if (nInsert > 0) {
        // psz may point into our buffer: take a copy before moving anything.
        const int nNew = AddLengths(nLength, nInsert);
        CString strInsert(psz, nInsert);
        Reserve(nNew, nLength);
        std::memmove(m_pchData + nIndex + nInsert, m_pchData + nIndex,
                     static_cast<size_t>(nLength - nIndex));
        std::memcpy(m_pchData + nIndex, strInsert.m_pchData, static_cast<size_t>(nInsert));
        SetLength(nNew);
    }
    return GetLength();
}

int CString::Delete(int nIndex, int nCount)
{
    int nLength = GetLength();
    if (nIndex < 0)
        nIndex = 0;
    if (nCount < 0)
        nCount = 0;
    if (nIndex > nLength)
        nIndex = nLength;
    if (nCount > nLength - nIndex)
        nCount = nLength - nIndex;
    if (nCount > 0) {
        std::memmove(m_pchData + nIndex, m_pchData + nIndex + nCount,
                     static_cast<size_t>(nLength - nIndex - nCount));
        SetLength(nLength - nCount);
    }
    return GetLength();
}

CString& CString::MakeUpper()
{
    for (char* p = m_pchData; *p; ++p)
        *p = static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
    return *this;
}

CString& CString::MakeLower()
{
    for (char* p = m_pchData; *p; ++p)
        *p = static_cast<char>(std::tolower(static_cast<unsigned char>(*p)));
    return *this;
}

CString& CString::MakeReverse()
{
    int nLength = GetLength();
    for (int i = 0, j = nLength - 1; i < j; ++i, --j)
        std::swap(m_pchData[i], m_pchData[j]);
    return *this;
}

// ---- trimming --------------------------------------------------------------------------------

namespace {
template <class Pred> int LeadingCount(const char* p, int n, Pred pred)
{
    int i = 0;
    while (i < n && pred(p[i]))
        ++i;
    return i;
}
template <class Pred> int TrailingStart(const char* p, int n, Pred pred)
{
    int i = n;
    while (i > 0 && pred(p[i - 1]))
        --i;
    return i;
}
inline bool IsSpace(char ch)
{
    return std::isspace(static_cast<unsigned char>(ch)) != 0;
}
} // namespace

CString& CString::TrimLeft()
{
    Delete(0, LeadingCount(m_pchData, GetLength(), IsSpace));
    return *this;
}

CString& CString::TrimLeft(char chTarget)
{
    Delete(0, LeadingCount(m_pchData, GetLength(), [chTarget](char ch) { return ch == chTarget; }));
    return *this;
}

CString& CString::TrimLeft(LPCTSTR pszTargets)
{
    Delete(0, LeadingCount(m_pchData, GetLength(), [pszTargets](char ch) { return IsIn(ch, pszTargets); }));
    return *this;
}

CString& CString::TrimRight()
{
    Truncate(TrailingStart(m_pchData, GetLength(), IsSpace));
    return *this;
}

CString& CString::TrimRight(char chTarget)
{
    Truncate(TrailingStart(m_pchData, GetLength(), [chTarget](char ch) { return ch == chTarget; }));
    return *this;
}

CString& CString::TrimRight(LPCTSTR pszTargets)
{
    Truncate(TrailingStart(m_pchData, GetLength(), [pszTargets](char ch) { return IsIn(ch, pszTargets); }));
    return *this;
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

CString& CString::Trim(char chTarget)
{
    return TrimRight(chTarget).TrimLeft(chTarget);
}

CString& CString::Trim(LPCTSTR pszTargets)
{
    return TrimRight(pszTargets).TrimLeft(pszTargets);
}

// ---- formatting ------------------------------------------------------------------------------

namespace {

// Widths, and the precisions of numeric conversions, above this are taken as this: the platform's
// printf builds some fields on the stack, and no screen or file field is wider.
const int kMaxFieldWidth = 4096;

// The text being formatted: a stack buffer first, the heap when it grows. Long string arguments
// are not copied but referred to, and put together once the total is known. The total is kept
// in size_t and refused past INT_MAX before anything more is written.
class CFormatOut
{
public:
    CFormatOut() = default;
    CFormatOut(const CFormatOut&) = delete;
    CFormatOut& operator=(const CFormatOut&) = delete;
    ~CFormatOut()
    {
        if (m_p != m_small)
            std::free(m_p);
    }
    int Length() const { return static_cast<int>(m_nTotal); }
    // The whole text when no argument is referred to, else null (use CopyTo).
    const char* Contiguous() const { return m_pieces.empty() ? m_p : nullptr; }
    void CopyTo(char* pDst) const
    {
        size_t nOwn = 0;
        for (const sPiece& piece : m_pieces) {
            if (piece.p) {
                std::memcpy(pDst, piece.p, piece.n);
            } else {
                std::memcpy(pDst, m_p + nOwn, piece.n);
                nOwn += piece.n;
            }
            pDst += piece.n;
        }
        std::memcpy(pDst, m_p + nOwn, m_n - nOwn);
    }
    char* Tail() { return m_p + m_n; }
    size_t Room() const { return m_cap - m_n; }
    // Room for nMore more characters and a terminator.
    void Reserve(size_t nMore)
    {
        Count(nMore);
        size_t nNeed = m_n + nMore + 1;
        if (nNeed <= m_cap)
            return;
        size_t nCap = std::max(nNeed, m_cap + m_cap / 2);
        char* p = static_cast<char*>(std::malloc(nCap));
        if (!p)
            throw std::bad_alloc();
        std::memcpy(p, m_p, m_n);
        if (m_p != m_small)
            std::free(m_p);
        m_p = p;
        m_cap = nCap;
    }
    void Commit(size_t n)
    {
        m_n += n;
        m_nTotal += n;
    }
    void Put(const char* p, size_t n)
    {
        if (n == 0)
            return;
        if (n >= kReferLength) {
            Count(n);
            // The own text so far, then the argument itself.
            if (m_n > m_nOwnRecorded) {
                m_pieces.push_back({ nullptr, m_n - m_nOwnRecorded });
                m_nOwnRecorded = m_n;
            }
            m_pieces.push_back({ p, n });
            m_nTotal += n;
            return;
        }
        Reserve(n);
        std::memcpy(m_p + m_n, p, n);
        Commit(n);
    }
    void Fill(char ch, size_t n)
    {
        if (n == 0)
            return;
        Reserve(n);
        std::memset(m_p + m_n, ch, n);
        Commit(n);
    }
    // Text in a field of nWidth characters (-1: none), padded with blanks.
    void PutField(const char* p, size_t n, int nWidth, bool bLeft)
    {
        size_t nPad = nWidth > 0 && static_cast<size_t>(nWidth) > n ? static_cast<size_t>(nWidth) - n : 0;
        if (!bLeft)
            Fill(' ', nPad);
        Put(p, n);
        if (bLeft)
            Fill(' ', nPad);
    }

private:
    static const size_t kReferLength = 64 * 1024;
    struct sPiece
    {
        const char* p; // null: the next n characters of the own buffer
        size_t n;
    };
    void Count(size_t nMore) const
    {
        if (nMore > static_cast<size_t>(INT_MAX) - m_nTotal)
            ThrowTooLong();
    }

    char m_small[512];
    char* m_p = m_small;
    size_t m_cap = sizeof m_small;
    size_t m_n = 0;          // own characters
    size_t m_nTotal = 0;     // own and referred characters
    size_t m_nOwnRecorded = 0;
    std::vector<sPiece> m_pieces;
};

// One conversion, with its single argument, through the platform's printf.
template <class T> void PutConversion(CFormatOut& out, const char* pszSpec, T value)
{
#ifdef __MINGW32__
    int n = __mingw_snprintf(out.Tail(), out.Room(), pszSpec, value);
#else
    int n = std::snprintf(out.Tail(), out.Room(), pszSpec, value);
#endif
    if (n <= 0)
        return; // nothing to show, or a conversion the platform refused
    if (static_cast<size_t>(n) >= out.Room()) {
        out.Reserve(static_cast<size_t>(n));
#ifdef __MINGW32__
        __mingw_snprintf(out.Tail(), out.Room(), pszSpec, value);
#else
        std::snprintf(out.Tail(), out.Room(), pszSpec, value);
#endif
    }
    out.Commit(static_cast<size_t>(n));
}

// An integer conversion without precision and with no flags but '-' and '0', written here: the
// common %d, %5d, %08lX of prices, counts and colours need no trip through printf.
void PutInteger(CFormatOut& out, unsigned long long ullValue, bool bSigned, char chConv, int nWidth, bool bLeft,
                bool bZero)
{
    const bool bNegative = bSigned && static_cast<long long>(ullValue) < 0;
    unsigned long long ullMagnitude = bNegative ? 0 - ullValue : ullValue;
    const unsigned nBase = chConv == 'o' ? 8 : (chConv == 'x' || chConv == 'X') ? 16 : 10;
    const char* pszDigits = chConv == 'X' ? "0123456789ABCDEF" : "0123456789abcdef";
    char digits[24];
    int n = 0;
    do {
        digits[n++] = pszDigits[ullMagnitude % nBase];
        ullMagnitude /= nBase;
    } while (ullMagnitude != 0);
    char text[24];
    for (int i = 0; i < n; ++i)
        text[i] = digits[n - 1 - i];
    const size_t nLength = static_cast<size_t>(n) + (bNegative ? 1 : 0);
    const size_t nPad = nWidth > 0 && static_cast<size_t>(nWidth) > nLength ? static_cast<size_t>(nWidth) - nLength : 0;
    if (!bLeft && !bZero)
        out.Fill(' ', nPad);
    if (bNegative)
        out.Put("-", 1);
    if (!bLeft && bZero)
        out.Fill('0', nPad);
    out.Put(text, static_cast<size_t>(n));
    if (bLeft)
        out.Fill(' ', nPad);
}

// Reads a decimal number, saturating at INT_MAX.
int ReadNumber(const char*& p)
{
    long long n = 0;
    while (*p >= '0' && *p <= '9') {
        n = n * 10 + (*p++ - '0');
        if (n > INT_MAX)
            n = INT_MAX;
    }
    return static_cast<int>(n);
}

enum ESize { SIZE_INT, SIZE_CHAR, SIZE_SHORT, SIZE_LONG, SIZE_LLONG, SIZE_SIZE, SIZE_MAX_T, SIZE_PTRDIFF, SIZE_LDOUBLE };

// printf with the Microsoft size prefixes (%I64d, %I32d, %Id) on every platform. Each conversion
// is formatted on its own, with its width and precision capped, so neither a huge field nor a
// result past INT_MAX characters can overflow anything; strings and characters are copied here
// rather than by the platform. %n writes nothing; an unknown conversion is copied as text.
void FormatInto(CFormatOut& out, LPCTSTR pszFormat, va_list args)
{
    const char* p = pszFormat;
    while (*p) {
        // Plain loops here and below: the C library's string functions cost a call each, and
        // under Wine they are not the tuned ones.
        const char* pPercent = p;
        while (*pPercent && *pPercent != '%')
            ++pPercent;
        if (!*pPercent) {
            out.Put(p, static_cast<size_t>(pPercent - p));
            return;
        }
        out.Put(p, static_cast<size_t>(pPercent - p));
        const char* q = pPercent + 1;
        if (*q == '%') {
            out.Put("%", 1);
            p = q + 1;
            continue;
        }

        char szFlags[8];
        int nFlags = 0;
        bool bLeft = false;
        for (; *q == '-' || *q == '+' || *q == ' ' || *q == '#' || *q == '0' || *q == '\''; ++q) {
            bLeft = bLeft || *q == '-';
            if (nFlags < 6 && !std::memchr(szFlags, *q, static_cast<size_t>(nFlags)))
                szFlags[nFlags++] = *q;
        }
        int nWidth = -1;
        if (*q == '*') {
            ++q;
            long long llWidth = va_arg(args, int);
            if (llWidth < 0) {
                bLeft = true;
                llWidth = -llWidth;
                if (!std::memchr(szFlags, '-', static_cast<size_t>(nFlags)) && nFlags < 7)
                    szFlags[nFlags++] = '-';
            }
            nWidth = static_cast<int>(std::min<long long>(llWidth, kMaxFieldWidth));
        } else if (*q >= '0' && *q <= '9') {
            nWidth = std::min(ReadNumber(q), kMaxFieldWidth);
        }
        int nPrecision = -1;
        if (*q == '.') {
            ++q;
            if (*q == '*') {
                ++q;
                int n = va_arg(args, int);
                nPrecision = n < 0 ? -1 : n;
            } else {
                nPrecision = ReadNumber(q);
            }
        }
        ESize eSize = SIZE_INT;
        if (q[0] == 'h' && q[1] == 'h') { eSize = SIZE_CHAR; q += 2; }
        else if (q[0] == 'h') { eSize = SIZE_SHORT; ++q; }
        else if (q[0] == 'l' && q[1] == 'l') { eSize = SIZE_LLONG; q += 2; }
        else if (q[0] == 'l') { eSize = SIZE_LONG; ++q; }
        else if (q[0] == 'I' && q[1] == '6' && q[2] == '4') { eSize = SIZE_LLONG; q += 3; }
        else if (q[0] == 'I' && q[1] == '3' && q[2] == '2') { eSize = SIZE_INT; q += 3; }
        else if (q[0] == 'I' || q[0] == 'z') { eSize = SIZE_SIZE; ++q; }
        else if (q[0] == 'j') { eSize = SIZE_MAX_T; ++q; }
        else if (q[0] == 't') { eSize = SIZE_PTRDIFF; ++q; }
        else if (q[0] == 'L' || q[0] == 'q') { eSize = q[0] == 'L' ? SIZE_LDOUBLE : SIZE_LLONG; ++q; }

        const char chConv = *q;
        if (chConv == '\0' || !std::strchr("diouxXcsSpfFeEgGaAn", chConv)) {
            out.Put(pPercent, static_cast<size_t>(q - pPercent));
            p = q;
            continue;
        }
        p = q + 1;

        if (chConv == 'n') {
            (void)va_arg(args, void*);
            continue;
        }
        if (chConv == 'c' && eSize != SIZE_LONG) {
            const char ch = static_cast<char>(va_arg(args, int));
            out.PutField(&ch, 1, nWidth, bLeft);
            continue;
        }
        if (chConv == 's' && eSize != SIZE_LONG) {
            const char* psz = va_arg(args, const char*);
            if (!psz)
                psz = "(null)";
            size_t n = 0;
            if (nPrecision < 0)
                n = std::strlen(psz);
            else
                while (n < static_cast<size_t>(nPrecision) && psz[n])
                    ++n;
            out.PutField(psz, n, nWidth, bLeft);
            continue;
        }

        // Everything else goes to the platform one conversion at a time, with C99 sizes.
        char szSpec[48];
        int nSpec = 0;
        szSpec[nSpec++] = '%';
        for (int i = 0; i < nFlags; ++i)
            szSpec[nSpec++] = szFlags[i];
        if (nWidth >= 0)
            nSpec += std::snprintf(szSpec + nSpec, 12, "%d", nWidth);
        const bool bText = chConv == 's' || chConv == 'S' || chConv == 'c';
        if (nPrecision >= 0)
            nSpec += std::snprintf(szSpec + nSpec, 13, ".%d", bText ? nPrecision : std::min(nPrecision, kMaxFieldWidth));
        const char* pszSize = "ll"; // integers travel as 64 bits
        if (std::strchr("fFeEgGaA", chConv))
            pszSize = eSize == SIZE_LDOUBLE ? "L" : "";
        else if (chConv == 'p')
            pszSize = "";
        else if (chConv == 'S' || chConv == 's' || chConv == 'c')
            pszSize = chConv == 'S' ? "" : "l";
        for (const char* ps = pszSize; *ps; ++ps)
            szSpec[nSpec++] = *ps;
        szSpec[nSpec++] = chConv;
        szSpec[nSpec] = '\0';

        switch (chConv) {
        case 'd':
        case 'i':
        case 'o':
        case 'u':
        case 'x':
        case 'X': {
            // Fetched by the size the format names, then carried as 64 bits.
            const bool bSigned = chConv == 'd' || chConv == 'i';
            unsigned long long ullValue = 0;
            switch (eSize) {
            case SIZE_CHAR:
                ullValue = bSigned ? (unsigned long long)(long long)(signed char)va_arg(args, int)
                                   : (unsigned char)va_arg(args, unsigned int);
                break;
            case SIZE_SHORT:
                ullValue = bSigned ? (unsigned long long)(long long)(short)va_arg(args, int)
                                   : (unsigned short)va_arg(args, unsigned int);
                break;
            case SIZE_LONG:
                ullValue = bSigned ? (unsigned long long)(long long)va_arg(args, long) : va_arg(args, unsigned long);
                break;
            case SIZE_LLONG:
            case SIZE_LDOUBLE:
                ullValue = va_arg(args, unsigned long long);
                break;
            case SIZE_SIZE:
            case SIZE_PTRDIFF:
                ullValue = bSigned ? (unsigned long long)(long long)va_arg(args, ptrdiff_t) : va_arg(args, size_t);
                break;
            case SIZE_MAX_T:
                ullValue = bSigned ? (unsigned long long)(long long)va_arg(args, intmax_t) : va_arg(args, uintmax_t);
                break;
            default:
                ullValue = bSigned ? (unsigned long long)(long long)va_arg(args, int) : va_arg(args, unsigned int);
                break;
            }
            bool bPlain = nPrecision < 0;
            for (int i = 0; i < nFlags; ++i)
                bPlain = bPlain && (szFlags[i] == '-' || szFlags[i] == '0');
            if (bPlain) {
                PutInteger(out, ullValue, bSigned, chConv, nWidth, bLeft,
                           std::memchr(szFlags, '0', static_cast<size_t>(nFlags)) != nullptr);
            } else if (bSigned) {
                PutConversion(out, szSpec, (long long)ullValue);
            } else {
                PutConversion(out, szSpec, ullValue);
            }
            break;
        }
        case 'p':
            PutConversion(out, szSpec, va_arg(args, void*));
            break;
        case 'c':
            PutConversion(out, szSpec, static_cast<wint_t>(va_arg(args, int)));
            break;
        case 's':
        case 'S':
            PutConversion(out, szSpec, va_arg(args, const wchar_t*));
            break;
        default:
            if (eSize == SIZE_LDOUBLE)
                PutConversion(out, szSpec, va_arg(args, long double));
            else
                PutConversion(out, szSpec, va_arg(args, double));
            break;
        }
    }
}

} // namespace

void CString::FormatV(LPCTSTR pszFormat, va_list args)
{
    ASSERT(pszFormat != nullptr);
    if (!pszFormat) {
        Empty();
        return;
    }
    // The arguments may point into this string, so it is only touched after formatting.
    CFormatOut out;
    va_list argsCopy;
    va_copy(argsCopy, args);
    try {
        FormatInto(out, pszFormat, argsCopy);
    } catch (...) {
        va_end(argsCopy);
        throw;
    }
    va_end(argsCopy);
    if (const char* pText = out.Contiguous()) {
        AssignCopy(pText, out.Length());
    } else {
        char* pNew = AllocChars(out.Length());
        out.CopyTo(pNew);
        if (GetData()->nAllocLength != 0)
            FreeChars(m_pchData);
        m_pchData = pNew;
        SetLength(out.Length());
    }
}

void CString::AppendFormatV(LPCTSTR pszFormat, va_list args)
{
    ASSERT(pszFormat != nullptr);
    if (!pszFormat)
        return;
    CFormatOut out;
    va_list argsCopy;
    va_copy(argsCopy, args);
    try {
        FormatInto(out, pszFormat, argsCopy);
    } catch (...) {
        va_end(argsCopy);
        throw;
    }
    va_end(argsCopy);
    if (const char* pText = out.Contiguous()) {
        Append(pText, out.Length());
    } else {
        // The pieces may lie in this string's buffer, which appending may move.
        AddLengths(GetLength(), out.Length());
        CString strText;
        strText.Reserve(out.Length(), 0);
        out.CopyTo(strText.m_pchData);
        strText.SetLength(out.Length());
        Append(strText);
    }
}

void CString::FormatCore(LPCTSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    try {
        FormatV(pszFormat, args);
    } catch (...) {
        va_end(args);
        throw;
    }
    va_end(args);
}

void CString::AppendFormatCore(LPCTSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    try {
        AppendFormatV(pszFormat, args);
    } catch (...) {
        va_end(args);
        throw;
    }
    va_end(args);
}

// ---- buffer access ---------------------------------------------------------------------------

LPTSTR CString::GetBuffer()
{
    // Even an empty string hands out a writable buffer, never the shared empty one.
    if (GetData()->nAllocLength == 0)
        Reserve(kMinAlloc, 0);
    return m_pchData;
}

LPTSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength < 0)
        nMinBufLength = 0;
    int nLength = GetLength();
    Reserve(nMinBufLength > 0 ? nMinBufLength : 1, nLength);
    return m_pchData;
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (GetData()->nAllocLength == 0)
        return;
    int nAlloc = GetData()->nAllocLength;
    if (nNewLength < 0) {
        const void* pEnd = std::memchr(m_pchData, '\0', static_cast<size_t>(nAlloc) + 1);
        nNewLength = pEnd ? static_cast<int>(static_cast<const char*>(pEnd) - m_pchData) : nAlloc;
    }
    if (nNewLength > nAlloc)
        nNewLength = nAlloc;
    SetLength(nNewLength);
}

LPTSTR CString::GetBufferSetLength(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = 0;
    GetBuffer(nNewLength);
    SetLength(nNewLength);
    return m_pchData;
}

void CString::Preallocate(int nLength)
{
    if (nLength > 0)
        Reserve(nLength, GetLength());
}

void CString::FreeExtra()
{
    int nLength = GetLength();
    if (nLength == 0) {
        if (GetData()->nAllocLength != 0)
            Release();
    } else if (GetData()->nAllocLength > nLength && GetData()->nAllocLength > kMinAlloc) {
        char* pNew = AllocChars(nLength);
        std::memcpy(pNew, m_pchData, static_cast<size_t>(nLength));
        Release();
        m_pchData = pNew;
        SetLength(nLength);
    }
}

void CString::Truncate(int nNewLength)
{
    if (nNewLength >= 0 && nNewLength < GetLength())
        SetLength(nNewLength);
}
