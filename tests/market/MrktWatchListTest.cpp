// The market watch over a real list: columns from a stored layout and the host's user columns,
// cell texts from the host, formula columns, the saved strings, fonts, colours by the modal seam,
// and the painted background and check box by pixels.
#include "TestHost.h"
#include "TestSupport.h"
#include "WindowPicture.h"

#include "host/ExtraColumns.h"
#include "lists/CommonListHooks.h"
#include "market/MarketWatchLayout.h"
#include "market/MrktWatchListCtrl.h"

#include <cstring>
#include <string>
#include <vector>

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

std::string S(const char* psz)
{
    std::string s(psz);
    for (char& c : s)
        if (c == '|')
            c = '\xA7';
    return s;
}
}  // namespace

class MrktWatchTest : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        iMrktInfoColCount = 100;
        iNewDataArrCnt = 0;
        CMrktWatchListCtrl::s_nListsBuilt = 0;
        ASSERT_TRUE(m_holder.CreateRecorder(&m_frame, CRect(0, 0, 600, 400)));
    }
    void TearDown() override
    {
        for (auto& p : m_lists)
            if (p != nullptr && p->GetSafeHwnd() != nullptr)
                p->DestroyWindow();
        m_holder.DestroyWindow();
        iMrktInfoColCount = 100;
        iNewDataArrCnt = 0;
        CMrktWatchListCtrl::s_nListsBuilt = 0;
        HostTest::TearDown();
    }
    // A market watch with the host's fields 0..4 and the stored layout given by column id.
    CMrktWatchListCtrl& MakeList(std::initializer_list<int> positions, std::initializer_list<int> widths,
                                 DWORD dwStyle = 0)
    {
        m_lists.push_back(std::make_unique<CMrktWatchListCtrl>());
        CMrktWatchListCtrl& list = *m_lists.back();
        EXPECT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | dwStyle, CRect(0, 0, 560, 300), &m_holder,
                                100 + (UINT)m_lists.size()));
        const char* names[] = { "Symbol", "Last", "Change", "Bid", "Ask" };
        for (int i = 0; i < 5; ++i)
        {
            sOrvoColInfo info = {};
            strcpy(info.szColName, names[i]);
            info.nWidth = 70;
            info.nFormat = i == 0 ? LVCFMT_LEFT : LVCFMT_RIGHT;
            info.nDataType = i == 0 ? 3 : 2;
            list.m_arrColInfo.Add(info);
        }
        for (int p : positions)
            list.m_arrColPosition.Add(p);
        for (int w : widths)
            list.m_arrWidth.Add(w);
        return list;
    }
    static std::vector<std::string> Headers(CListCtrl& list)
    {
        std::vector<std::string> texts;
        CHeaderCtrl* pHeader = list.GetHeaderCtrl();
        for (int i = 0; i < pHeader->GetItemCount(); ++i)
        {
            char sz[128] = "";
            HDITEMA item = {};
            item.mask = HDI_TEXT | HDI_WIDTH;
            item.pszText = sz;
            item.cchTextMax = sizeof(sz);
            pHeader->GetItem(i, &item);
            texts.push_back(std::string(sz) + ":" + std::to_string(item.cxy));
        }
        return texts;
    }
    static void SetUserColumns(const char* pszValue) { TestHost::MarketWatchColumns()["MarketWatch"] = S(pszValue); }
    static int CallsOf(const char* pszPrefix)
    {
        int n = 0;
        for (const std::string& call : TestHost::Calls())
            n += call.rfind(pszPrefix, 0) == 0;
        return n;
    }

    CMessageRecorder m_holder;
    std::vector<std::unique_ptr<CMrktWatchListCtrl>> m_lists;
};

