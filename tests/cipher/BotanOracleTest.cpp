// Our Twofish, SHA-1, Base64 and CFB-8 against Botan 2, code that nobody here wrote.
#include "cipher/Base64.h"
#include "cipher/LineCipher.h"
#include "cipher/PassPhrase.h"
#include "cipher/TTwofish.h"

#include "Helpers.h"

#include <botan/base64.h>
#include <botan/block_cipher.h>
#include <botan/cipher_mode.h>
#include <botan/hash.h>
#include <botan/hex.h>
#include <gtest/gtest.h>

namespace tuvako {
namespace {

using test::Bytes;
using test::PseudoRandomBytes;

TEST(BotanOracle, AgreesOnTwofishBlocksSha1AndBase64) {
    auto block = Botan::BlockCipher::create_or_throw("Twofish");
    auto hash = Botan::HashFunction::create_or_throw("SHA-1");
    for (std::uint32_t seed = 0; seed <= 300; ++seed) {
        const std::string key = PseudoRandomBytes(16 + 8 * (seed % 3), seed);
        const std::string plain = PseudoRandomBytes(16, seed + 1000);
        std::uint8_t expected[16], actual[16];
        block->set_key(Bytes(key), key.size());
        block->encrypt(Bytes(plain), expected);
        TTwofish ours;
        ours.SetKey({Bytes(key), key.size()}, 8 * key.size());
        ours.EncipherBlock(Bytes(plain), actual);
        ASSERT_EQ(test::ToHex(actual), test::ToHex(expected)) << "seed " << seed;

        const std::string message = PseudoRandomBytes(seed, 77);
        ASSERT_EQ(test::Sha1Hex(message), Botan::hex_encode(hash->process(message))) << seed;
        ASSERT_EQ(Base64::Encode(message), Botan::base64_encode(Bytes(message), seed)) << seed;
    }
}

TEST(BotanOracle, AgreesOnWholeLinesInCfb8WithThePassPhraseKey) {
    auto key = Botan::HashFunction::create_or_throw("SHA-1")->process(LinePassPhrase());
    key.resize(24);  // Botan takes Twofish keys of 16, 24 or 32 bytes: pad as Twofish does.
    std::uint8_t iv[16] = {};
    auto block = Botan::BlockCipher::create_or_throw("Twofish");
    block->set_key(key);
    block->encrypt(iv);
    auto mode = Botan::Cipher_Mode::create_or_throw("Twofish/CFB(8)", Botan::ENCRYPTION);
    for (std::size_t length = 0; length <= 1100; length += 7) {
        const std::string record = PseudoRandomBytes(length, 5);
        Botan::secure_vector<std::uint8_t> buffer(record.begin(), record.end());
        mode->set_key(key);
        mode->start(iv, sizeof iv);
        mode->finish(buffer);
        ASSERT_EQ(EncipherLine(record), Botan::base64_encode(buffer)) << length;
    }
}

}  // namespace
}  // namespace tuvako
