// Twofish block cipher: published known answers, key padding, key checks, decryption.
#include "cipher/TDCP_twofish.h"

#include "Hex.h"

#include <gtest/gtest.h>

namespace tuvako {
namespace {

using test::FromHex;
using test::ToHex;

std::string EncryptHex(std::string_view keyHex, unsigned bits, std::string_view plainHex) {
    TDCP_twofish cipher;
    cipher.SetKey(FromHex(keyHex), bits);
    auto block = FromHex(plainHex);
    cipher.EncipherBlock(block.data(), block.data());
    return ToHex(block);
}

struct KnownAnswer {
    const char* key;
    unsigned bits;
    const char* plain;
    const char* cipher;
};

// The algorithm authors' vectors: zero key and block for each key length, the chained
// 128-bit table's next entries, and the 0123456789ABCDEF... keys.
const KnownAnswer PublishedVectors[] = {
    {"00000000000000000000000000000000", 128, "00000000000000000000000000000000",
     "9F589F5CF6122C32B6BFEC2F2AE8C35A"},
    {"00000000000000000000000000000000", 128, "9F589F5CF6122C32B6BFEC2F2AE8C35A",
     "D491DB16E7B1C39E86CB086B789F5419"},
    {"9F589F5CF6122C32B6BFEC2F2AE8C35A", 128, "D491DB16E7B1C39E86CB086B789F5419",
     "019F9809DE1711858FAAC3A3BA20FBC3"},
    {"000000000000000000000000000000000000000000000000", 192, "00000000000000000000000000000000",
     "EFA71F788965BD4453F860178FC19101"},
    {"0123456789ABCDEFFEDCBA98765432100011223344556677", 192, "00000000000000000000000000000000",
     "CFD1D2E5A9BE9CDF501F13B892BD2248"},
    {"0000000000000000000000000000000000000000000000000000000000000000", 256,
     "00000000000000000000000000000000", "57FF739D4DC92C1BD7FC01700CC8216F"},
    {"0123456789ABCDEFFEDCBA987654321000112233445566778899AABBCCDDEEFF", 256,
     "00000000000000000000000000000000", "37527BE0052334B89F0CFCCAE87CFA20"},
};

TEST(Twofish, EncryptsAndDecryptsThePublishedVectors) {
    for (const auto& v : PublishedVectors) {
        SCOPED_TRACE(v.key);
        EXPECT_EQ(EncryptHex(v.key, v.bits, v.plain), v.cipher);

        TDCP_twofish cipher;
        cipher.SetKey(FromHex(v.key), v.bits);
        auto block = FromHex(v.cipher);
        std::uint8_t plain[16];
        cipher.DecipherBlock(block.data(), plain);
        EXPECT_EQ(ToHex(plain), v.plain);
    }
}

TEST(Twofish, PadsKeysBetweenTheDefinedLengthsWithZeroBytes) {
    const std::string key = "0123456789ABCDEFFEDCBA98765432100011223344556677";
    // 160 bits is the terminal's case: the SHA-1 digest as a Twofish-192 key.
    EXPECT_EQ(EncryptHex(key.substr(0, 40), 160, "00112233445566778899AABBCCDDEEFF"),
              EncryptHex(key.substr(0, 40) + "00000000", 192, "00112233445566778899AABBCCDDEEFF"));
    EXPECT_EQ(EncryptHex(key.substr(0, 16), 64, "00112233445566778899AABBCCDDEEFF"),
              EncryptHex(key.substr(0, 16) + std::string(16, '0'), 128,
                         "00112233445566778899AABBCCDDEEFF"));
    EXPECT_EQ(EncryptHex(key + "8899AABB", 224, "00112233445566778899AABBCCDDEEFF"),
              EncryptHex(key + "8899AABB00000000", 256, "00112233445566778899AABBCCDDEEFF"));
    // Only size / 8 bytes count: whatever follows them in the buffer is ignored.
    EXPECT_EQ(EncryptHex(key.substr(0, 40) + "FFFFFFFF", 160, "00112233445566778899AABBCCDDEEFF"),
              EncryptHex(key.substr(0, 40), 160, "00112233445566778899AABBCCDDEEFF"));
}

TEST(Twofish, RejectsKeySizesItCannotTake) {
    const auto key = FromHex(std::string(64, '1'));
    TDCP_twofish cipher;
    for (unsigned bits : {0u, 6u, 130u, 260u, 512u}) {
        SCOPED_TRACE(bits);
        try {
            cipher.SetKey(key, bits);
            ADD_FAILURE() << "accepted";
        } catch (const EDCP_cipher& error) {
            EXPECT_STREQ(error.what(), "Invalid key size");
            EXPECT_STREQ(error.ClassName(), "EDCP_cipher");
        }
        EXPECT_FALSE(cipher.Initialized());
    }
    // A key buffer shorter than the size claims is refused rather than read past its end.
    EXPECT_THROW(cipher.SetKey(std::span(key).first(16), 192), EDCP_cipher);
    EXPECT_NO_THROW(cipher.SetKey(key, 4));
    EXPECT_TRUE(cipher.Initialized());
}

TEST(Twofish, RefusesEveryOperationWithoutAKey) {
    TDCP_twofish cipher;
    std::uint8_t block[16] = {};
    auto expectUnkeyed = [&] {
        EXPECT_THROW(cipher.EncipherBlock(block, block), EDCP_blockcipher);
        EXPECT_THROW(cipher.DecipherBlock(block, block), EDCP_blockcipher);
        EXPECT_THROW(cipher.EncipherCFB8bit(block, block, 16), EDCP_blockcipher);
        EXPECT_THROW(cipher.DecipherCFB8bit(block, block, 16), EDCP_blockcipher);
        EXPECT_THROW(cipher.Restart(), EDCP_blockcipher);
        EXPECT_THROW(cipher.SetIV(block), EDCP_blockcipher);
        EXPECT_THROW(cipher.GetIV(block), EDCP_blockcipher);
        EXPECT_THROW(cipher.EncipherText(""), EDCP_blockcipher);
        EXPECT_THROW(cipher.DecipherText(""), EDCP_blockcipher);
    };
    expectUnkeyed();  // Fresh from construction.
    cipher.SetKey(FromHex(std::string(32, '0')), 128);
    cipher.Wipe();
    expectUnkeyed();  // After a wipe.
    try {
        cipher.EncipherBlock(block, block);
    } catch (const EDCP_cipher& error) {  // Also caught as its base class.
        EXPECT_STREQ(error.what(), "Cipher not initialized");
        EXPECT_STREQ(error.ClassName(), "EDCP_blockcipher");
    }
}

TEST(Twofish, DecryptionInvertsEncryptionForEveryKeyLength) {
    const std::string material = test::PseudoRandomBytes(32 + 16 * 50, 7);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(material.data());
    for (unsigned bits = 4; bits <= 256; bits += 4) {
        TDCP_twofish cipher;
        cipher.SetKey({bytes, 32}, bits);
        for (int i = 0; i < 50; ++i) {
            const std::uint8_t* plain = bytes + 32 + 16 * i;
            std::uint8_t block[16], back[16];
            cipher.EncipherBlock(plain, block);
            cipher.DecipherBlock(block, back);
            ASSERT_EQ(ToHex({back, 16}), ToHex({plain, 16})) << bits << " bits, block " << i;
        }
    }
}

}  // namespace
}  // namespace tuvako
