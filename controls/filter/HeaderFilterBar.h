// The header filter bar as the filter list and the multi-line list both keep it: the stored filters
// (column indexes and texts side by side, in the order they were given), the text boxes of the
// header, showing and hiding the bar, and the header's notifications passed on to the list's owner.
// The lists keep their own state; these pieces work on what they are handed.
#pragma once

#include <afxcmn.h>

namespace HeaderFilterBar
{
// A box is given at most this many characters of a filter text.
const int kMaxBoxText = 255;
// How long the header waits after a keystroke in a box before it reports the change (ms).
const int kChangeTimeout = 500;

// Stores the filter of nColumn: replaces its text, removes it when the text is empty, or appends
// it. The two arrays stay side by side.
void StoreFilter(CArray<int, int>& columns, CArray<CString, CString>& texts, int nColumn, const CString& csText);

// Whether any stored filter's column stands at header position nPosition.
template <class PositionOf>
BOOL IsPositionFiltered(const CArray<int, int>& columns, int nPosition, PositionOf positionOf)
{
    for (INT_PTR k = 0; k < columns.GetSize(); ++k)
    {
        if (positionOf(columns[k]) == nPosition)
            return TRUE;
    }
    return FALSE;
}

// Reads the box at nPosition into csText (emptied first); returns its length, 0 for no box.
int ReadBox(CHeaderCtrl* pHeader, int nPosition, CString& csText);
// Writes csText, cut to kMaxBoxText, into the box at nPosition; the header reports the change.
void WriteBox(CHeaderCtrl* pHeader, int nPosition, const CString& csText);

// Draws the header without the visual theme, whose header does not paint the boxes.
void DropVisualTheme(CHeaderCtrl* pHeader);
// Shows the bar when hidden (its first box takes the keyboard) and hides it when shown, then lays
// the list's header out again.
void ToggleBar(CListCtrl& list, CHeaderCtrl* pHeader, int& bShown);

// Sends the owner a copy of a header notification as if the list had sent it.
template <class Notify>
LRESULT ForwardToOwner(CWnd& list, CWnd* pTarget, const Notify& notify)
{
    if (pTarget == nullptr)
        return 0;
    Notify forward = notify;
    forward.hdr.hwndFrom = list.m_hWnd;
    forward.hdr.idFrom = (UINT_PTR)list.GetDlgCtrlID();
    return ::SendNotifyMessageA(pTarget->m_hWnd, WM_NOTIFY, (WPARAM)list.GetDlgCtrlID(), (LPARAM)&forward);
}
}  // namespace HeaderFilterBar