TEST_F(MrktWatchTest, ColumnsFollowTheLayoutWithUserColumnsRegisteredOncePerProcess)
{
    SetUserColumns("101|Spread|\"4\"-\"3\"|Ask-Bid|102|Pct|\"2\"/\"1\"|");
    CMrktWatchListCtrl& first = MakeList({ 1, 0, -1, 2, 3 }, { 90, 120, 0, 60, 60 });
    first.InsertColumnsForList();
    EXPECT_EQ((std::vector<std::string>{ "Last:120", "Symbol:90", "Bid:60", "Ask:60", "Spread:80", "Pct:80" }),
              Headers(first));
    EXPECT_EQ(1, first.m_nFirstVisibleColumn);
    EXPECT_EQ(102, iMrktInfoColCount);
    EXPECT_EQ(2, iNewDataArrCnt);
    EXPECT_EQ(2, CallsOf("orvou_add_extra_columns(1,"));

    // A second market watch reads the same columns without registering them again.
    CMrktWatchListCtrl& second = MakeList({ 0, 1, 2, 3, 4 }, { 50, 50, 50, 50, 50 });
    second.InsertColumnsForList();
    EXPECT_EQ((std::vector<std::string>{ "Symbol:50", "Last:50", "Change:50", "Bid:50", "Ask:50", "Spread:80",
                                         "Pct:80" }),
              Headers(second));
    EXPECT_EQ(102, iMrktInfoColCount);
    EXPECT_EQ(2, iNewDataArrCnt);
    EXPECT_EQ(2, CallsOf("orvou_add_extra_columns(1,"));
}

TEST_F(MrktWatchTest, EmptyLayoutInsertsNoColumnEvenWithUserColumns)
{
    SetUserColumns("101|Spread|\"4\"-\"3\"|");
    CMrktWatchListCtrl& list = MakeList({}, {});
    list.InsertColumnsForList();
    EXPECT_TRUE(Headers(list).empty());
    EXPECT_EQ(101, iMrktInfoColCount);   // registered all the same
}

TEST_F(MrktWatchTest, GarbageUserColumnStringsKeepTheCountsTrue)
{
    // Leading separators, the int32 limit, a gap in the ids, a non-numeric id, then the one good group.
    SetUserColumns("||||2147483647|Huge|x|y|103|Gap|x|y|abc|E|x|y|101|One|\"1\"|z");
    CMrktWatchListCtrl& list = MakeList({ 0, 1 }, { 60, 60 });
    list.InsertColumnsForList();
    // 101 and 103 keep their ids (102 is registered too, so host slots follow ids); the int32 id
    // is damage and takes the next id.
    EXPECT_EQ(104, iMrktInfoColCount);
    EXPECT_EQ(4, iNewDataArrCnt);
    EXPECT_EQ((std::vector<std::string>{ "Symbol:60", "Last:60", "One:80", "Gap:80", "Huge:80" }), Headers(list));
}

TEST_F(MrktWatchTest, CellTextsComeFromTheHostByColumnId)
{
    CMrktWatchListCtrl& list = MakeList({ 1, 0 }, { 80, 80 });
    list.InsertColumnsForList();
    sInstrument instrument("RELIANCE-EQ", "RELIANCE");
    sMWStruct row = { nullptr, instrument.bytes };
    sMWStruct empty = { nullptr, nullptr };
    list.InsertItem(LVIF_TEXT | LVIF_PARAM, 0, "", 0, 0, 0, (LPARAM)&row);
    list.InsertItem(LVIF_TEXT | LVIF_PARAM, 1, "", 0, 0, 0, (LPARAM)&empty);
    EXPECT_STREQ("cell1", list.GetItemText(0, 0));   // list column 0 shows id 1
    EXPECT_STREQ("cell0", list.GetItemText(0, 1));
    EXPECT_STREQ("", list.GetItemText(0, 2));
    EXPECT_STREQ("", list.GetItemText(1, 0));        // no instrument: empty cells
    EXPECT_STREQ("", list.GetItemText(7, 0));
    EXPECT_STREQ("RELIANCE-EQ", list.GetTradingSymbolOrSymbol(1, 0));
    EXPECT_STREQ("RELIANCE", list.GetTradingSymbolOrSymbol(0, 0));
    EXPECT_STREQ("", list.GetTradingSymbolOrSymbol(1, 1));
}

