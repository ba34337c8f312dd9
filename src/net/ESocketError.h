// The exception class of the socket component.
#pragma once

#include "platform/Exception.h"

namespace tuvako {

// Raised for misuse of a socket, for failed socket calls (the socket-error report) and for
// endpoint texts that cannot be resolved. Outcomes on the network arrive as events instead.
TUVAKO_DECLARE_EXCEPTION(ESocketError, Exception);

}  // namespace tuvako
