// CString: the framework's 8-bit string. One char* member pointing at the characters; length and
// capacity live in a small header just before them, so a CString is pointer-sized and passes
// to anything taking LPCTSTR. Copies are deep; an empty string points at a shared constant.
// Lengths are ints and count every character, embedded NULs included: copying, appending,
// extraction, Replace, Remove, Insert, Delete and the trims work on the whole length, while the
// searches (Find, ReverseFind, FindOneOf), comparisons and case changes stop at the first NUL,
// as the C functions they are built on do. An operation whose result would be longer than
// INT_MAX throws std::bad_alloc, as a failed allocation does, and leaves the string unchanged.
#pragma once

#include "afxdefs.h"

#include <cstdarg>
#include <type_traits>
#include <utility>

struct CStringData
{
    int nDataLength;  // characters, not counting the terminator
    int nAllocLength; // usable characters; 0 only for the shared empty string (never written)
    char* data() { return reinterpret_cast<char*>(this + 1); }
};

namespace afx_detail {
struct SNilString
{
    CStringData hdr;
    char ch;
};
// One per module; harmless, since the empty string is recognised by its zero capacity.
inline constexpr SNilString g_nilString = { { 0, 0 }, 0 };
inline char* NilChars() noexcept { return const_cast<char*>(&g_nilString.ch); }
} // namespace afx_detail

class CString;
namespace afx_detail {
template <class T> struct FormatArg;
}

class AFX_API CString
{
public:
    CString() noexcept : m_pchData(afx_detail::NilChars()) {}
    CString(const CString& src);
    CString(CString&& src) noexcept : m_pchData(src.m_pchData) { src.m_pchData = afx_detail::NilChars(); }
    // A resource id in place of the text (MAKEINTRESOURCE(id)) loads that string, as LoadString.
    CString(LPCTSTR psz);
    CString(const unsigned char* psz);
    CString(LPCTSTR pch, int nLength);
    CString(char ch, int nRepeat = 1);
    ~CString() { if (GetData()->nAllocLength != 0) Release(); }

    CString& operator=(const CString& src);
    CString& operator=(CString&& src) noexcept { std::swap(m_pchData, src.m_pchData); return *this; }
    CString& operator=(LPCTSTR psz); // a resource id loads the string, as the constructor does
    CString& operator=(const unsigned char* psz);
    CString& operator=(char ch);

    CString& operator+=(const CString& src) { Append(src.m_pchData, src.GetLength()); return *this; }
    CString& operator+=(LPCTSTR psz);
    CString& operator+=(char ch) { AppendChar(ch); return *this; }

    // Attributes and element access.
    int GetLength() const noexcept { return GetData()->nDataLength; }
    int GetAllocLength() const noexcept { return GetData()->nAllocLength; }
    BOOL IsEmpty() const noexcept { return GetData()->nDataLength == 0; }
    void Empty();
    char GetAt(int nIndex) const { ASSERT(nIndex >= 0 && nIndex <= GetLength()); return m_pchData[nIndex]; }
    char operator[](int nIndex) const { ASSERT(nIndex >= 0 && nIndex <= GetLength()); return m_pchData[nIndex]; }
    void SetAt(int nIndex, char ch);
    operator LPCTSTR() const noexcept { return m_pchData; }
    LPCTSTR GetString() const noexcept { return m_pchData; }

    // Appending without building temporaries.
    void Append(LPCTSTR pch, int nLength);
    void Append(LPCTSTR psz);
    void Append(const CString& str) { Append(str.m_pchData, str.GetLength()); }
    void AppendChar(char ch);

    // Comparison: strcmp order; NoCase folds ASCII letters with tolower as _stricmp does.
    int Compare(LPCTSTR psz) const;
    int CompareNoCase(LPCTSTR psz) const;
    int Collate(LPCTSTR psz) const;
    int CollateNoCase(LPCTSTR psz) const;

