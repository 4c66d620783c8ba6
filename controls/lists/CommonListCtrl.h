// CCommonListCtrl: the report-view list on which every grid of the library rests. It adds to the
// platform list a column model driven by an array of column records (visibility, order and width
// per column, kept in the host's settings), typed sorting by any column with an optional
// auto-sort timer, the row and header context menus, keyboard shortcuts, and copying of the
// selected rows to the clipboard.
//
// The host creates the control (or subclasses a dialog item), sets the public options, fills
// m_arrColInfo, calls InsertColumnsForList and then inserts rows.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include <unordered_set>
#include <vector>
#include "lists/cCustomizedAppearanceSettings.h"
#include "lists/ListSortRules.h"

class CRepositionColumns;

// One column the list knows: built-in columns first, then user-defined formula columns.
struct sOrvoColInfo
{
    char szColName[64];   // header text, also the column's identity in the header
    int nWidth;           // default width in pixels
    int nFormat;          // LVCFMT_ alignment; 0x800 also shows the blank header image
    int nDataType;        // sort comparison (eListSortType); 0 = unsortable
    CString csText1;      // user-defined columns: the definition's second text
    CString csText2;      // user-defined columns: the third text, the column's header tooltip
};

// The column record without its texts, kept for the host; the list neither fills nor reads it.
struct sMnmOrvoColInfo
{
    char szColName[64];
    int nWidth;
    int nFormat;
    int nDataType;
    int nHostValue;       // the host's own
};

struct sVisibleColumn
{
    int nPosition;        // header position
    int nColumn;          // index into the column records
};

// Commands of the row and header menus.
#define ID_LIST_REPOSITION_COLUMNS      2132
#define ID_LIST_REPOSITION_GROUPS       33709
#define ID_LIST_FIT_TO_DATA             2129
#define ID_LIST_FIT_TO_HEADER           2130
#define ID_LIST_FIT_TO_WINDOW           2131
#define ID_LIST_WRITE_TO_EXCEL          4006
#define ID_LIST_WRITE_TO_FILE           4007
#define ID_LIST_GRID_LINES              2222
#define ID_LIST_CUSTOMIZE               33758
#define ID_LIST_COPY_TO_CLIPBOARD       33800
#define ID_LIST_USER_CUSTOMIZE          35562
#define ID_LIST_ADD_CUSTOM_COLUMNS      32859
#define ID_LIST_EDIT_CUSTOM_COLUMNS     60338
#define ID_LIST_DELETE_CUSTOM_COLUMNS   33406

// Sent to the list's dialog with wParam = the list's control id whenever its columns are rebuilt.
#define WM_LIST_COLUMNS_REBUILT         (WM_USER + 123)

#define LIST_AUTOSORT_TIMER             1
#define LIST_DRAG_SCROLL_TIMER          2
#define LIST_DRAG_SCROLL_PERIOD         100
#define LIST_SCROLL_UP                  1
#define LIST_SCROLL_DOWN                2
// Header tooltip texts are cut to this many characters.
#define LIST_HEADER_TIP_MAX             80
// Rows drawn into a drag image at most; a larger selection shows a "+ n more" line.
#define LIST_DRAG_IMAGE_ROWS            8
#define LIST_DRAG_IMAGE_WIDTH           240
// Posted to itself after a header drag: wParam the dragged header item, lParam its width.
#define WM_LIST_RESETCOLUMNWIDTH        (WM_APP + 0x320)
// Posted to itself to bring the header check box in step once a batch of row changes is over.
#define WM_LIST_REFRESHHEADERCHECK      (WM_APP + 0x321)
// Tooltip texts (header and row) are cut to this many characters.
#define LIST_TIP_TEXT_MAX               1024

