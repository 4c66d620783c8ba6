// The group-name box and the coloured read-only box on real edit controls.
#include "EditorTest.h"

#include "editors/AlphaNumericEdit.h"
#include "editors/ReadOnlyEdit.h"

namespace
{
class AlphaNumericEditTest : public EditorTest
{
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        CreateBox(m_box);
    }
    void TearDown() override
    {
        m_box.DestroyWindow();
        EditorTest::TearDown();
    }
    void ExpectBalloons(size_t n)
    {
        ASSERT_EQ(n, Balloons().size());
        for (const sBalloon& b : Balloons())
        {
            EXPECT_EQ(m_box.GetSafeHwnd(), b.hWnd);
            EXPECT_EQ(L"Invalid Character", b.title);
            EXPECT_EQ(L"Special characters are not allowed for group name", b.text);
            EXPECT_EQ(TTI_ERROR, b.icon);
        }
        EXPECT_EQ(n, Beeps());
    }

    CAlphaNumericEdit m_box;
};

TEST_F(AlphaNumericEditTest, InvalidCharactersAreDeletedWithOneReportPerChange)
{
    EXPECT_TRUE(m_box.IsKindOf(RUNTIME_CLASS(CAlphaNumericEdit)));
    m_box.SetWindowText("ab c");
    EXPECT_STREQ("abc", Text(m_box));
    EXPECT_EQ(std::make_pair(3, 3), Selection(m_box));
    ExpectBalloons(1);

    Balloons().clear();
    m_script.Clear();
    m_box.SetWindowText("a-b_c\xE9" "9");
    EXPECT_STREQ("abc9", Text(m_box));
    EXPECT_EQ(std::make_pair(4, 4), Selection(m_box));
    ExpectBalloons(1);
}

TEST_F(AlphaNumericEditTest, TypingKeepsLettersAndDigits)
{
    Type(m_box, "Grp1");
    Type(m_box, "!");
    EXPECT_STREQ("Grp1", Text(m_box));
    ExpectBalloons(1);
    Type(m_box, "Z");
    EXPECT_STREQ("Grp1Z", Text(m_box));
    EXPECT_EQ(0, Updates());   // the box keeps EN_UPDATE to itself
}

TEST_F(AlphaNumericEditTest, NothingCanBePasted)
{
    m_box.SetWindowText("abc");
    SetClipboard("xyz");
    m_box.SendMessage(WM_PASTE);
    EXPECT_STREQ("abc", Text(m_box));
    ExpectBalloons(0);
}

// Renders a control into a bitmap the size of its client area.
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
    CRendered(const CRendered&) = delete;
    CRendered& operator=(const CRendered&) = delete;
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

class ReadOnlyEditTest : public EditorTest
{
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        CreateBox(m_box, ES_READONLY);
        CreateBox(m_plain, ES_READONLY, IDC_PLAIN);
        m_box.SetWindowText("WWW");
        m_plain.SetWindowText("WWW");
    }
    void TearDown() override
    {
        m_box.DestroyWindow();
        m_plain.DestroyWindow();
        EditorTest::TearDown();
    }
    CReadOnlyEdit m_box;
    CEdit m_plain;
};

TEST_F(ReadOnlyEditTest, PaintsLikeAPlainEditUntilABackgroundIsSet)
{
    m_box.SetTextColor(RGB(0, 0, 255));
    {
        CRendered box(m_box);
        CRendered plain(m_plain);
        EXPECT_EQ(plain.Background(), box.Background());
        EXPECT_FALSE(box.HasPixel(RGB(0, 0, 255)));
    }
    m_box.SetBackColor(RGB(255, 0, 0));
    {
        CRendered box(m_box);
        EXPECT_EQ(RGB(255, 0, 0), box.Background());
        EXPECT_TRUE(box.HasPixel(RGB(0, 0, 255)));   // the text in the owner's colour
    }
    m_box.SetBackColor(RGB(0, 128, 0));   // the brush is replaced
    CRendered box(m_box);
    EXPECT_EQ(RGB(0, 128, 0), box.Background());
    CRendered plain(m_plain);
    EXPECT_NE(RGB(0, 128, 0), plain.Background());
}
}  // namespace
