// The main window's server session on a real socket against a server in the test process, and
// its buttons pressed from standard input.
#include "WaitUntil.h"
#include "app/ConsoleTouch.h"
#include "app/LogPane.h"
#include "app/Main.h"
#include "cipher/LineCipher.h"
#include "net/TWSocket.h"
#include "platform/ExceptionReporter.h"
#include "platform/MessageWindow.h"
#include "settings/TOvcTimerPool.h"
#include "support/FakeSocketsApi.h"
#include "support/FakeTickClock.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTextDocument>

#include <sys/socket.h>

#include <chrono>
#include <memory>
#include <thread>

namespace tuvako {

// The window names this class its friend.
class SessionProbe {
public:
    TWSocket* Socket() const { return w.Socket; }
    bool Connected() const { return w.Socket && w.Socket->State() == wsConnected; }
    TOvcTimerPool& TimerPool() const { return *w.OvcTimerPool; }
    LogPane& Memo() const { return *w.findChild<LogPane*>("Memo"); }
    std::string Log() const { return Memo().Text().toStdString(); }
    void SendPing() { w.SendPing(); }
    void SessionConnected(TCustomWSocket* s, std::uint16_t e) { w.SessionConnected(s, e); }
    void SessionClosed(TCustomWSocket* s, std::uint16_t e) { w.SessionClosed(s, e); }

    TfrmTuvakoMain& w;
};

namespace {

// A message server on 127.0.0.1 that keeps every line it receives, deciphered.
struct LoopbackServer {
    LoopbackServer() {
        server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = server.nextPendingConnection()) {
                connections.push_back(socket);
                QObject::connect(socket, &QTcpSocket::readyRead, [this, socket] {
                    pending += socket->readAll().toStdString();
                    for (std::size_t end; (end = pending.find("\r\n")) != std::string::npos;) {
                        records.push_back(DecipherLine(pending.substr(0, end)));
                        pending.erase(0, end + 2);
                    }
                });
            }
        });
    }
    // Sends on the newest connection, enciphered unless it is the login prompt.
    void Send(const std::string& text) {
        const std::string line = text == "Login:" ? text : EncipherLine(text);
        connections.back()->write(QByteArray::fromStdString(line + "\r\n"));
    }
    std::size_t Open() const {
        return std::count_if(connections.begin(), connections.end(), [](const QTcpSocket* s) {
            return s->state() == QAbstractSocket::ConnectedState;
        });
    }

    QTcpServer server;
    std::vector<QTcpSocket*> connections;
    std::vector<std::string> records;
    std::string pending;
};

const std::vector<std::string> kMoi = {"Moi^-^Tuvako01^-^0^KVLNQ^"};

class Session : public ::testing::Test {
protected:
    ~Session() override { window.reset(); }

    // A terminal whose "MessageSrv" section points at the test's server (or at `port`) with
    // "PingTime" 1 and the `extra` lines.
    void Start(const std::string& extra = "Use=Yes\n", std::string port = {}) {
        if (port.empty()) port = std::to_string(server.server.serverPort());
        dir.Write("Selvaro.ini",
                  "[MessageSrv]\nServerAddress=127.0.0.1\nPingTime=1\nPort=" + port + "\n" + extra);
        ConfigFolderFacts facts;  // a program run from the test's directory
        facts.executableFolder = dir.Path().string();
        window = std::make_unique<TfrmTuvakoMain>(std::vector<AnsiString>{},
                                                  StartOptions{ConfigFolder::Choose(facts)});
        probe = std::make_unique<SessionProbe>(SessionProbe{*window});
    }

    // Lets `milliseconds` pass on the timer pool's clock and runs its tick.
    void Tick(std::uint32_t milliseconds) {
        clock.Advance(milliseconds);
        probe->TimerPool().Window().SendMessage(WM_TIMER, 1, 0);
    }

    bool LogHas(const std::string& text) const { return LogCount(text) > 0; }
    std::size_t LogCount(const std::string& text) const {
        const std::string log = probe->Log();
        std::size_t count = 0;
        for (auto at = log.find(text); at != npos; at = log.find(text, at + 1)) ++count;
        return count;
    }
    bool ConnectedAs(std::size_t accepted) const {
        return probe->Connected() && server.connections.size() == accepted;
    }

    static constexpr auto npos = std::string::npos;
    test::FakeTickClock clock;  // first: the timer pool reads it from start-up on
    test::TempDir dir;
    LoopbackServer server;
    std::unique_ptr<TfrmTuvakoMain> window;
    std::unique_ptr<SessionProbe> probe;
};

TEST_F(Session, OnlyTheLoginPromptIsAnsweredAndAfterAServerCloseTheNextRecordReopens) {
    Start();
    ASSERT_TRUE(test::WaitUntil([&] { return ConnectedAs(1); }));
    EXPECT_TRUE(LogHas("> Session connected."));
    server.Send("Login:");
    ASSERT_TRUE(test::WaitUntil([&] { return !server.records.empty(); }));
    EXPECT_EQ(server.records, kMoi);  // nothing went out before the prompt

    server.connections.back()->disconnectFromHost();
    ASSERT_TRUE(test::WaitUntil([&] { return LogHas("> Session closed."); }));
    EXPECT_EQ(probe->Socket(), nullptr);
    probe->SendPing();  // dropped; it opens a new session instead
    ASSERT_TRUE(test::WaitUntil([&] { return ConnectedAs(2); }));
    server.Send("Login:");
    ASSERT_TRUE(test::WaitUntil([&] { return server.records.size() == 2; }));
    EXPECT_EQ(server.records[1], kMoi[0]);
}

