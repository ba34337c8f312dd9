// Base64: the RFC 4648 vectors and the lenient decoding the server's lines rely on.
#include "cipher/Base64.h"

#include <gtest/gtest.h>

namespace tuvako {
namespace {

TEST(Base64, EncodesAndDecodesTheRfc4648Vectors) {
    const std::pair<const char*, const char*> vectors[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
    };
    for (const auto& [plain, encoded] : vectors) {
        EXPECT_EQ(Base64::Encode(plain), encoded);
        EXPECT_EQ(Base64::Decode(encoded), plain);
    }
}

TEST(Base64, RoundTripsEveryByteValueAtEveryRemainder) {
    std::string all(256, '\0');
    for (int i = 0; i < 256; ++i) all[static_cast<std::size_t>(i)] = static_cast<char>(i);
    for (std::size_t length = 0; length <= all.size(); ++length) {
        const std::string bytes = all.substr(all.size() - length);
        const std::string text = Base64::Encode(bytes);
        ASSERT_EQ(text.size(), 4 * ((length + 2) / 3));
        ASSERT_EQ(Base64::Decode(text), bytes) << length;
    }
}

TEST(Base64, IgnoresOneToThreeCharactersAfterTheLastWholeGroup) {
    EXPECT_EQ(Base64::Decode("Z"), "");
    EXPECT_EQ(Base64::Decode("Zm9"), "");
    EXPECT_EQ(Base64::Decode("Zm9vY"), "foo");
    EXPECT_EQ(Base64::Decode("Zm9vYmE"), "foo");
}

TEST(Base64, GoesOnAfterAPaddedGroupInTheMiddle) {
    EXPECT_EQ(Base64::Decode("Zg==Zm8=Zm9v"), "ffofoo");
    // The third place decides: "=" there ends the group at one byte, whatever the fourth is.
    EXPECT_EQ(Base64::Decode("Zm=vZg=A"), "ff");
}

TEST(Base64, TakesPaddingInTheFirstPlacesAs255AndForeignCharactersAsZero) {
    EXPECT_EQ(Base64::Decode("==AA"), std::string("\xFF\xF0\x00", 3));
    EXPECT_EQ(Base64::Decode("A=AA"), std::string("\x0F\xF0\x00", 3));
    EXPECT_EQ(Base64::Decode("Zm9*"), Base64::Decode("Zm9A"));
    EXPECT_EQ(Base64::Decode("\xC4m9v"), Base64::Decode("Am9v"));
    EXPECT_EQ(Base64::Decode(std::string("Zm9\0", 4)), Base64::Decode("Zm9A"));
}

}  // namespace
}  // namespace tuvako
