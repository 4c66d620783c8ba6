// CFilterListCtrl: the grid for lists the user narrows with per-column filters. In filter mode
// the platform list is an owner-data list: the control keeps every row record the host inserted
// (the map), the map indexes of the rows that pass the filters in display order (the display
// array), and asks the host's column text routine for each cell when it is needed. Filters come
// from the header's filter bar, from the value popup (CFilterText) or from the host. Columns past
// the built-in ones are formula columns, computed from the other cells of the row.
//
// With filter mode off (the default) every row operation goes to the base list.
//
// Terms: a map index is a row's place in the map, a display index its place on screen (mirrored
// under reverse display: screen row r is display entry count - 1 - r), a column index its place
// in m_arrColInfo, a header position its place in the header.
#pragma once

#include "lists/CommonListCtrl.h"
#include "widgets/ColorHeaderCtrl.h"
#include "filter/FilterMatch.h"

#include <climits>
#include <map>
#include <string>
#include <unordered_set>
#include <vector>

class CAliveScope;

// One value record of a trend column, per row (filled by the trend colouring of the list).
struct CONTROLS_API sTrendValues
{
    double dPrevious;
    double dCurrent;
    BYTE nState;          // 0 none yet, 1 rose, 2 fell, 3 steady
    int nChangeTime;      // clock() at the last rise or fall; 0 = no mark pending
    // Records come from blocks shared by every filter list, as the row records do: a row costs
    // 24 bytes per trend column, without a heap block of its own.
    static void* operator new(size_t nSize);
    static void operator delete(void* p, size_t nSize) noexcept;
};

typedef CArray<sTrendValues*, sTrendValues*> CTrendValueArray;

#define FILTER_REPAINT_TIMER        1
#define FILTER_REPAINT_PERIOD       500
#define FILTER_TREND_TIMER          4000
#define FILTER_CHANGE_TIMEOUT       500
#define ID_FILTER_RESET_FILTERS     33757
#define ID_FILTER_MATCH_EXACTLY     33815
#define ID_FILTER_ADD_CUSTOM        33771
#define ID_FILTER_DELETE_CUSTOM     33772
#define ID_FILTER_SET_TREND         33500
#define FILTER_NO_DESCRIPTOR_TEXT   "no data descriptor initialised"
// Posted to itself after a click changed the selection, applied once the platform has finished
// with the click: wParam the clicked row, lParam the item data of the row to select (after a
// check-box click re-sorted the rows), or 0 to keep the clicked row deselected.
#define WM_FILTER_RESELECT          (WM_APP + 0x312)

class CONTROLS_API CFilterListCtrl : public CCommonListCtrl, public CFilterHeaderSource
{
    DECLARE_DYNAMIC(CFilterListCtrl)
public:
    // One inserted row.
    struct CONTROLS_API sColInfo
    {
        DWORD_PTR dwItemData;   // the host's value, passed back to the column text routine
        int nCheck;             // 0 unchecked
        int nDisplay = -1;      // the list's own: the row's display index while that is known
        // Records come from blocks shared by every filter list: a row costs the record's 16
        // bytes, without a heap block of its own.
        static void* operator new(size_t nSize);
        static void operator delete(void* p, size_t nSize) noexcept;
    };

    // The host's column text routine: item data, column index, text, text colour and background
    // colour (-1: the list's own), image (-1: none, else an icon handle); nonzero = text supplied.
    typedef int (*PFN_COLUMNTEXT)(ULONGLONG dwItemData, int nColumn, CString& text, unsigned long& clrText,
                                  unsigned long& clrBack, int& nImage);
    typedef int (CWnd::*PFN_COLUMNTEXT_MEMBER)(ULONGLONG dwItemData, int nColumn, CString& text,
                                                unsigned long& clrText, unsigned long& clrBack, int& nImage);

    CFilterListCtrl();
    ~CFilterListCtrl() override;