class CONTROLS_API CCommonListCtrl : public CListCtrl
{
    DECLARE_DYNAMIC(CCommonListCtrl)
public:
    // Providers: member functions of the parent window, nonzero when they supplied a value.
    typedef int (CWnd::*PFN_GETTEXTCOLOR)(DWORD_PTR dwItemData, COLORREF& color, int nRow, int nColumn);
    typedef int (CWnd::*PFN_GETROWTOOLTIP)(int nRow, CString& text, CCommonListCtrl* pList);

    CCommonListCtrl();
    ~CCommonListCtrl() override;

    // Virtual operations derived grids override.
    // Builds the header from m_arrColInfo, the saved profile and the defaults (argument unused).
    virtual void InsertColumnsForList(int* pUnused = nullptr);
    virtual int GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen);
    // Every reading of cell texts (sorting, copying, export) goes through this.
    virtual CString GetItemText(int nItem, int nSubItem);
    // During a sort: the data the row had before the sort, by its index before the sort.
    virtual DWORD_PTR GetItemData(int nItem);
    virtual void SaveColumnProfile();
    // The user-defined column dialog added column nColumn at header position nPosition, or removed
    // the columns (indexes before the removal, ascending). A list with per-column state of its own
    // follows here (the category list makes a new position read-only).
    virtual void OnUserColumnAdded(int nColumn, int nPosition) { (void)nColumn; (void)nPosition; }
    virtual void OnUserColumnsRemoved(const CArray<int, int>& columns) { (void)columns; }
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;
    BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;

    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL DestroyWindow() override;
    // Forwards owner-drawn rows to the owner window, when one is set.
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);

    // Set-up.
    void CommonInitList();
    void SetOwnerWnd(CWnd* pWnd) { m_pOwnerWnd = pWnd; }
    CWnd* GetOwnerWnd() const { return m_pOwnerWnd; }
    // The given column indexes, in display order, are shown by default; every other one is hidden.
    int SetDefaultCols(CArray<int, int>& columns);
    int SetDefaultCols(int nCount, const int* pColumns);
    void SetPointerToGetTextColor(PFN_GETTEXTCOLOR pfn) { m_pfnGetTextColor = pfn; }
    void InitToolTipRetFunc(PFN_GETROWTOOLTIP pfn) { m_pfnGetRowToolTip = pfn; }
    // Names the application-data settings file and the dialog position file.
    static void SetRecoveryFiles(CString csRecoveryFile, CString csDialogPosPath);
    // Applies the factory profile ("FactorySetting.ini", "COLUMN PROFILE") to every registered list.
    static void ApplyColumnProfile();

    // Columns.
    using CListCtrl::InsertColumn;
    int InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem);
    BOOL DeleteColumn(int nCol);
    // Rebuilds the header from a profile: column index and width by header position.
    void LoadHeaders(CArray<int, int>& columnsByPosition, CArray<int, int>& widthsByPosition);
    // Entries at position 0 go to the front, others to the end.
    void AddToVisibleArray(sVisibleColumn column);
    // Mode: one of the fit commands, or anything else for the larger of data and header width.
    void AutoSizeColumns(int nMode);
    void ColFitToContent() { AutoSizeColumns(ID_LIST_FIT_TO_DATA); }
    void ColFitToHeader() { AutoSizeColumns(ID_LIST_FIT_TO_HEADER); }
    void ColFitToWindow() { AutoSizeColumns(ID_LIST_FIT_TO_WINDOW); }
    // Column index at a header position, -1 when none is shown there.
    int ColumnAtPosition(int nPosition) const;
    // Inserts the header columns of the shown columns, position by position, and records them as
    // visible.
    void InsertHeaderColumnsByPosition();

    // Sorting.
    // Sorts by a column index; order 1 ascending, anything else descending.
    // Virtual: a list that sorts its rows its own way (the filter list) is sorted by its own rule
    // whatever pointer the host holds.
    virtual int SortOn(int nColumn, int nOrder);
    // Re-sorts by a header position keeping the current direction; only while auto-sort is on.
    int SortOnVisibleIndex(int nPosition, int nOrder);
    BOOL IsAutoSortEnabled() const { return m_bAutoSort; }
    void EnableAutoSort(BOOL bEnable) { m_bAutoSort = bEnable != FALSE; }
    // 1, or -1 when the stored sort column does not exist.
    int ReadAutoSort();
    void SaveAutoSort();
    // Starts or stops timer 1 as the option says; returns the sort column.
    int InitializeAutoSort();
    int GetSortColumn() const { return m_nSortColumn; }
    int GetSortOrder() const { return m_nSortOrder; }
    BOOL IsSorting() const { return !m_arrSavedItemData.IsEmpty(); }

    // Commands and menus.
    void ProcessCommand(UINT nID);
    void AddRClickMenus(CMenu* pMenu);
    void WriteToExcel(UINT nID);
    void GridLines();
    void BuildTable();
    // Puts m_csClipboardText on the clipboard as CF_TEXT; 0 when the clipboard cannot be used.
    int CopyToClipboard();
    void EnableWriteExcel(int bEnable) { m_bEnableWriteExcel = bEnable; }
    void OnCustomize();
    void OnUserCustomize();
    void ShowColumnDlg();
    void ShowColumnGrp();
    void OnOptionAddUserDefCol();
    void OnOptionDelUserDefCol();
    void OnOptionModifyUserDefCol();
    void EnableToolTip(int bEnable) { m_bHeaderToolTips = bEnable; }
    int ChkToolTipEnabled() const { return m_bHeaderToolTips; }
    BOOL IsDragging() const { return m_pDragImage != nullptr; }

    // Header and row tooltips (CommonListCtrlTooltips.cpp).
    // A tooltip over the header column at nPosition: the text, or the column's header text when
    // null or empty. 1 when added; 0 outside report view or for a position that does not exist.
    int AddHeaderToolTip(int nPosition, LPCTSTR lpszText = nullptr);
    // Row under the point as a tool: row + 1, with the row's rectangle; -1 when there is none or
    // no row tooltip provider is registered.
    virtual INT_PTR OnToolHitTest(CPoint point, TTTOOLINFOA* pTI) const;
    // TTN_NEEDTEXTA and TTN_NEEDTEXTW of the row tool: asks the provider.
    BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    // Moves every header tool to its column's current place.
    void RepositionHeaderToolTips();

    // Header check box (CommonListCtrlCheckBox.cpp).
    void EnableHeaderCheckBox();
    // Checks the header box when the list has rows and all of them are checked, else clears it.
    void SetHeaderCheckbox();
    // 1 when the header box is checked.
    int GetHeaderCheckboxState();
    // Checks (nCheck non-zero) or clears every row, redraws, and refreshes the header box.
    void CheckAllItems(int nCheck);
    // TRUE when the platform's header draws and hit-tests check boxes itself (probed once).
    static BOOL PlatformHasHeaderCheckBoxes();
    // TRUE for a message that only reads the list (its font, colours, image lists, header, an item's
    // state or rectangle, column widths and order): what a list knew of its page and its cells
    // before such a message still holds after it.
    static bool IsReadOnlyQuery(UINT message);

    // Row drag-and-drop (CommonListCtrlDrag.cpp), while m_bRowDrag is set.
    // The image of the selected rows (at most LIST_DRAG_IMAGE_ROWS of them are drawn); *lpPoint
    // receives the top-left of the first selected row in client coordinates. Null when no row is
    // selected. The caller owns the result.
    CImageList* CreateDragImageEx(LPPOINT lpPoint);
    // Moves the dragged rows to the drop index (see MoveDraggedRows).
    void DropItem();
    // Drop-highlights the row and makes it the drop index (-1: none).
    void UpdateSelection(int nRow);
    // Gives the previously drop-highlighted row its former state back.
    void RestorePrevDropItemState();
    void SetScrollTimer(int nDirection);
    void KillScrollTimer();
    // The rows being dragged, in selection order, and the row they would land on (-1: after the
    // last row).
    const CArray<UINT, UINT>& GetDraggedRows() const { return m_arrDragRows; }
    int GetDropIndex() const { return m_nDropIndex; }
    // Ends a drag without dropping: timer, capture, image and highlight released.
    void CancelRowDrag();

    // Appearance: colours, font and keyword rules (CommonListCtrlAppearance.cpp).
    // Default keyword rules, taken only where the list has none yet (loaded rules stay). 0, and
    // nothing changed, when a keyword is empty or holds a "," or a line break.
    int SetDefaultAttributes(int nColumn, const CStringArray& keywords, const CColorArray& colors);
    int SetDefaultProperties(const CStringArray& keywords, const CColorArray& textColors,
                             const CColorArray& backColors);
    // Gives the list (pWnd, or its child nID) the font of that face and point size, built from the
    // list's current font. 0 and nothing changed when the window has no font, the face is not
    // installed or the size is not a whole number from 1 to 144.
    static int SetListFontProperty(CWnd* pWnd, int nID, CString csFontName, CString csFontSize);
    // Pushes the global appearance to every registered list (customize-loaded ones only with bForce).
    static void ApplyGeneralSettings(bool bForce);
    // Reads the list's "CUSTOMIZE_LISTS" and "USER_CUSTOMIZE_LISTS" entries (initialisation).
    void ReadAppearanceSettings();
    // Background, text background and text colours from the record, when customized colours apply.
    void ApplyAppearanceColors();
    // Write the list's entries from its record; false when refused (logged) or not written.
    bool WriteCustomizeSettings(bool bWithRules, const CString& csFile);
    bool WriteUserCustomizeSettings();
    // Why this record's "CUSTOMIZE_LISTS" (bUser false) or "USER_CUSTOMIZE_LISTS" (bUser true)
    // entry could not be stored for this list (too long, a keyword with a ","), or an empty text.
    // The customize dialogs ask before they apply anything, so a refused Apply changes nothing.
    CString CustomizeSettingsProblem(const cCustomizedAppearanceSettings& record, bool bWithRules, bool bUser) const;
    // Frees the fonts SetListFontProperty made for the window.
    static void ReleaseListFont(HWND hWnd);

    // Rows.
    int SetRowFocus(int nRow);
    int GetItemColor(int nRow, int nColumn);
    void SetItemColor(int nRow, int nColumn, COLORREF color);

    // Helpers.
    // The nearest ancestor (from the window's parent up) that is a dialog, form view or dialog bar.
    static CWnd* GetListCtrlDlgParent(CWnd* pWnd);
    // The number text with thousands separators.
    static CString GetCommaData(CString& csNumber);
    // The library-wide header images: 0 ascending, 1 descending, 2 blank.
    static CImageList* GetHeaderImageList();
    static void DestroyHeaderImageList();
    // The lists registered for the customize and profile statics, in registration order.
    static CList<CCommonListCtrl*, CCommonListCtrl*>& RegisteredLists();
    // Whether a list object at this address exists (constructed and not yet destroyed); lets a
    // dialog that keeps a pointer to a list find out the list went away, without touching it.
    static bool IsLiveList(const CCommonListCtrl* pList);

    static CString& m_csGetRecoveryFile;
    static CString& m_csGetDialogPosPath;

    // Per-list state.
    CRepositionColumns* m_pRepositionDlg;   // created on demand by ShowColumnDlg
    int m_nSortColumn;            // header position
    int m_nPrevSortColumn;
    int m_nSortOrder;             // -1 ascending, +1 descending
    int m_nSortDataType;
    int m_nFirstVisibleColumn;    // column index shown at position 0
    int m_bEnableWriteExcel;      // command 4006 and Shift+E
    int m_bEnableWriteFile;       // Shift+D
    int m_bColumnProfile;
    int m_bApplyCustomColors;
    int m_bEnableCustomize;
    int m_bHeaderToolTips;
    int m_bEraseOutsideItems;
    int m_bCustomColumnsMenu;
    int m_bHeaderCheckBox;
    int m_bUserCustomize;         // shows "User Customize" in the row menu; set by the host
    bool m_bRedrawAllowed;
    CString m_csListName;         // the key of all the list's settings
    CString m_csClipboardText;
    bool m_bGroupedList;
    CArray<int, int> m_arrColPosition;                 // by column index, -1 hidden
    CArray<sVisibleColumn, const sVisibleColumn&> m_arrVisibleColumns;
    CArray<int, int> m_arrColWidth;                    // by column index
    CArray<sOrvoColInfo, const sOrvoColInfo&> m_arrColInfo;
    CArray<sMnmOrvoColInfo, const sMnmOrvoColInfo&> m_arrMnmColInfo;
    CStringArray m_arrFixedColumns;                    // columns that cannot be hidden
    CToolTipCtrl m_ToolTip;
    CWnd* m_pOwnerWnd;
    CArray<int, int> m_arrDefaultColPosition;          // by column index, -1 hidden
    PFN_GETTEXTCOLOR m_pfnGetTextColor;
    WCHAR* m_pwchToolTip;
    char* m_pchToolTip;
    PFN_GETROWTOOLTIP m_pfnGetRowToolTip;
    CArray<DWORD_PTR, DWORD_PTR> m_arrSavedItemData;   // by row before the sort, only while sorting
    bool m_bCustomizeLoaded;
    cCustomizedAppearanceSettings m_Appearance;
    UINT_PTR m_nAutoSortTimer;
    bool m_bAutoSort;
    int m_nBuiltInColumns;
    // Set once the header was built from the column records (InsertColumnsForList, LoadHeaders):
    // until then the list has no layout of its own and saves nothing over the stored one.
    bool m_bColumnsBuilt;
    void* m_pExportArg;           // passed to the file export of command 4007
    int m_bRowDrag;
    CArray<UINT, UINT> m_arrDragRows;
    int m_nDropIndex;
    CImageList* m_pDragImage;
    int m_nPrevDropItem;
    UINT m_nPrevDropState;
    // What each of those rows holds (RowKey), so that a row the host moved meanwhile is found
    // again: the dragged rows (as m_arrDragRows), the drop row, the drop-highlighted row.
    CArray<DWORD_PTR, DWORD_PTR> m_arrDragKeys;
    DWORD_PTR m_dwDropKey;
    DWORD_PTR m_dwPrevDropKey;
    DWORD m_dwDragSavedStyle;
    int m_nScrollDirection;
    UINT_PTR m_nScrollTimer;

