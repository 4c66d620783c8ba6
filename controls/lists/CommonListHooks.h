// Entry points of what is built on top of the common list (the dialogs, the export). A list never
// includes those layers: each of them fills its slot here when the library loads (a static
// registrar in its own source file), and the list calls through the slot. An empty slot means the
// piece is not part of this build, and the command does nothing.
#pragma once

#include <afxwin.h>

class CCommonListCtrl;

// A cell of an export: row 0 gives column nColumn's heading and its column type (left untouched
// when unknown), row r >= 1 the text of item r - 1 with type -1. 0 when the source is gone.
typedef int (*PFN_EXPORT_TEXT)(void* pContext, int nRow, int nColumn, CString& csText, int& nType);

struct CONTROLS_API sCommonListHooks
{
    // The Reposition Columns dialog: opened for the list (bGroup: "in open groups"), and released
    // when the list goes.
    void (*pfnShowColumnDlg)(CCommonListCtrl* pList, bool bGroup) = nullptr;
    void (*pfnReleaseColumnDlg)(CCommonListCtrl* pList) = nullptr;
    // The appearance dialogs: "Customized Appearance" and "User Customize Appearance".
    void (*pfnCustomize)(CCommonListCtrl* pList) = nullptr;
    void (*pfnUserCustomize)(CCommonListCtrl* pList) = nullptr;
    // A list is going away: the library-wide dialogs that edit it let go of it.
    void (*pfnForgetList)(CCommonListCtrl* pList) = nullptr;
    // The market watch's user-defined column dialog in add (1), delete (2) or edit (3) mode.
    void (*pfnUserDefinedColumn)(CCommonListCtrl* pList, int nMode) = nullptr;
    // Export of a table of nRows x nColumns cells read through pfnText (1 when a file was
    // generated); pExportArg: the brick bar whose pane texts follow the data, or null.
    int (*pfnExport)(int nRows, int nColumns, PFN_EXPORT_TEXT pfnText, void* pContext, void* pExportArg) = nullptr;
};

// The one table of the library.
CONTROLS_API sCommonListHooks& CommonListHooks();

// The list the user-defined column dialogs change. A market watch records itself when it is
// constructed; a list that goes away while recorded leaves it empty, never dangling.
CONTROLS_API CCommonListCtrl*& UserColumnTargetList();
