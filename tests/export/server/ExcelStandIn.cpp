// A stand-in for the spreadsheet application's automation server, for the tests and the demo: an
// in-process COM server registered under the ProgID "Excel.Application". It answers the
// members the list export calls, by dispatch id, keeps an object model just deep enough
// (application, workbooks, workbook, sheets, sheet, range), records every call with its
// arguments as one line of text, and fails on demand.
//
// Control functions for the test that loaded the same DLL: StandInReset, StandInLog,
// StandInSetVersion, StandInFailOn, StandInFailCreate.
#include <windows.h>
#include <ole2.h>
#include <oleauto.h>

#include <atomic>
#include <string>
#include <vector>

namespace
{
// {6F3A2C10-8E4B-4D55-9A7C-2B1E0F9D4C31}
const CLSID CLSID_StandIn = { 0x6f3a2c10, 0x8e4b, 0x4d55, { 0x9a, 0x7c, 0x2b, 0x1e, 0x0f, 0x9d, 0x4c, 0x31 } };
const char kClsid[] = "{6F3A2C10-8E4B-4D55-9A7C-2B1E0F9D4C31}";

HMODULE g_hModule = nullptr;
std::atomic<long> g_nObjects{ 0 };
std::vector<std::string> g_log;
std::string g_logText, g_version = "11.0";
std::vector<std::string> g_sheetNames;
HRESULT g_hrCreate = S_OK;

struct sFailure
{
    bool bActive = false;
    DISPID dispid = 0;       // DISPID_UNKNOWN: every call
    HRESULT hr = S_OK;       // returned as it is without a description
    WORD wCode = 0;          // with one, a dispatch exception
    std::wstring description;
    bool bDispatch = false;
};
sFailure g_failure;

enum eMember
{
    VALUE = 6, NAME = 110, ITEM = 170, ADD = 181, NUMBERFORMAT = 193, RANGE_ = 197, RESIZE = 256, SAVE = 283,
    SAVEAS = 284, SAVED = 298, DISPLAYALERTS = 343, VERSION = 392, SHEETS_ = 485, VISIBLE = 558, WORKBOOKS = 572,
    OPEN = 682, USERCONTROL = 1210
};
const struct { DISPID id; const char* name; } kMembers[] = {
    { VALUE, "Value" }, { NAME, "Name" }, { ITEM, "Item" }, { ADD, "Add" }, { NUMBERFORMAT, "NumberFormat" },
    { RANGE_, "Range" }, { RESIZE, "Resize" }, { SAVE, "Save" }, { SAVEAS, "SaveAs" }, { SAVED, "Saved" },
    { DISPLAYALERTS, "DisplayAlerts" }, { VERSION, "Version" }, { SHEETS_, "Sheets" }, { VISIBLE, "Visible" },
    { WORKBOOKS, "Workbooks" }, { OPEN, "Open" }, { USERCONTROL, "UserControl" },
};

std::string Narrow(BSTR b)
{
    const int n = b ? WideCharToMultiByte(CP_ACP, 0, b, (int)SysStringLen(b), nullptr, 0, nullptr, nullptr) : 0;
    std::string s((size_t)n, '\0');
    if (n > 0)
        WideCharToMultiByte(CP_ACP, 0, b, (int)SysStringLen(b), &s[0], n, nullptr, nullptr);
    return s;
}

std::wstring Wide(const std::string& s)
{
    const int n = MultiByteToWideChar(CP_ACP, 0, s.c_str(), (int)s.size(), nullptr, 0);
    std::wstring w((size_t)n, L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_ACP, 0, s.c_str(), (int)s.size(), &w[0], n);
    return w;
}

const VARIANT& Deref(const VARIANT& v)
{
    return v.vt == (VT_VARIANT | VT_BYREF) && v.pvarVal ? *v.pvarVal : v;
}

bool IsMissing(const VARIANT& v)
{
    return Deref(v).vt == VT_ERROR && Deref(v).scode == DISP_E_PARAMNOTFOUND;
}

// The value as text: "?" for a missing argument, "<vtN>" for one that has no text form.
std::string Text(const VARIANT& src)
{
    const VARIANT& v = Deref(src);
    if (IsMissing(v) || v.vt == VT_EMPTY)
        return v.vt == VT_EMPTY ? "" : "?";
    VARIANT t;
    VariantInit(&t);
    std::string s = "<vt" + std::to_string(v.vt) + ">";
    if (SUCCEEDED(VariantChangeType(&t, const_cast<VARIANT*>(&v), VARIANT_ALPHABOOL, VT_BSTR)))
        s = Narrow(t.bstrVal);
    VariantClear(&t);
    return s;
}

long Number(const VARIANT& src)
{
    VARIANT t;
    VariantInit(&t);
    return SUCCEEDED(VariantChangeType(&t, const_cast<VARIANT*>(&Deref(src)), 0, VT_I4)) ? t.lVal : 0;
}

// "array RxC vt=[..] first=[..] last=[..]": the size, the variant types of the first row and the
// texts of the first and last rows.
std::string DescribeArray(SAFEARRAY* p)
{
    if (p == nullptr || SafeArrayGetDim(p) != 2)
        return "array?";
    LONG r0, r1, c0, c1;
    SafeArrayGetLBound(p, 1, &r0);
    SafeArrayGetUBound(p, 1, &r1);
    SafeArrayGetLBound(p, 2, &c0);
    SafeArrayGetUBound(p, 2, &c1);
    auto row = [&](LONG r, bool bTypes) {
        std::string out = "[";
        for (LONG c = c0; c <= c1; ++c)
        {
            LONG index[2] = { r, c };
            VARIANT v;
            VariantInit(&v);
            SafeArrayGetElement(p, index, &v);
            out += (c > c0 ? "|" : "") + (bTypes ? std::to_string(v.vt) : Text(v));
            VariantClear(&v);
        }
        return out + "]";
    };
    return "array " + std::to_string(r1 - r0 + 1) + "x" + std::to_string(c1 - c0 + 1) + " vt=" + row(r0, true) +
           " first=" + row(r0, false) + " last=" + row(r1, false);
}

enum eKind { APP, BOOKS, BOOK, SHEETS, SHEET, RANGE };

class CObject : public IDispatch
{
public:
    CObject(eKind kind, std::string label, int nSheet = 0) : m_kind(kind), m_label(std::move(label)), m_nSheet(nSheet)
    {
        ++g_nObjects;
    }
    virtual ~CObject() { --g_nObjects; }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        const bool bOurs = riid == IID_IUnknown || riid == IID_IDispatch;
        *ppv = bOurs ? static_cast<IDispatch*>(this) : nullptr;
        return bOurs ? (AddRef(), S_OK) : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return (ULONG)++m_nRef; }
    STDMETHODIMP_(ULONG) Release() override
    {
        const long n = --m_nRef;
        if (n == 0)
            delete this;
        return (ULONG)n;
    }
    STDMETHODIMP GetTypeInfoCount(UINT* pn) override { return *pn = 0, S_OK; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT n, LCID, DISPID* ids) override
    {
        HRESULT hr = S_OK;
        for (UINT i = 0; i < n; ++i)
        {
            ids[i] = DISPID_UNKNOWN;
            for (const auto& m : kMembers)
                if (lstrcmpiA(m.name, Narrow(names[i]).c_str()) == 0)
                    ids[i] = m.id;
            hr = ids[i] == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : hr;
        }
        return hr;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* info,
                        UINT*) override;

private:
    std::atomic<long> m_nRef{ 1 };
    eKind m_kind;
    std::string m_label;
    int m_nSheet;
};

