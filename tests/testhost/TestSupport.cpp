#include "TestSupport.h"
#include "TestHost.h"

#include <cstdio>
#include <fstream>
#include <sstream>

// --- message recorder ----------------------------------------------------------------------------

namespace
{
bool IsNoise(UINT message)
{
    switch (message)
    {
    case WM_PAINT: case WM_NCPAINT: case WM_ERASEBKGND: case WM_PRINTCLIENT: case WM_SYNCPAINT:
    case WM_SETCURSOR: case WM_NCHITTEST: case WM_MOUSEMOVE: case WM_NCMOUSEMOVE: case WM_MOUSEHOVER:
    case WM_MOUSELEAVE: case WM_NCMOUSELEAVE: case WM_GETICON: case WM_GETTEXT: case WM_GETTEXTLENGTH:
    case WM_GETMINMAXINFO: case WM_WINDOWPOSCHANGING: case WM_WINDOWPOSCHANGED: case WM_MOVE:
    case WM_SIZE: case WM_NCCALCSIZE: case WM_NCACTIVATE: case WM_ACTIVATE: case WM_ACTIVATEAPP:
    case WM_SHOWWINDOW: case WM_CTLCOLOREDIT: case WM_CTLCOLORSTATIC: case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX: case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_NOTIFYFORMAT:
    case WM_QUERYUISTATE: case WM_CHANGEUISTATE: case WM_UPDATEUISTATE: case WM_IME_SETCONTEXT:
    case WM_IME_NOTIFY: case WM_GETOBJECT: case WM_NCCREATE: case WM_CREATE: case WM_NCDESTROY:
    case WM_DESTROY: case WM_GETFONT: case WM_SETFONT: case WM_STYLECHANGING: case WM_STYLECHANGED:
    case WM_ENTERIDLE: case WM_TIMER: case WM_PARENTNOTIFY: case WM_MOUSEACTIVATE: case WM_KILLFOCUS:
    case WM_SETFOCUS: case WM_CAPTURECHANGED: case WM_MEASUREITEM: case WM_DRAWITEM:
    case WM_DELETEITEM: case WM_COMPAREITEM: case WM_QUERYNEWPALETTE: case WM_DWMNCRENDERINGCHANGED:
        return true;
    }
    return false;
}

std::string Quote(const char* psz)
{
    if (psz == nullptr)
        return "null";
    if (psz == LPSTR_TEXTCALLBACKA)
        return "callback";
    return std::string("\"") + psz + "\"";
}

// The name of the common notification codes the library's controls send; others print as numbers.
std::string CodeName(UINT code)
{
    switch (code)
    {
    case NM_CLICK: return "NM_CLICK";
    case NM_DBLCLK: return "NM_DBLCLK";
    case NM_RCLICK: return "NM_RCLICK";
    case NM_RETURN: return "NM_RETURN";
    case NM_SETFOCUS: return "NM_SETFOCUS";
    case NM_KILLFOCUS: return "NM_KILLFOCUS";
    case NM_CUSTOMDRAW: return "NM_CUSTOMDRAW";
    case LVN_ITEMCHANGING: return "LVN_ITEMCHANGING";
    case LVN_ITEMCHANGED: return "LVN_ITEMCHANGED";
    case LVN_INSERTITEM: return "LVN_INSERTITEM";
    case LVN_DELETEITEM: return "LVN_DELETEITEM";
    case LVN_DELETEALLITEMS: return "LVN_DELETEALLITEMS";
    case LVN_BEGINLABELEDITA: return "LVN_BEGINLABELEDIT";
    case LVN_ENDLABELEDITA: return "LVN_ENDLABELEDIT";
    case LVN_COLUMNCLICK: return "LVN_COLUMNCLICK";
    case LVN_BEGINDRAG: return "LVN_BEGINDRAG";
    case LVN_KEYDOWN: return "LVN_KEYDOWN";
    case LVN_GETDISPINFOA: return "LVN_GETDISPINFO";
    case LVN_ODFINDITEMA: return "LVN_ODFINDITEM";
    case LVN_ODCACHEHINT: return "LVN_ODCACHEHINT";
    case LVN_ODSTATECHANGED: return "LVN_ODSTATECHANGED";
    case LVN_ITEMACTIVATE: return "LVN_ITEMACTIVATE";
    case HDN_ITEMCLICKA: return "HDN_ITEMCLICK";
    case HDN_ITEMCHANGINGA: return "HDN_ITEMCHANGING";
    case HDN_ITEMCHANGEDA: return "HDN_ITEMCHANGED";
    case HDN_BEGINTRACKA: return "HDN_BEGINTRACK";
    case HDN_ENDTRACKA: return "HDN_ENDTRACK";
    case HDN_TRACKA: return "HDN_TRACK";
    case HDN_ENDDRAG: return "HDN_ENDDRAG";
    case HDN_BEGINDRAG: return "HDN_BEGINDRAG";
    case HDN_FILTERCHANGE: return "HDN_FILTERCHANGE";
    case HDN_FILTERBTNCLICK: return "HDN_FILTERBTNCLICK";
    case HDN_ITEMSTATEICONCLICK: return "HDN_ITEMSTATEICONCLICK";
    case TTN_GETDISPINFOA: return "TTN_GETDISPINFO";
    case TTN_SHOW: return "TTN_SHOW";
    case TTN_POP: return "TTN_POP";
    }
    return std::to_string((int)code);
}

// Payload fields of the notifications whose layout is known from their code alone. NM_CLICK and
// its kind carry a larger record only from some senders, so nothing past the NMHDR is read.
std::string Payload(const NMHDR* pHdr)
{
    std::ostringstream out;
    switch (pHdr->code)
    {
    case LVN_ITEMCHANGING: case LVN_ITEMCHANGED: case LVN_INSERTITEM: case LVN_DELETEITEM:
    case LVN_COLUMNCLICK: case LVN_BEGINDRAG:
    {
        const NMLISTVIEW* p = reinterpret_cast<const NMLISTVIEW*>(pHdr);
        out << " item=" << p->iItem << " sub=" << p->iSubItem;
        if (pHdr->code == LVN_ITEMCHANGING || pHdr->code == LVN_ITEMCHANGED)
            out << " state=" << p->uOldState << "->" << p->uNewState;
        break;
    }
    case LVN_ITEMACTIVATE:
    {
        const NMITEMACTIVATE* p = reinterpret_cast<const NMITEMACTIVATE*>(pHdr);
        out << " item=" << p->iItem << " sub=" << p->iSubItem;
        break;
    }
    case LVN_BEGINLABELEDITA: case LVN_ENDLABELEDITA:
    {
        const NMLVDISPINFOA* p = reinterpret_cast<const NMLVDISPINFOA*>(pHdr);
        out << " item=" << p->item.iItem << " sub=" << p->item.iSubItem << " text=" << Quote(p->item.pszText);
        break;
    }
    case LVN_KEYDOWN:
        out << " key=" << reinterpret_cast<const NMLVKEYDOWN*>(pHdr)->wVKey;
        break;
    case HDN_ITEMCLICKA: case HDN_ITEMCHANGINGA: case HDN_ITEMCHANGEDA: case HDN_BEGINTRACKA:
    case HDN_ENDTRACKA: case HDN_TRACKA: case HDN_ENDDRAG: case HDN_BEGINDRAG: case HDN_FILTERCHANGE:
    case HDN_ITEMSTATEICONCLICK:
    {
        const NMHEADERA* p = reinterpret_cast<const NMHEADERA*>(pHdr);
        out << " item=" << p->iItem << " button=" << p->iButton;
        break;
    }
    case HDN_FILTERBTNCLICK:
        out << " item=" << reinterpret_cast<const NMHDFILTERBTNCLICK*>(pHdr)->iItem;
        break;
    }
    return out.str();
}

std::string Hex(UINT_PTR v)
{
    char sz[32];
    snprintf(sz, sizeof(sz), "0x%llX", (unsigned long long)v);
    return sz;
}
}  // namespace

