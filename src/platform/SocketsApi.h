// The table of socket calls the network transport uses, shaped after Windows Sockets 1.1.
#pragma once

#include <bit>
#include <cstdint>

namespace tuvako {

class MessageWindow;

// A socket handle. Unlike a POSIX descriptor it is never reused soon after a close: the system
// table puts a generation number beside the descriptor, so a notification still queued for a
// closed socket never matches a new socket that got the same descriptor.
using TSocket = std::uintptr_t;
constexpr TSocket InvalidSocket = ~TSocket(0);
constexpr int SocketError = -1;

// Windows Sockets error numbers: every failure of the table is reported as one of these.
namespace WsaError {
constexpr int Interrupted = 10004;
constexpr int BadFile = 10009;
constexpr int Access = 10013;
constexpr int Fault = 10014;
constexpr int Invalid = 10022;
constexpr int TooManyFiles = 10024;
constexpr int WouldBlock = 10035;
constexpr int InProgress = 10036;
constexpr int Already = 10037;
constexpr int NotSocket = 10038;
constexpr int DestAddrRequired = 10039;
constexpr int MsgSize = 10040;
constexpr int ProtoType = 10041;
constexpr int NoProtoOpt = 10042;
constexpr int ProtoNoSupport = 10043;
constexpr int SockTNoSupport = 10044;
constexpr int OpNotSupp = 10045;
constexpr int PfNoSupport = 10046;
constexpr int AfNoSupport = 10047;
constexpr int AddrInUse = 10048;
constexpr int AddrNotAvail = 10049;
constexpr int NetDown = 10050;
constexpr int NetUnreach = 10051;
constexpr int NetReset = 10052;
constexpr int ConnAborted = 10053;
constexpr int ConnReset = 10054;
constexpr int NoBufs = 10055;
constexpr int IsConn = 10056;
constexpr int NotConn = 10057;
constexpr int Shutdown = 10058;
constexpr int TooManyRefs = 10059;
constexpr int TimedOut = 10060;
constexpr int ConnRefused = 10061;
constexpr int Loop = 10062;
constexpr int NameTooLong = 10063;
constexpr int HostDown = 10064;
constexpr int HostUnreach = 10065;
constexpr int NotEmpty = 10066;
constexpr int ProcLim = 10067;
constexpr int Users = 10068;
constexpr int DQuot = 10069;
constexpr int Stale = 10070;
constexpr int Remote = 10071;
constexpr int SysNotReady = 10091;
constexpr int VerNotSupported = 10092;
constexpr int NotInitialised = 10093;
constexpr int SysCallFailure = 10107;
constexpr int HostNotFound = 11001;
constexpr int TryAgain = 11002;
constexpr int NoRecovery = 11003;
constexpr int NoData = 11004;
}  // namespace WsaError

// Network event bits of an asynchronous selection (FD_READ ... FD_CLOSE).
namespace FdEvent {
constexpr int Read = 0x01;
constexpr int Write = 0x02;
constexpr int Oob = 0x04;
constexpr int Accept = 0x08;
constexpr int Connect = 0x10;
constexpr int Close = 0x20;
}  // namespace FdEvent

// The second parameter of a notification: the event bit in the low word, the error in the high.
constexpr std::intptr_t MakeSelectReply(int event, int error) {
    return std::intptr_t((std::uint32_t(error & 0xFFFF) << 16) | std::uint32_t(event & 0xFFFF));
}
constexpr int SelectEvent(std::intptr_t lParam) {
    return int(std::uint32_t(lParam) & 0xFFFF);
}
constexpr int SelectError(std::intptr_t lParam) {
    return int((std::uint32_t(lParam) >> 16) & 0xFFFF);
}

constexpr int SockStream = 1;
constexpr int SockDgram = 2;
constexpr int SockRaw = 3;
constexpr int IpProtoTcp = 6;
constexpr int IpProtoUdp = 17;
constexpr int IpProtoRaw = 255;

constexpr int MsgOob = 0x1;  // send and recv flags
constexpr int MsgPeek = 0x2;
constexpr int SdSend = 1;  // shutdown direction

constexpr std::uint32_t InAddrNone = 0xFFFFFFFF;

// An IPv4 endpoint, both numbers in network byte order as in sockaddr_in.
struct SocketAddress {
    std::uint32_t address = 0;
    std::uint16_t port = 0;
};

// A port number between host and network byte order (the same swap both ways, as htons).
constexpr std::uint16_t SwapPortOrder(std::uint16_t port) {
    if constexpr (std::endian::native == std::endian::little)
        return std::uint16_t((port >> 8) | (port << 8));
    return port;
}

enum class SocketOption { SendBuffer, ReceiveBuffer, ReuseAddress, KeepAlive, TcpNoDelay };

// Every call that can fail returns SocketError (or InvalidSocket) and leaves the Windows
// Sockets error number for GetLastError(), as WSAGetLastError would.
class SocketsApi {
public:
    SocketsApi() = default;
    virtual ~SocketsApi() = default;
    SocketsApi(const SocketsApi&) = delete;
    SocketsApi& operator=(const SocketsApi&) = delete;

