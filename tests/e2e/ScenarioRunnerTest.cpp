// The simulator in one process with a stand-in terminal: login, scenarios, console, offline.
#include "WaitUntil.h"
#include "cipher/LineCipher.h"
#include "sim/DemoDriver.h"
#include "sim/MessageComposer.h"
#include "sim/ScenarioParser.h"
#include "sim/ScenarioRunner.h"
#include "sim/SimConnection.h"
#include "sim/SimConsole.h"
#include "sim/SimServer.h"
#include "sim/TrafficLog.h"

#include <gtest/gtest.h>
#include <QTcpSocket>

#include <cstdio>

namespace tuvako::sim {
namespace {

// Plays a terminal: answers the login prompt and deciphers what it receives.
class StandInTerminal {
public:
    explicit StandInTerminal(quint16 port, std::string password = "KVLNQ")
        : password_(std::move(password)) {
        QObject::connect(&socket_, &QTcpSocket::readyRead, [this] { Read(); });
        socket_.connectToHost(QHostAddress::LocalHost, port);
    }

    void Send(const AnsiString& record) {
        socket_.write(QByteArray::fromStdString(EncipherLine(record) + "\r\n"));
    }

    std::vector<AnsiString> received;  // deciphered records, the login prompt as it came
    QTcpSocket socket_;

private:
    void Read() {
        buffer_ += socket_.readAll().toStdString();
        for (std::size_t end; (end = buffer_.find("\r\n")) != std::string::npos;) {
            const std::string line = buffer_.substr(0, end);
            buffer_.erase(0, end + 2);
            if (line == "Login:") {
                received.push_back(line);
                Send("Moi^-^Tuvako01^-^0^" + password_ + "^");
            } else {
                received.push_back(DecipherLine(line));
            }
        }
    }

    std::string password_;
    std::string buffer_;
};

class SimulatorTest : public ::testing::Test {
protected:
    SimulatorTest() : output_(std::tmpfile()), log_(output_), server_(log_) {
        QString error;
        EXPECT_TRUE(server_.Listen(QHostAddress::LocalHost, 0, &error)) << error.toStdString();
    }
    ~SimulatorTest() override { std::fclose(output_); }

    std::string Output() const {
        std::fflush(output_);
        std::rewind(output_);
        std::string text;
        char buffer[4096];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, output_)) > 0;)
            text.append(buffer, got);
        std::fseek(output_, 0, SEEK_END);
        return text;
    }

    std::unique_ptr<ScenarioRunner> Runner(const std::string& scenario) {
        auto parsed = ScenarioParser::Parse(scenario);
        EXPECT_TRUE(parsed.Ok()) << parsed.error;
        return std::make_unique<ScenarioRunner>(std::move(parsed.steps), server_, log_);
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
    runner->Start();
    StandInTerminal terminal(server_.Port());
    // The prompt, the card, START, five choices and STOP.
    ASSERT_TRUE(test::WaitUntil([&] { return terminal.received.size() == 9u; }));
    EXPECT_EQ(terminal.received[0], "Login:");
    const auto card = MessageComposer::SplitFields(terminal.received[1]);
    EXPECT_EQ(card[6], "OK");
    EXPECT_EQ(card[10], "Aino Virtanen");
    EXPECT_EQ(card[1], "Tuvako01");  // addressed to the terminal that logged in
    EXPECT_FALSE(runner->Done());
    terminal.Send("Log^4711^Tuvako01^-^0^V-88;Timeout: Valintaa ei tehty!^SaveLogi^^");
    ASSERT_TRUE(test::WaitUntil([&] { return runner->Done(); }));
    EXPECT_TRUE(runner->Passed()) << runner->Failure();
    const std::string output = Output();
    EXPECT_NE(output.find("#1 login accepted for Tuvako01"), std::string::npos);
    EXPECT_NE(output.find("#1 < Log^4711^Tuvako01^-^0^V-88;Timeout"), std::string::npos);
    EXPECT_NE(output.find("scenario passed"), std::string::npos);
}

TEST_F(SimulatorTest, ARecordOtherThanTheExpectedOneFailsNamingTheLineAndBothRecords) {
    auto runner = Runner("ignore Moi^*\nexpect Crd^x^\n");
    runner->Start();
    StandInTerminal terminal(server_.Port());
    ASSERT_TRUE(test::WaitUntil([&] { return terminal.received.size() == 1u; }));
    terminal.Send("Crd^y^");
    ASSERT_TRUE(test::WaitUntil([&] { return runner->Done(); }));
    EXPECT_FALSE(runner->Passed());
    EXPECT_EQ(runner->Failure(), "line 2: expected \"Crd^x^\", received \"Crd^y^\"");
}

