// CCategoryListCtrl: the editable grid. A filter list whose cells the user edits in place: a click
// on a cell of the focused row, or Tab and Shift+Tab from the cell being edited, opens one of the
// shared in-place editors (text, drop-down, date/time picker, price) over the cell. Which editor a
// cell gets comes from the list's own column sets (combo columns, read-only columns) or, in
// owner-decides mode, from the parent window, asked cell by cell. The list never stores an edited
// value: the end of every edit goes to the owner window, which writes the new text back.
//
// Terms: a list column is a header position (the sub-item the platform reports); a column id is an
// index into m_arrColInfo. With column profiles a list column is translated to the column id shown
// there before the column sets are consulted. The editing cell is the cell of the editor last
// opened: the start of the next keyboard navigation.
//
// Editing never lands on the wrong cell: the row under an open editor is remembered by its record
// (the host's item data in filter mode, the platform's item id otherwise). Scrolling and header
// sorting end the edit first; anything else that moves or removes the row while the editor is open
// (a quote update, a filter, the host deleting rows) ends the edit as soon as the list sees it, and
// the result is reported for the row where the record is now (item -1 and no text when it is gone).
#pragma once

#include "filter/FilterListCtrl.h"

#include <afxtempl.h>

class CInPlaceEdit;
class CInPlaceCombo;
class CInPlaceDTPicker;
class CInPlacePriceEdit;

// Messages to the owner or parent window (sent) and to the list itself.
#define WM_LIST_CELLCLICKED     (WM_APP + 1016)   // to owner on a click on a row: control id / 0
#ifndef WM_LIST_CELLREQUEST
#define WM_LIST_CELLREQUEST     (WM_APP + 1020)   // owner-decides: (row, list column) / sCellRequest*;
                                                  // combo column: list column / CStringList* to fill
#endif
#define WM_LIST_ENDEDIT         (WM_APP + 1021)   // to owner: control id / NMLVDISPINFO*
#define WM_LIST_CELLSKIP        (WM_USER + 107)   // to owner per visited cell: (row, list column - 1) / 0
#define WM_LIST_EDITNEXTROW     (WM_USER + 902)   // to the list: text editor one row down
#define WM_LIST_EDITPREVROW     (WM_USER + 903)   // to the list: text editor one row up
#define WM_LIST_HEADERDROPPED   (WM_USER + 904)   // posted to itself: dragged column's width / header index

// Kinds of editor a parent answers in owner-decides mode.
#define CATEGORY_CELL_COMBO         1
#define CATEGORY_CELL_TEXT          2
#define CATEGORY_CELL_DTPICKER      3
#define CATEGORY_CELL_PRICE_TAB     4
#define CATEGORY_CELL_PRICE_CLICK   5

// Default styles: the drop-down (child, visible, border, drop-down list, auto horizontal scroll,
// sorted, always-visible scroll bar, vertical scroll bar) and the picker (time format).
#define CATEGORY_DEFAULT_COMBO_STYLE    0x508009C3
#define CATEGORY_DEFAULT_PICKER_STYLE   9
#define CATEGORY_NO_EDITED_ROW          (-2)
// Characters of a cell's text handed to the text and price editors.
#define CATEGORY_EDITOR_TEXT_LIMIT      4096

// The parent's answer for one cell in owner-decides mode, passed by address.
struct sCellRequest
{
    int nPrecision = 0;           // decimals of the price editor; 0 keeps 2
    int nKind = 0;                // CATEGORY_CELL_*; anything else: no editor
    CStringList lstChoices;       // the items of the drop-down (kind 1)
};

class CONTROLS_API CCategoryListCtrl : public CFilterListCtrl
{
    DECLARE_DYNAMIC(CCategoryListCtrl)
public:
    CCategoryListCtrl();
    ~CCategoryListCtrl() override;

    // Column sets: add the column id to the set, or remove it (repeats do nothing).
    void SetComboColumns(int nColumn, bool bOn);
    void SetReadOnlyColumns(int nColumn, bool bOn);
    // Whether the list column's id is in the set.
    BOOL IsCombo(int nListColumn);
    BOOL IsReadOnly(int nListColumn);
    void SetValidEditCtrlCharacters(CString& strValid) { m_strValidEditCtrlChars = strValid; }
    // Add or remove the drop-down style's vertical (0x200000) and horizontal (0x100000) scroll bars.
    void EnableVScroll(bool bEnable);
    void EnableHScroll(bool bEnable);

    // The common list's column building, without the filter list's trend settings; shown formula
    // columns become read-only.
    void InsertColumnsForList(int* pUnused = nullptr) override;
    // A formula column added by the user-defined column dialog is computed, never edited.
    void OnUserColumnAdded(int nColumn, int nPosition) override;
    // Sets a cell's text, first inserting rows while the row does not exist yet.
    void InsertColumnForCategoryList(int nRow, int nColumn, CString strText);

    // Editors over a cell (row, list column); null when the cell cannot be shown.
    CInPlaceEdit* ShowInPlaceEdit(int nRow, int nColumn, CString& strText);
    CInPlaceCombo* ShowInPlaceList(int nRow, int nColumn, CStringList& lstChoices, CString strCurText, int nSel);
    CInPlaceDTPicker* ShowInPlaceDTPicker(int nRow, int nColumn, CString strText);
    CInPlacePriceEdit* ShowInPlacePriceEdit(int nRow, int nColumn, int nPrecision, CString strText, CRect& rcCell);

