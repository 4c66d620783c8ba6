// The order basket: orders the trader fills in cell by cell before sending them together. Symbol,
// Side (a drop-down), Qty, Price (the price editor), Validity (a date picker) and Value, a formula
// column (Qty * Price) that is never edited. The scripted session edits by clicks and Tab through
// every cell kind, first with the list's own column sets, then with the terminal deciding each
// cell's editor; the terminal writes every result back into its order records.
#include "DemoScene.h"

#include "editors/InPlaceCombo.h"
#include "editors/InPlaceDTPicker.h"
#include "editors/InPlaceEdit.h"
#include "editors/InPlacePriceEdit.h"
#include "market/CategoryListCtrl.h"
#include <OrvoTools.h>

#include <cstdlib>
#include <string>

namespace
{
enum { colSymbol, colSide, colQty, colPrice, colValidity, colValue };

struct sOrder
{
    CString csSymbol, csSide, csQty, csPrice, csValidity;
};

sOrder g_orders[] = {
    { "RELIANCE", "BUY", "100", "2450.50", "28/06/2024" },
    { "INFY", "SELL", "50", "1520.00", "28/06/2024" },
    { "TCS", "BUY", "25", "3890.75", "28/06/2024" },
    { "HDFCBANK", "BUY", "40", "1675.25", "28/06/2024" },
};

int OrderText(ULONGLONG dwItemData, int nColumn, CString& text, unsigned long&, unsigned long&, int&)
{
    const sOrder* p = reinterpret_cast<const sOrder*>(dwItemData);
    switch (nColumn)
    {
    case colSymbol: text = p->csSymbol; return 1;
    case colSide: text = p->csSide; return 1;
    case colQty: text = p->csQty; return 1;
    case colPrice: text = p->csPrice; return 1;
    case colValidity: text = p->csValidity; return 1;
    default: return 0;
    }
}

class COrderBasketWnd : public CWnd
{
public:
    CCategoryListCtrl m_list;
    bool m_bClickPending = false;   // the next request comes from a click, not from Tab
    int m_nStored = 0;
    const CDemoContext* m_pLog = nullptr;   // interactive: each stored edit goes to the log

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message)
        {
        case WM_LIST_CELLCLICKED:
            m_bClickPending = true;
            return 0;
        case WM_LIST_CELLREQUEST:
            if (m_list.m_bOwnerDecides)
                Decide(LOWORD(wParam), HIWORD(wParam), *reinterpret_cast<sCellRequest*>(lParam));
            else
                Sides(*reinterpret_cast<CStringList*>(lParam));
            return 0;
        case WM_LIST_ENDEDIT:
            Store(*reinterpret_cast<NMLVDISPINFOA*>(lParam));
            return 0;
        default:
            return CWnd::WindowProc(message, wParam, lParam);
        }
    }

private:
    static void Sides(CStringList& choices)
    {
        choices.AddTail("BUY");
        choices.AddTail("SELL");
    }
    void Decide(int, int nListColumn, sCellRequest& request)
    {
        const bool bClick = m_bClickPending;
        m_bClickPending = false;
        switch (m_list.ColumnAtPosition(nListColumn))
        {
        case colSymbol:
        case colQty:
            request.nKind = CATEGORY_CELL_TEXT;
            break;
        case colSide:
            request.nKind = CATEGORY_CELL_COMBO;
            Sides(request.lstChoices);
            break;
        case colPrice:
            request.nKind = bClick ? CATEGORY_CELL_PRICE_CLICK : CATEGORY_CELL_PRICE_TAB;
            request.nPrecision = 2;
            break;
        case colValidity:
            request.nKind = CATEGORY_CELL_DTPICKER;
            break;
        default:
            break;   // Value: computed, no editor
        }
    }
    // The terminal keeps the orders: the list only reports.
    void Store(const NMLVDISPINFOA& info)
    {
        if (info.item.iItem < 0 || info.item.pszText == nullptr)
            return;
        sOrder* p = reinterpret_cast<sOrder*>(m_list.GetItemData(info.item.iItem));
        if (p == nullptr)
            return;
        CString* fields[] = { &p->csSymbol, &p->csSide, &p->csQty, &p->csPrice, &p->csValidity };
        const int nColumn = m_list.ColumnAtPosition(info.item.iSubItem);
        if (nColumn < colSymbol || nColumn > colValidity)
            return;
        *fields[nColumn] = info.item.pszText;
        if (nColumn == colPrice)
            p->csPrice.Format("%.2f", atof(info.item.pszText));   // the basket shows two decimals
        ++m_nStored;
        if (m_pLog != nullptr)
            m_pLog->Print("order basket: %s %s is now \"%s\"", (LPCTSTR)p->csSymbol,
                          (LPCTSTR)m_list.m_arrColInfo[nColumn].szColName, (LPCTSTR)*fields[nColumn]);
        m_list.Invalidate();
    }
};

