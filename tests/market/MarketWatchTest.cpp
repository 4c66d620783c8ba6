// The market watch: columns from a stored layout and the host's user columns, cells by column id,
// formulas, what is saved, fonts, pixels, row drags; and the cell under the mouse in three grids.
#include "TestHost.h"
#include "TestSupport.h"
#include "RowDrag.h"
#include "ShownColumns.h"
#include "WindowPicture.h"

#include "dialogs/RepositionColumns.h"
#include "host/ExtraColumns.h"
#include "lists/CommonListHooks.h"
#include "market/CategoryListCtrl.h"
#include "market/MarketWatchLayout.h"
#include "market/MrktWatchListCtrl.h"
#include "market/PriceLadderListCtrl.h"
#include "resources/RepositionColumnsRes.h"
#include "widgets/ClrButton.h"

namespace
{
// The host's instrument record: symbols at the byte offsets the list reads.
struct sInstrument
{
    char bytes[512];
    sInstrument(const char* pszTrading, const char* pszSymbol)
    {
        memset(bytes, 0, sizeof(bytes));
        strcpy(bytes + MW_TRADING_SYMBOL_OFFSET, pszTrading);
        strcpy(bytes + MW_SYMBOL_OFFSET, pszSymbol);
    }
};

// The stored user-column form, written with '|' for its separator.
std::string S(const std::string& text)
{
    std::string s(text);
    for (char& c : s)
        if (c == '|')
            c = '\xA7';
    return s;
}
}  // namespace

class MarketWatchTest : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        ResetCounts();
        ASSERT_TRUE(m_holder.CreateRecorder(&m_frame, CRect(0, 0, 600, 400)));
    }
    void TearDown() override
    {
        for (auto& p : m_lists)
            if (p != nullptr && p->GetSafeHwnd() != nullptr)
                p->DestroyWindow();
        m_holder.DestroyWindow();
        ResetCounts();
        HostTest::TearDown();
    }
    static void ResetCounts()
    {
        iMrktInfoColCount = 100;
        iNewDataArrCnt = 0;
        CMrktWatchListCtrl::s_nListsBuilt = 0;
    }
    // A market watch over the host's first nFields fields (Symbol, Last, Change, Bid, Ask), laid out
    // from the layout stored for pszTitle when there is one, else from the positions and widths
    // given by column id; columns built unless bBuild is false.
    CMrktWatchListCtrl& MakeList(std::vector<int> positions, std::vector<int> widths, DWORD dwStyle = 0,
                                 int nFields = 5, const char* pszTitle = nullptr, bool bBuild = true)
    {
        m_lists.push_back(std::make_unique<CMrktWatchListCtrl>());
        CMrktWatchListCtrl& list = *m_lists.back();
        EXPECT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | dwStyle, CRect(0, 0, 560, 300), &m_holder,
                                100 + (UINT)m_lists.size()));
        const char* names[] = { "Symbol", "Last", "Change", "Bid", "Ask" };
        for (int i = 0; i < nFields; ++i)
        {
            sOrvoColInfo info = {};
            strcpy(info.szColName, names[i]);
            info.nWidth = 70;
            info.nFormat = i == 0 ? LVCFMT_LEFT : LVCFMT_RIGHT;
            info.nDataType = i == 0 ? 3 : 2;
            list.m_arrColInfo.Add(info);
        }
        if (pszTitle == nullptr || !list.ReadColumnProfile(pszTitle))
        {
            for (int p : positions)
                list.m_arrColPosition.Add(p);
            for (int w : widths)
                list.m_arrWidth.Add(w);
        }
        if (bBuild)
            list.InsertColumnsForList();
        return list;
    }
    static std::string& Stored() { return TestHost::MarketWatchColumns()["MarketWatch"]; }
    static int CallsOf(const char* pszPrefix)
    {
        int n = 0;
        for (const std::string& call : TestHost::Calls())
            n += call.rfind(pszPrefix, 0) == 0;
        return n;
    }
    std::string Counts() const { return std::to_string(iMrktInfoColCount) + "/" + std::to_string(iNewDataArrCnt); }

    CMessageRecorder m_holder;
    std::vector<std::unique_ptr<CMrktWatchListCtrl>> m_lists;
};

