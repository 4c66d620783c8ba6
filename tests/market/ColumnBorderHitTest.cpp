// Which column a click on the pixel between two columns lands in, for the three grids that find
// the cell under the mouse by walking column widths: each gives that pixel to the left column.
#include "TestHost.h"
#include "TestSupport.h"

#include "market/CategoryListCtrl.h"
#include "market/MrktWatchListCtrl.h"
#include "market/PriceLadderListCtrl.h"

#include <functional>
#include <memory>

namespace
{
const int kWidth = 80;

struct sBorderCase
{
    const char* pszList;
    std::function<CListCtrl*()> make;
    std::function<BOOL(CListCtrl*, CPoint, int*, int*)> hit;
    int nColumnAtBorder;   // the column the pixel x = left + kWidth belongs to
};

template <class T>
BOOL Hit(CListCtrl* pList, CPoint point, int* pRow, int* pColumn)
{
    return static_cast<T*>(pList)->HitTestEx(point, pRow, pColumn);
}
}  // namespace

class ColumnBorderHitTest : public HostTest
{
};

TEST_F(ColumnBorderHitTest, BorderPixelGoesToTheLeftColumn)
{
    sMWStruct empty = { nullptr, nullptr };
    const sBorderCase cases[] = {
        { "market watch", [] { return new CMrktWatchListCtrl; }, &Hit<CMrktWatchListCtrl>, 0 },
        { "price ladder", [] { return new CPriceLadderListCtrl; }, &Hit<CPriceLadderListCtrl>, 0 },
        { "category list", [] { return new CCategoryListCtrl; }, &Hit<CCategoryListCtrl>, 0 },
    };
    for (const sBorderCase& c : cases)
    {
        SCOPED_TRACE(c.pszList);
        std::unique_ptr<CListCtrl> list(c.make());
        ASSERT_TRUE(list->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 400, 200), &m_frame, 1301));
        list->SetExtendedStyle(LVS_EX_FULLROWSELECT);
        for (int col = 0; col < 3; ++col)
            list->CListCtrl::InsertColumn(col, "C", LVCFMT_LEFT, kWidth);
        list->CListCtrl::InsertItem(LVIF_TEXT | LVIF_PARAM, 0, "", 0, 0, 0, (LPARAM)&empty);
        CRect rcRow;
        ASSERT_TRUE(list->GetItemRect(0, &rcRow, LVIR_BOUNDS));
        const int y = rcRow.CenterPoint().y;
        struct sProbe
        {
            int x;
            int nColumn;
        } probes[] = {
            { rcRow.left + kWidth - 1, 0 },
            { rcRow.left + kWidth, c.nColumnAtBorder },
            { rcRow.left + kWidth + 1, 1 },
        };
        for (const sProbe& p : probes)
        {
            int nRow = -1, nColumn = -1;
            EXPECT_TRUE(c.hit(list.get(), CPoint(p.x, y), &nRow, &nColumn)) << "x=" << p.x;
            EXPECT_EQ(0, nRow) << "x=" << p.x;
            EXPECT_EQ(p.nColumn, nColumn) << "x=" << p.x;
        }
        list->DestroyWindow();
    }
}