// A key to whichever window has the keyboard, through the pump (so the editors see it first).
void Press(UINT vk)
{
    ::PostMessageA(::GetFocus(), WM_KEYDOWN, vk, 1);
    for (int i = 0; i < 3; ++i)
        AfxPumpPendingMessages();
}

void Type(const char* psz)
{
    const HWND hFocus = ::GetFocus();
    ::SendMessageA(hFocus, EM_SETSEL, 0, -1);
    for (; *psz != '\0'; ++psz)
        ::SendMessageA(hFocus, WM_CHAR, (WPARAM)(unsigned char)*psz, 1);
}

void Click(CCategoryListCtrl& list, int nRow, int nColumn)
{
    list.SetItemState(nRow, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    CRect rc;
    list.GetSubItemRect(nRow, nColumn, LVIR_BOUNDS, rc);
    const LPARAM lParam = MAKELPARAM(rc.left + 10, rc.CenterPoint().y);
    list.PostMessage(WM_LBUTTONUP, 0, lParam);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lParam);
    for (int i = 0; i < 3; ++i)
        AfxPumpPendingMessages();
}

// "Symbol Side Qty Price Validity Value" of one row, as the grid shows it.
CString RowText(CCategoryListCtrl& list, int nRow)
{
    CString csRow;
    for (int c = 0; c <= colValue; ++c)
        csRow += (c ? " | " : "") + list.GetItemText(nRow, c);
    return csRow;
}

const char* OpenEditorName()
{
    if (CInPlaceCombo::GetInstance()->GetSafeHwnd() != nullptr)
        return "drop-down";
    if (CInPlacePriceEdit::GetInstance()->GetSafeHwnd() != nullptr)
        return "price editor";
    if (CInPlaceDTPicker::GetInstance()->GetSafeHwnd() != nullptr)
        return "date picker";
    if (CInPlaceEdit::GetInstance()->GetSafeHwnd() != nullptr)
        return "text editor";
    return "no editor";
}
}  // namespace

