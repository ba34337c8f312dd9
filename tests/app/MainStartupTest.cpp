#include "MainWindowProbe.h"
#include "ScratchExecutableDir.h"
#include "platform/ExecutableFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QCloseEvent>
#include <QScreen>
#include <QTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <memory>

namespace tuvako {
namespace {

// A listening socket on 127.0.0.1 with a port of the system's choosing, so that a terminal
// started with its server link on has somewhere harmless to connect to.
class LoopbackListener {
public:
    LoopbackListener() {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            ::listen(fd_, 4) != 0 ||
            ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            throw std::runtime_error("cannot listen on 127.0.0.1");
        port_ = ntohs(address.sin_port);
    }
    ~LoopbackListener() { ::close(fd_); }
    int Port() const { return port_; }

private:
    int fd_ = -1;
    int port_ = 0;
};

// Each test gets its own "executable directory" to hold Selvaro.ini and Selwi.ini.
class MainStartup : public ::testing::Test {
protected:
    void WriteConfig(const std::string& content) { dir.Write("Selvaro.ini", content); }

    TfrmTuvakoMain& Start(std::vector<AnsiString> arguments = {}) {
        window = std::make_unique<TfrmTuvakoMain>(std::move(arguments));
        probe = std::make_unique<MainWindowProbe>(*window);
        return *window;
    }