TEST_F(MarketWatchTest, ColumnsFollowTheLayoutWithTheUserColumnsRegistered)
{
    Stored() = S("101|Spread|\"4\"-\"3\"|Ask-Bid|102|Pct|\"2\"/\"1\"|");
    CMrktWatchListCtrl& first = MakeList({ 1, 0, -1, 2, 3 }, { 90, 120, 0, 60, 60 });
    EXPECT_EQ((std::vector<std::string>{ "Last:120", "Symbol:90", "Bid:60", "Ask:60", "Spread:80", "Pct:80" }),
              Headers(first));
    EXPECT_EQ(1, first.m_nFirstVisibleColumn);
    EXPECT_EQ("102/2", Counts());
    EXPECT_EQ(2, CallsOf("orvou_add_extra_columns(1,"));
}

// One host slot per user column id, registered even when the layout shows none; a gap between ids
// kept: saved back unchanged, no nameless row offered by Reposition Columns (nor for the unused host
// ids below 101), found again on the next start.
TEST_F(MarketWatchTest, UserColumnIdsKeepTheirGapsAndTheHostSlotsFollowThem)
{
    Stored() = S("101|Spread|\"4\"-\"3\"|");
    EXPECT_TRUE(Headers(MakeList({}, {})).empty());
    EXPECT_EQ("101/1", Counts());
    ResetCounts();
    const std::string stored = S("101|One| \"1\"|one|103|Three| \"103\"*2|three");
    Stored() = stored;
    CMrktWatchListCtrl& list = MakeList({ 0, 1 }, { 70, 70 }, 0, 2);
    EXPECT_EQ((std::vector<std::string>{ "Symbol", "Last", "One", "Three" }), Headers(list, false));
    EXPECT_EQ("103/3", Counts());
    list.SaveColumnProfile(CString("W"));
    EXPECT_EQ(stored, Stored());
    EXPECT_TRUE(m_script.Messages().empty());
    list.ShowColumnDlg();
    ASSERT_NE(nullptr, list.m_pRepositionDlg);
    CListCtrl& hidden = list.m_pRepositionDlg->m_HiddenList;
    for (int i = 0; i < hidden.GetItemCount(); ++i)
        EXPECT_FALSE(hidden.GetItemText(i, 0).IsEmpty()) << i;
    list.DestroyWindow();
    EXPECT_EQ((std::vector<std::string>{ "Symbol", "Last", "One", "Three" }),
              Headers(MakeList({ 0, 1 }, { 70, 70 }, 0, 2), false));
}

// The pixel between two columns belongs to the left-hand one in the three grids that walk column
// widths (the category list once gave it to the right); a hit test needs both outputs.
TEST_F(MarketWatchTest, TheCellUnderThePointAndTheBorderPixelToTheLeftColumn)
{
    sMWStruct empty = { nullptr, nullptr };
    CMrktWatchListCtrl watch;
    CPriceLadderListCtrl ladder;
    CCategoryListCtrl category;
    const struct { const char* name; CListCtrl* pList; std::function<BOOL(CPoint, int*, int*)> hit; } lists[] = {
        { "market watch", &watch, [&](CPoint pt, int* pRow, int* pCol) { return watch.HitTestEx(pt, pRow, pCol); } },
        { "price ladder", &ladder, [&](CPoint pt, int* pRow, int* pCol) { return ladder.HitTestEx(pt, pRow, pCol); } },
        { "category list", &category,
          [&](CPoint pt, int* pRow, int* pCol) { return category.HitTestEx(pt, pRow, pCol); } },
    };
    CRect rcRow;
    for (const auto& l : lists)
    {
        SCOPED_TRACE(l.name);
        ASSERT_TRUE(l.pList->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 400, 200), &m_holder, 1301));
        l.pList->SetExtendedStyle(LVS_EX_FULLROWSELECT);
        for (int col = 0; col < 3; ++col)
            l.pList->CListCtrl::InsertColumn(col, "C", LVCFMT_LEFT, 80);
        l.pList->CListCtrl::InsertItem(LVIF_TEXT | LVIF_PARAM, 0, "", 0, 0, 0, (LPARAM)&empty);
        ASSERT_TRUE(l.pList->GetItemRect(0, &rcRow, LVIR_BOUNDS));
        for (int dx : { 79, 80, 81 })
        {
            int nRow = -1, nColumn = -1;
            EXPECT_TRUE(l.hit(CPoint(rcRow.left + dx, rcRow.CenterPoint().y), &nRow, &nColumn)) << dx;
            EXPECT_EQ(0, nRow) << dx;
            EXPECT_EQ(dx > 80 ? 1 : 0, nColumn) << dx;
        }
    }
    int nRow = 42, nColumn = 42;
    EXPECT_FALSE(watch.HitTestEx(CPoint(100, rcRow.CenterPoint().y), nullptr, &nColumn));
    EXPECT_EQ(42, nColumn);
    EXPECT_FALSE(watch.HitTestEx(CPoint(100, 190), &nRow, &nColumn));
}

