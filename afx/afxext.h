// Splitter windows: a static splitter of one row and any number of columns, each column a pane
// (usually a view) side by side, separated by bars the user can drag with the sizing cursor. The
// splitter keeps each column's ideal and minimum width; RecalcLayout places the panes from them,
// the last column taking what is left.
#pragma once

#include "afxwin.h"

#include <vector>

class AFX_API CSplitterWnd : public CWnd
{
    DECLARE_DYNAMIC(CSplitterWnd)
public:
    CSplitterWnd() = default;

    // One row only; nCols >= 1. Panes are created afterwards with CreateView.
    virtual BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                              UINT nID = AFX_IDW_PANE_FIRST);
    // Creates the pane of (row, col) from the class; sizeInit.cx becomes the column's ideal width.
    virtual BOOL CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext);

    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return (int)m_cols.size(); }
    // The pane's window, null outside the grid or before it is created.
    CWnd* GetPane(int row, int col) const;
    int IdFromRowCol(int row, int col) const { return AFX_IDW_PANE_FIRST + row * 16 + col; }

    // cxCur is the width the column has now (after the last layout), cxMin its minimum.
    void GetColumnInfo(int col, int& cxCur, int& cxMin) const;
    // The width the column gets at the next layout; a column narrower than its minimum is hidden.
    void SetColumnInfo(int col, int cxIdeal, int cxMin);
    virtual void RecalcLayout();

    // The bar (column whose right edge it follows) under a client point; -1 for none.
    int HitTestBar(CPoint point) const;
    // The rectangle of the bar after column col, in client coordinates.
    CRect GetBarRect(int col) const;

    enum ESplitType { splitBox, splitBar, splitIntersection, splitBorder };
    // Draws one part; pDC may be null to ask for a repaint of that part only.
    virtual void OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect);
    // Whether pressing on a bar starts a drag (and the sizing cursor shows over it).
    virtual BOOL CanTrackBars() const { return TRUE; }

    // Sizes: the bar's width, the gap between panes, the share of a pane's border inside the
    // bar, and the border around the whole.
    int m_cxSplitter = 7, m_cySplitter = 7;
    int m_cxSplitterGap = 7, m_cySplitterGap = 7;
    int m_cxBorderShare = 1, m_cyBorderShare = 1;
    int m_cxBorder = 2, m_cyBorder = 2;

protected:
    struct CRowColInfo
    {
        int nMinSize = 0;
        int nIdealSize = 0;
        int nCurSize = 0;
        int nPos = 0;   // left edge after the last layout, client coordinates
        HWND hPane = nullptr;
    };
    std::vector<CRowColInfo> m_cols;
    int m_nRows = 0;
    int m_nTrackBar = -1;      // the bar being dragged
    int m_nTrackOffset = 0;    // where in the bar it was taken

    void DrawAll(CDC* pDC);
    void EndTracking(CPoint point, BOOL bAccept);
    void MoveBarTo(int nBar, CPoint point);

    // void OnPaint()
    afx_msg void OnPaint();
    // LRESULT OnPrintClient(WPARAM hdc, LPARAM flags)
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    // void OnSize(UINT nType, int cx, int cy)
    afx_msg void OnSize(UINT nType, int cx, int cy);
    // BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    // void OnLButtonDown(UINT nFlags, CPoint point)
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    // void OnMouseMove(UINT nFlags, CPoint point)
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    // void OnLButtonUp(UINT nFlags, CPoint point)
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    // void OnCaptureChanged(CWnd* pWnd)
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    DECLARE_MESSAGE_MAP()
};
