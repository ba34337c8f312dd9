// Helpers of the cipher tests: hex as vectors are published, replayable bytes, SHA-1 in hex.
#pragma once

#include "cipher/TSha1.h"
#include "support/Thrown.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tuvako::test {

inline std::vector<std::uint8_t> FromHex(std::string_view hex) {
    auto nibble = [](char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; };
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(nibble(hex[i]) << 4 | nibble(hex[i + 1])));
    return bytes;
}

inline std::string ToHex(std::span<const std::uint8_t> bytes) {
    std::string hex;
    for (std::uint8_t b : bytes) (hex += "0123456789ABCDEF"[b >> 4]) += "0123456789ABCDEF"[b & 15];
    return hex;
}

inline std::string PseudoRandomBytes(std::size_t count, std::uint32_t seed) {
    std::string bytes(count, '\0');
    for (char& b : bytes) b = static_cast<char>((seed = seed * 1664525u + 1013904223u) >> 24);
    return bytes;
}

inline const std::uint8_t* Bytes(std::string_view text) {
    return reinterpret_cast<const std::uint8_t*>(text.data());
}

// The digest of `message` given in two updates, the first of `split` bytes.
inline std::string Sha1Hex(std::string_view message, std::size_t split = 0) {
    TSha1 hash;
    hash.Init();
    hash.UpdateStr(message.substr(0, split));
    hash.UpdateStr(message.substr(split));
    std::uint8_t digest[20];
    hash.Final(digest);
    return ToHex(digest);
}

}  // namespace tuvako::test
