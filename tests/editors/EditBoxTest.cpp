// The edit boxes driven as a user drives them: keys typed and text pasted into real edit controls
// by every route of the clipboard (WM_PASTE as a host sends it, Ctrl+V, Shift+Insert, which Wine's
// edit control carries out without WM_PASTE, and Paste on the right-button menu), the texts they
// keep and the balloon-and-beep reports they give; a parent records the notifications, a thread
// hook every EM_SHOWBALLOONTIP (title, text, icon).
#include "TestHost.h"
#include "TestSupport.h"
#include "WindowPicture.h"

#include "editors/AlphaNumericEdit.h"
#include "editors/NumEdit.h"
#include "editors/PriceEdit.h"
#include "editors/ReadOnlyEdit.h"

#include <cfloat>
#include <climits>
#include <string>
#include <vector>

namespace
{
enum eReport
{
    kNone,
    kChar,     // "Unacceptable Character" / "You can only type a number here."
    kDigits,   // "Max limit reached" / "Only 15 digits allowed", whatever the limit
    kRange,    // "Out Of Range" / "Entered value is Out Of Range"
    kSome,     // at least one report, of any kind
};

// The price box's settings for one case; the defaults are the box's own.
// bNoChars: an empty set of allowed characters
struct sSetup { int nPrecision = 4; int nMaxDigit = 15; double dMin = -DBL_MAX, dMax = DBL_MAX; bool bNoChars = false; };
const sSetup kMaxDigit5 = { 4, 5 }, kBounds1To500 = { 4, 15, 1, 500 }, kBounds1000 = { 4, 15, -1000, 1000 };
const sSetup kMin10 = { 4, 15, 10 };

struct sBalloon { HWND hWnd; std::wstring title, text; int icon; };

enum class Route { Message, CtrlV, ShiftInsert, RightClick };
const Route kRoutes[] = { Route::Message, Route::CtrlV, Route::ShiftInsert, Route::RightClick };
const char* const kRouteNames[] = { "WM_PASTE", "Ctrl+V", "Shift+Insert", "right-click Paste" };

class EditBoxTest : public HostTest
{
protected:
    static std::vector<sBalloon>& Balloons()
    {
        static std::vector<sBalloon> balloons;
        return balloons;
    }
    static LRESULT CALLBACK RecordBalloons(int nCode, WPARAM wParam, LPARAM lParam)
    {
        const CWPSTRUCT* p = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (nCode == HC_ACTION && p->message == EM_SHOWBALLOONTIP && p->lParam != 0)
        {
            const EDITBALLOONTIP* tip = reinterpret_cast<const EDITBALLOONTIP*>(p->lParam);
            EXPECT_EQ(sizeof(EDITBALLOONTIP), tip->cbStruct);
            Balloons().push_back({ p->hwnd, tip->pszTitle ? tip->pszTitle : L"", tip->pszText ? tip->pszText : L"",
                                   tip->ttiIcon });
        }
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
    void SetUp() override
    {
        HostTest::SetUp();
        Balloons().clear();
        ASSERT_TRUE(m_parent.CreateRecorder(&m_frame, CRect(0, 0, 600, 400)));
        m_hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, RecordBalloons, nullptr, ::GetCurrentThreadId());
        ASSERT_NE(nullptr, m_hHook);
    }
    void TearDown() override
    {
        ::UnhookWindowsHookEx(m_hHook);
        MSG msg;   // nothing typed for one test may stay queued for the next
        while (::PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE))
        {
        }
        if (m_parent.GetSafeHwnd() != nullptr)
            m_parent.DestroyWindow();
        HostTest::TearDown();
    }
    void CreateBox(CEdit& box, DWORD dwStyle = 0, UINT nID = 1001)
    {
        ASSERT_TRUE(box.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | dwStyle, CRect(10, 10, 250, 34),
                               &m_parent, nID));
    }
    static CString Text(const CWnd& box)
    {
        CString strText;
        box.GetWindowText(strText);
        return strText;
    }
    // WM_CHAR for each byte as typed, 128 and above included.
    static void Type(CWnd& box, const char* pszKeys)
    {
        for (const char* p = pszKeys; *p != '\0'; p++)
            box.SendMessage(WM_CHAR, (WPARAM)(unsigned char)*p, 1);
    }
    static std::pair<int, int> Selection(const CEdit& box)
    {
        int nStart = -1, nEnd = -1;
        box.GetSel(nStart, nEnd);
        return { nStart, nEnd };
    }
    // Places text on the real clipboard as CF_TEXT; nullptr empties it.
    static void SetClipboard(const char* pszText)
    {
        ASSERT_TRUE(pszText != nullptr ? TestClipboard::SetText(pszText) : TestClipboard::Empty());
    }
    static void HoldKey(int nKey, bool bDown)
    {
        BYTE state[256];
        ::GetKeyboardState(state);
        state[nKey] = bDown ? 0x80 : 0;
        ::SetKeyboardState(state);
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
    // The command chosen on the box's own context menu.
    void Command(CEdit& box, UINT nCommand)
    {
        m_script.m_menuAnswers.push_back(nCommand);
        box.SendMessage(WM_CONTEXTMENU, (WPARAM)box.m_hWnd, MAKELPARAM(20, 20));
    }
    static void PressDelete(CEdit& box) { box.SendMessage(WM_KEYDOWN, VK_DELETE, 0x01530001); }
    size_t Beeps() const { return m_script.Count("beep"); }
    void Reset()
    {
        Balloons().clear();
        m_script.Clear();
    }
    // n reports so far, each the given balloon on the box with its exclamation beep; then forgets
    // them.
    void ExpectReports(const CWnd& box, size_t n, const wchar_t* pszTitle = L"", const wchar_t* pszText = L"")
    {
        EXPECT_EQ(n, Balloons().size());
        for (const sBalloon& b : Balloons())
        {
            EXPECT_EQ(box.GetSafeHwnd(), b.hWnd);
            EXPECT_EQ(pszTitle, b.title);
            EXPECT_EQ(pszText, b.text);
            EXPECT_EQ(TTI_ERROR, b.icon);
        }
        EXPECT_EQ(Balloons().size(), Beeps());
        for (const CModalRecord& r : m_script.m_records)
            if (r.kind == "beep") { EXPECT_EQ((UINT)MB_ICONEXCLAMATION, r.type); }
        Reset();
    }

    // Keys typed, or else the clipboard (paste; empty: no text on it) pasted by route r.
    void Enter(CEdit& box, const char* pszKeys, const std::string& paste, int r)
    {
        if (pszKeys)
            Type(box, pszKeys);
        else
        {
            SetClipboard(paste.empty() ? nullptr : paste.c_str());
            PasteBy(box, kRoutes[r]);
        }
    }
    static std::string Trace(const char* pszStart, const char* pszKeys, const std::string& paste, int r)
    {
        return std::string(pszStart) + " + " + (pszKeys ? pszKeys : kRouteNames[r] + (" " + paste.substr(0, 9)));
    }
    void CreatePrice()
    {
        CreateBox(m_price);
        m_strPriceChars = m_price.m_strValidChars;
    }
    void Apply(const sSetup& s)
    {
        m_price.setPrecision(s.nPrecision);
        m_price.SetMaxDigit(s.nMaxDigit);
        m_price.m_dMinValue = s.dMin;
        m_price.m_dMaxValue = s.dMax;
        m_price.m_strValidChars = s.bNoChars ? CString() : m_strPriceChars;
    }
    // Exactly one report of the kind (kSome: one or more, of any kind); a refused keystroke was
    // once reported twice, three times when the text put back was refused too.
    void PriceReports(eReport report)
    {
        static const wchar_t* const titles[] = { L"", L"Unacceptable Character", L"Max limit reached", L"Out Of Range" };
        static const wchar_t* const texts[] = { L"", L"You can only type a number here.", L"Only 15 digits allowed",
                                                L"Entered value is Out Of Range" };
        if (report == kSome)
        {
            EXPECT_FALSE(Balloons().empty());
            Reset();
        }
        else { ExpectReports(m_price, report == kNone ? 0 : 1, titles[report], texts[report]); }
    }
    void CreateNum()
    {
        CreateBox(m_num);
        m_num.SetRange(100, 0);   // the upper bound first
    }
    void NumReports(size_t n) { ExpectReports(m_num, n, L"Unacceptable Character", L"Unacceptable Character."); }

    CMessageRecorder m_parent;
    HHOOK m_hHook = nullptr;
    CPriceEdit m_price;
    CString m_strPriceChars;
    CNumEdit m_num;   // range 0..100, two decimals
};

