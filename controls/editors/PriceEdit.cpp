// CPriceEdit: typing with undo, formatting on EN_UPDATE, guarded paste.
#include "editors/PriceEdit.h"

#include "editors/EditReport.h"
#include "OrvoTools.h"
#include "editors/PriceRules.h"

#include <cfloat>

IMPLEMENT_DYNAMIC(CPriceEdit, CEdit)

BEGIN_MESSAGE_MAP(CPriceEdit, CEdit)
    ON_WM_CHAR()
    ON_MESSAGE(WM_PASTE, OnPaste)
    ON_CONTROL_REFLECT_EX(EN_UPDATE, OnUpdate)
    ON_WM_RBUTTONDOWN()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CPriceEdit::CPriceEdit()
    : m_dMaxDigit(15.0),
      m_strValidChars("0123456789.-,"),
      m_dMinValue(-DBL_MAX),
      m_dMaxValue(DBL_MAX),
      m_bFormatEnabled(true),
      m_nPrecision(4)
{
}

void CPriceEdit::setPrecision(int nPrecision)
{
    m_nPrecision = nPrecision;
}

void CPriceEdit::SetMaxDigit(int nMaxDigit)
{
    m_dMaxDigit = nMaxDigit;
}

void CPriceEdit::ReportFailure(int nReport)
{
    switch (nReport)
    {
    case PRICE_REPORT_CHARACTER:
        ReportInputError(this, L"Unacceptable Character", L"You can only type a number here.");
        break;
    case PRICE_REPORT_DIGITS:
        // The text names 15 whatever the limit is set to.
        ReportInputError(this, L"Max limit reached", L"Only 15 digits allowed");
        break;
    case PRICE_REPORT_RANGE:
        ReportInputError(this, L"Out Of Range", L"Entered value is Out Of Range");
        break;
    default:
        break;
    }
}

BOOL CPriceEdit::IsPriceValid(CString strText)
{
    int nReport = PriceCheckCharacters(strText, m_strValidChars);
    if (nReport == PRICE_VALID)
    {
        CString strInteger;
        CString strDecimal;
        getIntegerAndDecimal(strText, strInteger, strDecimal);
        nReport = PriceCheckParts(strInteger, strDecimal, m_nPrecision, m_dMaxDigit);
    }
    if (nReport == PRICE_VALID)
        nReport = PriceCheckRange(strText, m_dMinValue, m_dMaxValue);
    if (nReport == PRICE_VALID)
        return TRUE;
    ReportFailure(nReport);
    return FALSE;
}

CString CPriceEdit::GetTrueValue(CString strText)
{
    return PriceTrueValue(strText);
}

CString CPriceEdit::GetCommaData(CString& strText)
{
    return PriceCommaData(strText, m_nPrecision);
}

void CPriceEdit::SetDisplayText()
{
    CString strText;
    GetWindowText(strText);
    SetWindowText(GetCommaData(strText));
}

int CPriceEdit::processCharacter(unsigned int nChar)
{
    CString strText;
    GetWindowText(strText);
    int nStart = 0;
    int nEnd = 0;
    GetSel(nStart, nEnd);
    const sPriceKeyVerdict verdict = PriceKeyVerdict(strText, nStart, nChar, m_nPrecision);
    if (verdict.nMoveCaretTo >= 0)
        SetSel(verdict.nMoveCaretTo, verdict.nMoveCaretTo);
    if (verdict.bReport)
        ReportFailure(PRICE_REPORT_CHARACTER);
    return verdict.nResult;
}

void CPriceEdit::OnChar(UINT, UINT, UINT)
{
    CString strBefore;
    GetWindowText(strBefore);
    Default();
    CString strAfter;
    GetWindowText(strAfter);
    if (!IsPriceValid(GetTrueValue(strAfter)))
    {
        SetWindowText(strBefore);
        SetSel(strBefore.GetLength(), -1);
    }
}

LRESULT CPriceEdit::OnPaste(WPARAM, LPARAM)
{
    if (m_strValidChars.IsEmpty())
        return 0;
    const CString strClip = GetClipboardText(this);
    if (!IsPriceValid(GetTrueValue(strClip)))
        return 0;
    Default();
    return 1;
}

BOOL CPriceEdit::OnUpdate()
{
    if (!m_bFormatEnabled)
        return FALSE;
    CString strText;
    GetWindowText(strText);
    const CString strTyped = strText;
    CString strTrue = GetTrueValue(strText);
    if (!IsPriceValid(strTrue))
        return FALSE;

    const CString strDisplay = GetCommaData(strTrue);
    m_bFormatEnabled = false;
    if (strDisplay != strTyped)
    {
        int nCaret = HIWORD(GetSel());
        SetWindowText(strDisplay);
        CString strCommasTyped = strTyped;
        CString strCommasShown = strDisplay;
        if (strCommasTyped.Remove(',') != strCommasShown.Remove(','))
            nCaret++;
        SetSel(nCaret, nCaret);
    }
    m_bFormatEnabled = true;
    return FALSE;   // the parent sees EN_UPDATE too
}

void CPriceEdit::OnRButtonDown(UINT, CPoint)
{
    // Swallowed: no context menu on a price box.
}

void CPriceEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
}
