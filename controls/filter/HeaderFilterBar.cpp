#include "filter/HeaderFilterBar.h"
#include "host/ControlBlock.h"

#include <cstring>

namespace
{
// The box is read into and written from a buffer of this size.
const int kBoxBuffer = 1024;

typedef HRESULT(WINAPI* PFN_SetWindowTheme)(HWND, LPCWSTR, LPCWSTR);
}  // namespace

namespace HeaderFilterBar
{
void StoreFilter(CArray<int, int>& columns, CArray<CString, CString>& texts, int nColumn, const CString& csText)
{
    for (INT_PTR k = 0; k < columns.GetSize(); ++k)
    {
        if (columns[k] != nColumn)
            continue;
        if (csText.IsEmpty())
        {
            columns.RemoveAt(k);
            if (k < texts.GetSize())
                texts.RemoveAt(k);
        }
        else if (k < texts.GetSize())
            texts[k] = csText;
        return;
    }
    if (csText.IsEmpty())
        return;
    columns.Add(nColumn);
    texts.Add(csText);
}

int ReadBox(CHeaderCtrl* pHeader, int nPosition, CString& csText)
{
    csText.Empty();
    if (pHeader == nullptr || nPosition < 0 || nPosition >= pHeader->GetItemCount())
        return 0;
    char buffer[kBoxBuffer] = "";
    HD_TEXTFILTERA filter = { buffer, kBoxBuffer };
    HDITEMA item = {};
    item.mask = HDI_FILTER;
    item.type = HDFT_ISSTRING;
    item.pvFilter = &filter;
    if (!pHeader->GetItem(nPosition, &item))
        return 0;
    buffer[kBoxBuffer - 1] = 0;
    csText = buffer;
    return csText.GetLength();
}

void WriteBox(CHeaderCtrl* pHeader, int nPosition, const CString& csText)
{
    if (pHeader == nullptr)
        return;
    char buffer[kBoxBuffer] = "";
    int nLength = csText.GetLength() < kMaxBoxText ? csText.GetLength() : kMaxBoxText;
    memcpy(buffer, (LPCTSTR)csText, (size_t)nLength);
    buffer[nLength] = 0;
    HD_TEXTFILTERA filter = { buffer, kBoxBuffer };
    HDITEMA item = {};
    item.mask = HDI_FILTER;
    item.type = HDFT_ISSTRING;
    item.pvFilter = &filter;
    pHeader->SetItem(nPosition, &item);
    // The change report may have destroyed the header.
    if (pHeader->m_hWnd != nullptr)
        pHeader->Invalidate();
}

void DropVisualTheme(CHeaderCtrl* pHeader)
{
    if (pHeader == nullptr)
        return;
    HMODULE hTheme = CControlBlock::Get()->CallLoadLibrary("UxTheme.dll");
    if (hTheme == nullptr)
        return;
    PFN_SetWindowTheme pfn = (PFN_SetWindowTheme)(void*)::GetProcAddress(hTheme, "SetWindowTheme");
    if (pfn != nullptr)
        pfn(pHeader->m_hWnd, L" ", L" ");
    ::FreeLibrary(hTheme);
}

void ToggleBar(CListCtrl& list, CHeaderCtrl* pHeader, int& bShown)
{
    if (bShown)
    {
        pHeader->ModifyStyle(HDS_FILTERBAR, 0);
        bShown = 0;
    }
    else
    {
        pHeader->ModifyStyle(0, HDS_FILTERBAR);
        pHeader->SetFilterChangeTimeout(kChangeTimeout);
        if (pHeader->GetItemCount() > 0)
            pHeader->PostMessage(HDM_EDITFILTER, 0, 0);
        bShown = 1;
    }
    // Lay the header out again: touch column 0's width and recompute the frame.
    if (pHeader->GetItemCount() > 0)
    {
        int nWidth = list.GetColumnWidth(0);
        list.SetColumnWidth(0, nWidth + 1);
        list.SetColumnWidth(0, nWidth);
    }
    list.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    pHeader->Invalidate();
}
}  // namespace HeaderFilterBar