TEST_F(EditBoxTest, PriceTypedAndPastedTextIsGroupedOrUndoneWithItsReport)
{
    CreatePrice();
    // keys: typed; nullptr: the clipboard (paste; "": no text on it) pasted by every route over the
    // selection nStart..nEnd. nCaretAfter: -1: not checked
    struct Case { sSetup setup; const char* start; int nStart, nEnd; const char* keys; std::string paste; const char* text; eReport report; int nCaretAfter = -1; } const cases[] = {
        { {}, "", 0, 0, "1234567", "", "1,234,567", kNone, 9 },
        { {}, "1,234,567", 9, 9, ".25", "", "1,234,567.25", kNone },
        { {}, "12,345", 1, 1, "9", "", "192,345", kNone, 2 },   // the caret behind the new digit
        { {}, "192,345", 0, 0, "8", "", "8,192,345", kNone, 2 },
        { {}, "12.5", 4, 4, ".", "", "12.5", kChar },          // a second point
        { {}, "12.5", 4, 4, "-", "", "12.5", kChar },          // a minus not at the start
        { {}, "12.5", 0, 0, "-", "", "-12.5", kNone },
        { {}, "0.1234", 6, 6, "5", "", "0.1234", kChar },      // a fifth decimal
        { kMaxDigit5, "", 0, 0, "123456", "", "12,345", kDigits },
        { kBounds1To500, "50", 2, 2, "1", "", "50", kRange },
        { kMin10, "", 0, 0, "5", "", "", kRange },   // the empty text it goes back to is out of range too
        { kBounds1000, "", 0, 0, "-.", "", "-.", kNone },   // a lone sign and point read as 0
        { kBounds1000, "", 0, 0, "12a\xE9\x80-+e,..9999", "", "12.9999", kSome },
        { { INT_MAX }, "", 0, 0, "1234.56789", "", "1,234.56789", kNone },
        // The pasted part alone is a fine number; with the text around it there are two points.
        { {}, "1.5", 3, 3, nullptr, "2.5", "1.5", kChar },
        { {}, "1.5", 3, 3, nullptr, "12a", "1.5", kChar },
        { {}, "1.5", 3, 3, nullptr, "67891", "1.5", kChar },   // too many decimals
        { {}, "123,456,789,012", 15, 15, nullptr, "7777", "123,456,789,012", kDigits },
        { {}, "12", 0, 1, nullptr, "34,5", "3,452", kNone },
        { {}, "", 0, 0, nullptr, "1,234.5", "1,234.5", kNone },
        { {}, "", 0, 0, nullptr, "1234567", "1,234,567", kNone },
        { {}, "42", 2, 2, nullptr, std::string(5000, '7'), "42", kDigits },
        { {}, "42", 2, 2, nullptr, "\xE9\xB5", "42", kChar },
        { {}, "42", 2, 2, nullptr, "", "42", kNone },       // no text: zero
        { kMin10, "42", 2, 2, nullptr, "", "42", kRange },  // zero out of bounds
    };
    for (const Case& c : cases)
    {
        for (int r = 0; r < (c.keys ? 1 : 4); ++r)
        {
            SCOPED_TRACE(Trace(c.start, c.keys, c.paste, r));
            Apply(c.setup);
            m_price.SetWindowText(c.start);
            m_price.SetSel(c.nStart, c.nEnd);
            Reset();
            Enter(m_price, c.keys, c.paste, r);
            EXPECT_STREQ(c.text, Text(m_price));
            if (c.nCaretAfter >= 0) { EXPECT_EQ(std::make_pair(c.nCaretAfter, c.nCaretAfter), Selection(m_price)); }
            PriceReports(c.report);
        }
    }
    EXPECT_GT(m_parent.Count(WM_COMMAND, EN_UPDATE), 0u);   // the parent still hears of every change
    Apply({ 4, 15, -DBL_MAX, DBL_MAX, true });   // no allowed characters: nothing pasted, nothing said
    SetClipboard("5");
    m_price.SendMessage(WM_PASTE);
    EXPECT_STREQ("42", Text(m_price));
    PriceReports(kNone);
}

