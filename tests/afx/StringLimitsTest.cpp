// CString at its limits: embedded NULs kept by every modifier, lengths that no longer fit an int
// refused with std::bad_alloc (never a heap overflow, never a silently empty result), and printf
// field widths and precisions capped so a stray "%*d" cannot exhaust the stack.
#include <gtest/gtest.h>

#include "afxstr.h"

#include <climits>
#include <cstring>
#include <new>
#include <string>

namespace {

std::string Bytes(const CString& s) { return std::string(s.GetString(), static_cast<size_t>(s.GetLength())); }

const int kBig = 1100 * 1024 * 1024; // 1.1 GB: two of them do not fit an int

TEST(StringNul, ReplaceWorksOnTheWholeLengthPastEmbeddedNuls)
{
    const std::string text("a,b\0c,d\0,e", 10);
    CString grow(text.data(), 10);
    EXPECT_EQ(3, grow.Replace(",", ";;"));
    EXPECT_EQ(std::string("a;;b\0c;;d\0;;e", 13), Bytes(grow));

    CString shrink(text.data(), 10);
    EXPECT_EQ(3, shrink.Replace(",", ""));
    EXPECT_EQ(std::string("ab\0cd\0e", 7), Bytes(shrink));

    CString same(text.data(), 10);
    EXPECT_EQ(3, same.Replace(",", "."));
    EXPECT_EQ(std::string("a.b\0c.d\0.e", 10), Bytes(same));

    // Only after the NUL.
    CString tail(std::string("xx\0ab", 5).data(), 5);
    EXPECT_EQ(1, tail.Replace("ab", "ABC"));
    EXPECT_EQ(std::string("xx\0ABC", 6), Bytes(tail));
    EXPECT_EQ(1, tail.Remove('\0'));
    EXPECT_EQ("xxABC", Bytes(tail));
}

TEST(StringNul, InsertKeepsAndInsertsNuls)
{
    CString s(std::string("ab\0cd", 5).data(), 5);
    EXPECT_EQ(6, s.Insert(4, "X"));
    EXPECT_EQ(std::string("ab\0cXd", 6), Bytes(s));
    // A NUL character is a character like any other.
    EXPECT_EQ(7, s.Insert(1, '\0'));
    EXPECT_EQ(std::string("a\0b\0cXd", 7), Bytes(s));
    EXPECT_EQ(8, s.Insert(99, '\0'));
    EXPECT_EQ(std::string("a\0b\0cXd\0", 8), Bytes(s));
    // Growing past the first buffer keeps every byte.
    CString t(std::string("\0\0\0", 3).data(), 3);
    for (int i = 0; i < 40; ++i)
        t.Insert(1, "yz");
    ASSERT_EQ(83, t.GetLength());
    EXPECT_EQ('\0', t[0]);
    EXPECT_EQ('\0', t[81]);
    EXPECT_EQ('\0', t[82]);
    EXPECT_EQ(std::string(t.GetString() + 1, 80).find_first_not_of("yz"), std::string::npos);
}

TEST(StringOverflow, LengthsPastIntMaxThrowAndLeaveTheStringAlone)
{
    CString a('x', kBig);
    ASSERT_EQ(kBig, a.GetLength());
    EXPECT_THROW(a += a, std::bad_alloc);
    EXPECT_EQ(kBig, a.GetLength());
    EXPECT_THROW(a.Append(a), std::bad_alloc);
    EXPECT_THROW((void)(a + a), std::bad_alloc);
    EXPECT_THROW(a.Insert(3, a), std::bad_alloc);
    EXPECT_EQ(kBig, a.GetLength());
    EXPECT_EQ('x', a[kBig - 1]);
    EXPECT_EQ('\0', a[kBig]);


    // Printing both halves gives 2.2 GB of text.
    CString f("kept");
    EXPECT_THROW(f.Format("%s%s", a, a), std::bad_alloc);
    EXPECT_EQ("kept", Bytes(f));
    EXPECT_THROW(f.AppendFormat("%s%s", a.GetString(), a.GetString()), std::bad_alloc);
    EXPECT_EQ("kept", Bytes(f));
}

TEST(StringOverflow, ReplacingPastIntMaxThrowsBeforeWriting)
{
    // 1.1 million matches each growing by 2,100 characters: 2.3 GB.
    CString s('x', 1100000);
    const std::string longer(2101, 'y');
    EXPECT_THROW(s.Replace("x", longer.c_str()), std::bad_alloc);
    EXPECT_EQ(1100000, s.GetLength());
    EXPECT_EQ('x', s[1099999]);
    // Just below the limit the same growth is made.
    CString t('x', 1000);
    EXPECT_EQ(1000, t.Replace("x", longer.c_str()));
    EXPECT_EQ(2101000, t.GetLength());
}

TEST(StringOverflow, AppendingACountThatDoesNotFitThrowsBeforeReading)
{
    // The source is never read: the arithmetic is checked first.
    CString s("abc");
    const char one = 'q';
    EXPECT_THROW(s.Append(&one, INT_MAX), std::bad_alloc);
    EXPECT_THROW(s.Append(&one, INT_MAX - 2), std::bad_alloc);
    EXPECT_EQ("abc", Bytes(s));
}

TEST(StringFormat, FieldWidthsAndPrecisionsAreCapped)
{
    CString s;
    s.Format("%*d", 2000000, 5);
    EXPECT_EQ(4096, s.GetLength());
    EXPECT_EQ('5', s[4095]);
    EXPECT_EQ(' ', s[0]);

    s.Format("%-*d|", -2000000, 7);
    ASSERT_EQ(4097, s.GetLength());
    EXPECT_EQ('7', s[0]);
    EXPECT_EQ('|', s[4096]);

    s.Format("%.*d", 3000000, 9);
    ASSERT_EQ(4096, s.GetLength());
    EXPECT_EQ("0009", Bytes(s.Right(4)));

    s.Format("%2000000d", 1);
    EXPECT_EQ(4096, s.GetLength());
    s.Format("%.*lf", 2000000, 1.5);
    EXPECT_EQ(2 + 4096, s.GetLength());
    EXPECT_EQ("1.5000", Bytes(s.Left(6)));
    s.Format("%*s|", 5000000, "ab");
    EXPECT_EQ(4097, s.GetLength());
    EXPECT_EQ("ab|", Bytes(s.Right(3)));

    // Within the cap nothing changes; a string's precision is a length, not a width.
    s.Format("%*d|%-5s|%.3s|%c", 6, 42, "ab", "abcdef", 'z');
    EXPECT_EQ("    42|ab   |abc|z", Bytes(s));
    std::string longText(10000, 'w');
    s.Format("%.*s", 9000, longText.c_str());
    EXPECT_EQ(9000, s.GetLength());
    s.Format("%.*s", -1, "abc");
    EXPECT_EQ("abc", Bytes(s));
}

TEST(StringFormat, LongStringArgumentsIncludingTheStringItself)
{
    // Long arguments are put together after measuring; they may be this string's own text.
    std::string big(100000, 'b');
    big[0] = 'B';
    CString s(big.c_str());
    s.Format("<%s>%d[%s]", s, 7, "x");
    ASSERT_EQ(100000 + 6, s.GetLength());
    EXPECT_EQ("<B", Bytes(s.Left(2)));
    EXPECT_EQ(">7[x]", Bytes(s.Right(5)));
    CString t(big.c_str());
    t.AppendFormat("%s|%-*s|%s", t.GetString(), 3, "a", big.c_str());
    ASSERT_EQ(300005, t.GetLength());
    EXPECT_EQ('B', t[100000]);
    EXPECT_EQ("|a  |B", Bytes(t.Mid(200000, 6)));
    EXPECT_EQ(std::string(200000, 'b').substr(0, 5), Bytes(t.Right(5)));
}

TEST(StringFormat, ConversionsKeepTheirMeaningThroughTheFieldDriver)
{
    CString s;
    s.Format("%5.1f|%+d|% d|%#x|%o|%e|%g|%%|%p", 3.14159, 7, 3, 255u, 8u, 12345.678, 0.0001, (void*)nullptr);
    std::string expect = "  3.1|+7| 3|0xff|10|1.234568e+04|0.0001|%|";
    EXPECT_EQ(expect, Bytes(s).substr(0, expect.size()));
    s.Format("%hd|%hhu|%zu|%I32d|%Id", 70000, 300, (size_t)12, -5, (size_t)6);
    EXPECT_EQ("4464|44|12|-5|6", Bytes(s));
    // Integers written without printf: sign, zero padding, left alignment, bases, extremes.
    s.Format("%05d|%-5d|%5d|%x|%X|%o|%hhd|%u", -42, -7, 0, -1, 255u, 8u, 200, 4294967295u);
    EXPECT_EQ("-0042|-7   |    0|ffffffff|FF|10|-56|4294967295", Bytes(s));
    s.Format("%d|%lld|%llu|%-05d|%08lX", INT_MIN, (long long)LLONG_MIN, (unsigned long long)ULLONG_MAX, 3, (DWORD)0xABCDEF);
    EXPECT_EQ("-2147483648|-9223372036854775808|18446744073709551615|3    |00ABCDEF", Bytes(s));
    s.Format("%+05d|% d|%#o|%.3d|%'d", 42, 5, 8, 7, 12);
    EXPECT_EQ("+0042| 5|010|007|", Bytes(s).substr(0, 17));
    s.Format("%s|%5c|%-3c|", (const char*)nullptr, 'a', 'b');
    EXPECT_EQ("(null)|    a|b  |", Bytes(s));
    // A trailing lone percent and unknown conversions are copied as text.
    s.Format("100%");
    EXPECT_EQ("100%", Bytes(s));
    s.Format("%y%d", 4);
    EXPECT_EQ("%y4", Bytes(s));
}

} // namespace
