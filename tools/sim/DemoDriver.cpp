#include "sim/DemoDriver.h"

#include "sim/MessageComposer.h"
#include "sim/SimConnection.h"
#include "sim/SimServer.h"
#include "sim/StepActions.h"

#include <QPointer>
#include <QTimer>

namespace tuvako::sim {

DemoDriver::DemoDriver(SimServer& server, int intervalMs, int firstDelayMs, QObject* parent)
    : QObject(parent), intervalMs_(intervalMs), firstDelayMs_(firstDelayMs) {
    connect(&server, &SimServer::connectionAccepted, this, [this](SimConnection* connection) {
        connect(connection, &SimConnection::loggedIn, this, &DemoDriver::Serve);
        connect(connection, &SimConnection::recordReceived, this, &DemoDriver::OnRecord);
    });
}

void DemoDriver::Serve(SimConnection* connection) {
    // The timer belongs to the connection, so it stops when the connection goes.
    auto* timer = new QTimer(connection);
    QPointer<SimConnection> target(connection);
    connect(timer, &QTimer::timeout, connection, [timer, target, this] {
        timer->setInterval(intervalMs_);
        if (target && target->IsOpen()) {
            StepActions::Swipe(*target, 0);
            StepActions::SendChoiceList(*target);
        }
    });
    timer->start(firstDelayMs_);
}

void DemoDriver::OnRecord(SimConnection* connection, const AnsiString& record) {
    const auto fields = MessageComposer::SplitFields(record);
    if (connection->LoggedIn() && fields[0] == "Crd") StepActions::Greet(*connection, {});
}

}  // namespace tuvako::sim
