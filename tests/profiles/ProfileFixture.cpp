#include "ProfileFixture.h"

#include <OrvoTools.h>

BEGIN_MESSAGE_MAP(CProfileGridDialog, CDialog)
    ON_MESSAGE(WM_LIST_COLUMNS_REBUILT, OnColumnsRebuilt)
END_MESSAGE_MAP()

void ProfileTest::SetUp()
{
    HostTest::SetUp();
    char szPath[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    m_csFactory = szPath;
    m_csFactory = m_csFactory.Left(m_csFactory.ReverseFind('\\') + 1) + "FactorySetting.ini";
    ::DeleteFileA(m_csFactory);
}

void ProfileTest::Factory(const char* pszList, const char* pszValue)
{
    ASSERT_TRUE(::WritePrivateProfileStringA("COLUMN PROFILE", pszList, pszValue, m_csFactory));
}

void ProfileTest::TearDown()
{
    ::DeleteFileA(m_csFactory);
    for (auto& grid : m_grids)
    {
        if (grid->dialog.GetSafeHwnd() != nullptr)
            grid->dialog.DestroyWindow();
    }
    m_grids.clear();
    HostTest::TearDown();
}

sGrid& ProfileTest::MakeGrid(const char* csName, std::initializer_list<std::pair<const char*, int>> columns,
                             bool bBuild)
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

std::vector<std::string> ProfileTest::HeaderTexts(CCommonListCtrl& list)
{
    std::vector<std::string> texts;
    CHeaderCtrl* pHeader = list.GetHeaderCtrl();
    for (int i = 0; i < pHeader->GetItemCount(); ++i)
    {
        char text[128] = "";
        HDITEMA item = {};
        item.mask = HDI_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        pHeader->GetItem(i, &item);
        texts.push_back(text);
    }
    return texts;
}

std::vector<int> ProfileTest::HeaderWidths(CCommonListCtrl& list)
{
    std::vector<int> widths;
    CHeaderCtrl* pHeader = list.GetHeaderCtrl();
    for (int i = 0; i < pHeader->GetItemCount(); ++i)
        widths.push_back(list.GetColumnWidth(i));
    return widths;
}

void ProfileTest::CloseGrid(sGrid& grid)
{
    grid.dialog.DestroyWindow();
}

std::vector<std::string> ListTexts(CListCtrl& list)
{
    std::vector<std::string> texts;
    for (int i = 0; i < list.GetItemCount(); ++i)
        texts.push_back((LPCTSTR)list.GetItemText(i, 0));
    return texts;
}

std::vector<int> Selected(CListCtrl& list)
{
    std::vector<int> rows;
    POSITION pos = list.GetFirstSelectedItemPosition();
    while (pos != nullptr)
        rows.push_back(list.GetNextSelectedItem(pos));
    return rows;
}

void Select(CListCtrl& list, std::initializer_list<int> rows)
{
    list.SetItemState(-1, 0, LVIS_SELECTED);
    for (int r : rows)
        list.SetItemState(r, LVIS_SELECTED, LVIS_SELECTED);
}
