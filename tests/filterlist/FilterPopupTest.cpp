// The filter value popup, opened from a header filter button and driven by list-box messages.
#include "FilterListFixture.h"
#include "filter/FilterText.h"
#include "resources/FilterTextRes.h"

using Texts = std::vector<std::string>;

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
        Add("TCS", "3400", "nse");      // same value in another case: one entry
        Add("WIPRO", "400", "");        // empty: no entry
        Add("ITC", "450", "MCX");
        m_list.PutListFilter();
        m_frame.SetForegroundWindow();
        Pump(20);
    }
    void TearDown() override
    {
        CFilterText& popup = CFilterText::Get();
        if (popup.GetSafeHwnd() != nullptr)
            popup.ShowWindow(SW_HIDE);
        FilterListTest::TearDown();
    }
    CFilterText* ClickButton(int nPosition)
    {
        CPoint pt = FilterButtonPoint(nPosition);
        m_list.GetColorHeader().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        m_list.GetColorHeader().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        Pump(20);
        return &CFilterText::Get();
    }
    Texts Values(CFilterText* pPopup)
    {
        Texts values;
        CListBox& box = pPopup->GetValueList();
        for (int i = 0; i < box.GetCount(); ++i)
        {
            CString text;
            box.GetText(i, text);
            values.push_back((LPCTSTR)text);
        }
        return values;
    }
    void Select(CFilterText* pPopup, std::initializer_list<int> rows)
    {
        for (int r : rows)
            pPopup->GetValueList().SendMessage(LB_SETSEL, TRUE, r);
    }
};

TEST_F(FilterPopupTest, ButtonOpensTheValuesOfTheColumnAndEnterFilters)
{
    m_host.Clear();
    CFilterText* pPopup = ClickButton(2);
    ASSERT_NE(nullptr, pPopup->GetSafeHwnd());
    EXPECT_TRUE(pPopup->IsWindowVisible());
    EXPECT_EQ(1u, m_host.Count(WM_NOTIFY, HDN_FILTERBTNCLICK));   // the host heard the click
    EXPECT_EQ(Texts({ "NSE", "BSE", "MCX" }), Values(pPopup));
    EXPECT_EQ(500, pPopup->GetValueList().GetHorizontalExtent());
    // The popup opens at the mouse position.
    CPoint cursor;
    ::GetCursorPos(&cursor);
    CRect rc;
    pPopup->GetWindowRect(&rc);
    EXPECT_EQ(cursor, rc.TopLeft());
    // Two values picked, Enter: "BSE~MCX" goes into the exchange box and the rows follow.
    Select(pPopup, { 1, 2 });
    pPopup->GetValueList().SetFocus();
    pPopup->GetValueList().PostMessage(WM_KEYDOWN, VK_RETURN, 0);
    Pump(20);
    EXPECT_FALSE(pPopup->IsWindowVisible());
    CString box;
    m_list.GetHeaderText(2, box);
    EXPECT_STREQ("BSE~MCX", box);
    EXPECT_EQ(Texts({ "RELCAP", "ITC" }), Shown());
    ExpectInvariants();
}

TEST_F(FilterPopupTest, DoubleClickTakesTheSelectionAndSkipsContainedValues)
{
    Add("REL", "1", "X");
    CFilterText* pPopup = ClickButton(0);
    EXPECT_EQ(Texts({ "RELIANCE", "INFY", "RELCAP", "TCS", "WIPRO", "ITC", "REL" }), Values(pPopup));
    // "REL" occurs inside "RELIANCE": it is not added again.
    Select(pPopup, { 0, 6, 3 });
    EXPECT_STREQ("RELIANCE~TCS", pPopup->BuildFilterText());
    CListBox& values = pPopup->GetValueList();
    CRect rcItem;
    values.SendMessage(LB_GETITEMRECT, 0, (LPARAM)&rcItem);
    values.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(rcItem.left + 3, rcItem.top + 2));
    values.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(rcItem.left + 3, rcItem.top + 2));
    Pump(20);
    EXPECT_FALSE(pPopup->IsWindowVisible());
    CString box;
    m_list.GetHeaderText(0, box);
    EXPECT_STREQ("RELIANCE~TCS", box);
    // The rows are exactly the picked values, REL included.
    EXPECT_EQ(Texts({ "RELIANCE", "TCS", "REL" }), Shown());
}

TEST_F(FilterPopupTest, OnlyShownRowsOfferValuesAndNothingSelectedDoesNothing)
{
    CString text = "REL";
    m_list.SetVisibleColumnFilter(0, text, 0);
    CFilterText* pPopup = ClickButton(2);
    EXPECT_EQ(Texts({ "NSE", "BSE" }), Values(pPopup));
    pPopup->ApplySelection();                 // nothing selected
    EXPECT_TRUE(pPopup->IsWindowVisible());
    CString box;
    m_list.GetHeaderText(2, box);
    EXPECT_STREQ("", box);
    // Losing activation hides it.
    m_frame.SetForegroundWindow();
    ::SetActiveWindow(m_frame.m_hWnd);
    Pump(20);
    EXPECT_FALSE(pPopup->IsWindowVisible());
}

TEST_F(FilterPopupTest, RowsDeletedOrListDestroyedWhileOpen)
{
    CFilterText* pPopup = ClickButton(0);
    ASSERT_EQ(6u, Values(pPopup).size());
    // Rows go while the popup is open: its texts are its own.
    m_list.DeleteAllItems();
    Select(pPopup, { 1 });
    pPopup->ApplySelection();
    CString box;
    m_list.GetHeaderText(0, box);
    EXPECT_STREQ("INFY", box);
    ExpectInvariants();
    // The list goes while the popup is open: the popup forgets it.
    pPopup = ClickButton(1);
    EXPECT_EQ(0u, Values(pPopup).size());
    m_list.DestroyWindow();
    EXPECT_FALSE(pPopup->IsWindowVisible());
    EXPECT_EQ(nullptr, pPopup->m_pList);
    pPopup->ApplySelection();   // nothing to apply to
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
    EXPECT_EQ(0, combo.GetCurSel());
    EXPECT_EQ(0, m_list.PopulateComboBoxWithUniques(nullptr, 2));
    combo.DestroyWindow();
}
