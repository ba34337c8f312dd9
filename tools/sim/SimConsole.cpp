#include "sim/SimConsole.h"

#include "sim/ScenarioParser.h"
#include "sim/SimConnection.h"
#include "sim/SimServer.h"
#include "sim/StepActions.h"
#include "sim/TrafficLog.h"

#include "platform/ConsoleLines.h"

namespace tuvako::sim {

SimConsole::SimConsole(SimServer& server, TrafficLog& log, QObject* parent)
    : QObject(parent), server_(server), log_(log) {
    // At the end of standard input the simulator goes on without a console.
    new ConsoleLines([this](const QByteArray& line) { Execute(line.toStdString()); }, this);
}

const char* SimConsole::HelpText() {
    return "console commands (each acts on every terminal, or on one after \"#N \"):\n"
           "  swipe [N]        a member swipes a card (sample member N, 1 to 5, or the next)\n"
           "  list             send the list of choices\n"
           "  customer [N]     swipe, then list\n"
           "  greet [TEXT]     a card message without OK that greets\n"
           "  send RECORD      send a record, enciphered\n"
           "  send-plain TEXT  send a line as it is\n"
           "  close | reset    close the connection in order | abort it with a reset\n"
           "  offline | online stop listening and drop every terminal | listen again\n"
           "  who | help | quit\n";
}

void SimConsole::Execute(const std::string& typed) {
    std::string line = typed;
    int target = 0;
    if (line.size() > 1 && line[0] == '#') {
        const std::size_t blank = line.find(' ');
        target = std::atoi(line.substr(1, blank).c_str());
        line = blank == std::string::npos ? std::string() : line.substr(blank + 1);
    }
    const std::string word = line.substr(0, line.find(' '));
    if (word == "help") {
        std::fputs(HelpText(), stdout);
        std::fflush(stdout);
        return;
    }
    if (word == "quit") {
        emit quitRequested();
        return;
    }
    if (word == "who") {
        for (SimConnection* connection : server_.Connections())
            log_.Line(TrafficLog::Tag(connection->Id()) + " " +
                      TrafficLog::Printable(connection->TerminalId()) +
                      (connection->LoggedIn() ? " logged in" : " not logged in"));
        return;
    }
    std::string error;
    const auto step = ScenarioParser::ParseCommand(line, &error);
    if (!step) {
        if (!error.empty()) log_.Line("console: " + error + " (type help)");
        return;
    }
    if (step->kind == StepKind::Offline) {
        server_.GoOffline();
    } else if (step->kind == StepKind::Online) {
        QString failure;
        if (!server_.GoOnline(&failure))
            log_.Line("console: cannot listen again: " + failure.toStdString());
    } else if (step->kind == StepKind::Print) {
        log_.Line("-- " + TrafficLog::Printable(step->text));
    } else if (StepActions::ActsOnConnection(step->kind)) {
        int served = 0;
        for (SimConnection* connection : server_.Connections())
            if (target == 0 || connection->Id() == target) {
                StepActions::Perform(*step, *connection);
                ++served;
            }
        if (served == 0) log_.Line("console: no terminal is connected");
    } else {
        log_.Line("console: \"" + word + "\" works only in a scenario file");
    }
}

}  // namespace tuvako::sim
