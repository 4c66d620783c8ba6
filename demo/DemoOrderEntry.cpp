// The terminal's order-entry dialog: a price box that groups the digits while the trader types and
// refuses what would make a wrong price, and a quantity box that takes whole lots only. The
// scripted session types a too-long number, a valid price and a stray letter, and prints each
// refusal the boxes report.
#include "DemoDialogTemplate.h"
#include "DemoScene.h"

#include "editors/NumEdit.h"
#include "editors/PriceEdit.h"

#include <string>
#include <vector>

namespace
{
enum
{
    IDC_PRICE = 1001,
    IDC_QUANTITY = 1002,
    IDC_SUMMARY = 1003,
    IDC_PRICE_LABEL = 1004,
    IDC_QUANTITY_LABEL = 1005,
};

const WORD kButton = 0x0080;
const WORD kEdit = 0x0081;
const WORD kStatic = 0x0082;

class COrderEntryDlg : public CDialog
{
public:
    CPriceEdit m_price;
    CNumEdit m_quantity;
    CStatic m_summary;

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_price.SubclassDlgItem(IDC_PRICE, this);
        m_quantity.SubclassDlgItem(IDC_QUANTITY, this);
        m_summary.SubclassDlgItem(IDC_SUMMARY, this);
        m_price.setPrecision(2);
        m_price.m_dMinValue = 0.0;
        // Whole lots between 1 and 100000.
        m_quantity.m_strValidChars = "0123456789";
        m_quantity.SetRange(100000.0f, 1.0f);
        return TRUE;
    }

    afx_msg void OnFieldChange()
    {
        CString strPrice;
        CString strQuantity;
        m_price.GetWindowText(strPrice);
        m_quantity.GetWindowText(strQuantity);
        CString strSummary;
        if (strPrice.IsEmpty() || strQuantity.IsEmpty())
            strSummary = "Enter a price and a quantity";
        else
            strSummary.Format("Buy %s @ %s", strQuantity, strPrice);
        m_summary.SetWindowText(strSummary);
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COrderEntryDlg, CDialog)
    ON_EN_CHANGE(IDC_PRICE, OnFieldChange)
    ON_EN_CHANGE(IDC_QUANTITY, OnFieldChange)
END_MESSAGE_MAP()

// The balloon reports sent on this thread while the scene plays, so the session can print them.
std::vector<std::wstring> g_reports;
HHOOK g_hReportHook = nullptr;

LRESULT CALLBACK CollectReports(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* p = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (nCode == HC_ACTION && p->message == EM_SHOWBALLOONTIP && p->lParam != 0)
    {
        const EDITBALLOONTIP* tip = reinterpret_cast<const EDITBALLOONTIP*>(p->lParam);
        g_reports.push_back(std::wstring(tip->pszTitle) + L": " + tip->pszText);
    }
    return ::CallNextHookEx(g_hReportHook, nCode, wParam, lParam);
}

void Type(CWnd& box, const char* pszKeys)
{
    for (const char* p = pszKeys; *p != '\0'; p++)
        box.SendMessage(WM_CHAR, (WPARAM)(unsigned char)*p, 1);
}

void PrintReports(CDemoContext& context, const char* pszStep)
{
    for (const std::wstring& r : g_reports)
    {
        char sz[256];
        ::WideCharToMultiByte(CP_ACP, 0, r.c_str(), -1, sz, sizeof(sz), nullptr, nullptr);
        context.Print("order entry: %s: balloon \"%s\"", pszStep, sz);
    }
    g_reports.clear();
}

void PrintBox(CDemoContext& context, const char* pszStep, CWnd& box)
{
    CString strText;
    box.GetWindowText(strText);
    context.Print("order entry: %s -> \"%s\"", pszStep, (LPCTSTR)strText);
    PrintReports(context, pszStep);
}
}  // namespace

DEMO_SCENE(OrderEntry, 60)
{
    CDemoDialogTemplate tmpl(L"Order Entry", 200, 96);
    tmpl.AddItem(kStatic, L"Price", SS_LEFT, 8, 10, 50, 10, IDC_PRICE_LABEL);
    tmpl.AddItem(kEdit, L"", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_RIGHT, 64, 8, 128, 14, IDC_PRICE);
    tmpl.AddItem(kStatic, L"Quantity", SS_LEFT, 8, 30, 50, 10, IDC_QUANTITY_LABEL);
    tmpl.AddItem(kEdit, L"", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_RIGHT, 64, 28, 128, 14, IDC_QUANTITY);
    tmpl.AddItem(kStatic, L"Enter a price and a quantity", SS_LEFT, 8, 52, 184, 10, IDC_SUMMARY);
    tmpl.AddItem(kButton, L"Place", BS_DEFPUSHBUTTON | WS_TABSTOP, 88, 74, 50, 14, IDOK);
    tmpl.AddItem(kButton, L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, 142, 74, 50, 14, IDCANCEL);

    static COrderEntryDlg dlg;
    if (!dlg.CreateIndirect(tmpl.Get(), context.m_pMainWnd))
    {
        context.Print("order entry: could not create the dialog");
        return;
    }
    CRect frame;
    context.m_pMainWnd->GetWindowRect(&frame);
    dlg.SetWindowPos(nullptr, frame.left + 80, frame.top + 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    dlg.ShowWindow(SW_SHOW);
    if (!context.m_bHeadless)
        return;

    g_hReportHook = ::SetWindowsHookExA(WH_CALLWNDPROC, CollectReports, nullptr, ::GetCurrentThreadId());
    const size_t nBeepsBefore = context.m_pScript ? context.m_pScript->Count("beep") : 0;

    // Seventeen digits: the box stops at fifteen significant digits.
    dlg.m_price.SetFocus();
    Type(dlg.m_price, "12345678901234567");
    PrintBox(context, "typed 12345678901234567", dlg.m_price);
    context.Capture(&dlg, "order_entry_too_long");

    // Start again with a valid price, grouped while it is typed.
    dlg.m_price.SetSel(0, -1);
    Type(dlg.m_price, "1234567.25");
    PrintBox(context, "typed 1234567.25", dlg.m_price);

    // A stray letter and a third decimal are refused; the price stays as it was.
    Type(dlg.m_price, "x");
    PrintBox(context, "typed x", dlg.m_price);
    Type(dlg.m_price, "9");
    PrintBox(context, "typed a third decimal", dlg.m_price);

    dlg.m_quantity.SetFocus();
    Type(dlg.m_quantity, "250");
    PrintBox(context, "quantity 250", dlg.m_quantity);
    // Quantities are whole lots: the point is refused.
    Type(dlg.m_quantity, ".");
    PrintBox(context, "quantity typed .", dlg.m_quantity);

    ::UnhookWindowsHookEx(g_hReportHook);
    g_hReportHook = nullptr;
    if (context.m_pScript)
        context.Print("order entry: %d warning beeps", (int)(context.m_pScript->Count("beep") - nBeepsBefore));
    context.Pump();
    context.Capture(&dlg, "order_entry");
    dlg.DestroyWindow();
}