    // Overridden operations of the base list.
    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void InsertColumnsForList(int* pUnused = nullptr) override;
    using CCommonListCtrl::GetItemText;
    CString GetItemText(int nItem, int nSubItem) override;
    DWORD_PTR GetItemData(int nItem) override;
    void SaveColumnProfile() override;
    // User-defined columns removed: filters and trend columns follow the columns that move down;
    // those of removed columns go (FilterListCtrlUserColumns.cpp).
    void OnUserColumnsRemoved(const CArray<int, int>& columns) override;

    // Rows (in filter mode a row is a display index).
    int InsertItem(int nItem, LPCTSTR lpszItem, int nImage = -1);
    int SetItemData(int nItem, DWORD_PTR dwData);
    DWORD_PTR GetFilteredItemData(int nItem) { return GetItemData(nItem); }
    DWORD_PTR GetMapItemData(int nMapIndex);
    int SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
    int DeleteItem(int nItem);
    int DeleteMapItem(int nMapIndex);
    int DeleteAllItems();
    int DeleteAllMapListItems();
    void FreeFilterStore();
    int GetItemCount();
    int GetDisplayCount() override { return m_nDisplayCount; }
    int GetMapIndexFromDisplayIndex(int nDisplayIndex);
    int GetOriginalColNo(int nPosition);
    int GetCheck(int nItem);
    int SetCheck(int nItem, int nCheck);
    int GetMapItemCheck(int nMapIndex);
    int SetMapItemCheck(int nMapIndex, int nCheck);
    int GetCheckedItemCount();
    void ResetCheckedItems();
    int RepaintMapItem(int nMapIndex);
    int RepaintDisplayItem(int nItem);
    int InvalidateSetItemData(void* pData);
    void RearrangeArrayForDragDrop(int nFromRow, int nToRow);
    // Whoever reorders m_arrDisplay directly (the sort) calls this afterwards.
    void OnDisplayArrayChanged() { DisplayChanged(); }

    // Filters.
    void SetUseFilter(BOOL bUse);
    BOOL GetUseFilter() const { return m_bUseFilter; }
    void PutListFilter();
    void PopulateList();
    int SetVisibleColumnFilter(int nPosition, CString& csText, int bExact);
    int SetMapColumnFilter(int nColumn, CString& csText, int bExact);
    int SetMapColumnFilter(CArray<int, int>* pColumns, CArray<CString, CString>* pTexts, int bExact);
    int RemoveMapColumnFilter(int nColumn);
    int RemoveAllFilters();
    void AddToFilteredCols(int nColumn, CString& csText);
    int ResetFilterStore();
    int GetHeaderText(int nPosition, CString& csText);
    int CheckForFilteredData(ULONGLONG dwItemData);
    int IsItemMatchingFilter(CString& csText, CString& csFilter);
    int PopulateComboBoxWithUniques(CComboBox* pCombo, int nColumn);
    void SetDoFilter(int bDoFilter) { m_bDoFilter = bDoFilter; }
    int CheckDoFilter() const { return m_bDoFilter; }
    void GetFileteredCols(CArray<int, int>& columns, CArray<CString, CString>& texts);
    int GetFilterCount() override { return (int)m_arrFilteredCols.GetSize(); }
    BOOL GetMatchFilterExactly() const { return m_bMatchExactly != 0; }
    // The distinct non-empty texts of a column among the displayed rows, in display order.
    void GetColumnUniques(int nColumn, CStringArray& values);
    // Values picked in the value popup for the column at a header position: the box shows
    // csBoxText (cut as every box text is) and the rows are those whose text is one of the picks,
    // compared whole (case ignored), whatever characters they hold and however many there are.
    // The picks hold until the column's filter changes to anything else.
    int SetPickedValues(int nPosition, const CStringArray& picks, CString& csBoxText);

