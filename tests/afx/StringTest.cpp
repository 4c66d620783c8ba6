// CString behaviour the library relies on: tokenizing stored formulas and filters, printf
// formatting of prices and colours, clamped extraction, search/replace, buffers.
#include <gtest/gtest.h>

#include "afxstr.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<std::string> TokenizeAll(const CString& s, LPCTSTR delims, std::vector<int>* pStarts = nullptr)
{
    std::vector<std::string> pieces;
    int iStart = 0;
    for (;;) {
        CString tok = s.Tokenize(delims, iStart);
        if (pStarts)
            pStarts->push_back(iStart);
        if (iStart == -1) {
            EXPECT_TRUE(tok.IsEmpty());
            break;
        }
        pieces.emplace_back(tok.GetString());
    }
    return pieces;
}

using Pieces = std::vector<std::string>;

TEST(StringTokenize, StoredFormulaAlternatesLiteralAndColumn)
{
    // The stored form starts with a space so the first piece is literal text.
    std::vector<int> starts;
    EXPECT_EQ(TokenizeAll(" \"3\" * 2 + \"5\"", "\"", &starts),
              (Pieces{ " ", "3", " * 2 + ", "5" }));
    EXPECT_EQ(starts, (std::vector<int>{ 2, 4, 12, 14, -1 }));
}

TEST(StringTokenize, LeadingDelimitersAndRunsAreSkipped)
{
    EXPECT_EQ(TokenizeAll("\"3\"\"\"4\"", "\""), (Pieces{ "3", "4" }));
    EXPECT_EQ(TokenizeAll("~~abc~~~de~f~", "~"), (Pieces{ "abc", "de", "f" }));
    EXPECT_EQ(TokenizeAll("a, b;;c", ",; "), (Pieces{ "a", "b", "c" }));
}

TEST(StringTokenize, NothingLeftGivesEmptyAndMinusOne)
{
    EXPECT_EQ(TokenizeAll("", "~"), Pieces{});
    EXPECT_EQ(TokenizeAll("~~~", "~"), Pieces{});

    CString s("ab~");
    int iStart = 0;
    EXPECT_EQ(s.Tokenize("~", iStart), "ab");
    EXPECT_EQ(iStart, 3);
    EXPECT_EQ(s.Tokenize("~", iStart), "");
    EXPECT_EQ(iStart, -1);
    // Calling again after the end stays at the end instead of reading out of bounds.
    EXPECT_EQ(s.Tokenize("~", iStart), "");
    EXPECT_EQ(iStart, -1);

    // Token at the very end without a trailing delimiter: iStart moves one past the length.
    CString t("x~yz");
    iStart = 2;
    EXPECT_EQ(t.Tokenize("~", iStart), "yz");
    EXPECT_EQ(iStart, 5);
    EXPECT_EQ(t.Tokenize("~", iStart), "");
    EXPECT_EQ(iStart, -1);
}

TEST(StringTokenize, EmptyDelimiterSetReturnsTheRest)
{
    CString s("abc");
    int iStart = 1;
    EXPECT_EQ(s.Tokenize("", iStart), "bc");
    EXPECT_EQ(iStart, 1);
    iStart = 3;
    EXPECT_EQ(s.Tokenize("", iStart), "");
    EXPECT_EQ(iStart, -1);
}

TEST(StringFormat, PrintfConversionsUsedByTheLibrary)
{
    CString s;
    s.Format("%.*lf", 2, 1234.5678);
    EXPECT_EQ(s, "1234.57");
    s.Format("%.*lf", 0, 2.5);
    EXPECT_EQ(s, "2");
    s.Format("%f", 1.5);
    EXPECT_EQ(s, "1.500000");

    DWORD colour = 0x00FF8040;
    s.Format("%lX", colour);
    EXPECT_EQ(s, "FF8040");
    s.Format("%08lX", (DWORD)0xABCDEF);
    EXPECT_EQ(s, "00ABCDEF");

    s.Format("%I64d", (LONGLONG)-1234567890123LL);
    EXPECT_EQ(s, "-1234567890123");
    s.Format("%lld|%llu", (LONGLONG)9007199254740993LL, (ULONGLONG)18446744073709551615ULL);
    EXPECT_EQ(s, "9007199254740993|18446744073709551615");

    s.Format("%d %ld %u %c %5s|%-3d|", -7, (LONG)-8, 9u, 'z', "ab", 4);
    EXPECT_EQ(s, "-7 -8 9 z    ab|4  |");
}

TEST(StringFormat, CStringArgumentsAndSelfReference)
{
    CString name("Bid");
    CString s;
    s.Format("%s=%d", name, 5);
    EXPECT_EQ(s, "Bid=5");
    // The argument is this string's own text.
    s.Format("[%s]", (LPCTSTR)s);
    EXPECT_EQ(s, "[Bid=5]");
    s.AppendFormat("%s", s);
    EXPECT_EQ(s, "[Bid=5][Bid=5]");
    s.AppendFormat("%.1f%%", 12.25);
    EXPECT_EQ(s, "[Bid=5][Bid=5]12.2%");
}

