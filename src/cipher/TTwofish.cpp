// The Twofish key schedule and block functions, as the algorithm's authors published them.
#include "cipher/TTwofish.h"

#include "cipher/SecureWipe.h"
#include "cipher/TwofishTables.h"

#include <algorithm>
#include <bit>

namespace tuvako {
namespace {

std::uint32_t LoadLittleEndian(const std::uint8_t* bytes) noexcept {
    return std::uint32_t{bytes[0]} | (std::uint32_t{bytes[1]} << 8) |
           (std::uint32_t{bytes[2]} << 16) | (std::uint32_t{bytes[3]} << 24);
}

void StoreLittleEndian(std::uint32_t word, std::uint8_t* bytes) noexcept {
    bytes[0] = static_cast<std::uint8_t>(word);
    bytes[1] = static_cast<std::uint8_t>(word >> 8);
    bytes[2] = static_cast<std::uint8_t>(word >> 16);
    bytes[3] = static_cast<std::uint8_t>(word >> 24);
}

constexpr std::uint8_t ByteOf(std::uint32_t word, int index) noexcept {
    return static_cast<std::uint8_t>(word >> (8 * index));
}

// The keyed part of the h function for byte position j: the q permutations that the byte
// meets before the final one (which the MDS tables hold), each followed by a byte of a key word.
// Stage s mixes in key word s; the highest stage comes first.
class ByteChain {
public:
    ByteChain(int j, const std::array<std::uint32_t, 4>& keyWords, int wordCount) noexcept
        : stages_(wordCount) {
        const std::uint8_t* q0 = TwofishTables::Q0().data();
        const std::uint8_t* q1 = TwofishTables::Q1().data();
        const std::uint8_t* const stages[4][4] = {
            {q0, q0, q1, q1}, {q0, q1, q0, q1}, {q1, q1, q0, q0}, {q1, q0, q0, q1}};
        for (int s = 0; s < 4; ++s) {
            q_[s] = stages[s][j];
            k_[s] = ByteOf(keyWords[static_cast<std::size_t>(s)], j);
        }
    }
    ~ByteChain() { SecureWipe(k_, sizeof k_, BurntKeyByte); }

