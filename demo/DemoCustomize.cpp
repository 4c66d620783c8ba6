// The trader makes the order book his own: background, text colour and a font picked in the
// "Customized Appearance" dialog, two keyword rules (rows whose Side reads BUY or SELL take their
// colours) and one user keyword (a Status of exactly "Rejected" is shown white on red). Apply
// stores it in the application-data settings file; on the next run the grid comes back customized
// from there. The demo window paints the keyword colours itself through the library's keyword
// lookups, as the filter list will.
#include "DemoDialogTemplate.h"
#include "DemoScene.h"

#include "host/RecoveryFiles.h"
#include "lists/CommonListCtrl.h"
#include "lists/KeywordRules.h"
#include "dialogs/CustomizedAppearance.h"
#include "dialogs/UserCusomize.h"
#include "dialogs/FontSettingDlg.h"
#include "resources/AppearanceRes.h"
#include <OrvoTools.h>

#include <cstring>
#include <vector>

namespace
{
const UINT kListID = 1001;
const int kSideColumn = 1;
const int kStatusColumn = 4;

// A dialog holding one report list.
const CDemoDialogTemplate& BookTemplate()
{
    static CDemoDialogTemplate tmpl = [] {
        CDemoDialogTemplate t(L"Order Book", 300, 150, WS_POPUP | WS_CAPTION | WS_SYSMENU);
        t.AddItem(L"SysListView32", L"", WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS, 4, 4, 292, 142, (WORD)kListID);
        return t;
    }();
    return tmpl;
}

// The order book's window: it colours the rows and cells through the grid's keyword rules.
class COrderBookDlg : public CDialog
{
public:
    CCommonListCtrl m_list;

    afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
    {
        NMLVCUSTOMDRAW* pDraw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
        switch (pDraw->nmcd.dwDrawStage)
        {
        case CDDS_PREPAINT:
            *pResult = CDRF_NOTIFYITEMDRAW;
            return;
        case CDDS_ITEMPREPAINT:
            *pResult = CDRF_NOTIFYSUBITEMDRAW;
            return;
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
        {
            const cCustomizedAppearanceSettings& a = m_list.m_Appearance;
            int nRow = (int)pDraw->nmcd.dwItemSpec;
            COLORREF text = a.m_clrText, back = a.m_clrBackground;
            CString csKeywordCell = m_list.GetItemText(nRow, a.m_nKeywordColumn >= 0 ? a.m_nKeywordColumn : 0);
            KeywordRules::GetTextColorForItem(a, a.m_nKeywordColumn >= 0 ? (LPCTSTR)csKeywordCell : nullptr, text);
            CString csCell = m_list.GetItemText(nRow, pDraw->iSubItem);
            KeywordRules::GetProperty(a, text, back, csCell);
            pDraw->clrText = text;
            pDraw->clrTextBk = back;
            *pResult = CDRF_DODEFAULT;
            return;
        }
        default:
            *pResult = CDRF_DODEFAULT;
        }
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COrderBookDlg, CDialog)
    ON_NOTIFY(NM_CUSTOMDRAW, kListID, OnCustomDraw)
END_MESSAGE_MAP()

void AddColumn(CCommonListCtrl& list, const char* name, int width)
{
    sOrvoColInfo info = {};
    strlcpy(info.szColName, name, sizeof(info.szColName));
    info.nWidth = width;
    info.nDataType = 8;
    list.m_arrColInfo.Add(info);
}

void FillOrders(CCommonListCtrl& list)
{
    struct Order { const char* symbol; const char* side; const char* qty; const char* price; const char* status; };
    static const Order orders[] = {
        { "NIFTY24JUN22500CE", "BUY", "50", "142.50", "Filled" },
        { "RELIANCE", "SELL", "100", "2871.05", "Open" },
        { "INFY", "BUY", "200", "1432.10", "Rejected" },
        { "BANKNIFTY", "SELL", "15", "48210.00", "Filled" },
        { "GOLD24AUG", "BUY", "1", "71850", "Open" },
        { "TCS", "SELL", "30", "3855.75", "Rejected" },
        { "CRUDE24JUL", "BUY", "100", "6512", "Filled" },
        { "SILVER24SEP", "SELL", "5", "89210", "Open" },
    };
    int nRow = 0;
    for (const Order& o : orders)
    {
        list.InsertItem(nRow, o.symbol);
        list.SetItemText(nRow, 1, o.side);
        list.SetItemText(nRow, 2, o.qty);
        list.SetItemText(nRow, 3, o.price);
        list.SetItemText(nRow, 4, o.status);
        ++nRow;
    }
}

void AnswerColour(CDemoContext& context, COLORREF clr)
{
    context.m_pScript->m_commonAnswers.push_back([clr](CCommonDialog* p) -> INT_PTR {
        static_cast<CColorDialog*>(p)->m_cc.rgbResult = clr;
        return IDOK;
    });
}

void Click(CWnd* pDlg, int nID)
{
    ::SendMessageA(::GetDlgItem(pDlg->m_hWnd, nID), BM_CLICK, 0, 0);
}

void Select(CComboBox& combo, const char* pszText)
{
    combo.SetCurSel(combo.FindStringExact(-1, pszText));
    combo.GetParent()->SendMessage(WM_COMMAND, MAKEWPARAM(combo.GetDlgCtrlID(), CBN_SELCHANGE), (LPARAM)combo.m_hWnd);
}

void AddKeyword(CCustomizedAppearance* pDlg, const char* pszKeyword)
{
    pDlg->m_KeywordEdit.SetWindowText(pszKeyword);
    Click(pDlg, IDC_CA_ADD);
}

// The dialog whose title starts with the text (the host may append its peer text to titles).
HWND FindTitled(const char* pszStart)
{
    struct sFind { const char* start; HWND found; } find = { pszStart, nullptr };
    ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND h, LPARAM l) -> BOOL {
        sFind* p = reinterpret_cast<sFind*>(l);
        char sz[256] = "";
        ::GetWindowTextA(h, sz, sizeof(sz));
        if (strncmp(sz, p->start, strlen(p->start)) == 0)
            p->found = h;
        return p->found == nullptr;
    }, reinterpret_cast<LPARAM>(&find));
    return find.found;
}