// The call as one line: "Object.Member=value" for a put, "Object.Member(a,b,N missing)" else.
std::string Describe(const std::string& object, DISPID id, bool bPut, const std::vector<VARIANT>& args)
{
    std::string line = object + ".#" + std::to_string(id);
    for (const auto& m : kMembers)
        if (m.id == id)
            line = object + "." + m.name;
    if (bPut)
    {
        const VARIANT& v = args.empty() ? VARIANT{} : args.back();
        return line + "=" + ((v.vt & VT_ARRAY) ? DescribeArray(v.parray) : Text(v));
    }
    if (args.empty())
        return line;
    std::string list;
    size_t nMissing = 0;
    for (const VARIANT& v : args)
        IsMissing(v) ? (void)++nMissing : (void)(list += (list.empty() ? "" : ",") + Text(v));
    if (nMissing > 0)
        list += (list.empty() ? "" : ",") + std::to_string(nMissing) + " missing";
    return line + "(" + list + ")";
}

STDMETHODIMP CObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                             EXCEPINFO* info, UINT*)
{
    std::vector<VARIANT> args;   // in written order
    for (UINT i = params ? params->cArgs : 0; i > 0; --i)
        args.push_back(Deref(params->rgvarg[i - 1]));
    const bool bPut = (flags & DISPATCH_PROPERTYPUT) != 0;
    g_log.push_back(Describe(m_kind == SHEET ? "Sheet(" + g_sheetNames[(size_t)m_nSheet] + ")" : m_label, id, bPut, args));

    if (g_failure.bActive && (g_failure.dispid == DISPID_UNKNOWN || g_failure.dispid == id))
    {
        if (!g_failure.bDispatch)
            return g_failure.hr;
        if (info != nullptr)
        {
            *info = EXCEPINFO{};
            info->wCode = g_failure.wCode;
            info->bstrSource = SysAllocString(L"Microsoft Excel");
            info->bstrDescription = SysAllocString(g_failure.description.c_str());
        }
        return DISP_E_EXCEPTION;
    }
    // The answer: a new object, a text, or nothing; calls not answered here are not members.
    CObject* pObject = nullptr;
    std::string text;
    bool bText = false, bDone = true;
    const std::string a0 = args.size() > 0 ? Text(args[0]) : "", a1 = args.size() > 1 ? Text(args[1]) : "";
    switch (m_kind * 10000 + id)
    {
    case APP * 10000 + WORKBOOKS: pObject = new CObject(BOOKS, "Workbooks"); break;
    case APP * 10000 + VERSION: text = g_version, bText = true; break;
    case APP * 10000 + VISIBLE: case APP * 10000 + DISPLAYALERTS: case APP * 10000 + USERCONTROL: break;
    case BOOK * 10000 + SHEETS_: pObject = new CObject(SHEETS, "Sheets"); break;
    case BOOK * 10000 + SAVE: case BOOK * 10000 + SAVED: case SHEET * 10000 + SAVEAS: break;
    case RANGE * 10000 + NUMBERFORMAT: case RANGE * 10000 + VALUE: break;
    case BOOKS * 10000 + OPEN:
    {
        // A workbook opened from a file has one sheet named after the file.
        const std::string title = a0.substr(a0.find_last_of("\\/") == std::string::npos ? 0 : a0.find_last_of("\\/") + 1);
        if ((bDone = !args.empty()))
            g_sheetNames.assign(1, title.substr(0, title.rfind('.'))), pObject = new CObject(BOOK, "Workbook");
        break;
    }
    case SHEETS * 10000 + ITEM:
    {
        const long n = args.size() == 1 ? Number(args[0]) : 0;
        if (args.size() == 1 && (n < 1 || (size_t)n > g_sheetNames.size()))
            return DISP_E_BADINDEX;
        bDone = args.size() == 1;
        pObject = bDone ? new CObject(SHEET, "", (int)n - 1) : nullptr;
        break;
    }
    case SHEETS * 10000 + ADD:
        g_sheetNames.push_back("Sheet" + std::to_string(g_sheetNames.size() + 1));
        pObject = new CObject(SHEET, "", (int)g_sheetNames.size() - 1);
        break;
    case SHEET * 10000 + NAME:
        if (bPut)
            g_sheetNames[(size_t)m_nSheet] = Text(args.back());
        text = g_sheetNames[(size_t)m_nSheet], bText = !bPut;
        break;
    case SHEET * 10000 + RANGE_:
        bDone = args.size() == 2;
        pObject = bDone ? new CObject(RANGE, "Range(" + (a0 == a1 ? a0 : a0 + ":" + a1) + ")") : nullptr;
        break;
    case RANGE * 10000 + RESIZE:
        bDone = args.size() == 2;
        pObject = bDone ? new CObject(RANGE, m_label.substr(0, m_label.size() - 1) + "[" +
                                                 std::to_string(Number(args[0])) + "x" +
                                                 std::to_string(Number(args[1])) + "])")
                        : nullptr;
        break;
    default: bDone = false;
    }
    if (!bDone)
        return DISP_E_MEMBERNOTFOUND;
    if (pObject != nullptr && result == nullptr)
        pObject->Release();
    else if (pObject != nullptr)
        result->vt = VT_DISPATCH, result->pdispVal = pObject;
    else if (bText && result != nullptr)
        result->vt = VT_BSTR, result->bstrVal = SysAllocStringLen(Wide(text).c_str(), (UINT)Wide(text).size());
    return S_OK;
}

