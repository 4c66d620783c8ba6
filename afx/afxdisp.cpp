// Automation clients over the OLE calls: COleVariant, COleDispatchDriver and its exceptions.
#include "afxdisp.h"

#include <cstdarg>
#include <vector>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(COleException, CException)
IMPLEMENT_DYNAMIC(COleDispatchException, CException)

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT) const
{
    if (lpszError != nullptr && nMaxError > 0)
        *lpszError = '\0';
    return FALSE;
}

CString COleException::StatusText(SCODE sc)
{
    char* pText = nullptr;
    DWORD n = ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                               nullptr, (DWORD)sc, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), (LPSTR)&pText, 0, nullptr);
    CString text;
    if (n != 0 && pText != nullptr)
        text = pText;
    if (pText != nullptr)
        ::LocalFree(pText);
    return text;
}

BOOL COleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT) const
{
    CString text = StatusText(m_sc);
    if (lpszError != nullptr && nMaxError > 0)
        lstrcpynA(lpszError, text, (int)nMaxError);
    return !text.IsEmpty();
}

BOOL COleDispatchException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (lpszError != nullptr && nMaxError > 0)
        lstrcpynA(lpszError, m_strDescription, (int)nMaxError);
    if (pnHelpContext != nullptr)
        *pnHelpContext = m_dwHelpContext;
    return !m_strDescription.IsEmpty();
}

void AfxThrowOleException(SCODE sc)
{
    throw new COleException(sc);
}

void AfxThrowOleDispatchException(WORD wCode, LPCTSTR lpszDescription, UINT nHelpID)
{
    throw new COleDispatchException(lpszDescription, nHelpID, wCode);
}

CString AfxBstrToString(BSTR bstr)
{
    int nWide = (int)::SysStringLen(bstr);
    if (bstr == nullptr || nWide == 0)
        return CString();
    int n = ::WideCharToMultiByte(CP_ACP, 0, bstr, nWide, nullptr, 0, nullptr, nullptr);
    CString text;
    if (n > 0)
    {
        std::vector<char> buf((size_t)n);
        ::WideCharToMultiByte(CP_ACP, 0, bstr, nWide, buf.data(), n, nullptr, nullptr);
        text = CString(buf.data(), n);
    }
    return text;
}

BSTR AfxStringToBstr(LPCSTR psz, int nLength)
{
    if (psz == nullptr)
        return ::SysAllocStringLen(nullptr, 0);
    if (nLength < 0)
        nLength = lstrlenA(psz);
    int n = nLength == 0 ? 0 : ::MultiByteToWideChar(CP_ACP, 0, psz, nLength, nullptr, 0);
    BSTR bstr = ::SysAllocStringLen(nullptr, (UINT)n);
    if (bstr != nullptr && n > 0)
        ::MultiByteToWideChar(CP_ACP, 0, psz, nLength, bstr, n);
    return bstr;
}

// --- COleVariant ---------------------------------------------------------------------------------

COleVariant::COleVariant(const VARIANT& src)
{
    ::VariantInit(this);
    if (FAILED(::VariantCopy(this, const_cast<VARIANT*>(&src))))
        AfxThrowOleException(E_OUTOFMEMORY);
}

COleVariant::COleVariant(const COleVariant& src) : COleVariant(static_cast<const VARIANT&>(src)) {}

COleVariant::COleVariant(LPCTSTR lpszSrc)
{
    ::VariantInit(this);
    vt = VT_BSTR;
    bstrVal = AfxStringToBstr(lpszSrc);
    if (bstrVal == nullptr)
        AfxThrowOleException(E_OUTOFMEMORY);
}

COleVariant::COleVariant(long lSrc, VARTYPE vtSrc)
{
    ::VariantInit(this);
    if (vtSrc == VT_ERROR)
    {
        vt = VT_ERROR;
        scode = (SCODE)lSrc;
    }
    else if (vtSrc == VT_INT)
    {
        vt = VT_INT;
        intVal = (INT)lSrc;
    }
    else
    {
        vt = VT_I4;
        lVal = lSrc;
    }
}

COleVariant::COleVariant(double dblSrc)
{
    ::VariantInit(this);
    vt = VT_R8;
    dblVal = dblSrc;
}

COleVariant& COleVariant::operator=(const VARIANT& src)
{
    if (&src != this && FAILED(::VariantCopy(this, const_cast<VARIANT*>(&src))))
        AfxThrowOleException(E_OUTOFMEMORY);
    return *this;
}

COleVariant& COleVariant::operator=(const COleVariant& src)
{
    return *this = static_cast<const VARIANT&>(src);
}

VARIANT COleVariant::Detach()
{
    VARIANT v = *this;
    ::VariantInit(this);
    return v;
}

