// Building the header of a real grid: from the defaults or with the profile option off (stored
// profiles are in tests/profiles); LoadHeaders and the rebuilt message; the blank header image;
// the list registry.
#include "ListFixture.h"

#include <algorithm>

namespace
{
const std::initializer_list<sTestColumn> kABC = { { "A", 41, 0, LIST_SORT_TEXT },
                                                  { "B", 42, 0x800, LIST_SORT_TEXT },
                                                  { "C", 43, 0, LIST_SORT_TEXT } };
}

TEST_F(ListTest, HeaderFromTheDefaultsTheProfileOrEveryColumn)
{
    // profile: nullptr: none stored
    struct Case { const char* name; std::vector<int> defaults; const char* profile; bool bProfileOption; Texts header; std::vector<int> widths; } const cases[] = {
        { "every column in order", {}, nullptr, true, { "A", "B", "C" }, { 41, 42, 43 } },
        { "profile ignored with the option off", {}, "0,-1,0,1,0,50", false, { "A", "B", "C" }, { 41, 42, 43 } },
        { "defaults by column index", { 2, 0 }, nullptr, true, { "C", "A" }, { 43, 41 } },
        { "a profile wins over the defaults", { 2, 0 }, "0,0,50,1,1,50,2,-1,0", true, { "A", "B" }, { 50, 50 } },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        TestHost::Calls().clear();
        CArray<int, int> defaults;
        for (int d : c.defaults)
            defaults.Add(d);
        if (!c.defaults.empty()) { EXPECT_EQ(1, m_list.SetDefaultCols(defaults)); }
        EXPECT_EQ(0, m_list.SetDefaultCols(0, nullptr));   // refused: the defaults stay
        if (c.profile)
            TestHost::Settings()[{ "TestGrid", "COLUMNPROFILE" }] = c.profile;
        else
            TestHost::Settings().erase({ "TestGrid", "COLUMNPROFILE" });
        m_list.m_bColumnProfile = c.bProfileOption;
        BuildColumns(kABC);
        EXPECT_EQ(c.header, HeaderTexts());
        for (size_t i = 0; i < c.widths.size(); ++i)
            EXPECT_EQ(c.widths[i], m_list.GetColumnWidth((int)i));
        if (c.profile == nullptr && c.defaults.empty())
        {
            EXPECT_EQ(1, std::count(TestHost::Calls().begin(), TestHost::Calls().end(),
                                    std::string("UserSetting(0,TestGrid,COLUMNPROFILE)")));
        }
    }
    // The blank header image marks the 0x800 format.
    EXPECT_EQ(-1, HeaderImage(0));
    EXPECT_EQ(2, HeaderImage(1));
}

TEST_F(ListTest, LoadHeadersRebuildsAndTellsTheDialog)
{
    BuildColumns(kABC);
    EXPECT_TRUE(m_dialog.m_rebuilt.empty());
    CArray<int, int> columns, widths;
    columns.Add(1);
    columns.Add(2);
    widths.Add(77);
    widths.Add(66);
    m_list.LoadHeaders(columns, widths);
    EXPECT_EQ((Texts{ "B", "C" }), HeaderTexts());
    EXPECT_EQ(77, m_list.GetColumnWidth(0));
    EXPECT_EQ((std::vector<WPARAM>{ 1001 }), m_dialog.m_rebuilt);
    // A grouped list tells its immediate parent, here the same dialog.
    m_list.m_bGroupedList = true;
    m_list.LoadHeaders(columns, widths);
    EXPECT_EQ((std::vector<WPARAM>{ 1001, 1001 }), m_dialog.m_rebuilt);
}

TEST_F(ListTest, ListsInDialogsJoinTheRegistryUntilDestroyed)
{
    auto& lists = CCommonListCtrl::RegisteredLists();
    EXPECT_NE(nullptr, lists.Find(&m_list));
    EXPECT_EQ(&m_dialog, CCommonListCtrl::GetListCtrlDlgParent(&m_list));
    {
        CCommonListCtrl loose, inDialog;
        ASSERT_TRUE(loose.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 50, 50), &m_frame, 7));
        EXPECT_EQ(nullptr, CCommonListCtrl::GetListCtrlDlgParent(&loose));
        EXPECT_EQ(nullptr, lists.Find(&loose));
        ASSERT_TRUE(inDialog.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 50, 50), &m_dialog, 8));
        EXPECT_NE(nullptr, lists.Find(&inDialog));
        inDialog.DestroyWindow();
        loose.DestroyWindow();
    }
    ASSERT_EQ(1, (int)lists.GetCount());   // only the fixture's list is left
    EXPECT_EQ(&m_list, lists.GetHead());
}
