// CRadioGroup: the buttons are looked up in the dialog on every check, never kept.
#include "widgets/RadioGroup.h"

int CRadioGroup::AddButton(int nID)
{
    m_arButtonIDs.Add(nID);
    return 1;
}

int CRadioGroup::AddButton(CButton& button)
{
    return AddButton(button.GetSafeHwnd() != nullptr ? button.GetDlgCtrlID() : 0);
}

void CRadioGroup::SetGroupCheck(int nID)
{
    if (m_pDlg == nullptr || !::IsWindow(m_pDlg->GetSafeHwnd()))
        return;
    for (INT_PTR i = 0; i < m_arButtonIDs.GetSize(); i++)
    {
        const int nButton = m_arButtonIDs[i];
        HWND hButton = ::GetDlgItem(m_pDlg->GetSafeHwnd(), nButton);
        if (hButton != nullptr)
            ::SendMessageA(hButton, BM_SETCHECK, nButton == nID ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}
