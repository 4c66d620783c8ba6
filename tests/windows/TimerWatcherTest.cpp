// CVXTimer driven tick by tick against a real window that records the messages it receives, and
// CStore forwarding notifications to watchers.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "windows/Store.h"
#include "TestHost.h"
#include "TestSupport.h"
#include "windows/VXTimer.h"

// The host's update record, as a host would define it.
struct sUpdateData
{
    int nValue;
};

namespace {

// A hidden recorder whose WM_USER + n messages read as n, with the tick number they came on
// (the recorder's stamp).
class CTimerTarget : public CMessageRecorder
{
public:
    struct sRecord
    {
        int nTick;
        DWORD dwOffset;
        bool operator==(const sRecord& o) const { return nTick == o.nTick && dwOffset == o.dwOffset; }
    };
    std::function<void(DWORD)> m_onMessage;

    BOOL Make()
    {
        m_answer = [this](const sRecordedMsg& r, LRESULT& lResult) {
            if (r.message < WM_USER || r.message >= 0x8000)
                return false;
            if (m_onMessage)
                m_onMessage(r.message - WM_USER);
            lResult = 0;
            return true;
        };
        return CreateEx(0, nullptr, "timer target", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
    }
    std::vector<sRecord> Records() const
    {
        std::vector<sRecord> records;
        for (const sRecordedMsg& r : m_records)
        {
            if (r.message >= WM_USER && r.message < 0x8000)
                records.push_back({ r.nStamp, r.message - WM_USER });
        }
        return records;
    }
};

void PrintTo(const CTimerTarget::sRecord& r, std::ostream* os)
{
    *os << "{tick " << r.nTick << ", offset " << r.dwOffset << "}";
}

class TimerTest : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        ASSERT_TRUE(m_target.Make());
        ASSERT_TRUE(m_other.Make());
    }
    void TearDown() override
    {
        m_target.DestroyWindow();
        m_other.DestroyWindow();
        HostTest::TearDown();
    }
    // Ticks n times, numbering the ticks from 1 on in both windows.
    void Tick(CVXTimer& timer, DWORD dwTick, int n)
    {
        for (int i = 0; i < n; ++i)
        {
            ++m_target.m_nStamp;
            ++m_other.m_nStamp;
            EXPECT_EQ(1, timer.timer_action(dwTick));
        }
    }
    CTimerTarget m_target;
    CTimerTarget m_other;
};

using R = CTimerTarget::sRecord;

TEST_F(TimerTest, IntervalOfFourTicksSendsOnEveryFourthTick)
{
    CVXTimer timer;
    EXPECT_EQ(1, timer.register_timer(&m_target, 1000, 5));
    Tick(timer, 250, 12);
    EXPECT_EQ((std::vector<R>{ { 4, 5 }, { 8, 5 }, { 12, 5 } }), m_target.Records());
}

TEST_F(TimerTest, IntervalNotAboveTheTickSendsOnEverySecondTick)
{
    CVXTimer timer;
    timer.register_timer(&m_target, 250, 1);
    timer.register_timer(&m_other, 100, 2);
    Tick(timer, 250, 6);
    EXPECT_EQ((std::vector<R>{ { 2, 1 }, { 4, 1 }, { 6, 1 } }), m_target.Records());
    EXPECT_EQ((std::vector<R>{ { 2, 2 }, { 4, 2 }, { 6, 2 } }), m_other.Records());
}

TEST_F(TimerTest, TwoRegistrationsOfOneWindowSendTheirOwnMessages)
{
    CVXTimer timer;
    timer.register_timer(&m_target, 500, 10);
    timer.register_timer(&m_target, 1000, 20);
    Tick(timer, 250, 4);
    // Registration order within a tick.
    EXPECT_EQ((std::vector<R>{ { 2, 10 }, { 4, 10 }, { 4, 20 } }), m_target.Records());
}

