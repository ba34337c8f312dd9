// Demo mode: plays a club's server for every terminal that logs in.
#pragma once

#include "platform/AnsiString.h"

#include <QObject>

namespace tuvako::sim {

class SimConnection;
class SimServer;

// Soon after a terminal logs in, and then every `intervalMs`, a sample member swipes a
// card (the five members in turn) and gets the list of choices. When the terminal sends a
// choice ("Crd"), the member is greeted with a card message without "OK", which clears the
// terminal's screen.
class DemoDriver : public QObject {
    Q_OBJECT

public:
    // The first customer comes this long after the login, so that a person sees one at once.
    static constexpr int FirstCustomerDelayMs = 1000;

    DemoDriver(SimServer& server, int intervalMs, int firstDelayMs = FirstCustomerDelayMs,
               QObject* parent = nullptr);

private:
    void Serve(SimConnection* connection);
    void OnRecord(SimConnection* connection, const AnsiString& record);

    int intervalMs_;
    int firstDelayMs_;
};

}  // namespace tuvako::sim