TEST_F(EditBoxTest, PriceCutClearAndDeleteKeepTheBoundsCopyAndSelectAllTheText)
{
    CreatePrice();
    // Cut, Clear and the Delete key (which changes the text without a character message) that
    // would leave a value outside the bounds are refused like a paste.
    m_price.SetWindowText("9,234");
    m_price.m_dMinValue = 1000.0;
    m_price.SetSel(0, 1);
    Command(m_price, WM_CUT);
    EXPECT_STREQ("9,234", Text(m_price));
    PriceReports(kRange);
    Command(m_price, WM_CLEAR);
    EXPECT_STREQ("9,234", Text(m_price));
    m_price.SetSel(0, 1);
    PressDelete(m_price);
    EXPECT_STREQ("9,234", Text(m_price));
    m_price.m_dMinValue = 0.0;
    m_price.SetSel(0, 1);
    PressDelete(m_price);
    EXPECT_STREQ("234", Text(m_price));
    m_price.SetWindowText("9,234");
    Command(m_price, EM_SETSEL);
    EXPECT_EQ(std::make_pair(0, 5), Selection(m_price));
    Command(m_price, WM_COPY);
    EXPECT_EQ("9,234", TestClipboard::Text());
}

TEST_F(EditBoxTest, PriceIsPriceValidChecksPrecisionDigitsAndBounds)
{
    CreatePrice();
    struct Case { sSetup setup; const char* text; bool bValid; eReport report; } const cases[] = {
        { {}, "0.12340", true, kNone },   // trailing zeros are no decimals
        { {}, "0.12345", false, kChar },
        { { 0 }, "12.5", false, kChar },
        { { INT_MIN }, "12.000", true, kNone },
        { {}, "-123456789012345", true, kNone },   // the sign does not count
        { {}, "1234567890123456", false, kDigits },
        { {}, "123456789012.3456", false, kDigits },
        { {}, "-", true, kNone },   // a lone sign: zero
        { kBounds1To500, "", false, kRange },
        { kBounds1To500, "1", true, kNone },      // the bounds are inclusive
        { kBounds1To500, "500", true, kNone },
        { kBounds1To500, "0.5", false, kRange },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        Apply(c.setup);
        EXPECT_EQ(c.bValid, m_price.IsPriceValid(c.text) != FALSE);
        PriceReports(c.report);
    }
}
TEST_F(EditBoxTest, NumberTypedAndPastedTextThatBreaksTheRulesIsUndone)
{
    CreateNum();
    // keys: typed at nCaret; nullptr: paste pasted there by every route (a refused paste is silent)
    struct Case { const char* start; int nCaret; const char* keys; std::string paste; const char* text; size_t reports; } const cases[] = {
        { "", 0, "12.34", "", "12.34", 0 },
        { "12.34", 5, "5", "", "12.34", 1 },   // a third decimal
        { "10", 2, "1", "", "10", 1 },         // 101 > 100
        { "10", 2, "x", "", "10", 1 },
        { "5", 1, "\b", "", "5", 0 },          // erasing the last character: undone without a balloon
        { "", 0, "4 2", "", "42", 0 },         // a blank is dropped
        { "5", 1, nullptr, "50", "5", 0 },     // 550
        { "5", 1, nullptr, ".25", "5.25", 0 },
        { "5.25", 4, nullptr, "1", "5.25", 0 },
        { "", 0, nullptr, "12.5", "12.5", 0 },
        { "", 0, nullptr, "12.555", "", 0 },   { "", 0, nullptr, "1a", "", 0 }, { "", 0, nullptr, "150", "", 0 },
        { "", 0, nullptr, "-1", "", 0 },       { "", 0, nullptr, "1 ", "", 0 },
        { "", 0, nullptr, std::string(4000, '1'), "", 0 },
    };
    for (const Case& c : cases)
    {
        for (int r = 0; r < (c.keys ? 1 : 4); ++r)
        {
            SCOPED_TRACE(Trace(c.start, c.keys, c.paste, r));
            m_num.SetWindowText(c.start);
            m_num.SetSel(c.nCaret, c.nCaret);
            Enter(m_num, c.keys, c.paste, r);
            EXPECT_STREQ(c.text, Text(m_num));
            NumReports(c.reports);
        }
    }
    m_num.SetWindowText("12.34");
    m_num.SetSel(5, 5);
    Type(m_num, "5");
    EXPECT_EQ(std::make_pair(4, 5), Selection(m_num));   // the refused character stays selected
    Reset();
    // The Delete key that leaves no number is undone, as Backspace is.
    m_num.SetWindowText("7");
    m_num.SetSel(0, 1);
    PressDelete(m_num);
    EXPECT_STREQ("7", Text(m_num));
    // No allowed characters: nothing pasted.
    m_num.m_strValidChars.Empty();
    SetClipboard("5");
    EXPECT_EQ(0, m_num.SendMessage(WM_PASTE));
    EXPECT_STREQ("7", Text(m_num));

    // Keys queued behind a refused one are discarded.
    m_num.SetWindowText("42");
    m_num.SetSel(2, 2);
    m_num.PostMessage(WM_CHAR, '7', 1);
    m_num.PostMessage(WM_CHAR, '8', 1);
    Type(m_num, "9");
    EXPECT_STREQ("42", Text(m_num));
    MSG msg;
    EXPECT_FALSE(::PeekMessageA(&msg, m_num.GetSafeHwnd(), WM_CHAR, WM_CHAR, PM_NOREMOVE));
}

