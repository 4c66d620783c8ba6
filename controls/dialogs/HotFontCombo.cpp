#include "dialogs/HotFontCombo.h"
#include "OrvoTools.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

IMPLEMENT_DYNAMIC(CHotFontCombo, CComboBox)

namespace
{
int CALLBACK AddFamily(const LOGFONTA* pFont, const TEXTMETRICA*, DWORD, LPARAM lParam)
{
    reinterpret_cast<std::vector<std::string>*>(lParam)->push_back(pFont->lfFaceName);
    return 1;
}

int PointsToHeight(HDC hdc, int nPoints)
{
    return -::MulDiv(nPoints, ::GetDeviceCaps(hdc, LOGPIXELSY), 72);
}
}  // namespace

CHotFontCombo::CHotFontCombo() : m_bHasFocus(false), m_bMouseOver(false)
{
    ReadSysColors();
}

CHotFontCombo::~CHotFontCombo() = default;

void CHotFontCombo::ReadSysColors()
{
    m_clr3DFace = ::GetSysColor(COLOR_3DFACE);
    m_clr3DLight = ::GetSysColor(COLOR_3DLIGHT);
    m_clr3DHilight = ::GetSysColor(COLOR_3DHIGHLIGHT);
    m_clr3DShadow = ::GetSysColor(COLOR_3DSHADOW);
    m_clr3DDkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
}

void CHotFontCombo::InitialiseFontList()
{
    if (m_hWnd == nullptr)
        return;
    std::vector<std::string> families;
    LOGFONTA lf = {};
    lf.lfCharSet = ANSI_CHARSET;
    HDC hdc = ::GetDC(nullptr);
    ::EnumFontFamiliesExA(hdc, &lf, AddFamily, reinterpret_cast<LPARAM>(&families), 0);
    // Entries are as tall as an 11-point line of the screen's default face.
    int nHeight = -PointsToHeight(hdc, HOTFONTCOMBO_POINTS) + 4;
    ::ReleaseDC(nullptr, hdc);
    // The platform's own sorting ignores case; the list keeps strcmp order, so it is ordered here.
    std::sort(families.begin(), families.end(),
              [](const std::string& a, const std::string& b) { return strcmp(a.c_str(), b.c_str()) < 0; });
    families.erase(std::unique(families.begin(), families.end()), families.end());
    SetRedraw(FALSE);
    ResetContent();
    for (const std::string& family : families)
        AddString(family.c_str());
    SetItemHeight(0, (UINT)nHeight);
    SetRedraw(TRUE);
    Invalidate();
    if (!m_csSelectedFont.IsEmpty())
    {
        int nIndex = FindStringExact(-1, m_csSelectedFont);
        if (nIndex != CB_ERR)
            SetCurSel(nIndex);
    }
}

void CHotFontCombo::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if ((int)lpDrawItemStruct->itemID < 0)
        return;
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    CRect rc(lpDrawItemStruct->rcItem);
    CString csFace;
    GetLBText((int)lpDrawItemStruct->itemID, csFace);
    bool bSelected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    pDC->FillSolidRect(&rc, ::GetSysColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    LOGFONTA lf = {};
    lf.lfHeight = PointsToHeight(pDC->GetSafeHdc(), HOTFONTCOMBO_POINTS);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    strlcpy(lf.lfFaceName, csFace, sizeof(lf.lfFaceName));
    HFONT hFont = ::CreateFontIndirectA(&lf);
    HGDIOBJ hOld = hFont != nullptr ? pDC->SelectObject((HGDIOBJ)hFont) : nullptr;
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(::GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    rc.left += 2;
    pDC->DrawText(csFace, &rc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (hFont != nullptr)
    {
        pDC->SelectObject(hOld);
        ::DeleteObject(hFont);
    }
}

void CHotFontCombo::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    HDC hdc = ::GetDC(nullptr);
    lpMeasureItemStruct->itemHeight = (UINT)(-PointsToHeight(hdc, HOTFONTCOMBO_POINTS) + 4);
    ::ReleaseDC(nullptr, hdc);
}

int CHotFontCombo::CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct)
{
    const char* a = reinterpret_cast<const char*>(lpCompareItemStruct->itemData1);
    const char* b = reinterpret_cast<const char*>(lpCompareItemStruct->itemData2);
    int n = strcmp(a != nullptr ? a : "", b != nullptr ? b : "");
    return n < 0 ? -1 : (n > 0 ? 1 : 0);
}

