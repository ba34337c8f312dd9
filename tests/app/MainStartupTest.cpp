#include "MainWindowProbe.h"

#include <QApplication>
#include <QHostAddress>
#include <QScreen>
#include <QTcpServer>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace tuvako {
namespace {

using MainStartup = WindowTest;

TEST_F(MainStartup, WithoutArgumentsOrConfigurationEveryDefaultHolds) {
    Start();
    EXPECT_EQ(probe->TerminalSection(), "Tuvako01");
    EXPECT_EQ(probe->TerminalId(), "Tuvako01");
    EXPECT_EQ(probe->ServerAddress(), "127.0.0.1");
    EXPECT_EQ(probe->ServerPort(), "40201");
    EXPECT_EQ(probe->PingTime(), 180);
    EXPECT_FALSE(probe->UseServer());
    EXPECT_EQ(probe->ButtonWidth(), 100);
    EXPECT_EQ(probe->ButtonShowTime(), 60);
    EXPECT_EQ(probe->FontSize(), 9);
    EXPECT_TRUE(probe->ShowClearButton());
    EXPECT_EQ(window->windowTitle(), "Tuvako01");
    EXPECT_EQ(QApplication::applicationDisplayName(), "Tuvako01");
    EXPECT_EQ(probe->TimerPool().TimerPeriod(), 60000u);  // the selection trigger alone
    EXPECT_FALSE(std::filesystem::exists(dir.File("Selvaro.ini")));
}

TEST_F(MainStartup, KeysComeFromTheSharedAndTheChosenTerminalSection) {
    WriteConfig(
        "[MessageSrv]\r\nServerAddress=10.1.2.3\r\nPort=4000\r\nUse=Y\r\nPingTime=abc\r\n"
        "[Tuvako01]\r\nNumber=99\r\n"
        "[tuvako02]\r\nnumber = 12 \r\nButtonWidth=12px\r\nButtonShowTime=5\r\nFontSize=14\r\n"
        "ShowClearButton=\r\n");
    Start({"/SRVNO=02"});
    EXPECT_EQ(probe->ServerAddress(), "10.1.2.3");
    EXPECT_EQ(probe->ServerPort(), "4000");
    EXPECT_FALSE(probe->UseServer());
    EXPECT_EQ(probe->PingTime(), 180);
    EXPECT_EQ(probe->TerminalId(), "Tuvako12");
    EXPECT_EQ(probe->ButtonWidth(), 100);
    EXPECT_EQ(probe->FontSize(), 14);
    EXPECT_FALSE(probe->ShowClearButton());
    EXPECT_EQ(window->windowTitle(), "Tuvako12");
    EXPECT_EQ(QApplication::applicationDisplayName(), "Tuvako12");
    EXPECT_EQ(probe->TimerPool().TimerPeriod(), 5000u);
}

TEST_F(MainStartup, TimerSecondsOfZeroOrLessOrTooManyFallBackToTheirDefaults) {
    for (const char* seconds : {"0", "-1", "2147484"}) {
        WriteConfig(std::string("[Tuvako01]\nButtonShowTime=") + seconds);
        Start();
        EXPECT_EQ(probe->TimerPool().TimerPeriod(), 60000u) << seconds;
    }
    // With the server link the keep-alive trigger runs too: 7 s and 60 s give a period of 1 s;
    // a PingTime of 0 becomes 180 s rather than a flood of pings.
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    const std::string link = "[MessageSrv]\nServerAddress=127.0.0.1\nUse=yes\nPort=" +
                             std::to_string(server.serverPort()) + "\nPingTime=";
    WriteConfig(link + "7");
    Start();
    EXPECT_TRUE(probe->UseServer());
    EXPECT_EQ(probe->TimerPool().TimerPeriod(), 1000u);
    WriteConfig(link + "0");
    Start();
    EXPECT_EQ(probe->TimerPool().TimerPeriod(), 60000u);
}

TEST_F(MainStartup, BadConfigurationFilesStartWithDefaultsAndLongValuesAreCut) {
    std::string binary;
    for (int i = 0; i < 70000; ++i) binary += char((i * 7919) & 0xFF);
    for (const std::string& content : {std::string(), binary, std::string("[Tuvako01")}) {
        WriteConfig(content);
        EXPECT_EQ(Start().windowTitle(), "Tuvako01");
    }
    std::filesystem::remove(dir.File("Selvaro.ini"));
    ASSERT_EQ(::mkfifo(dir.File("Selvaro.ini").c_str(), 0600), 0);  // nobody ever writes
    EXPECT_EQ(Start().windowTitle(), "Tuvako01");
    std::filesystem::remove(dir.File("Selvaro.ini"));
    std::filesystem::create_directory(dir.File("Selvaro.ini"));
    EXPECT_EQ(Start().windowTitle(), "Tuvako01");
    std::filesystem::remove(dir.File("Selvaro.ini"));

    const std::string longValue(100000, '7');
    WriteConfig("[MessageSrv]\nServerAddress=" + longValue + "\n[Tuvako01]\nNumber=" + longValue);
    Start();
    EXPECT_EQ(probe->ServerAddress(), AnsiString(255, '7'));
    EXPECT_EQ(probe->TerminalId(), "Tuvako" + AnsiString(249, '7'));
}

TEST_F(MainStartup, OpensMaximisedOverTheScreenKeepingTheDesignedNormalPlace) {
    Start().ShowMaximisedOnScreen();
    const QRect available = window->screen()->availableGeometry();
    EXPECT_TRUE(window->isMaximized());
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->frameGeometry() == available; }));
    EXPECT_EQ(window->normalGeometry(), QRect(332, 113, 696, 494));
}

TEST_F(MainStartup, ClosingRunsTheCloseHandlerWhichRemovesEveryTrigger) {
    Start().show();
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(probe->FormClosed());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(probe->TimerPool().TimerPeriod(), 0u);
}

}  // namespace
}  // namespace tuvako
