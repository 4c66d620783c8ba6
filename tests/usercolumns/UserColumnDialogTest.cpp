// The two user-defined column dialogs driven by clicks (Ctrl held through the keyboard state),
// picks and typed formulas. The general one over a real filter list: messages shown, header, cells,
// the profile read back by a new list. The market one, opened by the list's commands: what the
// list's owner is told (1725, 23024, 22024 with their texts), the counters, the layout arrays.
#include "TestHost.h"
#include "TestSupport.h"
#include "dialogs/AddUserColDlg.h"
#include "dialogs/UserDefinedColDlg.h"
#include "filter/FilterListCtrl.h"
#include "host/ExtraColumns.h"
#include "market/CategoryListCtrl.h"
#include "market/MrktWatchListCtrl.h"
#include "resources/UserColumnRes.h"
#include <OrvoTools.h>

#include <cstring>
#include <memory>

namespace
{
// Row r: Bid 100 + r, Ask 102 + r, Qty 10 * r; the other columns are texts.
int RowText(ULONGLONG dwItemData, int nColumn, CString& text, unsigned long&, unsigned long&, int&)
{
    const int r = (int)dwItemData;
    switch (nColumn)
    {
    case 0: text.Format("S%d", r); return 1;
    case 1: text.Format("%d", 100 + r); return 1;
    case 2: text.Format("%d", 102 + r); return 1;
    case 3: text.Format("%d", 10 * r); return 1;
    default: text = "x"; return 1;
    }
}

std::string Join(const CArray<int, int>& values)
{
    std::string text;
    for (INT_PTR i = 0; i < values.GetSize(); ++i)
        text += (i ? "," : "") + std::to_string(values[i]);
    return text;
}

// A user column of the host's "MarketWatch" setting: id, heading, stored form, display form.
std::string UserColumn(int nId, const char* pszName, const char* pszStored, const char* pszDisplay)
{
    return std::to_string(nId) + "\xA7" + pszName + "\xA7" + pszStored + "\xA7" + pszDisplay;
}
}  // namespace

