// libFuzzer target for the text formatter. Running text: every word comes out, in order, on lines no
// wider than block max, each ended by the whole line end; only a word longer than block max is cut,
// into block-max pieces and its rest. Tables: each text starts at its column's start (left) or ends
// at its end (right) unless an earlier text pushed it on, texts are never cut, and a row is no wider
// than the last column's edge unless a text is wider than its column.
// Input layout: byte 0 block max, byte 1 the line end; the running text up to '\x01'; then one byte
// per column (width = byte % 12, right-aligned when odd) up to '\x01'; then texts cut at '\x01'.
#include "export/TextFormatter.h"
#include "FuzzOracle.h"

#include <sstream>

namespace {

bool IsDelim(char c, const std::string& strLineEnd) { return strLineEnd.find(c) != std::string::npos; }

// Words of a text: runs of characters that are neither spaces nor line-end characters.
std::vector<std::string> Words(std::string strText, const std::string& strLineEnd)
{
    for (char& c : strText)
        if (IsDelim(c, strLineEnd))
            c = ' ';
    std::vector<std::string> words;
    for (const std::string& word : Split(strText, ' '))
        if (!word.empty())
            words.push_back(word);
    return words;
}

void CheckRunningText(const std::string& strText, unsigned nBlockMax, const std::string& strLineEnd)
{
    std::ostringstream out;
    TF::TextFormatter tf(out, nBlockMax, strLineEnd);
    tf.print(strText.c_str());
    const std::string strOut = out.str();

    // The words a faithful wrap produces: each input word, cut into block-max pieces when longer.
    std::vector<std::string> expected;
    for (const std::string& word : Words(strText, strLineEnd))
    {
        if (nBlockMax == 0 || word.size() <= nBlockMax)
            expected.push_back(word);
        else
            for (size_t i = 0; i < word.size(); i += nBlockMax)
                expected.push_back(word.substr(i, nBlockMax));
    }

    if (strLineEnd.empty())
    {
        // Lines run together: only the characters other than spaces can be followed.
        std::string strIn, strSeen;
        for (const std::string& w : expected)
            strIn += w;
        for (char c : strOut)
            if (c != ' ')
                strSeen += c;
        Check(strIn == strSeen, "characters lost, added or reordered");
        return;
    }

    // Lines: the output is a sequence of lines, each followed by the whole line end.
    std::vector<std::string> seen;
    size_t nLines = 0;
    size_t pos = 0;
    while (pos < strOut.size())
    {
        size_t end = pos;
        while (end < strOut.size() && !IsDelim(strOut[end], strLineEnd))
            ++end;
        Check(strOut.compare(end, strLineEnd.size(), strLineEnd) == 0, "line not ended by the line end");
        const std::string line = strOut.substr(pos, end - pos);
        Check(nBlockMax == 0 || line.size() <= nBlockMax, "line wider than block max");
        for (const std::string& w : Words(line, strLineEnd))
            seen.push_back(w);
        ++nLines;
        pos = end + strLineEnd.size();
    }
    Check(seen == expected, "words lost, added, reordered or cut where they fit");
    if (nBlockMax == 0)
    {
        // Without wrapping each paragraph is one line, as it was.
        size_t nParagraphs = 0;
        bool bIn = false;
        for (char c : strText)
        {
            const bool bDelim = IsDelim(c, strLineEnd);
            if (!bDelim && !bIn)
                ++nParagraphs;
            bIn = !bDelim;
        }
        Check(nLines == nParagraphs, "paragraph count without wrapping");
    }
}

void CheckTable(const std::vector<uint8_t>& columns, const std::vector<std::string>& texts)
{
    std::ostringstream out;
    TF::TextFormatter tf(out, 80, "\n");
    std::vector<int> edges;
    std::vector<bool> right;
    for (uint8_t b : columns)
    {
        const int nWidth = b % 12;
        tf.addColumn("", nWidth);
        if (edges.size() < TF::TextFormatter::MAX_COLUMNS)
        {
            edges.push_back((edges.empty() ? 0 : edges.back()) + nWidth);
            right.push_back(b % 2 == 1);
            if (b % 2 == 1)
                tf.setColumnAlignment((int)edges.size() - 1, TF::ALIGN_RIGHT);
        }
    }
    const size_t nTexts = texts.size() < 6 ? texts.size() : 6;
    tf.printRow((int)nTexts, nTexts > 0 ? texts[0].c_str() : "", nTexts > 1 ? texts[1].c_str() : "",
                nTexts > 2 ? texts[2].c_str() : "", nTexts > 3 ? texts[3].c_str() : "",
                nTexts > 4 ? texts[4].c_str() : "", nTexts > 5 ? texts[5].c_str() : "");
    const std::string strOut = out.str();
    Check(!strOut.empty() && strOut.back() == '\n', "row not ended");
    const std::string line = strOut.substr(0, strOut.size() - 1);

    // Walk the cells: padding is spaces only, each text appears whole where it belongs.
    size_t cursor = 0;
    bool bOverlong = false;
    for (size_t i = 0; i < nTexts && i < edges.size(); ++i)
    {
        const std::string text = texts[i].c_str(); // as a C string: up to an embedded NUL
        const size_t start = i > 0 ? (size_t)edges[i - 1] : 0;
        const size_t end = (size_t)edges[i];
        if (text.size() > end - start)
            bOverlong = true;
        size_t target = right[i] ? (text.size() <= end ? end - text.size() : 0) : start;
        if (target < cursor)
            target = cursor;
        Check(line.size() >= target + text.size(), "row shorter than its texts");
        for (size_t k = cursor; k < target; ++k)
            Check(line[k] == ' ', "padding that is not a space");
        Check(line.compare(target, text.size(), text) == 0, "text cut or misplaced");
        cursor = target + text.size();
    }
    Check(line.size() == cursor, "row longer than its texts");
    if (!bOverlong)
        Check(line.size() <= (edges.empty() ? 0u : (size_t)edges.back()), "row wider than its columns");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize < 2)
        return 0;
    static const char* const s_lineEnds[] = { "\n", "\r\n", "|", "" };
    const std::vector<std::string> parts = Split(Text(pData + 2, nSize - 2), '\x01', 3);
    CheckRunningText(parts[0].c_str(), pData[0] % 70, s_lineEnds[pData[1] % 4]);   // print reads a C string
    if (parts.size() > 1)
        CheckTable(std::vector<uint8_t>(parts[1].begin(), parts[1].end()),
                   parts.size() > 2 ? Split(parts[2], '\x01') : std::vector<std::string>());
    return 0;
}