class CFactory : public IClassFactory
{
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        const bool bOurs = riid == IID_IUnknown || riid == IID_IClassFactory;
        *ppv = bOurs ? static_cast<IClassFactory*>(this) : nullptr;
        return bOurs ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* pOuter, REFIID riid, void** ppv) override
    {
        *ppv = nullptr;
        if (pOuter != nullptr)
            return CLASS_E_NOAGGREGATION;
        g_log.push_back("create");
        if (FAILED(g_hrCreate))
            return g_hrCreate;
        CObject* p = new CObject(APP, "App");
        const HRESULT hr = p->QueryInterface(riid, ppv);
        p->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};
CFactory g_factory;
}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        g_hModule = hInstance;
    return TRUE;
}

__declspec(dllexport) HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv)
{
    return clsid != CLSID_StandIn ? CLASS_E_CLASSNOTAVAILABLE : g_factory.QueryInterface(riid, ppv);
}

// Stays loaded: the test holds the same module to read the record.
__declspec(dllexport) HRESULT WINAPI DllCanUnloadNow()
{
    return S_FALSE;
}

// Registration under HKEY_CLASSES_ROOT, as regsvr32 does (Wine 8 does not merge the per-user
// classes of HKCU\Software\Classes into it).
__declspec(dllexport) HRESULT WINAPI DllRegisterServer()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(g_hModule, path, sizeof(path));
    const std::string clsid = std::string("CLSID\\") + kClsid;
    const struct { std::string key; const char *value, *name; } values[] = {
        { "Excel.Application", "Microsoft Excel Application (stand-in)", nullptr },
        { "Excel.Application\\CLSID", kClsid, nullptr },
        { clsid, "Microsoft Excel Application (stand-in)", nullptr },
        { clsid + "\\ProgID", "Excel.Application", nullptr },
        { clsid + "\\InprocServer32", path, nullptr },
        { clsid + "\\InprocServer32", "Apartment", "ThreadingModel" },
    };
    for (const auto& v : values)
        if (RegSetKeyValueA(HKEY_CLASSES_ROOT, v.key.c_str(), v.name, REG_SZ, v.value, (DWORD)lstrlenA(v.value) + 1) !=
            ERROR_SUCCESS)
            return E_FAIL;
    return S_OK;
}

