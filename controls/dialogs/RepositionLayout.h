// Where the Reposition Columns dialog puts its controls for a client area of W x H: the two lists
// share the width around a middle strip of buttons, the command buttons sit along the bottom.
// No window in here.
#pragma once

struct sLayoutRect
{
    int left, top, right, bottom;
};

struct sRepositionLayout
{
    sLayoutRect hiddenList, shownList, showButton, hideButton, autoSort, viewButton, cancelButton, saveButton;
};

sRepositionLayout RepositionColumnsLayout(int W, int H);
