// The system's own address and byte-order calls (inet_addr, ntohs), against which tests check
// what the sockets table gives.
#pragma once

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <winsock2.h>
// The window functions' macros would rename MessageWindow's members.
#undef PostMessage
#undef SendMessage
#else
#include <arpa/inet.h>
#endif