    // Texts.
    void InitColumnTextRtn(PFN_COLUMNTEXT pfn) { m_pfnColumnText = pfn; }
    void InitColumnTextRtn(PFN_COLUMNTEXT_MEMBER pfn) { m_pfnColumnTextMember = pfn; }
    BOOL HasDataDescriptor() const { return m_pfnColumnText != nullptr || m_pfnColumnTextMember != nullptr; }
    int GetColumnText(ULONGLONG dwItemData, int nColumn, CString& text, unsigned long& clrText, unsigned long& clrBack,
                      int& nImage);
    int CallBackForText(ULONGLONG dwItemData, int nColumn, CString& text, unsigned long& clrText,
                        unsigned long& clrBack, int& nImage);
    void GetCustomColumnText(ULONGLONG dwItemData, int nColumn, CString& text);
    void StartRepaintTimer();

    // Flags.
    void SetDrawShades(bool bDraw) { m_bDrawShades = bDraw; }
    bool GetDrawShades() const { return m_bDrawShades; }
    void SetReverseDisplay(bool bReverse) { m_bReverseDisplay = bReverse; }
    bool GetReverseDisplay() const { return m_bReverseDisplay; }
    void ShowCustomColumns(bool bShow) { m_bShowCustomColumns = bShow; }
    void SetNoOfLinesPerRow(int nLines) { m_nLinesPerRow = nLines; }

    // Trend colouring (FilterListCtrlTrend.cpp). SetTrendColumns(nullptr) does nothing; an empty
    // array stops the trends; always 1.
    int SetTrendColumns(CArray<int, int>* pColumns);
    // Reads "TrendType", "NegColor", "PosColor", "Interval" and "TrendColumns" under the name;
    // values that cannot be used take their defaults (logged), unusable column ids are dropped.
    void ReadTrendSettings(LPCTSTR lpszListName);
    BOOL IsTrendRunning() const { return m_bTrendRunning ? TRUE : FALSE; }
    // Compares a trend cell's text with its previous drawing (screen row, column index) and
    // returns the colour of the mark to paint, or (COLORREF)-1 for none.
    COLORREF ClassifyTrendCell(int nScreenRow, int nColumn, const CString& csText);
    // The timer id of the last trend timer started by any filter list (0: none ever started).
    static UINT_PTR TrendTimerHandle();

    // Painting (FilterListCtrlPaint.cpp). When set, the text-colour provider is called on this
    // window; null means as CallTextColorProvider does (the list's own keyword rules, or a host's
    // provider on the list's parent).
    CWnd* m_pTextColorTarget = nullptr;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    // The rectangle of a cell (screen row, header item) in client coordinates; false when the row
    // or the header item does not exist.
    bool GetCellRect(int nScreenRow, int nHeaderItem, CRect& rc);

    // Sorting, check boxes and keyword colours (FilterListCtrlSort.cpp).
    // The values of one sort by map index: filled before the rows are ordered, emptied afterwards.
    static CArray<long, long> g_SortDataLongArr;
    static CArray<double, double> g_SortDataDblArr;
    static CStringArray g_SortDataStrArr;
    // Sorts by a column index as a click on its header does (position 0 when it is hidden);
    // order 1 ascending, anything else descending. Always 1.
    int SortOn(int nColumn, int nOrder) override;
    // Checked rows first, each group by column 0; header position 0 reads "name (checked / rows)".
    void SortOnChecked();
    // The keyword colour of a row: the first keyword found in its keyword-column text. Always 1.
    int GetTextColorForItem(ULONGLONG dwItemData, unsigned long& clrText, int nRow, int nColumn);
    // The text and background colours of a property name (case ignored). Always 1.
    int GetProperty(unsigned long& clrText, unsigned long& clrBack, CString& csName);
    // Runs the text-colour provider: the list's own keyword lookup on the list, a host's provider
    // on the parent window. 0 when none is set.
    int CallTextColorProvider(DWORD_PTR dwItemData, COLORREF& clrText, int nRow, int nColumn);

    // Colour header.
    BOOL IsHeaderPositionFiltered(int nPosition) override;
    void SubclassHeader();
    CColorHeaderCtrl& GetColorHeader() { return m_HeaderCtrl; }

