// The line cipher as the server speaks it: pass phrase, key, IV, 8-bit CFB and Base64 text.
#include "cipher/Base64.h"
#include "cipher/LineCipher.h"
#include "cipher/PassPhrase.h"
#include "cipher/TTwofish.h"

#include "Helpers.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tuvako {
namespace {

// Lines of the terminal, enciphered by an independent implementation.
const std::pair<std::string, std::string> KnownLines[] = {
    {"Moi^-^Tuvako01^-^0^KVLNQ^", "mPfDyiUl//VI1J13W+qtPu2FVEws+T0OLA=="},
    {"Ping^-^Tuvako01^-^0^Ping^", "hRLqwMfARtiVC9KUuGp5ojZcakKxk23hFQ=="},
    {"a", "tA=="},
    {"Crd^4711^Tuvako01^-^0^K1?A@VV12@55<#24&^OK^0^Lippu=T9^",
     "lj0qqHsHDYD7tua0Hi2qKvEdr9/8sx33Sdl+AonTk/92sqzER3u4NRfYG23PKvi/HhS2bKug"},
};

TEST(LineCipher, EnciphersAndDeciphersTheTerminalsKnownLines) {
    TTwofish chipper;  // One cipher for every line, keyed and wiped per line.
    for (const auto& [record, line] : KnownLines) {
        EXPECT_EQ(EncipherLine(record), line);
        EXPECT_EQ(DecipherLine(line), record);
        EXPECT_EQ(DecipherLine(line + "QUJ"), record);  // A ragged end is ignored.
        EXPECT_EQ(EncipherLineWith(chipper, record), line);
        EXPECT_EQ(DecipherLineWith(chipper, line), record);
        EXPECT_FALSE(chipper.Initialized()) << "the key does not outlive the line";
    }
    // Deciphering goes on past a padded group in the middle of the line.
    const std::string bytes = Base64::Decode(EncipherLine("abcdef"));
    EXPECT_EQ(DecipherLine(Base64::Encode(bytes.substr(0, 1)) + Base64::Encode(bytes.substr(1))),
              "abcdef");
}

TEST(LineCipher, KeysTwofish192FromThePhraseDigestAndRestartsFromTheEncryptedZeroBlock) {
    const auto& [record, line] = KnownLines[1];
    TTwofish cipher;
    cipher.SetKeyFromPhrase(LinePassPhrase());
    std::uint8_t iv[16];
    cipher.GetIV(iv);
    EXPECT_EQ(test::ToHex(iv), "D79D3F6BDCEB484EFE8C9D66EB936DA8");  // Not of 0xFF bytes.
    EXPECT_EQ(cipher.EncipherText(record), line);
    // Without a new start the feedback register goes on from the first text.
    EXPECT_NE(cipher.EncipherText(record), line);
    cipher.Restart();
    EXPECT_EQ(cipher.EncipherText(record), line);
    cipher.SetIV(iv);
    EXPECT_EQ(cipher.EncipherText(record), line);

    // The digest and four zero bytes are the key; an IV of the wrong size is refused.
    const auto key = test::FromHex("5F997A40A9D81D1BBAA797498831CBD3F228407D00000000");
    cipher.SetKey(key, 192);
    EXPECT_EQ(cipher.EncipherText(record), line);
    EXPECT_THROW(cipher.SetKey(key, 192, std::span(iv).first(8)), EBlockCipherError);
}

TEST(LineCipher, RoundTripsEveryByteValueAtEveryLengthUpTo600WithExactPadding) {
    TTwofish cipher;
    for (std::size_t length = 0; length <= 600; ++length) {
        std::string record(length, '\0');
        for (std::size_t i = 0; i < length; ++i) record[i] = static_cast<char>(i + length);
        cipher.SetKeyFromPhrase(LinePassPhrase());
        const std::string line = cipher.EncipherText(record);
        cipher.SetKeyFromPhrase(LinePassPhrase());
        ASSERT_EQ(cipher.DecipherText(line), record) << length;
        cipher.Wipe();
        // Empty text gives an empty line; one byte left over ends in "==", two in one "=".
        ASSERT_EQ(line.size(), 4 * ((length + 2) / 3)) << length;
        ASSERT_EQ(line.ends_with("=="), length % 3 == 1) << length;
        ASSERT_EQ(line.ends_with("="), length % 3 != 0) << length;
    }
}

// A hash whose digest of `Bits` bits Twofish cannot take, or which no digest buffer holds.
template <unsigned Bits>
class OddHash final : public THash {
public:
    int Id() const noexcept override { return 99; }
    std::string_view Algorithm() const noexcept override { return "Odd"; }
    unsigned HashSize() const noexcept override { return Bits; }
    void Init() override { SetInitialized(true); }
    void Update(std::span<const std::uint8_t>) override {}
    void Final(std::span<std::uint8_t> digest) override { std::ranges::fill(digest, 0x5A); }
    void Wipe() noexcept override { SetInitialized(false); }
};

TEST(LineCipher, ReportsAnyFailureOfAPhraseKeySetUpAsTheDigestFailure) {
    const std::string failure =
        "ECipherError: Unable to allocate sufficient memory for hash digest";
    TTwofish cipher;
    cipher.SetKeyFromPhrase(LinePassPhrase());
    EXPECT_EQ(test::Thrown([&] { cipher.SetKeyFromPhrase<OddHash<42>>("x"); }), failure);
    EXPECT_FALSE(cipher.Initialized());
    EXPECT_EQ(test::Thrown([&] { cipher.SetKeyFromPhrase<OddHash<1024>>("x"); }), failure);
}

}  // namespace
}  // namespace tuvako
