// CStaticLink: a static text that behaves as a hyperlink. A click (or Space or Enter while it has
// the focus) opens m_link, or the window text when m_link is empty, through the shell; the text
// is drawn underlined in the unvisited colour, then in the visited colour once opened. A plain
// link (m_bPlain) is inert text in the unvisited colour that still shows the hand cursor.
#pragma once

#include <afxwin.h>

class CONTROLS_API CStaticLink : public CStatic
{
public:
    CStaticLink();
    ~CStaticLink() override;

    COLORREF m_colorUnvisited;  // set to RGB(0, 50, 255) each time the control is coloured
    COLORREF m_colorVisited;
    int m_bVisited;             // the link was opened successfully
    int m_bPlain;               // inert: clicks do nothing, no underline
    bool m_bAlwaysUnderline;    // underline even a plain link
    CString m_link;             // target; empty means the window text
    CFont m_font;               // the parent's font with the underline; made on first colouring

    // The system's hand cursor, shared by every link.
    static HCURSOR g_hCursorLink;

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PreSubclassWindow() override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // HBRUSH CtlColor(CDC* pDC, UINT nCtlColor), reflected WM_CTLCOLORSTATIC
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    // BOOL OnClicked(), reflected STN_CLICKED: 1 when handled, 0 for a plain link
    afx_msg BOOL OnClicked();
    // BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    // void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    // void OnSetFocus(CWnd* pOldWnd)
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    // void OnKillFocus(CWnd* pNewWnd)
    afx_msg void OnKillFocus(CWnd* pNewWnd);

    DECLARE_MESSAGE_MAP()

private:
    void DrawFocusOnParent();
    void RepaintOverParent();
};
