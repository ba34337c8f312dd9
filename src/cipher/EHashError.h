// Failures of hash operations, chiefly their use before Init.
#pragma once

#include "cipher/CipherException.h"

namespace tuvako {

TUVAKO_DECLARE_CIPHER_EXCEPTION(EHashError, CipherException);

}  // namespace tuvako
