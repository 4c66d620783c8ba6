// Refusal reports and clipboard reading of the edit boxes.
#include "EditReport.h"

namespace
{
// Holds the clipboard open for one scope.
class CClipboardScope
{
public:
    explicit CClipboardScope(HWND hOwner) : m_bOpen(::OpenClipboard(hOwner) != FALSE) {}
    ~CClipboardScope()
    {
        if (m_bOpen)
            ::CloseClipboard();
    }
    CClipboardScope(const CClipboardScope&) = delete;
    CClipboardScope& operator=(const CClipboardScope&) = delete;
    bool IsOpen() const { return m_bOpen; }
private:
    bool m_bOpen;
};

// Locks a global memory block for one scope.
class CGlobalLock
{
public:
    explicit CGlobalLock(HGLOBAL hMem) : m_hMem(hMem), m_p(hMem ? ::GlobalLock(hMem) : nullptr) {}
    ~CGlobalLock()
    {
        if (m_p != nullptr)
            ::GlobalUnlock(m_hMem);
    }
    CGlobalLock(const CGlobalLock&) = delete;
    CGlobalLock& operator=(const CGlobalLock&) = delete;
    const void* Get() const { return m_p; }
    SIZE_T Size() const { return m_p ? ::GlobalSize(m_hMem) : 0; }
private:
    HGLOBAL m_hMem;
    void* m_p;
};
}  // namespace

void ReportInputError(CEdit* pEdit, LPCWSTR lpszTitle, LPCWSTR lpszText)
{
    pEdit->ShowBalloonTip(lpszTitle, lpszText, TTI_ERROR);
    AfxMessageBeep(MB_ICONEXCLAMATION);
}

CString GetClipboardText(CWnd* pOwner)
{
    CClipboardScope clipboard(pOwner->GetSafeHwnd());
    if (!clipboard.IsOpen())
        return CString();
    CGlobalLock data(::GetClipboardData(CF_TEXT));
    const char* p = static_cast<const char*>(data.Get());
    if (p == nullptr)
        return CString();
    // The block may lack its terminator; never read past it.
    const SIZE_T nSize = data.Size();
    SIZE_T n = 0;
    while (n < nSize && p[n] != '\0')
        n++;
    return CString(p, (int)n);
}
