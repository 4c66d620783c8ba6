// The natural text order and the typed comparisons, window-free (also run natively).
#include <gtest/gtest.h>

#include "lists/ListSortRules.h"

#include <string>

TEST(ListNaturalCompare, DigitRunsByValueThenLengthAndTheInt32LimitsByTheirFirstCharacters)
{
    const std::string huge(400, '9'), xhuge = "x" + huge;
    const struct { const char *a, *b; int nExpected; } cases[] = {
        { "a2", "a10", -1 }, { "a10", "a2", 1 },
        { "a01", "a1", -1 },    // equal values: more leading zeros first
        { "a1b", "a01c", 1 },   // the longer run decides before what follows
        { "x12y", "x12y", 0 },
        { "9", "a", -1 },       // a digit before any other character
        { "B", "a", -1 },       // case-sensitive, by byte value
        { "ab", "abc", -1 }, { "abc", "ab", 1 },
        // By value 2147483647 < 3000000000, but the limit is not trusted: '2' < '3' decides here...
        { "v2147483647", "v3000000000", -1 },
        // ...and here the first characters tie ('2' and '2'), so the texts compare equal.
        { "v2147483647", "v2999999999", 0 },
        { "v9", "v2147483647", 1 },   // by value 9 would come first
        { "v9", "v2147483648", -1 },  // other large runs still compare by value
        { nullptr, "a", 0 }, { "a", nullptr, 0 },
        // A run too long for 64 bits counts as the largest value, not as a wrapped-around one.
        { huge.c_str(), "1", 1 }, { "x1", xhuge.c_str(), -1 }, { huge.c_str(), huge.c_str(), 0 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.nExpected, ListNaturalCompare(c.a, c.b)) << (c.a ? c.a : "null") << " " << (c.b ? c.b : "null");
}

TEST(ListCompareTexts, EachTypeInBothDirections)
{
    // Order -1 is ascending: a negative result means a goes first. nSign: of the result.
    const struct { const char *a, *b; int nType, nOrder, nSign; } cases[] = {
        { "2", "10", LIST_SORT_INTEGER, -1, -1 }, { "2", "10", LIST_SORT_INTEGER, 1, 1 },
        { "1.5", "1.75", LIST_SORT_DECIMAL, -1, -1 }, { "1.5", "1.75", LIST_SORT_DECIMAL, 1, 1 },
        { "-", "0", LIST_SORT_DECIMAL, -1, -1 },     // "-" counts as -1
        { "NA", "0", LIST_SORT_DECIMAL_5, -1, -1 },  // so does "NA"
        { "a2", "a10", LIST_SORT_NATURAL, -1, -1 }, { "a2", "a10", LIST_SORT_NATURAL, 1, 1 },
        { "300000", "70000", LIST_SORT_LONG, -1, 1 }, { "300000", "70000", LIST_SORT_LONG, 1, -1 },
        { "-", "-0.5", LIST_SORT_DECIMAL_9, -1, -1 }, { "NA", "99.99", LIST_SORT_DECIMAL_7, -1, -1 },
        { "31/01/2024", "01/02/2024", LIST_SORT_DATETIME, -1, -1 },
        { "09:30", "31/12/2023 23:59:59", LIST_SORT_DATETIME, -1, -1 },   // a time alone before dates
        { "09:30", "31/12/2023 23:59:59", LIST_SORT_DATETIME, 1, 1 },
        { "02/01/2024 10:00", "01/01/2024", LIST_SORT_DATETIME, -1, 1 },
        { "abc", "abd", LIST_SORT_TEXT, -1, -1 }, { "abc", "abd", LIST_SORT_TEXT, 1, 1 },
        { "alpha", "Beta", LIST_SORT_TEXT, -1, 1 },   // by byte value
        { "x", "y", LIST_SORT_NONE, -1, 0 }, { "x", "y", 10, -1, 0 },
    };
    for (const auto& c : cases)
    {
        const int n = ListCompareTexts(c.a, c.b, c.nType, c.nOrder);
        EXPECT_EQ(c.nSign, (n > 0) - (n < 0)) << c.a << " " << c.b << " type " << c.nType << " order " << c.nOrder;
    }
}
