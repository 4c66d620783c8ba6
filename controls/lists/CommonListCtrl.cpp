// CCommonListCtrl: construction, initialisation, the column model and the window-level handlers.
// Sorting, menus and clipboard, and the hooks of the dialogs live in the CommonListCtrl*.cpp
// files beside this one.
#include "lists/CommonListCtrl.h"
#include "lists/ColumnProfileText.h"
#include "host/ControlBlock.h"
#include "host/ControlsModule.h"
#include "host/RecoveryFiles.h"
#include "lists/DigitGrouping.h"
#include "lists/CommonListHooks.h"
#include "lists/ListSortRules.h"
#include "OrvoTools.h"

#include <cstring>
#include <unordered_set>
#include <vector>

IMPLEMENT_DYNAMIC(CCommonListCtrl, CListCtrl)

CString& CCommonListCtrl::m_csGetRecoveryFile = RecoveryFileStorage();
CString& CCommonListCtrl::m_csGetDialogPosPath = DialogPosPathStorage();

namespace
{
CImageList* g_pHeaderImages = nullptr;

// True when the object's class or one of its bases has the given name. Used for the vendor
// toolkit's window classes, which the list recognises without depending on them.
bool IsKindOfName(const CObject* pObject, const char* pszClassName)
{
    for (const CRuntimeClass* pClass = pObject->GetRuntimeClass(); pClass != nullptr; pClass = pClass->m_pBaseClass)
    {
        if (strcmp(pClass->m_lpszClassName, pszClassName) == 0)
            return true;
    }
    return false;
}

// Ancestors from the window's parent up to its top-level window, as permanent wrappers.
template <class Pred>
CWnd* FindAncestor(HWND hWnd, Pred pred)
{
    for (HWND h = ::GetParent(hWnd); h != nullptr; h = ::GetParent(h))
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(h);
        if (pWnd != nullptr && pred(pWnd))
            return pWnd;
        if (!(::GetWindowLongPtrA(h, GWL_STYLE) & WS_CHILD))
            break;
    }
    return nullptr;
}

// One 9 x 5 header image: the host's bitmap with black drawn in the grey-text colour, or an arrow
// of our own when the host has none (up for ascending, down for descending, nothing for blank).
HBITMAP MakeHeaderBitmap(UINT nID, int nImage)
{
    const int cx = 9, cy = 5;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    HBITMAP hDib = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (hDib == nullptr)
        return nullptr;
    DWORD* pixels = static_cast<DWORD*>(pBits);
    COLORREF grey = ::GetSysColor(COLOR_GRAYTEXT);
    DWORD greyPixel = (DWORD)(GetRValue(grey) << 16 | GetGValue(grey) << 8 | GetBValue(grey));

    LPCTSTR name = MAKEINTRESOURCE(nID);
    HINSTANCE hInst = AfxFindResourceHandle(name, (LPCTSTR)RT_BITMAP);
    HBITMAP hSource = hInst ? (HBITMAP)::LoadImageA(hInst, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION) : nullptr;
    if (hSource != nullptr)
    {
        HDC hdc = ::GetDC(nullptr);
        ::GetDIBits(hdc, hSource, 0, cy, pixels, &bmi, DIB_RGB_COLORS);
        ::ReleaseDC(nullptr, hdc);
        ::DeleteObject(hSource);
        for (int i = 0; i < cx * cy; ++i)
        {
            if ((pixels[i] & 0xFFFFFF) == 0)
                pixels[i] = greyPixel;
        }
        return hDib;
    }
    for (int y = 0; y < cy; ++y)
    {
        for (int x = 0; x < cx; ++x)
        {
            // Row 0 is the top; the arrow's tip is one pixel, its base nine.
            int row = nImage == 0 ? y : cy - 1 - y;
            bool on = nImage != 2 && x >= 4 - row && x <= 4 + row;
            pixels[y * cx + x] = on ? greyPixel : 0xFFFFFF;
        }
    }
    return hDib;
}
}  // namespace

// --- construction ------------------------------------------------------------------------------

