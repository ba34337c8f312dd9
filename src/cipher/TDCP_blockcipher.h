// The block cipher base: the block size.
#pragma once

#include "cipher/TDCP_cipher.h"

namespace tuvako {

// The text operations always work in 8-bit cipher feedback, which is what the server speaks.
class TDCP_blockcipher : public TDCP_cipher {
public:
    // The block size in bits.
    virtual unsigned BlockSize() const noexcept = 0;

protected:
    TDCP_blockcipher() = default;
};

}  // namespace tuvako
