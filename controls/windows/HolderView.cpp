#include "windows/HolderView.h"

#include "widgets/VXFontDlg.h"

#include <cstring>

IMPLEMENT_DYNCREATE(CHolderView, CView)

BEGIN_MESSAGE_MAP(CHolderView, CView)
    ON_WM_CONTEXTMENU()
    ON_MESSAGE(WM_HOLDER_SETTITLECOLOR, OnSetTitleColor)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CHolderView::~CHolderView() = default;

void CHolderView::SetTitle(CString csTitle, COLORREF clrTitle)
{
    m_csTitle = " " + csTitle;
    m_clrTitle = clrTitle;
    if (m_hWnd != nullptr)
        Invalidate();
}

void CHolderView::SetTitleColor(COLORREF clrTitle)
{
    m_clrTitle = clrTitle;
    if (m_hWnd != nullptr)
        Invalidate();
}

void CHolderView::SetTitleFont(CFont* pFont)
{
    m_pTitleFont = pFont;
    if (m_hWnd != nullptr)
        Invalidate();
}

BOOL CHolderView::SetTitleFontFrom(const LOGFONT& lf)
{
    auto pFont = std::make_unique<CFont>();
    if (!pFont->CreateFontIndirect(&lf))
        return FALSE;
    SetTitleFont(pFont.get());
    m_ownFonts.push_back(std::move(pFont));
    return TRUE;
}

LRESULT CHolderView::OnSetTitleColor(WPARAM wParam, LPARAM)
{
    SetTitleColor((COLORREF)wParam);
    return 0;
}

BOOL CHolderView::OnEraseBkgnd(CDC* pDC)
{
    // A brick paints its whole face in OnDraw; erasing first only makes it flicker.
    if (m_dwStyleVX & HOLDER_STYLE_BRICK)
        return TRUE;
    return CView::OnEraseBkgnd(pDC);
}

