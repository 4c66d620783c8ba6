// CMrktWatchListCtrl: the market watch grid. One row per watched instrument, whose item data points
// to the host's row record (sMWStruct); one column per host market field (ids 0-100) plus the
// user-defined formula columns (ids 101 and up) kept in the host's "MarketWatch" setting. Cell
// texts come from the host's MrktWatchGetColumnText; the layout (order and width of every column)
// is stored under "MarketWatchNew_<frame title>". The grid paints the area around its rows in its
// background colour and can paint a check box in a cell.
#pragma once

#include "lists/CommonListCtrl.h"
#include "widgets/FontStyle.h"

// The host's row record. The library reads only its second pointer-sized field, the instrument
// record, in which the trading symbol is a NUL-terminated text at byte 266 and the symbol one at
// byte 401; the rest of the record is the host's.
struct sMWStruct
{
    void* pHostData;
    const char* pInstrument;
};

#define MW_TRADING_SYMBOL_OFFSET 266
#define MW_SYMBOL_OFFSET 401


class CONTROLS_API CMrktWatchListCtrl : public CCommonListCtrl
{
    DECLARE_DYNAMIC(CMrktWatchListCtrl)
public:
    CMrktWatchListCtrl();
    ~CMrktWatchListCtrl() override;

    // --- columns ---------------------------------------------------------------------------------
    // Builds the header from the position and width arrays the host filled, the user columns of
    // the "MarketWatch" setting and the ids in use (argument unused).
    void InsertColumnsForList(int* pUnused = nullptr) override;
    // Appends a column: its position is the current header item count.
    int InsertMrktColumn(int nCol, LPCTSTR lpszHeading, int nFormat, int nUnused, int nWidth, int nSubItem);
    // Stores the layout under "MarketWatchNew_<name>" and the user column string.
    void SaveColumnProfile(CString csProfileName);
    // The window's own saving: under the title of the frame that holds the list's parent.
    void SaveColumnProfile() override;
    // For the host, before InsertColumnsForList: fills the position and width arrays from the
    // layout stored for this frame title, or from the section earlier versions used for it when
    // the title's own section holds none. FALSE (arrays untouched) when neither holds a layout.
    BOOL ReadColumnProfile(CString csProfileName);

    // --- cells ----------------------------------------------------------------------------------
    using CCommonListCtrl::GetItemText;
    CString GetItemText(int nItem, int nSubItem) override;
    // The text of a list column for a row record (what GetItemText gives for its row): for an owner
    // that paints with the record it already has from WM_DRAWITEM.
    CString GetCellText(const sMWStruct* pRecord, int nSubItem);
    // Trading symbol (bTrading non-zero) or symbol of the row's instrument; empty without one.
    CString GetTradingSymbolOrSymbol(int bTrading, int nItem);
    // A user-defined column's text for the row record; 1 for ids up to 100 (nothing done), 0 for
    // an id past the user columns or a gap between them (text untouched).
    int GetCustomColumnText(sMWStruct* pRecord, int nColumnId, CString& csText);

    // --- look -----------------------------------------------------------------------------------
    void SetBkColor(COLORREF clr);
    void SetTextColor(COLORREF clr);
    void SetBkColorFromDlg();
    void SetTxtColorFromDlg();
    void ShowFontDlg();
    // Face, point size as text, style; nothing when either text is empty.
    void SetListFont(CString csFaceName, CString csSize, eFontStyle eStyle);
    // Row and column (by index from the left) under the point; FALSE unless both outputs are given.
    BOOL HitTestEx(CPoint point, int* pRow, int* pColumn) const;
    // A check box in the cell rectangle, ticked when bTick is 1.
    void DrawCheckbox(int nRow, int nColumn, CDC* pDC, COLORREF clr1, COLORREF clr2, CRect rcCell, CListCtrl* pList,
                      int bTick);

    // Highest column id in use, and the column id shown at a list column (-1 when none).
    int ColumnIdAt(int nSubItem) const;
    // True when a user-defined column has this id (false for a gap between ids).
    bool IsUserColumn(int nId) const;

    CFont* m_pFont;                      // the font this list created and uses, or null
    COLORREF m_clrText;
    COLORREF m_clrBk;
    CArray<int, int> m_arrWidth;         // stored width by column id, 0 none
    CRect m_rcClient;
    // Column id by list column: cell texts are asked on every paint. Every list column inserted,
    // deleted or renamed, by whatever path (the Reposition Columns dialog, profiles, the host),
    // marks it stale; the next look-up rebuilds it from the columns' headings and positions.
    mutable CArray<int, int> m_arrIdAtSubItem;

    // Count of market watch lists built in this process: user columns are registered with the
    // host only while it is 0.
    static int s_nListsBuilt;

protected:
    // BOOL OnEraseBkgnd(CDC* pDC)
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    // void OnSize(UINT nType, int cx, int cy)
    afx_msg void OnSize(UINT nType, int cx, int cy);
    // void OnDestroy()
    afx_msg void OnDestroy();
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    DECLARE_MESSAGE_MAP()

    // A drop deletes each dragged row and inserts it again at its new place, with its texts,
    // item data and check state (MrktWatchListCtrlDrag.cpp).
    void MoveDraggedRows(const std::vector<int>& nNewOrder, const CArray<UINT, UINT>& arrDragged) override;

private:
    // Makes pFont the list's font (redrawn at once) and deletes the one this list made before.
    void UseOwnedFont(CFont* pFont);
    const sMWStruct* RecordOf(int nItem);
    // Rebuilds m_arrIdAtSubItem from the list's columns: the id whose name is the column's heading
    // (several: the one placed at the column's header position, else one not taken yet); a heading
    // no id has: the id placed at that position; else -1 (an empty cell, never another field).
    void RebuildColumnIds() const;

    mutable bool m_bColumnIdsStale = false;

    // Headings as stored, by column id, where the column record holds only their first
    // MARKET_MAX_HEADING characters: saved back whole.
    CArray<CString, const CString&> m_arrStoredHeading;
};
