// Failures of block cipher operations, chiefly their use without a key.
#pragma once

#include "cipher/EDCP_cipher.h"

namespace tuvako {

TUVAKO_DECLARE_CIPHER_EXCEPTION(EDCP_blockcipher, EDCP_cipher);

}  // namespace tuvako