CString COleVariant::ToString() const
{
    VARIANT text;
    ::VariantInit(&text);
    CString result;
    if (SUCCEEDED(::VariantChangeType(&text, const_cast<COleVariant*>(this), VARIANT_ALPHABOOL, VT_BSTR)))
        result = AfxBstrToString(text.bstrVal);
    ::VariantClear(&text);
    return result;
}

COleVariant AfxMissingVariant()
{
    return COleVariant((long)DISP_E_PARAMNOTFOUND, VT_ERROR);
}

// --- COleDispatchDriver --------------------------------------------------------------------------

COleDispatchDriver::COleDispatchDriver(const COleDispatchDriver& src)
    : m_lpDispatch(src.m_lpDispatch), m_bAutoRelease(TRUE)
{
    if (m_lpDispatch != nullptr)
        m_lpDispatch->AddRef();
}

const COleDispatchDriver& COleDispatchDriver::operator=(const COleDispatchDriver& src)
{
    if (this != &src)
    {
        LPDISPATCH p = src.m_lpDispatch;
        if (p != nullptr)
            p->AddRef();
        ReleaseDispatch();
        m_lpDispatch = p;
        m_bAutoRelease = TRUE;
    }
    return *this;
}

BOOL COleDispatchDriver::CreateDispatch(REFCLSID clsid, COleException* pError)
{
    ReleaseDispatch();
    LPUNKNOWN pUnknown = nullptr;
    SCODE sc = ::CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown, (void**)&pUnknown);
    if (SUCCEEDED(sc))
    {
        // Run it, as an object created from its class factory may still be loading.
        sc = ::OleRun(pUnknown);
        if (SUCCEEDED(sc))
            sc = pUnknown->QueryInterface(IID_IDispatch, (void**)&m_lpDispatch);
        pUnknown->Release();
    }
    if (FAILED(sc))
    {
        m_lpDispatch = nullptr;
        if (pError != nullptr)
            pError->m_sc = sc;
        return FALSE;
    }
    m_bAutoRelease = TRUE;
    return TRUE;
}

BOOL COleDispatchDriver::CreateDispatch(LPCTSTR lpszProgID, COleException* pError)
{
    CLSID clsid;
    BSTR bstr = AfxStringToBstr(lpszProgID);
    SCODE sc = bstr == nullptr ? E_OUTOFMEMORY : ::CLSIDFromProgID(bstr, &clsid);
    ::SysFreeString(bstr);
    if (FAILED(sc))
    {
        if (pError != nullptr)
            pError->m_sc = sc;
        return FALSE;
    }
    return CreateDispatch(clsid, pError);
}

void COleDispatchDriver::AttachDispatch(LPDISPATCH lpDispatch, BOOL bAutoRelease)
{
    ReleaseDispatch();
    m_lpDispatch = lpDispatch;
    m_bAutoRelease = bAutoRelease;
}

LPDISPATCH COleDispatchDriver::DetachDispatch()
{
    LPDISPATCH p = m_lpDispatch;
    m_lpDispatch = nullptr;
    return p;
}

void COleDispatchDriver::ReleaseDispatch()
{
    if (m_lpDispatch != nullptr)
    {
        if (m_bAutoRelease)
            m_lpDispatch->Release();
        m_lpDispatch = nullptr;
    }
}

namespace
{
// The arguments of one call, in the reversed order Invoke wants, cleared when the call is done.
struct sArgs
{
    std::vector<VARIANT> v;
    ~sArgs()
    {
        for (VARIANT& a : v)
            ::VariantClear(&a);
    }
};

void ThrowForResult(HRESULT hr, EXCEPINFO& info)
{
    if (hr == DISP_E_EXCEPTION)
    {
        if (info.pfnDeferredFillIn != nullptr)
            info.pfnDeferredFillIn(&info);
        COleDispatchException* e = new COleDispatchException(AfxBstrToString(info.bstrDescription),
                                                             info.dwHelpContext, info.wCode);
        e->m_scError = info.scode;
        e->m_strSource = AfxBstrToString(info.bstrSource);
        e->m_strHelpFile = AfxBstrToString(info.bstrHelpFile);
        ::SysFreeString(info.bstrSource);
        ::SysFreeString(info.bstrDescription);
        ::SysFreeString(info.bstrHelpFile);
        throw e;
    }
    AfxThrowOleException(hr);
}
}  // namespace