CCommonListCtrl::CCommonListCtrl()
    : m_pRepositionDlg(nullptr),
      m_nSortColumn(0),
      m_nPrevSortColumn(-1),
      m_nSortOrder(1),
      m_nSortDataType(0),
      m_nFirstVisibleColumn(0),
      m_bEnableWriteExcel(1),
      m_bEnableWriteFile(0),
      m_bColumnProfile(1),
      m_bApplyCustomColors(1),
      m_bEnableCustomize(1),
      m_bHeaderToolTips(1),
      m_bEraseOutsideItems(0),
      m_bCustomColumnsMenu(0),
      m_bHeaderCheckBox(0),
      m_bUserCustomize(0),
      m_bRedrawAllowed(true),
      m_bGroupedList(false),
      m_pOwnerWnd(nullptr),
      m_pfnGetTextColor(nullptr),
      m_pwchToolTip(nullptr),
      m_pchToolTip(nullptr),
      m_pfnGetRowToolTip(nullptr),
      m_bCustomizeLoaded(false),
      m_nAutoSortTimer(0),
      m_bAutoSort(false),
      m_nBuiltInColumns(0),
      m_bColumnsBuilt(false),
      m_pExportArg(nullptr),
      m_bRowDrag(0),
      m_nDropIndex(-1),
      m_pDragImage(nullptr),
      m_nPrevDropItem(-1),
      m_nPrevDropState(0),
      m_dwDropKey(0),
      m_dwPrevDropKey(0),
      m_dwDragSavedStyle(0),
      m_nScrollDirection(0),
      m_nScrollTimer(0)
{
    LiveLists().insert(this);
    CControlBlock::Get();
}

CCommonListCtrl::~CCommonListCtrl()
{
    LiveLists().erase(this);
    delete[] m_pwchToolTip;
    delete[] m_pchToolTip;
    delete m_pDragImage;
    if (UserColumnTargetList() == this)
        UserColumnTargetList() = nullptr;
    if (m_bRegistered)
    {
        CList<CCommonListCtrl*, CCommonListCtrl*>& lists = RegisteredLists();
        POSITION pos = lists.Find(this);
        if (pos != nullptr)
            lists.RemoveAt(pos);
    }
    ReleaseRepositionDlg();
    if (CommonListHooks().pfnForgetList != nullptr)
        CommonListHooks().pfnForgetList(this);
}

BOOL CCommonListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_bCreating = true;
    BOOL ok = CListCtrl::Create(dwStyle, rect, pParentWnd, nID);
    m_bCreating = false;
    if (ok)
        CommonInitList();
    return ok;
}

BOOL CCommonListCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_bCreating = true;
    BOOL ok = CListCtrl::CreateEx(dwExStyle, dwStyle, rect, pParentWnd, nID);
    m_bCreating = false;
    if (ok)
        CommonInitList();
    return ok;
}

