// The host deletes the list (the object, with delete) or only destroys its window while it hears
// of a click on a header filter button. Neither the filter list nor the multi-line list opens its
// value popup or reads anything of itself afterwards.
#include "TestHost.h"
#include "TestSupport.h"
#include "filter/FilterListCtrl.h"
#include "filter/FilterText.h"
#include "market/MultiLineListCtrl.h"

#include <cstring>
#include <functional>

namespace
{
// The storage of a deleted list is kept and filled with a pattern instead of being freed, so a
// list that still read its members after the host deleted it would find a window handle that is
// not null and not its own, instead of the values its destructor happened to leave.
void* s_pKept = nullptr;

template <class Base>
class CKeptList : public Base
{
public:
    static void operator delete(void* p, size_t n)
    {
        memset(p, 0xDD, n);
        s_pKept = p;
    }
};

struct sCase
{
    const char* name;
    bool bMultiLine;
    bool bDelete;   // delete the object, or only destroy its window
};
}  // namespace

class FilterButtonHostTest : public HostTest
{
};

TEST_F(FilterButtonHostTest, ListGoneInsideTheClickNotificationIsNotTouchedAgain)
{
    const sCase cases[] = {
        { "filter list deleted", false, true },
        { "filter list window destroyed", false, false },
        { "multi-line list deleted", true, true },
        { "multi-line list window destroyed", true, false },
    };
    for (const sCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        CMessageRecorder host;
        ASSERT_TRUE(host.CreateRecorder(&m_frame, CRect(0, 0, 600, 400), 0));
        CCommonListCtrl* pList = c.bMultiLine ? static_cast<CCommonListCtrl*>(new CKeptList<CMultiLineListCtrl>)
                                              : static_cast<CCommonListCtrl*>(new CKeptList<CFilterListCtrl>);
        ASSERT_TRUE(pList->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS,
                                  CRect(0, 0, 580, 380), &host, 1001));
        pList->CListCtrl::InsertColumn(0, "Symbol", LVCFMT_LEFT, 120);
        HWND hList = pList->m_hWnd;
        int nHeard = 0;
        host.m_answer = [&](const sRecordedMsg& record, LRESULT&) {
            if (record.message == WM_NOTIFY && record.code == HDN_FILTERBTNCLICK && record.hwndFrom == hList)
            {
                ++nHeard;
                if (c.bDelete)
                    delete pList;
                else
                    pList->DestroyWindow();
            }
            return false;
        };
        HWND hHeader = (HWND)::SendMessageA(hList, LVM_GETHEADER, 0, 0);
        NMHDFILTERBTNCLICK click = {};
        click.hdr.hwndFrom = hHeader;
        click.hdr.idFrom = (UINT_PTR)::GetDlgCtrlID(hHeader);
        click.hdr.code = HDN_FILTERBTNCLICK;
        click.iItem = 0;
        ::SendMessageA(hList, WM_NOTIFY, click.hdr.idFrom, (LPARAM)&click);
        EXPECT_EQ(1, nHeard);
        EXPECT_FALSE(::IsWindow(hList));
        CFilterText& popup = CFilterText::Get();
        EXPECT_FALSE(popup.GetSafeHwnd() != nullptr && popup.IsWindowVisible());
        if (c.bDelete)
        {
            EXPECT_NE(nullptr, s_pKept);
            ::operator delete(s_pKept);
            s_pKept = nullptr;
        }
        else
            delete pList;
        host.DestroyWindow();
    }
}
