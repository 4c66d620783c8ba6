// Common controls: image list, header, list view and tooltips. Each wrapper holds only the handle;
// counts, texts and states are asked of the control every time.
#pragma once

#include "afxwin.h"

// An image list. The object that created (or attached) the list destroys it; FromHandle gives a
// temporary, non-owning wrapper.
class AFX_API CImageList : public CObject
{
    DECLARE_DYNCREATE(CImageList)
public:
    HIMAGELIST m_hImageList = nullptr;

    CImageList() = default;
    ~CImageList() override;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const { return AfxNullableThis(this) ? m_hImageList : nullptr; }
    static CImageList* FromHandle(HIMAGELIST hImageList);
    void ReleaseTempHandle() { m_hImageList = nullptr; }
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();

    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
    { return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow)); }
    // A strip bitmap found along the resource chain, cut into images cx wide.
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL DeleteImageList();

    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const
    { return ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo); }
    BOOL GetIconSize(int* cx, int* cy) const { return ImageList_GetIconSize(m_hImageList, cx, cy); }
    COLORREF SetBkColor(COLORREF cr) { return ImageList_SetBkColor(m_hImageList, cr); }
    COLORREF GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }
    int Add(CBitmap* pbmImage, CBitmap* pbmMask)
    { return ImageList_Add(m_hImageList, (HBITMAP)pbmImage->GetSafeHandle(), (HBITMAP)pbmMask->GetSafeHandle()); }
    int Add(CBitmap* pbmImage, COLORREF crMask)
    { return ImageList_AddMasked(m_hImageList, (HBITMAP)pbmImage->GetSafeHandle(), crMask); }
    int Add(HICON hIcon) { return ImageList_AddIcon(m_hImageList, hIcon); }
    BOOL Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
    { return ImageList_Replace(m_hImageList, nImage, (HBITMAP)pbmImage->GetSafeHandle(), (HBITMAP)pbmMask->GetSafeHandle()); }
    BOOL Remove(int nImage) { return ImageList_Remove(m_hImageList, nImage); }
    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
    { return ImageList_Draw(m_hImageList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, nStyle); }
    HICON ExtractIcon(int nImage) { return ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL); }

    // Drag images.
    BOOL BeginDrag(int nImage, CPoint ptHotSpot) { return ImageList_BeginDrag(m_hImageList, nImage, ptHotSpot.x, ptHotSpot.y); }
    static BOOL DragEnter(CWnd* pWndLock, CPoint point) { return ImageList_DragEnter(pWndLock->GetSafeHwnd(), point.x, point.y); }
    static BOOL DragLeave(CWnd* pWndLock) { return ImageList_DragLeave(pWndLock->GetSafeHwnd()); }
    static BOOL DragMove(CPoint pt) { return ImageList_DragMove(pt.x, pt.y); }
    static BOOL DragShowNolock(BOOL bShow) { return ImageList_DragShowNolock(bShow); }
    static void EndDrag() { ImageList_EndDrag(); }
};

