// Standard controls: thin wrappers over the platform's edit, button, static, combo box and list
// box windows. Each holds only the window handle; every query is asked of the control.
#pragma once

#include "afxwin.h"

// Edit control.
class AFX_API CEdit : public CWnd
{
    DECLARE_DYNAMIC(CEdit)
public:
    CEdit() = default;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    using CWnd::Create;
    using CWnd::CreateEx;

    // Selection: the low word of GetSel() is the start, the high word the end.
    DWORD GetSel() const { return (DWORD)SendToControl(EM_GETSEL, 0, 0); }
    void GetSel(int& nStartChar, int& nEndChar) const
    { SendToControl(EM_GETSEL, (WPARAM)&nStartChar, (LPARAM)&nEndChar); }
    // Selects and, unless bNoScroll, scrolls the caret into view. nEndChar -1 means the end.
    void SetSel(DWORD dwSelection, BOOL bNoScroll = FALSE)
    { SetSel((int)(short)LOWORD(dwSelection), (int)(short)HIWORD(dwSelection), bNoScroll); }
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE)
    { SendToControl(EM_SETSEL, (WPARAM)nStartChar, (LPARAM)nEndChar); if (!bNoScroll) SendToControl(EM_SCROLLCARET, 0, 0); }
    void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE)
    { SendToControl(EM_REPLACESEL, (WPARAM)bCanUndo, (LPARAM)lpszNewText); }

    // Undo and the clipboard.
    BOOL CanUndo() const { return (BOOL)SendToControl(EM_CANUNDO, 0, 0); }
    BOOL Undo() { return (BOOL)SendToControl(EM_UNDO, 0, 0); }
    void EmptyUndoBuffer() { SendToControl(EM_EMPTYUNDOBUFFER, 0, 0); }
    void Clear() { SendToControl(WM_CLEAR, 0, 0); }
    void Copy() { SendToControl(WM_COPY, 0, 0); }
    void Cut() { SendToControl(WM_CUT, 0, 0); }
    void Paste() { SendToControl(WM_PASTE, 0, 0); }

    // Limits and state.
    void LimitText(int nChars = 0) { SendToControl(EM_LIMITTEXT, (WPARAM)nChars, 0); }
    void SetLimitText(UINT nMax) { SendToControl(EM_SETLIMITTEXT, (WPARAM)nMax, 0); }
    UINT GetLimitText() const { return (UINT)SendToControl(EM_GETLIMITTEXT, 0, 0); }
    BOOL GetModify() const { return (BOOL)SendToControl(EM_GETMODIFY, 0, 0); }
    void SetModify(BOOL bModified = TRUE) { SendToControl(EM_SETMODIFY, (WPARAM)bModified, 0); }
    BOOL SetReadOnly(BOOL bReadOnly = TRUE) { return (BOOL)SendToControl(EM_SETREADONLY, (WPARAM)bReadOnly, 0); }
    void SetPasswordChar(TCHAR ch) { SendToControl(EM_SETPASSWORDCHAR, (WPARAM)(BYTE)ch, 0); }
    TCHAR GetPasswordChar() const { return (TCHAR)SendToControl(EM_GETPASSWORDCHAR, 0, 0); }

    // Lines.
    int GetLineCount() const { return (int)SendToControl(EM_GETLINECOUNT, 0, 0); }
    // Copies line nIndex into the buffer (not terminated); returns the characters copied. The
    // first form reads the buffer's size from its first WORD, as EM_GETLINE does.
    int GetLine(int nIndex, LPTSTR lpszBuffer) const { return (int)SendToControl(EM_GETLINE, (WPARAM)nIndex, (LPARAM)lpszBuffer); }
    int GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const;
    int LineIndex(int nLine = -1) const { return (int)SendToControl(EM_LINEINDEX, (WPARAM)nLine, 0); }
    int LineLength(int nLine = -1) const { return (int)SendToControl(EM_LINELENGTH, (WPARAM)nLine, 0); }
    int LineFromChar(int nIndex = -1) const { return (int)SendToControl(EM_LINEFROMCHAR, (WPARAM)nIndex, 0); }
    void LineScroll(int nLines, int nChars = 0) { SendToControl(EM_LINESCROLL, (WPARAM)nChars, (LPARAM)nLines); }
    int GetFirstVisibleLine() const { return (int)SendToControl(EM_GETFIRSTVISIBLELINE, 0, 0); }
    BOOL FmtLines(BOOL bAddEOL) { return (BOOL)SendToControl(EM_FMTLINES, (WPARAM)bAddEOL, 0); }

    // Geometry.
    void GetRect(LPRECT lpRect) const { SendToControl(EM_GETRECT, 0, (LPARAM)lpRect); }
    void SetRect(LPCRECT lpRect) { SendToControl(EM_SETRECT, 0, (LPARAM)lpRect); }
    void SetRectNP(LPCRECT lpRect) { SendToControl(EM_SETRECTNP, 0, (LPARAM)lpRect); }
    void SetMargins(UINT nLeft, UINT nRight)
    { SendToControl(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(nLeft, nRight)); }
    DWORD GetMargins() const { return (DWORD)SendToControl(EM_GETMARGINS, 0, 0); }
    CPoint PosFromChar(UINT nChar) const
    { DWORD dw = (DWORD)SendToControl(EM_POSFROMCHAR, (WPARAM)nChar, 0); return CPoint((short)LOWORD(dw), (short)HIWORD(dw)); }
    // Low word: the character index; high word: the line.
    int CharFromPos(CPoint pt) const { return (int)SendToControl(EM_CHARFROMPOS, 0, MAKELPARAM(pt.x, pt.y)); }
    BOOL SetTabStops(int nTabStops, LPINT rgTabStops)
    { return (BOOL)SendToControl(EM_SETTABSTOPS, (WPARAM)nTabStops, (LPARAM)rgTabStops); }

    // Balloon tips and cue banners (common controls 6).
    BOOL ShowBalloonTip(PEDITBALLOONTIP pEditBalloonTip)
    { return (BOOL)SendToControl(EM_SHOWBALLOONTIP, 0, (LPARAM)pEditBalloonTip); }
    BOOL ShowBalloonTip(LPCWSTR lpszTitle, LPCWSTR lpszText, INT ttiIcon = TTI_NONE);
    BOOL HideBalloonTip() { return (BOOL)SendToControl(EM_HIDEBALLOONTIP, 0, 0); }
    BOOL SetCueBanner(LPCWSTR lpszText, BOOL fDrawIfFocused = FALSE)
    { return (BOOL)SendToControl(EM_SETCUEBANNER, (WPARAM)fDrawIfFocused, (LPARAM)lpszText); }
    BOOL GetCueBanner(LPWSTR lpszText, int cchText) const
    { return (BOOL)SendToControl(EM_GETCUEBANNER, (WPARAM)lpszText, (LPARAM)cchText); }
};

