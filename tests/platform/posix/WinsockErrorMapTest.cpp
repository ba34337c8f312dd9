// POSIX error numbers become the Windows Sockets numbers that the terminal reports.
#include "platform/SocketsApi.h"
#include "platform/posix/WinsockErrorMap.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <memory>

namespace tuvako {
namespace {

TEST(WinsockErrorMap, GivesTheWindowsSocketsNumbers) {
    const std::pair<int, int> cases[] = {
        {ECONNREFUSED, 10061}, {ETIMEDOUT, 10060},    {ECONNRESET, 10054},
        {EPIPE, 10054},        {ECONNABORTED, 10053}, {ENOTCONN, 10057},
        {EAGAIN, 10035},       {EBADF, 10038},        {ENOENT, 10107}};
    for (const auto& [posix, winsock] : cases) EXPECT_EQ(WinsockErrorFromErrno(posix), winsock);
}

TEST(PosixSocketHandles, CarryAGenerationBesideTheDescriptorThatPosixReusesAtOnce) {
    const std::unique_ptr<SocketsApi> api(NewSystemSocketsApi());
    const TSocket first = api->Socket(SockStream, IpProtoTcp);
    ASSERT_EQ(api->CloseSocket(first), 0);
    const TSocket second = api->Socket(SockStream, IpProtoTcp);
    EXPECT_EQ(second & 0xFFFFFFFF, first & 0xFFFFFFFF);
    EXPECT_NE(second, first);
    api->CloseSocket(second);
}

}  // namespace
}  // namespace tuvako
