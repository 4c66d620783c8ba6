// The font setting dialog and its font combo, run through the modal seam, and the platform font
// dialog variant.
#include "TestHost.h"
#include "TestSupport.h"
#include "dialogs/FontSettingDlg.h"
#include "widgets/VXFontDlg.h"

#include <cstring>
#include <string>
#include <vector>

namespace
{
struct sShown { std::string font; std::string size; std::vector<std::string> sizes; std::vector<std::string> fonts; };

// Runs the dialog and reads what it showed; bOK presses "&OK", otherwise "&Cancel".
sShown RunFontDialog(CRecordingModalScript& script, CFontSettingDlg& dlg, bool bOK, INT_PTR& nResult,
           std::function<void(CFontSettingDlg*)> act = nullptr)
{
    sShown shown;
    script.m_dialogAnswers.push_back([&](CDialog* p) -> INT_PTR {
        CFontSettingDlg* pDlg = static_cast<CFontSettingDlg*>(p);
        CString text;
        if (pDlg->m_FontCombo.GetCurSel() != CB_ERR)
        {
            pDlg->m_FontCombo.GetLBText(pDlg->m_FontCombo.GetCurSel(), text);
            shown.font = (LPCTSTR)text;
        }
        if (pDlg->m_SizeCombo.GetCurSel() != CB_ERR)
        {
            pDlg->m_SizeCombo.GetLBText(pDlg->m_SizeCombo.GetCurSel(), text);
            shown.size = (LPCTSTR)text;
        }
        for (int i = 0; i < pDlg->m_SizeCombo.GetCount(); ++i)
        {
            pDlg->m_SizeCombo.GetLBText(i, text);
            shown.sizes.push_back((LPCTSTR)text);
        }
        for (int i = 0; i < pDlg->m_FontCombo.GetCount(); ++i)
        {
            pDlg->m_FontCombo.GetLBText(i, text);
            shown.fonts.push_back((LPCTSTR)text);
        }
        if (act)
            act(pDlg);
        int nID = bOK ? IDOK : IDCANCEL;
        pDlg->SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)::GetDlgItem(p->m_hWnd, nID));
        return IDABORT;
    });
    nResult = dlg.DoModal();
    return shown;
}

class FontDialogTest : public HostTest
{
};
}  // namespace

TEST_F(FontDialogTest, SixteenSizesInOrderAndFamiliesInStrcmpOrder)
{
    CFontSettingDlg dlg(&m_frame);
    INT_PTR nResult = 0;
    sShown shown = RunFontDialog(m_script, dlg, false, nResult);
    EXPECT_EQ(IDCANCEL, nResult);
    EXPECT_TRUE(SameSequence(shown.sizes, { "8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26",
                                            "28", "36", "48", "72" }));
    EXPECT_EQ("8", shown.size);
    ASSERT_GT(shown.fonts.size(), 3u);
    for (size_t i = 1; i < shown.fonts.size(); ++i)
        EXPECT_LT(strcmp(shown.fonts[i - 1].c_str(), shown.fonts[i].c_str()), 0) << shown.fonts[i];
    bool bTrebuchet = false;
    for (const std::string& f : shown.fonts)
        bTrebuchet = bTrebuchet || f == "Trebuchet MS";
    EXPECT_EQ(bTrebuchet ? "Trebuchet MS" : "", shown.font);
    EXPECT_STREQ("", dlg.GetFont());   // cancelled: nothing stored
}

