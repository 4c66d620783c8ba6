// CNumEdit: range and decimal checks, typing with undo, guarded paste, keys and context menu.
#include "editors/NumEdit.h"

#include "editors/EditReport.h"
#include "editors/NumRules.h"

#include <cfloat>
#include <cstdio>

BEGIN_MESSAGE_MAP(CNumEdit, CEdit)
    ON_WM_CHAR()
    ON_MESSAGE(WM_PASTE, OnPaste)
    ON_WM_KEYDOWN()
    ON_WM_CONTEXTMENU()
    ON_MESSAGE(WM_CUT, OnEditCommand)
    ON_MESSAGE(WM_CLEAR, OnEditCommand)
    ON_MESSAGE(WM_UNDO, OnEditCommand)
    ON_MESSAGE(EM_UNDO, OnEditCommand)
END_MESSAGE_MAP()

CNumEdit::CNumEdit()
    : m_strValidChars("0123456789.,"),
      m_nVerbose(0),
      m_fMinValue(-FLT_MAX),
      m_fMaxValue(FLT_MAX)
{
}

void CNumEdit::GetRange(float& fMax, float& fMin)
{
    fMax = m_fMaxValue;
    fMin = m_fMinValue;
}

void CNumEdit::SetRange(float fMax, float fMin)
{
    m_fMaxValue = fMax;
    m_fMinValue = fMin;
}

BOOL CNumEdit::Verbose()
{
    return m_nVerbose;
}

void CNumEdit::Verbose(BOOL bVerbose)
{
    m_nVerbose = bVerbose;
}

int CNumEdit::IsValid(const CString& strText)
{
    return NumCheckValue(strText, m_fMinValue, m_fMaxValue);
}

int CNumEdit::IsValid()
{
    CString strText;
    GetWindowText(strText);
    const int nResult = NumCheckText(strText, m_strValidChars, m_fMinValue, m_fMaxValue);
    if (nResult != NUM_VALID && !strText.IsEmpty())
        ReportInputError(this, L"Unacceptable Character", L"Unacceptable Character.");
    return nResult;
}

void CNumEdit::SetValue(float fValue)
{
    CString strText;
    strText.Format("%f", (double)fValue);
    SetWindowText(strText);
}

float CNumEdit::GetValue()
{
    float fValue = 0.0f;
    if (IsValid() == NUM_VALID)
    {
        CString strText;
        GetWindowText(strText);
        std::sscanf(strText, "%f", &fValue);
    }
    return fValue;
}

void CNumEdit::OnChar(UINT nChar, UINT, UINT)
{
    if (nChar == ' ')
        return;
    CString strBefore;
    GetWindowText(strBefore);
    Default();
    if (IsValid() != NUM_VALID)
    {
        SetWindowText(strBefore);
        SetSel(strBefore.GetLength() - 1, -1);
        // Keys typed ahead would apply to the restored text; drop them.
        MSG msg;
        while (::PeekMessageA(&msg, m_hWnd, WM_CHAR, WM_CHAR, PM_REMOVE))
        {
        }
    }
}

LRESULT CNumEdit::OnPaste(WPARAM, LPARAM)
{
    if (m_strValidChars.IsEmpty())
        return 0;
    // The clipboard text on its own, then the whole text it would make.
    const CString strClip = GetClipboardText(this);
    if (!NumPasteAllowed(strClip, m_strValidChars, m_fMinValue, m_fMaxValue))
        return 0;
    CString strBefore;
    GetWindowText(strBefore);
    const CString strCombined = GetTextWithSelectionReplaced(this, strClip);
    if (strCombined != strBefore && NumCheckText(strCombined, m_strValidChars, m_fMinValue, m_fMaxValue) != NUM_VALID)
        return 0;
    Default();
    return KeepValidText(strBefore) ? 1 : 0;
}

BOOL CNumEdit::KeepValidText(const CString& strBefore)
{
    CString strAfter;
    GetWindowText(strAfter);
    if (strAfter == strBefore || IsValid() == NUM_VALID)
        return TRUE;
    SetWindowText(strBefore);
    SetSel(strBefore.GetLength() - 1, -1);
    return FALSE;
}

void CNumEdit::OnKeyDown(UINT nChar, UINT, UINT)
{
    if (IsPasteKey(nChar))
    {
        SendMessage(WM_PASTE);
        return;
    }
    // Delete and Shift+Delete change the text without a character message.
    CString strBefore;
    GetWindowText(strBefore);
    Default();
    KeepValidText(strBefore);
}

void CNumEdit::OnContextMenu(CWnd*, CPoint point)
{
    RunEditCommand(this, TrackEditContextMenu(this, point, !m_strValidChars.IsEmpty()));
}

LRESULT CNumEdit::OnEditCommand(WPARAM, LPARAM)
{
    CString strBefore;
    GetWindowText(strBefore);
    const LRESULT lResult = Default();
    return KeepValidText(strBefore) ? lResult : 0;
}
