// libFuzzer target for the filter list's matching rule: the prepared matcher against a slow
// reference written straight from the rules (pieces cut at "~", case folded with tolower,
// numbers read with sscanf "%lf", prefixes compared with strncasecmp-like loops).
//
// Input layout: byte 0 bit 0 = exact matching; then the filter up to the first '\x01'; the rest
// is the cell text. Both are cut at their first NUL, as the list's texts are.
#include "filter/FilterMatch.h"

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace ref {

std::string Lower(std::string s)
{
    for (char& c : s)
        c = (char)std::tolower((unsigned char)c);
    return s;
}

bool ReadNumber(const std::string& s, double& d)
{
    return sscanf(s.c_str(), "%lf", &d) == 1;
}

bool Alternative(const std::string& text, const std::string& alt, bool exact)
{
    if (exact)
        return Lower(text) == Lower(alt);
    if (alt[0] == '*' && alt[alt.size() - 1] == '*')
    {
        std::string mid = alt.size() >= 2 ? alt.substr(1, alt.size() - 2) : std::string();
        return Lower(text).find(Lower(mid)) != std::string::npos;
    }
    if (alt[0] == '*')
    {
        size_t n = alt.size() - 1;
        std::string tail = n <= text.size() ? text.substr(text.size() - n) : text;
        return Lower(tail) == Lower(alt.substr(1));
    }
    if (alt[0] == '>' || alt[0] == '<')
    {
        double a, b;
        if (!ReadNumber(text, a) || !ReadNumber(alt.substr(1), b))
            return false;
        return alt[0] == '>' ? a > b : a < b;
    }
    if (text.size() < alt.size())
        return false;
    return Lower(text.substr(0, alt.size())) == Lower(alt);
}

bool Match(const std::string& text, const std::string& filter, bool exact)
{
    if (filter.empty())
        return true;
    size_t start = 0;
    while (start <= filter.size())
    {
        size_t end = filter.find('~', start);
        if (end == std::string::npos)
            end = filter.size();
        if (end > start && Alternative(text, filter.substr(start, end - start), exact))
            return true;
        start = end + 1;
    }
    return false;
}

}  // namespace ref

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    bool exact = (data[0] & 1) != 0;
    std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
    size_t cut = rest.find('\x01');
    std::string filter = rest.substr(0, cut);
    std::string text = cut == std::string::npos ? std::string() : rest.substr(cut + 1);
    filter = filter.c_str();
    text = text.c_str();
    // Hex floats and "inf"/"nan" are read alike by strtod and sscanf; only whole-text agreement
    // matters here.
    CFilterMatcher matcher(filter.c_str(), filter.size(), exact);
    bool ours = matcher.Match(text.c_str(), text.size());
    bool once = FilterTextMatches(text.c_str(), filter.c_str(), exact) != 0;
    bool expected = ref::Match(text, filter, exact);
    if (ours != expected || once != expected)
    {
        fprintf(stderr, "filter '%s' text '%s' exact %d: ours %d once %d reference %d\n", filter.c_str(), text.c_str(),
                (int)exact, (int)ours, (int)once, (int)expected);
        abort();
    }
    return 0;
}
