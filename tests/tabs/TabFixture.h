// Shared set-up of the tab strip tests: a recording parent that keeps every notification the
// strip sends (and can answer them or act on them), real mouse messages, and counters of GDI
// objects and windows for the leak checks.
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

struct sTabNote
{
    int code;
    int nItem;
    std::string text;
    LPARAM lParam;
    CRect rect;
    CPoint pt;
    BOOL fSelected;
    BOOL fHighlighted;
};

// "code:item" for each note, the compact form the sequence checks compare.
std::string NoteText(const std::vector<sTabNote>& notes);

class CTabRecorder : public CWnd
{
public:
    std::vector<sTabNote> m_notes;
    LRESULT m_lLabelResult = 0;                          // the answer to a rename notification
    std::function<void(const sTabNote&)> m_onNote;       // called after recording
    std::deque<std::function<void()>> m_steps;           // run one per posted WM_APP

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

    // A strip in the recording parent; the previous one is destroyed.
    void Create(DWORD dwStyle, const CRect& rect = CRect(0, 0, 400, 20));
    void AddTabs(const std::vector<std::string>& texts);
    void AddTabs(int nCount, const char* pszPrefix = "Tab");
    std::vector<std::string> Texts() const;
    // The middle of a tab's text rectangle, client coordinates.
    CPoint Center(int nItem) const;
    CPoint ButtonCenter(int nButton) const;

    void Press(CPoint pt, UINT nFlags = 0);
    void Move(CPoint pt, UINT nFlags = 0);
    void Release(CPoint pt, UINT nFlags = 0);
    void Click(CPoint pt, UINT nFlags = 0);
    std::string Notes() const { return NoteText(m_recorder.m_notes); }

    CTabRecorder m_recorder;
    std::unique_ptr<CCustomTabCtrl> m_tabs;
};

// The shared leak counters under the names these tests use.
inline int GdiObjectCount() { return TestLeaks::GdiObjects(); }
inline int ThreadWindowCount() { return TestLeaks::Windows(); }
