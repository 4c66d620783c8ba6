// A split button deleted by its owner while its menu is open (from a timer, a message the menu
// loop dispatches, a host callback): the button must not be written or read after it is gone.
#include "WidgetTest.h"

#include "Quarantine.h"

#include <widgets/OrvoSplitButton.h>

#include <functional>

namespace
{
using CGoneButton = CQuarantined<COrvoSplitButton>;

// Runs the owner's action while the menu is showing, then answers with a command.
class CMenuTimeScript : public CRecordingModalScript
{
public:
    std::function<void()> m_whileOpen;
    UINT TrackPopupMenu(const std::vector<CModalMenuItem>& items, UINT nFlags, int x, int y, HWND hOwner) override
    {
        if (m_whileOpen)
            m_whileOpen();
        return CRecordingModalScript::TrackPopupMenu(items, nFlags, x, y, hOwner);
    }
};
}  // namespace

class SplitButtonLifetimeTest : public WidgetTest
{
};

TEST_F(SplitButtonLifetimeTest, ButtonDeletedWhileItsMenuIsOpenIsNotTouchedAgain)
{
    struct Case
    {
        const char* name;
        bool bByKey;   // Down key, else a click on the arrow part
    };
    const Case cases[] = { { "menu opened by a click", false }, { "menu opened by the Down key", true } };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CGoneButton* pButton = new CGoneButton;
        ASSERT_TRUE(pButton->Create("Buy", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(20, 20, 140, 50), &m_parent, 1200));
        pButton->m_menu.AppendMenu(MF_STRING, 2001, "Buy limit");
        pButton->RegisterParentDlg(&m_parent);
        const HWND hButton = pButton->m_hWnd;
        CMenuTimeScript script;
        script.m_menuAnswers = { 2001 };
        script.m_whileOpen = [&pButton] {
            delete pButton;
            pButton = nullptr;
        };
        CModalScriptScope scope(&script);
        m_received.clear();
        if (c.bByKey)
        {
            pButton->SetFocus();
            PressKey(VK_DOWN);
        }
        else
        {
            Click(*pButton, CPoint(120 - 6, 15));
        }
        EXPECT_EQ(1u, script.Count("menu"));
        EXPECT_EQ(nullptr, pButton);
        EXPECT_FALSE(::IsWindow(hButton));
        EXPECT_TRUE(m_received.empty());   // the button that would have sent it is gone
        EXPECT_EQ(0u, CGoneButton::WrittenAfterDelete());
        CGoneButton::Release();
    }
}