// The server accepts, sends its prompt and resets at once, all before the terminal, busy
// starting, services its connect notification: ten starts in a row all see the prompt.
TEST_F(Session, APromptFollowedAtOnceByAResetIsReceivedNotTakenForAFailedConnect) {
    for (int start = 0; start < 10; ++start) {
        Start();
        ASSERT_TRUE(server.server.waitForNewConnection(10000));  // handles no terminal event
        QTcpSocket* peer = server.connections.back();
        peer->write("Login:\r\n");
        peer->flush();
        const linger resetOnClose{1, 0};
        ::setsockopt(int(peer->socketDescriptor()), SOL_SOCKET, SO_LINGER, &resetOnClose,
                     sizeof resetOnClose);
        peer->abort();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));  // still busy
        ASSERT_TRUE(test::WaitUntil([&] { return LogHas("> Session closed."); })) << probe->Log();
        EXPECT_TRUE(LogHas("> Rcv: Login:")) << start << probe->Log();
        EXPECT_FALSE(LogHas("Can't connect")) << start << probe->Log();
        window.reset();
    }
}

TEST_F(Session, AFailureToStartConnectingIsLoggedAndTheNextSendMakesANewSocket) {
    Start("Use=Yes\n", " ");  // no port: the socket refuses to start, before any traffic
    EXPECT_TRUE(LogHas("> Unabled to connect: ESocketException: Connect: No Port Specified"))
        << probe->Log();
    TWSocket* first = probe->Socket();
    ASSERT_NE(first, nullptr);  // it stays, unconnected
    probe->SendPing();
    EXPECT_NE(probe->Socket(), first);
    EXPECT_EQ(LogCount("> Unabled to connect:"), 2u);
}

TEST_F(Session, ASocketReleasedWhileConnectingLeavesTheNewOneAlone) {
    Start();
    // A record due before the first attempt ended: that socket is released, a new one starts.
    probe->SendPing();
    // Both attempts reached the server; the released one is gone once its end is seen there.
    ASSERT_TRUE(test::WaitUntil([&] { return ConnectedAs(2) && server.Open() == 1; }));
    EXPECT_EQ(LogCount("> Session connected."), 1u) << probe->Log();
    EXPECT_FALSE(LogHas("Session closed."));

    // A late report from a socket that is not the current one changes nothing.
    TWSocket released;
    probe->SessionConnected(&released, 10061);
    probe->SessionClosed(&released, 0);
    EXPECT_TRUE(probe->Connected());
    EXPECT_FALSE(LogHas("Can't connect") || LogHas("Session closed."));
}

TEST_F(Session, APingWhoseSendFailsIsLoggedAsNotSentAndTheNextTickStillSendsOne) {
    test::FakeSocketsApi net;
    net.sendScript = {-WsaError::NoBufs, -WsaError::NoBufs};
    std::vector<AnsiString> reports;
    auto previous = ExceptionReporter::SetSink([&](const AnsiString& r) { reports.push_back(r); });
    Start();
    net.CompleteConnect(0);
    ASSERT_TRUE(test::WaitUntil([&] { return probe->Connected(); }));
    Tick(1000);
    Tick(1000);
    EXPECT_EQ(LogCount("> Not sent, ESocketException: Error 10055 in function TryToSend failed"),
              2u)
        << probe->Log();
    window.reset();  // before the sockets table goes
    ExceptionReporter::SetSink(previous);
    EXPECT_EQ(net.sendSizes.size(), 2u);
    EXPECT_TRUE(reports.empty());
}

TEST_F(Session, WithTheLinkOffNoSocketIsMadeAndTheLogPaneKeepsNoUndoHistory) {
    Start("Use=y\n");
    probe->SendPing();
    EXPECT_EQ(probe->Socket(), nullptr);
    // Found by scripts/soak.sh: the history grew by 2.7 MB per thousand customers.
    window->show();
    window->findChild<QAction*>("mnuLogi")->trigger();
    for (int line = 0; line < 2000; ++line) {
        window->AddLog("Rcv: a line of the server");
        if (line % 100 == 0) QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(probe->Memo().document()->blockCount(), int(probe->Memo().Lines().Count()));
    EXPECT_EQ(probe->Memo().document()->availableUndoSteps(), 0);
}

TEST(ConsoleTouch, PressesAShownButtonBySlotOrCaptionStartAndNothingElse) {
    QWidget window;
    std::vector<int> pressed;
    const char* captions[] = {"Tyhjenn\xC3\xA4 ruutu", "Hieronta\n30 min", "R&&D", "Sauna"};
    for (int slot = 0; slot < 4; ++slot) {
        auto* button = new QPushButton(QString::fromUtf8(captions[slot]), &window);
        button->setObjectName(QStringLiteral("Button%1").arg(slot));
        button->setVisible(slot != 3);
        QObject::connect(button, &QPushButton::clicked, [&, slot] { pressed.push_back(slot); });
    }
    window.show();
    ConsoleTouch touch{window};
    const std::pair<const char*, bool> commands[] = {
        {"press 1", true},   {"press Tyhjenn\u00e4", true},
        {"press R&D", true},                          // the caption as shown, not as escaped
        {"press 3", false},  {"press Sauna", false},  // hidden
        {"press 9", false},  {"press", false},
        {"click 1", false},
    };
    for (const auto& [command, accepted] : commands)
        EXPECT_EQ(touch.Execute(command), accepted) << command;
    EXPECT_EQ(pressed, (std::vector<int>{1, 0, 2}));
}

}  // namespace
}  // namespace tuvako