// A header control (the column header of a report list or a stand-alone one).
class AFX_API CHeaderCtrl : public CWnd
{
    DECLARE_DYNAMIC(CHeaderCtrl)
public:
    CHeaderCtrl() = default;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetItemCount() const { return (int)SendToControl(HDM_GETITEMCOUNT); }
    BOOL GetItem(int nPos, HDITEM* pHeaderItem) const { return (BOOL)SendToControl(HDM_GETITEMA, nPos, (LPARAM)pHeaderItem); }
    BOOL SetItem(int nPos, HDITEM* pHeaderItem) { return (BOOL)SendToControl(HDM_SETITEMA, nPos, (LPARAM)pHeaderItem); }
    int InsertItem(int nPos, HDITEM* phdi) { return (int)SendToControl(HDM_INSERTITEMA, nPos, (LPARAM)phdi); }
    BOOL DeleteItem(int nPos) { return (BOOL)SendToControl(HDM_DELETEITEM, nPos); }
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const { return (BOOL)SendToControl(HDM_GETITEMRECT, nIndex, (LPARAM)lpRect); }
    BOOL Layout(HDLAYOUT* pHeaderLayout) { return (BOOL)SendToControl(HDM_LAYOUT, 0, (LPARAM)pHeaderLayout); }
    int HitTest(LPHDHITTESTINFO pHeaderHitTestInfo) { return (int)SendToControl(HDM_HITTEST, 0, (LPARAM)pHeaderHitTestInfo); }
    int OrderToIndex(int nOrder) const { return (int)SendToControl(HDM_ORDERTOINDEX, nOrder); }
    BOOL GetOrderArray(LPINT piArray, int iCount) const { return (BOOL)SendToControl(HDM_GETORDERARRAY, iCount, (LPARAM)piArray); }
    BOOL SetOrderArray(int iCount, LPINT piArray) { return (BOOL)SendToControl(HDM_SETORDERARRAY, iCount, (LPARAM)piArray); }
    CImageList* GetImageList() const { return CImageList::FromHandle((HIMAGELIST)SendToControl(HDM_GETIMAGELIST)); }
    CImageList* SetImageList(CImageList* pImageList)
    { return CImageList::FromHandle((HIMAGELIST)SendToControl(HDM_SETIMAGELIST, HDSIL_NORMAL, (LPARAM)pImageList->GetSafeHandle())); }
    int GetBitmapMargin() const { return (int)SendToControl(HDM_GETBITMAPMARGIN); }
    int SetBitmapMargin(int nWidth) { return (int)SendToControl(HDM_SETBITMAPMARGIN, nWidth); }

    // Owner-drawn items (HDF_OWNERDRAW) are painted here, reflected from the parent.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // Filter bar (HDS_FILTERBAR). Where the platform's header has none (Wine), this object draws
    // its own filter row under the items and answers HDI_FILTER text filters, HDM_EDITFILTER,
    // HDM_CLEARFILTER and HDM_SETFILTERCHANGETIMEOUT with HDN_FILTERCHANGE and HDN_FILTERBTNCLICK
    // sent to the parent, as the platform does; elsewhere every message goes to the platform.
    BOOL EditFilter(int nItem, BOOL bDiscardChanges) { return (BOOL)SendMessage(HDM_EDITFILTER, nItem, MAKELPARAM(bDiscardChanges, 0)); }
    BOOL ClearFilter(int nItem) { return (BOOL)SendMessage(HDM_CLEARFILTER, nItem); }
    BOOL ClearAllFilters() { return (BOOL)SendMessage(HDM_CLEARFILTER, (WPARAM)-1); }
    int SetFilterChangeTimeout(DWORD dwTimeOut) { return (int)SendMessage(HDM_SETFILTERCHANGETIMEOUT, 0, dwTimeOut); }
    // TRUE when the platform's header keeps text filters itself (checked once per process).
    static BOOL PlatformHasFilterBar();
    // The filter edit box of the framework's own filter row while one exists, else null.
    HWND GetFilterEditWnd() const;

    ~CHeaderCtrl() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    struct sFilterRow;

private:
    sFilterRow* m_pFilterRow = nullptr;
    friend struct sFilterRow;
};

