// Base64: the RFC 4648 vectors and the lenient decoding the server's lines rely on.
#include "cipher/Base64.h"

#include <gtest/gtest.h>

namespace tuvako {
namespace {

TEST(Base64, EncodesAndDecodesTheRfc4648Vectors) {
    for (const auto& [plain, encoded] : {std::pair{"", ""},
                                         {"f", "Zg=="},
                                         {"fo", "Zm8="},
                                         {"foo", "Zm9v"},
                                         {"foob", "Zm9vYg=="},
                                         {"fooba", "Zm9vYmE="},
                                         {"foobar", "Zm9vYmFy"}}) {
        EXPECT_EQ(Base64::Encode(plain), encoded);
        EXPECT_EQ(Base64::Decode(encoded), plain);
    }
}

// Nothing is refused: one to three characters after the last whole group are ignored; a padded
// group in the middle does not end the text, and its third place decides; "=" in the first
// places counts as 255 and a foreign character as "A".
TEST(Base64, DecodesLenientlyWithoutRefusingAnything) {
    const std::pair<std::string, std::string> cases[] = {
        {"Z", ""},
        {"Zm9vYmE", "foo"},
        {"Zg==Zm8=Zm9v", "ffofoo"},
        {"Zm=vZg=A", "ff"},
        {"==AA", std::string("\xFF\xF0\x00", 3)},
        {"A=AA", std::string("\x0F\xF0\x00", 3)},
        {"Zm9*", "fo@"},
        {"\xC4m9v", "\x02oo"},
        {std::string("Zm9\0", 4), "fo@"},
    };
    for (const auto& [text, bytes] : cases) EXPECT_EQ(Base64::Decode(text), bytes) << text;
}

}  // namespace
}  // namespace tuvako
