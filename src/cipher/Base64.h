// Base64 text form of the cipher bytes: standard alphabet, "=" padding, lenient decoding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tuvako {

// Encoding follows RFC 4648 section 4 with no line breaks. Decoding never rejects anything,
// because the terminal deciphers whatever the server sends and judges the result afterwards:
// - the text is read in whole groups of 4 characters; 1 to 3 characters left over are ignored;
// - a group yields 1 byte when its third character is "=", 2 when only its fourth is, else 3;
// - a padded group does not end the text: the next group's bytes follow directly;
// - "=" where a 6-bit value is needed (first or second place) counts as 255 in the expression,
//   and a character outside the alphabet counts as 0 (as "A" would).
class Base64 {
public:
    static constexpr std::size_t EncodedSize(std::size_t byteCount) {
        return 4 * ((byteCount + 2) / 3);
    }
    static constexpr std::size_t MaxDecodedSize(std::size_t textLength) {
        return 3 * (textLength / 4);
    }

    // Writes EncodedSize(count) characters to `out`.
    static void EncodeTo(const std::uint8_t* bytes, std::size_t count, char* out) noexcept;
    // Writes at most MaxDecodedSize(text.size()) bytes to `out` and returns how many it wrote.
    static std::size_t DecodeTo(std::string_view text, std::uint8_t* out) noexcept;

    static std::string Encode(std::string_view bytes);
    static std::string Decode(std::string_view text);
};

}  // namespace tuvako
