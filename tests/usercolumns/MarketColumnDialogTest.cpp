// The market watch's user-defined column dialog opened by the list's own commands, as a trader
// reaches it from the menu: the window made again for each command, formulas built with real
// button clicks, and what the list's owner receives (messages 1725, 23024 and 22024 with their
// texts, read while the message is being handled, as a host must), the two counters, and the
// list's position and width arrays after a delete.
#include "TestHost.h"
#include "UserColumnDriver.h"
#include "dialogs/AddUserColDlg.h"
#include "host/ExtraColumns.h"
#include "market/MrktWatchListCtrl.h"

#include <cstring>
#include <memory>

using namespace UserColumnDriver;

namespace
{
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

class MarketColumnDialogTest : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        iMrktInfoColCount = 100;
        iNewDataArrCnt = 0;
        CMrktWatchListCtrl::s_nListsBuilt = 0;
        ASSERT_TRUE(m_owner.CreateRecorder(&m_frame, CRect(0, 0, 700, 400)));
        // What the owner was told, read while it is being told (the texts live only that long).
        m_owner.m_answer = [this](const sRecordedMsg& msg, LRESULT&) {
            if (msg.message == WM_USERCOL_ADDED || msg.message == WM_USERCOL_EDITED || msg.message == WM_USERCOL_DELETED)
            {
                m_told.push_back(std::to_string(msg.message) + " [" + (LPCTSTR)*(CString*)msg.wParam + "] [" +
                                 (LPCTSTR)*(CString*)msg.lParam + "]");
                if (m_bOwnerDestroysList && m_pList)
                    m_pList->DestroyWindow();
            }
            return false;
        };
    }
    void TearDown() override
    {
        if (m_pList && m_pList->GetSafeHwnd() != nullptr)
            m_pList->DestroyWindow();
        m_owner.DestroyWindow();
        iMrktInfoColCount = 100;
        iNewDataArrCnt = 0;
        CMrktWatchListCtrl::s_nListsBuilt = 0;
        HostTest::TearDown();
    }

    // Fields Symbol, Last, Bid, Ask, Time (ids 0-4) and the given user columns, all shown.
    CMrktWatchListCtrl& MakeList(std::vector<std::string> userColumns = {})
    {
        std::string setting;
        for (const std::string& column : userColumns)
            setting += (setting.empty() ? "" : "\xA7") + column;
        if (!setting.empty())
            TestHost::MarketWatchColumns()["MarketWatch"] = setting;
        m_pList = std::make_unique<CMrktWatchListCtrl>();
        CMrktWatchListCtrl& list = *m_pList;
        EXPECT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 680, 380), &m_owner, 300));
        list.SetOwnerWnd(&m_owner);
        const std::pair<const char*, int> fields[] = { { "Symbol", 3 }, { "Last", 2 }, { "Bid", 2 }, { "Ask", 2 }, { "Time", 6 } };
        for (const auto& f : fields)
        {
            sOrvoColInfo info = {};
            strcpy(info.szColName, f.first);
            info.nWidth = 70;
            info.nDataType = f.second;
            list.m_arrColInfo.Add(info);
        }
        for (int id = 0; id < 5; ++id)
        {
            list.m_arrColPosition.Add(id);
            list.m_arrWidth.Add(70);
        }
        // Ids 5-100 have no column; the user columns follow from 101.
        for (int id = 5; id <= 100; ++id)
        {
            list.m_arrColPosition.Add(-1);
            list.m_arrWidth.Add(0);
        }
        for (size_t k = 0; k < userColumns.size(); ++k)
        {
            list.m_arrColPosition.Add(5 + (int)k);
            list.m_arrWidth.Add(80);
        }
        list.InsertColumnsForList();
        return list;
    }
    CAddUserColDlg& Command(UINT nID)
    {
        m_pList->SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0), 0);
        return AddUserColDlg();
    }
    std::string Counters() const { return std::to_string(iMrktInfoColCount) + "/" + std::to_string(iNewDataArrCnt); }

    CMessageRecorder m_owner;
    std::unique_ptr<CMrktWatchListCtrl> m_pList;
    std::vector<std::string> m_told;
    bool m_bOwnerDestroysList = false;
};

