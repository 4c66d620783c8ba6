// The search list box: Ctrl+V typed on the real keyboard, with the real clipboard.
#include "WidgetTest.h"

#include <widgets/SearchListBox.h>

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
        m_list.SetCurSel(0);
        m_list.SetFocus();
        Pump();
    }
    CString Selected() const
    {
        CString s;
        int n = m_list.GetCurSel();
        if (n >= 0)
            m_list.GetText(n, s);
        return s;
    }

    CSearchListBox m_list;
};

TEST_F(SearchListBoxTest, CtrlVSelectsTheFirstEntryStartingWithTheClipboardText)
{
    TestClipboard::SetText("bank");
    PressKey('V', true);
    EXPECT_STREQ("BANKBARODA", Selected());
    TestClipboard::SetText("BankN");
    PressKey('V', true);
    EXPECT_STREQ("BANKNIFTY", Selected());
    // The search starts from the top, not after the selection.
    TestClipboard::SetText("acc");
    PressKey('V', true);
    EXPECT_STREQ("ACC", Selected());
}

TEST_F(SearchListBoxTest, TextNoEntryBeginsWithLeavesTheSelection)
{
    m_list.SetCurSel(4);
    TestClipboard::SetText("TCS");
    PressKey('V', true);
    EXPECT_STREQ("NIFTY", Selected());
    // "FTY" is inside entries but begins none.
    TestClipboard::SetText("FTY");
    PressKey('V', true);
    EXPECT_STREQ("NIFTY", Selected());
}

TEST_F(SearchListBoxTest, OnlyCtrlVIsTaken)
{
    // A plain V is the list box's own type-ahead.
    PressKey('V');
    EXPECT_STREQ("VOLTAS", Selected());
    TestClipboard::SetText("NIF");
    PressKey('C', true);
    EXPECT_STREQ("VOLTAS", Selected());
    PressKey('V', true);
    EXPECT_STREQ("NIFTY", Selected());
}

TEST_F(SearchListBoxTest, ClipboardsWithoutUsableText)
{
    m_list.SetCurSel(2);
    TestClipboard::Empty();   // nothing at all
    PressKey('V', true);
    EXPECT_STREQ("BANKNIFTY", Selected());

    TestClipboard::SetText("");   // empty text begins every entry; it selects none
    PressKey('V', true);
    EXPECT_STREQ("BANKNIFTY", Selected());

    std::string csMegabyte(1024 * 1024, 'N');
    TestClipboard::SetText(csMegabyte.c_str());
    PressKey('V', true);
    EXPECT_STREQ("BANKNIFTY", Selected());

    // Embedded NUL: the text ends there.
    TestClipboard::SetText(std::string("REL\0IANCEX", 10));
    PressKey('V', true);
    EXPECT_STREQ("RELIANCE", Selected());
}

TEST_F(SearchListBoxTest, AClipboardHeldOpenElsewhereConsumesTheKey)
{
    TestClipboard::SetText("VOL");
    ASSERT_TRUE(::OpenClipboard(m_frame.GetSafeHwnd()));
    PressKey('V', true);
    ::CloseClipboard();
    EXPECT_STREQ("ACC", Selected());
    PressKey('V', true);
    EXPECT_STREQ("VOLTAS", Selected());
}

TEST_F(SearchListBoxTest, MultipleSelectionListsGetTheEntrySelectedAlone)
{
    CSearchListBox multi;
    ASSERT_TRUE(multi.Create(WS_CHILD | WS_VISIBLE | LBS_EXTENDEDSEL, CRect(240, 20, 400, 200), &m_parent,
                             IDC_SYMBOLS + 1));
    for (const char* p : kSymbols)
        multi.AddString(p);
    multi.SetSel(0, TRUE);
    multi.SetSel(1, TRUE);
    multi.SetFocus();
    TestClipboard::SetText("hdfc");
    PressKey('V', true);
    EXPECT_EQ(1, multi.GetSelCount());
    EXPECT_TRUE(multi.GetSel(3));
    EXPECT_EQ(3, multi.GetCaretIndex());
}
