// The terminal's order ticket with the small controls: an instrument list searched by pasting a
// symbol, a chart picture, a validity radio group, a link to the exchange's rules, a Buy split
// button (Buy at the default, or a choice of order types from its menu) and a price ladder of 20
// levels whose cells request an order. The scripted session pastes a symbol, clicks both parts of
// the split button, opens the link (recorded by the modal script, nothing starts), sets the
// validity and clicks a ladder cell, writing a picture of each state.
#include "DemoDialogTemplate.h"
#include "DemoScene.h"

#include <market/PriceLadderListCtrl.h>
#include <widgets/OrvoSplitButton.h>
#include <widgets/PictureCtrl.h>
#include <widgets/RadioGroup.h>
#include <widgets/SearchListBox.h>
#include <widgets/StaticLink.h>

#include <gdiplus.h>

#include <cmath>
#include <string>
#include <vector>

namespace
{
enum
{
    IDC_SYMBOLS = 1001,
    IDC_CHART = 1002,
    IDC_DAY = 1003,
    IDC_GTC = 1004,
    IDC_IOC = 1005,
    IDC_RULES = 1006,
    IDC_BUY = 1007,
    IDC_LADDER = 1008,
    IDC_STATUS = 1009,
    IDC_SYMBOL_LABEL = 1010,
    ID_BUY_LIMIT = 2001,
    ID_BUY_STOP = 2002,
    ID_BUY_MARKET = 2003,
};

const int kLevels = 20;

const WORD kButton = CDemoDialogTemplate::kButton;
const WORD kStatic = CDemoDialogTemplate::kStatic;
const WORD kListBox = CDemoDialogTemplate::kListBox;

const char* const kSymbols[] = { "ACC", "BANKBARODA", "BANKNIFTY", "HDFCBANK", "INFY", "NIFTY", "RELIANCE",
                                 "TATASTEEL", "VOLTAS" };

class COrderTicketDlg : public CDialog
{
public:
    CSearchListBox m_symbols;
    CPictureCtrl m_chart;
    CRadioGroup m_validity;
    CStaticLink m_rules;
    COrvoSplitButton m_buy;
    CPriceLadderListCtrl* m_pLadder = nullptr;
    CStatic m_status;
    CDemoContext* m_pContext = nullptr;

    ~COrderTicketDlg() override { delete m_pLadder; }

    CString LadderCell(int nRow, int nCol) const { return m_pLadder->GetItemText(nRow, nCol); }

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_symbols.SubclassDlgItem(IDC_SYMBOLS, this);
        for (const char* p : kSymbols)
            m_symbols.AddString(p);
        m_symbols.SetCurSel(0);
        m_chart.SubclassDlgItem(IDC_CHART, this);
        m_validity.SetParent(this);
        m_validity.AddButton(IDC_DAY);
        m_validity.AddButton(IDC_GTC);
        m_validity.AddButton(IDC_IOC);
        m_validity.SetGroupCheck(IDC_DAY);
        m_rules.m_link = "https://www.example.com/exchange/trading-rules";
        m_rules.SubclassDlgItem(IDC_RULES, this);
        m_buy.SubclassDlgItem(IDC_BUY, this);
        m_buy.m_menu.AppendMenu(MF_STRING, ID_BUY_LIMIT, "Buy &limit");
        m_buy.m_menu.AppendMenu(MF_STRING, ID_BUY_STOP, "Buy &stop");
        m_buy.m_menu.AppendMenu(MF_SEPARATOR);
        m_buy.m_menu.AppendMenu(MF_STRING, ID_BUY_MARKET, "Buy at &market");
        m_buy.SetDefaultButton(1);
        m_buy.RegisterParentDlg(this);
        m_status.SubclassDlgItem(IDC_STATUS, this);