TEST_F(MarketColumnDialogTest, AddBuiltByClicksIsReportedToTheOwner)
{
    MakeList({ UserColumn(101, "Spread", " \"3\"-\"2\"", "\"Ask\"-\"Bid\"") });
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
    EXPECT_TRUE(SameSequence(m_told, { "1725 [Mid| ( \"Bid\" + \"Ask\" ) /2] [  ( \"2\" + \"3\" ) /2]" }));
    EXPECT_EQ("102/2", Counters());
    EXPECT_FALSE(dlg.IsWindowVisible());

    // An owner that rebuilds the grid while told (taking the dialog with it) is no trouble.
    CAddUserColDlg& again = Command(ID_LIST_ADD_CUSTOM_COLUMNS);
    m_bOwnerDestroysList = true;
    again.SetDlgItemText(IDC_UCOL_NAME, "Twice");
    again.SetDlgItemText(IDC_UCOL_EXPRESSION, "\"Bid\" * 2");
    Click(again, IDOK);
    EXPECT_EQ(2u, m_told.size());
    EXPECT_EQ("103/3", Counters());
}

TEST_F(MarketColumnDialogTest, RefusalsTellTheOwnerNothing)
{
    // The expression checks are the general dialog's (FormulaColumnDialogTest); these are this one's.
    struct sCase { UINT nCommand; const char* pszName; const char* pszChoose; const char* pszExpression; std::vector<std::string> messages; } cases[] = {
        { ID_LIST_ADD_CUSTOM_COLUMNS, "  ", nullptr, "\"Bid\"", { AUC_MSG_ENTER_NAME } },
        { ID_LIST_ADD_CUSTOM_COLUMNS, "Mid", nullptr, "", { AUC_MSG_ENTER_EXPRESSION } },
        { ID_LIST_ADD_CUSTOM_COLUMNS, "Bid", nullptr, "\"Ask\"", { AUC_MSG_PRESENT } },
        { ID_LIST_ADD_CUSTOM_COLUMNS, "Spread", nullptr, "\"Ask\"", { AUC_MSG_PRESENT } },
        { ID_LIST_ADD_CUSTOM_COLUMNS, "Mid", nullptr, "\"Symbol\" + 1", { UCOL_MSG_INVALID } },
        { ID_LIST_ADD_CUSTOM_COLUMNS, "a|b", nullptr, "\"Bid\"", { UCOL_MSG_NAME_CHARS } },
        { ID_LIST_ADD_CUSTOM_COLUMNS, "x\xA7y", nullptr, "\"Bid\"", { UCOL_MSG_NAME_CHARS } },
        { ID_LIST_EDIT_CUSTOM_COLUMNS, nullptr, nullptr, "\"Bid\"", { AUC_MSG_SELECT_USER } },
        { ID_LIST_EDIT_CUSTOM_COLUMNS, nullptr, "Spread", "", { AUC_MSG_VALID_EXPRESSION } },
        { ID_LIST_EDIT_CUSTOM_COLUMNS, nullptr, "Spread", "\"Ask\" -", { UCOL_MSG_INVALID } },
        { ID_LIST_DELETE_CUSTOM_COLUMNS, nullptr, nullptr, "", { AUC_MSG_SELECT_USER } },
    };
    MakeList({ UserColumn(101, "Spread", " \"3\"-\"2\"", "\"Ask\"-\"Bid\"") });
    for (const sCase& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.nCommand) + " [" + (c.pszName ? c.pszName : "") + "] [" + c.pszExpression + "]");
        CAddUserColDlg& dlg = Command(c.nCommand);
        if (c.pszName != nullptr)
            dlg.SetDlgItemText(IDC_UCOL_NAME, c.pszName);
        if (c.pszChoose != nullptr)
            ChooseUserColumn(dlg, c.pszChoose);
        dlg.SetDlgItemText(IDC_UCOL_EXPRESSION, c.pszExpression);
        m_script.Clear();
        Click(dlg, IDOK);
        EXPECT_TRUE(SameSequence(Shown(m_script.Messages()), c.messages));
        EXPECT_TRUE(m_told.empty());
        EXPECT_EQ("101/1", Counters());
        EXPECT_TRUE(dlg.IsWindowVisible());
        EXPECT_EQ(c.pszExpression, Text(dlg.GetDlgItem(IDC_UCOL_EXPRESSION)));
        if (c.messages[0] == AUC_MSG_PRESENT && std::string(c.pszName) == "Bid")
        {
            EXPECT_EQ(1, dlg.m_ColumnList.GetCurSel());   // the entry "Bid"
        }
    }
    // Unlike the general dialog, "#" and "," are fine here.
    CAddUserColDlg& dlg = Command(ID_LIST_ADD_CUSTOM_COLUMNS);
    dlg.SetDlgItemText(IDC_UCOL_NAME, "A#B,C");
    dlg.SetDlgItemText(IDC_UCOL_EXPRESSION, "\"Bid\"");
    Click(dlg, IDOK);
    EXPECT_TRUE(SameSequence(m_told, { "1725 [A#B,C|\"Bid\"] [ \"2\"]" }));
}

