// The custom tab strip: an owner-drawn row (or column) of tabs with its own window class, one
// selected and optionally several highlighted, scroll buttons when the tabs do not fit, a close
// button, tooltips, in-place renaming of the selected tab and reordering or duplicating tabs by
// dragging. It reports to its parent with WM_NOTIFY and a CTC_NMHDR record, draws through the
// theme utility when visual styles are on, and docks itself in a frame through WM_SIZEPARENT.
#pragma once

#include <afxcmn.h>
#include <afxctl.h>
#include <afxtempl.h>
#include <afxwin.h>

#include <map>

#include "widgets/ThemeUtil.h"
#include "windows/TabGeometry.h"

// Results of the operations.
enum
{
    CTCERR_NOERROR = 0,
    CTCERR_OUTOFMEMORY = -1,
    CTCERR_INDEXOUTOFRANGE = -2,
    CTCERR_NOEDITLABELSTYLE = -3,
    CTCERR_NOMULTIHIGHLIGHTSTYLE = -4,
    CTCERR_ITEMNOTSELECTED = -5,   // EditLabel on a tab that is not the selected one
    CTCERR_TEXTTOOLONG = -7,
    CTCERR_NOTOOLTIPSSTYLE = -8,
    CTCERR_CREATETOOLTIPFAILED = -9,
};

// Notification codes (CTC_NMHDR::hdr.code).
enum
{
    CTCN_CLICK = 0,             // a click selected a different tab
    CTCN_HIGHLIGHTCHANGE = 1,   // once per tab whose highlight changed
    CTCN_ITEMMOVE = 2,          // nItem: source in the low byte, target in the next
    CTCN_ITEMCOPY = 3,          // nItem: the new tab
    CTCN_LABELUPDATE = 4,       // a rename is about to be committed; nonzero result keeps the old text
    CTCN_OUTOFMEMORY = -1,      // a drag copy failed
    CTCN_LBUTTONDOWN = -2,      // before the press is processed; nItem is the hit-test result
    CTCN_RCLICK = -5,
    CTCN_RDBLCLK = -6,
};

// The most characters a tab's text holds.
const int CTC_MAXTEXT = 29;

// Timers of the strip.
enum
{
    CTC_TIMER_BUTTON = 1,      // scroll-button repeat
    CTC_TIMER_DRAG = 2,        // drag start, then drag scrolling
};
const UINT CTC_BUTTON_TICK = 100;
const UINT CTC_BUTTON_REPEAT = 250;   // least time between two steps of a held button
const UINT CTC_DRAG_DELAY = 300;
const UINT CTC_DRAG_TICK = 10;

// The framework's docking message: a control bar takes its part of the rectangle it is given.
#ifndef WM_SIZEPARENT
#    define WM_SIZEPARENT 0x0361
struct AFX_SIZEPARENTPARAMS
{
    HDWP hDWP;
    RECT rect;        // what is left of the frame's client area
    SIZE sizeTotal;
    BOOL bStretch;
};
#endif

#pragma pack(push, 8)
// The notification record, 104 bytes.
struct CTC_NMHDR
{
    NMHDR hdr;
    int nItem;
    char pszText[CTC_MAXTEXT + 1];
    LPARAM lParam;
    RECT rItem;
    POINT ptHitTest;
    BOOL fSelected;
    BOOL fHighlighted;
};
#pragma pack(pop)
static_assert(sizeof(CTC_NMHDR) == 104, "the notification record is 104 bytes");

class CCustomTabCtrl;

// One tab. Only the strip creates, copies and deletes them.
class CONTROLS_API CCustomTabCtrlItem
{
    friend class CCustomTabCtrl;

private:
    CCustomTabCtrlItem(const CString& sText, LPARAM lParam);
    CCustomTabCtrlItem(const CCustomTabCtrlItem& src);
    ~CCustomTabCtrlItem() = default;
    CCustomTabCtrlItem& operator=(const CCustomTabCtrlItem&) = delete;

