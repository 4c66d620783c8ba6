// Cell texts read as numbers by ">" and "<" filters: exactly as "%lf" scanning reads them (the
// same yes/no and the same double, bit for bit), for the plain decimals of price columns and for
// everything around them.
#include "filter/FilterMatch.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

TEST(FilterNumberRead, AgreesWithScanning)
{
    static const char* const texts[] = {
        "1000", "1000.00", "1000.01", "999.999", " 12.5", "\t-7", "+3.", ".5", "-.25", "-0", "-0.00", "0.1",
        "0.3", "2.675", "1234567.89", "12,345.50", "1.5.3", "0.25 Cr", "12%", "1e3", "1E-2", "2.5e", "0x10",
        "0X1p3", "0xz", "inf", "-Infinity", "nan", "NaN(1)", ".", "-", "+", "- 5", "+-5", "", "   ", "abc",
        "\xA0" "5", "5\xA0", "9007199254740991", "9007199254740992", "9007199254740993", "123456789012345678901",
        "0.0000000000000000000001", "0.00000000000000000000001", "1.0000000000000002", "0.30000000000000004",
        "4503599627370495.5", "00000000000000000000000000001.5", "1234567890.1234567", "99999999999999999999.9",
    };
    for (const char* text : texts)
    {
        SCOPED_TRACE(text);
        double expected = 0, ours = 0;
        const bool bExpected = sscanf(text, "%lf", &expected) == 1;
        EXPECT_EQ(bExpected, ReadFilterNumber(text, ours));
        if (bExpected)
        {
            EXPECT_EQ(0, memcmp(&expected, &ours, sizeof(double))) << expected << " read as " << ours;
        }
        // And as the filters use it, against a neighbour of the value.
        for (const char* filter : { ">1000", "<1000", ">0.3", "<-0.25", ">2.675" })
        {
            double limit = 0;
            sscanf(filter + 1, "%lf", &limit);
            const bool bPass = bExpected && (filter[0] == '>' ? expected > limit : expected < limit);
            EXPECT_EQ(bPass ? 1 : 0, FilterTextMatches(text, filter, false)) << filter;
        }
    }
}
