// Small text helpers of the tools library: price splitting and the bounded copy.
#include "OrvoTools.h"

#include <cstring>

void getIntegerAndDecimal(CString price, CString& integerPart, CString& decimalPart)
{
    const int point = price.Find('.');
    if (point < 0)
    {
        integerPart = price;
        decimalPart.Empty();
        return;
    }
    integerPart = price.Left(point);
    decimalPart = price.Mid(point + 1);
}

extern "C" size_t strlcpy(char* dst, const char* src, size_t size)
{
    if (!src)
    {
        if (dst && size > 0)
            dst[0] = '\0';
        return 0;
    }
    const size_t length = std::strlen(src);
    if (!dst)
        return size == 0 ? length : 0;
    if (size > 0)
    {
        const size_t n = length < size - 1 ? length : size - 1;
        std::memmove(dst, src, n);
        dst[n] = '\0';
    }
    return length;
}
