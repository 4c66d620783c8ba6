// COrvoSplitButton: an owner-drawn push button with a drop-down arrow at its right end. A click on
// the main part acts as a button; a click on the arrow, Space or Down opens the button's menu below
// it. The registered parent dialog gets the button's WM_COMMAND and reads m_nSelectedCommand to
// learn which happened: SPLIT_MAIN_COMMAND for the main part, the menu command id for a menu
// choice, 0 when the menu was dismissed.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

class CONTROLS_API COrvoSplitButton : public CButton
{
public:
    // m_nSelectedCommand after a click on the main part.
    enum { SPLIT_MAIN_COMMAND = 100 };

    COrvoSplitButton();
    ~COrvoSplitButton() override;

    // Enables, greys or disables item nID (MF_ENABLED, MF_GRAYED, MF_DISABLED, with MF_BYCOMMAND
    // or MF_BYPOSITION); the text is not used. Returns the item's previous state, -1 when there
    // is no such item.
    int EnableMenuItem(UINT nID, CString csText, int nFlags);
    // Removes item nID (by command or position, as the flags say); nonzero on success.
    int RemoveMenuItem(UINT nID, CString csText, UINT nFlags);
    // Checks or unchecks item nID (MF_CHECKED, MF_UNCHECKED).
    void ChangeMenuFlags(UINT nID, UINT nFlags);
    void SetDefaultButton(int bDefault) { m_bDefaultBtn = bDefault; }
    // The window that receives the button's commands; null is ignored.
    void RegisterParentDlg(CWnd* pParent);

    // The drop-down menu; the owner appends its items directly.
    CMenu m_menu;
    // Optional image left of the caption (image 0 is drawn when m_bShowImage is set).
    CImageList m_imageList;
    int m_bPressed;             // the main part is held down
    int m_bMenuOpen;            // the drop-down menu is showing
    int m_nMenuResult;          // every result of EnableMenuItem and RemoveMenuItem OR-ed in
    int m_bDefaultBtn;          // drawn as the dialog's default button
    int m_bShowImage;
    int m_bShowArrow;
    int m_nArrowWidth;          // pixels of the arrow part at the right end
    int m_nImageWidth;
    int m_nImageHeight;
    CWnd* m_pParentDlg;         // receives the commands; null: none are sent
    int m_nSelectedCommand;     // what the last action was (see the banner)
    CFont* m_pFont;             // caption font; null: the default GUI font

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    void PreSubclassWindow() override;
    // Tracks the menu below the button and reports the choice to the parent dialog.
    virtual void OnShowMenu();
    // Whether a point in client coordinates lies on the arrow part (never while the menu is empty).
    BOOL HitMenuBtn(CPoint point);
    // The arrow with its apex at ptApex: rows of 1, 3, 5 and 7 pixels, each one higher.
    void DrawArrow(CDC* pDC, CPoint ptApex);

    // void OnLButtonDown(UINT nFlags, CPoint point)
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    // void OnLButtonUp(UINT nFlags, CPoint point)
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    // void OnLButtonDblClk(UINT nFlags, CPoint point)
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    // void OnMouseMove(UINT nFlags, CPoint point)
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    // void OnSetFocus(CWnd* pOldWnd)
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    // void OnKillFocus(CWnd* pNewWnd)
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    // LRESULT OnSysColorChange(WPARAM, LPARAM)
    afx_msg LRESULT OnSysColorChange(WPARAM wParam, LPARAM lParam);
    // void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    // LRESULT OnGetDlgCode(WPARAM, LPARAM lpMsg)
    afx_msg LRESULT OnGetDlgCodeMsg(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    BOOL HasMenuItems() const { return m_menu.GetSafeHmenu() != nullptr && m_menu.GetMenuItemCount() > 0; }
    void SendCommandToParent(BOOL bPost);

    // Cleared by the destructor: the owner may delete the button while its menu is open.
    bool* m_pbAlive = nullptr;
};
