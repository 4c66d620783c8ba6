// A grid in a dialog (template 3100, list 1001) the way a host puts one, for the column profile
// tests. The dialog records the column-rebuilt messages it receives.
#pragma once

#include "TestHost.h"
#include "TestSupport.h"
#include "lists/CommonListCtrl.h"
#include "dialogs/RepositionColumns.h"
#include "lists/VXDragListCtrl.h"

#include <memory>
#include <string>
#include <vector>

class CProfileGridDialog : public CDialog
{
public:
    std::vector<WPARAM> m_rebuilt;

    afx_msg LRESULT OnColumnsRebuilt(WPARAM wParam, LPARAM)
    {
        m_rebuilt.push_back(wParam);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

// One grid: its dialog and its list.
struct sGrid { CProfileGridDialog dialog; CCommonListCtrl list; };

class ProfileTest : public HostTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A new grid named csName with the columns (name, width), header built.
    sGrid& MakeGrid(const char* csName, std::initializer_list<std::pair<const char*, int>> columns,
                    bool bBuild = true);
    static std::vector<std::string> HeaderTexts(CCommonListCtrl& list);
    static std::vector<int> HeaderWidths(CCommonListCtrl& list);
    // Destroys the grid's window, which saves its profile.
    static void CloseGrid(sGrid& grid);
    // Writes a list's entry of the factory profile (FactorySetting.ini beside the program).
    void Factory(const char* pszList, const char* pszValue);

    std::vector<std::unique_ptr<sGrid>> m_grids;
    CString m_csFactory;   // the factory profile's path; removed after every test
};

using Texts = std::vector<std::string>;
using Widths = std::vector<int>;

std::vector<std::string> ListTexts(CListCtrl& list);
std::vector<int> Selected(CListCtrl& list);
void Select(CListCtrl& list, std::initializer_list<int> rows);
