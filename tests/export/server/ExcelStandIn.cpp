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
#include <cstdio>
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
std::string g_logText;
std::string g_version = "11.0";
std::vector<std::string> g_sheetNames;
HRESULT g_hrCreate = S_OK;

struct sFailure
{
    DISPID dispid = 0;      // DISPID_UNKNOWN: every call
    bool bActive = false;
    bool bDispatch = false; // DISP_E_EXCEPTION with code and description, else the status itself
    HRESULT hr = S_OK;
    WORD wCode = 0;
    std::wstring description;
};
sFailure g_failure;

struct sMember
{
    DISPID id;
    const char* name;
};
const sMember kMembers[] = {
    { 6, "Value" }, { 110, "Name" }, { 170, "Item" }, { 181, "Add" }, { 193, "NumberFormat" },
    { 197, "Range" }, { 256, "Resize" }, { 283, "Save" }, { 284, "SaveAs" }, { 298, "Saved" },
    { 343, "DisplayAlerts" }, { 392, "Version" }, { 485, "Sheets" }, { 558, "Visible" },
    { 572, "Workbooks" }, { 682, "Open" }, { 1210, "UserControl" },
};

const char* MemberName(DISPID id)
{
    for (const sMember& m : kMembers)
        if (m.id == id)
            return m.name;
    return nullptr;
}

std::string Narrow(BSTR b)
{
    if (b == nullptr)
        return std::string();
    int n = WideCharToMultiByte(CP_ACP, 0, b, (int)SysStringLen(b), nullptr, 0, nullptr, nullptr);
    std::string s((size_t)n, '\0');
    WideCharToMultiByte(CP_ACP, 0, b, (int)SysStringLen(b), &s[0], n, nullptr, nullptr);
    return s;
}

const VARIANT& Deref(const VARIANT& v)
{
    return v.vt == (VT_VARIANT | VT_BYREF) && v.pvarVal ? *v.pvarVal : v;
}

bool IsMissing(const VARIANT& v)
{
    const VARIANT& d = Deref(v);
    return d.vt == VT_ERROR && d.scode == DISP_E_PARAMNOTFOUND;
}

std::string Text(const VARIANT& src)
{
    const VARIANT& v = Deref(src);
    if (IsMissing(v))
        return "?";
    if (v.vt == VT_EMPTY)
        return "";
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
    long n = 0;
    if (SUCCEEDED(VariantChangeType(&t, const_cast<VARIANT*>(&Deref(src)), 0, VT_I4)))
        n = t.lVal;
    return n;
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
    std::string s = "array " + std::to_string(r1 - r0 + 1) + "x" + std::to_string(c1 - c0 + 1);
    auto row = [&](LONG r, bool bTypes) {
        std::string out = "[";
        for (LONG c = c0; c <= c1; ++c)
        {
            LONG index[2] = { r, c };
            VARIANT v;
            VariantInit(&v);
            SafeArrayGetElement(p, index, &v);
            if (c > c0)
                out += "|";
            out += bTypes ? std::to_string(v.vt) : Text(v);
            VariantClear(&v);
        }
        return out + "]";
    };
    return s + " vt=" + row(r0, true) + " first=" + row(r0, false) + " last=" + row(r1, false);
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
        if (riid == IID_IUnknown || riid == IID_IDispatch)
        {
            *ppv = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return (ULONG)++m_nRef; }
    STDMETHODIMP_(ULONG) Release() override
    {
        long n = --m_nRef;
        if (n == 0)
            delete this;
        return (ULONG)n;
    }
    STDMETHODIMP GetTypeInfoCount(UINT* pn) override
    {
        *pn = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT n, LCID, DISPID* ids) override
    {
        HRESULT hr = S_OK;
        for (UINT i = 0; i < n; ++i)
        {
            ids[i] = DISPID_UNKNOWN;
            std::string name = Narrow(names[i]);
            for (const sMember& m : kMembers)
                if (lstrcmpiA(m.name, name.c_str()) == 0)
                    ids[i] = m.id;
            if (ids[i] == DISPID_UNKNOWN)
                hr = DISP_E_UNKNOWNNAME;
        }
        return hr;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* info,
                        UINT*) override;

private:
    std::string Label() const
    {
        if (m_kind == SHEET)
            return "Sheet(" + g_sheetNames[(size_t)m_nSheet] + ")";
        return m_label;
    }
    static void Return(VARIANT* result, IDispatch* p)
    {
        if (result != nullptr)
        {
            result->vt = VT_DISPATCH;
            result->pdispVal = p;
        }
        else
        {
            p->Release();
        }
    }
    static void Return(VARIANT* result, const std::string& s)
    {
        if (result == nullptr)
            return;
        int n = MultiByteToWideChar(CP_ACP, 0, s.c_str(), (int)s.size(), nullptr, 0);
        result->vt = VT_BSTR;
        result->bstrVal = SysAllocStringLen(nullptr, (UINT)n);
        MultiByteToWideChar(CP_ACP, 0, s.c_str(), (int)s.size(), result->bstrVal, n);
    }

    std::atomic<long> m_nRef{ 1 };
    eKind m_kind;
    std::string m_label;
    int m_nSheet;
};

