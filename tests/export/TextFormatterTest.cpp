// TF::TextFormatter: table cells that never cut, alignment, rulers, and running text split at
// line-end characters, wrapped at block max and justified.
#include <gtest/gtest.h>

#include "export/TextFormatter.h"

#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace {

TEST(TextFormatterTest, Tables)
{
    struct Case { const char* name; std::function<void(TF::TextFormatter&)> print; std::string expected; };
    const Case cases[] = {
        { "header with ruler and aligned columns",
          [](TF::TextFormatter& tf) {
              tf.createTable();
              tf.addColumn("Name", 10);
              tf.addColumn("Qty", 6);
              tf.setColumnAlignment(1, TF::ALIGN_RIGHT);
              tf.printHeader(true);
              tf.printRow(2, "ABC", "12");
          },
          "Name         Qty\n----------------\nABC           12\n" },
        { "long text pushes the following cells right",
          [](TF::TextFormatter& tf) {
              for (int i = 0; i < 3; ++i)
                  tf.addColumn("", 4);
              tf.printRow(3, "ABCDEF", "x", "y");
          },
          "ABCDEFx y\n" },
        { "right-aligned overlong text starts at the cursor",
          [](TF::TextFormatter& tf) {
              tf.addColumn("", 4);
              tf.addColumn("", 3);
              tf.setColumnAlignment(1, TF::ALIGN_RIGHT);
              tf.printRow(2, "ab", "12345");
              tf.printRow(2, "ab", "1");
          },
          "ab12345\nab    1\n" },
        { "a row with fewer texts leaves the rest empty",
          [](TF::TextFormatter& tf) {
              for (int i = 0; i < 3; ++i)
                  tf.addColumn("", 5);
              tf.printRow(1, "x");
              tf.printRow(3, "a", "b", "c");
          },
          "x\na    b    c\n" },
        { "undefined columns are ignored",
          [](TF::TextFormatter& tf) {
              tf.addColumn("", 3);
              tf.setColumnAlignment(1, TF::ALIGN_RIGHT);
              tf.setColumnAlignment(-1, TF::ALIGN_RIGHT);
              tf.printColumn(1, "zz");
              tf.printColumn(-1, "zz");
              tf.printRow(3, "a", "b", "c");
              tf.printColumn(0, nullptr);
          },
          "a\n" },
        { "at most 64 columns",
          [](TF::TextFormatter& tf) {
              for (int i = 0; i < 70; ++i)
                  tf.addColumn("", 1);
              tf.printRowLine('=');
          },
          std::string(64, '=') + "\n" },
    };
    for (const Case& c : cases)
    {
        std::ostringstream out;
        TF::TextFormatter tf(out, 80, "\n");
        c.print(tf);
        EXPECT_EQ(c.expected, out.str()) << c.name;
    }
}

TEST(TextFormatterTest, RunningTextIsWrappedAndJustifiedToBlockMax)
{
    const struct { const char* name; unsigned blockMax; const char* lineEnd; std::vector<const char*> texts;
                   std::string expected; } cases[] = {
        { "wrapped and justified", 10, "\n", { "aaa bbb ccc dd" }, "aaa    bbb\nccc dd\n" },
        // "aa bb cc dd ee ff" (5 gaps) filled to 20: the running total 1.6 k gives 1 2 1 2 2.
        { "gaps follow the running fill total", 20, "\n", { "aa bb cc dd ee ff gg hh" },
          "aa bb  cc dd  ee  ff\ngg hh\n" },
        // The fault: a line one character over the block was not wrapped.
        { "a word longer than block max is cut hard", 5, "\n", { "abcdefghijkl", "abcdef", "abcde" },
          "abcde\nfghij\nkl\nabcde\nf\nabcde\n" },
        { "cut repeatedly; single words have no gap to fill", 9, "\n", { "one two three four five six" },
          "one   two\nthree\nfour\nfive six\n" },
        { "split at any line-end character like strtok", 80, "\r\n", { "\r\none\n\n\rtwo\r\n\r\n", "", nullptr },
          "one\r\ntwo\r\n" },
        { "each paragraph ends unjustified", 8, "\n", { "ab cd ef gh\nij kl" }, "ab    cd\nef gh\nij kl\n" },
        { "block max 0 does not wrap", 0, "\n", { "abc def" }, "abc def\n" },
    };
    for (const auto& c : cases)
    {
        std::ostringstream out;
        TF::TextFormatter tf(out, c.blockMax, c.lineEnd);
        for (const char* text : c.texts)
            tf.print(text);
        EXPECT_EQ(c.expected, out.str()) << c.name;
    }
    // A gap takes at most 100 spaces: "a b" wrapped with a fill of 298 gets 100 in the gap and
    // 100 after the last word; block max set later applies to the next print.
    std::ostringstream out;
    TF::TextFormatter tf(out, 300, "\n");
    tf.print(("a b " + std::string(400, 'x')).c_str());
    tf.setBlockMax(10);
    tf.print("aaa bbb ccc dd");
    EXPECT_EQ("a" + std::string(100, ' ') + "b" + std::string(100, ' ') + "\n" + std::string(300, 'x') + "\n" +
                  std::string(100, 'x') + "\naaa    bbb\nccc dd\n",
              out.str());
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
