#include "app/ConfigValues.h"

#include <gtest/gtest.h>

#include <limits>

namespace tuvako {
namespace {

TEST(ConfigValues, SrvNoOptionIgnoresCaseTrimsAndTheLastUsableOneWins) {
    const struct {
        std::vector<AnsiString> arguments;
        AnsiString srvNo;
    } cases[] = {
        {{}, "01"},
        {{"/srvno= 7 "}, "7"},
        {{"/SrVnO=\t\r5\x01"}, "5"},
        {{"/SRVNO=02", "/SRVNO=03"}, "03"},
        {{"/SRVNO=02", "/SRVNO=", "/SRVNO=  "}, "02"},
        {{"-x", "SRVNO=4", "/SRVNO4"}, "01"},
        {{"x/SRVNO=9"}, "=9"},  // found anywhere, but always cut at byte seven
        {{"/SRVNO=" + AnsiString(999, '7')}, AnsiString(255, '7')},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SrvNoFromArguments(c.arguments, "01"), c.srvNo) << c.srvNo;
}

TEST(ConfigValues, OnlyYesInAnyCaseIsOn) {
    for (const char* on : {"YES", "Yes", "yEs"}) EXPECT_TRUE(IsYes(on)) << on;
    for (const char* off : {"", "No", "Y", "1", " YES", "YESS", "Y\xC9S"})
        EXPECT_FALSE(IsYes(off)) << off;
}

TEST(ConfigValues, TimerSecondsOfZeroOrLessOrOverflowingMillisecondsGiveTheDefault) {
    EXPECT_EQ(TimerIntervalMs(1, 60), 1000u);
    EXPECT_EQ(TimerIntervalMs(2147483, 60), 2147483000u);
    for (std::int32_t bad : {0, -5, 2147484, std::numeric_limits<std::int32_t>::max(),
                             std::numeric_limits<std::int32_t>::min()})
        EXPECT_EQ(TimerIntervalMs(bad, 180), 180000u) << bad;
}

}  // namespace
}  // namespace tuvako
