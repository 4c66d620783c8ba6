// Thousands separators for number texts shown in grids.
#pragma once

#include <afx.h>

// "1234567.5" gives "1,234,567.5", "-1234" gives "-1,234": the integer part (before the last '.')
// loses any ',' it had and gets one before every third digit from its end; leading blanks, the
// sign and the decimal part are kept. A text whose integer part is not blanks, an optional sign
// and digits ("1e10", "12 345", "NA") comes back unchanged.
CONTROLS_API CString ListGroupThousands(const CString& text);

// What a grid cell draws of a text, with the work capped whatever its length: a text of up to
// nMaxChars characters comes back whole (grouped with ListGroupThousands when bGroup); a longer one
// is cut to about nMaxChars characters followed by "...", and a number among those is grouped as
// its whole would be (the commas where the full grouping puts them), so a cell too narrow for
// nMaxChars characters shows what it would show of the whole.
CONTROLS_API CString ListCellDisplayText(const CString& text, bool bGroup, int nMaxChars);
