// CVXTimer driven tick by tick against real windows that record the messages they receive, and
// CStore forwarding notifications to watchers, also to watchers a host compiled against the
// documented interface and to watchers that add, remove or delete during a notification.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "windows/Store.h"
#include "TestHost.h"
#include "TestSupport.h"
#include "windows/VXTimer.h"

// The host's update record, as a host would define it.
struct sUpdateData { int nValue; };

namespace {

using Log = std::vector<std::string>;

// A hidden window that logs each WM_USER + n it receives as "<name><tick>:<n>".
class CTimerTarget : public CWnd
{
public:
    CTimerTarget(char cName, Log& log, const int& nTick) : m_cName(cName), m_log(log), m_nTick(nTick) {}
    std::function<void()> m_onMessage;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message < WM_USER || message >= 0x8000)
            return CWnd::WindowProc(message, wParam, lParam);
        m_log.push_back(m_cName + std::to_string(m_nTick) + ":" + std::to_string(message - WM_USER));
        if (m_onMessage)
            m_onMessage();
        return 0;
    }

private:
    char m_cName;
    Log& m_log;
    const int& m_nTick;
};

class TimerTest : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        for (CTimerTarget* p : { &m_target, &m_other })
            ASSERT_TRUE(p->CreateEx(0, nullptr, "timer target", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    }
    void TearDown() override
    {
        m_target.DestroyWindow();
        m_other.DestroyWindow();
        HostTest::TearDown();
    }
    // Ticks n times, numbering the ticks on from the last.
    void Tick(CVXTimer& timer, DWORD dwTick, int n)
    {
        for (int i = 0; i < n; ++i)
        {
            ++m_nTick;
            EXPECT_EQ(1, timer.timer_action(dwTick));
        }
    }
    Log m_log;
    int m_nTick = 0;
    CTimerTarget m_target{ 't', m_log, m_nTick }, m_other{ 'o', m_log, m_nTick };
};

TEST_F(TimerTest, EachRegistrationIsToldWhenItsIntervalHasElapsedAfterARestartTick)
{
    // (Planted fault: a registered window told one tick late.)
    struct Reg { bool bOther; int nInterval; DWORD dwOffset; };
    struct Case { const char* name; std::vector<Reg> regs; std::vector<DWORD> ticks; Log log; } cases[] = {
        { "interval of four ticks", { { false, 1000, 5 } }, std::vector<DWORD>(12, 250), { "t4:5", "t8:5", "t12:5" } },
        { "interval not above the tick: every second tick", { { false, 250, 1 }, { true, 100, 2 } },
          std::vector<DWORD>(6, 250), { "t2:1", "o2:2", "t4:1", "o4:2", "t6:1", "o6:2" } },
        { "two registrations of one window, in registration order", { { false, 500, 10 }, { false, 1000, 20 } },
          std::vector<DWORD>(4, 250), { "t2:10", "t4:10", "t4:20" } },
        { "zero ticks leave an idle registration idle", { { false, 250, 3 } }, { 0, 0, 0, 250, 250 }, { "t5:3" } },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        m_log.clear();
        m_nTick = 0;
        CVXTimer timer;
        for (const Reg& r : c.regs)
            EXPECT_EQ(1, timer.register_timer(r.bOther ? &m_other : &m_target, r.nInterval, r.dwOffset));
        for (DWORD dwTick : c.ticks)
            Tick(timer, dwTick, 1);
        EXPECT_EQ(c.log, m_log);
    }
}

TEST_F(TimerTest, UnregisterRemovesOneMatchingRegistrationAlsoFromAHandlerDuringAPass)
{
    CVXTimer timer;
    for (DWORD dwOffset : { 1, 2, 2 })
        timer.register_timer(&m_target, 500, dwOffset);
    // Nothing matches a different interval, window or offset; one of the two identical ones goes.
    EXPECT_EQ(1, timer.unregister_timer(&m_target, 250, 1));
    EXPECT_EQ(1, timer.unregister_timer(&m_other, 500, 1));
    EXPECT_EQ(1, timer.unregister_timer(&m_target, 500, 3));
    EXPECT_EQ(1, timer.unregister_timer(&m_target, 500, 2));
    Tick(timer, 250, 2);
    EXPECT_EQ(Log({ "t2:1", "t2:2" }), m_log);

    // On its first message the target removes itself and the other window's first registration,
    // and registers a new one, which the pass in progress must not serve.
    m_log.clear();
    m_nTick = 0;
    CVXTimer busy;
    busy.register_timer(&m_target, 500, 1);
    busy.register_timer(&m_other, 500, 2);
    busy.register_timer(&m_other, 500, 3);
    m_target.m_onMessage = [&] {
        busy.unregister_timer(&m_target, 500, 1);
        busy.unregister_timer(&m_other, 500, 2);
        busy.register_timer(&m_target, 250, 7);
        m_target.m_onMessage = nullptr;
    };
    // The target fires and rearranges; offset 3 is still served in this pass. The new registration
    // starts on tick 3 and fires on 4 and 6.
    Tick(busy, 250, 6);
    EXPECT_EQ(Log({ "t2:1", "o2:3", "o4:3", "t4:7", "o6:3", "t6:7" }), m_log);
}

// --- watchers ---------------------------------------------------------------------------------

std::string Line(const std::string& name, int nEvent, const CString& csText, void* pData, int nReserved)
{
    const int nValue = pData != nullptr ? static_cast<sUpdateData*>(pData)->nValue : -1;
    return name + ":" + std::to_string(nEvent) + "," + (LPCTSTR)csText + "," + std::to_string(nValue) + "," +
           std::to_string(nReserved);
}

