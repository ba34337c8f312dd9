// Block ciphers with 128-bit blocks: IV, feedback register, 8-bit CFB and the text operations.
#pragma once

#include "cipher/EBlockCipherError.h"
#include "cipher/TBlockCipher.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tuvako {

// Every operation below except the key set-up raises EBlockCipherError "Cipher not initialized"
// before a key set-up or after Wipe.
class TBlockCipher128 : public TBlockCipher {
public:
    static constexpr std::size_t BlockBytes = 16;

    unsigned BlockSize() const noexcept override { return 8 * BlockBytes; }

    // Besides the checks of TCipher::SetKey, a given `iv` must be 16 bytes (else
    // EBlockCipherError "Invalid IV size"). Without one the IV is the encryption of 16 zero
    // bytes under the new key. Either way the feedback register starts at the IV.
    void SetKey(std::span<const std::uint8_t> key, unsigned bits,
                std::span<const std::uint8_t> iv = {}) override;
    void Wipe() noexcept override;

    // One block; `in` and `out` may be the same place.
    void EncipherBlock(const std::uint8_t in[BlockBytes], std::uint8_t out[BlockBytes]) const;
    void DecipherBlock(const std::uint8_t in[BlockBytes], std::uint8_t out[BlockBytes]) const;

    // Copies the IV into the feedback register.
    void Restart();
    // Replaces the IV and restarts from it.
    void SetIV(const std::uint8_t iv[BlockBytes]);
    void GetIV(std::uint8_t iv[BlockBytes]) const;

    // 8-bit cipher feedback over `count` bytes, one block encryption per byte; `in` and `out`
    // may be the same place. Each call goes on from where the feedback register was left.
    void EncipherCFB8bit(const std::uint8_t* in, std::uint8_t* out, std::size_t count);
    void DecipherCFB8bit(const std::uint8_t* in, std::uint8_t* out, std::size_t count);

    // The Base64 text of the 8-bit CFB encipherment of the text's bytes.
    std::string EncipherText(std::string_view text);
    // The 8-bit CFB decipherment of whatever bytes the Base64 text decodes to; never rejects.
    std::string DecipherText(std::string_view text);

protected:
    TBlockCipher128() = default;

    // The algorithm's block functions, called only while the cipher is keyed.
    virtual void EncryptBlock(const std::uint8_t in[BlockBytes],
                              std::uint8_t out[BlockBytes]) const noexcept = 0;
    virtual void DecryptBlock(const std::uint8_t in[BlockBytes],
                              std::uint8_t out[BlockBytes]) const noexcept = 0;

private:
    enum class CfbDirection { Encipher, Decipher };

    void RunCFB8bit(CfbDirection direction, const std::uint8_t* in, std::uint8_t* out,
                    std::size_t count);
    void RequireInitialized() const;

    std::array<std::uint8_t, BlockBytes> iv_{};
    std::array<std::uint8_t, BlockBytes> feedback_{};
};

}  // namespace tuvako