    CString m_sText;
    LPARAM m_lParam;
    CRect m_rect;            // the tab's outline's bounds, client coordinates
    CRect m_rectText;        // reported as the item's rectangle
    CRgn m_rgn;              // the outline
    bool m_bShape;           // the outline is set for the current rectangles
    int m_bSelected;
    int m_bHighlighted;
    int m_bHighlightChanged;
    int m_nTextWidth;        // measured in the selected font; -1 until measured
    CString m_sTooltip;      // moves with the tab
};

class CONTROLS_API CCustomTabCtrl : public CWnd
{
public:
    CCustomTabCtrl();
    ~CCustomTabCtrl() override;

    BOOL Create(UINT dwStyle, const CRect& rect, CWnd* pParentWnd, UINT nID);
    using CWnd::Create;

    // Items.
    int InsertItem(int nItem, CString sText, LPARAM lParam = 0);
    int DeleteItem(int nItem);
    void DeleteAllItems();
    int MoveItem(int nItemSrc, int nItemDst);
    int CopyItem(int nItemSrc, int nItemDst);
    int GetItemCount() const { return (int)m_aItems.GetSize(); }
    int GetCurSel() const { return m_nItemSelected; }
    int SetCurSel(int nItem);
    int IsItemHighlighted(int nItem) const;
    int HighlightItem(int nItem, BOOL fHighlight);
    int GetItemData(int nItem, DWORD_PTR& dwData) const;
    int SetItemData(int nItem, DWORD_PTR dwData);
    int GetItemText(int nItem, CString& sText) const;
    int SetItemText(int nItem, CString sText);
    int GetItemRect(int nItem, CRect& rect) const;
    int SetItemTooltipText(int nItem, CString sText);
    int HitTest(CPoint pt);
    int EditLabel(int nItem);
    BOOL IsVertical() const;

    // Looks and styles.
    void SetDragCursors(HCURSOR hCursorMove, HCURSOR hCursorCopy);
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    void SetControlFont(const LOGFONT& lf, BOOL fRedraw = FALSE);
    static const LOGFONT& GetDefaultFont() { return lf_default; }

    // The first visible tab (for the host's own scroll position and for tests).
    int GetFirstVisibleItem() const;
    // The drop target of a drag in progress, -6 when none.
    int GetDragTarget() const { return m_nItemDragDest; }
    // State of button -1 to -5: 0 not shown, 1 normal, 2 hot, 3 pressed.
    int GetButtonState(int nButton) const;
    // Whether the strip draws with the visual styles.
    BOOL IsThemed() const { return m_bThemed; }
    // The rename edit while a rename is open.
    CEdit* GetRenameEdit() { return m_ctrlEdit.GetSafeHwnd() ? &m_ctrlEdit : nullptr; }

    static LOGFONT lf_default;
    static bool m_bBitsGlyphs;

    // Drag cursors (owned).
    HCURSOR m_hCursorMove;
    HCURSOR m_hCursorCopy;
    // Fonts: the selected one is the normal one in bold.
    CFont m_Font;
    CFont m_FontSelected;
    int m_nItemSelected;
    int m_nFirstVisibleItem;
    int m_nItemDragDest;
    // Button states.
    int m_nFirstState;
    int m_nPrevState;
    int m_nNextState;
    int m_nLastState;
    int m_nCloseState;
    // The hit-test result of the last left-button press, also the drag source.
    int m_nButtonIDDown;
    DWORD m_dwLastRepeatTime;
    CBitmap m_bmpGlyphsMono;
    // Themed tab backgrounds (normal, selected), rebuilt when the system theme changes.
    CBitmap m_bmpBkNormal;
    CBitmap m_bmpBkSelected;
    CToolTipCtrl m_ctrlToolTip;
    CEdit m_ctrlEdit;
    CArray<CCustomTabCtrlItem*, CCustomTabCtrlItem*> m_aItems;

protected:
    // void OnPaint()
    afx_msg void OnPaint();
    // BOOL OnEraseBkgnd(CDC* pDC)
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    // void OnSize(UINT nType, int cx, int cy)
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    // LRESULT OnMouseLeave(WPARAM, LPARAM)
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    // BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnDestroy();
    afx_msg void OnUpdateEdit();
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);
    // LRESULT OnPrintClient(WPARAM hdc, LPARAM flags)
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    // LRESULT OnSetRedraw(WPARAM bRedraw, LPARAM)
    afx_msg LRESULT OnSetRedraw(WPARAM wParam, LPARAM lParam);
    afx_msg void OnKillFocusEdit();
    DECLARE_MESSAGE_MAP()

