// An in-memory dialog template for the demo's scenes (DLGTEMPLATE with DS_SETFONT in 8-point
// "MS Shell Dlg", then DWORD-aligned items), so a scene needs no resource script of its own.
#pragma once

#include <afxwin.h>

#include <cstddef>
#include <vector>

class CDemoDialogTemplate
{
public:
    enum : WORD { kButton = 0x0080, kEdit = 0x0081, kStatic = 0x0082, kListBox = 0x0083 };

    CDemoDialogTemplate(LPCWSTR lpszCaption, short cx, short cy,
                        DWORD dwStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU)
    {
        DLGTEMPLATE dlg = {};
        dlg.style = dwStyle | DS_SETFONT;
        dlg.cx = cx;
        dlg.cy = cy;
        AppendRaw(&dlg, sizeof(dlg));
        m_nCountOffset = offsetof(DLGTEMPLATE, cdit) / sizeof(WORD);
        m_words.push_back(0);   // no menu
        m_words.push_back(0);   // the standard dialog class
        AppendString(lpszCaption);
        m_words.push_back(8);   // point size
        AppendString(L"MS Shell Dlg");
    }

    // An item of a predefined class (kButton, kStatic, ...); visible child.
    void AddItem(WORD wClassAtom, LPCWSTR lpszText, DWORD dwStyle, short x, short y, short cx, short cy, WORD wID)
    {
        AppendItem(dwStyle, x, y, cx, cy, wID);
        m_words.push_back(0xFFFF);
        m_words.push_back(wClassAtom);
        Finish(lpszText);
    }
    // An item of a class given by name ("SysListView32"); visible child.
    void AddItem(LPCWSTR lpszClass, LPCWSTR lpszText, DWORD dwStyle, short x, short y, short cx, short cy, WORD wID)
    {
        AppendItem(dwStyle, x, y, cx, cy, wID);
        AppendString(lpszClass);
        Finish(lpszText);
    }

    LPCDLGTEMPLATE Get() const { return reinterpret_cast<LPCDLGTEMPLATE>(m_words.data()); }

private:
    void AppendItem(DWORD dwStyle, short x, short y, short cx, short cy, WORD wID)
    {
        while (m_words.size() % 2 != 0)
            m_words.push_back(0);
        DLGITEMTEMPLATE item = {};
        item.style = dwStyle | WS_CHILD | WS_VISIBLE;
        item.x = x;
        item.y = y;
        item.cx = cx;
        item.cy = cy;
        item.id = wID;
        AppendRaw(&item, sizeof(item));
    }
    void Finish(LPCWSTR lpszText)
    {
        AppendString(lpszText);
        m_words.push_back(0);   // no creation data
        m_words[m_nCountOffset]++;
    }
    void AppendRaw(const void* p, size_t nBytes)
    {
        const WORD* w = static_cast<const WORD*>(p);
        m_words.insert(m_words.end(), w, w + nBytes / sizeof(WORD));
    }
    void AppendString(LPCWSTR psz)
    {
        for (; *psz != 0; psz++)
            m_words.push_back((WORD)*psz);
        m_words.push_back(0);
    }

    std::vector<WORD> m_words;
    size_t m_nCountOffset = 0;
};