class UserColumnDialogTest : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        iMrktInfoColCount = 100;
        iNewDataArrCnt = 0;
        CMrktWatchListCtrl::s_nListsBuilt = 0;
        ASSERT_TRUE(m_host.CreateRecorder(&m_frame, CRect(0, 0, 700, 400)));
        // What the market list's owner was told, read while it is being told (the texts live only
        // that long).
        m_host.m_answer = [this](const sRecordedMsg& msg, LRESULT&) {
            if (msg.message == WM_USERCOL_ADDED || msg.message == WM_USERCOL_EDITED || msg.message == WM_USERCOL_DELETED)
            {
                m_told.push_back(std::to_string(msg.message) + " [" + (LPCTSTR)*(CString*)msg.wParam + "] [" +
                                 (LPCTSTR)*(CString*)msg.lParam + "]");
                if (m_bOwnerDestroysList && m_pMarket)
                    m_pMarket->DestroyWindow();
            }
            return false;
        };
    }
    void TearDown() override
    {
        for (auto& p : m_lists)
            if (p->GetSafeHwnd() != nullptr)
                p->DestroyWindow();
        if (m_pMarket && m_pMarket->GetSafeHwnd() != nullptr)
            m_pMarket->DestroyWindow();
        for (int i = 0; i < 2; ++i)
            if (UserDefinedColDlg(i).GetSafeHwnd() != nullptr)
                UserDefinedColDlg(i).ShowWindow(SW_HIDE);
        m_host.DestroyWindow();
        iMrktInfoColCount = 100;
        iNewDataArrCnt = 0;
        CMrktWatchListCtrl::s_nListsBuilt = 0;
        HostTest::TearDown();
    }
    static void SetCtrl(bool bDown)
    {
        BYTE keys[256];
        ::GetKeyboardState(keys);
        keys[VK_CONTROL] = bDown ? 0x80 : 0;
        ::SetKeyboardState(keys);
    }
    static void Click(CWnd& dlg, UINT nID, bool bCtrl = false)
    {
        SetCtrl(bCtrl);
        ::SendMessage(dlg.GetDlgItem(nID)->m_hWnd, BM_CLICK, 0, 0);
        SetCtrl(false);
    }
    static std::string Text(CWnd* pWnd)
    {
        CString text;
        pWnd->GetWindowText(text);
        return (LPCTSTR)text;
    }
    // "text=item data" of each entry of a list box.
    static std::vector<std::string> Entries(CListBox& list)
    {
        std::vector<std::string> v;
        for (int i = 0; i < list.GetCount(); ++i)
        {
            CString text;
            list.GetText(i, text);
            v.push_back(std::string(text) + "=" + std::to_string(list.GetItemData(i)));
        }
        return v;
    }
    // The texts the modal seam showed, as strings.
    std::vector<std::string> Shown() const
    {
        const std::vector<CString> messages = m_script.Messages();
        return std::vector<std::string>(messages.begin(), messages.end());
    }
    // A pick in the list of columns.
    static void Select(CUserColumnDlgBase& dlg, const char* pszName)
    {
        const int n = dlg.m_ColumnList.FindStringExact(-1, pszName);
        ASSERT_GE(n, 0) << pszName;
        dlg.m_ColumnList.SetCurSel(n);
    }
    // A pick in the user column list, with the notification the dialog gets from a real pick.
    static void ChooseUserColumn(CUserColumnDlgBase& dlg, const char* pszName)
    {
        int n = dlg.m_UserColumnList.FindStringExact(-1, pszName);
        ASSERT_GE(n, 0) << pszName;
        dlg.m_UserColumnList.SetCurSel(n);
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_UCOL_USER_COLUMNS, CBN_SELCHANGE), (LPARAM)dlg.m_UserColumnList.m_hWnd);
    }
    static void AddColumns(CCommonListCtrl& list, const std::vector<std::pair<const char*, int>>& columns, int nWidth)
    {
        for (auto& c : columns)
        {
            sOrvoColInfo info = {};
            strlcpy(info.szColName, c.first, sizeof(info.szColName));
            info.nWidth = nWidth;
            info.nDataType = c.second;
            list.m_arrColInfo.Add(info);
        }
    }
    // Symbol (text), Bid, Ask (decimal), Qty (integer), Time (date), plus extra columns; the saved
    // profile of "Grid" is read as the host's own.
    CFilterListCtrl& MakeList(std::vector<std::pair<const char*, int>> extra = {}, DWORD dwVisible = WS_VISIBLE,
                              bool bCategory = false)
    {
        if (bCategory)
            m_lists.push_back(std::make_unique<CCategoryListCtrl>());
        else
            m_lists.push_back(std::make_unique<CFilterListCtrl>());
        CFilterListCtrl& list = *m_lists.back();
        EXPECT_TRUE(list.Create(WS_CHILD | dwVisible | LVS_REPORT | LVS_OWNERDATA, CRect(0, 0, 680, 380), &m_host,
                                1000 + (UINT)m_lists.size()));
        AddColumns(list, { { "Symbol", 3 }, { "Bid", 2 }, { "Ask", 2 }, { "Qty", 1 }, { "Time", 6 } }, 60);
        AddColumns(list, extra, 60);
        list.m_csListName = "Grid";
        list.InitColumnTextRtn(&RowText);
        list.InsertColumnsForList(nullptr);
        list.SetUseFilter(TRUE);
        for (int r = 1; r <= 3; ++r)
        {
            list.InsertItem(0, "", 0);
            list.SetItemData(0, (DWORD_PTR)r);
        }
        return list;
    }

    // As a host opens it: the window made when missing, shown, brought up, then prepared.
    CUserDefinedColDlg& Open(CCommonListCtrl& list, int nMode)
    {
        CUserDefinedColDlg& dlg = UserDefinedColDlg(nMode == UDC_MODE_ADD ? 0 : 1);
        if (dlg.GetSafeHwnd() == nullptr)
        {
            EXPECT_TRUE(dlg.Create(IDD_USER_DEFINED_COL, nullptr));
        }
        dlg.ShowWindow(SW_SHOW);
        dlg.BringWindowToTop();
        dlg.Initialise(&list, nMode);
        return dlg;
    }

    // Name and expression put in, OK clicked.
    void Add(CFilterListCtrl& list, const char* pszName, const char* pszExpression)
    {
        CUserDefinedColDlg& dlg = Open(list, UDC_MODE_ADD);
        dlg.SetDlgItemText(IDC_UCOL_NAME, pszName);
        dlg.SetDlgItemText(IDC_UCOL_EXPRESSION, pszExpression);
        Click(dlg, IDOK);
    }
    static std::vector<std::string> Headers(CListCtrl& list)
    {
        std::vector<std::string> texts;
        CHeaderCtrl* pHeader = list.GetHeaderCtrl();
        for (int i = 0; i < pHeader->GetItemCount(); ++i)
        {
            char sz[128] = "";
            HDITEMA item = {};
            item.mask = HDI_TEXT;
            item.pszText = sz;
            item.cchTextMax = sizeof(sz);
            pHeader->GetItem(i, &item);
            texts.push_back(sz);
        }
        return texts;
    }
    static std::string Cell(CFilterListCtrl& list, int nRow, const char* pszHeading)
    {
        std::vector<std::string> headers = Headers(list);
        for (size_t p = 0; p < headers.size(); ++p)
            if (headers[p] == pszHeading)
                return (LPCTSTR)list.GetItemText(nRow, (int)p);
        return "<no column " + std::string(pszHeading) + ">";
    }
    static std::string Profile() { return TestHost::Settings()[{ "Grid", "COLUMNPROFILE" }]; }
    // The header tooltip of a position, as the platform's tooltip holds it.
    static std::string HeaderTip(CFilterListCtrl& list, int nPosition)
    {
        char buffer[1100] = "";
        TTTOOLINFOA ti = {};
        ti.cbSize = sizeof(ti);
        ti.hwnd = list.GetHeaderCtrl()->m_hWnd;
        ti.uId = (UINT_PTR)nPosition + 1;
        ti.lpszText = buffer;
        if (!list.m_ToolTip.SendMessage(TTM_GETTOOLINFOA, 0, (LPARAM)&ti))
            return "<none>";
        ti.lpszText = buffer;
        list.m_ToolTip.SendMessage(TTM_GETTEXTA, sizeof(buffer), (LPARAM)&ti);
        return buffer;
    }

    // Fields Symbol, Last, Bid, Ask, Time (ids 0-4) and the given user columns, all shown.
    CMrktWatchListCtrl& MakeMarketList(std::vector<std::string> userColumns = {})
    {
        std::string setting;
        for (const std::string& column : userColumns)
            setting += (setting.empty() ? "" : "\xA7") + column;
        if (!setting.empty())
            TestHost::MarketWatchColumns()["MarketWatch"] = setting;
        m_pMarket = std::make_unique<CMrktWatchListCtrl>();
        CMrktWatchListCtrl& list = *m_pMarket;
        EXPECT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 680, 380), &m_host, 300));
        list.SetOwnerWnd(&m_host);
        AddColumns(list, { { "Symbol", 3 }, { "Last", 2 }, { "Bid", 2 }, { "Ask", 2 }, { "Time", 6 } }, 70);
        // Ids 5-100 have no column; the user columns follow from 101, shown after the fields.
        for (int id = 0; id <= 100 + (int)userColumns.size(); ++id)
        {
            list.m_arrColPosition.Add(id < 5 ? id : id > 100 ? id - 96 : -1);
            list.m_arrWidth.Add(id < 5 ? 70 : id > 100 ? 80 : 0);
        }
        list.InsertColumnsForList();
        return list;
    }
    CAddUserColDlg& Command(UINT nID)
    {
        m_pMarket->SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0), 0);
        return AddUserColDlg();
    }
    std::string Counters() const { return std::to_string(iMrktInfoColCount) + "/" + std::to_string(iNewDataArrCnt); }

    CMessageRecorder m_host;
    std::vector<std::unique_ptr<CFilterListCtrl>> m_lists;
    std::unique_ptr<CMrktWatchListCtrl> m_pMarket;
    std::vector<std::string> m_told;
    bool m_bOwnerDestroysList = false;
};