TEST_F(MrktWatchTest, FormulaColumnsOverTheHostsTexts)
{
    SetUserColumns("101|Ratio| \"3\"/\"4\"| |102|Bad| \"3\" \"4\"");
    CMrktWatchListCtrl& list = MakeList({ 0, 1, 2, 3, 4 }, { 60, 60, 60, 60, 60 });
    list.InsertColumnsForList();
    sInstrument instrument("X", "X");
    sMWStruct row = { nullptr, instrument.bytes };

    TestHost::MarketTexts() = { { 3, "5" }, { 4, "2.5" } };
    CString csText = "old";
    EXPECT_EQ(1, list.GetCustomColumnText(&row, 101, csText));
    EXPECT_STREQ("2.00", csText);
    TestHost::MarketTexts()[4] = "0";
    EXPECT_EQ(1, list.GetCustomColumnText(&row, 101, csText));
    EXPECT_STREQ("Divided by ZERO error", csText);

    TestHost::MarketTexts().erase(4);   // the host fails the fetch
    EXPECT_EQ(0, list.GetCustomColumnText(&row, 101, csText));
    EXPECT_TRUE(m_script.Messages().empty());

    EXPECT_EQ(1, list.GetCustomColumnText(&row, 7, csText));   // a host column: nothing done
    TestHost::MarketTexts()[4] = "1";
    EXPECT_EQ(0, list.GetCustomColumnText(&row, 102, csText));
    ASSERT_EQ(1u, m_script.Messages().size());
    EXPECT_STREQ("Invalid Expression,while calculating value", m_script.Messages()[0]);
}

TEST_F(MrktWatchTest, SavingWritesTheLayoutAndTheUserColumns)
{
    SetUserColumns("101|Spread|\"4\"-\"3\"|Ask-Bid");
    CMrktWatchListCtrl& list = MakeList({ 0, 1, -1, 2, 3 }, { 100, 90, 0, 70, 60 });
    list.InsertColumnsForList();
    list.SaveColumnProfile(CString("Watch [1]"));
    const std::string profile = TestSettings::Get("MarketWatchNew_Watch %5B1%5D", "COLUMNPROFILE");
    const std::string start = "0,0,100,1,1,90,2,-1,0,3,2,70,4,3,60,5,-1,0,6,-1,0";
    EXPECT_EQ(start, profile.substr(0, start.size()));
    EXPECT_NE(std::string::npos, profile.find(",101,4,80"));
    EXPECT_EQ(S("101|Spread|\"4\"-\"3\"|Ask-Bid"), TestHost::MarketWatchColumns()["MarketWatch"]);

    // A failing host: the message, and the user columns are still written.
    TestHost::MarketWatchColumns().clear();
    TestHost::g_bFailSettings = true;
    list.SaveColumnProfile(CString("W"));
    EXPECT_EQ((std::vector<CString>{ "Error while saving column profile" }), m_script.Messages());
    TestHost::g_bFailSettings = false;

    // The window's own saving on destroy: under its frame's title.
    list.DestroyWindow();
    EXPECT_NE("<none>", TestSettings::Get("MarketWatchNew_Test host", "COLUMNPROFILE"));
}

TEST_F(MrktWatchTest, HitTestNeedsBothOutputs)
{
    CMrktWatchListCtrl& list = MakeList({ 0, 1 }, { 100, 100 });
    list.InsertColumnsForList();
    sInstrument instrument("X", "X");
    sMWStruct row = { nullptr, instrument.bytes };
    list.InsertItem(LVIF_TEXT | LVIF_PARAM, 0, "", 0, 0, 0, (LPARAM)&row);
    CRect rc;
    list.GetItemRect(0, &rc, LVIR_BOUNDS);
    int nRow = 42, nColumn = 42;
    EXPECT_FALSE(list.HitTestEx(CPoint(150, rc.CenterPoint().y), nullptr, &nColumn));
    EXPECT_EQ(42, nColumn);
    EXPECT_TRUE(list.HitTestEx(CPoint(150, rc.CenterPoint().y), &nRow, &nColumn));
    EXPECT_EQ(0, nRow);
    EXPECT_EQ(1, nColumn);
    EXPECT_FALSE(list.HitTestEx(CPoint(150, 290), &nRow, &nColumn));
}

TEST_F(MrktWatchTest, FontsByNameReplaceTheirPredecessorsWithoutLeaking)
{
    CMrktWatchListCtrl& list = MakeList({ 0 }, { 100 });
    list.InsertColumnsForList();
    list.SetListFont("Tahoma", "", FONT_STYLE_BOLD);
    EXPECT_EQ(nullptr, list.m_pFont);   // an empty size does nothing
    list.SetListFont("Tahoma", "12", FONT_STYLE_BOLD_ITALIC);
    ASSERT_NE(nullptr, list.m_pFont);
    LOGFONT lf = {};
    list.GetFont()->GetLogFont(&lf);
    EXPECT_STREQ("Tahoma", lf.lfFaceName);
    EXPECT_EQ(700, lf.lfWeight);
    EXPECT_TRUE(lf.lfItalic);
    HDC hdc = ::GetDC(nullptr);
    EXPECT_EQ(-::MulDiv(12, ::GetDeviceCaps(hdc, LOGPIXELSY), 72), lf.lfHeight);
    ::ReleaseDC(nullptr, hdc);

    const int nGdi = TestLeaks::GdiObjects();
    for (int i = 0; i < 50; ++i)
        list.SetListFont(std::string(40, 'F').c_str(), "9", FONT_STYLE_REGULAR);   // names cut to 31
    EXPECT_EQ(nGdi, TestLeaks::GdiObjects());
    list.GetFont()->GetLogFont(&lf);
    EXPECT_EQ(31u, strlen(lf.lfFaceName));
}