void CCommonListCtrl::PreSubclassWindow()
{
    CListCtrl::PreSubclassWindow();
    // During Create the window is attached before its header exists; Create initialises after.
    if (m_bCreating)
        return;
    SetExtendedStyle(GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    CommonInitList();
}

void CCommonListCtrl::CommonInitList()
{
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (pHeader != nullptr)
    {
        pHeader->SetImageList(GetHeaderImageList());
        SetHeaderSortImage(m_nSortColumn, 0);
    }
    m_nPrevSortColumn = m_nSortColumn;
    m_nSortOrder = -1;

    SetExtendedStyle(GetExtendedStyle() | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT);
    SetTextColor(RGB(0, 255, 0));
    SetBkColor(RGB(0, 0, 0));
    SetTextBkColor(RGB(0, 0, 0));

    if (!m_bRegistered && GetListCtrlDlgParent(this) != nullptr && !m_bGroupedList && m_bEnableCustomize)
    {
        RegisteredLists().AddTail(this);
        m_bRegistered = true;
    }
    ReadAppearanceSettings();
}

void CCommonListCtrl::SetRecoveryFiles(CString csRecoveryFile, CString csDialogPosPath)
{
    SetRecoveryFileNames(csRecoveryFile, csDialogPosPath);
}

std::unordered_set<const CCommonListCtrl*>& CCommonListCtrl::LiveLists()
{
    static std::unordered_set<const CCommonListCtrl*> lists;
    return lists;
}

bool CCommonListCtrl::IsLiveList(const CCommonListCtrl* pList)
{
    return pList != nullptr && LiveLists().count(pList) != 0;
}

CList<CCommonListCtrl*, CCommonListCtrl*>& CCommonListCtrl::RegisteredLists()
{
    static CList<CCommonListCtrl*, CCommonListCtrl*> lists;
    return lists;
}

CImageList* CCommonListCtrl::GetHeaderImageList()
{
    if (g_pHeaderImages != nullptr)
        return g_pHeaderImages;
    auto pImages = new CImageList;
    if (!pImages->Create(9, 5, ILC_COLOR24 | ILC_MASK, 3, 0))
    {
        delete pImages;
        return nullptr;
    }
    static const UINT ids[3] = { 32898, 32899, 32900 };
    for (int i = 0; i < 3; ++i)
    {
        CBitmap bitmap;
        bitmap.Attach(MakeHeaderBitmap(ids[i], i));
        pImages->Add(&bitmap, RGB(255, 255, 255));
    }
    g_pHeaderImages = pImages;
    return g_pHeaderImages;
}

void CCommonListCtrl::DestroyHeaderImageList()
{
    delete g_pHeaderImages;
    g_pHeaderImages = nullptr;
}

// The header image list goes when the library unloads.
static const bool s_bUnloadRegistered = (AddLibraryUnloadAction(&CCommonListCtrl::DestroyHeaderImageList), true);

// --- defaults and providers ----------------------------------------------------------------------

int CCommonListCtrl::SetDefaultCols(CArray<int, int>& columns)
{
    return SetDefaultCols((int)columns.GetSize(), columns.GetData()) || columns.IsEmpty();
}

int CCommonListCtrl::SetDefaultCols(int nCount, const int* pColumns)
{
    if (nCount <= 0 || pColumns == nullptr)
        return 0;
    int nSize = 0;
    for (int i = 0; i < nCount; ++i)
    {
        if (pColumns[i] >= nSize && pColumns[i] < 0x10000)
            nSize = pColumns[i] + 1;
    }
    m_arrDefaultColPosition.SetSize(nSize);
    for (int c = 0; c < nSize; ++c)
        m_arrDefaultColPosition[c] = -1;
    int nPosition = 0;
    for (int i = 0; i < nCount; ++i)
    {
        int c = pColumns[i];
        if (c >= 0 && c < nSize && m_arrDefaultColPosition[c] == -1)
            m_arrDefaultColPosition[c] = nPosition++;
    }
    return 1;
}

// --- columns -------------------------------------------------------------------------------------

int CCommonListCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    int nPosition = CListCtrl::InsertColumn(nCol, lpszColumnHeading, nFormat, nWidth, nSubItem);
    if (nPosition < 0)
        return nPosition;
    if (nFormat & LVCFMT_IMAGE)
        SetHeaderSortImage(nPosition, 2);
    if (m_bHeaderCheckBox && nPosition == 0)
        EnableHeaderCheckBox();
    if (!m_arrHeaderTips.empty() && m_ToolTip.GetSafeHwnd() != nullptr)
    {
        // The tools after the new column move one place on; the new one shows its header text.
        if ((size_t)nPosition <= m_arrHeaderTips.size())
            m_arrHeaderTips.insert(m_arrHeaderTips.begin() + nPosition, CString());
        RenumberHeaderTools(nPosition);
    }
    else if (m_bHeaderToolTips)
    {
        AddHeaderToolTip(nPosition);
    }
    return nPosition;
}

BOOL CCommonListCtrl::DeleteColumn(int nCol)
{
    BOOL bDeleted = CListCtrl::DeleteColumn(nCol);
    if (bDeleted && m_ToolTip.GetSafeHwnd() != nullptr)
    {
        if (nCol >= 0 && (size_t)nCol < m_arrHeaderTips.size())
            m_arrHeaderTips.erase(m_arrHeaderTips.begin() + nCol);
        RenumberHeaderTools(nCol);
    }
    return bDeleted;
}

void CCommonListCtrl::AddToVisibleArray(sVisibleColumn column)
{
    if (column.nPosition == 0)
        m_arrVisibleColumns.InsertAt(0, column);
    else
        m_arrVisibleColumns.Add(column);
}

int CCommonListCtrl::ColumnAtPosition(int nPosition) const
{
    for (INT_PTR c = 0; c < m_arrColPosition.GetSize(); ++c)
    {
        if (m_arrColPosition[c] == nPosition)
            return (int)c;
    }
    return -1;
}