TEST_F(UserColumnDialogTest, FormulaBuiltByClicksComputesComesBackWithTheProfileAndIsEdited)
{
    CFilterListCtrl& list = MakeList();
    CUserDefinedColDlg& dlg = Open(list, UDC_MODE_ADD);
    EXPECT_EQ("Grid: Add Custom Columns", Text(&dlg));
    EXPECT_TRUE(SameSequence(Entries(dlg.m_ColumnList), { "Bid=1", "Ask=2", "Qty=3" }));   // numbers only
    dlg.SetDlgItemText(IDC_UCOL_NAME, "Mid");
    Click(dlg, IDC_UCOL_OPEN, true);
    Select(dlg, "Bid");
    Click(dlg, IDC_UCOL_PLUS);
    Select(dlg, "Ask");
    Click(dlg, IDC_UCOL_END);
    Click(dlg, IDC_UCOL_CLOSE, true);
    Click(dlg, IDC_UCOL_DIVIDE, true);
    ::SendMessage(dlg.GetDlgItem(IDC_UCOL_EXPRESSION)->m_hWnd, WM_CHAR, '2', 0);
    EXPECT_EQ("(\"Bid\" + \"Ask\")/2", Text(dlg.GetDlgItem(IDC_UCOL_EXPRESSION)));
    Click(dlg, IDOK);

    EXPECT_TRUE(m_script.Messages().empty());
    EXPECT_FALSE(dlg.IsWindowVisible());
    EXPECT_TRUE(SameSequence(Headers(list), { "Symbol", "Bid", "Ask", "Qty", "Time", "Mid" }));
    EXPECT_EQ("104.00", Cell(list, 2, "Mid"));
    // A new list over the same settings: the column, its formula and its place come back.
    list.DestroyWindow();
    CFilterListCtrl& again = MakeList();
    EXPECT_TRUE(SameSequence(Headers(again), { "Symbol", "Bid", "Ask", "Qty", "Time", "Mid" }));
    EXPECT_EQ("103.00", Cell(again, 1, "Mid"));
    // Edited: the formula shown, built on, recomputed and stored.
    CUserDefinedColDlg& edit = Open(again, UDC_MODE_EDIT);
    ChooseUserColumn(edit, "Mid");
    EXPECT_EQ("(\"Bid\" + \"Ask\")/2", Text(edit.GetDlgItem(IDC_UCOL_EXPRESSION)));
    Select(edit, "Qty");
    Click(edit, IDC_UCOL_MULTIPLY, true);
    Click(edit, IDC_UCOL_END);
    Click(edit, IDOK);
    EXPECT_TRUE(m_script.Messages().empty());
    EXPECT_EQ("2060.00", Cell(again, 1, "Mid"));
    EXPECT_NE(std::string::npos, Profile().find("(\"Bid\" + \"Ask\")/2*\"Qty\""));
}