class CRecordingWatcher : public CWatcher
{
public:
    CRecordingWatcher(std::string name, Log& log) : m_name(std::move(name)), m_log(log) {}
    void Notify(int nEvent, CString csText, void* pData, int nReserved) override
    {
        m_log.push_back(Line(m_name, nEvent, csText, pData, nReserved));
        if (m_onNotify)
            m_onNotify();
    }
    void Refresh() override {}
    std::function<void()> m_onNotify;

private:
    std::string m_name;
    Log& m_log;
};

// The watcher interface as a host declares it: the notification in the first slot, the
// never-called operation second, the destructor last.
class IHostWatcher
{
public:
    virtual void Notify(int nEvent, CString csText, void* pData, int nReserved) = 0;
    virtual void Refresh() = 0;
    virtual ~IHostWatcher() {}
};

class CHostWatcher : public IHostWatcher
{
public:
    explicit CHostWatcher(Log& log) : m_log(log) {}
    void Notify(int nEvent, CString csText, void* pData, int nReserved) override
    {
        m_log.push_back(Line("host", nEvent, csText, pData, nReserved));
    }
    void Refresh() override {}
    Log& m_log;
};

class StoreTest : public ::testing::Test
{
protected:
    Log log;
    CRecordingWatcher a{ "a", log }, b{ "b", log }, c{ "c", log }, d{ "d", log }, late{ "late", log };
    CStore store;
};

TEST_F(StoreTest, ForwardsToEachWatcherOnceInOrderIncludingHostCompiledOnes)
{
    // (Planted fault: the last watcher is never told.)
    CHostWatcher host(log);
    store.AddWatcher(&a);
    store.AddWatcher(&b);
    store.AddWatcher(&a);
    store.AddWatcher(reinterpret_cast<CWatcher*>(static_cast<IHostWatcher*>(&host)));
    sUpdateData data{ 42 };
    store.NotifyWatcher(7, "quote", &data);
    EXPECT_EQ(Log({ "a:7,quote,42,0", "b:7,quote,42,0", "host:7,quote,42,0" }), log);

    log.clear();
    store.RemoveWatcher(&a);
    store.RemoveWatcher(&a);   // absent: nothing
    store.RemoveWatcher(reinterpret_cast<CWatcher*>(static_cast<IHostWatcher*>(&host)));
    store.NotifyWatcher(1, "", nullptr);
    EXPECT_EQ(Log({ "b:1,,-1,0" }), log);
}

// A watcher that removed itself or another during a notification made the pass skip the next one.
TEST_F(StoreTest, WatchersAddedOrRemovedDuringANotificationLeaveTheOthersServedOnce)
{
    for (CWatcher* p : { (CWatcher*)&a, (CWatcher*)&b, (CWatcher*)&c, (CWatcher*)&d })
        store.AddWatcher(p);

    // One added during the pass is served in the same pass; one that leaves during its own
    // notification does not cost the next one its turn.
    a.m_onNotify = [&] {
        store.AddWatcher(&late);
        store.RemoveWatcher(&a);
        a.m_onNotify = nullptr;
    };
    store.NotifyWatcher(1, "", nullptr);
    EXPECT_EQ(Log({ "a:1,,-1,0", "b:1,,-1,0", "c:1,,-1,0", "d:1,,-1,0", "late:1,,-1,0" }), log);
    store.RemoveWatcher(&late);

    // Removing one already told and one not told yet: the rest told once each, the removed not at all.
    log.clear();
    b.m_onNotify = [&] {
        store.RemoveWatcher(&b);
        store.RemoveWatcher(&c);
    };
    store.NotifyWatcher(2, "", nullptr);
    EXPECT_EQ(Log({ "b:2,,-1,0", "d:2,,-1,0" }), log);

    // Leaving and coming back at the end during the pass: told again, as any watcher added.
    log.clear();
    store.AddWatcher(&a);
    store.AddWatcher(&c);   // d, a, c
    d.m_onNotify = [&] {
        d.m_onNotify = nullptr;
        store.RemoveWatcher(&d);
        store.AddWatcher(&d);
    };
    store.NotifyWatcher(3, "", nullptr);
    EXPECT_EQ(Log({ "d:3,,-1,0", "a:3,,-1,0", "c:3,,-1,0", "d:3,,-1,0" }), log);
}

TEST_F(StoreTest, NestedPassesStayInStepAndAStoreDeletedByAWatcherEndsThePass)
{
    store.AddWatcher(&a);
    store.AddWatcher(&b);
    store.AddWatcher(&c);
    // b starts a second pass and a leaves during it: the outer pass still reaches c, once.
    a.m_onNotify = [&] {
        if (log.size() > 1)
            store.RemoveWatcher(&a);
    };
    b.m_onNotify = [&] {
        b.m_onNotify = nullptr;
        store.NotifyWatcher(9, "inner", nullptr);
    };
    store.NotifyWatcher(1, "", nullptr);
    EXPECT_EQ(Log({ "a:1,,-1,0", "b:1,,-1,0", "a:9,inner,-1,0", "b:9,inner,-1,0", "c:9,inner,-1,0", "c:1,,-1,0" }), log);

    log.clear();
    CStore* pStore = new CStore;
    pStore->AddWatcher(&a);
    pStore->AddWatcher(&b);
    a.m_onNotify = [&] { delete pStore; };
    pStore->NotifyWatcher(4, "gone", nullptr);
    EXPECT_EQ(Log({ "a:4,gone,-1,0" }), log);
}

}  // namespace
