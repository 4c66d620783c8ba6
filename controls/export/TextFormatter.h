// TF::TextFormatter: plain-text reports on a std::ostream. Fixed-width tables (headings, rows,
// ruler lines) whose cells are never cut, and running text wrapped and fully justified to the
// block max. Exported for the host; window-free.
#pragma once

#include "afxdefs.h"

#include <cstdint>
#include <ostream>
#include <string>

namespace TF {

// Column alignment: 0 aligns left, any other value aligns right (hence the fixed int range).
enum alignET : int
{
    ALIGN_LEFT = 0,
    ALIGN_RIGHT = 1,
};

// A table column (value = cumulative right edge, align = alignment) or a piece of running text
// (value = 1 when the piece was produced by wrapping).
struct elementT
{
    int32_t value = 0;
    int32_t align = 0;
    std::string text;
    elementT* next = nullptr;
};

class CONTROLS_API TextFormatter
{
public:
    enum { MAX_COLUMNS = 64, MAX_GAP = 100 };

    TextFormatter(std::ostream& stream, unsigned blockMax, const std::string& lineEnd);
    TextFormatter(const TextFormatter& other);
    TextFormatter(TextFormatter&& other);
    ~TextFormatter();

    void createTable();
    // Appends a left-aligned column; columns beyond the 64th are ignored.
    void addColumn(const char* title, int width);
    // Ignored for a column that is not defined.
    void setColumnAlignment(int column, alignET align);
    // Titles as one row, then the line end and, with the flag, a ruler of '-'.
    void printHeader(bool ruler);
    // Texts (const char*) for columns 0 .. count-1, then the line end.
    void printRow(int count, ...);
    void printColumn(int column, const char* text);
    // c repeated up to the last column's right edge, then the line end.
    void printRowLine(char c);
    void newLine();
    void newLines(int n);
    void setBlockMax(int blockMax);
    // Running text: split at line-end characters, wrapped at block max and justified.
    void print(const char* text);

private:
    void printParagraph(const char* text, size_t length);
    void printWrappedLine(const char* line, size_t length);
    void writeSpaces(uint64_t n);

    std::string m_lineEnd;
    uint32_t m_cursor;
    uint32_t m_blockMax;
    std::ostream& m_stream;
    elementT m_columns[MAX_COLUMNS];
    uint32_t m_columnCount;
};

} // namespace TF