TEST_F(UserColumnDialogTest, FormulaANewFormulaColumnOfACategoryListIsReadOnly)
{
    for (BOOL bProfile : { FALSE, TRUE })
    {
        SCOPED_TRACE(bProfile ? "columns translated through the profile" : "list columns");
        TestHost::Settings().clear();   // the first list's saved "Mid" is not read by the second
        CCategoryListCtrl& list = static_cast<CCategoryListCtrl&>(MakeList({}, WS_VISIBLE, true));
        list.m_bColumnProfile = bProfile;
        Add(list, "Mid", "(\"Bid\" + \"Ask\") / 2");
        ASSERT_EQ((std::vector<std::string>{ "Symbol", "Bid", "Ask", "Qty", "Time", "Mid" }), Headers(list));
        EXPECT_TRUE(list.IsReadOnly(5));
        EXPECT_FALSE(list.IsReadOnly(1));
        list.DestroyWindow();
    }
}

TEST_F(UserColumnDialogTest, FormulaButtonsAppendTheirTextsOrRefuseWithoutAColumn)
{
    // pszSelected: null: nothing selected
    struct sCase { UINT nID; bool bCtrl; const char* pszSelected; const char* pszAppended; const char* pszMessage; } cases[] = {
        { IDC_UCOL_MINUS, false, "Ask", "\"Ask\" - ", nullptr },
        { IDC_UCOL_OPEN, false, "Qty", "\"Qty\" ( ", nullptr },
        { IDC_UCOL_SQUARE, false, "Bid", "\"Bid\" ^ 2 ", nullptr },
        { IDC_UCOL_SQUARE, true, nullptr, "^ 2", nullptr },
        { IDC_UCOL_POWER, false, "Bid", "\"Bid\" ^ ", nullptr },
        { IDC_UCOL_DIVIDE, false, nullptr, "", UCOL_MSG_SELECT_COLUMN },
        { IDC_UCOL_CLOSE, false, nullptr, "", UCOL_MSG_SELECT_COLUMN },
        { IDC_UCOL_END, false, nullptr, "", UCOL_MSG_NO_COLUMN },
        { IDC_UCOL_END, true, "Qty", "\"Qty\"", nullptr },
    };
    CFilterListCtrl& list = MakeList();
    for (const sCase& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.nID) + (c.bCtrl ? " with Ctrl" : ""));
        CUserDefinedColDlg& dlg = Open(list, UDC_MODE_ADD);
        dlg.SetDlgItemText(IDC_UCOL_EXPRESSION, "1 +");
        if (c.pszSelected != nullptr)
            Select(dlg, c.pszSelected);
        m_script.Clear();
        Click(dlg, c.nID, c.bCtrl);
        EXPECT_EQ("1 +" + std::string(c.pszAppended), Text(dlg.GetDlgItem(IDC_UCOL_EXPRESSION)));
        EXPECT_TRUE(SameSequence(Shown(), c.pszMessage ? std::vector<std::string>{ c.pszMessage }
                                                                             : std::vector<std::string>{}));
    }
    // A real double click on an operator appends the operator alone.
    CUserDefinedColDlg& dlg = Open(list, UDC_MODE_ADD);
    Select(dlg, "Bid");
    Click(dlg, IDC_UCOL_CLEAR);
    HWND hMinus = dlg.GetDlgItem(IDC_UCOL_MINUS)->m_hWnd;
    ::SendMessage(hMinus, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3));
    ::SendMessage(hMinus, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ("-", Text(dlg.GetDlgItem(IDC_UCOL_EXPRESSION)));
}