TEST_F(EditBoxTest, NumberIsValidOfTheWindowTextAndOfAGivenText)
{
    CreateNum();
    // 0 valid, 1 outside the number rules, 2 no number or a foreign character (later steps win);
    // -1: that form not asked.
    // bAnyChars: without a character set: only the number rules
    struct Case { const char* text; bool bAnyChars; int nWindow, nGiven; size_t reports; } const cases[] = {
        { "42.5", false, 0, -1, 0 },  { "150", false, 1, 1, 1 },   { "1.234", false, 1, -1, 1 },
        { "abc", false, 2, 2, 1 },     { "12abc", false, 2, 0, 1 }, { "1.234x", false, 2, -1, 1 },
        { "42 ", false, 2, -1, 1 },    { "-5", false, 2, -1, 1 },   { "", false, 2, 2, 0 },
        { "99.999", false, -1, 0, 0 }, { "-5", true, 1, -1, 1 },    { "42  ", true, 0, -1, 0 },
        { "42.5  ", true, 1, -1, 1 },  { "200 ", true, 1, -1, 1 },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string("\"") + c.text + (c.bAnyChars ? "\" any characters" : "\""));
        m_num.m_strValidChars = c.bAnyChars ? "" : "0123456789.,";
        m_num.SetWindowText(c.text);
        if (c.nWindow >= 0) { EXPECT_EQ(c.nWindow, m_num.IsValid()); }
        NumReports(c.reports);
        if (c.nGiven >= 0) { EXPECT_EQ(c.nGiven, m_num.IsValid(CString(c.text))); }
        NumReports(0);   // the given form never reports
    }
    m_num.SetWindowText("42.5");
    EXPECT_EQ(42.5f, m_num.GetValue());
    NumReports(0);
    m_num.SetWindowText("abc");
    EXPECT_EQ(0.0f, m_num.GetValue());
    NumReports(1);
}
const wchar_t kGroupTitle[] = L"Invalid Character";
const wchar_t kGroupText[] = L"Special characters are not allowed for group name";

