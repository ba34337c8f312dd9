// The real terminal and the real simulator as two processes talking over loopback.
#pragma once

#include "ProcessOutput.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace tuvako::test {

class EndToEndFixture : public ::testing::Test {
protected:
    // Starts tuvako-sim on 127.0.0.1 with a free port, playing `scenario`; its console reads
    // what the test writes. Returns the port it took, 0 when it did not start.
    quint16 StartSimulator(const std::string& scenario);

    // Starts a copy of tuvako in its own directory, with a Selvaro.ini that points it at
    // `port` with the server link on, "PingTime" 1 and "ButtonShowTime" 1; offscreen, its log
    // on standard output and its console touch on standard input.
    void StartTerminal(quint16 port, const std::string& extraTerminalSettings = "");

    // The scenario's outcome: the simulator's exit status, with its output on failure.
    void ExpectScenarioPasses(int timeoutMs = 60000);

    // A terminal that was started must end cleanly when asked: status 0 and, in a sanitizer
    // build, no report on its output.
    void TearDown() override;

    TempDir dir;
    ProcessOutput simulator;
    ProcessOutput terminal;
    bool terminalStarted_ = false;
};

}  // namespace tuvako::test
