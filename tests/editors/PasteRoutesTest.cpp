// Every way text reaches an edit box from the clipboard: the WM_PASTE message a host sends,
// Ctrl+V, Shift+Insert (which Wine's edit control carries out without WM_PASTE) and Paste on the
// right-button context menu (which Wine's edit control shows from WM_CONTEXTMENU). Whatever the
// route, the box ends with a valid text.
#include "EditorTest.h"

#include "editors/AlphaNumericEdit.h"
#include "editors/NumEdit.h"
#include "editors/PriceEdit.h"

#include <cfloat>

namespace
{
enum class Route { Message, CtrlV, ShiftInsert, RightClick };
const Route kRoutes[] = { Route::Message, Route::CtrlV, Route::ShiftInsert, Route::RightClick };
const char* const kRouteNames[] = { "WM_PASTE", "Ctrl+V", "Shift+Insert", "right-click Paste" };

void HoldKey(int nKey, bool bDown)
{
    BYTE state[256];
    ::GetKeyboardState(state);
    state[nKey] = bDown ? 0x80 : 0;
    ::SetKeyboardState(state);
}

class PasteRoutesTest : public EditorTest
{
protected:
    // Pastes the clipboard into the box the way a user or host does it.
    void PasteBy(CEdit& box, Route route)
    {
        switch (route)
        {
        case Route::Message:
            box.SendMessage(WM_PASTE);
            break;
        case Route::CtrlV:
            HoldKey(VK_CONTROL, true);
            box.SendMessage(WM_KEYDOWN, 'V', 0x002F0001);
            box.SendMessage(WM_CHAR, 0x16, 0x002F0001);
            box.SendMessage(WM_KEYUP, 'V', 0xC02F0001);
            HoldKey(VK_CONTROL, false);
            break;
        case Route::ShiftInsert:
            HoldKey(VK_SHIFT, true);
            box.SendMessage(WM_KEYDOWN, VK_INSERT, 0x01520001);
            box.SendMessage(WM_KEYUP, VK_INSERT, 0xC1520001);
            HoldKey(VK_SHIFT, false);
            break;
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
    // The item of the box's context menu as the modal script saw it; empty when none was shown.
    CModalMenuItem MenuItem(UINT nID)
    {
        for (const CModalRecord& r : m_script.m_records)
            for (const CModalMenuItem& item : r.menu)
                if (r.kind == "menu" && item.id == nID)
                    return item;
        return CModalMenuItem{ "", 0, 0, 0 };
    }
    void Command(CEdit& box, UINT nCommand)
    {
        m_script.m_menuAnswers.push_back(nCommand);
        box.SendMessage(WM_CONTEXTMENU, (WPARAM)box.m_hWnd, MAKELPARAM(20, 20));
    }
    static void PressDelete(CEdit& box) { box.SendMessage(WM_KEYDOWN, VK_DELETE, 0x01530001); }
};

TEST_F(PasteRoutesTest, PriceBoxRefusesAPasteThatSpoilsTheCombinedText)
{
    CPriceEdit box;
    CreateBox(box);
    // clipboard: "<none>": the clipboard holds no text; report: nullptr: none
    struct Case { const char* name; const char* start; int nStart, nEnd; std::string clipboard; const char* text; const wchar_t* report; double dMin = -DBL_MAX; } const cases[] = {
        // The pasted part alone is a fine number; with the text around it there are two points.
        { "second point", "1.5", 3, 3, "2.5", "1.5", L"You can only type a number here." },
        { "no number", "1.5", 3, 3, "12a", "1.5", L"You can only type a number here." },
        { "too many decimals", "1.5", 3, 3, "67891", "1.5", L"You can only type a number here." },
        { "too many digits", "123,456,789,012", 15, 15, "7777", "123,456,789,012", L"Only 15 digits allowed" },
        { "fits and is grouped", "12", 0, 1, "34,5", "3,452", nullptr },
        { "commas left out", "", 0, 0, "1,234.5", "1,234.5", nullptr },
        { "grouped", "", 0, 0, "1234567", "1,234,567", nullptr },
        { "huge", "42", 2, 2, std::string(5000, '7'), "42", L"Only 15 digits allowed" },
        { "bytes of 128 and above", "42", 2, 2, "\xE9\xB5", "42", L"You can only type a number here." },
        { "no text: zero", "42", 2, 2, "<none>", "42", nullptr },
        { "no text, zero out of bounds", "42", 2, 2, "<none>", "42", L"Entered value is Out Of Range", 10 },
    };
    for (int r = 0; r < 4; ++r)
    {
        for (const Case& c : cases)
        {
            SCOPED_TRACE(std::string(kRouteNames[r]) + ", " + c.name);
            box.m_dMinValue = c.dMin;
            box.SetWindowText(c.start);
            box.SetSel(c.nStart, c.nEnd);
            Reset();
            SetClipboard(c.clipboard == "<none>" ? nullptr : c.clipboard.c_str());
            PasteBy(box, kRoutes[r]);
            EXPECT_STREQ(c.text, Text(box));
            ASSERT_EQ(c.report ? 1u : 0u, Balloons().size());
            EXPECT_EQ(Balloons().size(), Beeps());
            if (c.report) { EXPECT_EQ(c.report, Balloons()[0].text); }
        }
    }
    // No allowed characters: nothing is pasted and nothing said.
    box.m_strValidChars.Empty();
    box.m_dMinValue = -DBL_MAX;
    Reset();
    SetClipboard("5");
    box.SendMessage(WM_PASTE);
    EXPECT_STREQ("42", Text(box));
    EXPECT_TRUE(Balloons().empty());
}

TEST_F(PasteRoutesTest, PriceBoxContextMenuAndDeleteKeepTheBounds)
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

    // Cut, Clear and the Delete key (which changes the text without a character message) that
    // would leave a value outside the bounds are refused like a paste.
    Reset();
    box.m_dMinValue = 1000.0;
    box.SetSel(0, 1);
    Command(box, WM_CUT);
    EXPECT_STREQ("9,234", Text(box));
    EXPECT_EQ(1u, Balloons().size());
    Command(box, WM_CLEAR);
    EXPECT_STREQ("9,234", Text(box));
    box.SetSel(0, 1);
    PressDelete(box);
    EXPECT_STREQ("9,234", Text(box));
    box.m_dMinValue = 0.0;
    box.SetSel(0, 1);
    PressDelete(box);
    EXPECT_STREQ("234", Text(box));
    // Copy and Select All leave the text alone.
    box.SetWindowText("9,234");
    Command(box, EM_SETSEL);
    EXPECT_EQ(std::make_pair(0, 5), Selection(box));
    Command(box, WM_COPY);
    EXPECT_EQ("9,234", TestClipboard::Text());
}

TEST_F(PasteRoutesTest, GroupNameBoxTakesNothingFromTheClipboard)
{
    CAlphaNumericEdit box;
    CreateBox(box);
    for (int r = 0; r < 4; ++r)
    {
        SCOPED_TRACE(kRouteNames[r]);
        Reset();
        box.SetWindowText("abc");
        Caret(box, 3);
        SetClipboard("xyz#");
        PasteBy(box, kRoutes[r]);
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
    struct Case { int nCaret; const char* clipboard; const char* text; } const cases[] = { { 1, "50", "5" }, { 1, ".25", "5.25" }, { 4, "1", "5.25" } };   // 550; a third decimal
    for (int r = 0; r < 4; ++r)
    {
        SCOPED_TRACE(kRouteNames[r]);
        Reset();
        box.SetWindowText("5");
        for (const Case& c : cases)
        {
            Caret(box, c.nCaret);
            SetClipboard(c.clipboard);
            PasteBy(box, kRoutes[r]);
            EXPECT_STREQ(c.text, Text(box)) << c.clipboard;
        }
        EXPECT_TRUE(Balloons().empty());   // a refused paste is silent
    }
    // The Delete key that leaves no number is undone, as Backspace is.
    box.SetWindowText("7");
    box.SetSel(0, 1);
    PressDelete(box);
    EXPECT_STREQ("7", Text(box));
}
}  // namespace