// Whatever changes the list's columns (Reposition Columns, a layout loaded by the host, the host
// deleting or inserting a column itself), every column keeps showing the field its heading names.
TEST_F(MarketWatchTest, EveryColumnShowsItsOwnFieldAfterAnyChangeOfColumns)
{
    TestHost::MarketTexts().clear();   // "cell<id>" for every field
    CMrktWatchListCtrl& list = MakeList({ 0, 1, 2, 3, 4 }, { 70, 70, 70, 70, 70 });
    char instrument[512] = "instrument";
    sMWStruct row = { nullptr, instrument };
    list.InsertItem(LVIF_TEXT | LVIF_PARAM, 0, "", 0, 0, 0, (LPARAM)&row);
    auto hide = [&](std::initializer_list<const char*> names) {
        list.ShowColumnDlg();
        CRepositionColumns* pDlg = list.m_pRepositionDlg;
        ASSERT_NE(nullptr, pDlg);
        for (const char* pszName : names)
        {
            CListCtrl& shownList = pDlg->m_ShownList;
            shownList.SetItemState(-1, 0, LVIS_SELECTED);
            for (int i = 0; i < shownList.GetItemCount(); ++i)
                if (shownList.GetItemText(i, 0) == pszName)
                    shownList.SetItemState(i, LVIS_SELECTED, LVIS_SELECTED);
            pDlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_RC_HIDE, BN_CLICKED), (LPARAM)::GetDlgItem(pDlg->m_hWnd, IDC_RC_HIDE));
        }
        pDlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_RC_VIEW, BN_CLICKED), (LPARAM)::GetDlgItem(pDlg->m_hWnd, IDC_RC_VIEW));
    };
    auto load = [&](std::initializer_list<int> ids, int nWidth) {
        CArray<int, int> columns, widths;
        for (int c : ids)
        {
            columns.Add(c);
            widths.Add(nWidth);
        }
        list.LoadHeaders(columns, widths);
    };
    struct Case { const char* name; std::function<void()> change; std::vector<std::string> shown; };
    const Case cases[] = {
        { "Reposition Columns hides two", [&] { hide({ "Symbol", "Bid" }); }, { "Last=cell1", "Change=cell2", "Ask=cell4" } },
        { "the host loads a layout", [&] { load({ 4, 0, 2 }, 60); }, { "Ask=cell4", "Symbol=cell0", "Change=cell2" } },
        { "the host deletes a list column itself", [&] { list.CListCtrl::DeleteColumn(1); },
          { "Symbol=cell0", "Change=cell2", "Bid=cell3", "Ask=cell4" } },
        { "the host inserts a column of the grid in front",
          [&] {
              list.CListCtrl::DeleteColumn(3);
              list.CListCtrl::InsertColumn(0, "Bid", LVCFMT_RIGHT, 70, 0);
          },
          { "Bid=cell3", "Symbol=cell0", "Last=cell1", "Change=cell2", "Ask=cell4" } },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        // From every column shown in id order, its cells already painted once.
        load({ 0, 1, 2, 3, 4 }, 70);
        ASSERT_TRUE(SameSequence(ShownColumns(list), { "Symbol=cell0", "Last=cell1", "Change=cell2", "Bid=cell3", "Ask=cell4" }));
        list.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        c.change();
        EXPECT_TRUE(SameSequence(ShownColumns(list), c.shown));
    }
}

