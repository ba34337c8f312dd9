// The cipher base: key checks, keying from a phrase's digest, the initialised flag.
#include "cipher/TCipher.h"

#include "cipher/SecureWipe.h"

#include <algorithm>
#include <array>

namespace tuvako {
namespace {

// Overwrites the digest buffer on every way out of the key set-up, thrown or not.
class DigestBuffer {
public:
    DigestBuffer() = default;
    ~DigestBuffer() { SecureWipe(bytes_.data(), bytes_.size(), BurntKeyByte); }
    DigestBuffer(const DigestBuffer&) = delete;
    DigestBuffer& operator=(const DigestBuffer&) = delete;

    std::span<std::uint8_t> First(std::size_t count) { return {bytes_.data(), count}; }

private:
    std::array<std::uint8_t, THash::MaxDigestBytes> bytes_{};
};

}  // namespace

void TCipher::SetKey(std::span<const std::uint8_t> key, unsigned bits,
                     std::span<const std::uint8_t> /*iv*/) {
    if (initialized_) Wipe();
    if (bits == 0 || bits % 4 != 0 || bits > MaxKeySize() || key.size() < bits / 8)
        throw ECipherError("Invalid key size");
    initialized_ = true;
    InitKey(key.first(bits / 8), bits);
}

void TCipher::Wipe() noexcept {
    initialized_ = false;
}

void TCipher::SetKeyFromDigest(THash& hash, std::string_view phrase) {
    const std::size_t digestBytes = hash.HashSize() / 8;
    if (digestBytes > THash::MaxDigestBytes) ThrowDigestFailure();
    DigestBuffer buffer;
    const std::span<std::uint8_t> digest = buffer.First(digestBytes);
    hash.Init();
    hash.UpdateStr(phrase);
    hash.Final(digest);
    SetKey(digest, std::min(MaxKeySize(), hash.HashSize()));
}

void TCipher::ThrowDigestFailure() {
    throw ECipherError("Unable to allocate sufficient memory for hash digest");
}

}  // namespace tuvako
