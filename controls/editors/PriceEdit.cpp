// CPriceEdit: typing with undo, formatting on EN_UPDATE, guarded paste, keys and context menu.
#include "editors/PriceEdit.h"

#include "editors/EditReport.h"
#include "OrvoTools.h"
#include "editors/PriceRules.h"

#include <cfloat>

IMPLEMENT_DYNAMIC(CPriceEdit, CEdit)

namespace
{
// The box whose keystroke is being handled: its EN_UPDATE checks stay quiet, as the keystroke
// makes the one report of a refusal itself. Kept outside the box, which the parent may delete
// while it hears of the change.
const CPriceEdit* g_pKeyBox = nullptr;
}  // namespace

BEGIN_MESSAGE_MAP(CPriceEdit, CEdit)
    ON_WM_CHAR()
    ON_MESSAGE(WM_PASTE, OnPaste)
    ON_CONTROL_REFLECT_EX(EN_UPDATE, OnUpdate)
    ON_WM_RBUTTONDOWN()
    ON_WM_KILLFOCUS()
    ON_WM_KEYDOWN()
    ON_WM_CONTEXTMENU()
    ON_MESSAGE(WM_CUT, OnEditCommand)
    ON_MESSAGE(WM_CLEAR, OnEditCommand)
    ON_MESSAGE(WM_UNDO, OnEditCommand)
    ON_MESSAGE(EM_UNDO, OnEditCommand)
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

int CPriceEdit::CheckPrice(const CString& strText) const
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
    return nReport;
}

BOOL CPriceEdit::IsPriceValid(CString strText)
{
    const int nReport = CheckPrice(strText);
    if (nReport == PRICE_VALID)
        return TRUE;
    ReportFailure(nReport);
    return FALSE;
}

BOOL CPriceEdit::KeepValidText(const CString& strBefore, int nStart, int nEnd)
{
    CString strAfter;
    GetWindowText(strAfter);
    if (strAfter == strBefore || CheckPrice(GetTrueValue(strAfter)) == PRICE_VALID)
        return TRUE;
    SetWindowText(strBefore);
    SetSel(nStart, nEnd);
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
    // The control raises EN_UPDATE for the typed text and again for the text put back (which may
    // be refused as well, an empty text under a positive lower bound): one report, made here.
    const CPriceEdit* pOuter = g_pKeyBox;
    g_pKeyBox = this;
    const HWND hWnd = m_hWnd;
    Default();
    if (!::IsWindow(hWnd))
    {
        g_pKeyBox = pOuter;   // closed by the parent while it heard of the change
        return;
    }
    CString strAfter;
    GetWindowText(strAfter);
    if (!IsPriceValid(GetTrueValue(strAfter)))
    {
        SetWindowText(strBefore);
        SetSel(strBefore.GetLength(), -1);
    }
    g_pKeyBox = pOuter;
}

LRESULT CPriceEdit::OnPaste(WPARAM, LPARAM)
{
    if (m_strValidChars.IsEmpty())
        return 0;
    // The clipboard text on its own, then the text it would make with the text around it.
    const CString strClip = GetClipboardText(this);
    if (!IsPriceValid(GetTrueValue(strClip)))
        return 0;
    if (!IsPriceValid(GetTrueValue(GetTextWithSelectionReplaced(this, strClip))))
        return 0;
    // The control may paste differently (line breaks, the text limit): check what it made.
    CString strBefore;
    GetWindowText(strBefore);
    int nStart = 0;
    int nEnd = 0;
    GetSel(nStart, nEnd);
    Default();
    return KeepValidText(strBefore, nStart, nEnd) ? 1 : 0;
}

BOOL CPriceEdit::OnUpdate()
{
    if (!m_bFormatEnabled)
        return FALSE;
    CString strText;
    GetWindowText(strText);
    const CString strTyped = strText;
    CString strTrue = GetTrueValue(strText);
    if (g_pKeyBox == this ? CheckPrice(strTrue) != PRICE_VALID : !IsPriceValid(strTrue))
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
    // Swallowed. The context menu still comes, from WM_CONTEXTMENU: the box's own.
}

void CPriceEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
}

void CPriceEdit::OnKeyDown(UINT nChar, UINT, UINT)
{
    if (IsPasteKey(nChar))
    {
        SendMessage(WM_PASTE);
        return;
    }
    // Delete and Shift+Delete change the text without a character message.
    CString strBefore;
    GetWindowText(strBefore);
    int nStart = 0;
    int nEnd = 0;
    GetSel(nStart, nEnd);
    Default();
    KeepValidText(strBefore, nStart, nEnd);
}

void CPriceEdit::OnContextMenu(CWnd*, CPoint point)
{
    RunEditCommand(this, TrackEditContextMenu(this, point, !m_strValidChars.IsEmpty()));
}

LRESULT CPriceEdit::OnEditCommand(WPARAM, LPARAM)
{
    CString strBefore;
    GetWindowText(strBefore);
    int nStart = 0;
    int nEnd = 0;
    GetSel(nStart, nEnd);
    const LRESULT lResult = Default();
    return KeepValidText(strBefore, nStart, nEnd) ? lResult : 0;
}