namespace
{
void CopyName(char (&dest)[64], LPCTSTR src)
{
    strlcpy(dest, src ? src : "", sizeof(dest));
}
}  // namespace

bool CCommonListCtrl::SameBuiltInColumns() const
{
    if (m_nBuiltInColumns <= 0 || m_arrBuiltInNames.GetSize() != m_nBuiltInColumns ||
        m_arrColInfo.GetSize() < m_nBuiltInColumns)
        return false;
    for (int c = 0; c < m_nBuiltInColumns; ++c)
    {
        if (m_arrBuiltInNames[c] != m_arrColInfo[c].szColName)
            return false;
    }
    return true;
}

namespace
{
bool HasShownColumn(const CArray<int, int>& positions)
{
    for (INT_PTR i = 0; i < positions.GetSize(); ++i)
        if (positions[i] >= 0)
            return true;
    return false;
}
}  // namespace

void CCommonListCtrl::InsertColumnsForList(int*)
{
    // A later build over the same built-in columns keeps their count: the user-defined columns
    // after them stay user-defined, definitions and all.
    if (!SameBuiltInColumns())
    {
        m_nBuiltInColumns = (int)m_arrColInfo.GetSize();
        m_arrBuiltInNames.RemoveAll();
        for (int c = 0; c < m_nBuiltInColumns; ++c)
            m_arrBuiltInNames.Add(m_arrColInfo[c].szColName);
    }
    ReadAutoSort();
    InitializeAutoSort();
    m_arrColPosition.RemoveAll();
    m_arrVisibleColumns.RemoveAll();
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    for (int n = pHeader ? pHeader->GetItemCount() : 0; n > 0; --n)
        DeleteColumn(n - 1);

    CArray<int, int> defaultWidths;
    for (INT_PTR c = 0; c < m_arrColInfo.GetSize(); ++c)
        defaultWidths.Add(m_arrColInfo[c].nWidth);
    sColumnLayout layout;
    CString value;
    bool bFromProfile = m_bColumnProfile && !m_csListName.IsEmpty() &&
                        CControlBlock::Get()->CallUserSetting(0, m_csListName, value, "COLUMNPROFILE") &&
                        ResolveColumnProfile(value, m_nBuiltInColumns, defaultWidths, layout);
    // The user columns the profile defines are kept even when its layout cannot be used.
    for (INT_PTR i = 0; bFromProfile && i < layout.added.GetSize(); ++i)
    {
        const sColumnProfileEntry& entry = layout.added[i];
        sOrvoColInfo info = {};
        CopyName(info.szColName, entry.csName);
        info.nWidth = COLUMN_PROFILE_USER_WIDTH;
        info.nFormat = LVCFMT_RIGHT;
        info.nDataType = LIST_SORT_DECIMAL;
        info.csText1 = entry.csText1;
        info.csText2 = entry.csText2;
        m_arrColInfo.Add(info);
        defaultWidths.Add(info.nWidth);
    }
    if (bFromProfile && !HasShownColumn(layout.positions))
    {
        // An empty grid is no layout anyone wants back: the default columns instead, and the next
        // save stores those.
        CControlBlock::Get()->Log("Column profile of " + m_csListName + " shows no column; default columns used: \"" +
                                  CControlBlock::LogExcerpt(value) + "\"");
        bFromProfile = false;
    }
    if (!bFromProfile)
        ResolveDefaultColumns(m_arrDefaultColPosition, defaultWidths, layout);
    m_arrColPosition.Copy(layout.positions);
    m_arrColWidth.Copy(layout.widths);
    InsertHeaderColumnsByPosition();
    m_bColumnsBuilt = true;
}