CString Describe(const cCustomizedAppearanceSettings& a)
{
    CString cs;
    cs.Format("background %06lX, text %06lX, font \"%s\" %s, %d keyword rule(s), %d user keyword(s)",
              (unsigned long)a.m_clrBackground, (unsigned long)a.m_clrText, (LPCTSTR)a.m_csFontName,
              (LPCTSTR)a.m_csFontSize, a.m_pKeywords ? (int)a.m_pKeywords->GetSize() : 0,
              a.m_pUserKeywords ? (int)a.m_pUserKeywords->GetSize() : 0);
    return cs;
}
}  // namespace

DEMO_SCENE(CustomizedOrderBook, 30)
{
    if (GetDialogPosPath().IsEmpty())
        SetRecoveryFileNames("ControlsDemo.ini", context.OutputPath("DialogPositions.ini"));

    static COrderBookDlg book;
    if (!book.CreateIndirect(BookTemplate().Get(), context.m_pMainWnd))
    {
        context.Print("order book: could not create the window");
        return;
    }
    CCommonListCtrl& list = book.m_list;
    list.m_csListName = "DemoOrderBook";
    list.m_bUserCustomize = 1;
    list.SubclassDlgItem(kListID, &book);   // reads the appearance settings
    // The order book keeps a row model of its own: keyword rules are offered.
    list.m_Appearance.m_bKeywordRulesAvailable = true;
    AddColumn(list, "Symbol", 130);
    AddColumn(list, "Side", 60);
    AddColumn(list, "Qty", 60);
    AddColumn(list, "Price", 80);
    AddColumn(list, "Status", 80);
    list.InsertColumnsForList();
    FillOrders(list);
    CStringArray userKeywords;
    userKeywords.Add("Rejected");
    CColorArray userText, userBack;
    userText.Add(RGB(255, 255, 255));
    userBack.Add(RGB(200, 0, 0));
    list.SetDefaultProperties(userKeywords, userText, userBack);
    CRect frame;
    context.m_pMainWnd->GetWindowRect(&frame);
    book.SetWindowPos(nullptr, frame.left + 60, frame.top + 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    book.ShowWindow(SW_SHOW);

    if (list.m_bCustomizeLoaded)
    {
        context.Print("order book: customized appearance restored from the settings file: %s",
                      (LPCTSTR)Describe(list.m_Appearance));
        context.Capture(&book, "customize_grid_restored");
        if (!context.m_bHeadless)
            return;
        book.DestroyWindow();
        return;
    }
    context.Print("order book: no stored appearance (first run): %s", (LPCTSTR)Describe(list.m_Appearance));
    context.Capture(&book, "customize_grid_before");
    if (!context.m_bHeadless)
        return;

    // Right-click menu, "Customize": the dialog opens on the grid.
    list.ProcessCommand(ID_LIST_CUSTOMIZE);
    HWND hDlg = FindTitled("Customize Appearance :DemoOrderBook ");
    CCustomizedAppearance* pDlg = hDlg ? static_cast<CCustomizedAppearance*>(CWnd::FromHandlePermanent(hDlg)) : nullptr;
    if (pDlg == nullptr)
    {
        context.Print("order book: the Customize dialog did not open");
        return;
    }
    AnswerColour(context, RGB(16, 24, 40));         // background: night blue
    Click(pDlg, IDC_CA_COLOR);
    context.m_pScript->m_dialogAnswers.push_back([](CDialog* p) -> INT_PTR {
        CFontSettingDlg* pFont = static_cast<CFontSettingDlg*>(p);
        for (const char* face : { "Courier New", "DejaVu Sans Mono", "Liberation Mono", "Tahoma" })
        {
            if (pFont->m_FontCombo.SelectString(-1, face) != CB_ERR)
                break;
        }
        pFont->m_SizeCombo.SelectString(-1, "10");
        pFont->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(p->m_hWnd, IDOK));
        return IDOK;
    });
    Click(pDlg, IDC_CA_FONT);
    Select(pDlg->m_PropertyCombo, "Text");
    Click(pDlg, IDC_CA_CHANGE_COLUMN);
    Select(pDlg->m_ColumnCombo, "Side");
    AnswerColour(context, RGB(255, 96, 96));        // text colour for the SELL rule
    Click(pDlg, IDC_CA_COLOR);
    AddKeyword(pDlg, "SELL");
    AnswerColour(context, RGB(96, 224, 96));        // and for the BUY rule
    Click(pDlg, IDC_CA_COLOR);
    AddKeyword(pDlg, "BUY");
    AnswerColour(context, RGB(230, 230, 210));      // the list's own text colour
    Click(pDlg, IDC_CA_COLOR);
    context.Capture(pDlg, "customize_dialog");
    Click(pDlg, IDC_CA_APPLY);
    context.Print("order book: applied %s", (LPCTSTR)Describe(list.m_Appearance));
    Click(pDlg, IDCANCEL);
    context.Capture(&book, "customize_grid_after");

    list.ProcessCommand(ID_LIST_USER_CUSTOMIZE);
    HWND hUser = FindTitled("User Customize Appearance :DemoOrderBook ");
    if (CWnd* pUser = CWnd::FromHandlePermanent(hUser))
    {
        context.Capture(pUser, "user_customize_dialog");
        Click(pUser, IDC_UC_APPLY);
        pUser->ShowWindow(SW_HIDE);
    }
    context.Print("order book: stored under CUSTOMIZE_LISTS and USER_CUSTOMIZE_LISTS, key DemoOrderBook-%u, in %s",
                  kListID, (LPCTSTR)GetRecoveryFileName());
    book.DestroyWindow();
}