STDMETHODIMP CObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                             EXCEPINFO* info, UINT*)
{
    const char* name = MemberName(id);
    std::vector<VARIANT> args;   // in written order
    for (UINT i = params ? params->cArgs : 0; i > 0; --i)
        args.push_back(Deref(params->rgvarg[i - 1]));
    std::string line = Label() + "." + (name ? name : "#" + std::to_string(id));
    bool bPut = (flags & DISPATCH_PROPERTYPUT) != 0;
    if (bPut)
    {
        const VARIANT& v = args.empty() ? VARIANT{} : args.back();
        line += "=" + ((v.vt & VT_ARRAY) ? DescribeArray(v.parray) : Text(v));
    }
    else if (!args.empty())
    {
        line += "(";
        size_t nMissing = 0;
        for (size_t i = 0; i < args.size(); ++i)
        {
            if (IsMissing(args[i]))
            {
                ++nMissing;
                continue;
            }
            if (line.back() != '(')
                line += ",";
            line += Text(args[i]);
        }
        if (nMissing > 0)
            line += (line.back() == '(' ? "" : ",") + std::to_string(nMissing) + " missing";
        line += ")";
    }
    g_log.push_back(line);

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

    switch (m_kind)
    {
    case APP:
        if (id == 572)
            return Return(result, new CObject(BOOKS, "Workbooks")), S_OK;
        if (id == 392)
            return Return(result, g_version), S_OK;
        if (id == 558 || id == 343 || id == 1210)
            return S_OK;
        break;
    case BOOKS:
        if (id == 682 && !args.empty())
        {
            // A workbook opened from a file has one sheet named after the file.
            std::string path = Text(args[0]);
            size_t slash = path.find_last_of("\\/");
            std::string title = path.substr(slash == std::string::npos ? 0 : slash + 1);
            size_t dot = title.rfind('.');
            g_sheetNames.assign(1, dot == std::string::npos ? title : title.substr(0, dot));
            return Return(result, new CObject(BOOK, "Workbook")), S_OK;
        }
        break;
    case BOOK:
        if (id == 485)
            return Return(result, new CObject(SHEETS, "Sheets")), S_OK;
        if (id == 283 || id == 298)
            return S_OK;
        break;
    case SHEETS:
        if (id == 170 && args.size() == 1)
        {
            long n = Number(args[0]);
            if (n < 1 || (size_t)n > g_sheetNames.size())
                return DISP_E_BADINDEX;
            return Return(result, new CObject(SHEET, "", (int)n - 1)), S_OK;
        }
        if (id == 181)
        {
            g_sheetNames.push_back("Sheet" + std::to_string(g_sheetNames.size() + 1));
            return Return(result, new CObject(SHEET, "", (int)g_sheetNames.size() - 1)), S_OK;
        }
        break;
    case SHEET:
        if (id == 110 && bPut)
            return g_sheetNames[(size_t)m_nSheet] = Text(args.back()), S_OK;
        if (id == 110)
            return Return(result, g_sheetNames[(size_t)m_nSheet]), S_OK;
        if (id == 197 && args.size() == 2)
        {
            std::string a = Text(args[0]), b = Text(args[1]);
            return Return(result, new CObject(RANGE, "Range(" + (a == b ? a : a + ":" + b) + ")")), S_OK;
        }
        if (id == 284)
            return S_OK;
        break;
    case RANGE:
        if (id == 193 || id == 6)
            return S_OK;
        if (id == 256 && args.size() == 2)
        {
            std::string label = m_label.substr(0, m_label.size() - 1) + "[" + std::to_string(Number(args[0])) + "x" +
                                std::to_string(Number(args[1])) + "])";
            return Return(result, new CObject(RANGE, label)), S_OK;
        }
        break;
    }
    return DISP_E_MEMBERNOTFOUND;
}

