// SHA-1: the FIPS 180 vectors, the padding boundaries, chunked input and misuse.
#include "cipher/EDCP_hash.h"
#include "cipher/TDCP_sha1.h"

#include "Hex.h"

#include <gtest/gtest.h>

namespace tuvako {
namespace {

std::string Sha1Hex(std::string_view message) {
    TDCP_sha1 hash;
    hash.Init();
    hash.UpdateStr(message);
    std::uint8_t digest[20];
    hash.Final(digest);
    return test::ToHex(digest);
}

TEST(Sha1, GivesTheFips180Digests) {
    EXPECT_EQ(Sha1Hex("abc"), "A9993E364706816ABA3E25717850C26C9CD0D89D");
    EXPECT_EQ(Sha1Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "84983E441C3BD26EBAAE4AA1F95129E5E54670F1");
    EXPECT_EQ(Sha1Hex(std::string(1000000, 'a')), "34AA973CD4C4DAA4F61EEB2BDBAD27316534016F");
    EXPECT_EQ(Sha1Hex(""), "DA39A3EE5E6B4B0D3255BFEF95601890AFD80709");
}

// The length field needs the last 8 bytes of a block; these lengths put the 0x80 byte just
// before, on and after that boundary.
TEST(Sha1, PadsIntoAFurtherBlockExactlyWhenTheLengthNoLongerFits) {
    EXPECT_EQ(Sha1Hex(std::string(55, 'a')), "C1C8BBDC22796E28C0E15163D20899B65621D65A");
    EXPECT_EQ(Sha1Hex(std::string(56, 'a')), "C2DB330F6083854C99D4B5BFB6E8F29F201BE699");
    EXPECT_EQ(Sha1Hex(std::string(63, 'a')), "03F09F5B158A7A8CDAD920BDDC29B81C18A551F5");
    EXPECT_EQ(Sha1Hex(std::string(64, 'a')), "0098BA824B5C16427BD7A1122A5A442A25EC644D");
    EXPECT_EQ(Sha1Hex(std::string(119, 'a')), "EE971065AAA017E0632A8CA6C77BB3BF8B1DFC56");
    EXPECT_EQ(Sha1Hex(std::string(120, 'a')), "F34C1488385346A55709BA056DDD08280DD4C6D6");
}

TEST(Sha1, GivesTheSameDigestWhereverTheInputIsSplit) {
    const std::string message = test::PseudoRandomBytes(300, 11);
    const std::string whole = Sha1Hex(message);
    for (std::size_t split = 0; split <= message.size(); ++split) {
        TDCP_sha1 hash;
        hash.Init();
        hash.UpdateStr(std::string_view(message).substr(0, split));
        hash.UpdateStr(std::string_view(message).substr(split));
        std::uint8_t digest[20];
        hash.Final(digest);
        ASSERT_EQ(test::ToHex(digest), whole) << split;
    }
}

TEST(Sha1, RefusesUpdateAndFinalOutsideInitAndFinal) {
    TDCP_sha1 hash;
    std::uint8_t digest[20];
    EXPECT_THROW(hash.UpdateStr("abc"), EDCP_hash);
    EXPECT_THROW(hash.Final(digest), EDCP_hash);

    hash.Init();
    hash.UpdateStr("abc");
    hash.Final(digest);
    // Final ends the digest: the next one needs a new Init.
    EXPECT_FALSE(hash.Initialized());
    try {
        hash.UpdateStr("abc");
        ADD_FAILURE() << "accepted";
    } catch (const EDCP_hash& error) {
        EXPECT_STREQ(error.what(), "Hash not initialized");
    }
    // A digest buffer too small for the whole digest is refused, not overrun.
    hash.Init();
    EXPECT_THROW(hash.Final(std::span(digest).first(19)), EDCP_hash);
}

}  // namespace
}  // namespace tuvako
