// libFuzzer target for the filter list's matching rule: the prepared matcher and the one-off match
// against a slow reference written straight from the rules (pieces cut at "~", case folded with
// tolower, numbers read with sscanf "%lf", prefixes and suffixes compared on folded copies); and
// the sorts' decimal reading against atof.
//
// Input layout: byte 0 bit 0 = exact matching; then the filter up to the first '\x01'; the rest
// is the cell text. Both are cut at their first NUL, as the list's texts are.
#include "filter/FilterMatch.h"
#include "lists/ListSortRules.h"
#include "FuzzOracle.h"

#include <cctype>
#include <cmath>
#include <cstring>

namespace ref {

std::string Lower(std::string s)
{
    for (char& c : s)
        c = (char)std::tolower((unsigned char)c);
    return s;
}

bool Alternative(const std::string& text, const std::string& alt, bool exact)
{
    if (exact)
        return Lower(text) == Lower(alt);
    if (alt[0] == '*' && alt[alt.size() - 1] == '*')
        return Lower(text).find(Lower(alt.size() >= 2 ? alt.substr(1, alt.size() - 2) : std::string()))
               != std::string::npos;
    if (alt[0] == '*')
    {
        const size_t n = alt.size() - 1;
        return Lower(n <= text.size() ? text.substr(text.size() - n) : text) == Lower(alt.substr(1));
    }
    if (alt[0] == '>' || alt[0] == '<')
    {
        double a, b;
        if (sscanf(text.c_str(), "%lf", &a) != 1 || sscanf(alt.substr(1).c_str(), "%lf", &b) != 1)
            return false;
        return alt[0] == '>' ? a > b : a < b;
    }
    return text.size() >= alt.size() && Lower(text.substr(0, alt.size())) == Lower(alt);
}

bool Match(const std::string& text, const std::string& filter, bool exact)
{
    if (filter.empty())
        return true;
    for (const std::string& alt : Split(filter, '~'))
        if (!alt.empty() && Alternative(text, alt, exact))
            return true;
    return false;
}

}  // namespace ref

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const bool exact = (data[0] & 1) != 0;
    std::vector<std::string> parts = Split(Text(data + 1, size - 1), '\x01', 2);
    const std::string filter = parts[0].c_str(), text = parts.size() > 1 ? parts[1].c_str() : "";
    // Hex floats and "inf"/"nan" are read alike by strtod and sscanf; only whole-text agreement
    // matters here.
    CFilterMatcher matcher(filter.c_str(), filter.size(), exact);
    const bool expected = ref::Match(text, filter, exact);
    Check(matcher.Match(text.c_str(), text.size()) == expected, "prepared matcher differs from the reference");
    Check((FilterTextMatches(text.c_str(), filter.c_str(), exact) != 0) == expected, "one-off match differs");
    // The sorts' reading of a decimal cell is atof's, bit for bit (but for "nan"/"inf" texts).
    const double dSorted = ListReadDecimal(text.c_str()), dAtof = atof(text.c_str());
    Check(dSorted != dSorted || std::isinf(dSorted) || std::memcmp(&dSorted, &dAtof, sizeof(double)) == 0,
          "a sort reads a decimal otherwise than atof");
    return 0;
}
