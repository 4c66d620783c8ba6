// CString as the library uses it: tokenizing stored formulas and filters, printf formatting of
// prices and colours (field widths capped), clamped extraction, search/replace, buffers, embedded
// NULs kept by every modifier, and lengths past INT_MAX refused with std::bad_alloc.
#include <gtest/gtest.h>

#include "afxstr.h"

#include <climits>
#include <cstring>
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

// Every piece, and the start index after each call (the last is -1).
Pieces TokenizeAll(const CString& s, LPCTSTR delims, std::vector<int>* pStarts = nullptr)
{
    Pieces pieces;
    for (int iStart = 0;;) {
        CString tok = s.Tokenize(delims, iStart);
        if (pStarts)
            pStarts->push_back(iStart);
        if (iStart == -1) {
            EXPECT_TRUE(tok.IsEmpty());
            return pieces;
        }
        pieces.emplace_back(tok.GetString());
    }
}

TEST(StringTokenize, PiecesStartsAndTheEnd)
{
    // A stored formula starts with a space so the first piece is literal text.
    std::vector<int> starts;
    EXPECT_EQ(TokenizeAll(" \"3\" * 2 + \"5\"", "\"", &starts), (Pieces{ " ", "3", " * 2 + ", "5" }));
    EXPECT_EQ(starts, (std::vector<int>{ 2, 4, 12, 14, -1 }));
    starts.clear();
    EXPECT_EQ(TokenizeAll("x~yz", "~", &starts), (Pieces{ "x", "yz" }));
    EXPECT_EQ(starts, (std::vector<int>{ 2, 5, -1 }));   // one past the length after the last
    EXPECT_EQ(TokenizeAll("\"3\"\"\"4\"", "\""), (Pieces{ "3", "4" }));
    EXPECT_EQ(TokenizeAll("~~abc~~~de~f~", "~"), (Pieces{ "abc", "de", "f" }));
    EXPECT_EQ(TokenizeAll("a, b;;c", ",; "), (Pieces{ "a", "b", "c" }));
    EXPECT_EQ(TokenizeAll("", "~"), Pieces{});
    EXPECT_EQ(TokenizeAll("~~~", "~"), Pieces{});

    // Past the end stays at the end instead of reading out of bounds; no delimiters: the rest.
    CString s("abc");
    int iStart = -1;
    EXPECT_EQ(s.Tokenize("~", iStart), "");
    EXPECT_EQ(iStart, -1);
    iStart = 1;
    EXPECT_EQ(s.Tokenize("", iStart), "bc");
    EXPECT_EQ(iStart, 1);
    iStart = 3;
    EXPECT_EQ(s.Tokenize("", iStart), "");
    EXPECT_EQ(iStart, -1);
}

