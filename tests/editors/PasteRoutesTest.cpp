// Every way text reaches an edit box from the clipboard: the WM_PASTE message a host sends,
// Ctrl+V, Shift+Insert (which Wine's edit control carries out without WM_PASTE) and Paste on the
// right-button context menu (which Wine's edit control shows from WM_CONTEXTMENU). Whatever the
// route, the box ends with a valid text. Also: many invalid characters arriving at once, and an
// extreme precision.
#include "EditorTest.h"

#include "editors/AlphaNumericEdit.h"
#include "editors/NumEdit.h"
#include "editors/PriceEdit.h"

#include <climits>
#include <string>

namespace
{
enum class Route
{
    Message,
    CtrlV,
    ShiftInsert,
    RightClick,
};

const Route kRoutes[] = { Route::Message, Route::CtrlV, Route::ShiftInsert, Route::RightClick };

const char* Name(Route route)
{
    switch (route)
    {
    case Route::Message: return "WM_PASTE";
    case Route::CtrlV: return "Ctrl+V";
    case Route::ShiftInsert: return "Shift+Insert";
    default: return "right-click Paste";
    }
}

// Holds a key down in the thread's keyboard state for as long as it lives.
class CKeyHeld
{
public:
    explicit CKeyHeld(int nKey) : m_nKey(nKey)
    {
        BYTE state[256];
        ::GetKeyboardState(state);
        state[nKey] |= 0x80;
        ::SetKeyboardState(state);
    }
    ~CKeyHeld()
    {
        BYTE state[256];
        ::GetKeyboardState(state);
        state[m_nKey] &= (BYTE)~0x80;
        ::SetKeyboardState(state);
    }
    CKeyHeld(const CKeyHeld&) = delete;
    CKeyHeld& operator=(const CKeyHeld&) = delete;

private:
    int m_nKey;
};

class PasteRoutesTest : public EditorTest
{
protected:
    void TearDown() override
    {
        // Nothing typed for the test may stay queued for the next one.
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE))
        {
        }
        EditorTest::TearDown();
    }

    // Pastes the clipboard into the box the way a user or host does it.
    void PasteBy(CEdit& box, Route route)
    {
        switch (route)
        {
        case Route::Message:
            box.SendMessage(WM_PASTE);
            break;
        case Route::CtrlV:
        {
            CKeyHeld ctrl(VK_CONTROL);
            box.SendMessage(WM_KEYDOWN, 'V', 0x002F0001);
            box.SendMessage(WM_CHAR, 0x16, 0x002F0001);
            box.SendMessage(WM_KEYUP, 'V', 0xC02F0001);
            break;
        }
        case Route::ShiftInsert:
        {
            CKeyHeld shift(VK_SHIFT);
            box.SendMessage(WM_KEYDOWN, VK_INSERT, 0x01520001);
            box.SendMessage(WM_KEYUP, VK_INSERT, 0xC1520001);
            break;
        }
        case Route::RightClick:
        {
            // A menu of the platform's own would run a modal loop here: the queued 'p' picks its
            // Paste, the Escape closes whatever is left, so the test never blocks. The box's own
            // menu goes through the modal script, which answers with the Paste command.
            ::PostMessageA(box.m_hWnd, WM_CHAR, 'p', 0x00190001);
            ::PostMessageA(box.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
            m_script.m_menuAnswers.push_back(WM_PASTE);
            box.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
            box.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
            MSG msg;
            while (::PeekMessageA(&msg, box.m_hWnd, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE))
            {
            }
            m_script.m_menuAnswers.clear();
            break;
        }
        }
    }

    // The box's context menu as the modal script saw it, "" when none was shown.
    CModalMenuItem MenuItem(UINT nID)
    {
        for (const CModalRecord& r : m_script.m_records)
        {
            if (r.kind != "menu")
                continue;
            for (const CModalMenuItem& item : r.menu)
                if (item.id == nID)
                    return item;
        }
        return CModalMenuItem{ "", 0, 0, 0 };
    }

    void Reset()
    {
        Balloons().clear();
        m_script.Clear();
    }
};

