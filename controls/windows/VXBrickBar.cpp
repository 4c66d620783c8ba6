#include "windows/VXBrickBar.h"

#include "editors/PriceRules.h"
#include "host/ControlBlock.h"
#include "windows/BrickBarSetting.h"
#include "windows/HolderView.h"

#include <climits>
#include <cstring>

IMPLEMENT_DYNAMIC(CVXBrickBar, CFlatFrameWnd)

BEGIN_MESSAGE_MAP(CVXBrickBar, CFlatFrameWnd)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace
{
LOGFONT BrickFont(int nHeight, int nWeight)
{
    LOGFONT lf = {};
    lf.lfHeight = nHeight;
    lf.lfWeight = nWeight;
    lf.lfPitchAndFamily = FF_SWISS;
    strcpy(lf.lfFaceName, "Trebuchet MS");
    return lf;
}

LOGFONT ToLogFont(const sBrickFont& font)
{
    LOGFONT lf = {};
    lf.lfHeight = font.nHeight;
    lf.lfWidth = font.nWidth;
    lf.lfEscapement = font.nEscapement;
    lf.lfOrientation = font.nOrientation;
    lf.lfWeight = font.nWeight;
    lf.lfItalic = font.bItalic;
    lf.lfUnderline = font.bUnderline;
    lf.lfStrikeOut = font.bStrikeOut;
    lf.lfCharSet = font.nCharSet;
    lf.lfOutPrecision = font.nOutPrecision;
    lf.lfClipPrecision = font.nClipPrecision;
    lf.lfQuality = font.nQuality;
    lf.lfPitchAndFamily = font.nPitchAndFamily;
    static_assert(sizeof(lf.lfFaceName) == sizeof(font.szFaceName), "face name fields differ");
    memcpy(lf.lfFaceName, font.szFaceName, sizeof(lf.lfFaceName));
    lf.lfFaceName[LF_FACESIZE - 1] = '\0';
    return lf;
}

sBrickFont FromLogFont(const LOGFONT& lf)
{
    sBrickFont font = {};
    font.nHeight = lf.lfHeight;
    font.nWidth = lf.lfWidth;
    font.nEscapement = lf.lfEscapement;
    font.nOrientation = lf.lfOrientation;
    font.nWeight = lf.lfWeight;
    font.bItalic = lf.lfItalic;
    font.bUnderline = lf.lfUnderline;
    font.bStrikeOut = lf.lfStrikeOut;
    font.nCharSet = lf.lfCharSet;
    font.nOutPrecision = lf.lfOutPrecision;
    font.nClipPrecision = lf.lfClipPrecision;
    font.nQuality = lf.lfQuality;
    font.nPitchAndFamily = lf.lfPitchAndFamily;
    memcpy(font.szFaceName, lf.lfFaceName, sizeof(font.szFaceName));
    font.szFaceName[BRICK_FACE_SIZE - 1] = '\0';
    return font;
}
}  // namespace

CVXBrickBar::CVXBrickBar() : m_mapPaneInfo(10)
{
}

CVXBrickBar::~CVXBrickBar()
{
    if (m_hWnd != nullptr)
    {
        // Deleted with its window still open: close it now, while the records are alive.
        m_bAutoDelete = FALSE;
        ::DestroyWindow(m_hWnd);
    }
    FreeMap();
}

// --- creation ----------------------------------------------------------------------------------

