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
