// The block cipher base: block size and the cipher mode property.
#pragma once

#include "cipher/TDCP_cipher.h"

namespace tuvako {

enum class TDCP_ciphermode { cmCBC, cmCFB8bit, cmCFBblock, cmOFB, cmCTR };

// The mode is a property that a form may set; the text operations ignore it and always work in
// 8-bit cipher feedback, which is what the server speaks.
class TDCP_blockcipher : public TDCP_cipher {
public:
    // The block size in bits.
    virtual unsigned BlockSize() const noexcept = 0;

    TDCP_ciphermode CipherMode() const noexcept { return cipherMode_; }
    void SetCipherMode(TDCP_ciphermode mode) noexcept { cipherMode_ = mode; }

protected:
    TDCP_blockcipher() = default;

private:
    TDCP_ciphermode cipherMode_ = TDCP_ciphermode::cmCBC;
};

}  // namespace tuvako
