// Start-up: the command line, the configuration and its rules, bad files, the maximised window.
#include "MainWindowProbe.h"
#include "app/ConfigValues.h"
#include "support/FakeTickClock.h"
#include "support/SpecialFiles.h"

#include <QApplication>
#include <QHostAddress>
#include <QScreen>
#include <QTcpServer>

#include <limits>

namespace tuvako {
namespace {

using MainStartup = WindowTest;

TEST(ConfigValues, SrvNoOptionIgnoresCaseTrimsAndTheLastUsableOneWins) {
    const std::pair<std::vector<AnsiString>, AnsiString> cases[] = {
        {{}, "01"},
        {{"/srvno= 7 "}, "7"},
        {{"/SrVnO=\t\r5\x01"}, "5"},
        {{"/SRVNO=02", "/SRVNO=03"}, "03"},
        {{"/SRVNO=02", "/SRVNO=", "/SRVNO=  "}, "02"},
        {{"-x", "SRVNO=4", "/SRVNO4"}, "01"},
        {{"x/SRVNO=9"}, "=9"},  // found anywhere, but always cut at byte seven
        {{"/SRVNO=" + AnsiString(999, '7')}, AnsiString(255, '7')},
    };
    for (const auto& [arguments, srvNo] : cases)
        EXPECT_EQ(SrvNoFromArguments(arguments, "01"), srvNo) << srvNo;
}

TEST(ConfigValues, OnlyYesInAnyCaseIsOnAndTimerSecondsOutOfRangeGiveTheDefault) {
    for (const char* on : {"YES", "yEs"}) EXPECT_TRUE(IsYes(on)) << on;
    for (const char* off : {"", "No", "Y", "1", " YES", "YESS", "Y\xC9S"})
        EXPECT_FALSE(IsYes(off)) << off;
    EXPECT_EQ(TimerIntervalMs(1, 60), 1000u);
    EXPECT_EQ(TimerIntervalMs(2147483, 60), 2147483000u);
    for (std::int32_t bad : {0, -5, 2147484, std::numeric_limits<std::int32_t>::max(),
                             std::numeric_limits<std::int32_t>::min()})
        EXPECT_EQ(TimerIntervalMs(bad, 180), 180000u) << bad;
}

TEST_F(MainStartup, KeysComeFromTheSharedAndTheChosenSectionOrTheirDefaults) {
    const test::FakeTickClock clock;  // the period depends on the time left, so time stands still
    Start();
    EXPECT_EQ(probe->Settings(),
              "Tuvako01 127.0.0.1:40201 ping 180 off width 100 show 60 font 9 clear");
    EXPECT_EQ(probe->TimerPeriod(), 60000u);  // the selection trigger alone
    EXPECT_FALSE(std::filesystem::exists(dir.File("Selvaro.ini")));
    WriteConfig(
        "[MessageSrv]\r\nServerAddress=10.1.2.3\r\nPort=4000\r\nUse=Y\r\nPingTime=abc\r\n"
        "[Tuvako01]\r\nNumber=99\r\n[tuvako02]\r\nnumber = 12 \r\nButtonWidth=12px\r\n"
        "ButtonShowTime=5\r\nFontSize=14\r\nShowClearButton=\r\n");
    Start({"/SRVNO=02"});
    EXPECT_EQ(probe->Settings(), "Tuvako12 10.1.2.3:4000 ping 180 off width 100 show 5 font 14");
    EXPECT_EQ(probe->TimerPeriod(), 5000u);
    EXPECT_EQ(window->windowTitle(), "Tuvako12");
    EXPECT_EQ(QApplication::applicationDisplayName(), "Tuvako12");
}

TEST_F(MainStartup, TimerSecondsOfZeroOrLessOrTooManyFallBackToTheirDefaults) {
    // With the server link the keep-alive trigger runs beside the selection trigger: 7 s and
    // 60 s give a period of 1 s; a fallen-back value never gives less than the 5 s of the
    // offline notice's trigger, which runs until a session connects. The clock stands still,
    // since the period also depends on the time left until each trigger is due.
    const test::FakeTickClock clock;
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    const std::pair<const char*, std::uint32_t> cases[] = {
        {"7\n[Tuvako01]\nButtonShowTime=60", 1000},
        {"0\n[Tuvako01]\nButtonShowTime=0", 5000},
        {"-1\n[Tuvako01]\nButtonShowTime=2147484", 5000},
        {"2147484\n[Tuvako01]\nButtonShowTime=-1", 5000},
    };
    for (const auto& [seconds, period] : cases) {
        WriteConfig("[MessageSrv]\nServerAddress=127.0.0.1\nUse=yes\nPort=" +
                    std::to_string(server.serverPort()) + "\nPingTime=" + seconds);
        Start();
        EXPECT_NE(probe->Settings().find(" on "), std::string::npos);
        EXPECT_EQ(probe->TimerPeriod(), period) << seconds;
    }
}

TEST_F(MainStartup, BadConfigurationFilesStartWithDefaultsAndLongValuesAreCut) {
    std::string binary;
    for (int i = 0; i < 70000; ++i) binary += char((i * 7919) & 0xFF);
    for (const std::string& content : {std::string(), binary, std::string("[Tuvako01")}) {
        WriteConfig(content);
        EXPECT_EQ(Start().windowTitle(), "Tuvako01");
    }
    const auto selvaro = dir.File("Selvaro.ini");
    std::filesystem::remove(selvaro);
    if (test::MakePipe(selvaro)) {  // nobody ever writes
        EXPECT_EQ(Start().windowTitle(), "Tuvako01");
        std::filesystem::remove(selvaro);
    }
    std::filesystem::create_directory(selvaro);
    EXPECT_EQ(Start().windowTitle(), "Tuvako01");
    std::filesystem::remove(selvaro);

    const std::string longValue(100000, '7');
    WriteConfig("[MessageSrv]\nServerAddress=" + longValue + "\n[Tuvako01]\nNumber=" + longValue);
    Start();
    EXPECT_TRUE(probe->Settings().starts_with("Tuvako" + AnsiString(249, '7') + " " +
                                              AnsiString(255, '7') + ":40201 "));
}

TEST_F(MainStartup, OpensMaximisedOverTheScreenKeepingTheDesignedNormalPlace) {
    Start().ShowMaximisedOnScreen();
    const QRect available = window->screen()->availableGeometry();
    EXPECT_TRUE(window->isMaximized());
    EXPECT_TRUE(test::WaitUntil([&] { return window->frameGeometry() == available; }));
    EXPECT_EQ(window->normalGeometry(), QRect(332, 113, 696, 494));
}

}  // namespace
}  // namespace tuvako
