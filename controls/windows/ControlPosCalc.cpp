#include "windows/ControlPosCalc.h"

int ControlPosChange(int nNow, int nPrevious, int nReference, BOOL bNegativeMoves)
{
    if (bNegativeMoves)
        return nNow - nPrevious;
    if (nNow > nReference)
        return nNow - (nPrevious > nReference ? nPrevious : nReference);
    if (nPrevious > nReference)
        return nReference - nPrevious;
    return 0;
}

void ControlPosApply(RECT& rc, DWORD dwFlags, int dW, int dH, BOOL bNegativeMoves, int nHeight,
                     int nReferenceHeight, int nRegisteredHeight)
{
    if (dwFlags & CP_RESIZE_VERTICAL)
    {
        if (bNegativeMoves)
            rc.bottom = rc.top + nHeight - (nReferenceHeight - nRegisteredHeight);
        else
            rc.bottom += dH;
    }
    if (dwFlags & CP_RESIZE_HORIZONTAL)
        rc.right += dW;
    if (dwFlags & CP_MOVE_VERTICAL)
    {
        rc.top += dH;
        rc.bottom += dH;
    }
    if (dwFlags & CP_MOVE_HORIZONTAL)
    {
        rc.left += dW;
        rc.right += dW;
    }
}
