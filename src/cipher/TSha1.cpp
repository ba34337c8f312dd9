// SHA-1 as FIPS 180 defines it: 64-byte blocks, 80 rounds, big-endian words.
#include "cipher/TSha1.h"

#include "cipher/SecureWipe.h"

#include <algorithm>
#include <bit>

namespace tuvako {
namespace {

std::uint32_t LoadBigEndian(const std::uint8_t* bytes) noexcept {
    return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
           (std::uint32_t{bytes[2]} << 8) | std::uint32_t{bytes[3]};
}

void StoreBigEndian(std::uint32_t word, std::uint8_t* bytes) noexcept {
    bytes[0] = static_cast<std::uint8_t>(word >> 24);
    bytes[1] = static_cast<std::uint8_t>(word >> 16);
    bytes[2] = static_cast<std::uint8_t>(word >> 8);
    bytes[3] = static_cast<std::uint8_t>(word);
}

}  // namespace

TSha1::~TSha1() {
    Wipe();
}

void TSha1::Init() {
    Wipe();
    chain_ = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0};
    SetInitialized(true);
}

void TSha1::Update(std::span<const std::uint8_t> bytes) {
    RequireInitialized();
    const auto count = static_cast<std::uint64_t>(bytes.size());
    const std::uint32_t lowBefore = lengthLow_;
    lengthLow_ += static_cast<std::uint32_t>(count << 3);
    lengthHigh_ += static_cast<std::uint32_t>(count >> 29) + (lengthLow_ < lowBefore ? 1 : 0);

    const std::uint8_t* data = bytes.data();
    std::size_t left = bytes.size();
    if (index_ > 0) {
        const std::size_t taken = std::min(left, buffer_.size() - index_);
        std::copy_n(data, taken, buffer_.data() + index_);
        index_ += taken;
        data += taken;
        left -= taken;
        if (index_ < buffer_.size()) return;
        Compress(buffer_.data());
        index_ = 0;
    }
    for (; left >= 64; data += 64, left -= 64) Compress(data);
    std::copy_n(data, left, buffer_.data());
    index_ = left;
}

void TSha1::Final(std::span<std::uint8_t> digest) {
    RequireInitialized();
    RequireDigestRoom(digest);
    buffer_[index_++] = 0x80;
    // The 64-bit length needs the last 8 bytes of a block: when the 0x80 byte took one of
    // them, the padding runs into a further block.
    if (index_ > 56) {
        std::fill(buffer_.begin() + static_cast<std::ptrdiff_t>(index_), buffer_.end(), 0);
        Compress(buffer_.data());
        index_ = 0;
    }
    std::fill(buffer_.begin() + static_cast<std::ptrdiff_t>(index_), buffer_.begin() + 56, 0);
    StoreBigEndian(lengthHigh_, buffer_.data() + 56);
    StoreBigEndian(lengthLow_, buffer_.data() + 60);
    Compress(buffer_.data());
    for (std::size_t i = 0; i < chain_.size(); ++i) StoreBigEndian(chain_[i], &digest[4 * i]);
    Wipe();
}

void TSha1::Wipe() noexcept {
    SecureWipe(chain_.data(), sizeof chain_, 0);
    SecureWipe(buffer_.data(), sizeof buffer_, 0);
    index_ = 0;
    lengthHigh_ = 0;
    lengthLow_ = 0;
    SetInitialized(false);
}

void TSha1::Compress(const std::uint8_t block[64]) noexcept {
    std::uint32_t w[80];
    for (int t = 0; t < 16; ++t) w[t] = LoadBigEndian(block + 4 * t);
    for (int t = 16; t < 80; ++t) w[t] = std::rotl(w[t - 3] ^ w[t - 8] ^ w[t - 14] ^ w[t - 16], 1);

    std::uint32_t a = chain_[0], b = chain_[1], c = chain_[2], d = chain_[3], e = chain_[4];
    auto step = [&](std::uint32_t f, std::uint32_t k, std::uint32_t word) {
        const std::uint32_t temp = std::rotl(a, 5) + f + e + k + word;
        e = d;
        d = c;
        c = std::rotl(b, 30);
        b = a;
        a = temp;
    };
    for (int t = 0; t < 20; ++t) step((b & c) | (~b & d), 0x5A827999, w[t]);
    for (int t = 20; t < 40; ++t) step(b ^ c ^ d, 0x6ED9EBA1, w[t]);
    for (int t = 40; t < 60; ++t) step((b & c) | (b & d) | (c & d), 0x8F1BBCDC, w[t]);
    for (int t = 60; t < 80; ++t) step(b ^ c ^ d, 0xCA62C1D6, w[t]);

    chain_[0] += a;
    chain_[1] += b;
    chain_[2] += c;
    chain_[3] += d;
    chain_[4] += e;
    SecureWipe(w, sizeof w, 0);
}

}  // namespace tuvako
