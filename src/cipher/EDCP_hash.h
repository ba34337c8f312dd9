// Failures of hash operations, chiefly their use before Init.
#pragma once

#include "platform/Exception.h"

namespace tuvako {

TUVAKO_DECLARE_EXCEPTION(EDCP_hash, Exception);

}  // namespace tuvako
