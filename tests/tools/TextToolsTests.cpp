// Date/time comparison, price splitting and bounded copy of the tools library.
#include "OrvoTools.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

int Cmp(const char* a, const char* b, int order = 1)
{
    return CompareDateTime(const_cast<char*>(a), const_cast<char*>(b), order);
}

} // namespace

TEST(CompareDateTime, DatesCompareByCalendarNotByText)
{
    EXPECT_EQ(-1, Cmp("31/01/2024", "01/02/2024"));
    EXPECT_EQ(1, Cmp("01/02/2024", "31/01/2024"));
    EXPECT_EQ(-1, Cmp("31/12/2023", "01/01/2024"));
    EXPECT_EQ(-1, Cmp("15/06/1999", "14/06/2000"));
    EXPECT_EQ(-1, Cmp("29/02/2024", "01/03/2024"));
    EXPECT_EQ(0, Cmp("05/03/2024", "05/03/2024"));
    EXPECT_EQ(0, Cmp("5/3/2024", "05/03/2024"));
    EXPECT_EQ(0, Cmp("05-03-2024", "05/03/2024"));
    EXPECT_EQ(0, Cmp("  05/03/2024 ", "05/03/2024"));
}

TEST(CompareDateTime, OrderScalesTheResult)
{
    EXPECT_EQ(1, Cmp("31/01/2024", "01/02/2024", -1));
    EXPECT_EQ(-1, Cmp("01/02/2024", "31/01/2024", -1));
    EXPECT_EQ(0, Cmp("01/02/2024", "01/02/2024", -1));
    EXPECT_EQ(0, Cmp("NA", "NA", -1));
    EXPECT_EQ(1, Cmp("NA", "01/02/2024", -1));
}

TEST(CompareDateTime, TimesAndDateTimes)
{
    EXPECT_EQ(-1, Cmp("9:05:00", "10:00:00"));
    EXPECT_EQ(-1, Cmp("09:59:59", "10:00:00"));
    EXPECT_EQ(0, Cmp("23:59", "23:59:00"));
    EXPECT_EQ(1, Cmp("10:00:00.5", "10:00:00.499"));
    EXPECT_EQ(0, Cmp("10:00:00.5", "10:00:00.500"));

    EXPECT_EQ(-1, Cmp("01/02/2024 09:30:00", "01/02/2024 10:00:00"));
    EXPECT_EQ(-1, Cmp("31/01/2024 23:59:59", "01/02/2024 00:00:00"));
    EXPECT_EQ(1, Cmp("02/01/2024 08:00", "01/02/2023 23:00:00"));
    // A date alone is its day at midnight.
    EXPECT_EQ(0, Cmp("01/02/2024", "01/02/2024 00:00:00"));
    EXPECT_EQ(-1, Cmp("01/02/2024", "01/02/2024 00:00:01"));
    EXPECT_EQ(1, Cmp("02/02/2024", "01/02/2024 23:59:59"));
    // A time alone comes before any dated text.
    EXPECT_EQ(-1, Cmp("23:59:59", "01/01/0001"));
}

TEST(CompareDateTime, MalformedTextsSortFirstAmongThemselvesByText)
{
    const char* bad[] = { "", "-", "NA", "31/02/2024", "29/02/2023", "00/01/2024", "01/13/2024",
                          "24:00:00", "10:60", "10:5", "01/02/24", "01/02-2024", "01/02/2024x",
                          "01/02/2024 25:00", "01/02/20245", "10:00:00.1234", "1/1/2024 10" };
    for (const char* text : bad)
    {
        EXPECT_EQ(-1, Cmp(text, "01/01/1900")) << text;
        EXPECT_EQ(1, Cmp("00:00", text)) << text;
    }
    EXPECT_EQ(-1, Cmp("NA", "abc"));
    EXPECT_EQ(1, Cmp("abd", "abc"));
    EXPECT_EQ(0, Cmp("x", "x"));
    EXPECT_EQ(0, Cmp(nullptr, ""));
    EXPECT_EQ(-1, Cmp(nullptr, "-"));
    EXPECT_EQ(-1, Cmp(nullptr, "10:00"));
}

TEST(CompareDateTime, SortsAMixedColumnIntoOneOrder)
{
    std::vector<std::string> rows = { "01/02/2024", "NA", "10:00:00", "31/01/2024 12:00:00",
                                      "-", "9:00", "31/01/2024", "01/01/2025 00:00:01" };
    std::sort(rows.begin(), rows.end(), [](const std::string& a, const std::string& b) {
        return Cmp(a.c_str(), b.c_str()) < 0;
    });
    const std::vector<std::string> expected = { "-", "NA", "9:00", "10:00:00", "31/01/2024",
                                                "31/01/2024 12:00:00", "01/02/2024",
                                                "01/01/2025 00:00:01" };
    EXPECT_EQ(expected, rows);
}

TEST(GetIntegerAndDecimal, SplitsAtTheFirstPoint)
{
    struct Case { const char* price; const char* integer; const char* decimal; };
    const Case cases[] = { { "-123.4500", "-123", "4500" }, { "123", "123", "" }, { ".5", "", "5" },
                           { "-.5", "-", "5" },             { "12.", "12", "" },  { "", "", "" },
                           { "007.010", "007", "010" } };
    for (const Case& c : cases)
    {
        CString integer = "stale", decimal = "stale";
        getIntegerAndDecimal(c.price, integer, decimal);
        EXPECT_STREQ(c.integer, integer) << c.price;
        EXPECT_STREQ(c.decimal, decimal) << c.price;
    }
}

TEST(Strlcpy, TruncatesAlwaysTerminatesAndReturnsSourceLength)
{
    char buf[8];
    std::memset(buf, 'x', sizeof buf);
    EXPECT_EQ(6u, strlcpy(buf, "abcdef", 4));
    EXPECT_STREQ("abc", buf);
    EXPECT_EQ('x', buf[4]);

    EXPECT_EQ(7u, strlcpy(buf, "abcdefg", sizeof buf));
    EXPECT_STREQ("abcdefg", buf);
    EXPECT_EQ(8u, strlcpy(buf, "abcdefgh", sizeof buf));
    EXPECT_STREQ("abcdefg", buf);

    std::memset(buf, 'x', sizeof buf);
    EXPECT_EQ(3u, strlcpy(buf, "abc", 0));
    EXPECT_EQ('x', buf[0]);
    EXPECT_EQ(0u, strlcpy(buf, "", 1));
    EXPECT_EQ('\0', buf[0]);

    // A face name longer than the 32-byte field keeps 31 characters.
    char face[32];
    const std::string longName(40, 'F');
    EXPECT_EQ(40u, strlcpy(face, longName.c_str(), sizeof face));
    EXPECT_EQ(31u, std::strlen(face));
}

TEST(Strlcpy, NullArgumentsAreHarmless)
{
    char buf[4] = "abc";
    EXPECT_EQ(0u, strlcpy(buf, nullptr, sizeof buf));
    EXPECT_STREQ("", buf);
    EXPECT_EQ(0u, strlcpy(nullptr, nullptr, 10));
    EXPECT_EQ(0u, strlcpy(nullptr, "abc", 10));
    EXPECT_EQ(3u, strlcpy(nullptr, "abc", 0));
}