TEST_F(SimulatorTest, AnExpectationThatNeverComesFailsAfterTheTimeout) {
    auto runner = Runner("timeout 100ms\nexpect Moi^-^Tuvako01^-^0^KVLNQ^\nexpect Ping^*\n");
    runner->Start();
    StandInTerminal terminal(server_.Port());
    ASSERT_TRUE(test::WaitUntil([&] { return runner->Done(); }));
    EXPECT_EQ(runner->Failure(), "line 3: nothing matching \"Ping^*\" came within 0.1 s");
}

TEST_F(SimulatorTest, QuietFailsOnARecordUnlessItIsIgnored) {
    auto runner =
        Runner("ignore Moi^*\nignore Ping^*\nquiet 300ms\nprint first quiet over\nquiet 5\n");
    runner->Start();
    StandInTerminal terminal(server_.Port());
    ASSERT_TRUE(test::WaitUntil([&] { return terminal.received.size() == 1u; }));
    terminal.Send("Ping^-^Tuvako01^-^0^Ping^");
    // The first quiet time passes with only an ignored record in it.
    ASSERT_TRUE(
        test::WaitUntil([&] { return Output().find("-- first quiet over") != std::string::npos; }));
    EXPECT_FALSE(runner->Done());
    terminal.Send("Crd^late^");
    ASSERT_TRUE(test::WaitUntil([&] { return runner->Done(); }));
    EXPECT_EQ(runner->Failure(), "line 5: expected quiet, received \"Crd^late^\"");
}

TEST_F(SimulatorTest, AWrongPasswordIsRefusedAndTheConnectionClosed) {
    StandInTerminal terminal(server_.Port(), "WRONG");
    ASSERT_TRUE(test::WaitUntil(
        [&] { return terminal.socket_.state() == QAbstractSocket::UnconnectedState; }));
    EXPECT_NE(Output().find("#1 login refused: wrong password"), std::string::npos);
    EXPECT_TRUE(server_.Connections().empty());
}

TEST_F(SimulatorTest, ConsoleCommandsReachEveryTerminalOrTheOneNamed) {
    SimConsole console(server_, log_);
    StandInTerminal first(server_.Port());
    StandInTerminal second(server_.Port());
    ASSERT_TRUE(test::WaitUntil([&] { return server_.Connections().size() == 2u; }));
    ASSERT_TRUE(test::WaitUntil([&] { return server_.Connections()[1]->LoggedIn(); }));
    console.Execute("swipe 2");
    ASSERT_TRUE(test::WaitUntil([&] { return first.received.size() == 2u; }));
    ASSERT_TRUE(test::WaitUntil([&] { return second.received.size() == 2u; }));
    EXPECT_EQ(MessageComposer::SplitFields(first.received[1])[10], "Pekka M\xE4kinen");
    console.Execute("#2 greet");
    ASSERT_TRUE(test::WaitUntil([&] { return second.received.size() == 3u; }));
    EXPECT_EQ(MessageComposer::SplitFields(second.received[2])[7], "Pekka");
    console.Execute("expect x");
    console.Execute("sned");
    const std::string output = Output();
    EXPECT_NE(output.find("console: \"expect\" works only in a scenario file"), std::string::npos);
    EXPECT_NE(output.find("console: unknown command \"sned\""), std::string::npos);
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
    ASSERT_TRUE(test::WaitUntil([&] {
        for (const AnsiString& record : terminal.received)
            if (record.starts_with("Crd^Tuvako01^-^-^0^-^EI^") && record.ends_with("^0^"))
                return true;
        return false;
    }));
}

TEST_F(SimulatorTest, OfflineDropsTheTerminalsAndOnlineListensAgainOnTheSamePort) {
    auto runner = Runner(
        "expect-like Moi^*\n"
        "offline\n"
        "accept\n"
        "expect-like Moi^*\n"
        "reset\n");
    runner->Start();
    StandInTerminal first(server_.Port());
    ASSERT_TRUE(test::WaitUntil([&] {
        return first.socket_.state() == QAbstractSocket::UnconnectedState;
    })) << Output();
    EXPECT_FALSE(server_.IsListening());
    QString error;
    ASSERT_TRUE(server_.GoOnline(&error)) << error.toStdString();
    StandInTerminal second(server_.Port());
    ASSERT_TRUE(test::WaitUntil([&] { return runner->Done(); }));
    EXPECT_TRUE(runner->Passed()) << runner->Failure();
    ASSERT_TRUE(test::WaitUntil(
        [&] { return second.socket_.state() == QAbstractSocket::UnconnectedState; }));
    EXPECT_NE(Output().find("#2 reset by the simulator"), std::string::npos) << Output();
}

}  // namespace
}  // namespace tuvako::sim
