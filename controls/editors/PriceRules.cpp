// Price validation, digit grouping and the keystroke verdict of the price box.
#include "editors/PriceRules.h"

#include <cstdlib>

int PriceCheckCharacters(const CString& strText, const CString& strAllowed)
{
    int nPoints = 0;
    for (int i = 0; i < strText.GetLength(); i++)
    {
        const char ch = strText[i];
        if (strAllowed.Find(ch) < 0)
            return PRICE_REPORT_CHARACTER;
        if (ch == '.' && ++nPoints > 1)
            return PRICE_REPORT_CHARACTER;
        if (ch == '-' && i != 0)
            return PRICE_REPORT_CHARACTER;
    }
    return PRICE_VALID;
}

int PriceCheckParts(CString strInteger, CString strDecimal, int nPrecision, double dMaxDigit)
{
    strInteger.TrimLeft('0');
    strInteger.Remove('-');
    strDecimal.TrimRight('0');
    if (!strDecimal.IsEmpty() && strDecimal.GetLength() > nPrecision)
        return PRICE_REPORT_CHARACTER;
    if ((double)(strInteger.GetLength() + strDecimal.GetLength()) > dMaxDigit)
        return PRICE_REPORT_DIGITS;
    return PRICE_VALID;
}

int PriceCheckRange(const CString& strText, double dMinValue, double dMaxValue)
{
    const double dValue = std::atof(strText);
    if (dValue > dMaxValue || dValue < dMinValue)
        return PRICE_REPORT_RANGE;
    return PRICE_VALID;
}

CString PriceTrueValue(const CString& strText)
{
    CString strResult = strText;
    strResult.Remove(',');
    return strResult;
}

CString PriceCommaData(const CString& strText, int nPrecision)
{
    CString strInteger = strText;
    CString strFraction;
    const int nPoint = strText.ReverseFind('.');
    if (nPoint >= 0)
    {
        strInteger = strText.Left(nPoint);
        strFraction = strText.Mid(nPoint);
    }

    strInteger.Remove(',');
    const bool bNegative = !strInteger.IsEmpty() && strInteger[0] == '-';
    if (bNegative)
        strInteger.TrimLeft('-');

    CString strResult;
    const int n = strInteger.GetLength();
    for (int i = 0; i < n; i++)
    {
        if (i > 0 && (n - i) % 3 == 0)
            strResult += ',';
        strResult += strInteger[i];
    }
    if (bNegative)
        strResult.Insert(0, '-');
    // The point and at most nPrecision decimals; a negative precision keeps none of them.
    if (nPrecision < 0)
        nPrecision = -1;
    if (nPrecision < strFraction.GetLength())
        strFraction = strFraction.Left(nPrecision + 1);
    strResult += strFraction;
    return strResult;
}

sPriceKeyVerdict PriceKeyVerdict(const CString& strText, int nSelStart, unsigned int nChar, int nPrecision)
{
    sPriceKeyVerdict verdict = { 0, -1, FALSE };
    const int nPoint = strText.Find('.');
    if (nChar == '.')
    {
        if (nPoint < 0)
            verdict.nResult = 1;
        else
            verdict.nMoveCaretTo = nPoint + 1;   // a second point jumps behind the first
    }
    else if (nChar >= '0' && nChar <= '9')
    {
        const bool bDecimalsFull = nPoint >= 0 && nSelStart > nPoint && strText.GetLength() - nPoint > nPrecision;
        verdict.nResult = bDecimalsFull ? 0 : 1;
    }
    else if (nChar == '-')
    {
        if (strText.IsEmpty())
            verdict.nResult = 1;
        else
            verdict.nResult = (strText.Find('-') < 0 && nSelStart == 0) ? 1 : 0;
    }
    else
    {
        verdict.bReport = strText.IsEmpty() && nChar != 8;
    }
    return verdict;
}