    std::uint8_t operator()(std::uint8_t x) const noexcept {
        switch (stages_) {
            case 4:
                x = q_[3][x] ^ k_[3];
                [[fallthrough]];
            case 3:
                x = q_[2][x] ^ k_[2];
                [[fallthrough]];
            default:
                return q_[0][q_[1][x] ^ k_[1]] ^ k_[0];
        }
    }

private:
    const std::uint8_t* q_[4];
    std::uint8_t k_[4];
    int stages_;
};

// Twofish's h function for a word whose four bytes are all `x`, as the subkeys need it.
std::uint32_t HOfRepeatedByte(const ByteChain (&chains)[4], const TwofishTables::MdsColumns& mds,
                              std::uint8_t x) noexcept {
    return mds[0][chains[0](x)] ^ mds[1][chains[1](x)] ^ mds[2][chains[2](x)] ^
           mds[3][chains[3](x)];
}

}  // namespace

TTwofish::TTwofish() {
    TwofishTables::Mds();  // The first cipher in the process builds the fixed tables.
    Wipe();
}

TTwofish::~TTwofish() {
    Wipe();
}

void TTwofish::Wipe() noexcept {
    SecureWipe(keyedTables_.data(), sizeof keyedTables_, BurntKeyByte);
    SecureWipe(subkeys_.data(), sizeof subkeys_, BurntKeyByte);
    TBlockCipher128::Wipe();
}

void TTwofish::InitKey(std::span<const std::uint8_t> key, unsigned bits) {
    // Key lengths between the defined ones are padded with zero bytes to the next of them.
    std::uint8_t area[32] = {};
    std::copy(key.begin(), key.end(), area);
    const int wordCount = bits <= 128 ? 2 : bits <= 192 ? 3 : 4;

    KeyWords even{}, odd{}, sboxKey{};
    for (int i = 0; i < wordCount; ++i) {
        const auto index = static_cast<std::size_t>(i);
        even[index] = LoadLittleEndian(area + 8 * i);
        odd[index] = LoadLittleEndian(area + 8 * i + 4);
        // The S-box key words are used in reverse order.
        sboxKey[static_cast<std::size_t>(wordCount - 1 - i)] =
            TwofishTables::ReedSolomon(area + 8 * i);
    }
    MakeSubkeys(even, odd, wordCount);
    MakeKeyedTables(sboxKey, wordCount);

    SecureWipe(area, sizeof area, BurntKeyByte);
    SecureWipe(even.data(), sizeof even, BurntKeyByte);
    SecureWipe(odd.data(), sizeof odd, BurntKeyByte);
    SecureWipe(sboxKey.data(), sizeof sboxKey, BurntKeyByte);
}

void TTwofish::MakeSubkeys(const KeyWords& even, const KeyWords& odd, int wordCount) noexcept {
    const ByteChain evenChains[4] = {
        {0, even, wordCount}, {1, even, wordCount}, {2, even, wordCount}, {3, even, wordCount}};
    const ByteChain oddChains[4] = {
        {0, odd, wordCount}, {1, odd, wordCount}, {2, odd, wordCount}, {3, odd, wordCount}};
    const auto& mds = TwofishTables::Mds();
    for (std::uint8_t i = 0; i < 20; ++i) {
        const std::uint32_t a = HOfRepeatedByte(evenChains, mds, static_cast<std::uint8_t>(2 * i));
        const std::uint32_t b =
            std::rotl(HOfRepeatedByte(oddChains, mds, static_cast<std::uint8_t>(2 * i + 1)), 8);
        subkeys_[2 * i] = a + b;
        subkeys_[2 * i + 1] = std::rotl(a + 2 * b, 9);
    }
}

// Every key set-up fills these 1024 entries; it is most of the work of keying a line.
void TTwofish::MakeKeyedTables(const KeyWords& sboxKey, int wordCount) noexcept {
    const auto& mds = TwofishTables::Mds();
    for (int j = 0; j < 4; ++j) {
        const ByteChain chain(j, sboxKey, wordCount);
        const auto& column = mds[static_cast<std::size_t>(j)];
        auto& table = keyedTables_[static_cast<std::size_t>(j)];
        for (unsigned x = 0; x < 256; ++x) table[x] = column[chain(static_cast<std::uint8_t>(x))];
    }
}

inline std::uint32_t TTwofish::G0(std::uint32_t x) const noexcept {
    return keyedTables_[0][ByteOf(x, 0)] ^ keyedTables_[1][ByteOf(x, 1)] ^
           keyedTables_[2][ByteOf(x, 2)] ^ keyedTables_[3][ByteOf(x, 3)];
}

// g of the word rotated left by 8 bits, without rotating it.
inline std::uint32_t TTwofish::G1(std::uint32_t x) const noexcept {
    return keyedTables_[0][ByteOf(x, 3)] ^ keyedTables_[1][ByteOf(x, 0)] ^
           keyedTables_[2][ByteOf(x, 1)] ^ keyedTables_[3][ByteOf(x, 2)];
}

// The rounds run in pairs so that no words need swapping between rounds.
void TTwofish::EncryptBlock(const std::uint8_t in[BlockBytes],
                            std::uint8_t out[BlockBytes]) const noexcept {
    const std::uint32_t* k = subkeys_.data();
    std::uint32_t r0 = LoadLittleEndian(in) ^ k[0];
    std::uint32_t r1 = LoadLittleEndian(in + 4) ^ k[1];
    std::uint32_t r2 = LoadLittleEndian(in + 8) ^ k[2];
    std::uint32_t r3 = LoadLittleEndian(in + 12) ^ k[3];
    for (int round = 0; round < 16; round += 2) {
        std::uint32_t t0 = G0(r0), t1 = G1(r1);
        r2 = std::rotr(r2 ^ (t0 + t1 + k[2 * round + 8]), 1);
        r3 = std::rotl(r3, 1) ^ (t0 + 2 * t1 + k[2 * round + 9]);
        t0 = G0(r2);
        t1 = G1(r3);
        r0 = std::rotr(r0 ^ (t0 + t1 + k[2 * round + 10]), 1);
        r1 = std::rotl(r1, 1) ^ (t0 + 2 * t1 + k[2 * round + 11]);
    }
    StoreLittleEndian(r2 ^ k[4], out);
    StoreLittleEndian(r3 ^ k[5], out + 4);
    StoreLittleEndian(r0 ^ k[6], out + 8);
    StoreLittleEndian(r1 ^ k[7], out + 12);
}

void TTwofish::DecryptBlock(const std::uint8_t in[BlockBytes],
                            std::uint8_t out[BlockBytes]) const noexcept {
    const std::uint32_t* k = subkeys_.data();
    std::uint32_t r2 = LoadLittleEndian(in) ^ k[4];
    std::uint32_t r3 = LoadLittleEndian(in + 4) ^ k[5];
    std::uint32_t r0 = LoadLittleEndian(in + 8) ^ k[6];
    std::uint32_t r1 = LoadLittleEndian(in + 12) ^ k[7];
    for (int round = 14; round >= 0; round -= 2) {
        std::uint32_t t0 = G0(r2), t1 = G1(r3);
        r0 = std::rotl(r0, 1) ^ (t0 + t1 + k[2 * round + 10]);
        r1 = std::rotr(r1 ^ (t0 + 2 * t1 + k[2 * round + 11]), 1);
        t0 = G0(r0);
        t1 = G1(r1);
        r2 = std::rotl(r2, 1) ^ (t0 + t1 + k[2 * round + 8]);
        r3 = std::rotr(r3 ^ (t0 + 2 * t1 + k[2 * round + 9]), 1);
    }
    StoreLittleEndian(r0 ^ k[0], out);
    StoreLittleEndian(r1 ^ k[1], out + 4);
    StoreLittleEndian(r2 ^ k[2], out + 8);
    StoreLittleEndian(r3 ^ k[3], out + 12);
}

}  // namespace tuvako
