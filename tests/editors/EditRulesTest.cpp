// The window-free rules of the edit boxes on inputs a user can produce but a test of the real
// control would take long to type: very long texts, bytes of 128 and above, lone signs and points,
// numbers beyond the float and double ranges.
#include <gtest/gtest.h>

#include "editors/NumRules.h"
#include "editors/PriceRules.h"

#include <cfloat>
#include <climits>
#include <string>

namespace
{
const CString kPriceChars = "0123456789.-,";

TEST(PriceRules, LongAndOddTexts)
{
    EXPECT_EQ(PRICE_REPORT_CHARACTER, PriceCheckCharacters("1\xB7" "5", kPriceChars));
    EXPECT_EQ(PRICE_REPORT_CHARACTER, PriceCheckCharacters("\xFF", kPriceChars));
    EXPECT_EQ(PRICE_REPORT_CHARACTER, PriceCheckCharacters("1", ""));
    // The precision is checked before the digit count.
    EXPECT_EQ(PRICE_REPORT_CHARACTER, PriceCheckParts(CString('9', 40), "12345", 4, 15.0));
    EXPECT_EQ(PRICE_REPORT_DIGITS, PriceCheckParts(CString('9', 5000), "", 4, 15.0));
    EXPECT_EQ(PRICE_VALID, PriceCheckParts(CString('0', 5000) + "1", CString('0', 5000), 4, 1.0));
    EXPECT_EQ(PRICE_REPORT_DIGITS, PriceCheckParts("12", "1", 4, 2.5));   // 3 > 2.5
    EXPECT_EQ(PRICE_REPORT_RANGE, PriceCheckRange(CString('9', 400), -DBL_MAX, DBL_MAX));   // overflows to inf
    EXPECT_EQ(PRICE_VALID, PriceCheckRange(CString('9', 300), -DBL_MAX, DBL_MAX));

    CString strGrouped = PriceCommaData(CString('1', 3001), 4);
    EXPECT_EQ(3001 + 1000, strGrouped.GetLength());
    EXPECT_EQ(',', strGrouped[1]);
    EXPECT_STREQ("1,111", strGrouped.Right(5));
    EXPECT_STREQ("1.2.34", PriceCommaData("1.2.345", 2));   // the last point splits
    EXPECT_STREQ("-.12", PriceCommaData("-.12345", 2));
    EXPECT_STREQ("123", PriceCommaData("123.45", -1));
    EXPECT_EQ(PRICE_REPORT_CHARACTER, PriceCheckParts("1", "5", -3, 15.0));
    EXPECT_EQ(PRICE_VALID, PriceCheckRange("-", 0.0, 0.0));
    EXPECT_STREQ("\xE9\xE9,\xE9\xE9\xE9", PriceCommaData("\xE9\xE9\xE9\xE9\xE9", 2));
    EXPECT_EQ(1, PriceKeyVerdict("1.123456789", 11, '5', INT_MAX).nResult);
    EXPECT_EQ(0, PriceKeyVerdict("1.1", 3, '5', INT_MIN).nResult);

    const CString strText = CString('1', 5000) + ".12";
    EXPECT_EQ(1, PriceKeyVerdict(strText, 5003, '3', 4).nResult);
    EXPECT_EQ(0, PriceKeyVerdict(strText, 5003, '3', 2).nResult);
    sPriceKeyVerdict v = PriceKeyVerdict(strText, 0, '.', 2);
    EXPECT_EQ(0, v.nResult);
    EXPECT_EQ(5001, v.nMoveCaretTo);
    v = PriceKeyVerdict("", 0, 0xE9, 2);
    EXPECT_EQ(0, v.nResult);
    EXPECT_TRUE(v.bReport);
}

TEST(NumRules, WholeTextChecks)
{
    const CString kNumChars = "0123456789.,";
    EXPECT_EQ(NUM_VALID, NumCheckText("99.99", kNumChars, 0.0f, 100.0f));
    EXPECT_EQ(NUM_NOT_A_NUMBER, NumCheckText(CString('a', 5000), kNumChars, 0.0f, 100.0f));
    EXPECT_EQ(NUM_OUT_OF_RANGE, NumCheckText(CString('9', 5000), kNumChars, 0.0f, 100.0f));
    EXPECT_EQ(NUM_NOT_A_NUMBER, NumCheckText("1\xE9", kNumChars, 0.0f, 100.0f));
    EXPECT_EQ(NUM_NOT_A_NUMBER, NumCheckText(".", kNumChars, 0.0f, 100.0f));
    EXPECT_EQ(NUM_OUT_OF_RANGE, NumCheckText("1e39", "", -FLT_MAX, FLT_MAX));   // beyond float
    // Control codes pass the character scan but are still no part of a number.
    EXPECT_EQ(NUM_NOT_A_NUMBER, NumCheckText("1\b", "0123456789", 0.0f, 100.0f));
    EXPECT_EQ(NUM_OUT_OF_RANGE, NumCheckText("1.234\x18", "0123456789.", 0.0f, 100.0f));
}

TEST(NumRules, PasteAndAlphaNumericScan)
{
    const CString kNumChars = "0123456789.,";
    EXPECT_TRUE(NumPasteAllowed("1,5", kNumChars, 0.0f, 100.0f));   // atof reads 1
    EXPECT_FALSE(NumPasteAllowed("1.005", kNumChars, 0.0f, 100.0f));
    EXPECT_FALSE(NumPasteAllowed(CString('9', 5000), kNumChars, 0.0f, 100.0f));
    EXPECT_FALSE(NumPasteAllowed("\x80", kNumChars, 0.0f, 100.0f));
    EXPECT_FALSE(NumPasteAllowed("5", "", 0.0f, 100.0f));

    EXPECT_EQ(-1, FindNonAlphaNumeric("Group7abcXYZ"));
    EXPECT_EQ(-1, FindNonAlphaNumeric(""));
    EXPECT_EQ(5, FindNonAlphaNumeric("Group\xC4"));
    EXPECT_EQ(0, FindNonAlphaNumeric("_a"));
    EXPECT_EQ(2, FindNonAlphaNumeric("ab@"));
    EXPECT_EQ(1, FindNonAlphaNumeric("a[z"));
}
}  // namespace