TEST_F(MrktWatchTest, ColourAndFontDialogsThroughTheModalSeam)
{
    CMrktWatchListCtrl& list = MakeList({ 0 }, { 100 });
    list.InsertColumnsForList();
    m_script.m_commonAnswers.push_back([](CCommonDialog* pDlg) -> INT_PTR {
        static_cast<CColorDialog*>(pDlg)->SetCurrentColor(RGB(10, 20, 30));
        return IDOK;
    });
    list.SetBkColorFromDlg();
    EXPECT_EQ(RGB(10, 20, 30), list.m_clrBk);
    EXPECT_EQ(RGB(10, 20, 30), list.GetBkColor());
    list.SetTxtColorFromDlg();   // no answer queued: Cancel
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWTEXT), list.m_clrText);
    m_script.m_commonAnswers.push_back([](CCommonDialog* pDlg) -> INT_PTR {
        CFontDialog* pFont = static_cast<CFontDialog*>(pDlg);
        strcpy(pFont->m_lf.lfFaceName, "Courier New");
        pFont->m_lf.lfHeight = -20;
        return IDOK;
    });
    list.ShowFontDlg();
    LOGFONT lf = {};
    list.GetFont()->GetLogFont(&lf);
    EXPECT_STREQ("Courier New", lf.lfFaceName);
    EXPECT_EQ(2u, m_script.Count("colour"));
    EXPECT_EQ(1u, m_script.Count("font"));
}

TEST_F(MrktWatchTest, BackgroundAroundTheRowsAndTheCheckBoxByPixels)
{
    CMrktWatchListCtrl& list = MakeList({ 0, 1 }, { 100, 100 }, LVS_OWNERDRAWFIXED);
    list.InsertColumnsForList();
    list.SetBkColor(RGB(0, 0, 128));
    sInstrument instrument("X", "X");
    sMWStruct row = { nullptr, instrument.bytes };
    for (int i = 0; i < 3; ++i)
        list.InsertItem(LVIF_TEXT | LVIF_PARAM, i, "", 0, 0, 0, (LPARAM)&row);
    CRect rcLast;
    list.GetItemRect(2, &rcLast, LVIR_BOUNDS);

    // Erase into a bitmap: below the last row and right of the rows is the background colour.
    CClientDC screen(&list);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, 560, 300);
    CBitmap* pOld = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, 560, 300, RGB(1, 2, 3));
    list.SendMessage(WM_ERASEBKGND, (WPARAM)dc.GetSafeHdc());
    EXPECT_EQ(RGB(0, 0, 128), dc.GetPixel(50, rcLast.bottom + 5));
    EXPECT_EQ(RGB(0, 0, 128), dc.GetPixel(rcLast.right + 10, rcLast.top + 2));
    EXPECT_EQ(RGB(1, 2, 3), dc.GetPixel(50, rcLast.top + 2));   // the rows are left to their painter

    // The check box: white inside, the tick's strokes in green.
    CRect rcCell(100, 100, 160, 116);
    dc.FillSolidRect(rcCell, RGB(1, 2, 3));
    list.DrawCheckbox(0, 0, &dc, 0, 0, rcCell, &list, 1);
    const int left = rcCell.left + 4, top = rcCell.top;
    EXPECT_EQ(RGB(0, 155, 19), dc.GetPixel(left + 9, top + 3));        // first stroke
    EXPECT_EQ(RGB(0, 155, 19), dc.GetPixel(left + 6, top + 6 + 2));    // the lowest stroke's end
    EXPECT_EQ(RGB(0, 155, 19), dc.GetPixel(left + 3, top + 3));        // last stroke, back up
    EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(left + 12, top + 10));
    EXPECT_EQ(RGB(1, 2, 3), dc.GetPixel(rcCell.left + 1, top + 5));   // left of the box untouched
    dc.FillSolidRect(rcCell, RGB(1, 2, 3));
    list.DrawCheckbox(0, 0, &dc, 0, 0, rcCell, &list, 0);
    EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(left + 9, top + 3));    // no tick
    dc.SelectObject(pOld);
}

