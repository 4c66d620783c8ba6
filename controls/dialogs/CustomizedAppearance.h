// CCustomizedAppearance: the modeless "Customized Appearance" dialog (template 466) in which the
// user sets a list's background and text colours, its font and, for lists with a filter model,
// keyword rules that colour the rows whose keyword-column text contains a keyword. The library
// keeps one and shows it for whichever list asks (CCommonListCtrl::OnCustomize).
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include "windows/VXDialog.h"
#include "xgrid/XListCtrl.h"
#include "lists/CommonListCtrl.h"
#include "dialogs/AppearanceColorButton.h"

class CONTROLS_API CCustomizedAppearance : public CVXDialog
{
    DECLARE_DYNAMIC(CCustomizedAppearance)
public:
    explicit CCustomizedAppearance(CWnd* pParent = nullptr);
    ~CCustomizedAppearance() override;

    // Takes the list to edit and fills the dialog from its appearance record.
    void SetParentList(CCommonListCtrl* pList);
    CCommonListCtrl* GetParentList() const { return m_pParentList; }
    BOOL OnInitDialog() override;

    afx_msg void OnPropertyChange();
    afx_msg void OnColorButton();
    afx_msg void OnFontButton();
    afx_msg void OnChangeColumn();
    afx_msg void OnColumnChange();
    afx_msg void OnAddKeyword();
    afx_msg void OnApplySettings();

    CCommonListCtrl* m_pParentList;
    cCustomizedAppearanceSettings m_Appearance;   // the dialog's copy, given back on Apply
    CComboBox m_PropertyCombo;                    // 1694: "Text", "Background"
    CAppearanceColorButton m_ColorButton;         // 1026
    CButton m_FontButton;                         // 1695
    CComboBox m_ColumnCombo;                      // 1035
    CButton m_ChangeColumnButton;                 // 1001
    CEdit m_KeywordEdit;                          // 1033
    CButton m_AddButton;                          // 2626
    CXListCtrl m_KeywordList;                     // 1032: "Keyword", "Color"
    CToolTipCtrl m_ToolTip;
    bool m_bGroupShown;
    int m_nGroupHeight;                           // pixels the keyword group adds to the window

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnKeywordKeyDown(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    bool IsBackgroundSelected() const;
    void ShowKeywordGroup(bool bShow);
    void ShowFont();
};
