#include "app/ConfigValues.h"

#include <gtest/gtest.h>

namespace tuvako {
namespace {

AnsiString SrvNo(std::vector<AnsiString> arguments) {
    return SrvNoFromArguments(arguments, "01");
}

TEST(SrvNoOption, CaseOfTheOptionIsIgnoredAndTheValueTrimmed) {
    EXPECT_EQ(SrvNo({}), "01");
    EXPECT_EQ(SrvNo({"/SRVNO=02"}), "02");
    EXPECT_EQ(SrvNo({"/srvno= 7 "}), "7");
    EXPECT_EQ(SrvNo({"/SrVnO=\t\r5\x01"}), "5");
}

TEST(SrvNoOption, ALaterOptionWinsAndAnEmptyOneIsIgnored) {
    EXPECT_EQ(SrvNo({"/SRVNO=02", "/SRVNO=03"}), "03");
    EXPECT_EQ(SrvNo({"/SRVNO=02", "/SRVNO=", "/SRVNO=  "}), "02");
    EXPECT_EQ(SrvNo({"/SRVNO="}), "01");
    EXPECT_EQ(SrvNo({"-x", "SRVNO=4", "/SRVNO4"}), "01");
}

TEST(SrvNoOption, TheFirstSevenBytesGoWhereverTheOptionStands) {
    // The option may stand anywhere in the argument, but the cut is always at byte seven.
    EXPECT_EQ(SrvNo({"x/SRVNO=9"}), "=9");
    EXPECT_EQ(SrvNo({"/SRVNO=\xE4"
                     "1"}),
              "\xE4"
              "1");
}

TEST(SrvNoOption, ALongValueIsCutTo255Bytes) {
    EXPECT_EQ(SrvNo({"/SRVNO=" + AnsiString(5000, '7')}), AnsiString(255, '7'));
}

TEST(YesNoSetting, OnlyYesInAnyCaseIsOn) {
    for (const char* on : {"YES", "Yes", "yes", "yEs"}) EXPECT_TRUE(IsYes(on)) << on;
    for (const char* off : {"", "No", "Y", "1", "true", " YES", "YES ", "YESS", "Y\xC9S"})
        EXPECT_FALSE(IsYes(off)) << off;
}

TEST(TimerInterval, SecondsBecomeMilliseconds) {
    EXPECT_EQ(TimerIntervalMs(180, 180), 180000u);
    EXPECT_EQ(TimerIntervalMs(1, 60), 1000u);
    EXPECT_EQ(TimerIntervalMs(2147483, 60), 2147483000u);
}

TEST(TimerInterval, ZeroNegativeOrOverflowingSecondsFallBackToTheDefault) {
    // Such values would make the trigger fire at every tick of the pool: a flood of pings.
    EXPECT_EQ(TimerIntervalMs(0, 180), 180000u);
    EXPECT_EQ(TimerIntervalMs(-5, 60), 60000u);
    EXPECT_EQ(TimerIntervalMs(2147484, 60), 60000u);
    EXPECT_EQ(TimerIntervalMs(std::numeric_limits<std::int32_t>::max(), 180), 180000u);
    EXPECT_EQ(TimerIntervalMs(std::numeric_limits<std::int32_t>::min(), 180), 180000u);
}

}  // namespace
}  // namespace tuvako