int CVXBrickBar::CreateBrickBars(CWnd* pParent, int nCount, CArray<CString, CString>& arrCaptions, CRect rect,
                                 int bResizable)
{
    if (nCount < 1 || nCount > BRICK_BAR_MAX_BRICKS || arrCaptions.GetSize() == 0 || nCount < arrCaptions.GetSize())
        return 0;
    if (m_hWnd != nullptr || pParent->GetSafeHwnd() == nullptr)
        return 0;

    // Until the bar is whole, a failure must leave the object to the caller.
    m_bAutoDelete = FALSE;
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW),
                                            (HBRUSH)::GetStockObject(WHITE_BRUSH),
                                            ::LoadIconA(nullptr, (LPCSTR)IDI_APPLICATION));
    if (!Create(lpszClass, "", WS_CHILD, rect, pParent))
        return 0;
    ModifyStyleEx(0, WS_EX_DLGMODALFRAME, SWP_FRAMECHANGED);
    ShowWindow(SW_SHOW);
    m_nBrickCount = nCount;

    if (!m_wndSplitter.CreateStatic(this, 1, nCount, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST))
    {
        AbandonCreation();
        return 0;
    }
    m_wndSplitter.ModifyStyleEx(WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME, 0, SWP_FRAMECHANGED);

    for (int i = 0; i < nCount; ++i)
    {
        if (!m_wndSplitter.CreateView(0, i, RUNTIME_CLASS(CHolderView), CSize(100, 100), nullptr))
        {
            AbandonCreation();
            return 0;
        }
        CHolderView* pView = static_cast<CHolderView*>(CWnd::FromHandlePermanent(m_wndSplitter.GetPane(0, i)->m_hWnd));
        auto* pInfo = new sPaneInfo;
        pInfo->pView = pView;
        // A brick past the last caption gets an empty one.
        pInfo->csCaption = i < arrCaptions.GetSize() ? arrCaptions[i] : CString();
        m_mapPaneInfo.SetAt(i, pInfo);
        pView->setOwner(this);
        pView->SetStyleVX(HOLDER_STYLE_BRICK);
        SetCaption(i, pInfo->csCaption, 0);
    }

    const int nWidth = rect.Width() / nCount;
    for (int i = 0; i < nCount; ++i)
    {
        m_wndSplitter.SetColumnInfo(i, nWidth, 0);
        SetOwnFont(i, BrickFont(18, FW_NORMAL));
    }
    m_wndSplitter.RecalcLayout();

    const HWND hWnd = m_hWnd;
    ReadFromINI();
    // The host's settings callback may have closed the bar; the object stays the caller's.
    if (!::IsWindow(hWnd))
    {
        FreeMap();
        return 0;
    }

    m_wndSplitter.SetResizable(bResizable);
    m_wndSplitter.MoveWindow(0, 0, rect.Width(), rect.Height());
    m_wndSplitter.ShowWindow(SW_SHOW);
    m_bAutoDelete = TRUE;
    return 1;
}

void CVXBrickBar::AbandonCreation()
{
    // Nothing of a half-made bar is saved over the settings it could not read yet.
    m_bSaved = true;
    ::DestroyWindow(m_hWnd);
    FreeMap();
    m_ownFonts.clear();
    m_nBrickCount = 0;
    m_bSaved = false;
}

BOOL CVXBrickBar::SetOwnFont(int nIndex, const LOGFONT& lf)
{
    auto pFont = std::make_unique<CFont>();
    if (!pFont->CreateFontIndirect(&lf))
        return FALSE;
    if (!SetFont(nIndex, pFont.get()))
        return FALSE;
    // The old font is no longer the record's nor the view's: it can go.
    m_ownFonts[nIndex] = std::move(pFont);
    return TRUE;
}

// --- records -----------------------------------------------------------------------------------

CVXBrickBar::sPaneInfo* CVXBrickBar::Pane(int nIndex) const
{
    sPaneInfo* pInfo = nullptr;
    if (!m_mapPaneInfo.Lookup(nIndex, pInfo) || pInfo == nullptr)
        return nullptr;
    // The view deletes itself with its window; a record whose view is gone is not used.
    if (pInfo->pView == nullptr || AfxFindWindowHandle(pInfo->pView) == nullptr)
        return nullptr;
    return pInfo;
}

void CVXBrickBar::FreeMap()
{
    POSITION pos = m_mapPaneInfo.GetStartPosition();
    while (pos != nullptr)
    {
        int nIndex = 0;
        sPaneInfo* pInfo = nullptr;
        m_mapPaneInfo.GetNextAssoc(pos, nIndex, pInfo);
        delete pInfo;
    }
    m_mapPaneInfo.RemoveAll();
}

void CVXBrickBar::UpdateUIData()
{
    for (int i = 0; i < m_nBrickCount; ++i)
    {
        if (sPaneInfo* pInfo = Pane(i))
        {
            pInfo->clrText = pInfo->pView->GetTitleColor();
            pInfo->pFont = pInfo->pView->GetTitleFont();
        }
    }
}

int CVXBrickBar::GetPaneCount()
{
    return m_wndSplitter.GetSafeHwnd() != nullptr ? m_wndSplitter.GetColumnCount() : 0;
}

// --- texts -------------------------------------------------------------------------------------

