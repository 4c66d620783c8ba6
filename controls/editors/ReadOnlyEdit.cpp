// CReadOnlyEdit: colours through the reflected WM_CTLCOLOR.
#include "editors/ReadOnlyEdit.h"

BEGIN_MESSAGE_MAP(CReadOnlyEdit, CEdit)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

CReadOnlyEdit::CReadOnlyEdit() : m_crText(0), m_crBackGnd(::GetSysColor(COLOR_WINDOW))
{
}

CReadOnlyEdit::~CReadOnlyEdit()
{
    m_brBackGnd.DeleteObject();
}

void CReadOnlyEdit::SetTextColor(COLORREF crText)
{
    m_crText = crText;
    Invalidate(TRUE);
}

void CReadOnlyEdit::SetBackColor(COLORREF crBackGnd)
{
    m_crBackGnd = crBackGnd;
    if (m_brBackGnd.GetSafeHandle() != nullptr)
        m_brBackGnd.DeleteObject();
    m_brBackGnd.CreateSolidBrush(crBackGnd);
    Invalidate(TRUE);
}

HBRUSH CReadOnlyEdit::CtlColor(CDC* pDC, UINT)
{
    // Without a brush the parent's default colouring applies, text colour included.
    if (m_brBackGnd.GetSafeHandle() == nullptr)
        return nullptr;
    pDC->SetTextColor(m_crText);
    pDC->SetBkColor(m_crBackGnd);
    return (HBRUSH)m_brBackGnd.GetSafeHandle();
}
