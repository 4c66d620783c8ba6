// CMultiLineListCtrl: an owner-data, owner-drawn grid whose rows belong to host records that can
// span several lines. A row's first line is always shown; its further lines (child lines) are
// shown while the user has the row open, under a plus/minus box with dotted tree connectors. The
// host keeps the records; the list keeps per row the host's item value, the number of lines and
// the open flag, and asks the host's data descriptor for every cell's text, colours and image.
// Filtering, the colour header, reverse display, check states and formula columns work as in the
// filter list, applied to rows.
//
// Terms: a line index is a line's place in the line array (= its row on screen); a first line is
// the line of a row that is always shown; a child line sits d lines below its row's first line
// (d = 1 for the first child line); a shown row is a row whose first line is in the line array
// (it passes the filters); a column index is a column's place in m_arrColInfo, a header position
// its place in the header.
//
// The line array holds one value per line: a first line holds its row's record pointer (always 2
// or more), a child line holds -d. The list's item count is always the number of shown rows plus
// the number of child lines.
//
// With filter mode off every row operation goes to the base list.
#pragma once

#include "lists/CommonListCtrl.h"
#include "widgets/ColorHeaderCtrl.h"
#include "filter/FilterMatch.h"

#include <vector>

// One row, allocated by InsertItem.
struct sMultiLineColInfo
{
    DWORD_PTR dwItemValue;   // the host's value, handed back to the data descriptor; 0 until set
    int nExtra;              // the host's own value (fourth argument of SetItemData)
    int nLineCount;          // lines of the row, the first included; above 1 the row can open
    bool bOpen;              // child lines shown
    int nCheck;              // check state of the row (GetCheck/SetCheck)
};

#define MULTILINE_REPAINT_TIMER         1
#define MULTILINE_REPAINT_PERIOD        250
#define MULTILINE_GRID_COLOR            RGB(180, 180, 180)
#define MULTILINE_NO_DESCRIPTOR_TEXT    "no data descriptor initialised"
#define MULTILINE_ICON_FAILED_TEXT      "Failed to draw icon"
// Column format that draws the cell's image as an icon instead of its text.
#define MULTILINE_ICON_FORMAT           0x800
// Line counts are kept within 1..MULTILINE_MAX_LINES (a larger count is cut to it).
#define MULTILINE_MAX_LINES             10000
// Commands of the context menu that this list or the host handles.
#define ID_MULTILINE_RESET_FILTERS      33757
#define ID_MULTILINE_ADD_CUSTOM         33771
#define ID_MULTILINE_DELETE_CUSTOM      33772
// Posted to itself by a click: the clicked line's block is selected once the platform is done
// with the click (wParam the line, lParam nonzero when Ctrl was held).
#define WM_MULTILINE_APPLYCLICK         (WM_APP + 0x326)
// The box and connectors take this many pixels at the left of column 0.
#define MULTILINE_TREE_INDENT           12

class CONTROLS_API CMultiLineListCtrl : public CCommonListCtrl, public CFilterHeaderSource
{
    DECLARE_DYNAMIC(CMultiLineListCtrl)
public:
    // The host's data descriptor: item value, column index, text, text colour and background
    // colour (preset to the list's; -1 keeps the list's), image (preset -1; else an image index
    // for column 0 or an icon handle for an icon column), line number (the line's distance d
    // from its row's first line, 0 for the first line); nonzero = text supplied.
    typedef int (*PFN_MULTILINETEXT)(ULONGLONG dwItemValue, int nColumn, CString& text, unsigned long& clrText,
                                     unsigned long& clrBack, int& nImage, int nLine);

    CMultiLineListCtrl();
    ~CMultiLineListCtrl() override;

    // Overridden operations of the base list.
    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    using CCommonListCtrl::GetItemText;
    CString GetItemText(int nItem, int nSubItem) override;
    DWORD_PTR GetItemData(int nItem) override;
    int SortOn(int nColumn, int nOrder) override;

