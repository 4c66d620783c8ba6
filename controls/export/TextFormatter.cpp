#include "export/TextFormatter.h"

#include <cstdarg>
#include <cstring>

namespace TF {

TextFormatter::TextFormatter(std::ostream& stream, unsigned blockMax, const std::string& lineEnd)
    : m_lineEnd(lineEnd), m_cursor(0), m_blockMax(blockMax), m_stream(stream), m_columnCount(0)
{
}

TextFormatter::TextFormatter(const TextFormatter& other) = default;
TextFormatter::TextFormatter(TextFormatter&& other) = default;
TextFormatter::~TextFormatter() = default;

void TextFormatter::createTable()
{
    m_columnCount = 0;
}

void TextFormatter::addColumn(const char* title, int width)
{
    if (m_columnCount >= MAX_COLUMNS)
        return;
    const int64_t start = m_columnCount > 0 ? m_columns[m_columnCount - 1].value : 0;
    int64_t edge = start + width;
    if (edge > INT32_MAX)
        edge = INT32_MAX;
    else if (edge < INT32_MIN)
        edge = INT32_MIN;
    elementT& col = m_columns[m_columnCount++];
    col.value = (int32_t)edge;
    col.align = ALIGN_LEFT;
    col.text = title ? title : "";
    col.next = nullptr;
}

void TextFormatter::setColumnAlignment(int column, alignET align)
{
    if (column >= 0 && (uint32_t)column < m_columnCount)
        m_columns[column].align = align;
}

void TextFormatter::printHeader(bool ruler)
{
    m_cursor = 0;
    for (uint32_t i = 0; i < m_columnCount; ++i)
        printColumn((int)i, m_columns[i].text.c_str());
    m_stream << m_lineEnd;
    if (ruler)
        printRowLine('-');
}

void TextFormatter::printRow(int count, ...)
{
    m_cursor = 0;
    va_list args;
    va_start(args, count);
    for (int i = 0; i < count; ++i)
        printColumn(i, va_arg(args, const char*));
    va_end(args);
    newLine();
}

void TextFormatter::printColumn(int column, const char* text)
{
    if (column < 0 || (uint32_t)column >= m_columnCount)
        return;
    if (!text)
        text = "";
    const size_t length = std::strlen(text);
    const int64_t start = column > 0 ? m_columns[column - 1].value : 0;
    const int64_t end = m_columns[column].value;
    const int64_t target = m_columns[column].align != ALIGN_LEFT ? end - (int64_t)length : start;
    if ((int64_t)m_cursor < target)
    {
        writeSpaces((uint64_t)(target - m_cursor));
        m_cursor = (uint32_t)target;
    }
    m_stream.write(text, (std::streamsize)length);
    m_cursor += (uint32_t)length;
}

void TextFormatter::printRowLine(char c)
{
    const int32_t edge = m_columnCount > 0 ? m_columns[m_columnCount - 1].value : 0;
    for (int32_t i = 0; i < edge; ++i)
        m_stream.put(c);
    newLine();
}

void TextFormatter::newLine()
{
    m_stream << m_lineEnd;
}

void TextFormatter::newLines(int n)
{
    for (int i = 0; i < n; ++i)
        m_stream << m_lineEnd;
}

void TextFormatter::setBlockMax(int blockMax)
{
    m_blockMax = (uint32_t)blockMax;
}

void TextFormatter::print(const char* text)
{
    if (!text)
        return;

    // Split at any line-end character, as strtok does: runs count as one, empty pieces vanish.
    // Each paragraph is wrapped and written in one pass over its characters.
    const char* delims = m_lineEnd.c_str();
    const char* p = text;
    for (;;)
    {
        p += std::strspn(p, delims);
        if (*p == '\0')
            break;
        const size_t n = std::strcspn(p, delims);
        printParagraph(p, n);
        p += n;
    }
}

void TextFormatter::printParagraph(const char* text, size_t length)
{
    // Wrap. With a block max of 0 no cut could shorten a piece, so nothing is wrapped then.
    // While more than block max characters are left, the line ends at the last space before
    // index block max of the rest (the space itself is dropped), or, without one, after block
    // max characters. The backward scan stops at the rest's start, and the characters it passes
    // behind the chosen space begin the next rest, where no scan reaches them again: each
    // character is looked at a bounded number of times.
    const size_t blockMax = m_blockMax;
    size_t start = 0;
    if (blockMax > 0)
    {
        while (length - start > blockMax)
        {
            size_t cut = start + blockMax;
            while (cut > start && text[cut - 1] != ' ')
                --cut;
            if (cut > start)
            {
                printWrappedLine(text + start, cut - 1 - start);
                start = cut;
            }
            else
            {
                printWrappedLine(text + start, blockMax);
                start += blockMax;
            }
        }
    }
    // The last line of a paragraph is not justified.
    m_stream.write(text + start, (std::streamsize)(length - start));
    m_stream << m_lineEnd;
}

void TextFormatter::printWrappedLine(const char* line, size_t length)
{
    // Justify: the gaps follow the running total fill * k / gaps.
    const size_t blockMax = m_blockMax;
    int64_t gaps = 0;
    for (size_t i = 0; i < length; ++i)
        gaps += line[i] == ' ';
    const int64_t fill = (int64_t)blockMax - ((int64_t)length - gaps);
    if (gaps == 0 || fill == 0)
    {
        m_stream.write(line, (std::streamsize)length);
        m_stream << m_lineEnd;
        return;
    }

    const float step = (float)fill / (float)gaps;
    float running = 0;
    int64_t given = 0;
    size_t pos = 0;
    while (pos < length && line[pos] == ' ')
        ++pos;
    while (pos < length)
    {
        size_t wordEnd = pos;
        while (wordEnd < length && line[wordEnd] != ' ')
            ++wordEnd;
        m_stream.write(line + pos, (std::streamsize)(wordEnd - pos));
        pos = wordEnd;
        while (pos < length && line[pos] == ' ')
            ++pos;
        int64_t spaces;
        if (pos < length)
        {
            running += step;
            spaces = (int64_t)running - given;
        }
        else
            spaces = fill - given;
        if (spaces > MAX_GAP)
            spaces = MAX_GAP;
        if (spaces > 0)
        {
            writeSpaces((uint64_t)spaces);
            given += spaces;
        }
    }
    m_stream << m_lineEnd;
}

void TextFormatter::writeSpaces(uint64_t n)
{
    static const char spaces[] = "                                                                ";
    const uint64_t chunk = sizeof(spaces) - 1;
    while (n > 0)
    {
        const uint64_t now = n < chunk ? n : chunk;
        m_stream.write(spaces, (std::streamsize)now);
        n -= now;
    }
}

} // namespace TF
