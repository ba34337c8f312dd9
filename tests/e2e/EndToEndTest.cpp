// The real tuvako against the real tuvako-sim over loopback: login, keep-alive, reconnection,
// a customer's whole road, and a server that misbehaves.
#include "EndToEndFixture.h"

#include <gtest/gtest.h>

namespace tuvako::test {
namespace {

// Every scenario starts by waiting for the terminal to connect and log in; the keep-alive
// records that PingTime 1 brings are not what the later expectations are about.
const std::string kLoggedIn =
    "timeout 20\n"
    "expect Moi^-^Tuvako01^-^0^KVLNQ^\n"
    "ignore Ping^*\n"
    "timeout 20\n";

// The time-out report of a sample member: customer number and the note of field 16.
std::string TimeoutReport(const std::string& customer, const std::string& note) {
    return "expect Log^" + customer + "^Tuvako01^-^0^" + note +
           ";Timeout: Valintaa ei tehty!^SaveLogi^^\n";
}

// After the test's abuse, one more customer proves the terminal is neither crashed nor stuck:
// the card, the list, and the time-out report one ButtonShowTime later.
const std::string kStillServing = "customer 1\n" + TimeoutReport("4711", "V-88");

using EndToEnd = EndToEndFixture;

TEST_F(EndToEnd, TheLoginPromptIsAnsweredWithExactlyTheMoiRecord) {
    const quint16 port = StartSimulator("timeout 20\nexpect Moi^-^Tuvako01^-^0^KVLNQ^\n");
    StartTerminal(port);
    ExpectScenarioPasses();
    const std::size_t connected = terminal.WaitFor("> Session connected.");
    const std::size_t prompt = terminal.WaitFor("> Rcv: Login:", connected);
    EXPECT_NE(terminal.WaitFor("> Snd: Moi^-^Tuvako01^-^0^KVLNQ^", prompt), std::string::npos)
        << terminal.Output();
    EXPECT_NE(simulator.Output().find("#1 login accepted for Tuvako01"), std::string::npos);
}

TEST_F(EndToEnd, APingFollowsPingTimeOfSilenceAndNoneWhileLinesKeepComing) {
    const quint16 port = StartSimulator(
        "timeout 20\n"
        "expect Moi^-^Tuvako01^-^0^KVLNQ^\n"
        "repeat 6\n"
        "  greet Hei\n"
        "  quiet 400ms\n"
        "end\n"
        "quiet 400ms\n"
        "timeout 5\n"
        "expect Ping^-^Tuvako01^-^0^Ping^\n");
    StartTerminal(port);
    ExpectScenarioPasses();
}

TEST_F(EndToEnd, ARefusedStartLogsTheErrorThenClosedAndTheNextTickReconnects) {
    const quint16 port = StartSimulator(
        "offline\n"
        "timeout 30\n"
        "accept\n"
        "expect Moi^-^Tuvako01^-^0^KVLNQ^\n");
    ASSERT_NE(simulator.WaitFor("offline:"), std::string::npos);
    StartTerminal(port);
    const std::size_t refused = terminal.WaitFor("> Can't connect. Error #10061");
    ASSERT_NE(refused, std::string::npos) << terminal.Output();
    const std::size_t closed = terminal.WaitFor("> Session closed.", refused);
    ASSERT_NE(closed, std::string::npos) << terminal.Output();
    simulator.WriteLine("online");
    ExpectScenarioPasses();
    EXPECT_NE(terminal.WaitFor("> Session connected.", closed), std::string::npos);
}

TEST_F(EndToEnd, TheServerGoingAwayAndComingBackIsFoundAgainAtTheNextTick) {
    const quint16 port = StartSimulator(kLoggedIn +
                                        "offline\n"
                                        "accept\n"
                                        "expect Moi^-^Tuvako01^-^0^KVLNQ^\n" +
                                        kStillServing);
    StartTerminal(port);
    const std::size_t closed = terminal.WaitFor("> Session closed.");
    ASSERT_NE(closed, std::string::npos) << terminal.Output();
    // While the server is away, each keep-alive tick tries in vain.
    ASSERT_NE(terminal.WaitFor("> Can't connect. Error #10061", closed), std::string::npos)
        << terminal.Output();
    simulator.WriteLine("online");
    ExpectScenarioPasses();
    EXPECT_EQ(terminal.Count("> Session connected."), 2u) << terminal.Output();
}

TEST_F(EndToEnd, ACustomerChoosesTheNextOneTimesOut) {
    const quint16 port =
        StartSimulator(kLoggedIn +
                       "customer 1\n"
                       "expect Crd^4711^Tuvako01^-^0^K1?A@VV12@55<#24&^OK^0^Lippu=T9^\n"
                       "greet\n"
                       "customer 2\n" +
                       TimeoutReport("4712", "V-89"));
    StartTerminal(port);
    // The member touches "Kuntosali" as soon as it is on the screen.
    ASSERT_NE(terminal.WaitFor("^BUTTON^Tuote^V12^"), std::string::npos) << terminal.Output();
    terminal.WriteLine("press Kuntosali");
    ExpectScenarioPasses();
    EXPECT_NE(terminal.Output().find("> Rcv: Crd^Tuvako01^-^-^0^-^EI^Aino^0^"), std::string::npos);
    EXPECT_NE(terminal.Output().find("> Snd: Log^4712^Tuvako01^-^0^V-89;Timeout"),
              std::string::npos);
}

TEST_F(EndToEnd, TheTerminalSurvivesGarbageLines) {
    const quint16 port =
        StartSimulator(kLoggedIn + "send-garbage 3000\nsend-garbage 70000\n" + kStillServing);
    StartTerminal(port);
    ExpectScenarioPasses();
}

TEST_F(EndToEnd, TheTerminalSurvivesALineOfOneMegabyte) {
    const quint16 port = StartSimulator(kLoggedIn + "send-long 1048576\n" + kStillServing);
    StartTerminal(port);
    ExpectScenarioPasses();
}

TEST_F(EndToEnd, TheTerminalTakesTenThousandLinesAtOnceAndLosesNone) {
    const quint16 port = StartSimulator(
        kLoggedIn + "burst 10000 Buttons^Tuvako01^-^-^0^BUTTON^Tuote^V99^^Extra^\ntimeout 45\n" +
        kStillServing);
    StartTerminal(port);
    ExpectScenarioPasses(90000);
    EXPECT_EQ(terminal.Count("> Rcv: Buttons^Tuvako01^-^-^0^BUTTON^Tuote^V99^^Extra^"), 10000u);
}

TEST_F(EndToEnd, TheTerminalSurvivesAServerThatClosesInTheMiddleOfALine) {
    const quint16 port = StartSimulator(kLoggedIn +
                                        "send-partial hRLqwMfARtiVC9KUuGp5o\n"
                                        "close\n"
                                        "accept\n"
                                        "expect Moi^-^Tuvako01^-^0^KVLNQ^\n" +
                                        kStillServing);
    StartTerminal(port);
    ExpectScenarioPasses();
    // The rest without a line end is taken as the last line, then the session ends.
    const std::size_t rest = terminal.WaitFor("> Rcv: Ping^-^Tuvako01");
    EXPECT_NE(terminal.WaitFor("> Session closed.", rest), std::string::npos) << terminal.Output();
}

TEST_F(EndToEnd, TheTerminalSurvivesAServerThatResetsTheConnection) {
    const quint16 port = StartSimulator(kLoggedIn +
                                        "swipe 2\n"
                                        "reset\n"
                                        "accept\n"
                                        "expect Moi^-^Tuvako01^-^0^KVLNQ^\n" +
                                        kStillServing);
    StartTerminal(port);
    ExpectScenarioPasses();
    EXPECT_NE(terminal.Output().find("> Session closed."), std::string::npos);
    EXPECT_EQ(terminal.Count("> Session connected."), 2u) << terminal.Output();
}

}  // namespace
}  // namespace tuvako::test
