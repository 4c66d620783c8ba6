// The order-quantity table: a grid whose Qty and Price cells the trader types into directly. The
// scripted session clicks a quantity, types a stray letter (refused with a beep), types a number,
// moves down with the arrow key and confirms with Enter; the terminal stores only what its
// callback accepts. Then a category-style row shows the drop-down and price cell editors.
#include "DemoScene.h"

#include "editors/InPlaceCombo.h"
#include "editors/InPlacePriceEdit.h"
#include "lists/gxEditCell.h"
#include "lists/gxListCtrl.h"

#include <cstdio>
#include <cstdlib>

namespace
{
enum { colSymbol, colQty, colPrice, colSide };

class COrderTableWnd : public CWnd
{
public:
    gxListCtrl m_list;
    CListCtrl m_category;
    int m_nAccepted = 0;
    int m_nRefused = 0;

    // The terminal's check of a typed cell: a positive number.
    int OnCellTyped(int nColumn, CString csText)
    {
        const bool bOk = !csText.IsEmpty() && atof(csText) > 0;
        (bOk ? m_nAccepted : m_nRefused)++;
        (void)nColumn;
        return bOk ? 1 : 0;
    }
};

void Press(HWND hWnd, UINT vk)
{
    ::PostMessageA(hWnd, WM_KEYDOWN, vk, 1);
    AfxPumpPendingMessages();
}

void TypeText(HWND hWnd, const char* psz)
{
    for (; *psz != '\0'; ++psz)
        ::SendMessageA(hWnd, WM_CHAR, (WPARAM)(unsigned char)*psz, 1);
}

void Click(CListCtrl& list, int nRow, int nColumn)
{
    CRect rc;
    list.GetSubItemRect(nRow, nColumn, LVIR_BOUNDS, rc);
    const LPARAM lParam = MAKELPARAM(rc.left + 10, rc.CenterPoint().y);
    list.PostMessage(WM_LBUTTONUP, 0, lParam);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lParam);
    AfxPumpPendingMessages();
}
}  // namespace

