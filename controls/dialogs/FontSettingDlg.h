// CFontSettingDlg: the small "Font Dialog" (template 302) in which the appearance dialog has the
// user pick a list font: a combo of the installed families, each drawn in its own face, and a
// combo of sixteen point sizes.
#pragma once

#include <afxwin.h>
#include <afxbcg.h>

#include "dialogs/HotFontCombo.h"

class CONTROLS_API CFontSettingDlg : public CBCGPDialog
{
    DECLARE_DYNAMIC(CFontSettingDlg)
public:
    explicit CFontSettingDlg(CWnd* pParent = nullptr);
    CFontSettingDlg(CString csFont, CString csSize, CWnd* pParent = nullptr);
    ~CFontSettingDlg() override;

    // The chosen face and point size ("&OK" stores them; empty until then unless given).
    CString GetFont() const { return m_csFont; }
    CString GetSize() const { return m_csSize; }

    BOOL OnInitDialog() override;

    // The sizes offered, in order.
    static const int s_nSizes[16];

    CHotFontCombo m_FontCombo;   // 33076
    CComboBox m_SizeCombo;       // 33077
    CString m_csFont;
    CString m_csSize;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    afx_msg LRESULT OnFontChange(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