class CFactory : public IClassFactory
{
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IClassFactory)
        {
            *ppv = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
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
        HRESULT hr = p->QueryInterface(riid, ppv);
        p->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};
CFactory g_factory;

bool SetKey(const std::string& key, const char* value, const char* valueName = nullptr)
{
    HKEY h = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr) != ERROR_SUCCESS)
        return false;
    LONG r = RegSetValueExA(h, valueName, 0, REG_SZ, (const BYTE*)value, (DWORD)lstrlenA(value) + 1);
    RegCloseKey(h);
    return r == ERROR_SUCCESS;
}
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
    if (clsid != CLSID_StandIn)
        return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(riid, ppv);
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
    std::string classes;
    bool ok = SetKey(classes + "Excel.Application", "Microsoft Excel Application (stand-in)") &&
              SetKey(classes + "Excel.Application\\CLSID", kClsid) &&
              SetKey(classes + "CLSID\\" + kClsid, "Microsoft Excel Application (stand-in)") &&
              SetKey(classes + "CLSID\\" + kClsid + "\\ProgID", "Excel.Application") &&
              SetKey(classes + "CLSID\\" + kClsid + "\\InprocServer32", path) &&
              SetKey(classes + "CLSID\\" + kClsid + "\\InprocServer32", "Apartment", "ThreadingModel");
    return ok ? S_OK : E_FAIL;
}

__declspec(dllexport) HRESULT WINAPI DllUnregisterServer()
{
    std::string classes;
    RegDeleteTreeA(HKEY_CLASSES_ROOT, (classes + "Excel.Application").c_str());
    RegDeleteKeyA(HKEY_CLASSES_ROOT, (classes + "Excel.Application").c_str());
    RegDeleteTreeA(HKEY_CLASSES_ROOT, (classes + "CLSID\\" + kClsid).c_str());
    RegDeleteKeyA(HKEY_CLASSES_ROOT, (classes + "CLSID\\" + kClsid).c_str());
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
    g_failure = sFailure{};
    g_failure.bActive = true;
    g_failure.dispid = dispid;
    g_failure.hr = hr;
    g_failure.wCode = wCode;
    g_failure.bDispatch = pszDescription != nullptr;
    if (pszDescription != nullptr)
    {
        int n = MultiByteToWideChar(CP_ACP, 0, pszDescription, -1, nullptr, 0);
        g_failure.description.assign((size_t)n, L'\0');
        MultiByteToWideChar(CP_ACP, 0, pszDescription, -1, &g_failure.description[0], n);
        g_failure.description.resize((size_t)n - 1);
    }
}

__declspec(dllexport) void StandInFailCreate(HRESULT hr)
{
    g_hrCreate = hr;
}
}