        // The ladder is made the way a host makes it from a saved layout: by its runtime class.
        m_pLadder = static_cast<CPriceLadderListCtrl*>(RUNTIME_CLASS(CPriceLadderListCtrl)->CreateObject());
        CRect rc(196, 8, 322, 188);
        MapDialogRect(&rc);
        m_pLadder->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL |
                              LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                          rc, this, IDC_LADDER);
        m_pLadder->SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
        m_pLadder->InsertColumn(0, "Bid qty", LVCFMT_RIGHT, 56);
        m_pLadder->InsertColumn(1, "Price", LVCFMT_RIGHT, 70);
        m_pLadder->InsertColumn(2, "Ask qty", LVCFMT_RIGHT, 56);
        for (int i = 0; i < kLevels; i++)
        {
            char sz[32];
            m_pLadder->InsertItem(i, i >= kLevels / 2 ? std::to_string(150 + (i * 37) % 400).c_str() : "");
            snprintf(sz, sizeof(sz), "%.2f", 2452.50 - i * 0.25);
            m_pLadder->SetItemText(i, 1, sz);
            if (i < kLevels / 2)
                m_pLadder->SetItemText(i, 2, std::to_string(120 + (i * 53) % 450).c_str());
        }
        return TRUE;
    }

    void Report(const CString& csLine)
    {
        m_status.SetWindowText(csLine);
        if (m_pContext != nullptr)
            m_pContext->Print("order ticket: %s", (LPCTSTR)csLine);
    }

    afx_msg void OnBuy()
    {
        CString csLine;
        switch (m_buy.m_nSelectedCommand)
        {
        case COrvoSplitButton::SPLIT_MAIN_COMMAND: csLine = "Buy (default: limit at the best ask)"; break;
        case ID_BUY_LIMIT: csLine = "Buy limit chosen from the menu"; break;
        case ID_BUY_STOP: csLine = "Buy stop chosen from the menu"; break;
        case ID_BUY_MARKET: csLine = "Buy at market chosen from the menu"; break;
        default: csLine.Format("Buy: command %d", m_buy.m_nSelectedCommand); break;
        }
        Report(csLine);
    }

    afx_msg void OnValidity()
    {
        const MSG* pMsg = CWnd::GetCurrentMessage();
        m_validity.SetGroupCheck(LOWORD(pMsg->wParam));
    }

    afx_msg LRESULT OnCellRequest(WPARAM wParam, LPARAM)
    {
        const int nRow = LOWORD(wParam);
        const int nCol = HIWORD(wParam);
        static const char* const kSides[] = { "Sell into the bid", "Order", "Buy from the ask" };
        CString csLine;
        csLine.Format("ladder cell row %d column %d: %s at %s", nRow, nCol, kSides[nCol % 3],
                      (LPCTSTR)LadderCell(nRow, 1));
        Report(csLine);
        return 0;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COrderTicketDlg, CDialog)
    ON_BN_CLICKED(IDC_BUY, OnBuy)
    ON_BN_CLICKED(IDC_DAY, OnValidity)
    ON_BN_CLICKED(IDC_GTC, OnValidity)
    ON_BN_CLICKED(IDC_IOC, OnValidity)
    ON_MESSAGE(WM_LIST_CELLREQUEST, OnCellRequest)
END_MESSAGE_MAP()

// An intraday chart: a price line over a shaded area, written as PNG through GDI+.
bool WriteChart(const CString& csPath)
{
    Gdiplus::Bitmap bitmap(240, 120, PixelFormat24bppRGB);
    Gdiplus::Graphics g(&bitmap);
    g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    g.Clear(Gdiplus::Color(255, 250, 252, 255));
    std::vector<Gdiplus::PointF> line;
    for (int i = 0; i <= 60; i++)
    {
        double y = 70 - 25 * sin(i / 9.0) - i * 0.5 + 6 * sin(i * 1.7);
        line.push_back(Gdiplus::PointF((Gdiplus::REAL)(i * 4), (Gdiplus::REAL)y));
    }
    std::vector<Gdiplus::PointF> area(line);
    area.push_back(Gdiplus::PointF(240, 120));
    area.push_back(Gdiplus::PointF(0, 120));
    Gdiplus::SolidBrush fill(Gdiplus::Color(255, 200, 225, 250));
    g.FillPolygon(&fill, area.data(), (INT)area.size());
    Gdiplus::Pen pen(Gdiplus::Color(255, 0, 90, 200), 2.0f);
    g.DrawLines(&pen, line.data(), (INT)line.size());
    Gdiplus::Pen grid(Gdiplus::Color(255, 190, 190, 190), 1.0f);
    for (int y = 30; y < 120; y += 30)
        g.DrawLine(&grid, 0, y, 240, y);

    UINT nCount = 0;
    UINT nSize = 0;
    Gdiplus::GetImageEncodersSize(&nCount, &nSize);
    std::vector<BYTE> buffer(nSize);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    Gdiplus::GetImageEncoders(nCount, nSize, codecs);
    for (UINT i = 0; i < nCount; i++)
    {
        if (wcscmp(codecs[i].MimeType, L"image/png") != 0)
            continue;
        std::wstring wpath;
        for (const char* p = csPath; *p != '\0'; p++)
            wpath += (wchar_t)(unsigned char)*p;
        return bitmap.Save(wpath.c_str(), &codecs[i].Clsid, nullptr) == Gdiplus::Ok;
    }
    return false;
}

