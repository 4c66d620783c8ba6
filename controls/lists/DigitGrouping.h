// Thousands separators for number texts shown in grids.
#pragma once

#include <afx.h>

// "1234567.5" gives "1,234,567.5", "-1234" gives "-1,234": the integer part (before the last '.')
// loses any ',' it had and gets one before every third digit from its end; the sign and the
// decimal part are kept.
CONTROLS_API CString ListGroupThousands(const CString& text);
