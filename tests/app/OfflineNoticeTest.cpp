// The offline notice in the top panel: shown once the session has been down for five seconds
// on the pool's clock, gone when a session connects, never while the link is off.
#include "RoadFixture.h"

#include <QLabel>

namespace tuvako {
namespace {

class OfflineNotice : public RoadFixture {
protected:
    // A terminal whose keep-alive tries to reconnect every second, on a window of the README's
    // picture.
    void OpenShown(const char* use) {
        Open("Use=" + std::string(use) + "\nPingTime=1\n");
        window->resize(1024, 768);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        notice = Find<QLabel>("LblOffline");
        ASSERT_NE(notice, nullptr);
    }
    // The newest socket's connect is refused.
    void Refuse() {
        net.CompleteConnect(WsaError::ConnRefused);
        HandlePostedMessages();
    }

    QLabel* notice = nullptr;
};

TEST_F(OfflineNotice, AppearsAfterFiveSecondsDownAndGoesWhenASessionConnects) {
    OpenShown("Yes");
    EXPECT_EQ(notice->text(), ToQString("Ei yhteytt\xE4 palvelimeen"));
    EXPECT_EQ(notice->palette().color(QPalette::WindowText), QColor(Qt::red));
    // Refused again at every keep-alive tick; the five seconds count from the start all the same.
    for (int second = 1; second <= 4; ++second) {
        Refuse();
        Elapse(1000);
    }
    Refuse();
    Elapse(900);
    EXPECT_EQ(Log().count("Can't connect"), 5);
    EXPECT_FALSE(notice->isVisible());
    Elapse(100);
    EXPECT_TRUE(notice->isVisible());
    // At the right of the top panel, clear of the name box.
    const QRect place = notice->geometry();
    EXPECT_GT(place.left(), Find<QLineEdit>("EdtNimi")->geometry().right());
    EXPECT_GT(place.right(), notice->parentWidget()->width() - 30);
    SavePicture("offline.png");

    Connect();  // the attempt of the last tick
    EXPECT_TRUE(Log().contains("> Session connected."));
    EXPECT_FALSE(notice->isVisible());

    // The server goes away: five more seconds before the notice comes back.
    net.PeerClose();
    HandlePostedMessages();
    Elapse(4000);
    EXPECT_FALSE(notice->isVisible());
    Elapse(1000);
    EXPECT_TRUE(notice->isVisible());
}

TEST_F(OfflineNotice, NeverShownWhileTheLinkIsOff) {
    OpenShown("No");
    EXPECT_EQ(probe->TimerPeriod(), 60000u);  // the selection trigger alone: none of its own
    Elapse(60000);
    EXPECT_FALSE(notice->isVisible());
}

}  // namespace
}  // namespace tuvako
