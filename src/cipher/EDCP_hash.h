// Failures of hash operations, chiefly their use before Init.
#pragma once

#include "cipher/CipherException.h"

namespace tuvako {

TUVAKO_DECLARE_CIPHER_EXCEPTION(EDCP_hash, CipherException);

}  // namespace tuvako
