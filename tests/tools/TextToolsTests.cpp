// Date/time comparison (the fuzz target holds the full reference), price splitting and bounded copy
// of the tools library.
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

// Pairs, orders and nulls are compared with the fuzz target's reference on every run.
TEST(CompareDateTime, MalformedTextsSortFirstAndAMixedColumnByCalendar)
{
    const char* bad[] = { "", "-", "NA", "31/02/2024", "29/02/2023", "00/01/2024", "01/13/2024", "24:00:00", "10:60",
                          "10:5", "01/02/24", "01/02-2024", "01/02/2024x", "01/02/2024 25:00", "01/02/20245",
                          "10:00:00.1234", "1/1/2024 10" };
    for (const char* text : bad)
    {
        EXPECT_EQ(-1, Cmp(text, "01/01/1900")) << text;
        EXPECT_EQ(1, Cmp("00:00", text)) << text;
    }
    // A mixed column sorts into one order.
    std::vector<std::string> rows = { "01/02/2024", "NA", "10:00:00", "31/01/2024 12:00:00", "-", "9:00", "31/01/2024",
                                      "01/01/2025 00:00:01" };
    std::sort(rows.begin(), rows.end(), [](const std::string& a, const std::string& b) { return Cmp(a.c_str(), b.c_str()) < 0; });
    const std::vector<std::string> expected = { "-", "NA", "9:00", "10:00:00", "31/01/2024", "31/01/2024 12:00:00",
                                                "01/02/2024", "01/01/2025 00:00:01" };
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
    struct Case { const char* source; size_t size, result; const char* copied; };
    const std::string longName(40, 'F');   // a face name longer than the 32-byte field keeps 31
    const Case cases[] = { { "abcdef", 4, 6, "abc" },  { "abcdefg", 8, 7, "abcdefg" }, { "abcdefgh", 8, 8, "abcdefg" },
                           { "", 1, 0, "" },           { nullptr, 4, 0, "" },          { longName.c_str(), 32, 40, nullptr },
                           { "abc", 0, 3, "xxxxxxxx" } };
    for (const Case& c : cases)
    {
        char buf[41];
        std::memset(buf, 'x', sizeof buf);
        buf[40] = 0;
        EXPECT_EQ(c.result, strlcpy(buf, c.source, c.size)) << c.source;
        EXPECT_EQ(c.copied ? c.copied : longName.substr(0, 31), std::string(buf).substr(0, c.size ? std::string::npos : 8));
        EXPECT_EQ('x', buf[c.size]) << "nothing written past the buffer";
    }
    EXPECT_EQ(0u, strlcpy(nullptr, nullptr, 10));
    EXPECT_EQ(0u, strlcpy(nullptr, "abc", 10));
    EXPECT_EQ(3u, strlcpy(nullptr, "abc", 0));
}
