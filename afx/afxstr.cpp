#include "afxstr.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

// The msvcrt printf behind mingw's plain vsnprintf returns -1 on truncation and has its own
// idea of %lf; the C99 one from mingw-w64 handles both and still accepts %I64d.
#ifdef __MINGW32__
#  define AFX_VSNPRINTF __mingw_vsnprintf
#else
#  define AFX_VSNPRINTF vsnprintf
#endif

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

inline int SafeLen(LPCTSTR psz)
{
    return psz ? static_cast<int>(std::strlen(psz)) : 0;
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
    AssignCopy(psz, SafeLen(psz));
    return *this;
}

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
    if (nOld + nLength > GetData()->nAllocLength) {
        // pch may point into our buffer; keep it alive until the copy is made.
        CStringData* pOld = GetData();
        char* pOldChars = m_pchData;
        int nAlloc = nOld + nLength;
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
    SetLength(nOld + nLength);
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
    Reserve(nOld + 1, nOld);
    m_pchData[nOld] = ch;
    SetLength(nOld + 1);
}

CString AfxConcat(LPCTSTR p1, int n1, LPCTSTR p2, int n2)
{
    CString s;
    if (n1 + n2 > 0) {
        s.Reserve(n1 + n2, 0);
        if (n1 > 0)
            std::memcpy(s.m_pchData, p1, static_cast<size_t>(n1));
        if (n2 > 0)
            std::memcpy(s.m_pchData + n1, p2, static_cast<size_t>(n2));
        s.SetLength(n1 + n2);
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
    int nCount = 0;
    for (const char* p = std::strstr(m_pchData, pszOld); p; p = std::strstr(p + nOldLen, pszOld))
        ++nCount;
    if (nCount == 0)
        return 0;

    int nLength = GetLength();
    int nResult = nLength + (nNewLen - nOldLen) * nCount;
    if (nNewLen <= nOldLen) {
        // Shrinking or equal: compact in place, left to right.
        char* pDst = m_pchData;
        const char* pSrc = m_pchData;
        for (const char* p = std::strstr(pSrc, pszOld); p; p = std::strstr(pSrc, pszOld)) {
            size_t nKeep = static_cast<size_t>(p - pSrc);
            std::memmove(pDst, pSrc, nKeep);
            pDst += nKeep;
            if (nNewLen > 0)
                std::memcpy(pDst, pszNew, static_cast<size_t>(nNewLen));
            pDst += nNewLen;
            pSrc = p + nOldLen;
        }
        std::memmove(pDst, pSrc, std::strlen(pSrc));
        SetLength(nResult);
    } else {
        // pszOld/pszNew may point into our own buffer, so build the result separately.
        char* pNew = AllocChars(nResult);
        char* pDst = pNew;
        const char* pSrc = m_pchData;
        for (const char* p = std::strstr(pSrc, pszOld); p; p = std::strstr(pSrc, pszOld)) {
            size_t nKeep = static_cast<size_t>(p - pSrc);
            std::memcpy(pDst, pSrc, nKeep);
            pDst += nKeep;
            std::memcpy(pDst, pszNew, static_cast<size_t>(nNewLen));
            pDst += nNewLen;
            pSrc = p + nOldLen;
        }
        std::memcpy(pDst, pSrc, std::strlen(pSrc));
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
    return Insert(nIndex, CString(ch, 1));
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
        CString strInsert(psz, nInsert);
        Reserve(nLength + nInsert, nLength);
        std::memmove(m_pchData + nIndex + nInsert, m_pchData + nIndex,
                     static_cast<size_t>(nLength - nIndex));
        std::memcpy(m_pchData + nIndex, strInsert.m_pchData, static_cast<size_t>(nInsert));
        SetLength(nLength + nInsert);
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

#ifndef _WIN32
// glibc reads the Microsoft size prefixes %I64d / %I32d / %Id as its "I" (locale digits) flag
// plus a width, so the native build rewrites them to ll / (nothing) / z first.
class CNativeFormat
{
public:
    explicit CNativeFormat(LPCTSTR pszFormat) : m_psz(pszFormat)
    {
        if (!std::strchr(pszFormat, 'I'))
            return;
        std::string out;
        bool bChanged = false;
        for (const char* p = pszFormat; *p;) {
            if (*p != '%') {
                out += *p++;
                continue;
            }
            out += *p++;
            if (*p == '%') {
                out += *p++;
                continue;
            }
            while (*p && std::strchr("-+ #0123456789.*'", *p))
                out += *p++;
            if (*p == 'I') {
                bChanged = true;
                if (p[1] == '6' && p[2] == '4') {
                    out += "ll";
                    p += 3;
                } else if (p[1] == '3' && p[2] == '2') {
                    p += 3;
                } else {
                    out += 'z';
                    ++p;
                }
            }
        }
        if (bChanged) {
            m_strOwn = std::move(out);
            m_psz = m_strOwn.c_str();
        }
    }
    operator LPCTSTR() const { return m_psz; }

private:
    LPCTSTR m_psz;
    std::string m_strOwn;
};
#endif
// Formats into a stack buffer first; only text that does not fit is formatted a second time,
// straight into a heap buffer of the exact size. Returns the length, or -1 on a format error.
// On success either pchSmall holds the text or *ppchBig (to be freed with FreeChars) does.
int FormatToBuffer(char* pchSmall, int nSmall, char** ppchBig, LPCTSTR pszFormat, va_list args)
{
#ifndef _WIN32
    CNativeFormat nativeFormat(pszFormat);
    pszFormat = nativeFormat;
#endif
    va_list argsCopy;
    va_copy(argsCopy, args);
    int n = AFX_VSNPRINTF(pchSmall, static_cast<size_t>(nSmall), pszFormat, argsCopy);
    va_end(argsCopy);
    *ppchBig = nullptr;
    if (n < nSmall)
        return n;
    char* pBig = AllocChars(n);
    va_copy(argsCopy, args);
    AFX_VSNPRINTF(pBig, static_cast<size_t>(n) + 1, pszFormat, argsCopy);
    va_end(argsCopy);
    *ppchBig = pBig;
    return n;
}
} // namespace

void CString::FormatV(LPCTSTR pszFormat, va_list args)
{
    ASSERT(pszFormat != nullptr);
    if (!pszFormat) {
        Empty();
        return;
    }
    char buf[512];
    char* pBig;
    // The arguments may point into this string, so it is only touched after formatting.
    int n = FormatToBuffer(buf, sizeof buf, &pBig, pszFormat, args);
    if (n < 0) {
        Empty();
    } else if (pBig) {
        if (GetData()->nAllocLength != 0)
            FreeChars(m_pchData);
        m_pchData = pBig;
        SetLength(n);
    } else {
        AssignCopy(buf, n);
    }
}

void CString::AppendFormatV(LPCTSTR pszFormat, va_list args)
{
    ASSERT(pszFormat != nullptr);
    if (!pszFormat)
        return;
    char buf[512];
    char* pBig;
    int n = FormatToBuffer(buf, sizeof buf, &pBig, pszFormat, args);
    if (n <= 0)
        return;
    if (pBig) {
        Append(pBig, n);
        FreeChars(pBig);
    } else {
        Append(buf, n);
    }
}

void CString::FormatCore(LPCTSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::AppendFormatCore(LPCTSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    AppendFormatV(pszFormat, args);
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
