// TF::TextFormatter: table cells that never cut, alignment, rulers, and running text split at
// line-end characters, wrapped at block max and justified.
#include <gtest/gtest.h>

#include "export/TextFormatter.h"

#include <sstream>
#include <string>
#include <vector>

namespace {

class TextFormatterTest : public ::testing::Test
{
protected:
    std::ostringstream m_out;
};

// --- tables ------------------------------------------------------------------------------------

TEST_F(TextFormatterTest, HeaderWithRulerAndAlignedColumns)
{
    TF::TextFormatter tf(m_out, 80, "\n");
    tf.createTable();
    tf.addColumn("Name", 10);
    tf.addColumn("Qty", 6);
    tf.setColumnAlignment(1, TF::ALIGN_RIGHT);
    tf.printHeader(true);
    tf.printRow(2, "ABC", "12");
    EXPECT_EQ("Name         Qty\n"
              "----------------\n"
              "ABC           12\n",
              m_out.str());
}

TEST_F(TextFormatterTest, HeaderWithoutRuler)
{
    TF::TextFormatter tf(m_out, 80, "\r\n");
    tf.addColumn("A", 3);
    tf.addColumn("B", 3);
    tf.printHeader(false);
    EXPECT_EQ("A  B\r\n", m_out.str());
}

TEST_F(TextFormatterTest, LongTextPushesFollowingCellsRight)
{
    TF::TextFormatter tf(m_out, 80, "\n");
    tf.addColumn("", 4);
    tf.addColumn("", 4);
    tf.addColumn("", 4);
    tf.printRow(3, "ABCDEF", "x", "y");
    EXPECT_EQ("ABCDEFx y\n", m_out.str());
}

TEST_F(TextFormatterTest, RightAlignedOverlongTextStartsAtTheCursor)
{
    TF::TextFormatter tf(m_out, 80, "\n");
    tf.addColumn("", 4);
    tf.addColumn("", 3);
    tf.setColumnAlignment(1, TF::ALIGN_RIGHT);
    tf.printRow(2, "ab", "12345");
    tf.printRow(2, "ab", "1");
    EXPECT_EQ("ab12345\n"
              "ab    1\n",
              m_out.str());
}

TEST_F(TextFormatterTest, AnyNonZeroAlignmentAlignsRight)
{
    TF::TextFormatter tf(m_out, 80, "\n");
    tf.addColumn("", 5);
    tf.setColumnAlignment(0, static_cast<TF::alignET>(7));
    tf.printRow(1, "ab");
    EXPECT_EQ("   ab\n", m_out.str());
}

TEST_F(TextFormatterTest, RowWithFewerTextsLeavesTheRestEmpty)
{
    TF::TextFormatter tf(m_out, 80, "\n");
    tf.addColumn("", 5);
    tf.addColumn("", 5);
    tf.addColumn("", 5);
    tf.printRow(1, "x");
    tf.printRow(3, "a", "b", "c");
    EXPECT_EQ("x\n"
              "a    b    c\n",
              m_out.str());
}

TEST_F(TextFormatterTest, NewLineKeepsTheCursor)
{
    TF::TextFormatter tf(m_out, 80, "\n");
    tf.addColumn("", 4);
    tf.addColumn("", 4);
    tf.printColumn(0, "ab");
    tf.newLine();
    tf.printColumn(1, "c");
    tf.newLines(2);
    EXPECT_EQ("ab\n  c\n\n", m_out.str());
}

TEST_F(TextFormatterTest, UndefinedColumnsAreIgnored)
{
    TF::TextFormatter tf(m_out, 80, "\n");
    tf.addColumn("", 3);
    tf.setColumnAlignment(1, TF::ALIGN_RIGHT);
    tf.setColumnAlignment(-1, TF::ALIGN_RIGHT);
    tf.printColumn(1, "zz");
    tf.printColumn(-1, "zz");
    tf.printRow(3, "a", "b", "c");
    tf.printColumn(0, nullptr);
    EXPECT_EQ("a\n", m_out.str());
}

TEST_F(TextFormatterTest, CreateTableStartsAgain)
{
    TF::TextFormatter tf(m_out, 80, "\n");
    tf.addColumn("Old", 20);
    tf.createTable();
    tf.addColumn("New", 2);
    tf.printHeader(true);
    EXPECT_EQ("New\n--\n", m_out.str());
}

TEST_F(TextFormatterTest, AtMost64Columns)
{
    TF::TextFormatter tf(m_out, 80, "\n");
    for (int i = 0; i < 70; ++i)
        tf.addColumn("", 1);
    tf.printRowLine('=');
    EXPECT_EQ(std::string(64, '=') + "\n", m_out.str());
}

TEST_F(TextFormatterTest, CopiesWriteToTheSameStreamWithTheSameColumns)
{
    TF::TextFormatter tf(m_out, 80, "|");
    tf.addColumn("", 3);
    tf.setColumnAlignment(0, TF::ALIGN_RIGHT);
    TF::TextFormatter copy(tf);
    copy.printRow(1, "a");
    TF::TextFormatter moved(std::move(copy));
    moved.printRowLine('-');
    EXPECT_EQ("  a|---|", m_out.str());
}

// --- running text ------------------------------------------------------------------------------

TEST_F(TextFormatterTest, WrapsAndJustifiesToBlockMax)
{
    TF::TextFormatter tf(m_out, 10, "\n");
    tf.print("aaa bbb ccc dd");
    EXPECT_EQ("aaa    bbb\n"
              "ccc dd\n",
              m_out.str());
}

TEST_F(TextFormatterTest, GapsFollowTheRunningFillTotal)
{
    // "aa bb cc dd ee ff" (5 gaps) filled to 20: the running total 1.6 k gives 1 2 1 2 2.
    TF::TextFormatter tf(m_out, 20, "\n");
    tf.print("aa bb cc dd ee ff gg hh");
    EXPECT_EQ("aa bb  cc dd  ee  ff\n"
              "gg hh\n",
              m_out.str());
}

TEST_F(TextFormatterTest, WordLongerThanBlockMaxIsCutHard)
{
    TF::TextFormatter tf(m_out, 5, "\n");
    tf.print("abcdefghijkl");
    tf.print("abcdef");   // one character over the block is cut as well
    tf.print("abcde");    // exactly the block is one line
    EXPECT_EQ("abcde\nfghij\nkl\nabcde\nf\nabcde\n", m_out.str());
}

TEST_F(TextFormatterTest, LongTextIsCutRepeatedly)
{
    TF::TextFormatter tf(m_out, 9, "\n");
    tf.print("one two three four five six");
    EXPECT_EQ("one   two\n"
              "three\n" // single words: no gap to fill
              "four\n"
              "five six\n",
              m_out.str());
}

TEST_F(TextFormatterTest, SplitsAtAnyLineEndCharacterLikeStrtok)
{
    TF::TextFormatter tf(m_out, 80, "\r\n");
    tf.print("\r\none\n\n\rtwo\r\n\r\n");
    tf.print("");
    tf.print(nullptr);
    EXPECT_EQ("one\r\ntwo\r\n", m_out.str());
}

TEST_F(TextFormatterTest, EachParagraphEndsUnjustified)
{
    TF::TextFormatter tf(m_out, 8, "\n");
    tf.print("ab cd ef gh\nij kl");
    EXPECT_EQ("ab    cd\n"
              "ef gh\n"
              "ij kl\n",
              m_out.str());
}

TEST_F(TextFormatterTest, GapTakesAtMost100Spaces)
{
    TF::TextFormatter tf(m_out, 300, "\n");
    tf.print(("a b " + std::string(400, 'x')).c_str());
    // "a b" is wrapped with a fill of 298: 100 spaces in the gap and 100 after the last word.
    EXPECT_EQ("a" + std::string(100, ' ') + "b" + std::string(100, ' ') + "\n"
                  + std::string(300, 'x') + "\n" + std::string(100, 'x') + "\n",
              m_out.str());
}

// Long texts are wrapped in one pass: an unbroken run of 2 million characters is cut hard into
// block-max lines, and a long paragraph of words keeps every word, in order, on lines no wider
// than block max.
TEST_F(TextFormatterTest, HugeUnbrokenTextIsCutIntoBlockMaxLines)
{
    std::string text(2000000, ' ');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = (char)('a' + i % 26);
    TF::TextFormatter tf(m_out, 7, "\n");
    tf.print(text.c_str());
    std::string expected;
    expected.reserve(text.size() + text.size() / 7 + 1);
    for (size_t i = 0; i < text.size(); i += 7)
        expected.append(text, i, 7).push_back('\n');
    EXPECT_TRUE(expected == m_out.str()) << "output of " << m_out.str().size() << " characters";
}

TEST_F(TextFormatterTest, LongParagraphKeepsEveryWordWithinBlockMax)
{
    std::string text;
    std::vector<std::string> words;
    unsigned seed = 7;
    while (text.size() < 400000)
    {
        seed = seed * 1103515245u + 12345u;
        std::string word((seed >> 16) % 12 + 1, (char)('a' + (seed >> 8) % 26));
        words.push_back(word);
        text += word;
        text.append((seed >> 20) % 3 + 1, ' ');
    }
    TF::TextFormatter tf(m_out, 60, "\r\n");
    tf.print(text.c_str());

    std::istringstream lines(m_out.str());
    std::string line;
    std::vector<std::string> seen;
    size_t nLines = 0;
    while (std::getline(lines, line, '\n'))
    {
        ASSERT_FALSE(line.empty());
        ASSERT_EQ('\r', line.back());
        line.pop_back();
        ASSERT_LE(line.size(), 60u) << "line " << nLines;
        ++nLines;
        std::istringstream in(line);
        for (std::string word; in >> word;)
            seen.push_back(word);
    }
    EXPECT_GT(nLines, 400000u / 60);
    EXPECT_TRUE(words == seen) << words.size() << " words in, " << seen.size() << " out";
}

TEST_F(TextFormatterTest, SetBlockMaxAppliesToTheNextPrint)
{
    TF::TextFormatter tf(m_out, 80, "\n");
    tf.print("aaa bbb ccc dd");
    tf.setBlockMax(10);
    tf.print("aaa bbb ccc dd");
    EXPECT_EQ("aaa bbb ccc dd\naaa    bbb\nccc dd\n", m_out.str());
}

TEST_F(TextFormatterTest, BlockMaxZeroDoesNotWrap)
{
    TF::TextFormatter tf(m_out, 0, "\n");
    tf.print("abc def");
    EXPECT_EQ("abc def\n", m_out.str());
}

} // namespace
