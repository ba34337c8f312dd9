// Endpoint resolution, the dotted-address test, and the library's start and stop.
#include "NetTestSupport.h"
#include "net/Resolve.h"
#include "net/SocketsLibrary.h"
#include "support/FakeSocketsApi.h"

#include <gtest/gtest.h>

#include "support/SystemSockets.h"

namespace tuvako {
namespace {

using test::FakeSocketsApi;
using test::Thrown;

TEST(IsDottedIP, AcceptsExactlyFourNumbersOfAtMost255) {
    for (const char* dotted :
         {"127.0.0.1", "  10.1.2.3", "10.1.2.3  ", "255.255.255.255", "0.0.0.0", "1.2.3.4x "})
        EXPECT_TRUE(IsDottedIP(dotted)) << dotted;
    for (const char* other :
         {"", "server", ".1.2.3", "1.2.3", "1.2.3.4.5", "256.1.1.1", "1.2.3.256", "1..2.3",
          "1.2.3.", "1.2.3.4xy", "1.2.3.4 x", "1.2.3.99999999999"})
        EXPECT_FALSE(IsDottedIP(other)) << other;
}

TEST(ResolveHost, ConvertsDottedTextWithoutALookupLooksNamesUpAndRejectsTheRest) {
    FakeSocketsApi net;
    net.hosts["server"] = inet_addr("10.0.0.7");
    EXPECT_EQ(ResolveHost("127.0.0.1"), inet_addr("127.0.0.1"));
    EXPECT_EQ(ResolveHost("255.255.255.255"), 0xFFFFFFFFu) << "the broadcast address itself";
    EXPECT_EQ(Thrown([] { ResolveHost("1.2.3.4 "); }), "");
    EXPECT_TRUE(net.calls.empty());
    EXPECT_EQ(ResolveHost("server"), inet_addr("10.0.0.7"));
    EXPECT_EQ(net.calls, std::vector<std::string>{"gethostbyname server"});

    const AnsiString longName(257, 'a');
    for (const auto& [host, failure] : std::vector<std::pair<AnsiString, std::string>>{
             {"1.2.3", "Cannot convert host address '1.2.3', Error #11001"},  // looked up
             {"", "'' Invalid Hostname."},
             {longName, "'" + longName + "' Invalid Hostname."},
             {"255.255.255.255 ", "'255.255.255.255 ' Invalid IP address."},
             {"1.2.3.4x", "'1.2.3.4x' Invalid IP address."}})  // not looked up
        EXPECT_EQ(Thrown([&] { ResolveHost(host); }), "ESocketError: ResolveHost: " + failure);
}

TEST(ResolvePort, ReadsLeadingDigitsIntoSixteenBitsAndLooksUpServices) {
    FakeSocketsApi net;
    net.services["telnet"] = 23;
    for (const auto& [port, number] : std::vector<std::pair<AnsiString, int>>{
             {"40201", 40201}, {"70000", 4464}, {"80abc", 80}, {"telnet", 23}})
        EXPECT_EQ(ResolvePort(port, "tcp"), number) << port;
    for (const auto& [port, proto, failure] :
         std::vector<std::tuple<AnsiString, AnsiString, std::string>>{
             {"nosuch", "tcp", "Cannot convert port 'nosuch', Error #11004"},
             {"", "tcp", "Invalid Port."},
             {AnsiString(32, '1'), "tcp", "Invalid Port."},
             {"80", "", "Invalid Proto."}})
        EXPECT_EQ(Thrown([&] { ResolvePort(port, proto); }),
                  "ESocketError: ResolvePort: " + failure);
}

TEST(ResolveProto, KnowsTheThreeNamesNumbersAndLooksUpTheRest) {
    FakeSocketsApi net;
    for (const auto& [name, number] : std::vector<std::pair<AnsiString, int>>{
             {"tcp", 6}, {" TCP ", 6}, {"udp", 17}, {"raw", 255}, {"17", 17}, {"ICMP", 1}})
        EXPECT_EQ(ResolveProto(name), number) << name;
    EXPECT_EQ(Thrown([] { ResolveProto("bogus"); }),
              "ESocketError: ResolveProto: Cannot convert protocol 'bogus', Error #11004");
    EXPECT_EQ(Thrown([] { ResolveProto(""); }), "ESocketError: ResolveProto: Invalid Protocol.");
}

TEST(SocketsLibrary, StartsOnFirstUseStopsWithTheLastSocketAndStartsAgain) {
    FakeSocketsApi net;
    ASSERT_EQ(SocketsLibrary::InstanceCount(), 0);
    auto first = std::make_unique<TClientSocket>();
    auto second = std::make_unique<TClientSocket>();
    EXPECT_EQ(net.startups, 0) << "making a socket object uses no socket call";
    net.startupResult = WsaError::SysNotReady;
    EXPECT_EQ(Thrown([] { ResolveHost("1.2.3.4"); }),
              "ESocketError: fake: WSAStartup error #10091");
    net.startupResult = 0;
    ResolveHost("10.0.0.1");
    EXPECT_EQ(net.startups, 2) << "a failed start is tried again on the next use";
    EXPECT_EQ(SocketsLibrary::RequestedVersion(), 0x0101);
    EXPECT_FALSE(SocketsLibrary::SetRequestedVersion(2, 2)) << "not while started";
    first.reset();
    EXPECT_EQ(net.cleanups, 0);
    second.reset();
    EXPECT_EQ(net.cleanups, 1);
    EXPECT_FALSE(SocketsLibrary::IsStarted());
    ResolveHost("1.2.3.4");
    EXPECT_EQ(net.startups, 3) << "the next use starts the library again";
}

}  // namespace
}  // namespace tuvako