// Each refusal shows its one message, leaves the dialog open with the formula as typed, and
// changes nothing: no column, no stored profile, nothing told to the market list's owner.
TEST_F(UserColumnDialogTest, RefusalsComeInOrderAndChangeNothing)
{
    const UINT kAdd = ID_LIST_ADD_CUSTOM_COLUMNS, kEdit = ID_LIST_EDIT_CUSTOM_COLUMNS, kDelete = ID_LIST_DELETE_CUSTOM_COLUMNS;
    static const std::string kLong(64, 'N');
    // bMarket: the market dialog opened by command nOpen, else the general one in mode nOpen;
    // name, choose: nullptr: not put in. The formula checks themselves are FormulaColumnTest's:
    // here an unknown name, a text column (not offered) and blanks.
    struct sCase { bool bMarket; UINT nOpen; const char* name; const char* choose; const char* expression; const char* message; } const cases[] = {
        { false, UDC_MODE_ADD, "   ", nullptr, "", UDC_MSG_ENTER_NAME },
        { false, UDC_MODE_ADD, "A#B", nullptr, "", UDC_MSG_NAME_DELIMITERS },
        { false, UDC_MODE_ADD, "A,B", nullptr, "\"Bid\"", UDC_MSG_NAME_DELIMITERS },
        { false, UDC_MODE_ADD, kLong.c_str(), nullptr, "\"Bid\"", UCOL_MSG_NAME_TOO_LONG },
        { false, UDC_MODE_ADD, "Say \"hi\"", nullptr, "\"Bid\"", UCOL_MSG_NAME_CHARS },
        { false, UDC_MODE_ADD, "Mid", nullptr, "", UDC_MSG_EMPTY_EXPRESSION },
        { false, UDC_MODE_ADD, "Mid", nullptr, "\"Nope\" + 1", UCOL_MSG_INVALID },
        { false, UDC_MODE_ADD, "Mid", nullptr, "\"Symbol\" + 1", UCOL_MSG_INVALID },
        { false, UDC_MODE_ADD, "Mid", nullptr, "   ", UCOL_MSG_INVALID },
        { false, UDC_MODE_ADD, "Bid", nullptr, "\"Ask\"", UDC_MSG_NAME_PRESENT },
        { false, UDC_MODE_EDIT, nullptr, nullptr, "\"Bid\"", UDC_MSG_NONE_TO_EDIT },
        { false, UDC_MODE_EDIT, nullptr, "Spr", "", UDC_MSG_EMPTY_EXPRESSION },
        { false, UDC_MODE_EDIT, nullptr, "Spr", "\"Spr\" +", UCOL_MSG_INVALID },
        { false, UDC_MODE_DELETE, nullptr, nullptr, "", UDC_MSG_NONE_TO_DELETE },
        { true, kAdd, "  ", nullptr, "\"Bid\"", AUC_MSG_ENTER_NAME },
        { true, kAdd, "Mid", nullptr, "", AUC_MSG_ENTER_EXPRESSION },
        { true, kAdd, "Bid", nullptr, "\"Ask\"", AUC_MSG_PRESENT },
        { true, kAdd, "Spread", nullptr, "\"Ask\"", AUC_MSG_PRESENT },
        { true, kAdd, "Mid", nullptr, "\"Symbol\" + 1", UCOL_MSG_INVALID },
        { true, kAdd, "a|b", nullptr, "\"Bid\"", UCOL_MSG_NAME_CHARS },
        { true, kAdd, "x\xA7y", nullptr, "\"Bid\"", UCOL_MSG_NAME_CHARS },
        { true, kEdit, nullptr, nullptr, "\"Bid\"", AUC_MSG_SELECT_USER },
        { true, kEdit, nullptr, "Spread", "", AUC_MSG_VALID_EXPRESSION },
        { true, kEdit, nullptr, "Spread", "\"Ask\" -", UCOL_MSG_INVALID },
        { true, kDelete, nullptr, nullptr, "", AUC_MSG_SELECT_USER },
    };
    CFilterListCtrl& list = MakeList();
    Add(list, "Spr", "\"Ask\" - \"Bid\"");
    MakeMarketList({ UserColumn(101, "Spread", " \"3\"-\"2\"", "\"Ask\"-\"Bid\"") });
    auto state = [&] {
        return Profile() + "|" + std::to_string(list.m_arrColInfo.GetSize()) + "|" +
               std::to_string(list.GetHeaderCtrl()->GetItemCount()) + "|" + (LPCTSTR)list.m_arrColInfo[5].csText1 + "|" +
               Counters() + "|" + std::to_string(m_told.size());
    };
    const std::string before = state();
    EXPECT_EQ("6|6| \"2\" - \"1\"|101/1|0", before.substr(before.find('|') + 1));
    for (const sCase& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.nOpen) + " [" + (c.name ? c.name : "") + "] [" + c.expression + "]");
        CUserColumnDlgBase& dlg = c.bMarket ? static_cast<CUserColumnDlgBase&>(Command(c.nOpen)) : Open(list, c.nOpen);
        if (c.name != nullptr)
            dlg.SetDlgItemText(IDC_UCOL_NAME, c.name);
        if (c.choose != nullptr)
            ChooseUserColumn(dlg, c.choose);
        dlg.SetDlgItemText(IDC_UCOL_EXPRESSION, c.expression);
        m_script.Clear();
        Click(dlg, IDOK);
        EXPECT_TRUE(SameSequence(Shown(), { c.message }));
        EXPECT_TRUE(dlg.IsWindowVisible());
        EXPECT_EQ(c.expression, Text(dlg.GetDlgItem(IDC_UCOL_EXPRESSION)));
        EXPECT_EQ(before, state());
    }
    // Unlike the general dialog, the market one takes "#" and ",".
    CAddUserColDlg& dlg = Command(kAdd);
    dlg.SetDlgItemText(IDC_UCOL_NAME, "A#B,C");
    dlg.SetDlgItemText(IDC_UCOL_EXPRESSION, "\"Bid\"");
    Click(dlg, IDOK);
    EXPECT_TRUE(SameSequence(m_told, { "1725 [A#B,C|\"Bid\"] [ \"2\"]" }));
}