TEST_F(PasteRoutesTest, PriceBoxRefusesAPasteThatSpoilsTheCombinedText)
{
    CPriceEdit box;
    CreateBox(box);
    for (Route route : kRoutes)
    {
        SCOPED_TRACE(Name(route));
        Reset();
        // The pasted part alone is a fine number; with the text around it there are two points.
        box.SetWindowText("1.5");
        Caret(box, 3);
        SetClipboard("2.5");
        PasteBy(box, route);
        EXPECT_STREQ("1.5", Text(box));
        ASSERT_EQ(1u, Balloons().size());
        EXPECT_EQ(L"You can only type a number here.", Balloons()[0].text);
        EXPECT_EQ(1u, Beeps());

        // A clipboard text that is no number at all.
        Reset();
        SetClipboard("12a");
        PasteBy(box, route);
        EXPECT_STREQ("1.5", Text(box));
        EXPECT_EQ(1u, Balloons().size());

        // Too many decimals and too many digits once combined.
        Reset();
        SetClipboard("67891");
        PasteBy(box, route);
        EXPECT_STREQ("1.5", Text(box));
        EXPECT_EQ(1u, Balloons().size());
        Reset();
        box.SetWindowText("123,456,789,012");
        Caret(box, 15);
        SetClipboard("7777");
        PasteBy(box, route);
        EXPECT_STREQ("123,456,789,012", Text(box));
        ASSERT_EQ(1u, Balloons().size());
        EXPECT_EQ(L"Only 15 digits allowed", Balloons()[0].text);

        // A paste that fits goes in and is grouped.
        Reset();
        box.SetWindowText("12");
        box.SetSel(0, 1);
        SetClipboard("34,5");
        PasteBy(box, route);
        EXPECT_STREQ("3,452", Text(box));
        EXPECT_TRUE(Balloons().empty());
        EXPECT_EQ(0u, Beeps());
    }
}

TEST_F(PasteRoutesTest, PriceBoxContextMenuOffersTheEditCommands)
{
    CPriceEdit box;
    CreateBox(box);
    box.SetWindowText("1,234");
    box.SetSel(0, 1);
    SetClipboard("9");
    PasteBy(box, Route::RightClick);
    EXPECT_STREQ("9,234", Text(box));
    ASSERT_EQ(1u, m_script.Count("menu"));
    EXPECT_STREQ("&Paste", MenuItem(WM_PASTE).text);
    EXPECT_EQ(0u, MenuItem(WM_PASTE).state & MF_GRAYED);
    EXPECT_STREQ("&Copy", MenuItem(WM_COPY).text);
    EXPECT_STREQ("Select &All", MenuItem(EM_SETSEL).text);

    // Cut and Delete that would leave a value outside the bounds are refused like a paste.
    Reset();
    box.m_dMinValue = 1000.0;
    box.SetSel(0, 1);
    m_script.m_menuAnswers.push_back(WM_CUT);
    box.SendMessage(WM_CONTEXTMENU, (WPARAM)box.m_hWnd, MAKELPARAM(20, 20));
    EXPECT_STREQ("9,234", Text(box));
    EXPECT_EQ(1u, Balloons().size());
    m_script.m_menuAnswers.push_back(WM_CLEAR);
    box.SendMessage(WM_CONTEXTMENU, (WPARAM)box.m_hWnd, MAKELPARAM(20, 20));
    EXPECT_STREQ("9,234", Text(box));
    // So is the Delete key, which changes the text without a character message.
    box.SetSel(0, 1);
    box.SendMessage(WM_KEYDOWN, VK_DELETE, 0x01530001);
    EXPECT_STREQ("9,234", Text(box));
    box.m_dMinValue = 0.0;
    box.SetSel(0, 1);
    box.SendMessage(WM_KEYDOWN, VK_DELETE, 0x01530001);
    EXPECT_STREQ("234", Text(box));
    box.SetWindowText("9,234");
    // Copy and Select All leave the text alone.
    m_script.m_menuAnswers.push_back(EM_SETSEL);
    box.SendMessage(WM_CONTEXTMENU, (WPARAM)box.m_hWnd, MAKELPARAM(20, 20));
    EXPECT_EQ(std::make_pair(0, 5), Selection(box));
    m_script.m_menuAnswers.push_back(WM_COPY);
    box.SendMessage(WM_CONTEXTMENU, (WPARAM)box.m_hWnd, MAKELPARAM(20, 20));
    EXPECT_EQ("9,234", TestClipboard::Text());
}