TEST_F(EditBoxTest, GroupNameBoxDeletesInvalidCharactersAndTakesNothingFromTheClipboard)
{
    CAlphaNumericEdit box;
    CreateBox(box);
    box.SetLimitText(0);
    struct Case { const char* name; std::string text, kept; } const cases[] = {
        { "a blank", "ab c", "abc" },
        { "signs and a byte of 128 and above", "a-b_c\xE9" "9", "abc9" },
        { "thousands at once", "ab" + std::string(2000, '#') + "c" + std::string(3000, '\xA7') + "9", "abc9" },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        box.SetWindowText(c.text.c_str());
        EXPECT_EQ(c.kept, (LPCTSTR)Text(box));
        EXPECT_EQ(std::make_pair((int)c.kept.size(), (int)c.kept.size()), Selection(box));
        ExpectReports(box, 1, kGroupTitle, kGroupText);   // one report per change
    }
    box.SetWindowText("");
    Reset();
    Type(box, "Grp1!Z");
    EXPECT_STREQ("Grp1Z", Text(box));
    ExpectReports(box, 1, kGroupTitle, kGroupText);
    EXPECT_EQ(0u, m_parent.Count(WM_COMMAND, EN_UPDATE));   // the box keeps EN_UPDATE to itself

    SetClipboard("xyz#");
    for (int r = 0; r < 4; ++r)
    {
        SCOPED_TRACE(kRouteNames[r]);
        Reset();
        box.SetWindowText("abc");
        box.SetSel(3, 3);
        PasteBy(box, kRoutes[r]);
        EXPECT_STREQ("abc", Text(box));
        EXPECT_TRUE(Balloons().empty());
    }
    // The menu (the last route's) shows Paste, but greyed.
    bool bGreyedPaste = false;
    for (const CModalRecord& r : m_script.m_records)
        for (const CModalMenuItem& item : r.menu)
            bGreyedPaste |= item.id == WM_PASTE && item.text == "&Paste" && (item.state & MF_GRAYED) != 0;
    EXPECT_TRUE(bGreyedPaste);
}

