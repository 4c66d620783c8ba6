// VXExcel: typed clients of the spreadsheet application's automation objects ("Excel.Application").
// Each class is a dispatch driver holding one IDispatch pointer; each member is one late-bound
// Invoke by the dispatch id of the application's type library. Objects come back as IDispatch*
// that the caller attaches to the matching wrapper, which then owns the reference. Errors are not
// handled here: a failed call throws COleDispatchException* or COleException*.
//
// Only the members the list export needs are typed. Any other member of these objects is reached
// by name through VXExcel::InvokeByName.
#pragma once

#include <afxdisp.h>
#include <initializer_list>

namespace VXExcel
{

// Dispatch ids of the members below (the type library's).
enum eDispId : DISPID
{
    DISPID_XL_VALUE = 6,
    DISPID_XL_NAME = 110,
    DISPID_XL_ITEM = 170,
    DISPID_XL_ADD = 181,
    DISPID_XL_NUMBERFORMAT = 193,
    DISPID_XL_RANGE = 197,
    DISPID_XL_RESIZE = 256,
    DISPID_XL_SAVE = 283,
    DISPID_XL_SAVEAS = 284,
    DISPID_XL_SAVED = 298,
    DISPID_XL_DISPLAYALERTS = 343,
    DISPID_XL_VERSION = 392,
    DISPID_XL_SHEETS = 485,
    DISPID_XL_VISIBLE = 558,
    DISPID_XL_WORKBOOKS = 572,
    DISPID_XL_OPEN = 682,
    DISPID_XL_USERCONTROL = 1210,
};

// File formats of SaveAs: the workbook of versions before 12, and the binary workbook after.
enum eFileFormat : long
{
    xlExcel9795 = 43,
    xlExcel8 = 56,
};

// Calls any member by name (GetIDsOfNames, then Invoke); wFlags is DISPATCH_METHOD,
// DISPATCH_PROPERTYGET or DISPATCH_PROPERTYPUT. Arguments in their written order. Throws as the
// typed members do; an unknown name throws COleException with DISP_E_UNKNOWNNAME.
CONTROLS_API COleVariant InvokeByName(COleDispatchDriver& object, LPCTSTR lpszMember, WORD wFlags,
                                      std::initializer_list<COleVariant> args = {});

#define VXEXCEL_WRAPPER_BASICS(name) \
    name() = default; \
    name(LPDISPATCH pDispatch) : COleDispatchDriver(pDispatch) {} \
    name(const name& src) : COleDispatchDriver(src) {} \
    ~name() = default; \
    name& operator=(const name& src) { COleDispatchDriver::operator=(src); return *this; }

class CONTROLS_API _Application : public COleDispatchDriver
{
public:
    VXEXCEL_WRAPPER_BASICS(_Application)
    void SetVisible(BOOL bNewValue);
    LPDISPATCH GetWorkbooks();
    CString GetVersion();
    void SetDisplayAlerts(BOOL bNewValue);
    void SetUserControl(BOOL bNewValue);
};

class CONTROLS_API Workbooks : public COleDispatchDriver
{
public:
    VXEXCEL_WRAPPER_BASICS(Workbooks)
    LPDISPATCH Open(LPCTSTR Filename, const VARIANT& UpdateLinks, const VARIANT& ReadOnly, const VARIANT& Format,
                    const VARIANT& Password, const VARIANT& WriteResPassword, const VARIANT& IgnoreReadOnlyRecommended,
                    const VARIANT& Origin, const VARIANT& Delimiter, const VARIANT& Editable, const VARIANT& Notify,
                    const VARIANT& Converter, const VARIANT& AddToMru);
};

class CONTROLS_API _Workbook : public COleDispatchDriver
{
public:
    VXEXCEL_WRAPPER_BASICS(_Workbook)
    LPDISPATCH GetSheets();
    void Save();
    void SetSaved(BOOL bNewValue);
};

class CONTROLS_API Worksheets : public COleDispatchDriver
{
public:
    VXEXCEL_WRAPPER_BASICS(Worksheets)
    LPDISPATCH GetItem(const VARIANT& Index);
    LPDISPATCH Add(const VARIANT& Before, const VARIANT& After, const VARIANT& Count, const VARIANT& Type);
};

class CONTROLS_API _Worksheet : public COleDispatchDriver
{
public:
    VXEXCEL_WRAPPER_BASICS(_Worksheet)
    CString GetName();
    void SetName(LPCTSTR lpszNewValue);
    LPDISPATCH GetRange(const VARIANT& Cell1, const VARIANT& Cell2);
    void SaveAs(LPCTSTR Filename, const VARIANT& FileFormat, const VARIANT& Password, const VARIANT& WriteResPassword,
                const VARIANT& ReadOnlyRecommended, const VARIANT& CreateBackup, const VARIANT& AddToMru,
                const VARIANT& TextCodepage, const VARIANT& TextVisualLayout);
};

class CONTROLS_API Range : public COleDispatchDriver
{
public:
    VXEXCEL_WRAPPER_BASICS(Range)
    void SetNumberFormat(const VARIANT& newValue);
    void SetValue(const VARIANT& newValue);
    LPDISPATCH GetResize(const VARIANT& RowSize, const VARIANT& ColumnSize);
};

#undef VXEXCEL_WRAPPER_BASICS

}  // namespace VXExcel
