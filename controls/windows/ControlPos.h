// CControlPos: keeps the child controls of a resizable window anchored to its edges. The owner
// registers controls with CP_ flags (ControlPosCalc.h) and calls MoveControls from its size
// handler; every registered control is shifted or stretched by the change of the parent's client
// size. Without negative moves a parent smaller than its reference size leaves the controls at
// their reference layout.
#pragma once

#include <afxwin.h>

#include "windows/ControlPosCalc.h"

class CONTROLS_API CControlPos
{
public:
    explicit CControlPos(CWnd* pParent = nullptr);
    virtual ~CControlPos();
    CControlPos(const CControlPos&) = delete;
    CControlPos& operator=(const CControlPos&) = delete;

    // The reference size becomes the parent's current client size, and so does the previous one.
    void SetParent(CWnd* pParent);
    // Reference and previous size both become sizeOriginal.
    void UpdateParentOriginalSize(CSize sizeOriginal);

    // FALSE when the control or the parent is missing.
    BOOL AddControl(CWnd* pControl, const DWORD& dwStyle);
    BOOL AddControl(const unsigned int& nID, const DWORD& dwStyle);
    // Removes the first record of the control (by handle or control id); FALSE when none.
    BOOL RemoveControl(CWnd* pControl);
    BOOL RemoveControl(const unsigned int& nID);
    void ResetControls();

    void SetNegativeMoves(const BOOL& bNegativeMoves) { m_bNegativeMoves = bNegativeMoves; }
    BOOL GetNegativeMoves() const { return m_bNegativeMoves; }

    // Moves every registered control by the parent's size change, then redraws the parent.
    virtual void MoveControls();

protected:
    // The previous size becomes the parent's current client size.
    virtual void UpdateParentSize();

    CWnd* m_pParent;
    int m_nOldParentWidth = 0;
    int m_nOldParentHeight = 0;
    int m_nOriginalParentWidth = 0;
    int m_nOriginalParentHeight = 0;
    BOOL m_bNegativeMoves = FALSE;
    CObArray m_arrControls;   // of CControlPosRecord, owned

private:
    BOOL AddRecord(CWnd* pControl, DWORD dwStyle);
    BOOL RemoveRecord(HWND hWnd, UINT nID);
};
