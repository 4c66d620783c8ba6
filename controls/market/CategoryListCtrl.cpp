// CCategoryListCtrl: column sets, the editors over cells, their geometry, and the guard that keeps
// an edit's result on the row it was opened on (clicks, navigation and keys in CategoryListCtrlKeys).
#include "market/CategoryListCtrl.h"

#include "editors/InPlaceCombo.h"
#include "editors/InPlaceDTPicker.h"
#include "editors/InPlaceDateText.h"
#include "editors/InPlaceEdit.h"
#include "editors/InPlaceNotify.h"
#include "editors/InPlacePriceEdit.h"
#include "lists/CellHitTest.h"
#include "market/CategoryPickerStart.h"

#include <algorithm>
#include <vector>

// Posted to itself when the row under the open editor moved or went: the edit ends when it
// arrives, outside whatever operation moved the row.
#define WM_CATEGORY_CHECKEDIT   (WM_APP + 0x313)

#define CATEGORY_TEXT_EDITOR_STYLE       (WS_BORDER | ES_AUTOHSCROLL | ES_LEFT)

IMPLEMENT_DYNAMIC(CCategoryListCtrl, CFilterListCtrl)

BEGIN_MESSAGE_MAP(CCategoryListCtrl, CFilterListCtrl)
    ON_WM_LBUTTONDOWN()
    ON_NOTIFY_REFLECT_EX(LVN_BEGINLABELEDITA, OnBeginLabelEdit)
    ON_NOTIFY_REFLECT_EX(LVN_ENDLABELEDITA, OnEndLabelEdit)
    ON_NOTIFY_EX_RANGE(HDN_BEGINDRAG, 0, 0xFFFF, OnHdnBegindrag)
    ON_NOTIFY_EX_RANGE(HDN_ENDDRAG, 0, 0xFFFF, OnHdnEnddrag)
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_MESSAGE(WM_INPLACE_NEXTCELL, OnNextCell)
    ON_MESSAGE(WM_INPLACE_PREVCELL, OnPrevCell)
    ON_MESSAGE(WM_LIST_EDITNEXTROW, OnEditNextRow)
    ON_MESSAGE(WM_LIST_EDITPREVROW, OnEditPrevRow)
    ON_MESSAGE(WM_LIST_HEADERDROPPED, OnHeaderDropped)
END_MESSAGE_MAP()

CCategoryListCtrl::CCategoryListCtrl()
    : m_dwComboStyle(CATEGORY_DEFAULT_COMBO_STYLE), m_dwDTPickerStyle(CATEGORY_DEFAULT_PICKER_STYLE),
      m_iEditedRow(CATEGORY_NO_EDITED_ROW), m_iEditingRow(-1), m_iEditingColumn(-1), m_bOwnerDecides(false),
      m_bSortOnHeaderClick(true), m_bAllowHeaderDrag(false)
{
}

CCategoryListCtrl::~CCategoryListCtrl()
{
    CInPlaceEdit::DeleteInstance();
    CInPlaceCombo::DeleteInstance();
}

// --- column sets ----------------------------------------------------------------------------------

namespace
{
void SetInList(CList<int, int>& list, int nColumn, bool bOn)
{
    POSITION pos = list.Find(nColumn);
    if (bOn && pos == nullptr)
        list.AddTail(nColumn);
    else if (!bOn && pos != nullptr)
        list.RemoveAt(pos);
}
}  // namespace

void CCategoryListCtrl::SetComboColumns(int nColumn, bool bOn)
{
    SetInList(m_lstComboColumns, nColumn, bOn);
}

void CCategoryListCtrl::SetReadOnlyColumns(int nColumn, bool bOn)
{
    SetInList(m_lstReadOnlyColumns, nColumn, bOn);
}

int CCategoryListCtrl::ColumnIdOf(int nListColumn)
{
    if (!m_bColumnProfile)
        return nListColumn;
    const int nColumn = ColumnAtPosition(nListColumn);
    return nColumn >= 0 ? nColumn : nListColumn;
}

BOOL CCategoryListCtrl::IsCombo(int nListColumn)
{
    return m_lstComboColumns.Find(ColumnIdOf(nListColumn)) != nullptr;
}