// Cells from the host's records: symbols, empty cells for a row without an instrument, formula
// columns over the host's texts and nothing past the last user column.
TEST_F(MarketWatchTest, SymbolsAndFormulaColumnsOverTheHostsRecordsAndTexts)
{
    Stored() = S("101|Ratio| \"3\"/\"4\"| |102|Bad| \"3\" \"4\"| |104|Ref| \"103\"+\"1\"| ");
    CMrktWatchListCtrl& list = MakeList({ 0, 1, 2, 3, 4 }, { 60, 60, 60, 60, 60 });
    sInstrument instrument("X-EQ", "X");
    sMWStruct row = { nullptr, instrument.bytes };
    sMWStruct empty = { nullptr, nullptr };
    list.InsertItem(LVIF_TEXT | LVIF_PARAM, 0, "", 0, 0, 0, (LPARAM)&row);
    list.InsertItem(LVIF_TEXT | LVIF_PARAM, 1, "", 0, 0, 0, (LPARAM)&empty);
    EXPECT_STREQ("X-EQ", list.GetTradingSymbolOrSymbol(1, 0));
    EXPECT_STREQ("X", list.GetTradingSymbolOrSymbol(0, 0));
    EXPECT_STREQ("", list.GetTradingSymbolOrSymbol(1, 1));
    EXPECT_STREQ("", list.GetItemText(1, 0));
    EXPECT_STREQ("", list.GetItemText(7, 0));
    TestHost::MarketTexts() = { { 1, "2" }, { 3, "5" }, { 103, "4" } };
    // The host's text for field 4 (Ask) first, null when its fetch fails; text null: not checked.
    const struct { int nId; const char* ask; int nResult; const char* text; } cases[] = {
        { 101, "2.5", 1, "2.00" },
        { 101, "0", 1, "Divided by ZERO error" },
        { 7, "2.5", 1, "kept" },       // a host column: nothing done
        { 104, "2.5", 1, "6.00" },     // a formula naming a gap between ids takes the host's text for it
        { 103, "2.5", 0, "kept" },     // a gap, or past the last user column: refused
        { 105, "2.5", 0, "kept" },
        { 5000, "2.5", 0, "kept" },
        { 1 << 20, "2.5", 0, "kept" },
        { 101, nullptr, 0, nullptr },  // no message either
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.nId);
        if (c.ask != nullptr)
            TestHost::MarketTexts()[4] = c.ask;
        else
            TestHost::MarketTexts().erase(4);
        CString text = "kept";
        EXPECT_EQ(c.nResult, list.GetCustomColumnText(&row, c.nId, text));
        EXPECT_TRUE(c.text == nullptr || text == c.text) << (LPCTSTR)text;
    }
    EXPECT_TRUE(m_script.Messages().empty());
    TestHost::MarketTexts()[4] = "1";
    CString text;
    EXPECT_EQ(0, list.GetCustomColumnText(&row, 102, text));
    EXPECT_EQ((std::vector<CString>{ "Invalid Expression,while calculating value" }), m_script.Messages());
}

