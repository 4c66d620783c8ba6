// Test program entry: common controls initialised, and a modal script that records and answers
// installed for the whole run so that no test can block on real modal UI.
#include <afxwin.h>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_DATE_CLASSES };
    ::InitCommonControlsEx(&icc);
    static CRecordingModalScript fallback;
    AfxSetModalScript(&fallback);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