// A list-view control.
class AFX_API CListCtrl : public CWnd
{
    DECLARE_DYNAMIC(CListCtrl)
public:
    CListCtrl() = default;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Items.
    int GetItemCount() const { return (int)SendToControl(LVM_GETITEMCOUNT); }
    void SetItemCount(int nItems) { SendToControl(LVM_SETITEMCOUNT, nItems); }
    BOOL SetItemCountEx(int iCount, DWORD dwFlags = LVSICF_NOINVALIDATEALL)
    { return (BOOL)SendToControl(LVM_SETITEMCOUNT, iCount, dwFlags); }
    BOOL GetItem(LVITEM* pItem) const { return (BOOL)SendToControl(LVM_GETITEMA, 0, (LPARAM)pItem); }
    BOOL SetItem(const LVITEM* pItem) { return (BOOL)SendToControl(LVM_SETITEMA, 0, (LPARAM)pItem); }
    BOOL SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage, UINT nState, UINT nStateMask,
                 LPARAM lParam);
    int InsertItem(const LVITEM* pItem) { return (int)SendToControl(LVM_INSERTITEMA, 0, (LPARAM)pItem); }
    int InsertItem(int nItem, LPCTSTR lpszItem) { return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0); }
    int InsertItem(int nItem, LPCTSTR lpszItem, int nImage)
    { return InsertItem(LVIF_TEXT | LVIF_IMAGE, nItem, lpszItem, 0, 0, nImage, 0); }
    int InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask, int nImage, LPARAM lParam);
    BOOL DeleteItem(int nItem) { return (BOOL)SendToControl(LVM_DELETEITEM, nItem); }
    BOOL DeleteAllItems() { return (BOOL)SendToControl(LVM_DELETEALLITEMS); }
    int GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const;
    CString GetItemText(int nItem, int nSubItem) const;
    BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
    DWORD_PTR GetItemData(int nItem) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData);
    UINT GetItemState(int nItem, UINT nMask) const { return (UINT)SendToControl(LVM_GETITEMSTATE, nItem, nMask); }
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    BOOL SetItemState(int nItem, LVITEM* pItem) { return (BOOL)SendToControl(LVM_SETITEMSTATE, nItem, (LPARAM)pItem); }
    BOOL GetCheck(int nItem) const { return ((GetItemState(nItem, LVIS_STATEIMAGEMASK) >> 12) - 1) > 0; }
    BOOL SetCheck(int nItem, BOOL fCheck = TRUE) { return SetItemState(nItem, INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1), LVIS_STATEIMAGEMASK); }
    int FindItem(LVFINDINFO* pFindInfo, int nStart = -1) const { return (int)SendToControl(LVM_FINDITEMA, nStart, (LPARAM)pFindInfo); }

    // Selection and focus.
    UINT GetSelectedCount() const { return (UINT)SendToControl(LVM_GETSELECTEDCOUNT); }
    int GetNextItem(int nItem, int nFlags) const { return (int)SendToControl(LVM_GETNEXTITEM, nItem, MAKELPARAM(nFlags, 0)); }
    // Positions run over the selected rows in index order; a position is the row + 1.
    POSITION GetFirstSelectedItemPosition() const
    { return (POSITION)(DWORD_PTR)(1 + GetNextItem(-1, LVNI_SELECTED)); }
    int GetNextSelectedItem(POSITION& pos) const;
    int GetSelectionMark() const { return (int)SendToControl(LVM_GETSELECTIONMARK); }
    int SetSelectionMark(int iIndex) { return (int)SendToControl(LVM_SETSELECTIONMARK, 0, iIndex); }
    BOOL EnsureVisible(int nItem, BOOL bPartialOK) { return (BOOL)SendToControl(LVM_ENSUREVISIBLE, nItem, bPartialOK); }

    // Columns.
    int InsertColumn(int nCol, const LVCOLUMN* pColumn) { return (int)SendToControl(LVM_INSERTCOLUMNA, nCol, (LPARAM)pColumn); }
    int InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1, int nSubItem = -1);
    BOOL DeleteColumn(int nCol) { return (BOOL)SendToControl(LVM_DELETECOLUMN, nCol); }
    BOOL GetColumn(int nCol, LVCOLUMN* pColumn) const { return (BOOL)SendToControl(LVM_GETCOLUMNA, nCol, (LPARAM)pColumn); }
    BOOL SetColumn(int nCol, const LVCOLUMN* pColumn) { return (BOOL)SendToControl(LVM_SETCOLUMNA, nCol, (LPARAM)pColumn); }
    int GetColumnWidth(int nCol) const { return (int)SendToControl(LVM_GETCOLUMNWIDTH, nCol); }
    BOOL SetColumnWidth(int nCol, int cx) { return (BOOL)SendToControl(LVM_SETCOLUMNWIDTH, nCol, MAKELPARAM(cx, 0)); }
    BOOL GetColumnOrderArray(LPINT piArray, int iCount = -1) const;
    BOOL SetColumnOrderArray(int iCount, LPINT piArray) { return (BOOL)SendToControl(LVM_SETCOLUMNORDERARRAY, iCount, (LPARAM)piArray); }
    CHeaderCtrl* GetHeaderCtrl() const;

    // Appearance.
    DWORD GetExtendedStyle() const { return (DWORD)SendToControl(LVM_GETEXTENDEDLISTVIEWSTYLE); }
    DWORD SetExtendedStyle(DWORD dwNewStyle) { return (DWORD)SendToControl(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle); }
    COLORREF GetBkColor() const { return (COLORREF)SendToControl(LVM_GETBKCOLOR); }
    BOOL SetBkColor(COLORREF cr) { return (BOOL)SendToControl(LVM_SETBKCOLOR, 0, cr); }
    COLORREF GetTextColor() const { return (COLORREF)SendToControl(LVM_GETTEXTCOLOR); }
    BOOL SetTextColor(COLORREF cr) { return (BOOL)SendToControl(LVM_SETTEXTCOLOR, 0, cr); }
    COLORREF GetTextBkColor() const { return (COLORREF)SendToControl(LVM_GETTEXTBKCOLOR); }
    BOOL SetTextBkColor(COLORREF cr) { return (BOOL)SendToControl(LVM_SETTEXTBKCOLOR, 0, cr); }
    CImageList* GetImageList(int nImageList) const { return CImageList::FromHandle((HIMAGELIST)SendToControl(LVM_GETIMAGELIST, nImageList)); }
    CImageList* SetImageList(CImageList* pImageList, int nImageListType)
    { return CImageList::FromHandle((HIMAGELIST)SendToControl(LVM_SETIMAGELIST, nImageListType, (LPARAM)pImageList->GetSafeHandle())); }
    int GetStringWidth(LPCTSTR lpsz) const { return (int)SendToControl(LVM_GETSTRINGWIDTHA, 0, (LPARAM)lpsz); }

    // Geometry and scrolling.
    BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
    BOOL GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const;
    int HitTest(LVHITTESTINFO* pHitTestInfo) const { return (int)SendToControl(LVM_HITTEST, 0, (LPARAM)pHitTestInfo); }
    int HitTest(CPoint pt, UINT* pFlags = nullptr) const;
    int SubItemHitTest(LPLVHITTESTINFO pInfo) { return (int)SendToControl(LVM_SUBITEMHITTEST, 0, (LPARAM)pInfo); }
    int GetTopIndex() const { return (int)SendToControl(LVM_GETTOPINDEX); }
    int GetCountPerPage() const { return (int)SendToControl(LVM_GETCOUNTPERPAGE); }
    BOOL Scroll(CSize size) { return (BOOL)SendToControl(LVM_SCROLL, size.cx, size.cy); }
    BOOL RedrawItems(int nFirst, int nLast) { return (BOOL)SendToControl(LVM_REDRAWITEMS, nFirst, nLast); }
    BOOL Update(int nItem) { return (BOOL)SendToControl(LVM_UPDATE, nItem); }
    CImageList* CreateDragImage(int nItem, LPPOINT lpPoint);

    // Sorting: the callback gets the item data (SortItems) or the row indexes (SortItemsEx).
    BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData) { return (BOOL)SendToControl(LVM_SORTITEMS, dwData, (LPARAM)pfnCompare); }
    BOOL SortItemsEx(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData) { return (BOOL)SendToControl(LVM_SORTITEMSEX, dwData, (LPARAM)pfnCompare); }

    // Owner-drawn rows (LVS_OWNERDRAWFIXED) are painted here, reflected from the parent.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