TEST_F(MarketWatchTest, SavingWritesTheLayoutAndTheUserColumnsAndLeavesOutOnlyWhatCannotBeStored)
{
    Stored() = S("101|Spread|\"4\"-\"3\"|Ask-Bid");
    CMrktWatchListCtrl& list = MakeList({ 0, 1, -1, 2, 3 }, { 100, 90, 0, 70, 60 });
    list.SaveColumnProfile(CString("Watch [1]"));
    const std::string profile = TestSettings::Get("MarketWatchNew_Watch %5B1%5D", "COLUMNPROFILE");
    const std::string start = "0,0,100,1,1,90,2,-1,0,3,2,70,4,3,60,5,-1,0,6,-1,0";
    EXPECT_EQ(start, profile.substr(0, start.size()));
    EXPECT_NE(std::string::npos, profile.find(",101,4,80"));
    EXPECT_EQ(S("101|Spread|\"4\"-\"3\"|Ask-Bid"), Stored());
    // A failing host: the message, and the user columns are still written.
    TestHost::MarketWatchColumns().clear();
    TestHost::g_bFailSettings = true;
    list.SaveColumnProfile(CString("W"));
    EXPECT_EQ((std::vector<CString>{ "Error while saving column profile" }), m_script.Messages());
    TestHost::g_bFailSettings = false;
    // The window's own saving on destroy: under its frame's title.
    list.DestroyWindow();
    EXPECT_NE("<none>", TestSettings::Get("MarketWatchNew_Test host", "COLUMNPROFILE"));
    // Headings longer than a column record holds are saved whole; text the stored form cannot
    // carry costs its own column only, and names it.
    m_script.Clear();
    ResetCounts();
    const std::string longName(100, 'L');
    Stored() = S("101|" + longName + "| \"1\"| |102|Two| \"1\"| |103|Three| \"1\"| ");
    CMrktWatchListCtrl& longList = MakeList({ 0, 1 }, { 70, 70 }, 0, 2);
    EXPECT_EQ(std::string(63, 'L'), Headers(longList, false)[2]);
    longList.m_arrColInfo[102].csText1 = S("a|b").c_str();
    longList.SaveColumnProfile(CString("W"));
    EXPECT_EQ(S("101|" + longName + "| \"1\"| |103|Three| \"1\"| "), Stored());
    ASSERT_EQ(1u, m_script.Messages().size());
    EXPECT_NE(-1, m_script.Messages()[0].Find("Two"));
}

// Titles that differ only in characters a section name cannot hold keep their own layouts; a watch
// without a layout of its own saves none; a stored layout that shows nothing is not used.
TEST_F(MarketWatchTest, LayoutsAreNeverMixedOrOverwrittenByNone)
{
    // An old layout stored under the section earlier versions made of "Watch [1]".
    TestSettings::Put("MarketWatchNew_Watch _1_", "COLUMNPROFILE", "0,1,50,1,0,60");
    CMrktWatchListCtrl& bracket = MakeList({}, {}, 0, 2, "Watch [1]");
    EXPECT_EQ((std::vector<std::string>{ "Last:60", "Symbol:50" }), Headers(bracket));
    bracket.SaveColumnProfile(CString("Watch [1]"));
    MakeList({ 0, 1 }, { 70, 70 }, 0, 2, "Watch _1_").SaveColumnProfile(CString("Watch _1_"));
    EXPECT_EQ("0,1,50,1,0,60", TestSettings::Get("MarketWatchNew_Watch %5B1%5D", "COLUMNPROFILE"));
    EXPECT_EQ("0,1,50,1,0,60", TestSettings::Get("MarketWatchNew_Watch _1_", "COLUMNPROFILE"));
    // Changing one no longer changes the other.
    bracket.SetColumnWidth(0, 99);
    bracket.SaveColumnProfile(CString("Watch [1]"));
    EXPECT_EQ("0,1,50,1,0,99", TestSettings::Get("MarketWatchNew_Watch %5B1%5D", "COLUMNPROFILE"));
    EXPECT_EQ("0,1,50,1,0,60", TestSettings::Get("MarketWatchNew_Watch _1_", "COLUMNPROFILE"));
    ResetCounts();
    TestSettings::Put("MarketWatchNew_W", "COLUMNPROFILE", "0,1,50,1,0,60");
    Stored() = S("101|One| \"1\"| ");
    // Closed before its columns were built, and built from no layout at all: nothing is stored.
    for (bool bBuild : { false, true })
    {
        SCOPED_TRACE(bBuild);
        CMrktWatchListCtrl& list = MakeList({}, {}, 0, 1, nullptr, bBuild);
        list.SaveColumnProfile(CString("W"));
        list.DestroyWindow();
        EXPECT_EQ("0,1,50,1,0,60", TestSettings::Get("MarketWatchNew_W", "COLUMNPROFILE"));
    }
    // A stored layout that shows nothing is not used: the host's defaults come instead.
    TestSettings::Put("MarketWatchNew_Empty", "COLUMNPROFILE", "0,-1,0,1,-1,0");
    EXPECT_EQ((std::vector<std::string>{ "Symbol", "Last", "One" }),
              Headers(MakeList({ 0, 1 }, { 70, 70 }, 0, 2, "Empty"), false));
}

