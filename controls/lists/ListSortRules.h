// The comparison rules of the list sort, by column data type, and the natural text order. No
// window in here: the list hands over the two cell texts as they stood before the sort.
#pragma once

#include <afx.h>

// The data type of a column (sOrvoColInfo::nDataType), named by the comparison it sorts with.
enum eListSortType
{
    LIST_SORT_NONE = 0,        // unsortable: every pair ties
    LIST_SORT_INTEGER = 1,     // atoi values
    LIST_SORT_DECIMAL = 2,     // atof values, "-" and "NA" counting as -1
    LIST_SORT_NATURAL = 3,     // natural text order
    LIST_SORT_LONG = 4,        // atol values
    LIST_SORT_DECIMAL_5 = 5,   // 5, 7 and 9 sort as LIST_SORT_DECIMAL; hosts tell them apart
    LIST_SORT_DATETIME = 6,    // CompareDateTime
    LIST_SORT_DECIMAL_7 = 7,
    LIST_SORT_TEXT = 8,        // strcmp, case-sensitive
    LIST_SORT_DECIMAL_9 = 9,
};

// Natural order of two texts: digit runs compare by value (equal values: the longer run, i.e. more
// leading zeros, first), a digit sorts before any other character, other characters by their
// signed 8-bit value. A run of exactly 2147483647 (or -2147483648) is not trusted as a value: the
// first characters of the two runs decide. Null texts compare equal. Result -1, 0 or 1.
CONTROLS_API int ListNaturalCompare(const char* x, const char* y);

// The sort comparison of two cells a and b of a column with the given data type (eListSortType)
// and order (-1 ascending, +1 descending): negative when a goes first, positive when b does, 0 when
// they tie. Types outside 1 to 9 tie every pair.
CONTROLS_API int ListCompareTexts(const char* a, const char* b, int nDataType, int nOrder);

// True for the data types whose cells compare as numbers (all but natural, date-time and text).
CONTROLS_API bool ListIsNumericType(int nDataType);
// The number a cell of a numeric type stands for: atoi for LIST_SORT_INTEGER, atol for
// LIST_SORT_LONG, atof for the decimal types, where "-" and "NA" count as -1.
CONTROLS_API double ListNumericKey(const char* text, int nDataType);
// Two numbers in a total order: -1 when x is below y, 0 when they are equal, 1 when above. Texts
// that read as not-a-number ("nan") are equal to each other and below every number, minus
// infinity included, so they sort together at the low end; infinities sit at their own ends.
CONTROLS_API int ListCompareNumbers(double x, double y);
// What ListQuickReadDecimal could tell of a text.
enum
{
    LIST_QUICK_NO_NUMBER,   // no number starts it: atof and "%lf" scanning read nothing (0)
    LIST_QUICK_NUMBER,      // a plain decimal, read
    LIST_QUICK_UNDECIDED,   // only the C run-time's own reading can tell
};
// The plain decimals of a price or quantity column read without the C run-time's scanner, to the
// value atof and "%lf" scanning give them (see the definition for what counts as plain).
CONTROLS_API int ListQuickReadDecimal(const char* p, double& dValue);
// atof, except that "nan" and "inf" texts (after blanks and a sign, any case) read as not-a-number
// and infinity whatever the C run-time makes of them.
CONTROLS_API double ListReadDecimal(const char* text);
