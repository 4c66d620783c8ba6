// A grid in a dialog (template 3100, list 1001) named "Orders", with a settings file of its own
// per test, and helpers to read and write its appearance entries.
#pragma once

#include "TestHost.h"
#include "TestSupport.h"
#include "host/RecoveryFiles.h"
#include "lists/CommonListCtrl.h"
#include <OrvoTools.h>

#include <string>

class AppearanceTest : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        // A file of its own per test: the platform's profile functions cache the file they last used.
        m_csName.Format("appearance_%s.ini", ::testing::UnitTest::GetInstance()->current_test_info()->name());
        m_csFile = orvou_get_appdata_folder() + "\\" + m_csName;
        ::DeleteFileA(m_csFile);
        SetRecoveryFileNames(m_csName, "");
        Set_Apperance_setting(cCustomizedAppearanceSettings());
        ASSERT_TRUE(m_dialog.Create(3100, &m_frame));
    }
    void TearDown() override
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

    // Subclasses the dialog's list as the grid "Orders" (its initialisation reads the settings).
    void CreateGrid()
    {
        m_list.m_csListName = "Orders";
        ASSERT_TRUE(m_list.SubclassDlgItem(1001, &m_dialog));
    }
    void AddColumns()
    {
        for (const char* name : { "Symbol", "Side", "Status" })
        {
            sOrvoColInfo info = {};
            strlcpy(info.szColName, name, sizeof(info.szColName));
            info.nWidth = 80;
            info.nDataType = 8;
            m_list.m_arrColInfo.Add(info);
        }
        m_list.InsertColumnsForList(nullptr);
    }
    void Store(const char* pszSection, const char* pszKey, const std::string& value)
    {
        CString csValue = value.c_str(), error;
        ASSERT_TRUE(orvou_appdata_ini_file_operations(1, pszSection, pszKey, csValue, m_csName, error)) << (LPCTSTR)error;
    }
    // The stored value, or "<none>".
    std::string Stored(const char* pszSection, const char* pszKey)
    {
        CString value, error;
        return orvou_appdata_ini_file_operations(0, pszSection, pszKey, value, m_csName, error) ? (LPCTSTR)value : "<none>";
    }
    // The next colour dialog answers with clr.
    void AnswerColour(COLORREF clr)
    {
        m_script.m_commonAnswers.push_back([clr](CCommonDialog* p) -> INT_PTR {
            static_cast<CColorDialog*>(p)->m_cc.rgbResult = clr;
            return IDOK;
        });
    }
    template <class A, class T> static void Fill(A& array, std::initializer_list<T> items)
    {
        for (const T& item : items)
            array.Add(item);
    }
    // Face name and height of the font the window uses, and the height of a size in points.
    static std::string FontOf(CWnd* pWnd)
    {
        LOGFONTA lf = {};
        HFONT hFont = (HFONT)pWnd->SendMessage(WM_GETFONT);
        if (hFont == nullptr || ::GetObjectA(hFont, sizeof(lf), &lf) == 0)
            return "<none>";
        return std::string(lf.lfFaceName) + " " + std::to_string(lf.lfHeight);
    }
    static int HeightOfPoints(CWnd* pWnd, int nPoints)
    {
        CClientDC dc(pWnd);
        return -::MulDiv(nPoints, dc.GetDeviceCaps(LOGPIXELSY), 72);
    }
    // An installed family other than the default one: Tahoma where there is one, else the first.
    static std::string Face()
    {
        static std::string face;
        LOGFONTA lf = {};
        lf.lfCharSet = ANSI_CHARSET;
        CClientDC dc(nullptr);
        auto pick = [](const LOGFONTA* p, const TEXTMETRICA*, DWORD, LPARAM l) -> int {
            std::string& f = *reinterpret_cast<std::string*>(l);
            if ((f.empty() && p->lfFaceName[0] != '@' && strchr(p->lfFaceName, ',') == nullptr) ||
                strcmp(p->lfFaceName, "Tahoma") == 0)
                f = p->lfFaceName;
            return 1;
        };
        if (face.empty())
            ::EnumFontFamiliesExA(dc.GetSafeHdc(), &lf, pick, reinterpret_cast<LPARAM>(&face), 0);
        return face;
    }

    CDialog m_dialog;
    CCommonListCtrl m_list;
    CString m_csName, m_csFile;   // the settings file's name, and its full path
};
