// Formula columns of the grids: the cell algorithm that the filter list, the multi-line list and
// the market watch share in their GetCustomColumnText, and the conversions of a formula between
// its display form ("name" references), stored form (" ..."index"..." references, one leading
// space) and check form (bare indexes) that the column dialogs need. Window-free.
//
// A grid lends the cell algorithm what it knows about one row through CFormulaCellSource:
//   GetColumnCount    number of column-information records; an index outside 0..count-1 has no
//                     record and reads as an empty text (which then counts as 0).
//   IsFormulaColumn   the grid's column rule (filter and multi-line lists: index >= built-in
//                     column count; market watch: id >= 101).
//   GetStoredFormula  the stored form of a formula column (first record text; the market watch
//                     keeps it in the second); it must stay valid while the cell is computed.
//   GetColumnText     the text of a non-formula column of the row; FALSE when the fetch fails.
//                     Formula columns are never asked for: a reference to one is computed here.
//   ReportError       the modal seam; the grids pass the text on to AfxMessageBox.
//
// A formula that reaches a formula column already being computed for the same cell (itself,
// directly or through other formula columns), or that nests formula columns deeper than
// FORMULA_MAX_NESTING or needs more than FORMULA_MAX_NESTED_CELLS formula computations for one
// cell, is cut: the cell shows an empty text, no message is shown, and the result is 0. A
// referenced formula column that fails (failed fetch, status 4 reported as usual) reads as the
// empty text its grid would show for it, so it counts as 0 in the cell that uses it.
#pragma once

#include "afxdefs.h"
#include "afxstr.h"

#define FORMULA_DIVIDED_BY_ZERO _T("Divided by ZERO error")
#define FORMULA_CALC_ERROR _T("Invalid Expression,while calculating value")

enum
{
    FORMULA_MAX_NESTING = 32,
    FORMULA_MAX_NESTED_CELLS = 1024,
};

// Options of a CFormulaCellSource.
enum
{
    // Multi-line list: the output is emptied first, operand texts are trimmed, and an operand
    // that is empty after trimming stops the cell with an empty text.
    FCS_TRIM_OPERANDS = 0x0001,
};

class CONTROLS_API CFormulaCellSource
{
public:
    explicit CFormulaCellSource(UINT nOptions = 0);
    virtual ~CFormulaCellSource();

    virtual int GetColumnCount() const = 0;
    virtual BOOL IsFormulaColumn(int nColumn) const = 0;
    virtual LPCTSTR GetStoredFormula(int nColumn) const = 0;
    virtual BOOL GetColumnText(int nColumn, CString& strText) = 0;
    virtual void ReportError(LPCTSTR pszMessage) = 0;

    UINT m_nOptions;
};

// The text of formula column nColumn for the source's row: the result with two decimals, or
// "Divided by ZERO error" when the part after the first "/" evaluates to 0. Returns 1 when the
// text was set or nColumn is no formula column (nothing happens then); 0 when a fetch failed, the
// evaluation failed (status 4, reported once through ReportError), the part after the first "/"
// had status 3 or 4, or the formula was cut. strText keeps what it had then, except when the
// formula was cut: it is empty.
CONTROLS_API int GetFormulaCellText(CFormulaCellSource& source, int nColumn, CString& strText);

// One column offered by a formula dialog: its header name and its column index (item data).
struct sFormulaOperand
{
    CString strName;
    int nColumn;
};

// Display form to stored and check forms. FALSE when a quoted name is not among the operands;
// names compare exactly and the first operand with the name wins.
CONTROLS_API BOOL ConvertFormulaDisplayForm(LPCTSTR pszDisplay, const sFormulaOperand* pOperands,
                                            int nOperands, CString& strStored, CString& strCheck);

// ConvertFormulaDisplayForm, then the check form must evaluate with status 0. On FALSE the
// dialogs show "Invalid Expression, Please check the expression again".
CONTROLS_API BOOL CheckFormulaDisplayForm(LPCTSTR pszDisplay, const sFormulaOperand* pOperands,
                                          int nOperands, CString& strStored, CString& strCheck);