    // --- line model (indexes are line indexes unless said otherwise) ---
    // A new empty row at nItem (0, or an index at or past the end, appends; under reverse display
    // an index inside the array inserts there). Returns the line index used; 0 without a
    // descriptor.
    int InsertItem(int nItem, LPCTSTR lpszItem, int nImage = -1);
    // Gives a row its value and line count (0 or an index at or past the shown rows: the row just
    // added). 1 when the row is shown, 0 when it fails the filters (or nothing could be set).
    int SetItemData(int nItem, DWORD_PTR dwValue, int nLineCount = 1, int nExtra = 0);
    sMultiLineColInfo* GetMultiListItemData(int nShownRow);
    sMultiLineColInfo* GetInternalItemData(int nItem);
    // The row's item value; nFirstLine 1 and nLine 0 for a first line, 0 and line count + 1 - d
    // for a child line d lines below its first line.
    DWORD_PTR GetRowInfo(int nItem, int& nFirstLine, int& nLine);
    int GetParentRow(int nItem);
    BOOL IsRowParent(int nItem);
    BOOL IsParentOpen(int nItem);
    BOOL IsRowExpanded(int nItem);
    void OpenCloseRow(int nItem);
    void OpenAllClosedRows();
    void CloseAllOpenedRows();
    // Sets the line count of the row with this value (and its child lines when open); 0 when no
    // row has it.
    int RedrawParentRow(DWORD_PTR dwValue, int nLineCount);
    int DeleteItem(int nItem);
    int DeleteAllItems();
    int GetItemCount();
    int GetDisplayCount() override { return m_nShownRows; }
    int GetNumberOfChild() const { return m_nChildLines; }
    int GetVisibleCountEx() const { return m_nShownRows + m_nChildLines; }

    // --- options ---
    void SetNoOfLinesPerRow(int nLines) { m_nLinesPerRow = nLines; }
    int GetNoOfLinesPerRow() const { return m_nLinesPerRow; }
    void SetSingleSelection(bool bSingle) { m_bSingleSelection = bSingle; }
    void SetReverseDisplay(bool bReverse) { m_bReverseDisplay = bReverse; }
    bool GetReverseDisplay() const { return m_bReverseDisplay; }
    void SetDrawShades(bool bDraw) { m_bDrawShades = bDraw; }
    bool GetDrawShades() const { return m_bDrawShades; }
    void ShowCustomColumns(bool bShow) { m_bShowCustomColumns = bShow; }
    void SubclassHeader();
    CColorHeaderCtrl& GetColorHeader() { return m_HeaderCtrl; }

    // --- selection ---
    // Sets nState (LVIS_ bits) on the line's block: the line itself when its row is closed, all
    // the row's lines when it is open.
    void SelectItemBlock(UINT nState, int nItem);
    void CheckandApplyControlClick(int nItem);
    BOOL IsSelected(int nItem);
    // The selected first lines, top to bottom; -1 when there are no more.
    int GetFirstSelectedParent();
    int GetNextSelectedParent(int nItem);

    // --- filters ---
    void SetUseFilter(BOOL bUse);
    BOOL GetUseFilter() const { return m_bUseFilter; }
    void PutListFilter();
    // Rebuilds the line array from the row store and the filters; open rows keep their lines.
    void PopulateList();
    int SetVisibleColumnFilter(int nPosition, CString& csText, int bExact);
    int SetColumnFilter(int nColumn, CString& csText, int bExact);
    int SetColumnFilter(CArray<int, int>* pColumns, CArray<CString, CString>* pTexts, int bExact);
    int RemoveColumnFilter(int nColumn);
    int RemoveAllFilters();
    void GetFileteredCols(CArray<int, int>& columns, CArray<CString, CString>& texts);
    int GetFilterCount() override { return (int)m_arrFilteredCols.GetSize(); }
    BOOL IsHeaderPositionFiltered(int nPosition) override;
    int GetHeaderText(int nPosition, CString& csText);
    int PopulateComboBoxWithUniques(CComboBox* pCombo, int nColumn);
    // The distinct non-empty first-line texts of a column over the shown rows (the value popup).
    void GetColumnUniques(int nColumn, CStringArray& values);
    int GetCheck(int nItem);
    int SetCheck(int nItem, int nCheck);

    // --- texts ---
    void InitColumnTextRtn(PFN_MULTILINETEXT pfn) { m_pfnText = pfn; }
    BOOL HasDataDescriptor() const { return m_pfnText != nullptr; }
    // The text of a column of a row's line (nLine: the distance from the first line, as the
    // descriptor gets it); formula columns are computed. 0 when nothing was supplied.
    int GetColumnText(ULONGLONG dwItemValue, int nColumn, CString& text, unsigned long& clrText,
                      unsigned long& clrBack, int& nImage, int nLine);
    void GetCustomColumnText(ULONGLONG dwItemValue, int nColumn, CString& text, int nLine);
    int GetOriginalColNo(int nPosition);
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    void StartRepaintTimer();
    // Export of the lines as shown (command 4006 to a workbook, 4007 to a file).
    void WriteToExcel(UINT nID);