// The platform list repaints after every column it gets or loses unless told not to: this took
// minutes both ways before the list built and emptied its header with redraw off. The counts also
// once drifted across create/destroy cycles.
TEST_F(MarketWatchTest, TenThousandUserColumnsAreShownSavedAndCountedOnceAcrossCycles)
{
    std::string columns;
    for (int i = 0; i < 10000; ++i)
        columns += (i ? "|" : "") + std::to_string(101 + i) + "|U" + std::to_string(i) + "| \"1\"| ";
    Stored() = S(columns);
    CMrktWatchListCtrl& list = MakeList({ 0, 1 }, { 60, 60 });
    std::vector<std::string> headers = Headers(list);
    ASSERT_EQ(10002u, headers.size());
    EXPECT_EQ("U9999:80", headers.back());
    EXPECT_EQ("10100/10000", Counts());
    list.DestroyWindow();
    // The saved string holds every column, and a second list in the process registers none again.
    CArray<sMarketUserColumn, const sMarketUserColumn&> saved;
    ParseMarketUserColumns(Stored().c_str(), saved);
    ASSERT_EQ(10000, saved.GetSize());
    EXPECT_EQ(10100, saved[9999].nId);
    EXPECT_EQ(10002u, Headers(MakeList({ 0, 1 }, { 60, 60 })).size());
    EXPECT_EQ(10000, CallsOf("orvou_add_extra_columns(1,"));
    EXPECT_EQ("10100/10000", Counts());
}

TEST_F(MarketWatchTest, TheNewestWatchIsTheUserColumnTargetAndNeverLeftDangling)
{
    CMrktWatchListCtrl& first = MakeList({ 0 }, { 60 }, 0, 5, nullptr, false);
    EXPECT_EQ(&first, UserColumnTargetList());
    auto second = std::make_unique<CMrktWatchListCtrl>();
    EXPECT_EQ(second.get(), UserColumnTargetList());
    second.reset();
    // The one recorded went away: nothing is recorded, the older watch is not resurrected.
    EXPECT_EQ(nullptr, UserColumnTargetList());
    CMrktWatchListCtrl& third = MakeList({ 0 }, { 60 }, 0, 5, nullptr, false);
    m_lists.front().reset();   // an older watch going away leaves the newest recorded
    EXPECT_EQ(&third, UserColumnTargetList());
}

// One font style for the whole library: the same eFontStyle value gives the market watch's font and
// the colour button's description of it. This program's leak check: fonts replaced 50 times.
TEST_F(MarketWatchTest, FontsByNameAndStyleReplaceTheirPredecessorsWithoutLeaking)
{
    CMrktWatchListCtrl& list = MakeList({ 0 }, { 100 });
    list.SetListFont("Tahoma", "", FONT_STYLE_BOLD);
    EXPECT_EQ(nullptr, list.m_pFont);   // an empty size does nothing
    const struct { eFontStyle nStyle; LONG nWeight; BYTE bItalic; const char* pszDescription; } cases[] = {
        { FONT_STYLE_REGULAR, FW_NORMAL, FALSE, "Arial (Regular , 10)" },
        { FONT_STYLE_BOLD, FW_BOLD, FALSE, "Arial (Bold , 10)" },
        { FONT_STYLE_ITALIC, FW_NORMAL, TRUE, "Arial (Italic , 10)" },
        { CLR_FONT_BOLD_ITALIC, FW_BOLD, TRUE, "Arial (Bold Italic , 10)" },
    };
    LOGFONT lf = {};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszDescription);
        list.SetListFont("Arial", "10", c.nStyle);
        list.GetFont()->GetLogFont(&lf);
        EXPECT_EQ(c.nWeight, lf.lfWeight);
        EXPECT_EQ(c.bItalic, lf.lfItalic);
        EXPECT_STREQ(c.pszDescription, CClrButton::DescribeFont("Arial", "10", c.nStyle));
    }
    const int nGdi = TestLeaks::GdiObjects();
    for (int i = 0; i < 50; ++i)
        list.SetListFont(std::string(40, 'F').c_str(), "9", FONT_STYLE_REGULAR);   // names cut to 31
    EXPECT_EQ(nGdi, TestLeaks::GdiObjects());
    list.GetFont()->GetLogFont(&lf);
    EXPECT_EQ(31u, strlen(lf.lfFaceName));
}