void PressCtrlV()
{
    INPUT in[4] = {};
    const WORD keys[4] = { VK_CONTROL, 'V', 'V', VK_CONTROL };
    for (int i = 0; i < 4; i++)
    {
        in[i].type = INPUT_KEYBOARD;
        in[i].ki.wVk = keys[i];
        in[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
    }
    ::SendInput(4, in, sizeof(INPUT));
}

void SetClipboardText(HWND hOwner, const char* pszText)
{
    if (!::OpenClipboard(hOwner))
        return;
    ::EmptyClipboard();
    size_t n = strlen(pszText) + 1;
    HGLOBAL hMem = ::GlobalAlloc(GMEM_MOVEABLE, n);
    memcpy(::GlobalLock(hMem), pszText, n);
    ::GlobalUnlock(hMem);
    ::SetClipboardData(CF_TEXT, hMem);
    ::CloseClipboard();
}
}  // namespace

DEMO_SCENE(SmallControls, 65)
{
    Gdiplus::GdiplusStartupInput gdiplusInput;
    ULONG_PTR gdiplusToken = 0;
    Gdiplus::GdiplusStartup(&gdiplusToken, &gdiplusInput, nullptr);
    CString csChart = context.OutputPath("small_controls_chart_source.png");
    const bool bChart = WriteChart(csChart);
    Gdiplus::GdiplusShutdown(gdiplusToken);

    CDemoDialogTemplate tmpl(L"Order Ticket - RELIANCE", 330, 214);
    tmpl.AddItem(kStatic, L"Instrument (Ctrl+V finds a pasted symbol)", SS_LEFT, 8, 8, 180, 10, IDC_SYMBOL_LABEL);
    tmpl.AddItem(kListBox, L"", WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY, 8, 20, 84, 72, IDC_SYMBOLS);
    tmpl.AddItem(kStatic, L"", SS_LEFT, 8, 100, 180, 70, IDC_CHART);
    tmpl.AddItem(kButton, L"Day", BS_RADIOBUTTON | WS_TABSTOP, 100, 20, 40, 12, IDC_DAY);
    tmpl.AddItem(kButton, L"GTC", BS_RADIOBUTTON, 100, 34, 40, 12, IDC_GTC);
    tmpl.AddItem(kButton, L"IOC", BS_RADIOBUTTON, 100, 48, 40, 12, IDC_IOC);
    tmpl.AddItem(kStatic, L"Exchange trading rules", SS_LEFT | SS_NOTIFY, 100, 66, 90, 10, IDC_RULES);
    tmpl.AddItem(kButton, L"Buy", BS_PUSHBUTTON | WS_TABSTOP, 100, 80, 80, 16, IDC_BUY);
    tmpl.AddItem(kStatic, L"Ready", SS_LEFT, 8, 176, 188, 30, IDC_STATUS);

    static COrderTicketDlg dlg;
    dlg.m_pContext = &context;
    if (!dlg.CreateIndirect(tmpl.Get(), context.m_pMainWnd))
    {
        context.Print("order ticket: could not create the dialog");
        return;
    }
    CRect frame;
    context.m_pMainWnd->GetWindowRect(&frame);
    dlg.SetWindowPos(nullptr, frame.left + 60, frame.top + 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    dlg.ShowWindow(SW_SHOW);
    if (bChart)
    {
        CString csPath = csChart;
        context.Print("order ticket: chart picture %s", dlg.m_chart.Load(csPath) ? "loaded" : "NOT loaded");
    }
    if (!context.m_bHeadless)
        return;
    dlg.SetForegroundWindow();
    context.Capture(&dlg, "small_controls");

    // Paste a symbol into the instrument list.
    SetClipboardText(dlg.GetSafeHwnd(), "rel");
    dlg.m_symbols.SetFocus();
    context.Pump();
    PressCtrlV();
    context.Pump();
    CString csSymbol;
    if (dlg.m_symbols.GetCurSel() >= 0)
        dlg.m_symbols.GetText(dlg.m_symbols.GetCurSel(), csSymbol);
    context.Print("order ticket: pasted \"rel\", the list selects %s", (LPCTSTR)csSymbol);
    context.Capture(&dlg, "small_controls_search_pasted");

    // The split button: pressed on its main part (picture), released: the default Buy.
    CRect rcBuy;
    dlg.m_buy.GetClientRect(&rcBuy);
    dlg.m_buy.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, rcBuy.Height() / 2));
    context.Capture(&dlg, "small_controls_split_pressed");
    dlg.m_buy.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(20, rcBuy.Height() / 2));
    context.Pump();

    // Its arrow: the menu (answered by the script) offers the order types.
    if (context.m_pScript != nullptr)
        context.m_pScript->m_menuAnswers.push_back(ID_BUY_STOP);
    dlg.m_buy.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rcBuy.right - 6, rcBuy.Height() / 2));
    dlg.m_buy.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(rcBuy.right - 6, rcBuy.Height() / 2));
    context.Pump();
    if (context.m_pScript != nullptr && !context.m_pScript->m_records.empty() &&
        context.m_pScript->m_records.back().kind == "menu")
    {
        CString csItems;
        for (const CModalMenuItem& item : context.m_pScript->m_records.back().menu)
            csItems += item.text.IsEmpty() ? CString("|") : "[" + item.text + "]";
        context.Print("order ticket: split button menu %s", (LPCTSTR)csItems);
    }
    context.Capture(&dlg, "small_controls_split_menu_choice");

    // The link: opened through the shell (recorded here), then drawn in the visited colour.
    dlg.m_rules.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    dlg.m_rules.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    context.Pump();
    if (context.m_pScript != nullptr && context.m_pScript->Count("shell") > 0)
        context.Print("order ticket: link asked the shell to %s %s", (LPCTSTR)context.m_pScript->m_records.back().caption,
                      (LPCTSTR)context.m_pScript->m_records.back().text);
    context.Print("order ticket: link %s", dlg.m_rules.m_bVisited ? "visited" : "not visited");

    // Validity: a click on GTC checks it alone.
    ::SendDlgItemMessageA(dlg.GetSafeHwnd(), IDC_GTC, BM_CLICK, 0, 0);
    context.Pump();
    context.Print("order ticket: validity Day %u GTC %u IOC %u", dlg.IsDlgButtonChecked(IDC_DAY),
                  dlg.IsDlgButtonChecked(IDC_GTC), dlg.IsDlgButtonChecked(IDC_IOC));
    context.Capture(&dlg, "small_controls_link_validity");

    // The ladder: a click on the ask quantity of level 4 focuses it and requests an order.
    CRect rcRow;
    dlg.m_pLadder->GetItemRect(4, &rcRow, LVIR_BOUNDS);
    const int xAsk = rcRow.left + 56 + 70 + 20;
    dlg.m_pLadder->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(xAsk, rcRow.CenterPoint().y));
    dlg.m_pLadder->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(xAsk, rcRow.CenterPoint().y));
    context.Pump();
    context.Capture(&dlg, "small_controls_ladder_click");
    dlg.DestroyWindow();
}
