// TF::TextFormatter: running text wrapped at block max (the fuzz target checks the rest against its
// reference on every run).
#include <gtest/gtest.h>

#include "export/TextFormatter.h"

#include <sstream>
#include <string>
#include <vector>

namespace {

// The fault: a line one character over the block was not wrapped.
TEST(TextFormatterTest, AWordLongerThanBlockMaxIsCutHard)
{
    std::ostringstream out;
    TF::TextFormatter tf(out, 5, "\n");
    for (const char* text : { "abcdefghijkl", "abcdef", "abcde" })
        tf.print(text);
    EXPECT_EQ("abcde\nfghij\nkl\nabcde\nf\nabcde\n", out.str());
}

// The fault: long texts were wrapped with a copy of the rest per line (a 2 MB unbroken text with
// block max 7 never finished). An unbroken run is cut hard into block-max lines, and a long
// paragraph of words keeps every word, in order, on lines no wider than block max.
TEST(TextFormatterTest, HugeTextsAreWrappedInOnePass)
{
    std::string text(2000000, ' ');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = (char)('a' + i % 26);
    std::ostringstream out;
    TF::TextFormatter(out, 7, "\n").print(text.c_str());
    std::string expected;
    for (size_t i = 0; i < text.size(); i += 7)
        expected.append(text, i, 7).push_back('\n');
    EXPECT_TRUE(expected == out.str()) << "output of " << out.str().size() << " characters";

    std::vector<std::string> words, seen;
    unsigned seed = 7;
    for (text.clear(); text.size() < 400000;)
    {
        seed = seed * 1103515245u + 12345u;
        words.push_back(std::string((seed >> 16) % 12 + 1, (char)('a' + (seed >> 8) % 26)));
        text += words.back() + std::string((seed >> 20) % 3 + 1, ' ');
    }
    std::ostringstream para;
    TF::TextFormatter(para, 60, "\r\n").print(text.c_str());
    std::istringstream lines(para.str());
    size_t nLines = 0;
    for (std::string line; std::getline(lines, line, '\n'); ++nLines)
    {
        ASSERT_TRUE(!line.empty() && line.back() == '\r') << "line " << nLines;
        line.pop_back();
        ASSERT_LE(line.size(), 60u) << "line " << nLines;
        std::istringstream in(line);
        for (std::string word; in >> word;)
            seen.push_back(word);
    }
    EXPECT_GT(nLines, 400000u / 60);
    EXPECT_TRUE(words == seen) << words.size() << " words in, " << seen.size() << " out";
}

} // namespace
