// Pieces of the lists' menu commands that the common list and the lists built on it run alike:
// the export of what a list shows through the host's export routine, and menu commands a list
// does not handle passed on to its owner.
#pragma once

#include "lists/CommonListCtrl.h"
#include "lists/CommonListHooks.h"

// A list as the text source of an export; the handle tells whether the list is still the one
// that started.
struct sListExportSource
{
    CCommonListCtrl* pList;
    HWND hWnd;
};

// Whether the source's list still exists as the window the export started with (the host may
// destroy it from a text routine while the export runs).
bool IsExportSourceLive(const sListExportSource& src);

// The heading of the column at header position nPosition; empty when the header has none.
CString ReadHeadingText(CHeaderCtrl* pHeader, int nPosition);

// Exports a heading row and nRows rows of list, read through pfnText with an sListExportSource as
// context (command nID: to Excel, or to a file with the list's export argument), and says how it
// went. A list without rows says so instead.
void RunListExport(CCommonListCtrl& list, UINT nID, int nRows, PFN_EXPORT_TEXT pfnText);

// A menu command (no control, no accelerator) the list did not handle goes to its owner, or to its
// parent when it has none. TRUE when it was sent.
BOOL PassMenuCommandToOwner(CCommonListCtrl& list, WPARAM wParam, LPARAM lParam);
