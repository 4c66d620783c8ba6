// The natural text order and the typed comparisons, window-free (also run natively).
#include <gtest/gtest.h>

#include "lists/ListSortRules.h"

#include <string>

TEST(ListNaturalCompare, DigitRunsCompareByValueThenByLength)
{
    EXPECT_EQ(-1, ListNaturalCompare("a2", "a10"));
    EXPECT_EQ(1, ListNaturalCompare("a10", "a2"));
    EXPECT_EQ(-1, ListNaturalCompare("a01", "a1"));    // equal values: more leading zeros first
    EXPECT_EQ(1, ListNaturalCompare("a1b", "a01c"));   // the longer run decides before what follows
    EXPECT_EQ(0, ListNaturalCompare("x12y", "x12y"));
    EXPECT_EQ(-1, ListNaturalCompare("9", "a"));       // a digit before any other character
    EXPECT_EQ(1, ListNaturalCompare("B", "A"));
    EXPECT_EQ(-1, ListNaturalCompare("B", "a"));       // case-sensitive, by byte value
    EXPECT_EQ(-1, ListNaturalCompare("ab", "abc"));    // the shorter text first
    EXPECT_EQ(1, ListNaturalCompare("abc", "ab"));
}

TEST(ListNaturalCompare, RunsOfTheInt32LimitsAreDecidedByTheirFirstCharacters)
{
    // By value 2147483647 < 3000000000, but the limit is not trusted: '2' < '3' decides here...
    EXPECT_EQ(-1, ListNaturalCompare("v2147483647", "v3000000000"));
    // ...and here the first characters tie ('2' and '2'), so the texts compare equal.
    EXPECT_EQ(0, ListNaturalCompare("v2147483647", "v2999999999"));
    EXPECT_EQ(1, ListNaturalCompare("v9", "v2147483647"));   // by value 9 would come first
    // Other large runs still compare by value.
    EXPECT_EQ(-1, ListNaturalCompare("v9", "v2147483648"));
}

TEST(ListNaturalCompare, NullTextsAndHugeRunsAreSafe)
{
    EXPECT_EQ(0, ListNaturalCompare(nullptr, "a"));
    EXPECT_EQ(0, ListNaturalCompare("a", nullptr));
    // A run too long for 64 bits counts as the largest value, not as a wrapped-around one.
    std::string huge(400, '9');
    EXPECT_EQ(1, ListNaturalCompare(huge.c_str(), "1"));
    EXPECT_EQ(-1, ListNaturalCompare("x1", ("x" + huge).c_str()));
    EXPECT_EQ(0, ListNaturalCompare(huge.c_str(), huge.c_str()));
}

TEST(ListCompareTexts, AscendingOrderPutsSmallerValuesFirstForEachType)
{
    // Order -1 is ascending: a negative result means a goes first.
    EXPECT_LT(ListCompareTexts("2", "10", LIST_SORT_INTEGER, -1), 0);
    EXPECT_GT(ListCompareTexts("2", "10", LIST_SORT_INTEGER, 1), 0);
    EXPECT_LT(ListCompareTexts("1.5", "1.75", LIST_SORT_DECIMAL, -1), 0);
    EXPECT_LT(ListCompareTexts("-", "0", LIST_SORT_DECIMAL, -1), 0);     // "-" counts as -1
    EXPECT_LT(ListCompareTexts("NA", "0", LIST_SORT_DECIMAL_5, -1), 0);  // so does "NA"
    EXPECT_LT(ListCompareTexts("a2", "a10", LIST_SORT_NATURAL, -1), 0);
    EXPECT_LT(ListCompareTexts("31/01/2024", "01/02/2024", LIST_SORT_DATETIME, -1), 0);
    EXPECT_LT(ListCompareTexts("abc", "abd", LIST_SORT_TEXT, -1), 0);
    EXPECT_EQ(0, ListCompareTexts("x", "y", LIST_SORT_NONE, -1));
    EXPECT_EQ(0, ListCompareTexts("x", "y", 10, -1));
}
