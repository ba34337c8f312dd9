// The simulator in one process with a stand-in terminal: login, scenarios, console, demo.
#include "cipher/LineCipher.h"
#include "sim/DemoDriver.h"
#include "sim/MessageComposer.h"
#include "sim/ScenarioParser.h"
#include "sim/ScenarioRunner.h"
#include "sim/SimConnection.h"
#include "sim/SimConsole.h"
#include "sim/SimServer.h"
#include "sim/TrafficLog.h"
#include "support/Wait.h"

#include <gtest/gtest.h>
#include <QTcpSocket>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace tuvako::sim {
namespace {

// Plays a terminal: answers the login prompt and keeps what it receives, deciphered.
struct StandInTerminal {
    explicit StandInTerminal(quint16 port, std::string password = "KVLNQ") {
        QObject::connect(&socket, &QTcpSocket::readyRead, [this, password] {
            buffer += socket.readAll().toStdString();
            for (std::size_t end; (end = buffer.find("\r\n")) != std::string::npos;) {
                const std::string line = buffer.substr(0, end);
                buffer.erase(0, end + 2);
                received.push_back(line == "Login:" ? line : DecipherLine(line));
                if (line == "Login:") Send("Moi^-^Tuvako01^-^0^" + password + "^");
            }
        });
        socket.connectToHost(QHostAddress::LocalHost, port);
    }
    void Send(const AnsiString& record) {
        socket.write(QByteArray::fromStdString(EncipherLine(record) + "\r\n"));
    }
    bool Closed() const { return socket.state() == QAbstractSocket::UnconnectedState; }

    QTcpSocket socket;
    std::vector<AnsiString> received;  // the login prompt as it came
    std::string buffer;
};

class SimulatorTest : public ::testing::Test {
protected:
    SimulatorTest() : output_(std::tmpfile()), log_(output_), server_(log_) {
        QString error;
        EXPECT_TRUE(server_.Listen(QHostAddress::LocalHost, 0, &error)) << error.toStdString();
    }
    ~SimulatorTest() override { std::fclose(output_); }

    bool Logged(const std::string& text) const {  // whether the traffic log holds `text`
        std::fflush(output_);
        std::string all(std::size_t(std::max(std::ftell(output_), 0L)), '\0');
        std::rewind(output_);
        all.resize(std::fread(all.data(), 1, all.size(), output_));
        std::fseek(output_, 0, SEEK_END);  // the log goes on at the end
        return all.find(text) != std::string::npos;
    }

    // A runner of `scenario`, started.
    std::unique_ptr<ScenarioRunner> Runner(const std::string& scenario) {
        auto parsed = ScenarioParser::Parse(scenario);
        EXPECT_TRUE(parsed.Ok()) << parsed.error;
        auto runner = std::make_unique<ScenarioRunner>(std::move(parsed.steps), server_, log_);
        runner->Start();
        return runner;
    }

