// Twofish's fixed tables: the q0 and q1 permutations, the MDS matrix and the Reed-Solomon code.
#pragma once

#include <array>
#include <cstdint>

namespace tuvako {

class TwofishTables {
public:
    using Permutation = std::array<std::uint8_t, 256>;
    using MdsColumn = std::array<std::uint32_t, 256>;
    using MdsColumns = std::array<MdsColumn, 4>;

    static const Permutation& Q0() noexcept;
    static const Permutation& Q1() noexcept;

    // Column j of the MDS matrix applied to the permutation that ends byte j's chain in the
    // h function (q1, q0, q1, q0 for bytes 0 to 3): one lookup gives byte j's whole share of
    // h's output word. Built on the first call, once per process.
    static const MdsColumns& Mds();

    // The Reed-Solomon code that turns 8 key bytes into one S-box key word.
    static std::uint32_t ReedSolomon(const std::uint8_t keyBytes[8]) noexcept;
};

}  // namespace tuvako
