// CHolderView: a pane of a splitter that shows one title line. In brick style (the brick bar's
// panes) it is drawn as a raised button-face brick with the title left-aligned and vertically
// centred in its colour and font, and offers a context menu to change the colour and font of this
// brick or of every brick of its splitter, to give all bricks equal widths, and to go back to the
// default font. Every command it receives is then forwarded to its owner.
#pragma once

#include <afxwin.h>
#include <afxext.h>

#include <memory>
#include <vector>

// Style flags (SetStyleVX).
#define HOLDER_STYLE_BRICK 8
// wParam: the new title colour; the view redraws.
#define WM_HOLDER_SETTITLECOLOR (WM_USER + 222)

// The context menu's commands.
#define ID_BRICK_SET_COLOR          1111
#define ID_BRICK_SET_FONT           1112
#define ID_BRICK_SET_COLOR_ALL      33519
#define ID_BRICK_SET_FONT_ALL       33518
#define ID_BRICK_FIT_TO_WINDOW      2805
#define ID_BRICK_SET_DEFAULT_VALUES 33139

class CONTROLS_API CHolderView : public CView
{
    DECLARE_DYNCREATE(CHolderView)
public:
    CHolderView() = default;
    ~CHolderView() override;

    // Where commands go after the view has acted on them.
    void setOwner(CWnd* pOwner) { m_hWndOwnerVX = pOwner->GetSafeHwnd(); }
    // ORs flags into the style.
    void SetStyleVX(DWORD dwStyle) { m_dwStyleVX |= dwStyle; }
    DWORD GetStyleVX() const { return m_dwStyleVX; }
    // Stores a space and the text as the title, takes the colour, redraws.
    void SetTitle(CString csTitle, COLORREF clrTitle);
    // The title as stored, leading space included.
    CString GetTitle() const { return m_csTitle; }
    void SetTitleColor(COLORREF clrTitle);
    COLORREF GetTitleColor() const { return m_clrTitle; }
    // Not owned (null: the DC's default font).
    void SetTitleFont(CFont* pFont);
    CFont* GetTitleFont() const { return m_pTitleFont; }
    // Equal widths for every column of the splitter that holds the view; 0 when it is not in one.
    int FitToWindow();
    // A font made from the record, owned by the view for the rest of its life, becomes the title font.
    BOOL SetTitleFontFrom(const LOGFONT& lf);

    void OnDraw(CDC* pDC) override;

protected:
    // The splitter the view is a pane of; null when its parent is something else.
    CSplitterWnd* GetParentSplitter() const;
    // Every brick view of the parent splitter, this one included.
    std::vector<CHolderView*> SiblingViews() const;
    BOOL ChooseFont(LOGFONT& lf);

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // void OnContextMenu(CWnd* pWnd, CPoint point)
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    // LRESULT OnSetTitleColor(WPARAM clrTitle, LPARAM)
    afx_msg LRESULT OnSetTitleColor(WPARAM wParam, LPARAM lParam);
    // BOOL OnEraseBkgnd(CDC* pDC)
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    CString m_csTitle;
    COLORREF m_clrTitle = 0;
    CFont* m_pTitleFont = nullptr;
    DWORD m_dwStyleVX = 0;
    HWND m_hWndOwnerVX = nullptr;
    // Fonts the view made from the user's choices: kept while the view lives, since the bar's
    // records may point at any of them.
    std::vector<std::unique_ptr<CFont>> m_ownFonts;
};
