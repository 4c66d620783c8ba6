// The group-name box and the coloured read-only box on real edit controls.
#include "EditorTest.h"
#include "WindowPicture.h"

#include "editors/AlphaNumericEdit.h"
#include "editors/ReadOnlyEdit.h"

namespace
{
const wchar_t kGroupTitle[] = L"Invalid Character";
const wchar_t kGroupText[] = L"Special characters are not allowed for group name";

TEST_F(EditorTest, GroupNameBoxDeletesInvalidCharactersAndTakesNothingFromTheClipboard)
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

TEST_F(EditorTest, ReadOnlyBoxPaintsLikeAPlainEditUntilABackgroundIsSet)
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