// A tooltip control. Tools are identified by window and id as the platform does.
class AFX_API CToolTipCtrl : public CWnd
{
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    CToolTipCtrl() = default;

    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

    BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText = LPSTR_TEXTCALLBACK, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    BOOL GetToolInfo(TTTOOLINFOA* pToolInfo, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
    void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    int GetToolCount() const { return (int)SendToControl(TTM_GETTOOLCOUNT); }
    void Activate(BOOL bActivate) { SendToControl(TTM_ACTIVATE, bActivate); }
    void RelayEvent(LPMSG lpMsg) { SendToControl(TTM_RELAYEVENT, 0, (LPARAM)lpMsg); }
    int SetMaxTipWidth(int iWidth) { return (int)SendToControl(TTM_SETMAXTIPWIDTH, 0, iWidth); }
    void SetDelayTime(UINT nDelay) { SendToControl(TTM_SETDELAYTIME, TTDT_AUTOMATIC, nDelay); }
    void SetDelayTime(DWORD dwDuration, int iTime) { SendToControl(TTM_SETDELAYTIME, dwDuration, MAKELPARAM(iTime, 0)); }
    int GetDelayTime(DWORD dwDuration) const { return (int)SendToControl(TTM_GETDELAYTIME, dwDuration); }
    void SetTipTextColor(COLORREF clr) { SendToControl(TTM_SETTIPTEXTCOLOR, clr); }
    COLORREF GetTipTextColor() const { return (COLORREF)SendToControl(TTM_GETTIPTEXTCOLOR); }
    void Pop() { SendToControl(TTM_POP); }

protected:
    void FillInToolInfo(TTTOOLINFOA& ti, CWnd* pWnd, UINT_PTR nIDTool) const;
};

// A date-time picker. Times cross as CTime (local time) the way the platform's SYSTEMTIME does.
class AFX_API CDateTimeCtrl : public CWnd
{
    DECLARE_DYNAMIC(CDateTimeCtrl)
public:
    CDateTimeCtrl() = default;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    using CWnd::Create;