TEST(StringFormat, LongOutputBeyondTheStackBuffer)
{
    std::string big(3000, 'q');
    CString s("keep");
    s.Format("<%s>%d", big.c_str(), 42);
    EXPECT_EQ(s.GetLength(), 3004);
    EXPECT_EQ(std::string(s.GetString()), "<" + big + ">42");
    CString t("x");
    t.AppendFormat("%s", big.c_str());
    EXPECT_EQ(t.GetLength(), 3001);
    EXPECT_EQ(t.Right(2), "qq");
}

TEST(StringExtract, MidLeftRightClampOutOfRangeArguments)
{
    CString s("abcdef");
    EXPECT_EQ(s.Mid(2), "cdef");
    EXPECT_EQ(s.Mid(2, 2), "cd");
    EXPECT_EQ(s.Mid(4, 100), "ef");
    EXPECT_EQ(s.Mid(-3, 2), "ab");
    EXPECT_EQ(s.Mid(10), "");
    EXPECT_EQ(s.Mid(10, 3), "");
    EXPECT_EQ(s.Mid(1, -1), "");
    EXPECT_EQ(s.Left(3), "abc");
    EXPECT_EQ(s.Left(-1), "");
    EXPECT_EQ(s.Left(99), "abcdef");
    EXPECT_EQ(s.Right(2), "ef");
    EXPECT_EQ(s.Right(-5), "");
    EXPECT_EQ(s.Right(99), "abcdef");
    EXPECT_EQ(s.SpanIncluding("abx"), "ab");
    EXPECT_EQ(s.SpanExcluding("dz"), "abc");
    EXPECT_EQ(CString("zz").SpanIncluding("ab"), "");
}

TEST(StringSearch, FindReverseFindFindOneOf)
{
    CString s("12,345.67,8");
    EXPECT_EQ(s.Find(','), 2);
    EXPECT_EQ(s.Find(',', 3), 9);
    EXPECT_EQ(s.Find(',', 10), -1);
    EXPECT_EQ(s.Find(',', 99), -1);
    EXPECT_EQ(s.Find(',', -1), -1);
    EXPECT_EQ(s.Find("45"), 4);
    EXPECT_EQ(s.Find("45", 5), -1);
    EXPECT_EQ(s.Find(""), 0);
    EXPECT_EQ(s.Find("8", s.GetLength()), -1);
    EXPECT_EQ(s.ReverseFind(','), 9);
    EXPECT_EQ(s.ReverseFind('x'), -1);
    EXPECT_EQ(s.FindOneOf(".,"), 2);
    EXPECT_EQ(s.FindOneOf("xy"), -1);
    EXPECT_EQ(CString().Find('a'), -1);
}

TEST(StringModify, ReplaceCountsAndHandlesGrowthAndShrink)
{
    CString s("1,234,567");
    EXPECT_EQ(s.Replace(",", ""), 2);
    EXPECT_EQ(s, "1234567");
    EXPECT_EQ(s.Replace("34", "3434"), 1);
    EXPECT_EQ(s, "123434567");
    CString t("aaa");
    EXPECT_EQ(t.Replace("a", "bb"), 3);
    EXPECT_EQ(t, "bbbbbb");
    EXPECT_EQ(t.Replace("bb", "b"), 3);
    EXPECT_EQ(t, "bbb");
    EXPECT_EQ(t.Replace("", "x"), 0);
    EXPECT_EQ(t.Replace("zz", "x"), 0);
    EXPECT_EQ(t.Replace('b', 'c'), 3);
    EXPECT_EQ(t, "ccc");
    EXPECT_EQ(t.Replace('c', 'c'), 0);
    CString u("a.b.c");
    EXPECT_EQ(u.Replace(".", nullptr), 2);
    EXPECT_EQ(u, "abc");
    // Non-overlapping, left to right.
    CString v("aaaa");
    EXPECT_EQ(v.Replace("aa", "b"), 2);
    EXPECT_EQ(v, "bb");
}

TEST(StringModify, RemoveInsertDelete)
{
    CString s("1 000 000");
    EXPECT_EQ(s.Remove(' '), 2);
    EXPECT_EQ(s, "1000000");
    EXPECT_EQ(s.Insert(1, ','), 8);
    EXPECT_EQ(s.Insert(99, "!"), 9);
    EXPECT_EQ(s.Insert(-4, "<"), 10);
    EXPECT_EQ(s, "<1,000000!");
    EXPECT_EQ(s.Delete(0), 9);
    EXPECT_EQ(s.Delete(7, 50), 7);
    EXPECT_EQ(s, "1,00000");
    EXPECT_EQ(s.Delete(20, 2), 7);
    EXPECT_EQ(s.Delete(1, -1), 7);
    // Inserting the string's own text.
    CString t("ab");
    t.Insert(1, t.GetString());
    EXPECT_EQ(t, "aabb");
}

