// Building the header of a real grid: from the defaults or with the profile option off (stored
// profiles are in tests/profiles); LoadHeaders and the rebuilt message; fitting columns; the blank
// header image; the list registry.
#include "ListFixture.h"

#include <algorithm>

using Texts = std::vector<std::string>;

namespace
{
void SetProfile(const char* value)
{
    TestHost::Settings()[{ "TestGrid", "COLUMNPROFILE" }] = value;
}
}  // namespace

TEST_F(ListTest, WithoutProfileEveryColumnIsShownInOrder)
{
    BuildColumns({ { "Symbol", 70, 0, LIST_SORT_TEXT }, { "Last", 55, 1, LIST_SORT_DECIMAL }, { "Volume", 65, 1, LIST_SORT_INTEGER } });
    EXPECT_EQ((Texts{ "Symbol", "Last", "Volume" }), HeaderTexts());
    EXPECT_EQ(55, m_list.GetColumnWidth(1));
    ASSERT_EQ(3, m_list.m_arrVisibleColumns.GetSize());
    EXPECT_EQ(2, m_list.m_arrVisibleColumns[2].nColumn);
    EXPECT_EQ(3, m_list.m_nBuiltInColumns);
    EXPECT_EQ(1, std::count(TestHost::Calls().begin(), TestHost::Calls().end(),
                            std::string("UserSetting(0,TestGrid,COLUMNPROFILE)")));
}

TEST_F(ListTest, DefaultColumnsDecideWithoutProfile)
{
    CArray<int, int> defaults;
    defaults.Add(2);
    defaults.Add(0);
    EXPECT_EQ(1, m_list.SetDefaultCols(defaults));
    EXPECT_EQ(0, m_list.SetDefaultCols(0, nullptr));
    BuildColumns({ { "A", 41, 0, LIST_SORT_TEXT }, { "B", 42, 0, LIST_SORT_TEXT }, { "C", 43, 0, LIST_SORT_TEXT } });
    EXPECT_EQ((Texts{ "C", "A" }), HeaderTexts());
    EXPECT_EQ(43, m_list.GetColumnWidth(0));
    EXPECT_EQ(-1, m_list.m_arrColPosition[1]);

    // A profile wins over the defaults.
    SetProfile("0,0,50,1,1,50,2,-1,0");
    BuildColumns({ { "A", 41, 0, LIST_SORT_TEXT }, { "B", 42, 0, LIST_SORT_TEXT }, { "C", 43, 0, LIST_SORT_TEXT } });
    EXPECT_EQ((Texts{ "A", "B" }), HeaderTexts());
}

TEST_F(ListTest, ProfileIgnoredWhenTheOptionIsOff)
{
    SetProfile("0,-1,0,1,0,50");
    m_list.m_bColumnProfile = 0;
    BuildColumns({ { "A", 41, 0, LIST_SORT_TEXT }, { "B", 42, 0, LIST_SORT_TEXT } });
    EXPECT_EQ((Texts{ "A", "B" }), HeaderTexts());
}

TEST_F(ListTest, LoadHeadersRebuildsAndTellsTheDialog)
{
    BuildColumns({ { "A", 41, 0, LIST_SORT_TEXT }, { "B", 42, 0, LIST_SORT_TEXT }, { "C", 43, 0, LIST_SORT_TEXT } });
    EXPECT_TRUE(m_dialog.m_rebuilt.empty());
    CArray<int, int> columns, widths;
    columns.Add(1);
    columns.Add(2);
    widths.Add(77);
    widths.Add(66);
    m_list.LoadHeaders(columns, widths);
    EXPECT_EQ((Texts{ "B", "C" }), HeaderTexts());
    EXPECT_EQ(77, m_list.GetColumnWidth(0));
    EXPECT_EQ(-1, m_list.m_arrColPosition[0]);
    EXPECT_EQ(0, m_list.m_arrColWidth[0]);
    EXPECT_EQ(1, m_list.m_nFirstVisibleColumn);
    EXPECT_EQ((std::vector<WPARAM>{ 1001 }), m_dialog.m_rebuilt);

    // A grouped list tells its immediate parent, here the same dialog.
    m_list.m_bGroupedList = true;
    m_list.LoadHeaders(columns, widths);
    EXPECT_EQ((std::vector<WPARAM>{ 1001, 1001 }), m_dialog.m_rebuilt);
}

