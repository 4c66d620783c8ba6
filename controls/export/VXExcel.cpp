#include "export/VXExcel.h"

#include <vector>

namespace VXExcel
{

COleVariant InvokeByName(COleDispatchDriver& object, LPCTSTR lpszMember, WORD wFlags,
                         std::initializer_list<COleVariant> args)
{
    if (object.m_lpDispatch == nullptr)
        AfxThrowOleException(E_POINTER);
    BSTR name = AfxStringToBstr(lpszMember);
    DISPID dispid = DISPID_UNKNOWN;
    HRESULT hr = object.m_lpDispatch->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &dispid);
    ::SysFreeString(name);
    if (FAILED(hr))
        AfxThrowOleException(hr);

    // Invoke wants the arguments last to first; they are copied so the caller's stay untouched.
    std::vector<COleVariant> reversed(args.begin(), args.end());
    std::vector<VARIANT> rgvarg(reversed.size());
    for (size_t i = 0; i < reversed.size(); ++i)
        rgvarg[reversed.size() - 1 - i] = reversed[i];
    DISPPARAMS params = {};
    DISPID putId = DISPID_PROPERTYPUT;
    params.cArgs = (UINT)rgvarg.size();
    params.rgvarg = rgvarg.empty() ? nullptr : rgvarg.data();
    if (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF))
    {
        params.cNamedArgs = 1;
        params.rgdispidNamedArgs = &putId;
    }
    COleVariant result;
    EXCEPINFO info = {};
    UINT argErr = 0;
    hr = object.m_lpDispatch->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, wFlags, &params, &result, &info, &argErr);
    if (hr == DISP_E_EXCEPTION)
    {
        if (info.pfnDeferredFillIn != nullptr)
            info.pfnDeferredFillIn(&info);
        CString description = AfxBstrToString(info.bstrDescription);
        ::SysFreeString(info.bstrSource);
        ::SysFreeString(info.bstrDescription);
        ::SysFreeString(info.bstrHelpFile);
        COleDispatchException* e = new COleDispatchException(description, info.dwHelpContext, info.wCode);
        e->m_scError = info.scode;
        throw e;
    }
    if (FAILED(hr))
        AfxThrowOleException(hr);
    return result;
}

// --- _Application --------------------------------------------------------------------------------

void _Application::SetVisible(BOOL bNewValue)
{
    static const BYTE parms[] = VTS_BOOL;
    InvokeHelper(DISPID_XL_VISIBLE, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, parms, bNewValue);
}

LPDISPATCH _Application::GetWorkbooks()
{
    LPDISPATCH result = nullptr;
    InvokeHelper(DISPID_XL_WORKBOOKS, DISPATCH_PROPERTYGET, VT_DISPATCH, &result, nullptr);
    return result;
}

CString _Application::GetVersion()
{
    CString result;
    InvokeHelper(DISPID_XL_VERSION, DISPATCH_PROPERTYGET, VT_BSTR, &result, nullptr);
    return result;
}

void _Application::SetDisplayAlerts(BOOL bNewValue)
{
    static const BYTE parms[] = VTS_BOOL;
    InvokeHelper(DISPID_XL_DISPLAYALERTS, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, parms, bNewValue);
}

void _Application::SetUserControl(BOOL bNewValue)
{
    static const BYTE parms[] = VTS_BOOL;
    InvokeHelper(DISPID_XL_USERCONTROL, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, parms, bNewValue);
}

// --- Workbooks -----------------------------------------------------------------------------------

LPDISPATCH Workbooks::Open(LPCTSTR Filename, const VARIANT& UpdateLinks, const VARIANT& ReadOnly, const VARIANT& Format,
                           const VARIANT& Password, const VARIANT& WriteResPassword,
                           const VARIANT& IgnoreReadOnlyRecommended, const VARIANT& Origin, const VARIANT& Delimiter,
                           const VARIANT& Editable, const VARIANT& Notify, const VARIANT& Converter,
                           const VARIANT& AddToMru)
{
    LPDISPATCH result = nullptr;
    static const BYTE parms[] = VTS_BSTR VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_VARIANT
        VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_VARIANT;
    InvokeHelper(DISPID_XL_OPEN, DISPATCH_METHOD, VT_DISPATCH, &result, parms, Filename, &UpdateLinks, &ReadOnly,
                 &Format, &Password, &WriteResPassword, &IgnoreReadOnlyRecommended, &Origin, &Delimiter, &Editable,
                 &Notify, &Converter, &AddToMru);
    return result;
}

