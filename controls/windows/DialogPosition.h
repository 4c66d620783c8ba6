// A dialog's saved placement, free of windows: the text stored under "DIALOG_POSITION" (nine
// decimal values: normal rectangle top, left, bottom, right; maximised position x, y; minimised
// position x, y; show command), how a saved value is merged into the dialog's own placement, and
// the rule that brings a placement back where the user can see it, given the monitors' work
// areas. CVXDialog reads, applies and writes placements through these functions.
#pragma once

#include <afxgeom.h>
#include <afxstr.h>

// The show commands a placement may carry once it has been brought back on screen.
enum
{
    DIALOG_SHOW_NORMAL = 1,      // SW_SHOWNORMAL
    DIALOG_SHOW_MAXIMIZED = 3,   // SW_SHOWMAXIMIZED
};

// Largest magnitude of a stored coordinate: window coordinates fit in 16 bits.
enum
{
    DIALOG_POSITION_MIN = -32768,
    DIALOG_POSITION_MAX = 32767,
};

struct sDialogPosition
{
    RECT rcNormal;   // normal (restored) rectangle
    POINT ptMax;     // maximised position
    POINT ptMin;     // minimised position
    int nShowCmd;
};

enum eDialogPositionText
{
    DIALOG_POSITION_OK,           // nine values read
    DIALOG_POSITION_EMPTY,        // an empty text
    DIALOG_POSITION_MALFORMED,    // a field that is not a window coordinate (logged by the dialog)
    DIALOG_POSITION_INCOMPLETE,   // well-formed fields, but not nine of them
};

// Reads a saved value. Fields are separated by commas; empty fields are skipped. A field is
// decimal digits with an optional leading '-', at most nine digits, within DIALOG_POSITION_MIN to
// DIALOG_POSITION_MAX; the first field that is not makes the text malformed, whatever follows.
// pos is filled only when the result is DIALOG_POSITION_OK.
CONTROLS_API eDialogPositionText ParseDialogPosition(LPCTSTR pszText, sDialogPosition& pos);

// The text ParseDialogPosition reads back: "%d,%d,%d,%d,%d,%d,%d,%d,%d" in the stored order.
CONTROLS_API CString FormatDialogPosition(const sDialogPosition& pos);

// The placement a dialog takes from a saved one. A resizable dialog takes the saved normal
// rectangle; a fixed-size one, or a saved rectangle without area (right <= left or bottom <= top),
// keeps the size of the current normal rectangle at the saved top-left corner. The maximised and
// minimised positions and the show command come from the saved value.
CONTROLS_API sDialogPosition MergeDialogPosition(const sDialogPosition& current, const sDialogPosition& saved,
                                                 bool bResizable);

// Brings a placement back where the user can see it, given the work areas of the monitors
// (rectangles without area are ignored; with none left, the rectangle is not moved):
// - every show command other than maximised becomes normal (a dialog never opens hidden or
//   minimised);
// - a maximised or minimised position that lies on no monitor becomes (-1, -1), the system's
//   choice;
// - a normal rectangle wholly covered by the monitors stays; any other moves onto the monitor that
//   shows most of it, or when none shows any of it, the nearest one (the first listed on a tie),
//   keeping its size and moving as little as it can. A rectangle larger than that monitor shrinks
//   to it when the dialog is resizable; a fixed-size one keeps its size with its top or left edge
//   at the monitor's, so its caption stays reachable.
CONTROLS_API void BringDialogPositionOnScreen(sDialogPosition& pos, const RECT* pWorkAreas, int nWorkAreas,
                                              bool bResizable);

// True when the union of the work areas covers the whole rectangle (a rectangle without area is
// covered when its top-left corner lies on a monitor).
CONTROLS_API bool IsCoveredByWorkAreas(const RECT& rc, const RECT* pWorkAreas, int nWorkAreas);
