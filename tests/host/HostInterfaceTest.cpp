// The host interface where other programs would not show a fault: a host without the callbacks,
// the focus-window stack with windows and objects that go away, the appearance record's sharing.
#include "TestHost.h"

#include "host/ControlBlock.h"
#include "host/FocusWnd.h"
#include "lists/cCustomizedAppearanceSettings.h"

class HostInterfaceTest : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        for (int i = 0; i < 3; ++i)
            ASSERT_TRUE(m_wnd[i].CreateEx(0, nullptr, "", WS_CHILD, CRect(0, 0, 5, 5), &m_frame, 200 + i));
        int v = 0;
        while (CWnd* p = GetFocusWnd(v))   // start from an empty stack
            RemoveFocusWnd(p);
    }
    // The top entry as "index:value", "other:value" or "none".
    std::string Top()
    {
        int value = -5;
        CWnd* p = GetFocusWnd(value);
        for (int i = 0; i < 3; ++i)
            if (p == &m_wnd[i])
                return std::to_string(i) + ":" + std::to_string(value);
        return p ? "other:" + std::to_string(value) : "none:" + std::to_string(value);
    }
    CWnd* Raw(int nID)   // a wrapper FromHandle gives out for a window the framework does not own
    {
        return CWnd::FromHandle(::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, m_frame.m_hWnd,
                                                  (HMENU)(INT_PTR)nID, nullptr, nullptr));
    }
    CWnd m_wnd[3];
};

