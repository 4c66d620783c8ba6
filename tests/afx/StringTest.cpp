// CString where the grids' own use would not show a fault: tokenizing past the ends, capped printf
// fields, arguments that are the string's own text, clamped extraction and search, embedded NULs
// kept by every modifier, the shared empty buffer, and lengths past INT_MAX refused with bad_alloc.
#include <gtest/gtest.h>

#include "afxstr.h"

#include <climits>
#include <new>
#include <string>
#include <vector>

namespace {

using Pieces = std::vector<std::string>;

std::string Bytes(const CString& s) { return std::string(s.GetString(), static_cast<size_t>(s.GetLength())); }
CString Nul(const char* p, int n) { return CString(p, n); }

template <class... A> std::string F(const char* pszFormat, const A&... args)
{
    CString s("old");
    s.Format(pszFormat, args...);
    return Bytes(s);
}

// Every piece; the end is an empty piece and a start of -1.
Pieces TokenizeAll(const CString& s, LPCTSTR delims)
{
    Pieces pieces;
    for (int iStart = 0;;) {
        CString tok = s.Tokenize(delims, iStart);
        if (iStart == -1) {
            EXPECT_TRUE(tok.IsEmpty());
            return pieces;
        }
        pieces.emplace_back(tok.GetString());
    }
}

TEST(StringTokenize, PiecesStartsAndTheEnd)
{
    EXPECT_EQ(TokenizeAll("~~abc~~~de~f~", "~"), (Pieces{ "abc", "de", "f" }));
    EXPECT_EQ(TokenizeAll("~~~", "~"), Pieces{});
    // Past the end stays at the end instead of reading out of bounds; no delimiters: the rest.
    CString s("abc");
    int iStart = -1;
    EXPECT_EQ(s.Tokenize("~", iStart), "");
    EXPECT_EQ(iStart, -1);
    iStart = 1;
    EXPECT_EQ(s.Tokenize("", iStart), "bc");
    iStart = 3;
    EXPECT_EQ(s.Tokenize("", iStart), "");
    EXPECT_EQ(iStart, -1);
}

TEST(StringFormat, EdgeConversionsCapsAndOwnText)
{
    struct Case { std::string got; std::string want; } cases[] = {
        { F("%d|%lld|%-05d", INT_MIN, (long long)LLONG_MIN, 3), "-2147483648|-9223372036854775808|3    " },
        { F("%s|%5c|%-3c|", (const char*)nullptr, 'a', 'b'), "(null)|    a|b  |" },
        // A trailing lone percent and unknown conversions are copied as text.
        { F("100%"), "100%" },
        { F("%y%d", 4), "%y4" },
        { F("%.*s|%.3s", -1, "abc", "abcdef"), "abc|abc" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.want, c.got);

    // A stray "%*d" must not exhaust the stack: widths and precisions stop at 4,096.
    // (Planted fault: a cap of 4.)
    struct Cap { std::string got; size_t nLength; std::string head, tail; } caps[] = {
        { F("%*d", 2000000, 5), 4096, " ", "5" },
        { F("%-*d|", -2000000, 7), 4097, "7", " |" },
        { F("%.*lf", 2000000, 1.5), 4098, "1.5000", "0" },
        { F("%.*s", 9000, std::string(10000, 'w').c_str()), 9000, "w", "w" },
    };
    for (const Cap& c : caps) {
        SCOPED_TRACE(c.got.substr(0, 8));
        ASSERT_EQ(c.nLength, c.got.size());
        EXPECT_EQ(c.head, c.got.substr(0, c.head.size()));
        EXPECT_EQ(c.tail, c.got.substr(c.got.size() - c.tail.size()));
    }

    // Arguments may be this string's own text, long ones included.
    CString s("Bid=5");
    s.Format("[%s]", (LPCTSTR)s);
    s.AppendFormat("%s", s);
    EXPECT_EQ(s, "[Bid=5][Bid=5]");
    std::string big(100000, 'b');
    big[0] = 'B';
    CString u(big.c_str());
    u.AppendFormat("%s|%-*s|%s", u.GetString(), 3, "a", big.c_str());
    EXPECT_EQ(big + big + "|a  |" + big, Bytes(u));
}

TEST(StringExtract, MidLeftRightAndFindClampOutOfRangeArguments)
{
    // (Planted fault: Mid drops the last character of a tail.)
    const CString s("abcdef");
    struct Case { CString got; const char* want; } cases[] = {
        { s.Mid(2), "cdef" }, { s.Mid(4, 100), "ef" }, { s.Mid(-3, 2), "ab" }, { s.Mid(10, 3), "" },
        { s.Mid(1, -1), "" }, { s.Left(-1), "" }, { s.Left(99), "abcdef" }, { s.Right(-5), "" }, { s.Right(99), "abcdef" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.want, Bytes(c.got));
    const CString n("12,345.67,8");
    struct Found { int got, want; } found[] = {
        { n.Find(',', 10), -1 }, { n.Find(',', 99), -1 }, { n.Find(',', -1), -1 }, { n.Find("45", 5), -1 },
        { n.Find(""), 0 }, { n.Find("8", n.GetLength()), -1 }, { n.ReverseFind(','), 9 }, { CString().Find('a'), -1 },
    };
    for (size_t i = 0; i < sizeof(found) / sizeof(found[0]); ++i)
        EXPECT_EQ(found[i].want, found[i].got) << "case " << i;
}

TEST(StringModify, ReplaceInsertDeleteOverTheWholeLengthPastNuls)
{
    struct Case { CString s; const char* from; const char* to; int nCount; std::string want; } cases[] = {
        { "aaaa", "aa", "b", 2, "bb" },   // non-overlapping, left to right
        { "bbb", "", "x", 0, "bbb" },
        { "a.b.c", ".", nullptr, 2, "abc" },
        { Nul("a,b\0c,d\0,e", 10), ",", ";;", 3, std::string("a;;b\0c;;d\0;;e", 13) },
        { Nul("a,b\0c,d\0,e", 10), ",", "", 3, std::string("ab\0cd\0e", 7) },
        { Nul("xx\0ab", 5), "ab", "ABC", 1, std::string("xx\0ABC", 6) },
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.want);
        EXPECT_EQ(c.nCount, c.s.Replace(c.from, c.to));
        EXPECT_EQ(c.want, Bytes(c.s));
    }
    CString z = Nul("xx\0ABC", 6);
    EXPECT_EQ(1, z.Remove('\0'));
    EXPECT_EQ("xxABC", Bytes(z));

    CString s("1,000000");
    EXPECT_EQ(s.Insert(99, "!"), 9);
    EXPECT_EQ(s.Insert(-4, "<"), 10);
    EXPECT_EQ(s.Delete(7, 50), 7);
    EXPECT_EQ(s.Delete(20, 2), 7);
    EXPECT_EQ(s.Delete(1, -1), 7);
    EXPECT_EQ(s, "<1,0000");
    // Self reference, and NULs kept while growing past the first buffer.
    CString self("ab");
    self += self;
    self.Insert(0, self.GetString() + 1);   // a tail of its own text, moved by the insertion
    EXPECT_EQ(self, "bababab");
    CString n = Nul("ab\0cd", 5);
    EXPECT_EQ(6, n.Insert(4, "X"));
    EXPECT_EQ(7, n.Insert(1, '\0'));
    EXPECT_EQ(std::string("a\0b\0cXd", 7), Bytes(n));
    CString g = Nul("\0\0\0", 3);
    std::string want(3, '\0');
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(want.insert(1, "yz").size(), (size_t)g.Insert(1, "yz"));
    EXPECT_EQ(want, Bytes(g));
}

// An untouched empty string's buffer is a shared constant; it must never be written.
TEST(StringBuffer, TheSharedEmptyBufferIsNeverWritten)
{
    CString g, h;
    g.GetBuffer(8)[0] = 'k';
    g.GetBuffer(8)[1] = '\0';
    g.ReleaseBuffer();
    EXPECT_EQ(g, "k");
    EXPECT_STREQ(h.GetString(), "");
}

TEST(StringOverflow, LengthsPastIntMaxThrowAndLeaveTheStringAlone)
{
    const int kBig = 1100 * 1024 * 1024;   // two of them do not fit an int
    CString a('x', kBig);
    ASSERT_EQ(kBig, a.GetLength());
    EXPECT_THROW(a += a, std::bad_alloc);
    EXPECT_THROW((void)(a + a), std::bad_alloc);
    EXPECT_THROW(a.Insert(3, a), std::bad_alloc);
    EXPECT_EQ(kBig, a.GetLength());
    EXPECT_EQ('\0', a[kBig]);
    CString f("kept");
    EXPECT_THROW(f.Format("%s%s", a, a), std::bad_alloc);
    EXPECT_EQ("kept", Bytes(f));
    a.Empty();
    // Appending a count that does not fit is refused before the source is read.
    const char one = 'q';
    EXPECT_THROW(f.Append(&one, INT_MAX), std::bad_alloc);
    EXPECT_EQ("kept", Bytes(f));
    // 1.1 million matches each growing by 2,100 characters: 2.3 GB, refused before writing.
    const std::string longer(2101, 'y');
    CString r('x', 1100000);
    EXPECT_THROW(r.Replace("x", longer.c_str()), std::bad_alloc);
    EXPECT_EQ(1100000, r.GetLength());
    CString t('x', 1000);
    EXPECT_EQ(1000, t.Replace("x", longer.c_str()));
    EXPECT_EQ(2101000, t.GetLength());
}

} // namespace