void CHolderView::OnDraw(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    const bool bBrick = (m_dwStyleVX & HOLDER_STYLE_BRICK) != 0;
    pDC->FillSolidRect(&rc, ::GetSysColor(bBrick ? COLOR_BTNFACE : COLOR_WINDOW));
    if (bBrick)
        pDC->Draw3dRect(&rc, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(m_clrTitle);
    CFont* pOldFont = m_pTitleFont != nullptr ? pDC->SelectObject(m_pTitleFont) : nullptr;
    // No prefix processing: a symbol such as M&M is shown as written.
    pDC->DrawText(m_csTitle, &rc, DT_SINGLELINE | DT_LEFT | DT_VCENTER | DT_NOPREFIX);
    if (pOldFont != nullptr)
        pDC->SelectObject(pOldFont);
}

CSplitterWnd* CHolderView::GetParentSplitter() const
{
    CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    return pParent != nullptr ? DYNAMIC_DOWNCAST(CSplitterWnd, pParent) : nullptr;
}

std::vector<CHolderView*> CHolderView::SiblingViews() const
{
    std::vector<CHolderView*> views;
    CSplitterWnd* pSplitter = GetParentSplitter();
    if (pSplitter == nullptr)
        return views;
    for (int col = 0; col < pSplitter->GetColumnCount(); ++col)
    {
        CWnd* pPane = pSplitter->GetPane(0, col);
        CWnd* pPermanent = pPane != nullptr ? CWnd::FromHandlePermanent(pPane->m_hWnd) : nullptr;
        if (CHolderView* pView = pPermanent != nullptr ? DYNAMIC_DOWNCAST(CHolderView, pPermanent) : nullptr)
            views.push_back(pView);
    }
    return views;
}

int CHolderView::FitToWindow()
{
    CSplitterWnd* pSplitter = GetParentSplitter();
    CWnd* pBar = pSplitter != nullptr ? pSplitter->GetParent() : nullptr;
    if (pBar == nullptr || pSplitter->GetColumnCount() < 1)
        return 0;
    CRect rc;
    pBar->GetClientRect(&rc);
    const int nWidth = rc.Width() / pSplitter->GetColumnCount();
    for (int col = 0; col < pSplitter->GetColumnCount(); ++col)
    {
        int cxCur = 0, cxMin = 0;
        pSplitter->GetColumnInfo(col, cxCur, cxMin);
        pSplitter->SetColumnInfo(col, nWidth, cxMin);
    }
    // One layout for all columns: laying out after each column gives the same panes, at a cost
    // that grows with the square of the count.
    pSplitter->RecalcLayout();
    return 1;
}

BOOL CHolderView::ChooseFont(LOGFONT& lf)
{
    CVXFontDlg dlg(&lf, CF_SCREENFONTS | CF_EFFECTS, nullptr, this);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    dlg.GetCurrentFont(&lf);
    return TRUE;
}

BOOL CHolderView::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const HWND hWnd = m_hWnd;
    LOGFONT lf = {};
    if (m_pTitleFont != nullptr && m_pTitleFont->GetSafeHandle() != nullptr)
        m_pTitleFont->GetLogFont(&lf);
    const bool bInSplitter = GetParentSplitter() != nullptr;
    switch (LOWORD(wParam))
    {
    case ID_BRICK_SET_COLOR:
    {
        CColorDialog dlg(m_clrTitle, 0, this);
        if (dlg.DoModal() == IDOK && ::IsWindow(hWnd))
            SetTitleColor(dlg.GetColor());
        break;
    }
    case ID_BRICK_SET_FONT:
        if (ChooseFont(lf) && ::IsWindow(hWnd))
            SetTitleFontFrom(lf);
        break;
    case ID_BRICK_SET_COLOR_ALL:
        if (bInSplitter)
        {
            CColorDialog dlg(0, 0, this);
            if (dlg.DoModal() == IDOK && ::IsWindow(hWnd))
                for (CHolderView* pView : SiblingViews())
                    pView->SetTitleColor(dlg.GetColor());
        }
        break;
    case ID_BRICK_SET_FONT_ALL:
        if (bInSplitter && ChooseFont(lf) && ::IsWindow(hWnd))
            for (CHolderView* pView : SiblingViews())
                pView->SetTitleFontFrom(lf);
        break;
    case ID_BRICK_FIT_TO_WINDOW:
        if (bInSplitter)
            FitToWindow();
        break;
    case ID_BRICK_SET_DEFAULT_VALUES:
        if (bInSplitter)
        {
            LOGFONT lfDefault = {};
            lfDefault.lfHeight = 13;
            lfDefault.lfWeight = FW_SEMIBOLD;
            lfDefault.lfPitchAndFamily = FF_SWISS;
            strcpy(lfDefault.lfFaceName, "Trebuchet MS");
            for (CHolderView* pView : SiblingViews())
                pView->SetTitleFontFrom(lfDefault);
        }
        break;
    default:
        break;
    }
    // A modal dialog may have let the host destroy the view; then there is no one to tell.
    if (::IsWindow(hWnd) && ::IsWindow(m_hWndOwnerVX))
        ::SendMessageA(m_hWndOwnerVX, WM_COMMAND, wParam, lParam);
    return TRUE;
}

void CHolderView::OnContextMenu(CWnd*, CPoint point)
{
    if (point.x == -1 && point.y == -1)
    {
        // From the keyboard: open at the brick's centre.
        CRect rc;
        GetClientRect(&rc);
        point = rc.CenterPoint();
        ClientToScreen(&point);
    }
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    menu.AppendMenu(MF_STRING, ID_BRICK_SET_COLOR, "Set Color");
    menu.AppendMenu(MF_STRING, ID_BRICK_SET_FONT, "Set Font");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, ID_BRICK_SET_COLOR_ALL, "Set Color to All Bricks");
    menu.AppendMenu(MF_STRING, ID_BRICK_SET_FONT_ALL, "Set Font to All Bricks");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, ID_BRICK_FIT_TO_WINDOW, "Fit To Window");
    menu.AppendMenu(MF_STRING, ID_BRICK_SET_DEFAULT_VALUES, "Set Default Values");
    menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}
