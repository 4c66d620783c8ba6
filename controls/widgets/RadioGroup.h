// CRadioGroup: keeps exactly one of a set of dialog buttons checked. It has no window of its own;
// the owner names the dialog, adds the buttons' ids and checks one with SetGroupCheck.
#pragma once

#include <afxwin.h>

class CONTROLS_API CRadioGroup : public CWnd
{
public:
    CRadioGroup() = default;

    // The dialog that holds the buttons.
    void SetParent(CDialog* pDlg) { m_pDlg = pDlg; }
    int AddButton(int nID);
    // Adds the button's control id (0 for a button without a window).
    int AddButton(CButton& button);
    // Checks the button nID and unchecks every other button of the group; buttons that do not exist
    // in the dialog are skipped, and an id outside the group unchecks them all.
    void SetGroupCheck(int nID);

    CArray<int, int> m_arButtonIDs;
    CDialog* m_pDlg = nullptr;
};
