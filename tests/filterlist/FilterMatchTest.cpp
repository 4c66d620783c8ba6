// The matching rule of the filter list's column filters, as a user types them, and cell texts read
// as numbers by ">" and "<" filters exactly as "%lf" scanning reads them (the same yes/no and the
// same double, bit for bit). Window-free: this file is also built natively with the sanitizers.
#include "filter/FilterMatch.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace
{
bool M(const std::string& text, const std::string& filter, bool exact = false)
{
    return FilterTextMatches(text.c_str(), filter.c_str(), exact) != 0;
}

struct sMatch
{
    const char* text;
    const char* filter;
    bool bExact;
    bool bMatches;
};

const sMatch kMatches[] = {
    // Prefixes ignore case; an empty filter passes all; a text shorter than the filter fails.
    { "Abc", "ab", false, true }, { "RELIANCE", "rel", false, true }, { "XRELIANCE", "rel", false, false },
    { "RE", "rel", false, false }, { "anything", "", false, true }, { "", "", false, true }, { "", "a", false, false },
    // Stars: "*x" ends with, "*x*" contains, "*" alone contains the empty text; a star only at the
    // end is a plain prefix.
    { "abc", "*bc", false, true }, { "ABC", "*bC", false, true }, { "abcd", "*bc", false, false },
    { "c", "*bc", false, false }, { "xxBxx", "*b*", false, true }, { "xxxx", "*b*", false, false },
    { "anything", "*", false, true }, { "", "*", false, true }, { "", "**", false, true }, { "a*b", "a*", false, true },
    { "ab", "a*", false, false },
    // Numbers compare only when both read; leading blanks are skipped, the number prefix read.
    { "11", ">10", false, true }, { "10", ">10", false, false }, { "1500.25", ">1000", false, true },
    { "  12abc", ">10", false, true }, { "abc", ">10", false, false }, { "11", ">abc", false, false },
    { "11", ">", false, false }, { "-5", "<", false, false }, { "-5", "<0", false, true }, { "5", "<5.5", false, true },
    { "", "<5", false, false }, { "1,234", "<2", false, true },   // a thousands separator ends the number
    // Alternatives; empty pieces are skipped; only separators: nothing passes.
    { "xylo", "x~y", false, true }, { "yak", "x~y", false, true }, { "zed", "x~y", false, false },
    { "yak", "~~y~", false, true }, { "yak", "~", false, false }, { "", "~~", false, false }, { "5", "a~>3", false, true },
    { "b12", "*12~>100", false, true },
    // Exact matching compares whole texts ignoring case, with no star or number rules.
    { "Abc", "ab", true, false }, { "AB", "ab", true, true }, { "*b*", "*B*", true, true }, { "xbx", "*b*", true, false },
    { "11", ">10", true, false }, { ">10", ">10", true, true }, { "y", "x~Y", true, true }, { "anything", "", true, true },
    // Only ASCII letters fold; other bytes compare exactly.
    { "\xC4pfel", "\xC4p", false, true }, { "\xE4pfel", "\xC4p", false, false }, { "caf\xE9", "*\xE9", false, true },
};
}  // namespace

TEST(FilterMatch, Rules)
{
    for (const sMatch& m : kMatches)
        EXPECT_EQ(m.bMatches, M(m.text, m.filter, m.bExact)) << "text '" << m.text << "' filter '" << m.filter << "'"
                                                              << (m.bExact ? " exact" : "");
}

TEST(FilterMatch, HugeFiltersAndTexts)
{
    std::string big(100 * 1024, 'a');
    EXPECT_TRUE(M(big, big));
    EXPECT_TRUE(M(big + "b", "*" + big + "*"));
    EXPECT_FALSE(M("aaa", big));
    EXPECT_FALSE(M("a", std::string(100 * 1024, '~')));
    std::string many;
    for (int i = 0; i < 5000; ++i)
        many += "v" + std::to_string(i) + "~";
    EXPECT_TRUE(M("v4999", many, true));
    EXPECT_FALSE(M("v5000", many, true));
}

TEST(FilterMatch, NumbersReadAsScanningReadsThem)
{
    // The rows where a hand-written reader goes wrong; the fuzz target of the matching rule covers the rest.
    static const char* const texts[] = {
        "1000", "1000.01", " 12.5", "+3.", "-.25", "-0", "2.675", "12,345.50", "1.5.3", "1e3", "2.5e", "0x10",
        "inf", "nan", ".", "- 5", "", ("\xA0" "5"), "9007199254740993", "0.30000000000000004", "4503599627370495.5",
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
