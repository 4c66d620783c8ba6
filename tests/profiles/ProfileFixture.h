// A grid in a dialog (template 3100, list 1001) the way a host puts one, for the column profile
// tests. The dialog records the column-rebuilt messages it receives.
#pragma once

#include "TestHost.h"
#include "TestSupport.h"
#include "lists/CommonListCtrl.h"
#include "dialogs/RepositionColumns.h"
#include "lists/VXDragListCtrl.h"
#include <OrvoTools.h>

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
    void SetUp() override
    {
        HostTest::SetUp();
        char szPath[MAX_PATH] = "";
        ::GetModuleFileNameA(nullptr, szPath, MAX_PATH);
        m_csFactory = szPath;
        m_csFactory = m_csFactory.Left(m_csFactory.ReverseFind('\\') + 1) + "FactorySetting.ini";
        ::DeleteFileA(m_csFactory);
    }
    void TearDown() override
    {
        ::DeleteFileA(m_csFactory);
        for (auto& grid : m_grids)
            CloseGrid(*grid);
        m_grids.clear();
        HostTest::TearDown();
    }

    // A new grid named csName with the columns (name, width), header built.
    sGrid& MakeGrid(const char* csName, std::initializer_list<std::pair<const char*, int>> columns, bool bBuild = true)
    {
        m_grids.push_back(std::make_unique<sGrid>());
        sGrid& grid = *m_grids.back();
        EXPECT_TRUE(grid.dialog.Create(3100, &m_frame));
        EXPECT_TRUE(grid.list.SubclassDlgItem(1001, &grid.dialog));
        for (const auto& column : columns)
        {
            sOrvoColInfo info = {};
            strlcpy(info.szColName, column.first, sizeof(info.szColName));
            info.nWidth = column.second;
            info.nFormat = LVCFMT_LEFT;
            info.nDataType = LIST_SORT_TEXT;
            grid.list.m_arrColInfo.Add(info);
        }
        grid.list.m_csListName = csName;
        if (bBuild)
            grid.list.InsertColumnsForList(nullptr);
        return grid;
    }
    static std::vector<std::string> HeaderTexts(CCommonListCtrl& list)
    {
        std::vector<std::string> texts;
        for (int i = 0; i < list.GetHeaderCtrl()->GetItemCount(); ++i)
        {
            char text[128] = "";
            HDITEMA item = {};
            item.mask = HDI_TEXT;
            item.pszText = text;
            item.cchTextMax = sizeof(text);
            list.GetHeaderCtrl()->GetItem(i, &item);
            texts.push_back(text);
        }
        return texts;
    }
    static std::vector<int> HeaderWidths(CCommonListCtrl& list)
    {
        std::vector<int> widths;
        for (int i = 0; i < list.GetHeaderCtrl()->GetItemCount(); ++i)
            widths.push_back(list.GetColumnWidth(i));
        return widths;
    }
    // Destroys the grid's window, which saves its profile.
    static void CloseGrid(sGrid& grid)
    {
        if (grid.dialog.GetSafeHwnd() != nullptr)
            grid.dialog.DestroyWindow();
    }
    // Writes a list's entry of the factory profile (FactorySetting.ini beside the program).
    void Factory(const char* pszList, const char* pszValue)
    {
        ASSERT_TRUE(::WritePrivateProfileStringA("COLUMN PROFILE", pszList, pszValue, m_csFactory));
    }

    std::vector<std::unique_ptr<sGrid>> m_grids;
    CString m_csFactory;   // the factory profile's path; removed after every test
};

using Texts = std::vector<std::string>;
using Widths = std::vector<int>;

inline std::vector<std::string> ListTexts(CListCtrl& list)
{
    std::vector<std::string> texts;
    for (int i = 0; i < list.GetItemCount(); ++i)
        texts.push_back((LPCTSTR)list.GetItemText(i, 0));
    return texts;
}

inline std::vector<int> Selected(CListCtrl& list)
{
    std::vector<int> rows;
    for (POSITION pos = list.GetFirstSelectedItemPosition(); pos != nullptr;)
        rows.push_back(list.GetNextSelectedItem(pos));
    return rows;
}

inline void Select(CListCtrl& list, std::initializer_list<int> rows)
{
    list.SetItemState(-1, 0, LVIS_SELECTED);
    for (int r : rows)
        list.SetItemState(r, LVIS_SELECTED, LVIS_SELECTED);
}
