// The matching rule of the filter list's column filters, as a user types them. Window-free: this
// file is also built natively with the sanitizers.
#include "filter/FilterMatch.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
bool M(const char* text, const char* filter, bool exact = false)
{
    return FilterTextMatches(text, filter, exact) != 0;
}
}  // namespace

TEST(FilterMatch, PrefixIgnoresCaseAndEmptyFilterPassesAll)
{
    EXPECT_TRUE(M("Abc", "ab"));
    EXPECT_TRUE(M("RELIANCE", "rel"));
    EXPECT_FALSE(M("XRELIANCE", "rel"));
    EXPECT_FALSE(M("RE", "rel"));          // shorter than the filter
    EXPECT_TRUE(M("anything", ""));
    EXPECT_TRUE(M("", ""));
    EXPECT_FALSE(M("", "a"));
}

TEST(FilterMatch, StarFormsContainAndEndWith)
{
    EXPECT_TRUE(M("abc", "*bc"));
    EXPECT_TRUE(M("ABC", "*bC"));
    EXPECT_FALSE(M("abcd", "*bc"));
    EXPECT_FALSE(M("c", "*bc"));
    EXPECT_TRUE(M("xxBxx", "*b*"));
    EXPECT_FALSE(M("xxxx", "*b*"));
    EXPECT_TRUE(M("anything", "*"));      // "*" alone: contains the empty text
    EXPECT_TRUE(M("", "*"));
    EXPECT_TRUE(M("", "**"));
    EXPECT_TRUE(M("abc", "*"));
    EXPECT_TRUE(M("a*b", "a*"));          // a star only at the end is a plain prefix
    EXPECT_FALSE(M("ab", "a*"));
}

TEST(FilterMatch, NumbersCompareOnlyWhenBothRead)
{
    EXPECT_TRUE(M("11", ">10"));
    EXPECT_FALSE(M("10", ">10"));
    EXPECT_TRUE(M("1500.25", ">1000"));
    EXPECT_TRUE(M("  12abc", ">10"));     // leading blanks skipped, the number prefix read
    EXPECT_FALSE(M("abc", ">10"));        // non-numeric texts never match
    EXPECT_FALSE(M("11", ">abc"));        // nor does a non-numeric limit
    EXPECT_FALSE(M("11", ">"));
    EXPECT_FALSE(M("-5", "<"));
    EXPECT_TRUE(M("-5", "<0"));
    EXPECT_TRUE(M("5", "<5.5"));
    EXPECT_FALSE(M("", "<5"));
    EXPECT_TRUE(M("1,234", "<2"));        // a thousands separator ends the number
}

TEST(FilterMatch, AlternativesAndEmptyPieces)
{
    EXPECT_TRUE(M("xylo", "x~y"));
    EXPECT_TRUE(M("yak", "x~y"));
    EXPECT_FALSE(M("zed", "x~y"));
    EXPECT_TRUE(M("yak", "~~y~"));        // empty pieces are skipped
    EXPECT_FALSE(M("yak", "~"));          // only separators: no alternative, nothing passes
    EXPECT_FALSE(M("", "~~"));
    EXPECT_TRUE(M("5", "a~>3"));
    EXPECT_TRUE(M("b12", "*12~>100"));
}

TEST(FilterMatch, ExactComparesWholeTextsIgnoringCase)
{
    EXPECT_FALSE(M("Abc", "ab", true));
    EXPECT_TRUE(M("AB", "ab", true));
    EXPECT_TRUE(M("*b*", "*B*", true));   // no star rules in exact matching
    EXPECT_FALSE(M("xbx", "*b*", true));
    EXPECT_FALSE(M("11", ">10", true));
    EXPECT_TRUE(M(">10", ">10", true));
    EXPECT_TRUE(M("y", "x~Y", true));
    EXPECT_TRUE(M("anything", "", true));
}

TEST(FilterMatch, NonAsciiBytesCompareExactly)
{
    EXPECT_TRUE(M("\xC4pfel", "\xC4p"));
    EXPECT_FALSE(M("\xE4pfel", "\xC4p"));     // only ASCII letters fold
    EXPECT_TRUE(M("caf\xE9", "*\xE9"));
}

TEST(FilterMatch, HugeFiltersAndTexts)
{
    std::string big(100 * 1024, 'a');
    EXPECT_TRUE(M(big.c_str(), big.c_str()));
    EXPECT_TRUE(M((big + "b").c_str(), ("*" + big + "*").c_str()));
    EXPECT_FALSE(M("aaa", big.c_str()));
    std::string tildes(100 * 1024, '~');
    EXPECT_FALSE(M("a", tildes.c_str()));
    std::string many;
    for (int i = 0; i < 5000; ++i)
        many += "v" + std::to_string(i) + "~";
    EXPECT_TRUE(M("v4999", many.c_str(), true));
    EXPECT_FALSE(M("v5000", many.c_str(), true));
}

TEST(FilterMatch, CompiledMatcherAgreesWithOneShotMatching)
{
    const char* filters[] = { "", "ab", "*b", "*b*", ">3", "<3", "a~*z~>100", "~", "*", "AB~cd" };
    const char* texts[] = { "", "ab", "AB", "xb", "xbx", "5", "2", "zzz", "200", "cd!" };
    for (const char* f : filters)
    {
        for (bool exact : { false, true })
        {
            CFilterMatcher matcher(f, strlen(f), exact);
            for (const char* t : texts)
                EXPECT_EQ(matcher.Match(t, strlen(t)), M(t, f, exact)) << "text '" << t << "' filter '" << f << "'";
        }
    }
}
