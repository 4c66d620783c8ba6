// CSearchListBox: a list box in which Ctrl+V selects the first entry that begins with the text on
// the clipboard (case-insensitive, from the top). Text that no entry begins with, an empty text or
// a clipboard without text leave the selection as it was. Only the key-down is acted on, so one
// paste searches once.
#pragma once

#include <afxwin.h>

class CONTROLS_API CSearchListBox : public CListBox
{
public:
    CSearchListBox() = default;

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void SelectByClipboard();
};
