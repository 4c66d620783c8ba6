// libFuzzer target for the rules of the price, number and group-name boxes: the display form of a
// price against a reference (digits grouped in threes, sign in front, at most precision decimals); a
// valid price stays valid once displayed and displaying is idempotent; the keystroke verdict follows
// its rules; a whole-text-valid number is value-valid; an allowed paste holds only allowed characters
// and at most two decimals; group names against isalnum of the C locale.
// Input layout: bytes 0-3 the precision (any int), byte 4 the digit limit, byte 5 the selection
// start, byte 6 the key; the rest is the text.
#include "editors/NumRules.h"
#include "FuzzOracle.h"
#include "editors/PriceRules.h"

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <climits>
#include <cstring>

namespace {

std::string ReferenceCommaData(const std::string& strText, int nPrecision)
{
    const size_t nPoint = strText.rfind('.');
    const std::string strFraction = nPoint == std::string::npos ? std::string() : strText.substr(nPoint);
    std::string strDigits = strText.substr(0, nPoint);
    strDigits.erase(std::remove(strDigits.begin(), strDigits.end(), ','), strDigits.end());
    const bool bNegative = !strDigits.empty() && strDigits[0] == '-';
    strDigits.erase(0, strDigits.find_first_not_of('-'));   // every leading sign
    std::string strGrouped;
    for (size_t i = strDigits.size(); i > 0; i -= i >= 3 ? 3 : i)
    {
        const size_t n = i >= 3 ? 3 : i;
        strGrouped.insert(0, strDigits.substr(i - n, n));
        if (i > n)
            strGrouped.insert(0, ",");
    }
    std::string strResult = (bNegative ? "-" : "") + strGrouped;
    const long long nKeep = nPrecision < 0 ? 0 : (long long)nPrecision + 1;
    strResult += strFraction.substr(0, (size_t)std::min<long long>(nKeep, (long long)strFraction.size()));
    return strResult;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize < 7)
        return 0;
    int nPrecision;
    std::memcpy(&nPrecision, pData, sizeof nPrecision);
    if (nPrecision > 64 && nPrecision < INT_MAX - 64)
        nPrecision %= 64; // mostly small precisions, the extremes kept
    const double dMaxDigit = pData[4] % 40;
    const int nSelStart = pData[5] % 80;
    const unsigned int nChar = pData[6];
    const CString strText(Text(pData + 7, nSize - 7).c_str()); // the boxes hold C strings
    const std::string strC = strText.GetString();
    const CString strAllowed("0123456789.-,");

    // Display form against the reference; no rule reads or writes out of bounds for any input.
    const CString strShown = PriceCommaData(strText, nPrecision);
    Check(Str(strShown) == ReferenceCommaData(strC, nPrecision), "display form differs from the reference");

    // A valid price stays valid once displayed (commas removed again), and displaying it twice
    // changes nothing more.
    const CString strTrue = PriceTrueValue(strText);
    Check(strTrue.Find(',') < 0, "true value keeps a comma");
    int nReport = PriceCheckCharacters(strTrue, strAllowed);
    if (nReport == PRICE_VALID)
    {
        const int nPoint = strTrue.Find('.');
        const CString strInteger = nPoint < 0 ? strTrue : strTrue.Left(nPoint);
        const CString strDecimal = nPoint < 0 ? CString() : strTrue.Mid(nPoint + 1);
        nReport = PriceCheckParts(strInteger, strDecimal, nPrecision, dMaxDigit);
        if (nReport == PRICE_VALID)
            nReport = PriceCheckRange(strTrue, -1e6, 1e6);
        if (nReport == PRICE_VALID)
        {
            const CString strDisplay = PriceCommaData(strTrue, nPrecision);
            Check(PriceCheckCharacters(PriceTrueValue(strDisplay), strAllowed) == PRICE_VALID,
                  "a valid price displays with characters it refuses");
            Check(PriceCommaData(PriceTrueValue(strDisplay), nPrecision) == strDisplay, "display not idempotent");
        }
    }

    // The keystroke verdict.
    const sPriceKeyVerdict v = PriceKeyVerdict(strText, nSelStart, nChar, nPrecision);
    Check(v.nResult == 0 || v.nResult == 1, "verdict neither 0 nor 1");
    if (nChar == '.')
        Check(v.nResult == (strText.Find('.') < 0 ? 1 : 0), "point verdict");
    if (v.nMoveCaretTo >= 0)
        Check(nChar == '.' && v.nMoveCaretTo == strText.Find('.') + 1, "caret moved without a point");
    if (v.bReport)
        Check(strText.IsEmpty() && nChar != 8 && v.nResult == 0, "report outside an empty box");
    if (nChar != '.' && nChar != '-' && !(nChar >= '0' && nChar <= '9'))
        Check(v.nResult == 0, "other characters let through");

    // Number box.
    const float fMin = (float)(pData[4] % 3 == 0 ? -FLT_MAX : -100.0);
    const float fMax = (float)(pData[5] % 3 == 0 ? FLT_MAX : 100.0);
    const int nWhole = NumCheckText(strText, "0123456789.,", fMin, fMax);
    Check(nWhole >= NUM_VALID && nWhole <= NUM_NOT_A_NUMBER, "whole-text result");
    if (nWhole == NUM_VALID)
        Check(NumCheckValue(strText, fMin, fMax) == NUM_VALID, "whole text valid, value not");
    if (NumPasteAllowed(strText, "0123456789.,", fMin, fMax))
    {
        for (char c : strC)
            Check(std::strchr("0123456789.,", c) != nullptr, "paste with a character not allowed");
        const size_t nPoint = strC.find('.');
        Check(nPoint == std::string::npos || strC.size() - nPoint <= 3, "paste with a third decimal");
    }

    // Group names.
    size_t nFirst = std::string::npos;
    std::string strKept;
    for (size_t i = 0; i < strC.size(); ++i)
    {
        const unsigned char c = (unsigned char)strC[i];
        if (c < 128 && std::isalnum(c))
            strKept += strC[i];
        else if (nFirst == std::string::npos)
            nFirst = i;
    }
    Check(FindNonAlphaNumeric(strText) == (nFirst == std::string::npos ? -1 : (int)nFirst), "first invalid character");
    Check(Str(RemoveNonAlphaNumeric(strText)) == strKept, "removal keeps other than the letters and digits");
    return 0;
}
