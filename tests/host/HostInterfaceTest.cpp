// The host interface as the library sees it: callbacks found by name on the test executable, a
// missing one tolerated, the focus-window stack and the appearance record's ownership rules.
#include "TestHost.h"

#include "host/ControlBlock.h"
#include "host/FocusWnd.h"
#include "lists/cCustomizedAppearanceSettings.h"

class HostInterfaceTest : public HostTest
{
};

TEST_F(HostInterfaceTest, CallbacksAreFoundByNameOnTheMainModule)
{
    CControlBlock* pBlock = CControlBlock::Get();
    ASSERT_NE(nullptr, pBlock);
    EXPECT_EQ(pBlock, g_pControlBlock);
    EXPECT_EQ(pBlock, CControlBlock::Get());   // built once
    EXPECT_EQ(::GetModuleHandleA(nullptr), pBlock->m_hHostModule);
    EXPECT_NE(nullptr, pBlock->UserSetting);
    EXPECT_NE(nullptr, pBlock->pu_get_find_menu_item_in_roles);
    EXPECT_EQ(nullptr, pBlock->m_pReserved);

    CString value = "col1,col2";
    EXPECT_EQ(1, pBlock->CallUserSetting(1, "MarketWatch", value, "COLUMNPROFILE"));
    CString back;
    EXPECT_EQ(1, pBlock->CallUserSetting(0, "MarketWatch", back, "COLUMNPROFILE"));
    EXPECT_STREQ("col1,col2", back);
    EXPECT_EQ("col1,col2", (TestHost::Settings()[{ "MarketWatch", "COLUMNPROFILE" }]));

    pBlock->Log("Defualt position used");
    ASSERT_EQ(1u, TestHost::LogLines().size());
    EXPECT_EQ("Defualt position used", TestHost::LogLines()[0]);

    TestHost::g_csPeerText = "PEER-7";
    CString a, b, peer;
    EXPECT_TRUE(pBlock->CallGetPeerData(a, b, peer));
    EXPECT_STREQ("PEER-7", peer);
    TestHost::g_nAppStatus = 4;
    EXPECT_EQ(4, pBlock->CallGetAppStatus());
}

TEST_F(HostInterfaceTest, AFailingSettingsCallLeavesTheValueAlone)
{
    TestHost::g_bFailSettings = true;
    CString value = "unchanged";
    EXPECT_EQ(0, CControlBlock::Get()->CallUserSetting(0, "List", value, "AutoSort"));
    EXPECT_STREQ("unchanged", value);
}

TEST_F(HostInterfaceTest, AHostWithoutTheExportsIsToleratedAsFailedCalls)
{
    // The framework DLL exports none of the host's callbacks: every lookup fails.
    CControlBlock empty(::GetModuleHandleA("Afx.dll"));
    EXPECT_EQ(nullptr, empty.UserSetting);
    EXPECT_EQ(nullptr, empty.AddToTabbedLog);
    CString value = "kept";
    EXPECT_EQ(0, empty.CallUserSetting(0, "List", value, "COLUMNPROFILE"));
    EXPECT_EQ(0, empty.CallUserSettingMWColumns(0, "MarketWatch", value));
    EXPECT_STREQ("kept", value);
    empty.Log("nowhere");
    EXPECT_TRUE(TestHost::LogLines().empty());
    CString a, b, c;
    EXPECT_FALSE(empty.CallGetPeerData(a, b, c));
    EXPECT_EQ(nullptr, empty.CallLoadLibrary("msimg32.dll"));
    EXPECT_EQ(nullptr, empty.CallGetApplicationIcon());
    EXPECT_EQ(-1, empty.CallGetAppStatus());
    CClientDC dc(&m_frame);
    EXPECT_FALSE(empty.CallFillShadeRect(&dc, CRect(0, 0, 10, 10), 0, 0xFFFFFF));
    EXPECT_EQ(0, empty.CallAddExtraColumns(1, 0));

    // The library itself keeps working on a host that lacks the exports.
    CControlBlock* pSaved = g_pControlBlock;
    g_pControlBlock = &empty;
    CControlBlock::Get()->Log("skipped");
    g_pControlBlock = pSaved;
    EXPECT_TRUE(TestHost::LogLines().empty());
}

