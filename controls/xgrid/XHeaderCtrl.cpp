#include "xgrid/XHeaderCtrl.h"

IMPLEMENT_DYNAMIC(CXHeaderCtrl, CHeaderCtrl)

CXHeaderCtrl::CXHeaderCtrl() : m_nSpacing(4), m_bFlat(false)
{
    ReadSysColors();
}

CXHeaderCtrl::~CXHeaderCtrl() = default;

void CXHeaderCtrl::ReadSysColors()
{
    m_cr3DFace = ::GetSysColor(COLOR_3DFACE);
    m_cr3DHighLight = ::GetSysColor(COLOR_3DHIGHLIGHT);
    m_cr3DShadow = ::GetSysColor(COLOR_3DSHADOW);
    m_crBtnText = ::GetSysColor(COLOR_BTNTEXT);
}

BOOL CXHeaderCtrl::ModifyProperty(WPARAM wParam, LPARAM lParam)
{
    switch (wParam)
    {
    case XHEADER_PROP_SPACING:
        m_nSpacing = (int)lParam;
        break;
    case XHEADER_PROP_FLAT:
        m_bFlat = lParam != 0;
        break;
    default:
        return FALSE;
    }
    if (m_hWnd != nullptr)
        Invalidate();
    return TRUE;
}

void CXHeaderCtrl::DrawCtrl(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, m_cr3DFace);
    int nSaved = pDC->SaveDC();
    HFONT hFont = (HFONT)SendMessage(WM_GETFONT);
    if (hFont != nullptr)
        pDC->SelectObject((HGDIOBJ)hFont);
    for (int i = 0, n = GetItemCount(); i < n; ++i)
        DrawItemAt(pDC, i);
    pDC->RestoreDC(nSaved);
}

void CXHeaderCtrl::DrawItemAt(CDC* pDC, int nItem)
{
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_HEADER;
    dis.CtlID = (UINT)GetDlgCtrlID();
    dis.itemID = (UINT)nItem;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.hwndItem = m_hWnd;
    dis.hDC = pDC->GetSafeHdc();
    GetItemRect(nItem, &dis.rcItem);
    DrawItem(&dis);
}

void CXHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    CRect rc(lpDrawItemStruct->rcItem);
    char szText[256] = "";
    HDITEMA hdi = {};
    hdi.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE | HDI_BITMAP;
    hdi.pszText = szText;
    hdi.cchTextMax = sizeof(szText);
    GetItem((int)lpDrawItemStruct->itemID, &hdi);

    pDC->FillSolidRect(&rc, m_cr3DFace);
    if (m_bFlat)
        pDC->Draw3dRect(&rc, m_cr3DFace, m_cr3DShadow);
    else
        pDC->Draw3dRect(&rc, m_cr3DHighLight, m_cr3DShadow);
    rc.DeflateRect(m_nSpacing, 1);
    if (hdi.fmt & HDF_IMAGE)
    {
        int w = DrawImage(pDC, rc, &hdi, (hdi.fmt & HDF_BITMAP_ON_RIGHT) != 0);
        if (hdi.fmt & HDF_BITMAP_ON_RIGHT)
            rc.right -= w;
        else
            rc.left += w;
    }
    if ((hdi.fmt & HDF_BITMAP) && hdi.hbm != nullptr)
    {
        BITMAP bm = {};
        if (::GetObjectA(hdi.hbm, sizeof(bm), &bm) != 0)
        {
            int w = DrawBitmap(pDC, rc, &hdi, CBitmap::FromHandle(hdi.hbm), &bm, (hdi.fmt & HDF_BITMAP_ON_RIGHT) != 0);
            if (hdi.fmt & HDF_BITMAP_ON_RIGHT)
                rc.right -= w;
            else
                rc.left += w;
        }
    }
    DrawText(pDC, rc, &hdi);
}

