// Shared test support: a window that records the messages it receives and can answer them, the
// real clipboard as text, the test host's settings, and leak counters. Every test program links it.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// One message as the recorder received it. For WM_NOTIFY, idFrom and code come from the NMHDR;
// for WM_COMMAND, idFrom is the control id and code the notification code.
struct sRecordedMsg
{
    UINT message = 0;
    UINT_PTR idFrom = 0;
    HWND hwndFrom = nullptr;   // WM_NOTIFY's sender, WM_COMMAND's control
    UINT code = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    int nStamp = 0;     // the recorder's m_nStamp when the message came
    std::string line;   // readable form with the payload fields, as Lines() gives it
};

// A window that records what reaches it and leaves out paint, cursor, mouse-move and activation
// noise. Notifications (WM_NOTIFY, WM_COMMAND from controls) are recorded only when the control did
// not consume them through its own reflected handling, as a real parent would see them, with the
// payload fields a test is likely to check (item, subitem, text, state). The answer function may
// reply to a message (veto a label edit, return a custom-draw result); when it returns true its
// result is the reply.
class CMessageRecorder : public CWnd
{
public:
    // A visible top-level window, or a child of pParent.
    BOOL CreateRecorder(CWnd* pParent = nullptr, const RECT& rc = CRect(0, 0, 640, 480), UINT nID = 0);

    std::vector<sRecordedMsg> m_records;
    std::function<bool(const sRecordedMsg&, LRESULT&)> m_answer;
    // Also record custom-draw notifications (left out by default: they come with every paint).
    bool m_bRecordCustomDraw = false;
    // Also record notifications the sending control consumed through its reflected handling.
    bool m_bRecordReflected = false;
    // Copied into each record: a test sets it to tell its steps apart (a tick number, a phase).
    int m_nStamp = 0;

    void Clear() { m_records.clear(); }
    std::vector<std::string> Lines() const;
    // The records of one message (and, for WM_NOTIFY and WM_COMMAND, one code when given).
    std::vector<sRecordedMsg> Of(UINT message, int nCode = -1) const;
    size_t Count(UINT message, int nCode = -1) const { return Of(message, nCode).size(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    bool Record(sRecordedMsg& record, LRESULT& lResult);
};

// Compares whole sequences; on mismatch the report shows both, line by line, with the first
// difference marked. Use: EXPECT_TRUE(SameSequence(recorder.Lines(), { "...", "..." })).
::testing::AssertionResult SameSequence(const std::vector<std::string>& actual,
                                        const std::vector<std::string>& expected);

// The real clipboard, as CF_TEXT.
namespace TestClipboard
{
// Puts the bytes on the clipboard (embedded NULs kept, a terminating NUL added).
bool SetText(const std::string& bytes);
// Empties the clipboard (no text format at all).
bool Empty();
// The text on the clipboard; "<none>" without text, "<closed>" when it cannot be opened.
std::string Text();
}  // namespace TestClipboard

// The test host's UserSetting store.
namespace TestSettings
{
// The stored value, or "<none>".
std::string Get(const char* pszSection, const char* pszKey);
void Put(const char* pszSection, const char* pszKey, const std::string& value);
// A fresh file path in the temporary folder (the file does not exist).
std::string TempFile(const char* pszName);
// The whole file, bytes as stored; "<missing>" when there is none.
std::string ReadFile(const std::string& path);
}  // namespace TestSettings

// The real mouse, as a user moves it: SendInput at a screen point (moved there first), then the
// pending messages pumped.
namespace TestInput
{
// dwFlags: 0 for a move, or MOUSEEVENTF_LEFTDOWN, _LEFTUP, _RIGHTDOWN, _RIGHTUP.
void Mouse(DWORD dwFlags, CPoint ptScreen);
}  // namespace TestInput

// Process-wide counts for leak checks (GetGuiResources reads 0 under Wine).
namespace TestLeaks
{
// GDI objects alive in this process, found by asking GetObjectType over the handle range.
int GdiObjects();
// Top-level windows of this thread and all their descendants.
int Windows();
}  // namespace TestLeaks
