// IV, feedback register, 8-bit cipher feedback and the Base64 text operations.
#include "cipher/TBlockCipher128.h"

#include "cipher/Base64.h"
#include "cipher/SecureWipe.h"

#include <algorithm>
#include <cstring>

namespace tuvako {

void TBlockCipher128::SetKey(std::span<const std::uint8_t> key, unsigned bits,
                             std::span<const std::uint8_t> iv) {
    if (!iv.empty() && iv.size() != BlockBytes) throw EBlockCipherError("Invalid IV size");
    TBlockCipher::SetKey(key, bits, iv);
    if (iv.empty()) {
        // The IV starts from zero bytes, not from the 0xFF left by a wipe: the server does so.
        iv_.fill(0);
        EncryptBlock(iv_.data(), iv_.data());
    } else {
        std::copy(iv.begin(), iv.end(), iv_.begin());
    }
    Restart();
}

void TBlockCipher128::Wipe() noexcept {
    SecureWipe(iv_.data(), iv_.size(), BurntKeyByte);
    SecureWipe(feedback_.data(), feedback_.size(), BurntKeyByte);
    TBlockCipher::Wipe();
}

void TBlockCipher128::EncipherBlock(const std::uint8_t in[BlockBytes],
                                    std::uint8_t out[BlockBytes]) const {
    RequireInitialized();
    EncryptBlock(in, out);
}

void TBlockCipher128::DecipherBlock(const std::uint8_t in[BlockBytes],
                                    std::uint8_t out[BlockBytes]) const {
    RequireInitialized();
    DecryptBlock(in, out);
}

void TBlockCipher128::Restart() {
    RequireInitialized();
    feedback_ = iv_;
}

void TBlockCipher128::SetIV(const std::uint8_t iv[BlockBytes]) {
    RequireInitialized();
    std::copy_n(iv, BlockBytes, iv_.begin());
    Restart();
}

void TBlockCipher128::GetIV(std::uint8_t iv[BlockBytes]) const {
    RequireInitialized();
    std::copy_n(iv_.begin(), BlockBytes, iv);
}

void TBlockCipher128::EncipherCFB8bit(const std::uint8_t* in, std::uint8_t* out,
                                      std::size_t count) {
    RunCFB8bit(CfbDirection::Encipher, in, out, count);
}

void TBlockCipher128::DecipherCFB8bit(const std::uint8_t* in, std::uint8_t* out,
                                      std::size_t count) {
    RunCFB8bit(CfbDirection::Decipher, in, out, count);
}

// Each byte is XORed with the first byte of the encrypted feedback register, and the cipher
// byte then enters the register at the back. Rather than shift the register for every byte,
// it slides along a window that holds it followed by the cipher bytes made so far: the block
// for each byte is the 16 bytes before that byte's own place. Only when the window is full are
// its last 16 bytes moved back to the front.
void TBlockCipher128::RunCFB8bit(CfbDirection direction, const std::uint8_t* in, std::uint8_t* out,
                                 std::size_t count) {
    RequireInitialized();
    constexpr std::size_t WindowBytes = 512;
    std::uint8_t window[BlockBytes + WindowBytes];
    std::uint8_t keystream[BlockBytes];
    std::copy(feedback_.begin(), feedback_.end(), window);
    std::size_t made = 0;  // Cipher bytes behind the register in the window.
    for (std::size_t i = 0; i < count; ++i) {
        if (made == WindowBytes) {
            std::memcpy(window, window + WindowBytes, BlockBytes);
            made = 0;
        }
        EncryptBlock(window + made, keystream);
        const std::uint8_t inByte = in[i];  // Read before writing: `out` may be `in`.
        const std::uint8_t outByte = inByte ^ keystream[0];
        window[BlockBytes + made++] = direction == CfbDirection::Encipher ? outByte : inByte;
        out[i] = outByte;
    }
    std::copy_n(window + made, BlockBytes, feedback_.begin());
    SecureWipe(keystream, sizeof keystream, BurntKeyByte);
    SecureWipe(window, sizeof window, BurntKeyByte);
}

std::string TBlockCipher128::EncipherText(std::string_view text) {
    RequireInitialized();
    std::string encoded(Base64::EncodedSize(text.size()), '\0');
    // Encipher a few hundred bytes at a time into a buffer on the stack and encode each piece
    // straight into the result: a whole number of Base64 groups per piece keeps the pieces
    // independent, and the result is the only allocation.
    constexpr std::size_t PieceBytes = 3 * 128;
    std::uint8_t piece[PieceBytes];
    const auto* plain = reinterpret_cast<const std::uint8_t*>(text.data());
    for (std::size_t done = 0; done < text.size(); done += PieceBytes) {
        const std::size_t count = std::min(PieceBytes, text.size() - done);
        EncipherCFB8bit(plain + done, piece, count);
        Base64::EncodeTo(piece, count, encoded.data() + done / 3 * 4);
    }
    return encoded;
}

std::string TBlockCipher128::DecipherText(std::string_view text) {
    RequireInitialized();
    std::string plain(Base64::MaxDecodedSize(text.size()), '\0');
    auto* bytes = reinterpret_cast<std::uint8_t*>(plain.data());
    plain.resize(Base64::DecodeTo(text, bytes));
    DecipherCFB8bit(bytes, bytes, plain.size());
    return plain;
}

void TBlockCipher128::RequireInitialized() const {
    if (!Initialized()) throw EBlockCipherError("Cipher not initialized");
}

}  // namespace tuvako