void CCommonListCtrl::LoadHeaders(CArray<int, int>& columnsByPosition, CArray<int, int>& widthsByPosition)
{
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    for (int n = pHeader ? pHeader->GetItemCount() : 0; n > 0; --n)
        DeleteColumn(n - 1);
    m_arrVisibleColumns.RemoveAll();

    INT_PTR nColumns = m_arrColInfo.GetSize();
    m_arrColPosition.SetSize(nColumns);
    m_arrColWidth.SetSize(nColumns);
    for (INT_PTR c = 0; c < nColumns; ++c)
    {
        m_arrColPosition[c] = -1;
        m_arrColWidth[c] = 0;
    }
    for (INT_PTR p = 0; p < columnsByPosition.GetSize(); ++p)
    {
        int c = columnsByPosition[p];
        if (c < 0 || c >= nColumns || m_arrColPosition[c] != -1)
            continue;
        m_arrColPosition[c] = (int)p;
        m_arrColWidth[c] = p < widthsByPosition.GetSize() ? widthsByPosition[p] : m_arrColInfo[c].nWidth;
    }
    CompactColumnPositions(m_arrColPosition);
    InsertHeaderColumnsByPosition();
    m_bColumnsBuilt = true;
    NotifyColumnsRebuilt();
}

void CCommonListCtrl::InsertHeaderColumnsByPosition()
{
    for (int p = 0;; ++p)
    {
        int c = ColumnAtPosition(p);
        if (c < 0)
            break;
        const sOrvoColInfo& info = m_arrColInfo[c];
        InsertColumn(p, info.szColName, info.nFormat, m_arrColWidth[c], p);
        AddToVisibleArray({ p, c });
        if (p == 0)
            m_nFirstVisibleColumn = c;
        if (c >= m_nBuiltInColumns && !info.csText2.IsEmpty())
            AddHeaderToolTip(p, info.csText2);
        // A category list makes its shown user-defined columns read-only afterwards (its own
        // InsertColumnsForList).
    }
}

void CCommonListCtrl::NotifyColumnsRebuilt()
{
    CWnd* pTarget = nullptr;
    if (m_bGroupedList)
    {
        pTarget = GetParent();
    }
    else
    {
        pTarget = FindAncestor(m_hWnd, [](CWnd* pWnd) {
            return IsKindOfName(pWnd, "CBCGPDialog") || IsKindOfName(pWnd, "CBCGPDialogBar");
        });
        if (pTarget == nullptr)
            pTarget = CWnd::FromHandleOrNull(::GetAncestor(m_hWnd, GA_ROOT));
    }
    if (pTarget != nullptr && pTarget->GetSafeHwnd() != m_hWnd)
        pTarget->SendMessage(WM_LIST_COLUMNS_REBUILT, (WPARAM)GetDlgCtrlID(), 0);
}

void CCommonListCtrl::AutoSizeColumns(int nMode)
{
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    int nColumns = pHeader ? pHeader->GetItemCount() : 0;
    if (nColumns == 0)
        return;
    m_bRedrawAllowed = false;
    SetRedraw(FALSE);
    CRect client;
    GetClientRect(&client);
    for (int i = 0; i < nColumns; ++i)
    {
        int nWidth = 50;
        if (nMode == ID_LIST_FIT_TO_WINDOW)
        {
            nWidth = client.Width() > 0 ? client.Width() / nColumns : 50;
        }
        else
        {
            SetColumnWidth(i, LVSCW_AUTOSIZE);
            int w1 = GetColumnWidth(i);
            SetColumnWidth(i, LVSCW_AUTOSIZE_USEHEADER);
            int w2 = GetColumnWidth(i);
            int w = nMode == ID_LIST_FIT_TO_DATA ? w1 : (nMode == ID_LIST_FIT_TO_HEADER ? w2 : (w1 > w2 ? w1 : w2));
            nWidth = w > 50 ? w : 50;
        }
        SetColumnWidth(i, nWidth);
    }
    RepositionHeaderToolTips();
    SetRedraw(TRUE);
    m_bRedrawAllowed = true;
    Invalidate();
    pHeader->Invalidate();
}

// --- texts and rows ------------------------------------------------------------------------------

int CCommonListCtrl::GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen)
{
    return CListCtrl::GetItemText(nItem, nSubItem, lpszText, nLen);
}

