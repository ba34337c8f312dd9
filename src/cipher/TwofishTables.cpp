// Twofish's fixed tables, built from the published definitions of q0, q1, MDS and RS.
#include "cipher/TwofishTables.h"

namespace tuvako {
namespace {

using Nibbles = std::array<std::uint8_t, 16>;

// The four 4-bit boxes t0..t3 from which q0 and q1 are built.
constexpr std::array<Nibbles, 4> Q0Boxes = {{
    {0x8, 0x1, 0x7, 0xD, 0x6, 0xF, 0x3, 0x2, 0x0, 0xB, 0x5, 0x9, 0xE, 0xC, 0xA, 0x4},
    {0xE, 0xC, 0xB, 0x8, 0x1, 0x2, 0x3, 0x5, 0xF, 0x4, 0xA, 0x6, 0x7, 0x0, 0x9, 0xD},
    {0xB, 0xA, 0x5, 0xE, 0x6, 0xD, 0x9, 0x0, 0xC, 0x8, 0xF, 0x3, 0x2, 0x4, 0x7, 0x1},
    {0xD, 0x7, 0xF, 0x4, 0x1, 0x2, 0x6, 0xE, 0x9, 0xB, 0x3, 0x0, 0x8, 0x5, 0xC, 0xA},
}};
constexpr std::array<Nibbles, 4> Q1Boxes = {{
    {0x2, 0x8, 0xB, 0xD, 0xF, 0x7, 0x6, 0xE, 0x3, 0x1, 0x9, 0x4, 0x0, 0xA, 0xC, 0x5},
    {0x1, 0xE, 0x2, 0xB, 0x4, 0xC, 0x3, 0x7, 0x6, 0xD, 0xA, 0x5, 0xF, 0x9, 0x0, 0x8},
    {0x4, 0xC, 0x7, 0x5, 0x1, 0x6, 0x9, 0xA, 0x0, 0xE, 0xD, 0x8, 0x2, 0xB, 0x3, 0xF},
    {0xB, 0x9, 0x5, 0x1, 0xC, 0x3, 0xD, 0xE, 0x6, 0x4, 0x7, 0xF, 0x2, 0x0, 0x8, 0xA},
}};

constexpr std::uint8_t RotateNibbleRight(std::uint8_t x) noexcept {
    return static_cast<std::uint8_t>(((x >> 1) | (x << 3)) & 0xF);
}

constexpr TwofishTables::Permutation BuildPermutation(const std::array<Nibbles, 4>& t) {
    TwofishTables::Permutation q{};
    for (unsigned x = 0; x < 256; ++x) {
        std::uint8_t a = static_cast<std::uint8_t>(x >> 4), b = static_cast<std::uint8_t>(x & 0xF);
        for (int half = 0; half < 2; ++half) {
            const std::uint8_t a1 = a ^ b;
            const std::uint8_t b1 = (a ^ RotateNibbleRight(b) ^ (8 * a)) & 0xF;
            a = t[2 * half][a1];
            b = t[2 * half + 1][b1];
        }
        q[x] = static_cast<std::uint8_t>((b << 4) | a);
    }
    return q;
}

constexpr TwofishTables::Permutation Q0Table = BuildPermutation(Q0Boxes);
constexpr TwofishTables::Permutation Q1Table = BuildPermutation(Q1Boxes);

// Multiplication in GF(2^8) modulo the given primitive polynomial.
constexpr std::uint8_t GfMultiply(std::uint8_t a, std::uint8_t b, unsigned polynomial) noexcept {
    unsigned product = 0, x = a;
    for (; b != 0; b >>= 1) {
        if (b & 1) product ^= x;
        x <<= 1;
        if (x & 0x100) x ^= polynomial;
    }
    return static_cast<std::uint8_t>(product);
}

constexpr unsigned MdsPolynomial = 0x169;  // x^8 + x^6 + x^5 + x^3 + 1
constexpr unsigned RsPolynomial = 0x14D;   // x^8 + x^6 + x^3 + x^2 + 1

constexpr std::uint8_t MdsMatrix[4][4] = {
    {0x01, 0xEF, 0x5B, 0x5B},
    {0x5B, 0xEF, 0xEF, 0x01},
    {0xEF, 0x5B, 0x01, 0xEF},
    {0xEF, 0x01, 0xEF, 0x5B},
};

constexpr std::uint8_t RsMatrix[4][8] = {
    {0x01, 0xA4, 0x55, 0x87, 0x5A, 0x58, 0xDB, 0x9E},
    {0xA4, 0x56, 0x82, 0xF3, 0x1E, 0xC6, 0x68, 0xE5},
    {0x02, 0xA1, 0xFC, 0xC1, 0x47, 0xAE, 0x3D, 0x19},
    {0xA4, 0x55, 0x87, 0x5A, 0x58, 0xDB, 0x9E, 0x03},
};

// Column c of the RS matrix times every byte value, the four products packed into one word.
constexpr std::array<std::array<std::uint32_t, 256>, 8> BuildRsColumns() {
    std::array<std::array<std::uint32_t, 256>, 8> columns{};
    for (int c = 0; c < 8; ++c)
        for (unsigned b = 0; b < 256; ++b)
            for (int row = 0; row < 4; ++row)
                columns[c][b] |= std::uint32_t{GfMultiply(
                                     RsMatrix[row][c], static_cast<std::uint8_t>(b), RsPolynomial)}
                                 << (8 * row);
    return columns;
}

constexpr auto RsColumns = BuildRsColumns();

TwofishTables::MdsColumns BuildMdsColumns() {
    const TwofishTables::Permutation* lastPermutation[4] = {&Q1Table, &Q0Table, &Q1Table, &Q0Table};
    TwofishTables::MdsColumns columns{};
    for (int j = 0; j < 4; ++j) {
        for (unsigned x = 0; x < 256; ++x) {
            const std::uint8_t y = (*lastPermutation[j])[x];
            std::uint32_t word = 0;
            for (int row = 0; row < 4; ++row)
                word |= std::uint32_t{GfMultiply(MdsMatrix[row][j], y, MdsPolynomial)} << (8 * row);
            columns[j][x] = word;
        }
    }
    return columns;
}

}  // namespace

const TwofishTables::Permutation& TwofishTables::Q0() noexcept {
    return Q0Table;
}

const TwofishTables::Permutation& TwofishTables::Q1() noexcept {
    return Q1Table;
}

const TwofishTables::MdsColumns& TwofishTables::Mds() {
    static const MdsColumns columns = BuildMdsColumns();
    return columns;
}

std::uint32_t TwofishTables::ReedSolomon(const std::uint8_t keyBytes[8]) noexcept {
    std::uint32_t word = 0;
    for (int column = 0; column < 8; ++column) word ^= RsColumns[column][keyBytes[column]];
    return word;
}

}  // namespace tuvako
