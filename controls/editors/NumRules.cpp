// Number-box and group-name checks.
#include "editors/NumRules.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

int NumCheckText(const CString& strText, const CString& strAllowed, float fMinValue, float fMaxValue)
{
    int nResult = NUM_VALID;

    float fValue = 0.0f;
    std::vector<char> rest((size_t)strText.GetLength() + 1);   // "%s" may take the whole text
    const int nFields = std::sscanf(strText, "%f%s", &fValue, rest.data());
    if (nFields != 1)
        nResult = NUM_NOT_A_NUMBER;
    if (nFields >= 1 && (fValue > fMaxValue || fValue < fMinValue))
        nResult = NUM_OUT_OF_RANGE;

    const int nPoint = strText.Find('.');
    if (nPoint >= 0 && strText.GetLength() - nPoint > 3)
        nResult = NUM_OUT_OF_RANGE;

    if (!strAllowed.IsEmpty())
    {
        for (int i = 0; i < strText.GetLength(); i++)
        {
            const char ch = strText[i];
            const bool bControl = ch == 8 || ch == 13 || ch == 3 || ch == 22 || ch == 24;
            if (!bControl && strAllowed.Find(ch) < 0)
                nResult = NUM_NOT_A_NUMBER;
        }
    }
    return nResult;
}

int NumCheckValue(const CString& strText, float fMinValue, float fMaxValue)
{
    float fValue = 0.0f;
    if (std::sscanf(strText, "%f", &fValue) != 1)
        return NUM_NOT_A_NUMBER;
    if (fValue > fMaxValue || fValue < fMinValue)
        return NUM_OUT_OF_RANGE;
    return NUM_VALID;
}

BOOL NumPasteAllowed(const CString& strText, const CString& strAllowed, float fMinValue, float fMaxValue)
{
    const int nPoint = strText.Find('.');
    if (nPoint >= 0 && strText.GetLength() - nPoint > 3)
        return FALSE;
    for (int i = 0; i < strText.GetLength(); i++)
    {
        if (strAllowed.Find(strText[i]) < 0)
            return FALSE;
    }
    const double dValue = std::atof(strText);
    return !(dValue < fMinValue || dValue > fMaxValue);
}

namespace
{
bool IsAsciiAlphaNumeric(char c)
{
    const unsigned char ch = (unsigned char)c;
    return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
}
}  // namespace

int FindNonAlphaNumeric(const CString& strText)
{
    for (int i = 0; i < strText.GetLength(); i++)
    {
        if (!IsAsciiAlphaNumeric(strText[i]))
            return i;
    }
    return -1;
}

CString RemoveNonAlphaNumeric(const CString& strText)
{
    const int nFirst = FindNonAlphaNumeric(strText);
    if (nFirst < 0)
        return strText;
    std::vector<char> kept(strText.GetString(), strText.GetString() + nFirst);
    kept.reserve((size_t)strText.GetLength());
    for (int i = nFirst + 1; i < strText.GetLength(); i++)
    {
        if (IsAsciiAlphaNumeric(strText[i]))
            kept.push_back(strText[i]);
    }
    return kept.empty() ? CString() : CString(kept.data(), (int)kept.size());
}