TEST_F(MarketWatchTest, BackgroundAroundTheRowsAndTheCheckBoxByPixels)
{
    CMrktWatchListCtrl& list = MakeList({ 0, 1 }, { 100, 100 }, LVS_OWNERDRAWFIXED);
    list.SetBkColor(RGB(0, 0, 128));
    sInstrument instrument("X", "X");
    sMWStruct row = { nullptr, instrument.bytes };
    for (int i = 0; i < 3; ++i)
        list.InsertItem(LVIF_TEXT | LVIF_PARAM, i, "", 0, 0, 0, (LPARAM)&row);
    CRect rcLast;
    list.GetItemRect(2, &rcLast, LVIR_BOUNDS);
    // Erase into a bitmap: below the last row and right of the rows is the background colour, the
    // rows are left to their painter; then the check box, white inside with a green tick, or none.
    CClientDC screen(&list);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, 560, 300);
    CBitmap* pOld = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, 560, 300, RGB(1, 2, 3));
    list.SendMessage(WM_ERASEBKGND, (WPARAM)dc.GetSafeHdc());
    const CRect rcCell(100, 100, 160, 116);
    const int left = rcCell.left + 4, top = rcCell.top;
    const COLORREF navy = RGB(0, 0, 128), none = RGB(1, 2, 3), green = RGB(0, 155, 19), white = RGB(255, 255, 255);
    const struct { const char* what; int nCheck, x, y; COLORREF expected; } probes[] = {
        { "below the rows", -1, 50, rcLast.bottom + 5, navy }, { "right of the rows", -1, rcLast.right + 10, rcLast.top + 2, navy },
        { "a row", -1, 50, rcLast.top + 2, none },
        { "tick's first stroke", 1, left + 9, top + 3, green }, { "tick's last stroke", 1, left + 3, top + 3, green },
        { "inside", 1, left + 12, top + 10, white }, { "left of the box", 1, rcCell.left + 1, top + 5, none },
        { "no tick", 0, left + 9, top + 3, white },
    };
    for (const auto& p : probes)
    {
        if (p.nCheck >= 0)
        {
            dc.FillSolidRect(rcCell, none);
            list.DrawCheckbox(0, 0, &dc, 0, 0, rcCell, &list, p.nCheck);
        }
        EXPECT_EQ(p.expected, dc.GetPixel(p.x, p.y)) << p.what;
    }
    dc.SelectObject(pOld);
}

