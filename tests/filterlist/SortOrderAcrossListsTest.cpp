// The filter list and the common list put the same texts in the same order under the same header
// arrow: dates ascend with the arrow, decimal columns holding "nan" and infinities are ordered
// (not-a-number together at the low end, infinities at theirs). Both lists are sorted by a real
// column click and read back as the platform shows them.
#include "FilterListFixture.h"

#include <algorithm>

namespace
{
struct sOrderCase
{
    const char* pszName;
    int nDataType;
    std::vector<std::string> input;
    // Ascending order in groups of equal values (a group's texts may come in either order).
    std::vector<std::vector<std::string>> ascending;
};

// The group index of each shown text; a text found in no group is -1.
std::vector<int> Groups(const std::vector<std::string>& shown, const std::vector<std::vector<std::string>>& groups)
{
    std::vector<int> ranks;
    for (const std::string& text : shown)
    {
        int nRank = -1;
        for (size_t g = 0; g < groups.size(); ++g)
            if (std::find(groups[g].begin(), groups[g].end(), text) != groups[g].end())
                nRank = (int)g;
        ranks.push_back(nRank);
    }
    return ranks;
}

std::vector<std::string> CommonListColumn(CListCtrl& list, int nSubItem)
{
    std::vector<std::string> texts;
    for (int r = 0; r < list.GetItemCount(); ++r)
        texts.push_back((LPCTSTR)list.CListCtrl::GetItemText(r, nSubItem));
    return texts;
}
}  // namespace

TEST_F(FilterListTest, BothListsOrderDatesAndOddNumbersAlike)
{
    const sOrderCase cases[] = {
        { "dates", 6,
          { "02/01/2024 10:00", "01/01/2024", "not a date", "31/12/2023 23:59:59" },
          { { "not a date" }, { "31/12/2023 23:59:59" }, { "01/01/2024" }, { "02/01/2024 10:00" } } },
        { "decimals with nan and infinities", 2,
          { "5", "nan", "inf", "-inf", "-3", "NAN", "1e999", "-1e999", "0.5", "nan(1)" },
          { { "nan(1)", "NAN", "nan" }, { "-1e999", "-inf" }, { "-3" }, { "0.5" }, { "5" }, { "1e999", "inf" } } },
    };
    Build();
    for (const sOrderCase& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        // The filter list: the price column takes the case's texts and type.
        m_list.DeleteAllItems();
        m_rows.clear();
        m_list.m_arrColInfo[1].nDataType = c.nDataType;
        for (size_t i = 0; i < c.input.size(); ++i)
            ASSERT_EQ(1, Add(("R" + std::to_string(i)).c_str(), c.input[i].c_str()));

        // The common list beside it, same column, same texts.
        CCommonListCtrl common;
        ASSERT_TRUE(common.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 300, 200), &m_host, 1002));
        for (int col = 0; col < 2; ++col)
        {
            sOrvoColInfo info = {};
            strlcpy(info.szColName, col == 0 ? "Key" : "Value", sizeof(info.szColName));
            info.nWidth = 80;
            info.nDataType = col == 0 ? 8 : c.nDataType;
            common.m_arrColInfo.Add(info);
        }
        common.m_csListName = "SortTwin";
        common.InsertColumnsForList(nullptr);
        for (size_t i = 0; i < c.input.size(); ++i)
        {
            common.InsertItem(LVIF_TEXT | LVIF_PARAM, (int)i, ("R" + std::to_string(i)).c_str(), 0, 0, 0, 1000 + (LPARAM)i);
            common.SetItemText((int)i, 1, c.input[i].c_str());
        }

        std::vector<int> ascending, descending;
        for (size_t g = 0; g < c.ascending.size(); ++g)
            ascending.insert(ascending.end(), c.ascending[g].size(), (int)g);
        descending.assign(ascending.rbegin(), ascending.rend());
        ColumnClick(m_list, 1);
        ColumnClick(common, 1);
        Pump();
        EXPECT_EQ(ascending, Groups(Shown(1), c.ascending)) << "filter list, ascending";
        EXPECT_EQ(ascending, Groups(CommonListColumn(common, 1), c.ascending)) << "common list, ascending";
        ColumnClick(m_list, 1);
        ColumnClick(common, 1);
        Pump();
        EXPECT_EQ(descending, Groups(Shown(1), c.ascending)) << "filter list, descending";
        EXPECT_EQ(descending, Groups(CommonListColumn(common, 1), c.ascending)) << "common list, descending";
        common.DestroyWindow();
        // The next case starts with a first click again.
        m_list.m_nPrevSortColumn = -1;
    }
}