CString CCommonListCtrl::GetItemText(int nItem, int nSubItem)
{
    // The platform's text, read straight from it into a buffer on the stack; a text that fills
    // the buffer is read again by the growing read.
    char szText[256];
    if (nItem == m_nSortReadRow && nSubItem == m_nSortReadColumn && nItem >= 0 &&
        nItem < m_arrSavedItemData.GetSize() && (size_t)nItem < m_savedKnown.size() && !m_savedKnown[(size_t)nItem])
    {
        // A sort reading this cell: the row's item data comes with its text in one read, where
        // the platform hands it over for a subitem (a value left as it was means it did not).
        const LPARAM kUntouched = (LPARAM)0x5EC7ED5EC7ED5EC7ull;
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = nItem;
        item.iSubItem = nSubItem;
        item.cchTextMax = (int)sizeof(szText);
        item.pszText = szText;
        item.lParam = kUntouched;
        szText[0] = '\0';
        if (DefWindowProc(LVM_GETITEMA, 0, (LPARAM)&item))
        {
            if (item.lParam != kUntouched)
            {
                m_arrSavedItemData[nItem] = (DWORD_PTR)item.lParam;
                m_savedKnown[(size_t)nItem] = true;
            }
            const char* pszText = item.pszText != nullptr ? item.pszText : "";
            size_t nLength = strnlen(pszText, sizeof(szText));
            if (pszText != szText || nLength < sizeof(szText) - 1)
                return CString(pszText, (int)nLength);
        }
        return CListCtrl::GetItemText(nItem, nSubItem);
    }
    LVITEMA item = {};
    item.iSubItem = nSubItem;
    item.cchTextMax = (int)sizeof(szText);
    item.pszText = szText;
    szText[0] = '\0';
    int nLength = (int)DefWindowProc(LVM_GETITEMTEXTA, (WPARAM)nItem, (LPARAM)&item);
    if (nLength >= 0 && nLength < (int)sizeof(szText) - 1 && item.pszText != nullptr)
        return CString(item.pszText, nLength);
    return CListCtrl::GetItemText(nItem, nSubItem);
}

DWORD_PTR CCommonListCtrl::ReadPlatformItemData(int nItem)
{
    // The platform's own data, read past the message map (the sort is the list's own business).
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    return DefWindowProc(LVM_GETITEMA, 0, (LPARAM)&item) ? (DWORD_PTR)item.lParam : 0;
}

DWORD_PTR CCommonListCtrl::GetItemData(int nItem)
{
    if (!m_arrSavedItemData.IsEmpty() && nItem >= 0 && nItem < m_arrSavedItemData.GetSize())
    {
        if ((size_t)nItem < m_savedKnown.size() && !m_savedKnown[(size_t)nItem])
        {
            m_arrSavedItemData[nItem] = ReadPlatformItemData(nItem);
            m_savedKnown[(size_t)nItem] = true;
        }
        return m_arrSavedItemData[nItem];
    }
    return CListCtrl::GetItemData(nItem);
}

int CCommonListCtrl::SetRowFocus(int nRow)
{
    SetItemState(nRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EnsureVisible(nRow, FALSE);
    SetSelectionMark(nRow);
    return 1;
}

int CCommonListCtrl::GetItemColor(int, int)
{
    return 1;
}

void CCommonListCtrl::SetItemColor(int, int, COLORREF)
{
}

CWnd* CCommonListCtrl::GetListCtrlDlgParent(CWnd* pWnd)
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return nullptr;
    return FindAncestor(pWnd->m_hWnd, [](CWnd* pAncestor) {
        return pAncestor->GetSafeHwnd() != nullptr &&
               (pAncestor->IsKindOf(RUNTIME_CLASS(CDialog)) || IsKindOfName(pAncestor, "CFormView") ||
                IsKindOfName(pAncestor, "CBCGPDialogBar"));
    });
}

CString CCommonListCtrl::GetCommaData(CString& csNumber)
{
    return ListGroupThousands(csNumber);
}

// --- owner draw and painting ---------------------------------------------------------------------

void CCommonListCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (m_pOwnerWnd != nullptr && m_pOwnerWnd->GetSafeHwnd() != nullptr)
        m_pOwnerWnd->SendMessage(WM_DRAWITEM, (WPARAM)GetDlgCtrlID(), (LPARAM)lpDrawItemStruct);
}

void CCommonListCtrl::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    HDC hdc = ::GetDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hdc, (HFONT)SendMessage(WM_GETFONT));
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(hdc, &tm);
    ::SelectObject(hdc, hOld);
    ::ReleaseDC(nullptr, hdc);
    lpMeasureItemStruct->itemHeight = (UINT)(tm.tmHeight + tm.tmExternalLeading + 1);
}