BOOL CCategoryListCtrl::IsReadOnly(int nListColumn)
{
    return m_lstReadOnlyColumns.Find(ColumnIdOf(nListColumn)) != nullptr;
}

void CCategoryListCtrl::EnableVScroll(bool bEnable)
{
    m_dwComboStyle = bEnable ? (m_dwComboStyle | WS_VSCROLL) : (m_dwComboStyle & ~(DWORD)WS_VSCROLL);
}

void CCategoryListCtrl::EnableHScroll(bool bEnable)
{
    m_dwComboStyle = bEnable ? (m_dwComboStyle | WS_HSCROLL) : (m_dwComboStyle & ~(DWORD)WS_HSCROLL);
}

void CCategoryListCtrl::InsertColumnsForList(int* pUnused)
{
    CCommonListCtrl::InsertColumnsForList(pUnused);
    // Computed cells are never edited.
    for (int c = 0; c < (int)m_arrColInfo.GetSize() && c < (int)m_arrColPosition.GetSize(); ++c)
    {
        const bool bFormula = !m_arrColInfo[c].csText1.IsEmpty() || (m_nBuiltInColumns > 0 && c >= m_nBuiltInColumns);
        if (bFormula && m_arrColPosition[c] >= 0)
            SetReadOnlyColumns(c, true);
    }
}

void CCategoryListCtrl::OnUserColumnAdded(int nColumn, int nPosition)
{
    // The set holds column ids when columns are translated through the profile, list columns
    // otherwise.
    SetReadOnlyColumns(m_bColumnProfile ? nColumn : nPosition, true);
}

void CCategoryListCtrl::InsertColumnForCategoryList(int nRow, int nColumn, CString strText)
{
    if (nRow < 0 || nColumn < 0 || m_hWnd == nullptr)
        return;
    while (GetItemCount() <= nRow)
    {
        const int nBefore = GetItemCount();
        InsertItem(nBefore, "");
        if (GetItemCount() <= nBefore)
            return;   // the list takes no more rows (filter mode without a text routine)
    }
    SetItemText(nRow, nColumn, strText);
}

// --- helpers --------------------------------------------------------------------------------------

bool CCategoryListCtrl::Alive(HWND hWnd) const
{
    return IsLiveList(this) && hWnd != nullptr && ::IsWindow(hWnd) && m_hWnd == hWnd;
}

CWnd* CCategoryListCtrl::OwnerTarget()
{
    CWnd* pOwner = GetOwnerWnd();
    if (pOwner != nullptr && ::IsWindow(pOwner->GetSafeHwnd()))
        return pOwner;
    return GetParent();
}

int CCategoryListCtrl::RowCount()
{
    return m_bUseFilter ? GetDisplayCount() : CListCtrl::GetItemCount();
}

int CCategoryListCtrl::ColumnCount()
{
    // Asked after every message the navigation sends: straight to the header, whose handle is
    // looked up again only when it is no longer the list's.
    if (m_hHeader == nullptr || !::IsWindow(m_hHeader) || ::GetParent(m_hHeader) != m_hWnd)
        m_hHeader = (HWND)::SendMessageA(m_hWnd, LVM_GETHEADER, 0, 0);
    return m_hHeader != nullptr ? (int)::SendMessageA(m_hHeader, HDM_GETITEMCOUNT, 0, 0) : 0;
}

bool CCategoryListCtrl::RequestCell(int nRow, int nColumn, sCellRequest& request)
{
    const HWND hWnd = m_hWnd;
    const HWND hParent = ::GetParent(hWnd);
    if (hParent != nullptr)
        ::SendMessageA(hParent, WM_LIST_CELLREQUEST, MAKEWPARAM(nRow, nColumn), (LPARAM)&request);
    return Alive(hWnd);
}

bool CCategoryListCtrl::RequestChoices(int nColumn, CStringList& lstChoices)
{
    const HWND hWnd = m_hWnd;
    if (CWnd* pOwner = OwnerTarget())
        ::SendMessageA(pOwner->GetSafeHwnd(), WM_LIST_CELLREQUEST, (WPARAM)nColumn, (LPARAM)&lstChoices);
    return Alive(hWnd);
}