int CVXBrickBar::SetCaption(int nIndex, CString csCaption, COLORREF)
{
    sPaneInfo* pInfo = nIndex <= m_nBrickCount ? Pane(nIndex) : nullptr;
    if (pInfo == nullptr)
        return 0;
    const CString csOld = pInfo->csCaption + m_csSeperator;
    pInfo->csCaption = csCaption;
    CString csTitle = pInfo->pView->GetTitle();
    if (csTitle.IsEmpty())
    {
        pInfo->pView->SetTitle(csCaption + m_csSeperator, pInfo->clrText);
        return 1;
    }
    // The title keeps its leading space here, and the view puts one more in front.
    csTitle.Replace(csOld, csCaption + m_csSeperator);
    pInfo->pView->SetTitle(csTitle, pInfo->clrText);
    return 1;
}

int CVXBrickBar::SetText(int nIndex, CString csText, COLORREF)
{
    sPaneInfo* pInfo = Pane(nIndex);
    if (pInfo == nullptr)
        return 0;
    if (m_bGroupDigits)
        csText = GetCommaData(csText);
    pInfo->pView->SetTitle(pInfo->csCaption + m_csSeperator + csText, pInfo->clrText);
    return 1;
}

int CVXBrickBar::GetCaption(int nIndex, CString& csCaption)
{
    sPaneInfo* pInfo = Pane(nIndex);
    if (pInfo == nullptr)
        return 0;
    csCaption = pInfo->csCaption;
    return 1;
}

int CVXBrickBar::GetText(int nIndex, CString& csText)
{
    sPaneInfo* pInfo = Pane(nIndex);
    if (pInfo == nullptr)
    {
        csText.Empty();
        return 0;
    }
    csText = pInfo->pView->GetTitle();
    csText.Replace(pInfo->csCaption + m_csSeperator, "");
    return 1;
}

int CVXBrickBar::GetTextWithCaption(int nIndex, CString& csText)
{
    sPaneInfo* pInfo = Pane(nIndex);
    if (pInfo == nullptr)
    {
        csText.Empty();
        return 0;
    }
    csText = pInfo->pView->GetTitle();
    return 1;
}

int CVXBrickBar::SetTextColor(int nIndex, COLORREF clr)
{
    sPaneInfo* pInfo = Pane(nIndex);
    if (pInfo == nullptr)
        return 0;
    pInfo->clrText = clr;
    pInfo->pView->SendMessage(WM_HOLDER_SETTITLECOLOR, (WPARAM)clr, 0);
    return 1;
}

int CVXBrickBar::SetFont(int nIndex, CFont* pFont)
{
    sPaneInfo* pInfo = Pane(nIndex);
    if (pInfo == nullptr || pFont == nullptr)
        return 0;
    pInfo->pFont = pFont;
    pInfo->pView->SetTitleFont(pFont);
    return 1;
}

int CVXBrickBar::SetCaptionSeperator(CString csSeperator)
{
    m_csSeperator = csSeperator;
    return 1;
}

CString CVXBrickBar::GetCommaData(CString& csText)
{
    return PriceCommaData(csText, INT_MAX);
}

// --- layout ------------------------------------------------------------------------------------

int CVXBrickBar::FitToWindow()
{
    if (m_wndSplitter.GetSafeHwnd() == nullptr || m_wndSplitter.GetPane(0, 0) == nullptr)
        return 0;
    CRect rc;
    GetClientRect(&rc);
    const int nColumns = m_wndSplitter.GetColumnCount();
    for (int col = 0; col < nColumns; ++col)
    {
        int cxCur = 0, cxMin = 0;
        m_wndSplitter.GetColumnInfo(col, cxCur, cxMin);
        m_wndSplitter.SetColumnInfo(col, rc.Width() / nColumns, cxMin);
    }
    m_wndSplitter.RecalcLayout();
    return 1;
}

// --- settings ----------------------------------------------------------------------------------

