// Failures of block cipher operations, chiefly their use without a key.
#pragma once

#include "cipher/ECipherError.h"

namespace tuvako {

TUVAKO_DECLARE_CIPHER_EXCEPTION(EBlockCipherError, ECipherError);

}  // namespace tuvako
