// CXListCtrl: a report-view list whose cells can be more than text. A cell can carry a check box,
// a colour box (a cell filled with a colour the user picks in the colour dialog), an image, its
// own text and background colours, bold text and an enabled flag; each column header can carry a
// check box that checks or unchecks the whole column. The control paints every cell itself
// (custom draw) and tells its parent about clicks through the registered messages below.
//
// Each row's platform item data holds the row's cell records (one per header column at insertion);
// the caller's own row value lives in those records (SetItemData/GetItemData). Only cell arrays
// the grid allocated are ever read or freed as such: a row whose item data the host set through
// the base list (InsertItem with LVIF_PARAM, SetItemData) is a plain row without cells. Row and column
// arguments are checked: outside the list or the header an operation does nothing and returns 0
// (-1 for the check-state getters).
#pragma once

#include <afxwin.h>
#include <afxcmn.h>
#include <unordered_set>
#include <vector>

#include "xgrid/XHeaderCtrl.h"

// Registered when the library loads. wParam: a new char[64] "%d|%d" (row|column) that the
// receiver deletes; lParam: the new check state (0/1) or the chosen colour.
CONTROLS_API extern const UINT WM_XLISTCTRL_CHECKBOX_CLICKED;
CONTROLS_API extern const UINT WM_XLISTCTRL_COLORBOX_CLICKED;
CONTROLS_API extern const UINT WM_XLISTCTRL_COMBO_SELECTION;   // registered, never sent

// Sent to the parent on every left click that is not on a disabled cell; wParam: CPoint* of the
// click in client coordinates.
#define WM_XLISTCTRL_LBUTTONDOWN    (WM_USER + 45)
// Sent to the parent for each row a header check box changes; wParam: XLISTCTRL_CELL*.
#define WM_XLISTCTRL_HEADER_CHECK   (WM_USER + 46)

// Header check box states, kept as the header item's image index.
#define XHEADER_CHECK_NONE          0
#define XHEADER_CHECK_UNCHECKED     1
#define XHEADER_CHECK_CHECKED       2

// Size of a painted check box (square) and its distance from the cell's left edge.
#define XLIST_CHECKBOX_SIZE         13
#define XLIST_CHECKBOX_MARGIN       4

struct XLISTCTRL_CELL
{
    int nRow;
    int nColumn;
};

// One cell: its fields in the order and with the initial values the grid has always used. The
// fields that belonged to cell kinds the grid does not offer (drop-downs and the like) are gone:
// a grid of 100,000 rows x 20 columns holds two million of these, and they were 40 of 88 bytes.
struct CONTROLS_API XLISTCTRLDATA
{
    XLISTCTRLDATA();

    int bEnabled;              // 1: reacts to clicks, normal colours; column 0's is the row's flag
    int bBold;
    int nImage;                // image-list index, -1 none
    COLORREF crText;
    COLORREF crBackground;     // also the colour of a colour box
    DWORD_PTR dwItemData;      // the caller's value for the row (column 0's record)
    CString strText;           // the cell's text; the platform asks for it (LPSTR_TEXTCALLBACK)
    int nCheckedState;         // -1 no check box, 0 unchecked, 1 checked
    bool bColorbox;
};

class CONTROLS_API CXListCtrl : public CListCtrl
{
    DECLARE_DYNAMIC(CXListCtrl)
public:
    CXListCtrl();
    ~CXListCtrl() override;

    // --- rows ----------------------------------------------------------------------------------
    // Inserts the row and its cells; column 0 gets the two colours. The new row, or -1.
    int InsertItem(int nItem, LPCTSTR lpszItem, COLORREF crText, COLORREF crBackground);
    int InsertItem(int nItem, LPCTSTR lpszItem);
    // An LVIF_PARAM value becomes the row's own value (GetItemData).
    int InsertItem(const LVITEM* pItem);
    // Free the rows' cells, then delete the rows.
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();

