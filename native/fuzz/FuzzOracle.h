// What every fuzz target's oracle shares: a failed check names itself and aborts (libFuzzer keeps
// the input as the reproducer), and inputs are cut into fields at a separator byte.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

inline void Check(bool bOk, const char* pszWhat = "a property of the round trip")
{
    if (!bOk)
    {
        std::fprintf(stderr, "oracle: %s\n", pszWhat);
        std::abort();
    }
}

inline std::vector<std::string> Split(const std::string& s, char c)
{
    std::vector<std::string> parts;
    for (size_t i = 0;;)
    {
        const size_t j = s.find(c, i);
        parts.push_back(s.substr(i, j == std::string::npos ? std::string::npos : j - i));
        if (j == std::string::npos)
            return parts;
        i = j + 1;
    }
}