    // Checks the stated invariants of filter mode (display entries inside the map, display count
    // equal to the display array and the platform count, trend arrays as long as the map, filter
    // arrays in step); FALSE and a reason when one is broken.
    BOOL CheckInvariants(CString* pReason = nullptr);
    // Debug builds check them after every change of the rows (and stop on a broken one): the
    // counts every time, the whole walk after whole rebuilds and otherwise once the changes since
    // the last walk reach the map's size, so a fill costs a constant per row.
#ifdef NDEBUG
    void DebugCheckInvariants(bool = false) {}
#else
    void DebugCheckInvariants(bool bWhole = false);
#endif
    // Changes since the last whole walk (present in every build, so both have one layout).
    INT_PTR m_nChangesSinceWalk = 0;

    // Data model, in declaration order.
    CArray<sColInfo*, sColInfo*> m_arrMap;
    CArray<int, int> m_arrDisplay;
    CArray<int, int> m_arrSelection;
    int m_bUseFilter;
    int m_bDoFilter;
    int m_bFilterBarShown;
    BYTE m_bExactThisPass;
    BYTE m_bMatchExactly;
    bool m_bDrawShades;
    bool m_bReverseDisplay;
    bool m_bShowCustomColumns;
    bool m_bTrendRunning;
    int m_nFilterEditPos;
    int m_nLinesPerRow;
    int m_nDisplayCount;
    CColorHeaderCtrl m_HeaderCtrl;
    PFN_COLUMNTEXT m_pfnColumnText;
    PFN_COLUMNTEXT_MEMBER m_pfnColumnTextMember;
    CArray<int, int> m_arrFilteredCols;
    CArray<CString, CString> m_arrFilterTexts;
    int m_nRepaintTimer;
    BYTE m_bAlternateRowColors;
    BYTE m_bCustomDraw;
    BYTE m_bGreyRows;
    BYTE m_bMarkedText;
    COLORREF m_clrEvenRow;
    COLORREF m_clrOddRow;
    int m_nSortDataColumn;
    bool m_bTrendEnabled;
    bool m_bSortOnChecked;
    BYTE m_nTrendType;
    COLORREF m_clrTrendPos;
    COLORREF m_clrTrendNeg;
    int m_nTrendInterval;
    CMap<int, int, CTrendValueArray*, CTrendValueArray*> m_mapTrend;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnFilterChange(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnFilterButtonClicked(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnLvnGetdispinfo(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnLvnOdfinditem(NMHDR* pNMHDR, LRESULT* pResult);
    void OnLvnColumnclick(NMHDR* pNMHDR, LRESULT* pResult) override;
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnOptionResetFilter();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    afx_msg void OnMatchFilterExactly();
    // Check boxes and selection on a click; FALSE so that the parent sees the click too.
    afx_msg BOOL OnNMClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnReselectAfterClick(WPARAM wParam, LPARAM lParam);
    // Painting (FilterListCtrlPaint.cpp).
    afx_msg void OnNMCustomdraw(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnHdnEnddragList(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    DECLARE_MESSAGE_MAP()

    // Check states and row drops go through the row records (FilterListCtrlDrag.cpp).
    int GetRowCheck(int nRow) override;
    void SetRowCheck(int nRow, int nCheck) override;
    void MoveDraggedRows(const std::vector<int>& nNewOrder, const CArray<UINT, UINT>& arrDragged) override;
    DWORD_PTR RowKey(int nRow) override;

private:
    int Mirror(int nRow) const { return m_bReverseDisplay ? m_nDisplayCount - 1 - nRow : nRow; }
    int HeaderPositionOf(int nColumn) const;
    void SyncPlatformCount();
    void InvalidateFromRow(int nRow);
    void InvalidateDisplayRow(int nRow);
    bool IsRowOnScreen(int nScreenRow);
    enum { kRowHidden, kRowAbove, kRowOnPage, kRowBelow };
    int RowPlacement(int nScreenRow);
    bool m_bPageKnown = false;
    bool m_bPageVisible = false;
    int m_nPageTop = 0;
    int m_nPageRows = 0;
    CRect m_rcPageTop;
    // Rows to invalidate before the next message reaches the list (their union, client
    // coordinates of the page they were on).
    bool m_bRowsInvalidPending = false;
    CRect m_rcRowsInvalid;
    void FlushRowsInvalid();
    bool RowRect(int nScreenRow, CRect& rc);
    void FreeTrendValues(bool bRemoveArrays);
    // Calls f(column, array) for every trend column that has an array.
    template <class F>
    void ForEachTrendArray(F f)
    {
        POSITION pos = m_mapTrend.GetStartPosition();
        while (pos != nullptr)
        {
            int nColumn;
            CTrendValueArray* pArray;
            m_mapTrend.GetNextAssoc(pos, nColumn, pArray);
            if (pArray != nullptr)
                f(nColumn, *pArray);
        }
    }
    // A row's trend records in every trend column, made with the row and gone with it
    // (FilterListCtrlTrend.cpp).
    void InsertTrendRecords(int nMapIndex);
    void RemoveTrendRecords(int nMapIndex);
    void OnTrendTimer();
    void StartTrendTimer();
    // One cell painted with its colours, text, check box, icon and trend mark.
    struct sPaintState
    {
        COLORREF clrText;     // the list's default text colour
        COLORREF clrBack;     // and background colour
        bool bFocus;
        bool bCustomDraw;
    };
    void GetPaintState(sPaintState& state, bool bCustomDraw);
    // The left and right edges of each header item in client coordinates, read once per message
    // that reaches the list (the rows of one repaint share them).
    std::vector<std::pair<int, int>> m_cellEdges;
    bool m_bCellEdgesKnown = false;
    const std::vector<std::pair<int, int>>& CellEdges();
    // False when the host's routine changed the rows while the cell's text was fetched (the
    // cell is painted from what was read; the row is left to the repaint that change asks for).
    bool PaintCell(CDC* pDC, int nScreenRow, int nHeaderItem, const CRect& rcCell, bool bSelected,
                   const sPaintState& state);
    void ReportError(LPCTSTR pszMessage);
    void ToggleMatchExactly();
    void MoveFilterEdit(bool bBack);
    void ShowHeaderMenu(CPoint point);
    int FilterTextForRow(ULONGLONG dwItemData, int nColumn, CString& text);
    // The filters compiled for matching; rebuilt whenever the stored filters or flags change.
    bool Passes(ULONGLONG dwItemData);
    // PopulateList's walk with filters; false when the list (alive tells), its window or filter
    // mode went away inside the host's routine. The plain walk reads the map in place; the tracked
    // one, taken once a call into the host changed the rows, follows every record the walk
    // started with.
    bool FilterAllRows(const CAliveScope& alive);
    bool FilterAllRowsTracked(const CAliveScope& alive);
    // Cleared by the destructor while a path that calls into the host is under way (populate, a
    // row re-filtered on its own).
    bool* m_pbAlive = nullptr;
    // Whether the last populate matched exactly because of its exact-for-this-pass flag.
    bool m_bLastPassExact = false;
    // After a populate: the displayed rows in the order of the sort the header's arrow shows.
    void KeepSortAfterFilter();
    int m_nKeptSortPosition = -1;   // the header position the displayed rows were last sorted by
    // The checked count in header position 0 is rewritten at the next message after checks or
    // rows changed.
    bool m_bCheckedCountStale = false;
    void CheckedCountChanged();
    void PrepareMatchers();

    struct sCompiled
    {
        int nColumn;
        CString csText;
        CFilterMatcher matcher;
        bool bPicks = false;                      // matched against picked values instead
        std::unordered_set<std::string> picks;    // lower-cased
    };
    static bool MatchCompiled(const sCompiled& c, const CString& text);
    // Picked values by column index, with the box text they were given for.
    struct sPicks
    {
        CString csBoxText;
        std::vector<CString> values;
    };
    std::map<int, sPicks> m_picks;
    unsigned m_nPicksChanges = 0;
    unsigned m_nCompiledPicks = 0;
    std::vector<sCompiled> m_compiled;
    bool m_bCompiledExact = false;
    // The display index of each map index (-1: not displayed) is kept in its record, rebuilt
    // after the display array changes; lets a repaint find its row without walking the display
    // array, in the record it reads anyway.
    INT_PTR m_nInverseMapSize = 0;   // the map size when the display indexes were last right
    bool m_bInverseValid = false;
    int DisplayIndexOfMapIndex(int nMapIndex);
    // The records of display entries nFrom onwards learn their display indexes again.
    void RenumberDisplayFrom(INT_PTR nFrom);
    // A single row left or came back at display index nAt: the records behind it are a place
    // off until the next renumbering, which waits until kMaxShifts rows moved (a record is then
    // looked for at most that many places from where it was).
    void DisplayShiftedAt(INT_PTR nAt);
    static const int kMaxShifts = 64;
    int m_nShifts = 0;                  // single-row moves since the records were last renumbered
    INT_PTR m_nShiftedFrom = INT_MAX;   // the lowest display index any of them moved
    void DisplayChanged()
    {
        m_bInverseValid = false;
        m_bAscendingKnown = false;
        ++m_nRowChanges;
    }
    // Counts every change of the map, the display array or a record's data, and the window's
    // destruction. A path that calls the column text routine (the host may insert or delete rows,
    // or destroy the list, from inside it) compares it before and after the call instead of
    // trusting the indexes and records it held.
    unsigned m_nRowChanges = 0;
    // The map index of a record that may have moved (nHint first), -1 when it is gone.
    int MapIndexOfRecord(const sColInfo* pRecord, int nHint) const;
    // Whether the display array holds its map indexes in ascending order (as after filtering,
    // until a sort): then a row is found by binary search and no inverse is kept up.
    bool IsDisplayAscending();
    bool m_bAscendingKnown = false;
    bool m_bAscending = false;
    // The platform count is handed over before the next message reaches the platform list (the
    // platform's own count update is slow, and a fill of many rows needs it only once).
    bool m_bCountPending = false;
    void FlushPlatformCount();
    // A row to scroll into view once the count is handed over (null record: the top row).
    struct sScrollTarget
    {
        bool bPending = false;
        const sColInfo* pRecord = nullptr;
        int nMapIndex = -1;
    };
    sScrollTarget m_scrollTarget;
    int m_nOwnPageQueries = 0;
    // Whether the list has the focus, read once per message that reaches it (-1: not yet).
    int m_nFocusKnown = -1;
    bool HasFocusNow();
    // Every row from the page's top row down was invalidated by the list and no paint has come
    // since.
    bool m_bClientInvalid = false;
    struct sOwnPageQuery
    {
        explicit sOwnPageQuery(int& nDepth) : m_nDepth(nDepth) { ++m_nDepth; }
        ~sOwnPageQuery() { --m_nDepth; }
        sOwnPageQuery(const sOwnPageQuery&) = delete;
        sOwnPageQuery& operator=(const sOwnPageQuery&) = delete;
        int& m_nDepth;
    };
    void RequestRowInView(const sColInfo* pRecord, int nMapIndex);
    void ScrollToPendingRow();

    // Sorting (FilterListCtrlSort.cpp).
    // Orders the map indexes by the column's values (read into the library-wide arrays first);
    // false when the rows changed while their texts were read.
    bool SortMapIndexes(std::vector<int>& indexes, int nColumn, int nOrder, bool bNegate);
    void WriteDisplayInScreenOrder(const std::vector<int>& screenOrder);
    // Header position 0 with the checked count, or back with the name of the column shown there
    // (the saved profile knows the columns by their header texts); true when it held the count.
    void WriteCheckedHeaderText();
    bool RestoreFirstHeaderName();
    bool m_bCheckedHeaderText = false;
    void SelectAndFocus(int nScreenRow);
};
