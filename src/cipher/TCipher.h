// The cipher base: key set-up from key bytes or from a pass phrase, wipe, identity.
#pragma once

#include "cipher/ECipherError.h"
#include "cipher/THash.h"
#include "cipher/TSha1.h"

#include <concepts>
#include <cstdint>
#include <span>
#include <string_view>

namespace tuvako {

class TCipher {
public:
    virtual ~TCipher() = default;
    TCipher(const TCipher&) = delete;
    TCipher& operator=(const TCipher&) = delete;

    virtual int Id() const noexcept = 0;
    virtual std::string_view Algorithm() const noexcept = 0;
    // The longest key, in bits.
    virtual unsigned MaxKeySize() const noexcept = 0;

    // True between a key set-up and the next Wipe.
    bool Initialized() const noexcept { return initialized_; }

    // Keys the cipher with the first bits / 8 bytes of `key`. `bits` must be above 0, a
    // multiple of 4 and at most MaxKeySize(), and `key` must hold those bytes, else ECipherError
    // "Invalid key size". `iv` is one block for the feedback register, or empty to let the
    // cipher derive its IV from the key.
    virtual void SetKey(std::span<const std::uint8_t> key, unsigned bits,
                        std::span<const std::uint8_t> iv = {});

    // Keys the cipher with the digest of the phrase's bytes under `Hash`, as many key bits as
    // both the digest and the cipher allow, and the cipher's own IV. Whatever fails on the
    // way is reported as ECipherError "Unable to allocate sufficient memory for hash digest".
    template <std::derived_from<THash> Hash = TSha1>
    void SetKeyFromPhrase(std::string_view phrase);

    // Destroys the key material (overwritten with 0xFF bytes) and leaves the cipher unkeyed.
    virtual void Wipe() noexcept;

protected:
    TCipher() = default;

    // Runs the algorithm's key schedule on the first bits / 8 bytes of `key`.
    virtual void InitKey(std::span<const std::uint8_t> key, unsigned bits) = 0;

private:
    void SetKeyFromDigest(THash& hash, std::string_view phrase);
    [[noreturn]] static void ThrowDigestFailure();

    bool initialized_ = false;
};

template <std::derived_from<THash> Hash>
void TCipher::SetKeyFromPhrase(std::string_view phrase) {
    if (initialized_) Wipe();
    try {
        Hash hash;
        SetKeyFromDigest(hash, phrase);
    } catch (...) {
        ThrowDigestFailure();
    }
}

}  // namespace tuvako