TEST_F(UserColumnDialogTest, FormulaNamesConvertExactlyAndTheFirstOfTwinsWins)
{
    // "Px" twice (indexes 5 and 6) and "px" (7), all decimal.
    CFilterListCtrl& list = MakeList({ { "Px", 2 }, { "Px", 2 }, { "px", 2 } });
    // pszRow0: the cell of the first row
    struct sCase { const char* pszName; const char* pszExpression; const char* pszStored; const char* pszRow0; } cases[] = {
        { "F1", "\"Bid\" * 2", " \"1\" * 2", "202.00" },
        { "F2", "\"Px\" + \"px\"", " \"5\" + \"7\"", "0.00" },
        { "F3", "\"Qty\"*3-\"Bid\"", " \"3\"*3-\"1\"", "-71.00" },
        { "F4", "\"F1\" / \"Qty\"", " \"8\" / \"3\"", "20.20" },
    };
    for (const sCase& c : cases)
    {
        SCOPED_TRACE(c.pszExpression);
        m_script.Clear();
        Add(list, c.pszName, c.pszExpression);
        EXPECT_TRUE(m_script.Messages().empty());
        const sOrvoColInfo& info = list.m_arrColInfo[list.m_arrColInfo.GetSize() - 1];
        EXPECT_EQ(c.pszStored, std::string(info.csText1));
        EXPECT_EQ(c.pszRow0, Cell(list, 0, c.pszName));
    }
}

TEST_F(UserColumnDialogTest, FormulaDeletingTakesEveryColumnBuiltOnItHiddenOrNot)
{
    CFilterListCtrl& list = MakeList();
    Add(list, "A", "\"Bid\" * 2");       // 5
    EXPECT_EQ("\"Bid\" * 2", HeaderTip(list, 5));   // the display form, not the name
    Add(list, "Keep", "\"Ask\" + 1");    // 6
    Add(list, "B", "\"A\" + 1");         // 7
    Add(list, "C", "\"B\" * 3");         // 8, through B
    Add(list, "Top", "\"Keep\" * 10");   // 9
    // B is hidden: shown are everything but B, in index order.
    CArray<int, int> columns, widths;
    for (int c : { 0, 1, 2, 3, 4, 5, 6, 8, 9 })
    {
        columns.Add(c);
        widths.Add(60);
    }
    list.LoadHeaders(columns, widths);
    ASSERT_TRUE(SameSequence(Headers(list), { "Symbol", "Bid", "Ask", "Qty", "Time", "A", "Keep", "C", "Top" }));
    // Trends on A and Keep and a filter on Keep: those of Keep stay on it (a fault once).
    CArray<int, int> trends;
    trends.Add(5);
    trends.Add(6);
    list.SetTrendColumns(&trends);
    CString csFilter = "105.00";   // Keep of the second row
    list.SetVisibleColumnFilter(6, csFilter, 1);
    list.PopulateList();
    ASSERT_EQ(1, list.GetDisplayCount());

    CUserDefinedColDlg& dlg = Open(list, UDC_MODE_DELETE);
    ChooseUserColumn(dlg, "A");
    m_script.Clear();
    Click(dlg, IDOK);
    EXPECT_TRUE(m_script.Messages().empty());

    EXPECT_TRUE(SameSequence(Headers(list), { "Symbol", "Bid", "Ask", "Qty", "Time", "Keep", "Top" }));
    // Tooltips follow: names for built-in columns, display forms for the formula columns.
    std::vector<std::string> tips;
    for (int p = 0; p < 7; ++p)
        tips.push_back(HeaderTip(list, p));
    EXPECT_TRUE(SameSequence(tips, { "Symbol", "Bid", "Ask", "Qty", "Time", "\"Ask\" + 1", "\"Keep\" * 10" }));
    ASSERT_EQ(7, list.m_arrColInfo.GetSize());
    EXPECT_EQ(" \"5\" * 10", std::string(list.m_arrColInfo[6].csText1));   // Keep moved from 6 to 5
    EXPECT_EQ(1, list.GetDisplayCount());
    EXPECT_EQ("1050.00", Cell(list, 0, "Top"));
    std::vector<int> keys;
    for (POSITION pos = list.m_mapTrend.GetStartPosition(); pos != nullptr;)
    {
        int nColumn = 0;
        CTrendValueArray* pArray = nullptr;
        list.m_mapTrend.GetNextAssoc(pos, nColumn, pArray);
        keys.push_back(nColumn);
    }
    EXPECT_EQ(std::vector<int>{ 5 }, keys);
    EXPECT_EQ(std::string::npos, Profile().find("A#"));
    EXPECT_EQ(std::string::npos, Profile().find("B#"));
    list.DestroyWindow();
    CFilterListCtrl& again = MakeList();
    EXPECT_TRUE(SameSequence(Headers(again), { "Symbol", "Bid", "Ask", "Qty", "Time", "Keep", "Top" }));
    EXPECT_EQ("1050.00", Cell(again, 1, "Top"));
}

