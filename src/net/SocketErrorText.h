// The descriptions that the socket-error report gives for Windows Sockets error numbers.
#pragma once

#include "platform/AnsiString.h"

namespace tuvako {

// "Connection refused" for 10061 and so on; "Not a WinSock error" for a number it does not know.
AnsiString SocketErrorText(int errorCode);

}  // namespace tuvako