TEST_F(TimerTest, ZeroTickLeavesAnIdleRegistrationIdle)
{
    CVXTimer timer;
    timer.register_timer(&m_target, 250, 3);
    Tick(timer, 0, 3);
    // Still idle: the next tick only starts the count.
    Tick(timer, 250, 1);
    EXPECT_TRUE(m_target.Records().empty());
    Tick(timer, 250, 1);
    EXPECT_EQ((std::vector<R>{ { 5, 3 } }), m_target.Records());
}

TEST_F(TimerTest, UnregisterRemovesTheMatchingRegistrationOnly)
{
    CVXTimer timer;
    timer.register_timer(&m_target, 500, 1);
    timer.register_timer(&m_target, 500, 2);
    timer.register_timer(&m_target, 500, 2);
    // Nothing matches: a different interval, window or offset.
    EXPECT_EQ(1, timer.unregister_timer(&m_target, 250, 1));
    EXPECT_EQ(1, timer.unregister_timer(&m_other, 500, 1));
    EXPECT_EQ(1, timer.unregister_timer(&m_target, 500, 3));
    // One of the two identical registrations goes.
    EXPECT_EQ(1, timer.unregister_timer(&m_target, 500, 2));
    Tick(timer, 250, 2);
    EXPECT_EQ((std::vector<R>{ { 2, 1 }, { 2, 2 } }), m_target.Records());

    timer.unregister_timer(&m_target, 500, 1);
    timer.unregister_timer(&m_target, 500, 2);
    Tick(timer, 250, 4);
    EXPECT_EQ(2u, m_target.Records().size());
}

TEST_F(TimerTest, HandlersMayRegisterAndUnregisterDuringAPass)
{
    CVXTimer timer;
    timer.register_timer(&m_target, 500, 1);
    timer.register_timer(&m_other, 500, 2);
    timer.register_timer(&m_other, 500, 3);
    // On its first message the target removes itself and the other window's first registration,
    // and registers a new one, which the pass in progress must not serve.
    m_target.m_onMessage = [&](DWORD) {
        timer.unregister_timer(&m_target, 500, 1);
        timer.unregister_timer(&m_other, 500, 2);
        timer.register_timer(&m_target, 250, 7);
        m_target.m_onMessage = nullptr;
    };
    Tick(timer, 250, 1);   // counts start
    Tick(timer, 250, 1);   // target fires and rearranges; offset 3 is still served in this pass
    EXPECT_EQ((std::vector<R>{ { 2, 1 } }), m_target.Records());
    EXPECT_EQ((std::vector<R>{ { 2, 3 } }), m_other.Records());
    Tick(timer, 250, 4);   // the new registration starts on tick 3 and fires on 4 and 6
    EXPECT_EQ((std::vector<R>{ { 2, 1 }, { 4, 7 }, { 6, 7 } }), m_target.Records());
    EXPECT_EQ((std::vector<R>{ { 2, 3 }, { 4, 3 }, { 6, 3 } }), m_other.Records());
}

// --- watchers ---------------------------------------------------------------------------------

class CRecordingWatcher : public CWatcher
{
public:
    explicit CRecordingWatcher(std::string name, std::vector<std::string>& log) : m_name(std::move(name)), m_log(log) {}
    void Notify(int nEvent, CString csText, void* pData, int nReserved) override
    {
        int nValue = pData != nullptr ? static_cast<sUpdateData*>(pData)->nValue : -1;
        m_log.push_back(m_name + ":" + std::to_string(nEvent) + "," + (LPCTSTR)csText + "," + std::to_string(nValue) +
                        "," + std::to_string(nReserved));
        if (m_onNotify)
            m_onNotify();
    }
    void Refresh() override {}
    std::function<void()> m_onNotify;

private:
    std::string m_name;
    std::vector<std::string>& m_log;
};

