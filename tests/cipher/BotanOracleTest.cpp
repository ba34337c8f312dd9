// Our Twofish, SHA-1, Base64 and CFB-8 against Botan 2, code that nobody here wrote.
#include "cipher/Base64.h"
#include "cipher/LineCipher.h"
#include "cipher/PassPhrase.h"
#include "cipher/TDCP_twofish.h"

#include "Hex.h"

#include <botan/base64.h>
#include <botan/block_cipher.h>
#include <botan/cipher_mode.h>
#include <botan/hash.h>
#include <botan/hex.h>
#include <gtest/gtest.h>

namespace tuvako {
namespace {

const std::uint8_t* Bytes(const std::string& text) {
    return reinterpret_cast<const std::uint8_t*>(text.data());
}

TEST(BotanOracle, AgreesOnTwofishBlocksForEveryDefinedKeyLength) {
    auto botan = Botan::BlockCipher::create_or_throw("Twofish");
    for (unsigned bits : {128u, 192u, 256u}) {
        for (std::uint32_t seed = 1; seed <= 20; ++seed) {
            const std::string key = test::PseudoRandomBytes(bits / 8, seed);
            const std::string plain = test::PseudoRandomBytes(16, seed + 1000);
            TDCP_twofish ours;
            ours.SetKey({Bytes(key), key.size()}, bits);
            std::uint8_t expected[16], actual[16];
            botan->set_key(Bytes(key), key.size());
            botan->encrypt(Bytes(plain), expected);
            ours.EncipherBlock(Bytes(plain), actual);
            ASSERT_EQ(test::ToHex(actual), test::ToHex(expected)) << bits << " bits, seed " << seed;
        }
    }
}

TEST(BotanOracle, AgreesOnSha1AndBase64AtEveryLengthUpTo300) {
    auto hash = Botan::HashFunction::create_or_throw("SHA-1");
    for (std::size_t length = 0; length <= 300; ++length) {
        const std::string message = test::PseudoRandomBytes(length, 77);
        TDCP_sha1 ours;
        ours.Init();
        ours.UpdateStr(message);
        std::uint8_t digest[20];
        ours.Final(digest);
        ASSERT_EQ(test::ToHex(digest), Botan::hex_encode(hash->process(message))) << length;
        ASSERT_EQ(Base64::Encode(message), Botan::base64_encode(Bytes(message), length)) << length;
    }
}

TEST(BotanOracle, AgreesOnWholeLinesInCfb8WithThePassPhraseKey) {
    auto hash = Botan::HashFunction::create_or_throw("SHA-1");
    auto digest = hash->process(LinePassPhrase());
    digest.resize(24);  // Botan takes Twofish keys of 16, 24 or 32 bytes: pad as Twofish does.
    std::uint8_t iv[16] = {};
    auto block = Botan::BlockCipher::create_or_throw("Twofish");
    block->set_key(digest);
    block->encrypt(iv);

    auto mode = Botan::Cipher_Mode::create_or_throw("Twofish/CFB(8)", Botan::ENCRYPTION);
    for (std::size_t length = 0; length <= 1100; length += 7) {
        const std::string record = test::PseudoRandomBytes(length, 5);
        Botan::secure_vector<std::uint8_t> buffer(record.begin(), record.end());
        mode->set_key(digest);
        mode->start(iv, sizeof iv);
        mode->finish(buffer);
        ASSERT_EQ(EncipherLine(record), Botan::base64_encode(buffer)) << length;
    }
}

}  // namespace
}  // namespace tuvako
