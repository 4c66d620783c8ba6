// The rules behind the price box, free of windows: which texts are valid prices, how the integer
// digits are grouped for display, and what a keystroke may do. The box chains the checks with the
// tools library's price splitting and turns a failure into its balloon report.
#pragma once

#include "afx.h"

// What a failed check reports: A (character), B (digit count) or C (range).
enum
{
    PRICE_VALID = 0,
    PRICE_REPORT_CHARACTER = 1,
    PRICE_REPORT_DIGITS = 2,
    PRICE_REPORT_RANGE = 3,
};

// Every character must be in strAllowed; at most one '.'; '-' only at position 0.
CONTROLS_API int PriceCheckCharacters(const CString& strText, const CString& strAllowed);

// Given the split of a price (integer part with its sign, decimals without the point): the
// decimals without trailing zeros must fit the precision (report A), and the significant digits,
// leading zeros and sign left out, must not exceed the digit limit (report B).
CONTROLS_API int PriceCheckParts(CString strInteger, CString strDecimal, int nPrecision, double dMaxDigit);

// atof of the text must lie within the bounds, both included.
CONTROLS_API int PriceCheckRange(const CString& strText, double dMinValue, double dMaxValue);

// The text with every ',' removed.
CONTROLS_API CString PriceTrueValue(const CString& strText);

// The display form: integer digits grouped in threes with commas, the sign kept in front, the
// point and at most nPrecision decimals behind (cut, never rounded).
CONTROLS_API CString PriceCommaData(const CString& strText, int nPrecision);

// The verdict on one keystroke over the current text and selection start: nResult 1 lets the
// character through, 0 refuses it; nMoveCaretTo (>= 0) asks for an empty selection there;
// bReport asks for report A.
struct sPriceKeyVerdict
{
    int nResult;
    int nMoveCaretTo;
    BOOL bReport;
};
CONTROLS_API sPriceKeyVerdict PriceKeyVerdict(const CString& strText, int nSelStart, unsigned int nChar,
                                              int nPrecision);