TEST_F(FontDialogTest, TheStoredChoiceIsSelectedByItsBeginning)
{
    // The first family of the list whose name starts (ignoring case) with the beginning of the
    // last family's name.
    CFontSettingDlg probe(&m_frame);
    INT_PTR nResult = 0;
    std::vector<std::string> fonts = RunFontDialog(m_script, probe, false, nResult).fonts;
    ASSERT_FALSE(fonts.empty());
    std::string prefix = fonts.back().substr(0, 3);
    std::string expected;
    for (const std::string& f : fonts)
    {
        if (expected.empty() && _strnicmp(f.c_str(), prefix.c_str(), prefix.size()) == 0)
            expected = f;
    }
    for (char& c : prefix)
        c = (char)tolower((unsigned char)c);
    CFontSettingDlg dlg(prefix.c_str(), "1", &m_frame);
    sShown shown = RunFontDialog(m_script, dlg, true, nResult);
    EXPECT_EQ(IDOK, nResult);
    EXPECT_EQ(expected, shown.font);
    EXPECT_EQ("10", shown.size);     // the first size that starts with "1"
    EXPECT_STREQ(expected.c_str(), dlg.GetFont());
    EXPECT_STREQ("10", dlg.GetSize());

    // A face nobody has leaves the default; a size the list does not offer leaves none.
    CFontSettingDlg odd("No Such Font Anywhere", "100", &m_frame);
    sShown plain = RunFontDialog(m_script, odd, true, nResult);
    CFontSettingDlg reference(&m_frame);
    sShown initial = RunFontDialog(m_script, reference, false, nResult);
    EXPECT_EQ(initial.font, plain.font);
    EXPECT_EQ("", plain.size);
    EXPECT_STREQ("100", odd.GetSize());   // no selection: the stored size stays
    // "&OK" without a selected face keeps the stored one.
    EXPECT_STREQ(initial.font.empty() ? "No Such Font Anywhere" : initial.font.c_str(), odd.GetFont());
}

TEST_F(FontDialogTest, TheFontComboFillsAgainWhenFontsChangeKeepingItsFace)
{
    CFontSettingDlg dlg(&m_frame);
    ASSERT_TRUE(dlg.Create(302, &m_frame));
    CHotFontCombo& combo = dlg.m_FontCombo;
    CString before;
    combo.GetLBText(combo.GetCurSel(), before);
    int nCount = combo.GetCount();
    combo.ResetContent();
    combo.m_csSelectedFont = before;
    dlg.SendMessage(WM_FONTCHANGE);
    EXPECT_EQ(nCount, combo.GetCount());
    CString after;
    combo.GetLBText(combo.GetCurSel(), after);
    EXPECT_STREQ(before, after);
    dlg.DestroyWindow();
}

TEST_F(FontDialogTest, DrawingEveryFamilyInItsOwnFaceLeavesNoFontsBehind)
{
    CFontSettingDlg dlg(&m_frame);
    ASSERT_TRUE(dlg.Create(302, &m_frame));
    CHotFontCombo& combo = dlg.m_FontCombo;
    HDC hScreen = ::GetDC(nullptr);
    HDC hdc = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 200, 30);
    ::ReleaseDC(nullptr, hScreen);
    HGDIOBJ hOld = ::SelectObject(hdc, hBitmap);
    const int nBefore = TestLeaks::GdiObjects();
    for (int i = 0; i < combo.GetCount(); ++i)
    {
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_COMBOBOX;
        dis.itemID = (UINT)i;
        dis.itemState = i % 2 ? ODS_SELECTED : 0;
        dis.hDC = hdc;
        dis.rcItem = CRect(0, 0, 200, 30);
        dis.hwndItem = combo.m_hWnd;
        combo.DrawItem(&dis);
        // The selected entries are filled with the highlight colour.
        EXPECT_EQ(::GetSysColor(i % 2 ? COLOR_HIGHLIGHT : COLOR_WINDOW), ::GetPixel(hdc, 199, 0));
    }
    EXPECT_EQ(nBefore, TestLeaks::GdiObjects());
    ::SelectObject(hdc, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hdc);
    dlg.DestroyWindow();
}

TEST(VXFontDlg, MovesBelowAndRightOfItsClientOriginAndLosesTheLowerPart)
{
    // The hook on a real window: a plain dialog stands in for the platform's.
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, nullptr, "owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr));
    CDialog stand;
    ASSERT_TRUE(stand.Create(302, &frame));
    stand.MoveWindow(10, 20, 400, 300);
    POINT origin = { 0, 0 };
    ::ClientToScreen(stand.m_hWnd, &origin);
    CVXFontDlg::HookProc(stand.m_hWnd, WM_INITDIALOG, 0, 0);
    CRect rc;
    stand.GetWindowRect(&rc);
    EXPECT_EQ(origin.x + 300, rc.left);
    EXPECT_EQ(origin.y + 300, rc.top);
    EXPECT_EQ(400, rc.Width());
    EXPECT_EQ(160, rc.Height());
    stand.DestroyWindow();
    frame.DestroyWindow();
}