LRESULT CCommonListCtrl::OnSetFont(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    // The platform measures owner-drawn rows only when the size changes: pretend it did.
    CRect rc;
    GetWindowRect(&rc);
    WINDOWPOS wp = {};
    wp.hwnd = m_hWnd;
    wp.cx = rc.Width();
    wp.cy = rc.Height();
    wp.flags = SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOOWNERZORDER | SWP_NOZORDER;
    SendMessage(WM_WINDOWPOSCHANGED, 0, (LPARAM)&wp);
    return lResult;
}

BOOL CCommonListCtrl::OnEraseBkgnd(CDC* pDC)
{
    if (!m_bEraseOutsideItems)
        return CListCtrl::OnEraseBkgnd(pDC);
    // Only the margins around the rows: below the last row, right of the last column, and a
    // strip along the left edge.
    CRect client;
    GetClientRect(&client);
    int nBottom = client.top;
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (pHeader != nullptr)
    {
        CRect header;
        pHeader->GetWindowRect(&header);
        nBottom = header.Height();
    }
    int nRight = client.left;
    int nCount = GetItemCount();
    if (nCount > 0)
    {
        CRect last;
        GetItemRect(nCount - 1, &last, LVIR_BOUNDS);
        nBottom = last.bottom;
        nRight = last.right;
    }
    pDC->FillSolidRect(CRect(client.left, nBottom, client.right, client.bottom), RGB(0, 0, 0));
    pDC->FillSolidRect(CRect(nRight, client.top, client.right, nBottom), RGB(0, 0, 0));
    pDC->FillSolidRect(CRect(client.left, client.top, client.left + 4, client.bottom), RGB(0, 0, 0));
    return TRUE;
}

bool CCommonListCtrl::IsReadOnlyQuery(UINT message)
{
    switch (message)
    {
    case WM_GETFONT:
    case LVM_GETTEXTCOLOR:
    case LVM_GETBKCOLOR:
    case LVM_GETTEXTBKCOLOR:
    case LVM_GETIMAGELIST:
    case LVM_GETHEADER:
    case LVM_GETITEMSTATE:
    case LVM_GETSUBITEMRECT:
    case LVM_GETCOLUMNWIDTH:
    case LVM_GETCOLUMNORDERARRAY:
    case LVM_GETEXTENDEDLISTVIEWSTYLE:
        return true;
    default:
        return false;
    }
}

// --- notifications from the header and the tooltip ---------------------------------------------------

BOOL CCommonListCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (pNMHDR != nullptr)
    {
        if ((pNMHDR->code == TTN_NEEDTEXTA || pNMHDR->code == TTN_NEEDTEXTW) && m_ToolTip.GetSafeHwnd() != nullptr &&
            pNMHDR->hwndFrom == m_ToolTip.m_hWnd)
            return OnToolTipText((UINT)pNMHDR->idFrom, pNMHDR, pResult);
        CHeaderCtrl* pHeader = GetHeaderCtrl();
        if (pHeader != nullptr && pNMHDR->hwndFrom == pHeader->m_hWnd)
        {
            switch (pNMHDR->code)
            {
            case HDN_ITEMSTATEICONCLICK:
                if (m_bHeaderCheckBox && reinterpret_cast<NMHEADERA*>(pNMHDR)->iItem == 0)
                {
                    HWND hWnd = m_hWnd;
                    CheckAllItems(GetHeaderCheckboxState() ? 0 : 1);
                    if (!IsLiveList(this) || !::IsWindow(hWnd))
                        return TRUE;
                    *pResult = 0;
                    return TRUE;
                }
                break;
            case HDN_ITEMCHANGEDA:
            case HDN_ITEMCHANGEDW:
            {
                // The list lays out first, then the tools follow their columns.
                LRESULT r = CListCtrl::OnNotify(wParam, lParam, pResult) ? *pResult : Default();
                *pResult = r;
                if (m_bHeaderToolTips)
                    RepositionHeaderToolTips();
                return TRUE;
            }
            case HDN_ENDDRAG:
            {
                const NMHEADERA* pHdr = reinterpret_cast<const NMHEADERA*>(pNMHDR);
                if (pHdr->iItem >= 0)
                    PostMessage(WM_LIST_RESETCOLUMNWIDTH, (WPARAM)pHdr->iItem, GetColumnWidth(pHdr->iItem));
                break;
            }
            default:
                break;
            }
        }
    }
    return CListCtrl::OnNotify(wParam, lParam, pResult);
}

