// The cipher base: key set-up from key bytes or from a pass phrase, wipe, identity.
#pragma once

#include "cipher/EDCP_cipher.h"
#include "cipher/TDCP_hash.h"
#include "cipher/TDCP_sha1.h"

#include <concepts>
#include <cstdint>
#include <span>
#include <string_view>

namespace tuvako {

class TDCP_cipher {
public:
    virtual ~TDCP_cipher() = default;
    TDCP_cipher(const TDCP_cipher&) = delete;
    TDCP_cipher& operator=(const TDCP_cipher&) = delete;

    virtual int Id() const noexcept = 0;
    virtual std::string_view Algorithm() const noexcept = 0;
    // The longest key, in bits.
    virtual unsigned MaxKeySize() const noexcept = 0;

    // True between a key set-up and the next Wipe.
    bool Initialized() const noexcept { return initialized_; }

    // Keys the cipher with the first bits / 8 bytes of `key`. `bits` must be above 0, a
    // multiple of 4 and at most MaxKeySize(), and `key` must hold those bytes, else EDCP_cipher
    // "Invalid key size". `iv` is one block for the feedback register, or empty to let the
    // cipher derive its IV from the key.
    virtual void SetKey(std::span<const std::uint8_t> key, unsigned bits,
                        std::span<const std::uint8_t> iv = {});

    // Keys the cipher with the digest of the phrase's bytes under `Hash`, as many key bits as
    // both the digest and the cipher allow, and the cipher's own IV. Whatever fails on the
    // way is reported as EDCP_cipher "Unable to allocate sufficient memory for hash digest".
    template <std::derived_from<TDCP_hash> Hash = TDCP_sha1>
    void SetKeyFromPhrase(std::string_view phrase);

    // Destroys the key material (overwritten with 0xFF bytes) and leaves the cipher unkeyed.
    virtual void Wipe() noexcept;

protected:
    TDCP_cipher() = default;

    // Runs the algorithm's key schedule on the first bits / 8 bytes of `key`.
    virtual void InitKey(std::span<const std::uint8_t> key, unsigned bits) = 0;

private:
    void SetKeyFromDigest(TDCP_hash& hash, std::string_view phrase);
    [[noreturn]] static void ThrowDigestFailure();

    bool initialized_ = false;
};

template <std::derived_from<TDCP_hash> Hash>
void TDCP_cipher::SetKeyFromPhrase(std::string_view phrase) {
    if (initialized_) Wipe();
    try {
        Hash hash;
        SetKeyFromDigest(hash, phrase);
    } catch (...) {
        ThrowDigestFailure();
    }
}

}  // namespace tuvako
