// A grid in a dialog (template 3100, list 1001) named "Orders", with the application-data
// settings file of these tests, and helpers to read and write its appearance entries.
#pragma once

#include "TestHost.h"
#include "TestSupport.h"
#include "lists/CommonListCtrl.h"
#include <OrvoTools.h>

#include <string>

class AppearanceTest : public HostTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Subclasses the dialog's list as the grid "Orders" (its initialisation reads the settings).
    void CreateGrid(const char* pszName = "Orders");
    void AddColumns();
    static void Store(const char* pszSection, const char* pszKey, const char* pszValue);
    // The stored value, or "<none>".
    static std::string Stored(const char* pszSection, const char* pszKey);
    // Face name and height of the font the window uses.
    static std::string FontOf(CWnd* pWnd);
    static int HeightOfPoints(CWnd* pWnd, int nPoints);
    // An installed font family other than the default one ("Tahoma" where there is one).
    static std::string Face();

    CDialog m_dialog;
    CCommonListCtrl m_list;
    CString m_csFile;   // full path of the settings file
};

extern CString kAppearanceFile;