protected:
    // Row check states as the list keeps them: the platform's state images here, the row records
    // in a filter list.
    virtual int GetRowCheck(int nRow);
    virtual void SetRowCheck(int nRow, int nCheck);
    // Puts the rows in a new order after a drop: nNewOrder[i] is the row (before the drop) that
    // goes to row i; arrDragged are the dragged rows in selection order. Each keeps its check
    // state. Here nothing moves; the filter list and the market watch move their rows.
    virtual void MoveDraggedRows(const std::vector<int>& nNewOrder, const CArray<UINT, UINT>& arrDragged);
    // What a row holds, the same while the row is the same whatever rows come or go around it:
    // the item data here, the row record in a filter list.
    virtual DWORD_PTR RowKey(int nRow);
    // The row holding dwKey now: nRow when it still does, else the nearest row that does; -1 when
    // none does.
    int FindRowByKey(int nRow, DWORD_PTR dwKey);
    // A derived list that changes check states itself reports it here (nCheck the new state; -1
    // unknown), so that the header box follows.
    void RowCheckChanged(int nCheck);
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // The column-click sort on header position p; nNewOrder 0 applies the click's own order rule.
    void SortColumn(int nPosition, int nNewOrder);
    void SetHeaderSortImage(int nPosition, int nImage);
    void NotifyColumnsRebuilt();
    void ShowRowMenu();
    void ShowHeaderMenu(CPoint point);

    afx_msg virtual void OnLvnColumnclick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnNMRclick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    // BOOL OnLvnBegindrag(NMHDR* pNMHDR, LRESULT* pResult)
    afx_msg BOOL OnLvnBegindrag(NMHDR* pNMHDR, LRESULT* pResult);
    // BOOL OnLvnItemchanged(NMHDR* pNMHDR, LRESULT* pResult)
    afx_msg BOOL OnLvnItemchanged(NMHDR* pNMHDR, LRESULT* pResult);
    // BOOL OnLvnRowsChanged(NMHDR* pNMHDR, LRESULT* pResult): rows inserted or deleted
    afx_msg BOOL OnLvnRowsChanged(NMHDR* pNMHDR, LRESULT* pResult);
    // void OnMouseMove(UINT nFlags, CPoint point)
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    // void OnLButtonUp(UINT nFlags, CPoint point)
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    // void OnCaptureChanged(CWnd* pWnd): a drag that loses the mouse ends without a drop
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    // LRESULT OnResetColumnWidth(WPARAM nPosition, LPARAM nWidth): posted after a header drag
    afx_msg LRESULT OnResetColumnWidth(WPARAM wParam, LPARAM lParam);
    afx_msg void OnFitToData() { ColFitToContent(); }
    afx_msg void OnFitToHeader() { ColFitToHeader(); }
    afx_msg void OnFitToWindow() { ColFitToWindow(); }
    DECLARE_MESSAGE_MAP()

