// The window-free rules of the edit boxes, on inputs a user can produce but a test of the real
// control would take long to type: very long texts, bytes of 128 and above, lone signs and points,
// numbers beyond the float and double ranges, every caret place of a key.
#include <gtest/gtest.h>

#include "editors/NumRules.h"
#include "editors/PriceRules.h"

#include <cfloat>
#include <climits>
#include <string>

namespace
{
const CString kPriceChars = "0123456789.-,";
const CString kLong = CString('1', 5000) + ".12";

TEST(PriceRules, LongAndOddTexts)
{
    EXPECT_EQ(PRICE_REPORT_CHARACTER, PriceCheckCharacters("1\xB7" "5", kPriceChars));
    EXPECT_EQ(PRICE_REPORT_CHARACTER, PriceCheckCharacters("1", ""));
    // The precision is checked before the digit count.
    EXPECT_EQ(PRICE_REPORT_CHARACTER, PriceCheckParts(CString('9', 40), "12345", 4, 15.0));
    EXPECT_EQ(PRICE_REPORT_DIGITS, PriceCheckParts(CString('9', 5000), "", 4, 15.0));
    EXPECT_EQ(PRICE_VALID, PriceCheckParts(CString('0', 5000) + "1", CString('0', 5000), 4, 1.0));
    EXPECT_EQ(PRICE_REPORT_DIGITS, PriceCheckParts("12", "1", 4, 2.5));   // 3 > 2.5
    EXPECT_EQ(PRICE_REPORT_CHARACTER, PriceCheckParts("1", "5", -3, 15.0));
    EXPECT_EQ(PRICE_REPORT_RANGE, PriceCheckRange(CString('9', 400), -DBL_MAX, DBL_MAX));   // overflows to inf
    EXPECT_EQ(PRICE_VALID, PriceCheckRange(CString('9', 300), -DBL_MAX, DBL_MAX));
    EXPECT_EQ(PRICE_VALID, PriceCheckRange("-", 0.0, 0.0));

    CString strGrouped = PriceCommaData(CString('1', 3001), 4);
    EXPECT_EQ(3001 + 1000, strGrouped.GetLength());
    EXPECT_EQ(',', strGrouped[1]);
    EXPECT_STREQ("1,111", strGrouped.Right(5));
    struct Case { int nPrecision; const char* in; const char* out; } const cases[] = {
        { 2, "1234.5678", "1,234.56" }, { 2, "-1234567.891", "-1,234,567.89" }, { 2, ".5", ".5" },
        { 2, "1,2,3,4", "1,234" },      { 2, "--123456", "-123,456" },          { 2, "123.", "123." },
        { 0, "9999.99", "9,999." },     { INT_MAX, "-9876.543210987", "-9,876.543210987" }, { INT_MIN, "12.5", "12" },
        { 2, "1.2.345", "1.2.34" },     { 2, "-.12345", "-.12" },   // the last point splits
        { 2, "\xE9\xE9\xE9\xE9\xE9", "\xE9\xE9,\xE9\xE9\xE9" },
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.out, PriceCommaData(c.in, c.nPrecision)) << c.in;
    EXPECT_STREQ("1234567.5", PriceTrueValue("1,234,567.5"));
}

TEST(PriceRules, KeyVerdicts)
{
    // nMoveTo: where the caret jumps, -1: nowhere
    struct Case { CString text; int nCaret; unsigned ch; int nPrecision, nResult, nMoveTo; bool bReport; } const cases[] = {
        { "", 0, '.', 2, 1, -1, false },         { "", 0, '-', 2, 1, -1, false },
        { "", 0, 'x', 2, 0, -1, true },           // empty box: refused and reported
        { "", 0, 0xE9, 2, 0, -1, true },          { "", 0, 8, 2, 0, -1, false },   // backspace: quietly refused
        { "1,234.56", 2, '.', 2, 0, 6, false },   // jumps behind the existing point
        { "1,234.56", 8, '3', 2, 0, -1, false },  // decimals full
        { "1,234.56", 2, '3', 2, 1, -1, false },  // integer digits still welcome
        { "1,234.5", 0, '-', 2, 1, -1, false },   { "1,234.5", 3, '-', 2, 0, -1, false },   // not at the start
        { "-5", 0, '-', 2, 0, -1, false },        // already signed
        { "-5", 0, 'a', 2, 0, -1, false },
        { "1.123456789", 11, '5', INT_MAX, 1, -1, false }, { "1.1", 3, '5', INT_MIN, 0, -1, false },
        { kLong, 5003, '3', 4, 1, -1, false },    { kLong, 5003, '3', 2, 0, -1, false },
        { kLong, 0, '.', 2, 0, 5001, false },
    };
    for (const Case& c : cases)
    {
        const sPriceKeyVerdict v = PriceKeyVerdict(c.text, c.nCaret, c.ch, c.nPrecision);
        EXPECT_EQ(c.nResult, v.nResult) << c.text.Left(12) << " + " << c.ch;
        EXPECT_EQ(c.nMoveTo, v.nMoveCaretTo < 0 ? -1 : v.nMoveCaretTo) << c.text.Left(12) << " + " << c.ch;
        EXPECT_EQ(c.bReport, v.bReport != FALSE) << c.text.Left(12) << " + " << c.ch;
    }
}

TEST(NumRules, WholeTextChecks)
{
    const CString kNumChars = "0123456789.,";
    EXPECT_EQ(NUM_NOT_A_NUMBER, NumCheckText(CString('a', 5000), kNumChars, 0.0f, 100.0f));
    EXPECT_EQ(NUM_OUT_OF_RANGE, NumCheckText(CString('9', 5000), kNumChars, 0.0f, 100.0f));
    EXPECT_EQ(NUM_NOT_A_NUMBER, NumCheckText(".", kNumChars, 0.0f, 100.0f));
    EXPECT_EQ(NUM_OUT_OF_RANGE, NumCheckText("1e39", "", -FLT_MAX, FLT_MAX));   // beyond float
    // Control codes pass the character scan but are still no part of a number.
    EXPECT_EQ(NUM_NOT_A_NUMBER, NumCheckText("1\b", "0123456789", 0.0f, 100.0f));
    EXPECT_EQ(NUM_OUT_OF_RANGE, NumCheckText("1.234\x18", "0123456789.", 0.0f, 100.0f));
    EXPECT_TRUE(NumPasteAllowed("1,5", kNumChars, 0.0f, 100.0f));   // atof reads 1

    EXPECT_EQ(-1, FindNonAlphaNumeric("Group7abcXYZ"));
    EXPECT_EQ(2, FindNonAlphaNumeric("ab@"));   // just below 'A'
    EXPECT_EQ(1, FindNonAlphaNumeric("a[z"));   // just above 'Z'
}
}  // namespace
