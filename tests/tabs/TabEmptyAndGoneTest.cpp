// A strip with no tabs still paints, and a strip deleted by its host while a rename is open is
// never touched again.
#include "TabFixture.h"

#include "Quarantine.h"
#include "WindowPicture.h"

#include <functional>

namespace
{
class TabEmptyAndGoneTest : public TabTest
{
protected:
    // A real WM_PAINT, then the strip as the user sees it.
    COLORREF PaintAndReadPixel(CPoint pt)
    {
        m_tabs->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        HBITMAP hbm = WindowPicture::Render(m_tabs->m_hWnd);
        const COLORREF clr = WindowPicture::PixelAt(hbm, pt.x, pt.y);
        ::DeleteObject(hbm);
        return clr;
    }
};

TEST_F(TabEmptyAndGoneTest, AStripWithoutTabsPaintsOnlyItsFace)
{
    struct Case
    {
        const char* name;
        std::function<void()> empty;
    };
    const Case cases[] = {
        { "before the first insert", [] {} },
        { "after DeleteAllItems", [this] { AddTabs(3); m_tabs->DeleteAllItems(); } },
        { "after the close button closed the last tab",
          [this] {
              AddTabs(1);
              m_tabs->SetCurSel(0);
              // The host closes the selected tab when told of a press on the close button.
              m_recorder.m_onNote = [this](const sTabNote& note) {
                  if (note.code == CTCN_LBUTTONDOWN && note.nItem == CTCHT_ONCLOSEBUTTON)
                      m_tabs->DeleteItem(m_tabs->GetCurSel());
              };
              Click(ButtonCenter(CTCHT_ONCLOSEBUTTON));
              m_recorder.m_onNote = nullptr;
          } },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        Create(CTCS_CLOSEBUTTON | CTCS_FOURBUTTONS, CRect(0, 0, 300, 20));
        // Where the first tab's text would be.
        const CPoint ptFirstTab(20, 10);
        c.empty();
        ASSERT_EQ(0, m_tabs->GetItemCount());
        EXPECT_EQ(-1, m_tabs->GetCurSel());
        EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), PaintAndReadPixel(ptFirstTab));
        // A tab inserted afterwards is painted over that face again.
        m_tabs->InsertItem(0, "Orders");
        m_tabs->SetCurSel(0);
        EXPECT_NE(::GetSysColor(COLOR_BTNFACE), PaintAndReadPixel(ptFirstTab));
    }
}

TEST_F(TabEmptyAndGoneTest, AStripDeletedDuringItsRenameIsNotTouchedAgain)
{
    using CGoneTabs = CQuarantined<CCustomTabCtrl>;
    struct Case
    {
        const char* name;
        bool bByRenameNotification;   // else deleted while the user types
    };
    const Case cases[] = { { "while typing", false }, { "by the receiver of the rename notification", true } };
    const int nWindows = ThreadWindowCount();
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        m_tabs.reset(new CGoneTabs);
        ASSERT_TRUE(m_tabs->Create(WS_CHILD | WS_VISIBLE | CTCS_EDITLABELS, CRect(0, 0, 400, 20), &m_recorder, 77));
        AddTabs({ "Market", "Orders" });
        m_tabs->SetCurSel(1);
        m_recorder.m_notes.clear();
        m_recorder.m_onNote = [this](const sTabNote& note) {
            if (note.code == CTCN_LABELUPDATE)
                m_tabs.reset();
        };
        m_recorder.Post([this, c] {
            HWND hRename = m_tabs->GetRenameEdit()->m_hWnd;
            ::PostMessageA(hRename, WM_CHAR, 'X', 1);
            if (c.bByRenameNotification)
                ::PostMessageA(hRename, WM_KEYDOWN, VK_RETURN, 1);
            else
                m_recorder.Post([this] { m_tabs.reset(); });
        });
        CCustomTabCtrl* pTabs = m_tabs.get();
        pTabs->EditLabel(1);
        m_recorder.m_onNote = nullptr;
        EXPECT_EQ(nullptr, m_tabs.get());
        EXPECT_EQ(c.bByRenameNotification ? "4:1" : "", Notes());
        EXPECT_EQ(0u, CGoneTabs::WrittenAfterDelete());
        EXPECT_EQ(nWindows, ThreadWindowCount());
        CGoneTabs::Release();
    }
}
}  // namespace

namespace
{
TEST_F(TabEmptyAndGoneTest, ChangesAfterDrawingIsSwitchedBackOnAreRepainted)
{
    Create(CTCS_AUTOHIDEBUTTONS);
    m_tabs->UpdateWindow();
    m_tabs->SetRedraw(FALSE);
    AddTabs(3);
    m_tabs->SetRedraw(TRUE);
    m_tabs->ValidateRect(nullptr);
    m_tabs->InsertItem(3, "Trades");
    CRect rc;
    EXPECT_TRUE(::GetUpdateRect(m_tabs->m_hWnd, &rc, FALSE));
    m_tabs->UpdateWindow();
    EXPECT_FALSE(::GetUpdateRect(m_tabs->m_hWnd, &rc, FALSE));
}
}  // namespace
