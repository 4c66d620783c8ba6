// Thousands separators for number texts, and what a grid cell draws of a huge text (the work is
// capped; the start of the text is exactly the start of the whole text's grouping). Window-free.
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

TEST(ListCellDisplayText, HugeNumbersShowTheStartOfTheirWholeGrouping)
{
    const int kMax = 64;
    struct { const char* pszLead; const char* pszDecimals; } const shapes[] = { { "", "" }, { "-", ".25" }, { "  +", "" }, { "", ".123456789" } };
    for (const auto& shape : shapes)
    {
        for (int nDigits : { 1, 60, 61, 62, 63, 64, 65, 66, 67, 100, 101, 102, 3001, 100000 })
        {
            std::string digits;
            for (int i = 0; i < nDigits; ++i)
                digits += (char)('1' + i % 9);
            const CString text = (shape.pszLead + digits + shape.pszDecimals).c_str();
            SCOPED_TRACE(std::string("lead '") + shape.pszLead + "', " + std::to_string(nDigits) + " digits");
            const std::string whole = (LPCTSTR)ListGroupThousands(text);
            const std::string shown = (LPCTSTR)ListCellDisplayText(text, true, kMax);
            if (text.GetLength() <= kMax)
            {
                EXPECT_EQ(whole, shown);
                continue;
            }
            ASSERT_GE(shown.size(), 4u);
            ASSERT_EQ("...", shown.substr(shown.size() - 3));
            const std::string head = shown.substr(0, shown.size() - 3);
            EXPECT_EQ(whole.substr(0, head.size()), head);
            EXPECT_LE(head.size(), (size_t)kMax + kMax / 3 + 1);
            EXPECT_GE(head.size(), (size_t)kMax / 2);
        }
    }
    // Texts that are no number are cut without grouping.
    const CString letters(std::string(5000, 'x').c_str());
    EXPECT_EQ(std::string(64, 'x') + "...", std::string((LPCTSTR)ListCellDisplayText(letters, true, kMax)));
    EXPECT_EQ(std::string(64, 'x') + "...", std::string((LPCTSTR)ListCellDisplayText(letters, false, kMax)));
}
