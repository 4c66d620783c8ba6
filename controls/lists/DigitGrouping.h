// Thousands separators for number texts shown in grids.
#pragma once

#include <afx.h>

// "1234567.5" gives "1,234,567.5", "-1234" gives "-1,234": the integer part (before the last '.')
// loses any ',' it had and gets one before every third digit from its end; leading blanks, the
// sign and the decimal part are kept. A text whose integer part is not blanks, an optional sign
// and digits ("1e10", "12 345", "NA") comes back unchanged.
CONTROLS_API CString ListGroupThousands(const CString& text);
