// The interactive console: commands typed on standard input act on the connected terminals.
#pragma once

#include <QObject>

#include <string>

namespace tuvako::sim {

class SimServer;
class TrafficLog;

// Takes the scenario commands that act at once (swipe, list, customer, greet, send ..., close,
// reset, offline, online, print) plus "help", "who" and "quit". A command acts on every open
// connection, or, written after "#N ", on connection N alone. The console stops reading at the
// end of standard input; the simulator goes on.
class SimConsole : public QObject {
    Q_OBJECT

public:
    SimConsole(SimServer& server, TrafficLog& log, QObject* parent = nullptr);

    // Carries out one typed line; the tests call it directly.
    void Execute(const std::string& line);

    static const char* HelpText();

signals:
    void quitRequested();

private:
    SimServer& server_;
    TrafficLog& log_;
};

}  // namespace tuvako::sim
