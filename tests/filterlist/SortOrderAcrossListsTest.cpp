// The filter list and the common list put the same texts in the same order under the same header
// arrow: dates ascend with the arrow, decimal columns holding "nan" and infinities are ordered
// (not-a-number together at the low end, infinities at theirs). Both lists are sorted by a real
// column click and read back as the platform shows them.
#include "FilterListFixture.h"

#include <algorithm>

namespace
{
// The group index of each shown text (equal values form a group; their order is free); -1: none.
std::vector<int> Groups(const Texts& shown, const std::vector<Texts>& groups)
{
    std::vector<int> ranks;
    for (const std::string& text : shown)
    {
        auto at = std::find_if(groups.begin(), groups.end(),
                               [&](const Texts& g) { return std::find(g.begin(), g.end(), text) != g.end(); });
        ranks.push_back(at == groups.end() ? -1 : (int)(at - groups.begin()));
    }
    return ranks;
}
}  // namespace

TEST_F(FilterListTest, BothListsOrderDatesAndOddNumbersAlike)
{
    const struct { const char* pszName; int nDataType; Texts input; std::vector<Texts> ascending; } cases[] = {
        { "dates", 6,
          { "02/01/2024 10:00", "01/01/2024", "not a date", "31/12/2023 23:59:59" },
          { { "not a date" }, { "31/12/2023 23:59:59" }, { "01/01/2024" }, { "02/01/2024 10:00" } } },
        { "decimals with nan and infinities", 2,
          { "5", "nan", "inf", "-inf", "-3", "NAN", "1e999", "-1e999", "0.5", "nan(1)" },
          { { "nan(1)", "NAN", "nan" }, { "-1e999", "-inf" }, { "-3" }, { "0.5" }, { "5" }, { "1e999", "inf" } } },
    };
    Build();
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        // The filter list's price column and a common list's second column take the case's texts and type.
        Refill();
        m_list.m_arrColInfo[1].nDataType = c.nDataType;
        m_list.m_nPrevSortColumn = -1;   // the next click is a first one
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
            ASSERT_EQ(1, Add(("R" + std::to_string(i)).c_str(), c.input[i].c_str()));
            common.InsertItem(LVIF_TEXT | LVIF_PARAM, (int)i, ("R" + std::to_string(i)).c_str(), 0, 0, 0, 1000 + (LPARAM)i);
            common.SetItemText((int)i, 1, c.input[i].c_str());
        }
        std::vector<int> expected;
        for (size_t g = 0; g < c.ascending.size(); ++g)
            expected.insert(expected.end(), c.ascending[g].size(), (int)g);
        for (const char* pszOrder : { "ascending", "descending" })
        {
            ColumnClick(m_list, 1);
            ColumnClick(common, 1);
            Pump();
            Texts commonTexts;
            for (int r = 0; r < common.GetItemCount(); ++r)
                commonTexts.push_back((LPCTSTR)common.CListCtrl::GetItemText(r, 1));
            EXPECT_EQ(expected, Groups(Shown(1), c.ascending)) << "filter list, " << pszOrder;
            EXPECT_EQ(expected, Groups(commonTexts, c.ascending)) << "common list, " << pszOrder;
            std::reverse(expected.begin(), expected.end());
        }
        common.DestroyWindow();
    }
}