DEMO_SCENE(EditableTable, 65)
{
    static COrderTableWnd wnd;
    CRect frame;
    context.m_pMainWnd->GetWindowRect(&frame);
    if (!wnd.CreateEx(WS_EX_TOOLWINDOW, nullptr, "Order Quantities", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE,
                      frame.left + 40, frame.top + 80, 460, 330, context.m_pMainWnd->m_hWnd, nullptr))
    {
        context.Print("editable table: could not create the window");
        return;
    }
    gxListCtrl& list = wnd.m_list;
    if (!list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(0, 0, 450, 190), &wnd, 100))
        return;
    list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    list.InsertColumn(colSymbol, "Symbol", LVCFMT_LEFT, 130, colSymbol);
    list.InsertColumn(colQty, "Qty", LVCFMT_RIGHT, 90, colQty);
    list.InsertColumn(colPrice, "Price", LVCFMT_RIGHT, 100, colPrice);
    list.InsertColumn(colSide, "Side", LVCFMT_CENTER, 70, colSide);
    static const char* const rows[][4] = { { "RELIANCE", "100", "2450.50", "BUY" }, { "INFY", "50", "1520.00", "SELL" },
                                          { "TCS", "25", "3890.75", "BUY" }, { "GOLD", "1", "61250.00", "BUY" },
                                          { "NIFTY24JUN", "75", "22950.00", "SELL" } };
    for (int r = 0; r < 5; ++r)
    {
        list.InsertItem(r, rows[r][0]);
        for (int c = 1; c < 4; ++c)
            list.SetItemText(r, c, rows[r][c]);
    }
    list.m_arrEditableColumns.Add(colQty);
    list.m_arrEditableColumns.Add(colPrice);
    list.SetCallbackForColUpdate(static_cast<gxListCtrl::PFN_COLUMN_UPDATE_CALLBACK>(&COrderTableWnd::OnCellTyped));

    // A category-style row under the table: one instrument's order fields.
    CListCtrl& category = wnd.m_category;
    category.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_NOSORTHEADER, CRect(0, 200, 450, 300), &wnd, 101);
    category.SetExtendedStyle(LVS_EX_GRIDLINES);
    category.InsertColumn(0, "Field", LVCFMT_LEFT, 130);
    category.InsertColumn(1, "Value", LVCFMT_LEFT, 160);
    category.InsertItem(0, "Order type");
    category.SetItemText(0, 1, "LIMIT");
    category.InsertItem(1, "Limit price");
    category.SetItemText(1, 1, "2450.50");
    context.Print("editable table: %d orders, Qty and Price editable", list.GetItemCount());
    if (!context.m_bHeadless)
        return;

    Click(list, 1, colQty);
    HWND hEdit = ::GetDlgItem(list.m_hWnd, GX_EDIT_CELL_ID);
    context.Print("editable table: clicked INFY's Qty, editor %s over the cell", hEdit != nullptr ? "open" : "NOT open");
    context.Capture(&wnd, "celledit_open");

    const size_t nBeeps = context.m_pScript != nullptr ? context.m_pScript->Count("beep") : 0;
    TypeText(hEdit, "x");
    char sz[64] = "";
    ::GetWindowTextA(hEdit, sz, sizeof(sz));
    context.Print("editable table: typed 'x': %s, text still \"%s\"",
                  context.m_pScript != nullptr && context.m_pScript->Count("beep") > nBeeps ? "refused with a beep"
                                                                                              : "NOT refused",
                  sz);
    context.Capture(&wnd, "celledit_refused");

    TypeText(hEdit, "200");
    Press(hEdit, VK_DOWN);   // stores 200 and opens the editor on TCS's Qty
    hEdit = ::GetDlgItem(list.m_hWnd, GX_EDIT_CELL_ID);
    ::SendMessageA(hEdit, EM_SETSEL, 0, -1);
    TypeText(hEdit, "40");
    Press(hEdit, VK_RETURN);
    context.Print("editable table: INFY Qty %s, TCS Qty %s (accepted %d, refused %d)",
                  (LPCTSTR)list.CListCtrl::GetItemText(1, colQty), (LPCTSTR)list.CListCtrl::GetItemText(2, colQty),
                  wnd.m_nAccepted, wnd.m_nRefused);
    context.Capture(&wnd, "celledit_after_enter");

    // The drop-down editor over the category row's value.
    CStringList types;
    for (const char* psz : { "MARKET", "LIMIT", "STOP LOSS", "STOP LIMIT" })
        types.AddTail(psz);
    CRect rcCell;
    category.GetSubItemRect(0, 1, LVIR_BOUNDS, rcCell);
    rcCell.bottom += 100;
    CInPlaceCombo* pCombo = CInPlaceCombo::GetInstance();
    pCombo->ShowComboCtrl(WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, rcCell, &category, 500, 0, 1, &types, "LIMIT", -1);
    pCombo->SetCurSel(2);
    context.Print("editable table: drop-down editor %s on the order type, choosing STOP LOSS",
                  pCombo->GetSafeHwnd() != nullptr && pCombo->IsWindowVisible() ? "open" : "NOT open");
    context.Capture(&wnd, "celledit_dropdown");
    category.SetFocus();

    CString csPrice = category.GetItemText(1, 1);
    category.GetSubItemRect(1, 1, LVIR_BOUNDS, rcCell);
    CInPlacePriceEdit* pPrice = CInPlacePriceEdit::GetInstance();
    pPrice->setPrecision(2);
    pPrice->ShowPriceEditCtrl(WS_BORDER | ES_RIGHT, rcCell, &category, 501, 1, 1, csPrice, &category);
    ::SendMessageA(pPrice->m_hWnd, EM_SETSEL, 0, -1);
    TypeText(pPrice->m_hWnd, "1234567.5");
    CString csShown;
    pPrice->GetWindowText(csShown);
    context.Print("editable table: price editor shows \"%s\"", (LPCTSTR)csShown);
    context.Capture(&wnd, "celledit_price");
    category.SetFocus();
    AfxPumpPendingMessages();
    CInPlaceCombo::DeleteInstance();
    CInPlacePriceEdit::DeleteInstance();
    wnd.DestroyWindow();
}
