// The filter value popup, opened from a header filter button and driven by list-box messages:
// the values it offers, and picked values showing exactly the rows holding them, whatever they
// contain ("*", "~", ">", "<"), when one begins another, and beyond the 255 characters of a box.
#include "FilterListFixture.h"
#include "filter/FilterText.h"

#include <algorithm>

class FilterPopupTest : public FilterListTest
{
protected:
    void SetUp() override
    {
        FilterListTest::SetUp();
        Build();
        Add("RELIANCE", "2500", "NSE");
        Add("INFY", "1500", "NSE");
        Add("RELCAP", "12", "BSE");
        Add("TCS", "3400", "nse");   // same value in another case: one entry
        Add("WIPRO", "400", "");     // empty: no entry
        Add("ITC", "450", "MCX");
        m_list.PutListFilter();
        m_frame.SetForegroundWindow();
        Pump(20);
    }
    void TearDown() override
    {
        if (Popup().GetSafeHwnd() != nullptr)
            Popup().ShowWindow(SW_HIDE);
        FilterListTest::TearDown();
    }
    CFilterText& Popup() { return CFilterText::Get(); }
    CFilterText& ClickButton(int nPosition)
    {
        CPoint pt = FilterRowPoint(nPosition, true);
        m_list.GetColorHeader().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        m_list.GetColorHeader().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        Pump(20);
        return Popup();
    }
    Texts Values()
    {
        Texts values;
        CListBox& box = Popup().GetValueList();
        for (int i = 0; i < box.GetCount(); ++i)
        {
            CString text;
            box.GetText(i, text);
            values.push_back((LPCTSTR)text);
        }
        return values;
    }
    // Selects the offered values that are among the picks.
    void Pick(const Texts& picks)
    {
        Texts values = Values();
        for (size_t i = 0; i < values.size(); ++i)
            if (std::find(picks.begin(), picks.end(), values[i]) != picks.end())
                Popup().GetValueList().SendMessage(LB_SETSEL, TRUE, (LPARAM)i);
    }
    void PressEnter()
    {
        Popup().GetValueList().SetFocus();
        Popup().GetValueList().PostMessage(WM_KEYDOWN, VK_RETURN, 0);
        Pump(20);
    }
};

TEST_F(FilterPopupTest, PickedValuesShowExactlyTheirRows)
{
    Texts many;
    for (int i = 0; i < 40; ++i)
        many.push_back("INSTRUMENT" + std::to_string(100 + i));   // 40 x 13 characters
    const struct
    {
        const char* pszName;
        Texts rows;
        Texts picks;
    } cases[] = {
        { "values that look like syntax", { "*X", "AX", ">5", "7", "A~B", "A", "B", "<1", "0" }, { "*X", ">5", "A~B", "<1" } },
        { "a value that begins another", { "ABC", "AB", "ABD", "A" }, { "ABC", "AB" } },
        { "more picks than a box holds", many, Texts(many.begin(), many.end() - 1) },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        m_list.RemoveAllFilters();
        Refill(c.rows);
        m_list.PopulateList();
        ClickButton(0);
        ASSERT_TRUE(Popup().IsWindowVisible());
        Pick(c.picks);
        PressEnter();
        Texts expected;
        for (const std::string& row : c.rows)
            if (std::find(c.picks.begin(), c.picks.end(), row) != c.picks.end())
                expected.push_back(row);
        EXPECT_EQ(expected, Shown());
        // Typing over the box ends the picks: the typed filter rules again.
        Filter(0, "A");
        for (const std::string& text : Shown())
            EXPECT_EQ('A', text[0]) << text;
        ExpectInvariants();
    }
}

TEST_F(FilterPopupTest, ButtonOpensTheValuesOfTheColumnAndEnterFilters)
{
    m_host.Clear();
    CFilterText& popup = ClickButton(2);
    EXPECT_TRUE(popup.IsWindowVisible());
    EXPECT_EQ(1u, m_host.Count(WM_NOTIFY, HDN_FILTERBTNCLICK));   // the host heard the click
    EXPECT_EQ(Texts({ "NSE", "BSE", "MCX" }), Values());
    Pick({ "BSE", "MCX" });
    PressEnter();
    EXPECT_FALSE(popup.IsWindowVisible());
    EXPECT_EQ("BSE~MCX", FilterBox(2));
    EXPECT_EQ(Texts({ "RELCAP", "ITC" }), Shown());
    ExpectInvariants();
}

TEST_F(FilterPopupTest, DoubleClickTakesTheSelectionAndSkipsContainedValues)
{
    Add("REL", "1", "X");
    CFilterText& popup = ClickButton(0);
    EXPECT_EQ(Texts({ "RELIANCE", "INFY", "RELCAP", "TCS", "WIPRO", "ITC", "REL" }), Values());
    // "REL" occurs inside "RELIANCE": it is not added again.
    Pick({ "RELIANCE", "REL", "TCS" });
    EXPECT_STREQ("RELIANCE~TCS", popup.BuildFilterText());
    CRect rcItem;
    popup.GetValueList().SendMessage(LB_GETITEMRECT, 0, (LPARAM)&rcItem);
    popup.GetValueList().SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(rcItem.left + 3, rcItem.top + 2));
    popup.GetValueList().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(rcItem.left + 3, rcItem.top + 2));
    Pump(20);
    EXPECT_FALSE(popup.IsWindowVisible());
    EXPECT_EQ("RELIANCE~TCS", FilterBox(0));
    EXPECT_EQ(Texts({ "RELIANCE", "TCS", "REL" }), Shown());   // exactly the picked values, REL included
}

TEST_F(FilterPopupTest, OnlyShownRowsOfferValuesAndNothingSelectedDoesNothing)
{
    Filter(0, "REL");
    CFilterText& popup = ClickButton(2);
    EXPECT_EQ(Texts({ "NSE", "BSE" }), Values());
    popup.ApplySelection();
    EXPECT_TRUE(popup.IsWindowVisible());
    EXPECT_EQ("", FilterBox(2));
    ::SetActiveWindow(m_frame.m_hWnd);   // losing activation hides it
    Pump(20);
    EXPECT_FALSE(popup.IsWindowVisible());
}

TEST_F(FilterPopupTest, RowsDeletedOrListDestroyedWhileOpen)
{
    CFilterText& popup = ClickButton(0);
    ASSERT_EQ(6u, Values().size());
    // Rows go while the popup is open: its texts are its own.
    m_list.DeleteAllItems();
    Pick({ "INFY" });
    popup.ApplySelection();
    EXPECT_EQ("INFY", FilterBox(0));
    ExpectInvariants();
    // The list goes while the popup is open: the popup forgets it.
    ClickButton(1);
    EXPECT_EQ(0u, Values().size());
    m_list.DestroyWindow();
    EXPECT_FALSE(popup.IsWindowVisible());
    EXPECT_EQ(nullptr, popup.m_pList);
    popup.ApplySelection();   // nothing to apply to
}

TEST_F(FilterPopupTest, ComboBoxOfUniquesStartsWithAll)
{
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWNLIST, CRect(0, 0, 100, 200), &m_host, 77));
    EXPECT_EQ(1, m_list.PopulateComboBoxWithUniques(&combo, 2));
    Texts items;
    for (int i = 0; i < combo.GetCount(); ++i)
    {
        CString text;
        combo.GetLBText(i, text);
        items.push_back((LPCTSTR)text);
    }
    EXPECT_EQ(Texts({ "--ALL--", "NSE", "BSE", "MCX" }), items);
    EXPECT_EQ(0, m_list.PopulateComboBoxWithUniques(nullptr, 2));
}