class FocusStackTest : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        for (int i = 0; i < 3; ++i)
            ASSERT_TRUE(m_wnd[i].CreateEx(0, nullptr, "", WS_CHILD, CRect(0, 0, 5, 5), &m_frame, 200 + i));
        // Start from an empty stack.
        int v = 0;
        while (CWnd* p = GetFocusWnd(v))
            RemoveFocusWnd(p);
    }
    CWnd m_wnd[3];
};

TEST_F(FocusStackTest, TopIsTheLastPushedAndNonZeroValuesReplaceEarlierEntries)
{
    int value = -5;
    EXPECT_EQ(nullptr, GetFocusWnd(value));
    EXPECT_EQ(-5, value);   // untouched on an empty stack

    AddToFocusWnd(&m_wnd[0], 0);
    AddToFocusWnd(&m_wnd[1], 0);
    AddToFocusWnd(&m_wnd[0], 0);   // a zero value keeps the earlier entry of the same window
    EXPECT_EQ(&m_wnd[0], GetFocusWnd(value));
    EXPECT_EQ(0, value);
    RemoveFocusWnd(&m_wnd[0]);     // removes the topmost entry only
    EXPECT_EQ(&m_wnd[1], GetFocusWnd(value));
    RemoveFocusWnd(&m_wnd[1]);
    EXPECT_EQ(&m_wnd[0], GetFocusWnd(value));

    AddToFocusWnd(&m_wnd[2], 0);
    AddToFocusWnd(&m_wnd[0], 9);   // removes every earlier entry of m_wnd[0]
    EXPECT_EQ(&m_wnd[0], GetFocusWnd(value));
    EXPECT_EQ(9, value);
    RemoveFocusWnd(&m_wnd[0]);
    EXPECT_EQ(&m_wnd[2], GetFocusWnd(value));
    RemoveFocusWnd(&m_wnd[1]);     // not on the stack: nothing happens
    EXPECT_EQ(&m_wnd[2], GetFocusWnd(value));
}

TEST_F(FocusStackTest, EntriesOfDestroyedWindowsAreDroppedFromTheTop)
{
    int value = 0;
    AddToFocusWnd(&m_wnd[0], 1);
    AddToFocusWnd(&m_wnd[1], 2);
    {
        auto* pTransient = new CWnd;
        ASSERT_TRUE(pTransient->CreateEx(0, nullptr, "", WS_CHILD, CRect(0, 0, 5, 5), &m_frame, 300));
        AddToFocusWnd(pTransient, 3);
        delete pTransient;   // destroys its window; the stack must not touch the object again
    }
    m_wnd[1].DestroyWindow();
    // A wrapper FromHandle gave out for a window the framework does not own: its window goes
    // while the wrapper is still in the temporary map.
    HWND hRaw = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, m_frame.m_hWnd, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hRaw);
    AddToFocusWnd(CWnd::FromHandle(hRaw), 5);
    ::DestroyWindow(hRaw);
    EXPECT_EQ(&m_wnd[0], GetFocusWnd(value));
    EXPECT_EQ(1, value);
    AddToFocusWnd(nullptr, 4);   // refused
    EXPECT_EQ(&m_wnd[0], GetFocusWnd(value));
    RemoveFocusWnd(nullptr);
}