// Push button, check box, radio button or group box. Owner-drawn buttons get DrawItem.
class AFX_API CButton : public CWnd
{
    DECLARE_DYNAMIC(CButton)
public:
    CButton() = default;

    virtual BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    using CWnd::Create;

    UINT GetState() const { return (UINT)SendToControl(BM_GETSTATE, 0, 0); }
    void SetState(BOOL bHighlight) { SendToControl(BM_SETSTATE, (WPARAM)bHighlight, 0); }
    int GetCheck() const { return (int)SendToControl(BM_GETCHECK, 0, 0); }
    void SetCheck(int nCheck) { SendToControl(BM_SETCHECK, (WPARAM)nCheck, 0); }
    UINT GetButtonStyle() const { return (UINT)GetStyle() & 0xFFFF; }
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE) { SendToControl(BM_SETSTYLE, (WPARAM)nStyle, (LPARAM)bRedraw); }
    HBITMAP SetBitmap(HBITMAP hBitmap) { return (HBITMAP)SendToControl(BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)hBitmap); }
    HBITMAP GetBitmap() const { return (HBITMAP)SendToControl(BM_GETIMAGE, IMAGE_BITMAP, 0); }
    HICON SetIcon(HICON hIcon) { return (HICON)SendToControl(BM_SETIMAGE, IMAGE_ICON, (LPARAM)hIcon); }
    HICON GetIcon() const { return (HICON)SendToControl(BM_GETIMAGE, IMAGE_ICON, 0); }
    using CWnd::SetIcon;
    using CWnd::GetIcon;
    void Click() { SendToControl(BM_CLICK, 0, 0); }

    // Called for BS_OWNERDRAW buttons when the parent reflects WM_DRAWITEM.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

