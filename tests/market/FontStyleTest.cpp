// One font style for the whole library: a host source file includes the market watch and the
// colour button together, and the same eFontStyle value gives the market watch's font and the
// colour button's description of it.
#include "TestHost.h"

#include "market/MrktWatchListCtrl.h"
#include "widgets/ClrButton.h"

namespace
{
class FontStyleTest : public HostTest
{
};

TEST_F(FontStyleTest, TheMarketWatchFontAndTheColourButtonAgreeOnEachStyle)
{
    struct Case { eFontStyle nStyle; LONG nWeight; BYTE bItalic; const char* pszDescription; };
    const Case cases[] = {
        { FONT_STYLE_REGULAR, FW_NORMAL, FALSE, "Arial (Regular , 10)" },
        { FONT_STYLE_BOLD, FW_BOLD, FALSE, "Arial (Bold , 10)" },
        { FONT_STYLE_ITALIC, FW_NORMAL, TRUE, "Arial (Italic , 10)" },
        { CLR_FONT_BOLD_ITALIC, FW_BOLD, TRUE, "Arial (Bold Italic , 10)" },
    };
    CMrktWatchListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 300, 200), &m_frame, 100));
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszDescription);
        list.SetListFont("Arial", "10", c.nStyle);
        LOGFONT lf = {};
        ASSERT_TRUE(list.GetFont() != nullptr);
        list.GetFont()->GetLogFont(&lf);
        EXPECT_EQ(c.nWeight, lf.lfWeight);
        EXPECT_EQ(c.bItalic, lf.lfItalic);
        EXPECT_STREQ(c.pszDescription, CClrButton::DescribeFont("Arial", "10", c.nStyle));
    }
    list.DestroyWindow();
}
}  // namespace
