// Shared set-up of the tab strip tests: a recording parent that keeps every notification the
// strip sends (and can answer them or act on them), and mouse messages sent to the strip.
#pragma once

#include <afxwin.h>
#include <gtest/gtest.h>

#include "TestHost.h"
#include "TestSupport.h"
#include "windows/CustomTabCtrl.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using Names = std::vector<std::string>;

// One notification as the parent received it (the fields of CTC_NMHDR).
struct sTabNote { int code, nItem; std::string text; LPARAM lParam; CRect rect; CPoint pt; BOOL fSelected, fHighlighted; };

class CTabRecorder : public CWnd
{
public:
    std::vector<sTabNote> m_notes;
    LRESULT m_lLabelResult = 0;                      // the answer to a rename notification
    std::function<void(const sTabNote&)> m_onNote;   // called after recording
    std::deque<std::function<void()>> m_steps;       // run one per posted WM_APP

    // Queues a step to run from the message loop (also from the strip's own rename loop).
    void Post(std::function<void()> step);
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class TabTest : public HostTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A strip in the recording parent (the previous one destroyed), with tabs "<prefix>0".. or
    // the given texts, the given tab selected and the notes so far cleared.
    void Create(DWORD dwStyle, const CRect& rect = CRect(0, 0, 400, 20));
    void Make(DWORD dwStyle, const Names& texts, int nSelected = -1, const CRect& rect = CRect(0, 0, 400, 20));
    void AddTabs(const Names& texts);
    void AddTabs(int nCount, const char* pszPrefix = "Tab");
    Names Texts() const;
    // The middle of a tab's text rectangle, and of a button, client coordinates.
    CPoint Center(int nItem) const;
    CPoint ButtonCenter(int nButton) const;

    void Press(CPoint pt, UINT nFlags = 0) { Mouse(WM_LBUTTONDOWN, pt, MK_LBUTTON | nFlags); }
    void Move(CPoint pt, UINT nFlags = 0) { Mouse(WM_MOUSEMOVE, pt, nFlags); }
    void Release(CPoint pt, UINT nFlags = 0) { Mouse(WM_LBUTTONUP, pt, nFlags); }
    void Click(CPoint pt, UINT nFlags = 0) { Press(pt, nFlags), Release(pt, nFlags); }
    void Mouse(UINT message, CPoint pt, UINT nFlags) { m_tabs->SendMessage(message, nFlags, MAKELPARAM(pt.x, pt.y)); }
    // "code:item" for each note, the compact form the sequence checks compare.
    std::string Notes() const;

    CTabRecorder m_recorder;
    std::unique_ptr<CCustomTabCtrl> m_tabs;
};
