// A column text routine that changes the rows while the list is asking it for a text: every path
// that calls the routine (re-filtering, re-filtering one row, giving a row its data, painting)
// meets every change a host makes from inside it, and the list ends up showing exactly the rows
// the host left, each with its own values.
#include "FilterListFixture.h"

namespace
{
enum eHostAction
{
    kDeleteAll,
    kDeleteFirst,
    kInsertFifty,
    kFilterModeOff
};

enum ePath
{
    kPopulate,
    kRepaintMapItem,
    kRepaintDisplayItem,
    kAppendRow,
    kPaint
};

const char* const kActionNames[] = { "delete all", "delete the first row", "insert 50 rows", "filter mode off" };
const char* const kPathNames[] = { "PopulateList", "RepaintMapItem", "RepaintDisplayItem", "InsertItem+SetItemData",
                                   "painting" };
const int kPrice = 1;
}  // namespace

class FilterListHostileRoutineTest : public FilterListTest
{
protected:
    FilterListHostileRoutineTest() { m_dwExtraStyle = LVS_OWNERDRAWFIXED; }

    static FilterListHostileRoutineTest* s_pTest;
    static int s_nCountdown;   // the call that acts; 0 = disarmed
    static eHostAction s_action;

    static int HostileText(ULONGLONG dwItemData, int nColumn, CString& text, unsigned long& clrText,
                           unsigned long& clrBack, int& nImage)
    {
        int nResult = ColumnText(dwItemData, nColumn, text, clrText, clrBack, nImage);
        if (s_nCountdown > 0 && --s_nCountdown == 0)
            s_pTest->Act();
        return nResult;
    }

    void Act()
    {
        switch (s_action)
        {
        case kDeleteAll:
            m_list.DeleteAllItems();
            break;
        case kDeleteFirst:
            m_list.DeleteMapItem(0);
            break;
        case kInsertFifty:
            for (int i = 0; i < 50; ++i)
                Add(("N" + std::to_string(i)).c_str(), "5", "NSE");
            break;
        case kFilterModeOff:
            m_list.SetUseFilter(FALSE);
            break;
        }
    }

    // Ten rows S0..S9 with distinct prices, all on NSE, filtered on NSE, trends on the price, all
    // painted once (every trend record steady).
    void Start()
    {
        for (int i = 0; i < 10; ++i)
            Add(("S" + std::to_string(i)).c_str(), std::to_string(10 * (i + 1)).c_str(), "NSE");
        CArray<int, int> columns;
        columns.Add(kPrice);
        m_list.SetTrendColumns(&columns);
        m_list.m_nTrendInterval = 100000;
        CString filter = "NSE";
        m_list.AddToFilteredCols(2, filter);
        m_list.PopulateList();
        m_list.Invalidate(FALSE);
        m_list.UpdateWindow();
        s_pTest = this;
        m_list.InitColumnTextRtn(&FilterListHostileRoutineTest::HostileText);
    }

    void TearDown() override
    {
        s_nCountdown = 0;
        s_pTest = nullptr;
        FilterListTest::TearDown();
    }
};

FilterListHostileRoutineTest* FilterListHostileRoutineTest::s_pTest = nullptr;
int FilterListHostileRoutineTest::s_nCountdown = 0;
eHostAction FilterListHostileRoutineTest::s_action = kDeleteAll;

TEST_F(FilterListHostileRoutineTest, RowsChangedFromInsideTheRoutineLeaveTheRowsTheHostLeft)
{
    Build();
    for (int path = kPopulate; path <= kPaint; ++path)
    {
        for (int action = kDeleteAll; action <= kFilterModeOff; ++action)
        {
            SCOPED_TRACE(std::string(kPathNames[path]) + ", routine does: " + kActionNames[action]);
            m_list.SetUseFilter(TRUE);
            m_list.InitColumnTextRtn(&FilterListTest::ColumnText);
            m_list.DeleteAllItems();
            m_list.RemoveAllFilters();
            m_rows.clear();
            Start();
            s_action = (eHostAction)action;

            std::vector<std::string> expected;
            for (int i = 0; i < 10; ++i)
                expected.push_back("S" + std::to_string(i));
            switch (path)
            {
            case kPopulate:
                s_nCountdown = 4;   // while the fourth row is tested
                m_list.PopulateList();
                break;
            case kRepaintMapItem:
                Row(5)->exchange = "BSE";   // S5 no longer passes
                expected.erase(expected.begin() + 5);
                s_nCountdown = 1;
                m_list.RepaintMapItem(5);
                break;
            case kRepaintDisplayItem:
                Row(5)->exchange = "BSE";
                expected.erase(expected.begin() + 5);
                s_nCountdown = 1;
                m_list.RepaintDisplayItem(5);
                break;
            case kAppendRow:
                s_nCountdown = 1;   // while the new row is tested against the filter
                Add("NEW", "7", "NSE");
                expected.push_back("NEW");
                break;
            case kPaint:
                s_nCountdown = 5;   // inside the second row
                m_list.Invalidate(FALSE);
                m_list.UpdateWindow();
                break;
            }
            ASSERT_EQ(0, s_nCountdown) << "the routine was not called as often as the path needs";
            Pump();
            m_list.Invalidate(FALSE);
            m_list.UpdateWindow();

            switch (action)
            {
            case kDeleteAll:
            case kFilterModeOff:
                expected.clear();
                break;
            case kDeleteFirst:
                expected.erase(expected.begin());
                break;
            case kInsertFifty:
                for (int i = 0; i < 50; ++i)
                    expected.push_back("N" + std::to_string(i));
                break;
            }
            ExpectInvariants();
            EXPECT_EQ(expected, Shown());
            // No price changed: a trend record that took a neighbour's value would show a mark.
            CTrendValueArray* pArray = nullptr;
            if (m_list.m_bUseFilter && m_list.m_mapTrend.Lookup(kPrice, pArray) && pArray != nullptr)
            {
                for (INT_PTR m = 0; m < pArray->GetSize(); ++m)
                {
                    EXPECT_NE(1, pArray->GetAt(m)->nState) << "row " << MapSymbols()[(size_t)m] << " marked as risen";
                    EXPECT_NE(2, pArray->GetAt(m)->nState) << "row " << MapSymbols()[(size_t)m] << " marked as fallen";
                }
            }
            if (HasFatalFailure())
                return;
        }
    }
}