// The box as the screen shows it: a pixel of its background right of any text, and whether the
// colour shows anywhere in it.
std::pair<COLORREF, bool> Look(CWnd& box, COLORREF cr)
{
    HBITMAP hPicture = WindowPicture::Render(box.m_hWnd);
    CRect rc;
    box.GetWindowRect(&rc);
    std::pair<COLORREF, bool> look = { WindowPicture::PixelAt(hPicture, rc.Width() - 6, rc.Height() / 2), false };
    for (int y = 0; y < rc.Height(); y++)
        for (int x = 0; x < rc.Width(); x++)
            look.second |= WindowPicture::PixelAt(hPicture, x, y) == cr;
    ::DeleteObject(hPicture);
    return look;
}

TEST_F(EditBoxTest, ReadOnlyBoxPaintsLikeAPlainEditUntilABackgroundIsSet)
{
    CReadOnlyEdit box;
    CEdit plain;
    CreateBox(box, ES_READONLY);
    CreateBox(plain, ES_READONLY, 1002);
    box.SetWindowText("WWW");
    plain.SetWindowText("WWW");
    const COLORREF blue = RGB(0, 0, 255);
    box.SetTextColor(blue);
    EXPECT_EQ(Look(plain, blue).first, Look(box, blue).first);
    EXPECT_FALSE(Look(box, blue).second);
    for (COLORREF back : { RGB(255, 0, 0), RGB(0, 128, 0) })   // the second replaces the brush
    {
        box.SetBackColor(back);
        EXPECT_EQ(std::make_pair(back, true), Look(box, blue));   // the text in the owner's colour
        EXPECT_NE(back, Look(plain, blue).first);
    }
}
}  // namespace