private:
    static std::unordered_set<const CCommonListCtrl*>& LiveLists();
    // While a sort reads the texts: which saved item data are known yet (a row's data is read
    // with its text when the platform's text is the one sorted on, else on first need), and the
    // cell being read.
    std::vector<bool> m_savedKnown;
    int m_nSortReadRow = -1;
    int m_nSortReadColumn = -1;
    DWORD_PTR ReadPlatformItemData(int nItem);
    bool m_bCreating = false;     // inside Create: initialisation waits for the finished window

    // Tooltips: the row whose tool is installed (row + 1, 0 none), and the texts given for header
    // tools by position (empty: the column's header text).
    UINT_PTR m_nRowTool = 0;
    std::vector<CString> m_arrHeaderTips;
    void AddHeaderTool(int nPosition);
    void RenumberHeaderTools(int nFrom);
    void UpdateRowToolTip(CPoint point);
    bool EnsureToolTip();
    // Header check box: no refresh while CheckAllItems works; a header drawn by the list itself
    // where the platform's has no check boxes.
    bool m_bCheckingAll = false;
    bool m_bCheckRefreshPosted = false;
    void PostHeaderCheckRefresh();
    afx_msg LRESULT OnRefreshHeaderCheck(WPARAM, LPARAM);
    bool HeaderBoxFlag(BOOL bSet, BOOL bChecked);
    HWND m_hCheckHeader = nullptr;
    void InstallHeaderCheckPainter();
    // Drag: the window still exists after a call out (the list may be destroyed inside it).
    bool m_bDropping = false;
    void ScrollForDrag();
    bool m_bRegistered = false;

    // The names of the built-in columns of the last build: a later build over the same ones keeps
    // the built-in count.
    CStringArray m_arrBuiltInNames;
    bool SameBuiltInColumns() const;

    // Destroys and frees the Reposition Columns dialog; the destructor calls it.
    void ReleaseRepositionDlg();

    friend int CALLBACK CommonListCompare(LPARAM, LPARAM, LPARAM);
    friend class CRepositionColumns;
};