TEST(StoreTest, ForwardsToEachWatcherOnceInOrder)
{
    std::vector<std::string> log;
    CRecordingWatcher a("a", log), b("b", log);
    CStore store;
    store.AddWatcher(&a);
    store.AddWatcher(&b);
    store.AddWatcher(&a);
    sUpdateData data{ 42 };
    store.NotifyWatcher(7, "quote", &data);
    EXPECT_EQ((std::vector<std::string>{ "a:7,quote,42,0", "b:7,quote,42,0" }), log);

    log.clear();
    store.RemoveWatcher(&a);
    store.RemoveWatcher(&a);   // absent: nothing
    store.NotifyWatcher(1, "", nullptr);
    EXPECT_EQ((std::vector<std::string>{ "b:1,,-1,0" }), log);

    log.clear();
    store.RemoveWatcher(&b);
    store.NotifyWatcher(1, "", nullptr);
    EXPECT_TRUE(log.empty());
}

TEST(StoreTest, WatcherAddedDuringANotificationIsServedInTheSamePass)
{
    std::vector<std::string> log;
    CRecordingWatcher a("a", log), late("late", log);
    CStore store;
    store.AddWatcher(&a);
    a.m_onNotify = [&] { store.AddWatcher(&late); };
    store.NotifyWatcher(2, "x", nullptr);
    EXPECT_EQ((std::vector<std::string>{ "a:2,x,-1,0", "late:2,x,-1,0" }), log);
}

TEST(StoreTest, WatchersRemovedDuringANotificationLeaveTheOthersServed)
{
    std::vector<std::string> log;
    CRecordingWatcher a("a", log), b("b", log), c("c", log), d("d", log);
    CStore store;
    for (CWatcher* p : { (CWatcher*)&a, (CWatcher*)&b, (CWatcher*)&c, (CWatcher*)&d })
        store.AddWatcher(p);

    // A watcher that leaves during its own notification: the next one is still told.
    a.m_onNotify = [&] { store.RemoveWatcher(&a); };
    store.NotifyWatcher(1, "", nullptr);
    EXPECT_EQ((std::vector<std::string>{ "a:1,,-1,0", "b:1,,-1,0", "c:1,,-1,0", "d:1,,-1,0" }), log);
    a.m_onNotify = nullptr;

    // One that removes a watcher already told and one not told yet: the rest are told once each,
    // the removed one not at all.
    log.clear();
    b.m_onNotify = [&] {
        store.RemoveWatcher(&b);
        store.RemoveWatcher(&c);
    };
    store.NotifyWatcher(2, "", nullptr);
    EXPECT_EQ((std::vector<std::string>{ "b:2,,-1,0", "d:2,,-1,0" }), log);

    // Leaving and coming back at the end during the pass: told again in the same pass, as any
    // watcher added during it.
    log.clear();
    store.AddWatcher(&a);
    store.AddWatcher(&c);   // d, a, c
    d.m_onNotify = [&] {
        d.m_onNotify = nullptr;
        store.RemoveWatcher(&d);
        store.AddWatcher(&d);
    };
    store.NotifyWatcher(3, "", nullptr);
    EXPECT_EQ((std::vector<std::string>{ "d:3,,-1,0", "a:3,,-1,0", "c:3,,-1,0", "d:3,,-1,0" }), log);
}

TEST(StoreTest, NestedNotificationsAndRemovalsKeepBothPassesInStep)
{
    std::vector<std::string> log;
    CRecordingWatcher a("a", log), b("b", log), c("c", log);
    CStore store;
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
    EXPECT_EQ((std::vector<std::string>{ "a:1,,-1,0", "b:1,,-1,0", "a:9,inner,-1,0", "b:9,inner,-1,0",
                                         "c:9,inner,-1,0", "c:1,,-1,0" }),
              log);
}

TEST(StoreTest, StoreDeletedByAWatcherEndsThePass)
{
    std::vector<std::string> log;
    CRecordingWatcher a("a", log), b("b", log);
    CStore* pStore = new CStore;
    pStore->AddWatcher(&a);
    pStore->AddWatcher(&b);
    a.m_onNotify = [&] { delete pStore; };
    pStore->NotifyWatcher(4, "gone", nullptr);
    EXPECT_EQ((std::vector<std::string>{ "a:4,gone,-1,0" }), log);
}

}  // namespace
