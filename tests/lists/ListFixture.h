// A dialog (template 3100) holding a report list (1001) that a CCommonListCtrl subclasses, the way
// a host puts a grid in a dialog. The dialog records the column-rebuilt messages it receives.
#pragma once

#include "TestHost.h"
#include "TestSupport.h"
#include "lists/CommonListCtrl.h"
#include <OrvoTools.h>

#include <string>
#include <vector>

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

struct sTestColumn
{
    const char* name;
    int width;
    int format;
    int dataType;
};

class ListTest : public HostTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Fills the column records, names the list "TestGrid" and builds the header.
    void BuildColumns(std::initializer_list<sTestColumn> columns);
    // Appends a row; item data = 1000 + its index at insertion.
    int AddRow(std::initializer_list<const char*> cells);
    // The texts of one column, top to bottom.
    std::vector<std::string> Column(int nSubItem);
    std::vector<std::string> HeaderTexts();
    int HeaderImage(int nPosition);
    void ClickHeader(int nPosition);
    // Posts WM_KEYDOWN to the list with the given modifiers held, and pumps.
    void PressKey(UINT vk, bool bCtrl = false, bool bShift = false);

    CGridTestDialog m_dialog;
    CCommonListCtrl m_list;
};
