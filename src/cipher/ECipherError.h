// The cipher's own failures: bad key sizes and failed key set-ups.
#pragma once

#include "cipher/CipherException.h"

namespace tuvako {

TUVAKO_DECLARE_CIPHER_EXCEPTION(ECipherError, CipherException);

}  // namespace tuvako