// Static text, frame, bitmap or icon.
class AFX_API CStatic : public CWnd
{
    DECLARE_DYNAMIC(CStatic)
public:
    CStatic() = default;

    virtual BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xffff);
    using CWnd::Create;

    HBITMAP SetBitmap(HBITMAP hBitmap) { return (HBITMAP)SendToControl(STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)hBitmap); }
    HBITMAP GetBitmap() const { return (HBITMAP)SendToControl(STM_GETIMAGE, IMAGE_BITMAP, 0); }
    HICON SetIcon(HICON hIcon) { return (HICON)SendToControl(STM_SETICON, (WPARAM)hIcon, 0); }
    HICON GetIcon() const { return (HICON)SendToControl(STM_GETICON, 0, 0); }
    HENHMETAFILE SetEnhMetaFile(HENHMETAFILE hMetaFile)
    { return (HENHMETAFILE)SendToControl(STM_SETIMAGE, IMAGE_ENHMETAFILE, (LPARAM)hMetaFile); }
    HCURSOR SetCursor(HCURSOR hCursor) { return (HCURSOR)SendToControl(STM_SETIMAGE, IMAGE_CURSOR, (LPARAM)hCursor); }
    using CWnd::SetIcon;
    using CWnd::GetIcon;
};

// List box. Owner-drawn list boxes get DrawItem, MeasureItem, CompareItem and DeleteItem.
class AFX_API CListBox : public CWnd
{
    DECLARE_DYNAMIC(CListBox)
public:
    CListBox() = default;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    using CWnd::Create;

    int GetCount() const { return (int)SendToControl(LB_GETCOUNT, 0, 0); }
    int GetTopIndex() const { return (int)SendToControl(LB_GETTOPINDEX, 0, 0); }
    int SetTopIndex(int nIndex) { return (int)SendToControl(LB_SETTOPINDEX, (WPARAM)nIndex, 0); }
    int GetText(int nIndex, LPTSTR lpszBuffer) const { return (int)SendToControl(LB_GETTEXT, (WPARAM)nIndex, (LPARAM)lpszBuffer); }
    void GetText(int nIndex, CString& rString) const;
    int GetTextLen(int nIndex) const { return (int)SendToControl(LB_GETTEXTLEN, (WPARAM)nIndex, 0); }
    DWORD_PTR GetItemData(int nIndex) const { return (DWORD_PTR)SendToControl(LB_GETITEMDATA, (WPARAM)nIndex, 0); }
    int SetItemData(int nIndex, DWORD_PTR dwItemData) { return (int)SendToControl(LB_SETITEMDATA, (WPARAM)nIndex, (LPARAM)dwItemData); }
    void* GetItemDataPtr(int nIndex) const { return (void*)GetItemData(nIndex); }
    int SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, (DWORD_PTR)pData); }
    int GetItemRect(int nIndex, LPRECT lpRect) const { return (int)SendToControl(LB_GETITEMRECT, (WPARAM)nIndex, (LPARAM)lpRect); }
    int GetItemHeight(int nIndex) const { return (int)SendToControl(LB_GETITEMHEIGHT, (WPARAM)nIndex, 0); }
    int SetItemHeight(int nIndex, UINT cyItemHeight) { return (int)SendToControl(LB_SETITEMHEIGHT, (WPARAM)nIndex, MAKELPARAM(cyItemHeight, 0)); }
    // Low word: the nearest item; high word: nonzero when the point is outside the client area.
    UINT ItemFromPoint(CPoint pt, BOOL& bOutside) const;
    int GetCaretIndex() const { return (int)SendToControl(LB_GETCARETINDEX, 0, 0); }
    int SetCaretIndex(int nIndex, BOOL bScroll = TRUE) { return (int)SendToControl(LB_SETCARETINDEX, (WPARAM)nIndex, MAKELPARAM(bScroll, 0)); }
    int GetHorizontalExtent() const { return (int)SendToControl(LB_GETHORIZONTALEXTENT, 0, 0); }
    void SetHorizontalExtent(int cxExtent) { SendToControl(LB_SETHORIZONTALEXTENT, (WPARAM)cxExtent, 0); }
    void SetColumnWidth(int cxWidth) { SendToControl(LB_SETCOLUMNWIDTH, (WPARAM)cxWidth, 0); }

    // Single-selection list boxes.
    int GetCurSel() const { return (int)SendToControl(LB_GETCURSEL, 0, 0); }
    int SetCurSel(int nSelect)
    { ASSERT(!(GetStyle() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL))); return (int)SendToControl(LB_SETCURSEL, (WPARAM)nSelect, 0); }
    // Multiple-selection list boxes.
    int GetSel(int nIndex) const { return (int)SendToControl(LB_GETSEL, (WPARAM)nIndex, 0); }
    int SetSel(int nIndex, BOOL bSelect = TRUE)
    { ASSERT(GetStyle() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)); return (int)SendToControl(LB_SETSEL, (WPARAM)bSelect, (LPARAM)nIndex); }
    int GetSelCount() const { return (int)SendToControl(LB_GETSELCOUNT, 0, 0); }
    int GetSelItems(int nMaxItems, LPINT rgIndex) const { return (int)SendToControl(LB_GETSELITEMS, (WPARAM)nMaxItems, (LPARAM)rgIndex); }

    // Strings.
    int AddString(LPCTSTR lpszItem) { return (int)SendToControl(LB_ADDSTRING, 0, (LPARAM)lpszItem); }
    int InsertString(int nIndex, LPCTSTR lpszItem) { return (int)SendToControl(LB_INSERTSTRING, (WPARAM)nIndex, (LPARAM)lpszItem); }
    int DeleteString(UINT nIndex) { return (int)SendToControl(LB_DELETESTRING, (WPARAM)nIndex, 0); }
    void ResetContent() { SendToControl(LB_RESETCONTENT, 0, 0); }
    int FindString(int nStartAfter, LPCTSTR lpszItem) const { return (int)SendToControl(LB_FINDSTRING, (WPARAM)nStartAfter, (LPARAM)lpszItem); }
    int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const { return (int)SendToControl(LB_FINDSTRINGEXACT, (WPARAM)nIndexStart, (LPARAM)lpszFind); }
    int SelectString(int nStartAfter, LPCTSTR lpszItem) { return (int)SendToControl(LB_SELECTSTRING, (WPARAM)nStartAfter, (LPARAM)lpszItem); }

    // Owner-draw hooks, called when the parent reflects the messages.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    virtual void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

