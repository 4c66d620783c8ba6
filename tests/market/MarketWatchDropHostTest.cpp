// Rows dropped in the market watch while the host changes the list from inside the notifications
// the drop sends: the selection a dragged row loses as it is taken out, its insert when it is put
// in again, and the check box it then gets back. Whatever the host does there, every row shows its
// own texts, record and check box once, and a list the host destroys is not touched again.
#include "TestHost.h"
#include "TestSupport.h"
#include "RowDrag.h"
#include "ShownColumns.h"

#include "market/MrktWatchListCtrl.h"

#include <algorithm>
#include <cstring>

using MarketWatchDropHostTest = HostTest;

namespace
{
// A deleted list's storage is kept, filled with a pattern: a drop that went on reading the list
// after the host deleted it would call through a table pointer that faults.
class CKeptMarketWatch : public CMrktWatchListCtrl
{
public:
    static void* operator new(size_t n) { return ::operator new(n); }
    static void operator delete(void* p, size_t n) { memset(p, 0x11, n); }
};
}  // namespace

TEST_F(MarketWatchDropHostTest, EveryRowKeepsItsOwnTextsRecordAndCheckWhateverTheHostDoes)
{
    enum eWhen { kDeselected, kInserted, kChecked };
    enum eAction { kDeleteRow, kDeleteAbove, kInsertAbove, kDestroy };
    const std::string A = "ACC/100/0/.", B = "BPCL/101/1/x", C = "CIPLA/102/2/.", D = "DLF/103/3/x",
                      E = "EICHER/104/4/.", Z = "ZEEL/105/5/.";
    // The host acts once, on the first notification `when`, on the row it names: the dragged row
    // losing its selection as it is taken out (rows go bottom up: EICHER first), being put in again
    // (top down: DLF first), or getting its check box back (DLF, the only checked one dragged; ACC
    // in the two-row list).
    const struct { const char* name; int nRows; std::vector<int> dragged; int nDrop; eWhen when; eAction action;
                   std::vector<std::string> expected; } cases[] = {
        { "taken out, row deleted", 5, { 3, 4 }, 1, kDeselected, kDeleteRow, { A, B, C, D } },
        { "taken out, dragged row above deleted", 5, { 3, 4 }, 1, kDeselected, kDeleteAbove, { A, B, C, E } },
        { "taken out, row inserted above", 5, { 3, 4 }, 1, kDeselected, kInsertAbove, { A, B, C, D, E, Z } },
        { "taken out, list destroyed", 5, { 3, 4 }, 1, kDeselected, kDestroy, {} },
        { "put in, row deleted", 5, { 3, 4 }, 1, kInserted, kDeleteRow, { A, B, C, E } },
        { "put in, row inserted above", 5, { 3, 4 }, 1, kInserted, kInsertAbove, { A, B, C, D, E, Z } },
        { "checked again, row deleted", 5, { 3, 4 }, 1, kChecked, kDeleteRow, { A, B, C, E } },
        { "checked again, row above deleted", 5, { 3, 4 }, 1, kChecked, kDeleteAbove, { B, C, D, E } },
        { "checked again, row inserted above", 5, { 3, 4 }, 1, kChecked, kInsertAbove, { A, B, C, D, E, Z } },
        { "checked again, list destroyed", 5, { 3, 4 }, 1, kChecked, kDestroy, {} },
        { "two rows, checked again, the other deleted", 2, { 0 }, -1, kChecked, kDeleteAbove, { "ACC/100/0/x" } },
    };
    CMessageRecorder holder;
    ASSERT_TRUE(holder.CreateRecorder(&m_frame, CRect(0, 0, 600, 400)));
    sMWStruct records[6] = {};
    const char* names[] = { "ACC", "BPCL", "CIPLA", "DLF", "EICHER", "ZEEL" };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        std::unique_ptr<CMrktWatchListCtrl> pList(new CKeptMarketWatch);
        ASSERT_TRUE(pList->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(0, 0, 560, 300), &holder, 101));
        CMrktWatchListCtrl& list = *pList;
        list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_CHECKBOXES);
        list.CListCtrl::InsertColumn(0, "Symbol", LVCFMT_LEFT, 100, 0);
        list.CListCtrl::InsertColumn(1, "Last", LVCFMT_RIGHT, 80, 1);
        list.m_bRowDrag = 1;
        // The two-row list checks ACC, the five-row one BPCL and DLF.
        auto insert = [&](int nAt, int r) {
            list.CListCtrl::InsertItem(LVIF_TEXT | LVIF_PARAM, nAt, names[r], 0, 0, 0, (LPARAM)&records[r]);
            list.CListCtrl::SetItemText(nAt, 1, std::to_string(100 + r).c_str());
            list.SetCheck(nAt, c.nRows == 2 ? r == 0 : r == 1 || r == 3);
        };
        for (int r = 0; r < c.nRows; ++r)
            insert(r, r);
        for (int r : c.dragged)
            list.SetItemState(r, LVIS_SELECTED, LVIS_SELECTED);
        const HWND hList = list.m_hWnd;
        CRect rcLast;
        list.GetItemRect(c.nRows - 1, rcLast, LVIR_BOUNDS);
        const CPoint to = c.nDrop >= 0 ? RowDrag::RowPoint(hList, c.nDrop) : CPoint(50, rcLast.bottom + 20);
        RowDrag::Begin(hList, RowDrag::RowPoint(hList, c.dragged.front()), to);
        holder.Clear();
        bool bInserted = false, bActed = false;
        holder.m_answer = [&](const sRecordedMsg& record, LRESULT&) {
            if (record.message != WM_NOTIFY || bActed)
                return false;
            const NMLISTVIEW& nm = *(const NMLISTVIEW*)record.lParam;
            const bool bInsert = nm.hdr.code == LVN_INSERTITEM;
            const bool bChange = nm.hdr.code == LVN_ITEMCHANGED && (nm.uChanged & LVIF_STATE);
            const bool bDeselected = bChange && !bInserted && (nm.uOldState & ~nm.uNewState & LVIS_SELECTED);
            const bool bChecked = bChange && bInserted && ((nm.uOldState ^ nm.uNewState) & LVIS_STATEIMAGEMASK);
            bInserted |= bInsert;
            if (!(c.when == kDeselected ? bDeselected : c.when == kInserted ? bInsert : bChecked))
                return false;
            const int nRow = nm.iItem;
            bActed = true;
            if (c.action == kDeleteRow)
                list.CListCtrl::DeleteItem(nRow);
            else if (c.action == kDeleteAbove)
                list.CListCtrl::DeleteItem(nRow - 1);
            else if (c.action == kInsertAbove)
                insert(nRow, 5);
            else
                pList.reset();
            return false;
        };
        RowDrag::Release(hList, to);
        holder.m_answer = nullptr;
        ASSERT_TRUE(bActed) << "the host never heard the notification it acts on";
        if (c.action == kDestroy)
        {
            EXPECT_FALSE(::IsWindow(hList));
            continue;
        }
        std::vector<std::string> rows = RowsWithRecords(list, records), expected = c.expected;
        std::sort(rows.begin(), rows.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(expected, rows);
        list.DestroyWindow();
    }
}