TEST_F(UserColumnDialogTest, FormulaHostileAndHugeStates)
{
    // Preparing for a list whose built-in count exceeds its records refuses.
    CFilterListCtrl& broken = MakeList();
    broken.m_nBuiltInColumns = 9;
    Open(broken, UDC_MODE_ADD);
    EXPECT_TRUE(SameSequence(Shown(), { UDC_MSG_PREPARE_FAILED }));

    // A list destroyed while the dialog is open: OK lets go and closes.
    CFilterListCtrl& doomed = MakeList();
    CUserDefinedColDlg& dlg = Open(doomed, UDC_MODE_ADD);
    dlg.SetDlgItemText(IDC_UCOL_NAME, "Mid");
    dlg.SetDlgItemText(IDC_UCOL_EXPRESSION, "\"Bid\"");
    m_lists.back()->DestroyWindow();
    m_lists.pop_back();
    m_script.Clear();
    Click(dlg, IDOK);
    EXPECT_FALSE(dlg.IsWindowVisible());
    EXPECT_TRUE(m_script.Messages().empty());
    EXPECT_EQ(nullptr, dlg.m_pList);

    // 123 columns offered; a formula of 32,000 characters (the edit takes 32,767 from the user)
    // over the last of them, whose index has three digits.
    std::vector<std::string> names(120);
    std::vector<std::pair<const char*, int>> extra;
    for (int i = 0; i < 120; ++i)
        extra.push_back({ (names[i] = "C" + std::to_string(i)).c_str(), 2 });
    // Hidden: the platform list repaints its header after every column it gets while shown.
    CFilterListCtrl& wide = MakeList(extra, 0);
    EXPECT_EQ(123, Open(wide, UDC_MODE_ADD).m_ColumnList.GetCount());
    std::string formula = "\"C119\"";
    int nOnes = 0;
    for (; formula.size() < 32000; ++nOnes)
        formula += " + 1";
    m_script.Clear();
    Add(wide, "Big", formula.c_str());
    EXPECT_TRUE(m_script.Messages().empty());
    ASSERT_EQ(126, wide.m_arrColInfo.GetSize());
    EXPECT_EQ(formula, std::string(wide.m_arrColInfo[125].csText2));
    EXPECT_EQ(" \"124\"", std::string(wide.m_arrColInfo[125].csText1).substr(0, 6));
    EXPECT_EQ(std::to_string(nOnes) + ".00", Cell(wide, 0, "Big"));
}

