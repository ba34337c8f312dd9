// SHA-1: the FIPS 180 vectors, the padding boundaries, input split anywhere, and misuse.
#include "cipher/EHashError.h"

#include "Helpers.h"

#include <gtest/gtest.h>

namespace tuvako {
namespace {

using test::Sha1Hex;

TEST(Sha1, GivesTheFips180DigestsAndPadsAcrossTheBlockBoundaries) {
    const std::pair<std::string, const char*> vectors[] = {
        {"abc", "A9993E364706816ABA3E25717850C26C9CD0D89D"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "84983E441C3BD26EBAAE4AA1F95129E5E54670F1"},
        {std::string(1000000, 'a'), "34AA973CD4C4DAA4F61EEB2BDBAD27316534016F"},
        {"", "DA39A3EE5E6B4B0D3255BFEF95601890AFD80709"},
        // The length takes a block's last 8 bytes: the 0x80 byte before, on and after that.
        {std::string(55, 'a'), "C1C8BBDC22796E28C0E15163D20899B65621D65A"},
        {std::string(56, 'a'), "C2DB330F6083854C99D4B5BFB6E8F29F201BE699"},
        {std::string(63, 'a'), "03F09F5B158A7A8CDAD920BDDC29B81C18A551F5"},
        {std::string(64, 'a'), "0098BA824B5C16427BD7A1122A5A442A25EC644D"},
        {std::string(119, 'a'), "EE971065AAA017E0632A8CA6C77BB3BF8B1DFC56"},
        {std::string(120, 'a'), "F34C1488385346A55709BA056DDD08280DD4C6D6"},
    };
    for (const auto& [message, digest] : vectors) EXPECT_EQ(Sha1Hex(message), digest);
    const std::string random = test::PseudoRandomBytes(300, 11);
    for (std::size_t split = 1; split <= random.size(); ++split)
        ASSERT_EQ(Sha1Hex(random, split), Sha1Hex(random)) << "split at " << split;
}

TEST(Sha1, RefusesUpdateAndFinalOutsideInitAndFinal) {
    TSha1 hash;
    std::uint8_t digest[20];
    EXPECT_EQ(test::Thrown([&] { hash.Final(digest); }), "EHashError: Hash not initialized");
    hash.Init();
    hash.Final(digest);  // Final ends the digest: the next one needs a new Init.
    EXPECT_EQ(test::Thrown([&] { hash.UpdateStr("abc"); }), "EHashError: Hash not initialized");
    // A digest buffer too small for the whole digest is refused, not overrun.
    hash.Init();
    EXPECT_THROW(hash.Final(std::span(digest).first(19)), EHashError);
}

}  // namespace
}  // namespace tuvako