    BOOL SetTime(const CTime& time);
    // GDT_VALID with the time, or GDT_NONE / GDT_ERROR.
    DWORD GetTime(CTime& time) const;
    BOOL SetFormat(LPCTSTR pstrFormat) { return (BOOL)SendToControl(DTM_SETFORMATA, 0, (LPARAM)pstrFormat); }
    // The drop-down calendar while it is open, else null (a temporary wrapper).
    CWnd* GetMonthCalCtrl() const { return CWnd::FromHandleOrNull((HWND)SendToControl(DTM_GETMONTHCAL, 0, 0)); }
};

// A track bar (slider). Positions are clamped by the platform to the range.
class AFX_API CSliderCtrl : public CWnd
{
    DECLARE_DYNAMIC(CSliderCtrl)
public:
    CSliderCtrl() = default;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    using CWnd::Create;

    int GetPos() const { return (int)SendToControl(TBM_GETPOS, 0, 0); }
    void SetPos(int nPos) { SendToControl(TBM_SETPOS, TRUE, (LPARAM)nPos); }
    int GetRangeMin() const { return (int)SendToControl(TBM_GETRANGEMIN, 0, 0); }
    int GetRangeMax() const { return (int)SendToControl(TBM_GETRANGEMAX, 0, 0); }
    void GetRange(int& nMin, int& nMax) const { nMin = GetRangeMin(); nMax = GetRangeMax(); }
    void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE)
    { SendToControl(TBM_SETRANGEMIN, FALSE, (LPARAM)nMin); SendToControl(TBM_SETRANGEMAX, (WPARAM)bRedraw, (LPARAM)nMax); }
    int GetLineSize() const { return (int)SendToControl(TBM_GETLINESIZE, 0, 0); }
    int SetLineSize(int nSize) { return (int)SendToControl(TBM_SETLINESIZE, 0, (LPARAM)nSize); }
    int GetPageSize() const { return (int)SendToControl(TBM_GETPAGESIZE, 0, 0); }
    int SetPageSize(int nSize) { return (int)SendToControl(TBM_SETPAGESIZE, 0, (LPARAM)nSize); }
    void SetTicFreq(int nFreq) { SendToControl(TBM_SETTICFREQ, (WPARAM)nFreq, 0); }
};