TEST_F(MarketColumnDialogTest, EditShowsTheFormulaAndReportsItEvenWhenTheColumnIsNotShown)
{
    MakeList({ UserColumn(101, "Spread", " \"3\"-\"2\"", "\"Ask\"-\"Bid\"") });
    CAddUserColDlg& dlg = Command(ID_LIST_EDIT_CUSTOM_COLUMNS);
    ChooseUserColumn(dlg, "Spread");
    EXPECT_EQ("\"Ask\"-\"Bid\"", Text(dlg.GetDlgItem(IDC_UCOL_EXPRESSION)));
    Click(dlg, IDC_UCOL_MULTIPLY, true);
    ::SendMessage(dlg.GetDlgItem(IDC_UCOL_EXPRESSION)->m_hWnd, WM_CHAR, '4', 0);
    Click(dlg, IDOK);
    EXPECT_TRUE(m_script.Messages().empty());

    // Hidden from the header and from the layout: said, and reported all the same.
    m_pList->DeleteColumn(5);
    m_pList->m_arrColPosition[101] = -1;
    CAddUserColDlg& hidden = Command(ID_LIST_EDIT_CUSTOM_COLUMNS);
    ChooseUserColumn(hidden, "Spread");
    Click(hidden, IDOK);
    EXPECT_TRUE(SameSequence(Shown(m_script.Messages()), { "Column not found on MarketWatch Spread group" }));
    EXPECT_TRUE(SameSequence(m_told, { "23024 [Spread|\"Ask\"-\"Bid\"*4] [ \"3\"-\"2\"*4]",
                                       "23024 [Spread|\"Ask\"-\"Bid\"] [ \"3\"-\"2\"]" }));
    EXPECT_EQ("101/1", Counters());
}

TEST_F(MarketColumnDialogTest, DeleteTakesTheColumnsBuiltOnItOutOfTheLayout)
{
    MakeList({ UserColumn(101, "Spread", " \"3\"-\"2\"", "\"Ask\"-\"Bid\""),
               UserColumn(102, "Double", " \"101\" * 2", "\"Spread\" * 2"),
               UserColumn(103, "Other", " \"2\" * 1", "\"Bid\" * 1"),
               UserColumn(104, "Quad", " \"102\" * 2", "\"Double\" * 2") });
    m_pList->m_arrWidth[103] = 93;
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
    EXPECT_EQ(expected + ",5", Join(m_pList->m_arrColPosition));
    EXPECT_EQ(widths + ",93", Join(m_pList->m_arrWidth));
    EXPECT_FALSE(dlg.IsWindowVisible());
}

TEST_F(MarketColumnDialogTest, ReopeningLeavesNoWindowsOrGdiObjects)
{
    MakeList({ UserColumn(101, "Spread", " \"3\"-\"2\"", "\"Ask\"-\"Bid\"") });
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
