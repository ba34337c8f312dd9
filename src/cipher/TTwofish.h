// Twofish: 128-bit blocks, 16 rounds, keys of 128, 192 or 256 bits (shorter ones zero-padded).
#pragma once

#include "cipher/TBlockCipher128.h"

#include <array>
#include <cstdint>

namespace tuvako {

// The terminal's line cipher: keyed from the pass phrase before each line, used for that one
// line in 8-bit CFB and wiped after it.
class TTwofish final : public TBlockCipher128 {
public:
    TTwofish();
    ~TTwofish() override;

    int Id() const noexcept override { return 6; }
    std::string_view Algorithm() const noexcept override { return "Twofish"; }
    unsigned MaxKeySize() const noexcept override { return 256; }

    void Wipe() noexcept override;

protected:
    void InitKey(std::span<const std::uint8_t> key, unsigned bits) override;
    void EncryptBlock(const std::uint8_t in[BlockBytes],
                      std::uint8_t out[BlockBytes]) const noexcept override;
    void DecryptBlock(const std::uint8_t in[BlockBytes],
                      std::uint8_t out[BlockBytes]) const noexcept override;

private:
    using KeyWords = std::array<std::uint32_t, 4>;

    void MakeSubkeys(const KeyWords& even, const KeyWords& odd, int wordCount) noexcept;
    void MakeKeyedTables(const KeyWords& sboxKey, int wordCount) noexcept;
    std::uint32_t G0(std::uint32_t x) const noexcept;
    std::uint32_t G1(std::uint32_t x) const noexcept;

    // 4 input whitening, 4 output whitening and 2 per round.
    std::array<std::uint32_t, 40> subkeys_;
    // The key-dependent S-boxes already combined with the MDS matrix, one table per byte.
    std::array<std::array<std::uint32_t, 256>, 4> keyedTables_;
};

}  // namespace tuvako