TEST_F(FocusStackTest, EntriesFollowTheObjectsCurrentWindow)
{
    int value = 0;
    AddToFocusWnd(&m_wnd[0], 1);

    // Pushed before its window was created: it counts from the moment the window exists.
    CWnd later;
    AddToFocusWnd(&later, 2);
    ASSERT_TRUE(later.CreateEx(0, nullptr, "", WS_CHILD, CRect(0, 0, 5, 5), &m_frame, 301));
    EXPECT_EQ(&later, GetFocusWnd(value));
    EXPECT_EQ(2, value);

    // Re-created under the same object: still the same entry.
    AddToFocusWnd(&m_wnd[1], 3);
    m_wnd[1].DestroyWindow();
    ASSERT_TRUE(m_wnd[1].CreateEx(0, nullptr, "", WS_CHILD, CRect(0, 0, 5, 5), &m_frame, 201));
    EXPECT_EQ(&m_wnd[1], GetFocusWnd(value));
    EXPECT_EQ(3, value);
    RemoveFocusWnd(&m_wnd[1]);
    EXPECT_EQ(&later, GetFocusWnd(value));

    // Its window gone for good, then the object deleted: dropped without touching the object.
    {
        auto* pGone = new CWnd;
        AddToFocusWnd(pGone, 4);
        ASSERT_TRUE(pGone->CreateEx(0, nullptr, "", WS_CHILD, CRect(0, 0, 5, 5), &m_frame, 302));
        pGone->DestroyWindow();
        delete pGone;
        auto* pNever = new CWnd;   // pushed, never created, deleted
        AddToFocusWnd(pNever, 5);
        delete pNever;
    }
    later.DestroyWindow();
    EXPECT_EQ(&m_wnd[0], GetFocusWnd(value));
    EXPECT_EQ(1, value);

    // A wrapper FromHandle gave out counts while it lives; once the temporary wrappers are
    // deleted its entry goes, without the wrapper being touched.
    HWND hForeign = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, m_frame.m_hWnd, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hForeign);
    CWnd* pWrapper = CWnd::FromHandle(hForeign);
    AddToFocusWnd(pWrapper, 6);
    EXPECT_EQ(pWrapper, GetFocusWnd(value));
    AfxDeleteTempMaps();
    EXPECT_EQ(&m_wnd[0], GetFocusWnd(value));
    ::DestroyWindow(hForeign);

    // A window that some other object took over after ours let it go is not ours any more.
    HWND hWnd = m_wnd[0].Detach();
    CWnd other;
    ASSERT_TRUE(other.Attach(hWnd));
    EXPECT_EQ(nullptr, GetFocusWnd(value));
    other.Detach();
    ASSERT_TRUE(m_wnd[0].Attach(hWnd));
}

TEST(AppearanceRecord, CopiesShareArraysAssignmentsDuplicateThem)
{
    cCustomizedAppearanceSettings source;
    source.EnsureArrays();
    source.m_pKeywords->Add("buy");
    source.m_pKeywordColors->Add(0xFF);
    source.m_nKeywordColumn = 2;

    cCustomizedAppearanceSettings assigned;
    assigned = source;
    EXPECT_NE(source.m_pKeywords, assigned.m_pKeywords);
    ASSERT_EQ(1, assigned.m_pKeywords->GetSize());
    EXPECT_STREQ("buy", assigned.m_pKeywords->GetAt(0));
    EXPECT_EQ(2, assigned.m_nKeywordColumn);
    source.m_pKeywords->Add("sell");
    EXPECT_EQ(1, assigned.m_pKeywords->GetSize());

    {
        cCustomizedAppearanceSettings copy(source);
        EXPECT_EQ(source.m_pKeywords, copy.m_pKeywords);
        copy.m_pKeywords->Add("hold");
        EXPECT_EQ(3, source.m_pKeywords->GetSize());
    }
    // The copy has gone; the source's shared arrays are still alive and intact.
    EXPECT_EQ(3, source.m_pKeywords->GetSize());
    EXPECT_STREQ("hold", source.m_pKeywords->GetAt(2));

    // An array the source lacks leaves the destination's own array in place.
    cCustomizedAppearanceSettings bare;
    CStringArray* pBefore = assigned.m_pUserKeywords;
    assigned = bare;
    EXPECT_EQ(pBefore, assigned.m_pUserKeywords);
    EXPECT_NE(nullptr, assigned.m_pKeywords);
    EXPECT_EQ(0x00FF00u, assigned.m_clrText);
}

TEST(AppearanceRecord, GlobalRecordIsSetByAssignmentAndReadAsASharingCopy)
{
    cCustomizedAppearanceSettings s;
    s.m_clrBackground = RGB(10, 20, 30);
    s.m_csFontName = "Tahoma";
    s.EnsureArrays();
    s.m_pUserKeywords->Add("nifty");
    EXPECT_TRUE(Set_Apperance_setting(s));
    s.m_pUserKeywords->Add("changed after set");

    cCustomizedAppearanceSettings a = Get_Apperance_setting();
    cCustomizedAppearanceSettings b = Get_Apperance_setting();
    EXPECT_EQ(RGB(10, 20, 30), a.m_clrBackground);
    EXPECT_STREQ("Tahoma", a.m_csFontName);
    ASSERT_NE(nullptr, a.m_pUserKeywords);
    EXPECT_EQ(1, a.m_pUserKeywords->GetSize());
    EXPECT_EQ(a.m_pUserKeywords, b.m_pUserKeywords);   // both share the global's array
    EXPECT_NE(s.m_pUserKeywords, a.m_pUserKeywords);

    Set_Apperance_setting(cCustomizedAppearanceSettings());
}