void COleDispatchDriver::InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                       const BYTE* pbParamInfo, va_list argList)
{
    if (m_lpDispatch == nullptr)
        AfxThrowOleException(E_POINTER);
    size_t nArgs = pbParamInfo ? strlen((const char*)pbParamInfo) : 0;
    sArgs args;
    args.v.resize(nArgs);
    for (VARIANT& a : args.v)
        ::VariantInit(&a);
    for (size_t i = 0; i < nArgs; ++i)
    {
        VARIANT& a = args.v[nArgs - 1 - i];
        switch (pbParamInfo[i])
        {
        case VT_I2: a.vt = VT_I2; a.iVal = (SHORT)va_arg(argList, int); break;
        case VT_I4: a.vt = VT_I4; a.lVal = va_arg(argList, long); break;
        case VT_R8: a.vt = VT_R8; a.dblVal = va_arg(argList, double); break;
        case VT_BOOL: a.vt = VT_BOOL; a.boolVal = va_arg(argList, BOOL) ? VARIANT_TRUE : VARIANT_FALSE; break;
        case VT_BSTRA:
            a.vt = VT_BSTR;
            a.bstrVal = AfxStringToBstr(va_arg(argList, LPCSTR));
            break;
        case VT_BSTR:
            a.vt = VT_BSTR;
            a.bstrVal = ::SysAllocString(va_arg(argList, LPCOLESTR));
            break;
        case VT_DISPATCH:
            a.vt = VT_DISPATCH;
            a.pdispVal = va_arg(argList, LPDISPATCH);
            if (a.pdispVal != nullptr)
                a.pdispVal->AddRef();
            break;
        case VT_VARIANT:
            // By reference, so optional arguments the server fills in stay the caller's.
            a.vt = VT_VARIANT | VT_BYREF;
            a.pvarVal = const_cast<VARIANT*>(va_arg(argList, const VARIANT*));
            break;
        default:
            AfxThrowOleException(E_INVALIDARG);
        }
    }

    DISPPARAMS params = {};
    DISPID putId = DISPID_PROPERTYPUT;
    params.cArgs = (UINT)nArgs;
    params.rgvarg = nArgs ? args.v.data() : nullptr;
    if (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF))
    {
        params.cNamedArgs = 1;
        params.rgdispidNamedArgs = &putId;
    }
    VARIANT result;
    ::VariantInit(&result);
    EXCEPINFO info = {};
    UINT argErr = 0;
    HRESULT hr = m_lpDispatch->Invoke(dwDispID, IID_NULL, LOCALE_USER_DEFAULT, wFlags, &params,
                                      vtRet == VT_EMPTY ? nullptr : &result, &info, &argErr);
    if (FAILED(hr))
    {
        ::VariantClear(&result);
        ThrowForResult(hr, info);
    }
    if (vtRet == VT_EMPTY || pvRet == nullptr)
    {
        ::VariantClear(&result);
        return;
    }
    if (vtRet == VT_VARIANT)
    {
        *(VARIANT*)pvRet = result;
        return;
    }
    if (result.vt != vtRet)
    {
        hr = ::VariantChangeType(&result, &result, 0, vtRet);
        if (FAILED(hr))
        {
            ::VariantClear(&result);
            AfxThrowOleException(hr);
        }
    }
    switch (vtRet)
    {
    case VT_DISPATCH: *(LPDISPATCH*)pvRet = result.pdispVal; return;   // the reference moves
    case VT_BSTR: *(CString*)pvRet = AfxBstrToString(result.bstrVal); break;
    case VT_I4: *(long*)pvRet = result.lVal; break;
    case VT_I2: *(short*)pvRet = result.iVal; break;
    case VT_BOOL: *(BOOL*)pvRet = result.boolVal != VARIANT_FALSE; break;
    case VT_R8: *(double*)pvRet = result.dblVal; break;
    default: break;
    }
    ::VariantClear(&result);
}

void COleDispatchDriver::InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                      const BYTE* pbParamInfo, ...)
{
    va_list argList;
    va_start(argList, pbParamInfo);
    try
    {
        InvokeHelperV(dwDispID, wFlags, vtRet, pvRet, pbParamInfo, argList);
    }
    catch (...)
    {
        va_end(argList);
        throw;
    }
    va_end(argList);
}

void COleDispatchDriver::GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp) const
{
    const_cast<COleDispatchDriver*>(this)->InvokeHelper(dwDispID, DISPATCH_PROPERTYGET, vtProp, pvProp, nullptr);
}

void COleDispatchDriver::SetProperty(DISPID dwDispID, VARTYPE vtProp, ...)
{
    va_list argList;
    va_start(argList, vtProp);
    BYTE info[2] = { (BYTE)vtProp, 0 };
    if (vtProp == VT_BSTR)
        info[0] = VT_BSTRA;
    try
    {
        InvokeHelperV(dwDispID, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, info, argList);
    }
    catch (...)
    {
        va_end(argList);
        throw;
    }
    va_end(argList);
}

BOOL AfxOleInit()
{
    HRESULT hr = ::OleInitialize(nullptr);
    return hr == S_OK || hr == S_FALSE;
}
