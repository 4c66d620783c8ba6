#include "dialogs/RepositionLayout.h"

sRepositionLayout RepositionColumnsLayout(int W, int H)
{
    sRepositionLayout l;
    l.hiddenList = { 5, 5, W / 2 - 45, H - 45 };
    l.shownList = { W / 2 + 45, 5, W - 5, H - 45 };
    l.showButton = { W / 2 - 40, H / 2 - 90, W / 2 + 40, H / 2 - 40 };
    l.hideButton = { W / 2 - 40, H / 2 - 35, W / 2 + 40, H / 2 + 15 };
    l.autoSort = { W / 2 - 40, H / 2 + 30, W / 2 + 20, H / 2 + 60 };
    l.viewButton = { 10, H - 30, 90, H - 7 };
    l.cancelButton = { W - 90, H - 30, W - 10, H - 7 };
    l.saveButton = { W - 175, H - 30, W - 95, H - 7 };
    return l;
}
