// The fixtures of the common-list tests. ListTest: a dialog (template 3100) holding a report list
// (1001) that a CCommonListCtrl subclasses, the way a host puts a grid in a dialog; the dialog
// records the column-rebuilt messages. PlainListTest: a list created on a parent that records what
// reaches it and answers the row tooltip.
#pragma once

#include "RowDrag.h"
#include "TestHost.h"
#include "TestSupport.h"
#include "lists/CommonListCtrl.h"
#include <OrvoTools.h>

#include <string>
#include <vector>

using Texts = std::vector<std::string>;

class CGridTestDialog : public CDialog
{
public:
    std::vector<WPARAM> m_rebuilt;   // wParam of each WM_LIST_COLUMNS_REBUILT
    afx_msg LRESULT OnColumnsRebuilt(WPARAM wParam, LPARAM)
    {
        m_rebuilt.push_back(wParam);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

struct sTestColumn { const char* name; int width; int format; int dataType; };

class ListTest : public HostTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Fills the column records, names the list "TestGrid" and builds the header.
    void BuildColumns(std::initializer_list<sTestColumn> columns);
    // Appends a row; item data = 1000 + its index at insertion.
    int AddRow(std::initializer_list<const char*> cells);
    Texts Column(int nSubItem);   // the texts of one column, top to bottom
    Texts HeaderTexts();
    int HeaderImage(int nPosition);
    void ClickHeader(int nPosition);
    // Posts WM_KEYDOWN to the list with the given modifiers held, and pumps.
    void PressKey(UINT vk, bool bCtrl = false, bool bShift = false);

    CGridTestDialog m_dialog;
    CCommonListCtrl m_list;
};

class CListParent : public CMessageRecorder
{
public:
    // The row tooltip provider: answers m_tip with m_nTipResult, may destroy the list.
    std::string m_tip;
    int m_nTipResult = 1;
    std::vector<int> m_asked;
    bool m_bDestroyList = false;
    int RowTip(int nRow, CString& text, CCommonListCtrl* pList)
    {
        m_asked.push_back(nRow);
        text = CString(m_tip.data(), (int)m_tip.size());
        if (m_bDestroyList)
            pList->DestroyWindow();
        return m_nTipResult;
    }
};

class PlainListTest : public HostTest
{
protected:
    // A report list (id 1001) of the given columns (100 pixels wide) and rows (column 0 texts).
    void Make(DWORD dwStyle, std::initializer_list<const char*> columns, std::initializer_list<const char*> rows);
    void TearDown() override;
    std::string Rows();   // the column-0 texts, joined

    CListParent m_parent;
    CCommonListCtrl m_list;
};
