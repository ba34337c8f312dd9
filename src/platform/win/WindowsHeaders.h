// The Windows headers as this folder uses them: Windows Sockets 2 first (windows.h would bring
// the old sockets header), no min/max macros, and none of the macros that would rename the
// methods of MessageWindow (PostMessage, SendMessage) in code that calls them.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif

// In this order (formatting must not sort them).
#include <winsock2.h>

#include <ws2tcpip.h>

#include <windows.h>

#undef PostMessage
#undef SendMessage