// Sent to the parent as the notification code of WM_COMMAND when the user changes an item's check.
#define CLBN_CHKCHANGE 40

// A list box whose items carry a check box. The list box must be owner-drawn with fixed heights
// and keep its strings (LBS_OWNERDRAWFIXED | LBS_HASSTRINGS; Create adds both). A click on the box
// or Space on the focused item toggles the check and tells the parent (CLBN_CHKCHANGE); SetCheck
// does not. The checks follow their items through inserts, deletes and sorted adds.
class AFX_API CCheckListBox : public CListBox
{
    DECLARE_DYNAMIC(CCheckListBox)
public:
    CCheckListBox() = default;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;
    using CListBox::Create;

    // 0 unchecked, 1 checked, -1 for an index outside the list.
    int GetCheck(int nIndex) const;
    // nCheck 0 clears, anything else checks; FALSE for an index outside the list.
    BOOL SetCheck(int nIndex, int nCheck);
    // The check box's square at the left of an item row, in client coordinates.
    CRect CheckBoxRect(int nIndex) const;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Toggle(int nIndex);
    int BoxSize() const;
    std::vector<BYTE> m_checks;   // one per item, in item order
};

// Combo box. Owner-drawn combo boxes get DrawItem, MeasureItem, CompareItem and DeleteItem.
class AFX_API CComboBox : public CWnd
{
    DECLARE_DYNAMIC(CComboBox)
public:
    CComboBox() = default;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    using CWnd::Create;

