// CXHeaderCtrl: the header of the extended grid. It paints its items itself (face, edges, image,
// bitmap, text) so that the column check boxes, kept as item images (0 none, 1 unchecked,
// 2 checked), look the same everywhere, and it repaints whenever items or images change.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

// Properties for ModifyProperty.
#define XHEADER_PROP_SPACING    1   // lParam: pixels between an item's image and its text
#define XHEADER_PROP_FLAT       2   // lParam: nonzero draws the items flat instead of raised

class CONTROLS_API CXHeaderCtrl : public CHeaderCtrl
{
    DECLARE_DYNAMIC(CXHeaderCtrl)
public:
    CXHeaderCtrl();
    ~CXHeaderCtrl() override;

    // Changes one of the XHEADER_PROP_ properties; FALSE for an unknown one.
    BOOL ModifyProperty(WPARAM wParam, LPARAM lParam);
    void SetSpacing(int nSpacing) { m_nSpacing = nSpacing; }
    int GetSpacing() const { return m_nSpacing; }

    // Painting, used by WM_PAINT and WM_PRINTCLIENT.
    void DrawCtrl(CDC* pDC);
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    // The item's image at the left of rc; returns the width taken.
    int DrawImage(CDC* pDC, CRect rc, LPHDITEM lphdi, BOOL bRight);
    int DrawBitmap(CDC* pDC, CRect rc, LPHDITEM lphdi, CBitmap* pBitmap, BITMAP* pBitmapInfo, BOOL bRight);
    int DrawText(CDC* pDC, CRect rc, LPHDITEM lphdi);

protected:
    afx_msg LRESULT OnInsertItem(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDeleteItem(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetItem(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLayout(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetImageList(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSysColorChange(WPARAM wParam, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    void ReadSysColors();
    void DrawItemAt(CDC* pDC, int nItem);

    int m_nSpacing;
    bool m_bFlat;
    COLORREF m_cr3DFace, m_cr3DHighLight, m_cr3DShadow, m_crBtnText;
};