DEMO_SCENE(OrderBasket, 66)
{
    static COrderBasketWnd wnd;
    CRect frame;
    context.m_pMainWnd->GetWindowRect(&frame);
    if (!context.CreateSceneWindow(wnd, "Order Basket", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE,
                                   CRect(CPoint(frame.left + 60, frame.top + 90), CSize(600, 230))))
    {
        context.Print("order basket: could not create the window");
        return;
    }
    CCategoryListCtrl& list = wnd.m_list;
    if (!list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS, CRect(0, 0, 590, 200),
                     &wnd, 110))
        return;
    list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    static const struct
    {
        const char* name;
        int nWidth;
        int nFormat;
        int nType;
    } columns[] = { { "Symbol", 100, LVCFMT_LEFT, LIST_SORT_TEXT },     { "Side", 70, LVCFMT_CENTER, LIST_SORT_TEXT },
                    { "Qty", 70, LVCFMT_RIGHT, LIST_SORT_INTEGER },    { "Price", 95, LVCFMT_RIGHT, LIST_SORT_DECIMAL },
                    { "Validity", 105, LVCFMT_LEFT, LIST_SORT_TEXT } };
    for (const auto& c : columns)
    {
        sOrvoColInfo info = {};
        strlcpy(info.szColName, c.name, sizeof(info.szColName));
        info.nWidth = c.nWidth;
        info.nFormat = c.nFormat;
        info.nDataType = c.nType;
        list.m_arrColInfo.Add(info);
    }
    list.m_csListName = "OrderBasket";
    list.InitColumnTextRtn(&OrderText);
    list.InsertColumnsForList(nullptr);
    // Value = Qty * Price, a formula column after the built-in ones; the rebuild makes it read-only.
    sOrvoColInfo value = {};
    strlcpy(value.szColName, "Value", sizeof(value.szColName));
    value.nWidth = 120;
    value.nFormat = LVCFMT_RIGHT;
    value.nDataType = LIST_SORT_DECIMAL;
    value.csText1 = " \"2\" * \"3\"";
    list.m_arrColInfo.Add(value);
    list.m_arrColPosition.SetAtGrow(colValue, colValue);
    list.m_arrColWidth.SetAtGrow(colValue, 120);
    list.InsertColumnsForList(nullptr);
    list.SetUseFilter(TRUE);
    for (sOrder& order : g_orders)
    {
        list.InsertItem(0, "", 0);
        list.SetItemData(0, (DWORD_PTR)&order);
    }
    list.SetComboColumns(colSide, true);
    list.m_dwDTPickerStyle = 0;   // a date: "dd/MM/yyyy"
    context.Print("order basket: %d orders; Side a drop-down, Value read-only: %s", list.GetDisplayCount(),
                  list.IsReadOnly(colValue) ? "yes" : "NO");
    if (!context.m_bHeadless)
    {
        context.SetPageState([&list] { return DemoListState(list); });
        wnd.m_pLog = &context;
        return;
    }

    // Column sets: a click on INFY's side opens the drop-down with SELL selected.
    Click(list, 1, colSide);
    context.Print("order basket: click on INFY Side: %s, showing \"%s\"", OpenEditorName(),
                  (LPCTSTR)[&] { CString s; CInPlaceCombo::GetInstance()->GetWindowText(s); return s; }());
    context.Capture(&wnd, "category_combo_open");
    CInPlaceCombo::GetInstance()->SetCurSel(0);
    Press(VK_RETURN);

    // A round of Tab over TCS: symbol, side, qty, price, validity; Value is passed over.
    Click(list, 2, colSymbol);
    context.Print("order basket: click on TCS Symbol: %s", OpenEditorName());
    context.Capture(&wnd, "category_text_open");
    Type("TCS-EQ");
    Press(VK_TAB);
    CInPlaceCombo::GetInstance()->SetCurSel(1);
    Press(VK_TAB);
    Type("75");
    Press(VK_TAB);
    Type("3901.5");
    Press(VK_TAB);
    Type("05/07/2024");
    Press(VK_TAB);
    context.Print("order basket: after a Tab round the editor is on row %d, column %d (%s)", list.m_iEditingRow,
                  list.m_iEditingColumn, OpenEditorName());
    Press(VK_ESCAPE);
    context.Print("order basket: TCS now %s", (LPCTSTR)RowText(list, 2));
    context.Capture(&wnd, "category_after_tab_round");

    // The terminal decides: a click on HDFCBANK's price opens the price editor (two decimals),
    // Tab goes to the date picker.
    list.m_bOwnerDecides = true;
    Click(list, 3, colPrice);
    context.Print("order basket: owner decides, click on HDFCBANK Price: %s", OpenEditorName());
    Type("1680.4");
    context.Capture(&wnd, "category_price_open");
    Press(VK_TAB);
    context.Print("order basket: Tab from the price: %s", OpenEditorName());
    CInPlaceDTPicker::GetInstance()->SetTime(CTime(2024, 7, 12, 0, 0, 0));
    context.Capture(&wnd, "category_picker_open");
    Press(VK_RETURN);
    context.Print("order basket: HDFCBANK now %s", (LPCTSTR)RowText(list, 3));
    context.Print("order basket: %d results stored by the terminal", wnd.m_nStored);
    context.Capture(&wnd, "category_owner_decides");
    list.SetFocus();
    AfxPumpPendingMessages();
    CInPlaceDTPicker::DeleteInstance();
    CInPlacePriceEdit::DeleteInstance();
    wnd.DestroyWindow();
}