private:
    static BOOL RegisterWindowClass();
    BOOL IsValidIndex(int nItem) const { return nItem >= 0 && nItem < GetItemCount(); }
    LRESULT NotifyParent(UINT code, int nItem, CPoint pt);
    // Marks the layout stale (and queues a repaint with bRedraw). The layout itself waits for the
    // next paint or query, so a burst of inserts lays the strip out once, not once per tab.
    void RecalcLayout(BOOL bRedraw = TRUE);
    // Lays the tabs out when stale, from the current texts, fonts, size and scroll position; and
    // brings the tabs' tools up to date.
    void EnsureLayout() const;
    const CTabGeometry& Geometry() const
    {
        EnsureLayout();
        return m_geometry;
    }
    void DoLayout();
    // Tools for the tabs in view that have a tooltip text (see the docs: only they can be hovered).
    void SyncItemTools();
    void MeasureItems();
    // A text's width in the selected font, through a memory DC kept until the font changes.
    int MeasureText(const CString& sText);
    void ReleaseMeasureDC();
    // Strip space <-> client coordinates (a vertical strip is transposed).
    CPoint ToStrip(CPoint pt) const;
    CRect ToClient(const CRect& rect) const;
    void StepButton(int nButton);
    void EnsureVisible(int nItem);
    void SetButtonState(int nButton, int nState);
    void ReportHighlightChanges(CPoint pt);
    void SetHighlight(int nItem, BOOL fHighlight);
    void EndDrag();
    void StartDragTimer();
    void DragTo(CPoint ptClient);
    bool IsCtrlDown(UINT nFlags) const;
    void UpdateButtonToolRects();
    // The tabs' tools are registered again at the next layout, after tabs were inserted, deleted
    // or reordered or a text changed.
    void ResyncItemTools() { m_bToolsPending = true; }
    // Keeps the remembered tab indexes (rename, drag source and target) on their tabs.
    void ShiftIndexes(int nFrom, int nDelta);
    void Select(int nItem, BOOL bClearHighlights);
    CCustomTabCtrlItem* NewItem(const CString& sText, LPARAM lParam, const CCustomTabCtrlItem* pCopyOf);
    void RebuildThemeBackgrounds();
    BOOL RenameLoop(int nItem);
    void CommitRename(int nItem);
    void CloseRename();

    // Drawing.
    void Draw(CDC& dc);
    void DrawItem(CDC& dc, int nItem);
    void DrawButton(CDC& dc, int nButton, int nState);
    void DrawGlyph(CDC& dc, int nGlyph, const CRect& rect, COLORREF clr);
    void DrawDropMarker(CDC& dc);

    CTabGeometry m_geometry;
    CThemeUtil m_theme;
    BOOL m_bThemed;
    BOOL m_bDragArmed;         // the press may become a drag: the drag timer runs
    BOOL m_bDragging;          // the drag timer has turned the press into a drag
    BOOL m_bDragCopy;          // the drag shows the copy cursor
    BOOL m_bMouseTracked;
    UINT m_nLastMouseFlags;
    CPoint m_ptLastMouse;
    int m_nRenameItem;         // the tab being renamed, -1 when none
    unsigned m_nTabsChanged = 0;   // counts inserts, deletes, moves, copies and selection changes
    int m_nRenameEnd;          // 0 open, 1 commit, 2 abandon
    bool* m_pbRenameAlive;     // the running rename loop's flag, cleared when the strip is deleted
    bool m_bLayoutPending = true;
    bool m_bToolsPending = false;
    bool m_bRedrawQueued = false;                  // an Invalidate since the last WM_PAINT
    std::map<UINT_PTR, CString> m_itemTools;       // registered tab tools: id (index + 1) -> text
    HDC m_hdcMeasure = nullptr;                    // with m_FontSelected selected
    HGDIOBJ m_hMeasureOldFont = nullptr;
    CFont m_FontVertical;      // the normal font turned for a vertical strip
    CFont m_FontSelectedVertical;
};
