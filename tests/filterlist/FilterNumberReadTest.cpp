// Cell texts read as numbers by ">" and "<" filters: exactly as "%lf" scanning reads them (the
// same yes/no and the same double, bit for bit). The rows where a hand-written reader goes wrong;
// the fuzz target of the matching rule covers the rest.
#include "filter/FilterMatch.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

TEST(FilterNumberRead, AgreesWithScanning)
{
    static const char* const texts[] = {
        "1000", "1000.01", " 12.5", "+3.", "-.25", "-0", "2.675", "12,345.50", "1.5.3", "1e3", "2.5e", "0x10",
        "inf", "nan", ".", "- 5", "", "\xA0" "5", "9007199254740993", "0.30000000000000004", "4503599627370495.5",
        "00000000000000000000000000001.5", "99999999999999999999.9",
    };
    for (const char* text : texts)
    {
        double expected = 0, ours = 0;
        const bool bExpected = sscanf(text, "%lf", &expected) == 1;
        EXPECT_EQ(bExpected, ReadFilterNumber(text, ours)) << text;
        if (bExpected)
        {
            EXPECT_EQ(0, memcmp(&expected, &ours, sizeof(double))) << text << ": " << expected << " read as " << ours;
        }
    }
}
