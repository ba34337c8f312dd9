// Base64 encoding and the lenient decoding that the server's lines rely on.
#include "cipher/Base64.h"

#include <array>

namespace tuvako {
namespace {

constexpr char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// A padding mark takes part in the byte expressions with this value.
constexpr std::uint8_t PaddingMark = 255;

constexpr std::array<std::uint8_t, 256> BuildDecodeTable() {
    std::array<std::uint8_t, 256> table{};  // Characters outside the alphabet decode as 0.
    for (std::uint8_t value = 0; value < 64; ++value)
        table[static_cast<unsigned char>(Alphabet[value])] = value;
    table['='] = PaddingMark;
    return table;
}

constexpr std::array<std::uint8_t, 256> DecodeTable = BuildDecodeTable();

std::uint8_t SextetOf(char c) noexcept {
    return DecodeTable[static_cast<unsigned char>(c)];
}

}  // namespace

void Base64::EncodeTo(const std::uint8_t* bytes, std::size_t count, char* out) noexcept {
    std::size_t i = 0;
    for (; i + 3 <= count; i += 3, out += 4) {
        const std::uint32_t group = (bytes[i] << 16) | (bytes[i + 1] << 8) | bytes[i + 2];
        out[0] = Alphabet[group >> 18];
        out[1] = Alphabet[(group >> 12) & 63];
        out[2] = Alphabet[(group >> 6) & 63];
        out[3] = Alphabet[group & 63];
    }
    const std::size_t rest = count - i;
    if (rest == 0) return;
    const std::uint32_t group = (bytes[i] << 16) | (rest == 2 ? bytes[i + 1] << 8 : 0);
    out[0] = Alphabet[group >> 18];
    out[1] = Alphabet[(group >> 12) & 63];
    out[2] = rest == 2 ? Alphabet[(group >> 6) & 63] : '=';
    out[3] = '=';
}

std::size_t Base64::DecodeTo(std::string_view text, std::uint8_t* out) noexcept {
    std::uint8_t* const start = out;
    const std::size_t whole = text.size() - text.size() % 4;
    for (std::size_t i = 0; i < whole; i += 4) {
        const unsigned s1 = SextetOf(text[i]);
        const unsigned s2 = SextetOf(text[i + 1]);
        const unsigned s3 = SextetOf(text[i + 2]);
        const unsigned s4 = SextetOf(text[i + 3]);
        *out++ = static_cast<std::uint8_t>((s1 << 2) | (s2 >> 4));
        if (s3 == PaddingMark) continue;
        *out++ = static_cast<std::uint8_t>((s2 << 4) | (s3 >> 2));
        if (s4 == PaddingMark) continue;
        *out++ = static_cast<std::uint8_t>((s3 << 6) | s4);
    }
    return static_cast<std::size_t>(out - start);
}

std::string Base64::Encode(std::string_view bytes) {
    std::string text(EncodedSize(bytes.size()), '\0');
    EncodeTo(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), text.data());
    return text;
}

std::string Base64::Decode(std::string_view text) {
    std::string bytes(MaxDecodedSize(text.size()), '\0');
    bytes.resize(DecodeTo(text, reinterpret_cast<std::uint8_t*>(bytes.data())));
    return bytes;
}

}  // namespace tuvako
