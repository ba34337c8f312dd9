// The line cipher as the server speaks it: pass phrase, key, IV, 8-bit CFB and Base64 text.
#include "cipher/Base64.h"
#include "cipher/LineCipher.h"
#include "cipher/PassPhrase.h"
#include "cipher/TDCP_twofish.h"

#include "Hex.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace tuvako {
namespace {

using test::FromHex;
using test::ToHex;

const std::string PassPhraseDigest = "5F997A40A9D81D1BBAA797498831CBD3F228407D";

struct KnownLine {
    const char* record;
    const char* line;
};

// Lines of the terminal, enciphered by an independent implementation.
const KnownLine KnownLines[] = {
    {"Moi^-^Tuvako01^-^0^KVLNQ^", "mPfDyiUl//VI1J13W+qtPu2FVEws+T0OLA=="},
    {"Ping^-^Tuvako01^-^0^Ping^", "hRLqwMfARtiVC9KUuGp5ojZcakKxk23hFQ=="},
    {"a", "tA=="},
    {"Crd^4711^Tuvako01^-^0^K1?A@VV12@55<#24&^OK^0^Lippu=T9^",
     "lj0qqHsHDYD7tua0Hi2qKvEdr9/8sx33Sdl+AonTk/92sqzER3u4NRfYG23PKvi/HhS2bKug"},
};

TEST(LineCipher, KeysFromThePassPhraseDigestWithTheEncryptedZeroBlockAsIV) {
    EXPECT_EQ(LinePassPhrase().size(), 28u);
    TDCP_sha1 hash;
    hash.Init();
    hash.UpdateStr(LinePassPhrase());
    std::uint8_t digest[20];
    hash.Final(digest);
    EXPECT_EQ(ToHex(digest), PassPhraseDigest);

    TDCP_twofish cipher;
    cipher.SetKeyFromPhrase(LinePassPhrase());
    std::uint8_t iv[16];
    cipher.GetIV(iv);
    EXPECT_EQ(ToHex(iv), "D79D3F6BDCEB484EFE8C9D66EB936DA8");
}

TEST(LineCipher, EnciphersAndDeciphersTheTerminalsKnownLines) {
    // One cipher for every line, keyed and wiped per line as the terminal does it.
    TDCP_twofish chipper;
    for (const auto& known : KnownLines) {
        EXPECT_EQ(EncipherLine(known.record), known.line);
        EXPECT_EQ(DecipherLine(known.line), known.record);

        chipper.SetKeyFromPhrase(LinePassPhrase());
        EXPECT_EQ(chipper.EncipherText(known.record), known.line);
        chipper.Wipe();
        chipper.SetKeyFromPhrase(LinePassPhrase());
        EXPECT_EQ(chipper.DecipherText(known.line), known.record);
        chipper.Wipe();
    }
}

TEST(LineCipher, EqualsTwofish192WithTheDigestAndFourZeroBytesAndAZeroBasedIV) {
    const auto key = FromHex(PassPhraseDigest + "00000000");
    TDCP_twofish cipher;
    cipher.SetKey(key, 192);
    EXPECT_EQ(cipher.EncipherText(KnownLines[0].record), KnownLines[0].line);

    // An IV started from 0xFF bytes (what a wipe leaves) gives lines the server cannot read.
    std::uint8_t wrongIV[16];
    std::fill(std::begin(wrongIV), std::end(wrongIV), 0xFF);
    cipher.EncipherBlock(wrongIV, wrongIV);
    cipher.SetKey(key, 192, wrongIV);
    EXPECT_NE(cipher.EncipherText(KnownLines[0].record), KnownLines[0].line);

    EXPECT_THROW(cipher.SetKey(key, 192, std::span(wrongIV).first(8)), EDCP_blockcipher);
}

TEST(LineCipher, RoundTripsEveryByteValueAtEveryLengthUpTo600WithExactPadding) {
    TDCP_twofish cipher;
    for (std::size_t length = 0; length <= 600; ++length) {
        std::string record(length, '\0');
        for (std::size_t i = 0; i < length; ++i) record[i] = static_cast<char>((i + length) & 0xFF);
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

TEST(LineCipher, StartsEveryFreshlyKeyedLineFromTheSameIV) {
    const std::string record = KnownLines[1].record;
    TDCP_twofish cipher;
    cipher.SetKeyFromPhrase(LinePassPhrase());
    const std::string first = cipher.EncipherText(record);
    // Without a new key the feedback register goes on from the first text.
    const std::string carriedOver = cipher.EncipherText(record);
    cipher.SetKeyFromPhrase(LinePassPhrase());
    const std::string rekeyed = cipher.EncipherText(record);
    cipher.Restart();
    const std::string restarted = cipher.EncipherText(record);
    std::uint8_t iv[16];
    cipher.GetIV(iv);
    cipher.EncipherText(record);
    cipher.SetIV(iv);  // Also restarts.
    const std::string fromSetIV = cipher.EncipherText(record);

    EXPECT_EQ(first, KnownLines[1].line);
    EXPECT_NE(carriedOver, first);
    EXPECT_EQ(rekeyed, first);
    EXPECT_EQ(restarted, first);
    EXPECT_EQ(fromSetIV, first);
}

TEST(LineCipher, DecipheringIgnoresARaggedEndAndGoesOnPastPaddedGroups) {
    const std::string line = KnownLines[3].line;
    EXPECT_EQ(DecipherLine("tA="), "");
    EXPECT_EQ(DecipherLine(line + "Q"), KnownLines[3].record);
    EXPECT_EQ(DecipherLine(line + "QUJ"), KnownLines[3].record);

    // The cipher bytes of "abcdef", the first one in a padded group of its own.
    const std::string bytes = Base64::Decode(EncipherLine("abcdef"));
    EXPECT_EQ(DecipherLine(Base64::Encode(bytes.substr(0, 1)) + Base64::Encode(bytes.substr(1))),
              "abcdef");
}

TEST(LineCipher, CfbGivesTheSameBytesInPlaceAndInAnyPieces) {
    // Long enough that one call runs past the cipher's internal window of 512 bytes.
    const std::string plain = test::PseudoRandomBytes(1200, 3);
    const auto* in = reinterpret_cast<const std::uint8_t*>(plain.data());
    TDCP_twofish cipher;
    cipher.SetKeyFromPhrase(LinePassPhrase());
    std::vector<std::uint8_t> whole(plain.size());
    cipher.EncipherCFB8bit(in, whole.data(), plain.size());
    EXPECT_EQ(Base64::Encode({reinterpret_cast<const char*>(whole.data()), whole.size()}),
              EncipherLine(plain));

    for (std::size_t split : {0, 1, 15, 16, 17, 384, 511, 512, 513, 1199}) {
        std::vector<std::uint8_t> pieces(in, in + plain.size());  // Enciphered in place.
        cipher.Restart();
        cipher.EncipherCFB8bit(pieces.data(), pieces.data(), split);
        cipher.EncipherCFB8bit(pieces.data() + split, pieces.data() + split, plain.size() - split);
        ASSERT_EQ(pieces, whole) << split;

        cipher.Restart();
        cipher.DecipherCFB8bit(pieces.data(), pieces.data(), split);
        cipher.DecipherCFB8bit(pieces.data() + split, pieces.data() + split, plain.size() - split);
        ASSERT_EQ(std::string(pieces.begin(), pieces.end()), plain) << split;
    }
}

// A hash that fails in the ways a key set-up from a phrase has to survive.
template <unsigned Bits, bool FailInFinal>
class FaultyHash final : public TDCP_hash {
public:
    int Id() const noexcept override { return 99; }
    std::string_view Algorithm() const noexcept override { return "Faulty"; }
    unsigned HashSize() const noexcept override { return Bits; }
    void Init() override { SetInitialized(true); }
    void Update(std::span<const std::uint8_t>) override {}
    void Final(std::span<std::uint8_t> digest) override {
        if (FailInFinal) throw std::runtime_error("device gone");
        std::fill(digest.begin(), digest.end(), 0x5A);
    }
    void Wipe() noexcept override { SetInitialized(false); }
};

TEST(LineCipher, ReportsAnyFailureOfAPhraseKeySetUpAsTheDigestFailure) {
    TDCP_twofish cipher;
    auto expectDigestFailure = [&](auto keyFromPhrase) {
        cipher.SetKeyFromPhrase(LinePassPhrase());
        try {
            keyFromPhrase();
            ADD_FAILURE() << "accepted";
        } catch (const EDCP_cipher& error) {
            EXPECT_STREQ(error.ClassName(), "EDCP_cipher");
            EXPECT_STREQ(error.what(), "Unable to allocate sufficient memory for hash digest");
        }
        EXPECT_FALSE(cipher.Initialized());
    };
    expectDigestFailure([&] { cipher.SetKeyFromPhrase<FaultyHash<160, true>>("x"); });
    expectDigestFailure(
        [&] { cipher.SetKeyFromPhrase<FaultyHash<42, false>>("x"); });  // Bad key size.
    expectDigestFailure(
        [&] { cipher.SetKeyFromPhrase<FaultyHash<1024, false>>("x"); });  // Too long.
}

}  // namespace
}  // namespace tuvako