DWORD_PTR CCategoryListCtrl::RowKey(int nRow)
{
    if (nRow < 0 || nRow >= RowCount())
        return 0;
    if (m_bUseFilter)
        return GetItemData(nRow);
    // An owner-data list without filter mode has no per-item state to follow.
    if ((GetStyle() & LVS_OWNERDATA) != 0)
        return 0;
    // The platform's item id stays with the item whatever is inserted, deleted or sorted around it.
    return (DWORD_PTR)(UINT)::SendMessageA(m_hWnd, LVM_MAPINDEXTOID, (WPARAM)nRow, 0) + 1;
}

int CCategoryListCtrl::FindRowByKey(DWORD_PTR dwKey)
{
    if (!m_bUseFilter)
    {
        const int nRow = (int)::SendMessageA(m_hWnd, LVM_MAPIDTOINDEX, (WPARAM)(dwKey - 1), 0);
        return nRow >= 0 && RowKey(nRow) == dwKey ? nRow : -1;
    }
    for (int r = 0; r < RowCount(); ++r)
    {
        if (GetItemData(r) == dwKey)
            return r;
    }
    return -1;
}

void CCategoryListCtrl::RememberEditedRecord(int nRow, int nColumn, HWND hEditor)
{
    m_hOpenEditor = hEditor;
    m_iKeyRow = nRow;
    m_iKeyColumn = nColumn;
    m_bCheckingRow = true;
    m_dwEditKey = RowKey(nRow);
    m_bCheckingRow = false;
    m_bEditKeyKnown = m_dwEditKey != 0;
}

bool CCategoryListCtrl::IsEditorOpen() const
{
    return m_hOpenEditor != nullptr && ::IsWindow(m_hOpenEditor) && ::GetParent(m_hOpenEditor) == m_hWnd;
}

bool CCategoryListCtrl::EndEditByFocus()
{
    const HWND hWnd = m_hWnd;
    if (!IsEditorOpen())
        return true;
    SetFocus();
    if (!Alive(hWnd))
        return false;
    // Without the keyboard focus (another application active) the editor does not lose it: close
    // it, which reports the edit all the same.
    if (m_hOpenEditor != nullptr && ::IsWindow(m_hOpenEditor))
        CloseOpenEditor();
    return Alive(hWnd);
}

void CCategoryListCtrl::CloseOpenEditor()
{
    // A window still there is either an edit not yet ended or one waiting for its WM_CLOSE; either
    // way it goes now, so the next show creates its window over the new cell. Its report reaches
    // the owner, which may delete the list.
    const CCategoryListCtrl* pSelf = this;
    CWnd* editors[] = { CInPlaceEdit::GetInstance(), CInPlaceCombo::GetInstance(), CInPlaceDTPicker::GetInstance(),
                        CInPlacePriceEdit::GetInstance() };
    for (CWnd* pEditor : editors)
    {
        if (pEditor->GetSafeHwnd() != nullptr)
            pEditor->DestroyWindow();
    }
    if (IsLiveList(pSelf))
        m_hOpenEditor = nullptr;
}

void CCategoryListCtrl::CheckEditedRowStillThere()
{
    if (!IsEditorOpen() || !m_bEditKeyKnown)
        return;
    m_bCheckingRow = true;
    const bool bMoved = m_iKeyRow >= RowCount() || RowKey(m_iKeyRow) != m_dwEditKey;
    m_bCheckingRow = false;
    if (bMoved)
        EndEditByFocus();
}

LRESULT CCategoryListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND hWnd = m_hWnd;
    if (message == WM_CATEGORY_CHECKEDIT)
    {
        m_bCheckPosted = false;
        CheckEditedRowStillThere();
        return 0;
    }
    if (message == WM_MOUSEWHEEL && IsEditorOpen() && !EndEditByFocus())
        return 0;
    const LRESULT lResult = CFilterListCtrl::WindowProc(message, wParam, lParam);
    if (message == WM_DESTROY || message == WM_NCDESTROY || !Alive(hWnd) || m_bCheckingRow || m_bCheckPosted ||
        !m_bEditKeyKnown || m_hOpenEditor == nullptr)
        return lResult;
    // Whatever this message did, the row under the editor must still hold the edited record.
    m_bCheckingRow = true;
    const bool bMoved = m_iKeyRow >= RowCount() || RowKey(m_iKeyRow) != m_dwEditKey;
    m_bCheckingRow = false;
    if (bMoved && IsEditorOpen())
    {
        m_bCheckPosted = true;
        ::PostMessageA(hWnd, WM_CATEGORY_CHECKEDIT, 0, 0);
    }
    return lResult;
}

