// SHA-1 (FIPS 180), the hash that turns the pass phrase into the line key.
#pragma once

#include "cipher/THash.h"

#include <array>
#include <cstdint>

namespace tuvako {

class TSha1 final : public THash {
public:
    TSha1() = default;
    ~TSha1() override;

    int Id() const noexcept override { return 2; }
    std::string_view Algorithm() const noexcept override { return "SHA1"; }
    unsigned HashSize() const noexcept override { return 160; }

    void Init() override;
    void Update(std::span<const std::uint8_t> bytes) override;
    void Final(std::span<std::uint8_t> digest) override;
    void Wipe() noexcept override;

private:
    void Compress(const std::uint8_t block[64]) noexcept;

    std::array<std::uint32_t, 5> chain_{};
    std::array<std::uint8_t, 64> buffer_{};
    std::size_t index_ = 0;  // Bytes waiting in buffer_.
    // The message length in bits, as two 32-bit halves.
    std::uint32_t lengthHigh_ = 0;
    std::uint32_t lengthLow_ = 0;
};

}  // namespace tuvako