// --- destruction ---------------------------------------------------------------------------------

BOOL CCommonListCtrl::DestroyWindow()
{
    if (m_ToolTip.GetSafeHwnd() != nullptr)
        m_ToolTip.DestroyWindow();
    return CListCtrl::DestroyWindow();
}

void CCommonListCtrl::OnDestroy()
{
    CancelRowDrag();
    if (m_ToolTip.GetSafeHwnd() != nullptr)
        m_ToolTip.DestroyWindow();
    m_nRowTool = 0;
    m_arrHeaderTips.clear();
    m_bCheckingAll = false;         // a CheckAllItems the host cut short by destroying the window
    m_bCheckRefreshPosted = false;
    m_hCheckHeader = nullptr;
    ReleaseListFont(m_hWnd);
    // A list closed before its columns were built (the host filled the records, then gave up)
    // has no layout of its own: saving would store every column hidden over the real profile.
    if (m_bColumnsBuilt)
    {
        SaveAutoSort();
        SaveColumnProfile();
    }
    m_bColumnsBuilt = false;
    m_arrColInfo.RemoveAll();
    m_arrBuiltInNames.RemoveAll();
    m_arrColPosition.RemoveAll();
    m_arrColWidth.RemoveAll();
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    // Nothing is drawn any more: without this the platform repaints the header after every
    // column it deletes, which takes seconds for a list of thousands of columns.
    SetRedraw(FALSE);
    for (int n = pHeader ? pHeader->GetItemCount() : 0; n > 0; --n)
        CListCtrl::DeleteColumn(n - 1);
    CListCtrl::OnDestroy();
}

// --- message map ---------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CCommonListCtrl, CListCtrl)
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, OnLvnColumnclick)
    ON_NOTIFY_REFLECT(NM_RCLICK, OnNMRclick)
    ON_NOTIFY_REFLECT_EX(LVN_BEGINDRAG, OnLvnBegindrag)
    ON_NOTIFY_REFLECT_EX(LVN_ITEMCHANGED, OnLvnItemchanged)
    ON_NOTIFY_REFLECT_EX(LVN_INSERTITEM, OnLvnRowsChanged)
    ON_NOTIFY_REFLECT_EX(LVN_DELETEITEM, OnLvnRowsChanged)
    ON_NOTIFY_REFLECT_EX(LVN_DELETEALLITEMS, OnLvnRowsChanged)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CAPTURECHANGED()
    ON_MESSAGE(WM_LIST_RESETCOLUMNWIDTH, OnResetColumnWidth)
    ON_MESSAGE(WM_LIST_REFRESHHEADERCHECK, OnRefreshHeaderCheck)
    ON_WM_CONTEXTMENU()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_SETFONT, OnSetFont)
    ON_WM_MEASUREITEM_REFLECT()
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_COMMAND(ID_LIST_REPOSITION_COLUMNS, ShowColumnDlg)
    ON_COMMAND(ID_LIST_REPOSITION_GROUPS, ShowColumnGrp)
    ON_COMMAND(ID_LIST_FIT_TO_DATA, OnFitToData)
    ON_COMMAND(ID_LIST_FIT_TO_HEADER, OnFitToHeader)
    ON_COMMAND(ID_LIST_FIT_TO_WINDOW, OnFitToWindow)
    ON_COMMAND_RANGE(ID_LIST_WRITE_TO_EXCEL, ID_LIST_WRITE_TO_FILE, WriteToExcel)
    ON_COMMAND(ID_LIST_GRID_LINES, GridLines)
    ON_COMMAND(ID_LIST_CUSTOMIZE, OnCustomize)
    ON_COMMAND(ID_LIST_COPY_TO_CLIPBOARD, BuildTable)
    ON_COMMAND(ID_LIST_USER_CUSTOMIZE, OnUserCustomize)
    ON_COMMAND(ID_LIST_ADD_CUSTOM_COLUMNS, OnOptionAddUserDefCol)
    ON_COMMAND(ID_LIST_EDIT_CUSTOM_COLUMNS, OnOptionModifyUserDefCol)
    ON_COMMAND(ID_LIST_DELETE_CUSTOM_COLUMNS, OnOptionDelUserDefCol)
END_MESSAGE_MAP()
