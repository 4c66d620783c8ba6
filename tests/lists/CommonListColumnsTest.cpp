// Building the header of a real grid: from a saved profile, from the defaults, from bad profiles;
// LoadHeaders and the rebuilt message; fitting columns; the header images; the list registry.
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
    BuildColumns({ { "Symbol", 70, 0, 8 }, { "Last", 55, 1, 2 }, { "Volume", 65, 1, 1 } });
    EXPECT_EQ((Texts{ "Symbol", "Last", "Volume" }), HeaderTexts());
    EXPECT_EQ(55, m_list.GetColumnWidth(1));
    ASSERT_EQ(3, m_list.m_arrVisibleColumns.GetSize());
    EXPECT_EQ(2, m_list.m_arrVisibleColumns[2].nColumn);
    EXPECT_EQ(3, m_list.m_nBuiltInColumns);
    EXPECT_EQ(1, std::count(TestHost::Calls().begin(), TestHost::Calls().end(),
                            std::string("UserSetting(0,TestGrid,COLUMNPROFILE)")));
}

TEST_F(ListTest, ProfileDecidesOrderWidthsAndHiddenColumns)
{
    SetProfile("0,1,80,1,-1,0,2,0,95");
    BuildColumns({ { "A", 50, 0, 8 }, { "B", 50, 0, 8 }, { "C", 50, 0, 8 }, { "New", 60, 0, 8 } });
    EXPECT_EQ((Texts{ "C", "A" }), HeaderTexts());
    EXPECT_EQ(95, m_list.GetColumnWidth(0));
    EXPECT_EQ(80, m_list.GetColumnWidth(1));
    EXPECT_EQ(-1, m_list.m_arrColPosition[1]);
    // A column the profile does not name stays hidden, with width 100.
    EXPECT_EQ(-1, m_list.m_arrColPosition[3]);
    EXPECT_EQ(100, m_list.m_arrColWidth[3]);
    EXPECT_EQ(2, m_list.m_nFirstVisibleColumn);
    ASSERT_EQ(2, m_list.m_arrVisibleColumns.GetSize());
    EXPECT_EQ(0, m_list.m_arrVisibleColumns[0].nPosition);
    EXPECT_EQ(2, m_list.m_arrVisibleColumns[0].nColumn);
}

TEST_F(ListTest, ProfileCarriesUserDefinedColumns)
{
    SetProfile("0,0,70,1,2,60,2,1,90,Spread#\"Ask\"-\"Bid\"#Ask minus bid");
    BuildColumns({ { "Bid", 50, 1, 2 }, { "Ask", 50, 1, 2 } });
    ASSERT_EQ(3, m_list.m_arrColInfo.GetSize());
    const sOrvoColInfo& user = m_list.m_arrColInfo[2];
    EXPECT_STREQ("Spread", user.szColName);
    EXPECT_EQ(80, user.nWidth);
    EXPECT_EQ(1, user.nFormat);
    EXPECT_EQ(2, user.nDataType);
    EXPECT_EQ("\"Ask\"-\"Bid\"", std::string((LPCTSTR)user.csText1));
    EXPECT_EQ("Ask minus bid", std::string((LPCTSTR)user.csText2));
    EXPECT_EQ(2, m_list.m_nBuiltInColumns);
    EXPECT_EQ((Texts{ "Bid", "Spread", "Ask" }), HeaderTexts());
    EXPECT_EQ(90, m_list.GetColumnWidth(1));
}

TEST_F(ListTest, DefaultColumnsDecideWithoutProfile)
{
    CArray<int, int> defaults;
    defaults.Add(2);
    defaults.Add(0);
    EXPECT_EQ(1, m_list.SetDefaultCols(defaults));
    EXPECT_EQ(0, m_list.SetDefaultCols(0, nullptr));
    BuildColumns({ { "A", 41, 0, 8 }, { "B", 42, 0, 8 }, { "C", 43, 0, 8 } });
    EXPECT_EQ((Texts{ "C", "A" }), HeaderTexts());
    EXPECT_EQ(43, m_list.GetColumnWidth(0));
    EXPECT_EQ(-1, m_list.m_arrColPosition[1]);

    // A profile wins over the defaults.
    SetProfile("0,0,50,1,1,50,2,-1,0");
    BuildColumns({ { "A", 41, 0, 8 }, { "B", 42, 0, 8 }, { "C", 43, 0, 8 } });
    EXPECT_EQ((Texts{ "A", "B" }), HeaderTexts());
}

TEST_F(ListTest, ProfileIgnoredWhenTheOptionIsOff)
{
    SetProfile("0,-1,0,1,0,50");
    m_list.m_bColumnProfile = 0;
    BuildColumns({ { "A", 41, 0, 8 }, { "B", 42, 0, 8 } });
    EXPECT_EQ((Texts{ "A", "B" }), HeaderTexts());
}

struct sBadProfile
{
    const char* value;
    Texts header;
};

class ListBadProfile : public ListTest, public ::testing::WithParamInterface<sBadProfile>
{
};

