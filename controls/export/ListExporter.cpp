#include "export/ListExporter.h"

#include <afxdisp.h>
#include <cstdlib>
#include <string>
#include "export/VXExcel.h"
#include "windows/VXBrickBar.h"

namespace
{
const char kProgID[] = "Excel.Application";
const char kFilterAll[] = "Worksheet Files (*.xls)|*.xls|Data Files (*.xlc;*.xls)|*.xlc; *.xls|CSV Files(*.csv)|*.csv; "
                          "*.csv|Text Documents(*.txt)|*.txt;*.txt|All Files (*.*)|*.*||";
const char kFilterFiles[] = "CSV Files(*.csv)|*.csv; *.csv|Text Documents(*.txt)|*.txt;*.txt|All Files (*.*)|*.*||";
const char kFilterFallback[] = "Text Documents(*.txt)|*.txt; *.txt|All Files (*.*)|*.*||";

// Under Wine the process may write read-only files (it runs as root): ask the attribute.
bool IsReadOnlyFile(const CString& csPath)
{
    DWORD attributes = ::GetFileAttributesA(csPath);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

FILE* OpenTarget(const CString& csPath, const char* pszMode)
{
    if (csPath.IsEmpty() || IsReadOnlyFile(csPath))
        return nullptr;
    return fopen(csPath, pszMode);
}

CString CellRef(int nRow, int nColumn)
{
    char ref[32];
    GetColumnNumForExcel(nRow, nColumn, ref, sizeof(ref));
    return ref;
}

// The value of one cell in the workbook, by its column's type; an empty text stays an empty text.
void SetCellVariant(VARIANT& v, const CString& csText, int nType)
{
    ::VariantInit(&v);
    if (!csText.IsEmpty())
    {
        switch (nType)
        {
        case CListExporter::TYPE_INT:
            v.vt = VT_INT;
            v.intVal = atoi(csText);
            return;
        case CListExporter::TYPE_DOUBLE:
            v.vt = VT_R8;
            v.dblVal = 0.0;
            sscanf(csText, "%lf", &v.dblVal);
            return;
        case CListExporter::TYPE_LONG:
            v.vt = VT_I4;
            v.lVal = atol(csText);
            return;
        default:
            break;
        }
    }
    v.vt = VT_BSTR;
    v.bstrVal = AfxStringToBstr(csText, csText.GetLength());
}

LPCTSTR NumberFormatOf(int nType)
{
    switch (nType)
    {
    case CListExporter::TYPE_DOUBLE: return "0.00";
    case CListExporter::TYPE_TEXT: return "@";
    case CListExporter::TYPE_GENERAL: return "General";
    default: return nullptr;
    }
}

// The boxes of a failed automation call; foreground, as the application's window may be in front.
void ShowAutomationError(COleException* e)
{
    AfxModalMessageBox(nullptr, COleException::StatusText(e->m_sc), "COM Error", MB_OK | MB_SETFOREGROUND);
}

void ShowAutomationError(COleDispatchException* e)
{
    CString text;
    text.Format("Run-time error '%d':\n\n%s", (int)e->m_wCode, (LPCTSTR)e->m_strDescription);
    AfxModalMessageBox(nullptr, text, "Server Error", MB_OK | MB_SETFOREGROUND);
}

// A SAFEARRAY of variants, destroyed with its elements.
struct sSafeArray
{
    SAFEARRAY* p = nullptr;
    sSafeArray(LONG nRows, LONG nCols)
    {
        SAFEARRAYBOUND bounds[2] = { { (ULONG)nRows, 1 }, { (ULONG)nCols, 1 } };
        p = ::SafeArrayCreate(VT_VARIANT, 2, bounds);
        if (p == nullptr)
            AfxThrowOleException(E_OUTOFMEMORY);
    }
    ~sSafeArray() { ::SafeArrayDestroy(p); }
    void Put(LONG nRow, LONG nCol, const CString& csText, int nType)
    {
        LONG index[2] = { nRow + 1, nCol + 1 };
        VARIANT* pElement = nullptr;
        if (SUCCEEDED(::SafeArrayPtrOfIndex(p, index, (void**)&pElement)))
        {
            ::VariantClear(pElement);
            SetCellVariant(*pElement, csText, nType);
        }
    }
};
}  // namespace

CListExporter::CListExporter(int nRowCount, int nColCount, PFN_EXPORT_TEXT pfnText, void* pContext)
    : m_nRowCount(nRowCount), m_nColCount(nColCount), m_pfnText(pfnText), m_pContext(pContext)
{
}

CListExporter::~CListExporter()
{
    CloseFile();
}

namespace
{
// Command 4007's pane block: each brick's whole line as the bar shows it (caption, separator,
// text). A bar not created yet gives no block.
BOOL ReadBrickBarPanes(void* pBrickBar, CStringArray& texts)
{
    CVXBrickBar* pBar = static_cast<CVXBrickBar*>(pBrickBar);
    if (!::IsWindow(pBar->GetSafeHwnd()))
        return FALSE;
    const int nCount = pBar->GetPaneCount();
    for (int i = 0; i < nCount; ++i)
    {
        CString csText;
        pBar->GetTextWithCaption(i, csText);
        texts.Add(csText);
    }
    return TRUE;
}
}  // namespace

CListExporter::PFN_PANE_TEXTS& CListExporter::PaneTextReader()
{
    static PFN_PANE_TEXTS pfn = &ReadBrickBarPanes;
    return pfn;
}

void CListExporter::CloseFile()
{
    if (m_pFile != nullptr)
    {
        fclose(m_pFile);
        m_pFile = nullptr;
    }
}

BOOL CListExporter::Cell(int nRow, int nColumn, CString& csText, int& nType)
{
    csText.Empty();
    return m_pfnText(m_pContext, nRow, nColumn, csText, nType) != 0;
}

BOOL CListExporter::PaneTexts(void* pBrickBar, CStringArray& texts) const
{
    texts.RemoveAll();
    return pBrickBar != nullptr && PaneTextReader() != nullptr && PaneTextReader()(pBrickBar, texts);
}

int CListExporter::Export(void* pBrickBar)
{
    char message[256] = "";
    BOOL bSpreadsheet = IsProgIDExists(kProgID, message, sizeof(message));
    CFileDialog dlg(FALSE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                    bSpreadsheet ? kFilterAll : kFilterFiles);
    if (dlg.DoModal() != IDOK)
        return 0;
    CString csExt = dlg.GetFileExt();
    m_csPath = dlg.GetPathName();
    if (!m_csPath.IsEmpty())
    {
        m_csOpenMode = "w+";
        m_pFile = OpenTarget(m_csPath, m_csOpenMode);
        if (m_pFile == nullptr)
        {
            AfxModalMessageBox(nullptr, "Failed To open File", "File Open", MB_OK);
            return 0;
        }
        CloseFile();
    }
    if (m_pfnText == nullptr || m_pContext == nullptr)
    {
        AfxMessageBox("CallBack Failed");
        return 0;
    }
    if (csExt == "csv" || csExt == "txt")
        return WriteDelimited(pBrickBar);
    return WriteSpreadsheet(pBrickBar);
}

int CListExporter::WriteDelimited(void* pBrickBar)
{
    m_csOpenMode = "wb";
    m_pFile = OpenTarget(m_csPath, m_csOpenMode);
    if (m_pFile == nullptr)
    {
        AfxMessageBox("File Open Failed");
        return 0;
    }
    static char buffer[1 << 16];
    setvbuf(m_pFile, buffer, _IOFBF, sizeof(buffer));
    bool ok = true, bSourceFailed = false;
    // Whole lines gathered into blocks of about 64 KB, each written with one call; a row the
    // source cannot give ends the file after the rows before it.
    const size_t kBlock = (size_t)1 << 16;
    std::string line;
    line.reserve(kBlock + 4096);
    CString csText;
    for (int r = 0; r < m_nRowCount && ok && !bSourceFailed; ++r)
    {
        const size_t nLineStart = line.size();
        for (int c = 0; c < m_nColCount; ++c)
        {
            int nType = -1;
            if (!Cell(r, c, csText, nType))
            {
                bSourceFailed = true;
                line.resize(nLineStart);
                break;
            }
            if (c > 0)
                line += ',';
            line.append(csText.GetString(), (size_t)csText.GetLength());
        }
        if (!bSourceFailed)
            line += "\r\n";
        if (line.size() >= kBlock)
        {
            ok = fwrite(line.data(), 1, line.size(), m_pFile) == line.size();
            line.clear();
        }
    }
    if (ok && !line.empty())
        ok = fwrite(line.data(), 1, line.size(), m_pFile) == line.size();
    ok = ok && !bSourceFailed;
    CStringArray panes;
    if (ok && PaneTexts(pBrickBar, panes))
    {
        line = "\r\n\r\n";
        for (INT_PTR i = 0; i < panes.GetSize(); ++i)
        {
            if (i > 0)
                line += ',';
            line.append(panes[i].GetString(), (size_t)panes[i].GetLength());
        }
        ok = fwrite(line.data(), 1, line.size(), m_pFile) == line.size();
    }
    ok = fflush(m_pFile) == 0 && ok;
    ok = fclose(m_pFile) == 0 && ok;
    m_pFile = nullptr;
    return ok ? 1 : 0;
}

int CListExporter::WriteFallbackText()
{
    CFileDialog dlg(FALSE, ".txt", "ListLogFile.txt", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kFilterFallback);
    if (dlg.DoModal() != IDOK)
        return 0;
    CString csPath = dlg.GetPathName();
    if (csPath.IsEmpty())
        return 0;
    FILE* pFile = OpenTarget(csPath, "wb");
    if (pFile == nullptr)
    {
        AfxMessageBox("File OPen Failed");
        return 0;
    }
    std::string text;
    CString csText;
    bool ok = true;
    for (int r = 1; r < m_nRowCount && ok; ++r)
    {
        for (int c = 0; c < m_nColCount; ++c)
        {
            int nType = -1;
            if (!Cell(r, c, csText, nType))
            {
                ok = false;
                break;
            }
            if (c > 0)
                text += ',';
            text.append(csText.GetString(), (size_t)csText.GetLength());
        }
        text += "\r\n";
    }
    ok = ok && fwrite(text.data(), 1, text.size(), pFile) == text.size();
    ok = fclose(pFile) == 0 && ok;
    return ok ? 1 : 0;
}

int CListExporter::WriteSpreadsheet(void* pBrickBar)
{
    HRESULT hrInit = ::OleInitialize(nullptr);
    if (hrInit != S_OK && hrInit != S_FALSE)
        return 0;
    int nResult = 0;
    {
        VXExcel::_Application app;
        if (!app.CreateDispatch(kProgID))
        {
            int answer = AfxMessageBox("Excel not installed in the system.\nDO you want to save as Text file?",
                                       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
            if (answer == IDYES)
                nResult = WriteFallbackText();
            m_arrColTypes.RemoveAll();
            ::OleUninitialize();
            return nResult;
        }
        // Automation errors outside the sheet saves end the export (nothing may cross the
        // library's boundary): the same boxes, and 0.
        try
        {
            COleVariant missing = AfxMissingVariant();
            app.SetVisible(TRUE);
            VXExcel::Workbooks books(app.GetWorkbooks());
            VXExcel::_Workbook book(books.Open(m_csPath, missing, missing, missing, missing, missing, missing,
                                               missing, missing, missing, missing, missing, missing));
            VXExcel::Worksheets sheets(book.GetSheets());
            VXExcel::_Worksheet sheet(sheets.GetItem(COleVariant(1L)));
            CString csBase = sheet.GetName();
            CStringArray panes;
            PaneTexts(pBrickBar, panes);

            int nRemaining = m_nRowCount - 1;
            int nSheet = 1;
            int nDone = 0;
            bool bSourceGone = false;
            while (nRemaining > 0 && !bSourceGone)
            {
                int nRows = nRemaining < MAX_SHEET_ROWS ? nRemaining : (int)MAX_SHEET_ROWS;
                CString csName;
                csName.Format("%s-Sheet%d", (LPCTSTR)csBase, nSheet);
                sheet.SetName(csName);

                for (int c = 0; c < m_nColCount && !bSourceGone; ++c)
                {
                    CString csHeading;
                    int nType = 0;   // a heading no column record knows is a text column
                    bSourceGone = !Cell(0, c, csHeading, nType);
                    m_arrColTypes.Add(nType);
                    if (LPCTSTR pszFormat = NumberFormatOf(nType))
                    {
                        VXExcel::Range column(sheet.GetRange(COleVariant(CellRef(1, c + 1)),
                                                             COleVariant(CellRef(nRows + 1, c + 1))));
                        column.SetNumberFormat(COleVariant(pszFormat));
                    }
                    COleVariant cell(CellRef(1, c + 1));
                    VXExcel::Range heading(sheet.GetRange(cell, cell));
                    heading.SetValue(COleVariant(csHeading));
                }

                for (int nStart = 0; nStart < nRows && !bSourceGone; nStart += BLOCK_ROWS)
                {
                    int nBlock = nRows - nStart < BLOCK_ROWS ? nRows - nStart : (int)BLOCK_ROWS;
                    bool bLast = nStart + nBlock >= nRows;
                    bool bPanes = bLast && pBrickBar != nullptr;
                    int nArrayRows = nBlock + (bPanes ? 3 : 0);
                    int nArrayCols = m_nColCount;
                    if (bPanes && panes.GetSize() > nArrayCols)
                        nArrayCols = (int)panes.GetSize();   // every pane gets a cell
                    if (nArrayCols == 0)
                        break;
                    sSafeArray array(nArrayRows, nArrayCols);
                    CString csText;
                    for (int i = 0; i < nBlock && !bSourceGone; ++i)
                        for (int c = 0; c < m_nColCount; ++c)
                        {
                            int nType = -1;
                            if (!Cell(nDone + nStart + i + 1, c, csText, nType))
                            {
                                bSourceGone = true;
                                break;
                            }
                            array.Put(i, c, csText, c < m_arrColTypes.GetSize() ? m_arrColTypes[c] : 0);
                        }
                    if (bSourceGone)
                        break;
                    if (bPanes)
                        for (INT_PTR p = 0; p < panes.GetSize(); ++p)
                            array.Put(nBlock + 2, (LONG)p, panes[p], 0);
                    COleVariant start(CellRef(nStart + 2, 1));
                    VXExcel::Range first(sheet.GetRange(start, start));
                    VXExcel::Range target(first.GetResize(COleVariant((long)nArrayRows), COleVariant((long)nArrayCols)));
                    VARIANT value;
                    ::VariantInit(&value);
                    value.vt = VT_ARRAY | VT_VARIANT;
                    value.parray = array.p;
                    target.SetValue(value);
                }

                nDone += nRows;
                nRemaining -= nRows;
                ++nSheet;

                try
                {
                    CString csVersion = app.GetVersion();
                    if (!csVersion.IsEmpty())
                    {
                        app.SetDisplayAlerts(FALSE);
                        long nFormat = atoi(csVersion) < 12 ? VXExcel::xlExcel9795 : VXExcel::xlExcel8;
                        sheet.SaveAs(m_csPath, COleVariant(nFormat), missing, missing, missing, missing, missing,
                                     missing, missing);
                        app.SetDisplayAlerts(TRUE);
                    }
                }
                catch (COleDispatchException* e)
                {
                    ShowAutomationError(e);
                    e->Delete();
                }
                catch (COleException* e)
                {
                    ShowAutomationError(e);
                    e->Delete();
                }

                if (nRemaining > 0 && !bSourceGone)
                {
                    COleVariant after;
                    after.vt = VT_DISPATCH;
                    after.pdispVal = sheet.m_lpDispatch;
                    after.pdispVal->AddRef();
                    sheet.AttachDispatch(sheets.Add(missing, after, missing, missing));
                }
            }

            app.SetVisible(TRUE);
            app.SetUserControl(TRUE);
            book.Save();
            book.SetSaved(TRUE);
            nResult = bSourceGone ? 0 : 1;
        }
        catch (COleDispatchException* e)
        {
            ShowAutomationError(e);
            e->Delete();
        }
        catch (COleException* e)
        {
            ShowAutomationError(e);
            e->Delete();
        }
    }
    ::OleUninitialize();
    m_arrColTypes.RemoveAll();
    return nResult;
}

int IsProgIDExists(LPCTSTR lpszProgID, LPTSTR lpszMessage, int nMessageSize)
{
    HKEY hKey = nullptr;
    LONG result = ::RegOpenKeyExA(HKEY_CLASSES_ROOT, lpszProgID ? lpszProgID : "", 0, KEY_READ, &hKey);
    if (result == ERROR_SUCCESS)
        ::RegCloseKey(hKey);
    if (lpszMessage != nullptr && nMessageSize > 0)
    {
        lpszMessage[0] = '\0';
        ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, (DWORD)result,
                         MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), lpszMessage, (DWORD)nMessageSize, nullptr);
    }
    return result == ERROR_SUCCESS ? 1 : 0;
}

int GetColumnNumForExcel(int nRow, int nColumn, LPTSTR lpszBuffer, int nBufferSize)
{
    if (lpszBuffer == nullptr || nBufferSize <= 0)
        return 1;
    // Bijective base 26: A..Z, AA..ZZ (27..702), then three letters.
    char letters[8];
    int n = 0;
    for (unsigned v = nColumn > 0 ? (unsigned)nColumn : 1u; v > 0 && n < 7; v = (v - 1) / 26)
        letters[n++] = (char)('A' + (v - 1) % 26);
    char ref[32];
    int len = 0;
    while (n > 0)
        ref[len++] = letters[--n];
    snprintf(ref + len, sizeof(ref) - (size_t)len, "%d", nRow);
    lstrcpynA(lpszBuffer, ref, nBufferSize);
    return 1;
}

namespace
{
int RunExport(int nRows, int nColumns, PFN_EXPORT_TEXT pfnText, void* pContext, void* pExportArg)
{
    CListExporter exporter(nRows, nColumns, pfnText, pContext);
    return exporter.Export(pExportArg);
}

const bool s_bHooked = []
{
    CommonListHooks().pfnExport = &RunExport;
    return true;
}();
}  // namespace