TEST_F(ListTest, FitCommandsSizeEveryColumn)
{
    BuildColumns({ { "A", 200, 0, LIST_SORT_TEXT }, { "A rather long heading", 10, 0, LIST_SORT_TEXT } });
    AddRow({ "x", "y" });
    m_list.ColFitToContent();
    EXPECT_EQ(50, m_list.GetColumnWidth(0)) << "short data: the 50-pixel floor";
    m_list.ColFitToHeader();
    EXPECT_GT(m_list.GetColumnWidth(1), 50);

    CRect client;
    m_list.GetClientRect(&client);
    m_list.ColFitToWindow();
    EXPECT_EQ(client.Width() / 2, m_list.GetColumnWidth(0));
    EXPECT_EQ(client.Width() / 2, m_list.GetColumnWidth(1));

    m_list.MoveWindow(0, 0, 0, 0);
    m_list.ColFitToWindow();
    EXPECT_EQ(50, m_list.GetColumnWidth(0));
    EXPECT_EQ(50, m_list.GetColumnWidth(1));
}

TEST_F(ListTest, HeaderShowsTheLibraryImagesAndTheBlankOneByFormat)
{
    EXPECT_EQ(CCommonListCtrl::GetHeaderImageList()->GetSafeHandle(),
              m_list.GetHeaderCtrl()->GetImageList()->GetSafeHandle());
    BuildColumns({ { "A", 60, 0, LIST_SORT_TEXT }, { "B", 60, 0x800, LIST_SORT_TEXT } });
    EXPECT_EQ(-1, HeaderImage(0));
    EXPECT_EQ(2, HeaderImage(1));
}

TEST_F(ListTest, ListsInDialogsJoinTheRegistryUntilDestroyed)
{
    auto& lists = CCommonListCtrl::RegisteredLists();
    EXPECT_NE(nullptr, lists.Find(&m_list));
    EXPECT_EQ(&m_dialog, CCommonListCtrl::GetListCtrlDlgParent(&m_list));
    {
        CCommonListCtrl loose;
        ASSERT_TRUE(loose.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 50, 50), &m_frame, 7));
        EXPECT_EQ(nullptr, CCommonListCtrl::GetListCtrlDlgParent(&loose));
        EXPECT_EQ(nullptr, lists.Find(&loose));
        CCommonListCtrl inDialog;
        ASSERT_TRUE(inDialog.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 50, 50), &m_dialog, 8));
        EXPECT_NE(nullptr, lists.Find(&inDialog));
        inDialog.DestroyWindow();
        loose.DestroyWindow();
    }
    for (POSITION pos = lists.GetHeadPosition(); pos != nullptr;)
    {
        CCommonListCtrl* pList = lists.GetNext(pos);
        EXPECT_EQ(&m_list, pList) << "only the fixture's list is left";
    }
}

TEST_F(ListTest, InitialisationSetsStylesAndColours)
{
    DWORD ex = m_list.GetExtendedStyle();
    EXPECT_TRUE(ex & LVS_EX_FULLROWSELECT);
    EXPECT_TRUE(ex & LVS_EX_HEADERDRAGDROP);
    EXPECT_EQ(RGB(0, 255, 0), m_list.GetTextColor());
    EXPECT_EQ(RGB(0, 0, 0), m_list.GetBkColor());
    EXPECT_EQ(RGB(0, 0, 0), m_list.GetTextBkColor());
    EXPECT_EQ(-1, m_list.GetSortOrder());
}
