// Header and row tooltips of the common list, asked for the way the platform's tooltip asks:
// header tools on the header window (id position + 1), and the row tool whose text comes from the
// parent's provider (both character widths), with hostile providers.
#include "ListFixture.h"

class ListTooltipTest : public PlainListTest
{
protected:
    void SetUp() override
    {
        PlainListTest::SetUp();
        Make(0, { "Symbol", "Bid", "Ask" }, { "ROW0", "ROW1", "ROW2", "ROW3", "ROW4" });
        m_list.InitToolTipRetFunc(static_cast<CCommonListCtrl::PFN_GETROWTOOLTIP>(&CListParent::RowTip));
    }
    // The text and rectangle of a tool, as the tooltip control holds them; "<none>" without one.
    std::string ToolText(HWND hTool, UINT_PTR nId, RECT* pRect = nullptr)
    {
        static char buffer[8192];
        buffer[0] = 0;
        TTTOOLINFOA ti = {};
        ti.cbSize = sizeof(ti);
        ti.hwnd = hTool;
        ti.uId = nId;
        ti.lpszText = buffer;
        if (!m_list.m_ToolTip.SendMessage(TTM_GETTOOLINFOA, 0, (LPARAM)&ti))
            return "<none>";
        if (pRect != nullptr)
            *pRect = ti.rect;
        ti.lpszText = buffer;
        m_list.m_ToolTip.SendMessage(TTM_GETTEXTA, sizeof(buffer), (LPARAM)&ti);
        return buffer;
    }
    HWND Header() { return m_list.GetHeaderCtrl()->m_hWnd; }
    // Asks for the text of tool 2 as the tooltip does; the answer, in either character width.
    std::string NeedText(UINT code)
    {
        NMTTDISPINFOW info = {};
        info.hdr.hwndFrom = m_list.m_ToolTip.m_hWnd;
        info.hdr.idFrom = 2;
        info.hdr.code = code;
        m_list.SendMessage(WM_NOTIFY, 2, (LPARAM)&info);
        if (code == TTN_NEEDTEXTA)
            return reinterpret_cast<NMTTDISPINFOA&>(info).lpszText;
        std::string got;
        for (const WCHAR* p = info.lpszText; *p; ++p)
            got += (char)*p;
        return got;
    }
};

TEST_F(ListTooltipTest, HeaderToolsForExistingPositionsInReportViewFollowingTheColumns)
{
    std::string huge(100 * 1024, 'T');
    // shown: the tool's text afterwards, when added
    struct sCase { int nPosition; const char* text; int nResult; std::string shown; };
    const sCase cases[] = {
        { -1, "x", 0, "<none>" },
        { 0, "Trading symbol", 1, "Trading symbol" },
        { 2, huge.c_str(), 1, "" },   // cut; read back at most as far as the platform's 80
        { 2, nullptr, 1, "Ask" },
        { 3, "beyond", 0, "<none>" },
    };
    for (const sCase& c : cases)
    {
        SCOPED_TRACE(c.nPosition);
        int nTools = m_list.m_ToolTip.GetToolCount();
        EXPECT_EQ(c.nResult, m_list.AddHeaderToolTip(c.nPosition, c.text));
        EXPECT_EQ(nTools, m_list.m_ToolTip.GetToolCount());   // replaced, never added twice
        if (c.nResult && !c.shown.empty()) { EXPECT_EQ(c.shown, ToolText(Header(), (UINT_PTR)c.nPosition + 1)); }
    }
    // The fault: the tool rectangles were not built from the column widths.
    m_list.SetColumnWidth(0, 180);
    RECT rc = {};
    EXPECT_EQ("Bid", ToolText(Header(), 2, &rc));
    EXPECT_EQ(180, rc.left);
    EXPECT_EQ(280, rc.right);
    m_list.InsertColumn(0, "Exchange", LVCFMT_LEFT, 60, 3);
    EXPECT_EQ("Exchange", ToolText(Header(), 1));
    EXPECT_EQ("Ask", ToolText(Header(), 4));
    m_list.DeleteColumn(1);
    EXPECT_EQ("Bid", ToolText(Header(), 2));
    EXPECT_EQ("<none>", ToolText(Header(), 4));
    m_list.ModifyStyle(LVS_TYPEMASK, LVS_LIST);
    EXPECT_EQ(0, m_list.AddHeaderToolTip(0, "list view"));
    EXPECT_EQ("Exchange", ToolText(Header(), 1));
}

TEST_F(ListTooltipTest, NeedTextInBothWidthsAndFromHostileProviders)
{
    RowDrag::Post(m_list.m_hWnd, WM_MOUSEMOVE, 0, RowDrag::RowPoint(m_list.m_hWnd, 1));
    struct sCase { const char* name; std::string text; int nResult; std::string expected; };
    const sCase cases[] = {
        { "plain", "INFY  NSE", 1, "INFY  NSE" },
        { "declined", "ignored", 0, "" },
        { "huge", std::string(100 * 1024, 'G'), 1, std::string(LIST_TIP_TEXT_MAX, 'G') },
        { "embedded NUL", std::string("AB\0CD", 5), 1, "AB" },
    };
    for (const sCase& c : cases)
    {
        for (UINT code : { TTN_NEEDTEXTA, TTN_NEEDTEXTW })
        {
            SCOPED_TRACE(std::string(c.name) + (code == TTN_NEEDTEXTA ? " A" : " W"));
            m_parent.m_tip = c.text;
            m_parent.m_nTipResult = c.nResult;
            EXPECT_EQ(c.expected, NeedText(code));
        }
    }

    EXPECT_EQ(std::vector<int>(8, 1), m_parent.m_asked);   // the row under the mouse
    // A provider that destroys the list: the answer is empty and nothing else happens.
    m_parent.m_bDestroyList = true;
    m_parent.m_tip = "bye";
    EXPECT_EQ("", NeedText(TTN_NEEDTEXTA));
    EXPECT_EQ(nullptr, m_list.GetSafeHwnd());
}
