// Thousands separators for number texts, window-free (also run natively).
#include <gtest/gtest.h>

#include "lists/DigitGrouping.h"

#include <string>

TEST(ListGroupThousands, GroupsTheIntegerDigitsAndKeepsSignAndDecimals)
{
    struct { const char* in; const char* out; } cases[] = {
        { "1234567.5", "1,234,567.5" }, { "-1234", "-1,234" }, { "123", "123" },     { "1,2345", "12,345" },
        { "1000.25", "1,000.25" },      { "", "" },            { "-", "-" },         { "999999", "999,999" },
        { ".5", ".5" },                 { "+1234", "+1,234" }, { "  1234", "  1,234" },
        // Texts that are not plain numbers stay as they are.
        { "+123", "+123" }, { " 123", " 123" }, { "1e10", "1e10" }, { "12345e10", "12345e10" },
        { "NA", "NA" },     { "12 345", "12 345" }, { "--1234", "--1234" }, { "1234 ", "1234 " },
    };
    for (auto& c : cases)
        EXPECT_EQ(std::string(c.out), std::string((LPCTSTR)ListGroupThousands(c.in))) << '"' << c.in << '"';
}