// Rows reordered with the mouse: each dragged row is deleted and inserted again with its texts,
// item data and check box. The host owns the records and may, on the first drop highlight change or
// row insert it hears of, delete the top row, insert one on top or delete the list: no record lost
// or doubled, every row with its own texts and check (the row number kept across the insert once
// put DLF's price and check on BPCL's row), a deleted list not touched again.
TEST_F(MarketWatchTest, DraggedRowsKeepTextsDataAndChecksWhateverTheHostDoes)
{
    enum eAction { kNone, kDeleteTop, kInsertTop, kDeleteList };
    const UINT kHighlight = LVN_ITEMCHANGED, kInsert = LVN_INSERTITEM;
    const std::string A = "ACC/100/0/.", B = "BPCL/101/1/x", C = "CIPLA/102/2/.", D = "DLF/103/3/x",
                      E = "EICHER/104/4/.", Z = "ZEEL/105/5/.";
    // The host acts on the first notification of `code`; bOrdered: else only that each row is there.
    const struct { const char* name; std::vector<int> selected; int nDrop; UINT code; eAction action; bool bOrdered;
                   std::vector<std::string> expected; } cases[] = {
        { "two rows up", { 3, 4 }, 1, 0, kNone, true, { A, D, E, B, C } },
        { "two rows down", { 0, 1 }, 3, 0, kNone, true, { C, D, A, B, E } },
        { "highlight goes, top deleted", { 3, 4 }, 1, kHighlight, kDeleteTop, true, { D, E, B, C } },
        { "highlight goes, row inserted on top", { 3, 4 }, 1, kHighlight, kInsertTop, true, { Z, A, D, E, B, C } },
        { "highlight goes, list deleted", { 3, 4 }, 1, kHighlight, kDeleteList, true, {} },
        { "row inserted, top deleted", { 3, 4 }, 1, kInsert, kDeleteTop, false, { B, C, D, E } },
        { "row inserted, list deleted", { 3, 4 }, 1, kInsert, kDeleteList, true, {} },
    };
    sMWStruct records[6] = {};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        CMrktWatchListCtrl& list = MakeList({}, {}, LVS_SHOWSELALWAYS, 0, nullptr, false);
        list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_CHECKBOXES);
        list.CListCtrl::InsertColumn(0, "Symbol", LVCFMT_LEFT, 100, 0);
        list.CListCtrl::InsertColumn(1, "Last", LVCFMT_RIGHT, 80, 1);
        list.m_bRowDrag = 1;
        const char* names[] = { "ACC", "BPCL", "CIPLA", "DLF", "EICHER", "ZEEL" };
        auto insert = [&](int nAt, int r) {
            list.CListCtrl::InsertItem(LVIF_TEXT | LVIF_PARAM, nAt, names[r], 0, 0, 0, (LPARAM)&records[r]);
            list.CListCtrl::SetItemText(nAt, 1, std::to_string(100 + r).c_str());
            list.SetCheck(nAt, r == 1 || r == 3);
        };
        for (int r = 0; r < 5; ++r)
            insert(r, r);
        for (int r : c.selected)
            list.SetItemState(r, LVIS_SELECTED, LVIS_SELECTED);
        const HWND hList = list.m_hWnd;
        const CPoint to = RowDrag::RowPoint(hList, c.nDrop);
        m_holder.Clear();
        RowDrag::Begin(hList, RowDrag::RowPoint(hList, c.selected.front()), to);
        int nActed = 0;
        m_holder.m_answer = [&](const sRecordedMsg& record, LRESULT&) {
            if (record.message != WM_NOTIFY || record.code != c.code || nActed++ > 0)
                return false;
            if (c.action == kDeleteTop)
                list.CListCtrl::DeleteItem(0);
            else if (c.action == kInsertTop)
                insert(0, 5);
            else
                m_lists.back().reset();
            return false;
        };
        RowDrag::Release(hList, to);
        m_holder.m_answer = nullptr;
        EXPECT_EQ(c.action != kNone, nActed > 0);
        if (c.action == kDeleteList)
        {
            EXPECT_FALSE(::IsWindow(hList));
            continue;
        }
        std::vector<std::string> rows = RowsWithRecords(list, records), expected = c.expected;
        if (!c.bOrdered)
        {
            std::sort(rows.begin(), rows.end());
            std::sort(expected.begin(), expected.end());
        }
        EXPECT_EQ(expected, rows);
        if (c.action == kNone)
        {
            EXPECT_EQ(0u, list.GetSelectedCount());
            EXPECT_EQ(c.selected.size(), m_holder.Count(WM_NOTIFY, LVN_DELETEITEM));
            EXPECT_EQ(c.selected.size(), m_holder.Count(WM_NOTIFY, LVN_INSERTITEM));
        }
        list.DestroyWindow();
    }
}
