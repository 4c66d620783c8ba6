// Trend settings are written when the list closes, where nobody sees a failure: each refused key
// gets one line in the host's log, and a damaged stored value is logged cut to a readable length.
#include "FilterListFixture.h"

#include <algorithm>

namespace
{
int LogLinesWith(const char* pszText)
{
    const auto& lines = TestHost::LogLines();
    return (int)std::count_if(lines.begin(), lines.end(),
                              [pszText](const std::string& line) { return line.find(pszText) != std::string::npos; });
}
}  // namespace

TEST_F(FilterListTest, RefusedTrendWritesGetOneLogLineEach)
{
    Build();
    CArray<int, int> columns;
    columns.Add(1);
    m_list.SetTrendColumns(&columns);
    TestHost::LogLines().clear();
    TestHost::g_bFailSettings = true;
    m_list.SaveColumnProfile();
    TestHost::g_bFailSettings = false;
    for (const char* key : { "TrendColumns", "TrendType", "NegColor", "PosColor", "Interval" })
        EXPECT_EQ(1, LogLinesWith((std::string("Could not save the trend settings [FilterGrid] ") + key).c_str())) << key;
}

TEST_F(FilterListTest, AMegabyteStoredValueIsLoggedAsAShortLine)
{
    TestSettings::Put("FilterGrid", "NegColor", std::string(1 << 20, '7') + "x");
    TestHost::LogLines().clear();
    Build();
    ASSERT_EQ(1, LogLinesWith("NegColor"));
    for (const std::string& line : TestHost::LogLines())
        EXPECT_LT(line.size(), 300u) << line.substr(0, 100);
    EXPECT_EQ(1, LogLinesWith("(1048577 characters)"));
}
