// The main window's server session on a real socket against a server in the test process.
#include "LoopbackServer.h"
#include "SessionProbe.h"
#include "WaitUntil.h"
#include "app/Main.h"
#include "platform/ExecutableFile.h"
#include "platform/MessageWindow.h"
#include "support/FakeTickClock.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>

namespace tuvako {
namespace {

std::size_t Occurrences(const std::string& text, const std::string& what) {
    std::size_t count = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
    return count;
}

class Session : public ::testing::Test {
protected:
    Session() { SetExecutableFileForTesting((dir.Path() / "tuvako").string()); }
    ~Session() override {
        window.reset();
        SetExecutableFileForTesting({});
    }

    // Starts a terminal whose "MessageSrv" section points at the test's server (or at `port`)
    // with "PingTime" 1, followed by `extra` lines of that section.
    void Start(const std::string& extra = "Use=Yes\n", std::string port = {}) {
        if (port.empty()) port = std::to_string(server.Port());
        dir.Write("Selvaro.ini",
                  "[MessageSrv]\nServerAddress=127.0.0.1\nPingTime=1\nPort=" + port + "\n" + extra);
        window = std::make_unique<TfrmTuvakoMain>(std::vector<AnsiString>{});
        probe = std::make_unique<SessionProbe>(*window);
    }

    // Lets `milliseconds` pass on the timer pool's clock and runs its tick.
    void Tick(std::uint32_t milliseconds) {
        clock.Advance(milliseconds);
        probe->TimerPool().Window().SendMessage(WM_TIMER, 1, 0);
    }

    bool LogHas(const std::string& text) const { return probe->Log().find(text) != npos; }

    static constexpr auto npos = std::string::npos;
    test::FakeTickClock clock;  // first: the timer pool reads it from start-up on
    test::TempDir dir;
    test::LoopbackServer server;
    std::unique_ptr<TfrmTuvakoMain> window;
    std::unique_ptr<SessionProbe> probe;
};

TEST_F(Session, NothingIsSentOnConnectingAndTheLoginPromptIsAnswered) {
    Start();
    ASSERT_TRUE(test::WaitUntil([&] { return probe->Connected() && server.Accepted() == 1; }));
    EXPECT_TRUE(LogHas("> Session connected."));
    server.Send("Login:");
    ASSERT_TRUE(test::WaitUntil([&] { return !server.Records().empty(); }));
    EXPECT_EQ(server.Records(), std::vector<std::string>{"Moi^-^Tuvako01^-^0^KVLNQ^"});
}

TEST_F(Session, APingGoesOutAfterPingTimeOfSilenceAndEveryLinePostponesIt) {
    Start();
    ASSERT_TRUE(test::WaitUntil([&] { return probe->Connected(); }));
    Tick(900);
    server.Send("Crd^too^few^fields");
    ASSERT_TRUE(test::WaitUntil([&] { return LogHas("Rcv: Crd^too^few^fields"); }));
    Tick(900);  // 1800 ms since the connection, but only 900 since the line
    Tick(200);
    ASSERT_TRUE(test::WaitUntil([&] { return !server.Records().empty(); }));
    // Had an earlier tick sent one, it would stand first.
    EXPECT_EQ(server.Records(), std::vector<std::string>{"Ping^-^Tuvako01^-^0^Ping^"});
}

TEST_F(Session, ARefusedConnectionIsLoggedClosedAndTriedAgainAtTheNextTick) {
    server.StopListening();
    Start();
    ASSERT_TRUE(test::WaitUntil([&] { return LogHas("> Session closed."); }));
    const std::string log = probe->Log();
    EXPECT_LT(log.find("> Can't connect. Error #10061"), log.find("> Session closed."));
    EXPECT_EQ(probe->Socket(), nullptr);
    Tick(1000);
    EXPECT_NE(probe->Socket(), nullptr);  // a new attempt, the Ping dropped
    ASSERT_TRUE(
        test::WaitUntil([&] { return Occurrences(probe->Log(), "> Session closed.") == 2; }));
    EXPECT_EQ(Occurrences(probe->Log(), "Snd: "), 0u);
}

TEST_F(Session, AFailureToStartConnectingIsLoggedAndTheNextSendMakesANewSocket) {
    // No port at all: the socket refuses to start, before any network traffic.
    Start("Use=Yes\n", " ");
    EXPECT_TRUE(LogHas("> Unabled to connect: ESocketException: Connect: No Port Specified"))
        << probe->Log();
    TWSocket* first = probe->Socket();
    ASSERT_NE(first, nullptr);  // it stays, unconnected
    probe->SendPing();
    EXPECT_NE(probe->Socket(), first);
    EXPECT_EQ(Occurrences(probe->Log(), "> Unabled to connect:"), 2u);
}

TEST_F(Session, ASocketReleasedWhileConnectingLeavesTheNewOneAlone) {
    Start();
    // A record due before the first attempt ended: that socket is released, a new one starts.
    probe->SendPing();
    ASSERT_TRUE(test::WaitUntil([&] { return probe->Connected(); }));
    // Both attempts reached the server; the released one is gone once its end is seen there.
    ASSERT_TRUE(test::WaitUntil([&] { return server.Accepted() == 2 && server.Open() == 1; }));
    EXPECT_EQ(Occurrences(probe->Log(), "> Session connected."), 1u) << probe->Log();
    EXPECT_FALSE(LogHas("Session closed."));
    EXPECT_TRUE(probe->Connected());

    // A late report from a socket that is not the current one changes nothing.
    TWSocket released;
    probe->SessionConnected(&released, 10061);
    probe->SessionClosed(&released, 0);
    EXPECT_TRUE(probe->Connected());
    EXPECT_FALSE(LogHas("Can't connect") || LogHas("Session closed."));
}

TEST_F(Session, AfterTheServerClosesTheNextRecordIsDroppedAndReopensTheSession) {
    Start();
    ASSERT_TRUE(test::WaitUntil([&] { return probe->Connected() && server.Accepted() == 1; }));
    server.CloseNewest();
    ASSERT_TRUE(test::WaitUntil([&] { return LogHas("> Session closed."); }));
    EXPECT_EQ(probe->Socket(), nullptr);
    probe->SendPing();
    ASSERT_TRUE(test::WaitUntil([&] { return probe->Connected() && server.Accepted() == 2; }));
    server.Send("Login:");
    ASSERT_TRUE(test::WaitUntil([&] { return !server.Records().empty(); }));
    EXPECT_EQ(server.Records(), std::vector<std::string>{"Moi^-^Tuvako01^-^0^KVLNQ^"});
}

TEST_F(Session, WithTheServerLinkOffNoSocketIsMadeAndNothingIsSent) {
    Start("Use=y\n");
    probe->SendPing();
    Tick(5000);
    EXPECT_EQ(probe->Socket(), nullptr);
    EXPECT_EQ(probe->KeepAliveTrigger(), -1);
    EXPECT_FALSE(LogHas("Snd: "));
    EXPECT_FALSE(test::WaitUntil([&] { return server.Accepted() > 0; }, 100));
}

}  // namespace
}  // namespace tuvako
