// tuvako-sim: a message-server simulator for the selection terminal.
#include "platform/TerminationSignals.h"
#include "sim/DemoDriver.h"
#include "sim/ScenarioParser.h"
#include "sim/ScenarioRunner.h"
#include "sim/SimConnection.h"
#include "sim/SimConsole.h"
#include "sim/SimOptions.h"
#include "sim/SimServer.h"
#include "sim/TrafficLog.h"

#include <QCoreApplication>
#include <QFile>

#include <csignal>
#include <cstdio>
#include <functional>

using namespace tuvako::sim;

namespace {

constexpr int ExitBadUse = 2;

int Fail(const std::string& message) {
    std::fprintf(stderr, "tuvako-sim: %s\n", message.c_str());
    return ExitBadUse;
}

// What the last steps sent must reach the terminals before the process ends.
void FlushAll(SimServer& server) {
    for (SimConnection* connection : server.Connections()) connection->Flush();
}

}  // namespace

int main(int argc, char** argv) {
    // A terminal that vanishes mid-write must not kill the simulator (Windows has no SIGPIPE:
    // such a write fails there).
#ifdef SIGPIPE
    std::signal(SIGPIPE, SIG_IGN);
#endif
    QCoreApplication app(argc, argv);
    // A stop (SIGTERM, SIGINT, or SIGHUP when its terminal window or login session goes) ends
    // the simulator as "quit" does. It is taken from here on, before the first line says where
    // the simulator listens, and acted on once the event loop runs.
    std::function<void()> onStop = [] { QCoreApplication::exit(0); };
    const tuvako::TerminationSignals stop([&onStop] { onStop(); });
    std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string error;
    const auto options = SimOptions::Parse(arguments, &error);
    if (!options) return Fail(error);
    if (options->help) {
        std::fputs(SimOptions::HelpText(), stdout);
        return 0;
    }
    if (options->version) {
        std::fputs("tuvako-sim " TUVAKO_VERSION "\n", stdout);
        return 0;
    }
    ScenarioParseResult scenario;
    if (!options->scenarioFile.empty()) {
        QFile file(QString::fromStdString(options->scenarioFile));
        if (!file.open(QIODevice::ReadOnly)) return Fail("cannot read " + options->scenarioFile);
        scenario = ScenarioParser::Parse(file.readAll().toStdString());
        if (!scenario.Ok()) return Fail(options->scenarioFile + ": " + scenario.error);
    }

    TrafficLog log;
    SimServer server(log);
    server.SetPassword(options->password);
    QString listenError;
    const QHostAddress address(QString::fromStdString(options->address));
    if (address.isNull()) return Fail("\"" + options->address + "\" is not an IP address");
    if (!server.Listen(address, quint16(options->port), &listenError))
        return Fail("cannot listen on " + options->address + ":" + std::to_string(options->port) +
                    ": " + listenError.toStdString());

    std::unique_ptr<DemoDriver> demo;
    if (options->demo) demo = std::make_unique<DemoDriver>(server, options->demoIntervalMs);
    std::unique_ptr<SimConsole> console;
    if (options->console) {
        console = std::make_unique<SimConsole>(server, log);
        QObject::connect(console.get(), &SimConsole::quitRequested, &app,
                         [] { QCoreApplication::exit(0); });
    }
    std::unique_ptr<ScenarioRunner> runner;
    if (!options->scenarioFile.empty()) {
        runner = std::make_unique<ScenarioRunner>(std::move(scenario.steps), server, log);
        QObject::connect(runner.get(), &ScenarioRunner::finished, &app, [&server](bool passed) {
            FlushAll(server);
            QCoreApplication::exit(passed ? 0 : 1);
        });
        runner->Start();
        if (runner->Done()) {  // a scenario that never waited is over before the loop starts
            FlushAll(server);
            return runner->Passed() ? 0 : 1;
        }
    }
    // Once what was sent has reached the terminals; a scenario cut short has not passed.
    onStop = [&server, &runner] {
        FlushAll(server);
        const bool cutShort = runner && !runner->Done();
        if (cutShort) std::fputs("tuvako-sim: stopped before the scenario ended\n", stderr);
        QCoreApplication::exit(cutShort ? 1 : 0);
    };
    return app.exec();
}
