// The matching rule of the filter list: does a cell text pass a column filter? Window-free.
//
// A filter is a list of alternatives separated by "~" (empty pieces are skipped); a text passes
// when any alternative matches it, and an empty filter passes everything (a filter made only of
// "~" has no alternative and passes nothing). An alternative matches:
//   exact matching on       when it equals the text, case ignored;
//   "*x*"                   when x occurs anywhere in the text (case ignored; "*" alone: always);
//   "*x"                    when the text ends with x (case ignored);
//   ">n", "<n"              when the text and n both read as numbers (leading blanks skipped, the
//                           longest number prefix taken, as "%lf" scanning does) and text > n,
//                           text < n;
//   anything else           when the text begins with it (case ignored).
// Case is folded for the ASCII letters only; other bytes compare exactly.
#pragma once

#include "afxdefs.h"

#include <cstddef>
#include <string>
#include <vector>

// One filter text, split and prepared once, matched against many cell texts.
class CONTROLS_API CFilterMatcher
{
public:
    CFilterMatcher() = default;
    CFilterMatcher(const char* pszFilter, size_t nLength, bool bExact) { Compile(pszFilter, nLength, bExact); }

    void Compile(const char* pszFilter, size_t nLength, bool bExact);
    // pszText must be NUL-terminated at nLength (numbers are read from it in place).
    bool Match(const char* pszText, size_t nLength) const;
    bool IsEmpty() const { return m_bEmpty; }

private:
    enum eKind
    {
        kExact,
        kContains,
        kEndsWith,
        kGreater,
        kLess,
        kPrefix,
    };
    struct sAlternative
    {
        eKind kind;
        std::string text;     // lower-cased operand (kContains, kEndsWith, kPrefix, kExact)
        double value = 0;     // kGreater, kLess
        bool bValue = false;  // the operand read as a number
    };
    bool m_bEmpty = true;
    std::vector<sAlternative> m_alternatives;
};

// One text against one filter (both NUL-terminated); 1 when it passes, else 0.
CONTROLS_API int FilterTextMatches(const char* pszText, const char* pszFilter, bool bExact);

// Reads a number with "%lf" scanning; false when no number starts the text (after blanks).
CONTROLS_API bool ReadFilterNumber(const char* pszText, double& dValue);
