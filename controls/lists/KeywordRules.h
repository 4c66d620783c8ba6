// The keyword rules of an appearance record, as the grids apply them while they paint: the row
// colour from the customize rules (a keyword contained in the text of the keyword column) and
// the cell colours from the user keywords (a keyword equal to the cell text). Both compare
// without regard to case (ASCII letters). No window in here: a grid fetches the cell text itself
// and asks these.
#pragma once

#include <afx.h>
#include "lists/cCustomizedAppearanceSettings.h"

namespace KeywordRules
{
// The row's colour: when the record has a keyword column and keyword colours and the text of that
// column (pszCellText, null when the row has none) contains a keyword, color becomes the colour
// of the first such rule in stored order; otherwise it is left as it was. Empty keywords never
// match. Returns 1.
CONTROLS_API int GetTextColorForItem(const cCustomizedAppearanceSettings& record, LPCTSTR pszCellText, COLORREF& color);

// The cell's colours: the first user keyword equal to the whole cell text sets the text colour
// and the text background colour from the user arrays; with no match both stay. Returns 1.
CONTROLS_API int GetProperty(const cCustomizedAppearanceSettings& record, COLORREF& textColor, COLORREF& backColor,
                             LPCTSTR pszCellText);
}  // namespace KeywordRules