__declspec(dllexport) HRESULT WINAPI DllUnregisterServer()
{
    for (const std::string& key : { std::string("Excel.Application"), std::string("CLSID\\") + kClsid })
    {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, key.c_str());
        RegDeleteKeyA(HKEY_CLASSES_ROOT, key.c_str());
    }
    return S_OK;
}

__declspec(dllexport) void StandInReset()
{
    g_log.clear();
    g_version = "11.0";
    g_failure = sFailure{};
    g_hrCreate = S_OK;
}

// Every call since the last reset, one per line.
__declspec(dllexport) const char* StandInLog()
{
    g_logText.clear();
    for (const std::string& s : g_log)
        g_logText += s + "\n";
    return g_logText.c_str();
}

__declspec(dllexport) long StandInObjectCount()
{
    return g_nObjects;
}

__declspec(dllexport) void StandInSetVersion(const char* pszVersion)
{
    g_version = pszVersion ? pszVersion : "";
}

// From now on, calls of dispid (DISPID_UNKNOWN: of every member) fail: with a dispatch exception
// of wCode and the description when pszDescription is given, else with the status hr.
__declspec(dllexport) void StandInFailOn(DISPID dispid, HRESULT hr, WORD wCode, const char* pszDescription)
{
    g_failure = { true, dispid, hr, wCode, Wide(pszDescription ? pszDescription : ""), pszDescription != nullptr };
}

__declspec(dllexport) void StandInFailCreate(HRESULT hr)
{
    g_hrCreate = hr;
}
}
