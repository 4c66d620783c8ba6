// What every fuzz target's oracle shares: a failed check names itself and aborts (libFuzzer keeps
// the input as the reproducer), the input as text, texts as strings or as CStrings (embedded NULs
// kept), and inputs cut into fields at a separator byte.
#pragma once

#include "afxstr.h"

#include <cstdint>
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

inline std::string Text(const uint8_t* pData, size_t nSize) { return std::string((const char*)pData, nSize); }
inline CString Bytes(const std::string& s) { return CString(s.data(), (int)s.size()); }
inline std::string Str(const CString& s) { return std::string(s.GetString(), (size_t)s.GetLength()); }

// The fields of s between separators c; at most nMax of them (the last then holds the rest).
inline std::vector<std::string> Split(const std::string& s, char c, size_t nMax = SIZE_MAX)
{
    std::vector<std::string> parts;
    for (size_t i = 0;;)
    {
        const size_t j = parts.size() + 1 < nMax ? s.find(c, i) : std::string::npos;
        parts.push_back(s.substr(i, j == std::string::npos ? std::string::npos : j - i));
        if (j == std::string::npos)
            return parts;
        i = j + 1;
    }
}