    // The name that messages about starting the library carry.
    virtual const char* LibraryName() const = 0;
    // WSAStartup and WSACleanup: 0 or an error number.
    virtual int Startup(std::uint16_t version) = 0;
    virtual int Cleanup() = 0;

    virtual int GetLastError() const = 0;
    virtual void SetLastError(int error) = 0;

    // An IPv4 socket of the given type and protocol.
    virtual TSocket Socket(int type, int protocol) = 0;
    virtual int GetOption(TSocket s, SocketOption option, int& value) = 0;
    virtual int SetOption(TSocket s, SocketOption option, int value) = 0;
    virtual int SetLinger(TSocket s, bool on, int seconds) = 0;
    // Keep-alive probe timing (SIO_KEEPALIVE_VALS).
    virtual int SetKeepAliveTimes(TSocket s, int timeMs, int intervalMs) = 0;
    // On a non-blocking socket fails with WouldBlock while the attempt goes on; its end then
    // arrives as FdEvent::Connect.
    virtual int Connect(TSocket s, const SocketAddress& remote) = 0;

    // Makes the socket non-blocking and posts `msg` to `window` for each network event in
    // `events`: wParam the socket, lParam MakeSelectReply(event, error). 0 stops the messages.
    // FdEvent::Read is posted again only after a Recv; FdEvent::Write after the connect and
    // after a Send that failed with WouldBlock; FdEvent::Close once.
    virtual int AsyncSelect(TSocket s, MessageWindow* window, std::uint32_t msg, int events) = 0;

    // ioctlsocket(FIONREAD): the number of bytes that can be read at once.
    virtual int BytesReadable(TSocket s, unsigned long& count) = 0;
    virtual int Recv(TSocket s, char* buffer, int length, int flags) = 0;
    virtual int Send(TSocket s, const char* data, int length, int flags) = 0;
    virtual int Shutdown(TSocket s, int how) = 0;
    virtual int CloseSocket(TSocket s) = 0;

    // Dotted IPv4 text to an address in network byte order; InAddrNone when it is not one.
    virtual std::uint32_t InetAddr(const char* text) = 0;
    // The first IPv4 address of a host name, in network byte order. Blocks until answered.
    virtual int GetHostByName(const char* name, std::uint32_t& address) = 0;
    // A service name's port (host byte order) for the protocol name.
    virtual int GetServByName(const char* name, const char* protocol, std::uint16_t& port) = 0;
    virtual int GetProtoByName(const char* name, int& number) = 0;
};

// The operating system's table, made once by the operating system's folder (posix/).
SocketsApi* NewSystemSocketsApi();

// The table in use: the system's unless a test has put another in its place.
SocketsApi& Sockets();

// Puts `table` in place (nullptr restores the system's table) and returns the one it replaced.
SocketsApi* SetSocketsApi(SocketsApi* table);

// Counts the calls of SetSocketsApi, so that state kept for one table (whether it was started)
// is never taken for a later table that happens to live at the same address.
std::uint64_t SocketsApiGeneration();

}  // namespace tuvako