// --- geometry -------------------------------------------------------------------------------------

void CCategoryListCtrl::ScrollToView(int nColumn, CRect& rcCell)
{
    int nLeft = rcCell.left;
    for (int c = 0; c < nColumn; ++c)
        nLeft += GetColumnWidth(c);
    const int nWidth = GetColumnWidth(nColumn);
    CRect rcClient;
    GetClientRect(&rcClient);
    if (nLeft < rcClient.left || nLeft > rcClient.right)
    {
        Scroll(CSize(nLeft - rcClient.left, 0));
        nLeft = rcClient.left;
    }
    else if (nLeft + nWidth > rcClient.right)
    {
        const int nOverflow = nLeft + nWidth - rcClient.right;
        Scroll(CSize(nOverflow, 0));
        nLeft -= nOverflow;
    }
    rcCell.left = nLeft;
    rcCell.right = nLeft + nWidth;
}

void CCategoryListCtrl::CalculateCellRect(int nColumn, int nRow, CRect& rcCell)
{
    rcCell.SetRectEmpty();
    if (nRow < 0 || nRow >= RowCount() || nColumn < 0 || nColumn >= ColumnCount())
        return;
    EnsureVisible(nRow, FALSE);
    CRect rcRow;
    GetItemRect(nRow, &rcRow, LVIR_BOUNDS);
    CRect rcClient;
    GetClientRect(&rcClient);
    rcRow.top = std::max(rcRow.top, rcClient.top);
    rcRow.bottom = std::min(rcRow.bottom, rcClient.bottom);
    ScrollToView(nColumn, rcRow);
    GetSubItemRect(nRow, nColumn, LVIR_BOUNDS, rcCell);
    if (nColumn == 0)
    {
        // The platform gives the whole row for sub-item 0.
        CRect rcNext;
        if (ColumnCount() > 1 && GetSubItemRect(nRow, 1, LVIR_BOUNDS, rcNext))
            rcCell.right = rcNext.left;
        else
            rcCell.right = rcCell.left + GetColumnWidth(0);
    }
    rcCell.right = std::min(rcCell.right, rcClient.right);
}

BOOL CCategoryListCtrl::HitTestEx(CPoint& point, int* pRow, int* pColumn) const
{
    return HitTestReportCell(*this, point, pRow, pColumn);
}

void CCategoryListCtrl::vResetTopPosition()
{
    const int nTop = GetTopIndex();
    if (m_iEditingRow < 0 || m_iEditingRow >= nTop)
        return;
    CRect rcRow;
    GetItemRect(nTop, &rcRow, LVIR_BOUNDS);
    for (int n = nTop - m_iEditingRow; n > 0; --n)
        Scroll(CSize(0, -rcRow.Height()));
}

void CCategoryListCtrl::vResetBottomPosition()
{
    const int nTop = GetTopIndex();
    const int nPage = GetCountPerPage();
    if (m_iEditingRow < 0 || m_iEditingRow >= RowCount() || m_iEditingRow < nTop + nPage)
        return;
    CRect rcRow;
    GetItemRect(nTop, &rcRow, LVIR_BOUNDS);
    for (int n = m_iEditingRow - (nTop + nPage) + 1; n > 0; --n)
        Scroll(CSize(0, rcRow.Height()));
}

void CCategoryListCtrl::VerifyScrollPos()
{
    vResetTopPosition();
    vResetBottomPosition();
}

// --- editors --------------------------------------------------------------------------------------