TEST_F(UserColumnDialogTest, MarketAddAndEditAreReportedToTheOwnerEvenForAColumnNotShown)
{
    MakeMarketList({ UserColumn(101, "Spread", " \"3\"-\"2\"", "\"Ask\"-\"Bid\"") });
    CAddUserColDlg& dlg = Command(ID_LIST_ADD_CUSTOM_COLUMNS);
    EXPECT_TRUE(dlg.IsWindowVisible());
    EXPECT_TRUE(SameSequence(Entries(dlg.m_ColumnList), { "Last=1", "Bid=2", "Ask=3", "Spread=101" }));
    dlg.SetDlgItemText(IDC_UCOL_NAME, "Mid");
    Click(dlg, IDC_UCOL_OPEN);
    Select(dlg, "Bid");
    Click(dlg, IDC_UCOL_PLUS);
    Select(dlg, "Ask");
    Click(dlg, IDC_UCOL_END);
    Click(dlg, IDC_UCOL_CLOSE);
    Click(dlg, IDC_UCOL_DIVIDE, true);
    ::SendMessage(dlg.GetDlgItem(IDC_UCOL_EXPRESSION)->m_hWnd, WM_CHAR, '2', 0);
    EXPECT_EQ(" ( \"Bid\" + \"Ask\" ) /2", Text(dlg.GetDlgItem(IDC_UCOL_EXPRESSION)));
    Click(dlg, IDOK);
    EXPECT_TRUE(m_script.Messages().empty());
    EXPECT_FALSE(dlg.IsWindowVisible());
    EXPECT_EQ("102/2", Counters());

    CAddUserColDlg& edit = Command(ID_LIST_EDIT_CUSTOM_COLUMNS);
    ChooseUserColumn(edit, "Spread");
    EXPECT_EQ("\"Ask\"-\"Bid\"", Text(edit.GetDlgItem(IDC_UCOL_EXPRESSION)));
    Click(edit, IDC_UCOL_MULTIPLY, true);
    ::SendMessage(edit.GetDlgItem(IDC_UCOL_EXPRESSION)->m_hWnd, WM_CHAR, '4', 0);
    Click(edit, IDOK);
    EXPECT_TRUE(m_script.Messages().empty());
    // Hidden from the header and from the layout: said, and reported all the same.
    m_pMarket->DeleteColumn(5);
    m_pMarket->m_arrColPosition[101] = -1;
    CAddUserColDlg& hidden = Command(ID_LIST_EDIT_CUSTOM_COLUMNS);
    ChooseUserColumn(hidden, "Spread");
    Click(hidden, IDOK);
    EXPECT_TRUE(SameSequence(Shown(), { "Column not found on MarketWatch Spread group" }));
    EXPECT_TRUE(SameSequence(m_told, { "1725 [Mid| ( \"Bid\" + \"Ask\" ) /2] [  ( \"2\" + \"3\" ) /2]",
                                       "23024 [Spread|\"Ask\"-\"Bid\"*4] [ \"3\"-\"2\"*4]",
                                       "23024 [Spread|\"Ask\"-\"Bid\"] [ \"3\"-\"2\"]" }));
    EXPECT_EQ("102/2", Counters());

    // An owner that rebuilds the grid while told (taking the dialog with it) is no trouble.
    CAddUserColDlg& again = Command(ID_LIST_ADD_CUSTOM_COLUMNS);
    m_bOwnerDestroysList = true;
    again.SetDlgItemText(IDC_UCOL_NAME, "Twice");
    again.SetDlgItemText(IDC_UCOL_EXPRESSION, "\"Bid\" * 2");
    Click(again, IDOK);
    EXPECT_EQ(4u, m_told.size());
    EXPECT_EQ("103/3", Counters());
}

TEST_F(UserColumnDialogTest, MarketDeleteTakesTheColumnsBuiltOnItOutOfTheLayout)
{
    MakeMarketList({ UserColumn(101, "Spread", " \"3\"-\"2\"", "\"Ask\"-\"Bid\""),
               UserColumn(102, "Double", " \"101\" * 2", "\"Spread\" * 2"),
               UserColumn(103, "Other", " \"2\" * 1", "\"Bid\" * 1"),
               UserColumn(104, "Quad", " \"102\" * 2", "\"Double\" * 2") });
    m_pMarket->m_arrWidth[103] = 93;
    ASSERT_EQ("104/4", Counters());
    CAddUserColDlg& dlg = Command(ID_LIST_DELETE_CUSTOM_COLUMNS);
    ChooseUserColumn(dlg, "Spread");
    Click(dlg, IDOK);
    EXPECT_TRUE(m_script.Messages().empty());
    EXPECT_TRUE(SameSequence(m_told, { "22024 [Spread] [\"Bid\" * 1]" }));
    EXPECT_EQ("101/1", Counters());
    // Fields 0-4 and Other (id 103, to be 101), which closes up to the place after them.
    std::string expected = "0,1,2,3,4", widths = "70,70,70,70,70";
    for (int id = 5; id <= 100; ++id)
    {
        expected += ",-1";
        widths += ",0";
    }
    EXPECT_EQ(expected + ",5", Join(m_pMarket->m_arrColPosition));
    EXPECT_EQ(widths + ",93", Join(m_pMarket->m_arrWidth));
    EXPECT_FALSE(dlg.IsWindowVisible());
}

TEST_F(UserColumnDialogTest, MarketReopeningLeavesNoWindowsOrGdiObjects)
{
    MakeMarketList({ UserColumn(101, "Spread", " \"3\"-\"2\"", "\"Ask\"-\"Bid\"") });
    Command(ID_LIST_ADD_CUSTOM_COLUMNS);
    const int nWindows = TestLeaks::Windows(), nGdi = TestLeaks::GdiObjects();
    const UINT commands[] = { ID_LIST_EDIT_CUSTOM_COLUMNS, ID_LIST_DELETE_CUSTOM_COLUMNS, ID_LIST_ADD_CUSTOM_COLUMNS };
    for (int i = 0; i < 30; ++i)
    {
        CAddUserColDlg& dlg = Command(commands[i % 3]);
        if (i % 2 == 0)
            Click(dlg, IDCANCEL);
    }
    EXPECT_EQ(nWindows, TestLeaks::Windows());
    EXPECT_EQ(nGdi, TestLeaks::GdiObjects());
}