int CXHeaderCtrl::DrawImage(CDC* pDC, CRect rc, LPHDITEM lphdi, BOOL bRight)
{
    HIMAGELIST hImages = (HIMAGELIST)SendMessage(HDM_GETIMAGELIST);
    if (hImages == nullptr || lphdi->iImage < 0)
        return 0;
    int cx = 0, cy = 0;
    ImageList_GetIconSize(hImages, &cx, &cy);
    if (rc.Width() < cx)
        return 0;
    int x = bRight ? rc.right - cx : rc.left;
    int y = rc.top + (rc.Height() - cy) / 2;
    ImageList_Draw(hImages, lphdi->iImage, pDC->GetSafeHdc(), x, y, ILD_TRANSPARENT);
    return cx + m_nSpacing;
}

int CXHeaderCtrl::DrawBitmap(CDC* pDC, CRect rc, LPHDITEM, CBitmap* pBitmap, BITMAP* pBitmapInfo, BOOL bRight)
{
    int cx = pBitmapInfo->bmWidth, cy = pBitmapInfo->bmHeight;
    if (rc.Width() < cx)
        return 0;
    CDC memDC;
    if (!memDC.CreateCompatibleDC(pDC))
        return 0;
    CBitmap* pOld = memDC.SelectObject(pBitmap);
    int x = bRight ? rc.right - cx : rc.left;
    int y = rc.top + (rc.Height() - cy) / 2;
    pDC->BitBlt(x, y, cx, cy, &memDC, 0, 0, SRCCOPY);
    memDC.SelectObject(pOld);
    return cx + m_nSpacing;
}

int CXHeaderCtrl::DrawText(CDC* pDC, CRect rc, LPHDITEM lphdi)
{
    if (lphdi->pszText == nullptr || rc.Width() <= 0)
        return 0;
    UINT nFormat = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
    switch (lphdi->fmt & HDF_JUSTIFYMASK)
    {
    case HDF_RIGHT: nFormat |= DT_RIGHT; break;
    case HDF_CENTER: nFormat |= DT_CENTER; break;
    default: nFormat |= DT_LEFT; break;
    }
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(m_crBtnText);
    return pDC->DrawText(lphdi->pszText, -1, &rc, nFormat);
}

LRESULT CXHeaderCtrl::OnInsertItem(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    Invalidate();
    return lResult;
}

LRESULT CXHeaderCtrl::OnDeleteItem(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    Invalidate();
    return lResult;
}

LRESULT CXHeaderCtrl::OnSetItem(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    Invalidate();
    return lResult;
}

LRESULT CXHeaderCtrl::OnLayout(WPARAM, LPARAM)
{
    return Default();
}

LRESULT CXHeaderCtrl::OnSetImageList(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    Invalidate();
    return lResult;
}

LRESULT CXHeaderCtrl::OnPrintClient(WPARAM wParam, LPARAM)
{
    DrawCtrl(CDC::FromHandle((HDC)wParam));
    return 0;
}

LRESULT CXHeaderCtrl::OnSysColorChange(WPARAM, LPARAM)
{
    ReadSysColors();
    Default();
    Invalidate();
    return 0;
}

void CXHeaderCtrl::OnPaint()
{
    CPaintDC dc(this);
    DrawCtrl(&dc);
}

BOOL CXHeaderCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;   // DrawCtrl paints every pixel
}

BEGIN_MESSAGE_MAP(CXHeaderCtrl, CHeaderCtrl)
    // LRESULT OnXxx(WPARAM wParam, LPARAM lParam)
    ON_MESSAGE(HDM_INSERTITEMA, OnInsertItem)
    ON_MESSAGE(HDM_INSERTITEMW, OnInsertItem)
    ON_MESSAGE(HDM_DELETEITEM, OnDeleteItem)
    ON_MESSAGE(HDM_SETITEMA, OnSetItem)
    ON_MESSAGE(HDM_SETITEMW, OnSetItem)
    ON_MESSAGE(HDM_LAYOUT, OnLayout)
    ON_MESSAGE(HDM_SETIMAGELIST, OnSetImageList)
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_MESSAGE(WM_SYSCOLORCHANGE, OnSysColorChange)
    // void OnPaint()
    ON_WM_PAINT()
    // BOOL OnEraseBkgnd(CDC* pDC)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()