void CHotFontCombo::DrawBorder(bool bHot)
{
    if (m_hWnd == nullptr)
        return;
    if (!IsWindowEnabled())
        bHot = true;
    CWindowDC dc(this);
    CRect rc;
    GetWindowRect(&rc);
    rc.OffsetRect(-rc.left, -rc.top);
    if (bHot)
    {
        dc.Draw3dRect(&rc, m_clr3DHilight, m_clr3DDkShadow);
        rc.DeflateRect(1, 1);
        dc.Draw3dRect(&rc, m_clr3DLight, m_clr3DShadow);
    }
    else
    {
        dc.Draw3dRect(&rc, m_clr3DFace, m_clr3DFace);
        rc.DeflateRect(1, 1);
        dc.Draw3dRect(&rc, m_clr3DFace, m_clr3DFace);
    }
}

void CHotFontCombo::OnPaint()
{
    Default();
    DrawBorder(m_bHasFocus || m_bMouseOver);
}

void CHotFontCombo::OnSetFocus(CWnd*)
{
    Default();
    m_bHasFocus = true;
    DrawBorder(true);
}

void CHotFontCombo::OnKillFocus(CWnd*)
{
    Default();
    m_bHasFocus = false;
    DrawBorder(m_bMouseOver);
}

void CHotFontCombo::MouseEntered()
{
    if (m_bMouseOver)
        return;
    m_bMouseOver = true;
    DrawBorder(true);
    SetTimer(HOTFONTCOMBO_TIMER, HOTFONTCOMBO_PERIOD);
}

void CHotFontCombo::OnMouseMove(UINT, CPoint)
{
    MouseEntered();
    Default();
}

LRESULT CHotFontCombo::OnNcMouseMove(WPARAM, LPARAM)
{
    MouseEntered();
    return Default();
}

void CHotFontCombo::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != HOTFONTCOMBO_TIMER)
    {
        Default();
        return;
    }
    CPoint pt;
    ::GetCursorPos(&pt);
    CRect rc;
    GetWindowRect(&rc);
    if (rc.PtInRect(pt))
        return;
    KillTimer(HOTFONTCOMBO_TIMER);
    m_bMouseOver = false;
    if (!m_bHasFocus)
        DrawBorder(false);
}

LRESULT CHotFontCombo::OnSysColorChange(WPARAM, LPARAM)
{
    ReadSysColors();
    LRESULT lResult = Default();
    Invalidate();
    return lResult;
}

LRESULT CHotFontCombo::OnFontChange(WPARAM, LPARAM)
{
    InitialiseFontList();
    return 0;
}

BOOL CHotFontCombo::OnSelChange()
{
    int nIndex = GetCurSel();
    if (nIndex != CB_ERR)
        GetLBText(nIndex, m_csSelectedFont);
    return FALSE;   // the dialog hears of it too
}

BOOL CHotFontCombo::OnSetFocusNotify()
{
    m_bHasFocus = true;
    DrawBorder(true);
    return FALSE;
}

BOOL CHotFontCombo::OnKillFocusNotify()
{
    m_bHasFocus = false;
    DrawBorder(m_bMouseOver);
    return FALSE;
}

BEGIN_MESSAGE_MAP(CHotFontCombo, CComboBox)
    // void OnPaint()
    ON_WM_PAINT()
    // void OnSetFocus(CWnd* pOldWnd) / OnKillFocus(CWnd* pNewWnd)
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    // void OnMouseMove(UINT nFlags, CPoint point)
    ON_WM_MOUSEMOVE()
    // LRESULT OnXxx(WPARAM, LPARAM)
    ON_MESSAGE(WM_NCMOUSEMOVE, OnNcMouseMove)
    ON_MESSAGE(WM_SYSCOLORCHANGE, OnSysColorChange)
    ON_MESSAGE(WM_FONTCHANGE, OnFontChange)
    // void OnTimer(UINT_PTR nIDEvent)
    ON_WM_TIMER()
    // BOOL OnXxx(): FALSE lets the dialog see the notification too
    ON_CONTROL_REFLECT_EX(CBN_SELCHANGE, OnSelChange)
    ON_CONTROL_REFLECT_EX(CBN_SETFOCUS, OnSetFocusNotify)
    ON_CONTROL_REFLECT_EX(CBN_KILLFOCUS, OnKillFocusNotify)
END_MESSAGE_MAP()
