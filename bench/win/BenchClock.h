// The clock, the report line and the reproducible numbers every benchmark of windowed code uses.
#pragma once

#include <windows.h>

#include <cstdio>

// Nanoseconds from the performance counter.
inline double BenchNow()
{
    static const double dScale = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return 1e9 / (double)f.QuadPart;
    }();
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return (double)t.QuadPart * dScale;
}

// One line "bench <name> ratio=<ours/baseline> ours=<ns per item> baseline=<ns per item> n=<items>",
// with anything extra appended.
inline void BenchReport(const char* pszName, double dOursNs, double dBaseNs, long n, const char* pszExtra = "")
{
    printf("bench %s ratio=%.3f ours=%.1f baseline=%.1f n=%ld%s\n", pszName, dOursNs / dBaseNs, dOursNs / (double)n,
           dBaseNs / (double)n, n, pszExtra);
    fflush(stdout);
}

// Reproducible numbers for a benchmark's data: the same seed gives the same sequence every run.
class CBenchRandom
{
public:
    explicit CBenchRandom(unsigned nSeed) : m_nSeed(nSeed) {}
    // A number in [0, nRange).
    int Next(int nRange)
    {
        m_nSeed = m_nSeed * 1103515245u + 12345u;
        return (int)((m_nSeed >> 8) % (unsigned)nRange);
    }

private:
    unsigned m_nSeed;
};
