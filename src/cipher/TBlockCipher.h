// The block cipher base: the block size.
#pragma once

#include "cipher/TCipher.h"

namespace tuvako {

// The text operations always work in 8-bit cipher feedback, which is what the server speaks.
class TBlockCipher : public TCipher {
public:
    // The block size in bits.
    virtual unsigned BlockSize() const noexcept = 0;

protected:
    TBlockCipher() = default;
};

}  // namespace tuvako
