// The font setting dialog and its font combo, run through the modal seam.
#include "AppearanceFixture.h"
#include "dialogs/FontSettingDlg.h"

#include <cstring>
#include <string>
#include <vector>

namespace
{
struct sShown { std::string font, size; std::vector<std::string> fonts; };

std::string Selected(CComboBox& combo)
{
    CString text;
    if (combo.GetCurSel() != CB_ERR)
        combo.GetLBText(combo.GetCurSel(), text);
    return (LPCTSTR)text;
}

// Runs the dialog, reads what it showed and presses "&OK" (bOK) or "&Cancel".
sShown RunFontDialog(CRecordingModalScript& script, CFontSettingDlg& dlg, bool bOK)
{
    sShown shown;
    script.m_dialogAnswers.push_back([&](CDialog* p) -> INT_PTR {
        CFontSettingDlg* pDlg = static_cast<CFontSettingDlg*>(p);
        shown.font = Selected(pDlg->m_FontCombo);
        shown.size = Selected(pDlg->m_SizeCombo);
        for (int i = 0; i < pDlg->m_FontCombo.GetCount(); ++i)
        {
            CString text;
            pDlg->m_FontCombo.GetLBText(i, text);
            shown.fonts.push_back((LPCTSTR)text);
        }
        int nID = bOK ? IDOK : IDCANCEL;
        pDlg->SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)::GetDlgItem(p->m_hWnd, nID));
        return IDABORT;
    });
    EXPECT_EQ(bOK ? IDOK : IDCANCEL, dlg.DoModal());
    return shown;
}
}  // namespace

// Families in strcmp order; a stored face nobody has leaves the default selected, a stored size the
// list does not offer leaves none, and "&OK" without a selection keeps the stored value.
TEST_F(AppearanceTest, TheFontDialogListsFamiliesInOrderAndKeepsAStoredChoiceItCannotShow)
{
    CFontSettingDlg probe(&m_frame);
    sShown initial = RunFontDialog(m_script, probe, false);
    EXPECT_STREQ("", probe.GetFont());   // cancelled: nothing chosen
    ASSERT_GT(initial.fonts.size(), 3u);
    for (size_t i = 1; i < initial.fonts.size(); ++i)
        EXPECT_LT(strcmp(initial.fonts[i - 1].c_str(), initial.fonts[i].c_str()), 0) << initial.fonts[i];
    CFontSettingDlg odd("No Such Font Anywhere", "100", &m_frame);
    sShown plain = RunFontDialog(m_script, odd, true);
    EXPECT_EQ(initial.font, plain.font);
    EXPECT_EQ("", plain.size);
    EXPECT_STREQ("100", odd.GetSize());
    EXPECT_STREQ(initial.font.empty() ? "No Such Font Anywhere" : initial.font.c_str(), odd.GetFont());
}

// The font combo draws every family in its own face, selected entries on the highlight colour;
// neither that nor setting grids' fonts over and over leaves fonts behind.
TEST_F(AppearanceTest, FontsAndTheFontComboLeaveNoGdiObjectsBehind)
{
    CreateGrid();
    CFontSettingDlg dlg(&m_frame);
    ASSERT_TRUE(dlg.Create(302, &m_frame));
    CHotFontCombo& combo = dlg.m_FontCombo;
    CClientDC screen(nullptr);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, 200, 30);
    CBitmap* pOld = dc.SelectObject(&bitmap);
    ASSERT_EQ(1, CCommonListCtrl::SetListFontProperty(&m_list, 1001, Face().c_str(), "12"));
    const int nBefore = TestLeaks::GdiObjects();
    for (int i = 0; i < combo.GetCount(); ++i)
    {
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_COMBOBOX;
        dis.itemID = (UINT)i;
        dis.itemState = i % 2 ? ODS_SELECTED : 0;
        dis.hDC = dc.GetSafeHdc();
        dis.rcItem = CRect(0, 0, 200, 30);
        dis.hwndItem = combo.m_hWnd;
        combo.DrawItem(&dis);
        EXPECT_EQ(::GetSysColor(i % 2 ? COLOR_HIGHLIGHT : COLOR_WINDOW), dc.GetPixel(199, 0)) << i;
        CCommonListCtrl::SetListFontProperty(&m_list, 1001, Face().c_str(), i % 2 ? "10" : "11");
    }
    EXPECT_EQ(nBefore, TestLeaks::GdiObjects());
    dc.SelectObject(pOld);
    dlg.DestroyWindow();
}
