// Running text through TF::TextFormatter::print: formatting 4 MB of text against formatting 1 MB
// of the same kind, so the ratio shows how the time grows with the length (4.0 is linear; the
// goal is at most 4.5).
//   text_print_words:    one paragraph of words of 1 to 12 letters, block max 80.
//   text_print_unbroken: one run of letters without a space, block max 7 (every line a hard cut).
//   text_print_lines:    lines of about 60 characters, each its own paragraph, block max 40.
// The output goes to a stream that only counts characters. Times are the thread's CPU time (the
// best of several rounds, the two sizes taking turns), so that other work on a shared machine
// does not count.
// Each line: bench <name> ratio=<ours/baseline> ours=<ns per item> baseline=<ns per item> n=<items>
// where an item is one print call of the whole text: ours for 4 MB, baseline for 1 MB.
#include "export/TextFormatter.h"

#include <ctime>
#include <cstdio>
#include <ostream>
#include <streambuf>
#include <string>

namespace {

const int kRounds = 9;

class CCountingBuf : public std::streambuf
{
public:
    size_t m_nCount = 0;

protected:
    int_type overflow(int_type ch) override
    {
        if (ch != traits_type::eof())
            ++m_nCount;
        return traits_type::not_eof(ch);
    }
    std::streamsize xsputn(const char*, std::streamsize n) override
    {
        m_nCount += (size_t)n;
        return n;
    }
};

std::string Words(size_t nBytes)
{
    std::string s;
    s.reserve(nBytes + 16);
    unsigned seed = 12345;
    while (s.size() < nBytes)
    {
        seed = seed * 1103515245u + 12345u;
        s.append((seed >> 16) % 12 + 1, (char)('a' + (seed >> 8) % 26));
        s += ' ';
    }
    s.resize(nBytes);
    return s;
}

std::string Unbroken(size_t nBytes)
{
    std::string s(nBytes, 'x');
    for (size_t i = 0; i < nBytes; ++i)
        s[i] = (char)('a' + i % 26);
    return s;
}

std::string Lines(size_t nBytes)
{
    std::string s = Words(nBytes);
    for (size_t i = 60; i < s.size(); i += 61)
        s[i] = '\n';
    return s;
}

double CpuNanos()
{
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return (double)t.tv_sec * 1e9 + (double)t.tv_nsec;
}

double FormatNanos(const std::string& text, unsigned nBlockMax, size_t& nOut)
{
    CCountingBuf buf;
    std::ostream out(&buf);
    TF::TextFormatter tf(out, nBlockMax, "\n");
    const double t0 = CpuNanos();
    tf.print(text.c_str());
    const double dNs = CpuNanos() - t0;
    nOut = buf.m_nCount;
    return dNs;
}

void Run(const char* pszName, std::string (*make)(size_t), unsigned nBlockMax)
{
    const size_t nMB = 1024 * 1024;
    const std::string strSmall = make(nMB);
    const std::string strLarge = make(4 * nMB);
    size_t nOutSmall = 0, nOutLarge = 0;
    double dSmall = 1e300, dLarge = 1e300;
    for (int r = 0; r < kRounds; ++r)
    {
        const double d1 = FormatNanos(strSmall, nBlockMax, nOutSmall);
        const double d4 = FormatNanos(strLarge, nBlockMax, nOutLarge);
        dSmall = d1 < dSmall ? d1 : dSmall;
        dLarge = d4 < dLarge ? d4 : dLarge;
    }
    std::printf("bench %s ratio=%.2f ours=%.0f baseline=%.0f n=%d\n", pszName, dLarge / dSmall, dLarge, dSmall, kRounds);
    if (nOutLarge < 4 * nMB || nOutSmall < nMB)
        std::printf("bench %s: output too short (%zu, %zu)\n", pszName, nOutSmall, nOutLarge);
}

} // namespace

int main()
{
    Run("text_print_words", Words, 80);
    Run("text_print_unbroken", Unbroken, 7);
    Run("text_print_lines", Lines, 40);
    return 0;
}
