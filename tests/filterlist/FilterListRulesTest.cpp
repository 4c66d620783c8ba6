// The rows a filter list shows agree with what its header says: the filter boxes, the sort arrow
// and the checked count, through the operations that used to leave them out of step (quotes after
// an exact filter, a hidden column's filter, filter mode off and on, a re-filter of sorted rows,
// checks cleared and checked rows deleted, the filter store emptied before new rows).
#include "FilterListFixture.h"

#include <algorithm>

using Texts = std::vector<std::string>;

class FilterListRulesTest : public FilterListTest
{
protected:
    void Rows(std::initializer_list<const char*> symbols, const char* exchange = "NSE")
    {
        int i = 0;
        for (const char* s : symbols)
            ASSERT_EQ(1, Add(s, std::to_string(10 + i++).c_str(), exchange)) << s;
    }
    int MapIndexOf(const char* symbol)
    {
        Texts symbols = MapSymbols();
        return (int)(std::find(symbols.begin(), symbols.end(), symbol) - symbols.begin());
    }
    std::string HeaderText(int nPosition)
    {
        char buffer[128] = "";
        HDITEMA item = {};
        item.mask = HDI_TEXT;
        item.pszText = buffer;
        item.cchTextMax = sizeof(buffer);
        m_list.GetHeaderCtrl()->GetItem(nPosition, &item);
        return buffer;
    }
};

TEST_F(FilterListRulesTest, EmptiedStoreTakesNewRowsWithoutBlankOnes)
{
    Build();
    Rows({ "A", "B", "C" });
    m_list.FreeFilterStore();
    Rows({ "N0", "N1" });
    Pump();
    ExpectInvariants();
    EXPECT_EQ(Texts({ "N0", "N1" }), Shown());
}

TEST_F(FilterListRulesTest, AnExactHostFilterStaysExactForQuotes)
{
    Build();
    Rows({ "REL", "RELIANCE", "INFY" });
    Row(1)->symbol = "X";   // RELIANCE starts as something else...
    m_list.RepaintMapItem(1);
    CString text = "REL";
    m_list.SetMapColumnFilter(0, text, 1);
    EXPECT_EQ(Texts({ "REL" }), Shown());
    Row(1)->symbol = "RELIANCE";   // ...and a quote brings its real name
    m_list.RepaintMapItem(1);
    m_list.SetItemData(0, m_list.GetItemData(0));
    EXPECT_EQ(Texts({ "REL" }), Shown());
    // The next populate matches as the menu says (prefixes), as it always did.
    m_list.PopulateList();
    EXPECT_EQ(Texts({ "REL", "RELIANCE" }), Shown());
}

TEST_F(FilterListRulesTest, AHiddenColumnsFilterKeepsPositionZerosFilter)
{
    Build();
    Rows({ "RELIANCE", "INFY" }, "NSE");
    Rows({ "RELCAP", "TCS" }, "BSE");
    CString rel = "REL";
    m_list.SetVisibleColumnFilter(0, rel, 0);
    EXPECT_EQ(Texts({ "RELIANCE", "RELCAP" }), Shown());
    m_list.DeleteColumn(2);   // the exchange column hidden, as a profile hides it
    m_list.m_arrColPosition[2] = -1;
    m_list.m_arrVisibleColumns.RemoveAt(2);
    CString bse = "BSE";
    m_list.SetMapColumnFilter(2, bse, 0);
    EXPECT_EQ(Texts({ "RELCAP" }), Shown());
    CString box;
    m_list.GetHeaderText(0, box);
    EXPECT_EQ("REL", std::string((LPCTSTR)box));
    EXPECT_EQ(2, m_list.GetFilterCount());
}

TEST_F(FilterListRulesTest, FilterModeOffAndOnLeavesNoFilterNoBoxShows)
{
    Build();
    Rows({ "RELIANCE", "INFY", "RELCAP" });
    CString rel = "REL";
    m_list.SetVisibleColumnFilter(0, rel, 0);
    EXPECT_EQ(Texts({ "RELIANCE", "RELCAP" }), Shown());
    m_list.SetUseFilter(FALSE);
    m_list.SetUseFilter(TRUE);
    Pump();
    EXPECT_EQ(0, m_list.GetFilterCount());
    EXPECT_EQ(Texts({ "RELIANCE", "INFY", "RELCAP" }), Shown());
    m_list.PopulateList();
    EXPECT_EQ(Texts({ "RELIANCE", "INFY", "RELCAP" }), Shown());
    ExpectInvariants();
}

TEST_F(FilterListRulesTest, ARefilterKeepsTheSortTheArrowShows)
{
    Build();
    m_list.m_arrColInfo[0].nDataType = 3;   // natural text
    Rows({ "C", "A", "D", "B", "AA" });
    NMLISTVIEW view = {};
    view.hdr.hwndFrom = m_list.m_hWnd;
    view.hdr.idFrom = 1001;
    view.hdr.code = LVN_COLUMNCLICK;
    view.iSubItem = 0;
    m_host.SendMessage(WM_NOTIFY, 1001, (LPARAM)&view);   
    const Texts sorted = Shown();
    ASSERT_NE(Texts({ "C", "A", "D", "B", "AA" }), sorted);
    CString a = "A~B~C~D";
    m_list.SetVisibleColumnFilter(0, a, 0);   // every row passes: the order must not change
    EXPECT_EQ(sorted, Shown());
    CString notB = "A~C~D";
    m_list.SetVisibleColumnFilter(0, notB, 0);
    Texts expected = sorted;
    expected.erase(std::find(expected.begin(), expected.end(), "B"));
    EXPECT_EQ(expected, Shown());
    ExpectInvariants();
}

TEST_F(FilterListRulesTest, TheCheckedCountFollowsResetsAndDeletes)
{
    Build();
    m_list.m_bSortOnChecked = true;
    Rows({ "A", "B", "C", "D" });
    m_list.SetMapItemCheck(0, 1);
    m_list.SetMapItemCheck(2, 1);
    m_list.SetMapItemCheck(3, 1);
    m_list.SortOnChecked();
    EXPECT_EQ("Symbol (3 / 4)", HeaderText(0));
    m_list.DeleteMapItem(MapIndexOf("C"));
    Pump();
    EXPECT_EQ("Symbol (2 / 3)", HeaderText(0));
    m_list.ResetCheckedItems();
    Pump();
    EXPECT_EQ("Symbol (0 / 3)", HeaderText(0));
}