    ScratchExecutableDir scratch;
    const test::TempDir& dir = scratch.Dir();
    std::unique_ptr<TfrmTuvakoMain> window;
    std::unique_ptr<MainWindowProbe> probe;
};

TEST_F(MainStartup, WithoutArgumentsOrConfigurationEveryDefaultHolds) {
    Start();
    EXPECT_EQ(probe->SrvNo(), "01");
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
    EXPECT_FALSE(std::filesystem::exists(dir.File("Selvaro.ini")));
}

TEST_F(MainStartup, KeysAreReadFromTheSharedAndTheChosenTerminalSection) {
    WriteConfig(
        "[MessageSrv]\r\nServerAddress=10.1.2.3\r\nPort=4000\r\nUse=No\r\nPingTime=30\r\n"
        "[Tuvako01]\r\nNumber=99\r\n"
        "[tuvako02]\r\nnumber = 12 \r\nButtonWidth=150\r\nButtonShowTime=20\r\nFontSize=14\r\n"
        "ShowClearButton=No\r\n");
    Start({"/SRVNO=02"});
    EXPECT_EQ(probe->ServerAddress(), "10.1.2.3");
    EXPECT_EQ(probe->ServerPort(), "4000");
    EXPECT_EQ(probe->PingTime(), 30);
    EXPECT_EQ(probe->TerminalSection(), "Tuvako02");
    EXPECT_EQ(probe->TerminalId(), "Tuvako12");
    EXPECT_EQ(probe->ButtonWidth(), 150);
    EXPECT_EQ(probe->ButtonShowTime(), 20);
    EXPECT_EQ(probe->FontSize(), 14);
    EXPECT_FALSE(probe->ShowClearButton());
    EXPECT_EQ(window->windowTitle(), "Tuvako12");
    EXPECT_EQ(QApplication::applicationDisplayName(), "Tuvako12");
}

TEST_F(MainStartup, OnlyYesInAnyCaseTurnsTheServerLinkOn) {
    const LoopbackListener server;
    WriteConfig("[MessageSrv]\nServerAddress=127.0.0.1\nPort=" + std::to_string(server.Port()) +
                "\nUse=yes\n[Tuvako01]\nShowClearButton=\n");
    Start();
    EXPECT_TRUE(probe->UseServer());
    EXPECT_FALSE(probe->ShowClearButton());

    WriteConfig("[MessageSrv]\nUse=Y\n");
    Start();
    EXPECT_FALSE(probe->UseServer());
    WriteConfig("[MessageSrv]\nUse=1\n");
    Start();
    EXPECT_FALSE(probe->UseServer());
}

TEST_F(MainStartup, NumbersThatAreNoIntegersGiveTheirDefaults) {
    WriteConfig(
        "[MessageSrv]\nPingTime=abc\n"
        "[Tuvako01]\nButtonWidth=12px\nButtonShowTime=99999999999\nFontSize=\n");
    Start();
    EXPECT_EQ(probe->PingTime(), 180);
    EXPECT_EQ(probe->ButtonWidth(), 100);
    EXPECT_EQ(probe->ButtonShowTime(), 60);
    EXPECT_EQ(probe->FontSize(), 9);
}

TEST_F(MainStartup, VeryLongValuesAreCutToShortTexts) {
    const std::string longValue(100000, '7');
    WriteConfig("[MessageSrv]\nServerAddress=" + longValue + "\nPort=" + longValue +
                "\n[Tuvako01]\nNumber=" + longValue + "\n");
    Start();
    EXPECT_EQ(probe->ServerAddress(), AnsiString(255, '7'));
    EXPECT_EQ(probe->ServerPort(), AnsiString(255, '7'));
    EXPECT_EQ(probe->TerminalId(), "Tuvako" + AnsiString(249, '7'));
}

TEST_F(MainStartup, EmptyBinaryDirectoryOrPipeConfigurationStartsWithDefaults) {
    std::string binary;
    for (int i = 0; i < 70000; ++i) binary += char((i * 7919) & 0xFF);
    for (const std::string& content : {std::string(), binary, std::string("[MessageSrv")}) {
        WriteConfig(content);
        Start();
        EXPECT_EQ(probe->TerminalId(), "Tuvako01");
        EXPECT_EQ(probe->PingTime(), 180);
    }
    std::filesystem::remove(dir.File("Selvaro.ini"));
    std::filesystem::create_directory(dir.File("Selvaro.ini"));
    Start();
    EXPECT_EQ(probe->TerminalId(), "Tuvako01");
    // A pipe that nobody writes to must not hold the start up.
    std::filesystem::remove(dir.File("Selvaro.ini"));
    ASSERT_EQ(::mkfifo(dir.File("Selvaro.ini").c_str(), 0600), 0);
    Start();
    EXPECT_EQ(probe->TerminalId(), "Tuvako01");
}

TEST_F(MainStartup, UnreadableConfigurationStartsWithDefaults) {
    WriteConfig("[Tuvako01]\nNumber=55\n");
    std::filesystem::permissions(dir.File("Selvaro.ini"), std::filesystem::perms::none);
    if (::geteuid() == 0) GTEST_SKIP() << "root reads any file";
    Start();
    EXPECT_EQ(probe->TerminalId(), "Tuvako01");
}

TEST_F(MainStartup, SelectionTriggerRunsFromTheStartWithButtonShowTime) {
    WriteConfig("[Tuvako01]\nButtonShowTime=5\n");
    Start();
    EXPECT_EQ(probe->TimerPool().TimerPeriod(), 5000u);
}

TEST_F(MainStartup, TimerSecondsOfZeroOrLessOrTooManyFallBackToTheirDefaults) {
    // Taken as they stand, such values would fire the trigger at every tick of the pool.
    for (const char* seconds : {"0", "-1", "2147484", "2147483647"}) {
        WriteConfig(std::string("[Tuvako01]\nButtonShowTime=") + seconds + "\n");
        Start();
        EXPECT_EQ(probe->TimerPool().TimerPeriod(), 60000u) << seconds;
    }
}

TEST_F(MainStartup, KeepAliveTriggerRunsBesideTheSelectionTriggerWithTheServerLink) {
    const LoopbackListener server;
    const std::string serverSection =
        "[MessageSrv]\nServerAddress=127.0.0.1\nUse=Yes\nPort=" + std::to_string(server.Port());
    // 7 s and 60 s: the pool's period falls to 1 s, the largest that divides both.
    WriteConfig(serverSection + "\nPingTime=7\n");
    Start();
    EXPECT_EQ(probe->TimerPool().TimerPeriod(), 1000u);
    // A ping time of 0 would flood the server with pings; it becomes 180 s like a bad number.
    WriteConfig(serverSection + "\nPingTime=0\n");
    Start();
    EXPECT_EQ(probe->TimerPool().TimerPeriod(), 60000u);
}

TEST_F(MainStartup, ClosingRemovesEveryTriggerAndEndsWithTheWindowHidden) {
    Start().show();
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(probe->FormClosed());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(probe->TimerPool().TimerPeriod(), 0u);
}

}  // namespace
}  // namespace tuvako

namespace tuvako {
namespace {

TEST_F(MainStartup, OpensMaximisedOverTheWholeScreenKeepingTheDesignedNormalPlace) {
    Start().ShowMaximisedOnScreen();
    const QRect available = window->screen()->availableGeometry();
    EXPECT_TRUE(window->isMaximized());
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->frameGeometry() == available; }));
    EXPECT_EQ(window->frameGeometry(), available);
    EXPECT_EQ(window->normalGeometry(), QRect(332, 113, 696, 494));
}

}  // namespace
}  // namespace tuvako
