#include "lists/DigitGrouping.h"

CString ListGroupThousands(const CString& text)
{
    int nDot = text.ReverseFind('.');
    CString integerPart = nDot >= 0 ? text.Left(nDot) : text;
    CString decimalPart = nDot >= 0 ? text.Mid(nDot) : CString();
    integerPart.Remove(',');
    bool bNegative = !integerPart.IsEmpty() && integerPart[0] == '-';
    if (bNegative)
        integerPart = integerPart.Mid(1);

    CString result = bNegative ? CString("-") : CString();
    int nLength = integerPart.GetLength();
    for (int i = 0; i < nLength; ++i)
    {
        if (i > 0 && (nLength - i) % 3 == 0)
            result += ',';
        result += integerPart[i];
    }
    return result + decimalPart;
}
