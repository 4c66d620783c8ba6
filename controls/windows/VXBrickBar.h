// CVXBrickBar: a strip of bricks, side-by-side cells that each show one line: a caption, the
// separator and a text ("Last : 1,234.50"), in the brick's colour and font. The bar is a flat
// frame holding a one-row splitter whose panes are brick views (CHolderView). The host creates it
// as a child window with CreateBrickBars, sets captions once and texts as data arrives; the user
// changes colours, fonts and widths, which the bar saves under "BRICK_BAR_" + its name through the
// host's UserSetting, one key "PANE_%d" per brick.
//
// Terms: a brick index is the column of the brick in the splitter, from 0; its record
// (sPaneInfo) holds the view, the text colour, the caption and the font pointer.
//
// Like every frame, the bar is allocated with new and deletes itself when its window is destroyed
// (DestroyWindow, or with its parent). It frees what it made: the records and the fonts it created.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#include "widgets/ClrButton.h"
#include "windows/FlatFrameWnd.h"
#include "windows/FlatSplitterWnd.h"

#include <map>
#include <memory>

class CHolderView;

// The settings section is BRICK_BAR_SECTION + name, each brick's key BRICK_BAR_KEY with its index.
#define BRICK_BAR_SECTION "BRICK_BAR_"
#define BRICK_BAR_KEY "PANE_%d"
// More bricks than this are refused: each brick is a window.
#define BRICK_BAR_MAX_BRICKS 1024

class CONTROLS_API CVXBrickBar : public CFlatFrameWnd
{
    DECLARE_DYNAMIC(CVXBrickBar)
public:
    struct sPaneInfo
    {
        CHolderView* pView = nullptr;
        COLORREF clrText = 0;
        CString csCaption;
        CFont* pFont = nullptr;   // not owned
    };

    CVXBrickBar();
    ~CVXBrickBar() override;

    // --- host options ---
    int m_bSaveOnDestroy = 1;   // DestroyWindow (or the parent's destruction) saves the bricks
    int m_bGroupDigits = 0;     // SetText shows numbers with thousands separators

    // --- layout and state ---
    CFlatSplitterWnd m_wndSplitter;
    CString m_csSeperator = " : ";
    CString m_csName;           // settings name; empty: nothing is saved or restored
    CClrButton m_btnTextColor;  // kept for hosts that lay out colour buttons with the bar
    CClrButton m_btnBackColor;
    int m_nBrickCount = 0;
    CArray<CString, CString> m_arrText;
    CMap<int, int, sPaneInfo*, sPaneInfo*> m_mapPaneInfo;

    // Parent, brick count, one caption per brick, the bar's rectangle in the parent, whether the
    // user may drag the bars. 0 for a count below 1 (or above BRICK_BAR_MAX_BRICKS), no captions,
    // more captions than bricks, no parent window, or a bar already created.
    int CreateBrickBars(CWnd* pParent, int nCount, CArray<CString, CString>& arrCaptions, CRect rect,
                        int bResizable);

    // The colour arguments are not used: the brick's stored colour applies.
    int SetCaption(int nIndex, CString csCaption, COLORREF clr);
    int SetText(int nIndex, CString csText, COLORREF clr);
    int GetCaption(int nIndex, CString& csCaption);
    // The shown line without caption and separator (the leading space stays).
    int GetText(int nIndex, CString& csText);
    // The shown line as stored, leading space included.
    int GetTextWithCaption(int nIndex, CString& csText);
    int SetTextColor(int nIndex, COLORREF clr);
    int SetFont(int nIndex, CFont* pFont);
    // Texts set afterwards use the new separator; texts already shown keep the old one.
    int SetCaptionSeperator(CString csSeperator);
    // Digit grouping with the whole fraction kept: "-1234567.891" gives "-1,234,567.891".
    CString GetCommaData(CString& csText);

    int ReadFromINI();
    int WriteToINI();
    // Copies each view's title colour and font into its record.
    void UpdateUIData();
    void FreeMap();
    // Equal widths: the bar's client width divided by the brick count.
    int FitToWindow();
    int GetPaneCount();
    CFlatSplitterWnd* GetSplitterWnd() { return &m_wndSplitter; }

    BOOL DestroyWindow() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // The record of a brick whose view is alive; null otherwise.
    sPaneInfo* Pane(int nIndex) const;
    CString SettingsSection() const { return BRICK_BAR_SECTION + m_csName; }
    // Replaces the bar's own font of a brick and gives it to the brick.
    BOOL SetOwnFont(int nIndex, const LOGFONT& lf);
    // Destroys the window of a bar that could not be completed, leaving the object to the caller.
    void AbandonCreation();

    // void OnDestroy()
    afx_msg void OnDestroy();
    void PostNcDestroy() override;
    DECLARE_MESSAGE_MAP()

    bool m_bSaved = false;   // saved by DestroyWindow already
    std::map<int, std::unique_ptr<CFont>> m_ownFonts;   // by brick index
};
