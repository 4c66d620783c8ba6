#include "export/TextFormatter.h"

#include <cstdarg>
#include <cstring>
#include <deque>

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

    // The pieces live in the deque; their order is the next chain, since wrapping links new
    // pieces right after the one being cut.
    std::deque<elementT> storage;
    elementT* head = nullptr;
    elementT* tail = nullptr;

    // Split at any line-end character, as strtok does: runs count as one, empty pieces vanish.
    const char* delims = m_lineEnd.c_str();
    const char* p = text;
    for (;;)
    {
        p += std::strspn(p, delims);
        if (*p == '\0')
            break;
        const size_t n = std::strcspn(p, delims);
        storage.emplace_back();
        elementT* piece = &storage.back();
        piece->text.assign(p, n);
        if (tail)
            tail->next = piece;
        else
            head = piece;
        tail = piece;
        p += n;
    }

    // Wrap. With a block max of 0 no cut could shorten a piece, so nothing is wrapped then.
    const size_t blockMax = m_blockMax;
    if (blockMax > 0)
    {
        for (elementT* piece = head; piece; piece = piece->next)
        {
            if (piece->text.size() <= blockMax)
                continue;
            piece->value = 1;
            size_t cut = piece->text.rfind(' ', blockMax - 1);
            storage.emplace_back();
            elementT* rest = &storage.back();
            if (cut != std::string::npos)
            {
                rest->text = piece->text.substr(cut + 1);
                piece->text.resize(cut);
            }
            else
            {
                rest->text = piece->text.substr(blockMax);
                piece->text.resize(blockMax);
            }
            rest->next = piece->next;
            piece->next = rest;
        }
    }

    // Justify the wrapped pieces: the gaps follow the running total fill * k / gaps.
    for (elementT* piece = head; piece; piece = piece->next)
    {
        if (piece->value != 1)
            continue;
        const std::string& line = piece->text;
        int64_t gaps = 0;
        for (char ch : line)
            gaps += ch == ' ';
        if (gaps == 0)
            continue;
        const int64_t fill = (int64_t)blockMax - ((int64_t)line.size() - gaps);
        if (fill == 0)
            continue;

        std::string justified;
        justified.reserve(line.size() + (size_t)(gaps * MAX_GAP));
        const float step = (float)fill / (float)gaps;
        float running = 0;
        int64_t given = 0;
        size_t pos = line.find_first_not_of(' ');
        while (pos != std::string::npos)
        {
            const size_t wordEnd = line.find(' ', pos);
            justified.append(line, pos, wordEnd == std::string::npos ? std::string::npos : wordEnd - pos);
            pos = wordEnd == std::string::npos ? wordEnd : line.find_first_not_of(' ', wordEnd);
            int64_t spaces;
            if (pos != std::string::npos)
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
                justified.append((size_t)spaces, ' ');
                given += spaces;
            }
        }
        piece->text.swap(justified);
    }

    for (elementT* piece = head; piece; piece = piece->next)
    {
        m_stream << piece->text;
        m_stream << m_lineEnd;
    }
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
