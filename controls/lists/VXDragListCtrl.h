// CVXDragListCtrl: a report list whose rows the user drags, within the list to reorder them or
// onto another CVXDragListCtrl to move them there. Before a row leaves, the parent of the list it
// leaves is asked (message 1132, wParam = the row's text) whether it may go. The Reposition
// Columns dialog is built from two of them.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

// May this column be removed? wParam = its name (LPCTSTR); nonzero = no.
#define WM_DRAGLIST_CANNOT_REMOVE   (WM_USER + 108)

#define DRAGLIST_SCROLL_TIMER       2

class CONTROLS_API CVXDragListCtrl : public CListCtrl
{
    DECLARE_DYNAMIC(CVXDragListCtrl)
public:
    // Text provider for owner-drawn rows: a member function of the parent window.
    typedef int (CWnd::*PFN_GETITEMTEXT)(int nRow, int nColumn, long lValue, CString& text);

    CVXDragListCtrl();
    ~CVXDragListCtrl() override;

    // Header columns, each with its header tooltip.
    using CListCtrl::InsertColumn;
    int InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                     int nSubItem = -1);
    BOOL DeleteColumn(int nCol);
    // Adds (or renames) the tooltip of the header column.
    void AddHeaderToolTip(int nCol, LPCTSTR lpszText = nullptr);

    void SetGetTextCallback(PFN_GETITEMTEXT pfn) { m_pfnGetText = pfn; }
    // The cell text through the callback; the list's own text when there is none.
    CString GetItemTextFn(int nRow, int nColumn, long lValue = 0);

    // Moves the dragged rows of pSource to pTarget at the drop index, asking pSource's parent
    // about each one first.
    void DropItem(CVXDragListCtrl* pTarget, CVXDragListCtrl* pSource);
    BOOL IsDragging() const { return m_pDragImage != nullptr; }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    CArray<UINT, UINT> m_arrDragItems;   // dragged rows, in selection order
    int m_nDropIndex;
    CImageList* m_pDragImage;
    int m_nPrevDropItem;
    UINT m_nPrevDropState;
    DWORD m_dwSavedStyle;
    int m_nScrollDirection;              // 0 none, 1 up, 2 down
    UINT_PTR m_nScrollTimer;
    CToolTipCtrl m_ToolTip;
    BOOL m_bHeaderToolTips;              // on by default

protected:
    afx_msg void OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void EndDragImage();
    void SetDropHighlight(int nItem);
    void MoveWithin(int nDropIndex);
    // Copies a row of pFrom (texts, data, check state) to this list at nIndex; returns the new row.
    int CopyRowFrom(CVXDragListCtrl* pFrom, int nRow, int nIndex);
    void UpdateHeaderToolTips();

    PFN_GETITEMTEXT m_pfnGetText;
};
