// CColorHeaderCtrl: the header a filter list puts over its list's header. It tints the items of
// filtered columns dark gold and the other items light gold while any filter is set, so the user
// sees at a glance which columns narrow the rows. The filter row itself (HDS_FILTERBAR) is the
// header control's; where the platform has none the framework's CHeaderCtrl draws its own.
//
// The header learns about the filters from the list it serves (its parent) through
// CFilterHeaderSource, which the filter lists implement.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#define HEADER_FILTERED_COLOR    RGB(218, 165, 32)   // 0x20A5DA, dark gold
#define HEADER_ANYFILTER_COLOR   RGB(238, 221, 130)  // 0x82DDEE, light gold

// What a list tells its colour header.
class CONTROLS_API CFilterHeaderSource
{
public:
    virtual ~CFilterHeaderSource() = default;
    // Number of filtered columns, and whether a header position shows one of them.
    virtual int GetFilterCount() = 0;
    virtual BOOL IsHeaderPositionFiltered(int nPosition) = 0;
    // Rows shown; the empty area of the header is light gold while it is above 0.
    virtual int GetDisplayCount() = 0;
    // Whether the empty-area rule applies (filter lists: yes).
    virtual BOOL PaintsHeaderBackground() { return TRUE; }
};

class CONTROLS_API CColorHeaderCtrl : public CHeaderCtrl
{
    DECLARE_DYNAMIC(CColorHeaderCtrl)
public:
    CColorHeaderCtrl();
    ~CColorHeaderCtrl() override;

    // The list this header serves: its owner window, or its parent when no owner is set.
    CFilterHeaderSource* GetSource() const;

protected:
    afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};
