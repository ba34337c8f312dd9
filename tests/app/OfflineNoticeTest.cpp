// The offline notice in the top panel: shown once the session has been down for five seconds
// on the pool's clock, gone when a session connects, never while the link is off.
#include "MainWindowProbe.h"
#include "platform/Cp1252.h"
#include "support/FakeTickClock.h"
#include "support/Wait.h"

#include <QHostAddress>
#include <QLabel>
#include <QLineEdit>
#include <QTcpServer>
#include <QTcpSocket>

namespace tuvako {
namespace {

class OfflineNotice : public WindowTest {
protected:
    // A free loopback port with nothing listening on it.
    static quint16 FreePort() {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        return probe.serverPort();
    }
    void StartWithLink(const char* use) {
        WriteConfig("[MessageSrv]\nPort=" + std::to_string(port) + "\nUse=" + use +
                    "\nPingTime=1\n");
        Start().resize(1024, 768);  // the README's picture is of this size
        window->show();
        notice = Find<QLabel>("LblOffline");
        ASSERT_NE(notice, nullptr);
    }
    // Lets the pool run for `ms` of real time (its ticks come at least once a second).
    static bool Shown(QLabel* label, int ms = 0) {
        QTest::qWait(ms);
        return label->isVisible();
    }
    std::size_t LogCount(const char* text) const {
        const std::string log = Find<LogPane>("Memo")->Text().toStdString();
        std::size_t found = 0;
        for (auto at = log.find(text); at != std::string::npos; at = log.find(text, at + 1))
            ++found;
        return found;
    }
    bool LogHas(const char* text, std::size_t count = 1) const { return LogCount(text) >= count; }

    test::FakeTickClock clock;
    quint16 port = FreePort();
    QLabel* notice = nullptr;
};

TEST_F(OfflineNotice, AppearsAfterFiveSecondsDownAndGoesWhenASessionConnects) {
    StartWithLink("Yes");
    EXPECT_EQ(notice->text(), ToQString("Ei yhteytt\xE4 palvelimeen"));
    EXPECT_EQ(notice->palette().color(QPalette::WindowText), QColor(Qt::red));
    // Refused again at every keep-alive tick; the five seconds count from the start all the same.
    ASSERT_TRUE(test::WaitUntil([&] { return LogHas("Can't connect"); }));
    for (int second = 1; second <= 4; ++second) {
        clock.Advance(1000);
        ASSERT_TRUE(test::WaitUntil([&] { return LogHas("Can't connect", second + 1); }))
            << Find<LogPane>("Memo")->Text().toStdString();
    }
    clock.Advance(900);
    EXPECT_FALSE(Shown(notice, 1200));
    clock.Advance(100);
    ASSERT_TRUE(test::WaitUntil([&] { return notice->isVisible(); }, 3000));
    // At the right of the top panel, clear of the name box.
    const QRect place = notice->geometry();
    EXPECT_GT(place.left(), Find<QLineEdit>("EdtNimi")->geometry().right());
    EXPECT_GT(place.right(), notice->parentWidget()->width() - 30);
    SavePicture("offline.png");

    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, port));
    clock.Advance(1000);  // the next keep-alive tick opens a session
    ASSERT_TRUE(test::WaitUntil([&] { return LogHas("Session connected."); }, 5000));
    EXPECT_FALSE(notice->isVisible());

    // The server goes away: five more seconds before the notice comes back.
    const std::size_t closed = LogCount("Session closed.");
    QTcpSocket* connection = server.nextPendingConnection();
    ASSERT_NE(connection, nullptr);
    server.close();
    connection->abort();
    ASSERT_TRUE(test::WaitUntil([&] { return LogHas("Session closed.", closed + 1); }, 5000));
    clock.Advance(4000);
    EXPECT_FALSE(Shown(notice, 1200));
    clock.Advance(1000);
    EXPECT_TRUE(test::WaitUntil([&] { return notice->isVisible(); }, 3000));
    delete connection;
}

TEST_F(OfflineNotice, NeverShownWhileTheLinkIsOff) {
    StartWithLink("No");
    clock.Advance(60000);
    EXPECT_FALSE(Shown(notice, 300));
    EXPECT_EQ(probe->TimerPeriod(), 60000u);  // no trigger of its own either
}

}  // namespace
}  // namespace tuvako
