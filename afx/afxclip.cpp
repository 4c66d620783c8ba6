// The clipboard's text (CF_TEXT), read and written with the clipboard held open only for the call.
#include "afxwin.h"

namespace
{
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
}  // namespace

BOOL AfxGetClipboardText(HWND hOwner, CString& rText)
{
    rText.Empty();
    CClipboardScope clipboard(hOwner);
    if (!clipboard.IsOpen() || !::IsClipboardFormatAvailable(CF_TEXT))
        return FALSE;
    HGLOBAL hMem = ::GetClipboardData(CF_TEXT);
    if (hMem == nullptr)
        return FALSE;
    const char* p = static_cast<const char*>(::GlobalLock(hMem));
    if (p == nullptr)
        return FALSE;
    // The block may be larger than the text, and a foreign writer may have left no terminator.
    size_t nMax = ::GlobalSize(hMem);
    size_t n = 0;
    while (n < nMax && p[n] != '\0')
        ++n;
    rText = CString(p, (int)n);
    ::GlobalUnlock(hMem);
    return TRUE;
}

BOOL AfxSetClipboardText(HWND hOwner, LPCTSTR lpszText)
{
    if (lpszText == nullptr)
        lpszText = "";
    CClipboardScope clipboard(hOwner);
    if (!clipboard.IsOpen())
        return FALSE;
    ::EmptyClipboard();
    size_t nBytes = strlen(lpszText) + 1;
    HGLOBAL hMem = ::GlobalAlloc(GMEM_MOVEABLE, nBytes);
    if (hMem == nullptr)
        return FALSE;
    void* pMem = ::GlobalLock(hMem);
    if (pMem == nullptr)
    {
        ::GlobalFree(hMem);
        return FALSE;
    }
    memcpy(pMem, lpszText, nBytes);
    ::GlobalUnlock(hMem);
    if (::SetClipboardData(CF_TEXT, hMem) == nullptr)
    {
        ::GlobalFree(hMem);
        return FALSE;
    }
    return TRUE;   // the clipboard owns the block now
}