BOOL CMessageRecorder::CreateRecorder(CWnd* pParent, const RECT& rc, UINT nID)
{
    if (pParent == nullptr)
        return CreateEx(0, nullptr, "Recorder", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, rc.left,
                        rc.top, rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr);
    return CreateEx(0, nullptr, "Recorder", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rc.left, rc.top,
                    rc.right - rc.left, rc.bottom - rc.top, pParent->GetSafeHwnd(), (HMENU)(UINT_PTR)nID);
}

bool CMessageRecorder::Record(sRecordedMsg& record, LRESULT& lResult)
{
    record.nStamp = m_nStamp;
    m_records.push_back(record);
    lResult = 0;
    return m_answer && m_answer(record, lResult);
}

LRESULT CMessageRecorder::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Notifications go through OnCommand/OnNotify, after the control's reflected handling.
    if (IsNoise(message) || message == WM_COMMAND || message == WM_NOTIFY)
        return CWnd::WindowProc(message, wParam, lParam);
    sRecordedMsg record;
    record.message = message;
    record.wParam = wParam;
    record.lParam = lParam;
    record.line = "message " + Hex(message) + " w=" + Hex(wParam) + " l=" + Hex((UINT_PTR)lParam);
    LRESULT lResult = 0;
    if (Record(record, lResult))
        return lResult;
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CMessageRecorder::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const bool bConsumed = lParam != 0 && ReflectLastMsg(reinterpret_cast<HWND>(lParam));
    if (bConsumed && !m_bRecordReflected)
        return TRUE;
    sRecordedMsg record;
    record.message = WM_COMMAND;
    record.wParam = wParam;
    record.lParam = lParam;
    record.idFrom = LOWORD(wParam);
    record.hwndFrom = reinterpret_cast<HWND>(lParam);
    record.code = HIWORD(wParam);
    record.line = lParam != 0 ? "command " + std::to_string(LOWORD(wParam)) + " code=" + std::to_string(HIWORD(wParam))
                              : "command " + std::to_string(LOWORD(wParam));
    LRESULT lResult = 0;
    return Record(record, lResult) || bConsumed ? TRUE : FALSE;
}

