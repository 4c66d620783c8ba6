// Shared fixture of the edit-box tests: a parent window that records the EN_UPDATE notifications
// it receives, a thread hook that records every EM_SHOWBALLOONTIP sent on the thread (title,
// text, icon), and helpers that type into a box and fill the real clipboard.
#pragma once

#include "TestHost.h"
#include "TestSupport.h"

#include <string>
#include <vector>

struct sBalloon
{
    HWND hWnd;
    std::wstring title;
    std::wstring text;
    int icon;
};

enum { IDC_BOX = 1001, IDC_PLAIN = 1002 };

class EditorTest : public HostTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the box's edit control as a child of the recording parent.
    void CreateBox(CEdit& box, DWORD dwStyle = 0, UINT nID = IDC_BOX);
    CString Text(const CWnd& box) const;
    // Sends WM_CHAR for each character (bytes as typed, 128 and above included).
    void Type(CWnd& box, const char* pszKeys);
    // Puts an empty selection at nPos.
    void Caret(CEdit& box, int nPos) { box.SetSel(nPos, nPos); }
    std::pair<int, int> Selection(const CEdit& box) const;
    // Places text on the real clipboard as CF_TEXT; nullptr empties the clipboard.
    void SetClipboard(const char* pszText)
    {
        ASSERT_TRUE(pszText != nullptr ? TestClipboard::SetText(pszText) : TestClipboard::Empty());
    }
    // EN_UPDATE notifications of the box that reached the parent.
    size_t Updates() const { return m_parent.Count(WM_COMMAND, EN_UPDATE); }
    size_t Beeps() const { return m_script.Count("beep"); }

public:
    static std::vector<sBalloon>& Balloons();

protected:
    // Parent of the boxes under test: records the notifications that reach it.
    CMessageRecorder m_parent;

private:
    HHOOK m_hHook = nullptr;
};