    // Geometry: the cell's rectangle in client coordinates, scrolling the row and column into view.
    void CalculateCellRect(int nColumn, int nRow, CRect& rcCell);
    void ScrollToView(int nColumn, CRect& rcCell);
    // Row and list column under a client point; FALSE when no cell is there.
    BOOL HitTestEx(CPoint& point, int* pRow, int* pColumn) const;
    // Moves to the next cell (bForward) or the previous one from the editing cell; 0 without one.
    int OnTabPress(bool bForward = true);
    // Keep the editing row in view, one line scroll at a time.
    void vResetTopPosition();
    void vResetBottomPosition();
    void VerifyScrollPos();

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Host options and editing state, in declaration order.
    CList<int, int> m_lstComboColumns;          // column ids edited with the drop-down
    CList<int, int> m_lstReadOnlyColumns;       // column ids never edited
    CString m_strValidEditCtrlChars;            // handed to the text editor
    DWORD m_dwComboStyle;                       // style of the drop-down
    DWORD m_dwDTPickerStyle;                    // style of the date/time picker
    int m_iEditedRow;                           // row of the label edit under way; -2 none
    int m_iEditingRow;                          // the editing cell
    int m_iEditingColumn;                       // -1: none yet
    bool m_bOwnerDecides;                       // every cell's editor is asked of the parent
    bool m_bSortOnHeaderClick;
    bool m_bAllowHeaderDrag;

protected:
    // void OnLButtonDown(UINT nFlags, CPoint point)
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    // BOOL OnBeginLabelEdit(NMHDR*, LRESULT*): refuses read-only columns
    afx_msg BOOL OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    // BOOL OnEndLabelEdit(NMHDR*, LRESULT*): forwards the report to the owner
    afx_msg BOOL OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    void OnLvnColumnclick(NMHDR* pNMHDR, LRESULT* pResult) override;
    // BOOL OnHdnBegindrag(UINT, NMHDR*, LRESULT*)
    afx_msg BOOL OnHdnBegindrag(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    // BOOL OnHdnEnddrag(UINT, NMHDR*, LRESULT*)
    afx_msg BOOL OnHdnEnddrag(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    // void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar)
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
    // void OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar)
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
    // LRESULT OnNextCell/OnPrevCell/OnEditNextRow/OnEditPrevRow/OnHeaderDropped(WPARAM, LPARAM)
    afx_msg LRESULT OnNextCell(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPrevCell(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnEditNextRow(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnEditPrevRow(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnHeaderDropped(WPARAM wParam, LPARAM lParam);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    DECLARE_MESSAGE_MAP()

private:
    // Whether the list object and this window survived a call out (a send to the host).
    bool Alive(HWND hWnd) const;
    CWnd* OwnerTarget();
    int RowCount();
    int ColumnCount();
    int ColumnIdOf(int nListColumn);
    // Asks the parent for the cell's editor (owner-decides mode); false when the list went away.
    bool RequestCell(int nRow, int nColumn, sCellRequest& request);
    // Asks the owner for a combo column's choices; false when the list went away.
    bool RequestChoices(int nColumn, CStringList& lstChoices);
    // Opens the drop-down with the current text selected.
    void OpenCombo(int nRow, int nColumn, CStringList& lstChoices, const CString& strText);
    // Opens the editor a request asks for; bTab: reached by navigation (kind 4 is the price editor
    // there, forward only; kind 5 on a click). True when the cell took an editor (or the list changed
    // under the request and the navigation must stop).
    bool OpenRequested(int nRow, int nColumn, sCellRequest& request, bool bTab, bool bForward);
    // The editor of a cell by the column sets; false for a read-only column.
    bool OpenByColumnSets(int nRow, int nColumn);
    // Ends whatever editor is still open (its report goes out first) before another opens.
    void CloseOpenEditor();
    bool IsEditorOpen() const;
    // Ends the edit by taking the focus; true when the list survived it.
    bool EndEditByFocus();
    // Remembers the row record under the editor being opened.
    void RememberEditedRecord(int nRow, int nColumn, HWND hEditor);
    DWORD_PTR RowKey(int nRow);
    int FindRowByKey(DWORD_PTR dwKey);
    void CheckEditedRowStillThere();

    HWND m_hHeader = nullptr;
    HWND m_hOpenEditor = nullptr;     // the editor window last opened by the list
    DWORD_PTR m_dwEditKey = 0;        // its row's record
    bool m_bEditKeyKnown = false;
    int m_iKeyRow = -1;               // the row and column it was opened on
    int m_iKeyColumn = -1;
    bool m_bCheckingRow = false;
    // A cell text longer than the editors take is shown cut; an edit that ends with the cut text
    // unchanged reports the whole text, so that nothing of the cell is lost.
    CString EditorText(const CString& strCell);
    void RememberShownText(const CString& strShown);
    bool m_bTextCut = false;
    CString m_strCellText;
    CString m_strShownText;
    bool m_bCheckPosted = false;
    // Whether the window is one of the shared editors or a part of one.
    static bool IsEditorWindow(HWND hWnd);
    static bool AnyEditorVisible();
};
