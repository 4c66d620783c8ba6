// The arithmetic of control positioning (CControlPos), free of windows so it can be checked on
// its own.
#pragma once

#include <afxdefs.h>

// Flags of a positioned control (combinable).
enum
{
    CP_MOVE_HORIZONTAL = 1,    // left and right edges follow the parent's width change
    CP_MOVE_VERTICAL = 2,      // top and bottom edges follow the parent's height change
    CP_RESIZE_HORIZONTAL = 4,  // the right edge follows the width change
    CP_RESIZE_VERTICAL = 8,    // the bottom edge follows the height change
};

// The change of one parent dimension to apply to its controls. nNow, nPrevious and nReference
// are the current, previous and reference sizes. Without negative moves the controls never go
// below their layout at the reference size: growing beyond it moves them by the growth past
// max(previous, reference); shrinking back to or below it returns them to that layout.
CONTROLS_API int ControlPosChange(int nNow, int nPrevious, int nReference, BOOL bNegativeMoves);

// Moves one control rectangle (parent coordinates) by the changes dW and dH according to dwFlags.
// With negative moves the vertical resize keeps the control's reference-size margin instead:
// bottom = top + nHeight - (nReferenceHeight - nRegisteredHeight).
CONTROLS_API void ControlPosApply(RECT& rc, DWORD dwFlags, int dW, int dH, BOOL bNegativeMoves, int nHeight,
                                  int nReferenceHeight, int nRegisteredHeight);
