// gxListCtrl: a common list whose cells in chosen columns are edited in place. A click on such a
// cell opens a gxEditCell over it; leaving the editor hands the text to the host's column-update
// callback, and the cell takes the text only when the callback accepts it.
#pragma once

#include "lists/CommonListCtrl.h"

class gxEditCell;

// The control id of the cell editor.
#define GX_EDIT_CELL_ID 1001
// Characters the cell editor accepts.
#define GX_EDIT_CELL_CHARS "0123456789.-"

class CONTROLS_API gxListCtrl : public CCommonListCtrl
{
    DECLARE_DYNAMIC(gxListCtrl)
public:
    // Member functions of the parent window (insert) or of the given object (column update).
    typedef int (CWnd::*PFN_INSERT_CALLBACK)(int nIndex);
    typedef int (CWnd::*PFN_COLUMN_UPDATE_CALLBACK)(int nColumn, CString csText);

    // The default row text is "Some Text" whatever the argument.
    explicit gxListCtrl(CString csText = "");
    ~gxListCtrl() override;

    // Opens the editor on a cell (column = the item's subitem); null when it cannot.
    gxEditCell* EditSubItem(int nItem, int nSubItem);
    // The row under the point (-1 when none), stored as the last hit row; the header position of
    // the column through pColumn when it is not null.
    int HitTestEx(CPoint& point, int* pColumn);
    // With an insert callback: 1 when it accepted the index, else 0. Without one: a new row after
    // nIndex (see the README's decision).
    int InsertItemEx(int nIndex);
    // Both close an open editor first.
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    // Reports and closes an open editor; 1.
    int EndListEditing();
    // Moves the list to (0, 0, cx, cy) and fits the column at position 2 to its header and data.
    void Resize(int cx, int cy);
    // Called when Enter is pressed in the editor.
    virtual void OnEnter();

    void SetCallback(PFN_INSERT_CALLBACK pfn) { m_pfnInsertCallback = pfn; }
    void SetCallbackForColUpdate(PFN_COLUMN_UPDATE_CALLBACK pfn, CWnd* pObject = nullptr)
    {
        m_pfnColumnUpdate = pfn;
        m_pColumnUpdateObject = pObject;
    }
    // The header position of a column (subitem) index, -1 when it is not shown.
    int PositionOfColumn(int nColumn);

    CString m_csDefaultText;                     // "Some Text"
    int m_nLastRow;                              // row of the last hit test or edit
    CArray<int, int> m_arrEditableColumns;       // filled by the host
    PFN_INSERT_CALLBACK m_pfnInsertCallback;
    PFN_COLUMN_UPDATE_CALLBACK m_pfnColumnUpdate;
    CWnd* m_pColumnUpdateObject;                 // null: the parent window

protected:
    // void OnLButtonDown(UINT nFlags, CPoint point)
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    // void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
    // void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
    // void OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult), reflected LVN_ENDLABELEDIT
    afx_msg void OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    void OnLvnColumnclick(NMHDR* pNMHDR, LRESULT* pResult) override;
    // Ends an open edit before anything scrolls the rows under it (wheel, the host's Scroll or
    // EnsureVisible), and holds the auto-sort tick back while an editor is open.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    DECLARE_MESSAGE_MAP()

private:
    // Gives the focus to the list when it lacks it, which ends an open edit.
    void TakeFocus();
    bool IsEditorOpen() const { return m_hWnd != nullptr && ::GetDlgItem(m_hWnd, GX_EDIT_CELL_ID) != nullptr; }
    // Whether making the row visible would scroll the list.
    bool WouldScrollTo(int nItem);
};
