// The extended grid keeps its cells' texts itself and the platform list asks for them: whatever
// the host reads back through the list (the base GetItemText, a find by text) must be the cell's
// own text, following its row when rows go, empty where a row has no cell.
#include "TestHost.h"
#include "TestSupport.h"
#include "xgrid/XListCtrl.h"

#include <string>

class XGridCellTextTest : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        ASSERT_TRUE(m_parent.CreateRecorder(nullptr, CRect(20, 20, 520, 420)));
        ASSERT_TRUE(m_grid.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 480, 360), &m_parent, 710));
        m_grid.InsertColumn(0, "Symbol", LVCFMT_LEFT, 120);
        m_grid.InsertColumn(1, "Price", LVCFMT_RIGHT, 80);
    }
    void TearDown() override
    {
        m_grid.DestroyWindow();
        m_parent.DestroyWindow();
        HostTest::TearDown();
    }
    std::string BaseText(int nItem, int nSubItem)
    {
        return (LPCTSTR)static_cast<CListCtrl&>(m_grid).GetItemText(nItem, nSubItem);
    }

    CMessageRecorder m_parent;
    CXListCtrl m_grid;
};

TEST_F(XGridCellTextTest, TheListReadsEachCellsOwnText)
{
    const struct
    {
        const char* name;
        std::string text;
    } cases[] = {
        { "empty", "" },
        { "plain", "1,234.50" },
        { "code-page letters", "Soci\xe9t\xe9 G\xe9n\xe9rale" },
        { "100 KB", std::string(100 * 1024, '7') + "end" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        m_grid.DeleteAllItems();
        ASSERT_EQ(0, m_grid.InsertItem(0, "RELIANCE"));
        ASSERT_EQ(1, m_grid.InsertItem(1, c.text.c_str(), RGB(0, 0, 0), RGB(255, 255, 255)));
        ASSERT_TRUE(m_grid.SetItemText(0, 1, c.text.c_str()));
        ASSERT_TRUE(m_grid.SetItemText(1, 1, "2,000.00", (COLORREF)-1, (COLORREF)-1));
        EXPECT_EQ("RELIANCE", BaseText(0, 0));
        EXPECT_EQ(c.text, BaseText(0, 1));
        EXPECT_EQ(c.text, BaseText(1, 0));
        EXPECT_EQ("2,000.00", BaseText(1, 1));
    }
}

TEST_F(XGridCellTextTest, TextsFollowTheirRowsAndRowsWithoutACellReadEmpty)
{
    const char* const symbols[] = { "INFY", "TCS", "HDFC" };
    for (int r = 0; r < 3; ++r)
    {
        m_grid.InsertItem(r, symbols[r]);
        m_grid.SetItemText(r, 1, std::to_string(100 * (r + 1)).c_str());
    }
    ASSERT_TRUE(m_grid.DeleteItem(0));
    m_grid.InsertColumn(2, "Volume", LVCFMT_RIGHT, 80);   // older rows have no cell there
    m_grid.InsertItem(2, "ITC");
    EXPECT_TRUE(m_grid.SetItemText(2, 2, "5000"));
    EXPECT_FALSE(m_grid.SetItemText(0, 2, "1"));

    const struct { int nItem, nSubItem; const char* text; } expected[] = {
        { 0, 0, "TCS" }, { 0, 1, "200" }, { 0, 2, "" }, { 1, 0, "HDFC" }, { 1, 1, "300" },
        { 2, 0, "ITC" }, { 2, 1, "" },    { 2, 2, "5000" },
    };
    for (const auto& e : expected)
        EXPECT_EQ(e.text, BaseText(e.nItem, e.nSubItem)) << "row " << e.nItem << " column " << e.nSubItem;

    LVFINDINFOA find = {};
    find.flags = LVFI_STRING;
    find.psz = "HDFC";
    EXPECT_EQ(1, (int)m_grid.SendMessage(LVM_FINDITEMA, (WPARAM)-1, (LPARAM)&find));
}
