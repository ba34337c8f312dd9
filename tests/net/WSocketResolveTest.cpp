#include "SocketFixture.h"
#include "net/ESocketException.h"
#include "net/TWSocket.h"
#include "net/WSocketErrorDesc.h"
#include "net/WSocketLibrary.h"
#include "net/WSocketResolve.h"
#include "support/FakeSocketsApi.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>

namespace tuvako {
namespace {

using test::FailureOf;
using test::FakeSocketsApi;

TEST(WSocketIsDottedIP, AcceptsExactlyFourNumbersOfAtMost255) {
    for (const char* dotted :
         {"127.0.0.1", "  10.1.2.3", "10.1.2.3  ", "255.255.255.255", "0.0.0.0"})
        EXPECT_TRUE(WSocketIsDottedIP(dotted)) << dotted;
    for (const char* other :
         {"", "server", ".1.2.3", "1.2.3", "1.2.3.4.5", "256.1.1.1", "1.2.3.256", "1..2.3",
          "1.2.3.", "1.2.3.4x", "1.2.3.4 x", "1.2.3.99999999999"})
        EXPECT_FALSE(WSocketIsDottedIP(other)) << other;
}

TEST(WSocketResolveHost, ConvertsDottedTextWithoutALookupAndLooksNamesUp) {
    FakeSocketsApi net;
    net.hosts["server"] = inet_addr("10.0.0.7");
    EXPECT_EQ(WSocketResolveHost("127.0.0.1"), inet_addr("127.0.0.1"));
    EXPECT_EQ(WSocketResolveHost("255.255.255.255"), 0xFFFFFFFFu) << "the broadcast address itself";
    EXPECT_TRUE(net.calls.empty());
    EXPECT_EQ(WSocketResolveHost("server"), inet_addr("10.0.0.7"));
    EXPECT_EQ(net.calls, std::vector<std::string>{"gethostbyname server"});
    EXPECT_EQ(FailureOf([] { WSocketResolveHost("1.2.3"); }),
              "WSocketResolveHost: Cannot convert host address '1.2.3', Error #11001")
        << "not dotted, so looked up by name";
}

TEST(WSocketResolveHost, RejectsEmptyOverlongAndInvalidAddresses) {
    FakeSocketsApi net;
    EXPECT_EQ(FailureOf([] { WSocketResolveHost(""); }),
              "WSocketResolveHost: '' Invalid Hostname.");
    const AnsiString longName(257, 'a');
    EXPECT_EQ(FailureOf([&] { WSocketResolveHost(longName); }),
              "WSocketResolveHost: '" + longName + "' Invalid Hostname.");
    EXPECT_EQ(FailureOf([] { WSocketResolveHost("1.2.3.4 "); }), "(no exception)");
    EXPECT_EQ(FailureOf([] { WSocketResolveHost("255.255.255.255 "); }),
              "WSocketResolveHost: '255.255.255.255 ' Invalid IP address.");
}

TEST(WSocketResolvePort, ReadsLeadingDigitsIntoSixteenBitsAndLooksUpServices) {
    FakeSocketsApi net;
    net.services["telnet"] = 23;
    EXPECT_EQ(WSocketResolvePort("40201", "tcp"), 40201);
    EXPECT_EQ(WSocketResolvePort("70000", "tcp"), 4464);
    EXPECT_EQ(WSocketResolvePort("80abc", "tcp"), 80);
    EXPECT_EQ(WSocketResolvePort("telnet", "tcp"), 23);
    EXPECT_EQ(FailureOf([] { WSocketResolvePort("nosuch", "tcp"); }),
              "WSocketResolvePort: Cannot convert port 'nosuch', Error #11004");
    EXPECT_EQ(FailureOf([] { WSocketResolvePort("", "tcp"); }),
              "WSocketResolvePort: Invalid Port.");
    EXPECT_EQ(FailureOf([] { WSocketResolvePort(AnsiString(32, '1'), "tcp"); }),
              "WSocketResolvePort: Invalid Port.");
    EXPECT_EQ(FailureOf([] { WSocketResolvePort("80", ""); }),
              "WSocketResolvePort: Invalid Proto.");
}

TEST(WSocketResolveProto, KnowsTheThreeNamesNumbersAndLooksUpTheRest) {
    FakeSocketsApi net;
    EXPECT_EQ(WSocketResolveProto("tcp"), 6);
    EXPECT_EQ(WSocketResolveProto(" TCP "), 6);
    EXPECT_EQ(WSocketResolveProto("udp"), 17);
    EXPECT_EQ(WSocketResolveProto("raw"), 255);
    EXPECT_EQ(WSocketResolveProto("17"), 17);
    EXPECT_EQ(WSocketResolveProto("ICMP"), 1);
    EXPECT_EQ(FailureOf([] { WSocketResolveProto("bogus"); }),
              "WSocketResolveProto: Cannot convert protocol 'bogus', Error #11004");
    EXPECT_EQ(FailureOf([] { WSocketResolveProto(""); }), "WSocketResolveProto: Invalid Protocol.");
}

TEST(WSocketErrorDesc, DescribesKnownNumbersAndFlagsTheRest) {
    EXPECT_EQ(WSocketErrorDesc(0), "No Error");
    EXPECT_EQ(WSocketErrorDesc(10061), "Connection refused");
    EXPECT_EQ(WSocketErrorDesc(10057), "Socket is not connected");
    EXPECT_EQ(WSocketErrorDesc(11004), "No Data");
    EXPECT_EQ(WSocketErrorDesc(10072), "Not a WinSock error");
    EXPECT_EQ(WSocketErrorDesc(-1), "Not a WinSock error");
}

TEST(WSocketLibrary, StartsOnFirstUseStopsWithTheLastSocketAndStartsAgain) {
    FakeSocketsApi net;
    ASSERT_EQ(WSocketLibrary::InstanceCount(), 0);
    auto first = std::make_unique<TWSocket>();
    auto second = std::make_unique<TWSocket>();
    EXPECT_EQ(net.startups, 0) << "making a socket object uses no socket call";
    WSocketResolveHost("10.0.0.1");
    EXPECT_EQ(net.startups, 1);
    EXPECT_EQ(WSocketLibrary::RequestedVersion(), 0x0101);
    EXPECT_FALSE(WSocketLibrary::SetRequestedVersion(2, 2)) << "not while started";
    first.reset();
    EXPECT_EQ(net.cleanups, 0);
    second.reset();
    EXPECT_EQ(net.cleanups, 1);
    EXPECT_FALSE(WSocketLibrary::IsStarted());
    WSocketResolveHost("1.2.3.4");
    EXPECT_EQ(net.startups, 2) << "the next use starts the library again";
}

TEST(WSocketLibrary, AFailedStartIsRaisedWithTheLibraryName) {
    FakeSocketsApi net;
    net.startupResult = WsaError::SysNotReady;
    EXPECT_EQ(FailureOf([] { WSocketResolveHost("1.2.3.4"); }), "fake: WSAStartup error #10091");
    net.startupResult = 0;
    EXPECT_EQ(FailureOf([] { WSocketResolveHost("1.2.3.4"); }), "(no exception)");
}

}  // namespace
}  // namespace tuvako