    int GetCount() const { return (int)SendToControl(CB_GETCOUNT, 0, 0); }
    int GetCurSel() const { return (int)SendToControl(CB_GETCURSEL, 0, 0); }
    int SetCurSel(int nSelect) { return (int)SendToControl(CB_SETCURSEL, (WPARAM)nSelect, 0); }
    int GetLBText(int nIndex, LPTSTR lpszText) const { return (int)SendToControl(CB_GETLBTEXT, (WPARAM)nIndex, (LPARAM)lpszText); }
    void GetLBText(int nIndex, CString& rString) const;
    int GetLBTextLen(int nIndex) const { return (int)SendToControl(CB_GETLBTEXTLEN, (WPARAM)nIndex, 0); }
    DWORD_PTR GetItemData(int nIndex) const { return (DWORD_PTR)SendToControl(CB_GETITEMDATA, (WPARAM)nIndex, 0); }
    int SetItemData(int nIndex, DWORD_PTR dwItemData) { return (int)SendToControl(CB_SETITEMDATA, (WPARAM)nIndex, (LPARAM)dwItemData); }
    void* GetItemDataPtr(int nIndex) const { return (void*)GetItemData(nIndex); }
    int SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, (DWORD_PTR)pData); }
    int GetItemHeight(int nIndex) const { return (int)SendToControl(CB_GETITEMHEIGHT, (WPARAM)nIndex, 0); }
    int SetItemHeight(int nIndex, UINT cyItemHeight) { return (int)SendToControl(CB_SETITEMHEIGHT, (WPARAM)nIndex, (LPARAM)cyItemHeight); }
    int GetTopIndex() const { return (int)SendToControl(CB_GETTOPINDEX, 0, 0); }
    int SetTopIndex(int nIndex) { return (int)SendToControl(CB_SETTOPINDEX, (WPARAM)nIndex, 0); }
    int GetDroppedWidth() const { return (int)SendToControl(CB_GETDROPPEDWIDTH, 0, 0); }
    int SetDroppedWidth(UINT nWidth) { return (int)SendToControl(CB_SETDROPPEDWIDTH, (WPARAM)nWidth, 0); }
    void GetDroppedControlRect(LPRECT lprect) const { SendToControl(CB_GETDROPPEDCONTROLRECT, 0, (LPARAM)lprect); }
    BOOL GetDroppedState() const { return (BOOL)SendToControl(CB_GETDROPPEDSTATE, 0, 0); }
    void ShowDropDown(BOOL bShowIt = TRUE) { SendToControl(CB_SHOWDROPDOWN, (WPARAM)bShowIt, 0); }
    BOOL GetComboBoxInfo(PCOMBOBOXINFO pcbi) const { return (BOOL)SendToControl(CB_GETCOMBOBOXINFO, 0, (LPARAM)pcbi); }

    // The edit part.
    BOOL LimitText(int nMaxChars) { return (BOOL)SendToControl(CB_LIMITTEXT, (WPARAM)nMaxChars, 0); }
    DWORD GetEditSel() const { return (DWORD)SendToControl(CB_GETEDITSEL, 0, 0); }
    BOOL SetEditSel(int nStartChar, int nEndChar) { return (BOOL)SendToControl(CB_SETEDITSEL, 0, MAKELPARAM(nStartChar, nEndChar)); }
    void Clear() { SendToControl(WM_CLEAR, 0, 0); }
    void Copy() { SendToControl(WM_COPY, 0, 0); }
    void Cut() { SendToControl(WM_CUT, 0, 0); }
    void Paste() { SendToControl(WM_PASTE, 0, 0); }

    // Strings.
    int AddString(LPCTSTR lpszString) { return (int)SendToControl(CB_ADDSTRING, 0, (LPARAM)lpszString); }
    int InsertString(int nIndex, LPCTSTR lpszString) { return (int)SendToControl(CB_INSERTSTRING, (WPARAM)nIndex, (LPARAM)lpszString); }
    int DeleteString(UINT nIndex) { return (int)SendToControl(CB_DELETESTRING, (WPARAM)nIndex, 0); }
    void ResetContent() { SendToControl(CB_RESETCONTENT, 0, 0); }
    int FindString(int nStartAfter, LPCTSTR lpszString) const { return (int)SendToControl(CB_FINDSTRING, (WPARAM)nStartAfter, (LPARAM)lpszString); }
    int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const { return (int)SendToControl(CB_FINDSTRINGEXACT, (WPARAM)nIndexStart, (LPARAM)lpszFind); }
    int SelectString(int nStartAfter, LPCTSTR lpszString) { return (int)SendToControl(CB_SELECTSTRING, (WPARAM)nStartAfter, (LPARAM)lpszString); }

    // Owner-draw hooks, called when the parent reflects the messages.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    virtual void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