TEST_F(PasteRoutesTest, GroupNameBoxTakesNothingFromTheClipboard)
{
    CAlphaNumericEdit box;
    CreateBox(box);
    for (Route route : kRoutes)
    {
        SCOPED_TRACE(Name(route));
        Reset();
        box.SetWindowText("abc");
        Caret(box, 3);
        SetClipboard("xyz#");
        PasteBy(box, route);
        EXPECT_STREQ("abc", Text(box));
        EXPECT_TRUE(Balloons().empty());
    }
    // The menu shows Paste, but greyed.
    EXPECT_STREQ("&Paste", MenuItem(WM_PASTE).text);
    EXPECT_NE(0u, MenuItem(WM_PASTE).state & MF_GRAYED);
}

TEST_F(PasteRoutesTest, NumberBoxChecksTheCombinedTextOnEveryRoute)
{
    CNumEdit box;
    CreateBox(box);
    box.SetRange(100.0f, 0.0f);
    for (Route route : kRoutes)
    {
        SCOPED_TRACE(Name(route));
        Reset();
        box.SetWindowText("5");
        Caret(box, 1);
        SetClipboard("50");   // 550 is out of range
        PasteBy(box, route);
        EXPECT_STREQ("5", Text(box));
        Caret(box, 1);
        SetClipboard(".25");
        PasteBy(box, route);
        EXPECT_STREQ("5.25", Text(box));
        Caret(box, 4);
        SetClipboard("1");    // a third decimal
        PasteBy(box, route);
        EXPECT_STREQ("5.25", Text(box));
        EXPECT_TRUE(Balloons().empty());   // a refused paste is silent
    }
    // The Delete key that leaves no number is undone, as Backspace is.
    box.SetWindowText("7");
    box.SetSel(0, 1);
    box.SendMessage(WM_KEYDOWN, VK_DELETE, 0x01530001);
    EXPECT_STREQ("7", Text(box));
}

TEST_F(PasteRoutesTest, ThousandsOfInvalidCharactersGoAtOnce)
{
    CAlphaNumericEdit box;
    CreateBox(box);
    box.SetLimitText(0);
    std::string text = "ab" + std::string(2000, '#') + "c" + std::string(3000, '\xA7') + "9";
    box.SetWindowText(text.c_str());
    EXPECT_STREQ("abc9", Text(box));
    EXPECT_EQ(std::make_pair(4, 4), Selection(box));
    // One report for the change, not one per character.
    EXPECT_EQ(1u, Balloons().size());
    EXPECT_EQ(1u, Beeps());
    EXPECT_EQ(0u, Updates());
}

TEST_F(PasteRoutesTest, ExtremePrecisionKeepsEveryDecimal)
{
    CPriceEdit box;
    CreateBox(box);
    box.setPrecision(INT_MAX);
    Type(box, "1234.56789");
    EXPECT_STREQ("1,234.56789", Text(box));
    CString strText = "-9876.543210987";
    EXPECT_STREQ("-9,876.543210987", box.GetCommaData(strText));
    box.setPrecision(INT_MIN);
    strText = "12.5";
    EXPECT_STREQ("12", box.GetCommaData(strText));
    EXPECT_FALSE(box.IsPriceValid("12.5"));
    EXPECT_TRUE(box.IsPriceValid("12.000"));
}
}  // namespace
