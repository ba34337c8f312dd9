// The system's own address and byte-order calls (inet_addr, ntohs), against which tests check
// what the sockets table gives.
#pragma once

#ifdef _WIN32
#include "support/win/WindowsHeaders.h"

#include <winsock2.h>
// The window functions' macros would rename MessageWindow's members.
#undef PostMessage
#undef SendMessage
#else
#include <arpa/inet.h>
#endif