    // --- cells ---------------------------------------------------------------------------------
    // Sets the text (when one is given) and the cell's colours; (COLORREF)-1 stands for the
    // control's window-text or window colour. The platform's result.
    BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText, COLORREF crText, COLORREF crBackground);
    BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
    // State -1 removes the check box; bEnabled 0 disables the row. Refreshes the column's header
    // check box.
    int SetCheckbox(int nItem, int nSubItem, int nCheckedState, int bEnabled = 1);
    int GetCheckbox(int nItem, int nSubItem);
    int CountCheckedItems(int nSubItem);
    int SetColorboxColor(int nItem, int nSubItem, COLORREF crColor);
    // The colour box's colour; (COLORREF)-1 when the cell does not exist.
    COLORREF GetColorboxColor(int nItem, int nSubItem);
    int SetEnabled(int nItem, int bEnabled);
    int SetEnabled(int nItem, int nSubItem, int bEnabled);
    int GetEnabled(int nItem);
    int GetEnabled(int nItem, int nSubItem);
    // 1 when the cell reacts to clicks: its own flag and its row's are both set.
    int GetCellEnabled(int nItem, int nSubItem);
    int SetBold(int nItem, int nSubItem, int bBold);
    int GetBold(int nItem, int nSubItem);
    int SetItemImage(int nItem, int nSubItem, int nImage);
    int SetItemData(int nItem, DWORD_PTR dwData);
    DWORD_PTR GetItemData(int nItem);

    // --- header check boxes --------------------------------------------------------------------
    int SetHeaderCheckedState(int nSubItem, int nCheckedState);
    // XHEADER_CHECK_ state of the column; -1 outside the header.
    int GetHeaderCheckedState(int nSubItem);

    // --- geometry, styles, selection ------------------------------------------------------------
    int GetColumns();
    BOOL GetSubItemRect(int nItem, int nSubItem, int nArea, CRect& rect);
    // Invalidates the cell (the whole row for column -1) and updates the window at once.
    void UpdateSubItem(int nItem, int nSubItem);
    DWORD SetExtendedStyleX(DWORD dwStyle) { DWORD dwOld = m_dwExtendedStyleX; m_dwExtendedStyleX = dwStyle; return dwOld; }
    DWORD GetExtendedStyleX() const { return m_dwExtendedStyleX; }
    // The first selected row, -1 without one; SetCurSel selects and focuses a row.
    int GetCurSel();
    BOOL SetCurSel(int nItem);
    // Routes the platform header through m_HeaderCtrl and gives it the check-box images.
    void SubclassHeaderControl();
    void PreSubclassWindow() override;

    // --- painting ------------------------------------------------------------------------------
    // The colours a cell is painted in, selection and focus applied.
    void GetDrawColors(int nItem, int nSubItem, COLORREF& crText, COLORREF& crBackground);
    // The cell's rectangle as painted (its whole width, the row's height).
    BOOL GetCellRect(int nItem, int nSubItem, CRect& rect);
    void DrawCheckbox(CDC* pDC, int nItem, int nSubItem, CRect& rect, COLORREF crText, COLORREF crBackground);
    // The cell's image at the left of rect; the width taken.
    int DrawImage(CDC* pDC, int nItem, int nSubItem, CRect& rect);
    void DrawText(CDC* pDC, int nItem, int nSubItem, CRect& rect, COLORREF crText, COLORREF crBackground);

    CXHeaderCtrl m_HeaderCtrl;
    int m_nComboColumn;            // kept for drop-down header cells, not used
    bool m_bHeaderIsSubclassed;
    CImageList m_cImageList;       // the header's check box images: blank, unchecked, checked
    int m_nCurRow;                 // the cell last clicked
    int m_nCurColumn;
    COLORREF m_cr3DFace, m_cr3DHighLight, m_cr3DShadow, m_crBtnFace, m_crBtnShadow, m_crBtnText, m_crGrayText,
        m_crHighLight, m_crHighLightText, m_crWindow, m_crWindowText;

protected:
    afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnClick(NMHDR* pNMHDR, LRESULT* pResult);
    // The platform holds no texts of rows with cells: they come from the cells.
    afx_msg void OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnDeleteItemNotify(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg LRESULT OnSysColorChange(WPARAM wParam, LPARAM lParam);
    // Sees item data replaced through the base list, so the cells it held are released, and rows
    // inserted or deleted however they are, so the header boxes follow; keeps the header's check-box images
    // when the host sets the grid's small images.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    DECLARE_MESSAGE_MAP()

private:
    typedef std::vector<XLISTCTRLDATA> CCellArray;

    CCellArray* Cells(int nItem);
    // The cell record when row and column are inside the list, the header and the row's cells.
    XLISTCTRLDATA* Cell(int nItem, int nSubItem);
    void FreeCells(int nItem);
    // Forgets an array the grid allocated (its checked cells leave the column counts) and frees it.
    void ReleaseCells(CCellArray* pCells);
    void ReleaseAllCells();
    // Sets a cell's check state, keeping the column's count of checked cells.
    void SetCheckState(XLISTCTRLDATA& cell, int nSubItem, int nState);
    void ReadSysColors();
    void BuildHeaderImages();
    // Header check box after one of the column's cells changed: checked when every row is (and there
    // is one).
    void RefreshHeaderCheck(int nSubItem);
    // The same after rows were deleted, for the columns that may have changed.
    void RefreshHeaderChecks();
    // The parent, or the owner when there is none.
    HWND NotifyTarget() const;
    // A new "%d|%d" text the receiver owns.
    static char* CellText(int nItem, int nSubItem);
    HFONT BoldFont(HFONT hBase);

    DWORD m_dwExtendedStyleX;
    HFONT m_hBoldFont;         // bold variant of m_hBoldBase
    HFONT m_hBoldBase;
    std::unordered_set<CCellArray*> m_ownCells;   // every cell array this grid allocated and holds
    std::vector<int> m_checkedCount;              // checked cells by column index, over m_ownCells
    bool* m_pbAlive = nullptr;                    // cleared by the destructor (see host/AliveScope.h)
};
