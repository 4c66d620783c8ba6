// CUserCusomize: the modeless "User Customize Appearance" dialog (template 701): the list's user
// keywords with the text and background colours of the cells that hold exactly that text, and the
// list's background colour. The library keeps one (CCommonListCtrl::OnUserCustomize).
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include "windows/VXDialog.h"
#include "xgrid/XListCtrl.h"
#include "lists/CommonListCtrl.h"
#include "dialogs/AppearanceColorButton.h"

class CONTROLS_API CUserCusomize : public CVXDialog
{
    DECLARE_DYNAMIC(CUserCusomize)
public:
    explicit CUserCusomize(CWnd* pParent = nullptr);
    ~CUserCusomize() override;

    void SetParentList(CCommonListCtrl* pList);
    CCommonListCtrl* GetParentList() const { return m_pParentList; }
    BOOL OnInitDialog() override;

    afx_msg void OnBackgroundColor();
    afx_msg void OnApply();

    CCommonListCtrl* m_pParentList;
    cCustomizedAppearanceSettings m_Appearance;
    CXListCtrl m_PropertyList;                    // 1034: "Property", "Text Color", "Text BK Color"
    CAppearanceColorButton m_BackgroundButton;    // 1965

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnListKeyDown(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