BOOL CMessageRecorder::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* pHdr = reinterpret_cast<const NMHDR*>(lParam);
    const bool bConsumed = ReflectLastMsg(pHdr->hwndFrom, pResult) != FALSE;
    if (bConsumed && !m_bRecordReflected)
        return TRUE;
    if (pHdr->code == (UINT)NM_CUSTOMDRAW && !m_bRecordCustomDraw)
        return bConsumed;
    sRecordedMsg record;
    record.message = WM_NOTIFY;
    record.wParam = wParam;
    record.lParam = lParam;
    record.idFrom = pHdr->idFrom;
    record.hwndFrom = pHdr->hwndFrom;
    record.code = pHdr->code;
    record.line = "notify " + std::to_string((unsigned long long)pHdr->idFrom) + " " + CodeName(pHdr->code) + Payload(pHdr);
    LRESULT lResult = 0;
    if (!Record(record, lResult))
        return bConsumed;
    *pResult = lResult;
    return TRUE;
}

std::vector<std::string> CMessageRecorder::Lines() const
{
    std::vector<std::string> lines;
    for (const sRecordedMsg& r : m_records)
        lines.push_back(r.line);
    return lines;
}

std::vector<sRecordedMsg> CMessageRecorder::Of(UINT message, int nCode) const
{
    std::vector<sRecordedMsg> found;
    for (const sRecordedMsg& r : m_records)
    {
        if (r.message == message && (nCode == -1 || (message != WM_NOTIFY && message != WM_COMMAND) || r.code == (UINT)nCode))
            found.push_back(r);
    }
    return found;
}

::testing::AssertionResult SameSequence(const std::vector<std::string>& actual, const std::vector<std::string>& expected)
{
    if (actual == expected)
        return ::testing::AssertionSuccess();
    std::ostringstream out;
    out << "sequences differ\n";
    size_t n = actual.size() > expected.size() ? actual.size() : expected.size();
    bool bMarked = false;
    for (size_t i = 0; i < n; ++i)
    {
        const std::string& e = i < expected.size() ? expected[i] : "<nothing>";
        const std::string& a = i < actual.size() ? actual[i] : "<nothing>";
        bool bDiffers = e != a;
        out << (bDiffers && !bMarked ? " >> " : "    ") << i << ": expected " << e;
        if (bDiffers)
            out << "\n" << (bMarked ? "    " : " >> ") << i << ":   actual " << a;
        out << "\n";
        bMarked = bMarked || bDiffers;
    }
    return ::testing::AssertionFailure() << out.str();
}

