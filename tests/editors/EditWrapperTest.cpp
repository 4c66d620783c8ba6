// The framework's edit wrapper on a real edit control: selection, undo, limits, lines, the
// clipboard and the balloon message it sends.
#include "EditorTest.h"

namespace
{
class EditWrapperTest : public EditorTest
{
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        CreateBox(m_edit);
    }
    void TearDown() override
    {
        m_edit.DestroyWindow();
        EditorTest::TearDown();
    }
    CEdit m_edit;
};

TEST_F(EditWrapperTest, SelectionReplaceAndUndo)
{
    m_edit.SetWindowText("hello world");
    m_edit.SetSel(6, -1);
    EXPECT_EQ(std::make_pair(6, 11), Selection(m_edit));
    EXPECT_EQ(MAKELONG(6, 11), (LONG)m_edit.GetSel());
    m_edit.ReplaceSel("there", TRUE);
    EXPECT_STREQ("hello there", Text(m_edit));
    EXPECT_TRUE(m_edit.CanUndo());
    EXPECT_TRUE(m_edit.Undo());
    EXPECT_STREQ("hello world", Text(m_edit));
    m_edit.EmptyUndoBuffer();
    EXPECT_FALSE(m_edit.CanUndo());
    m_edit.SetSel(MAKELONG(0, 5));
    m_edit.Clear();
    EXPECT_STREQ(" world", Text(m_edit));
}

TEST_F(EditWrapperTest, LimitsReadOnlyAndMargins)
{
    m_edit.SetLimitText(5);
    EXPECT_EQ(5u, m_edit.GetLimitText());
    Type(m_edit, "1234567");
    EXPECT_STREQ("12345", Text(m_edit));
    m_edit.LimitText(3);
    EXPECT_EQ(3u, m_edit.GetLimitText());

    EXPECT_TRUE(m_edit.SetReadOnly(TRUE));
    EXPECT_TRUE(m_edit.GetStyle() & ES_READONLY);
    m_edit.SetReadOnly(FALSE);
    EXPECT_FALSE(m_edit.GetStyle() & ES_READONLY);

    m_edit.SetMargins(4, 7);
    EXPECT_EQ((DWORD)MAKELONG(4, 7), m_edit.GetMargins());
}

TEST_F(EditWrapperTest, LinesOfAMultiLineEdit)
{
    CEdit multi;
    CreateBox(multi, ES_MULTILINE | ES_AUTOVSCROLL, IDC_PLAIN);
    multi.SetWindowText("first\r\nsecond line");
    EXPECT_EQ(2, multi.GetLineCount());
    EXPECT_EQ(7, multi.LineIndex(1));
    EXPECT_EQ(11, multi.LineLength(multi.LineIndex(1)));
    EXPECT_EQ(1, multi.LineFromChar(9));
    char sz[32] = {};
    EXPECT_EQ(11, multi.GetLine(1, sz, (int)sizeof(sz)));
    EXPECT_STREQ("second line", sz);
    char small[4] = {};
    EXPECT_EQ(4, multi.GetLine(1, small, (int)sizeof(small)));   // cut at the buffer size
    EXPECT_EQ(0, memcmp(small, "seco", 4));
    multi.DestroyWindow();
}

TEST_F(EditWrapperTest, ClipboardRoundTrip)
{
    m_edit.SetWindowText("12345");
    m_edit.SetSel(1, 3);
    m_edit.Cut();
    EXPECT_STREQ("145", Text(m_edit));
    m_edit.SetSel(3, 3);
    m_edit.Paste();
    EXPECT_STREQ("14523", Text(m_edit));
    SetClipboard("xy");
    m_edit.SetSel(0, 0);
    m_edit.Paste();
    EXPECT_STREQ("xy14523", Text(m_edit));
    m_edit.SetSel(0, -1);
    m_edit.Copy();
    m_edit.SetWindowText("");
    m_edit.Paste();
    EXPECT_STREQ("xy14523", Text(m_edit));
}

TEST_F(EditWrapperTest, BalloonTipSendsItsRecord)
{
    m_edit.ShowBalloonTip(L"Title", L"Body", TTI_WARNING);
    EDITBALLOONTIP tip = { sizeof(tip), L"Second", L"Text", TTI_INFO };
    m_edit.ShowBalloonTip(&tip);
    m_edit.HideBalloonTip();
    ASSERT_EQ(2u, Balloons().size());
    EXPECT_EQ(L"Title", Balloons()[0].title);
    EXPECT_EQ(L"Body", Balloons()[0].text);
    EXPECT_EQ(TTI_WARNING, Balloons()[0].icon);
    EXPECT_EQ(L"Second", Balloons()[1].title);
    EXPECT_EQ(TTI_INFO, Balloons()[1].icon);
    EXPECT_TRUE(m_edit.IsKindOf(RUNTIME_CLASS(CEdit)));
}
}  // namespace