TEST_F(HostInterfaceTest, AHostWithoutTheExportsIsToleratedAsFailedCalls)
{
    // The framework DLL exports none of the host's callbacks: every lookup fails.
    CControlBlock empty(::GetModuleHandleA("Afx.dll"));
    CString value = "kept";
    EXPECT_EQ(0, empty.CallUserSetting(0, "List", value, "COLUMNPROFILE"));
    EXPECT_EQ(0, empty.CallUserSettingMWColumns(0, "MarketWatch", value));
    EXPECT_STREQ("kept", value);
    CString a, b, c;
    EXPECT_FALSE(empty.CallGetPeerData(a, b, c));
    EXPECT_TRUE(empty.CallLoadLibrary("msimg32.dll") == nullptr && empty.CallGetAppStatus() == -1);
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

TEST_F(HostInterfaceTest, TopIsTheLastPushedAndEntriesFollowTheObjectsCurrentWindow)
{
    EXPECT_EQ("none:-5", Top());   // the value untouched on an empty stack
    AddToFocusWnd(&m_wnd[0], 0);
    AddToFocusWnd(&m_wnd[1], 0);
    AddToFocusWnd(&m_wnd[0], 0);   // a zero value keeps the earlier entry of the same window
    EXPECT_EQ("0:0", Top());
    RemoveFocusWnd(&m_wnd[0]);     // removes the topmost entry only
    EXPECT_EQ("1:0", Top());
    RemoveFocusWnd(&m_wnd[1]);
    EXPECT_EQ("0:0", Top());
    AddToFocusWnd(&m_wnd[2], 0);
    AddToFocusWnd(&m_wnd[0], 9);   // removes every earlier entry of m_wnd[0]
    RemoveFocusWnd(&m_wnd[0]);
    RemoveFocusWnd(&m_wnd[1]);     // not on the stack: nothing happens
    AddToFocusWnd(nullptr, 4);     // refused
    RemoveFocusWnd(nullptr);
    EXPECT_EQ("2:0", Top());
    RemoveFocusWnd(&m_wnd[2]);

    // The stack once counted destroyed windows, and touched deleted objects, as still there.
    AddToFocusWnd(&m_wnd[0], 1);
    // Pushed before its window was created: it counts from the moment the window exists.
    CWnd later;
    AddToFocusWnd(&later, 2);
    ASSERT_TRUE(later.CreateEx(0, nullptr, "", WS_CHILD, CRect(0, 0, 5, 5), &m_frame, 301));
    EXPECT_EQ("other:2", Top());
    // Re-created under the same object: still the same entry.
    AddToFocusWnd(&m_wnd[1], 3);
    m_wnd[1].DestroyWindow();
    ASSERT_TRUE(m_wnd[1].CreateEx(0, nullptr, "", WS_CHILD, CRect(0, 0, 5, 5), &m_frame, 201));
    EXPECT_EQ("1:3", Top());
    RemoveFocusWnd(&m_wnd[1]);

    // Deleted with its window, destroyed then deleted, pushed and never created, destroyed while
    // the object stays, a raw window destroyed while its wrapper is still in the temporary map:
    // all dropped without the object being touched.
    AddToFocusWnd(&m_wnd[1], 7);
    m_wnd[1].DestroyWindow();
    auto* pTransient = new CWnd;
    ASSERT_TRUE(pTransient->CreateEx(0, nullptr, "", WS_CHILD, CRect(0, 0, 5, 5), &m_frame, 300));
    AddToFocusWnd(pTransient, 3);
    delete pTransient;
    auto* pGone = new CWnd;
    AddToFocusWnd(pGone, 4);
    ASSERT_TRUE(pGone->CreateEx(0, nullptr, "", WS_CHILD, CRect(0, 0, 5, 5), &m_frame, 302));
    pGone->DestroyWindow();
    delete pGone;
    auto* pNever = new CWnd;
    AddToFocusWnd(pNever, 5);
    delete pNever;
    CWnd* pRaw = Raw(303);
    AddToFocusWnd(pRaw, 5);
    ::DestroyWindow(pRaw->m_hWnd);
    later.DestroyWindow();
    EXPECT_EQ("0:1", Top());

    // A wrapper FromHandle gave out counts while it lives; once the temporary wrappers are
    // deleted its entry goes, without the wrapper being touched.
    CWnd* pWrapper = Raw(304);
    HWND hForeign = pWrapper->m_hWnd;
    AddToFocusWnd(pWrapper, 6);
    EXPECT_EQ("other:6", Top());
    AfxDeleteTempMaps();
    EXPECT_EQ("0:1", Top());
    ::DestroyWindow(hForeign);

    // A window that some other object took over after ours let it go is not ours any more.
    HWND hWnd = m_wnd[0].Detach();
    CWnd other;
    ASSERT_TRUE(other.Attach(hWnd));
    EXPECT_EQ("none:-5", Top());
    other.Detach();
    ASSERT_TRUE(m_wnd[0].Attach(hWnd));
}

TEST(AppearanceRecord, CopiesShareArraysAssignmentsDuplicateThemAndTheGlobalIsReadAsASharingCopy)
{
    cCustomizedAppearanceSettings source;
    source.EnsureArrays();
    source.m_pKeywords->Add("buy");
    cCustomizedAppearanceSettings assigned;
    assigned = source;
    source.m_pKeywords->Add("sell");
    ASSERT_EQ(1, assigned.m_pKeywords->GetSize());
    EXPECT_STREQ("buy", assigned.m_pKeywords->GetAt(0));
    {
        cCustomizedAppearanceSettings copy(source);
        EXPECT_EQ(source.m_pKeywords, copy.m_pKeywords);
    }
    // The copy has gone; the source's shared arrays are still alive and intact.
    ASSERT_EQ(2, source.m_pKeywords->GetSize());
    EXPECT_STREQ("sell", source.m_pKeywords->GetAt(1));
    // An array the source lacks leaves the destination's own array in place.
    CStringArray* pBefore = assigned.m_pUserKeywords;
    assigned = cCustomizedAppearanceSettings();
    EXPECT_EQ(pBefore, assigned.m_pUserKeywords);

    cCustomizedAppearanceSettings s;
    s.EnsureArrays();
    s.m_pUserKeywords->Add("nifty");
    EXPECT_TRUE(Set_Apperance_setting(s));
    s.m_pUserKeywords->Add("changed after set");
    cCustomizedAppearanceSettings a = Get_Apperance_setting();
    cCustomizedAppearanceSettings b = Get_Apperance_setting();
    ASSERT_NE(nullptr, a.m_pUserKeywords);
    EXPECT_EQ(1, a.m_pUserKeywords->GetSize());
    EXPECT_EQ(a.m_pUserKeywords, b.m_pUserKeywords);   // both share the global's array
    Set_Apperance_setting(cCustomizedAppearanceSettings());
}