// --- _Workbook -----------------------------------------------------------------------------------

LPDISPATCH _Workbook::GetSheets()
{
    LPDISPATCH result = nullptr;
    InvokeHelper(DISPID_XL_SHEETS, DISPATCH_PROPERTYGET, VT_DISPATCH, &result, nullptr);
    return result;
}

void _Workbook::Save()
{
    InvokeHelper(DISPID_XL_SAVE, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr);
}

void _Workbook::SetSaved(BOOL bNewValue)
{
    static const BYTE parms[] = VTS_BOOL;
    InvokeHelper(DISPID_XL_SAVED, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, parms, bNewValue);
}

// --- Worksheets ----------------------------------------------------------------------------------

LPDISPATCH Worksheets::GetItem(const VARIANT& Index)
{
    LPDISPATCH result = nullptr;
    static const BYTE parms[] = VTS_VARIANT;
    InvokeHelper(DISPID_XL_ITEM, DISPATCH_PROPERTYGET, VT_DISPATCH, &result, parms, &Index);
    return result;
}

LPDISPATCH Worksheets::Add(const VARIANT& Before, const VARIANT& After, const VARIANT& Count, const VARIANT& Type)
{
    LPDISPATCH result = nullptr;
    static const BYTE parms[] = VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_VARIANT;
    InvokeHelper(DISPID_XL_ADD, DISPATCH_METHOD, VT_DISPATCH, &result, parms, &Before, &After, &Count, &Type);
    return result;
}

// --- _Worksheet ----------------------------------------------------------------------------------

CString _Worksheet::GetName()
{
    CString result;
    InvokeHelper(DISPID_XL_NAME, DISPATCH_PROPERTYGET, VT_BSTR, &result, nullptr);
    return result;
}

void _Worksheet::SetName(LPCTSTR lpszNewValue)
{
    static const BYTE parms[] = VTS_BSTR;
    InvokeHelper(DISPID_XL_NAME, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, parms, lpszNewValue);
}

LPDISPATCH _Worksheet::GetRange(const VARIANT& Cell1, const VARIANT& Cell2)
{
    LPDISPATCH result = nullptr;
    static const BYTE parms[] = VTS_VARIANT VTS_VARIANT;
    InvokeHelper(DISPID_XL_RANGE, DISPATCH_PROPERTYGET, VT_DISPATCH, &result, parms, &Cell1, &Cell2);
    return result;
}

void _Worksheet::SaveAs(LPCTSTR Filename, const VARIANT& FileFormat, const VARIANT& Password,
                        const VARIANT& WriteResPassword, const VARIANT& ReadOnlyRecommended, const VARIANT& CreateBackup,
                        const VARIANT& AddToMru, const VARIANT& TextCodepage, const VARIANT& TextVisualLayout)
{
    static const BYTE parms[] = VTS_BSTR VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_VARIANT
        VTS_VARIANT VTS_VARIANT;
    InvokeHelper(DISPID_XL_SAVEAS, DISPATCH_METHOD, VT_EMPTY, nullptr, parms, Filename, &FileFormat, &Password,
                 &WriteResPassword, &ReadOnlyRecommended, &CreateBackup, &AddToMru, &TextCodepage, &TextVisualLayout);
}

// --- Range ---------------------------------------------------------------------------------------

void Range::SetNumberFormat(const VARIANT& newValue)
{
    static const BYTE parms[] = VTS_VARIANT;
    InvokeHelper(DISPID_XL_NUMBERFORMAT, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, parms, &newValue);
}

void Range::SetValue(const VARIANT& newValue)
{
    static const BYTE parms[] = VTS_VARIANT;
    InvokeHelper(DISPID_XL_VALUE, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, parms, &newValue);
}

LPDISPATCH Range::GetResize(const VARIANT& RowSize, const VARIANT& ColumnSize)
{
    LPDISPATCH result = nullptr;
    static const BYTE parms[] = VTS_VARIANT VTS_VARIANT;
    InvokeHelper(DISPID_XL_RESIZE, DISPATCH_PROPERTYGET, VT_DISPATCH, &result, parms, &RowSize, &ColumnSize);
    return result;
}

}  // namespace VXExcel
