#include "lists/DigitGrouping.h"

CString ListGroupThousands(const CString& text)
{
    int nDot = text.ReverseFind('.');
    CString integerPart = nDot >= 0 ? text.Left(nDot) : text;
    CString decimalPart = nDot >= 0 ? text.Mid(nDot) : CString();
    integerPart.Remove(',');

    // Leading blanks and one sign stay in front; what follows must be digits only.
    int nDigits = 0;
    while (nDigits < integerPart.GetLength() && integerPart[nDigits] == ' ')
        ++nDigits;
    if (nDigits < integerPart.GetLength() && (integerPart[nDigits] == '-' || integerPart[nDigits] == '+'))
        ++nDigits;
    CString prefix = integerPart.Left(nDigits);
    CString digits = integerPart.Mid(nDigits);
    for (int i = 0; i < digits.GetLength(); ++i)
    {
        if (digits[i] < '0' || digits[i] > '9')
            return text;
    }

    CString result = prefix;
    int nLength = digits.GetLength();
    for (int i = 0; i < nLength; ++i)
    {
        if (i > 0 && (nLength - i) % 3 == 0)
            result += ',';
        result += digits[i];
    }
    return result + decimalPart;
}

CString ListCellDisplayText(const CString& text, bool bGroup, int nMaxChars)
{
    const int nLength = text.GetLength();
    if (nMaxChars < 8)
        nMaxChars = 8;
    if (nLength <= nMaxChars)
        return bGroup ? ListGroupThousands(text) : text;
    if (!bGroup)
        return text.Left(nMaxChars) + "...";
    // Where the integer part ends and its digits start, as ListGroupThousands reads them.
    const int nDot = text.ReverseFind('.');
    const int nInteger = nDot >= 0 ? nDot : nLength;
    int nStart = 0;
    while (nStart < nInteger && text[nStart] == ' ')
        ++nStart;
    if (nStart < nInteger && (text[nStart] == '-' || text[nStart] == '+'))
        ++nStart;
    int nDigits = 0;
    const char* psz = text;
    for (int i = nStart; i < nInteger; ++i)
    {
        if (psz[i] == ',')
            continue;
        if (psz[i] < '0' || psz[i] > '9')
            return text.Left(nMaxChars) + "...";   // not grouped at all
        ++nDigits;
    }
    if (nInteger <= nMaxChars)
    {
        // The integer part is whole: only the decimals are cut.
        return ListGroupThousands(text.Left(nMaxChars)) + "...";
    }
    if (nDigits <= nMaxChars - nStart)
    {
        // Long only by its commas: the integer part is grouped whole.
        return ListGroupThousands(text.Left(nInteger) + text.Mid(nInteger, nMaxChars)) + "...";
    }
    // Keep as many leading digits as have the full count's place among the groups of three, so
    // the commas fall where they fall in the whole number.
    int nKeep = nMaxChars - nStart;
    nKeep -= ((nKeep - nDigits) % 3 + 3) % 3;
    if (nKeep <= 0)
        nKeep += 3;
    CString head = text.Left(nStart);
    for (int i = nStart; i < nInteger && nKeep > 0; ++i)
    {
        if (text[i] != ',')
        {
            head += text[i];
            --nKeep;
        }
    }
    return ListGroupThousands(head) + ",...";
}
