// Twofish block cipher: published known answers, key padding, key checks, decryption.
#include "cipher/TTwofish.h"

#include "Helpers.h"

#include <gtest/gtest.h>

namespace tuvako {
namespace {

using test::FromHex;
using test::Thrown;
using test::ToHex;

const std::string Zeros(64, '0');
const std::string Counting = "0123456789ABCDEFFEDCBA987654321000112233445566778899AABBCCDDEEFF";

// Only bits / 8 bytes of the key count, so longer hex strings may be given.
std::string EncryptHex(std::string_view keyHex, unsigned bits,
                       std::string_view plainHex = "00112233445566778899AABBCCDDEEFF") {
    TTwofish cipher;
    cipher.SetKey(FromHex(keyHex), bits);
    auto block = FromHex(plainHex);
    cipher.EncipherBlock(block.data(), block.data());
    return ToHex(block);
}

TEST(Twofish, EncryptsAndDecryptsThePublishedVectors) {
    // The authors' vectors: zero key and block for each key length, the chained 128-bit
    // table's next entries, and the 0123456789ABCDEF... keys.
    const std::string Z = Zeros.substr(0, 32);
    const std::tuple<std::string, unsigned, std::string, std::string> vectors[] = {
        {Zeros, 128, Z, "9F589F5CF6122C32B6BFEC2F2AE8C35A"},
        {Zeros, 128, "9F589F5CF6122C32B6BFEC2F2AE8C35A", "D491DB16E7B1C39E86CB086B789F5419"},
        {"9F589F5CF6122C32B6BFEC2F2AE8C35A", 128, "D491DB16E7B1C39E86CB086B789F5419",
         "019F9809DE1711858FAAC3A3BA20FBC3"},
        {Zeros, 192, Z, "EFA71F788965BD4453F860178FC19101"},
        {Counting, 192, Z, "CFD1D2E5A9BE9CDF501F13B892BD2248"},
        {Zeros, 256, Z, "57FF739D4DC92C1BD7FC01700CC8216F"},
        {Counting, 256, Z, "37527BE0052334B89F0CFCCAE87CFA20"},
    };
    for (const auto& [key, bits, plain, expected] : vectors) {
        SCOPED_TRACE(key.substr(0, bits / 4));
        EXPECT_EQ(EncryptHex(key, bits, plain), expected);
        TTwofish cipher;
        cipher.SetKey(FromHex(key), bits);
        auto block = FromHex(expected);
        cipher.DecipherBlock(block.data(), block.data());
        EXPECT_EQ(ToHex(block), plain);
    }
}

TEST(Twofish, PadsKeysBetweenTheDefinedLengthsWithZeroBytesIgnoringTheRestOfTheBuffer) {
    // 160 bits is the terminal's case: the SHA-1 digest as a Twofish-192 key.
    for (unsigned bits = 8; bits < 256; bits += 8) {
        const unsigned padded = bits <= 128 ? 128 : bits <= 192 ? 192 : 256;
        const std::string key = Counting.substr(0, bits / 4);
        EXPECT_EQ(EncryptHex(key + "FFFFFFFF", bits),
                  EncryptHex(key + std::string((padded - bits) / 4, '0'), padded))
            << bits;
    }
}

TEST(Twofish, RejectsKeySizesItCannotTakeAndEveryOperationWithoutAKey) {
    const auto key = FromHex(Counting);
    TTwofish cipher;
    // Not a multiple of 4, too long, or more than the buffer holds: refused, and the old key
    // is gone.
    for (auto [bits, bytes] : {std::pair{0u, 32u}, {6u, 32u}, {260u, 32u}, {192u, 16u}}) {
        cipher.SetKey(key, 128);
        EXPECT_EQ(Thrown([&] { cipher.SetKey(std::span(key).first(bytes), bits); }),
                  "ECipherError: Invalid key size")
            << bits;
        EXPECT_FALSE(cipher.Initialized()) << bits;
    }
    std::uint8_t block[16] = {};
    for (bool wiped : {false, true}) {
        if (wiped) cipher.SetKey(key, 4), cipher.Wipe();
        EXPECT_EQ(Thrown([&] { cipher.EncipherBlock(block, block); }),
                  "EBlockCipherError: Cipher not initialized");
        EXPECT_THROW(cipher.DecipherBlock(block, block), EBlockCipherError);
        EXPECT_THROW(cipher.EncipherCFB8bit(block, block, 16), EBlockCipherError);
        EXPECT_THROW(cipher.DecipherCFB8bit(block, block, 16), EBlockCipherError);
        EXPECT_THROW(cipher.EncipherText(""), EBlockCipherError);
        EXPECT_THROW(cipher.DecipherText(""), EBlockCipherError);
    }
}

}  // namespace
}  // namespace tuvako