TEST_P(ListBadProfile, GivesAUsableHeader)
{
    SetProfile(GetParam().value);
    BuildColumns({ { "A", 41, 0, 8 }, { "B", 42, 0, 8 }, { "C", 43, 0, 8 } });
    EXPECT_EQ(GetParam().header, HeaderTexts()) << "profile \"" << GetParam().value << "\"";
    for (int i = 0; i < m_list.GetHeaderCtrl()->GetItemCount(); ++i)
    {
        EXPECT_GE(m_list.GetColumnWidth(i), 0);
        EXPECT_LE(m_list.GetColumnWidth(i), 10000);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Corrupt, ListBadProfile,
    ::testing::Values(sBadProfile{ "", { "A", "B", "C" } },             // nothing readable: defaults
                      sBadProfile{ "garbage", { "A", "B", "C" } },
                      sBadProfile{ "0,1", { "A", "B", "C" } },         // too few fields
                      sBadProfile{ "1,0,50,0,x,60", { "B" } },         // a bad field ends the reading
                      sBadProfile{ "2,0,50,0,0,60,1,1,70", { "A", "B" } },   // duplicate position
                      sBadProfile{ "0,5,50,1,0,60", { "B" } },         // position past the columns
                      sBadProfile{ "-4,0,50,1,0,60", { "B" } },        // negative index
                      sBadProfile{ "0,0,-20,1,1,99999999", { "A", "B" } },        // widths
                      sBadProfile{ "0,0,50,0,1,60", { "A" } },         // one column twice
                      sBadProfile{ "0,0,50,1,1,50,9,2,40,Far#x#y", { "A", "B" } },   // definition with a gap
                      sBadProfile{ "0,0,50,3,1,40,NoHashes", { "A", "NoHashes" } },
                      sBadProfile{ "0,0,50,3,1,40", { "A" } },         // definition missing
                      sBadProfile{ "0,0,50,99999999999,1,50", { "A" } }));

TEST_F(ListTest, LoadHeadersRebuildsAndTellsTheDialog)
{
    BuildColumns({ { "A", 41, 0, 8 }, { "B", 42, 0, 8 }, { "C", 43, 0, 8 } });
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
    BuildColumns({ { "A", 200, 0, 8 }, { "A rather long heading", 10, 0, 8 } });
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

TEST_F(ListTest, FitMenuCommandsReachTheList)
{
    BuildColumns({ { "A", 200, 0, 8 } });
    m_list.SendMessage(WM_COMMAND, ID_LIST_FIT_TO_DATA);
    EXPECT_EQ(50, m_list.GetColumnWidth(0));
}

TEST_F(ListTest, HeaderImagesComeFromTheHostBitmaps)
{
    CImageList* pImages = CCommonListCtrl::GetHeaderImageList();
    ASSERT_NE(nullptr, pImages);
    EXPECT_EQ(3, pImages->GetImageCount());
    EXPECT_EQ(pImages->GetSafeHandle(), m_list.GetHeaderCtrl()->GetImageList()->GetSafeHandle());
    int cx = 0, cy = 0;
    pImages->GetIconSize(&cx, &cy);
    EXPECT_EQ(9, cx);
    EXPECT_EQ(5, cy);

    // Draw each image on red: black pixels come out grey-text coloured, white ones are masked.
    CClientDC screen(nullptr);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, 9, 5);
    CBitmap* pOld = dc.SelectObject(&bitmap);
    COLORREF grey = ::GetSysColor(COLOR_GRAYTEXT);
    const COLORREF red = RGB(255, 0, 0);
    for (int image = 0; image < 3; ++image)
    {
        dc.FillSolidRect(0, 0, 9, 5, red);
        pImages->Draw(&dc, image, CPoint(0, 0), ILD_TRANSPARENT);
        SCOPED_TRACE(image);
        EXPECT_EQ(image == 1 ? grey : red, dc.GetPixel(0, 0)) << "descending: base at the top";
        EXPECT_EQ(image == 0 ? grey : red, dc.GetPixel(0, 4)) << "ascending: base at the bottom";
        EXPECT_EQ(image == 2 ? red : grey, dc.GetPixel(4, 2));
    }
    dc.SelectObject(pOld);
}

TEST_F(ListTest, ImageFormatShowsTheBlankImage)
{
    BuildColumns({ { "A", 60, 0, 8 }, { "B", 60, 0x800, 8 } });
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

TEST(ListRules, ThousandsSeparators)
{
    struct { const char* in; const char* out; } cases[] = {
        { "1234567.5", "1,234,567.5" }, { "-1234", "-1,234" }, { "123", "123" }, { "1,2345", "12,345" },
        { "1000.25", "1,000.25" },      { "", "" },            { "-", "-" },     { "999999", "999,999" },
        { "1000000", "1,000,000" },     { ".5", ".5" },
    };
    for (auto& c : cases)
    {
        CString text = c.in;
        EXPECT_EQ(std::string(c.out), std::string((LPCTSTR)CCommonListCtrl::GetCommaData(text))) << c.in;
    }
}
