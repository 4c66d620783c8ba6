// The header check box of the extended grid sets the whole column and tells the parent of each row
// while the parent, hearing of a row, deletes a row above it, inserts one above it or destroys the
// grid: every row there at the click is set and reported once, none skipped or doubled.
#include "TestHost.h"
#include "TestSupport.h"
#include "xgrid/XListCtrl.h"

#include <memory>
#include <string>
#include <vector>

namespace
{
enum eAction
{
    kDeleteAbove,
    kInsertAbove,
    kDestroy
};
}  // namespace

class XGridHeaderCheckHostTest : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        ASSERT_TRUE(m_parent.CreateRecorder(nullptr, CRect(20, 20, 520, 420)));
    }
    void TearDown() override
    {
        m_parent.m_answer = nullptr;
        m_list.reset();
        m_parent.DestroyWindow();
        HostTest::TearDown();
    }
    // Rows r0..r3, each with an empty check box in column 1; the header box unchecked.
    void Build()
    {
        m_list = std::make_unique<CXListCtrl>();
        ASSERT_TRUE(m_list->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 480, 360), &m_parent, 700));
        m_list->InsertColumn(0, "Name", LVCFMT_LEFT, 120);
        m_list->InsertColumn(1, "Active", LVCFMT_LEFT, 80);
        for (int r = 0; r < 4; ++r)
        {
            m_list->InsertItem(r, ("r" + std::to_string(r)).c_str());
            m_list->SetCheckbox(r, 1, 0);
        }
        ASSERT_EQ(1, m_list->SetHeaderCheckedState(1, XHEADER_CHECK_UNCHECKED));
    }
    // "name/check" of each row, top to bottom.
    std::vector<std::string> Rows()
    {
        std::vector<std::string> rows;
        for (int r = 0; r < m_list->GetItemCount(); ++r)
            rows.push_back(std::string((LPCTSTR)m_list->GetItemText(r, 0)) + "/" +
                           std::to_string(m_list->GetCheckbox(r, 1)));
        return rows;
    }

    CMessageRecorder m_parent;
    std::unique_ptr<CXListCtrl> m_list;
};

TEST_F(XGridHeaderCheckHostTest, EveryRowIsSetAndReportedOnceWhateverTheParentDoes)
{
    // The parent acts when it hears of r1 (the second row reported).
    const struct
    {
        const char* name;
        eAction action;
        std::vector<std::string> expected;
        size_t nReports;
    } cases[] = {
        { "r0 deleted", kDeleteAbove, { "r1/1", "r2/1", "r3/1" }, 4 },
        { "a row inserted on top", kInsertAbove, { "new/0", "r0/1", "r1/1", "r2/1", "r3/1" }, 4 },
        { "grid destroyed", kDestroy, {}, 2 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        Build();
        HWND hList = m_list->m_hWnd;
        size_t nReports = 0;
        m_parent.m_answer = [&](const sRecordedMsg& r, LRESULT&) {
            if (r.message == WM_XLISTCTRL_CHECKBOX_CLICKED)
                delete[] reinterpret_cast<char*>(r.wParam);   // the receiver owns the text
            if (r.message != WM_XLISTCTRL_HEADER_CHECK || ++nReports != 2)
                return false;
            switch (c.action)
            {
            case kDeleteAbove:
                m_list->DeleteItem(0);
                break;
            case kInsertAbove:
                m_list->InsertItem(0, "new");
                m_list->SetCheckbox(0, 1, 0);
                break;
            case kDestroy:
                m_list->DestroyWindow();
                break;
            }
            return false;
        };
        CRect rc;
        m_list->GetHeaderCtrl()->GetItemRect(1, &rc);
        HWND hHeader = m_list->m_HeaderCtrl.m_hWnd;
        ::SendMessageA(hHeader, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rc.CenterPoint().x, rc.CenterPoint().y));
        if (::IsWindow(hHeader))
            ::SendMessageA(hHeader, WM_LBUTTONUP, 0, MAKELPARAM(rc.CenterPoint().x, rc.CenterPoint().y));
        AfxPumpPendingMessages();
        m_parent.m_answer = nullptr;
        EXPECT_EQ(c.nReports, nReports);
        if (c.action == kDestroy)
            EXPECT_FALSE(::IsWindow(hList));
        else
            EXPECT_EQ(c.expected, Rows());
        m_list.reset();
    }
}
