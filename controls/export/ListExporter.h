// CListExporter: one export of a list's contents, built by the list's command handler, run once
// and dropped. It asks for the file, creates it empty, and by the extension writes a
// comma-separated file ("csv" and "txt", exactly so) or fills a workbook through the spreadsheet
// application's automation objects. Cells come from a text source (PFN_EXPORT_TEXT): row 0 is the
// heading row, row r the list's item r - 1.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>
#include <cstdio>
#include "lists/CommonListHooks.h"

class CONTROLS_API CListExporter
{
public:
    CListExporter(int nRowCount, int nColCount, PFN_EXPORT_TEXT pfnText, void* pContext);
    ~CListExporter();
    CListExporter(const CListExporter&) = delete;
    CListExporter& operator=(const CListExporter&) = delete;

    // Runs the export: 1 when a file was generated, 0 otherwise (cancelled, failed; the reason
    // has been shown). pBrickBar: the bar whose pane texts follow the data, or null.
    int Export(void* pBrickBar = nullptr);

    // The pane texts of a brick bar handed to Export, in pane order; FALSE when it gives none.
    typedef BOOL (*PFN_PANE_TEXTS)(void* pBrickBar, CStringArray& texts);
    static PFN_PANE_TEXTS& PaneTextReader();

    // Column types that change the spreadsheet export.
    enum eColumnType
    {
        TYPE_INT = 1,        // written as VT_INT from atoi
        TYPE_DOUBLE = 2,     // number format "0.00", VT_R8 from "%lf"
        TYPE_TEXT = 3,       // number format "@"
        TYPE_LONG = 4,       // written as VT_I4 from atol
        TYPE_GENERAL = 10,   // number format "General"
    };
    // Sheets hold at most this many data rows below the heading row; blocks this many rows.
    enum { MAX_SHEET_ROWS = 65534, BLOCK_ROWS = 5000 };

    CString m_csPath;
    FILE* m_pFile = nullptr;
    int m_nRowCount;
    int m_nColCount;
    CString m_csOpenMode;
    CArray<int, int> m_arrColTypes;
    PFN_EXPORT_TEXT m_pfnText;
    void* m_pContext;

private:
    int WriteDelimited(void* pBrickBar);
    int WriteSpreadsheet(void* pBrickBar);
    int WriteFallbackText();
    // One cell; FALSE when the source has gone (nothing more may be asked of it).
    BOOL Cell(int nRow, int nColumn, CString& csText, int& nType);
    BOOL PaneTexts(void* pBrickBar, CStringArray& texts) const;
    void CloseFile();
};

// 1 when HKEY_CLASSES_ROOT\<ProgID> can be opened for reading, else 0; the system's message for
// the result goes to lpszMessage (at most nMessageSize characters with the terminator).
CONTROLS_API int IsProgIDExists(LPCTSTR lpszProgID, LPTSTR lpszMessage, int nMessageSize = 256);
// The cell reference of 1-based (nRow, nColumn), "A1" ... "ZZ65536", into lpszBuffer; returns 1.
CONTROLS_API int GetColumnNumForExcel(int nRow, int nColumn, LPTSTR lpszBuffer, int nBufferSize);