TEST(StringModify, TrimForms)
{
    CString s(" \t price \r\n");
    EXPECT_EQ(CString(s).TrimLeft(), "price \r\n");
    EXPECT_EQ(CString(s).TrimRight(), " \t price");
    EXPECT_EQ(s.Trim(), "price");
    EXPECT_EQ(CString("xxaxx").Trim('x'), "a");
    EXPECT_EQ(CString("xxaxx").TrimLeft('x'), "axx");
    EXPECT_EQ(CString("xxaxx").TrimRight('x'), "xxa");
    EXPECT_EQ(CString("-+12.5+-").Trim("+-"), "12.5");
    EXPECT_EQ(CString("0012.500").TrimRight("0").TrimRight("."), "0012.5");
    EXPECT_EQ(CString("   ").Trim(), "");
    EXPECT_EQ(CString("aBc1").MakeUpper(), "ABC1");
    EXPECT_EQ(CString("aBc1").MakeLower(), "abc1");
    EXPECT_EQ(CString("abc").MakeReverse(), "cba");
}

TEST(StringCompare, OrderAndCaseFolding)
{
    CString a("Alpha"), b("alpha"), c("Beta");
    EXPECT_NE(a.Compare(b), 0);
    EXPECT_EQ(a.CompareNoCase(b), 0);
    EXPECT_LT(a.CompareNoCase("BETA"), 0);
    EXPECT_GT(c.CompareNoCase("alpha"), 0);
    EXPECT_LT(CString("ab").CompareNoCase("ABC"), 0);
    EXPECT_TRUE(a < b); // 'A' < 'a'
    EXPECT_TRUE(a != b);
    EXPECT_TRUE(a == "Alpha");
    EXPECT_TRUE("Alpha" == a);
    EXPECT_TRUE("Beta" > a);
    EXPECT_TRUE(c >= "Beta" && c <= "Beta" && "Beta" <= c);
    EXPECT_TRUE(CString() == "");
    EXPECT_TRUE(CString() == (LPCTSTR) nullptr);
}

TEST(StringBasics, ConstructionConcatenationAndAccess)
{
    EXPECT_EQ(CString('-', 3), "---");
    EXPECT_EQ(CString('-', 0), "");
    EXPECT_EQ(CString("abcdef", 3), "abc");
    EXPECT_EQ(CString((LPCTSTR) nullptr), "");
    CString s = CString("a") + "b" + 'c' + CString("d");
    EXPECT_EQ(s, "abcd");
    EXPECT_EQ("x" + s, "xabcd");
    EXPECT_EQ('y' + s, "yabcd");
    s += s;
    EXPECT_EQ(s, "abcdabcd");
    s += 'e';
    s += "fg";
    EXPECT_EQ(s, "abcdabcdefg");
    EXPECT_EQ(s.GetLength(), 11);
    EXPECT_EQ(s[2], 'c');
    EXPECT_EQ(s.GetAt(10), 'g');
    s.SetAt(0, 'A');
    EXPECT_EQ(std::strcmp((LPCTSTR)s, "Abcdabcdefg"), 0);
    s = 'z';
    EXPECT_EQ(s, "z");
    s = s.GetString(); // self-assignment through a pointer
    EXPECT_EQ(s, "z");
    s.Empty();
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_EQ(sizeof(CString), sizeof(void*));

    // Many appends keep the content (amortised growth must copy what is there).
    CString acc;
    std::string ref;
    for (int i = 0; i < 1000; ++i) {
        acc += static_cast<char>('a' + i % 26);
        ref += static_cast<char>('a' + i % 26);
    }
    EXPECT_EQ(std::string(acc), ref);
}

TEST(StringBuffer, GetBufferReleaseBuffer)
{
    CString s("abc");
    char* p = s.GetBuffer(10);
    EXPECT_STREQ(p, "abc");
    std::strcpy(p, "hello world");
    s.ReleaseBuffer();
    EXPECT_EQ(s, "hello world");
    EXPECT_EQ(s.GetLength(), 11);

    p = s.GetBuffer(0);
    p[5] = '\0';
    s.ReleaseBuffer();
    EXPECT_EQ(s, "hello");

    p = s.GetBuffer(20);
    std::memcpy(p, "0123456789", 10);
    s.ReleaseBuffer(4);
    EXPECT_EQ(s, "0123");

    CString e;
    p = e.GetBuffer();
    p[0] = 'k';
    p[1] = '\0';
    e.ReleaseBuffer();
    EXPECT_EQ(e, "k");

    CString f;
    p = f.GetBufferSetLength(3);
    p[0] = 'x';
    p[1] = 'y';
    p[2] = 'z';
    f.ReleaseBuffer(3);
    EXPECT_EQ(f, "xyz");

    // An untouched empty string's buffer is a shared constant; it must never be written.
    CString g, h;
    g.GetBuffer(8)[0] = '\0';
    g.ReleaseBuffer();
    EXPECT_TRUE(h.IsEmpty());
    EXPECT_STREQ(h.GetString(), "");
}

} // namespace