    // Extraction; out-of-range arguments are clamped as MFC clamps them.
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCTSTR pszCharSet) const;
    CString SpanExcluding(LPCTSTR pszCharSet) const;
    // Next token after skipping any run of delimiters; iStart moves past the token's delimiter
    // and becomes -1 (with an empty result) when no token is left.
    CString Tokenize(LPCTSTR pszTokens, int& iStart) const;

    // Searching; -1 when not found.
    int Find(char ch, int nStart = 0) const;
    int Find(LPCTSTR pszSub, int nStart = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(LPCTSTR pszCharSet) const;

    // Modification. Replace and Remove return how many were replaced/removed,
    // Insert and Delete the new length.
    int Replace(char chOld, char chNew);
    int Replace(LPCTSTR pszOld, LPCTSTR pszNew);
    int Remove(char ch);
    int Insert(int nIndex, char ch);
    int Insert(int nIndex, LPCTSTR psz);
    int Delete(int nIndex, int nCount = 1);
    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    // Trimming: no argument trims white space (isspace).
    CString& Trim();
    CString& Trim(char chTarget);
    CString& Trim(LPCTSTR pszTargets);
    CString& TrimLeft();
    CString& TrimLeft(char chTarget);
    CString& TrimLeft(LPCTSTR pszTargets);
    CString& TrimRight();
    CString& TrimRight(char chTarget);
    CString& TrimRight(LPCTSTR pszTargets);

    // The string with that id from the resource chain (host first, then extension modules);
    // FALSE and an empty string when there is none (always in the native build).
    BOOL LoadString(UINT nID);

    // printf formatting. CString arguments are passed as their LPCTSTR (the MFC idiom
    // Format("%s", str) works), and integers travel widened to 64 bits so that a length modifier
    // that is right on Windows (%lX with a DWORD) reads the same value in the native build.
    // The Microsoft sizes %I64d, %I32d and %Id work everywhere. Field widths, and precisions of
    // numeric conversions, are capped at 4,096; a string's precision is its maximum length. %n
    // writes nothing; an unknown conversion is copied as text.
    template <class... Args> void Format(LPCTSTR pszFormat, const Args&... args)
    {
        FormatCore(pszFormat, afx_detail::FormatArg<Args>::Pass(args)...);
    }
    template <class... Args> void AppendFormat(LPCTSTR pszFormat, const Args&... args)
    {
        AppendFormatCore(pszFormat, afx_detail::FormatArg<Args>::Pass(args)...);
    }
    void FormatV(LPCTSTR pszFormat, va_list args);
    void AppendFormatV(LPCTSTR pszFormat, va_list args);
    void FormatCore(LPCTSTR pszFormat, ...);
    void AppendFormatCore(LPCTSTR pszFormat, ...);

    // Raw buffer access. The buffer stays writable up to the returned capacity until
    // ReleaseBuffer (-1: the length is strlen of the buffer).
    LPTSTR GetBuffer();
    LPTSTR GetBuffer(int nMinBufLength);
    void ReleaseBuffer(int nNewLength = -1);
    LPTSTR GetBufferSetLength(int nNewLength);
    void Preallocate(int nLength);
    void FreeExtra();
    void Truncate(int nNewLength);

private:
    CStringData* GetData() const noexcept { return reinterpret_cast<CStringData*>(m_pchData) - 1; }
    void Release() noexcept;
    void AssignCopy(LPCTSTR pch, int nLength);
    // Makes room for nLength characters keeping the first nKeep ones; may move m_pchData.
    void Reserve(int nLength, int nKeep);
    void SetLength(int nLength) noexcept { GetData()->nDataLength = nLength; m_pchData[nLength] = '\0'; }
    friend AFX_API CString AfxConcat(LPCTSTR p1, int n1, LPCTSTR p2, int n2);

    char* m_pchData;
};

// Concatenation: a single allocation of the exact size, or an in-place append when the left
// operand is a temporary (so a + b + c reuses one growing buffer).
AFX_API CString AfxConcat(LPCTSTR p1, int n1, LPCTSTR p2, int n2);
AFX_API int AfxStrLen(LPCTSTR psz);

inline CString operator+(const CString& a, const CString& b) { return AfxConcat(a, a.GetLength(), b, b.GetLength()); }
inline CString operator+(const CString& a, LPCTSTR b) { return AfxConcat(a, a.GetLength(), b, AfxStrLen(b)); }
inline CString operator+(LPCTSTR a, const CString& b) { return AfxConcat(a, AfxStrLen(a), b, b.GetLength()); }
inline CString operator+(const CString& a, char b) { return AfxConcat(a, a.GetLength(), &b, 1); }
inline CString operator+(char a, const CString& b) { return AfxConcat(&a, 1, b, b.GetLength()); }
inline CString operator+(CString&& a, const CString& b) { a += b; return std::move(a); }
inline CString operator+(CString&& a, LPCTSTR b) { a += b; return std::move(a); }
inline CString operator+(CString&& a, char b) { a += b; return std::move(a); }

inline bool operator==(const CString& a, const CString& b)
{
    return a.GetLength() == b.GetLength() && a.Compare(b) == 0;
}
inline bool operator==(const CString& a, LPCTSTR b) { return a.Compare(b) == 0; }
inline bool operator==(LPCTSTR a, const CString& b) { return b.Compare(a) == 0; }
inline bool operator!=(const CString& a, const CString& b) { return !(a == b); }
inline bool operator!=(const CString& a, LPCTSTR b) { return a.Compare(b) != 0; }
inline bool operator!=(LPCTSTR a, const CString& b) { return b.Compare(a) != 0; }
inline bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
inline bool operator<(const CString& a, LPCTSTR b) { return a.Compare(b) < 0; }
inline bool operator<(LPCTSTR a, const CString& b) { return b.Compare(a) > 0; }
inline bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
inline bool operator>(const CString& a, LPCTSTR b) { return a.Compare(b) > 0; }
inline bool operator>(LPCTSTR a, const CString& b) { return b.Compare(a) < 0; }
inline bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
inline bool operator<=(const CString& a, LPCTSTR b) { return a.Compare(b) <= 0; }
inline bool operator<=(LPCTSTR a, const CString& b) { return b.Compare(a) >= 0; }
inline bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }
inline bool operator>=(const CString& a, LPCTSTR b) { return a.Compare(b) >= 0; }
inline bool operator>=(LPCTSTR a, const CString& b) { return b.Compare(a) <= 0; }

namespace afx_detail {
// How one Format argument travels through "...".
template <class T> struct FormatArg
{
    using D = std::decay_t<T>;
    static_assert(std::is_trivially_copyable<D>::value,
                  "Format: pass class objects as text (LPCTSTR) or numbers");
    template <class U> static auto Pass(const U& v)
    {
        if constexpr (std::is_integral<D>::value && std::is_signed<D>::value)
            return static_cast<long long>(v);
        else if constexpr (std::is_integral<D>::value)
            return static_cast<unsigned long long>(v);
        else if constexpr (std::is_array<T>::value)
            return static_cast<const std::remove_extent_t<T>*>(v);
        else
            return v;
    }
};
template <> struct FormatArg<CString>
{
    static LPCTSTR Pass(const CString& s) { return s.GetString(); }
};
} // namespace afx_detail
