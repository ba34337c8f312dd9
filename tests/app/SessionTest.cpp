// The window's server session: sockets that fail to start, are replaced while connecting, or
// meet a reset before their connect was seen.
#include "RoadFixture.h"

#include "support/LoopbackServer.h"

#include <chrono>
#include <thread>

namespace tuvako {
namespace {

using Session = RoadFixture;

TEST_F(Session, AFailureToStartConnectingIsLoggedAndTheNextRecordTriesAgain) {
    Open("Use=Yes\nPort= \n");  // no port: the socket refuses to start, before any traffic
    EXPECT_TRUE(Log().contains("> Unabled to connect: ESocketError: Connect: No Port Specified"))
        << Log().toStdString();
    road->SendPing();
    EXPECT_EQ(Log().count("> Unabled to connect:"), 2);
    EXPECT_TRUE(net.Sockets().empty());
}

TEST_F(Session, ASocketReplacedWhileConnectingIsClosedAndTheNewOneCarriesOn) {
    Open("Use=Yes\n");
    road->SendPing();  // a record due before the first attempt ended: a new socket starts
    HandlePostedMessages();
    ASSERT_EQ(net.Sockets().size(), 2u);
    EXPECT_FALSE(net.Sockets()[0].open);
    Connect();
    ReceivePlain("Login:\r\n");
    EXPECT_EQ(Log().count("> Session connected."), 1);
    EXPECT_FALSE(Log().contains("Session closed."));
    EXPECT_EQ(Sent(), Records{"Moi^-^Tuvako01^-^0^KVLNQ^"});
}

// A real socket: the server accepts, sends its prompt and resets at once, all before the
// terminal, busy starting, services its connect notification.
class SessionOverLoopback : public WindowTest {};

TEST_F(SessionOverLoopback, APromptFollowedAtOnceByAResetIsReceivedNotTakenForAFailedConnect) {
    test::LoopbackServer server;
    WriteConfig("[MessageSrv]\nUse=Yes\nServerAddress=127.0.0.1\nPort=" + server.PortText() + "\n");
    for (int start = 0; start < 3; ++start) {
        Start();
        ASSERT_TRUE(server.AcceptClientWhileBusy());
        server.Write("Login:\r\n");
        server.ResetClient();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));  // still busy
        const auto log = [&] { return Find<LogPane>("Memo")->Text(); };
        ASSERT_TRUE(test::WaitUntil([&] { return log().contains("> Session closed."); }));
        EXPECT_TRUE(log().contains("> Rcv: Login:")) << start << log().toStdString();
        EXPECT_FALSE(log().contains("Can't connect")) << start << log().toStdString();
        window.reset();
    }
}

}  // namespace
}  // namespace tuvako
