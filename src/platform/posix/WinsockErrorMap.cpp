#include "platform/posix/WinsockErrorMap.h"

#include "platform/SocketsApi.h"

#include <netdb.h>

#include <cerrno>

namespace tuvako {

namespace {

struct ErrnoToWinsock {
    int posix;
    int winsock;
};

// EBADF counts as "not a socket": a handle that is not, or no longer, a socket.
constexpr ErrnoToWinsock kErrors[] = {
    {EINTR, WsaError::Interrupted},
    {EBADF, WsaError::NotSocket},
    {EACCES, WsaError::Access},
    {EFAULT, WsaError::Fault},
    {EINVAL, WsaError::Invalid},
    {EMFILE, WsaError::TooManyFiles},
    {ENFILE, WsaError::TooManyFiles},
    {EAGAIN, WsaError::WouldBlock},
    {EWOULDBLOCK, WsaError::WouldBlock},
    {EINPROGRESS, WsaError::InProgress},
    {EALREADY, WsaError::Already},
    {ENOTSOCK, WsaError::NotSocket},
    {EDESTADDRREQ, WsaError::DestAddrRequired},
    {EMSGSIZE, WsaError::MsgSize},
    {EPROTOTYPE, WsaError::ProtoType},
    {ENOPROTOOPT, WsaError::NoProtoOpt},
    {EPROTONOSUPPORT, WsaError::ProtoNoSupport},
    {ESOCKTNOSUPPORT, WsaError::SockTNoSupport},
    {EOPNOTSUPP, WsaError::OpNotSupp},
    {EPFNOSUPPORT, WsaError::PfNoSupport},
    {EAFNOSUPPORT, WsaError::AfNoSupport},
    {EADDRINUSE, WsaError::AddrInUse},
    {EADDRNOTAVAIL, WsaError::AddrNotAvail},
    {ENETDOWN, WsaError::NetDown},
    {ENETUNREACH, WsaError::NetUnreach},
    {ENETRESET, WsaError::NetReset},
    {ECONNABORTED, WsaError::ConnAborted},
    {ECONNRESET, WsaError::ConnReset},
    {EPIPE, WsaError::ConnReset},
    {ENOBUFS, WsaError::NoBufs},
    {ENOMEM, WsaError::NoBufs},
    {EISCONN, WsaError::IsConn},
    {ENOTCONN, WsaError::NotConn},
    {ESHUTDOWN, WsaError::Shutdown},
    {ETOOMANYREFS, WsaError::TooManyRefs},
    {ETIMEDOUT, WsaError::TimedOut},
    {ECONNREFUSED, WsaError::ConnRefused},
    {ELOOP, WsaError::Loop},
    {ENAMETOOLONG, WsaError::NameTooLong},
    {EHOSTDOWN, WsaError::HostDown},
    {EHOSTUNREACH, WsaError::HostUnreach},
    {ENOTEMPTY, WsaError::NotEmpty},
    {EUSERS, WsaError::Users},
    {EDQUOT, WsaError::DQuot},
    {ESTALE, WsaError::Stale},
    {EREMOTE, WsaError::Remote},
};

}  // namespace

int WinsockErrorFromErrno(int error) {
    if (error == 0) return 0;
    for (const ErrnoToWinsock& entry : kErrors)
        if (entry.posix == error) return entry.winsock;
    return WsaError::SysCallFailure;
}

int WinsockErrorFromAddrInfo(int result) {
    switch (result) {
        case 0:
            return 0;
        case EAI_NONAME:
            return WsaError::HostNotFound;
#ifdef EAI_NODATA
        case EAI_NODATA:
            return WsaError::NoData;
#endif
#ifdef EAI_ADDRFAMILY
        case EAI_ADDRFAMILY:
            return WsaError::NoData;
#endif
        case EAI_AGAIN:
            return WsaError::TryAgain;
        case EAI_MEMORY:
            return WsaError::NoBufs;
        case EAI_SYSTEM:
            return WinsockErrorFromErrno(errno);
        default:
            return WsaError::NoRecovery;
    }
}

}  // namespace tuvako