int CVXBrickBar::WriteToINI()
{
    if (m_csName.IsEmpty() || m_hWnd == nullptr)
        return 0;
    const HWND hWnd = m_hWnd;
    for (int i = 0; i < m_nBrickCount; ++i)
    {
        sPaneInfo* pInfo = Pane(i);
        LOGFONT lf = {};
        if (pInfo == nullptr || pInfo->pFont == nullptr || pInfo->pFont->GetSafeHandle() == nullptr ||
            pInfo->pFont->GetLogFont(&lf) == 0)
            continue;
        int cxCur = 0, cxMin = 0;
        m_wndSplitter.GetColumnInfo(i, cxCur, cxMin);
        CString csValue = FormatBrickSetting(cxCur, (long)pInfo->clrText, FromLogFont(lf));
        CString csKey;
        csKey.Format(BRICK_BAR_KEY, i);
        if (!CControlBlock::Get()->CallUserSetting(1, SettingsSection(), csValue, csKey))
            AfxMessageBox("Error while saving brick bar information");
        // The host's callback or the message box may have let the bar go.
        if (!::IsWindow(hWnd))
            break;
    }
    return 1;
}

int CVXBrickBar::ReadFromINI()
{
    if (m_csName.IsEmpty() || m_hWnd == nullptr)
        return 0;
    const HWND hWnd = m_hWnd;
    for (int i = 0; i < m_nBrickCount; ++i)
    {
        CString csKey;
        csKey.Format(BRICK_BAR_KEY, i);
        CString csValue;
        CControlBlock::Get()->CallUserSetting(0, SettingsSection(), csValue, csKey);
        if (!::IsWindow(hWnd))
            return 0;
        const sBrickSetting setting = ParseBrickSetting(csValue);
        if (setting.bWidth)
        {
            int cxCur = 0, cxMin = 0;
            m_wndSplitter.GetColumnInfo(i, cxCur, cxMin);
            m_wndSplitter.SetColumnInfo(i, setting.nWidth, cxMin);
        }
        sPaneInfo* pInfo = Pane(i);
        if (setting.bColour && pInfo != nullptr)
        {
            pInfo->clrText = (COLORREF)setting.nColour;
            pInfo->pView->SetTitleColor(pInfo->clrText);
        }
        // A font the platform cannot make leaves the brick's font as it was.
        if (setting.bFont && pInfo != nullptr)
            SetOwnFont(i, ToLogFont(setting.font));
        if (setting.bStop)
            return 0;
    }
    m_wndSplitter.RecalcLayout();
    return 1;
}

// --- window ------------------------------------------------------------------------------------

BOOL CVXBrickBar::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return 0;
    if (m_bSaveOnDestroy && !m_bSaved)
    {
        m_bSaved = true;
        const HWND hWnd = m_hWnd;
        WriteToINI();
        if (!::IsWindow(hWnd))
            return 0;
    }
    CFlatFrameWnd::DestroyWindow();   // may delete this
    return 0;
}

void CVXBrickBar::OnDestroy()
{
    // Destroyed with its parent (not through DestroyWindow): the bricks are saved all the same,
    // while their views still exist.
    if (m_bSaveOnDestroy && !m_bSaved)
    {
        m_bSaved = true;
        WriteToINI();
    }
    CFlatFrameWnd::OnDestroy();
}

void CVXBrickBar::PostNcDestroy()
{
    // The views are gone; the records must not point at them any more.
    for (int i = 0; i < m_nBrickCount; ++i)
    {
        sPaneInfo* pInfo = nullptr;
        if (m_mapPaneInfo.Lookup(i, pInfo) && pInfo != nullptr)
            pInfo->pView = nullptr;
    }
    CFlatFrameWnd::PostNcDestroy();   // deletes this when auto-deleting
}

BOOL CVXBrickBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam))
    {
    case ID_BRICK_SET_COLOR:
    case ID_BRICK_SET_FONT:
    case ID_BRICK_SET_FONT_ALL:
    case ID_BRICK_SET_COLOR_ALL:
        UpdateUIData();
        break;
    case ID_BRICK_SET_DEFAULT_VALUES:
        for (int i = 0; i < m_nBrickCount; ++i)
            SetTextColor(i, 0);
        UpdateUIData();
        break;
    default:
        break;
    }
    return CFlatFrameWnd::OnCommand(wParam, lParam);
}

BOOL CVXBrickBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return CFlatFrameWnd::OnNotify(wParam, lParam, pResult);
}

BOOL CVXBrickBar::PreTranslateMessage(MSG* pMsg)
{
    return CFlatFrameWnd::PreTranslateMessage(pMsg);
}

LRESULT CVXBrickBar::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return CFlatFrameWnd::DefWindowProc(message, wParam, lParam);
}