CString CCategoryListCtrl::EditorText(const CString& strCell)
{
    // The platform's edit control takes time that grows with the square of its text length under
    // some platforms (minutes for 100 KB): the editors get a bounded text.
    m_bTextCut = strCell.GetLength() > CATEGORY_EDITOR_TEXT_LIMIT;
    m_strCellText = m_bTextCut ? strCell : CString();
    return m_bTextCut ? strCell.Left(CATEGORY_EDITOR_TEXT_LIMIT) : strCell;
}

void CCategoryListCtrl::RememberShownText(const CString& strShown)
{
    m_strShownText = m_bTextCut ? strShown : CString();
}

CInPlaceEdit* CCategoryListCtrl::ShowInPlaceEdit(int nRow, int nColumn, CString& strText)
{
    const HWND hWnd = m_hWnd;
    CloseOpenEditor();
    if (!Alive(hWnd) || nRow < 0 || nRow >= RowCount() || nColumn < 0 || nColumn >= ColumnCount())
        return nullptr;
    CRect rcCell;
    CalculateCellRect(nColumn, nRow, rcCell);
    CInPlaceEdit* pEdit = CInPlaceEdit::GetInstance();
    m_iEditingRow = nRow;
    m_iEditingColumn = nColumn;
    CString strShown = EditorText(strText);
    if (!pEdit->ShowEditCtrl(CATEGORY_TEXT_EDITOR_STYLE, rcCell, this, GetDlgCtrlID(), nRow, nColumn,
                             m_strValidEditCtrlChars, strShown, this))
        return nullptr;
    RememberShownText(pEdit->m_strWindowText);
    RememberEditedRecord(nRow, nColumn, pEdit->GetSafeHwnd());
    return pEdit;
}

CInPlaceCombo* CCategoryListCtrl::ShowInPlaceList(int nRow, int nColumn, CStringList& lstChoices, CString strCurText,
                                                  int nSel)
{
    const HWND hWnd = m_hWnd;
    CloseOpenEditor();
    if (!Alive(hWnd) || nRow < 0 || nRow >= RowCount() || nColumn < 0 || nColumn >= ColumnCount())
        return nullptr;
    if (!EnsureVisible(nRow, FALSE) || GetColumnWidth(0) <= 9)
        return nullptr;
    CRect rcCell;
    CalculateCellRect(nColumn, nRow, rcCell);
    const int nChoices = (int)lstChoices.GetCount();
    rcCell.bottom += rcCell.Height() * (nChoices < 20 ? nChoices + 20 : 21);
    CInPlaceCombo* pCombo = CInPlaceCombo::GetInstance();
    m_bTextCut = false;
    m_iEditingRow = nRow;
    m_iEditingColumn = nColumn;
    if (!pCombo->ShowComboCtrl(m_dwComboStyle, rcCell, this, GetDlgCtrlID(), nRow, nColumn, &lstChoices, strCurText,
                               nSel))
        return nullptr;
    RememberEditedRecord(nRow, nColumn, pCombo->GetSafeHwnd());
    return pCombo;
}

CInPlaceDTPicker* CCategoryListCtrl::ShowInPlaceDTPicker(int nRow, int nColumn, CString strText)
{
    const HWND hWnd = m_hWnd;
    CloseOpenEditor();
    if (!Alive(hWnd) || nRow < 0 || nRow >= RowCount() || nColumn < 0 || nColumn >= ColumnCount())
        return nullptr;
    const bool bTimeMode = (m_dwDTPickerStyle & INPLACE_DTS_TIMEFORMAT) == INPLACE_DTS_TIMEFORMAT;
    const CTime ctStart = CategoryPickerStart(strText, bTimeMode, CTime::GetCurrentTime());
    CRect rcCell;
    CalculateCellRect(nColumn, nRow, rcCell);
    CInPlaceDTPicker* pPicker = CInPlaceDTPicker::GetInstance();
    m_bTextCut = false;
    if (!pPicker->ShowDTPickerCtrl(m_dwDTPickerStyle, rcCell, this, GetDlgCtrlID(), nRow, nColumn, ctStart))
        return nullptr;
    pPicker->m_pListWnd = this;
    m_iEditingRow = nRow;
    m_iEditingColumn = nColumn;
    RememberEditedRecord(nRow, nColumn, pPicker->GetSafeHwnd());
    pPicker->SetFocus();
    return pPicker;
}