TEST(StringFormat, ConversionsTheLibraryUses)
{
    struct Case { std::string got; std::string want; } cases[] = {
        { F("%.*lf", 0, 2.5), "2" },
        { F("%lX|%08lX", (DWORD)0x00FF8040, (DWORD)0xABCDEF), "FF8040|00ABCDEF" },
        { F("%I64d", (LONGLONG)-1234567890123LL), "-1234567890123" },
        { F("%d %ld %u %c %5s|%-3d|", -7, (LONG)-8, 9u, 'z', "ab", 4), "-7 -8 9 z    ab|4  |" },
        { F("%hd|%hhu|%zu|%I32d|%Id", 70000, 300, (size_t)12, -5, (size_t)6), "4464|44|12|-5|6" },
        { F("%05d|%-5d|%5d|%x|%X|%o|%hhd|%u", -42, -7, 0, -1, 255u, 8u, 200, 4294967295u),
          "-0042|-7   |    0|ffffffff|FF|10|-56|4294967295" },
        { F("%d|%lld|%llu|%-05d", INT_MIN, (long long)LLONG_MIN, (unsigned long long)ULLONG_MAX, 3),
          "-2147483648|-9223372036854775808|18446744073709551615|3    " },
        { F("%+05d|% d|%#o|%.3d", 42, 5, 8, 7), "+0042| 5|010|007" },
        { F("%5.1f|%+d|%#x|%e|%g|%%", 3.14159, 7, 255u, 12345.678, 0.0001), "  3.1|+7|0xff|1.234568e+04|0.0001|%" },
        { F("%s|%5c|%-3c|", (const char*)nullptr, 'a', 'b'), "(null)|    a|b  |" },
        { F("%s=%d", CString("Bid"), 5), "Bid=5" },
        // A trailing lone percent and unknown conversions are copied as text.
        { F("100%"), "100%" },
        { F("%y%d", 4), "%y4" },
        // Within the cap nothing changes; a string's precision is a length, not a width.
        { F("%*d|%-5s|%.3s|%c", 6, 42, "ab", "abcdef", 'z'), "    42|ab   |abc|z" },
        { F("%.*s", -1, "abc"), "abc" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.want, c.got);
}

TEST(StringFormat, FieldWidthsAndPrecisionsAreCappedAt4096)
{
    // A stray "%*d" must not exhaust the stack. (Planted fault: a cap of 4.)
    struct Case { std::string got; size_t nLength; std::string head, tail; } cases[] = {
        { F("%*d", 2000000, 5), 4096, " ", "5" },
        { F("%-*d|", -2000000, 7), 4097, "7", " |" },
        { F("%.*d", 3000000, 9), 4096, "0", "0009" },
        { F("%2000000d", 1), 4096, " ", "1" },
        { F("%.*lf", 2000000, 1.5), 4098, "1.5000", "0" },
        { F("%*s|", 5000000, "ab"), 4097, " ", "ab|" },
        { F("%.*s", 9000, std::string(10000, 'w').c_str()), 9000, "w", "w" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.got.substr(0, 8));
        ASSERT_EQ(c.nLength, c.got.size());
        EXPECT_EQ(c.head, c.got.substr(0, c.head.size()));
        EXPECT_EQ(c.tail, c.got.substr(c.got.size() - c.tail.size()));
    }
}

TEST(StringFormat, ArgumentsThatAreTheStringsOwnTextAndLongOutput)
{
    CString s("Bid=5");
    s.Format("[%s]", (LPCTSTR)s);
    s.AppendFormat("%s", s);
    s.AppendFormat("%.1f%%", 12.25);
    EXPECT_EQ(s, "[Bid=5][Bid=5]12.2%");

    // Long arguments are put together after measuring; they may be this string's own text.
    std::string big(100000, 'b');
    big[0] = 'B';
    CString t(big.c_str());
    t.Format("<%s>%d[%s]", t, 7, "x");
    EXPECT_EQ("<" + big + ">7[x]", Bytes(t));
    CString u(big.c_str());
    u.AppendFormat("%s|%-*s|%s", u.GetString(), 3, "a", big.c_str());
    EXPECT_EQ(big + big + "|a  |" + big, Bytes(u));
}

TEST(StringExtract, MidLeftRightClampOutOfRangeArguments)
{
    // (Planted fault: Mid drops the last character of a tail.)
    const CString s("abcdef");
    struct Case { CString got; const char* want; } cases[] = {
        { s.Mid(2), "cdef" }, { s.Mid(2, 2), "cd" }, { s.Mid(4, 100), "ef" }, { s.Mid(-3, 2), "ab" },
        { s.Mid(10), "" }, { s.Mid(10, 3), "" }, { s.Mid(1, -1), "" }, { s.Mid(0), "abcdef" },
        { s.Left(3), "abc" }, { s.Left(-1), "" }, { s.Left(99), "abcdef" },
        { s.Right(2), "ef" }, { s.Right(-5), "" }, { s.Right(99), "abcdef" },
        { s.SpanIncluding("abx"), "ab" }, { s.SpanExcluding("dz"), "abc" }, { CString("zz").SpanIncluding("ab"), "" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.want, Bytes(c.got));
}

TEST(StringSearch, FindReverseFindFindOneOf)
{
    const CString s("12,345.67,8");
    struct Case { int got, want; } cases[] = {
        { s.Find(','), 2 }, { s.Find(',', 3), 9 }, { s.Find(',', 10), -1 }, { s.Find(',', 99), -1 },
        { s.Find(',', -1), -1 }, { s.Find("45"), 4 }, { s.Find("45", 5), -1 }, { s.Find(""), 0 },
        { s.Find("8", s.GetLength()), -1 }, { s.ReverseFind(','), 9 }, { s.ReverseFind('x'), -1 },
        { s.FindOneOf(".,"), 2 }, { s.FindOneOf("xy"), -1 }, { CString().Find('a'), -1 },
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
        EXPECT_EQ(cases[i].want, cases[i].got) << "case " << i;
}

TEST(StringModify, ReplaceRemoveInsertDeleteOverTheWholeLengthPastNuls)
{
    struct Case { CString s; const char* from; const char* to; int nCount; std::string want; } cases[] = {
        { "1,234,567", ",", "", 2, "1234567" },
        { "1234567", "34", "3434", 1, "123434567" },
        { "aaa", "a", "bb", 3, "bbbbbb" },
        { "bbbbbb", "bb", "b", 3, "bbb" },
        { "aaaa", "aa", "b", 2, "bb" },   // non-overlapping, left to right
        { "bbb", "", "x", 0, "bbb" },
        { "bbb", "zz", "x", 0, "bbb" },
        { "a.b.c", ".", nullptr, 2, "abc" },
        { Nul("a,b\0c,d\0,e", 10), ",", ";;", 3, std::string("a;;b\0c;;d\0;;e", 13) },
        { Nul("a,b\0c,d\0,e", 10), ",", "", 3, std::string("ab\0cd\0e", 7) },
        { Nul("a,b\0c,d\0,e", 10), ",", ".", 3, std::string("a.b\0c.d\0.e", 10) },
        { Nul("xx\0ab", 5), "ab", "ABC", 1, std::string("xx\0ABC", 6) },
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.want);
        EXPECT_EQ(c.nCount, c.s.Replace(c.from, c.to));
        EXPECT_EQ(c.want, Bytes(c.s));
    }
    CString t("bbb");
    EXPECT_EQ(3, t.Replace('b', 'c'));
    EXPECT_EQ(0, t.Replace('c', 'c'));
    CString z = Nul("xx\0ABC", 6);
    EXPECT_EQ(1, z.Remove('\0'));
    EXPECT_EQ("xxABC", Bytes(z));

    CString s("1 000 000");
    EXPECT_EQ(s.Remove(' '), 2);
    EXPECT_EQ(s.Insert(1, ','), 8);
    EXPECT_EQ(s.Insert(99, "!"), 9);
    EXPECT_EQ(s.Insert(-4, "<"), 10);
    EXPECT_EQ(s, "<1,000000!");
    EXPECT_EQ(s.Delete(0), 9);
    EXPECT_EQ(s.Delete(7, 50), 7);
    EXPECT_EQ(s.Delete(20, 2), 7);
    EXPECT_EQ(s.Delete(1, -1), 7);
    EXPECT_EQ(s, "1,00000");
    CString self("ab");
    self.Insert(1, self.GetString());
    EXPECT_EQ(self, "aabb");

    // A NUL is a character like any other; growing past the first buffer keeps every byte.
    CString n = Nul("ab\0cd", 5);
    EXPECT_EQ(6, n.Insert(4, "X"));
    EXPECT_EQ(7, n.Insert(1, '\0'));
    EXPECT_EQ(8, n.Insert(99, '\0'));
    EXPECT_EQ(std::string("a\0b\0cXd\0", 8), Bytes(n));
    CString g = Nul("\0\0\0", 3);
    for (int i = 0; i < 40; ++i)
        g.Insert(1, "yz");
    std::string want(83, '\0');
    for (int i = 0; i < 80; ++i)
        want[1 + i] = i % 2 ? 'z' : 'y';
    EXPECT_EQ(want, Bytes(g));
}

TEST(StringBasics, SelfReferenceTrimsAndBuffers)
{
    CString s("ab");
    s += s;
    s = s.GetString();   // self-assignment through a pointer
    s.Insert(1, s.GetString());
    EXPECT_EQ(s, "aababbab");
    EXPECT_EQ(sizeof(CString), sizeof(void*));
    CString acc;   // amortised growth must copy what is there
    std::string ref;
    for (int i = 0; i < 1000; ++i) {
        acc += static_cast<char>('a' + i % 26);
        ref += static_cast<char>('a' + i % 26);
    }
    EXPECT_EQ(std::string(acc), ref);

    EXPECT_EQ(CString("   ").Trim(), "");
    EXPECT_EQ(CString("0012.500").TrimRight("0").TrimRight("."), "0012.5");
    EXPECT_TRUE(CString() == (LPCTSTR) nullptr);

    char* p = s.GetBuffer(20);
    std::strcpy(p, "hello world");
    s.ReleaseBuffer();
    EXPECT_EQ(s, "hello world");
    std::memcpy(s.GetBuffer(20), "0123456789", 10);
    s.ReleaseBuffer(4);
    EXPECT_EQ(s, "0123");
    // An untouched empty string's buffer is a shared constant; it must never be written.
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
    EXPECT_THROW(a.Append(a), std::bad_alloc);
    EXPECT_THROW((void)(a + a), std::bad_alloc);
    EXPECT_THROW(a.Insert(3, a), std::bad_alloc);
    EXPECT_EQ(kBig, a.GetLength());
    EXPECT_EQ('x', a[kBig - 1]);
    EXPECT_EQ('\0', a[kBig]);
    CString f("kept");
    EXPECT_THROW(f.Format("%s%s", a, a), std::bad_alloc);
    EXPECT_THROW(f.AppendFormat("%s%s", a.GetString(), a.GetString()), std::bad_alloc);
    EXPECT_EQ("kept", Bytes(f));
    a.Empty();

    // Appending a count that does not fit is refused before the source is read.
    const char one = 'q';
    EXPECT_THROW(f.Append(&one, INT_MAX), std::bad_alloc);
    EXPECT_THROW(f.Append(&one, INT_MAX - 2), std::bad_alloc);
    EXPECT_EQ("kept", Bytes(f));

    // 1.1 million matches each growing by 2,100 characters: 2.3 GB, refused before writing;
    // the same growth below the limit is made.
    const std::string longer(2101, 'y');
    CString r('x', 1100000);
    EXPECT_THROW(r.Replace("x", longer.c_str()), std::bad_alloc);
    EXPECT_EQ(1100000, r.GetLength());
    EXPECT_EQ('x', r[1099999]);
    CString t('x', 1000);
    EXPECT_EQ(1000, t.Replace("x", longer.c_str()));
    EXPECT_EQ(2101000, t.GetLength());
}

} // namespace