    std::FILE* output_;
    TrafficLog log_;
    SimServer server_;
};

TEST_F(SimulatorTest, AScenarioPlaysAgainstTheTerminalThatConnectsAndPasses) {
    auto runner = Runner(
        "expect Moi^-^Tuvako01^-^0^KVLNQ^\n"
        "swipe 1\n"
        "list\n"
        "expect-like Log^4711^Tuvako01^*\n");
    StandInTerminal terminal(server_.Port());
    // The prompt, the card addressed to the terminal that logged in, START, five choices, STOP.
    ASSERT_TRUE(test::WaitUntil([&] { return terminal.received.size() == 9u; }));
    EXPECT_EQ(MessageComposer::SplitFields(terminal.received[1])[1], "Tuvako01");
    EXPECT_FALSE(runner->Done());
    terminal.Send("Log^4711^Tuvako01^-^0^V-88;Timeout: Valintaa ei tehty!^SaveLogi^^");
    ASSERT_TRUE(test::WaitUntil([&] { return runner->Done(); }));
    EXPECT_TRUE(runner->Passed()) << runner->Failure();
    EXPECT_TRUE(Logged("#1 login accepted for Tuvako01"));
    EXPECT_TRUE(Logged("#1 < Log^4711^Tuvako01^-^0^V-88;Timeout"));
    EXPECT_TRUE(Logged("scenario passed"));
}

// A scenario, the records the terminal sends after its login, and the failure it must report.
struct Failing {
    const char* name;
    const char* scenario;
    std::vector<AnsiString> records;
    const char* failure;
};
class ScenarioFailure : public SimulatorTest, public ::testing::WithParamInterface<Failing> {};

TEST_P(ScenarioFailure, NamesTheLineAndWhatHappened) {
    auto runner = Runner(GetParam().scenario);
    StandInTerminal terminal(server_.Port());
    ASSERT_TRUE(test::WaitUntil([&] { return !terminal.received.empty(); }));
    for (const AnsiString& record : GetParam().records) terminal.Send(record);
    ASSERT_TRUE(test::WaitUntil([&] { return runner->Done(); }));
    EXPECT_EQ(runner->Failure(), GetParam().failure);
}

INSTANTIATE_TEST_SUITE_P(
    SimulatorTest, ScenarioFailure,
    ::testing::Values(Failing{"AnotherRecord",
                              "ignore Moi^*\nexpect Crd^x^\n",
                              {"Crd^y^"},
                              "line 2: expected \"Crd^x^\", received \"Crd^y^\""},
                      Failing{"NothingInTime",
                              "timeout 100ms\nexpect Moi^-^Tuvako01^-^0^KVLNQ^\nexpect Ping^*\n",
                              {},
                              "line 3: nothing matching \"Ping^*\" came within 0.1 s"},
                      // An ignored record does not break the quiet time.
                      Failing{"RecordInQuietTime",
                              "ignore Moi^*\nignore Ping^*\nquiet 30\n",
                              {"Ping^-^Tuvako01^-^0^Ping^", "Crd^late^"},
                              "line 3: expected quiet, received \"Crd^late^\""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SimulatorTest, AWrongPasswordIsRefusedAndTheConnectionClosed) {
    StandInTerminal terminal(server_.Port(), "WRONG");
    ASSERT_TRUE(test::WaitUntil([&] { return terminal.Closed(); }));
    EXPECT_TRUE(Logged("#1 login refused: wrong password"));
    EXPECT_TRUE(server_.Connections().empty());
}

TEST_F(SimulatorTest, ConsoleCommandsReachEveryTerminalOrTheOneNamed) {
    SimConsole console(server_, log_);
    StandInTerminal first(server_.Port());
    StandInTerminal second(server_.Port());
    ASSERT_TRUE(test::WaitUntil([&] {
        return server_.Connections().size() == 2u && server_.Connections()[1]->LoggedIn();
    }));
    console.Execute("swipe 2");
    ASSERT_TRUE(test::WaitUntil(
        [&] { return first.received.size() == 2u && second.received.size() == 2u; }));
    EXPECT_EQ(MessageComposer::SplitFields(first.received[1])[10], "Pekka M\xE4kinen");
    console.Execute("#2 greet");
    ASSERT_TRUE(test::WaitUntil([&] { return second.received.size() == 3u; }));
    EXPECT_EQ(MessageComposer::SplitFields(second.received[2])[7], "Pekka");
    console.Execute("expect x");
    console.Execute("sned");
    EXPECT_TRUE(Logged("console: \"expect\" works only in a scenario file"));
    EXPECT_TRUE(Logged("console: unknown command \"sned\""));
    EXPECT_EQ(first.received.size(), 2u);
}

TEST_F(SimulatorTest, DemoModeServesMembersInTurnAndGreetsAfterAChoice) {
    DemoDriver demo(server_, 100, 0);
    StandInTerminal terminal(server_.Port());
    // The prompt, then two customers of eight records each: a card, START, five choices, STOP.
    ASSERT_TRUE(test::WaitUntil([&] { return terminal.received.size() >= 17; }));
    EXPECT_EQ(MessageComposer::SplitFields(terminal.received[1])[2], "4711");
    EXPECT_EQ(MessageComposer::SplitFields(terminal.received[9])[2], "4712");
    terminal.Send("Crd^4712^Tuvako01^-^0^K2@VV12@31#<#40&^OK^0^^");
    // The greeting: a card message without "OK" whose result code greets.
    EXPECT_TRUE(test::WaitUntil([&] {
        return std::ranges::any_of(terminal.received, [](const AnsiString& record) {
            return record.starts_with("Crd^Tuvako01^-^-^0^-^EI^") && record.ends_with("^0^");
        });
    }));
}

}  // namespace
}  // namespace tuvako::sim