// --- clipboard -----------------------------------------------------------------------------------

namespace TestClipboard
{
bool SetText(const std::string& bytes)
{
    if (!::OpenClipboard(nullptr))
        return false;
    ::EmptyClipboard();
    HGLOBAL hMem = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
    bool bOk = false;
    if (hMem != nullptr)
    {
        char* p = static_cast<char*>(::GlobalLock(hMem));
        memcpy(p, bytes.data(), bytes.size());
        p[bytes.size()] = '\0';
        ::GlobalUnlock(hMem);
        bOk = ::SetClipboardData(CF_TEXT, hMem) != nullptr;
        if (!bOk)
            ::GlobalFree(hMem);
    }
    ::CloseClipboard();
    return bOk;
}

bool Empty()
{
    if (!::OpenClipboard(nullptr))
        return false;
    BOOL bOk = ::EmptyClipboard();
    ::CloseClipboard();
    return bOk != FALSE;
}

std::string Text()
{
    if (!::OpenClipboard(nullptr))
        return "<closed>";
    std::string text = "<none>";
    if (HANDLE h = ::GetClipboardData(CF_TEXT))
    {
        const char* p = static_cast<const char*>(::GlobalLock(h));
        text = p != nullptr ? p : "";
        ::GlobalUnlock(h);
    }
    ::CloseClipboard();
    return text;
}
}  // namespace TestClipboard

// --- settings ------------------------------------------------------------------------------------

namespace TestSettings
{
std::string Get(const char* pszSection, const char* pszKey)
{
    auto it = TestHost::Settings().find({ pszSection, pszKey });
    return it == TestHost::Settings().end() ? "<none>" : it->second;
}

void Put(const char* pszSection, const char* pszKey, const std::string& value)
{
    TestHost::Settings()[{ pszSection, pszKey }] = value;
}

std::string TempFile(const char* pszName)
{
    char szDir[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, szDir);
    std::string path = std::string(szDir) + "ControlsTest_" + std::to_string(::GetCurrentProcessId()) + "_" + pszName;
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(path.c_str());
    return path;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return "<missing>";
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}
}  // namespace TestSettings

// --- input -------------------------------------------------------------------------------------

namespace TestInput
{
void Mouse(DWORD dwFlags, CPoint ptScreen)
{
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    INPUT in = {};
    in.type = INPUT_MOUSE;
    const int cx = ::GetSystemMetrics(SM_CXSCREEN);
    const int cy = ::GetSystemMetrics(SM_CYSCREEN);
    in.mi.dx = (LONG)(((LONGLONG)ptScreen.x * 65536 + cx / 2) / cx);
    in.mi.dy = (LONG)(((LONGLONG)ptScreen.y * 65536 + cy / 2) / cy);
    in.mi.dwFlags = dwFlags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &in, sizeof(INPUT));
    AfxPumpPendingMessages();
}
}  // namespace TestInput

// --- leak counters -------------------------------------------------------------------------------

namespace TestLeaks
{
int GdiObjects()
{
    if (DWORD n = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS))
        return (int)n;
    // Wine keeps GDI handles in one table and accepts a handle's 16-bit index alone.
    int nCount = 0;
    for (UINT_PTR i = 1; i < 0x10000; ++i)
    {
        if (::GetObjectType(reinterpret_cast<HGDIOBJ>(i)) != 0)
            ++nCount;
    }
    return nCount;
}

namespace
{
BOOL CALLBACK CountChild(HWND, LPARAM lParam)
{
    ++*reinterpret_cast<int*>(lParam);
    return TRUE;
}

BOOL CALLBACK CountTop(HWND hWnd, LPARAM lParam)
{
    ++*reinterpret_cast<int*>(lParam);
    ::EnumChildWindows(hWnd, CountChild, lParam);
    return TRUE;
}
}  // namespace

int Windows()
{
    int nCount = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), CountTop, reinterpret_cast<LPARAM>(&nCount));
    return nCount;
}
}  // namespace TestLeaks
