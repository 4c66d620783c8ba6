#include "AppearanceFixture.h"
#include "host/RecoveryFiles.h"

#include <algorithm>
#include <vector>

CString kAppearanceFile;

void AppearanceTest::SetUp()
{
    HostTest::SetUp();
    // A file of its own per test: the platform's profile functions cache the file they last used.
    kAppearanceFile.Format("appearance_%s.ini", ::testing::UnitTest::GetInstance()->current_test_info()->name());
    m_csFile = orvou_get_appdata_folder() + "\\" + kAppearanceFile;
    ::DeleteFileA(m_csFile);
    SetRecoveryFileNames(kAppearanceFile, "");
    Set_Apperance_setting(cCustomizedAppearanceSettings());
    ASSERT_TRUE(m_dialog.Create(3100, &m_frame));
}

void AppearanceTest::TearDown()
{
    BYTE keys[256] = {};
    ::SetKeyboardState(keys);
    if (m_dialog.GetSafeHwnd() != nullptr)
        m_dialog.DestroyWindow();
    Set_Apperance_setting(cCustomizedAppearanceSettings());
    ::DeleteFileA(m_csFile);
    SetRecoveryFileNames("", "");
    HostTest::TearDown();
}

void AppearanceTest::CreateGrid(const char* pszName)
{
    m_list.m_csListName = pszName;
    ASSERT_TRUE(m_list.SubclassDlgItem(1001, &m_dialog));
}

void AppearanceTest::AddColumns()
{
    static const char* const names[] = { "Symbol", "Side", "Status" };
    for (const char* name : names)
    {
        sOrvoColInfo info = {};
        strlcpy(info.szColName, name, sizeof(info.szColName));
        info.nWidth = 80;
        info.nDataType = 8;
        m_list.m_arrColInfo.Add(info);
    }
    m_list.InsertColumnsForList(nullptr);
}

void AppearanceTest::Store(const char* pszSection, const char* pszKey, const char* pszValue)
{
    CString value = pszValue, file = kAppearanceFile, error;
    ASSERT_TRUE(orvou_appdata_ini_file_operations(1, pszSection, pszKey, value, file, error)) << (LPCTSTR)error;
}

std::string AppearanceTest::Stored(const char* pszSection, const char* pszKey)
{
    CString value, file = kAppearanceFile, error;
    if (!orvou_appdata_ini_file_operations(0, pszSection, pszKey, value, file, error))
        return "<none>";
    return (LPCTSTR)value;
}

std::string AppearanceTest::FontOf(CWnd* pWnd)
{
    HFONT hFont = (HFONT)pWnd->SendMessage(WM_GETFONT);
    LOGFONTA lf = {};
    if (hFont == nullptr || ::GetObjectA(hFont, sizeof(lf), &lf) == 0)
        return "<none>";
    return std::string(lf.lfFaceName) + " " + std::to_string(lf.lfHeight);
}

int AppearanceTest::HeightOfPoints(CWnd* pWnd, int nPoints)
{
    HDC hdc = ::GetDC(pWnd->m_hWnd);
    int nHeight = -::MulDiv(nPoints, ::GetDeviceCaps(hdc, LOGPIXELSY), 72);
    ::ReleaseDC(pWnd->m_hWnd, hdc);
    return nHeight;
}

namespace
{
int CALLBACK CollectFamily(const LOGFONTA* pFont, const TEXTMETRICA*, DWORD, LPARAM lParam)
{
    reinterpret_cast<std::vector<std::string>*>(lParam)->push_back(pFont->lfFaceName);
    return 1;
}
}  // namespace

std::string AppearanceTest::Face()
{
    static std::string face;
    if (!face.empty())
        return face;
    std::vector<std::string> families;
    LOGFONTA lf = {};
    lf.lfCharSet = ANSI_CHARSET;
    HDC hdc = ::GetDC(nullptr);
    ::EnumFontFamiliesExA(hdc, &lf, CollectFamily, reinterpret_cast<LPARAM>(&families), 0);
    ::ReleaseDC(nullptr, hdc);
    for (const char* preferred : { "Tahoma", "DejaVu Sans" })
        if (std::find(families.begin(), families.end(), preferred) != families.end())
            return face = preferred;
    for (const std::string& f : families)
        if (f[0] != '@' && f.find(',') == std::string::npos)
            return face = f;
    return face = "MS Shell Dlg 2";
}