TEST_F(MrktWatchTest, CountsStayTrueAcrossCreateDestroyCyclesAndManyColumns)
{
    std::string columns;
    for (int i = 0; i < 120; ++i)
        columns += (i ? "|" : "") + std::to_string(101 + i) + "|U" + std::to_string(i) + "| \"1\"| ";
    SetUserColumns(columns.c_str());
    const int nWindows = TestLeaks::Windows();
    for (int cycle = 0; cycle < 3; ++cycle)
    {
        CMrktWatchListCtrl& list = MakeList({ 0, 1 }, { 60, 60 });
        list.InsertColumnsForList();
        EXPECT_EQ(122u, Headers(list).size());
        list.DestroyWindow();   // saves the layout and the user columns it read
        EXPECT_EQ(220, iMrktInfoColCount);
        EXPECT_EQ(120, iNewDataArrCnt);
    }
    EXPECT_EQ(120, CallsOf("orvou_add_extra_columns(1,"));
    EXPECT_EQ(nWindows, TestLeaks::Windows());
    // What the last one saved reads back as the same 120 columns.
    CArray<sMarketUserColumn, const sMarketUserColumn&> saved;
    ParseMarketUserColumns(TestHost::MarketWatchColumns()["MarketWatch"].c_str(), saved);
    EXPECT_EQ(120, saved.GetSize());
}

TEST_F(MrktWatchTest, TenThousandUserColumnsAreShownSavedAndCountedOnce)
{
    std::string columns;
    for (int i = 0; i < 10000; ++i)
        columns += (i ? "|" : "") + std::to_string(101 + i) + "|U" + std::to_string(i) + "| \"1\"| ";
    SetUserColumns(columns.c_str());
    const int nWindows = TestLeaks::Windows();
    // The platform list repaints after every column it gets or loses unless told not to: this
    // took minutes both ways before the list built and emptied its header with redraw off.
    CMrktWatchListCtrl& list = MakeList({ 0, 1 }, { 60, 60 });
    list.InsertColumnsForList();
    EXPECT_TRUE(list.IsWindowVisible());
    std::vector<std::string> headers = Headers(list);
    ASSERT_EQ(10002u, headers.size());
    EXPECT_EQ("U9999:80", headers.back());
    EXPECT_EQ(10100, iMrktInfoColCount);
    EXPECT_EQ(10000, iNewDataArrCnt);
    list.DestroyWindow();
    EXPECT_EQ(nWindows, TestLeaks::Windows());
    // The saved string holds every column, and a second list in the process registers none again.
    CArray<sMarketUserColumn, const sMarketUserColumn&> saved;
    ParseMarketUserColumns(TestHost::MarketWatchColumns()["MarketWatch"].c_str(), saved);
    ASSERT_EQ(10000, saved.GetSize());
    EXPECT_EQ(10100, saved[9999].nId);
    CMrktWatchListCtrl& second = MakeList({ 0, 1 }, { 60, 60 });
    second.InsertColumnsForList();
    EXPECT_EQ(10002u, Headers(second).size());
    EXPECT_EQ(10000, CallsOf("orvou_add_extra_columns(1,"));
    EXPECT_EQ(10100, iMrktInfoColCount);
}

TEST_F(MrktWatchTest, TheNewestWatchIsTheUserColumnTargetAndNeverLeftDangling)
{
    CMrktWatchListCtrl& first = MakeList({ 0 }, { 60 });
    EXPECT_EQ(&first, UserColumnTargetList());
    auto second = std::make_unique<CMrktWatchListCtrl>();
    EXPECT_EQ(second.get(), UserColumnTargetList());
    second.reset();
    // The one recorded went away: nothing is recorded, the older watch is not resurrected.
    EXPECT_EQ(nullptr, UserColumnTargetList());
    CMrktWatchListCtrl& third = MakeList({ 0 }, { 60 });
    m_lists.front().reset();   // an older watch going away leaves the newest recorded
    EXPECT_EQ(&third, UserColumnTargetList());
}
