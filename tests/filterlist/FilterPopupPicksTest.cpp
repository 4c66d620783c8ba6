// Values picked in the filter value popup show exactly the rows holding those values: values that
// look like filter syntax ("*", "~", ">", "<"), values that begin other values, and more picks than
// the 255 characters a header box holds.
#include "FilterListFixture.h"
#include "filter/FilterText.h"

#include <algorithm>

using Texts = std::vector<std::string>;

class FilterPopupPicksTest : public FilterListTest
{
protected:
    void TearDown() override
    {
        CFilterText& popup = CFilterText::Get();
        if (popup.GetSafeHwnd() != nullptr)
            popup.ShowWindow(SW_HIDE);
        FilterListTest::TearDown();
    }
    // Opens the popup of the symbol column with the header's filter button, picks the entries
    // with the given texts and presses Enter.
    void Pick(const Texts& picks)
    {
        CPoint pt = FilterButtonPoint(0);
        m_list.GetColorHeader().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        m_list.GetColorHeader().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        Pump(20);
        CListBox& box = CFilterText::Get().GetValueList();
        ASSERT_TRUE(CFilterText::Get().IsWindowVisible());
        for (int i = 0; i < box.GetCount(); ++i)
        {
            CString text;
            box.GetText(i, text);
            if (std::find(picks.begin(), picks.end(), std::string((LPCTSTR)text)) != picks.end())
                box.SendMessage(LB_SETSEL, TRUE, i);
        }
        box.SetFocus();
        box.PostMessage(WM_KEYDOWN, VK_RETURN, 0);
        Pump(20);
    }
};

TEST_F(FilterPopupPicksTest, PickedValuesShowExactlyTheirRows)
{
    std::vector<std::string> many;
    for (int i = 0; i < 40; ++i)
        many.push_back("INSTRUMENT" + std::to_string(100 + i));   // 40 x 13 characters
    struct
    {
        const char* pszName;
        Texts rows;
        Texts picks;
    } const cases[] = {
        { "values that look like syntax", { "*X", "AX", ">5", "7", "A~B", "A", "B", "<1", "0" }, { "*X", ">5", "A~B", "<1" } },
        { "a value that begins another", { "ABC", "AB", "ABD", "A" }, { "ABC", "AB" } },
        { "more picks than a box holds", many, Texts(many.begin(), many.end() - 1) },
    };
    Build();
    m_list.PutListFilter();
    m_frame.SetForegroundWindow();
    Pump(20);
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        m_list.RemoveAllFilters();
        m_list.DeleteAllItems();
        m_rows.clear();
        for (const std::string& row : c.rows)
            Add(row.c_str());
        m_list.PopulateList();
        Pick(c.picks);
        Texts expected;
        for (const std::string& row : c.rows)
            if (std::find(c.picks.begin(), c.picks.end(), row) != c.picks.end())
                expected.push_back(row);
        EXPECT_EQ(expected, Shown());
        // Typing over the box ends the picks: the typed filter rules again.
        CString typed = "A";
        m_list.SetVisibleColumnFilter(0, typed, 0);
        for (const std::string& text : Shown())
            EXPECT_EQ('A', text[0]) << text;
        ExpectInvariants();
    }
}
