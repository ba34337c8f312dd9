// The line layer against the fake sockets table, where every read boundary is chosen.
#include "SocketFixture.h"
#include "support/FakeSocketsApi.h"

#include <gtest/gtest.h>

namespace tuvako {
namespace {

using test::HandlePostedMessages;
using Log = std::vector<std::string>;

class LineAssembly : public ::testing::Test {
protected:
    void SetUp() override {
        client.Configure("40201");
        client.socket->Connect();
        net.CompleteConnect(0);
        HandlePostedMessages();
        client.log.clear();
    }
    // Delivers `bytes` as one read, handled within one notification.
    void Read(std::string_view bytes) {
        net.Deliver(bytes);
        HandlePostedMessages();
    }

    test::FakeSocketsApi net;
    test::LoggedSocket client;
};

TEST_F(LineAssembly, TwoLinesInOneReadGiveTwoEventsWithinTheSameNotification) {
    net.Deliver("A\r\nB\r\n");
    client.socket->HWindow()->SendMessage(WM_WSOCKET_EVENT, client.socket->HSocket(),
                                          MakeSelectReply(FdEvent::Read, 0));
    EXPECT_EQ(client.log, (Log{"line A\r\n", "line B\r\n"}));
}

TEST_F(LineAssembly, ATerminatorSplitAcrossReadsIsFound) {
    Read("A\r");
    EXPECT_TRUE(client.log.empty());
    Read("\nB\r\n");
    EXPECT_EQ(client.log, (Log{"line A\r\n", "line B\r\n"}));
}

TEST_F(LineAssembly, EmptyLinesAndLoneCrOrLfInsideALine) {
    Read("\r\na\rb\nc\r\n");
    EXPECT_EQ(client.log, (Log{"line \r\n", "line a\rb\nc\r\n"}));
}

TEST_F(LineAssembly, ABurstLargerThanOneReadArrivesInOrderWithinOneNotification) {
    net.readableCap = 1000;  // the system reports at most this much at a time
    std::string burst;
    Log expected;
    for (int i = 0; i < 300; ++i) {
        const std::string line = "line " + std::to_string(i) + std::string(i % 17, '.') + "\r\n";
        burst += line;
        expected.push_back("line " + line);
    }
    net.Deliver(burst);
    client.socket->HWindow()->SendMessage(WM_WSOCKET_EVENT, client.socket->HSocket(),
                                          MakeSelectReply(FdEvent::Read, 0));
    EXPECT_EQ(client.log, expected);
}

TEST_F(LineAssembly, MoreThanTheLimitWithoutTerminatorIsDroppedAndTheNextLineStandsAlone) {
    std::vector<int> exceeded;
    client.socket->OnLineLimitExceeded = [&](TCustomWSocket*, int length, bool&) {
        exceeded.push_back(length);
    };
    Read(std::string(65536, 'x'));
    EXPECT_TRUE(exceeded.empty()) << "65536 held bytes stay held";
    Read("y");
    EXPECT_EQ(exceeded, std::vector<int>{65537});
    Read("next\r\n");
    EXPECT_EQ(client.log, Log{"line next\r\n"});
}

TEST_F(LineAssembly, ALimitHandlerMayKeepTheBytes) {
    client.socket->SetLineLimit(4);
    client.socket->OnLineLimitExceeded = [](TCustomWSocket*, int, bool& clear) { clear = false; };
    Read("abcdef");
    Read("\r\n");
    EXPECT_EQ(client.log, Log{"line abcdef\r\n"});
}

TEST_F(LineAssembly, AThrowingHandlerLosesItsLineOnlyAndTheLinesAlreadyHeldStillCome) {
    client.onLine = [](const AnsiString& line) {
        if (line == "bad\r\n") throw ESocketException("handler failed");
    };
    Read("bad\r\ngood\r\npart");
    EXPECT_EQ(client.log, (Log{"line bad\r\n", "line good\r\n"}));
    Read("ial\r\n");
    EXPECT_EQ(client.log, (Log{"line bad\r\n", "line good\r\n", "line partial\r\n"}));
    EXPECT_EQ(client.socket->State(), wsConnected);
}

TEST_F(LineAssembly, AHandlerThatReadsNothingDoesNotStallTheSocket) {
    client.socket->OnDataAvailable = [&](TCustomWSocket*, std::uint16_t) {
        client.log.push_back("ignored");
    };
    Read("one\r\ntwo\r\n");
    EXPECT_EQ(client.log, (Log{"ignored", "ignored"}));
}

TEST_F(LineAssembly, AHandlerMayReadALineInPieces) {
    std::string pieces;
    client.socket->OnDataAvailable = [&](TCustomWSocket* s, std::uint16_t) {
        char piece[3];
        pieces += std::string(piece, std::size_t(s->Receive(piece, sizeof piece))) + "|";
    };
    Read("abcdefg\r\nxy\r\n");
    EXPECT_EQ(pieces, "abc|def|g\r\n|xy\r|\n|");
}

TEST_F(LineAssembly, TheRestWithoutTerminatorComesBeforeTheClose) {
    Read("tail");
    client.socket->Close();
    EXPECT_EQ(client.log, (Log{"line tail", "closed 0"}));
}

TEST_F(LineAssembly, ClosingInsideAHandlerStillDeliversTheHeldLinesOneByOne) {
    client.onLine = [&](const AnsiString& line) {
        if (line == "first\r\n") client.socket->Close();
    };
    Read("first\r\nsecond\r\nthird\r\nrest");
    EXPECT_EQ(client.log, (Log{"line first\r\n", "line second\r\n", "line third\r\n", "line rest",
                               "closed 0"}));
}

TEST_F(LineAssembly, ReceiveTextWithNoLinePendingReadsNothingFromTheNetwork) {
    Read("partial");
    net.Deliver("more\r\n");
    EXPECT_EQ(client.socket->ReceiveText(), "");
    HandlePostedMessages();
    EXPECT_EQ(client.log, Log{"line partialmore\r\n"});
}

TEST_F(LineAssembly, TurningLineModeOffMidLineHandsTheRestOverAsPlainData) {
    client.socket->OnDataAvailable = [&](TCustomWSocket* s, std::uint16_t) {
        if (client.log.empty()) {
            char head[2];
            client.log.push_back("head " + std::string(head, std::size_t(s->Receive(head, 2))));
            client.socket->SetLineMode(false);
            return;
        }
        client.log.push_back("raw " + s->ReceiveText());
    };
    Read("abcd\r\nef\r\n");
    EXPECT_EQ(client.log, (Log{"head ab", "raw cd\r\nef\r\n"}));
}

}  // namespace
}  // namespace tuvako