CInPlacePriceEdit* CCategoryListCtrl::ShowInPlacePriceEdit(int nRow, int nColumn, int nPrecision, CString strText,
                                                           CRect& rcCell)
{
    const HWND hWnd = m_hWnd;
    CloseOpenEditor();
    if (!Alive(hWnd) || nRow < 0 || nRow >= RowCount() || nColumn < 0 || nColumn >= ColumnCount())
        return nullptr;
    CInPlacePriceEdit* pEdit = CInPlacePriceEdit::GetInstance();
    pEdit->setPrecision(nPrecision);
    CalculateCellRect(nColumn, nRow, rcCell);
    m_iEditingRow = nRow;
    m_iEditingColumn = nColumn;
    CString strShown = EditorText(strText);
    if (!pEdit->ShowPriceEditCtrl(CATEGORY_TEXT_EDITOR_STYLE, rcCell, this, GetDlgCtrlID(), nRow, nColumn, strShown,
                                  this))
        return nullptr;
    RememberShownText(pEdit->m_strWindowText);
    RememberEditedRecord(nRow, nColumn, pEdit->GetSafeHwnd());
    return pEdit;
}

void CCategoryListCtrl::OpenCombo(int nRow, int nColumn, CStringList& lstChoices, const CString& strText)
{
    int nSel = -1, i = 0;
    for (POSITION pos = lstChoices.GetHeadPosition(); pos != nullptr; ++i)
    {
        if (lstChoices.GetNext(pos) == strText)
        {
            nSel = i;
            break;
        }
    }
    ShowInPlaceList(nRow, nColumn, lstChoices, strText, nSel);
}

bool CCategoryListCtrl::OpenRequested(int nRow, int nColumn, sCellRequest& request, bool bTab, bool bForward)
{
    const HWND hWnd = m_hWnd;
    const int nKind = request.nKind;
    const bool bPrice = bTab ? bForward && nKind == CATEGORY_CELL_PRICE_TAB : nKind == CATEGORY_CELL_PRICE_CLICK;
    if (nKind != CATEGORY_CELL_COMBO && nKind != CATEGORY_CELL_TEXT && nKind != CATEGORY_CELL_DTPICKER && !bPrice)
        return false;
    // The text comes from the host's column text routine, which may change the rows.
    CString strText = GetItemText(nRow, nColumn);
    if (!Alive(hWnd) || nRow >= RowCount() || nColumn >= ColumnCount())
        return true;
    switch (nKind)
    {
    case CATEGORY_CELL_COMBO:
        OpenCombo(nRow, nColumn, request.lstChoices, strText);
        break;
    case CATEGORY_CELL_TEXT:
        if (ShowInPlaceEdit(nRow, nColumn, strText) != nullptr)
            m_iEditedRow = nRow;
        break;
    case CATEGORY_CELL_DTPICKER:
        ShowInPlaceDTPicker(nRow, nColumn, strText);
        break;
    default:
    {
        // 0 keeps the default of 2; so does anything a price cannot have.
        const int nPrecision = request.nPrecision > 0 && request.nPrecision <= 9 ? request.nPrecision : 2;
        CRect rcCell;
        if (ShowInPlacePriceEdit(nRow, nColumn, nPrecision, strText, rcCell) != nullptr)
            m_iEditedRow = nRow;
        break;
    }
    }
    return true;
}

bool CCategoryListCtrl::OpenByColumnSets(int nRow, int nColumn)
{
    const HWND hWnd = m_hWnd;
    if (IsReadOnly(nColumn))
        return false;
    CString strText = GetItemText(nRow, nColumn);
    if (!Alive(hWnd) || nRow >= RowCount() || nColumn >= ColumnCount())
        return true;
    if (IsCombo(nColumn))
    {
        CStringList lstChoices;
        if (!RequestChoices(nColumn, lstChoices) || nRow >= RowCount() || nColumn >= ColumnCount())
            return true;
        OpenCombo(nRow, nColumn, lstChoices, strText);
        return true;
    }
    if (ShowInPlaceEdit(nRow, nColumn, strText) != nullptr)
        m_iEditedRow = nRow;
    return true;
}
