// The cipher's own failures: bad key sizes and failed key set-ups.
#pragma once

#include "platform/Exception.h"

namespace tuvako {

TUVAKO_DECLARE_EXCEPTION(EDCP_cipher, Exception);

}  // namespace tuvako
