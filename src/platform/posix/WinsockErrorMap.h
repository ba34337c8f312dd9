// Translation of POSIX error numbers into Windows Sockets error numbers.
#pragma once

namespace tuvako {

// The Windows Sockets number for an errno value. A send into a connection that the peer has
// ended (EPIPE) counts as a reset, as the next send would on Windows. Numbers without a
// counterpart become WsaError::SysCallFailure.
int WinsockErrorFromErrno(int error);

// The Windows Sockets number for a getaddrinfo result (EAI_...): host not found and its kin.
int WinsockErrorFromAddrInfo(int result);

}  // namespace tuvako
