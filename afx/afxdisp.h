// Automation clients: a dispatch driver that turns member calls into IDispatch::Invoke by dispatch
// id, an owning VARIANT, and the two exceptions a failed invocation raises. Thin over the OLE
// calls; as in the framework this mirrors, exceptions are thrown as heap pointers the catcher
// deletes (`catch (COleException* e) { ...; e->Delete(); }`).
#pragma once

#include "afxwin.h"
#include <ole2.h>
#include <oleauto.h>

// Parameter-type lists of InvokeHelper: one byte per argument, a variant type code.
#define VTS_I2          "\x02"
#define VTS_I4          "\x03"
#define VTS_R8          "\x05"
#define VTS_WBSTR       "\x08"
#define VTS_DISPATCH    "\x09"
#define VTS_BOOL        "\x0B"
#define VTS_VARIANT     "\x0C"
#define VTS_BSTR        "\x0E"  // an ANSI text (LPCSTR), converted to a BSTR for the call
#define VTS_NONE        ""
#define VT_BSTRA        14

class AFX_API CException : public CObject
{
    DECLARE_DYNAMIC(CException)
public:
    // Frees a caught exception.
    void Delete() { delete this; }
    // The text a message box would show; FALSE when there is none.
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const;
protected:
    CException() = default;
};

// A failed OLE call: the status code.
class AFX_API COleException : public CException
{
    DECLARE_DYNAMIC(COleException)
public:
    explicit COleException(SCODE sc = S_OK) : m_sc(sc) {}
    SCODE m_sc;
    // The system's message text for the status (empty when the system has none).
    static CString StatusText(SCODE sc);
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

// The server raised an exception (DISP_E_EXCEPTION): its code and texts.
class AFX_API COleDispatchException : public CException
{
    DECLARE_DYNAMIC(COleDispatchException)
public:
    COleDispatchException(LPCTSTR lpszDescription, UINT nHelpID, WORD wCode)
        : m_wCode(wCode), m_strDescription(lpszDescription ? lpszDescription : ""), m_dwHelpContext(nHelpID) {}
    WORD m_wCode;
    SCODE m_scError = S_OK;
    CString m_strSource;
    CString m_strDescription;
    CString m_strHelpFile;
    DWORD m_dwHelpContext;
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

AFX_API void AfxThrowOleException(SCODE sc);
AFX_API void AfxThrowOleDispatchException(WORD wCode, LPCTSTR lpszDescription, UINT nHelpID = 0);
// The ANSI text of a BSTR (empty for null).
AFX_API CString AfxBstrToString(BSTR bstr);
// A new BSTR of an ANSI text, converted through the process code page; the caller frees it.
AFX_API BSTR AfxStringToBstr(LPCSTR psz, int nLength = -1);

// A VARIANT that clears itself; texts are held as BSTR.
class AFX_API COleVariant : public tagVARIANT
{
public:
    COleVariant() { ::VariantInit(this); }
    COleVariant(const VARIANT& src);
    COleVariant(const COleVariant& src);
    COleVariant(LPCTSTR lpszSrc);
    COleVariant(const CString& strSrc) : COleVariant((LPCTSTR)strSrc) {}
    COleVariant(long lSrc, VARTYPE vtSrc = VT_I4);   // VT_I4, VT_INT or VT_ERROR
    COleVariant(int nSrc, VARTYPE vtSrc = VT_I4) : COleVariant((long)nSrc, vtSrc) {}
    COleVariant(double dblSrc);
    ~COleVariant() { ::VariantClear(this); }
    COleVariant& operator=(const COleVariant& src);
    COleVariant& operator=(const VARIANT& src);
    void Clear() { ::VariantClear(this); }
    // Hands the value over (the variant becomes empty); the caller clears the result.
    VARIANT Detach();
    // The value converted to text (empty when it cannot be).
    CString ToString() const;
};

// A parameter the caller leaves out: VT_ERROR holding DISP_E_PARAMNOTFOUND.
AFX_API COleVariant AfxMissingVariant();

// One IDispatch pointer and whether to release it; every call is a late-bound Invoke. Errors are
// thrown (COleDispatchException for a server exception, COleException for any other status).
class AFX_API COleDispatchDriver
{
public:
    COleDispatchDriver() = default;
    explicit COleDispatchDriver(LPDISPATCH lpDispatch, BOOL bAutoRelease = TRUE)
        : m_lpDispatch(lpDispatch), m_bAutoRelease(bAutoRelease) {}
    COleDispatchDriver(const COleDispatchDriver& src);
    ~COleDispatchDriver() { ReleaseDispatch(); }
    const COleDispatchDriver& operator=(const COleDispatchDriver& src);

    // Creates the object registered under a ProgID (or a CLSID text); FALSE on failure, with the
    // status in pError when given.
    BOOL CreateDispatch(LPCTSTR lpszProgID, COleException* pError = nullptr);
    BOOL CreateDispatch(REFCLSID clsid, COleException* pError = nullptr);
    void AttachDispatch(LPDISPATCH lpDispatch, BOOL bAutoRelease = TRUE);
    LPDISPATCH DetachDispatch();
    void ReleaseDispatch();

    // Invokes dispid with the arguments described by pbParamInfo (VTS_ codes, in order) and
    // stores the result, converted to vtRet, at pvRet: LPDISPATCH* for VT_DISPATCH (an owned
    // reference), CString* for VT_BSTR, long* for VT_I4, BOOL* for VT_BOOL, double* for VT_R8,
    // VARIANT* for VT_VARIANT; VT_EMPTY for none. VTS_VARIANT arguments are passed as
    // const VARIANT*, VTS_BSTR as LPCSTR, VTS_BOOL as BOOL.
    void InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo, ...);
    void InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo,
                       va_list argList);
    void GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp) const;
    void SetProperty(DISPID dwDispID, VARTYPE vtProp, ...);

    LPDISPATCH m_lpDispatch = nullptr;
    BOOL m_bAutoRelease = TRUE;
};

// OLE for the calling thread; FALSE when it cannot be initialised.
AFX_API BOOL AfxOleInit();
