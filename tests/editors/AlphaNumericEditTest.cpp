// The group-name box and the coloured read-only box on real edit controls.
#include "EditorTest.h"

#include "editors/AlphaNumericEdit.h"
#include "editors/ReadOnlyEdit.h"

namespace
{
const wchar_t kGroupTitle[] = L"Invalid Character";
const wchar_t kGroupText[] = L"Special characters are not allowed for group name";

TEST_F(EditorTest, GroupNameBoxDeletesInvalidCharactersWithOneReportPerChange)
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
        ExpectReports(box, 1, kGroupTitle, kGroupText);
    }
    box.SetWindowText("");
    Reset();
    Type(box, "Grp1!Z");
    EXPECT_STREQ("Grp1Z", Text(box));
    ExpectReports(box, 1, kGroupTitle, kGroupText);
    EXPECT_EQ(0u, Updates());   // the box keeps EN_UPDATE to itself
}

// A control's client area rendered into a bitmap.
class CRendered
{
public:
    explicit CRendered(CWnd& wnd)
    {
        CRect rc;
        wnd.GetClientRect(&rc);
        m_size = rc.Size();
        HDC hScreen = ::GetDC(nullptr);
        m_hDC = ::CreateCompatibleDC(hScreen);
        m_hBitmap = ::CreateCompatibleBitmap(hScreen, m_size.cx, m_size.cy);
        ::ReleaseDC(nullptr, hScreen);
        m_hOld = ::SelectObject(m_hDC, m_hBitmap);
        wnd.SendMessage(WM_ERASEBKGND, (WPARAM)m_hDC, 0);
        wnd.SendMessage(WM_PRINTCLIENT, (WPARAM)m_hDC, PRF_CLIENT | PRF_ERASEBKGND);
    }
    ~CRendered()
    {
        ::SelectObject(m_hDC, m_hOld);
        ::DeleteObject(m_hBitmap);
        ::DeleteDC(m_hDC);
    }
    // A pixel of the background, right of any text.
    COLORREF Background() const { return ::GetPixel(m_hDC, m_size.cx - 4, m_size.cy / 2); }
    bool HasPixel(COLORREF cr) const
    {
        for (int y = 0; y < m_size.cy; y++)
            for (int x = 0; x < m_size.cx; x++)
                if (::GetPixel(m_hDC, x, y) == cr)
                    return true;
        return false;
    }

private:
    CSize m_size;
    HDC m_hDC;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOld;
};

TEST_F(EditorTest, ReadOnlyBoxPaintsLikeAPlainEditUntilABackgroundIsSet)
{
    CReadOnlyEdit box;
    CEdit plain;
    CreateBox(box, ES_READONLY);
    CreateBox(plain, ES_READONLY, 1002);
    box.SetWindowText("WWW");
    plain.SetWindowText("WWW");
    box.SetTextColor(RGB(0, 0, 255));
    EXPECT_EQ(CRendered(plain).Background(), CRendered(box).Background());
    EXPECT_FALSE(CRendered(box).HasPixel(RGB(0, 0, 255)));
    for (COLORREF back : { RGB(255, 0, 0), RGB(0, 128, 0) })   // the second replaces the brush
    {
        box.SetBackColor(back);
        CRendered rendered(box);
        EXPECT_EQ(back, rendered.Background());
        EXPECT_TRUE(rendered.HasPixel(RGB(0, 0, 255)));   // the text in the owner's colour
        EXPECT_NE(back, CRendered(plain).Background());
    }
}
}  // namespace