    // Checks that the line array, the row store and the counters agree; FALSE and a reason when
    // they do not.
    BOOL CheckInvariants(CString* pReason = nullptr);

    // --- data model ---
    CArray<sMultiLineColInfo*, sMultiLineColInfo*> m_arrRows;   // every row, insertion order
    CArray<INT_PTR, INT_PTR> m_arrLines;                          // one value per displayed line
    int m_nShownRows;
    int m_nChildLines;
    int m_nLinesPerRow;
    PFN_MULTILINETEXT m_pfnText;
    bool m_bSingleSelection;
    bool m_bAllRowsOpened;
    COLORREF m_clrGrid;
    CPen m_penDotted;
    CColorHeaderCtrl m_HeaderCtrl;
    int m_nRepaintTimer;
    int m_bUseFilter;
    int m_bFilterBarShown;
    BYTE m_bExactThisPass;
    bool m_bReverseDisplay;
    bool m_bDrawShades;
    bool m_bShowCustomColumns;
    CArray<int, int> m_arrFilteredCols;
    CArray<CString, CString> m_arrFilterTexts;
    bool m_bActivateGuard;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg BOOL OnFilterChange(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnFilterButtonClicked(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnLvnGetdispinfo(NMHDR* pNMHDR, LRESULT* pResult);
    void OnLvnColumnclick(NMHDR* pNMHDR, LRESULT* pResult) override;
    afx_msg BOOL OnNMClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnApplyClick(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnActivate(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnDblClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnOptionResetFilter();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnWriteToExcel(UINT nID) { WriteToExcel(nID); }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    DECLARE_MESSAGE_MAP()

private:
    // Bumped by every change of the row store or the line array: a walk that calls the host
    // re-reads it to learn whether the rows changed under it.
    unsigned m_nGeneration = 0;
    // While 0, the header's filter change reports are not stored (several boxes written at once).
    int m_bDoFilter = 1;
    void AddToFilteredCols(int nColumn, const CString& csText);
    bool m_bCountPending = false;
    // The left and right edge of each header position's label, as the platform gives them for a
    // row: the same for every row, so a painted page asks once (forgotten at any message that is
    // not a mere query, see WindowProc).
    std::vector<std::pair<int, int>> m_labelEdges;
    bool m_bLabelEdgesKnown = false;
    bool LabelRect(int nItem, int nPosition, const CRect& rcItem, CRect& rcLabel);
    // The header's item count, kept as long as the label edges (each header message is a round
    // trip under Wine, see docs/lists.md).
    int m_nLabelPositions = -1;
    int LabelPositions(CHeaderCtrl* pHeader);
    // Line index of a row's first line, -1 when it is not shown.
    int LineOfRow(const sMultiLineColInfo* pRow) const;
    sMultiLineColInfo* RowOfLine(int nItem, int* pDistance = nullptr) const;
    bool IsRowLive(const sMultiLineColInfo* pRow) const;
    // Inserts or removes a shown row's child lines so that they match its open flag and count.
    void SyncChildLines(int nFirstLine);
    void RemoveShownRow(int nFirstLine);
    void Changed();
    void SyncPlatformCount();
    void FlushPlatformCount();
    void InvalidateLine(int nItem);
    bool Passes(ULONGLONG dwItemValue);
    void PrepareMatchers();
    int HeaderPositionOf(int nColumn) const;
    int ClampLines(int nLineCount) const;
    // Selection kept across a change of the line array, by row and line.
    struct sSavedSelection
    {
        sMultiLineColInfo* pRow;
        int nDistance;
        UINT nState;
    };
    std::vector<sSavedSelection> SaveSelection();
    void RestoreSelection(const std::vector<sSavedSelection>& saved);
    void DrawLineTree(CDC* pDC, int x, int y, int nBottom, const sMultiLineColInfo* pRow, int nDistance);
    void ShowMenu(CPoint point);
    // Ctrl: the line's block takes the line's selection state; else the block alone is selected.
    void ApplyClick(int nItem, bool bCtrl);

    struct sCompiled
    {
        int nColumn;
        CFilterMatcher matcher;
    };
    std::vector<sCompiled> m_compiled;
    bool m_bCompiledValid = false;
    // Cleared by the destructor while a path that calls into the host is under way (populate, a
    // row's new data filtered).
    bool* m_pbAlive = nullptr;
};
