// The search list box: Ctrl+V typed on the real keyboard, with the real clipboard.
#include "WidgetTest.h"

#include <widgets/SearchListBox.h>

#include <functional>

namespace
{
enum { IDC_SYMBOLS = 1400 };
const char* const kSymbols[] = { "ACC", "BANKBARODA", "BANKNIFTY", "HDFCBANK", "NIFTY", "RELIANCE", "VOLTAS" };
}

class SearchListBoxTest : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY,
                                  CRect(20, 20, 220, 200), &m_parent, IDC_SYMBOLS));
        for (const char* p : kSymbols)
            m_list.AddString(p);
        m_list.SetFocus();
        Pump();
    }
    CString Selected() const
    {
        CString s;
        if (m_list.GetCurSel() >= 0)
            m_list.GetText(m_list.GetCurSel(), s);
        return s;
    }

    CSearchListBox m_list;
};

TEST_F(SearchListBoxTest, CtrlVSelectsTheFirstEntryStartingWithTheClipboardText)
{
    const std::string megabyte(1024 * 1024, 'N');
    const struct
    {
        const char* name;
        int nSelected;   // before the key
        std::function<void()> clipboard;
        WORD wKey;
        bool bCtrl;
        const char* selected;
    } cases[] = {
        // Held open by another window: the key is consumed, nothing selected.
        { "clipboard held open elsewhere", 0,
          [this] { TestClipboard::SetText("VOL"); ::OpenClipboard(m_frame.m_hWnd); }, 'V', true, "ACC" },
        { "prefix, any case", 0, [] { TestClipboard::SetText("bank"); }, 'V', true, "BANKBARODA" },
        { "longer prefix", 0, [] { TestClipboard::SetText("BankN"); }, 'V', true, "BANKNIFTY" },
        { "searched from the top", 5, [] { TestClipboard::SetText("acc"); }, 'V', true, "ACC" },
        // Not from after the selection: that would find the second "BANK" entry.
        { "searched from the top, not after the selection", 1, [] { TestClipboard::SetText("BANK"); }, 'V', true,
          "BANKBARODA" },
        { "no entry begins with it", 4, [] { TestClipboard::SetText("TCS"); }, 'V', true, "NIFTY" },
        { "inside entries only", 4, [] { TestClipboard::SetText("FTY"); }, 'V', true, "NIFTY" },
        { "plain V is type-ahead", 0, [] { TestClipboard::SetText("NIF"); }, 'V', false, "VOLTAS" },
        { "Ctrl+C is not taken", 6, [] { TestClipboard::SetText("NIF"); }, 'C', true, "VOLTAS" },
        { "no text at all", 2, [] { TestClipboard::Empty(); }, 'V', true, "BANKNIFTY" },
        { "empty text selects none", 2, [] { TestClipboard::SetText(""); }, 'V', true, "BANKNIFTY" },
        { "a megabyte", 2, [&] { TestClipboard::SetText(megabyte); }, 'V', true, "BANKNIFTY" },
        { "text ends at a NUL", 2, [] { TestClipboard::SetText(std::string("REL\0IANCEX", 10)); }, 'V', true,
          "RELIANCE" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        m_list.SetCurSel(c.nSelected);
        c.clipboard();
        PressKey(c.wKey, c.bCtrl);
        ::CloseClipboard();
        EXPECT_STREQ(c.selected, Selected());
    }
}

