// Overwriting secrets in a way the optimiser may not remove.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tuvako {

// Fills `size` bytes at `data` with `fill`. A plain memset of an object that is about to die is
// a dead store that the compiler may drop; the empty asm statement tells it that the memory is
// read afterwards, so key material really is overwritten before it is released.
inline void SecureWipe(void* data, std::size_t size, std::uint8_t fill) noexcept {
#if defined(__GNUC__) || defined(__clang__)
    std::memset(data, fill, size);
    __asm__ __volatile__("" : : "r"(data) : "memory");
#else
    volatile std::uint8_t* bytes = static_cast<volatile std::uint8_t*>(data);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = fill;
#endif
}

// Key material is overwritten with 0xFF bytes once it is no longer needed.
constexpr std::uint8_t BurntKeyByte = 0xFF;

}  // namespace tuvako
