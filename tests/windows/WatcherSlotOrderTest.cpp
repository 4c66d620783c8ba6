// A host compiles its watchers against the documented interface, not against our header: the
// notification in the first slot, the never-called operation second, the destructor last. The
// store must reach such a watcher's notification.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "windows/Store.h"

struct sUpdateData
{
    int nValue;
};

namespace
{
// The watcher interface as the host declares it.
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
    void Notify(int nEvent, CString csText, void* pData, int nReserved) override
    {
        const int nValue = pData != nullptr ? static_cast<sUpdateData*>(pData)->nValue : -1;
        m_log.push_back("notify " + std::to_string(nEvent) + "," + (LPCTSTR)csText + "," + std::to_string(nValue) + "," +
                        std::to_string(nReserved));
    }
    void Refresh() override { m_log.push_back("refresh"); }
    ~CHostWatcher() override { m_log.push_back("destroyed"); }
    std::vector<std::string> m_log;
};
}  // namespace

TEST(WatcherSlotOrderTest, AWatcherBuiltFromTheDocumentedSlotsGetsTheNotification)
{
    CHostWatcher watcher;
    CStore store;
    store.AddWatcher(reinterpret_cast<CWatcher*>(static_cast<IHostWatcher*>(&watcher)));
    sUpdateData data{ 9 };
    store.NotifyWatcher(1, "Order entry", &data);
    store.NotifyWatcher(0, "", nullptr);
    EXPECT_EQ((std::vector<std::string>{ "notify 1,Order entry,9,0", "notify 0,,-1,0" }), watcher.m_log);
}
